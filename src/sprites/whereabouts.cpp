// Where the sprites are: during a tick of the world every listed sprite is filed under the
// 128-pixel square it stands in, so that a look for what stands near a point (a sprite's
// contacts, a car's obstacle ahead, the spawner's free cell) visits a few squares instead of the
// whole city. The filing is exact at every moment of the tick: it is made afresh when the tick
// starts, and every sprite that is made, removed or moved during the tick is filed again at
// once. Outside the world's tick (tests, tools) the looks walk the whole list, as before.
// Whatever is found is handed back in list order, so every result is the one a walk of the
// list would give.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "frame/frame.h"
#include "sprites/sprites.h"

namespace {
constexpr int SQUARE_SHIFT = 7;                 // 128-pixel squares
constexpr int GRID = 80;                        // squares a side: the map and a margin around
constexpr int GRID_ORIGIN = -(2 << SQUARE_SHIFT);  // the grid starts two squares off the map
constexpr int FAR = GRID * GRID;                // the one list of whatever stands beyond
constexpr int NONE = -1;

// One entry a sprite, in the order they were filed: the list runs from the newest, so the
// higher the entry, the nearer the head. Each square chains its entries.
struct Entry {
    Sprite *sprite;  // null once removed
    int square;
    int next;
};

bool filing_on = false;
std::vector<Entry> entries;
int heads[GRID * GRID + 1];
// Tests may ask for a check of every look against a walk of the whole list.
bool checking = getenv("SKID_CHECK_WHEREABOUTS") != nullptr;

int square_of(int x, int y)
{
    int64_t sx = ((int64_t)x - GRID_ORIGIN) >> SQUARE_SHIFT;
    int64_t sy = ((int64_t)y - GRID_ORIGIN) >> SQUARE_SHIFT;
    if (sx < 0 || sx >= GRID || sy < 0 || sy >= GRID) return FAR;
    return (int)(sy * GRID + sx);
}

void link_into(int e, int square)
{
    entries[e].square = square;
    entries[e].next = heads[square];
    heads[square] = e;
}

void unlink_from(int e)
{
    int *at = &heads[entries[e].square];
    while (*at != NONE && *at != e) at = &entries[*at].next;
    if (*at == e) *at = entries[e].next;
}

bool within(const Sprite *o, int x, int y, int radius)
{
    return llabs((int64_t)o->x - x) <= radius && llabs((int64_t)o->y - y) <= radius;
}

void gather(int square, int x, int y, int radius, std::vector<int> &found)
{
    for (int e = heads[square]; e != NONE; e = entries[e].next)
        if (within(entries[e].sprite, x, y, radius)) found.push_back(e);
}

void walk_whole_list(int x, int y, int radius, std::vector<Sprite *> &out)
{
    out.clear();
    for (Sprite *o : listed_sprites())
        if (within(o, x, y, radius)) out.push_back(o);
}
}  // namespace

void start_filing_sprites()
{
    // Every square is empty between two ticks (stop_filing_sprites empties the ones in use): only
    // the very first tick clears them all.
    static bool heads_cleared = false;
    if (!heads_cleared) std::fill(heads, heads + GRID * GRID + 1, NONE), heads_cleared = true;
    entries.clear();
    static std::vector<Sprite *> order;
    order.clear();
    for (Sprite *s = sprite_list; s; s = s->next) order.push_back(s);
    filing_on = true;
    for (auto it = order.rbegin(); it != order.rend(); ++it) file_new_sprite(*it);
}

void stop_filing_sprites()
{
    for (Entry &e : entries) {
        if (e.sprite) e.sprite->filing = NONE;
        heads[e.square] = NONE;
    }
    entries.clear();
    filing_on = false;
}

void file_new_sprite(Sprite *s)
{
    if (!filing_on) return;
    s->filing = (int)entries.size();
    entries.push_back(Entry{s, FAR, NONE});
    link_into(s->filing, square_of(s->x, s->y));
}

void unfile_sprite(Sprite *s)
{
    if (!filing_on || s->filing == NONE) return;
    unlink_from(s->filing);
    entries[s->filing].sprite = nullptr;
    s->filing = NONE;
}

void sprite_moved(Sprite *s)
{
    if (!filing_on || s->filing == NONE) return;
    int square = square_of(s->x, s->y);
    if (square == entries[s->filing].square) return;
    unlink_from(s->filing);
    link_into(s->filing, square);
}

void sprites_near(int x, int y, int radius, std::vector<Sprite *> &out)
{
    if (!filing_on) return walk_whole_list(x, y, radius, out);
    // Not a call of its own comes between its gathering and its handing back: one list serves.
    static std::vector<int> found;
    found.clear();
    int64_t left = ((int64_t)x - radius - GRID_ORIGIN) >> SQUARE_SHIFT;
    int64_t right = ((int64_t)x + radius - GRID_ORIGIN) >> SQUARE_SHIFT;
    int64_t top = ((int64_t)y - radius - GRID_ORIGIN) >> SQUARE_SHIFT;
    int64_t bottom = ((int64_t)y + radius - GRID_ORIGIN) >> SQUARE_SHIFT;
    for (int64_t sy = std::max<int64_t>(top, 0); sy <= std::min<int64_t>(bottom, GRID - 1); sy++)
        for (int64_t sx = std::max<int64_t>(left, 0); sx <= std::min<int64_t>(right, GRID - 1); sx++)
            gather((int)(sy * GRID + sx), x, y, radius, found);
    gather(FAR, x, y, radius, found);
    // The newest first, as the list runs.
    std::sort(found.begin(), found.end(), [](int a, int b) { return a > b; });
    out.clear();
    for (int e : found) out.push_back(entries[e].sprite);
    if (checking) {
        std::vector<Sprite *> walked;
        walk_whole_list(x, y, radius, walked);
        if (walked != out) fatal_error("The sprites' whereabouts disagree with the sprite list");
    }
}
