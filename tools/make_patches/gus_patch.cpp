#include "gus_patch.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>

namespace {

// Wave mode bits.
constexpr uint8_t MODE_16_BIT = 0x01;
constexpr uint8_t MODE_LOOP = 0x04;
constexpr uint8_t MODE_SUSTAIN = 0x20;
constexpr uint8_t MODE_ENVELOPE = 0x40;

// The envelope rate byte: the top two bits pick a range, the low six a step. The player turns
// them into a time per offset step with this table.
constexpr int RATE_RANGE_UNIT[4] = {1, 8, 64, 512};
constexpr uint8_t FASTEST_RATE = 63;   // takes no time at all
constexpr uint8_t FULL = 255;
constexpr uint8_t HELD = 250;          // above 192 the player holds at full volume
constexpr uint8_t QUIET = 15;          // 15 or less: the player fades to silence

// The shortest release that still ramps instead of stopping the voice dead.
constexpr int SHORTEST_RELEASE_MS = 12;

int step_time(uint8_t rate)
{
    int increment = rate & 63;
    int scaled = RATE_RANGE_UNIT[rate >> 6] << 16;
    if (increment) scaled /= increment;
    return scaled >> 12;
}

uint8_t rate_for(int delta, int ms)
{
    uint8_t best = FASTEST_RATE;
    int best_error = std::abs(envelope_segment_ms(delta, best) - ms);
    for (int r = 1; r < 256; ++r) {
        if ((r & 63) == 0) continue;
        int error = std::abs(envelope_segment_ms(delta, static_cast<uint8_t>(r)) - ms);
        if (error < best_error) {
            best = static_cast<uint8_t>(r);
            best_error = error;
        }
    }
    return best;
}

// value's bytes, least significant first, then zeros up to count bytes (a reserved field).
void put_bytes(std::string &out, uint32_t value, int count)
{
    for (int i = 0; i < count; ++i)
        out.push_back(i < 4 ? static_cast<char>((value >> (8 * i)) & 0xFF) : '\0');
}

void put_text(std::string &out, const std::string &text, size_t size)
{
    std::string field = text.substr(0, size - 1);
    field.resize(size, '\0');
    out += field;
}

std::string wave_bytes(const PatchWave &wave)
{
    std::string out;
    out.reserve(wave.data.size() * 2);
    for (float v : wave.data) {
        long s = std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f);
        put_bytes(out, static_cast<uint32_t>(static_cast<int16_t>(s)) & 0xFFFF, 2);
    }
    return out;
}

uint32_t millihertz(double hz)
{
    return static_cast<uint32_t>(std::lround(std::clamp(hz, 0.0, 4.0e6) * 1000.0));
}

std::string wave_header(const PatchWave &wave, int index, uint32_t data_bytes)
{
    bool looped = wave.loop_end > wave.loop_start;
    std::string out;
    put_text(out, "w" + std::to_string(index), 7);
    out.push_back('\0');                                   // loop fractions
    put_bytes(out, data_bytes, 4);
    put_bytes(out, looped ? static_cast<uint32_t>(wave.loop_start) * 2 : 0, 4);
    put_bytes(out, looped ? static_cast<uint32_t>(wave.loop_end) * 2 : data_bytes, 4);
    put_bytes(out, static_cast<uint32_t>(wave.rate), 2);
    put_bytes(out, millihertz(wave.low_hz), 4);
    put_bytes(out, millihertz(wave.high_hz), 4);
    put_bytes(out, millihertz(wave.root_hz), 4);
    put_bytes(out, 0, 2);                                  // tune
    out.push_back(7);                                      // balance: centre
    EnvelopeBytes envelope = envelope_bytes(wave.shape, wave.follows_key);
    out.append(reinterpret_cast<const char *>(envelope.rate), 6);
    out.append(reinterpret_cast<const char *>(envelope.offset), 6);
    put_bytes(out, 0, 6);                                  // tremolo and vibrato: not played
    uint8_t mode = MODE_16_BIT | MODE_SUSTAIN | MODE_ENVELOPE | (looped ? MODE_LOOP : 0);
    out.push_back(static_cast<char>(mode));
    put_bytes(out, 60, 2);                                 // scale frequency: middle C
    put_bytes(out, wave.follows_key ? 1024 : 0, 2);        // scale factor: 1024 tracks the key
    put_bytes(out, 0, 36);
    return out;
}

} // namespace

int envelope_segment_ms(int delta, uint8_t rate)
{
    return std::abs(delta) * step_time(rate) >> 8;
}

EnvelopeBytes envelope_bytes(const VolumeShape &shape, bool follows_key)
{
    EnvelopeBytes e{};
    std::fill(e.rate, e.rate + 6, FASTEST_RATE);
    if (!follows_key) {
        // A drum: no envelope time at all, so the wave plays once to its end.
        std::fill(e.offset, e.offset + 6, FULL);
        return e;
    }
    int release = std::max(shape.release_ms, SHORTEST_RELEASE_MS);
    uint8_t level = shape.fade_ms > 0 ? QUIET : HELD;
    e.offset[0] = FULL;
    e.offset[1] = level;
    e.offset[2] = level;
    if (shape.fade_ms > 0) e.rate[1] = rate_for(FULL - level, shape.fade_ms);
    e.rate[3] = rate_for(level, release);
    return e;
}

std::string encode_patch(const Patch &patch)
{
    std::vector<std::string> data;
    uint32_t total = 0;
    for (const PatchWave &wave : patch.waves) {
        data.push_back(wave_bytes(wave));
        total += static_cast<uint32_t>(data.back().size());
    }
    std::string out = "GF1PATCH110";
    out.push_back('\0');
    out += "ID#000002";
    out.push_back('\0');
    put_text(out, "skidrunner radio: " + patch.name, 60);
    out.push_back(1);                                      // instruments
    out.push_back(14);                                     // voices
    out.push_back(0);                                      // channels
    put_bytes(out, static_cast<uint32_t>(patch.waves.size()), 2);
    put_bytes(out, 127, 2);                                // master volume
    put_bytes(out, total, 4);
    put_bytes(out, 0, 36);
    put_bytes(out, 0, 2);                                  // instrument number
    put_text(out, patch.name, 16);
    put_bytes(out, total, 4);
    out.push_back(1);                                      // layers
    put_bytes(out, 0, 40);
    out.push_back(0);                                      // layer duplicate
    out.push_back(0);                                      // layer number
    put_bytes(out, total, 4);
    out.push_back(static_cast<char>(patch.waves.size()));
    put_bytes(out, 0, 40);
    for (size_t i = 0; i < patch.waves.size(); ++i) {
        out += wave_header(patch.waves[i], static_cast<int>(i), static_cast<uint32_t>(data[i].size()));
        out += data[i];
    }
    return out;
}

bool write_patch(const std::string &path, const Patch &patch)
{
    std::string bytes = encode_patch(patch);
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}
