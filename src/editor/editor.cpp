#include "editor/editor.h"

#include "editor/fills.h"
#include "editor/path_tool.h"
#include "sim/passability.h"
#include "state/new_map.h"
#include "state/saved_game.h"

namespace tavrine {

namespace {

std::int32_t FloorDiv(std::int32_t a, std::int32_t b) { return a < 0 ? -1 - (-1 - a) / b : a / b; }

void DropTrace(RunState& run) {
    run.EditDrawing = 0;
    run.EditPoints.clear();
    run.EditTrack.clear();
}

}  // namespace

EditPoint CellAtMapPixel(const GameType& g, std::int32_t mapX, std::int32_t mapY) {
    if (g.CellWidth <= 0 || g.CellHeight <= 0) return {-1, -1};
    return {FloorDiv(mapX, g.CellWidth), FloorDiv(mapY, g.CellHeight)};
}

bool Editor::SetTool(std::int32_t tool) {
    if (tool < ToolNone || tool > ToolWall1) return false;
    tool_ = tool;
    return true;
}

template <typename Edit>
bool Editor::RecordEdit(SimContext& ctx, Edit&& edit) {
    Bytes before = SerializeGame(ctx.G);
    edit();
    // Edits change the map behind the rules' back (and a question asked first
    // may have let ticks run since the context was handed out).
    ForgetPassability(ctx);
    if (SerializeGame(ctx.G) == before) return false;
    history_.Record(std::move(before));
    return true;
}

void Editor::LeftPress(SimContext& ctx, Host& host, std::int32_t mapX, std::int32_t mapY) {
    const EditPoint cell = CellAtMapPixel(ctx.G, mapX, mapY);
    if (tool_ == ToolFillLand) {
        if (host.AskYesNo(kFillLandQuestion)) RecordEdit(ctx, [&] { FillLand(ctx.G, cell.X, cell.Y); });
    } else if (tool_ == ToolFillMountain) {
        if (host.AskYesNo(kFillMountainQuestion)) RecordEdit(ctx, [&] { FillMountain(ctx.G, cell.X, cell.Y); });
    } else if (IsLineTool(tool_)) {
        PressPathPoint(ctx.G, ctx.Run, cell);
    }
}

void Editor::RightPress(SimContext& ctx) {
    if (!ctx.Run.EditDrawing) return;
    ctx.Run.EditDrawing = 0;
    if (ctx.Run.EditPoints.size() >= 3 && IsLineTool(tool_)) RecordEdit(ctx, [&] { ApplyPath(ctx.G, ctx.Run, tool_); });
}

void Editor::MouseMove(SimContext& ctx, std::int32_t mapX, std::int32_t mapY) {
    if (!ctx.Run.EditDrawing) return;
    RebuildEditTrack(ctx.G, ctx.Run, tool_, CellAtMapPixel(ctx.G, mapX, mapY));
}

DropResult Editor::Drop(SimContext& ctx, const ImageRef& picture, std::int32_t mapX, std::int32_t mapY) {
    DropResult result = DropResult::Ignored;
    RecordEdit(ctx, [&] { result = DropPicture(ctx, picture, mapX, mapY); });
    return result;
}

bool Editor::MakeNewMap(SimContext& ctx, std::int32_t columns, std::int32_t rows, bool mapFlag, std::int32_t mission) {
    if (columns < 1 || rows < 1 || columns > kMaxNewMapSide || rows > kMaxNewMapSide || mission < 0 || mission > 5) return false;
    DropTrace(ctx.Run);
    RecordEdit(ctx, [&] { NewMap(ctx.G, ctx.Run, columns, rows, mapFlag ? 1 : 0, mission); });
    return true;
}

bool Editor::Restore(SimContext& ctx, const Bytes& target) {
    const bool parsed = ParseGame(target, ctx.G) == LoadResult::Ok;
    ForgetPassability(ctx);
    if (!parsed) return false;
    DropTrace(ctx.Run);
    ctx.Run.MinimapState = 0;
    return true;
}

bool Editor::TakeMap(SimContext& ctx, const Bytes& file) {
    Bytes before = SerializeGame(ctx.G);
    if (!Restore(ctx, file)) {
        Restore(ctx, before);
        return false;
    }
    history_.Record(std::move(before));
    return true;
}

bool Editor::Undo(SimContext& ctx) {
    const Bytes* target = history_.UndoTarget();
    if (!target) return false;
    Bytes replaced = SerializeGame(ctx.G);
    if (!Restore(ctx, *target)) return false;
    history_.CommitUndo(std::move(replaced));
    return true;
}

bool Editor::Redo(SimContext& ctx) {
    const Bytes* target = history_.RedoTarget();
    if (!target) return false;
    Bytes replaced = SerializeGame(ctx.G);
    if (!Restore(ctx, *target)) return false;
    history_.CommitRedo(std::move(replaced));
    return true;
}

}  // namespace tavrine
