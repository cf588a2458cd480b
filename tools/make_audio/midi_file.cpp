#include "midi_file.h"

#include <algorithm>

namespace {

constexpr int ORDER_NOTE_OFF = 0;
constexpr int ORDER_SETTING = 1;
constexpr int ORDER_NOTE_ON = 2;

void put_variable_length(std::string &out, uint32_t value)
{
    uint8_t bytes[5];
    int count = 0;
    bytes[count++] = value & 0x7F;
    while (value >>= 7) bytes[count++] = static_cast<uint8_t>((value & 0x7F) | 0x80);
    while (count > 0) out.push_back(static_cast<char>(bytes[--count]));
}

void put_big_endian(std::string &out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::vector<uint8_t> name_event(const std::string &name)
{
    std::vector<uint8_t> bytes = {0xFF, 0x03, static_cast<uint8_t>(name.size())};
    bytes.insert(bytes.end(), name.begin(), name.end());
    return bytes;
}

std::string encode_track(const MidiTrack &track, int end_tick)
{
    std::vector<MidiEvent> events = track.events;
    events.insert(events.begin(), MidiEvent{0, ORDER_SETTING - 1, name_event(track.name)});
    std::stable_sort(events.begin(), events.end(), [](const MidiEvent &a, const MidiEvent &b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::string body;
    int last_tick = 0;
    for (const MidiEvent &e : events) {
        int tick = std::min(e.tick, end_tick);
        put_variable_length(body, static_cast<uint32_t>(tick - last_tick));
        body.append(e.bytes.begin(), e.bytes.end());
        last_tick = tick;
    }
    put_variable_length(body, static_cast<uint32_t>(end_tick - last_tick));
    body += std::string("\xFF\x2F\x00", 3);

    std::string out = "MTrk";
    put_big_endian(out, static_cast<uint32_t>(body.size()), 4);
    return out + body;
}

} // namespace

void MidiTrack::note(int tick, int length, int channel, int key, int velocity)
{
    uint8_t ch = static_cast<uint8_t>(channel & 0x0F);
    uint8_t k = static_cast<uint8_t>(std::clamp(key, 0, 127));
    uint8_t v = static_cast<uint8_t>(std::clamp(velocity, 1, 127));
    events.push_back({tick, ORDER_NOTE_ON, {static_cast<uint8_t>(0x90 | ch), k, v}});
    events.push_back({tick + std::max(1, length), ORDER_NOTE_OFF, {static_cast<uint8_t>(0x80 | ch), k, 64}});
}

void MidiTrack::program(int channel, int program)
{
    events.push_back({0, ORDER_SETTING, {static_cast<uint8_t>(0xC0 | channel), static_cast<uint8_t>(program)}});
}

void MidiTrack::control(int channel, int controller, int value)
{
    events.push_back({0, ORDER_SETTING,
                      {static_cast<uint8_t>(0xB0 | channel), static_cast<uint8_t>(controller),
                       static_cast<uint8_t>(std::clamp(value, 0, 127))}});
}

void MidiTrack::tempo(int tick, int beats_per_minute)
{
    uint32_t us = 60000000u / static_cast<uint32_t>(beats_per_minute);
    events.push_back({tick, ORDER_SETTING,
                      {0xFF, 0x51, 0x03, static_cast<uint8_t>(us >> 16),
                       static_cast<uint8_t>(us >> 8), static_cast<uint8_t>(us)}});
}

void MidiTrack::time_signature_4_4()
{
    events.push_back({0, ORDER_SETTING, {0xFF, 0x58, 0x04, 4, 2, 24, 8}});
}

std::string encode_midi(const std::vector<MidiTrack> &tracks, int ticks_per_quarter, int end_tick)
{
    std::string out = "MThd";
    put_big_endian(out, 6, 4);
    put_big_endian(out, 1, 2);
    put_big_endian(out, static_cast<uint32_t>(tracks.size()), 2);
    put_big_endian(out, static_cast<uint32_t>(ticks_per_quarter), 2);
    for (const MidiTrack &t : tracks) out += encode_track(t, end_tick);
    return out;
}
