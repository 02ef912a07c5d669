// The window test classes, each made by its own file and run by main.cpp.
#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/UiCommon.h"

namespace tavrine::test {

struct UiSuite {
    const char* Name;
    std::function<std::unique_ptr<QObject>()> Make;
};

/// Every test class registered with `RegisterUiSuite`.
std::vector<UiSuite>& UiSuites();

/// Registers a test class at start-up; each file registers its own with `TAVRINE_UI_SUITE(T);`.
template <typename T>
bool RegisterUiSuite(const char* name) {
    UiSuites().push_back({name, [] { return std::unique_ptr<QObject>(new T); }});
    return true;
}
#define TAVRINE_UI_SUITE(T) static const bool registered##T = RegisterUiSuite<T>(#T)

/// A fresh temporary folder for one test, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& Path() const { return path_; }
    /// Writes `text` into the file `relative` below the folder (folders made as needed).
    void Write(const std::string& relative, const std::string& text) const;
    void MakeFolder(const std::string& relative) const;

private:
    std::string path_;
};

/// The generated program folder of the build (pictures, cursors, help, maps).
inline std::string BuildProgramFolder() { return TAVRINE_PROGRAM_DIR; }

/// Runs `action` once the event loop is entered (after `ms` milliseconds), for
/// driving modal dialogs from inside their exec().
void Later(int ms, std::function<void()> action);

}  // namespace tavrine::test
