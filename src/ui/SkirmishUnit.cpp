#include "ui/SkirmishUnit.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTimer>

#include "mapgen/generator.h"
#include "state/saved_game.h"
#include "ui/UiCommon.h"
#include "view/status.h"

namespace tavrine::ui {

namespace {

constexpr int kPreviewWidth = 240;
constexpr int kPreviewHeight = 200;

QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->move(x, y + 3);
    label->adjustSize();
    return label;
}

QComboBox* MakeList(QWidget* parent, int x, int y, const QStringList& items, int current) {
    auto* list = new QComboBox(parent);
    list->setGeometry(x, y, 150, 22);
    list->addItems(items);
    list->setCurrentIndex(std::clamp(current, 0, static_cast<int>(items.size()) - 1));
    return list;
}

/// The map as the minimap would show it: water, land, mountain, and each
/// side's buildings and tanks in its colour.
QImage PreviewImage(const GameType& g) {
    QImage image(g.Columns, g.Rows, QImage::Format_RGB32);
    for (int y = 0; y < g.Rows; ++y)
        for (int x = 0; x < g.Columns; ++x) {
            const GameCellType& c = g.Cell(x, y);
            const int ground = mapgen::GroundClass(c);
            QRgb colour = ground == 0 ? qRgb(40, 80, 160) : ground == 1 ? qRgb(80, 130, 50) : qRgb(150, 140, 130);
            if (c.Object && c.Object->Kind() == KindDecoration) colour = qRgb(50, 95, 40);
            if (c.Object && c.Object->Kind() != KindDecoration)
                colour = c.Object->Side() == SidePlayer ? qRgb(250, 220, 60) : qRgb(230, 50, 40);
            image.setPixel(x, y, colour);
        }
    for (const auto& t : g.Tanks) {
        const int x = t->X / g.CellWidth, y = t->Y / g.CellHeight;
        if (g.OnMap(x, y)) image.setPixel(x, y, t->Side() == SidePlayer ? qRgb(255, 255, 150) : qRgb(255, 120, 110));
    }
    return image;
}

}  // namespace

TSkirmishForm::TSkirmishForm(const SkirmishSetup& last, const ImageLibrary* library, QWidget* parent)
    : QDialog(parent), library_(library) {
    setWindowTitle(QStringLiteral("Skirmish"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    SizeAndCentre(*this, 600, 330);

    auto* box = new QFrame(this);
    box->setFrameShape(QFrame::Box);
    box->setFrameShadow(QFrame::Sunken);
    box->setGeometry(16, 16, 300, 298);

    MakeLabel(this, QStringLiteral("Landscape"), 28, 28);
    landscape_ = MakeList(this, 150, 28,
                          {QStringLiteral("Continent"), QStringLiteral("Islands"), QStringLiteral("Lakes"),
                           QStringLiteral("Highlands"), QStringLiteral("River")},
                          last.Landscape);
    MakeLabel(this, QStringLiteral("Size"), 28, 60);
    size_ = new QComboBox(this);
    size_->setGeometry(150, 60, 150, 22);
    for (const mapgen::MapSizePreset& p : mapgen::kSizePresets) {
        QString name = QString::fromLatin1(p.Name.data(), static_cast<int>(p.Name.size()));
        name[0] = name[0].toUpper();
        size_->addItem(QStringLiteral("%1 (%2 x %3)").arg(name).arg(p.Columns).arg(p.Rows));
    }
    size_->addItem(QStringLiteral("Other"));
    columns_ = new QSpinBox(this);
    columns_->setGeometry(150, 88, 70, 22);
    columns_->setRange(mapgen::kMinColumns, mapgen::kMaxColumns);
    columns_->setValue(last.Columns);
    rows_ = new QSpinBox(this);
    rows_->setGeometry(230, 88, 70, 22);
    rows_->setRange(mapgen::kMinRows, mapgen::kMaxRows);
    rows_->setValue(last.Rows);
    MakeLabel(this, QStringLiteral("Columns x rows"), 28, 88);
    int preset = static_cast<int>(mapgen::kSizePresets.size());
    for (std::size_t i = 0; i < mapgen::kSizePresets.size(); ++i)
        if (mapgen::kSizePresets[i].Columns == last.Columns && mapgen::kSizePresets[i].Rows == last.Rows) preset = static_cast<int>(i);
    size_->setCurrentIndex(preset);

    MakeLabel(this, QStringLiteral("Symmetry"), 28, 120);
    symmetry_ = MakeList(this, 150, 120,
                         {QStringLiteral("None"), QStringLiteral("Mirrored"), QStringLiteral("Rotated half a turn")}, last.Symmetry);
    MakeLabel(this, QStringLiteral("Mission"), 28, 152);
    QStringList missions;
    for (int m = 0; m < 6; ++m) missions << ToQString(MissionText(m));
    mission_ = MakeList(this, 150, 152, missions, last.Mission);
    mission_->view()->setMinimumWidth(mission_->view()->sizeHintForColumn(0) + 24);
    mission_->setToolTip(mission_->currentText());
    MakeLabel(this, QStringLiteral("Difficulty"), 28, 184);
    difficulty_ = MakeList(this, 150, 184, {QStringLiteral("Easy"), QStringLiteral("Normal"), QStringLiteral("Difficult")},
                           last.Difficulty);
    MakeLabel(this, QStringLiteral("Scenery"), 28, 216);
    scenery_ = MakeList(this, 150, 216, {QStringLiteral("None"), QStringLiteral("Sparse"), QStringLiteral("Normal"), QStringLiteral("Dense")},
                        last.Scenery);
    MakeLabel(this, QStringLiteral("Seed"), 28, 248);
    seed_ = new QLineEdit(QString::number(last.Seed), this);
    seed_->setGeometry(150, 248, 150, 22);
    seed_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,19}")), seed_));
    auto* fresh = new QPushButton(QStringLiteral("New Seed"), this);
    fresh->setGeometry(150, 278, 150, 25);

    preview_ = new QLabel(this);
    preview_->setGeometry(332, 16, kPreviewWidth, kPreviewHeight);
    preview_->setAlignment(Qt::AlignCenter);
    preview_->setFrameShape(QFrame::Box);
    preview_->setFrameShadow(QFrame::Sunken);
    about_ = new QLabel(this);
    about_->setGeometry(332, 220, kPreviewWidth, 50);
    about_->setWordWrap(true);

    play_ = new QPushButton(QStringLiteral("Play"), this);
    play_->setGeometry(332, 289, 75, 25);
    play_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setGeometry(497, 289, 75, 25);

    // The preview follows the choices once they settle for a moment, so typing
    // a seed does not generate a map for every digit.
    previewTimer_ = new QTimer(this);
    previewTimer_->setSingleShot(true);
    previewTimer_->setInterval(150);
    connect(previewTimer_, &QTimer::timeout, this, &TSkirmishForm::UpdatePreview);
    connect(size_, &QComboBox::currentIndexChanged, this, [this](int index) {
        const bool other = index >= static_cast<int>(mapgen::kSizePresets.size());
        columns_->setEnabled(other);
        rows_->setEnabled(other);
        if (!other) {
            columns_->setValue(mapgen::kSizePresets[static_cast<std::size_t>(index)].Columns);
            rows_->setValue(mapgen::kSizePresets[static_cast<std::size_t>(index)].Rows);
        }
        ChoicesChanged();
    });
    columns_->setEnabled(preset == static_cast<int>(mapgen::kSizePresets.size()));
    rows_->setEnabled(columns_->isEnabled());
    for (QComboBox* list : {landscape_, symmetry_, mission_, scenery_})
        connect(list, &QComboBox::currentIndexChanged, this, &TSkirmishForm::ChoicesChanged);
    connect(mission_, &QComboBox::currentIndexChanged, this, [this] { mission_->setToolTip(mission_->currentText()); });
    connect(columns_, &QSpinBox::valueChanged, this, &TSkirmishForm::ChoicesChanged);
    connect(rows_, &QSpinBox::valueChanged, this, &TSkirmishForm::ChoicesChanged);
    connect(seed_, &QLineEdit::textChanged, this, &TSkirmishForm::ChoicesChanged);
    connect(fresh, &QPushButton::clicked, this, [this] { seed_->setText(QString::number(mapgen::FreshSeed())); });
    connect(play_, &QPushButton::clicked, this, [this] {
        if (!seed_->text().isEmpty()) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    UpdatePreview();
}

SkirmishSetup TSkirmishForm::Setup() const {
    SkirmishSetup k;
    k.Seed = seed_->text().toULongLong();
    k.Landscape = landscape_->currentIndex();
    k.Columns = columns_->value();
    k.Rows = rows_->value();
    k.Symmetry = symmetry_->currentIndex();
    k.Mission = mission_->currentIndex();
    k.Scenery = scenery_->currentIndex();
    k.Difficulty = difficulty_->currentIndex();
    return k;
}

void TSkirmishForm::ChoicesChanged() { previewTimer_->start(); }

void TSkirmishForm::UpdatePreview() {
    previewTimer_->stop();
    play_->setEnabled(!seed_->text().isEmpty());
    if (!library_ || seed_->text().isEmpty()) {
        preview_->clear();
        about_->clear();
        return;
    }
    const mapgen::GeneratedMap map = mapgen::GenerateMap(*library_, mapgen::OptionsOf(Setup()));
    GameType g;
    if (!map.Ok || ParseGame(map.File, g) != LoadResult::Ok) {
        preview_->setText(QStringLiteral("No fair map from this seed"));
        about_->setText(ToQString(map.Failure));
        play_->setEnabled(false);
        return;
    }
    const QImage image = PreviewImage(g).scaled(kPreviewWidth - 4, kPreviewHeight - 4, Qt::KeepAspectRatio, Qt::FastTransformation);
    preview_->setPixmap(QPixmap::fromImage(image));
    about_->setText(QStringLiteral("Shortest way by land to the enemy: %1 cells. Enemy towers: %2, tanks: %3.")
                        .arg(map.Report.LandRoute)
                        .arg(map.Counts.Towers[SideComputer])
                        .arg(map.Counts.Tanks[SideComputer]));
}

SkirmishAnswer ShowSkirmishDialog(const SkirmishSetup& last, const ImageLibrary* library, QWidget* parent) {
    TSkirmishForm form(last, library, parent);
    SkirmishAnswer answer;
    answer.Accepted = form.exec() == QDialog::Accepted;
    if (answer.Accepted) answer.Setup = form.Setup();
    return answer;
}

}  // namespace tavrine::ui
