// The tunes and the samples. A sprite's sample follows it: loud near the player, panned to
// its side, silent out of earshot.
#include "sound/sound.h"

#include <cstdlib>

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
}  // namespace

void install_game_sound()
{
    // Without a sound device the full request fails; keep whichever half still works.
    if (install_sound(DIGI_AUTODETECT, MIDI_AUTODETECT, nullptr) == 0 ||
        install_sound(DIGI_AUTODETECT, MIDI_NONE, nullptr) == 0 ||
        install_sound(DIGI_NONE, MIDI_AUTODETECT, nullptr) == 0)
        sound_installed = true;
}

void load_sounds()
{
    sound_data = load_datafile("sound.dat");
    midi_data = load_datafile("midi.dat");
    if (!midi_data) fatal_error("Error opening midi.dat!");
    if (!sound_data) fatal_error("Error opening sound.dat!");
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
    if (!sound_data || object < 0 || object >= SAMPLE_COUNT) return nullptr;
    return (SAMPLE *)sound_data[object].dat;
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
