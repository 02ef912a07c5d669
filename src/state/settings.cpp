#include "state/settings.h"

#include <algorithm>

#include <array>
#include <filesystem>
#include <fstream>
#include <limits>

#include "data/file_io.h"

namespace tavrine {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

/// Splits off the first line of `rest` (up to CR LF, LF or CR) and advances `rest`
/// past its line break.
std::string_view NextLine(std::string_view& rest) {
    const std::size_t end = rest.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        const std::string_view line = rest;
        rest = {};
        return line;
    }
    const std::string_view line = rest.substr(0, end);
    const std::size_t breakSize = rest.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    rest.remove_prefix(end + breakSize);
    return line;
}

/// Reads at most `limit` + 1 bytes of a regular file; nothing when the file is
/// missing, not a regular file or unreadable.
std::optional<std::string> ReadBounded(const std::string& path, std::size_t limit) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text;
    std::array<char, 4096> buffer{};
    while (text.size() <= limit) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        text.append(buffer.data(), got);
        if (got < buffer.size()) break;
    }
    if (in.bad()) return std::nullopt;
    return text;
}

std::string_view SpeedValue(std::int32_t interval) {
    if (interval == kIntervalFast) return "2";
    if (interval == kIntervalSlow) return "0";
    return "1";
}

std::string_view Flag(std::uint8_t on) { return on ? "1" : "0"; }

}  // namespace

std::optional<std::int32_t> ParseSettingsInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    // Accumulate the magnitude in 64 bits, stopping as soon as it leaves the range.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kLimit) return std::nullopt;
    }
    if (!negative && magnitude == kLimit) return std::nullopt;
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::optional<std::string_view> FindSettingsValue(std::string_view text, std::string_view key) {
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    while (!text.empty()) {
        const std::string_view line = NextLine(text);
        const std::size_t equals = line.find('=');
        if (equals != std::string_view::npos && EqualIgnoringCase(line.substr(0, equals), key)) return line.substr(equals + 1);
    }
    return std::nullopt;
}

bool ParseSettings(std::string_view text, RunState& run, DisplayMode& stored) {
    const auto valueOf = [text](std::string_view key) -> std::optional<std::string_view> {
        auto value = FindSettingsValue(text, key);
        if (value && value->empty()) return std::nullopt;
        return value;
    };
    // Reads an integer key into `target`; false stops the reading.
    const auto readInteger = [&](std::string_view key, std::int32_t& target) {
        const auto value = valueOf(key);
        if (!value) return true;
        const auto number = ParseSettingsInteger(*value);
        if (!number) return false;
        target = *number;
        return true;
    };
    const auto readFlag = [&](std::string_view key, std::uint8_t& target) {
        if (const auto value = valueOf(key)) target = *value == "0" ? 0 : 1;
    };

    DisplayMode mode = stored;
    if (!readInteger("Widht", mode.Width) || !readInteger("Height", mode.Height) || !readInteger("Bit", mode.Bits)) return false;

    if (const auto speed = valueOf("Speed")) {
        if (*speed == "0") run.TimerInterval = kIntervalSlow;
        else if (*speed == "1") run.TimerInterval = kIntervalNormal;
        else if (*speed == "2") run.TimerInterval = kIntervalFast;
    }
    if (!readInteger("Difficulty", run.Difficulty)) return false;
    readFlag("Music", run.MusicOn);
    readFlag("Sound", run.SoundOn);
    readFlag("Report", run.ReportOn);
    if (const auto scale = valueOf("Scale")) run.ScaleSetting = *scale == "1" ? 1 : *scale == "2" ? 2 : 0;
    // The Skirmish dialog's last choices; a value out of range is kept within it.
    SkirmishSetup& k = run.SkirmishChoices;
    if (!readInteger("SkirmishLandscape", k.Landscape) || !readInteger("SkirmishColumns", k.Columns) ||
        !readInteger("SkirmishRows", k.Rows) || !readInteger("SkirmishSymmetry", k.Symmetry) ||
        !readInteger("SkirmishMission", k.Mission) || !readInteger("SkirmishScenery", k.Scenery))
        return false;
    k = ClampedSkirmish(k);
    readFlag("KeepGroups", run.KeepGroups);
    stored = mode;
    return true;
}

std::string FormatSettings(const RunState& run, const DisplayMode& mode) {
    std::string text;
    const auto line = [&text](std::string_view key, std::string_view value) {
        text += key;
        text += value;
        text += "\r\n";
    };
    line("[Display]", "");
    line("Widht=", std::to_string(mode.Width));
    line("Height=", std::to_string(mode.Height));
    line("Bit=", std::to_string(mode.Bits));
    line("[Settings]", "");
    line("Speed=", SpeedValue(run.TimerInterval));
    line("Difficulty=", std::to_string(run.Difficulty));
    line("Music=", Flag(run.MusicOn));
    line("Sound=", Flag(run.SoundOn));
    line("Report=", Flag(run.ReportOn));
    line("KeepGroups=", Flag(run.KeepGroups));
    // The interface scale only when chosen: a file of the automatic scale reads
    // exactly as before.
    if (run.ScaleSetting == 1 || run.ScaleSetting == 2) line("Scale=", std::to_string(run.ScaleSetting));
    const SkirmishSetup& k = run.SkirmishChoices;
    line("SkirmishLandscape=", std::to_string(k.Landscape));
    line("SkirmishColumns=", std::to_string(k.Columns));
    line("SkirmishRows=", std::to_string(k.Rows));
    line("SkirmishSymmetry=", std::to_string(k.Symmetry));
    line("SkirmishMission=", std::to_string(k.Mission));
    line("SkirmishScenery=", std::to_string(k.Scenery));
    return text;
}

SkirmishSetup ClampedSkirmish(SkirmishSetup k) {
    k.Landscape = std::clamp(k.Landscape, 0, 4);
    k.Columns = std::clamp(k.Columns, 40, 200);
    k.Rows = std::clamp(k.Rows, 30, 200);
    k.Symmetry = std::clamp(k.Symmetry, 0, 2);
    k.Mission = std::clamp(k.Mission, 0, 5);
    k.Scenery = std::clamp(k.Scenery, 0, 3);
    k.Difficulty = std::clamp(k.Difficulty, 0, 2);
    return k;
}

std::string SettingsPath(const std::string& programFolder) { return programFolder + std::string(kSettingsFileName); }

bool ReadSettings(const std::string& programFolder, RunState& run, DisplayMode& stored) {
    const auto text = ReadBounded(SettingsPath(programFolder), kMaxSettingsFileBytes);
    if (!text || text->size() > kMaxSettingsFileBytes) return false;
    return ParseSettings(*text, run, stored);
}

bool WriteSettings(const std::string& programFolder, const RunState& run, const DisplayMode& mode) {
    const std::string text = FormatSettings(run, mode);
    return WriteFileAtomically(SettingsPath(programFolder), Bytes(text.begin(), text.end()));
}

bool ReadSettings(const GamePaths& paths, RunState& run, DisplayMode& stored) {
    return ReadSettings(paths.ConfigFolder(), run, stored);
}

bool WriteSettings(const GamePaths& paths, const RunState& run, const DisplayMode& mode) {
    return paths.MakeFolder(paths.ConfigFolder()) && WriteSettings(paths.ConfigFolder(), run, mode);
}

}  // namespace tavrine
