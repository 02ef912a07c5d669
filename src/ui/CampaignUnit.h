// The campaign screen and the briefing: two frameless dialogs in the style of the
// game's others. They only show what the engine made and hand back the choice.
#pragma once

#include <QDialog>

#include <vector>

#include "platform/dialogs.h"

class QCheckBox;
class QTreeWidget;

namespace tavrine::ui {

/// The missions in campaign order: name, objective and the best result on each
/// difficulty; a locked mission is greyed. "Briefing" (or a double click) opens
/// the selected open mission.
class TCampaignForm final : public QDialog {
    Q_OBJECT
public:
    TCampaignForm(const std::vector<CampaignRow>& rows, bool openAll, QWidget* parent = nullptr);
    CampaignChoice Choice() const;
    QTreeWidget* List() const { return list_; }

private:
    void Pick();
    void Fill();

    std::vector<CampaignRow> rows_;
    QTreeWidget* list_;
    QCheckBox* openAll_;
    int picked_ = -1;
};

/// The mission's name, objective, story and what is new beside the map's outline;
/// "Start" and "Back".
class TBriefingForm final : public QDialog {
    Q_OBJECT
public:
    explicit TBriefingForm(const Briefing& briefing, QWidget* parent = nullptr);
};

CampaignChoice ShowCampaign(const std::vector<CampaignRow>& rows, bool openAll, QWidget* parent);
bool ShowBriefing(const Briefing& briefing, QWidget* parent);

}  // namespace tavrine::ui
