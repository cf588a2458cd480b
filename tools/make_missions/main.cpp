// make_missions: compiles the mission source (data/missions/missions.txt) into the game's
// map.mis, checking every place against the compiled city (map.map).
// Usage: make_missions SOURCE MAP OUTPUT
// Faults are printed as SOURCE:LINE: message, like a compiler's, and no file is written.
#include "mission_source.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::cerr << "usage: make_missions SOURCE MAP OUTPUT\n";
        return 2;
    }
    std::ifstream source(argv[1]);
    if (!source) {
        std::cerr << argv[1] << ": cannot open the mission source\n";
        return 1;
    }
    std::ifstream map_file(argv[2], std::ios::binary);
    std::vector<unsigned char> map_bytes((std::istreambuf_iterator<char>(map_file)),
                                         std::istreambuf_iterator<char>());
    mission_city city;
    if (!map_file.is_open() || !read_compiled_city(map_bytes, city)) {
        std::cerr << argv[2] << ": not a compiled city (map.map)\n";
        return 1;
    }

    std::vector<mission_plan> plans;
    std::vector<mission_error> errors = read_missions(source, city, plans);
    for (const mission_error &e : errors)
        std::cerr << argv[1] << ":" << e.line << ": " << e.message << "\n";
    if (!errors.empty()) return 1;

    std::vector<unsigned char> bytes = encode_missions(plans);
    // Written beside the target and renamed, so that a failed write never leaves half a file.
    std::string partial = std::string(argv[3]) + ".part";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(bytes.data()), (std::streamsize)bytes.size());
        if (!out) {
            std::cerr << partial << ": cannot write the missions\n";
            return 1;
        }
    }
    if (std::rename(partial.c_str(), argv[3]) != 0) {
        std::cerr << argv[3] << ": cannot replace the missions\n";
        return 1;
    }
    return 0;
}
