#include "view/panel_layout.h"

namespace tavrine {

namespace {

constexpr std::int32_t kButtonTop = 2;
constexpr std::int32_t kButtonHeight = kStatusBarHeight - 4;
constexpr std::int32_t kMenuButtonWidth = 56;
constexpr std::int32_t kSmallButtonWidth = 24;

}  // namespace

std::optional<MenuLabel> MenuEntryOf(PanelPart part) {
    switch (part) {
        case PanelPart::LoadItem: return MenuLabel::LoadGame;
        case PanelPart::SaveItem: return MenuLabel::SaveGame;
        case PanelPart::ControlItem: return MenuLabel::GameControl;
        case PanelPart::InfoItem: return MenuLabel::Information;
        case PanelPart::ExitItem: return MenuLabel::Exit;
        case PanelPart::CampaignItem: return MenuLabel::Campaign;
        case PanelPart::SkirmishItem: return MenuLabel::Skirmish;
        case PanelPart::QuickItem: return MenuLabel::QuickSkirmish;
        default: return std::nullopt;
    }
}

PanelPart MenuItemOf(MenuLabel entry) {
    for (const PanelPart item : kMenuItems)
        if (MenuEntryOf(item) == entry) return item;
    return PanelPart::None;
}

const char* MenuEntryText(MenuLabel entry) {
    switch (entry) {
        case MenuLabel::LoadGame: return "Load Game";
        case MenuLabel::SaveGame: return "Save Game";
        case MenuLabel::GameControl: return "Game Control";
        case MenuLabel::Information: return "Information";
        case MenuLabel::Exit: return "Exit";
        case MenuLabel::Campaign: return "Campaign";
        case MenuLabel::Skirmish: return "Skirmish";
        case MenuLabel::QuickSkirmish: return "Quick Skirmish";
    }
    return "";
}

PanelRect StatusBarRect(const PanelState& panels) {
    return {panels.StatusBarLeft, panels.StatusBarTop, panels.StatusBarWidth, panels.StatusBarHeight};
}

PanelRect MenuRect(const PanelState& panels) {
    return {panels.StatusBarLeft, panels.MenuTop, kMenuWidth * panels.Scale, panels.MenuHeight};
}

PanelRect MinimapPanelRect(const PanelState& panels) {
    return {panels.MinimapLeft, panels.MinimapTop, panels.MinimapWidth, panels.MinimapHeight};
}

PanelRect MinimapPictureRect(const PanelState& panels) {
    return {panels.MinimapLeft + kMinimapBorder, panels.MinimapTop + kMinimapBorder, panels.MinimapWidth - 2 * kMinimapBorder,
            panels.MinimapHeight - 2 * kMinimapBorder};
}

PanelRect MenuItemRect(const PanelState& panels, std::int32_t index) {
    const PanelRect menu = MenuRect(panels);
    const std::int32_t s = panels.Scale;
    const std::int32_t bottom = menu.Top + menu.Height - kMenuItemsTop * s;
    return {menu.Left, bottom - (kMenuItemCount - index) * kMenuItemHeight * s, menu.Width, kMenuItemHeight * s};
}

PanelRect MenuButtonRect(const PanelState& panels) {
    const std::int32_t s = panels.Scale;
    return {2 * s, kButtonTop * s, kMenuButtonWidth * s, kButtonHeight * s};
}

PanelRect ZoomButtonRect(const PanelState& panels) {
    const std::int32_t s = panels.Scale;
    return {panels.StatusBarWidth - (kSmallButtonWidth + 10) * s, kButtonTop * s, kSmallButtonWidth * s, kButtonHeight * s};
}

PanelRect MinimapButtonRect(const PanelState& panels) {
    const std::int32_t s = panels.Scale;
    return {ZoomButtonRect(panels).Left - (2 + kSmallButtonWidth) * s, kButtonTop * s, kSmallButtonWidth * s,
            kButtonHeight * s};
}

std::int32_t InterfaceScaleFor(std::int32_t setting, std::int32_t surfaceHeight, double devicePixelRatio) {
    if (setting == 1 || setting == 2) return setting;
    return surfaceHeight > kLargeInterfaceHeight || devicePixelRatio >= 2.0 ? 2 : 1;
}

void SetInterfaceScale(PanelState& panels, std::int32_t scale) {
    if (scale != 1 && scale != 2) scale = 1;
    if (scale == panels.Scale) return;
    panels.StatusBarHeight = panels.StatusBarHeight / panels.Scale * scale;
    panels.MenuHeight = panels.MenuHeight / panels.Scale * scale;
    panels.Scale = scale;
}

PanelPart PanelHitTest(const PanelState& panels, std::int32_t x, std::int32_t y) {
    const PanelRect bar = StatusBarRect(panels);
    if (panels.StatusBarShown && bar.Contains(x, y)) {
        const std::int32_t bx = x - bar.Left, by = y - bar.Top;
        if (MenuButtonRect(panels).Contains(bx, by)) return PanelPart::MenuButton;
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
        for (std::int32_t i = 0; i < kMenuItemCount; ++i) {
            const PanelRect item = MenuItemRect(panels, i);
            // An entry that does not fit into a shorter menu is not there.
            if (item.Top >= menu.Top && item.Contains(x, y)) return kMenuItems[static_cast<std::size_t>(i)];
        }
        return PanelPart::Menu;
    }
    return PanelPart::None;
}

}  // namespace tavrine
