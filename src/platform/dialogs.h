// The modal dialogs the game's commands open: the game file picker, the game
// control dialog, the information and confirmation boxes, the New Game dialog and
// the image library editor. Each returns its answer to the caller and changes no
// game state itself. The desktop shows real windows; tests and the headless tool
// answer from a script.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/skirmish_setup.h"

namespace tavrine {

enum class FilePickerMode { Save, Load };

/// Which modal box a command opened: replays match each recorded answer to the
/// box (and its text) that it answered.
enum class DialogBox : std::uint8_t { Unknown, Message, Question, Confirm, Information, LoadPicker, SavePicker, Control, NewMap,
                                      Help, Skirmish, Campaign };

/// What the game file picker answers.
struct FilePick {
    /// The name as typed or picked, not trimmed; empty when the picker was
    /// cancelled.
    std::string Name;
    /// The name was picked from the prepared maps (NewGames) part of the list.
    bool FromNewGames = false;
    /// Instead of a file, the player asked for a skirmish: set up in the
    /// Skirmish dialog, or at once with the last choices ("Quick Skirmish").
    enum class Skirmish : std::uint8_t { No, SetUp, Quick } Instead = Skirmish::No;
    /// "Campaign..." was pressed instead (with no name): the campaign screen opens.
    bool Campaign = false;
};

/// One row of the campaign screen.
struct CampaignRow {
    std::string Name;
    std::string Objective;
    bool Open = false;  ///< may be started
    /// The best result on Easy, Normal and Difficult: "won in 4:12", "not won" or "-".
    std::array<std::string, 3> Results;
};

/// What the campaign screen answers.
struct CampaignChoice {
    std::int32_t Mission = -1;  ///< the row whose briefing to open; -1: back
    bool OpenAll = false;       ///< the "Open every mission" box as left
};

/// What the briefing shows before a campaign mission starts.
struct Briefing {
    std::string Title;      ///< "Mission 2: River Crossing"
    std::string Objective;  ///< a few words
    std::string MissionText;  ///< the mission type's text
    std::vector<std::string> Story;
    std::vector<std::string> New;
    /// The map's outline: the minimap picture as the mission starts, fog
    /// included, one 0x00BBGGRR pixel per cell.
    std::int32_t OutlineWidth = 0;
    std::int32_t OutlineHeight = 0;
    std::vector<std::uint32_t> Outline;
};

/// What the game control dialog opens with.
struct GameControlSettings {
    std::int32_t DisplayWidth = 800;  ///< the current display mode
    std::int32_t DisplayHeight = 600;
    std::int32_t DisplayBits = 16;
    std::int32_t TimerInterval = 30;  ///< ms: "Slow" 50, "Normal" 30, "Fast" 20; any other selects no speed
    std::int32_t Difficulty = 1;      ///< 0..2 selects that entry; any other selects none
    bool MusicOn = true;
    bool SoundOn = true;
    std::int32_t Scale = 0;  ///< the interface scale: 0 automatic, 1 or 2
    bool KeepGroups = true;
};

/// What the game control dialog answers. Only a confirmed answer ("OK" after at
/// least one change) is applied.
struct GameControlChoice {
    bool Confirmed = false;
    std::int32_t Interval = -1;    ///< 50, 30 or 20 ms; -1 with no speed selected
    std::int32_t ModeNumber = -1;  ///< the selected display entry's mode number, -1 with none
    std::int32_t Difficulty = -1;  ///< the selected entry's position, -1 with none
    bool MusicOn = true;
    bool SoundOn = true;
    std::int32_t Scale = -1;  ///< the interface scale: 0 automatic, 1 or 2; -1 leaves it
    /// "Keep groups together"; nothing leaves the setting as it is (an answer
    /// scripted without it).
    std::optional<bool> KeepGroups;
};

/// What the New Game dialog answers (only "OK" accepts).
struct NewGameChoice {
    bool Accepted = false;
    std::int32_t Columns = 80;  ///< 40..200
    std::int32_t Rows = 60;     ///< 30..200
    bool Flag = false;          ///< the "Demo" box, kept as the map's flag
    std::int32_t Mission = 0;   ///< 0..5
};

/// The guide's pages F1 opens: the battle's commands, the editing mode, the
/// library editor.
inline constexpr const char* kHelpPageBattle = "controls";
inline constexpr const char* kHelpPageEditor = "editor";
inline constexpr const char* kHelpPageLibrary = "library";

class Dialogs {
public:
    virtual ~Dialogs() = default;

    /// The game file picker over the saved games' folder and the prepared maps'
    /// folders: when saving it lists the saved games only; when loading the
    /// prepared maps follow them, each name once (a name in an earlier folder
    /// hides the same name in a later one).
    virtual FilePick ShowFilePicker(const std::vector<std::string>& newGamesFolders, const std::string& saveGamesFolder,
                                    FilePickerMode mode) = 0;

    virtual GameControlChoice ShowGameControl(const GameControlSettings& settings) = 0;

    /// The statistics text, lines separated by '\n', until "OK".
    virtual void ShowInformation(const std::string& text) = 0;

    /// A yes/no question in the confirmation box; true for "Yes", false for
    /// "No", Escape or closing.
    virtual bool Confirm(const std::string& question) = 0;

    /// Brings up the image library editor window (the editing mode's S key).
    virtual void ShowImageEditor() = 0;

    virtual NewGameChoice ShowNewGameDialog() = 0;

    /// The Skirmish dialog, opening with the last choices.
    virtual SkirmishAnswer ShowSkirmishDialog(const SkirmishSetup& last) {
        (void)last;
        return {};
    }
    /// The guide opened at `page` (an anchor of the help file: kHelpPageBattle,
    /// kHelpPageEditor, kHelpPageLibrary), until the player closes it.
    virtual void ShowHelp(const std::string& page) = 0;

    /// Lines the next information box shows below its text: what the battle has
    /// done since its load.
    virtual void SetBattleLines(const std::string& lines) { battleLines_ = lines; }

    /// The campaign screen: the missions in order with the player's results.
    virtual CampaignChoice ShowCampaign(const std::vector<CampaignRow>& rows, bool openAll) {
        (void)rows;
        return CampaignChoice{-1, openAll};
    }
    /// The briefing; true for "Start", false for "Back".
    virtual bool ShowBriefing(const Briefing& briefing) {
        (void)briefing;
        return false;
    }

protected:
    std::string battleLines_;
};

/// Dialogs answered from a script, for tests and the headless tool: each picker
/// takes the next queued answer (cancelled when none is left), each game control
/// dialog the next queued choice (not confirmed when none), every question the
/// same answer. What was shown is kept.
class ScriptedDialogs : public Dialogs {
public:
    FilePick ShowFilePicker(const std::vector<std::string>& newGamesFolders, const std::string& saveGamesFolder,
                            FilePickerMode mode) override {
        pickersShown.push_back(mode);
        lastNewGamesFolders = newGamesFolders;
        lastSaveGamesFolder = saveGamesFolder;
        Opened(mode == FilePickerMode::Load ? DialogBox::LoadPicker : DialogBox::SavePicker);
        return Next(picks);
    }
    GameControlChoice ShowGameControl(const GameControlSettings& settings) override {
        controlsShown.push_back(settings);
        Opened(DialogBox::Control);
        return Next(controls);
    }
    void ShowInformation(const std::string& text) override {
        informationShown.push_back(text);
        Opened(DialogBox::Information, text);
    }
    bool Confirm(const std::string& question) override {
        questions.push_back(question);
        Opened(DialogBox::Confirm, question);
        if (confirms.empty()) return confirmAnswer;
        const bool answer = confirms.front();
        confirms.pop_front();
        return answer;
    }
    void ShowImageEditor() override { ++imageEditorShown; }
    NewGameChoice ShowNewGameDialog() override {
        ++newGameShown;
        Opened(DialogBox::NewMap);
        return newGame;
    }
    SkirmishAnswer ShowSkirmishDialog(const SkirmishSetup& last) override {
        skirmishShown.push_back(last);
        Opened(DialogBox::Skirmish);
        return Next(skirmishes);
    }
    void ShowHelp(const std::string& page) override {
        helpShown.push_back(page);
        Opened(DialogBox::Help, page);
    }
    CampaignChoice ShowCampaign(const std::vector<CampaignRow>& rows, bool openAll) override {
        campaignsShown.push_back(rows);
        Opened(DialogBox::Campaign);
        return CampaignChoice{-1, openAll};
    }
    bool ShowBriefing(const Briefing& briefing) override {
        briefingsShown.push_back(briefing.Title);
        briefingOpen = true;
        Opened(DialogBox::Unknown, briefing.Title);
        briefingOpen = false;
        if (briefingAnswers.empty()) return false;
        const bool start = briefingAnswers.front();
        briefingAnswers.pop_front();
        return start;
    }

    std::deque<FilePick> picks;
    std::deque<GameControlChoice> controls;
    /// The next questions' answers; `confirmAnswer` once none is left.
    std::deque<bool> confirms;
    bool confirmAnswer = true;
    NewGameChoice newGame;
    std::deque<SkirmishAnswer> skirmishes;
    /// Runs while each modal dialog is open, as the frame timer keeps ticking
    /// under a real one.
    std::function<void()> whileOpen;
    /// The box open (or last opened) and the text it shows, if any.
    DialogBox openBox = DialogBox::Unknown;
    std::string openText;

    std::vector<FilePickerMode> pickersShown;
    std::vector<std::string> lastNewGamesFolders;
    std::string lastSaveGamesFolder;
    std::vector<GameControlSettings> controlsShown;
    std::vector<std::string> informationShown;
    std::vector<std::string> questions;
    int imageEditorShown = 0;
    int newGameShown = 0;
    std::vector<std::string> helpShown;
    std::vector<std::vector<CampaignRow>> campaignsShown;
    /// The titles of the briefings shown; the next answers (Start or Back), Back
    /// when none is left; whether a briefing is open now.
    std::vector<std::string> briefingsShown;
    std::deque<bool> briefingAnswers;
    bool briefingOpen = false;
    std::vector<SkirmishSetup> skirmishShown;

private:
    void Opened(DialogBox box, const std::string& text = {}) {
        openBox = box;
        openText = text;
        if (whileOpen) whileOpen();
    }
    template <typename T>
    static T Next(std::deque<T>& queue) {
        if (queue.empty()) return T{};
        T answer = queue.front();
        queue.pop_front();
        return answer;
    }
};

}  // namespace tavrine
