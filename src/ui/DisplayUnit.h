// The display modes this screen can show, and the display lists of the start
// dialog and the game control dialog.
#pragma once

#include <vector>

#include "state/display_modes.h"

class QComboBox;
class QScreen;

namespace tavrine::ui {

/// The modes the screen offers, as the display driver would list them: every
/// mode of the table that fits on the screen (the game's picture is scaled up to
/// fill the screen, so a smaller mode is always possible), at 16 bits, in the
/// table's order. With no screen, nothing.
std::vector<DisplayMode> ScreenDisplayModes(const QScreen* screen);

/// Fills `list` with the names of the table's modes among `offered` (in their
/// order) and selects the one of highest preference; returns the mode numbers
/// of the entries in list order.
std::vector<std::int32_t> FillDisplayList(QComboBox& list, const std::vector<DisplayMode>& offered);

/// The mode number of the entry `list` shows selected, -1 with none.
std::int32_t SelectedModeNumber(const QComboBox& list);

}  // namespace tavrine::ui
