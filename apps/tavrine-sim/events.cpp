#include "events.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <sstream>

#include "state/settings.h"

namespace tavrine::sim {

namespace {

/// Pointer positions beyond this many pixels from the surface are refused as typos.
constexpr std::int32_t kMaxPixel = 1000000;

/// Thrown inside the parser; caught once per line and turned into the error text.
struct LineError {
    std::string Text;
};

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

template <typename T>
T Number(const std::string& word, T low, T high, const char* what) {
    T value{};
    const char* end = word.data() + word.size();
    const auto [ptr, ec] = std::from_chars(word.data(), end, value);
    if (word.empty() || ec != std::errc() || ptr != end || value < low || value > high) {
        std::ostringstream s;
        s << what << " must be a whole number from " << low << " to " << high << ", not '" << word << "'";
        throw LineError{s.str()};
    }
    return value;
}

std::int32_t Pixel(const std::string& word) { return Number<std::int32_t>(word, -kMaxPixel, kMaxPixel, "a pixel position"); }

MouseButton Button(const std::string& word) {
    const std::string w = Lower(word);
    if (w == "left") return MouseButton::Left;
    if (w == "right") return MouseButton::Right;
    if (w == "middle") return MouseButton::Middle;
    throw LineError{"the button must be left, right or middle, not '" + word + "'"};
}

bool OnOff(const std::string& word, const char* what) {
    const std::string w = Lower(word);
    if (w == "on") return true;
    if (w == "off") return false;
    throw LineError{std::string(what) + " must be on or off, not '" + word + "'"};
}

KeyEvent Key(const std::string& word) {
    std::string name = Lower(word);
    KeyEvent key;
    if (name.rfind("alt+", 0) == 0 && name.size() > 4) {
        key.Alt = true;
        name = name.substr(4);
    }
    if (name == "escape" || name == "esc") key.Key = GameKey::Escape;
    else if (name == "enter" || name == "return") key.Key = GameKey::Return;
    else if (name == "a") key.Key = GameKey::A;
    else if (name == "s") key.Key = GameKey::S;
    else key.Key = GameKey::Other;
    return key;
}

MenuLabel Entry(const std::string& word) {
    const std::string w = Lower(word);
    if (w == "load") return MenuLabel::LoadGame;
    if (w == "save") return MenuLabel::SaveGame;
    if (w == "control") return MenuLabel::GameControl;
    if (w == "info") return MenuLabel::Information;
    if (w == "exit") return MenuLabel::Exit;
    throw LineError{"the menu entry must be load, save, control, info or exit, not '" + word + "'"};
}

ControlEvent Control(const std::vector<std::string>& args) {
    ControlEvent c;
    if (args.size() == 1 && Lower(args[0]) == "cancel") {
        c.Cancel = true;
        return c;
    }
    if (args.empty()) throw LineError{"control needs cancel or at least one KEY=VALUE"};
    for (const std::string& a : args) {
        const auto eq = a.find('=');
        if (eq == std::string::npos) throw LineError{"control takes KEY=VALUE, not '" + a + "'"};
        const std::string key = Lower(a.substr(0, eq)), value = a.substr(eq + 1);
        if (key == "speed") {
            const std::string v = Lower(value);
            if (v == "slow") c.Interval = kIntervalSlow;
            else if (v == "normal") c.Interval = kIntervalNormal;
            else if (v == "fast") c.Interval = kIntervalFast;
            else throw LineError{"speed must be slow, normal or fast, not '" + value + "'"};
        } else if (key == "mode") {
            c.Mode = Number<std::int32_t>(value, 0, 2, "mode");
        } else if (key == "difficulty") {
            c.Difficulty = Number<std::int32_t>(value, 0, 2, "difficulty");
        } else if (key == "music") {
            c.Music = OnOff(value, "music");
        } else if (key == "sound") {
            c.Sound = OnOff(value, "sound");
        } else {
            throw LineError{"unknown control setting '" + key + "'"};
        }
    }
    return c;
}

FilePick Pick(const std::vector<std::string>& args, bool allowNew, const char* verb) {
    if (args.empty() || args.size() > 2) throw LineError{std::string(verb) + " takes a game name" + (allowNew ? " and optionally new" : "")};
    if (args.size() == 2 && (!allowNew || Lower(args[1]) != "new"))
        throw LineError{std::string("unexpected '") + args[1] + "' after the name"};
    return FilePick{args[0], args.size() == 2};
}

void Count(const std::vector<std::string>& args, std::size_t low, std::size_t high, const std::string& verb) {
    if (args.size() < low || args.size() > high)
        throw LineError{verb + " takes " + (low == high ? std::to_string(low) : std::to_string(low) + " or " + std::to_string(high)) +
                        " argument" + (high == 1 ? "" : "s")};
}

/// The events of one line (two for load and save).
std::vector<EventAction> Actions(const std::string& verbWord, const std::vector<std::string>& args, bool editing) {
    const std::string verb = Lower(verbWord);
    const bool editorEvent = verb == "tool" || verb == "fog" || verb == "drop" || verb == "undo" || verb == "redo" ||
                             verb == "newmap" || verb == "savemap";
    if (editorEvent && !editing) throw LineError{verb + " needs the editing mode (--edit)"};
    if (verb == "down" || verb == "up") {
        Count(args, 3, 3, verb);
        const MouseButton b = Button(args[0]);
        if (verb == "down") return {PressEvent{b, Pixel(args[1]), Pixel(args[2])}};
        return {ReleaseEvent{b, Pixel(args[1]), Pixel(args[2])}};
    }
    if (verb == "move") {
        Count(args, 2, 3, verb);
        if (args.size() == 3 && Lower(args[2]) != "left") throw LineError{"move takes X Y and optionally left"};
        return {MoveEvent{Pixel(args[0]), Pixel(args[1]), args.size() == 3}};
    }
    if (verb == "key") {
        Count(args, 1, 1, verb);
        return {Key(args[0])};
    }
    if (verb == "pick") return {PickEvent{Pick(args, true, "pick")}};
    if (verb == "load") return {PickEvent{Pick(args, true, "load")}, MenuEvent{MenuLabel::LoadGame}};
    if (verb == "save") return {PickEvent{Pick(args, false, "save")}, MenuEvent{MenuLabel::SaveGame}};
    if (verb == "menu") {
        Count(args, 1, 1, verb);
        return {MenuEvent{Entry(args[0])}};
    }
    if (verb == "control") return {Control(args)};
    if (verb == "zoom") {
        Count(args, 0, 0, verb);
        return {ZoomEvent{}};
    }
    if (verb == "tool") {
        Count(args, 1, 1, verb);
        return {ToolEvent{Number<std::int32_t>(args[0], -1, 5, "the tool")}};
    }
    if (verb == "fog") {
        Count(args, 1, 1, verb);
        return {FogEvent{OnOff(args[0], "fog")}};
    }
    if (verb == "drop") {
        Count(args, 6, 6, verb);
        const auto part = [&](std::size_t i, const char* what) { return Number<std::int32_t>(args[i], 0, 1 << 20, what); };
        return {DropEvent{ImageRef{part(0, "the group"), part(1, "the subgroup"), part(2, "the list"), part(3, "the frame")},
                          Pixel(args[4]), Pixel(args[5])}};
    }
    if (verb == "undo" || verb == "redo") {
        Count(args, 0, 0, verb);
        return {UndoEvent{verb == "redo"}};
    }
    if (verb == "newmap") {
        Count(args, 4, 4, verb);
        NewGameChoice c;
        c.Accepted = true;
        c.Columns = Number<std::int32_t>(args[0], 1, 200, "the columns");
        c.Rows = Number<std::int32_t>(args[1], 1, 200, "the rows");
        c.Flag = Number<std::int32_t>(args[2], 0, 1, "the flag") != 0;
        c.Mission = Number<std::int32_t>(args[3], 0, 5, "the mission");
        return {NewMapEvent{c}};
    }
    if (verb == "savemap") {
        Count(args, 1, 1, verb);
        return {SaveMapEvent{args[0]}};
    }
    throw LineError{"unknown event '" + verbWord + "'"};
}

}  // namespace

std::optional<std::vector<ScriptEvent>> ParseEvents(const std::string& text, long long lastTick, bool editing,
                                                    std::string& error) {
    std::vector<ScriptEvent> events;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    long long previous = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string word; words >> word;) w.push_back(word);
        if (w.empty() || w[0][0] == '#') continue;
        try {
            if (w.size() < 2) throw LineError{"expected TICK EVENT ..."};
            const long long tick = Number<long long>(w[0], 0, lastTick, "the tick (0 to --ticks)");
            if (tick < previous) throw LineError{"tick " + w[0] + " comes before an earlier line's tick"};
            previous = tick;
            for (EventAction& a : Actions(w[1], std::vector<std::string>(w.begin() + 2, w.end()), editing))
                events.push_back({tick, number, std::move(a)});
        } catch (const LineError& e) {
            error = "line " + std::to_string(number) + ": " + e.Text;
            return std::nullopt;
        }
    }
    return events;
}

}  // namespace tavrine::sim
