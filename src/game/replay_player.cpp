#include "game/replay_player.h"

namespace tavrine {

ReplayPlayer::ReplayPlayer(Game& game, ScriptHost& host, Replay replay)
    : game_(game), host_(host), replay_(std::move(replay)), viewerPaths_(game.Paths()) {
    game_.SetPaths(GamePaths::Playback(PlaybackFolder(game_), viewerPaths_.DataFolder()));
    shell_ = std::make_unique<ScriptedShell>(game_, host_, true, replay_.Events);
    shell_->SetEndAtLastLoad(true);
}

ReplayPlayer::~ReplayPlayer() {
    shell_.reset();
    game_.SetPaths(viewerPaths_);
    if (viewerLibrary_) game_.Library() = std::move(*viewerLibrary_);
}

bool ReplayPlayer::Start(std::string& error) {
    const ReplayStart& s = replay_.Start;
    if (s.Library == "none" && !viewerLibrary_) {
        viewerLibrary_ = std::move(game_.Library());
        game_.Library() = ImageLibrary{};
    }
    if (const auto mismatch = LibraryMismatch(s, game_.Library())) {
        error = *mismatch;
        return false;
    }
    RunState& run = game_.Run();
    run.EditMode = 0;
    run.DisplayWidth = s.ViewWidth;
    run.DisplayHeight = s.ViewHeight;
    const int before = host_.messages;
    if (!game_.LoadGameData(s.GameFile, s.NewGame)) {
        error = "the replay's game cannot be loaded: " +
                (host_.messages > before ? host_.lastMessage : std::string("the game data is malformed"));
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

std::optional<std::string> ReplayPlayer::Verify() const {
    std::vector<ShownBox> recorded;
    for (const ScriptEvent& e : replay_.Events)
        if (const auto* answer = std::get_if<AnswerEvent>(&e.Action)) recorded.push_back({answer->Box, answer->Text});
    const std::vector<ShownBox>& shown = shell_->Shown();
    for (std::size_t i = 0; i < std::max(recorded.size(), shown.size()); ++i) {
        const std::string number = "box " + std::to_string(i + 1) + ": ";
        if (i >= shown.size())
            return number + "the replay showed nothing where the recording showed " + DescribeBox(recorded[i].Box, recorded[i].Text);
        if (i >= recorded.size())
            return number + "the replay showed " + DescribeBox(shown[i].Box, shown[i].Text) + " where the recording showed nothing";
        // An answer recorded without its box matches any.
        if (recorded[i].Box != DialogBox::Unknown && (recorded[i].Box != shown[i].Box || recorded[i].Text != shown[i].Text))
            return number + "the replay showed " + DescribeBox(shown[i].Box, shown[i].Text) + " where the recording showed " +
                   DescribeBox(recorded[i].Box, recorded[i].Text);
    }
    return CompareEnds(replay_.End, Reached());
}

}  // namespace tavrine
