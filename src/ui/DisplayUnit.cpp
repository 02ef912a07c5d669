#include "ui/DisplayUnit.h"

#include <QComboBox>
#include <QScreen>

#include "ui/UiCommon.h"

namespace tavrine::ui {

std::vector<DisplayMode> ScreenDisplayModes(const QScreen* screen) {
    std::vector<DisplayMode> modes;
    if (!screen) return modes;
    const QSize size = screen->geometry().size();
    for (const DisplayModeRow& row : kDisplayModes)
        if (row.Mode.Width <= size.width() && row.Mode.Height <= size.height()) modes.push_back(row.Mode);
    return modes;
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
