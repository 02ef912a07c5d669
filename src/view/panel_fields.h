// The description of the panels' fields (see state/field_table.h): which ones a
// replay carries into the battle it plays back.
#pragma once

#include <span>

#include "state/field_table.h"
#include "view/view_state.h"

namespace tavrine {

std::span<const FieldDescription<PanelState>> PanelStateFields();

}  // namespace tavrine
