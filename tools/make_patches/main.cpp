// make_patches OUTPUT_DIR
// Synthesises the car radio's instruments into OUTPUT_DIR as GUS patch files (name.pat) with
// their index default.cfg; the build packs that folder with the library's pat2dat into
// patches.dat, the instrument set the library's DIGMID player plays the tunes with.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "patch_set.h"

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_patches OUTPUT_DIR\n");
        return 2;
    }
    std::filesystem::path dir = argv[1];
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    try {
        for (const Patch &patch : make_patch_set()) {
            std::string path = (dir / (patch.name + ".pat")).string();
            if (!write_patch(path, patch)) {
                std::fprintf(stderr, "make_patches: cannot write %s\n", path.c_str());
                return 1;
            }
        }
        std::ofstream index(dir / "default.cfg");
        index << patch_index();
        if (!index) {
            std::fprintf(stderr, "make_patches: cannot write the index\n");
            return 1;
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "make_patches: %s\n", e.what());
        return 1;
    }
    return 0;
}
