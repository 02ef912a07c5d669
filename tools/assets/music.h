// Music.mid: our own march for the battlefield, written as a Standard MIDI File
// (format 1) with General MIDI instruments. It runs about 100 seconds and ends
// quietly on the dominant, so that the restart on the tonic sounds like a
// continuation.
#pragma once

#include <cstdint>
#include <vector>

namespace tavrine::assets {

/// Ticks per quarter note of the file.
constexpr int kTicksPerQuarter = 480;
/// Beats per minute.
constexpr int kTempo = 104;
/// Bars of the piece (4/4).
constexpr int kBars = 44;

std::vector<std::uint8_t> ComposeMusic();

}  // namespace tavrine::assets
