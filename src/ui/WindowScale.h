// The game's dialogs and the editor's windows at the interface scale: laid out
// for one size in fixed pixels, they are enlarged as a whole (places, sizes and
// fonts) when the interface is drawn at twice its size, shrunk back when it
// returns to its own size, and kept on the screen.
#pragma once

#include <QObject>

class QWidget;

namespace tavrine::ui {

/// Watches every window the program opens (but the game's own and pop-ups)
/// and, each time one is shown, brings it to `Scale()` times its own size and
/// moves it fully onto its screen.
class WindowScale final : public QObject {
public:
    explicit WindowScale(QObject* parent = nullptr);

    /// 1 or 2; the windows on the screen follow at once, the others when they
    /// are shown next.
    void SetScale(int scale);
    int Scale() const { return scale_; }

    /// Enlarges `window` and its children `scale` times: geometry, fixed and
    /// minimum sizes and fonts given explicitly.
    static void Enlarge(QWidget& window, int scale) { Rescale(window, 1, scale); }
    /// Brings `window` and its children from `from` times their own size to
    /// `to` times it.
    static void Rescale(QWidget& window, int from, int to);
    /// How many times its own size `window` is shown at (1 until it is scaled),
    /// for what draws itself in fixed pixels.
    static int ScaleOf(const QWidget& window);
    /// Moves `window` so all of it lies on its screen's free area.
    static void KeepOnScreen(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// Brings a window of the program to the current scale, if it is one this
    /// watches and it is not there yet.
    void Follow(QWidget& window) const;

private:
    int scale_ = 1;
};

}  // namespace tavrine::ui
