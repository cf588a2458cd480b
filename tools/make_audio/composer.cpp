#include "composer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include "dsp.h"

namespace {

struct Token {
    enum Kind { note, hold, rest, hit } kind = rest;
    int degree = 1;
    int semitones = 0;   // accidentals and octave marks
    bool accent = false;
};

Token parse_token(const std::string &text)
{
    Token t;
    if (text == ".") { t.kind = Token::hold; return t; }
    if (text == "-") { t.kind = Token::rest; return t; }
    if (text == "x" || text == "X") { t.kind = Token::hit; t.accent = text == "X"; return t; }
    size_t i = 0;
    for (; i < text.size() && (text[i] == 'b' || text[i] == '#'); ++i) t.semitones += text[i] == '#' ? 1 : -1;
    size_t digits = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    if (i == digits) throw std::runtime_error("bad pattern token: " + text);
    t.kind = Token::note;
    t.degree = std::stoi(text.substr(digits, i - digits));
    for (; i < text.size(); ++i) {
        if (text[i] == '\'') t.semitones += 12;
        else if (text[i] == ',') t.semitones -= 12;
        else if (text[i] == '!') t.accent = true;
        else throw std::runtime_error("bad pattern token: " + text);
    }
    return t;
}

std::vector<Token> parse_pattern(const std::string &pattern)
{
    std::vector<Token> tokens;
    std::istringstream in(pattern);
    std::string word;
    while (in >> word)
        if (word != "|") tokens.push_back(parse_token(word));
    return tokens;
}

// The chord degree sounding at each sixteenth of a section.
std::vector<int> chord_steps(const Section &section)
{
    std::vector<std::string> bars;
    std::istringstream in(section.chords);
    std::string word;
    while (in >> word) bars.push_back(word);
    if (bars.empty()) bars.push_back("1");
    std::vector<int> steps;
    for (int bar = 0; bar < section.bars; ++bar) {
        const std::string &token = bars[bar % bars.size()];
        size_t slash = token.find('/');
        int first = std::stoi(token.substr(0, slash));
        int second = slash == std::string::npos ? first : std::stoi(token.substr(slash + 1));
        for (int s = 0; s < STEPS_PER_BAR; ++s) steps.push_back(s < STEPS_PER_BAR / 2 ? first : second);
    }
    return steps;
}

// A chord root folded to sit near the part's base note, so bass lines stay in their register.
int folded_root(const Song &song, const Part &part, int chord)
{
    int pitch_class = (song.tonic + degree_semitones(song.scale, chord)) % 12;
    int note = part.base_note - 5;
    while ((note % 12 + 12) % 12 != pitch_class) ++note;
    return note;
}

std::vector<int> chord_notes(const Song &song, const Part &part, int chord)
{
    int root = folded_root(song, part, chord);
    if (part.voicing == Voicing::power) {
        while (root < part.base_note) root += 12;
        return {root, root + 7, root + 12};
    }
    int tones = part.voicing == Voicing::seventh ? 4 : 3;
    std::vector<int> notes;
    for (int i = 0; i < tones; ++i) {
        int note = song.tonic + degree_semitones(song.scale, chord + 2 * i);
        while (note < part.base_note) note += 12;
        while (note >= part.base_note + 12) note -= 12;
        notes.push_back(note);
    }
    return notes;
}

int line_note(const Song &song, const Part &part, const Token &t, int chord)
{
    if (part.kind == PartKind::key_line)
        return part.base_note + degree_semitones(song.scale, t.degree) + t.semitones;
    int root = folded_root(song, part, chord);
    int span = degree_semitones(song.scale, chord + t.degree - 1) - degree_semitones(song.scale, chord);
    return root + span + t.semitones;
}

// Sixteenth index -> tick, with swing on the off-beat sixteenths.
int step_tick(const Song &song, int step)
{
    return step * TICKS_PER_STEP + (step % 2 == 1 ? song.swing : 0);
}

struct Sounding {
    std::vector<int> keys;
    int start_step = -1;
    int velocity = 0;
};

void end_notes(MidiTrack &track, const Song &song, const Part &part, Sounding &s, int at_step)
{
    if (s.start_step < 0) return;
    int start = step_tick(song, s.start_step);
    // A hair of silence before the next note keeps repeated notes distinct.
    int length = step_tick(song, at_step) - start - 4;
    for (int key : s.keys) track.note(start, length, part.channel, key, s.velocity);
    s = Sounding{};
}

void render_pitched(MidiTrack &track, const Song &song, const Part &part, const Section &section,
                    int first_step, Rng &rng)
{
    auto found = section.lines.find(part.name);
    if (found == section.lines.end()) return;
    std::vector<Token> tokens = parse_pattern(found->second);
    if (tokens.empty()) return;
    std::vector<int> chords = chord_steps(section);
    const int total_steps = section.bars * STEPS_PER_BAR;
    Sounding sounding;
    for (int n = 0; n * part.step < total_steps; ++n) {
        const Token &t = tokens[n % tokens.size()];
        int local = n * part.step;
        int step = first_step + local;
        if (t.kind == Token::hold) continue;
        end_notes(track, song, part, sounding, step);
        if (t.kind == Token::rest) continue;
        int chord = chords[local];
        if (t.kind == Token::hit) sounding.keys = chord_notes(song, part, chord);
        else sounding.keys = {line_note(song, part, t, chord)};
        bool strong = local % (STEPS_PER_BAR / 2) == 0;
        sounding.velocity = part.velocity + (strong ? 6 : 0) + (t.accent ? 18 : 0) + rng.below(9) - 4;
        sounding.start_step = step;
    }
    end_notes(track, song, part, sounding, first_step + total_steps);
}

int drum_velocity(char c, Rng &rng)
{
    int base = c == 'X' ? 118 : c == 'o' ? 52 : 92;
    return base + rng.below(11) - 5;
}

void render_drum_lines(MidiTrack &track, const Song &song, const std::vector<DrumLine> &lines,
                       int first_step, int from_step, int to_step, Rng &rng)
{
    for (const DrumLine &line : lines) {
        std::string steps;
        for (char c : line.steps)
            if (c != ' ' && c != '|') steps.push_back(c);
        if (steps.empty()) continue;
        for (int s = from_step; s < to_step; ++s) {
            char c = steps[s % steps.size()];
            if (c == '.') continue;
            track.note(step_tick(song, first_step + s), TICKS_PER_STEP / 2, DRUM_CHANNEL, line.key,
                       drum_velocity(c, rng));
        }
    }
}

void render_drums(MidiTrack &track, const Song &song, const Section &section, int first_step, Rng &rng)
{
    const int total = section.bars * STEPS_PER_BAR;
    const int fill_from = section.fill.empty() ? total : total - STEPS_PER_BAR;
    render_drum_lines(track, song, section.drums, first_step, 0, fill_from, rng);
    if (!section.fill.empty()) {
        // The fill's own first step lines up with the last bar.
        render_drum_lines(track, song, section.fill, first_step + fill_from, 0, STEPS_PER_BAR, rng);
    }
    if (section.crash) track.note(step_tick(song, first_step), TICKS_PER_QUARTER, DRUM_CHANNEL, CRASH, 110);
}

int channel_volume(const Song &song, const Part &part)
{
    long volume = std::lround(part.volume * std::pow(10.0f, song.level_db / 20.0f));
    return static_cast<int>(std::clamp(volume, 1L, 127L));
}

} // namespace

int degree_semitones(const Scale &scale, int degree)
{
    int index = degree - 1;
    int octave = index >= 0 ? index / 7 : -((6 - index) / 7);
    int within = index - octave * 7;
    return scale[within] + 12 * octave;
}

RenderedSong render_song(const Song &song, unsigned seed)
{
    Rng rng{seed};
    RenderedSong out;
    MidiTrack conductor;
    conductor.name = song.title;
    conductor.tempo(0, song.bpm);
    conductor.time_signature_4_4();
    out.tracks.push_back(conductor);

    for (const Part &part : song.parts) {
        MidiTrack track;
        track.name = part.name;
        if (part.kind != PartKind::drums) track.program(part.channel, part.program);
        track.control(part.channel, 7, channel_volume(song, part));
        track.control(part.channel, 10, part.pan);
        track.control(part.channel, 91, 40);   // a little reverb where the player has it
        int step = 0;
        for (const Section &section : song.sections) {
            if (part.kind == PartKind::drums) render_drums(track, song, section, step, rng);
            else render_pitched(track, song, part, section, step, rng);
            step += section.bars * STEPS_PER_BAR;
        }
        out.end_tick = step * TICKS_PER_STEP;
        out.tracks.push_back(track);
    }
    return out;
}
