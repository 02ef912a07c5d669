// The panels over the battlefield, drawn into the picture the player sees: the
// status bar (MenuPanel) with the "Menu" button, the time and money labels and
// the minimap and zoom buttons; the drop-down game menu; and the minimap panel.
// The engine moves them (ViewState::Panels) and says which control lies where
// (view/panel_layout.h); this draws them there.
#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QString>

#include <array>
#include <string>

#include "view/menu.h"
#include "view/panel_layout.h"
#include "view/view_state.h"

class QPainter;

namespace tavrine::ui {

/// A panel rectangle as Qt's.
inline QRect ToQRect(const PanelRect& r) { return {r.Left, r.Top, r.Width, r.Height}; }

/// The grey of a row of the panels' gradient backgrounds, from white at the top:
/// the status bar runs 245, 235, ... 135 and stays at 125 from row 12 on; the
/// game menu runs 254, 254, 253, 253, ... and stops falling at 1.
int StatusBarShade(int row);
int MenuShade(int row);

class GamePanels {
public:
    /// Icons for the menu entries from the program folder's pictures; entries
    /// without a picture get one drawn here.
    void LoadIcons(const std::string& programFolder);

    /// The texts of the time and money labels.
    void SetLabels(const QString& time, const QString& money);
    QString MoneyText() const { return money_; }
    /// A button being held down is drawn pressed until the mouse lets go.
    void SetPressed(PanelPart button) { pressed_ = button; }

    /// Paints the panels that are shown where `panels` places them, in surface
    /// pixels: the menu and the minimap first, the status bar over them.
    /// The menu's entries are written in the colours `labels` gives them.
    void Paint(QPainter& p, const PanelState& panels, const MinimapPicture& minimap, const MenuLabels& labels) const;

private:
    void PaintStatusBar(QPainter& p, const PanelState& panels) const;
    void PaintMenu(QPainter& p, const PanelState& panels, const MenuLabels& labels) const;
    void PaintMinimap(QPainter& p, const PanelState& panels, const MinimapPicture& minimap) const;
    void PaintButton(QPainter& p, const QRect& r, bool down, PanelPart which) const;

    std::array<QPixmap, kMenuItemCount> icons_;
    QString time_ = QStringLiteral("Time");
    QString money_ = QStringLiteral("$ ____");
    PanelPart pressed_ = PanelPart::None;
};

}  // namespace tavrine::ui
