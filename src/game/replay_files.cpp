// Where the desktop keeps its replays, and reading a replay file.
#include <algorithm>
#include <cctype>
#include <ctime>
#include <filesystem>

#include "game/replay.h"

#include <string_view>

namespace tavrine {

namespace {

/// "YYYY-MM-DD HH-MM-SS " at the start of the name, as `KeepReplay` names files.
bool IsKeptName(const std::string& name) {
    constexpr std::string_view kShape = "dddd-dd-dd dd-dd-dd ";
    if (name.size() <= kShape.size()) return false;
    for (std::size_t i = 0; i < kShape.size(); ++i)
        if (kShape[i] == 'd' ? !std::isdigit(static_cast<unsigned char>(name[i])) : name[i] != kShape[i]) return false;
    return true;
}

}  // namespace

std::optional<Replay> ReadReplayFile(const std::string& path, std::string& error) {
    const std::optional<Bytes> bytes = ReadWholeFile(path, kMaxReplayBytes);
    if (!bytes) {
        error = "cannot be read";
        return std::nullopt;
    }
    return ParseReplay(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), error);
}

std::string ReplaysFolder(const Game& game) { return game.Paths().Replays(); }

std::string PlaybackFolder(const Game& game) { return ReplaysFolder(game) + "/.playback"; }

std::optional<std::string> KeepReplay(const std::string& folder, const Replay& replay, const std::string& gameName,
                                      const std::string& now) {
    namespace fs = std::filesystem;
    std::error_code error;
    MakeFolder(folder, true);
    std::string name = fs::path(gameName).stem().string();
    for (char& c : name)
        if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < ' ') c = '_';
    const std::string path = folder + "/" + now + " " + name + ".replay";
    const std::string text = WriteReplay(replay);
    if (!WriteFileAtomically(path, Bytes(text.begin(), text.end()))) return std::nullopt;
    // The game's own replays begin with the time they were kept, so they sort
    // oldest first; the player's other files, replays renamed or not, stay.
    std::vector<std::string> kept;
    for (const fs::directory_entry& e : fs::directory_iterator(folder, error))
        if (e.is_regular_file(error) && e.path().extension() == ".replay" && IsKeptName(e.path().filename().string()))
            kept.push_back(e.path().string());
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
