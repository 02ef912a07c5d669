#include "plan_rows.h"

namespace tavrine::missions::testing {

TerrainPlan PlanFromRows(const Rows& rows) {
    TerrainPlan plan(static_cast<int>(rows.at(0).size()), static_cast<int>(rows.size()), Terrain::Land);
    for (int y = 0; y < plan.Rows(); ++y)
        for (int x = 0; x < plan.Columns(); ++x) {
            const char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            plan.Set(x, y, c == '~' ? Terrain::Water : c == '^' ? Terrain::Mountain : Terrain::Land);
        }
    return plan;
}

Rows RowsOfPlan(const TerrainPlan& plan) {
    Rows rows(static_cast<std::size_t>(plan.Rows()), std::string(static_cast<std::size_t>(plan.Columns()), '.'));
    for (int y = 0; y < plan.Rows(); ++y)
        for (int x = 0; x < plan.Columns(); ++x) {
            const Terrain t = plan.At(x, y);
            rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = t == Terrain::Water ? '~' : t == Terrain::Mountain ? '^' : '.';
        }
    return rows;
}

Rows GroundRows(const GameType& g) {
    Rows rows(static_cast<std::size_t>(g.Rows), std::string(static_cast<std::size_t>(g.Columns), '?'));
    for (int y = 0; y < g.Rows; ++y)
        for (int x = 0; x < g.Columns; ++x) {
            const ImageRef& r = g.Cell(x, y).Ground;
            char c = '?';
            if (r.Group == 0 && r.Subgroup == 0) c = '~';
            else if (r.Group == 0 && r.Subgroup == 1) c = '.';
            else if (r.Group == 0 && r.Subgroup == 2) c = r.List == 0 ? '^' : r.List == 1 ? 'c' : 'm';
            rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = c;
        }
    return rows;
}

}  // namespace tavrine::missions::testing
