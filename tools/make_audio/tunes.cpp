#include "tunes.h"

// Each song ends where it can run straight back into its first bar: the radio loops them.
// Each one's level_db evens out how loud the six sound on the radio (A-weighted, through our
// instruments, measured with measure_audio --tunes), so changing station never jumps in level.

namespace {

// General MIDI programs (0-based) the songs use.
enum Program {
    ELECTRIC_PIANO = 4, FM_PIANO = 5, CLAVINET = 7, ORGAN = 16, CLEAN_GUITAR = 27,
    MUTED_GUITAR = 28, OVERDRIVEN_GUITAR = 29, DISTORTION_GUITAR = 30, FINGER_BASS = 33,
    PICK_BASS = 34, SLAP_BASS = 36, SYNTH_BASS = 38, TRUMPET = 56,
    BRASS_SECTION = 61, ALTO_SAX = 65, FLUTE = 73, SQUARE_LEAD = 80, CHARANG = 84,
    NEW_AGE_PAD = 88, HALO_PAD = 94, SWEEP_PAD = 95
};

// "Redline": driving rock in E minor, power chords under an overdriven lead.
Song redline()
{
    Song s{"Redline", 144, 64, MINOR, 0, {}, {}};
    s.parts = {
        {"drums", PartKind::drums, 0, DRUM_CHANNEL, 110, 64, 0, 1, 0},
        {"bass", PartKind::chord_line, PICK_BASS, 0, 110, 64, 40, 2, 100},
        {"rhythm", PartKind::chord_hits, DISTORTION_GUITAR, 1, 88, 40, 40, 1, 92, Voicing::power},
        {"organ", PartKind::chord_hits, ORGAN, 2, 62, 88, 55, 1, 70},
        {"lead", PartKind::key_line, OVERDRIVEN_GUITAR, 3, 100, 76, 64, 2, 100},
    };
    const std::vector<DrumLine> verse_beat = {
        {KICK, "x.......x.x....."}, {SNARE, "....x.......x..."}, {HAT, "x.x.x.x.x.x.x.x."}};
    const std::vector<DrumLine> chorus_beat = {
        {KICK, "x.....x.x.....x."}, {SNARE, "....x.......x..."}, {OPEN_HAT, "x.x.x.x.x.x.x.x."}};
    const std::vector<DrumLine> fill = {
        {KICK, "x.......x......."}, {SNARE, "....x...xx......"}, {TOM_HIGH, "..........xx...."},
        {TOM_MID, "............xx.."}, {TOM_LOW, "..............xX"}};
    const std::string riff = "1 . 1 3 4 . 3 1 | 7, . 1 . 3 . 2 .";
    const std::string verse_tune =
        "5 . 5 6 5 . 3 . | 3 . 3 2 1 . . . | 2 . 2 4 5 . 4 . | 3 . 2 . 1 . . . | "
        "5 . 5 6 8 . 7 6 | 5 . 3 . 1 . 3 . | 2 . 4 . 5 . 6 7 | 8 . . . . . - -";
    const std::string chorus_tune =
        "8 . 8 . 7 . 8 . | 9 . 8 . 7 . 5 . | 8 . . . 5 . 7 . | 8 . . . . . - - | "
        "10 . 10 . 9 . 8 . | 9 . 8 . 9 . 10 . | 12 . . . 10 . 9 . | 9 . . . 5 . 7 .";
    const std::string solo =
        "4 5 6 8 6 5 4 3 | 4 . . . 8 . 10 . | 8 7 6 5 6 . 8 . | 9 . . . 7 . 5 .";
    const std::string chug = "x - x - x - x - x - x - x - x -";
    const std::string sustain = "x . . . . . . . x . . . x . . .";
    const std::string bass_drive = "1 1 1 1 1 1 1 1";
    const std::string bass_chorus = "1 1 8 1 1 1 5 1";
    Section intro{"intro", 4, "1 1 6 7",
                  {{"bass", bass_drive}, {"rhythm", "x . . . . . x . . . x . . . . ."}, {"lead", riff}},
                  verse_beat, fill, true};
    Section verse{"verse", 8, "1 6 7 1",
                  {{"bass", bass_drive}, {"rhythm", chug}, {"lead", verse_tune}}, verse_beat, fill, true};
    Section chorus{"chorus", 8, "6 7 1 1 6 7 3 7",
                   {{"bass", bass_chorus}, {"rhythm", sustain}, {"organ", "x . . . . . . . . . . . . . . ."},
                    {"lead", chorus_tune}},
                   chorus_beat, fill, true};
    Section bridge{"solo", 4, "4 4 6 7",
                   {{"bass", bass_chorus}, {"rhythm", chug}, {"organ", "x . . . . . . . . . . . . . . ."},
                    {"lead", solo}},
                   chorus_beat, fill, true};
    s.sections = {intro, verse, chorus, verse, chorus, bridge, intro};
    s.level_db = -1.4f;
    return s;
}

// "Slick Heist": slap-bass funk in A dorian, clavinet and scratchy guitar, horn stabs, sax lead.
Song slick_heist()
{
    Song s{"Slick Heist", 104, 57, DORIAN, 4, {}, {}};
    s.parts = {
        {"drums", PartKind::drums, 0, DRUM_CHANNEL, 105, 64, 0, 1, 0},
        {"bass", PartKind::chord_line, SLAP_BASS, 0, 112, 64, 45, 1, 100},
        {"clav", PartKind::chord_hits, CLAVINET, 1, 78, 44, 57, 1, 80, Voicing::seventh},
        {"guitar", PartKind::chord_line, MUTED_GUITAR, 2, 74, 88, 57, 1, 78},
        {"brass", PartKind::chord_hits, BRASS_SECTION, 3, 88, 64, 62, 1, 98},
        {"sax", PartKind::key_line, ALTO_SAX, 4, 100, 70, 57, 1, 100},
    };
    const std::vector<DrumLine> groove = {
        {KICK, "x.x.......x..x.."}, {SNARE, "....X..o.o..X..o"},
        {HAT, "xoxoxoxoxoxoxo.o"}, {OPEN_HAT, "..............x."}};
    std::vector<DrumLine> chorus_groove = groove;
    chorus_groove.push_back({TAMBOURINE, "..x...x...x...x."});
    const std::vector<DrumLine> fill = {
        {KICK, "x.x.......x....."}, {SNARE, "....X..o.o.xXoXX"}, {TOM_HIGH, "........x......."},
        {TOM_LOW, "..........x....."}};
    const std::string bass_groove = "1 . - 1 8 - 7 - 1 - 5 - 7 8 - 5";
    const std::string bass_chorus = "1 . 8 - 5 . 1 - 3 . 8 - 7 . 5 -";
    const std::string clav = "- x - x x - x - - x - x x - - x";
    const std::string scratch = "5 - 5 3 - 5 - 3 5 - 5 3 - 5 3 -";
    const std::string verse_tune =
        "- - 5 . 7 . 8 - 7 - 5 . 4 3 - 1 | - - - - 3 . 4 . #4 5 . - - - - - | "
        "- - 5 . 7 . 8 - 10 - 8 . 7 5 - 7 | 8 . . . . . - - - - - - - - - -";
    const std::string chorus_tune =
        "12 . . . 11 . 10 . 12 . . . - - 10 . | 11 . . . 10 . 8 . 6 . . . - - 8 . | "
        "12 . . . 14 . 12 . 11 . . . 9 . . . | 8 . . . . . . . - - 5 . 7 . 8 .";
    const std::string stabs = "X . - - - - - - - - x - x . - -";
    Section intro{"intro", 4, "1 4", {{"bass", bass_groove}, {"guitar", scratch}}, groove, fill, false};
    Section verse{"verse", 8, "1 4 1 4 1 4 7 5",
                  {{"bass", bass_groove}, {"clav", clav}, {"guitar", scratch}, {"sax", verse_tune}},
                  groove, fill, true};
    Section chorus{"chorus", 8, "3 4 5 1",
                   {{"bass", bass_chorus}, {"clav", clav}, {"guitar", scratch}, {"brass", stabs},
                    {"sax", chorus_tune}},
                   chorus_groove, fill, true};
    Section breakdown{"breakdown", 4, "1 4", {{"bass", bass_groove}, {"clav", clav}},
                      {{KICK, "x.x.......x..x.."}, {HAT, "x.x.x.x.x.x.x.x."}}, fill, false};
    s.sections = {intro, verse, chorus, breakdown, chorus};
    s.level_db = -4.1f;
    return s;
}

// "Neon Drive": synth-pop in C major, pumping octave bass, shimmering arpeggios, square lead.
Song neon_drive()
{
    Song s{"Neon Drive", 118, 60, MAJOR, 0, {}, {}};
    s.parts = {
        {"drums", PartKind::drums, 0, DRUM_CHANNEL, 100, 64, 0, 1, 0},
        {"bass", PartKind::chord_line, SYNTH_BASS, 0, 108, 64, 36, 2, 98},
        {"pad", PartKind::chord_hits, NEW_AGE_PAD, 1, 70, 50, 60, 1, 72},
        {"arp", PartKind::chord_line, FM_PIANO, 2, 68, 84, 72, 1, 70},
        {"lead", PartKind::key_line, SQUARE_LEAD, 3, 88, 64, 72, 2, 96},
    };
    const std::vector<DrumLine> beat = {
        {KICK, "x...x...x...x..."}, {SNARE, "....x.......x..."}, {CLAP, "....x.......x..."},
        {HAT, "o.x.o.x.o.x.o.x."}};
    const std::vector<DrumLine> hats_only = {{HAT, "o.x.o.x.o.x.o.x."}, {SHAKER, "..x...x...x...x."}};
    const std::vector<DrumLine> fill = {
        {KICK, "x...x...x...x..."}, {SNARE, "....x...x.x.xxxx"}, {CLAP, "....x..........."}};
    const std::string pump = "1 8 1 8 1 8 1 8";
    const std::string pad = "x . . . . . . . . . . . . . . .";
    const std::string arp = "1 3 5 8 5 3 1 3 5 8 10 8 5 3 5 8";
    const std::string verse_tune =
        "3 . 3 2 1 . 6, . | 1 . 1 2 3 . 4 . | 5 . . 3 . . 1 . | 2 . . . 7, . . . | "
        "3 . 3 2 1 . 6, . | 1 . 2 3 4 . 6 . | 5 . 4 3 2 . 1 . | 2 . . . - - - -";
    const std::string chorus_tune =
        "6 . . . 5 . 4 . | 5 . . . 4 . 2 . | 3 . 3 . 5 . 6 . | 6 . . . . . - - | "
        "8 . . . 7 . 6 . | 7 . . . 6 . 5 . | 5 . 3 . 2 . 1 . | 1 . . . . . - -";
    const std::string bridge_tune = "6 . . . . . . . | 7 . . . . . . . | 5 . . . . . . . | 3 . . . . . 2 .";
    Section intro{"intro", 4, "6 4 1 5", {{"bass", pump}, {"pad", pad}, {"arp", arp}}, hats_only, {}, false};
    Section verse{"verse", 8, "6 4 1 5", {{"bass", pump}, {"pad", pad}, {"lead", verse_tune}}, beat, fill, true};
    Section chorus{"chorus", 8, "4 5 6 6 4 5 1 1",
                   {{"bass", pump}, {"pad", pad}, {"arp", arp}, {"lead", chorus_tune}}, beat, fill, true};
    Section bridge{"bridge", 4, "4 5 3 6", {{"bass", "1 . . . 1 . . ."}, {"pad", pad}, {"arp", arp},
                                           {"lead", bridge_tune}},
                   hats_only, fill, true};
    Section outro{"outro", 4, "6 4 1 5", {{"bass", pump}, {"pad", pad}, {"arp", arp}},
                  {{KICK, "x...x...x...x..."}, {HAT, "o.x.o.x.o.x.o.x."}}, {}, false};
    s.sections = {intro, verse, chorus, bridge, chorus, outro};
    s.level_db = -0.4f;
    return s;
}

// "Night Run": drum'n'bass in F minor, rolling breakbeat, deep bass, pads, a flute on top.
Song night_run()
{
    Song s{"Night Run", 172, 65, MINOR, 0, {}, {}};
    s.parts = {
        {"drums", PartKind::drums, 0, DRUM_CHANNEL, 108, 64, 0, 1, 0},
        {"bass", PartKind::chord_line, SYNTH_BASS, 0, 115, 64, 36, 1, 104},
        {"pad", PartKind::chord_hits, SWEEP_PAD, 1, 72, 64, 53, 1, 70, Voicing::seventh},
        {"keys", PartKind::chord_hits, ELECTRIC_PIANO, 2, 76, 40, 60, 1, 74, Voicing::seventh},
        {"lead", PartKind::key_line, FLUTE, 3, 96, 84, 65, 2, 96},
    };
    const std::vector<DrumLine> breakbeat = {
        {KICK, "x.........x.......x.......x....."},
        {SNARE, "....X..o.o..X......o..X..o..X..o"},
        {HAT, "x.x.x.xox.x.x.x.x.x.x.xox.x.x.xx"}};
    std::vector<DrumLine> breakbeat_ride = breakbeat;
    breakbeat_ride.push_back({RIDE, "x...x...x...x..."});
    const std::vector<DrumLine> hats = {{HAT, "x.x.x.x.x.x.x.x."}, {SHAKER, "..x...x...x...x."}};
    const std::vector<DrumLine> fill = {
        {KICK, "x.........x....."}, {SNARE, "....X.o.XoXoXXXX"}, {TOM_HIGH, "......x........."}};
    const std::string roll = "1 . . . . . . . . . 1 . 1 . . . | - - 1 . . . . . . . 5 . . . 7 .";
    const std::string pad = "x . . . . . . . . . . . . . . . . . . . . . . . . . . . . . . .";
    const std::string keys = "- - x . - - - x . - - - - - - -";
    const std::string tune =
        "5 . . . . . 4 3 | 4 . . . 5 . . . | 6 . . . . . 5 4 | 3 . . . . . . . | "
        "3 . . . 5 . . . | 8 . . . 7 . 5 . | 7 . . . . . 5 . | 4 . . . . . - -";
    const std::string progression = "1 1 6 6 3 3 7 7";
    Section intro{"intro", 8, progression, {{"pad", pad}, {"keys", keys}}, hats, fill, false};
    Section drop{"drop", 16, progression, {{"bass", roll}, {"pad", pad}, {"keys", keys}, {"lead", tune}},
                 breakbeat, fill, true};
    Section breakdown{"breakdown", 8, progression, {{"pad", pad}, {"keys", keys}, {"lead", tune}}, hats, fill,
                      true};
    Section second_drop{"drop", 16, progression, {{"bass", roll}, {"pad", pad}, {"keys", keys}, {"lead", tune}},
                        breakbeat_ride, fill, true};
    s.sections = {intro, drop, breakdown, second_drop};
    s.level_db = -0.8f;
    return s;
}

// "Harbour Skank": reggae one-drop in G major, offbeat guitar and organ, a trumpet melody.
Song harbour_skank()
{
    Song s{"Harbour Skank", 76, 67, MAJOR, 6, {}, {}};
    s.parts = {
        {"drums", PartKind::drums, 0, DRUM_CHANNEL, 100, 64, 0, 1, 0},
        {"bass", PartKind::chord_line, FINGER_BASS, 0, 118, 64, 43, 1, 104},
        {"skank", PartKind::chord_hits, CLEAN_GUITAR, 1, 84, 84, 62, 1, 88},
        {"organ", PartKind::chord_hits, ORGAN, 2, 64, 40, 55, 1, 66},
        {"trumpet", PartKind::key_line, TRUMPET, 3, 92, 64, 67, 2, 94},
    };
    const std::vector<DrumLine> one_drop = {
        {KICK, "........x......."}, {RIM, "........x......."}, {HAT, "x.xox.xox.xox.xo"}};
    const std::vector<DrumLine> fill = {
        {KICK, "........x......."}, {RIM, "........x......."}, {HAT, "x.xox.xo........"},
        {TOM_HIGH, "..........x.x..."}, {TOM_LOW, "..............x."}};
    const std::string bass = "1 . . . . . - 1 3 . - 5 . . 3 .";
    const std::string skank = "- - - - x - - - - - - - x - - -";
    const std::string bubble = "- - x . - - x . - - x . - - x .";
    const std::string verse_tune =
        "5 . . . 3 . 5 . | 6 . 5 . 4 . 3 . | 3 . 2 . 1 . 2 3 | 1 . . . - - - - | "
        "5 . . . 3 . 5 . | 6 . 8 . 6 . 5 . | 5 . 6 . 5 . 2 . | 2 . . . - - - -";
    const std::string chorus_tune =
        "8 . . . 6 . 5 . | 6 . . . 5 . 2 . | 3 . 5 . 6 . 5 . | 3 . . . - - - - | "
        "8 . . . 9 . 8 . | 6 . . . 5 . 6 . | 5 . . . 3 . 2 . | 1 . . . - - - -";
    Section intro{"intro", 2, "1 4", {{"bass", bass}, {"skank", skank}}, one_drop, fill, false};
    Section verse{"verse", 8, "1 4 1 4 1 4 5 5",
                  {{"bass", bass}, {"skank", skank}, {"organ", bubble}, {"trumpet", verse_tune}}, one_drop, fill,
                  false};
    Section chorus{"chorus", 8, "4 5 1 6",
                   {{"bass", bass}, {"skank", skank}, {"organ", bubble}, {"trumpet", chorus_tune}}, one_drop,
                   fill, true};
    Section dub{"dub", 4, "1 4", {{"bass", bass}, {"skank", skank}}, one_drop, fill, false};
    s.sections = {intro, verse, chorus, dub};
    s.level_db = 0.8f;
    return s;
}

// "Underpass": dark techno in A phrygian, four on the floor, a gnawing bass and cold stabs.
Song underpass()
{
    Song s{"Underpass", 130, 57, PHRYGIAN, 0, {}, {}};
    s.parts = {
        {"drums", PartKind::drums, 0, DRUM_CHANNEL, 110, 64, 0, 1, 0},
        {"bass", PartKind::chord_line, SYNTH_BASS, 0, 112, 64, 45, 1, 100},
        {"stab", PartKind::chord_hits, CHARANG, 1, 66, 88, 57, 1, 84},
        {"pad", PartKind::chord_hits, HALO_PAD, 2, 70, 40, 57, 1, 70, Voicing::seventh},
        {"lead", PartKind::key_line, SQUARE_LEAD, 3, 80, 64, 69, 2, 90},
    };
    const std::vector<DrumLine> kick_hats = {
        {KICK, "x...x...x...x..."}, {OPEN_HAT, "..x...x...x...x."}, {HAT, ".o.o.o.o.o.o.o.o"}};
    std::vector<DrumLine> full = kick_hats;
    full.push_back({CLAP, "....x.......x..."});
    full.push_back({RIM, "......x.......xo"});
    const std::vector<DrumLine> roll = {
        {KICK, "x...x...x...x..."}, {CLAP, "....x...x.x.xxxx"}, {OPEN_HAT, "..x...x...x...x."}};
    const std::vector<DrumLine> no_kick = {{HAT, ".o.o.o.o.o.o.o.o"}, {CLAP, "............x..."}};
    const std::string bass = "1 - 1 8 - 1 2 - 1 - 8 1 - 3 2 -";
    const std::string stab = "- - - x - - x - - - - x - - - -";
    const std::string pad = "x . . . . . . . . . . . . . . . . . . . . . . . . . . . . . . .";
    const std::string tune = "8 . 7 . 6 . 5 . | 6 . . . 5 . . . | 8 . 7 . 6 . 5 . | 2 . . . 1 . . .";
    const std::string chords = "1 1 2 1";
    Section intro{"intro", 8, chords, {}, kick_hats, roll, false};
    Section build{"build", 8, chords, {{"bass", bass}}, full, roll, true};
    Section main{"main", 8, chords, {{"bass", bass}, {"stab", stab}, {"lead", tune}}, full, roll, true};
    Section breakdown{"break", 4, chords, {{"pad", pad}, {"lead", tune}}, no_kick, roll, true};
    Section drop{"drop", 8, chords, {{"bass", bass}, {"stab", stab}, {"pad", pad}, {"lead", tune}}, full, roll,
                 true};
    s.sections = {intro, build, main, breakdown, drop};
    s.level_db = 1.2f;
    return s;
}

} // namespace

std::vector<Song> radio_songs()
{
    return {redline(), slick_heist(), neon_drive(), night_run(), harbour_skank(), underpass()};
}
