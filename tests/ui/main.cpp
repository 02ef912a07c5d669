// Runs the window tests offscreen: every test class, or the one named first on
// the command line (the rest goes to Qt Test).
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "ui_suites.h"

namespace {

/// A modal window that stays up this long has not been found by the test that
/// should answer it.
constexpr qint64 kModalPatienceMs = 10000;

/// Watches for a modal window nobody answers: it fails the running test and
/// closes the window, so that the test ends instead of waiting forever.
class ModalWatchdog {
public:
    ModalWatchdog() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Check(); });
        timer_.start(250);
    }

private:
    void Check() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != seen_) {
            seen_ = modal;
            since_.restart();
            return;
        }
        if (!modal || since_.elapsed() < kModalPatienceMs) return;
        const QByteArray message = "a modal " + QByteArray(modal->metaObject()->className()) +
                                   " was left open: the test did not find it to answer it";
        QTest::qFail(message.constData(), __FILE__, __LINE__);
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->done(QDialog::Rejected);
        else modal->close();
        seen_ = nullptr;
    }

    QTimer timer_;
    QPointer<QWidget> seen_;
    QElapsedTimer since_;
};

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        const QByteArray dir = "/tmp/tavrine-ui-tests-" + QByteArray::number(::getuid());
        ::mkdir(dir.constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
    QApplication app(argc, argv);
    QApplication::setFont(tavrine::ui::DialogFont());
    ModalWatchdog watchdog;

    const char* only = argc > 1 && argv[1][0] != '-' ? argv[1] : nullptr;
    // Qt Test sees the program name and the arguments after the suite's name.
    std::vector<char*> rest{argv[0]};
    for (int i = only ? 2 : 1; i < argc; ++i) rest.push_back(argv[i]);

    int failures = 0;
    bool ran = false;
    for (const auto& suite : tavrine::test::UiSuites()) {
        if (only && std::strcmp(only, suite.Name) != 0) continue;
        ran = true;
        std::unique_ptr<QObject> object = suite.Make();
        failures += QTest::qExec(object.get(), static_cast<int>(rest.size()), rest.data());
    }
    if (!ran) {
        std::fprintf(stderr, "no test class named %s\n", only ? only : "");
        return 2;
    }
    return failures == 0 ? 0 : 1;
}
