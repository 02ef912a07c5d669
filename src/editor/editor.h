// The map editor's state and its entry points: the tool buttons, the fog button,
// the mouse over the map, drops from the image library editor, the new-map
// command, and undo and redo of whole edits. The tool window and the headless
// tool both drive the editor through this object.
#pragma once

#include <cstdint>
#include <string>

#include "editor/placing.h"
#include "editor/undo_stack.h"
#include "platform/host.h"
#include "sim/context.h"

namespace tavrine {

/// The questions the fill tools ask before they run (caption "Fill").
inline constexpr const char* kFillLandQuestion = "Fill Land ?";
inline constexpr const char* kFillMountainQuestion = "Fill Mount ?";
inline constexpr const char* kFillCaption = "Fill";

/// Largest side of a map the new-map command makes.
inline constexpr std::int32_t kMaxNewMapSide = 200;

class Editor {
public:
    explicit Editor(UndoLimits limits = {}) : history_(limits) {}

    /// The tool of the latched button: -1 none, 0..5 (see `EditorTool`).
    std::int32_t CurrentTool() const { return tool_; }
    /// Latches a tool button; -1 releases them all. Any other value is refused
    /// (false) and changes nothing. A path being traced goes on with the new tool.
    bool SetTool(std::int32_t tool);

    /// The fog button: while down the editing mode draws the fog of war.
    bool FogShown() const { return fogShown_; }
    void SetFogShown(bool shown) { fogShown_ = shown; }

    /// A left press at map pixel (mapX, mapY) that no tank or building selection
    /// took. The fill tools ask their question through `host` and fill on Yes;
    /// the line tools start a path or fix its tentative run.
    void LeftPress(SimContext& ctx, Host& host, std::int32_t mapX, std::int32_t mapY);
    /// A right press: ends the path being traced and applies it with the current
    /// tool.
    void RightPress(SimContext& ctx);
    /// The mouse moved to map pixel (mapX, mapY): rebuilds the tentative run of a
    /// path being traced. The release of a button has no meaning to the editor.
    void MouseMove(SimContext& ctx, std::int32_t mapX, std::int32_t mapY);
    /// A picture of the library dropped at map pixel (mapX, mapY).
    DropResult Drop(SimContext& ctx, const ImageRef& picture, std::int32_t mapX, std::int32_t mapY);
    /// The new-map command after the New Game dialog was accepted. Sizes outside
    /// 1..200 or a mission outside 0..5 are refused (false).
    bool MakeNewMap(SimContext& ctx, std::int32_t columns, std::int32_t rows, bool mapFlag, std::int32_t mission);

    /// Puts a whole map (a game file's bytes, such as a generated one) into the
    /// editor as one undo step; false when the bytes are no game.
    bool TakeMap(SimContext& ctx, const Bytes& file);

    /// Brings back the record from before the last edit (Ctrl+Z); false when
    /// there is nothing to undo. A path being traced is dropped and the minimap
    /// is rebuilt.
    bool Undo(SimContext& ctx);
    /// Brings back the record an undo replaced (Ctrl+Y); false when there is
    /// nothing to redo.
    bool Redo(SimContext& ctx);
    const UndoStack& History() const { return history_; }
    /// Forgets every undo and redo step (a game was loaded).
    void ForgetHistory() { history_.Clear(); }

private:
    /// Runs `edit` as one undo step; no step is recorded when it changed nothing.
    template <typename Edit>
    bool RecordEdit(SimContext& ctx, Edit&& edit);
    bool Restore(SimContext& ctx, const Bytes& target);

    std::int32_t tool_ = -1;
    bool fogShown_ = false;
    UndoStack history_;
};

/// The cell of map pixel (mapX, mapY); negative pixels give negative cells.
EditPoint CellAtMapPixel(const GameType& g, std::int32_t mapX, std::int32_t mapY);

}  // namespace tavrine
