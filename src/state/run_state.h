// The main window's run-time state: everything beside the game record that the
// game needs between ticks and that is never saved.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/skirmish_setup.h"
#include "state/records.h"

namespace tavrine {

/// A gamma ramp: red, green and blue, 256 entries each.
using GammaRamp = std::array<std::array<std::uint16_t, 256>, 3>;

struct CellRect {
    std::int32_t Left = -1;
    std::int32_t Top = -1;
    std::int32_t Right = -1;
    std::int32_t Bottom = -1;

    friend bool operator==(const CellRect&, const CellRect&) = default;
};

struct EditPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;

    friend bool operator==(const EditPoint&, const EditPoint&) = default;
};

/// The number of control groups (keys 1 to 9).
inline constexpr std::size_t kControlGroups = 9;

/// The arrow keys held or tapped, as bits of `RunState::HeldArrows`.
enum ArrowBit : std::uint8_t { ArrowLeft = 1, ArrowRight = 2, ArrowUp = 4, ArrowDown = 8 };

/// Mission outcome codes.
enum OutcomeCode : std::int32_t { OutcomeRunning = 0, OutcomeAccomplished = 1, OutcomeFailed = 2 };

/// `RunState::ResultOffersNext` after a skirmish: N makes a new map with the same choices.
inline constexpr std::uint8_t kNextIsNewMap = 2;

/// Difficulty levels. The settings file may hold any integer; tables are indexed
/// through `DifficultyIndex`.
enum DifficultyLevel : std::int32_t { DifficultyEasy = 0, DifficultyNormal = 1, DifficultyDifficult = 2 };

/// The difficulty as a table index: values below 0 count as Easy, above 2 as
/// Difficult. `Difficulty` itself keeps whatever the settings file said.
inline std::int32_t DifficultyIndex(std::int32_t difficulty) {
    return difficulty < 0 ? 0 : (difficulty > 2 ? 2 : difficulty);
}

struct RunState {
    // Display and fades.
    GammaRamp SavedGamma{};
    GammaRamp FadeGamma{};
    std::uint8_t FadeInPending = 0;
    std::uint8_t EditMode = 0;
    std::int32_t DisplayWidth = 800;  ///< the drawing surface, W
    std::int32_t DisplayHeight = 600;  ///< the drawing surface, H
    std::int32_t DisplayBits = 16;
    /// The interface scale chosen: 1, 2, or 0 for automatic (2 on tall surfaces
    /// and dense screens).
    std::int32_t ScaleSetting = 0;
    /// The screen has a device pixel ratio of 2 or more.
    std::uint8_t DenseScreen = 0;

    // Scrolling and the minimap.
    std::int32_t ScrollStep = 24;
    std::int32_t ScrollDX = 0;
    std::int32_t ScrollDY = 0;
    std::int32_t MouseMapX = 0;
    std::int32_t MouseMapY = 0;
    std::int32_t MinimapState = 0;  ///< 0 rebuild, 1 drawing, 2 complete
    std::int32_t MinimapRowUp = -1;
    std::int32_t MinimapRowDown = 0;
    CellRect MinimapFrame;
    std::uint8_t MinimapZoom2 = 1;

    // The map editor's drawing state.
    std::vector<EditPoint> EditPoints;
    std::vector<EditPoint> EditTrack;
    std::uint8_t EditDrawing = 0;

    // Title and outcome.
    std::uint8_t TitleShown = 0;
    std::int32_t TitleFrames = 0;
    std::uint8_t LoadOffered = 0;
    std::int32_t Outcome = OutcomeRunning;
    std::vector<std::string> InfoLines;
    std::int32_t BannerTime = 0;
    /// What the result screen offers beside loading a game: N starts the next
    /// mission (kNextIsNewMap: a skirmish on a fresh seed), R the same map again.
    std::uint8_t ResultOffersNext = 0;
    std::uint8_t ResultOffersRetry = 0;

    /// Decoration minimap colours, indexed by the decoration picture's list.
    std::array<Color, 4> ObjectColors{0xC0C0C0, 0x000080, 0x008080, 0x808080};

    // The mouse.
    std::int32_t DragStartX = -1;
    std::int32_t DragStartY = 0;
    std::int32_t DragX = 0;
    std::int32_t DragY = 0;
    std::uint8_t Dragging = 0;
    std::uint8_t PressOnObject = 0;

    // Settings.
    std::int32_t Difficulty = DifficultyNormal;
    std::uint8_t SoundOn = 1;
    std::uint8_t MusicOn = 1;
    std::uint8_t ReportOn = 1;
    /// "Keep groups together": a move order given to several tanks makes them
    /// move as a group. Off unless set: the desktop turns it on before reading
    /// the settings file, tavrine-sim with --keep-groups.
    std::uint8_t KeepGroups = 0;
    std::int32_t TimerInterval = 30;  ///< ms between frame ticks: 50, 30 or 20

    // The clock and the per-tick counts.
    std::int32_t SecondTicks = 0;
    std::int32_t FramePhase = 0;
    std::int32_t EnemyHQs = 0;
    std::int32_t EnemyBuildings = 0;
    std::int32_t EnemyTanks = 0;
    std::int32_t OwnHQs = 0;
    std::int32_t OwnBuildings = 0;
    std::int32_t OwnTanks = 0;

    // The player's keys; none of it is saved.
    std::uint8_t PausedByPlayer = 0;  ///< P or Pause pressed
    std::uint8_t PausedByFocus = 0;   ///< the window lost the keyboard focus
    std::uint8_t HeldArrows = 0;      ///< ArrowBit of the arrow keys held down
    std::uint8_t TappedArrows = 0;    ///< ArrowBit of arrows pressed since the last tick, released or not
    /// Tank indices of each control group, kept in step with the tank list.
    std::array<std::vector<std::int32_t>, kControlGroups> ControlGroups;
    std::int32_t LastGroupRecalled = -1;  ///< group of the last recall, -1 none
    std::int64_t LastGroupRecallTick = 0;
    std::int64_t TickCount = 0;  ///< frame ticks run since start-up

    // The commands of play; none of it is saved, and a loaded game starts without it.
    std::uint8_t AttackMovePending = 0;  ///< A pressed: the next left click is an attack-move's target
    std::uint8_t RallyKeyHeld = 0;       ///< R held: a left click sets the selected factory's rally cell
    std::int32_t RallyFactory = -1;      ///< the factory a press with R held sets the rally of, -1 none
    std::uint8_t HelpOpen = 0;           ///< the guide is open over the battle: it pauses
    // Skirmish.
    SkirmishSetup SkirmishChoices;  ///< the Skirmish dialog's last choices, kept in the settings
};

/// The battle stands still: paused by the player or by a lost focus, in play
/// with a mission running (never in the editing mode nor under a title).
inline bool BattlePaused(const RunState& run) {
    return (run.PausedByPlayer || run.PausedByFocus || run.HelpOpen) && !run.EditMode && !run.TitleShown && run.Outcome == OutcomeRunning;
}

}  // namespace tavrine
