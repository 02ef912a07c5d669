#include "game/replay_player.h"

namespace tavrine {

ReplayPlayer::ReplayPlayer(Game& game, ScriptHost& host, Replay replay)
    : game_(game), host_(host), replay_(std::move(replay)) {
    game_.SetPaths(GamePaths::Playback(PlaybackFolder(game_)));
    shell_ = std::make_unique<ScriptedShell>(game_, host_, true, replay_.Events);
    shell_->SetEndAtLastLoad(true);
}

bool ReplayPlayer::Start(std::string& error) {
    const ReplayStart& s = replay_.Start;
    RunState& run = game_.Run();
    run.EditMode = 0;
    run.DisplayWidth = s.ViewWidth;
    run.DisplayHeight = s.ViewHeight;
    const int before = host_.messages;
    if (!game_.LoadGameData(s.GameFile, s.NewGame)) {
        error = host_.messages > before ? host_.lastMessage : "the game data is malformed";
        return false;
    }
    game_.RefreshTimeLabel();
    RestoreStart(s, game_);
    // A battle recorded where the picture fades also drew the fades' frames.
    game_.SetFadesOff(!s.Fades);
    return true;
}

bool ReplayPlayer::Step() {
    shell_->ApplyDue();
    if (Over()) return false;
    shell_->Tick();
    return true;
}

bool ReplayPlayer::Over() const {
    return shell_->Closed() || shell_->Ended() || shell_->Ticks() >= replay_.End.Ticks;
}

}  // namespace tavrine
