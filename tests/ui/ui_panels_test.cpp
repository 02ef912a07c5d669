// The status bar, the game menu and the minimap panel as they are drawn over
// the battlefield: their gradients, the minimap and the hover colour.
#include <algorithm>

#include <QPainter>
#include <QTest>

#include "support/placed_panels.h"
#include "ui/GamePanels.h"
#include "ui_suites.h"
#include "view/panels.h"

namespace tavrine::test {

using ui::GamePanels;

class PanelsTest final : public QObject {
    Q_OBJECT

private slots:
    void TheGradientsRunAsTheGameDrawsThem() {
        const int bar[] = {245, 235, 225, 215, 205, 195, 185, 175, 165, 155, 145, 135, 125, 125};
        for (int row = 0; row < 14; ++row) QCOMPARE(ui::StatusBarShade(row), bar[row]);
        QCOMPARE(ui::MenuShade(0), 254);
        QCOMPARE(ui::MenuShade(1), 254);
        QCOMPARE(ui::MenuShade(2), 253);
        QCOMPARE(ui::MenuShade(600), 1);
    }

    void PaintingShowsTheGradientTheMinimapAndTheHoverColour() {
        GamePanels panels;
        const PanelState p = PlacedPanels();
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
        const QRect bar = ui::ToQRect(StatusBarRect(p));
        for (int row = 1; row < 14; ++row)
            QCOMPARE(qGray(surface.pixel(bar.left() + 62, bar.top() + row)), ui::StatusBarShade(row));
        QCOMPARE(surface.pixel(p.MinimapLeft + 2, p.MinimapTop + 2), 0xFF123456u);
        QCOMPARE(surface.pixel(p.MinimapLeft + 161, p.MinimapTop + 121), 0xFF123456u);

        // The hovered entry is written in blue, the others in black.
        const QRect menu = ui::ToQRect(MenuRect(p));
        const auto blueIn = [&](int item) {
            int blue = 0;
            const int top = menu.top() + 4 + item * kMenuItemHeight;
            for (int y = top; y < top + kMenuItemHeight; ++y)
                for (int x = menu.left() + 32; x < menu.right(); ++x) {
                    const QColor c = surface.pixelColor(x, y);
                    blue += c.blue() > 150 && c.red() < 80 && c.green() < 80;
                }
            return blue;
        };
        const int info = static_cast<int>(std::find(kMenuItems.begin(), kMenuItems.end(), PanelPart::InfoItem) - kMenuItems.begin());
        QVERIFY(blueIn(info) > 10);
        QCOMPARE(blueIn(0), 0);
    }
};

TAVRINE_UI_SUITE(PanelsTest);

}  // namespace tavrine::test

#include "ui_panels_test.moc"
