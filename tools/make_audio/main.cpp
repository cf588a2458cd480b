// make_audio SOUND_DIR MUSIC_DIR
// Synthesises the sound effects into SOUND_DIR as NN_name.wav and composes the car radio's tunes
// into MUSIC_DIR as NN_name.mid; the build packs each folder into a datafile, whose objects
// are sorted by name, so the NN prefix is the object number.
#include <cctype>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "sounds.h"
#include "tunes.h"
#include "wav.h"

namespace {

bool write_sounds(const std::filesystem::path &dir)
{
    for (const SoundEffect &effect : make_sound_effects()) {
        std::string path = (dir / (effect.name + ".wav")).string();
        if (!write_wav(path, effect.wave)) {
            std::fprintf(stderr, "make_audio: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}

std::string file_name_of(int index, const std::string &title)
{
    std::string name = std::to_string(index / 10) + std::to_string(index % 10) + "_";
    for (char c : title) name += c == ' ' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name + ".mid";
}

bool write_tunes(const std::filesystem::path &dir)
{
    std::vector<Song> songs = radio_songs();
    for (size_t i = 0; i < songs.size(); ++i) {
        RenderedSong rendered = render_song(songs[i], 1000u + static_cast<unsigned>(i));
        std::string bytes = encode_midi(rendered.tracks, TICKS_PER_QUARTER, rendered.end_tick);
        std::string path = (dir / file_name_of(static_cast<int>(i), songs[i].title)).string();
        std::ofstream file(path, std::ios::binary);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!file) {
            std::fprintf(stderr, "make_audio: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_audio SOUND_DIR MUSIC_DIR\n");
        return 2;
    }
    std::filesystem::path sound_dir = argv[1], music_dir = argv[2];
    std::error_code error;
    std::filesystem::create_directories(sound_dir, error);
    std::filesystem::create_directories(music_dir, error);
    try {
        if (!write_sounds(sound_dir) || !write_tunes(music_dir)) return 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "make_audio: %s\n", e.what());
        return 1;
    }
    return 0;
}
