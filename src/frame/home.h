// Where the game keeps its files. Started from a folder that holds its data (the build's game
// folder, or a copy of it), it works there, as it always has. Installed, the program lies apart
// from its data, and each player gets a folder of their own under the XDG data home
// (~/.local/share/skidrunner): the game works there, with links to the shipped data, and that
// is where a recording and a screenshot land. The game opens every file by its bare name either
// way.
#pragma once
#include <string>

// main, before the command line opens a demo: an installed game moves into the player's folder
// (made on first run), links each shipped file that the player has no file of their own for
// (the attract demo stands as "demo.dem" until the player records one), and points the library
// at the allegro.cfg there. A game that is not installed stays where it was started.
void settle_in_player_folder();
// settle_in_player_folder and tests: the player's folder for these environment values (either
// may be null); empty when neither gives an absolute place.
std::string player_folder_for(const char *xdg_data_home, const char *home);
// The command line's "-record", before "demo.dem" is opened for writing: a link to the shipped
// attract demo is taken away first, so the recording becomes the player's own file and the
// shipped demo is never written through the link.
void make_room_for_recording();
