// The files the library reads for the game (the datafiles, pal.pcx, the radio's patches.dat)
// are looked at before the library is given them: its loaders trust every size a file states,
// so a cut or scrambled file would crash them. A file as this build made it (its size and
// CRC-32 are listed in the manifest beside it) goes straight through; any other one, say a file
// a player has changed on purpose, is read through by our own reader of the format and refused
// with a clear message unless it is whole. After loading, each loader checks that the objects
// it uses are there, of the right type and size.
#pragma once
#include <allegro.h>

#include <cstddef>
#include <cstdint>
#include <vector>

// The manifest of the shipped files, beside them in the game folder: a line per file with its
// name, size in bytes and CRC-32 in hexadecimal; lines starting with '#' are comments.
constexpr const char *DATA_MANIFEST = "data.sums";

// What a file is meant to be.
enum DataFileKind { DATAFILE_KIND, PCX_PALETTE_KIND };

// Each loader, just before the library loads path: false when the file cannot be opened (the
// loader then gives its own message); stops the game with a message naming the file when it
// is damaged; true when the library may load it. mid_line: the console's line of loading dots
// is still open, and the message starts a line of its own.
bool check_data_file(const char *path, DataFileKind kind, bool mid_line = false);

// Each loader of a datafile: check_data_file, then the library's load_datafile; null when the
// file cannot be opened or the library fails to load it (the loader gives its own message).
DATAFILE *load_checked_datafile(const char *path);

// The loaders, right after loading: stop the game with a message naming the file and the
// object unless object index of data is there and is of type. A bitmap must be 8-bit and at
// least min_w x min_h pixels; a font must hold the characters 32 to 126.
void require_object(const DATAFILE *data, const char *file, int index, int type,
                    int min_w = 1, int min_h = 1);
// The loaders: how many objects a loaded datafile holds.
int datafile_object_count(const DATAFILE *data);

// ---- Our reader of the formats (check_data_file, the tests and the fuzzers) ----

// Whether bytes are a whole datafile, every object readable by the library's loaders without
// reading past its end or its chunk: packed or not, objects compressed or not, nested
// datafiles, properties, and the contents of bitmaps, sprites, fonts, samples, MIDI tunes and
// instrument patches. When not, why is filled with the first fault found.
bool datafile_is_whole(const unsigned char *bytes, size_t size, char *why, size_t why_size);
// Whether bytes are a whole 256-colour PCX picture with its palette at the end, as the
// library's PCX loader reads it.
bool pcx_palette_is_whole(const unsigned char *bytes, size_t size, char *why, size_t why_size);
// The library's LZSS unpacking (a 4096-byte window, zeros at first; a flag bit per item, a set
// bit a literal byte, a clear one 12 bits of window position and 4 of length less 3), of all
// of in into out; false when out would grow past limit bytes or in ends inside an item.
bool unpack_lzss(const unsigned char *in, size_t in_size, size_t limit,
                 std::vector<unsigned char> &out);

// The manifest's checksum of a file's bytes (CRC-32, the zip polynomial).
uint32_t data_crc32(const unsigned char *bytes, size_t size);
