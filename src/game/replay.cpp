#include "game/replay.h"

#include <algorithm>
#include <charconv>
#include <ctime>
#include <filesystem>
#include <limits>
#include <sstream>
#include <variant>

#include "state/saved_game.h"

#ifndef TAVRINE_VERSION
#define TAVRINE_VERSION "unknown"
#endif

namespace tavrine {

namespace {

constexpr const char* kMagic = "tavrine-replay";
/// Base64 characters per data line.
constexpr std::size_t kDataLineChars = 76;

/// The run-time and panel state that a battle carries over from before it began
/// and that the rules or the commands read: by name, as the replay writes it.
using RunMember = std::variant<std::int32_t RunState::*, std::uint8_t RunState::*>;
using PanelMember = std::variant<std::int32_t PanelState::*, bool PanelState::*>;
struct RunField {
    const char* Name;
    RunMember Member;
};
struct PanelField {
    const char* Name;
    PanelMember Member;
};

const RunField kRunFields[] = {
    {"FadeInPending", &RunState::FadeInPending}, {"ScrollStep", &RunState::ScrollStep},
    {"ScrollDX", &RunState::ScrollDX},           {"ScrollDY", &RunState::ScrollDY},
    {"MouseMapX", &RunState::MouseMapX},         {"MouseMapY", &RunState::MouseMapY},
    {"MinimapState", &RunState::MinimapState},   {"MinimapRowUp", &RunState::MinimapRowUp},
    {"MinimapRowDown", &RunState::MinimapRowDown}, {"MinimapZoom2", &RunState::MinimapZoom2},
    {"TitleShown", &RunState::TitleShown},       {"TitleFrames", &RunState::TitleFrames},
    {"LoadOffered", &RunState::LoadOffered},     {"Outcome", &RunState::Outcome},
    {"BannerTime", &RunState::BannerTime},       {"DragStartX", &RunState::DragStartX},
    {"DragStartY", &RunState::DragStartY},       {"DragX", &RunState::DragX},
    {"DragY", &RunState::DragY},                 {"Dragging", &RunState::Dragging},
    {"PressOnObject", &RunState::PressOnObject}, {"SoundOn", &RunState::SoundOn},
    {"MusicOn", &RunState::MusicOn},             {"ReportOn", &RunState::ReportOn},
    {"SecondTicks", &RunState::SecondTicks},     {"FramePhase", &RunState::FramePhase},
    {"EnemyHQs", &RunState::EnemyHQs},           {"EnemyBuildings", &RunState::EnemyBuildings},
    {"EnemyTanks", &RunState::EnemyTanks},       {"OwnHQs", &RunState::OwnHQs},
    {"OwnBuildings", &RunState::OwnBuildings},   {"OwnTanks", &RunState::OwnTanks},
    {"KeepGroups", &RunState::KeepGroups},
};

const PanelField kPanelFields[] = {
    {"StatusBarLeft", &PanelState::StatusBarLeft},   {"StatusBarTop", &PanelState::StatusBarTop},
    {"StatusBarWidth", &PanelState::StatusBarWidth}, {"StatusBarHeight", &PanelState::StatusBarHeight},
    {"MenuTop", &PanelState::MenuTop},               {"MenuHeight", &PanelState::MenuHeight},
    {"MenuButtonDown", &PanelState::MenuButtonDown}, {"MinimapLeft", &PanelState::MinimapLeft},
    {"MinimapTop", &PanelState::MinimapTop},         {"MinimapWidth", &PanelState::MinimapWidth},
    {"MinimapHeight", &PanelState::MinimapHeight},   {"MinimapVisible", &PanelState::MinimapVisible},
    {"MinimapButtonDown", &PanelState::MinimapButtonDown},
};

template <typename Object, typename Member>
std::int64_t Get(const Object& o, const Member& member) {
    return std::visit([&](auto m) { return static_cast<std::int64_t>(o.*m); }, member);
}

template <typename Object, typename Member>
void Set(Object& o, const Member& member, std::int64_t value) {
    std::visit([&](auto m) { o.*m = static_cast<std::remove_reference_t<decltype(o.*m)>>(value); }, member);
}

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string Base64(const Bytes& bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t v = std::uint32_t{bytes[i]} << 16;
        if (n > 1) v |= std::uint32_t{bytes[i + 1]} << 8;
        if (n > 2) v |= bytes[i + 2];
        for (std::size_t k = 0; k < 4; ++k) out += k <= n ? kBase64[(v >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

/// Thrown while reading; names the reason, the caller adds the line.
struct ReplayError {
    std::string Text;
};

/// Appends the bytes of one base64 line (a multiple of four characters; '='
/// padding only at the end of the data).
void DecodeBase64(std::string_view text, Bytes& out, bool& finished) {
    if (finished) throw ReplayError{"data after the end of the game data"};
    if (text.empty() || text.size() % 4 != 0) throw ReplayError{"base64 data must come in groups of four characters"};
    for (std::size_t i = 0; i < text.size(); i += 4) {
        int v[4];
        int pad = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const char c = text[i + k];
            if (c == '=' && k >= 2) {
                v[k] = 0;
                ++pad;
                continue;
            }
            if (pad > 0 || (v[k] = Base64Value(c)) < 0) throw ReplayError{"not base64 data"};
        }
        if (pad > 0 && i + 4 != text.size()) throw ReplayError{"base64 padding before the end of a line"};
        const std::uint32_t bits = (std::uint32_t(v[0]) << 18) | (std::uint32_t(v[1]) << 12) | (std::uint32_t(v[2]) << 6) |
                                   std::uint32_t(v[3]);
        out.push_back(static_cast<std::uint8_t>(bits >> 16));
        if (pad < 2) out.push_back(static_cast<std::uint8_t>(bits >> 8));
        if (pad < 1) out.push_back(static_cast<std::uint8_t>(bits));
        if (pad > 0) finished = true;
    }
}

template <typename T>
T Number(std::string_view word, T low, T high, const char* what) {
    T value{};
    const auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || ec != std::errc() || ptr != word.data() + word.size() || value < low || value > high) {
        std::ostringstream s;
        s << what << " must be a whole number from " << low << " to " << high << ", not '" << word << "'";
        throw ReplayError{s.str()};
    }
    return value;
}

std::uint64_t Hex(std::string_view word, const char* what) {
    std::uint64_t value = 0;
    const auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), value, 16);
    if (word.empty() || word.size() > 16 || ec != std::errc() || ptr != word.data() + word.size())
        throw ReplayError{std::string(what) + " must be up to 16 hexadecimal digits, not '" + std::string(word) + "'"};
    return value;
}

std::string HexText(std::uint64_t value) {
    char buffer[17];
    const auto [end, ec] = std::to_chars(buffer, buffer + 16, value, 16);
    std::string text(buffer, end);
    return std::string(16 - text.size(), '0') + text;
}

std::vector<std::string> Words(std::string_view line) {
    std::vector<std::string> words;
    std::istringstream in{std::string(line)};
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

/// KEY=VALUE words, each key one of `names`.
template <typename Fields>
std::vector<std::pair<std::string, std::int64_t>> Assignments(const std::vector<std::string>& words, const Fields& fields) {
    std::vector<std::pair<std::string, std::int64_t>> values;
    for (std::size_t i = 2; i < words.size(); ++i) {
        const auto eq = words[i].find('=');
        if (eq == std::string::npos) throw ReplayError{"expected KEY=VALUE, not '" + words[i] + "'"};
        const std::string key = words[i].substr(0, eq);
        bool known = false;
        for (const auto& f : fields) known = known || key == f.Name;
        if (!known) throw ReplayError{"unknown state '" + key + "'"};
        values.emplace_back(key, Number<std::int64_t>(std::string_view(words[i]).substr(eq + 1), INT32_MIN, INT32_MAX, key.c_str()));
    }
    return values;
}

void Expect(const std::vector<std::string>& w, std::size_t count) {
    if (w.size() != count) throw ReplayError{"'" + w[1] + "' takes " + std::to_string(count - 2) + " value(s)"};
}

bool Flag(const std::string& word, const char* what) { return Number<int>(word, 0, 1, what) == 1; }

}  // namespace

const char* GameVersion() { return TAVRINE_VERSION; }

std::uint64_t Fnv1a(const std::uint8_t* bytes, std::size_t size, std::uint64_t hash) {
    for (std::size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
    return hash;
}

std::uint64_t GameChecksum(const Game& game) {
    const Bytes record = SerializeGame(game.Record());
    std::uint8_t random[8];
    const std::uint64_t state = game.Rng().State();
    for (int i = 0; i < 8; ++i) random[i] = static_cast<std::uint8_t>(state >> (8 * i));
    return Fnv1a(random, sizeof random, Fnv1a(record.data(), record.size()));
}

ReplayStart CaptureStart(const Game& game, const Bytes& gameFile, bool newGame, bool fades) {
    ReplayStart s;
    const RunState& run = game.Run();
    s.Version = GameVersion();
    s.NewGame = newGame;
    s.RandomState = game.Rng().State();
    s.Difficulty = run.Difficulty;
    s.Interval = run.TimerInterval;
    s.ViewWidth = run.DisplayWidth;
    s.ViewHeight = run.DisplayHeight;
    s.Fades = fades;
    for (const RunField& f : kRunFields) s.Run.emplace_back(f.Name, Get(run, f.Member));
    for (const PanelField& f : kPanelFields) s.Panels.emplace_back(f.Name, Get(game.View().Panels, f.Member));
    s.GameFile = gameFile;
    return s;
}

void RestoreStart(const ReplayStart& start, Game& game) {
    RunState& run = game.Run();
    run.Difficulty = start.Difficulty;
    run.TimerInterval = start.Interval;
    run.DisplayWidth = start.ViewWidth;
    run.DisplayHeight = start.ViewHeight;
    // A replay plays with the option it was recorded with, whatever the viewer
    // chose; one recorded before the option existed had it off.
    run.KeepGroups = 0;
    for (const auto& [name, value] : start.Run)
        for (const RunField& f : kRunFields)
            if (name == f.Name) Set(run, f.Member, value);
    for (const auto& [name, value] : start.Panels)
        for (const PanelField& f : kPanelFields)
            if (name == f.Name) Set(game.View().Panels, f.Member, value);
    game.Rng().Restore(start.RandomState);
}

ReplayEnd CaptureEnd(const Game& game, long long ticks) {
    return ReplayEnd{ticks, game.Run().Outcome, game.Record().GameTime, game.Rng().State(),
                     GameChecksum(game)};
}

std::optional<std::string> CompareEnds(const ReplayEnd& recorded, const ReplayEnd& reached) {
    std::ostringstream s;
    if (recorded.Ticks != reached.Ticks)
        s << "the replay ran " << reached.Ticks << " ticks where the recording ran " << recorded.Ticks;
    else if (recorded.Outcome != reached.Outcome)
        s << "the outcome is " << reached.Outcome << " where the recording ended with " << recorded.Outcome;
    else if (recorded.GameTime != reached.GameTime)
        s << "the game time is " << reached.GameTime << " s where the recording ended at " << recorded.GameTime << " s";
    else if (recorded.RandomState != reached.RandomState)
        s << "the random generator stands at " << HexText(reached.RandomState) << " where the recording's stood at "
          << HexText(recorded.RandomState);
    else if (recorded.Checksum != reached.Checksum)
        s << "the game record's checksum is " << HexText(reached.Checksum) << " where the recording's was "
          << HexText(recorded.Checksum);
    else
        return std::nullopt;
    return s.str();
}

std::string WriteReplay(const Replay& replay) {
    const ReplayStart& s = replay.Start;
    std::ostringstream out;
    out << "# " << kMagic << ' ' << kReplayFormat << '\n';
    out << "# version " << s.Version << '\n';
    out << "# new " << (s.NewGame ? 1 : 0) << '\n';
    out << "# random " << HexText(s.RandomState) << '\n';
    out << "# difficulty " << s.Difficulty << '\n';
    out << "# interval " << s.Interval << '\n';
    out << "# view " << s.ViewWidth << 'x' << s.ViewHeight << '\n';
    out << "# fades " << (s.Fades ? 1 : 0) << '\n';
    out << "# run";
    for (const auto& [name, value] : s.Run) out << ' ' << name << '=' << value;
    out << "\n# panels";
    for (const auto& [name, value] : s.Panels) out << ' ' << name << '=' << value;
    out << "\n# game " << s.GameFile.size() << ' ' << HexText(Fnv1a(s.GameFile.data(), s.GameFile.size())) << '\n';
    const std::string data = Base64(s.GameFile);
    for (std::size_t i = 0; i < data.size(); i += kDataLineChars) out << "# data " << data.substr(i, kDataLineChars) << '\n';
    for (const ScriptEvent& e : replay.Events) out << e.Tick << ' ' << FormatEvent(e.Action) << '\n';
    const ReplayEnd& e = replay.End;
    out << "# end ticks " << e.Ticks << " outcome " << e.Outcome << " time " << e.GameTime << " random "
        << HexText(e.RandomState) << " checksum " << HexText(e.Checksum) << '\n';
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
                const long long tick = Number<long long>(w[0], 0, std::numeric_limits<long long>::max(), "the tick");
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
                DecodeBase64(w[2], s.GameFile, dataFinished);
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
                e.Ticks = Number<long long>(w[3], 0, std::numeric_limits<long long>::max(), "the ticks");
                e.Outcome = Number<std::int32_t>(w[5], 0, 2, "the outcome");
                e.GameTime = Number<std::int32_t>(w[7], INT32_MIN, INT32_MAX, "the time");
                e.RandomState = Hex(w[9], "the random state");
                e.Checksum = Hex(w[11], "the checksum");
                if (previousTick > e.Ticks) throw ReplayError{"an event lies after the last tick"};
                ended = true;
                continue;
            }
            if (inEvents) throw ReplayError{"a header line among the events"};
            if (expected == std::size(kOrder) || key != kOrder[expected])
                throw ReplayError{expected < std::size(kOrder) ? std::string("expected '# ") + kOrder[expected] + "'"
                                                               : "unexpected '# " + key + "'"};
            ++expected;
            if (key == kMagic) {
                Expect(w, 3);
                if (Number<int>(w[2], 0, 1 << 30, "the format") != kReplayFormat)
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
                s.Difficulty = Number<std::int32_t>(w[2], INT32_MIN, INT32_MAX, "the difficulty");
            } else if (key == "interval") {
                Expect(w, 3);
                s.Interval = Number<std::int32_t>(w[2], 1, 1000, "the interval");
            } else if (key == "view") {
                Expect(w, 3);
                const auto x = w[2].find('x');
                if (x == std::string::npos) throw ReplayError{"the view must be WIDTHxHEIGHT"};
                s.ViewWidth = Number<std::int32_t>(std::string_view(w[2]).substr(0, x), 1, 16384, "the width");
                s.ViewHeight = Number<std::int32_t>(std::string_view(w[2]).substr(x + 1), 1, 16384, "the height");
            } else if (key == "fades") {
                Expect(w, 3);
                s.Fades = Flag(w[2], "fades");
            } else if (key == "run") {
                s.Run = Assignments(w, kRunFields);
            } else if (key == "panels") {
                s.Panels = Assignments(w, kPanelFields);
            } else if (key == "game") {
                Expect(w, 4);
                gameBytes = Number<std::size_t>(w[2], 0, kMaxReplayBytes, "the game's size");
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

std::string ReplaysFolder(const Game& game) { return game.Paths().Replays(); }

std::string PlaybackFolder(const Game& game) { return ReplaysFolder(game) + "/.playback"; }

std::optional<std::string> KeepReplay(const std::string& folder, const Replay& replay, const std::string& gameName,
                                      const std::string& now) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(folder, error);
    std::string name = fs::path(gameName).stem().string();
    for (char& c : name)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < ' ') c = '_';
    const std::string path = folder + "/" + now + " " + name + ".replay";
    const std::string text = WriteReplay(replay);
    if (!WriteFileAtomically(path, Bytes(text.begin(), text.end()))) return std::nullopt;
    // The names begin with the date, so they sort oldest first.
    std::vector<std::string> kept;
    for (const fs::directory_entry& e : fs::directory_iterator(folder, error))
        if (e.is_regular_file(error) && e.path().extension() == ".replay") kept.push_back(e.path().string());
    std::sort(kept.begin(), kept.end());
    for (std::size_t i = 0; i + kKeptReplays < kept.size(); ++i) fs::remove(kept[i], error);
    return path;
}

std::string LocalTimeText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H-%M-%S", &local);
    return text;
}

}  // namespace tavrine
