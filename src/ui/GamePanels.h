// The panels over the battlefield, drawn into the picture the player sees: the
// status bar (MenuPanel) with the "Menu" button, the time and money labels and
// the minimap and zoom buttons; the drop-down game menu; and the minimap panel.
// The engine moves them (ViewState::Panels); this draws them where they are and
// says what lies under a point.
#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QString>

#include <array>
#include <string>

#include "view/menu.h"
#include "view/view_state.h"

class QPainter;

namespace tavrine::ui {

/// The status bar's height and the game menu's size, in surface pixels.
inline constexpr int kStatusBarHeight = 24;
inline constexpr int kMenuWidth = 132;
inline constexpr int kMenuItemHeight = 22;
inline constexpr int kMenuItemCount = 5;
inline constexpr int kMenuHeight = kMenuItemCount * kMenuItemHeight + 8;

/// What lies under a point of the surface, topmost first.
enum class PanelPart {
    None,           ///< the battlefield
    StatusBar,      ///< the status bar's background or labels
    MenuButton,     ///< "Menu" (SpeedButton1)
    MinimapButton,  ///< SpeedButton2
    ZoomButton,     ///< SpeedButton3
    Minimap,        ///< the minimap picture
    MinimapBorder,  ///< the minimap panel's border
    Menu,           ///< the game menu between its items
    LoadItem,       ///< "Load Game" (Label5 and its icon)
    SaveItem,       ///< "Save Game" (Label6)
    ControlItem,    ///< "Game Control" (Label7)
    InfoItem,       ///< "Information" (Label9)
    ExitItem,       ///< "Exit" (Label10)
};

/// The game menu's entries, top to bottom.
inline constexpr std::array<PanelPart, kMenuItemCount> kMenuItems = {
    PanelPart::LoadItem, PanelPart::SaveItem, PanelPart::ControlItem, PanelPart::InfoItem, PanelPart::ExitItem};
QString MenuItemText(PanelPart item);
bool IsMenuItem(PanelPart part);

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

    /// Whether the status bar and game menu are shown at all (hidden at start-up
    /// in play until the first load).
    bool statusBarShown = true;
    bool menuShown = true;

    /// Paints the panels where `panels` places them, in surface pixels: the menu
    /// and the minimap first, the status bar over them.
    /// The menu's entries are written in the colours `labels` gives them.
    void Paint(QPainter& p, const PanelState& panels, const MinimapPicture& minimap, const MenuLabels& labels) const;

    /// The part under surface point (x, y).
    PanelPart HitTest(const PanelState& panels, int x, int y) const;

    /// Where the buttons sit inside the status bar (status bar pixels).
    static QRect MenuButtonRect();
    static QRect ZoomButtonRect(const PanelState& panels);
    static QRect MinimapButtonRect(const PanelState& panels);
    static QRect StatusBarRect(const PanelState& panels);
    static QRect MenuRect(const PanelState& panels);
    static QRect MinimapPanelRect(const PanelState& panels);

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
