// Plays the radio's tunes through the library's own DIGMID player and patches.dat, with no
// sound device and faster than real time: a sound driver of our own hands the library's mixer
// output to memory, and the tune's events are fed to the player one by one at their times.
// Used by render_tune (to listen to the instruments) and by the tests (to hear that every part
// of every tune sounds). Needs the library started, on any system driver.
#pragma once
#include <allegro.h>
#include <allegro/internal/aintern.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace offline_player {

constexpr int MIX_RATE = 44100;
constexpr int CHUNK_FRAMES = 64;   // mixed between two events: 1.5 ms
constexpr int DRUM_CHANNEL = 9;
constexpr int ANY_CHANNEL = -1;

struct TuneEvent {
    double seconds;
    std::vector<unsigned char> bytes;   // one complete channel message
};

// A tune's channel messages from every track, in time order, with the tempo map applied.
inline std::vector<TuneEvent> tune_events(const MIDI *midi)
{
    struct Raw {
        long tick;
        int order;
        std::vector<unsigned char> bytes;
    };
    std::vector<Raw> raw;
    std::map<long, double> tempo = {{0, 500000.0}};
    for (int t = 0; t < MIDI_TRACKS; ++t) {
        const unsigned char *p = midi->track[t].data, *end = p + midi->track[t].len;
        long tick = 0;
        int status = 0;
        auto variable = [&]() {
            long v = 0;
            while (p < end) {
                unsigned char b = *p++;
                v = (v << 7) | (b & 0x7F);
                if (!(b & 0x80)) break;
            }
            return v;
        };
        while (p && p < end) {
            tick += variable();
            if (*p == 0xFF) {
                int type = p[1];
                p += 2;
                long len = variable();
                if (type == 0x51 && len == 3) tempo[tick] = (p[0] << 16) | (p[1] << 8) | p[2];
                p += len;
                continue;
            }
            if (*p == 0xF0 || *p == 0xF7) {
                ++p;
                p += variable();
                continue;
            }
            if (*p & 0x80) status = *p++;
            int kind = status & 0xF0, size = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            std::vector<unsigned char> bytes = {static_cast<unsigned char>(status)};
            bytes.insert(bytes.end(), p, p + size);
            p += size;
            bool note_off = kind == 0x80 || (kind == 0x90 && bytes[2] == 0);
            raw.push_back({tick, note_off ? 0 : (kind == 0x90 ? 2 : 1), bytes});
        }
    }
    std::stable_sort(raw.begin(), raw.end(),
                     [](const Raw &a, const Raw &b) { return a.tick != b.tick ? a.tick < b.tick : a.order < b.order; });
    std::vector<TuneEvent> out;
    for (const Raw &r : raw) {
        double seconds = 0.0;
        long from = 0;
        double us = 500000.0;
        for (auto &change : tempo) {
            if (change.first > r.tick) break;
            seconds += (change.first - from) * us / 1e6 / midi->divisions;
            from = change.first;
            us = change.second;
        }
        seconds += (r.tick - from) * us / 1e6 / midi->divisions;
        out.push_back({seconds, r.bytes});
    }
    return out;
}

inline bool is_note(const TuneEvent &e)
{
    int kind = e.bytes[0] & 0xF0;
    return kind == 0x80 || kind == 0x90;
}

inline int channel_of(const TuneEvent &e)
{
    return e.bytes[0] & 0x0F;
}

// The sound driver: the library's own software mixer, asked for samples by us.
inline DIGI_DRIVER &capture_driver()
{
    static DIGI_DRIVER driver = [] {
        DIGI_DRIVER d{};
        d.id = AL_ID('C', 'A', 'P', 'T');
        d.name = d.desc = d.ascii_name = "offline capture";
        d.max_voices = 64;
        d.def_voices = 32;
        d.detect = [](int) { return TRUE; };
        d.init = [](int, int voices) {
            capture_driver().voices = voices;
            return _mixer_init(CHUNK_FRAMES * 2, MIX_RATE, TRUE, TRUE, &capture_driver().voices) ? -1 : 0;
        };
        d.exit = [](int) { _mixer_exit(); };
        d.init_voice = _mixer_init_voice;
        d.release_voice = _mixer_release_voice;
        d.start_voice = _mixer_start_voice;
        d.stop_voice = _mixer_stop_voice;
        d.loop_voice = _mixer_loop_voice;
        d.get_position = _mixer_get_position;
        d.set_position = _mixer_set_position;
        d.get_volume = _mixer_get_volume;
        d.set_volume = _mixer_set_volume;
        d.ramp_volume = _mixer_ramp_volume;
        d.stop_volume_ramp = _mixer_stop_volume_ramp;
        d.get_frequency = _mixer_get_frequency;
        d.set_frequency = _mixer_set_frequency;
        d.sweep_frequency = _mixer_sweep_frequency;
        d.stop_frequency_sweep = _mixer_stop_frequency_sweep;
        d.get_pan = _mixer_get_pan;
        d.set_pan = _mixer_set_pan;
        d.sweep_pan = _mixer_sweep_pan;
        d.stop_pan_sweep = _mixer_stop_pan_sweep;
        d.set_echo = _mixer_set_echo;
        d.set_tremolo = _mixer_set_tremolo;
        d.set_vibrato = _mixer_set_vibrato;
        return d;
    }();
    return driver;
}

// While it lives, the library's sound runs on the capture driver and DIGMID with the given
// patches. The system driver's hooks it borrows (driver lists, and the mutexes the mixer asks
// for, which the null system lacks) are given back when it goes.
struct Session {
    SYSTEM_DRIVER saved;
    bool ok = false;

    explicit Session(const std::string &patches_path) : saved(*system_driver)
    {
        static _DRIVER_INFO digi_list[] = {{AL_ID('C', 'A', 'P', 'T'), &capture_driver(), TRUE}, {0, nullptr, 0}};
        static _DRIVER_INFO midi_list[] = {{MIDI_DIGMID, &midi_digmid, TRUE}, {0, nullptr, 0}};
        system_driver->digi_drivers = []() { return digi_list; };
        system_driver->midi_drivers = []() { return midi_list; };
        // Everything happens on this thread: the mutexes can do nothing.
        system_driver->create_mutex = []() -> void * { static int token; return &token; };
        system_driver->destroy_mutex = [](void *) {};
        system_driver->lock_mutex = [](void *) {};
        system_driver->unlock_mutex = [](void *) {};
        // A bare file name would be looked for beside the program, not in the working folder.
        std::error_code error;
        std::string where = std::filesystem::absolute(patches_path, error).string();
        set_config_string("sound", "patches", where.c_str());
        reserve_voices(8, 32);
        ok = install_sound(AL_ID('C', 'A', 'P', 'T'), MIDI_DIGMID, nullptr) == 0;
    }
    ~Session()
    {
        if (ok) remove_sound();
        set_config_string("sound", "patches", nullptr);
        *system_driver = saved;
    }
    Session(const Session &) = delete;
    Session &operator=(const Session &) = delete;

    // Loads the patches the events name, as the library does when a tune starts to play.
    bool load_patches(const std::vector<TuneEvent> &events)
    {
        char programs[128] = {0}, drums[128] = {0};
        for (const TuneEvent &e : events) {
            if ((e.bytes[0] & 0xF0) == 0xC0 && channel_of(e) != DRUM_CHANNEL) programs[e.bytes[1] & 0x7F] = 1;
            if ((e.bytes[0] & 0xF0) == 0x90 && channel_of(e) == DRUM_CHANNEL) drums[e.bytes[1] & 0x7F] = 1;
        }
        return midi_driver->load_patches(programs, drums) == 0;
    }

    // Plays the events (only the notes of `channel`, unless ANY_CHANNEL) and `tail_s` more
    // seconds, and returns interleaved stereo 16-bit samples.
    std::vector<int16_t> render(const std::vector<TuneEvent> &events, int channel, double tail_s)
    {
        std::vector<int16_t> out;
        unsigned short chunk[CHUNK_FRAMES * 2];
        auto mix_until = [&](double seconds) {
            size_t frames = static_cast<size_t>(std::lround(seconds * MIX_RATE));
            while (out.size() / 2 < frames) {
                _mix_some_samples(reinterpret_cast<uintptr_t>(chunk), 0, FALSE);
                for (unsigned short v : chunk) out.push_back(static_cast<int16_t>(v - 32768));
            }
        };
        double end = 0.0;
        for (const TuneEvent &e : events) {
            if (is_note(e) && channel != ANY_CHANNEL && channel_of(e) != channel) continue;
            mix_until(e.seconds);
            std::vector<unsigned char> bytes = e.bytes;
            midi_out(bytes.data(), static_cast<int>(bytes.size()));
            end = e.seconds;
        }
        mix_until(end + tail_s);
        return out;
    }
};

} // namespace offline_player
