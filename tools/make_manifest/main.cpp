// make_manifest GAME_DIR FILE...: writes GAME_DIR/data.sums, the size and CRC-32 of each data
// file the library reads for the game, as this build made them. The game loads a file that
// matches at once, and reads any other one through before the library may see it. The
// manifest is rewritten only when a file has changed, so an unchanged build leaves it be.
#include <cstdio>
#include <string>
#include <vector>

#include "frame/data_files.h"

namespace {
bool read_file(const std::string &path, std::vector<unsigned char> &bytes)
{
    FILE *f = fopen(path.c_str(), "rb");
    if (!f) return false;
    unsigned char block[65536];
    size_t got;
    while ((got = fread(block, 1, sizeof block, f)) > 0)
        bytes.insert(bytes.end(), block, block + got);
    bool ok = !ferror(f);
    fclose(f);
    return ok;
}
}  // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: make_manifest GAME_DIR FILE...\n");
        return 2;
    }
    std::string dir = argv[1];
    std::string text =
        "# The data files as this build of Skidrunner made them: name, size in bytes, CRC-32.\n";
    for (int i = 2; i < argc; i++) {
        std::vector<unsigned char> bytes;
        if (!read_file(dir + "/" + argv[i], bytes)) {
            fprintf(stderr, "make_manifest: cannot read %s/%s\n", dir.c_str(), argv[i]);
            return 1;
        }
        char line[200];
        snprintf(line, sizeof line, "%s %zu %08x\n", argv[i], bytes.size(),
                 (unsigned)data_crc32(bytes.data(), bytes.size()));
        text += line;
    }
    std::string path = dir + "/" + DATA_MANIFEST;
    std::vector<unsigned char> old;
    if (read_file(path, old) && std::string(old.begin(), old.end()) == text) return 0;
    FILE *out = fopen(path.c_str(), "wb");
    if (!out || fwrite(text.data(), 1, text.size(), out) != text.size() || fclose(out) != 0) {
        fprintf(stderr, "make_manifest: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
