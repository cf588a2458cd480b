// Missions: chains of objectives read from the mission file. Still to come: for now no
// mission is ever under way.
#include "missions/missions.h"

void load_missions() {}
void update_missions() {}
void draw_mission_arrow() {}
bool mission_under_way() { return false; }
