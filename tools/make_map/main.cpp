// make_map: compiles the city source (data/city/city.txt) into the game's map.map.
// Usage: make_map SOURCE OUTPUT
// Faults are printed as SOURCE:LINE: message, like a compiler's, and no map is written.
#include "city_source.h"

#include <cstdio>
#include <fstream>
#include <iostream>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::cerr << "usage: make_map SOURCE OUTPUT\n";
        return 2;
    }
    std::ifstream source(argv[1]);
    if (!source) {
        std::cerr << argv[1] << ": cannot open the city source\n";
        return 1;
    }
    city_map city;
    std::vector<city_error> errors = read_city(source, city);
    for (const city_error &e : errors) std::cerr << argv[1] << ":" << e.line << ": " << e.message << "\n";
    if (!errors.empty()) return 1;

    std::vector<unsigned char> bytes = encode_city(city);
    // Written beside the target and renamed, so that a failed write never leaves half a city.
    std::string partial = std::string(argv[2]) + ".part";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(bytes.data()), (std::streamsize)bytes.size());
        if (!out) {
            std::cerr << partial << ": cannot write the map\n";
            return 1;
        }
    }
    if (std::rename(partial.c_str(), argv[2]) != 0) {
        std::cerr << argv[2] << ": cannot replace the map\n";
        return 1;
    }
    return 0;
}
