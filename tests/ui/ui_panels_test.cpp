// The status bar, the game menu and the minimap panel as they are drawn over
// the battlefield: their gradients, where their buttons sit, what a point hits.
#include <QPainter>
#include <QTest>

#include "ui/GamePanels.h"
#include "ui_suites.h"
#include "view/panels.h"

namespace tavrine::test {

using ui::GamePanels;
using ui::PanelPart;

class PanelsTest final : public QObject {
    Q_OBJECT

    /// An 800 x 600 surface with the status bar placed and the menu slid in.
    static PanelState Placed() {
        PanelState p;
        p.StatusBarHeight = ui::kStatusBarHeight;
        p.MenuHeight = ui::kMenuHeight;
        PlacePanels(p, 800, 600);
        p.MenuTop = p.StatusBarTop - p.MenuHeight;
        p.MinimapVisible = true;
        p.MinimapWidth = 160 + 4;
        p.MinimapHeight = 120 + 4;
        p.MinimapLeft = 800 - p.MinimapWidth - 1;
        p.MinimapTop = p.StatusBarTop - p.MinimapHeight;
        return p;
    }

private slots:
    void TheGradientsRunAsTheGameDrawsThem() {
        const int bar[] = {245, 235, 225, 215, 205, 195, 185, 175, 165, 155, 145, 135, 125, 125};
        for (int row = 0; row < 14; ++row) QCOMPARE(ui::StatusBarShade(row), bar[row]);
        QCOMPARE(ui::MenuShade(0), 254);
        QCOMPARE(ui::MenuShade(1), 254);
        QCOMPARE(ui::MenuShade(2), 253);
        QCOMPARE(ui::MenuShade(600), 1);
    }

    void TheRightHandButtonsFollowTheBarsWidth() {
        PanelState p = Placed();
        QCOMPARE(GamePanels::ZoomButtonRect(p).right() + 1, p.StatusBarWidth - 10);
        QCOMPARE(GamePanels::MinimapButtonRect(p).right() + 1 + 2, GamePanels::ZoomButtonRect(p).left());
        PlacePanels(p, 1024, 768);
        QCOMPARE(GamePanels::ZoomButtonRect(p).right() + 1, 1022 - 10);
    }

    void APointHitsTheTopmostPart() {
        GamePanels panels;
        const PanelState p = Placed();
        const QRect bar = GamePanels::StatusBarRect(p);
        const auto hit = [&](QPoint at) { return panels.HitTest(p, at.x(), at.y()); };
        QCOMPARE(hit(bar.topLeft() + GamePanels::MenuButtonRect().center()), PanelPart::MenuButton);
        QCOMPARE(hit(bar.topLeft() + GamePanels::ZoomButtonRect(p).center()), PanelPart::ZoomButton);
        QCOMPARE(hit(bar.topLeft() + GamePanels::MinimapButtonRect(p).center()), PanelPart::MinimapButton);
        QCOMPARE(hit(bar.topLeft() + QPoint(300, 10)), PanelPart::StatusBar);
        QCOMPARE(hit(QPoint(p.MinimapLeft + 10, p.MinimapTop + 10)), PanelPart::Minimap);
        QCOMPARE(hit(QPoint(p.MinimapLeft, p.MinimapTop)), PanelPart::MinimapBorder);
        const QRect menu = GamePanels::MenuRect(p);
        for (int i = 0; i < ui::kMenuItemCount; ++i)
            QCOMPARE(hit(QPoint(menu.left() + 40, menu.top() + 4 + i * ui::kMenuItemHeight + 5)),
                     ui::kMenuItems[static_cast<std::size_t>(i)]);
        QCOMPARE(hit(QPoint(400, 300)), PanelPart::None);

        // Hidden panels are not there to hit; the menu is under the bar.
        panels.statusBarShown = false;
        QCOMPARE(hit(bar.topLeft() + GamePanels::MenuButtonRect().center()), PanelPart::None);
        PanelState away = p;
        away.MenuTop = 601;
        away.MinimapVisible = false;
        panels.statusBarShown = true;
        QCOMPARE(panels.HitTest(away, p.MinimapLeft + 10, p.MinimapTop + 10), PanelPart::None);
    }

    void PaintingShowsTheGradientTheMinimapAndTheHoverColour() {
        GamePanels panels;
        const PanelState p = Placed();
        MinimapPicture minimap;
        minimap.Width = 160;
        minimap.Height = 120;
        minimap.Pixels.assign(160 * 120, 0xFF123456u);
        MenuLabels labels;
        labels.MouseEnter(MenuLabel::Information);

        QImage surface(800, 600, QImage::Format_ARGB32_Premultiplied);
        surface.fill(Qt::black);
        QPainter painter(&surface);
        panels.Paint(painter, p, minimap, labels);
        painter.end();

        // Between the Menu button and the time label: the bar's own gradient.
        const QRect bar = GamePanels::StatusBarRect(p);
        for (int row = 1; row < 14; ++row)
            QCOMPARE(qGray(surface.pixel(bar.left() + 62, bar.top() + row)), ui::StatusBarShade(row));
        QCOMPARE(surface.pixel(p.MinimapLeft + 2, p.MinimapTop + 2), 0xFF123456u);
        QCOMPARE(surface.pixel(p.MinimapLeft + 161, p.MinimapTop + 121), 0xFF123456u);

        // The hovered entry is written in blue, the others in black.
        const QRect menu = GamePanels::MenuRect(p);
        const auto blueIn = [&](int item) {
            int blue = 0;
            const int top = menu.top() + 4 + item * ui::kMenuItemHeight;
            for (int y = top; y < top + ui::kMenuItemHeight; ++y)
                for (int x = menu.left() + 32; x < menu.right(); ++x) {
                    const QColor c = surface.pixelColor(x, y);
                    blue += c.blue() > 150 && c.red() < 80 && c.green() < 80;
                }
            return blue;
        };
        QVERIFY(blueIn(3) > 10);
        QCOMPARE(blueIn(0), 0);
    }
};

static const bool registered = RegisterUiSuite<PanelsTest>("PanelsTest");

}  // namespace tavrine::test

#include "ui_panels_test.moc"
