// The game object: owns the game record, the run-time state, the library and the
// one random generator, and runs the game's flows against the platform interfaces.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "data/byte_reader.h"
#include "data/library.h"
#include "game/disk_outcomes.h"
#include "platform/canvas.h"
#include "platform/cursors.h"
#include "platform/host.h"
#include "platform/music_player.h"
#include "platform/sound_events.h"
#include "sim/context.h"
#include "state/campaign.h"
#include "sim/passability.h"
#include "state/game_paths.h"
#include "state/random.h"
#include "state/records.h"
#include "state/run_state.h"
#include "state/saved_game.h"
#include "view/draw_frame.h"
#include "view/view_state.h"

namespace tavrine {

/// How the battle on screen was started, so that its result screen can lead on:
/// "again" and "next" mean what this says.
struct BattleStart {
    enum class Kind { Other, PreparedMap, Campaign, Skirmish };
    Kind From = Kind::Other;  ///< Other: a saved game, a replay, a map being edited
    std::string Map;  ///< the prepared map's name in NewGames
    std::size_t Mission = 0;  ///< Campaign: the mission's place in the campaign, from 0
    SkirmishSetup Skirmish;  ///< Skirmish: the seed and choices its map was made from
};

/// The autosave's file in SaveGames, and where the one before it is kept; a
/// player's save under either name is refused.
inline constexpr std::string_view kAutosaveName = "Autosave.gam";
inline constexpr std::string_view kPreviousAutosaveName = "Autosave (previous).gam";

/// What one frame tick reports beside the game state.
struct TickResult {
    /// Empty when every frame the tick drew was shown; otherwise what the canvas
    /// reported when it failed (see DrawFrame).
    std::string FrameFailure;
};

class Game {
public:
    /// `paths` names where files are read and written; `host` must outlive the game.
    Game(GamePaths paths, Host& host, std::uint64_t seed = 1);
    /// Portable: everything in `programFolder` (no trailing slash).
    Game(std::string programFolder, Host& host, std::uint64_t seed = 1);

    /// The record, to read: reading keeps the ticks' mirror of the map.
    const GameType& Record() const { return record_; }
    /// The record, to change as the caller likes: the ticks' mirror of the map
    /// (see PassabilityMirror) is made again when next needed. Changes made
    /// through a reference kept across a tick are not seen by the mirror: ask
    /// again after ticks ran.
    GameType& EditRecord() {
        ForgetPassability(&passability_);
        return record_;
    }
    /// The ticks' mirror of the map: run-time state of the simulation kept
    /// beside the record, never saved (the tests switch on its checking).
    PassabilityMirror& Passability() { return passability_; }
    const PassabilityMirror& Passability() const { return passability_; }
    RunState& Run() { return run_; }
    const RunState& Run() const { return run_; }
    ImageLibrary& Library() { return library_; }
    const ImageLibrary& Library() const { return library_; }
    Random& Rng() { return random_; }
    const Random& Rng() const { return random_; }
    Host& GetHost() { return host_; }

    /// Where the game's files are read and written.
    const GamePaths& Paths() const { return paths_; }
    /// Moves the game's files elsewhere (after the library was loaded): a replay
    /// being watched reads and writes its games and settings in a folder that
    /// does not exist, so it can neither load another game nor change the
    /// viewer's files.
    void SetPaths(GamePaths paths) { paths_ = std::move(paths); }

    /// Where the commands' questions to the disk go first (a recorder keeps the
    /// answers, a replay gives back the recorded ones); nullptr: straight to disk.
    DiskOutcomes* Disk() const { return disk_; }
    void SetDisk(DiskOutcomes* disk) { disk_ = disk; }
    std::int32_t AskDisk(DiskQuestion question, const std::function<std::int32_t()>& real) {
        return disk_ ? disk_->Ask(question, real) : real();
    }

    // Saved games (load_save.cpp).

    /// Writes the game record to `path` (a missing parent folder is created), so
    /// that an earlier file of that name is replaced only by a complete one. On
    /// failure shows "Data I/O Error" and returns false.
    bool SaveGame(const std::string& path);

    /// Replaces the game record with the one in the file at `path` and prepares
    /// the view for it: the game menu below the surface, a fade to black while
    /// reading, then clamped view, minimap rebuild, fade-in, no title, game
    /// running, mission banner. On failure the game stays exactly as it was, the
    /// picture is restored at once, and then the player sees "Data I/O Error",
    /// "File format error", "File version error" or, for a truncated file, one
    /// with impossible counts or records that break the rules, a message naming
    /// the file as damaged.
    bool LoadGame(const std::string& path);

    /// Loads a prepared map as `LoadGame` does and, only when that succeeds,
    /// starts it as a fresh game (`StartNewGame`).
    bool LoadNewGame(const std::string& path);

    /// `LoadGame` (or, with `newGame`, `LoadNewGame`) from the bytes of a game
    /// file, as a replay holds them; the picture is not darkened first.
    bool LoadGameData(std::span<const std::uint8_t> data, bool newGame);

    /// Creates the user's SaveGames and NewGames folders when missing; true
    /// when both exist afterwards.
    bool EnsureGameFolders();

    // The picture and sound library (library_io.cpp).

    /// Loads the library (`Paths().LibraryToRead()`) into `Library()`. On failure shows
    /// "File format error", "File version error" or "Data I/O Error" and keeps
    /// the library that was loaded before. On success the caller re-initialises
    /// the sound output so that every wave gets a playback buffer.
    bool LoadImageLibrary();

    /// Writes `Library()` to `Paths().LibraryToWrite()` through a temporary
    /// file that replaces the old one only when complete. On failure shows
    /// "Data I/O Error"; the old file stays as it was.
    bool SaveImageLibrary();

    /// Start-up: `LoadImageLibrary` when the file exists; otherwise shows
    /// "File \"Tavrine.isd\" not found" and leaves the library empty.
    bool LoadLibraryAtStartUp();

    // The frame tick (tick.cpp).

    /// What the rules work on: the record, the run-time state, the library, the
    /// random generator and where sounds are heard.
    /// Like EditRecord(), it lets the caller change the map as it likes.
    SimContext Context() {
        ForgetPassability(&passability_);
        return TickContext();
    }

    /// Where frames are drawn; nullptr returns to the null canvas (the default).
    void SetCanvas(Canvas* canvas) { canvas_ = canvas ? canvas : &nullCanvas_; }
    /// The background music; nullptr (the default) for none.
    void SetMusic(MusicPlayer* music) { music_ = music; }
    /// The background music given to `SetMusic`, or nullptr.
    MusicPlayer* Music() const { return music_; }
    /// Where shots and explosions are heard; nullptr (the default) for silence.
    void SetSound(SoundEvents* sound) { sound_ = sound; }
    /// What the frame needs beside the game state (the editor's fog button).
    FrameOptions& DrawOptions() { return frameOptions_; }
    /// Where the hover and scroll cursors are shown; nullptr (the default) for nowhere.
    void SetCursors(Cursors* cursors) { cursors_ = cursors ? cursors : &nullCursors_; }
    /// The panels' positions and the minimap picture, for the window to show.
    ViewState& View() { return view_; }
    const ViewState& View() const { return view_; }
    /// True once after the title has been shown long enough: the caller opens
    /// the Load Game dialog after the tick (not from inside it).
    bool TakeLoadGameOffer() { return std::exchange(loadGameOffered_, false); }

    /// One frame tick: every step of the game in its fixed order. One tick is
    /// one step of the simulation; the timer interval only sets how often.
    /// Returns what went wrong in it that the player may not see.
    TickResult DXTimerTimer();
    /// The frame ticks run so far (`DXTimerTimer` calls that ran the game); a
    /// replay stamps each input with it.
    long long TicksRun() const { return ticksRun_; }
    /// Draws the frame now on the current canvas (and advances what drawing
    /// advances: the tanks' steps, shells, explosions, labels). A frame the
    /// canvas failed to draw is not shown but advances all the same; the first
    /// failure after a frame that was shown is written on stderr, and the tick's
    /// result names it.
    void DrawFrame();
    /// The once-per-game-second step: the game clock and the music loop.
    void SecondTick();
    /// Judges the mission; once decided, builds the statistics, shows the
    /// result and holds the game for two seconds.
    void CheckOutcome();

    // The gamma fades (fades.cpp). Both do nothing in the editing mode or when
    // the canvas offers no gamma ramp; both first draw one frame.

    /// Darkens the picture: at once to black with 0 ms, otherwise in 51 steps
    /// from `SavedGamma` down, each followed by a sleep of `milliseconds` / 50.
    /// The last step's ramp stays in `FadeGamma`, where the next fade-in starts.
    void FadeOut(int milliseconds);
    /// Brightens the picture from `FadeGamma` back to `SavedGamma`, in 51 steps
    /// with sleeps of `milliseconds` / 50 (at once with 0 ms).
    void FadeIn(int milliseconds);
    /// Display initialisation: the canvas's current ramp becomes `SavedGamma`
    /// (when it offers one).
    void ReadSavedGamma();
    /// Without fades (a replay recorded on a surface without a gamma ramp is
    /// watched so): neither fade does anything, as with a canvas that offers none.
    void SetFadesOff(bool off) { fadesOff_ = off; }
    /// The canvas's ramp back to `SavedGamma` at once, without drawing (when it
    /// offers a ramp): a picture blackened for a fade-in that will not come.
    void RestoreGamma();
    /// The fades would run on the current canvas.
    bool FadesShown() { return FadePossible(); }

    // Pausing the battle. While paused the tick leaves out the simulation, the
    // production and the game clock; scrolling, drawing and the music go on,
    // and "Paused" shows in the middle of the battlefield.

    /// The player's pause (P or Pause). A pause asked for outside a running
    /// battle (editing mode, title, result) is kept but has no effect.
    void SetPaused(bool paused) { run_.PausedByPlayer = paused ? 1 : 0; }
    /// The pause while the window is without the keyboard focus; it ends on
    /// return without ending the player's own pause.
    void SetFocusPaused(bool paused) { run_.PausedByFocus = paused ? 1 : 0; }
    /// True while the battle stands still.
    bool Paused() const { return BattlePaused(run_); }

    // The campaign (campaign_play.cpp).

    /// How the battle on screen began; every load forgets it, and the command that
    /// started a prepared map or a campaign mission says so after the load.
    const BattleStart& Start() const { return start_; }
    void SetStart(BattleStart start) { start_ = std::move(start); }
    /// The campaign's missions; empty when the campaign file could not be read
    /// (`CampaignProblem` says why). Read on first use.
    const Campaign& CampaignMissions();
    const std::string& CampaignProblem();
    /// The player's progress, read on first use: a damaged file is moved aside and
    /// the player told so (see LoadProgress).
    CampaignProgress& Progress();
    /// Writes the progress; false (and nothing written) during a replay's playback
    /// or when a damaged file could not be moved aside.
    bool SaveProgressFile();
    /// The statistics of the battle so far. Tanks built and money earned are
    /// counted from the load on, and in a campaign battle also before its save.
    BattleStatistics Statistics() const;
    /// Outcome decided: notes a campaign battle in the progress at once and sets
    /// what the result screen offers.
    void NoteOutcome();

    // Autosave (autosave.cpp).

    /// Saves the running battle every two minutes of game time and when the
    /// player leaves it. Off by default (the headless tool and tests); never
    /// while a replay is played back.
    void SetAutosave(bool on) { autosave_ = on; }
    bool AutosaveOn() const { return autosave_ && paths_.KeepsSettings(); }
    /// A battle is on that the player could lose by leaving: in play, loaded,
    /// not decided.
    bool BattleRunning() const;
    /// Writes the battle to SaveGames/Autosave.gam, the previous autosave kept as
    /// "Autosave (previous).gam". Nothing when autosave is off or no battle runs.
    /// A failure shows once on the status line, never in a message box. True when written.
    bool Autosave();

    /// The status bar's time text: "Time" until the first refresh.
    const std::string& TimeLabel() const { return timeLabel_; }
    /// Shows the game time in the status bar (left alone while a title is shown).
    void RefreshTimeLabel();

private:
    void EnsureCampaignRead();
    bool FadePossible();
    /// What a load does once the file was read: failure messages, the record
    /// replaced, the view prepared.
    bool TakeLoaded(LoadResult result, GameType& loaded, const std::string& name);

    /// The context for the tick's own steps, whose changes to the map are noted.
    SimContext TickContext() { return SimContext{record_, run_, library_, random_, sound_, &passability_}; }

    GamePaths paths_;
    Host& host_;
    DiskOutcomes* disk_ = nullptr;
    GameType record_;
    PassabilityMirror passability_;
    RunState run_;
    ImageLibrary library_;
    Random random_;
    NullCanvas nullCanvas_;
    Canvas* canvas_ = &nullCanvas_;
    MusicPlayer* music_ = nullptr;
    SoundEvents* sound_ = nullptr;
    FrameOptions frameOptions_;
    NullCursors nullCursors_;
    Cursors* cursors_ = &nullCursors_;
    ViewState view_;
    BattleStart start_;
    /// The counts behind Statistics() the record does not hold.
    std::int32_t ownTanksAtLoad_ = 0;
    std::int32_t moneySeen_ = 0;
    std::int64_t moneyEarned_ = 0;
    void StartBattleCounts();
    /// Before a save: the campaign mission and the statistics into the record.
    void KeepTally();
    /// After a load: a saved campaign battle is that mission again.
    void ResumeTally();
    bool campaignRead_ = false;
    Campaign campaign_;
    std::string campaignProblem_;
    ProgressLoad progress_;
    bool autosave_ = false;
    bool autosaveFailureShown_ = false;
    bool autosaveDue_ = false;
    long long lastAutosaveTick_ = -1;
    std::string statusNote_;  ///< shown instead of the time for a few seconds
    std::int32_t statusNoteSeconds_ = 0;
    bool loadGameOffered_ = false;
    bool fadesOff_ = false;
    long long ticksRun_ = 0;
    std::string frameFailure_;   ///< of the tick running (TickResult::FrameFailure)
    bool frameFailing_ = false;  ///< the last frame drawn was not shown
    std::string timeLabel_ = "Time";
};

/// The library body (no magic and version) from `in` into `library`, which is
/// replaced only on success. A missing stream fails without a message; a
/// malformed or short body shows "Data I/O Error".
bool ReadLibraryContents(Host& host, ByteReader* in, ImageLibrary& library);

/// Appends the body of `library` to `out`. A missing stream fails without a
/// message; a picture without a readable bitmap record shows "Data I/O Error".
bool WriteLibraryContents(Host& host, const ImageLibrary& library, std::vector<std::uint8_t>* out);

/// `LoadImageLibrary` from any path, into any library (the headless tool uses it).
bool LoadImageLibraryFrom(Host& host, const std::string& path, ImageLibrary& library);

/// `SaveImageLibrary` to any path.
bool SaveImageLibraryTo(Host& host, const std::string& path, const ImageLibrary& library);

}  // namespace tavrine
