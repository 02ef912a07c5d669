#include "view/diagnostic_line.h"

namespace tavrine {

std::string DiagnosticLine(const GameType& g, const RunState& run, std::int32_t frameRate) {
    const std::int64_t rightEdge = std::int64_t{run.DisplayWidth} + g.ViewX - 1;
    std::string line = "FPS: " + std::to_string(frameRate) + "  " + std::to_string(run.DisplayWidth) + "X" +
                       std::to_string(run.DisplayHeight);
    line += " " + std::to_string(run.DisplayBits) + " " + std::to_string(g.Orders.size()) + " " +
            std::to_string(run.MouseMapX) + " " + std::to_string(rightEdge) + " " + std::to_string(g.MapWidth);
    if (!run.Dragging) line += " Down";
    return line;
}

void DrawDiagnosticLine(const GameType& g, const RunState& run, Canvas& canvas, std::int32_t frameRate) {
    if (!run.EditMode) return;
    canvas.TextOut(0, 0, DiagnosticLine(g, run, frameRate));
}

}  // namespace tavrine
