#include "ui/DisplayUnit.h"

#include <QComboBox>
#include <QScreen>

#include "ui/UiCommon.h"

namespace tavrine::ui {

std::vector<DisplayMode> ScreenDisplayModes(const QScreen* screen) {
    std::vector<DisplayMode> modes;
    if (!screen) return modes;
    // The screen's size in device pixels: a surface pixel is a pixel of the screen.
    const QSize size = screen->geometry().size() * screen->devicePixelRatio();
    return ModesForScreen(size.width(), size.height());
}

std::vector<std::int32_t> FillDisplayList(QComboBox& list, const std::vector<DisplayMode>& offered) {
    const std::vector<std::int32_t> numbers = OfferedModeNumbers(offered);
    list.clear();
    for (std::int32_t number : numbers) list.addItem(ToQString(ModeName(number)));
    list.setCurrentIndex(PreselectedEntry(numbers));
    return numbers;
}

std::int32_t SelectedModeNumber(const QComboBox& list) {
    if (list.currentIndex() < 0) return -1;
    return ModeNumberOfName(FromQString(list.currentText()));
}

}  // namespace tavrine::ui
