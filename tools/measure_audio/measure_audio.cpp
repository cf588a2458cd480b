// measure_audio FILE.wav ...
// measure_audio --tunes PATCHES_DAT MIDI_DAT
// Prints how loud and how bright each sound is, for balancing the game's sounds by measurement
// rather than by ear on one pair of speakers:
//   level   A-weighted level, dB full scale: of the loudest 300 ms of a sound effect (a mono
//           WAV), of the whole of a tune (a stereo WAV, or --tunes)
//   flat    the same without the weighting
//   peak    the highest sample, dB full scale
//   <150    share of the energy below 150 Hz (lost on small speakers)
//   1-6k    share of the energy from 1 to 6 kHz (where a crack or a voice carries)
//   attack  ms from the start to the loudest 10 ms (sound effects)
// With --tunes, each of the six tunes of MIDI_DAT is played through the library's own player
// and the instruments of PATCHES_DAT, as the car radio plays it.
#include <allegro.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../make_patches/render/offline_player.h"
#include "loudness.h"

namespace {

struct Sound {
    int rate = 0;
    std::vector<std::vector<float>> channels;
};

uint32_t little(const unsigned char *p, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

// A 16-bit PCM WAV file, mono or stereo; no channels when it is anything else.
Sound read_wav(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    Sound sound;
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0)
        return sound;
    int channels = 0, bits = 0;
    for (size_t at = 12; at + 8 <= b.size();) {
        uint32_t size = little(&b[at + 4], 4);
        const unsigned char *body = &b[at + 8];
        if (at + 8 + size > b.size()) size = static_cast<uint32_t>(b.size() - at - 8);
        if (std::memcmp(&b[at], "fmt ", 4) == 0 && size >= 16) {
            channels = static_cast<int>(little(body + 2, 2));
            sound.rate = static_cast<int>(little(body + 4, 4));
            bits = static_cast<int>(little(body + 14, 2));
        } else if (std::memcmp(&b[at], "data", 4) == 0 && bits == 16 && (channels == 1 || channels == 2)) {
            sound.channels.assign(channels, {});
            for (uint32_t i = 0; i + 2 * channels <= size; i += 2 * channels)
                for (int c = 0; c < channels; ++c)
                    sound.channels[c].push_back(static_cast<int16_t>(little(body + i + 2 * c, 2)) / 32768.0f);
        }
        at += 8 + size + (size & 1);
    }
    return sound;
}

double attack_ms(const std::vector<float> &samples, int rate)
{
    const size_t window = std::max(1, rate / 100);
    double sum = 0.0, loudest = 0.0;
    size_t loudest_end = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
        if (i >= window) sum -= static_cast<double>(samples[i - window]) * samples[i - window];
        if (sum > loudest) {
            loudest = sum;
            loudest_end = i + 1;
        }
    }
    return 1000.0 * (loudest_end > window ? loudest_end - window : 0) / rate;
}

void print_header()
{
    std::printf("%-28s %6s %7s %7s %7s %6s %6s %7s\n", "sound", "secs", "level", "flat", "peak", "<150",
                "1-6k", "attack");
}

// The levels of a sound effect (mono: its loudest 300 ms) or of a tune (stereo: all of it).
void print_row(const std::string &name, const Sound &sound)
{
    const std::vector<float> &first = sound.channels.front();
    bool effect = sound.channels.size() == 1;
    double level = effect ? effect_loudness_db(first, sound.rate) : mean_loudness_db(sound.channels, sound.rate);
    double flat = 0.0, peak = 0.0;
    for (const std::vector<float> &c : sound.channels) {
        for (float s : c) {
            flat += static_cast<double>(s) * s;
            peak = std::max(peak, static_cast<double>(std::fabs(s)));
        }
    }
    flat = effect ? loudest_window_db(first, sound.rate, 0.3)
                  : 10.0 * std::log10(std::max(flat / (first.size() * sound.channels.size()), 1e-20));
    std::printf("%-28s %6.2f %7.1f %7.1f %7.1f %5.0f%% %5.0f%%", name.c_str(),
                static_cast<double>(first.size()) / sound.rate, level, flat, 20.0 * std::log10(std::max(peak, 1e-9)),
                100.0 * band_share(first, sound.rate, 0.0, 150.0), 100.0 * band_share(first, sound.rate, 1000.0, 6000.0));
    if (effect) std::printf(" %6.0fms", attack_ms(first, sound.rate));
    std::printf("\n");
}

int measure_files(int count, char **paths)
{
    print_header();
    for (int i = 0; i < count; ++i) {
        Sound sound = read_wav(paths[i]);
        if (sound.channels.empty()) {
            std::fprintf(stderr, "measure_audio: %s is not a 16-bit PCM WAV\n", paths[i]);
            return 1;
        }
        std::string name = paths[i];
        print_row(name.substr(name.find_last_of('/') + 1), sound);
    }
    return 0;
}

int measure_tunes(const char *patches_path, const char *midi_path)
{
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
    DATAFILE *tunes = load_datafile(midi_path);
    if (!tunes) {
        std::fprintf(stderr, "measure_audio: cannot load %s\n", midi_path);
        return 1;
    }
    offline_player::Session session(patches_path);
    if (!session.ok) {
        std::fprintf(stderr, "measure_audio: the player would not start with %s: %s\n", patches_path, allegro_error);
        return 1;
    }
    print_header();
    for (int t = 0; t < 6 && tunes[t].type == DAT_MIDI; ++t) {
        std::vector<offline_player::TuneEvent> events = offline_player::tune_events(static_cast<MIDI *>(tunes[t].dat));
        if (!session.load_patches(events)) return 1;
        std::vector<int16_t> mixed = session.render(events, offline_player::ANY_CHANNEL, 0.0);
        Sound sound{offline_player::MIX_RATE, {{}, {}}};
        for (size_t i = 0; i + 1 < mixed.size(); i += 2) {
            sound.channels[0].push_back(mixed[i] / 32768.0f);
            sound.channels[1].push_back(mixed[i + 1] / 32768.0f);
        }
        print_row("tune " + std::to_string(t), sound);
    }
    unload_datafile(tunes);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--tunes") == 0) return measure_tunes(argv[2], argv[3]);
    if (argc >= 2 && argv[1][0] != '-') return measure_files(argc - 1, argv + 1);
    std::fprintf(stderr, "usage: measure_audio FILE.wav ...\n       measure_audio --tunes PATCHES_DAT MIDI_DAT\n");
    return 2;
}
