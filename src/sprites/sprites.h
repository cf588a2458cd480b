// Sprites: the record every thing of the world is, the 34 templates, the sprite list, drawing,
// collisions, the world update with its physics and camera, cars, weapons and spawning.
#pragma once
#include <allegro.h>
#include <cstdint>
#include <vector>

struct Sprite;
// A sprite's will: event 0 once per update before it moves, event 1 when it is struck.
typedef void (*Behaviour)(Sprite *s, int event);

constexpr int EVENT_UPDATE = 0;
constexpr int EVENT_STRUCK = 1;

// One picture of a sprite: its number in sprites.dat and the sprite's own copy of it.
struct SpriteImage {
    int32_t object;
    BITMAP *bitmap;
};

constexpr int MAX_SPRITE_IMAGES = 30;

struct Sprite {
    int32_t image_count;
    SpriteImage images[MAX_SPRITE_IMAGES];
    Behaviour behaviour;
    int32_t power;
    int32_t period;
    uint32_t flags;
    int32_t max_health;
    int32_t health;
    int32_t wait;
    fixed angle;
    int32_t tile_x, tile_y;
    int32_t forward;
    int32_t reverse;
    int32_t handbrake;
    int32_t x, y;
    int32_t speed;
    fixed vx, vy;
    fixed turn;
    fixed spin;
    fixed scale;
    int32_t frame;
    SAMPLE *sample;
    int32_t sample_loop;
    Sprite *link;
    int32_t ambient;
    Sprite *next;
    // Not part of the game's sprite: while the world ticks, the sprite's entry in the filing of
    // where the sprites are (see "Where the sprites are" below); -1 otherwise.
    int32_t filing;
};

// flags
constexpr uint32_t SPRITE_ON_FOOT = 1;
constexpr uint32_t SPRITE_SOLID = 2;
constexpr int LAYER_SHIFT = 2;
constexpr uint32_t LAYER_MASK = 3u << LAYER_SHIFT;
constexpr int LAYER_MIDDLE = 0;
constexpr int LAYER_TOP = 1;
constexpr int LAYER_BOTTOM = 2;
constexpr int LAYER_HIDDEN = 3;
constexpr uint32_t SPRITE_TRANSLUCENT = 16;
constexpr uint32_t SPRITE_HARMFUL = 32;
constexpr uint32_t SPRITE_HEAVY = 64;
constexpr int FACTION_SHIFT = 7;
constexpr uint32_t FACTION_MASK = 3u << FACTION_SHIFT;
constexpr int FACTION_CIVILIAN = 0;
constexpr int FACTION_POLICE = 1;
constexpr int FACTION_CRIMINAL = 2;
constexpr uint32_t SPRITE_WRECKED = 512;
constexpr uint32_t SPRITE_FIRING = 1024;
constexpr uint32_t SPRITE_REMOVE = 2048;

constexpr uint32_t layer_flag(int layer) { return (uint32_t)layer << LAYER_SHIFT; }
constexpr uint32_t faction_flag(int faction) { return (uint32_t)faction << FACTION_SHIFT; }
inline int sprite_layer(const Sprite *s) { return (int)((s->flags & LAYER_MASK) >> LAYER_SHIFT); }
inline void set_sprite_layer(Sprite *s, int layer)
{
    s->flags = (s->flags & ~LAYER_MASK) | layer_flag(layer);
}
inline int sprite_faction(const Sprite *s)
{
    return (int)((s->flags & FACTION_MASK) >> FACTION_SHIFT);
}
// The picture a sprite shows now (null when its entry has none).
inline BITMAP *sprite_bitmap(const Sprite *s) { return s->images[s->frame].bitmap; }

// ---- Templates ----
constexpr int TEMPLATE_COUNT = 34;
extern Sprite templates[TEMPLATE_COUNT];
extern Sprite &obstacle_template, &crowd_template, &still_a_template, &still_b_template;
extern Sprite &stroller_a_template, &pedestrian_template, &skidrunner_template;
extern Sprite &stroller_b_template, &cop_template;
extern Sprite &car_a_template, &car_b_template, &car_c_template, &car_d_template;
extern Sprite &car_e_template, &car_f_template, &car_g_template, &car_h_template;
extern Sprite &car_i_template, &car_j_template, &car_k_template, &police_car_template;
extern Sprite &car_l_template, &splash_template, &smoke_template, &fire_template;
extern Sprite &explosion_template, &rocket_template, &bullet_template, &flame_template;
extern Sprite &marker_template, &bomb_template, &start_marker_template;
extern Sprite &briefcase_template, &death_mark_template;
// The replayer's digest and its sprite dump: the number of the template s was made from (its
// pictures tell), or -1.
int template_index(const Sprite *s);

// ---- The sprite list ----
// sprites.dat as loaded by the current game.
extern DATAFILE *sprites_data;
// Head of the list, newest first; null when empty.
extern Sprite *sprite_list;
// Listed sprites that are ambient, and listed police.
extern int ambient_count;
extern int police_count;
// The wanted level, 0..5.
extern int felony;
// The sprite the user controls; always on the list.
extern Sprite *player;
// Changes whenever a sprite joins or leaves the list.
extern uint32_t sprite_list_version;
// The walks every sprite makes over the whole city (contacts, obstacles ahead): the list in
// its order as an array, rebuilt only when the list has changed; an array walks faster than
// the links. Sprites made during a walk go to the head, where the walk has already been.
const std::vector<Sprite *> &listed_sprites();
// The height of the tallest picture of sprites.dat: no two sprites farther apart than that
// can touch.
extern int tallest_picture;

// ---- Where the sprites are ----
// update_world, first and last: files every listed sprite by the square it stands in, and
// stops; between the two, the looks below visit a few squares instead of the whole list.
void start_filing_sprites();
void stop_filing_sprites();
// create_sprite, remove_sprite, and whoever moves a sprite while the world ticks (its own
// update, a crash's push): keep the filing exact.
void file_new_sprite(Sprite *s);
void unfile_sprite(Sprite *s);
void sprite_moved(Sprite *s);
// Contacts, obstacles ahead, the spawner's free cell: every listed sprite within radius px of
// (x, y) on both axes, in list order (newest first), into out.
void sprites_near(int x, int y, int radius, std::vector<Sprite *> &out);

// Everyone who makes a sprite: a copy of the template with its own pictures, at the list head.
Sprite *create_sprite(const Sprite *source, int x, int y, fixed angle, int ambient);
// Whoever alters a sprite's picture i (recolouring, scorching, denting): the sprite's own copy
// of it, made now if the sprite still drew the shipped picture.
BITMAP *own_picture(Sprite *s, int i);
// update_world only: unlinks a marked sprite, forgets every link to it and frees it.
void remove_sprite(Sprite *s);
// new_game: frees every sprite of the last game and loads sprites.dat afresh.
void load_sprites();
// Behaviours and collisions: the whole-unit heading from sprite a toward sprite b.
int angle_to_sprite(const Sprite *a, const Sprite *b);
// Behaviours: the whole-unit heading from sprite s toward the world point (px, py).
int angle_to_point(const Sprite *s, int px, int py);
// A witnessed crime: may raise felony by one.
void raise_felony();
// "Busted!" and the other ends of a life: starts the big message with its beep.
void show_banner(const char *text);

// ---- Drawing ----
// main_loop, after the map's floor: every visible sprite, in three layer passes.
void draw_sprites();
// create_sprite for ambient sprites: one of eight paint shades for all its pictures.
void recolour_sprite(Sprite *s);
// recolour_sprite and the map's parked cars: moves the paint of every picture by shade ramps
// (-7..7; 0 keeps the colour the picture was drawn in).
void paint_sprite(Sprite *s, int shade);

// ---- Collisions ----
// update_world, before a sprite's behaviour: drowning, scrapping, buildings, contacts.
void collide_sprite(Sprite *s);
// collide_sprite, for each contact it tests: the pixel at (x, y) of what
// rotate_scaled_sprite(target, source, 0, 0, angle, scale) draws into a cleared target as large
// as need be (x and y may be negative); 0 where it draws nothing.
int turned_pixel(BITMAP *source, fixed angle, fixed scale, int x, int y);
// Whoever alters or frees a sprite's picture (own_picture, remove_sprite), and new_game for all
// of them (null): its turned copies are drawn again when next asked for.
void forget_turned_pictures(BITMAP *source);

// ---- World update ----
// The ambient population the world update keeps topped up.
constexpr int AMBIENT_TARGET = 55;
// main_loop once per simulation step while playing: the whole world moves one tick.
void update_world();
// update_world and the behaviours: thrust, friction and spin damping, or a walker's step.
void accelerate(Sprite *s, fixed force, fixed angle);

// ---- Cars, weapons, spawning ----
struct Weapon {
    Sprite *projectile;  // the template of what is fired
    int32_t reload;      // ticks the shooter waits afterwards
};
constexpr int WEAPON_COUNT = 4;
extern Weapon weapons[WEAPON_COUNT];
// The weapon the player's fire key fires; starts at the flame thrower.
extern Weapon *current_weapon;
// The spawner's ordinary traffic by kind 0..11.
extern Sprite *const car_templates[12];

struct Point {
    int x, y;
};
// The point 25 pixels to the left of a car's heading, where people get in and out.
Point door_point(const Sprite *car);
// update_world for a firing person, and the police: a projectile 20 px ahead.
void fire_weapon(Sprite *s, const Weapon *weapon);
// The player and the police getting out: a new person of template at the car's door.
Sprite *leave_vehicle(const Sprite *source, Sprite *car, int ambient);
// The Enter key, and update_world while the player walks to a car: in, out or walk there.
void enter_or_leave_vehicle();
// update_world while too few ambient sprites exist: one attempt to place one off screen.
void spawn_ambient();
// spawn_ambient gives up after this many occupied cells in a row: a draw takes two of the
// 256 random numbers, so after 128 draws the same cells come round again.
constexpr int SPAWN_MAX_DRAWS = 128;
