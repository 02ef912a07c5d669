// A small world for the map editor's tests: the test library, a map drawn in
// characters, the run-time state and a context over them, and readable views of
// edge pieces and wall frames.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "sim/context.h"
#include "state/random.h"
#include "support/test_world.h"

namespace tavrine::test {

struct EditorWorld {
    explicit EditorWorld(const std::vector<std::string>& rows) : g(MakeMap(rows)) {}
    /// An all-water map of the given size.
    EditorWorld(int columns, int rows) : g(MakeMap(std::vector<std::string>(static_cast<std::size_t>(rows), std::string(static_cast<std::size_t>(columns), '~')))) {}

    ImageLibrary lib = MakeTestLibrary();
    GameType g;
    RunState run;
    Random rng{7};
    SimContext ctx{g, run, lib, rng};
};

/// Rows of the map showing each cell's edge piece ('0'..'9', 'a' for 10, 'b' for
/// 11) where its ground is in subgroup 2, '.' for land, '~' for water.
std::vector<std::string> PieceMap(const GameType& g);

/// Rows of the map showing wall frames of `kind` ('0'..'9', 'a' for 10), '#' for
/// any other object, '.' for none.
std::vector<std::string> WallMap(const GameType& g, int kind);

/// CheckInvariants, and beyond it: every footprint mark names an anchor cell
/// that holds an object, and every tank mark a tank. Empty when all hold.
std::string EditorInvariants(const GameType& g);

/// Runs `work` on a thread whose stack holds only `stackBytes`, so a walk that
/// recursed once per cell would overflow it. Returns false when no such thread
/// could be started.
bool RunOnSmallStack(const std::function<void()>& work, std::size_t stackBytes = 256 * 1024);

/// The pixel at the centre of cell (x, y).
inline int CentreX(const GameType& g, int x) { return x * g.CellWidth + g.CellWidth / 2; }
inline int CentreY(const GameType& g, int y) { return y * g.CellHeight + g.CellHeight / 2; }

}  // namespace tavrine::test
