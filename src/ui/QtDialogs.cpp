#include "ui/CampaignUnit.h"
#include "ui/QtDialogs.h"

#include <QEventLoop>
#include <QFile>

#include "ui/ConfirmUnit.h"
#include "ui/ControlUnit.h"
#include "ui/FileUnit.h"
#include "ui/HelpViewer.h"
#include "ui/InfoUnit.h"
#include "ui/NewGameUnit.h"
#include "ui/SkirmishUnit.h"
#include "ui/UiCommon.h"

namespace tavrine::ui {

QtDialogs::QtDialogs(std::string dataFolder, std::function<std::vector<DisplayMode>()> offered)
    : folder_(std::move(dataFolder)), offered_(std::move(offered)) {}

FilePick QtDialogs::ShowFilePicker(const std::vector<std::string>& newGamesFolders, const std::string& saveGamesFolder,
                                   FilePickerMode mode) {
    QStringList folders;
    for (const std::string& folder : newGamesFolders) folders << QFile::decodeName(folder.c_str());
    return ui::ShowFilePicker(folders, QFile::decodeName(saveGamesFolder.c_str()), mode, folder_, owner_);
}

GameControlChoice QtDialogs::ShowGameControl(const GameControlSettings& settings) {
    return ui::ShowGameControl(settings, offered_ ? offered_() : std::vector<DisplayMode>{}, folder_, owner_);
}

void QtDialogs::ShowInformation(const std::string& text) {
    ui::ShowInformation(ToQString(battleLines_.empty() ? text : text + "\n\n" + battleLines_), owner_);
}

bool QtDialogs::Confirm(const std::string& question) { return ui::Confirm(ToQString(question), owner_); }

void QtDialogs::ShowImageEditor() {
    if (showImageEditor_) showImageEditor_();
}

NewGameChoice QtDialogs::ShowNewGameDialog() { return ui::ShowNewGameDialog(owner_); }

void QtDialogs::ShowHelp(const std::string& page) {
    HelpViewer viewer(QFile::decodeName((folder_ + "/Tavrine.hlp").c_str()), owner_);
    viewer.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QObject::connect(&viewer, &HelpViewer::Closed, &loop, &QEventLoop::quit);
    // The frame timer goes on under the viewer, as under the other dialogs.
    if (viewer.ShowPage(QString::fromStdString(page))) loop.exec();
}

CampaignChoice QtDialogs::ShowCampaign(const std::vector<CampaignRow>& rows, bool openAll) {
    return ui::ShowCampaign(rows, openAll, owner_);
}

bool QtDialogs::ShowBriefing(const Briefing& briefing) { return ui::ShowBriefing(briefing, owner_); }

SkirmishAnswer QtDialogs::ShowSkirmishDialog(const SkirmishSetup& last) { return ui::ShowSkirmishDialog(last, library_, owner_); }

}  // namespace tavrine::ui
