#include "game/replay.h"

#include <charconv>
#include <limits>
#include <sstream>

#include "data/base64.h"
#include "state/run_fields.h"
#include "tavrine_build.h"
#include "view/panel_fields.h"


namespace tavrine {

namespace {

constexpr const char* kMagic = "tavrine-replay";
/// Base64 characters per data line.
constexpr std::size_t kDataLineChars = 76;

/// Thrown while reading; names the reason, the caller adds the line.
struct ReplayError {
    std::string Text;
};

std::uint64_t Hex(std::string_view word, const char* what) {
    std::uint64_t value = 0;
    const auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), value, 16);
    if (word.empty() || word.size() > 16 || ec != std::errc() || ptr != word.data() + word.size())
        throw ReplayError{std::string(what) + " must be up to 16 hexadecimal digits, not '" + std::string(word) + "'"};
    return value;
}

std::vector<std::string> Words(std::string_view line) {
    std::vector<std::string> words;
    std::istringstream in{std::string(line)};
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

/// KEY=VALUE words, each key a field that replays carry.
template <typename Record>
std::vector<std::pair<std::string, std::int64_t>> Assignments(const std::vector<std::string>& words,
                                                              std::span<const FieldDescription<Record>> fields) {
    std::vector<std::pair<std::string, std::int64_t>> values;
    for (std::size_t i = 2; i < words.size(); ++i) {
        const auto eq = words[i].find('=');
        if (eq == std::string::npos) throw ReplayError{"expected KEY=VALUE, not '" + words[i] + "'"};
        const std::string key = words[i].substr(0, eq);
        if (!FindNumberField(fields, key, Replayed)) throw ReplayError{"unknown state '" + key + "'"};
        values.emplace_back(key, WholeNumber<std::int64_t>(std::string_view(words[i]).substr(eq + 1), INT64_MIN, INT64_MAX, key.c_str()));
    }
    return values;
}

void Expect(const std::vector<std::string>& w, std::size_t count) {
    if (w.size() != count) throw ReplayError{"'" + w[1] + "' takes " + std::to_string(count - 2) + " value(s)"};
}

bool Flag(const std::string& word, const char* what) { return WholeNumber<int>(word, 0, 1, what) == 1; }

}  // namespace

const char* GameVersion() { return kVersion; }

std::uint64_t Fnv1a(const std::uint8_t* bytes, std::size_t size, std::uint64_t hash) {
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
    return hash;
}

std::string HexDigits(std::uint64_t value) {
    char buffer[17];
    const auto [end, ec] = std::to_chars(buffer, buffer + 16, value, 16);
    std::string text(buffer, end);
    return std::string(16 - text.size(), '0') + text;
}

std::string WriteReplay(const Replay& replay) {
    const ReplayStart& s = replay.Start;
    std::ostringstream out;
    out << "# " << kMagic << ' ' << kReplayFormat << '\n';
    out << "# version " << s.Version << '\n';
    out << "# new " << (s.NewGame ? 1 : 0) << '\n';
    out << "# random " << HexDigits(s.RandomState) << '\n';
    out << "# difficulty " << s.Difficulty << '\n';
    out << "# interval " << s.Interval << '\n';
    out << "# view " << s.ViewWidth << 'x' << s.ViewHeight << '\n';
    out << "# fades " << (s.Fades ? 1 : 0) << '\n';
    if (s.Library) out << "# library " << *s.Library << '\n';
    out << "# run";
    for (const auto& [name, value] : s.Run) out << ' ' << name << '=' << value;
    out << "\n# panels";
    for (const auto& [name, value] : s.Panels) out << ' ' << name << '=' << value;
    out << "\n# game " << s.GameFile.size() << ' ' << HexDigits(Fnv1a(s.GameFile.data(), s.GameFile.size())) << '\n';
    const std::string data = EncodeBase64(s.GameFile);
    for (std::size_t i = 0; i < data.size(); i += kDataLineChars) out << "# data " << data.substr(i, kDataLineChars) << '\n';
    for (const ScriptEvent& e : replay.Events) out << e.Tick << ' ' << FormatEvent(e.Action) << '\n';
    const ReplayEnd& e = replay.End;
    out << "# end ticks " << e.Ticks << " outcome " << e.Outcome << " time " << e.GameTime << " random "
        << HexDigits(e.RandomState) << " checksum " << HexDigits(e.Checksum) << '\n';
    return out.str();
}

std::optional<Replay> ParseReplay(std::string_view text, std::string& error) {
    Replay replay;
    ReplayStart& s = replay.Start;
    // The header's lines in their order; "data" may repeat.
    const char* const kOrder[] = {kMagic, "version", "new", "random", "difficulty", "interval", "view", "fades", "run", "panels", "game"};
    std::size_t expected = 0;
    std::size_t gameBytes = 0;
    std::uint64_t gameChecksum = 0;
    bool dataFinished = false;
    bool ended = false;
    bool inEvents = false;
    long long previousTick = 0;
    int number = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t eol = text.find('\n', pos);
        std::string_view line = text.substr(pos, eol == std::string_view::npos ? std::string_view::npos : eol - pos);
        pos = eol == std::string_view::npos ? text.size() : eol + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        try {
            const std::vector<std::string> w = Words(line);
            if (w.empty()) continue;
            if (ended) throw ReplayError{"nothing may follow the end line"};
            if (w[0] != "#") {
                if (expected < std::size(kOrder)) throw ReplayError{"an event before the header is complete"};
                if (s.GameFile.size() != gameBytes) throw ReplayError{"an event before the game data is complete"};
                inEvents = true;
                const long long tick = WholeNumber<long long>(w[0], 0, std::numeric_limits<long long>::max(), "the tick");
                if (tick < previousTick) throw ReplayError{"tick " + w[0] + " comes before an earlier line's tick"};
                previousTick = tick;
                for (EventAction& a : ParseEventWords(std::vector<std::string>(w.begin() + 1, w.end()), false))
                    replay.Events.push_back({tick, number, std::move(a)});
                continue;
            }
            if (w.size() < 2) throw ReplayError{"a '#' line needs a name"};
            const std::string& key = w[1];
            if (key == "data") {
                if (expected != std::size(kOrder) || inEvents) throw ReplayError{"game data out of place"};
                Expect(w, 3);
                if (const auto problem = DecodeBase64(w[2], s.GameFile, dataFinished)) throw ReplayError{*problem};
                if (s.GameFile.size() > gameBytes) throw ReplayError{"more game data than the game line says"};
                if (s.GameFile.size() == gameBytes && Fnv1a(s.GameFile.data(), s.GameFile.size()) != gameChecksum)
                    throw ReplayError{"the game data does not match its checksum"};
                continue;
            }
            if (key == "end") {
                if (expected != std::size(kOrder)) throw ReplayError{"the end before the header is complete"};
                if (s.GameFile.size() != gameBytes) throw ReplayError{"the game data is shorter than the game line says"};
                if (w.size() != 12 || w[2] != "ticks" || w[4] != "outcome" || w[6] != "time" || w[8] != "random" ||
                    w[10] != "checksum")
                    throw ReplayError{"expected '# end ticks N outcome O time T random R checksum C'"};
                ReplayEnd& e = replay.End;
                e.Ticks = WholeNumber<long long>(w[3], 0, std::numeric_limits<long long>::max(), "the ticks");
                e.Outcome = WholeNumber<std::int32_t>(w[5], 0, 2, "the outcome");
                e.GameTime = WholeNumber<std::int32_t>(w[7], INT32_MIN, INT32_MAX, "the time");
                e.RandomState = Hex(w[9], "the random state");
                e.Checksum = Hex(w[11], "the checksum");
                if (previousTick > e.Ticks) throw ReplayError{"an event lies after the last tick"};
                ended = true;
                continue;
            }
            if (inEvents) throw ReplayError{"a header line among the events"};
            // The library line is optional, between the fades and the run state.
            if (key == "library") {
                if (expected == 0 || std::string_view(kOrder[expected - 1]) != "fades" || s.Library)
                    throw ReplayError{"'# library' belongs after '# fades'"};
                Expect(w, 3);
                s.Library = w[2] == "none" ? w[2] : HexDigits(Hex(w[2], "the library's checksum"));
                continue;
            }
            if (expected == std::size(kOrder) || key != kOrder[expected])
                throw ReplayError{expected < std::size(kOrder) ? std::string("expected '# ") + kOrder[expected] + "'"
                                                               : "unexpected '# " + key + "'"};
            ++expected;
            if (key == kMagic) {
                Expect(w, 3);
                if (WholeNumber<int>(w[2], 0, 1 << 30, "the format") != kReplayFormat)
                    throw ReplayError{"replay format " + w[2] + " is not known (this game reads format " +
                                      std::to_string(kReplayFormat) + ")"};
            } else if (key == "version") {
                Expect(w, 3);
                s.Version = w[2];
            } else if (key == "new") {
                Expect(w, 3);
                s.NewGame = Flag(w[2], "new");
            } else if (key == "random") {
                Expect(w, 3);
                s.RandomState = Hex(w[2], "the random state");
            } else if (key == "difficulty") {
                Expect(w, 3);
                s.Difficulty = WholeNumber<std::int32_t>(w[2], INT32_MIN, INT32_MAX, "the difficulty");
            } else if (key == "interval") {
                Expect(w, 3);
                s.Interval = WholeNumber<std::int32_t>(w[2], 1, 1000, "the interval");
            } else if (key == "view") {
                Expect(w, 3);
                const auto x = w[2].find('x');
                if (x == std::string::npos) throw ReplayError{"the view must be WIDTHxHEIGHT"};
                s.ViewWidth = WholeNumber<std::int32_t>(std::string_view(w[2]).substr(0, x), 1, 16384, "the width");
                s.ViewHeight = WholeNumber<std::int32_t>(std::string_view(w[2]).substr(x + 1), 1, 16384, "the height");
            } else if (key == "fades") {
                Expect(w, 3);
                s.Fades = Flag(w[2], "fades");
            } else if (key == "run") {
                s.Run = Assignments(w, RunStateFields());
            } else if (key == "panels") {
                s.Panels = Assignments(w, PanelStateFields());
            } else if (key == "game") {
                Expect(w, 4);
                gameBytes = WholeNumber<std::size_t>(w[2], 0, kMaxReplayBytes, "the game's size");
                gameChecksum = Hex(w[3], "the game's checksum");
            }
            if (expected == std::size(kOrder) && gameBytes == 0 && gameChecksum != Fnv1a(nullptr, 0))
                throw ReplayError{"the game data does not match its checksum"};
        } catch (const ReplayError& e) {
            error = "line " + std::to_string(number) + ": " + e.Text;
            return std::nullopt;
        } catch (const EventLineError& e) {
            error = "line " + std::to_string(number) + ": " + e.Text;
            return std::nullopt;
        }
    }
    if (!ended) {
        error = "line " + std::to_string(number + 1) + ": the replay has no end line (it was cut short)";
        return std::nullopt;
    }
    return replay;
}

}  // namespace tavrine
