// The car radio's songwriter: turns a song written as note tables and patterns into MIDI tracks.
//
// Patterns are strings of space-separated tokens, one token per grid step of the part:
//   "-"  rest (ends the sounding note)      "."  hold the sounding note one more step
//   "5"  a scale degree (1 = the tonic or, for chord lines, the chord root; 8 = an octave up)
//        prefixed by "b" or "#" for a semitone down or up, followed by "'" or "," for an
//        octave up or down, and "!" for an accent
//   "x"  strike the chord (chord hits), "X" the same, accented
// A "|" may separate bars for the reader; it is ignored. Drum lines are one character per
// sixteenth: "." nothing, "o" ghost, "x" hit, "X" accent.
#pragma once
#include <array>
#include <map>
#include <string>
#include <vector>

#include "midi_file.h"

constexpr int TICKS_PER_QUARTER = 96;
constexpr int TICKS_PER_STEP = TICKS_PER_QUARTER / 4;   // one sixteenth
constexpr int STEPS_PER_BAR = 16;
constexpr int DRUM_CHANNEL = 9;

using Scale = std::array<int, 7>;
constexpr Scale MAJOR = {0, 2, 4, 5, 7, 9, 11};
constexpr Scale MINOR = {0, 2, 3, 5, 7, 8, 10};
constexpr Scale DORIAN = {0, 2, 3, 5, 7, 9, 10};
constexpr Scale PHRYGIAN = {0, 1, 3, 5, 7, 8, 10};

// General MIDI drum keys the songs use.
enum Drum {
    KICK = 36, RIM = 37, SNARE = 38, CLAP = 39, HAT = 42, TOM_LOW = 43,
    OPEN_HAT = 46, TOM_MID = 47, CRASH = 49, TOM_HIGH = 50, RIDE = 51, TAMBOURINE = 54,
    SHAKER = 82
};

enum class PartKind {
    drums,        // plays the section's drum lines
    chord_line,   // degrees counted from the current chord's root (bass lines, arpeggios)
    key_line,     // degrees counted from the key's tonic (melodies)
    chord_hits    // "x" strikes the current chord
};

enum class Voicing { triad, seventh, power };

struct Part {
    std::string name;
    PartKind kind;
    int program;       // General MIDI program, 0-based
    int channel;
    int volume;        // controller 7
    int pan;           // controller 10
    int base_note;     // lines: the note of degree 1; chords: the bottom of the voicing range
    int step;          // sixteenths per token
    int velocity;
    Voicing voicing = Voicing::triad;
};

struct DrumLine {
    int key;
    std::string steps;   // one character per sixteenth; repeats if shorter than the section
};

struct Section {
    std::string name;
    int bars;
    std::string chords;                         // one token per bar, "4/5" splits a bar
    std::map<std::string, std::string> lines;   // part name -> pattern; missing parts rest
    std::vector<DrumLine> drums;
    std::vector<DrumLine> fill;                 // replaces the drums in the section's last bar
    bool crash = false;                         // crash cymbal on the first beat
};

struct Song {
    std::string title;
    int bpm;
    int tonic;           // MIDI key of degree 1 in the middle octave (key lines add their base)
    Scale scale;
    int swing;           // ticks by which off-beat sixteenths are late
    std::vector<Part> parts;
    std::vector<Section> sections;
    float level_db = 0.0f;   // moves every part's volume together, to match the other tunes
};

struct RenderedSong {
    std::vector<MidiTrack> tracks;
    int end_tick;
};

RenderedSong render_song(const Song &song, unsigned seed);

// Semitones above the tonic of a scale degree (1-based, may pass 7 or be below 1).
int degree_semitones(const Scale &scale, int degree);
