// The unit tests run with no display: the library is started on its null system, the keys,
// the mouse and the clock are set by each test, and everything is drawn into memory bitmaps.
#include <allegro.h>
#include <gtest/gtest.h>

#include <cerrno>

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) return 2;
    return RUN_ALL_TESTS();
}
