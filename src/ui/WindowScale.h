// The game's dialogs and the editor's windows at the interface scale: laid out
// for one size in fixed pixels, they are enlarged as a whole (places, sizes and
// fonts) when the interface is drawn at twice its size, and kept on the screen.
#pragma once

#include <QObject>

class QWidget;

namespace tavrine::ui {

/// Watches every window the program opens (but the game's own and pop-ups)
/// and, the first time one is shown, enlarges it `Scale()` times and moves it
/// fully onto its screen.
class WindowScale final : public QObject {
public:
    explicit WindowScale(QObject* parent = nullptr);

    /// 1 or 2; windows already enlarged keep their size.
    void SetScale(int scale);
    int Scale() const { return scale_; }

    /// Enlarges `window` and its children `scale` times: geometry, fixed and
    /// minimum sizes and fonts given explicitly.
    static void Enlarge(QWidget& window, int scale);
    /// Moves `window` so all of it lies on its screen's free area.
    static void KeepOnScreen(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int scale_ = 1;
};

}  // namespace tavrine::ui
