#include "view/panel_layout.h"

namespace tavrine {

namespace {

constexpr std::int32_t kButtonTop = 2;
constexpr std::int32_t kButtonHeight = kStatusBarHeight - 4;
constexpr std::int32_t kMenuButtonWidth = 56;
constexpr std::int32_t kSmallButtonWidth = 24;

}  // namespace

std::optional<MenuLabel> MenuEntryOf(PanelPart part) {
    for (std::size_t i = 0; i < kMenuItems.size(); ++i)
        if (kMenuItems[i] == part) return static_cast<MenuLabel>(i);
    return std::nullopt;
}

const char* MenuEntryText(MenuLabel entry) {
    switch (entry) {
        case MenuLabel::LoadGame: return "Load Game";
        case MenuLabel::SaveGame: return "Save Game";
        case MenuLabel::GameControl: return "Game Control";
        case MenuLabel::Information: return "Information";
        case MenuLabel::Exit: return "Exit";
    }
    return "";
}

PanelRect StatusBarRect(const PanelState& panels) {
    return {panels.StatusBarLeft, panels.StatusBarTop, panels.StatusBarWidth, panels.StatusBarHeight};
}

PanelRect MenuRect(const PanelState& panels) { return {panels.StatusBarLeft, panels.MenuTop, kMenuWidth, panels.MenuHeight}; }

PanelRect MinimapPanelRect(const PanelState& panels) {
    return {panels.MinimapLeft, panels.MinimapTop, panels.MinimapWidth, panels.MinimapHeight};
}

PanelRect MinimapPictureRect(const PanelState& panels) {
    return {panels.MinimapLeft + kMinimapBorder, panels.MinimapTop + kMinimapBorder, panels.MinimapWidth - 2 * kMinimapBorder,
            panels.MinimapHeight - 2 * kMinimapBorder};
}

PanelRect MenuItemRect(const PanelState& panels, std::int32_t index) {
    const PanelRect menu = MenuRect(panels);
    return {menu.Left, menu.Top + kMenuItemsTop + index * kMenuItemHeight, menu.Width, kMenuItemHeight};
}

PanelRect MenuButtonRect() { return {2, kButtonTop, kMenuButtonWidth, kButtonHeight}; }

PanelRect ZoomButtonRect(const PanelState& panels) {
    return {panels.StatusBarWidth - kSmallButtonWidth - 10, kButtonTop, kSmallButtonWidth, kButtonHeight};
}

PanelRect MinimapButtonRect(const PanelState& panels) {
    return {ZoomButtonRect(panels).Left - 2 - kSmallButtonWidth, kButtonTop, kSmallButtonWidth, kButtonHeight};
}

PanelPart PanelHitTest(const PanelState& panels, std::int32_t x, std::int32_t y) {
    const PanelRect bar = StatusBarRect(panels);
    if (panels.StatusBarShown && bar.Contains(x, y)) {
        const std::int32_t bx = x - bar.Left, by = y - bar.Top;
        if (MenuButtonRect().Contains(bx, by)) return PanelPart::MenuButton;
        if (MinimapButtonRect(panels).Contains(bx, by)) return PanelPart::MinimapButton;
        if (ZoomButtonRect(panels).Contains(bx, by)) return PanelPart::ZoomButton;
        return PanelPart::StatusBar;
    }
    const PanelRect minimap = MinimapPanelRect(panels);
    if (panels.MinimapVisible && minimap.Contains(x, y)) {
        const PanelRect picture{minimap.Left + kMinimapBorder, minimap.Top + kMinimapBorder,
                                minimap.Width - 2 * kMinimapBorder, minimap.Height - 2 * kMinimapBorder};
        return picture.Contains(x, y) ? PanelPart::Minimap : PanelPart::MinimapBorder;
    }
    const PanelRect menu = MenuRect(panels);
    if (panels.MenuShown && menu.Contains(x, y)) {
        for (std::int32_t i = 0; i < kMenuItemCount; ++i)
            if (MenuItemRect(panels, i).Contains(x, y)) return kMenuItems[static_cast<std::size_t>(i)];
        return PanelPart::Menu;
    }
    return PanelPart::None;
}

}  // namespace tavrine
