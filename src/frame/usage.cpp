// What "--help" and "--version" say: the options and keys, as the README and the manual page.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "frame/frame.h"

// The build passes the project's version.
#ifndef SKID_VERSION
#define SKID_VERSION "unknown"
#endif

namespace {
const char usage_text[] =
    "Usage: skidrunner [-record | -play] [-scale N] [-VGA]\n"
    "A top-down driving and crime game: walk the city, steal a car, keep ahead of the police.\n"
    "\n"
    "Options (later ones win; anything else is ignored, with a warning):\n"
    "  -record     start a game at once and record every key to demo.dem\n"
    "  -play       replay demo.dem exactly (any key stops it)\n"
    "  -scale N    a window N times 640 x 480, N from 1 to 4 (without it, the largest\n"
    "              that fits the desktop)\n"
    "  -VGA        ask for a 320 x 200 screen first\n"
    "  --help      print this help and exit\n"
    "  --version   print the version and exit\n"
    "\n"
    "Keys:               on foot                        at the wheel\n"
    "  Up / Down         walk forward / back            accelerate / reverse\n"
    "  Left / Right      turn                           steer\n"
    "  Space             jump when a car brushes you    handbrake\n"
    "  Enter             get into the nearest car       get out (at low speed)\n"
    "  Left Ctrl         fire the chosen weapon\n"
    "  1 2 3 4           pistol, machine gun, flame thrower, rocket launcher\n"
    "  Tab                                              horn\n"
    "  F11               save the screen to dump.pcx\n"
    "  F12               cycle the screen modes: 320 x 200, 640 x 400, 800 x 600 (and the\n"
    "                    scaled window the game opened in)\n"
    "  Escape            back to the title\n"
    "\n"
    "Files: installed, the game keeps demo.dem and dump.pcx in $XDG_DATA_HOME/skidrunner\n"
    "(~/.local/share/skidrunner); started from the build's game folder, in that folder.\n";
}  // namespace

void answer_help_and_version()
{
    // Asked for before anything is opened, so "--help" never starts a recording; the later of
    // the two wins, as with every option.
    const char *answer = nullptr;
    for (int i = 1; i < saved_argc; i++) {
        if (strcmp(saved_argv[i], "--help") == 0) answer = usage_text;
        if (strcmp(saved_argv[i], "--version") == 0) answer = "skidrunner " SKID_VERSION "\n";
    }
    if (!answer) return;
    fputs(answer, stdout);
    exit(0);
}
