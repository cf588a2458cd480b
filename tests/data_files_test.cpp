// The look the game takes at its data files before the library loads them, and at the objects
// it uses afterwards.
#include <allegro.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "frame/data_files.h"

namespace {
std::vector<unsigned char> file_bytes(const char *name)
{
    std::vector<unsigned char> bytes;
    FILE *f = fopen(name, "rb");
    if (!f) return bytes;
    int c;
    while ((c = fgetc(f)) != EOF) bytes.push_back((unsigned char)c);
    fclose(f);
    return bytes;
}

bool whole(const std::vector<unsigned char> &bytes, size_t size, bool pcx, char *why)
{
    return pcx ? pcx_palette_is_whole(bytes.data(), size, why, 240)
               : datafile_is_whole(bytes.data(), size, why, 240);
}
}  // namespace

// Every file the build ships reads whole, and no file cut short anywhere does: the library
// would be given what it cannot read. The cuts are taken every few bytes through the objects'
// headers and contents, and around the very end.
TEST(DataFileReaderTest, ShippedFilesAreWholeAndEveryCutIsNot)
{
    const char *names[] = {"font.dat",  "hud.dat", "title.dat", "sprites.dat", "tiles.dat",
                           "mission.dat", "sound.dat", "midi.dat", "patches.dat", "pal.pcx"};
    for (const char *name : names) {
        SCOPED_TRACE(name);
        std::vector<unsigned char> bytes = file_bytes(name);
        ASSERT_FALSE(bytes.empty());
        bool pcx = std::string(name) == "pal.pcx";
        char why[240] = "";
        EXPECT_TRUE(whole(bytes, bytes.size(), pcx, why)) << why;
        size_t step = bytes.size() / 997 + 1;
        for (size_t cut = 0; cut < bytes.size();
             cut += cut < 64 || cut + 64 > bytes.size() ? 1 : step)
            ASSERT_FALSE(whole(bytes, cut, pcx, why)) << "cut at " << cut;
    }
}

// The reader names what is wrong, for the player's message.
TEST(DataFileReaderTest, FaultsAreNamed)
{
    std::vector<unsigned char> bytes = file_bytes("mission.dat");
    char why[240];
    ASSERT_FALSE(datafile_is_whole(bytes.data(), bytes.size() - 1, why, sizeof why));
    EXPECT_STREQ(why, "object 0: its 262 bytes run past the end");  // the 16 x 16 arrow
    bytes[8] = 0x10;  // the object count, now 0x10000001
    ASSERT_FALSE(datafile_is_whole(bytes.data(), bytes.size(), why, sizeof why));
    EXPECT_STREQ(why, "it lists 268435457 objects, more than it can hold");
    ASSERT_FALSE(datafile_is_whole(bytes.data(), 0, why, sizeof why));
    EXPECT_STREQ(why, "it is empty");
    // A font range of a kind the library neither draws nor refuses: it frees the font twice.
    bytes = file_bytes("font.dat");
    ASSERT_EQ(bytes[0x38], 1);  // the first range of the game font: one colour
    bytes[0x38] = 2;
    ASSERT_FALSE(datafile_is_whole(bytes.data(), bytes.size(), why, sizeof why));
    EXPECT_STREQ(why, "object 0: a font range of an unknown kind (2)");
}

using DataFileObjectDeathTest = testing::Test;

// A whole file from another build can still lack an object the game uses, hold another kind of
// object there, or a picture too small: the game stops with the file and the object named.
TEST(DataFileObjectDeathTest, MissingWrongOrSmallObjectsStopTheGame)
{
    BITMAP *small = create_bitmap_ex(8, 320, 200);
    SAMPLE *sample = create_sample(8, 0, 11025, 10);
    FONT *digits = extract_font_range(font, '0', '9');
    DATAFILE objects[] = {{small, DAT_BITMAP, 0, nullptr},
                          {sample, DAT_SAMPLE, 0, nullptr},
                          {digits, DAT_FONT, 0, nullptr},
                          {nullptr, DAT_END, 0, nullptr}};
    EXPECT_EQ(datafile_object_count(objects), 3);
    require_object(objects, "title.dat", 0, DAT_BITMAP, 320, 200);
    // fatal_error prints to standard output; the death test reads standard error.
    EXPECT_EXIT((dup2(2, 1), require_object(objects, "title.dat", 0, DAT_BITMAP, 640, 480)),
                testing::ExitedWithCode(1),
                "title.dat: picture 0 is 320x200 at 8 bits; the game needs at least 640x480");
    EXPECT_EXIT((dup2(2, 1), require_object(objects, "sound.dat", 1, DAT_MIDI)),
                testing::ExitedWithCode(1), "sound.dat: object 1 is a SAMP, not the MIDI");
    EXPECT_EXIT((dup2(2, 1), require_object(objects, "font.dat", 2, DAT_FONT)),
                testing::ExitedWithCode(1), "font.dat: font 2 lacks some of the characters");
    EXPECT_EXIT((dup2(2, 1), require_object(objects, "midi.dat", 5, DAT_MIDI)),
                testing::ExitedWithCode(1),
                "midi.dat holds 3 objects, and the game needs its object 5");
    destroy_font(digits);
    destroy_sample(sample);
    destroy_bitmap(small);
}
