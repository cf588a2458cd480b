// Our own reader of the datafile and PCX formats: it walks a file the way the library's
// loaders will, and says whether they can read all of it without running past an end. The
// library allocates whatever sizes a file states and frees half-built objects twice when a
// file stops short, so nothing it is given may state more than the file holds.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "frame/data_files.h"

namespace {
constexpr uint32_t four_cc(const char (&s)[5])
{
    return (uint32_t)(unsigned char)s[0] << 24 | (uint32_t)(unsigned char)s[1] << 16 |
           (uint32_t)(unsigned char)s[2] << 8 | (uint32_t)(unsigned char)s[3];
}

constexpr uint32_t PACKED_MAGIC = four_cc("slh!");
constexpr uint32_t PLAIN_MAGIC = four_cc("slh.");
constexpr uint32_t DATAFILE_MAGIC = four_cc("ALL.");
constexpr uint32_t PROPERTY_ID = four_cc("prop");
// Nested datafiles deeper than this are not ours.
constexpr int MAX_DEPTH = 8;
// An unpacked file larger than this is not one of the game's.
constexpr size_t MAX_UNPACKED = 256u << 20;
// A font's characters run no higher than Unicode does.
constexpr uint32_t MAX_CHARACTER = 0x10FFFF;

// A stretch of bytes read from the front.
struct Span {
    const unsigned char *at;
    size_t left;
};

// The walk of one file: the first fault found, in words.
struct Walk {
    char *why;
    size_t why_size;
    int object;  // the root object being read, for the message; -1 before the first
};

bool fault(Walk &w, const char *format, ...)
{
    char detail[160];
    va_list args;
    va_start(args, format);
    vsnprintf(detail, sizeof detail, format, args);
    va_end(args);
    if (w.object >= 0)
        snprintf(w.why, w.why_size, "object %d: %s", w.object, detail);
    else
        snprintf(w.why, w.why_size, "%s", detail);
    return false;
}

bool take(Span &s, size_t n, Span *out = nullptr)
{
    if (n > s.left) return false;
    if (out) *out = {s.at, n};
    s.at += n;
    s.left -= n;
    return true;
}

bool byte(Span &s, unsigned *v)
{
    if (s.left < 1) return false;
    *v = s.at[0];
    return take(s, 1);
}

// Big-endian, as the datafile stores its numbers; 16-bit values unsigned, as the library reads.
bool be16(Span &s, unsigned *v)
{
    if (s.left < 2) return false;
    *v = (unsigned)s.at[0] << 8 | s.at[1];
    return take(s, 2);
}

bool be32(Span &s, uint32_t *v)
{
    if (s.left < 4) return false;
    *v = (uint32_t)s.at[0] << 24 | (uint32_t)s.at[1] << 16 | (uint32_t)s.at[2] << 8 | s.at[3];
    return take(s, 4);
}

// Whether n bytes are left, for a count the file states times a size.
bool holds(const Span &s, uint64_t count, uint64_t size)
{
    return size == 0 || count <= s.left / size;
}

unsigned le16_at(const unsigned char *b) { return b[0] | (unsigned)b[1] << 8; }
uint32_t le32_at_u(const unsigned char *b)
{
    return b[0] | (uint32_t)b[1] << 8 | (uint32_t)b[2] << 16 | (uint32_t)b[3] << 24;
}

// Bytes a pixel takes in a bitmap object of the stated colour depth; 0 for no such depth.
uint64_t pixel_bytes(unsigned bits)
{
    switch ((int16_t)bits) {
    case 8: return 1;
    case 15: case 16: return 2;
    case 24: case 32: return 3;  // both are stored as 8.8.8 RGB
    case -32: return 4;          // RGBA
    default: return 0;
    }
}

bool check_bitmap(Walk &w, Span s)
{
    unsigned bits, width, height;
    if (!be16(s, &bits) || !be16(s, &width) || !be16(s, &height))
        return fault(w, "the bitmap's header is cut short");
    uint64_t bytes = pixel_bytes(bits);
    if (bytes == 0) return fault(w, "a bitmap of %d bits a pixel", (int16_t)bits);
    if (!holds(s, (uint64_t)width * height, bytes))
        return fault(w, "the %ux%u bitmap's pixels are cut short", width, height);
    return true;
}

bool check_rle_sprite(Walk &w, Span s)
{
    unsigned bits, width, height;
    uint32_t size;
    if (!be16(s, &bits) || !be16(s, &width) || !be16(s, &height) || !be32(s, &size))
        return fault(w, "the sprite's header is cut short");
    // Other depths are converted on loading, which trusts the runs' lengths.
    if (bits != 8) return fault(w, "a run-length sprite of %d bits a pixel", (int16_t)bits);
    if (size > s.left) return fault(w, "the sprite's runs are cut short");
    return true;
}

bool check_glyphs(Walk &w, Span &s, uint64_t count, bool mono)
{
    for (uint64_t i = 0; i < count; i++) {
        unsigned width, height;
        if (!be16(s, &width) || !be16(s, &height)) return fault(w, "the font is cut short");
        uint64_t row = mono ? (width + 7) / 8 : width;
        if (!holds(s, row, height) || !take(s, row * height))
            return fault(w, "a %ux%u character is cut short", width, height);
    }
    return true;
}

bool check_font(Walk &w, Span s)
{
    // Kind 0, the one this library writes: ranges of characters, each range all one-colour
    // (1 bit a pixel) or all in colours (a byte a pixel). The older kinds are not read.
    unsigned kind, ranges;
    if (!be16(s, &kind)) return fault(w, "the font is empty");
    if (kind != 0) return fault(w, "a font of an old or unknown kind (%d)", (int16_t)kind);
    if (!be16(s, &ranges)) return fault(w, "the font is cut short");
    for (unsigned r = 0; r < ranges; r++) {
        unsigned mono;
        uint32_t first, last;
        if (!byte(s, &mono) || !be32(s, &first) || !be32(s, &last))
            return fault(w, "the font is cut short");
        if (mono > 1) return fault(w, "a font range of an unknown kind (%u)", mono);
        if (first > last || last > MAX_CHARACTER)
            return fault(w, "a font range from %u to %u", first, last);
        if (!check_glyphs(w, s, (uint64_t)last - first + 1, mono == 1)) return false;
    }
    return true;
}

bool check_sample(Walk &w, Span s)
{
    unsigned bits, frequency;
    uint32_t length;
    if (!be16(s, &bits) || !be16(s, &frequency) || !be32(s, &length))
        return fault(w, "the sample's header is cut short");
    int16_t b = (int16_t)bits;  // negative for stereo
    if (b != 8 && b != 16 && b != -8 && b != -16) return fault(w, "a sample of %d bits", b);
    uint64_t frame = (b < 0 ? 2 : 1) * (uint64_t)((b < 0 ? -b : b) / 8);
    if (!holds(s, length, frame)) return fault(w, "the sample's sound is cut short");
    return true;
}

// A MIDI variable-length number: at most four bytes.
bool var_length(Span &s, uint32_t *v)
{
    *v = 0;
    for (int i = 0; i < 4; i++) {
        unsigned b;
        if (!byte(s, &b)) return false;
        *v = *v << 7 | (b & 0x7F);
        if (!(b & 0x80)) return true;
    }
    return false;
}

// The library's player reads a track's events until its end-of-track event and never looks at
// the track's length: every event must be whole and the end must come inside the track.
bool check_track(Walk &w, Span s, int track, unsigned divisions)
{
    unsigned running = 0;
    while (s.left > 0) {
        uint32_t delta, length;
        unsigned status, type;
        if (!var_length(s, &delta) || !byte(s, &status)) break;
        if (!(status & 0x80)) {
            if (!running) return fault(w, "track %d: data with no status before it", track);
            status = running;
            s.at--, s.left++;
        }
        if (status == 0xFF) {
            if (!byte(s, &type) || !var_length(s, &length) || length > s.left) break;
            if (type == 0x2F) return true;
            // The player's step is (tempo / 1000) * 1193 / divisions timer ticks; at 0 it
            // would play the whole track at once, for ever.
            uint32_t tempo = length == 3 ? (uint32_t)s.at[0] << 16 | s.at[1] << 8 | s.at[2] : 0;
            if (type == 0x51 && (uint64_t)(tempo / 1000) * 1193 < divisions)
                return fault(w, "track %d: a tempo the player cannot keep", track);
            take(s, length);
        } else if (status == 0xF0 || status == 0xF7) {
            if (!var_length(s, &length) || !take(s, length)) break;
        } else if (status > 0xF0) {
            return fault(w, "track %d: a system message 0x%02X", track, status);
        } else {
            running = status;
            unsigned kind = status & 0xF0;
            if (!take(s, kind == 0xC0 || kind == 0xD0 ? 1 : 2)) break;
        }
    }
    return fault(w, "track %d ends without its end-of-track event", track);
}

bool check_midi(Walk &w, Span s)
{
    unsigned divisions;
    if (!be16(s, &divisions)) return fault(w, "the tune is empty");
    if (divisions == 0 || divisions > 0x7FFF) return fault(w, "%u divisions a beat", divisions);
    for (int t = 0; t < 32; t++) {
        uint32_t length;
        Span track;
        if (!be32(s, &length) || !take(s, length, &track))
            return fault(w, "track %d is cut short", t);
        if (length > 0 && !check_track(w, track, t, divisions)) return false;
    }
    return true;
}

// A Gravis patch, read by the library's MIDI player when a tune needs the instrument: its
// header, instrument and layer, then each wave's header and sound.
constexpr size_t PATCH_HEADERS = 239, WAVE_HEADER = 96;
bool check_patch(Walk &w, Span s)
{
    if (s.left < PATCH_HEADERS) return fault(w, "the instrument is cut short");
    if (memcmp(s.at, "GF1PATCH1", 9) != 0 || memcmp(s.at + 11, "\0ID#000002\0", 11) != 0)
        return fault(w, "not a Gravis instrument patch");
    unsigned waves = le16_at(s.at + 85);
    if (s.at[198] > waves) waves = s.at[198];
    take(s, PATCH_HEADERS);
    for (unsigned i = 0; i < waves; i++) {
        Span head;
        if (!take(s, WAVE_HEADER, &head)) return fault(w, "wave %u is cut short", i);
        uint32_t length = le32_at_u(head.at + 8), loop_start = le32_at_u(head.at + 12);
        uint32_t loop_end = le32_at_u(head.at + 16), rate = le16_at(head.at + 20);
        uint32_t root = le32_at_u(head.at + 30);
        bool wide = head.at[55] & 1;
        if (!take(s, length)) return fault(w, "wave %u's sound is cut short", i);
        if (loop_start > loop_end || loop_end > length || (wide && length % 2) || rate == 0 ||
            root == 0)
            return fault(w, "wave %u's loop, rate or pitch is out of its bounds", i);
    }
    return true;
}

bool walk_objects(Walk &w, Span &s, int depth);

bool check_contents(Walk &w, uint32_t type, Span data, int depth)
{
    switch (type) {
    case four_cc("FILE"): {
        if (depth >= MAX_DEPTH) return fault(w, "datafiles nested too deep");
        if (!walk_objects(w, data, depth + 1)) return false;
        return data.left == 0 || fault(w, "bytes after the nested datafile's last object");
    }
    case four_cc("BMP "): case four_cc("CMP "): case four_cc("XCMP"): return check_bitmap(w, data);
    case four_cc("RLE "): return check_rle_sprite(w, data);
    case four_cc("FONT"): return check_font(w, data);
    case four_cc("SAMP"): return check_sample(w, data);
    case four_cc("MIDI"): return check_midi(w, data);
    case four_cc("PAT "): return check_patch(w, data);
    default: return true;  // kept as bytes: a palette, an animation, the grabber's notes, data
    }
}

// How many bytes follow a UTF-8 lead byte; 9 for a byte that leads nothing.
unsigned utf8_followers(unsigned c)
{
    if (c < 0x80) return 0;
    if (c >= 0xC2 && c < 0xE0) return 1;
    if (c >= 0xE0 && c < 0xF0) return 2;
    if (c >= 0xF0 && c < 0xF5) return 3;
    return 9;
}

// A property's text is UTF-8, converted by the library character by character.
bool is_utf8(Span s)
{
    while (s.left > 0) {
        unsigned c = s.at[0], n = utf8_followers(c);
        if (c == 0 || n >= s.left) return false;
        for (unsigned k = 1; k <= n; k++)
            if ((s.at[k] & 0xC0) != 0x80) return false;
        take(s, n + 1);
    }
    return true;
}

// One object: its properties, type, the sizes of its chunk, and its contents.
bool walk_object(Walk &w, Span &s, int depth)
{
    uint32_t type;
    for (;;) {
        if (!be32(s, &type)) return fault(w, "cut short before its type");
        if (type != PROPERTY_ID) break;
        uint32_t name, length;
        Span text;
        if (!be32(s, &name) || !be32(s, &length) || !take(s, length, &text))
            return fault(w, "a property is cut short");
        if (!is_utf8(text)) return fault(w, "a property's text is not UTF-8");
    }
    if (type == 0xFFFFFFFFu) return fault(w, "an object of the end-of-list type");
    uint32_t stored, expanded;
    Span chunk;
    if (!be32(s, &stored) || !be32(s, &expanded)) return fault(w, "the chunk sizes are cut short");
    if (!take(s, stored, &chunk)) return fault(w, "its %u bytes run past the end", stored);
    if ((int32_t)expanded >= 0) {
        if (expanded != stored)
            return fault(w, "its chunk gives two sizes, %u and %u", stored, expanded);
        return check_contents(w, type, chunk, depth);
    }
    // Compressed on its own: it must unpack to exactly the size it states.
    uint32_t size = 0u - expanded;
    std::vector<unsigned char> unpacked;
    if (size > MAX_UNPACKED || !unpack_lzss(chunk.at, chunk.left, size, unpacked) ||
        unpacked.size() != size)
        return fault(w, "its compressed chunk does not unpack to %u bytes", size);
    return check_contents(w, type, {unpacked.data(), unpacked.size()}, depth);
}

bool walk_objects(Walk &w, Span &s, int depth)
{
    uint32_t count;
    if (!be32(s, &count)) return fault(w, "the object count is cut short");
    // Every object takes at least its type and two sizes.
    if (count > s.left / 12) return fault(w, "it lists %u objects, more than it can hold", count);
    for (uint32_t i = 0; i < count; i++) {
        if (depth == 0) w.object = (int)i;
        if (!walk_object(w, s, depth)) return false;
    }
    if (depth == 0) w.object = -1;
    return true;
}
}  // namespace

bool unpack_lzss(const unsigned char *in, size_t in_size, size_t limit,
                 std::vector<unsigned char> &out)
{
    constexpr unsigned N = 4096, F = 18, THRESHOLD = 2;
    unsigned char window[N] = {};
    unsigned r = N - F, flags = 0;
    size_t i = 0;
    out.clear();
    while (i < in_size) {
        if (!((flags >>= 1) & 0x100)) {
            flags = in[i++] | 0xFF00u;
            if (i == in_size) break;
        }
        if (flags & 1) {
            if (out.size() >= limit) return false;
            out.push_back(window[r] = in[i++]);
            r = (r + 1) % N;
            continue;
        }
        if (in_size - i < 2) return false;
        unsigned position = in[i] | (in[i + 1] & 0xF0u) << 4;
        unsigned length = (in[i + 1] & 0x0Fu) + THRESHOLD + 1;
        i += 2;
        if (out.size() + length > limit) return false;
        for (unsigned k = 0; k < length; k++) {
            unsigned char c = window[(position + k) % N];
            out.push_back(c);
            window[r] = c;
            r = (r + 1) % N;
        }
    }
    return true;
}

bool datafile_is_whole(const unsigned char *bytes, size_t size, char *why, size_t why_size)
{
    Walk w{why, why_size, -1};
    Span s{bytes, size};
    uint32_t magic;
    if (size == 0) return fault(w, "it is empty");
    if (!be32(s, &magic) || (magic != PACKED_MAGIC && magic != PLAIN_MAGIC))
        return fault(w, "it does not start as a datafile does");
    std::vector<unsigned char> unpacked;
    if (magic == PACKED_MAGIC) {
        if (!unpack_lzss(s.at, s.left, MAX_UNPACKED, unpacked))
            return fault(w, "its packed contents are cut short");
        s = {unpacked.data(), unpacked.size()};
    }
    if (!be32(s, &magic) || magic != DATAFILE_MAGIC)
        return fault(w, "it is not a datafile of this library's kind");
    if (!walk_objects(w, s, 0)) return false;
    if (s.left != 0) return fault(w, "%zu bytes follow its last object", s.left);
    return true;
}

namespace {
constexpr size_t PCX_HEADER = 128, PCX_PALETTE = 769;  // the marker 12, then 256 x RGB
}

bool pcx_palette_is_whole(const unsigned char *b, size_t size, char *why, size_t why_size)
{
    Walk w{why, why_size, -1};
    if (size < PCX_HEADER + PCX_PALETTE) return fault(w, "it is too short for a 256-colour PCX");
    if (b[0] != 10 || b[2] != 1 || b[3] != 8 || b[65] != 1)
        return fault(w, "it is not a 256-colour PCX picture");
    // The library's sums, on its unsigned 16-bit fields.
    long width = (long)le16_at(b + 8) - (long)le16_at(b + 4) + 1;
    long height = (long)le16_at(b + 10) - (long)le16_at(b + 6) + 1;
    long line = le16_at(b + 66);
    if (width < 1 || height < 1 || line < width)
        return fault(w, "its picture size is out of bounds");
    // Each line is unpacked in runs until it holds its bytes; a run may reach past the line's
    // end, as the library allows, but the runs must end before the palette.
    size_t at = PCX_HEADER, end = size - PCX_PALETTE;
    for (long y = 0; y < height; y++) {
        for (long x = 0; x < line;) {
            if (at >= end) return fault(w, "its picture is cut short at line %ld", y);
            unsigned c = b[at++];
            long run = 1;
            if ((c & 0xC0) == 0xC0) {
                run = c & 0x3F;
                if (at++ >= end) return fault(w, "its picture is cut short at line %ld", y);
            }
            x += run;
        }
    }
    // The library takes the first byte 12 after the picture as the palette's marker.
    while (at < end && b[at] != 12) at++;
    if (at != end || b[end] != 12) return fault(w, "its palette is missing or misplaced");
    return true;
}
