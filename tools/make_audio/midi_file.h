// A Standard MIDI File writer (format 1): one conductor track with the tempo, then one track
// per instrument. Only what the car radio's tunes need.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct MidiEvent {
    int tick;
    int order;                    // same tick: note-offs first, then settings, then note-ons
    std::vector<uint8_t> bytes;   // status and data, or FF type len data for meta events
};

struct MidiTrack {
    std::string name;
    std::vector<MidiEvent> events;

    void note(int tick, int length, int channel, int key, int velocity);
    void program(int channel, int program);
    void control(int channel, int controller, int value);
    void tempo(int tick, int beats_per_minute);
    void time_signature_4_4();
};

// The whole file. Every track is closed with its end marker at end_tick, so the tune loops on
// a bar line however its last notes fall.
std::string encode_midi(const std::vector<MidiTrack> &tracks, int ticks_per_quarter, int end_tick);
