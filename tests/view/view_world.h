// A small world for the view tests: a map drawn in characters, the test library,
// the run-time state with an 800 x 600 surface, and a context over them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/cursors.h"
#include "sim/context.h"
#include "support/test_world.h"

namespace tavrine::test {

struct ViewWorld {
    explicit ViewWorld(const std::vector<std::string>& rows) : g(MakeMap(rows)), lib(MakeTestLibrary()) {}
    /// A map of plain land.
    ViewWorld(std::int32_t columns, std::int32_t rows)
        : ViewWorld(std::vector<std::string>(static_cast<std::size_t>(rows), std::string(static_cast<std::size_t>(columns), '.'))) {}

    SimContext Ctx() { return SimContext{g, run, lib, rng}; }

    /// Puts the mouse at a screen position.
    void MouseAtScreen(std::int32_t x, std::int32_t y) {
        run.MouseMapX = g.ViewX + x;
        run.MouseMapY = g.ViewY + y;
    }

    GameType g;
    RunState run;
    ImageLibrary lib;
    Random rng;
};

/// Remembers the cursors set, the last one first to hand.
struct CursorLog final : Cursors {
    void SetCursor(int number) override { shown.push_back(number); }
    int Last() const { return shown.empty() ? 0 : shown.back(); }
    std::vector<int> shown;
};

}  // namespace tavrine::test
