// Which control of the status bar, the game menu and the minimap panel lies
// under which surface pixel. The desktop window paints the panels and takes the
// mouse by these rectangles; the headless tool names the same menu entries.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "view/menu.h"
#include "view/view_state.h"

namespace tavrine {

/// The status bar's height and the game menu's size, in surface pixels.
inline constexpr std::int32_t kStatusBarHeight = 24;
inline constexpr std::int32_t kMenuWidth = 132;
inline constexpr std::int32_t kMenuItemHeight = 22;
inline constexpr std::int32_t kMenuItemCount = 8;
/// The margin above the first entry and below the last.
inline constexpr std::int32_t kMenuItemsTop = 4;
inline constexpr std::int32_t kMenuHeight = kMenuItemCount * kMenuItemHeight + 8;

/// A rectangle of pixels: `Width` by `Height` from (`Left`, `Top`).
struct PanelRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;

    bool Contains(std::int32_t x, std::int32_t y) const {
        return x >= Left && y >= Top && x - Left < Width && y - Top < Height;
    }
    friend bool operator==(const PanelRect&, const PanelRect&) = default;
};

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
    CampaignItem,   ///< "Campaign"
    SkirmishItem,   ///< "Skirmish"
    QuickItem,      ///< "Quick Skirmish"
};

/// The game menu's entries, top to bottom. The menu rises from the status bar,
/// so its entries are placed from its bottom edge: the newer entries sit above
/// "Load Game", and the five older ones keep the places they always had.
inline constexpr std::array<PanelPart, kMenuItemCount> kMenuItems = {
    PanelPart::CampaignItem, PanelPart::SkirmishItem, PanelPart::QuickItem, PanelPart::LoadItem,
    PanelPart::SaveItem,     PanelPart::ControlItem,  PanelPart::InfoItem,  PanelPart::ExitItem};

/// The menu entry of a game menu item; nothing for any other part.
std::optional<MenuLabel> MenuEntryOf(PanelPart part);
/// The game menu item of an entry.
PanelPart MenuItemOf(MenuLabel entry);
/// The entry's text: "Load Game", "Save Game", "Game Control", "Information",
/// "Exit", "Campaign", "Skirmish", "Quick Skirmish".
const char* MenuEntryText(MenuLabel entry);

/// The panels in surface pixels; the menu and its entries, and the buttons,
/// are their sizes times the interface scale.
PanelRect StatusBarRect(const PanelState& panels);
PanelRect MenuRect(const PanelState& panels);
PanelRect MinimapPanelRect(const PanelState& panels);
/// The minimap picture inside the panel's border: its top-left corner is the
/// picture's pixel (0, 0), where presses on the minimap are measured from.
PanelRect MinimapPictureRect(const PanelState& panels);
/// Entry `index` (0 to kMenuItemCount - 1, top to bottom) of the game menu,
/// surface pixels, counted up from the menu's bottom edge: in a menu shorter
/// than all entries (a replay recorded when it had fewer) the top ones fall
/// outside it and are not hit.
PanelRect MenuItemRect(const PanelState& panels, std::int32_t index);

/// The buttons, in status bar pixels: "Menu" at the left, the zoom button 10
/// pixels from the right end and the minimap button 2 pixels left of it (all
/// of it times the interface scale).
PanelRect MenuButtonRect(const PanelState& panels);
PanelRect ZoomButtonRect(const PanelState& panels);
PanelRect MinimapButtonRect(const PanelState& panels);

/// Surfaces taller than this get the interface at twice its size when the
/// scale is automatic.
inline constexpr std::int32_t kLargeInterfaceHeight = 1200;

/// The interface scale for a setting of 1, 2 or automatic (anything else): 2
/// above kLargeInterfaceHeight or at a device pixel ratio of 2 or more.
std::int32_t InterfaceScaleFor(std::int32_t setting, std::int32_t surfaceHeight, double devicePixelRatio);

/// Sets the panels' scale, the status bar's and the menu's heights following it.
void SetInterfaceScale(PanelState& panels, std::int32_t scale);

/// The part under surface point (x, y): the status bar over the minimap panel
/// over the game menu; hidden panels are not hit.
PanelPart PanelHitTest(const PanelState& panels, std::int32_t x, std::int32_t y);

}  // namespace tavrine
