// Sound: the six looping tunes and the samples, placed by where their sprite is.
#pragma once
#include <allegro.h>

struct Sprite;

// "sound.dat" (samples by object index) and "midi.dat" (six tunes).
extern DATAFILE *sound_data;
extern DATAFILE *midi_data;
// The tune last started.
extern MIDI *current_music;
// Whether load_game got a sound driver; without one nothing is played.
extern bool sound_installed;

// load_game: installs a sound driver, falling back to digital or MIDI sound alone.
void install_game_sound();
// load_game: loads the sample and tune files and starts a tune.
void load_sounds();
// load_sounds and a stolen car: a random tune of the six, looping.
void play_random_music();
// The menus and the banner: one sample, unplaced.
void play_sound(SAMPLE *sample);
// Sprites' sounds: attach sample to the sprite and start it; a null sample stops it.
void play_sprite_sound(Sprite *sprite, SAMPLE *sample, int loop);
// update_world on every update of a sprite: follows its sample's pan.
void adjust_sprite_sound(Sprite *sprite);
// Everyone who names a sample by its object number in sound.dat (null before loading).
SAMPLE *sound_sample(int object);
// update_world: the tune plays only while the player is at the wheel.
void pause_music();
void resume_music();
// Whether the tune is paused (the car radio is off while the player is on foot).
extern bool music_paused;
