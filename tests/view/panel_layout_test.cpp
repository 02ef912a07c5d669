// Which control of the status bar, the game menu and the minimap panel lies
// under a surface pixel.
#include "view/panel_layout.h"

#include <gtest/gtest.h>

#include "support/placed_panels.h"
#include "view/panels.h"

namespace tavrine {
namespace {

using test::PlacedPanels;

TEST(PanelLayoutTest, ThePartUnderEachPoint) {
    const PanelState p = PlacedPanels();
    // The bar spans x 1..798, y 575..598, its buttons "Menu" 2..57, minimap
    // 738..761 and zoom 764..787 (bar pixels); the menu x 1..132 above it, its
    // entries 22 pixels high from 4 below its top; the minimap panel x 635..798.
    // "Load Game" to "Exit" lie where they lay when they were the menu's only
    // entries (from 457 + 4 down), the newer three above them.
    ASSERT_EQ(StatusBarRect(p), (PanelRect{1, 575, 798, 24}));
    ASSERT_EQ(MenuRect(p), (PanelRect{1, 391, 132, 184}));
    const struct {
        std::int32_t x, y;
        PanelPart part;
    } cases[] = {
        {1 + 2, 575 + 2, PanelPart::MenuButton},      {1 + 57, 575 + 21, PanelPart::MenuButton},
        {1 + 58, 575 + 2, PanelPart::StatusBar},      {1 + 300, 575 + 10, PanelPart::StatusBar},
        {1 + 764, 575 + 10, PanelPart::ZoomButton},   {1 + 787, 575 + 10, PanelPart::ZoomButton},
        {1 + 788, 575 + 10, PanelPart::StatusBar},    {1 + 738, 575 + 10, PanelPart::MinimapButton},
        {1 + 761, 575 + 10, PanelPart::MinimapButton}, {1 + 762, 575 + 10, PanelPart::StatusBar},
        {635 + 10, 451 + 10, PanelPart::Minimap},     {635, 451, PanelPart::MinimapBorder},
        {635 + 2, 451 + 2, PanelPart::Minimap},       {798, 574, PanelPart::MinimapBorder},
        {40, 391 + 3, PanelPart::Menu},               {40, 391 + 4, PanelPart::CampaignItem},
        {40, 391 + 26, PanelPart::SkirmishItem},      {40, 457 + 3, PanelPart::QuickItem},
        {40, 457 + 4, PanelPart::LoadItem},
        {40, 457 + 25, PanelPart::LoadItem},          {40, 457 + 26, PanelPart::SaveItem},
        {40, 457 + 48, PanelPart::ControlItem},       {40, 457 + 70, PanelPart::InfoItem},
        {132, 457 + 92, PanelPart::ExitItem},         {40, 457 + 114, PanelPart::Menu},
        {133, 457 + 50, PanelPart::None},             {400, 300, PanelPart::None},
        {0, 590, PanelPart::None},                    {1, 599, PanelPart::None},
    };
    for (const auto& c : cases) EXPECT_EQ(PanelHitTest(p, c.x, c.y), c.part) << "at " << c.x << ", " << c.y;
}

TEST(PanelLayoutTest, HiddenPanelsAreNotHitAndTheButtonsFollowTheBarsWidth) {
    PanelState p = PlacedPanels();
    p.StatusBarShown = false;
    EXPECT_EQ(PanelHitTest(p, 1 + 10, 575 + 10), PanelPart::None);
    p.MenuShown = false;
    EXPECT_EQ(PanelHitTest(p, 40, 457 + 10), PanelPart::None);
    p.MinimapVisible = false;
    EXPECT_EQ(PanelHitTest(p, 635 + 10, 451 + 10), PanelPart::None);

    PlacePanels(p, 1024, 768);
    EXPECT_EQ(ZoomButtonRect(p), (PanelRect{1022 - 10 - 24, 2, 24, 20}));
    EXPECT_EQ(MinimapButtonRect(p), (PanelRect{1022 - 10 - 24 - 2 - 24, 2, 24, 20}));
}

TEST(PanelLayoutTest, AReplaysShorterMenuHoldsTheOlderEntriesInTheirPlaces) {
    PanelState p = PlacedPanels();
    p.MenuHeight = 118;
    p.MenuTop = p.StatusBarTop - p.MenuHeight;
    EXPECT_EQ(PanelHitTest(p, 40, 457 + 3), PanelPart::Menu);
    EXPECT_EQ(PanelHitTest(p, 40, 457 + 4), PanelPart::LoadItem);
    EXPECT_EQ(PanelHitTest(p, 40, 457 + 92), PanelPart::ExitItem);
    EXPECT_EQ(PanelHitTest(p, 40, 440), PanelPart::None);
}

TEST(PanelLayoutTest, EveryMenuItemIsItsEntry) {
    for (const PanelPart item : kMenuItems) EXPECT_EQ(MenuItemOf(*MenuEntryOf(item)), item);
    EXPECT_EQ(MenuEntryOf(PanelPart::Menu), std::nullopt);
    EXPECT_EQ(MenuEntryOf(PanelPart::MenuButton), std::nullopt);
    EXPECT_STREQ(MenuEntryText(MenuLabel::GameControl), "Game Control");
}

}  // namespace
}  // namespace tavrine
