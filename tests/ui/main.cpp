// Runs the window tests offscreen: every test class, or the one named first on
// the command line (the rest goes to Qt Test).
#include <QApplication>
#include <QDir>
#include <QTest>

#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "ui_suites.h"

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
