#include "ui/HelpViewer.h"

#include <QCloseEvent>
#include <QFile>
#include <QMessageBox>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/UiCommon.h"

namespace tavrine::ui {

namespace {

/// The help file is a few dozen kilobytes; anything far larger is not ours.
constexpr qint64 kMaxHelpBytes = 4 << 20;

}  // namespace

HelpViewer::HelpViewer(QString path, QWidget* parent) : QWidget(parent, Qt::Window), path_(std::move(path)) {
    setWindowTitle(QStringLiteral("Tavrine Help"));
    resize(640, 560);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    // Escape closes the guide, as it closes the game's dialogs; the battle it
    // paused goes on.
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

bool HelpViewer::ShowContents() { return ShowPage(QString()); }

void HelpViewer::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit Closed();
}

bool HelpViewer::ShowPage(const QString& anchor) {
    if (!loaded_) {
        QFile file(path_);
        if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxHelpBytes) {
            QMessageBox::warning(parentWidget(), QStringLiteral("Help"),
                                 QStringLiteral("The help file \"%1\" cannot be opened.").arg(path_));
            return false;
        }
        browser_->setHtml(QString::fromUtf8(file.readAll()));
        loaded_ = true;
    }
    browser_->moveCursor(QTextCursor::Start);
    browser_->ensureCursorVisible();
    show();
    if (!anchor.isEmpty()) browser_->scrollToAnchor(anchor);
    raise();
    activateWindow();
    return true;
}

}  // namespace tavrine::ui
