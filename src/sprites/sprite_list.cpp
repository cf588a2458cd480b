// The sprite list: creating and removing sprites, the counters, headings, felony, banners.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "frame/data_files.h"
#include "frame/frame.h"
#include "frame/platform.h"
#include "missions/missions.h"
#include "sound/sound.h"
#include "sprites/sprites.h"
#include "title/title.h"

DATAFILE *sprites_data = nullptr;
Sprite *sprite_list = nullptr;
int ambient_count = 0;
int police_count = 0;
int felony = 0;
Sprite *player = nullptr;
int tallest_picture = 0;
uint32_t sprite_list_version = 0;

constexpr int BANNER_SOUND = 6;
constexpr int BANNER_MS = 5000;
constexpr int MAX_FELONY = 5;
// The templates draw sprites.dat's objects 0 to 82, all but 50.
constexpr int SPRITE_PICTURE_COUNT = 83;
constexpr int UNUSED_SPRITE_PICTURE = 50;

namespace {
BITMAP *shipped_picture(int object) { return (BITMAP *)sprites_data[object].dat; }

// Frees a sprite whole: the pictures it owns, its sound, its record.
void release_sprite(Sprite *s)
{
    for (int i = 0; i < s->image_count; i++)
        if (s->images[i].bitmap && s->images[i].bitmap != shipped_picture(s->images[i].object)) {
            forget_turned_pictures(s->images[i].bitmap);
            destroy_bitmap(s->images[i].bitmap);
        }
    play_sprite_sound(s, nullptr, 0);
    free(s);
}

}  // namespace

BITMAP *own_picture(Sprite *s, int i)
{
    BITMAP *&b = s->images[i].bitmap;
    BITMAP *shipped = shipped_picture(s->images[i].object);
    if (!b) return b;
    if (b != shipped) {
        // The picture is about to change: its turned copies no longer show it.
        forget_turned_pictures(b);
        return b;
    }
    b = create_bitmap(shipped->w, shipped->h);
    if (!b) fatal_error("Error in sprite cache!");
    blit(shipped, b, 0, 0, 0, 0, shipped->w, shipped->h);
    return b;
}

Sprite *create_sprite(const Sprite *source, int x, int y, fixed angle, int ambient)
{
    Sprite *s = (Sprite *)malloc(sizeof(Sprite));
    if (!s) fatal_error("Out of memory for a new sprite!");
    memcpy(s, source, sizeof(Sprite));
    s->x = x;
    s->y = y;
    s->angle = angle;
    s->vx = s->vy = 0;
    s->health = s->max_health;
    s->speed = 0;
    s->scale = itofix(1);
    s->wait = s->period;
    s->ambient = ambient;
    s->tile_x = x / 64;
    s->tile_y = y / 64;
    s->filing = -1;

    s->next = sprite_list;
    sprite_list = s;
    sprite_list_version += 1;
    file_new_sprite(s);
    if (s->ambient) ambient_count += 1;
    if (sprite_faction(s) == FACTION_POLICE) police_count += 1;

    if (!sprites_data) fatal_error("Error in sprite cache!");
    // A sprite draws the shipped pictures until one of its own is altered (recoloured, scorched,
    // dented): then it gets a copy of its own (own_picture). Smoke and sparks, made by the
    // hundred, are never altered.
    for (int i = 0; i < s->image_count; i++)
        s->images[i].bitmap = shipped_picture(s->images[i].object);
    if (!s->images[0].bitmap) fatal_error("Error in sprite cache!");
    if (s->ambient) recolour_sprite(s);
    return s;
}

void remove_sprite(Sprite *s)
{
    if (!s) return;
    // Every part of the game reads the player: freeing it would leave them reading freed memory.
    if (s == player) fatal_error("The player's own sprite was about to be removed from the world");
    // One walk finds the link to s and lets go of s everywhere else: nobody may go on reading a
    // sprite that is gone (a shooter, a car to return to).
    Sprite **link_to_s = nullptr;
    for (Sprite **at = &sprite_list; *at; at = &(*at)->next) {
        if (*at == s)
            link_to_s = at;
        else if ((*at)->link == s)
            (*at)->link = nullptr;
    }
    if (!link_to_s) fatal_error("sprite not found to remove from list!\n");

    if (s->ambient) ambient_count -= 1;
    if (sprite_faction(s) == FACTION_POLICE) police_count -= 1;
    *link_to_s = s->next;
    sprite_list_version += 1;
    unfile_sprite(s);
    forget_mission_target(s);
    release_sprite(s);
}

void load_sprites()
{
    // The player goes with the others; nobody may place a sound by a freed player.
    player = nullptr;
    while (sprite_list) {
        Sprite *next = sprite_list->next;
        release_sprite(sprite_list);
        sprite_list = next;
    }
    sprite_list_version += 1;
    // A new game loads the pictures afresh; the last game's copy is not kept.
    forget_turned_pictures(nullptr);
    if (sprites_data) unload_datafile(sprites_data);
    sprites_data = load_checked_datafile("sprites.dat");
    if (!sprites_data) fatal_error("Error loading sprites.dat!");
    for (int object = 0; object < SPRITE_PICTURE_COUNT; object++)
        if (object != UNUSED_SPRITE_PICTURE)
            require_object(sprites_data, "sprites.dat", object, DAT_BITMAP);
    tallest_picture = 0;
    for (DATAFILE *d = sprites_data; d->type != DAT_END; d++)
        if (d->type == DAT_BITMAP && ((BITMAP *)d->dat)->h > tallest_picture)
            tallest_picture = ((BITMAP *)d->dat)->h;
}

const std::vector<Sprite *> &listed_sprites()
{
    static std::vector<Sprite *> order;
    static uint32_t version = ~0u;
    if (version != sprite_list_version) {
        order.clear();
        for (Sprite *o = sprite_list; o; o = o->next) order.push_back(o);
        version = sprite_list_version;
    }
    return order;
}

int angle_to_point(const Sprite *s, int px, int py)
{
    fixed dx = itofix(s->x - px);
    fixed dy = itofix(s->y - py);
    if (dx != 0 && dy != 0) return -64 - fixtoi(fixatan2(dx, dy));
    return fixtoi(s->angle);
}

int angle_to_sprite(const Sprite *a, const Sprite *b) { return angle_to_point(a, b->x, b->y); }

void raise_felony()
{
    int32_t r = next_random();
    if (r % 5 == 0 || (felony == 0 && police_count != 0))
        if (felony < MAX_FELONY) felony += 1;
}

void show_banner(const char *text)
{
    banner_text = text;
    play_sound(sound_sample(BANNER_SOUND));
    banner_active = -1;
    banner_end_time = game_clock() + BANNER_MS;
}
