// Saving and loading whole games.
#include <filesystem>
#include <system_error>
#include <utility>

#include "data/file_io.h"
#include "game/game.h"
#include "state/new_map.h"
#include "state/saved_game.h"
#include "view/viewport.h"

namespace tavrine {

namespace {

inline constexpr std::int32_t kBannerTicks = 600;

/// Creates `folder` when it is missing; true when it exists afterwards.
bool MakeFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directory(folder, error);
    return std::filesystem::is_directory(folder, error);
}

}  // namespace

bool Game::SaveGame(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    const bool saved = (parent.empty() || MakeFolder(parent)) && WriteFileAtomically(path, SerializeGame(record_));
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
    const LoadResult result = ReadGameFile(path, loaded);
    if (result != LoadResult::Ok) {
        // The picture comes back before the message, so the player reads it over
        // the game that goes on.
        FadeIn(0);
        const std::string name = std::filesystem::path(path).filename().string();
        host_.ShowMessage(LoadFailureMessage(result, name), "Error", MessageIcon::Error);
        return false;
    }
    record_ = std::move(loaded);

    ClampView(record_, run_);
    run_.MinimapState = 0;
    run_.FadeInPending = 1;
    run_.TitleShown = 0;
    run_.Outcome = OutcomeRunning;
    run_.BannerTime = kBannerTicks;
    return true;
}

bool Game::LoadNewGame(const std::string& path) {
    if (!LoadGame(path)) return false;
    StartNewGame(record_);
    return true;
}

bool Game::EnsureGameFolders() {
    const bool saves = MakeFolder(ProgramPath("/SaveGames"));
    const bool maps = MakeFolder(ProgramPath("/NewGames"));
    return saves && maps;
}

}  // namespace tavrine
