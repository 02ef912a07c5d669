// Music.mid is a Standard MIDI File of at least 90 seconds with General MIDI
// instruments that a player can loop.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "generated_content.h"

namespace tavrine::assets::testing {
namespace {

struct Note {
    int Channel, Pitch;
    std::uint64_t On, Off;
};

struct ParsedMidi {
    int Format = -1, Tracks = 0, Division = 0;
    std::uint32_t MicrosPerQuarter = 500000;
    int TempoChanges = 0;
    std::uint64_t EndTick = 0;
    std::vector<Note> Notes;
    std::set<int> ProgramChannels;
    bool Ok = false;
};

std::uint32_t Big32(const ByteVector& b, std::size_t at) {
    return (static_cast<std::uint32_t>(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}

/// A strict walk over the file: every chunk, every event, running status,
/// variable-length numbers, and every note-on closed by a note-off.
ParsedMidi Parse(const ByteVector& b) {
    ParsedMidi m;
    if (b.size() < 14 || std::string(b.begin(), b.begin() + 4) != "MThd" || Big32(b, 4) != 6) return m;
    m.Format = (b[8] << 8) | b[9];
    m.Tracks = (b[10] << 8) | b[11];
    m.Division = (b[12] << 8) | b[13];
    std::size_t at = 14;
    std::map<std::pair<int, int>, std::uint64_t> open;
    for (int t = 0; t < m.Tracks; ++t) {
        if (at + 8 > b.size() || std::string(b.begin() + at, b.begin() + at + 4) != "MTrk") return m;
        const std::size_t end = at + 8 + Big32(b, at + 4);
        if (end > b.size()) return m;
        std::size_t p = at + 8;
        std::uint64_t tick = 0;
        int status = 0;
        bool ended = false;
        auto varlen = [&](std::uint32_t& v) {
            v = 0;
            for (int i = 0; i < 4; ++i) {
                if (p >= end) return false;
                const std::uint8_t c = b[p++];
                v = (v << 7) | (c & 0x7F);
                if (!(c & 0x80)) return true;
            }
            return false;
        };
        while (p < end && !ended) {
            std::uint32_t delta = 0;
            if (!varlen(delta)) return m;
            tick += delta;
            if (p >= end) return m;
            if (b[p] & 0x80) status = b[p++];
            if (status == 0xFF) {
                if (p >= end) return m;
                const int type = b[p++];
                std::uint32_t len = 0;
                if (!varlen(len) || p + len > end) return m;
                if (type == 0x51 && len == 3) {
                    m.MicrosPerQuarter = (b[p] << 16) | (b[p + 1] << 8) | b[p + 2];
                    ++m.TempoChanges;
                }
                if (type == 0x2F) ended = true;
                p += len;
                status = 0;
                continue;
            }
            const int kind = status & 0xF0, channel = status & 0x0F;
            const int dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            if (status < 0x80 || p + dataBytes > end) return m;
            const int d1 = b[p], d2 = dataBytes > 1 ? b[p + 1] : 0;
            p += dataBytes;
            if (d1 > 127 || d2 > 127) return m;
            if (kind == 0xC0) m.ProgramChannels.insert(channel);
            if (kind == 0x90 && d2 > 0) {
                if (open.count({channel, d1})) return m;  // a note struck again before its end
                open[{channel, d1}] = tick;
            } else if (kind == 0x80 || (kind == 0x90 && d2 == 0)) {
                auto it = open.find({channel, d1});
                if (it == open.end()) return m;
                m.Notes.push_back({channel, d1, it->second, tick});
                open.erase(it);
            }
        }
        if (!ended || p != end) return m;
        m.EndTick = std::max(m.EndTick, tick);
        at = end;
    }
    m.Ok = open.empty() && at == b.size();
    return m;
}

double Seconds(const ParsedMidi& m, std::uint64_t tick) {
    return static_cast<double>(tick) * m.MicrosPerQuarter / m.Division / 1e6;
}

TEST(MusicFile, IsAWellFormedStandardMidiFileOfAtLeastNinetySeconds) {
    const ParsedMidi m = Parse(ProgramFile("Music.mid"));
    ASSERT_TRUE(m.Ok);
    EXPECT_EQ(m.Format, 1);
    EXPECT_EQ(m.TempoChanges, 1) << "one tempo throughout, so the loop keeps its pace";
    EXPECT_GE(Seconds(m, m.EndTick), 90.0);
    EXPECT_LE(Seconds(m, m.EndTick), 240.0);
    ASSERT_FALSE(m.Notes.empty());
}

TEST(MusicFile, EveryMelodicChannelChoosesAnInstrumentAndDrumsUseChannelTen) {
    const ParsedMidi m = Parse(ProgramFile("Music.mid"));
    ASSERT_TRUE(m.Ok);
    std::set<int> used;
    bool drums = false;
    for (const Note& n : m.Notes) {
        used.insert(n.Channel);
        if (n.Channel == 9) {
            drums = true;
            EXPECT_TRUE(n.Pitch >= 35 && n.Pitch <= 81) << "General MIDI percussion key " << n.Pitch;
        }
    }
    for (int c : used) {
        if (c != 9) {
            EXPECT_TRUE(m.ProgramChannels.count(c)) << "channel " << c + 1 << " plays without a program";
        }
    }
    EXPECT_TRUE(drums);
    EXPECT_GE(used.size(), 5u) << "an ensemble, not a single line";
}

TEST(MusicFile, LoopsWithoutDeadAirAtEitherEnd) {
    // Notes begin at once and sound until the last bar, so a restart follows
    // straight on.
    const ParsedMidi m = Parse(ProgramFile("Music.mid"));
    ASSERT_TRUE(m.Ok);
    std::uint64_t first = UINT64_MAX, last = 0;
    for (const Note& n : m.Notes) {
        first = std::min(first, n.On);
        last = std::max(last, n.Off);
    }
    EXPECT_EQ(first, 0u);
    EXPECT_LT(Seconds(m, m.EndTick) - Seconds(m, last), 1.0);
    // No gap of more than two seconds without any sounding note.
    std::vector<std::pair<std::uint64_t, std::uint64_t>> spans;
    for (const Note& n : m.Notes) spans.emplace_back(n.On, n.Off);
    std::sort(spans.begin(), spans.end());
    std::uint64_t reach = 0;
    for (auto [on, off] : spans) {
        EXPECT_LT(Seconds(m, on > reach ? on - reach : 0), 2.0);
        reach = std::max(reach, off);
    }
}

}  // namespace
}  // namespace tavrine::assets::testing
