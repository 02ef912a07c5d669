// The game record as JSON, for the headless tool's reports.
#pragma once

#include <string>

#include "data/json_writer.h"
#include "state/records.h"

namespace tavrine {

/// Writes every field of the record, by its own name, as members of the object
/// `w` has open, so a caller can add members of its own (such as the run-time
/// state) before closing it. `Cells` is an array of columns, each an array of
/// cells; every `ImageRef` is written as [Group, Subgroup, List, Frame]; a cell's
/// `Object` is an object or null; a cell's `Waves` holds one entry per order.
void WriteGameFields(JsonWriter& w, const GameType& g);

/// The whole record as one JSON object on one line.
std::string GameToJson(const GameType& g);

}  // namespace tavrine
