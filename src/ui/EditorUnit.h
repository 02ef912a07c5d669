// The map editor's tool window ("Game Editor"): a small window without title-bar
// buttons that floats above the main window in the editing mode. Its toolbar
// latches one of the tools (land outline, mountain outline, fill land, fill
// mountain, the two walls, or none), shows the fog of war while its fog button is
// down, makes a new map through the New Game dialog and saves the map into
// NewGames as a prepared map. The mouse over the map does the painting; the main
// window hands its presses, moves and drops to the editor.
#pragma once

#include <QWidget>

#include <array>
#include <cstdint>

class QButtonGroup;
class QToolBar;
class QToolButton;

namespace tavrine::ui {

class TMainForm;
class TImageForm;

class TEditorForm final : public QWidget {
    Q_OBJECT
public:
    /// The client area the toolbar was laid out for.
    static constexpr int kClientWidth = 328;
    static constexpr int kClientHeight = 32;

    /// A window of `main` (it goes with it), not yet shown.
    explicit TEditorForm(TMainForm& main);

    /// The tool of the latched button: 0..5, or -1 when none of the six is down.
    std::int32_t CurrentTool() const;

    /// The new-map button: the New Game dialog, then an empty map on "OK".
    void ToolButton11Click();
    /// The save-map button: saves the map into NewGames under a picked name.
    void ToolButton12Click();

    QToolBar* ToolBar1 = nullptr;
    /// The tool buttons by tool number (0..5); `ToolButton9` is the "no tool"
    /// button of the same group.
    std::array<QToolButton*, 6> ToolButtons{};
    QToolButton* ToolButton9 = nullptr;
    /// The fog button (latching on its own).
    QToolButton* ToolButton8 = nullptr;
    /// The new-map button.
    QToolButton* ToolButton11 = nullptr;
    /// Saves the map as a prepared map.
    QToolButton* ToolButton12 = nullptr;
    QToolButton* GenerateButton = nullptr;  ///< "Generate...": a generated map, as one undo step
    QToolButton* CheckMapButton = nullptr;  ///< "Check Map": the map's fairness warnings

protected:
    /// Keys typed while the tool window has the focus go to the main window, so
    /// the editing mode's keys work whichever of the two was clicked last.
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void ForwardKey(QKeyEvent* event);
    void ToolChanged();
    void FogChanged(bool down);

    TMainForm& main_;
    QButtonGroup* tools_ = nullptr;
};

/// The two editor windows of a main window.
struct EditorWindows {
    TEditorForm* MapEditor = nullptr;
    TImageForm* ImageEditor = nullptr;
};

/// Makes the map editor and the image library editor of `main`, which live for
/// the whole run, and connects them to it: the editing mode shows the map editor
/// beside the main window, the S key opens the image library editor, and a
/// picture dragged from it and dropped on the map is placed by the editor.
EditorWindows MakeEditorWindows(TMainForm& main);

}  // namespace tavrine::ui
