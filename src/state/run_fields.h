// The description of the run-time state's fields (see field_table.h): which ones a
// replay carries into the battle it plays back, and which `--json` reports.
#pragma once

#include <span>

#include "state/field_table.h"
#include "state/run_state.h"

namespace tavrine {

std::span<const FieldDescription<RunState>> RunStateFields();

}  // namespace tavrine
