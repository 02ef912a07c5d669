// Saving and loading whole games.
#include <filesystem>
#include <system_error>
#include <utility>

#include "data/file_io.h"
#include "game/game.h"
#include "state/new_map.h"
#include "state/saved_game.h"
#include "view/minimap.h"
#include "view/viewport.h"

namespace tavrine {

namespace {

inline constexpr std::int32_t kBannerTicks = 600;

}  // namespace

bool Game::SaveGame(const std::string& path) {
    KeepTally();
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    const bool saved = AskDisk(DiskQuestion::GameSaved, [&] {
        return (parent.empty() || MakeFolder(parent.string())) && WriteFileAtomically(path, SerializeGame(record_));
    }) != 0;
    if (!saved) host_.ShowMessage(LoadFailureMessage(LoadResult::IoError, path), "Error", MessageIcon::Error);
    return saved;
}

bool Game::LoadGame(const std::string& path) {
    // The game menu goes below the surface and the picture turns black while the
    // file is read.
    view_.Panels.MenuTop = run_.DisplayHeight + 1;
    FadeOut(1);
    // The file is read into a record of its own, so a file that fails half-way
    // leaves the running game untouched.
    GameType loaded;
    const auto result = static_cast<LoadResult>(
        AskDisk(DiskQuestion::GameRead, [&] { return static_cast<std::int32_t>(ReadGameFile(path, loaded)); }));
    return TakeLoaded(result, loaded, std::filesystem::path(path).filename().string());
}

bool Game::LoadGameData(std::span<const std::uint8_t> data, bool newGame) {
    GameType loaded;
    const LoadResult result = ParseGame(data, loaded);
    if (!TakeLoaded(result, loaded, "the replay's game")) return false;
    if (newGame) {
        StartNewGame(record_);
        start_ = BattleStart{};
    }
    StartBattleCounts();
    return true;
}

bool Game::TakeLoaded(LoadResult result, GameType& loaded, const std::string& name) {
    if (result != LoadResult::Ok) {
        // The picture comes back before the message, so the player reads it over
        // the game that goes on.
        FadeIn(0);
        host_.ShowMessage(LoadFailureMessage(result, name), "Error", MessageIcon::Error);
        return false;
    }
    record_ = std::move(loaded);
    ForgetPassability(&passability_);
    start_ = BattleStart{};
    ResumeTally();
    StartBattleCounts();

    ClampView(record_, run_);
    FitMinimapZoom(record_, run_, view_.Panels);
    run_.MinimapState = 0;
    // A new battle starts running, with no control groups (tank numbers belong
    // to the battle that was left).
    run_.PausedByPlayer = 0;
    for (auto& group : run_.ControlGroups) group.clear();
    run_.LastGroupRecalled = -1;
    run_.AttackMovePending = 0;
    run_.RallyKeyHeld = 0;
    run_.RallyFactory = -1;
    run_.FadeInPending = 1;
    run_.TitleShown = 0;
    run_.Outcome = OutcomeRunning;
    run_.BannerTime = kBannerTicks;
    return true;
}

bool Game::LoadNewGame(const std::string& path) {
    if (!LoadGame(path)) return false;
    StartNewGame(record_);
    start_ = BattleStart{};
    StartBattleCounts();
    return true;
}

bool Game::EnsureGameFolders() {
    const bool saves = paths_.MakeFolder(paths_.SaveGames());
    const bool maps = paths_.MakeFolder(paths_.UserNewGames());
    return saves && maps;
}

}  // namespace tavrine
