#include "editor_world.h"

#include <pthread.h>

#include "sim/grid.h"
#include "state/invariants.h"

namespace tavrine::test {

namespace {
char Digit(int v) { return v >= 0 && v < 10 ? static_cast<char>('0' + v) : (v >= 10 && v < 36 ? static_cast<char>('a' + v - 10) : '?'); }
}  // namespace

std::vector<std::string> PieceMap(const GameType& g) {
    std::vector<std::string> rows(static_cast<std::size_t>(g.Rows), std::string(static_cast<std::size_t>(g.Columns), ' '));
    for (int y = 0; y < g.Rows; ++y)
        for (int x = 0; x < g.Columns; ++x) {
            const ImageRef& ground = g.Cell(x, y).Ground;
            char& ch = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            ch = ground.Subgroup == 2 ? Digit(ground.Frame) : (ground.Subgroup == 1 ? '.' : '~');
        }
    return rows;
}

std::vector<std::string> WallMap(const GameType& g, int kind) {
    std::vector<std::string> rows(static_cast<std::size_t>(g.Rows), std::string(static_cast<std::size_t>(g.Columns), '.'));
    for (int y = 0; y < g.Rows; ++y)
        for (int x = 0; x < g.Columns; ++x) {
            const GameCellObjectType* o = g.Cell(x, y).Object.get();
            if (!o) continue;
            const bool wall = o->Image.Group == KindDecoration && o->Image.Subgroup == kind;
            rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = wall ? Digit(o->Image.Frame) : '#';
        }
    return rows;
}

std::string EditorInvariants(const GameType& g) {
    std::string broken = CheckInvariants(g);
    if (!broken.empty()) return broken;
    for (int x = 0; x < g.Columns; ++x)
        for (int y = 0; y < g.Rows; ++y) {
            const GameCellType& c = g.Cell(x, y);
            const std::string at = "cell (" + std::to_string(x) + ", " + std::to_string(y) + "): ";
            if (c.Occupancy == CellObject && !ObjectAt(g, c.Occupant)) return at + "footprint mark names an anchor without object";
            if (c.Occupancy == CellTank && !TankAt(g, c.Occupant)) return at + "tank mark names no tank";
        }
    return {};
}

bool RunOnSmallStack(const std::function<void()>& work, std::size_t stackBytes) {
    pthread_attr_t attr;
    if (pthread_attr_init(&attr) != 0) return false;
    pthread_attr_setstacksize(&attr, stackBytes);
    pthread_t thread;
    const auto body = [](void* arg) -> void* {
        (*static_cast<const std::function<void()>*>(arg))();
        return nullptr;
    };
    const bool started = pthread_create(&thread, &attr, body, const_cast<std::function<void()>*>(&work)) == 0;
    pthread_attr_destroy(&attr);
    if (started) pthread_join(thread, nullptr);
    return started;
}

}  // namespace tavrine::test
