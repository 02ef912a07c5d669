#include "view/diagnostic_line.h"

namespace tavrine {

std::string DiagnosticLine(const GameType& g, const RunState& run, std::int32_t frameRate) {
    const std::int64_t rightEdge = std::int64_t{run.DisplayWidth} + g.ViewX - 1;
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) about the
    // inlined copies of " " + std::to_string(...) in optimised builds.
    std::string line = "FPS: ";
    const auto add = [&line](const char* before, const std::string& number) {
        line += before;
        line += number;
    };
    add("", std::to_string(frameRate));
    add("  ", std::to_string(run.DisplayWidth));
    add("X", std::to_string(run.DisplayHeight));
    add(" ", std::to_string(run.DisplayBits));
    add(" ", std::to_string(g.Orders.size()));
    add(" ", std::to_string(run.MouseMapX));
    add(" ", std::to_string(rightEdge));
    add(" ", std::to_string(g.MapWidth));
    if (!run.Dragging) line += " Down";
    return line;
}

void DrawDiagnosticLine(const GameType& g, const RunState& run, Canvas& canvas, std::int32_t frameRate) {
    if (!run.EditMode) return;
    canvas.TextOut(0, 0, DiagnosticLine(g, run, frameRate));
}

}  // namespace tavrine
