// The sound effects, the car radio's tunes and the random table, checked as the game will find
// them in its folder: the objects it plays by number, how loud and how bright they are heard,
// the loops it holds down, the remainders it takes of its random numbers.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

#include "loudness.h"

namespace {

constexpr int HORN = 2;
constexpr int TYRES = 22;
constexpr int USED_SOUNDS[] = {2, 5, 6, 7, 8, 10, 14, 15, 16, 17, 18, 19, 21, 22, 23, 24, 25, 26, 27, 28};
// Sounds meant to sit well below the rest: the menu's tick and the footsteps.
constexpr int QUIET_SOUNDS[] = {23, 26, 27};
constexpr int CRASH_HIT = 7, CRASH_HITTING = 8, EXPLOSION = 10, THUD = 17, GUNSHOT = 24;
constexpr int SCREAMS[] = {15, 16, 18, 21};

struct LoadedDatafile {
    DATAFILE *data;
    explicit LoadedDatafile(const char *name) : data(load_datafile(name)) {}
    ~LoadedDatafile() { if (data) unload_datafile(data); }
    int count() const
    {
        int n = 0;
        while (data && data[n].type != DAT_END) ++n;
        return n;
    }
};

// A sample's values centred on zero, on a -1..1 scale. The library keeps its samples unsigned.
std::vector<float> sample_values(const SAMPLE *s)
{
    std::vector<float> out(s->len);
    for (unsigned long i = 0; i < s->len; ++i) {
        if (s->bits == 16) out[i] = (static_cast<const uint16_t *>(s->data)[i] - 32768) / 32768.0f;
        else out[i] = (static_cast<const uint8_t *>(s->data)[i] - 128) / 128.0f;
    }
    return out;
}

float peak(const std::vector<float> &v, size_t from = 0, size_t to = SIZE_MAX)
{
    float p = 0.0f;
    for (size_t i = from; i < std::min(to, v.size()); ++i) p = std::max(p, std::fabs(v[i]));
    return p;
}

float rms(const std::vector<float> &v, size_t from, size_t to)
{
    double sum = 0.0;
    for (size_t i = from; i < to; ++i) sum += v[i] * v[i];
    return static_cast<float>(std::sqrt(sum / (to - from)));
}

class AudioSoundData : public testing::Test {
protected:
    LoadedDatafile sounds{"sound.dat"};
    const SAMPLE *sample(int index) const { return static_cast<const SAMPLE *>(sounds.data[index].dat); }
};

TEST_F(AudioSoundData, EveryObjectTheGameMayAddressIsAMonoSample)
{
    ASSERT_NE(sounds.data, nullptr) << "sound.dat did not load";
    ASSERT_GE(sounds.count(), 29);
    for (int i = 0; i < 29; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(sounds.data[i].type, DAT_SAMPLE);
        const SAMPLE *s = sample(i);
        ASSERT_NE(s, nullptr);
        EXPECT_TRUE(s->bits == 8 || s->bits == 16);
        EXPECT_EQ(s->stereo, 0);
        EXPECT_GE(s->freq, 11025);
        EXPECT_LE(s->freq, 44100);
        EXPECT_GT(s->len, 0u);
    }
}

TEST_F(AudioSoundData, SoundsTheGamePlaysAreUnclippedAndOfSensibleLength)
{
    ASSERT_NE(sounds.data, nullptr);
    for (int index : USED_SOUNDS) {
        SCOPED_TRACE(index);
        const SAMPLE *s = sample(index);
        float seconds = static_cast<float>(s->len) / s->freq;
        EXPECT_GE(seconds, 0.04f);
        EXPECT_LE(seconds, 3.0f);
        std::vector<float> v = sample_values(s);
        long pinned = std::count_if(v.begin(), v.end(), [](float x) { return std::fabs(x) > 0.999f; });
        EXPECT_LT(pinned, static_cast<long>(v.size() / 200)) << "clipped";
    }
}

// The horn loops while Tab is held and the tyres while a car corners: the join must not click
// and the level must not dip or swell at the loop point.
TEST_F(AudioSoundData, LoopingSoundsJoinSeamlessly)
{
    ASSERT_NE(sounds.data, nullptr);
    for (int index : {HORN, TYRES}) {
        SCOPED_TRACE(index);
        const SAMPLE *s = sample(index);
        std::vector<float> v = sample_values(s);
        ASSERT_GE(v.size(), static_cast<size_t>(s->freq / 4)) << "a loop this short buzzes";
        std::vector<float> steps;
        for (size_t i = 1; i < v.size(); ++i) steps.push_back(std::fabs(v[i] - v[i - 1]));
        std::sort(steps.begin(), steps.end());
        float usual_step = steps[steps.size() * 99 / 100];
        EXPECT_LE(std::fabs(v.front() - v.back()), usual_step);
        size_t edge = static_cast<size_t>(s->freq / 20);
        float head = rms(v, 0, edge), tail = rms(v, v.size() - edge, v.size());
        EXPECT_GT(head, 0.05f);
        EXPECT_LT(std::max(head, tail) / std::min(head, tail), 1.6f);
    }
}

// Sounds played once answer an event (a shot, a crash, a fall): they must start at once, and
// stop in silence so that no click is heard when their voice ends.
TEST_F(AudioSoundData, OneShotSoundsStartAtOnceAndEndInSilence)
{
    ASSERT_NE(sounds.data, nullptr);
    for (int index : USED_SOUNDS) {
        if (index == HORN || index == TYRES) continue;
        SCOPED_TRACE(index);
        const SAMPLE *s = sample(index);
        std::vector<float> v = sample_values(s);
        float loudest = peak(v);
        size_t onset = std::find_if(v.begin(), v.end(), [&](float x) { return std::fabs(x) > loudest * 0.1f; }) - v.begin();
        EXPECT_LT(onset, static_cast<size_t>(s->freq / 25)) << "starts late";
        EXPECT_LT(peak(v, v.size() - s->freq / 200), 0.01f) << "cut off while still sounding";
        double mean = 0;
        for (float x : v) mean += x;
        EXPECT_LT(std::fabs(mean / v.size()), 0.01) << "off-centre: clicks when started and stopped";
    }
}

// How loud each sound is heard (A-weighted, its loudest 300 ms): every effect within 3 dB of the
// others, so none is lost under another; the tick and the footsteps, which every pedestrian
// near the player makes, well below the quietest of them.
TEST_F(AudioSoundData, EffectsAreHeardEquallyLoudAndTheTickAndFootstepsBelowThem)
{
    ASSERT_NE(sounds.data, nullptr);
    std::map<int, double> level;
    std::vector<double> effects;
    for (int index : USED_SOUNDS) {
        level[index] = effect_loudness_db(sample_values(sample(index)), sample(index)->freq);
        if (std::find(std::begin(QUIET_SOUNDS), std::end(QUIET_SOUNDS), index) == std::end(QUIET_SOUNDS))
            effects.push_back(level[index]);
    }
    std::vector<double> sorted = effects;
    std::sort(sorted.begin(), sorted.end());
    double middle = sorted[sorted.size() / 2];
    for (auto &[index, db] : level) {
        bool quiet = std::find(std::begin(QUIET_SOUNDS), std::end(QUIET_SOUNDS), index) != std::end(QUIET_SOUNDS);
        if (quiet) {
            EXPECT_LT(db, sorted.front() - 6.0) << index << " stands out";
        } else {
            EXPECT_NEAR(db, middle, 3.0) << index;
        }
    }
}

// Small speakers play little below 150 Hz: a bang must say what it is above that, starting with
// a crack (or crunch) in the band the ear is keenest to; an explosion's crack comes before its
// rumble. A scream carries on its bright harmonics.
TEST_F(AudioSoundData, BangsCrackAboveTheBassAndScreamsCarry)
{
    ASSERT_NE(sounds.data, nullptr);
    auto share = [&](int index, double low, double high, double from, double seconds) {
        return band_share(sample_values(sample(index)), sample(index)->freq, low, high, from, seconds);
    };
    for (int index : {GUNSHOT, EXPLOSION, CRASH_HIT, CRASH_HITTING, THUD})
        EXPECT_LT(share(index, 0.0, 150.0, 0.0, 0.0), 0.4) << index << " is lost on small speakers";
    for (int index : {GUNSHOT, EXPLOSION}) EXPECT_GT(share(index, 1000.0, 6000.0, 0.0, 0.02), 0.5) << index << ": no crack";
    for (int index : {CRASH_HIT, CRASH_HITTING}) EXPECT_GT(share(index, 1000.0, 11025.0, 0.0, 0.02), 0.5) << index << ": no crunch";
    EXPECT_GT(share(EXPLOSION, 1000.0, 6000.0, 0.0, 0.02), 2.0 * share(EXPLOSION, 1000.0, 6000.0, 0.1, 0.5));
    for (int index : SCREAMS) EXPECT_GT(share(index, 1000.0, 6000.0, 0.0, 0.0), 0.25) << index << " is dull";
}

// What a tune's raw MIDI data holds, read the way a sequencer reads it.
struct NoteOn {
    long tick;
    int channel;
    int key;
};

struct TuneScan {
    int divisions = 0;
    std::vector<NoteOn> notes;
    std::map<int, long> program_tick;          // channel -> tick of its first program change
    std::map<long, uint32_t> tempo_at = {{0, 500000}};
    std::vector<long> track_ends;
    int tracks_with_notes = 0;
    int unmatched = 0;                         // note-ons with no note-off before the loop
};

uint32_t read_variable(const unsigned char *&p, const unsigned char *end)
{
    uint32_t v = 0;
    while (p < end) {
        unsigned char b = *p++;
        v = (v << 7) | (b & 0x7F);
        if (!(b & 0x80)) break;
    }
    return v;
}

void scan_track(const unsigned char *p, const unsigned char *end, TuneScan &out)
{
    std::map<int, int> held;
    long tick = 0;
    int notes = 0, status = 0;
    while (p < end) {
        tick += read_variable(p, end);
        if (*p == 0xFF) {
            int type = p[1];
            p += 2;
            uint32_t len = read_variable(p, end);
            if (type == 0x51 && len == 3) out.tempo_at[tick] = (p[0] << 16) | (p[1] << 8) | p[2];
            p += len;
            continue;
        }
        if (*p == 0xF0 || *p == 0xF7) { ++p; p += read_variable(p, end); continue; }
        if (*p & 0x80) status = *p++;
        int kind = status & 0xF0, channel = status & 0x0F;
        if (kind == 0xC0) out.program_tick.emplace(channel, tick);
        if (kind == 0xC0 || kind == 0xD0) { ++p; continue; }
        int key = p[0], velocity = p[1];
        p += 2;
        if (kind == 0x90 && velocity > 0) {
            ++notes;
            ++held[channel * 128 + key];
            out.notes.push_back({tick, channel, key});
        } else if (kind == 0x80 || kind == 0x90) {
            --held[channel * 128 + key];
        }
    }
    out.track_ends.push_back(tick);
    out.tracks_with_notes += notes > 0;
    for (auto &h : held) out.unmatched += std::abs(h.second);
}

TuneScan scan(const MIDI *midi)
{
    TuneScan out;
    out.divisions = midi->divisions;
    for (int t = 0; t < MIDI_TRACKS; ++t)
        if (midi->track[t].data) scan_track(midi->track[t].data, midi->track[t].data + midi->track[t].len, out);
    return out;
}

double seconds_of(const TuneScan &tune)
{
    long end = *std::max_element(tune.track_ends.begin(), tune.track_ends.end());
    double seconds = 0.0;
    long tick = 0;
    uint32_t tempo = 500000;
    for (auto &change : tune.tempo_at) {
        seconds += (change.first - tick) * static_cast<double>(tempo) / 1e6 / tune.divisions;
        tick = change.first;
        tempo = change.second;
    }
    return seconds + (end - tick) * static_cast<double>(tempo) / 1e6 / tune.divisions;
}

class AudioMusicData : public testing::Test {
protected:
    LoadedDatafile music{"midi.dat"};
    std::vector<TuneScan> tunes;
    void SetUp() override
    {
        ASSERT_NE(music.data, nullptr) << "midi.dat did not load";
        ASSERT_GE(music.count(), 6);
        for (int i = 0; i < 6; ++i) {
            ASSERT_EQ(music.data[i].type, DAT_MIDI) << i;
            tunes.push_back(scan(static_cast<const MIDI *>(music.data[i].dat)));
        }
    }
};

// A band on the General MIDI channels: drums on the drum channel, and every other channel given
// its instrument before it plays (or the player plays it as a piano).
TEST_F(AudioMusicData, EachTuneIsABandWithItsInstrumentsSet)
{
    for (size_t i = 0; i < tunes.size(); ++i) {
        SCOPED_TRACE(i);
        const TuneScan &tune = tunes[i];
        EXPECT_GE(tune.tracks_with_notes, 4);
        std::map<int, long> first_note;
        for (const NoteOn &n : tune.notes) first_note.emplace(n.channel, n.tick);
        EXPECT_TRUE(first_note.count(9)) << "drums on the General MIDI drum channel";
        for (auto &[channel, tick] : first_note) {
            if (channel == 9) continue;
            ASSERT_TRUE(tune.program_tick.count(channel)) << "channel " << channel << " has no instrument";
            EXPECT_LE(tune.program_tick.at(channel), tick) << "plays before its instrument is set";
        }
    }
}

// The radio loops each tune: every track must run to the same bar line and let go of its notes.
TEST_F(AudioMusicData, EachTuneLoopsCleanlyWithinRadioLength)
{
    for (size_t i = 0; i < tunes.size(); ++i) {
        SCOPED_TRACE(i);
        const TuneScan &tune = tunes[i];
        EXPECT_EQ(tune.unmatched, 0) << "a note would hang over the loop";
        long end = tune.track_ends.front();
        for (long e : tune.track_ends) EXPECT_EQ(e, end);
        EXPECT_EQ(end % (4L * tune.divisions), 0) << "the loop falls off the beat";
        for (const NoteOn &n : tune.notes) EXPECT_LT(n.tick, end);
        EXPECT_GE(seconds_of(tune), 30.0);
        EXPECT_LE(seconds_of(tune), 90.0);
    }
}

std::vector<int32_t> random_table()
{
    std::ifstream file("rand.rnd", std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<int32_t> table;
    for (size_t i = 0; i + 3 < bytes.size(); i += 4)
        table.push_back(static_cast<int32_t>(bytes[i] | bytes[i + 1] << 8 | bytes[i + 2] << 16 |
                                             static_cast<uint32_t>(bytes[i + 3]) << 24));
    return table;
}

// Far outside chance (more than four standard deviations of the chi-square) means uneven.
bool even(const std::vector<int> &counts, int total)
{
    double expected = static_cast<double>(total) / counts.size(), chi = 0.0;
    for (int c : counts) chi += (c - expected) * (c - expected) / expected;
    double df = counts.size() - 1.0;
    return chi <= df + 4.0 * std::sqrt(2.0 * df);
}

TEST(AudioRandomTable, HoldsTwoHundredFiftySixValuesOverTheWholeRange)
{
    std::vector<int32_t> table = random_table();
    ASSERT_EQ(table.size(), 256u) << "rand.rnd must be exactly 1024 bytes";
    int negatives = std::count_if(table.begin(), table.end(), [](int32_t v) { return v < 0; });
    EXPECT_GE(negatives, 100);
    EXPECT_LE(negatives, 156);
    EXPECT_LT(*std::min_element(table.begin(), table.end()), -(1 << 30));
    EXPECT_GT(*std::max_element(table.begin(), table.end()), 1 << 30);
    std::vector<int32_t> sorted = table;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::unique(sorted.begin(), sorted.end()), sorted.end());
}

TEST(AudioRandomTable, RemaindersTheGameTakesComeOutEven)
{
    std::vector<int32_t> table = random_table();
    ASSERT_EQ(table.size(), 256u);
    for (int m = 2; m <= 50; ++m) {
        SCOPED_TRACE(m);
        // Both the non-negative remainder and the magnitude of C's remainder, since the game's
        // code may use either.
        std::vector<int> floored(m, 0), magnitude(m, 0);
        for (int32_t v : table) {
            floored[((v % m) + m) % m]++;
            magnitude[std::llabs(static_cast<long long>(v) % m)]++;
        }
        EXPECT_TRUE(even(floored, 256));
        EXPECT_TRUE(even(magnitude, 256));
    }
    // The tune picked at each car theft: every one of the six comes up.
    std::vector<int> tunes(6, 0);
    for (int32_t v : table) tunes[((v % 6) + 6) % 6]++;
    for (int n : tunes) EXPECT_GE(n, 25);
}

} // namespace
