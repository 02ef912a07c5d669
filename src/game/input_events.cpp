#include "game/input_events.h"

#include "data/overloaded.h"
#include "mapgen/generator.h"
#include "state/settings.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <iomanip>
#include <sstream>
#include <string_view>

namespace tavrine {

namespace {

/// Pointer positions beyond this many pixels from the surface are refused as typos.
constexpr std::int32_t kMaxPixel = 1000000;

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::int32_t Pixel(const std::string& word) { return WholeNumber<std::int32_t>(word, -kMaxPixel, kMaxPixel, "a pixel position"); }

MouseButton Button(const std::string& word) {
    const std::string w = Lower(word);
    if (w == "left") return MouseButton::Left;
    if (w == "right") return MouseButton::Right;
    if (w == "middle") return MouseButton::Middle;
    throw EventLineError{"the button must be left, right or middle, not '" + word + "'"};
}

bool OnOff(const std::string& word, const char* what) {
    const std::string w = Lower(word);
    if (w == "on") return true;
    if (w == "off") return false;
    throw EventLineError{std::string(what) + " must be on or off, not '" + word + "'"};
}

FilePick Pick(const std::vector<std::string>& args, bool allowNew, const char* verb);

/// The keys by name, the name written first; "Other" stands for every key the
/// game does not know, and any other name is refused.
struct NamedKey {
    const char* Name;
    GameKey Key;
};
constexpr NamedKey kKeyNames[] = {
    {"Escape", GameKey::Escape}, {"Esc", GameKey::Escape}, {"Enter", GameKey::Return}, {"Return", GameKey::Return},
    {"A", GameKey::A},           {"S", GameKey::S},        {"P", GameKey::P},          {"Pause", GameKey::Pause},
    {"Left", GameKey::Left},     {"Right", GameKey::Right}, {"Up", GameKey::Up},       {"Down", GameKey::Down},
    {"1", GameKey::Digit1},      {"2", GameKey::Digit2},   {"3", GameKey::Digit3},     {"4", GameKey::Digit4},
    {"5", GameKey::Digit5},      {"6", GameKey::Digit6},   {"7", GameKey::Digit7},     {"8", GameKey::Digit8},
    {"9", GameKey::Digit9},      {"Other", GameKey::Other},
    {"Space", GameKey::Space},   {"Plus", GameKey::Plus},  {"Minus", GameKey::Minus},  {"F", GameKey::F},
    {"R", GameKey::R},           {"F1", GameKey::F1},         {"N", GameKey::N}};

/// A key by name, with any Alt+ and Ctrl+ prefixes; `down` and `up` say whether it
/// goes down, comes up, or both (a plain `key` line).
KeyEvent Key(const std::string& word, bool down, bool up) {
    std::string name = Lower(word);
    KeyEvent key;
    key.Down = down;
    key.Up = up;
    for (bool more = true; more;) {
        more = false;
        for (auto [prefix, flag] : {std::pair{std::string_view("alt+"), &key.Alt}, std::pair{std::string_view("ctrl+"), &key.Ctrl},
                                    std::pair{std::string_view("shift+"), &key.Shift}})
            if (name.rfind(prefix, 0) == 0 && name.size() > prefix.size()) {
                *flag = true;
                name = name.substr(prefix.size());
                more = true;
            }
    }
    for (const NamedKey& k : kKeyNames)
        if (Lower(k.Name) == name) {
            key.Key = k.Key;
            return key;
        }
    throw EventLineError{"unknown key '" + word + "'"};
}

const char* const kEntryNames[] = {"load", "save", "control", "info", "exit", "campaign", "skirmish", "quick"};

std::int32_t Setting(const std::string& value, const char* what) { return WholeNumber<std::int32_t>(value, -1, 1000, what); }

/// A display mode of a script: a table row's number (-1 for none) or "WxH".
std::int32_t ModeSetting(const std::string& value) {
    if (const auto size = ParseModeSize(value)) return ModeNumberOf(*size);
    return Setting(value, "mode");
}

/// The interface scale setting: "auto" (0), "1" or "2".
std::int32_t ScaleSetting(const std::string& value) {
    const std::string v = Lower(value);
    if (v == "auto") return 0;
    if (v == "1" || v == "2") return v[0] - '0';
    throw EventLineError{"scale must be auto, 1 or 2, not '" + value + "'"};
}

std::string ScaleName(std::int32_t scale) { return scale == 1 || scale == 2 ? std::to_string(scale) : "auto"; }

/// A mode number as scripts write it: a coded size as "WxH", else the number.
std::string ModeText(std::int32_t number) {
    if (number >= kModeCount) {
        if (const auto mode = ModeOfNumber(number)) return std::to_string(mode->Width) + "x" + std::to_string(mode->Height);
    }
    return std::to_string(number);
}

/// A name with its blanks, control characters and '%' written as %XX.
std::string Escape(const std::string& name) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string out;
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c <= ' ' || c == '%' || c == 0x7F) out += {'%', kHex[c >> 4], kHex[c & 15]};
        else out += ch;
    }
    return out;
}

std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        const std::string hex = text.substr(i + 1, 2);
        unsigned value = 0;
        const auto [ptr, ec] = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
        if (hex.size() != 2 || ec != std::errc() || ptr != hex.data() + 2)
            throw EventLineError{"'%' in a name must be followed by two hexadecimal digits"};
        out += static_cast<char>(value);
        i += 2;
    }
    return out;
}

constexpr const char* kBoxNames[] = {"unknown", "message", "question", "confirm", "information",
                                     "load",    "save",    "control",  "newmap",  "help",   "skirmish", "campaign"};

/// `answer ...`: what the open dialog or message box answered.
AnswerEvent AnswerWithoutBox(const std::vector<std::string>& args);

AnswerEvent Answer(std::vector<std::string> args) {
    // The box and its text come last (replays); a picked name comes before them.
    DialogBox box = DialogBox::Unknown;
    std::string text;
    while (args.size() > 2 || (args.size() == 2 && Lower(args[0]) != "pick")) {
        const std::string& last = args.back();
        if (last.rfind("text=", 0) == 0 && text.empty()) {
            text = Unescape(last.substr(5));
        } else if (last.rfind("box=", 0) == 0 && box == DialogBox::Unknown) {
            const std::string name = Lower(last.substr(4));
            const auto* found = std::find(std::begin(kBoxNames) + 1, std::end(kBoxNames), name);
            if (found == std::end(kBoxNames)) throw EventLineError{"unknown box '" + name + "'"};
            box = static_cast<DialogBox>(found - std::begin(kBoxNames));
        } else {
            break;
        }
        args.pop_back();
    }
    if (!text.empty() && box == DialogBox::Unknown) throw EventLineError{"an answer's text needs its box"};
    AnswerEvent a = AnswerWithoutBox(args);
    a.Box = box;
    a.Text = std::move(text);
    return a;
}

/// `disk QUESTION N`: what the disk answered.
DiskEvent Disk(const std::vector<std::string>& args) {
    if (args.size() != 2) throw EventLineError{"disk takes exists, saved, settings or read, then a number"};
    const std::string q = Lower(args[0]);
    if (q == "read") return {DiskQuestion::GameRead, WholeNumber<std::int32_t>(args[1], 0, 4, "a read's result")};
    const std::int32_t flag = WholeNumber<std::int32_t>(args[1], 0, 1, "the disk's answer");
    if (q == "exists") return {DiskQuestion::GameExists, flag};
    if (q == "saved") return {DiskQuestion::GameSaved, flag};
    if (q == "settings") return {DiskQuestion::SettingsSaved, flag};
    throw EventLineError{"disk takes exists, saved, settings or read, not '" + args[0] + "'"};
}

AnswerEvent AnswerWithoutBox(const std::vector<std::string>& args) {
    if (args.empty()) throw EventLineError{"answer needs ok, yes, no, cancel, pick NAME or control KEY=VALUE..."};
    const std::string kind = Lower(args[0]);
    AnswerEvent a;
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (kind == "pick") {
        a.Answer = AnswerEvent::Kind::Pick;
        a.Pick = Pick(rest, true, "answer pick");
        a.Pick.Name = Unescape(a.Pick.Name);
        return a;
    }
    if (kind == "control") {
        a.Answer = AnswerEvent::Kind::Control;
        a.Control.Confirmed = true;
        bool seen[5] = {};
        for (const std::string& r : rest) {
            const auto eq = r.find('=');
            if (eq == std::string::npos) throw EventLineError{"answer control takes KEY=VALUE, not '" + r + "'"};
            const std::string key = Lower(r.substr(0, eq)), value = r.substr(eq + 1);
            if (key == "interval") a.Control.Interval = Setting(value, "interval"), seen[0] = true;
            else if (key == "mode") a.Control.ModeNumber = ModeSetting(value), seen[1] = true;
            else if (key == "difficulty") a.Control.Difficulty = Setting(value, "difficulty"), seen[2] = true;
            else if (key == "music") a.Control.MusicOn = OnOff(value, "music"), seen[3] = true;
            else if (key == "sound") a.Control.SoundOn = OnOff(value, "sound"), seen[4] = true;
            else if (key == "scale") a.Control.Scale = ScaleSetting(value);
            else if (key == "groups") a.Control.KeepGroups = OnOff(value, "groups");
            else throw EventLineError{"unknown control setting '" + key + "'"};
        }
        for (bool s : seen)
            if (!s) throw EventLineError{"answer control needs interval, mode, difficulty, music and sound"};
        return a;
    }
    if (args.size() != 1) throw EventLineError{"unexpected '" + args[1] + "' after " + args[0]};
    if (kind == "ok") a.Answer = AnswerEvent::Kind::Ok;
    else if (kind == "yes") a.Answer = AnswerEvent::Kind::Yes;
    else if (kind == "no") a.Answer = AnswerEvent::Kind::No;
    else if (kind == "cancel") a.Answer = AnswerEvent::Kind::Cancel;
    else throw EventLineError{"the answer must be ok, yes, no, cancel, pick or control, not '" + args[0] + "'"};
    return a;
}


const char* ButtonName(MouseButton b) { return b == MouseButton::Left ? "left" : b == MouseButton::Right ? "right" : "middle"; }
const char* OnOffName(bool on) { return on ? "on" : "off"; }

MenuLabel Entry(const std::string& word) {
    const std::string w = Lower(word);
    if (w == "load") return MenuLabel::LoadGame;
    if (w == "save") return MenuLabel::SaveGame;
    if (w == "control") return MenuLabel::GameControl;
    if (w == "info") return MenuLabel::Information;
    if (w == "exit") return MenuLabel::Exit;
    if (w == "campaign") return MenuLabel::Campaign;
    if (w == "skirmish") return MenuLabel::Skirmish;
    if (w == "quick") return MenuLabel::QuickSkirmish;
    throw EventLineError{"the menu entry must be load, save, control, info, exit, campaign, skirmish or quick, not '" +
                         word + "'"};
}

ControlEvent Control(const std::vector<std::string>& args) {
    ControlEvent c;
    if (args.size() == 1 && Lower(args[0]) == "cancel") {
        c.Cancel = true;
        return c;
    }
    if (args.empty()) throw EventLineError{"control needs cancel or at least one KEY=VALUE"};
    for (const std::string& a : args) {
        const auto eq = a.find('=');
        if (eq == std::string::npos) throw EventLineError{"control takes KEY=VALUE, not '" + a + "'"};
        const std::string key = Lower(a.substr(0, eq)), value = a.substr(eq + 1);
        if (key == "speed") {
            const std::string v = Lower(value);
            if (v == "slow") c.Interval = kIntervalSlow;
            else if (v == "normal") c.Interval = kIntervalNormal;
            else if (v == "fast") c.Interval = kIntervalFast;
            else throw EventLineError{"speed must be slow, normal or fast, not '" + value + "'"};
        } else if (key == "mode") {
            // A table row by its number, or any other mode by its size.
            if (const auto size = ParseModeSize(value)) c.Mode = ModeNumberOf(*size);
            else c.Mode = WholeNumber<std::int32_t>(value, 0, 2, "mode");
        } else if (key == "difficulty") {
            c.Difficulty = WholeNumber<std::int32_t>(value, 0, 2, "difficulty");
        } else if (key == "music") {
            c.Music = OnOff(value, "music");
        } else if (key == "sound") {
            c.Sound = OnOff(value, "sound");
        } else if (key == "scale") {
            c.Scale = ScaleSetting(value);
        } else if (key == "groups") {
            c.Groups = OnOff(value, "groups");
        } else {
            throw EventLineError{"unknown control setting '" + key + "'"};
        }
    }
    return c;
}

FilePick Pick(const std::vector<std::string>& args, bool allowNew, const char* verb) {
    if (args.empty() || args.size() > 2) throw EventLineError{std::string(verb) + " takes a game name" + (allowNew ? " and optionally new" : "")};
    if (args.size() == 2 && (!allowNew || Lower(args[1]) != "new"))
        throw EventLineError{std::string("unexpected '") + args[1] + "' after the name"};
    return FilePick{args[0], args.size() == 2};
}

void Count(const std::vector<std::string>& args, std::size_t low, std::size_t high, const std::string& verb) {
    if (args.size() < low || args.size() > high)
        throw EventLineError{verb + " takes " + (low == high ? std::to_string(low) : std::to_string(low) + " or " + std::to_string(high)) +
                        " argument" + (high == 1 ? "" : "s")};
}

/// `skirmish quick` or `skirmish SEED LANDSCAPE SIZE SYMMETRY MISSION [SCENERY [DIFFICULTY]]`.
SkirmishEvent Skirmish(const std::vector<std::string>& args) {
    if (args.size() == 1 && Lower(args[0]) == "quick") return {true, {}};
    Count(args, 5, 7, "skirmish");
    SkirmishEvent e;
    SkirmishSetup& k = e.Setup;
    k.Seed = WholeNumber<std::uint64_t>(args[0], 0, ~std::uint64_t{0}, "the seed");
    const auto land = mapgen::LandscapeNamed(Lower(args[1]));
    if (!land) throw EventLineError{"unknown landscape '" + args[1] + "'"};
    k.Landscape = static_cast<std::int32_t>(*land);
    if (!mapgen::ParseMapSize(Lower(args[2]), k.Columns, k.Rows))
        throw EventLineError{"the size must be small, medium, large, huge or CxR from 40x30 to 200x200, not '" + args[2] + "'"};
    const auto mirror = mapgen::SymmetryNamed(Lower(args[3]));
    if (!mirror) throw EventLineError{"the symmetry must be none, mirror or rotate, not '" + args[3] + "'"};
    k.Symmetry = static_cast<std::int32_t>(*mirror);
    k.Mission = WholeNumber<std::int32_t>(args[4], 0, 5, "the mission");
    k.Scenery = args.size() > 5 ? WholeNumber<std::int32_t>(args[5], 0, mapgen::kMaxScenery, "the scenery") : -1;
    k.Difficulty = args.size() > 6 ? WholeNumber<std::int32_t>(args[6], 0, 2, "the difficulty") : -1;
    return e;
}

}  // namespace

std::vector<EventAction> ParseEventWords(const std::vector<std::string>& words, bool editing) {
    if (words.empty()) throw EventLineError{"expected an event"};
    const std::string& verbWord = words[0];
    const std::vector<std::string> args(words.begin() + 1, words.end());
    const std::string verb = Lower(verbWord);
    const bool editorEvent = verb == "tool" || verb == "fog" || verb == "drop" || verb == "undo" || verb == "redo" ||
                             verb == "newmap" || verb == "savemap";
    if (editorEvent && !editing) throw EventLineError{verb + " needs the editing mode (--edit)"};
    if (verb == "down" || verb == "up") {
        Count(args, 3, 4, verb);
        if (args.size() == 4 && Lower(args[3]) != "shift") throw EventLineError{verb + " takes a button, X Y and optionally shift"};
        const MouseButton b = Button(args[0]);
        const bool shift = args.size() == 4;
        if (verb == "down") return {PressEvent{b, Pixel(args[1]), Pixel(args[2]), shift}};
        return {ReleaseEvent{b, Pixel(args[1]), Pixel(args[2]), shift}};
    }
    if (verb == "move") {
        Count(args, 2, 3, verb);
        if (args.size() == 3 && Lower(args[2]) != "left") throw EventLineError{"move takes X Y and optionally left"};
        return {MoveEvent{Pixel(args[0]), Pixel(args[1]), args.size() == 3}};
    }
    if (verb == "key" || verb == "keydown" || verb == "keyup") {
        Count(args, 1, 1, verb);
        return {Key(args[0], verb != "keyup", verb != "keydown")};
    }
    if (verb == "focus") {
        Count(args, 1, 1, verb);
        const std::string w = Lower(args[0]);
        if (w != "in" && w != "out") throw EventLineError{"focus must be in or out, not '" + args[0] + "'"};
        return {FocusEvent{w == "in"}};
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
        return {ToolEvent{WholeNumber<std::int32_t>(args[0], -1, 5, "the tool")}};
    }
    if (verb == "fog") {
        Count(args, 1, 1, verb);
        return {FogEvent{OnOff(args[0], "fog")}};
    }
    if (verb == "drop") {
        Count(args, 6, 6, verb);
        const auto part = [&](std::size_t i, const char* what) { return WholeNumber<std::int32_t>(args[i], 0, 1 << 20, what); };
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
        c.Columns = WholeNumber<std::int32_t>(args[0], 1, 200, "the columns");
        c.Rows = WholeNumber<std::int32_t>(args[1], 1, 200, "the rows");
        c.Flag = WholeNumber<std::int32_t>(args[2], 0, 1, "the flag") != 0;
        c.Mission = WholeNumber<std::int32_t>(args[3], 0, 5, "the mission");
        return {NewMapEvent{c}};
    }
    if (verb == "savemap") {
        Count(args, 1, 1, verb);
        return {SaveMapEvent{args[0]}};
    }
    if (verb == "minimap") {
        Count(args, 3, 4, verb);
        const std::string how = Lower(args[0]);
        if (how != "down" && how != "move") throw EventLineError{"minimap takes down or move, not '" + args[0] + "'"};
        if (args.size() == 4 && (how == "down" || Lower(args[3]) != "left"))
            throw EventLineError{"minimap takes down X Y or move X Y [left]"};
        return {MinimapEvent{how == "down", Pixel(args[1]), Pixel(args[2]), args.size() == 4}};
    }
    if (verb == "button") {
        Count(args, 2, 2, verb);
        const std::string which = Lower(args[0]), how = Lower(args[1]);
        if ((which != "menu" && which != "minimap") || (how != "down" && how != "up"))
            throw EventLineError{"button takes menu or minimap, then down or up"};
        return {ButtonEvent{which == "minimap", how == "down"}};
    }
    if (verb == "panel") {
        Count(args, 0, 0, verb);
        return {PanelMoveEvent{}};
    }
    if (verb == "answer") return {Answer(args)};
    if (verb == "resize") {
        Count(args, 2, 2, verb);
        return {ResizeEvent{WholeNumber<std::int32_t>(args[0], kMinModeWidth, kMaxModeSide, "a width"),
                            WholeNumber<std::int32_t>(args[1], kMinModeHeight, kMaxModeSide, "a height")}};
    }
    if (verb == "disk") return {Disk(args)};
    if (verb == "campaign") {
        Count(args, 1, 1, verb);
        return {CampaignEvent{WholeNumber<std::int32_t>(args[0], 1, 64, "the mission")}};
    }
    if (verb == "skirmish") return {Skirmish(args)};
    throw EventLineError{"unknown event '" + verbWord + "'"};
}

std::string KeyName(GameKey key, bool alt, bool ctrl, bool shift) {
    std::string name = "Other";
    for (const NamedKey& k : kKeyNames)
        if (k.Key == key) {
            name = k.Name;
            break;
        }
    return std::string(ctrl ? "Ctrl+" : "") + (alt ? "Alt+" : "") + (shift ? "Shift+" : "") + name;
}

std::string FormatEvent(const EventAction& action) {
    std::ostringstream s;
    std::visit(Overloaded{
                   [&](const PressEvent& e) {
                       s << "down " << ButtonName(e.Button) << ' ' << e.X << ' ' << e.Y << (e.Shift ? " shift" : "");
                   },
                   [&](const MoveEvent& e) { s << "move " << e.X << ' ' << e.Y << (e.LeftHeld ? " left" : ""); },
                   [&](const ReleaseEvent& e) {
                       s << "up " << ButtonName(e.Button) << ' ' << e.X << ' ' << e.Y << (e.Shift ? " shift" : "");
                   },
                   [&](const KeyEvent& e) {
                       s << (e.Down && e.Up ? "key " : e.Down ? "keydown " : "keyup ") << KeyName(e.Key, e.Alt, e.Ctrl, e.Shift);
                   },
                   [&](const FocusEvent& e) { s << "focus " << (e.In ? "in" : "out"); },
                   [&](const PickEvent& e) { s << "pick " << e.Answer.Name << (e.Answer.FromNewGames ? " new" : ""); },
                   [&](const MenuEvent& e) { s << "menu " << kEntryNames[static_cast<int>(e.Entry)]; },
                   [&](const ControlEvent& e) {
                       s << "control";
                       if (e.Cancel) s << " cancel";
                       if (e.Interval) s << " speed=" << (*e.Interval == kIntervalSlow ? "slow" : *e.Interval == kIntervalFast ? "fast" : "normal");
                       if (e.Mode) s << " mode=" << ModeText(*e.Mode);
                       if (e.Difficulty) s << " difficulty=" << *e.Difficulty;
                       if (e.Music) s << " music=" << OnOffName(*e.Music);
                       if (e.Sound) s << " sound=" << OnOffName(*e.Sound);
                       if (e.Scale) s << " scale=" << ScaleName(*e.Scale);
                       if (e.Groups) s << " groups=" << OnOffName(*e.Groups);
                   },
                   [&](const ZoomEvent&) { s << "zoom"; },
                   [&](const ToolEvent& e) { s << "tool " << e.Tool; },
                   [&](const FogEvent& e) { s << "fog " << OnOffName(e.Down); },
                   [&](const DropEvent& e) {
                       s << "drop " << e.Picture.Group << ' ' << e.Picture.Subgroup << ' ' << e.Picture.List << ' '
                         << e.Picture.Frame << ' ' << e.X << ' ' << e.Y;
                   },
                   [&](const UndoEvent& e) { s << (e.Redo ? "redo" : "undo"); },
                   [&](const NewMapEvent& e) {
                       s << "newmap " << e.Answer.Columns << ' ' << e.Answer.Rows << ' ' << (e.Answer.Flag ? 1 : 0) << ' '
                         << e.Answer.Mission;
                   },
                   [&](const SaveMapEvent& e) { s << "savemap " << e.Name; },
                   [&](const CampaignEvent& e) { s << "campaign " << e.Mission; },
                   [&](const SkirmishEvent& e) {
                       const SkirmishSetup& k = e.Setup;
                       if (e.Quick) {
                           s << "skirmish quick";
                           return;
                       }
                       s << "skirmish " << k.Seed << ' ' << mapgen::NameOf(static_cast<mapgen::Landscape>(k.Landscape)) << ' '
                         << k.Columns << 'x' << k.Rows << ' ' << mapgen::NameOf(static_cast<mapgen::Symmetry>(k.Symmetry))
                         << ' ' << k.Mission;
                       if (k.Scenery >= 0) s << ' ' << k.Scenery;
                       if (k.Scenery >= 0 && k.Difficulty >= 0) s << ' ' << k.Difficulty;
                   },
                   [&](const MinimapEvent& e) {
                       s << "minimap " << (e.Press ? "down " : "move ") << e.X << ' ' << e.Y << (e.LeftHeld ? " left" : "");
                   },
                   [&](const ButtonEvent& e) { s << "button " << (e.Minimap ? "minimap " : "menu ") << (e.Down ? "down" : "up"); },
                   [&](const PanelMoveEvent&) { s << "panel"; },
                   [&](const ResizeEvent& e) { s << "resize " << e.Width << ' ' << e.Height; },
                   [&](const AnswerEvent& e) {
                       s << "answer ";
                       switch (e.Answer) {
                           case AnswerEvent::Kind::Ok: s << "ok"; break;
                           case AnswerEvent::Kind::Yes: s << "yes"; break;
                           case AnswerEvent::Kind::No: s << "no"; break;
                           case AnswerEvent::Kind::Cancel: s << "cancel"; break;
                           case AnswerEvent::Kind::Pick: s << "pick " << Escape(e.Pick.Name) << (e.Pick.FromNewGames ? " new" : ""); break;
                           case AnswerEvent::Kind::Control:
                               s << "control interval=" << e.Control.Interval << " mode=" << ModeText(e.Control.ModeNumber)
                                 << " difficulty=" << e.Control.Difficulty << " music=" << OnOffName(e.Control.MusicOn)
                                 << " sound=" << OnOffName(e.Control.SoundOn);
                               if (e.Control.Scale >= 0) s << " scale=" << ScaleName(e.Control.Scale);
                               if (e.Control.KeepGroups) s << " groups=" << OnOffName(*e.Control.KeepGroups);
                               break;
                       }
                       if (e.Box != DialogBox::Unknown) s << " box=" << kBoxNames[static_cast<int>(e.Box)];
                       if (!e.Text.empty()) s << " text=" << Escape(e.Text);
                   },
                   [&](const DiskEvent& e) {
                       constexpr const char* kQuestions[] = {"exists", "saved", "read", "settings"};
                       s << "disk " << kQuestions[static_cast<int>(e.Question)] << ' ' << e.Result;
                   },
               },
               action);
    return s.str();
}

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
        // A word in double quotes may hold blanks: "01 Beachhead.gam".
        for (std::string word; words >> std::quoted(word);) w.push_back(word);
        if (w.empty() || w[0][0] == '#') continue;
        try {
            if (w.size() < 2) throw EventLineError{"expected TICK EVENT ..."};
            const long long tick = WholeNumber<long long>(w[0], 0, lastTick, "the tick (0 to --ticks)");
            if (tick < previous) throw EventLineError{"tick " + w[0] + " comes before an earlier line's tick"};
            previous = tick;
            for (EventAction& a : ParseEventWords(std::vector<std::string>(w.begin() + 1, w.end()), editing))
                events.push_back({tick, number, std::move(a)});
        } catch (const EventLineError& e) {
            error = "line " + std::to_string(number) + ": " + e.Text;
            return std::nullopt;
        }
    }
    return events;
}

}  // namespace tavrine
