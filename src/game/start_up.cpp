#include "game/start_up.h"

#include "state/new_map.h"
#include "state/settings.h"

namespace tavrine {

StartUpResult StartUpGame(Game& game, const StartChoice& choose, bool settingsFile) {
    RunState& run = game.Run();
    run.TimerInterval = kIntervalNormal;
    run.EditMode = 1;

    DisplayMode stored = kDefaultDisplayMode;
    // The desktop keeps groups together unless its settings file says otherwise.
    if (settingsFile) run.KeepGroups = 1;
    const bool settingsRead = settingsFile && ReadSettings(game.Paths(), run, stored);
    const std::int32_t chosen = choose(settingsRead ? ModeNumberOf(stored) : -1);
    PanelState& panels = game.View().Panels;
    panels.MinimapVisible = false;

    StartUpResult result;
    if (const auto chosenMode = ModeOfNumber(chosen)) {
        const DisplayMode mode = *chosenMode;
        result = {StartUp::Play, mode, true, true};
        run.EditMode = 0;
        panels.MenuShown = false;
        panels.StatusBarShown = false;
        run.TitleShown = 1;
        if (settingsFile && (!settingsRead || !(stored == mode))) {
            result.SettingsWritten = WriteSettings(game.Paths(), run, mode);
            if (!result.SettingsWritten)
                game.GetHost().ShowMessage(kSettingsWriteFailedMessage, "Error", MessageIcon::Error);
        }
    } else if (chosen == kEditingModeChoice) {
        result.Mode = StartUp::Editing;
    } else {
        return result;
    }

    run.FadeInPending = 1;
    run.ScrollStep = kStartScrollStep;
    run.ScrollDX = 0;
    run.ScrollDY = 0;
    GameType& g = game.EditRecord();
    g.CellWidth = kStartCellSize;
    g.CellHeight = kStartCellSize;
    g.ViewX = 0;
    g.ViewY = 0;
    NewMap(g, run, kFirstMapColumns, kFirstMapRows, 1, 0);
    return result;
}

}  // namespace tavrine
