#include "view/menu.h"

#include "state/display_modes.h"
#include "state/settings.h"
#include "view/minimap.h"
#include "view/status.h"

namespace tavrine {

void MenuPanelMouseMove(RunState& run) {
    run.ScrollDX = 0;
    run.ScrollDY = 0;
}

void SpeedButton1Click(PanelState& panels, bool down) { panels.MenuButtonDown = down; }

void SpeedButton2Click(PanelState& panels, bool down) { panels.MinimapButtonDown = down; }

void SpeedButton3Click(RunState& run) { ToggleMinimapZoom(run); }

GameControlSettings GameControlSettingsOf(const RunState& run) {
    GameControlSettings s;
    s.DisplayWidth = run.DisplayWidth;
    s.DisplayHeight = run.DisplayHeight;
    s.DisplayBits = run.DisplayBits;
    s.TimerInterval = run.TimerInterval;
    s.Difficulty = run.Difficulty;
    s.MusicOn = run.MusicOn != 0;
    s.SoundOn = run.SoundOn != 0;
    s.Scale = run.ScaleSetting;
    s.KeepGroups = run.KeepGroups != 0;
    return s;
}

bool ApplyGameControl(RunState& run, const GameControlChoice& choice, MusicPlayer* music) {
    if (!choice.Confirmed) return false;
    if (choice.Interval == kIntervalSlow || choice.Interval == kIntervalNormal || choice.Interval == kIntervalFast)
        run.TimerInterval = choice.Interval;

    bool displayChanged = false;
    const std::int32_t current = ModeNumberOf({run.DisplayWidth, run.DisplayHeight, run.DisplayBits});
    const auto chosen = ModeOfNumber(choice.ModeNumber);
    if (chosen && choice.ModeNumber != current) {
        const DisplayMode& mode = *chosen;
        run.DisplayWidth = mode.Width;
        run.DisplayHeight = mode.Height;
        run.DisplayBits = mode.Bits;
        displayChanged = true;
    }

    // Another interface scale re-creates the surface too, which sizes the panels anew.
    if (choice.Scale >= 0 && choice.Scale <= 2 && choice.Scale != run.ScaleSetting) {
        run.ScaleSetting = choice.Scale;
        displayChanged = true;
    }

    run.Difficulty = choice.Difficulty;
    run.MusicOn = choice.MusicOn ? 1 : 0;
    run.SoundOn = choice.SoundOn ? 1 : 0;
    if (choice.KeepGroups) run.KeepGroups = *choice.KeepGroups ? 1 : 0;
    if (!run.MusicOn && music) music->Stop();
    return displayChanged;
}

std::string InformationText(const GameType& g, RunState& run) {
    BuildInfoLines(g, run);
    std::string text;
    for (std::size_t i = 0; i < run.InfoLines.size(); ++i) {
        if (i) text += '\n';
        text += run.InfoLines[i];
    }
    return text;
}

}  // namespace tavrine
