#include "ui/StartUnit.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QUrl>

#include "ui/DisplayUnit.h"
#include "ui/HelpViewer.h"
#include "ui/UiCommon.h"

namespace tavrine::ui {

namespace {

QPushButton* MakeButton(QWidget* parent, const QString& text, int x, int y) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(x, y, 105, 25);
    return button;
}

}  // namespace

TStartForm::TStartForm(std::string programFolder, QWidget* parent) : QDialog(parent), folder_(std::move(programFolder)) {
    setWindowTitle(QStringLiteral("Tavrine 1.0"));
    // A fixed border with the system menu only: no minimise or maximise box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    SizeAndCentre(*this, 464, 289);

    auto* Panel1 = new QFrame(this);
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Sunken);
    Panel1->setGeometry(8, 8, 321, 233);
    Image2 = new QLabel(Panel1);
    Image2->setGeometry(8, 8, 304, 218);
    Image2->setPixmap(ProgramPicture(folder_, QStringLiteral("ui/title.png")));
    Image2->installEventFilter(this);

    const QPixmap displayIcon = ProgramPicture(folder_, QStringLiteral("ui/display.png"));
    auto* Image1 = new QLabel(this);
    Image1->setGeometry(8, 248, 32, 32);
    Image1->setPixmap(displayIcon);

    auto* Label1 = new QLabel(QStringLiteral("Display:"), this);
    Label1->setFont(DialogFont(true));
    Label1->move(48, 257);
    Label1->adjustSize();

    ComboBoxEx1 = new QComboBox(this);
    ComboBoxEx1->setGeometry(96, 256, 233, 22);
    ComboBoxEx1->setFont(DialogFont(true));
    ComboBoxEx1->setEditable(false);
    ComboBoxEx1->setMaxVisibleItems(20);
    ComboBoxEx1->setIconSize(QSize(16, 16));

    Button1 = MakeButton(this, QStringLiteral("&Play"), 344, 16);
    Button1->setDefault(true);
    Button2 = MakeButton(this, QStringLiteral("&Help..."), 344, 56);
    Button3 = MakeButton(this, QStringLiteral("Home &Page..."), 344, 88);
    Button4 = MakeButton(this, QStringLiteral("&Support..."), 344, 120);
    Button6 = MakeButton(this, QStringLiteral("&Cancel"), 344, 216);
    connect(Button1, &QPushButton::clicked, this, &TStartForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TStartForm::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TStartForm::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TStartForm::Button4Click);
    connect(Button6, &QPushButton::clicked, this, &TStartForm::Button6Click);
}

TStartForm::~TStartForm() = default;

void TStartForm::FillDisplayModes(const std::vector<DisplayMode>& offered) {
    FillDisplayList(*ComboBoxEx1, offered);
    // Every entry shows the display icon, scaled to the list's rows.
    const QPixmap icon = ProgramPicture(folder_, QStringLiteral("ui/display.png"));
    if (!icon.isNull()) {
        const QIcon small(icon.scaled(16, 16, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        for (int i = 0; i < ComboBoxEx1->count(); ++i) ComboBoxEx1->setItemIcon(i, small);
    }
}

void TStartForm::Preselect(std::int32_t storedMode) {
    if (storedMode < 0) return;
    for (int i = 0; i < ComboBoxEx1->count(); ++i)
        if (ModeNumberOfName(FromQString(ComboBoxEx1->itemText(i))) == storedMode) {
            ComboBoxEx1->setCurrentIndex(i);
            return;
        }
}

std::int32_t TStartForm::ShowStartDialog(std::int32_t storedMode) {
    chosenMode_ = kNoChoice;
    Preselect(storedMode);
    exec();
    return chosenMode_;
}

void TStartForm::Button1Click() {
    if (ComboBoxEx1->currentIndex() < 0) return;
    chosenMode_ = SelectedModeNumber(*ComboBoxEx1);
    accept();
}

void TStartForm::Button2Click() {
    if (!help_) help_ = new HelpViewer(QString::fromStdString(folder_ + "/Tavrine.hlp"), this);
    help_->ShowContents();
}

void TStartForm::Button3Click() { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomePageUrl))); }

void TStartForm::Button4Click() { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kSupportMailUrl))); }

void TStartForm::Button6Click() { reject(); }

void TStartForm::Image2MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y) {
    const Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (button != Qt::LeftButton || held != (Qt::ShiftModifier | Qt::ControlModifier)) return;
    if (x < kEditingSquareLeft || x >= kEditingSquareLeft + kEditingSquareSize) return;
    if (y < kEditingSquareTop || y >= kEditingSquareTop + kEditingSquareSize) return;
    chosenMode_ = kEditingModeChoice;
    accept();
}

bool TStartForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image2 && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        const QPoint at = press->position().toPoint();
        Image2MouseDown(press->button(), press->modifiers(), at.x(), at.y());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tavrine::ui
