// Playing a replay back: its game file loaded with the state it began with, and
// its inputs applied through the main window's commands before the ticks they
// name, the dialogs answering from the replay. Headless or in the window.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "game/replay.h"
#include "game/script_shell.h"

namespace tavrine {

class ReplayPlayer {
public:
    /// `game` has its library; every message box of `game` must reach `host`.
    /// The game's program folder becomes the playback folder.
    ReplayPlayer(Game& game, ScriptHost& host, Replay replay);
    ~ReplayPlayer();

    /// Loads the replay's game and puts its starting state back; false (and the
    /// reason in `error`) when the game data cannot be read or the game's picture
    /// library is not the one the replay was recorded with. A replay recorded
    /// without pictures plays without them, whatever library the game has.
    bool Start(std::string& error);

    /// The inputs due, then one tick; false (and no tick) once the replay is over.
    bool Step();
    /// The replay reached its last tick, its exit or its closing load.
    bool Over() const;
    long long Ticks() const { return shell_->Ticks(); }
    const Replay& Recorded() const { return replay_; }
    ScriptedShell& Shell() { return *shell_; }

    /// The end reached so far, and its first difference from the recorded one.
    ReplayEnd Reached() const { return CaptureEnd(game_, Ticks()); }
    /// The first box (dialog, question or message) shown otherwise than in the
    /// recording, else the first difference of the ends.
    std::optional<std::string> Verify() const;

private:
    Game& game_;
    ScriptHost& host_;
    Replay replay_;
    std::unique_ptr<ScriptedShell> shell_;
    GamePaths viewerPaths_;
    /// The game's own library, put aside while a replay recorded without one plays.
    std::optional<ImageLibrary> viewerLibrary_;
};

}  // namespace tavrine
