// The game object: owns the game record, the run-time state, the library and the
// one random generator, and runs the game's flows against the platform interfaces.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "data/byte_reader.h"
#include "data/library.h"
#include "platform/canvas.h"
#include "platform/cursors.h"
#include "platform/host.h"
#include "platform/music_player.h"
#include "platform/sound_events.h"
#include "sim/context.h"
#include "sim/passability.h"
#include "state/random.h"
#include "state/records.h"
#include "state/run_state.h"
#include "view/draw_frame.h"
#include "view/view_state.h"

namespace tavrine {

class Game {
public:
    /// `programFolder` holds the data files (no trailing slash); `host` must
    /// outlive the game.
    Game(std::string programFolder, Host& host, std::uint64_t seed = 1);

    /// The record, to change as the caller likes: the tick's mirror of the map
    /// (see PassabilityMirror) is made again when next needed.
    GameType& Record() {
        ForgetPassability(record_);
        return record_;
    }
    /// The record, to change: the name callers that edit it use.
    GameType& EditRecord() { return Record(); }
    const GameType& Record() const { return record_; }
    RunState& Run() { return run_; }
    const RunState& Run() const { return run_; }
    ImageLibrary& Library() { return library_; }
    const ImageLibrary& Library() const { return library_; }
    Random& Rng() { return random_; }
    Host& GetHost() { return host_; }

    /// The program folder followed by `suffix` (which starts with '/').
    std::string ProgramPath(const std::string& suffix) const { return folder_ + suffix; }
    const std::string& ProgramFolder() const { return folder_; }

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

    /// Creates the program's SaveGames and NewGames folders when missing; true
    /// when both exist afterwards.
    bool EnsureGameFolders();

    // The picture and sound library (library_io.cpp).

    /// Loads program folder + "/Tavrine.isd" into `Library()`. On failure shows
    /// "File format error", "File version error" or "Data I/O Error" and keeps
    /// the library that was loaded before. On success the caller re-initialises
    /// the sound output so that every wave gets a playback buffer.
    bool LoadImageLibrary();

    /// Writes `Library()` to program folder + "/Tavrine.isd" through a temporary
    /// file that replaces the old one only when complete. On failure shows
    /// "Data I/O Error"; the old file stays as it was.
    bool SaveImageLibrary();

    /// Start-up: `LoadImageLibrary` when the file exists; otherwise shows
    /// "File \"Tavrine.isd\" not found" and leaves the library empty.
    bool LoadLibraryAtStartUp();

    // The frame tick (tick.cpp).

    /// What the rules work on: the record, the run-time state, the library, the
    /// random generator and where sounds are heard.
    /// Like Record(), it lets the caller change the map as it likes.
    SimContext Context() {
        ForgetPassability(record_);
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
    void DXTimerTimer();
    /// Draws the frame now on the current canvas (and advances what drawing
    /// advances: the tanks' steps, shells, explosions, labels).
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

    /// The status bar's time text: "Time" until the first refresh.
    const std::string& TimeLabel() const { return timeLabel_; }
    /// Shows the game time in the status bar (left alone while a title is shown).
    void RefreshTimeLabel();

private:
    bool FadePossible();

    /// The context for the tick's own steps, whose changes to the map are noted.
    SimContext TickContext() { return SimContext{record_, run_, library_, random_, sound_}; }

    std::string folder_;
    Host& host_;
    GameType record_;
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
    bool loadGameOffered_ = false;
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
