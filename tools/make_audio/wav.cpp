#include "wav.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace {

void put_u32(std::string &out, uint32_t v)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void put_u16(std::string &out, uint16_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

} // namespace

bool write_wav(const std::string &path, const Wave &wave)
{
    const uint32_t data_bytes = static_cast<uint32_t>(wave.size() * 2);
    std::string out;
    out += "RIFF";
    put_u32(out, 36 + data_bytes);
    out += "WAVEfmt ";
    put_u32(out, 16);
    put_u16(out, 1);                 // plain PCM
    put_u16(out, 1);                 // mono
    put_u32(out, SAMPLE_RATE);
    put_u32(out, SAMPLE_RATE * 2);   // bytes per second
    put_u16(out, 2);                 // bytes per frame
    put_u16(out, 16);
    out += "data";
    put_u32(out, data_bytes);
    for (float s : wave) {
        long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        put_u16(out, static_cast<uint16_t>(static_cast<int16_t>(v)));
    }
    std::ofstream file(path, std::ios::binary);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}
