// The behaviours of vehicles and the police. Their driving is still to come: for now traffic
// and police stand where they were placed, and the hand-overs store these functions.
#include "actors/actors.h"

void traffic_car_behaviour(Sprite *, int) {}
void police_car_behaviour(Sprite *, int) {}
void cop_on_foot_behaviour(Sprite *, int) {}
void empty_car_behaviour(Sprite *, int) {}
void wreck_behaviour(Sprite *, int) {}
