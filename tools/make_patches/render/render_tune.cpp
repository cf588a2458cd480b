// render_tune PATCHES_DAT MIDI_DAT TUNE OUTPUT_WAV [CHANNEL]
// Plays tune number TUNE (0 .. 5) of the car radio through the library's DIGMID player with
// our patches, faster than real time and with no sound device, and writes what the player
// would have sent to the speakers as a stereo 16-bit WAV. With CHANNEL, only that channel's
// notes sound (9 is the drums). For listening to the instruments; the build does not use it.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "offline_player.h"

namespace {

void put(std::ofstream &file, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) file.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool write_wav(const std::string &path, const std::vector<int16_t> &samples)
{
    std::ofstream file(path, std::ios::binary);
    uint32_t data = static_cast<uint32_t>(samples.size() * 2);
    file.write("RIFF", 4);
    put(file, 36 + data, 4);
    file.write("WAVEfmt ", 8);
    put(file, 16, 4);
    put(file, 1, 2);
    put(file, 2, 2);
    put(file, offline_player::MIX_RATE, 4);
    put(file, offline_player::MIX_RATE * 4, 4);
    put(file, 4, 2);
    put(file, 16, 2);
    file.write("data", 4);
    put(file, data, 4);
    for (int16_t s : samples) put(file, static_cast<uint16_t>(s), 2);
    return static_cast<bool>(file);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: render_tune PATCHES_DAT MIDI_DAT TUNE OUTPUT_WAV [CHANNEL]\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 1;
    int tune = std::atoi(argv[3]);
    int channel = argc == 6 ? std::atoi(argv[5]) : offline_player::ANY_CHANNEL;
    DATAFILE *tunes = load_datafile(argv[2]);
    if (!tunes || tune < 0 || tune > 5 || tunes[tune].type != DAT_MIDI) {
        std::fprintf(stderr, "render_tune: no tune %d in %s\n", tune, argv[2]);
        return 1;
    }
    std::vector<offline_player::TuneEvent> events = offline_player::tune_events(static_cast<MIDI *>(tunes[tune].dat));
    std::vector<int16_t> samples;
    {
        offline_player::Session session(argv[1]);
        if (!session.ok || !session.load_patches(events)) {
            std::fprintf(stderr, "render_tune: the player would not start with %s: %s\n", argv[1], allegro_error);
            return 1;
        }
        samples = session.render(events, channel, 2.0);
    }
    unload_datafile(tunes);
    if (!write_wav(argv[4], samples)) {
        std::fprintf(stderr, "render_tune: cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}
