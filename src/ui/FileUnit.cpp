#include "ui/FileUnit.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QValidator>

#include "game/main_commands.h"
#include "ui/UiCommon.h"
#include "ui/WindowScale.h"

namespace tavrine::ui {

namespace {

constexpr int kRowHeight = 18;
/// The most characters the name field takes from the keyboard.
constexpr qsizetype kMaxTypedName = 30;
/// The saved games' rows are written in green unless selected.
const QColor kSavedGameColor(0x00, 0x80, 0x00);

/// The picker's two icons, 16 by 16: 0 a prepared map, 1 a saved game. Drawn
/// here when the program folder has no pictures for them.
QPixmap FallbackIcon(bool savedGame) {
    QPixmap icon(16, 16);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    if (savedGame) {
        p.fillRect(1, 1, 14, 14, QColor(40, 130, 60));
        p.fillRect(4, 1, 8, 5, QColor(210, 214, 220));
        p.fillRect(3, 9, 10, 6, Qt::white);
    } else {
        p.fillRect(1, 2, 14, 12, QColor(90, 150, 210));
        p.fillRect(8, 2, 7, 12, QColor(120, 170, 80));
        p.setPen(QColor(236, 196, 60));
        p.drawLine(9, 5, 12, 10);
    }
    return icon;
}

/// Draws a row as the picker wants: saved games bold and green with their icon,
/// prepared maps in the normal font with theirs and "[New Game]" at the right.
class RowPainter final : public QStyledItemDelegate {
public:
    RowPainter(TFileForm& form, QPixmap mapIcon, QPixmap savedIcon)
        : QStyledItemDelegate(&form), form_(form), mapIcon_(std::move(mapIcon)), savedIcon_(std::move(savedIcon)) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        ListBox1DrawItem(*painter, option, index.row(), index.data().toString());
    }
    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override {
        return {0, kRowHeight * WindowScale::ScaleOf(form_)};
    }

private:
    void ListBox1DrawItem(QPainter& p, const QStyleOptionViewItem& option, int row, const QString& name) const {
        const QRect r = option.rect;
        // Laid out for one size in fixed pixels: larger with the window.
        const int s = WindowScale::ScaleOf(form_);
        const QRect icon(r.left(), r.top() + s, 16 * s, 16 * s);
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        p.save();
        p.fillRect(r, selected ? palette.highlight() : palette.base());
        p.setPen(selected ? palette.highlightedText().color() : palette.text().color());
        QFont font = option.font;
        if (row < form_.SavedCount()) {
            if (!selected) p.setPen(kSavedGameColor);
            p.drawPixmap(icon, savedIcon_);
            font.setBold(true);
            p.setFont(font);
            p.drawText(QRect(r.left() + 18 * s, r.top() + s, r.width() - 18 * s, r.height() - s), Qt::AlignLeft | Qt::AlignTop,
                       name);
        } else {
            p.drawPixmap(icon, mapIcon_);
            p.setFont(font);
            p.drawText(QRect(r.left() + 18 * s, r.top() + s, r.width() - 18 * s, r.height() - s), Qt::AlignLeft | Qt::AlignTop,
                       name);
            p.drawText(QRect(r.right() + 1 - 70 * s, r.top() + s, 70 * s, r.height() - s), Qt::AlignLeft | Qt::AlignTop,
                       QStringLiteral("[New Game]"));
        }
        p.restore();
    }

    const TFileForm& form_;
    QPixmap mapIcon_;
    QPixmap savedIcon_;
};

/// Typing stops at 30 characters, but a longer file name picked from the list is
/// copied whole and can still be shortened (QLineEdit's own limit would cut it,
/// and the file would then not be found). Text set by the program is not
/// validated; each edit is measured against the text the field held before it.
class NameLength final : public QValidator {
public:
    explicit NameLength(QLineEdit& field) : QValidator(&field) {
        connect(&field, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
    }
    State validate(QString& input, int&) const override {
        return input.size() > kMaxTypedName && input.size() > before_.size() ? Invalid : Acceptable;
    }

private:
    QString before_;
};

QPixmap IconOrFallback(const std::string& programFolder, const QString& file, bool savedGame) {
    const QPixmap icon = ProgramPicture(programFolder, QStringLiteral("ui/") + file);
    return icon.isNull() ? FallbackIcon(savedGame) : icon.scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

QStringList ListGameFiles(const QString& folder) {
    QDir dir(folder);
    if (!dir.exists()) return {};
    return dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
}

QStringList ListGameFiles(const QStringList& folders) {
    QStringList names;
    for (const QString& folder : folders)
        for (const QString& name : ListGameFiles(folder))
            if (!names.contains(name)) names << name;
    names.sort(Qt::CaseInsensitive);
    return names;
}

TFileForm::TFileForm(const std::string& programFolder, QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setWindowTitle(QStringLiteral("Save  Game"));
    SizeAndCentre(*this, 422, 290);
    QFrame* panel = FillPanel(*this);
    Panel2 = new CaptionBar(QStringLiteral("Save  Game"), panel);

    auto* Label1 = new QLabel(QStringLiteral("Game Name:"), panel);
    Label1->move(16, 41);
    Label1->adjustSize();
    Edit1 = new QLineEdit(panel);
    Edit1->setGeometry(88, 40, 225, 21);
    Edit1->setValidator(new NameLength(*Edit1));

    ListBox1 = new QListWidget(panel);
    ListBox1->setGeometry(16, 80, 297, 193);
    ListBox1->setUniformItemSizes(true);
    ListBox1->setItemDelegate(new RowPainter(*this, IconOrFallback(programFolder, QStringLiteral("new-game.png"), false),
                                             IconOrFallback(programFolder, QStringLiteral("saved-game.png"), true)));

    Button1 = new QPushButton(QStringLiteral("OK"), panel);
    Button1->setGeometry(328, 40, 75, 25);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Cancel"), panel);
    Button2->setGeometry(328, 72, 75, 25);
    CampaignButton = new QPushButton(QStringLiteral("Campaign..."), panel);
    CampaignButton->setGeometry(328, 120, 75, 25);
    CampaignButton->hide();
    connect(CampaignButton, &QPushButton::clicked, this, [this] {
        campaignPressed_ = true;
        accept();
    });
    skirmishButton_ = new QPushButton(QStringLiteral("Skirmish..."), panel);
    skirmishButton_->setGeometry(322, 216, 88, 25);
    skirmishButton_->setToolTip(QStringLiteral("A new battle on a generated map"));
    skirmishButton_->hide();
    quickButton_ = new QPushButton(QStringLiteral("Quick Skirmish"), panel);
    quickButton_->setGeometry(322, 248, 88, 25);
    quickButton_->setToolTip(QStringLiteral("A new battle at once: a fresh seed and the last skirmish choices"));
    quickButton_->hide();
    const auto askSkirmish = [this](FilePick::Skirmish kind) {
        skirmish_ = kind;
        accept();
    };
    connect(skirmishButton_, &QPushButton::clicked, this, [askSkirmish] { askSkirmish(FilePick::Skirmish::SetUp); });
    connect(quickButton_, &QPushButton::clicked, this, [askSkirmish] { askSkirmish(FilePick::Skirmish::Quick); });

    // The name follows the selected row, whether clicked or reached by the keys
    // (the current row alone is no pick: filling the list makes the first row
    // current without selecting it).
    connect(ListBox1, &QListWidget::itemClicked, this, &TFileForm::ListBox1Click);
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
        if (!selected.isEmpty()) Edit1->setText(selected.front()->text());
    });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] {
        ListBox1Click();
        Button1Click();
    });
    ReportProblem = [this](const QString& text) { QMessageBox::critical(this, QStringLiteral("Error"), text); };
    connect(Button1, &QPushButton::clicked, this, &TFileForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TFileForm::Button2Click);
}

void TFileForm::Fill(const QString& newGamesFolder, const QString& saveGamesFolder, FilePickerMode mode) {
    Fill(QStringList{newGamesFolder}, saveGamesFolder, mode);
}

void TFileForm::Fill(const QStringList& newGamesFolders, const QString& saveGamesFolder, FilePickerMode mode) {
    const bool load = mode == FilePickerMode::Load;
    loading_ = load;
    ListBox1->clear();
    const QStringList saved = ListGameFiles(saveGamesFolder);
    ListBox1->addItems(saved);
    savedCount_ = static_cast<int>(saved.size());
    if (load) {
        Panel2->SetCaption(QStringLiteral("Load Game"));
        setWindowTitle(QStringLiteral("Load Game"));
        ListBox1->addItems(ListGameFiles(newGamesFolders));
        CampaignButton->show();
        Edit1->setEnabled(false);
        QPalette grey = Edit1->palette();
        grey.setColor(QPalette::Base, palette().color(QPalette::Window));
        Edit1->setPalette(grey);
        skirmishButton_->show();
        quickButton_->show();
    }
}

QString TFileForm::Caption() const { return Panel2->Caption(); }

FilePick TFileForm::Pick() const {
    FilePick pick;
    if (result() != QDialog::Accepted) return pick;
    if (campaignPressed_) {
        pick.Campaign = true;
        return pick;
    }
    if (skirmish_ != FilePick::Skirmish::No) {
        pick.Instead = skirmish_;
        return pick;
    }
    pick.Name = QFile::encodeName(Edit1->text()).toStdString();
    pick.FromNewGames = ListBox1->currentRow() >= savedCount_ && ListBox1->currentItem() && ListBox1->currentItem()->isSelected();
    return pick;
}

void TFileForm::ListBox1Click() {
    if (QListWidgetItem* item = ListBox1->currentItem()) Edit1->setText(item->text());
}

void TFileForm::Button1Click() {
    if (const std::optional<std::string> problem = NameProblemMessage()) {
        ReportProblem(QString::fromStdString(*problem));
        return;
    }
    accept();
}

std::optional<std::string> TFileForm::NameProblemMessage() const {
    if (loading_ && Edit1->text().isEmpty()) return std::string(kPickAGameMessage);
    return GameNameMessage(QFile::encodeName(Edit1->text()).toStdString());
}

void TFileForm::Button2Click() { reject(); }

FilePick ShowFilePicker(const QStringList& newGamesFolders, const QString& saveGamesFolder, FilePickerMode mode,
                        const std::string& programFolder, QWidget* parent) {
    TFileForm form(programFolder, parent);
    form.Fill(newGamesFolders, saveGamesFolder, mode);
    form.exec();
    return form.Pick();
}

}  // namespace tavrine::ui
