// The game's modal dialogs as Qt windows: each call creates its dialog, shows
// it modally over the main window and hands its answer back.
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "data/library.h"
#include "platform/dialogs.h"
#include "state/display_modes.h"

namespace tavrine::ui {

class QtDialogs final : public Dialogs {
public:
    /// `dataFolder` holds the dialogs' pictures; `offered` answers which
    /// display modes the screen can show now.
    QtDialogs(std::string dataFolder, std::function<std::vector<DisplayMode>()> offered);

    /// Dialogs open over `owner` (the main window).
    void SetOwner(QWidget* owner) { owner_ = owner; }
    /// What the editing mode's S key brings up: the image library editor.
    void SetImageEditor(std::function<void()> show) { showImageEditor_ = std::move(show); }

    FilePick ShowFilePicker(const std::vector<std::string>& newGamesFolders, const std::string& saveGamesFolder,
                            FilePickerMode mode) override;
    GameControlChoice ShowGameControl(const GameControlSettings& settings) override;
    void ShowInformation(const std::string& text) override;
    bool Confirm(const std::string& question) override;
    void ShowImageEditor() override;
    NewGameChoice ShowNewGameDialog() override;
    /// The help viewer over the owner, modal, at `page`; returns when it closes.
    void ShowHelp(const std::string& page) override;
    CampaignChoice ShowCampaign(const std::vector<CampaignRow>& rows, bool openAll) override;
    bool ShowBriefing(const Briefing& briefing) override;
    SkirmishAnswer ShowSkirmishDialog(const SkirmishSetup& last) override;
    /// The library whose picture sizes the Skirmish dialog's preview places by.
    void SetLibrary(const ImageLibrary* library) { library_ = library; }

private:
    std::string folder_;
    std::function<std::vector<DisplayMode>()> offered_;
    std::function<void()> showImageEditor_;
    QPointer<QWidget> owner_;
    const ImageLibrary* library_ = nullptr;
};

}  // namespace tavrine::ui
