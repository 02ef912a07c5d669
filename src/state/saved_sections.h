// The sections a version 3 game file adds after the labels. A game with nothing
// for any section is written as version 2, byte for byte as before, so older
// builds still load it; a game with something to keep is written as version 3,
// which older builds refuse as another version instead of misreading it.
//
// After the labels, each section is
//   4 bytes   tag, four ASCII letters
//   int32     N, the payload's length in bytes
//   N bytes   payload
// until the end of the file. Sections are written in the order of
// `GameFileSections()`, each at most once. A reader skips a section whose tag it
// does not know, so a section added later does not make a file unreadable to a
// build that is otherwise of the same version; a known section must be read to
// its last byte.
#pragma once

#include <array>
#include <span>

#include "state/game_file_bytes.h"
#include "state/records.h"

namespace tavrine {

inline constexpr std::int32_t kExtendedGameVersion = 3;

struct GameFileSection {
    std::array<char, 4> Tag;
    /// Writes the section's payload; writes nothing when the game has nothing to
    /// keep in it, and the section is then left out of the file.
    void (*Write)(gamefile::Writer& w, const GameType& g);
    /// Reads the payload back into `g`; `r` ends where the payload ends. Runs
    /// after the lists are read, before the invariants are checked, so it may
    /// check references to tanks, orders and cells; malformed payloads `Fail`.
    void (*Read)(gamefile::Reader& r, GameType& g);
    /// The section keeps the battle itself; false for bookkeeping around it
    /// (statistics, the campaign's mission), which a replay's checksum leaves out.
    bool Battle = true;
};

/// Every section this build knows, in the order they are written.
std::span<const GameFileSection> GameFileSections();

/// Appends the sections `g` has something for (with `battleOnly`, only those
/// that keep the battle itself); true when any was written.
bool WriteGameSections(gamefile::Writer& w, const GameType& g, bool battleOnly = false);

/// Reads the sections that follow the labels of a version 3 file, to its end.
void ReadGameSections(gamefile::Reader& r, GameType& g);

}  // namespace tavrine
