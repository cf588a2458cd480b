// The car radio's instruments, checked as the library's DIGMID player will find them beside the
// game: patches.dat read the way the player reads it, every instrument and drum the six tunes
// of midi.dat play present and well made, and the tunes played through the player itself.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "../tools/make_patches/render/offline_player.h"
#include "loudness.h"

namespace {

constexpr int TUNE_COUNT = 6;
constexpr int PATCH_TYPE = DAT_ID('P', 'A', 'T', ' ');
constexpr uint8_t MODE_16_BIT = 0x01, MODE_LOOP = 0x04, MODE_SUSTAIN = 0x20;

struct LoadedDatafile {
    DATAFILE *data;
    explicit LoadedDatafile(const char *name) : data(load_datafile(name)) {}
    ~LoadedDatafile() { if (data) unload_datafile(data); }
    LoadedDatafile(const LoadedDatafile &) = delete;
    LoadedDatafile &operator=(const LoadedDatafile &) = delete;
};

// One wave of a patch, as laid out in the GUS file.
struct Wave {
    uint32_t bytes, loop_start, loop_end, low_mhz, high_mhz, root_mhz;
    int rate, mode, scale_factor;
    uint8_t rate_byte[6], offset[6];
    std::vector<float> samples;
    bool looped() const { return mode & MODE_LOOP; }
};

uint32_t little(const unsigned char *p, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

// The waves of a .pat file; empty when the file is not a well formed one-layer patch.
std::vector<Wave> read_patch(const unsigned char *p, size_t size)
{
    std::vector<Wave> waves;
    if (size < 239 || std::string(reinterpret_cast<const char *>(p), 11) != "GF1PATCH110" || p[151] != 1) return waves;
    int count = p[198];
    size_t at = 239;
    for (int i = 0; i < count; ++i) {
        if (at + 96 > size) return {};
        const unsigned char *h = p + at;
        Wave w{little(h + 8, 4), little(h + 12, 4), little(h + 16, 4), little(h + 22, 4), little(h + 26, 4),
               little(h + 30, 4), static_cast<int>(little(h + 20, 2)), h[55], static_cast<int>(little(h + 58, 2)),
               {}, {}, {}};
        std::copy(h + 37, h + 43, w.rate_byte);
        std::copy(h + 43, h + 49, w.offset);
        at += 96;
        if (at + w.bytes > size || !(w.mode & MODE_16_BIT)) return {};
        for (uint32_t b = 0; b + 1 < w.bytes; b += 2)
            w.samples.push_back(static_cast<int16_t>(little(p + at + b, 2)) / 32768.0f);
        at += w.bytes;
        waves.push_back(std::move(w));
    }
    return waves;
}

// How long the player takes over one envelope segment of `delta` offset steps.
int segment_ms(int delta, uint8_t rate)
{
    constexpr int RANGE_UNIT[4] = {1, 8, 64, 512};
    int scaled = RANGE_UNIT[rate >> 6] << 16;
    if (rate & 63) scaled /= rate & 63;
    return std::abs(delta) * (scaled >> 12) >> 8;
}

// The index as the player reads it: it skips the first line; programs are counted from 1;
// after begin_multipatch each line is a drum key.
struct PatchIndex {
    std::map<int, std::string> program, drum;
};

PatchIndex read_index(const std::string &text)
{
    PatchIndex index;
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    bool drums = false;
    while (std::getline(lines, line)) {
        line = line.substr(0, line.find('#'));
        std::replace(line.begin(), line.end(), '=', ' ');
        std::istringstream words(line);
        std::string first, second;
        if (!(words >> first)) continue;
        if (first == "end_multipatch") drums = false;
        if (!(words >> second) || first.find_first_not_of("0123456789-") != std::string::npos) continue;
        if (second == "begin_multipatch") drums = true;
        else if (drums) index.drum[std::atoi(first.c_str())] = second;
        else index.program[std::atoi(first.c_str()) - 1] = second;
    }
    return index;
}

double key_hz(int key)
{
    return 440.0 * std::pow(2.0, (key - 69) / 12.0);
}

// What the tunes ask of the instrument set.
struct TuneNeeds {
    std::map<int, std::set<int>> program_keys;   // program -> keys it plays
    std::set<int> drum_keys;
};

TuneNeeds needs_of(const std::vector<offline_player::TuneEvent> &events)
{
    TuneNeeds needs;
    std::map<int, int> program;   // channel -> program
    for (const offline_player::TuneEvent &e : events) {
        int kind = e.bytes[0] & 0xF0, channel = offline_player::channel_of(e);
        if (kind == 0xC0) program[channel] = e.bytes[1];
        if (kind != 0x90 || e.bytes[2] == 0) continue;
        if (channel == offline_player::DRUM_CHANNEL) needs.drum_keys.insert(e.bytes[1]);
        else needs.program_keys[program[channel]].insert(e.bytes[1]);
    }
    return needs;
}

float rms(const std::vector<float> &s, size_t from, size_t to)
{
    double sum = 0.0;
    for (size_t i = from; i < to; ++i) sum += s[i] * s[i];
    return to > from ? static_cast<float>(std::sqrt(sum / (to - from))) : 0.0f;
}

// How far a stretch of the wave differs from itself `lag` samples later, against its power:
// near 0 when the lag is a whole number of its periods. A looped wave is read round its loop.
double self_difference(const Wave &w, size_t from, size_t length, double lag)
{
    size_t loop_from = w.loop_start / 2, loop_to = w.loop_end / 2;
    auto at = [&](double position) {
        if (w.looped() && position >= loop_to)
            position = loop_from + std::fmod(position - loop_from, static_cast<double>(loop_to - loop_from));
        size_t i = static_cast<size_t>(position);
        size_t next = w.looped() && i + 1 >= loop_to ? loop_from : i + 1;
        return w.samples[i] + (w.samples[next] - w.samples[i]) * (position - i);
    };
    double difference = 0.0, power = 0.0;
    for (size_t i = from; i < from + length; ++i) {
        double d = at(static_cast<double>(i)) - at(i + lag);
        difference += d * d;
        power += at(static_cast<double>(i)) * at(static_cast<double>(i));
    }
    return difference / (power + 1e-12);
}

class PatchesData : public testing::Test {
protected:
    LoadedDatafile patches{"patches.dat"};
    LoadedDatafile tunes{"midi.dat"};
    PatchIndex index;
    std::vector<std::vector<offline_player::TuneEvent>> tune_events;

    void SetUp() override
    {
        ASSERT_NE(patches.data, nullptr) << "patches.dat did not load";
        ASSERT_NE(tunes.data, nullptr) << "midi.dat did not load";
        DATAFILE *cfg = find_datafile_object(patches.data, "default_cfg");
        ASSERT_NE(cfg, nullptr) << "patches.dat has no index";
        index = read_index(std::string(static_cast<const char *>(cfg->dat), cfg->size));
        for (int i = 0; i < TUNE_COUNT; ++i) {
            ASSERT_EQ(tunes.data[i].type, DAT_MIDI) << i;
            tune_events.push_back(offline_player::tune_events(static_cast<const MIDI *>(tunes.data[i].dat)));
        }
    }

    std::vector<Wave> patch(const std::string &name) const
    {
        DATAFILE *object = find_datafile_object(patches.data, name.c_str());
        if (!object || object->type != PATCH_TYPE) return {};
        return read_patch(static_cast<const unsigned char *>(object->dat), object->size);
    }

    std::set<std::string> melodic_names() const
    {
        std::set<std::string> names;
        for (auto &p : index.program) names.insert(p.second);
        return names;
    }

    std::set<std::string> drum_names() const
    {
        std::set<std::string> names;
        for (auto &d : index.drum) names.insert(d.second);
        return names;
    }
};

TEST_F(PatchesData, WhatTheTunesPlayIsThereOverTheirWholeRange)
{
    for (int t = 0; t < TUNE_COUNT; ++t) {
        SCOPED_TRACE(t);
        TuneNeeds needs = needs_of(tune_events[t]);
        EXPECT_GE(needs.program_keys.size(), 4u);
        EXPECT_GE(needs.drum_keys.size(), 3u);
        for (auto &[program, keys] : needs.program_keys) {
            std::vector<Wave> waves = patch(index.program[program]);
            ASSERT_FALSE(waves.empty()) << "program " << program;
            for (int key : keys) {
                uint32_t mhz = static_cast<uint32_t>(key_hz(key) * 1000.0);
                bool answered = std::any_of(waves.begin(), waves.end(),
                                            [&](const Wave &w) { return w.low_mhz <= mhz && mhz <= w.high_mhz; });
                EXPECT_TRUE(answered) << "program " << program << " has no wave for key " << key;
            }
        }
        for (int key : needs.drum_keys) {
            std::vector<Wave> waves = patch(index.drum[key]);
            ASSERT_EQ(waves.size(), 1u) << "drum key " << key;
            EXPECT_EQ(waves[0].scale_factor, 0) << "a drum sounds at its own pitch on any key";
            EXPECT_FALSE(waves[0].looped()) << "a drum plays once";
        }
    }
    // The player keeps one copy of each patch, set up as a drum or as a melodic instrument by
    // whichever key or program loads it first: the two kinds must not share a patch.
    for (const std::string &name : drum_names()) EXPECT_FALSE(melodic_names().count(name)) << name;
}

// Melodic notes hold while the key is down and let go smoothly; the player stops a voice dead
// (a click) if the release takes under 10 ms.
TEST_F(PatchesData, MelodicEnvelopesHoldAndReleaseSmoothly)
{
    for (const std::string &name : melodic_names()) {
        SCOPED_TRACE(name);
        for (const Wave &w : patch(name)) {
            EXPECT_EQ(w.scale_factor, 1024) << "follows the key";
            EXPECT_TRUE(w.mode & MODE_SUSTAIN);
            int release = segment_ms(w.offset[3] - w.offset[2], w.rate_byte[3]);
            EXPECT_GT(release, 9);
            EXPECT_LT(release, 2000);
            EXPECT_LE(w.low_mhz, w.root_mhz);
            EXPECT_GE(w.high_mhz, w.root_mhz);
        }
    }
}

TEST_F(PatchesData, WavesAreAudibleUnclippedAndJoinTheirLoopsSeamlessly)
{
    std::set<std::string> names = melodic_names(), drums = drum_names();
    names.insert(drums.begin(), drums.end());
    for (const std::string &name : names) {
        for (const Wave &w : patch(name)) {
            SCOPED_TRACE(name + " wave rooted at " + std::to_string(w.root_mhz / 1000) + " Hz");
            const std::vector<float> &s = w.samples;
            ASSERT_GE(s.size(), static_cast<size_t>(w.rate / 20));
            float peak = 0.0f;
            long pinned = 0;
            for (float v : s) {
                peak = std::max(peak, std::fabs(v));
                pinned += std::fabs(v) > 0.999f;
            }
            EXPECT_GE(peak, 0.1f) << "too quiet to hear in the band";
            EXPECT_LT(pinned, static_cast<long>(s.size() / 1000) + 1) << "clipped";
            if (!w.looped()) {
                float tail = 0.0f;
                for (size_t i = s.size() - w.rate / 200; i < s.size(); ++i) tail = std::max(tail, std::fabs(s[i]));
                EXPECT_LT(tail, 0.01f) << "cut off while still sounding";
                continue;
            }
            size_t from = w.loop_start / 2, to = w.loop_end / 2;
            ASSERT_EQ(w.loop_start % 2, 0u);
            ASSERT_EQ(w.loop_end % 2, 0u);
            ASSERT_LT(from, to);
            ASSERT_LE(to, s.size());
            EXPECT_GE(to - from, static_cast<size_t>(w.rate / 50)) << "a loop this short buzzes";
            float held = 0.0f, biggest_step = 0.0f;
            for (size_t i = from; i < to; ++i) held = std::max(held, std::fabs(s[i]));
            for (size_t i = from + 1; i < to; ++i) biggest_step = std::max(biggest_step, std::fabs(s[i] - s[i - 1]));
            EXPECT_GT(held, 0.02f) << "the held part of the note is silent";
            double mean = 0.0;
            for (size_t i = from; i < to; ++i) mean += s[i];
            EXPECT_LT(std::fabs(mean / (to - from)), 0.005) << "off-centre: clicks when the note starts and stops";
            EXPECT_LE(std::fabs(s[from] - s[to - 1]), biggest_step * 1.1f + 1e-4f) << "the loop clicks at its join";
        }
    }
}

// The player starts every note at full volume, so a wave's first sample is its attack: it
// must start from the centre line (or every note clicks), and a drum must hit at once.
TEST_F(PatchesData, NotesStartCleanAndDrumsHitAtOnce)
{
    std::set<std::string> drums = drum_names();
    for (const std::string &name : melodic_names())
        for (const Wave &w : patch(name)) EXPECT_LT(std::fabs(w.samples.front()), 0.02f) << name;
    for (const std::string &name : drums) {
        std::vector<Wave> waves = patch(name);
        ASSERT_FALSE(waves.empty()) << name;
        const std::vector<float> &s = waves.front().samples;
        float peak = 0.0f;
        for (float v : s) peak = std::max(peak, std::fabs(v));
        size_t onset = std::find_if(s.begin(), s.end(), [&](float v) { return std::fabs(v) > peak * 0.5f; }) - s.begin();
        EXPECT_LT(onset, static_cast<size_t>(44100 * 0.015)) << name << " starts late";
        EXPECT_LT(std::fabs(s.front()), 0.02f) << name;
    }
}

// Moving up or down the keyboard must not jump in level where one wave hands over to the next.
TEST_F(PatchesData, WavesOfAnInstrumentMatchInLoudness)
{
    for (const std::string &name : melodic_names()) {
        std::vector<float> levels;
        for (const Wave &w : patch(name)) levels.push_back(rms(w.samples, 0, std::min<size_t>(w.samples.size(), w.rate / 2)));
        auto [quietest, loudest] = std::minmax_element(levels.begin(), levels.end());
        EXPECT_LT(*loudest / *quietest, 2.0f) << name;
    }
}

// A wave sounds at the root its header states: it repeats after one period of the root (or
// two, for the organ's sub-octave), and clearly less well after a period 3% off.
TEST_F(PatchesData, WavesSoundAtTheirStatedRoots)
{
    for (const std::string &name : melodic_names()) {
        for (const Wave &w : patch(name)) {
            SCOPED_TRACE(name + " wave rooted at " + std::to_string(w.root_mhz / 1000) + " Hz");
            double period = w.rate * 1000.0 / w.root_mhz;
            size_t from = w.looped() ? w.loop_start / 2 : w.rate / 50;
            size_t length = static_cast<size_t>(period * 8);
            ASSERT_LT(w.looped() ? from : from + length + 2 * period * 1.05 + 2, w.samples.size());
            bool repeats = false;
            for (double periods : {1.0, 2.0}) {
                double on = self_difference(w, from, length, period * periods);
                double off = std::min(self_difference(w, from, length, period * periods * 0.97),
                                      self_difference(w, from, length, period * periods * 1.03));
                repeats = repeats || (on < 0.15 && on < off * 0.5);
            }
            EXPECT_TRUE(repeats);
        }
    }
}

// The tunes as the player plays them: every channel of every tune is heard, the band together
// stays clear of the top of the range, and the six are equally loud (A-weighted, over the whole
// tune), so the radio never jumps in level when a new car starts a new tune.
TEST_F(PatchesData, EveryPartOfEveryTuneSoundsThroughTheLibrarysPlayerAtOneLevel)
{
    offline_player::Session session("patches.dat");
    ASSERT_TRUE(session.ok) << allegro_error;
    std::vector<double> levels;
    for (int t = 0; t < TUNE_COUNT; ++t) {
        SCOPED_TRACE(t);
        const std::vector<offline_player::TuneEvent> &events = tune_events[t];
        ASSERT_TRUE(session.load_patches(events));
        std::set<int> channels;
        for (const offline_player::TuneEvent &e : events)
            if (offline_player::is_note(e)) channels.insert(offline_player::channel_of(e));
        for (int channel : channels) {
            // Its first twenty notes are plenty to hear a channel; it is listened to while
            // they sound.
            std::vector<offline_player::TuneEvent> opening;
            std::vector<bool> sounding;
            std::map<int, double> held;   // key -> when it went down
            int notes = 0;
            for (const offline_player::TuneEvent &e : events) {
                if (notes >= 20 && held.empty()) break;
                opening.push_back(e);
                if (!offline_player::is_note(e) || offline_player::channel_of(e) != channel) continue;
                bool down = (e.bytes[0] & 0xF0) == 0x90 && e.bytes[2];
                if (down && notes < 20) {
                    held[e.bytes[1]] = e.seconds;
                    ++notes;
                } else if (!down && held.count(e.bytes[1])) {
                    size_t from = static_cast<size_t>(held[e.bytes[1]] * offline_player::MIX_RATE);
                    size_t to = static_cast<size_t>(e.seconds * offline_player::MIX_RATE);
                    if (sounding.size() < to) sounding.resize(to, false);
                    std::fill(sounding.begin() + from, sounding.begin() + to, true);
                    held.erase(e.bytes[1]);
                }
            }
            std::vector<int16_t> heard = session.render(opening, channel, 0.5);
            double sum = 0.0;
            long count = 0;
            for (size_t i = 0; i < sounding.size() && 2 * i + 1 < heard.size(); ++i) {
                if (!sounding[i]) continue;
                sum += static_cast<double>(heard[2 * i]) * heard[2 * i] + static_cast<double>(heard[2 * i + 1]) * heard[2 * i + 1];
                count += 2;
            }
            ASSERT_GT(count, 0) << "channel " << channel;
            EXPECT_GT(std::sqrt(sum / count), 500.0) << "channel " << channel << " is hardly heard";
        }
        std::vector<int16_t> band = session.render(events, offline_player::ANY_CHANNEL, 1.0);
        long pinned = std::count_if(band.begin(), band.end(), [](int16_t v) { return std::abs(v) >= 32700; });
        EXPECT_LT(pinned, static_cast<long>(band.size() / 2000)) << "the band clips";
        std::vector<std::vector<float>> stereo(2);
        for (size_t i = 0; i < band.size(); ++i) stereo[i % 2].push_back(band[i] / 32768.0f);
        levels.push_back(mean_loudness_db(stereo, offline_player::MIX_RATE));
    }
    std::vector<double> sorted = levels;
    std::sort(sorted.begin(), sorted.end());
    double middle = (sorted[2] + sorted[3]) / 2.0;
    for (int t = 0; t < TUNE_COUNT; ++t) EXPECT_NEAR(levels[t], middle, 1.5) << "tune " << t;
}

} // namespace
