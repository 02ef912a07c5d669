#include "state/run_fields.h"

namespace tavrine {

namespace {

using R = RunState;

// `--json` reports the Reported fields in this order. The difficulty, the timer
// interval and the surface's size travel in a replay's own header lines; the
// gamma ramps, the minimap's frame and the colours are made again from the
// surface and the library, the editor's state and the control groups belong to
// no battle that a replay begins, the statistics are built when shown.
const FieldDescription<RunState> kFields[] = {
    Field<&R::Outcome>("Outcome", Replayed | Reported),
    Field<&R::BannerTime>("BannerTime", Replayed | Reported),
    Field<&R::Difficulty>("Difficulty", Reported),
    Field<&R::EnemyHQs>("EnemyHQs", Replayed | Reported),
    Field<&R::EnemyBuildings>("EnemyBuildings", Replayed | Reported),
    Field<&R::EnemyTanks>("EnemyTanks", Replayed | Reported),
    Field<&R::OwnHQs>("OwnHQs", Replayed | Reported),
    Field<&R::OwnBuildings>("OwnBuildings", Replayed | Reported),
    Field<&R::OwnTanks>("OwnTanks", Replayed | Reported),
    Field<&R::InfoLines>("InfoLines", Reported),
    Field<&R::TitleShown>("TitleShown", Replayed | Reported),
    Field<&R::LoadOffered>("LoadOffered", Replayed | Reported),
    Field<&R::TimerInterval>("TimerInterval", Reported),
    Field<&R::DisplayWidth>("DisplayWidth", Reported),
    Field<&R::DisplayHeight>("DisplayHeight", Reported),
    Field<&R::MusicOn>("MusicOn", Replayed | Reported),
    Field<&R::SoundOn>("SoundOn", Replayed | Reported),
    Field<&R::MinimapZoom2>("MinimapZoom2", Replayed | Reported),

    Field<&R::FadeInPending>("FadeInPending", Replayed),
    Field<&R::DisplayBits>("DisplayBits", Replayed),
    Field<&R::ScrollStep>("ScrollStep", Replayed),
    Field<&R::ScrollDX>("ScrollDX", Replayed),
    Field<&R::ScrollDY>("ScrollDY", Replayed),
    Field<&R::MouseMapX>("MouseMapX", Replayed),
    Field<&R::MouseMapY>("MouseMapY", Replayed),
    Field<&R::MinimapState>("MinimapState", Replayed),
    Field<&R::MinimapRowUp>("MinimapRowUp", Replayed),
    Field<&R::MinimapRowDown>("MinimapRowDown", Replayed),
    Field<&R::TitleFrames>("TitleFrames", Replayed),
    Field<&R::DragStartX>("DragStartX", Replayed),
    Field<&R::DragStartY>("DragStartY", Replayed),
    Field<&R::DragX>("DragX", Replayed),
    Field<&R::DragY>("DragY", Replayed),
    Field<&R::Dragging>("Dragging", Replayed),
    Field<&R::PressOnObject>("PressOnObject", Replayed),
    Field<&R::ReportOn>("ReportOn", Replayed),
    Field<&R::KeepGroups>("KeepGroups", Replayed),
    Field<&R::SecondTicks>("SecondTicks", Replayed),
    Field<&R::FramePhase>("FramePhase", Replayed),
    Field<&R::PausedByPlayer>("PausedByPlayer", Replayed),
    Field<&R::PausedByFocus>("PausedByFocus", Replayed),
    Field<&R::HeldArrows>("HeldArrows", Replayed),
    Field<&R::TappedArrows>("TappedArrows", Replayed),
    Field<&R::LastGroupRecalled>("LastGroupRecalled", Replayed),
    Field<&R::LastGroupRecallTick>("LastGroupRecallTick", Replayed),
    Field<&R::TickCount>("TickCount", Replayed),

    Field<&R::SavedGamma>("SavedGamma", NotKept),
    // What the result screen offers follows from how the battle began, which a
    // replay's playback does not know.
    Field<&R::ResultOffersNext>("ResultOffersNext", NotKept),
    Field<&R::ResultOffersRetry>("ResultOffersRetry", NotKept),
    Field<&R::FadeGamma>("FadeGamma", NotKept),
    Field<&R::EditMode>("EditMode", NotKept),
    Field<&R::MinimapFrame>("MinimapFrame", NotKept),
    Field<&R::EditPoints>("EditPoints", NotKept),
    Field<&R::EditTrack>("EditTrack", NotKept),
    Field<&R::EditDrawing>("EditDrawing", NotKept),
    Field<&R::ObjectColors>("ObjectColors", NotKept),
    Field<&R::ControlGroups>("ControlGroups", NotKept),
    // The interface scale changes nothing in the battle.
    Field<&R::ScaleSetting>("ScaleSetting", NotKept),
    Field<&R::DenseScreen>("DenseScreen", NotKept),
    Field<&R::AttackMovePending>("AttackMovePending", NotKept),
    Field<&R::RallyKeyHeld>("RallyKeyHeld", NotKept),
    Field<&R::RallyFactory>("RallyFactory", NotKept),
    Field<&R::HelpOpen>("HelpOpen", NotKept),
    Field<&R::SkirmishChoices>("SkirmishChoices", NotKept),
};

}  // namespace

std::span<const FieldDescription<RunState>> RunStateFields() { return kFields; }

}  // namespace tavrine
