#include "ui/CampaignUnit.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "ui/UiCommon.h"

namespace tavrine::ui {

namespace {

constexpr int kBarHeight = 27;
constexpr int kOutlineSize = 200;  ///< the outline's longer side, in pixels

QLabel* Text(QWidget* parent, const QString& text, int x, int y, int width, bool bold = false) {
    auto* label = new QLabel(text, parent);
    label->setFont(DialogFont(bold));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFixedWidth(width);
    label->move(x, y);
    label->adjustSize();
    return label;
}

}  // namespace

TCampaignForm::TCampaignForm(const std::vector<CampaignRow>& rows, bool openAll, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), rows_(rows) {
    setWindowTitle(QStringLiteral("Campaign"));
    SizeAndCentre(*this, 660, 330);
    QFrame* panel = FillPanel(*this);
    new CaptionBar(QStringLiteral("Campaign"), panel, kBarHeight);

    list_ = new QTreeWidget(panel);
    list_->setGeometry(16, 40, 628, 236);
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({QStringLiteral("Mission"), QStringLiteral("Objective"), QStringLiteral("Easy"),
                            QStringLiteral("Normal"), QStringLiteral("Difficult")});
    list_->header()->setStretchLastSection(false);
    for (const auto& [column, width] : {std::pair{0, 120}, {1, 290}, {2, 70}, {3, 70}, {4, 70}})
        list_->setColumnWidth(column, width);

    openAll_ = new QCheckBox(QStringLiteral("Open every mission"), panel);
    openAll_->move(16, 290);
    openAll_->setChecked(openAll);
    connect(openAll_, &QCheckBox::toggled, this, [this] { Fill(); });

    auto* briefing = new QPushButton(QStringLiteral("Briefing..."), panel);
    briefing->setGeometry(468, 288, 85, 25);
    briefing->setDefault(true);
    auto* back = new QPushButton(QStringLiteral("Back"), panel);
    back->setGeometry(560, 288, 85, 25);
    connect(briefing, &QPushButton::clicked, this, &TCampaignForm::Pick);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &TCampaignForm::Pick);
    Fill();
}

void TCampaignForm::Fill() {
    const int current = list_->currentIndex().isValid() ? list_->currentIndex().row() : -1;
    list_->clear();
    int firstLocked = -1;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const CampaignRow& r = rows_[i];
        const bool open = r.Open || openAll_->isChecked();
        auto* item = new QTreeWidgetItem(list_, {QString::number(i + 1) + ". " + ToQString(r.Name), ToQString(r.Objective),
                                                 ToQString(r.Results[0]), ToQString(r.Results[1]), ToQString(r.Results[2])});
        item->setToolTip(1, ToQString(r.Objective));
        if (!open) {
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
            if (firstLocked < 0) firstLocked = static_cast<int>(i);
        }
    }
    // The mission to play next: the last open one, unless the player had another.
    const int next = current >= 0 ? current : (firstLocked > 0 ? firstLocked - 1 : 0);
    if (QTreeWidgetItem* item = list_->topLevelItem(next); item && (item->flags() & Qt::ItemIsEnabled))
        list_->setCurrentItem(item);
}

void TCampaignForm::Pick() {
    QTreeWidgetItem* item = list_->currentItem();
    if (!item || !(item->flags() & Qt::ItemIsEnabled)) return;
    picked_ = list_->indexOfTopLevelItem(item);
    accept();
}

CampaignChoice TCampaignForm::Choice() const {
    return CampaignChoice{result() == QDialog::Accepted ? picked_ : -1, openAll_->isChecked()};
}

TBriefingForm::TBriefingForm(const Briefing& b, QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setWindowTitle(QStringLiteral("Briefing"));
    SizeAndCentre(*this, 600, 330);
    QFrame* panel = FillPanel(*this);
    new CaptionBar(ToQString(b.Title), panel, kBarHeight);

    // The outline on the left, scaled to fit its box and kept square to the cells.
    auto* outline = new QLabel(panel);
    outline->setGeometry(16, 40, kOutlineSize, kOutlineSize);
    outline->setAlignment(Qt::AlignCenter);
    outline->setStyleSheet(QStringLiteral("background: black"));
    if (b.OutlineWidth > 0 && b.OutlineHeight > 0 &&
        b.Outline.size() == static_cast<std::size_t>(b.OutlineWidth) * static_cast<std::size_t>(b.OutlineHeight)) {
        QImage image(b.OutlineWidth, b.OutlineHeight, QImage::Format_RGB32);
        for (int y = 0; y < b.OutlineHeight; ++y)
            for (int x = 0; x < b.OutlineWidth; ++x) {
                const std::uint32_t c = b.Outline[static_cast<std::size_t>(y) * static_cast<std::size_t>(b.OutlineWidth) +
                                                  static_cast<std::size_t>(x)];
                image.setPixel(x, y, qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                                          static_cast<int>((c >> 16) & 0xFF)));
            }
        outline->setPixmap(QPixmap::fromImage(image.scaled(kOutlineSize, kOutlineSize, Qt::KeepAspectRatio)));
    }

    const int x = 232, width = 352;
    int y = 40;
    const auto add = [&](const QString& text, bool bold, int gap) {
        QLabel* label = Text(panel, text, x, y, width, bold);
        y += label->height() + gap;
    };
    add(QStringLiteral("Objective: ") + ToQString(b.Objective), true, 2);
    add(ToQString(b.MissionText), false, 10);
    for (const std::string& line : b.Story) add(ToQString(line), false, 2);
    y += 8;
    if (!b.New.empty()) add(QStringLiteral("New in this mission:"), true, 2);
    for (const std::string& line : b.New) add(ToQString(line), false, 2);

    auto* start = new QPushButton(QStringLiteral("Start"), panel);
    start->setGeometry(408, 288, 85, 25);
    start->setDefault(true);
    auto* back = new QPushButton(QStringLiteral("Back"), panel);
    back->setGeometry(500, 288, 85, 25);
    connect(start, &QPushButton::clicked, this, &QDialog::accept);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
}

CampaignChoice ShowCampaign(const std::vector<CampaignRow>& rows, bool openAll, QWidget* parent) {
    TCampaignForm form(rows, openAll, parent);
    form.exec();
    return form.Choice();
}

bool ShowBriefing(const Briefing& briefing, QWidget* parent) {
    TBriefingForm form(briefing, parent);
    return form.exec() == QDialog::Accepted;
}

}  // namespace tavrine::ui
