// A small battle for the path-finding tests and benchmarks: a map, the test
// library, a random generator and the context the planning works in.
#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "sim/context.h"
#include "sim/orders.h"
#include "sim/passability.h"
#include "support/test_world.h"

namespace tavrine::test {

struct FloodWorld {
    explicit FloodWorld(const std::vector<std::string>& rows, std::uint64_t seed = 1)
        : Lib(MakeTestLibrary()), G(MakeMap(rows)), Rng(seed), Ctx{G, Run, Lib, Rng, nullptr, &Mirror} {}
    FloodWorld(const FloodWorld&) = delete;
    FloodWorld& operator=(const FloodWorld&) = delete;

    std::int32_t Wave(std::int32_t order, std::int32_t x, std::int32_t y) { return CellWaves(G, order, x, y); }

    /// The field of an order as rows of numbers separated by one space.
    std::vector<std::string> FieldRows(std::int32_t order) {
        std::vector<std::string> rows;
        for (std::int32_t y = 0; y < G.Rows; ++y) {
            std::ostringstream row;
            for (std::int32_t x = 0; x < G.Columns; ++x) row << (x ? " " : "") << Wave(order, x, y);
            rows.push_back(row.str());
        }
        return rows;
    }

    /// A route as "(x,y)" cells, next step first.
    std::string RouteText(std::int32_t tank) {
        std::string s;
        const auto& route = G.Tanks[static_cast<std::size_t>(tank)]->Route;
        for (auto it = route.rbegin(); it != route.rend(); ++it) {
            const CellXY c = CellOfIndex(G, *it);
            s += "(" + std::to_string(c.X) + "," + std::to_string(c.Y) + ")";
        }
        return s;
    }

    ImageLibrary Lib;
    GameType G;
    RunState Run;
    Random Rng;
    /// The ticks' mirror of the map, used while a test holds a PassabilityTick.
    PassabilityMirror Mirror;
    SimContext Ctx;
};

}  // namespace tavrine::test
