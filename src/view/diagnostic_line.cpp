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

void DrawDiagnosticLine(const GameType& g, const RunState& run, Canvas& canvas, std::int32_t frameRate, std::int32_t bottom) {
    if (!run.EditMode) return;
    const std::string line = DiagnosticLine(g, run, frameRate);
    const std::int32_t y = bottom - canvas.TextHeight(line) - 2;
    canvas.SetBrush(Rgb{0, 0, 0}, BrushStyle::Clear);
    canvas.SetTextColor(Rgb{0, 0, 0});
    canvas.TextOut(3, y + 1, line);
    canvas.SetTextColor(kDiagnosticColor);
    canvas.TextOut(2, y, line);
}

}  // namespace tavrine
