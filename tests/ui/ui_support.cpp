#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>

#include "ui_suites.h"

namespace tavrine::test {

std::vector<UiSuite>& UiSuites() {
    static std::vector<UiSuite> suites;
    return suites;
}

TempFolder::TempFolder() {
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/tavrine-ui-XXXXXX"));
    // Without a folder of its own a test would write (and this object later
    // remove) relative to the working directory: stop the whole run instead.
    if (!dir.isValid() || dir.path().isEmpty() || !QFileInfo(dir.path()).isAbsolute())
        qFatal("no temporary folder for the test under %s: %s", qPrintable(QDir::tempPath()),
               qPrintable(dir.errorString()));
    dir.setAutoRemove(false);
    path_ = dir.path().toStdString();
}

TempFolder::~TempFolder() {
    if (!path_.empty() && QFileInfo(QString::fromStdString(path_)).isAbsolute())
        QDir(QString::fromStdString(path_)).removeRecursively();
}

void TempFolder::Write(const std::string& relative, const std::string& text) const {
    const QString path = QString::fromStdString(path_ + "/" + relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(text.data(), static_cast<qint64>(text.size()));
}

void TempFolder::MakeFolder(const std::string& relative) const {
    QDir().mkpath(QString::fromStdString(path_ + "/" + relative));
}

void Later(int ms, std::function<void()> action) { QTimer::singleShot(ms, std::move(action)); }

}  // namespace tavrine::test
