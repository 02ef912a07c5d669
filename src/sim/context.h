// What the rules of the battle work on: the game record, the main window's
// run-time state, the library (picture sizes) and the game's random generator.
#pragma once

#include "data/library.h"
#include "state/random.h"
#include "state/records.h"
#include "state/run_state.h"

namespace tavrine {

class SoundEvents;         // platform/sound_events.h
struct PassabilityMirror;  // sim/passability.h

struct SimContext {
    GameType& G;
    RunState& Run;
    const ImageLibrary& Lib;
    Random& Rng;
    /// Where shots and explosions are heard; nullptr for silence.
    SoundEvents* Sound = nullptr;
    /// The ticks' mirror of the map, kept beside the record (not part of it);
    /// nullptr when the floods always read the map itself.
    PassabilityMirror* Passability = nullptr;
};

}  // namespace tavrine
