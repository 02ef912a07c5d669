// The autosave: the running battle written among the saved games every two
// minutes of game time and whenever the player leaves it.
#include <filesystem>
#include <system_error>

#include "data/file_io.h"
#include "game/game.h"
#include "state/saved_game.h"

namespace tavrine {

namespace {

constexpr std::int32_t kStatusNoteSeconds = 5;

}  // namespace

bool Game::BattleRunning() const {
    return !run_.EditMode && !run_.TitleShown && run_.Outcome == OutcomeRunning && !record_.Cells.empty();
}

bool Game::Autosave() {
    if (!AutosaveOn() || !BattleRunning()) return false;
    // Saved already since the last tick (leaving by Exit, then the window closing):
    // a second write would only push the real previous autosave out.
    if (lastAutosaveTick_ == ticksRun_) return true;
    lastAutosaveTick_ = ticksRun_;
    const std::string folder = paths_.SaveGames();
    const std::string path = folder + "/" + std::string(kAutosaveName);
    std::error_code error;
    bool saved = paths_.MakeFolder(folder);
    if (saved && std::filesystem::is_regular_file(path, error))
        std::filesystem::rename(path, folder + "/" + std::string(kPreviousAutosaveName), error);
    KeepTally();
    saved = saved && WriteFileAtomically(path, SerializeGame(record_));
    if (saved) {
        autosaveFailureShown_ = false;
        return true;
    }
    // Said once, on the status line: a message box would stop the battle.
    if (!autosaveFailureShown_) {
        autosaveFailureShown_ = true;
        statusNote_ = "Autosave failed";
        statusNoteSeconds_ = kStatusNoteSeconds;
        timeLabel_ = statusNote_;
    }
    return false;
}

}  // namespace tavrine
