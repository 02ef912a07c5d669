// The modal dialogs the game's commands open: the game file picker, the game
// control dialog, the information and confirmation boxes, the New Game dialog and
// the image library editor. Each returns its answer to the caller and changes no
// game state itself. The desktop shows real windows; tests and the headless tool
// answer from a script.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tavrine {

enum class FilePickerMode { Save, Load };

/// Which modal box a command opened: replays match each recorded answer to the
/// box (and its text) that it answered.
enum class DialogBox : std::uint8_t { Unknown, Message, Question, Confirm, Information, LoadPicker, SavePicker, Control, NewMap };

/// What the game file picker answers.
struct FilePick {
    /// The name as typed or picked, not trimmed; empty when the picker was
    /// cancelled.
    std::string Name;
    /// The name was picked from the prepared maps (NewGames) part of the list.
    bool FromNewGames = false;
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

    std::deque<FilePick> picks;
    std::deque<GameControlChoice> controls;
    /// The next questions' answers; `confirmAnswer` once none is left.
    std::deque<bool> confirms;
    bool confirmAnswer = true;
    NewGameChoice newGame;
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
