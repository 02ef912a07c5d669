#include "music.h"

#include <algorithm>
#include <array>
#include <string>

namespace tavrine::assets {

namespace {

constexpr int kEighth = kTicksPerQuarter / 2;
constexpr int kBar = kTicksPerQuarter * 4;

/// A note of a melody: MIDI pitch (-1 for a rest) and length in eighths.
struct Step {
    int Pitch;
    int Eighths;
};

// Pitches.
constexpr int D4 = 62, E4 = 64, F4 = 65, G4 = 67, A4 = 69, Bb4 = 70, C5 = 72, Cs5 = 73,
              D5 = 74, Eb5 = 75, E5 = 76, F5 = 77, G5 = 79, A5 = 81;

// The first theme, in D minor, eight bars over Dm Bb C Dm Dm Gm A A.
const std::vector<Step> kThemeOne = {
    {A4, 3}, {A4, 1}, {D5, 4},                    // Dm
    {C5, 2}, {Bb4, 2}, {A4, 2}, {G4, 2},          // Bb
    {E4, 3}, {F4, 1}, {G4, 2}, {E4, 2},           // C
    {D4, 6}, {-1, 2},                             // Dm
    {A4, 3}, {A4, 1}, {D5, 2}, {F5, 2},           // Dm
    {G5, 2}, {D5, 2}, {Bb4, 4},                   // Gm
    {A4, 2}, {Cs5, 2}, {E5, 2}, {G5, 2},          // A
    {A5, 4}, {E5, 2}, {Cs5, 2},                   // A
};

// The bright middle, in F major, over F C Dm Bb F C Bb A.
const std::vector<Step> kInterlude = {
    {C5, 2}, {F5, 2}, {A5, 4},            {G5, 3}, {F5, 1}, {E5, 4},
    {F5, 2}, {D5, 2}, {A4, 4},            {Bb4, 2}, {D5, 2}, {F5, 4},
    {A5, 2}, {G5, 2}, {F5, 2}, {C5, 2},   {E5, 3}, {D5, 1}, {C5, 4},
    {D5, 2}, {C5, 2}, {Bb4, 2}, {D5, 2},  {Cs5, 8},
};

// The second theme, sung by the strings, over Gm Dm Bb A Gm Dm Eb A.
const std::vector<Step> kThemeTwo = {
    {G4, 4}, {Bb4, 2}, {D5, 2},           {F5, 6}, {E5, 2},
    {D5, 2}, {C5, 2}, {Bb4, 2}, {D5, 2},  {Cs5, 8},
    {G5, 4}, {F5, 2}, {D5, 2},            {F5, 4}, {A4, 4},
    {G5, 3}, {F5, 1}, {Eb5, 2}, {D5, 2},  {Cs5, 4}, {E5, 4},
};

/// A chord by its root (pitch class as a MIDI note in octave 2) and its two upper tones in semitones.
struct Chord {
    int Root;
    int Third;
    int Fifth;
};
constexpr Chord Dm{38, 3, 7}, Bb{34, 4, 7}, Cmaj{36, 4, 7}, Gm{43, 3, 7}, Amaj{45, 4, 7}, Fmaj{41, 4, 7}, Eb{39, 4, 7};

/// The chord of each bar.
const std::array<Chord, kBars> kChords = {
    Dm, Dm, Bb, Amaj,                                  // 1-4 intro
    Dm, Bb, Cmaj, Dm, Dm, Gm, Amaj, Amaj,              // 5-12 theme one
    Dm, Bb, Cmaj, Dm, Dm, Gm, Amaj, Amaj,              // 13-20 theme one, full
    Fmaj, Cmaj, Dm, Bb, Fmaj, Cmaj, Bb, Amaj,          // 21-28 interlude
    Gm, Dm, Bb, Amaj, Gm, Dm, Eb, Amaj,                // 29-36 theme two
    Dm, Bb, Cmaj, Dm, Dm, Gm, Amaj, Amaj,              // 37-44 theme one, dying away
};

enum Channel { kStrings, kHorn, kTrumpet, kBass, kTimpani, kBrass, kOboe, kViolins, kDrums = 9 };

struct Event {
    int Tick;
    int Order;  ///< note-offs before note-ons at the same tick
    std::vector<std::uint8_t> Bytes;
};

class Track {
public:
    void Program(int channel, int program, int volume, int pan) {
        Add(0, 0, {static_cast<std::uint8_t>(0xC0 | channel), static_cast<std::uint8_t>(program)});
        Add(0, 0, {static_cast<std::uint8_t>(0xB0 | channel), 7, static_cast<std::uint8_t>(volume)});
        Add(0, 0, {static_cast<std::uint8_t>(0xB0 | channel), 10, static_cast<std::uint8_t>(pan)});
        Add(0, 0, {static_cast<std::uint8_t>(0xB0 | channel), 91, 40});
    }
    void Note(int channel, int tick, int length, int pitch, int velocity) {
        if (pitch < 0) return;
        velocity = std::clamp(velocity, 1, 127);
        Add(tick, 2, {static_cast<std::uint8_t>(0x90 | channel), static_cast<std::uint8_t>(pitch),
                      static_cast<std::uint8_t>(velocity)});
        Add(tick + length - 8, 1, {static_cast<std::uint8_t>(0x80 | channel), static_cast<std::uint8_t>(pitch), 0});
    }
    void Melody(int channel, int startBar, const std::vector<Step>& steps, int velocity, int transpose = 0) {
        int tick = startBar * kBar;
        for (const Step& s : steps) {
            Note(channel, tick, s.Eighths * kEighth, s.Pitch < 0 ? -1 : s.Pitch + transpose, velocity);
            tick += s.Eighths * kEighth;
        }
    }
    void Meta(int tick, std::uint8_t type, const std::vector<std::uint8_t>& data) {
        std::vector<std::uint8_t> bytes = {0xFF, type, static_cast<std::uint8_t>(data.size())};
        bytes.insert(bytes.end(), data.begin(), data.end());
        Add(tick, 0, bytes);
    }
    /// The "MTrk" chunk: events in time order with variable-length delta times.
    std::vector<std::uint8_t> Encode(int endTick) {
        std::stable_sort(events_.begin(), events_.end(),
                         [](const Event& a, const Event& b) { return a.Tick != b.Tick ? a.Tick < b.Tick : a.Order < b.Order; });
        std::vector<std::uint8_t> body;
        int last = 0;
        for (const Event& e : events_) {
            PutVarLen(body, static_cast<std::uint32_t>(e.Tick - last));
            body.insert(body.end(), e.Bytes.begin(), e.Bytes.end());
            last = e.Tick;
        }
        PutVarLen(body, static_cast<std::uint32_t>(std::max(0, endTick - last)));
        body.insert(body.end(), {0xFF, 0x2F, 0x00});
        std::vector<std::uint8_t> chunk = {'M', 'T', 'r', 'k'};
        PutBig32(chunk, static_cast<std::uint32_t>(body.size()));
        chunk.insert(chunk.end(), body.begin(), body.end());
        return chunk;
    }

    static void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
    }

private:
    void Add(int tick, int order, std::vector<std::uint8_t> bytes) { events_.push_back({tick, order, std::move(bytes)}); }
    static void PutVarLen(std::vector<std::uint8_t>& out, std::uint32_t v) {
        std::uint8_t buffer[5];
        int n = 0;
        buffer[n++] = static_cast<std::uint8_t>(v & 0x7F);
        while (v >>= 7) buffer[n++] = static_cast<std::uint8_t>(0x80 | (v & 0x7F));
        while (n > 0) out.push_back(buffer[--n]);
    }
    std::vector<Event> events_;
};

/// The string ostinato of a bar: root, root, octave, root, fifth, root, octave, fifth.
void Ostinato(Track& t, int channel, int bar, const Chord& c, int velocity, int octave = 12) {
    static constexpr int kPattern[8] = {0, 0, 12, 0, 7, 0, 12, 7};
    for (int i = 0; i < 8; ++i) {
        const int accent = (i == 0 || i == 4) ? 12 : 0;
        t.Note(channel, bar * kBar + i * kEighth, kEighth, c.Root + octave + kPattern[i], velocity + accent);
    }
}

/// A chord held for the bar.
void Pad(Track& t, int channel, int bar, const Chord& c, int velocity) {
    for (int tone : {12, 12 + c.Third, 12 + c.Fifth, 24})
        t.Note(channel, bar * kBar, kBar, c.Root + 12 + tone, velocity);
}

/// Marching brass: the chord on the downbeat, again on the "and" of two, held on three.
void Stabs(Track& t, int channel, int bar, const Chord& c, int velocity) {
    const int b = bar * kBar;
    for (int tone : {0, c.Third, c.Fifth}) {
        const int pitch = c.Root + 24 + tone;
        t.Note(channel, b, 3 * kEighth, pitch, velocity);
        t.Note(channel, b + 3 * kEighth, kEighth, pitch, velocity - 10);
        t.Note(channel, b + 4 * kEighth, 4 * kEighth, pitch, velocity - 5);
    }
}

void Drums(Track& t, int bar, int velocity, bool full) {
    constexpr int kKick = 36, kSnare = 38, kHat = 42;
    const int b = bar * kBar;
    t.Note(kDrums, b, kEighth, kKick, velocity);
    t.Note(kDrums, b + 4 * kEighth, kEighth, kKick, velocity - 10);
    t.Note(kDrums, b + 2 * kEighth, kEighth, kSnare, velocity - 5);
    t.Note(kDrums, b + 6 * kEighth, kEighth, kSnare, velocity - 5);
    if (full) {
        // A military roll leading into the next bar.
        for (int i = 0; i < 4; ++i) t.Note(kDrums, b + 7 * kEighth + i * kEighth / 4, kEighth / 4, kSnare, velocity - 25 + i * 5);
        for (int i = 0; i < 8; ++i) t.Note(kDrums, b + i * kEighth, kEighth, kHat, velocity - 35);
    }
}

}  // namespace

std::vector<std::uint8_t> ComposeMusic() {
    Track conductor;
    const std::uint32_t microsPerQuarter = 60000000u / kTempo;
    conductor.Meta(0, 0x03, {'T', 'a', 'v', 'r', 'i', 'n', 'e', ' ', 'M', 'a', 'r', 'c', 'h'});
    conductor.Meta(0, 0x51, {static_cast<std::uint8_t>(microsPerQuarter >> 16), static_cast<std::uint8_t>(microsPerQuarter >> 8),
                             static_cast<std::uint8_t>(microsPerQuarter)});
    conductor.Meta(0, 0x58, {4, 2, 24, 8});
    conductor.Meta(0, 0x59, {0xFF, 1});  // one flat, minor: D minor

    Track music;
    music.Program(kStrings, 48, 96, 54);   // string ensemble
    music.Program(kHorn, 60, 104, 44);     // French horn
    music.Program(kTrumpet, 56, 96, 80);   // trumpet
    music.Program(kBass, 43, 100, 64);     // contrabass
    music.Program(kTimpani, 47, 110, 64);  // timpani
    music.Program(kBrass, 61, 84, 72);     // brass section
    music.Program(kOboe, 68, 100, 70);     // oboe
    music.Program(kViolins, 40, 96, 36);   // violin
    music.Program(kDrums, 0, 90, 64);

    for (int bar = 0; bar < kBars; ++bar) {
        const Chord& c = kChords[static_cast<std::size_t>(bar)];
        const bool intro = bar < 4, interlude = bar >= 20 && bar < 28, last = bar >= kBars - 2;
        // Strings: the ostinato drives everything except the interlude, which breathes.
        if (interlude) Pad(music, kStrings, bar, c, 58);
        else Ostinato(music, kStrings, bar, c, intro || last ? 52 : 64);
        // Bass on beats one and three.
        music.Note(kBass, bar * kBar, 4 * kEighth, c.Root, 84);
        music.Note(kBass, bar * kBar + 4 * kEighth, 4 * kEighth, bar % 2 ? c.Root + c.Fifth : c.Root, 76);
        // Timpani: root and fifth, a roll into the start at the very end.
        if (bar == kBars - 1) {
            for (int i = 0; i < 16; ++i) music.Note(kTimpani, bar * kBar + i * kEighth / 2, kEighth / 2, c.Root + 12, 40 + i * 2);
        } else if (!interlude) {
            music.Note(kTimpani, bar * kBar, kEighth, c.Root + 12, 96);
            music.Note(kTimpani, bar * kBar + 4 * kEighth, kEighth, c.Root + 12 + (c.Fifth == 7 ? -5 : 0), 80);
        }
        if (bar >= 12 && !interlude && !last) Stabs(music, kBrass, bar, c, 76);
        if (bar == 12 || bar == 20 || bar == 28 || bar == 36) music.Note(kDrums, bar * kBar, kBar, 49, 92);  // crash
        if (bar >= 4 && !last) Drums(music, bar, interlude ? 56 : 82, bar >= 12 && !interlude && bar % 4 == 3);
    }
    music.Melody(kHorn, 4, kThemeOne, 92);
    music.Melody(kTrumpet, 12, kThemeOne, 100);
    music.Melody(kHorn, 12, kThemeOne, 80, -12);
    music.Melody(kOboe, 20, kInterlude, 92);
    music.Melody(kViolins, 28, kThemeTwo, 98);
    music.Melody(kHorn, 28, kThemeTwo, 70, -12);
    // The return: the theme once more, the last phrase fading toward the restart.
    std::vector<Step> closing = kThemeOne;
    music.Melody(kTrumpet, 36, std::vector<Step>(closing.begin(), closing.begin() + 20), 100);
    music.Melody(kHorn, 36, closing, 84, -12);

    const int end = kBars * kBar;
    std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 2,
                                      static_cast<std::uint8_t>(kTicksPerQuarter >> 8),
                                      static_cast<std::uint8_t>(kTicksPerQuarter & 0xFF)};
    for (Track* t : {&conductor, &music}) {
        const std::vector<std::uint8_t> chunk = t->Encode(end);
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    return file;
}

}  // namespace tavrine::assets
