// The tunes and the samples. A sprite's sample follows it: loud near the player, panned to
// its side, silent out of earshot.
#include "sound/sound.h"

#include <cstdlib>
#include <cstring>

#include "frame/data_files.h"
#include "frame/frame.h"
#include "sprites/sprites.h"

DATAFILE *sound_data = nullptr;
DATAFILE *midi_data = nullptr;
MIDI *current_music = nullptr;
bool sound_installed = false;
bool music_paused = false;

namespace {
constexpr int TUNE_COUNT = 6;
constexpr int SAMPLE_COUNT = 29;
// The samples the game plays; sound.dat's other objects are never looked at.
constexpr int USED_SAMPLES[] = {2, 5, 6, 7, 8, 10, 14, 15, 16, 17, 18, 19, 21, 22, 23, 24, 25,
                                26, 27, 28};
// The used samples by object number, checked when loaded; null for the others.
SAMPLE *samples[SAMPLE_COUNT] = {};
constexpr int CENTRE = 128;
constexpr int PITCH = 1000;

struct Placement {
    int volume, pan;
};

Placement place(const Sprite *sprite)
{
    Placement p{CENTRE, CENTRE};
    if (!player) return p;
    int dx = abs(player->x - sprite->x), dy = abs(player->y - sprite->y);
    p.volume = CENTRE - (dx + dy) / 6;
    p.pan = CENTRE + (player->x - sprite->x) / 4;
    return p;
}

// The library's MIDI player reads the instruments of its patch set (the file the [sound]
// "patches" setting names, else the patches.dat it finds beside the game) as soon as sound is
// installed, and trusts every size in it. A missing set only leaves the radio to another
// player; a damaged one stops the game before the library reads it.
void check_patch_set()
{
    char path[1024];
    const char *configured = get_config_string("sound", "patches", nullptr);
    if (configured && find_allegro_resource(path, configured, nullptr, nullptr, nullptr, nullptr,
                                            nullptr, sizeof path) == 0) {
        // A set named by its folder's default.cfg is not a datafile, and not ours.
        size_t n = strlen(path);
        if (n > 4 && strcmp(path + n - 4, ".dat") == 0) check_data_file(path, DATAFILE_KIND, true);
        return;
    }
    if (find_allegro_resource(path, "patches.dat", nullptr, nullptr, nullptr, nullptr, nullptr,
                              sizeof path) == 0)
        check_data_file(path, DATAFILE_KIND, true);
}
}  // namespace

void install_game_sound()
{
    check_patch_set();
    // Without a sound device the full request fails; keep whichever half still works.
    if (install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr) == 0 ||
        install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) == 0 ||
        install_sound(DIGI_NONE, MIDI_AUTODETECT, nullptr) == 0)
        sound_installed = true;
}

void load_sounds()
{
    sound_data = load_checked_datafile("sound.dat");
    midi_data = load_checked_datafile("midi.dat");
    if (!midi_data) fatal_error("Error opening midi.dat!");
    if (!sound_data) fatal_error("Error opening sound.dat!");
    for (int tune = 0; tune < TUNE_COUNT; tune++)
        require_object(midi_data, "midi.dat", tune, DAT_MIDI);
    for (int object : USED_SAMPLES) {
        require_object(sound_data, "sound.dat", object, DAT_SAMPLE);
        samples[object] = (SAMPLE *)sound_data[object].dat;
    }
    play_random_music();
}

void play_random_music()
{
    int index = remainder_in_range(next_random(), TUNE_COUNT);
    current_music = midi_data ? (MIDI *)midi_data[index].dat : nullptr;
    if (!current_music) fatal_error("Error caching MIDI music!");
    if (sound_installed) play_midi(current_music, TRUE);
}

SAMPLE *sound_sample(int object)
{
    if (object < 0 || object >= SAMPLE_COUNT) return nullptr;
    return samples[object];
}

void play_sound(SAMPLE *sample)
{
    if (sound_installed && sample) play_sample(sample, CENTRE, CENTRE, PITCH, 0);
}

void play_sprite_sound(Sprite *sprite, SAMPLE *sample, int loop)
{
    if (!sprite) return;
    Placement p = place(sprite);
    if (!sample) {
        if (sprite->sample && sound_installed) stop_sample(sprite->sample);
        sprite->sample_loop = 0;
        return;
    }
    // A looping sample already attached keeps playing.
    if (sample == sprite->sample && sprite->sample_loop) return;
    if (sprite->sample && sound_installed) stop_sample(sprite->sample);
    sprite->sample = sample;
    sprite->sample_loop = loop;
    if (p.volume < 0) return;  // out of earshot: attached, not started
    if (sound_installed) play_sample(sample, p.volume, p.pan, PITCH, loop);
}

void adjust_sprite_sound(Sprite *sprite)
{
    Placement p = place(sprite);
    if (!sprite->sample || p.volume < 0) return;
    if (sound_installed) adjust_sample(sprite->sample, CENTRE, p.pan, PITCH, sprite->sample_loop);
}

void pause_music()
{
    music_paused = true;
    if (sound_installed) midi_pause();
}

void resume_music()
{
    music_paused = false;
    if (sound_installed) midi_resume();
}
