#include "ui/QtHost.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>

#include "ui/UiCommon.h"

namespace tavrine::ui {

namespace {

QMessageBox::Icon ToIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error: return QMessageBox::Critical;
        case MessageIcon::Warning: return QMessageBox::Warning;
        case MessageIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QString QuestionCaption(const QString& question) {
    const QString first = question.trimmed().section(QLatin1Char(' '), 0, 0);
    return first.isEmpty() ? QStringLiteral("Tavrine") : first;
}

void QtHost::ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) {
    QMessageBox box(ToIcon(icon), ToQString(caption), ToQString(text), QMessageBox::Ok, owner_);
    box.exec();
}

bool QtHost::AskYesNo(const std::string& question) {
    const QString text = ToQString(question);
    QMessageBox box(QMessageBox::Question, QuestionCaption(text), text, QMessageBox::Yes | QMessageBox::No, owner_);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void QtHost::Sleep(int milliseconds) {
    ++sleeping_;
    if (milliseconds <= 0) {
        // Even a sleep of nothing lets the screen show the latest picture.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    } else {
        QEventLoop loop;
        QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    --sleeping_;
}

}  // namespace tavrine::ui
