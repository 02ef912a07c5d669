#include "editor/editor.h"

#include <gtest/gtest.h>

#include "editor/path_tool.h"
#include "editor_world.h"
#include "state/saved_game.h"
#include "support/sanitizers.h"

namespace tavrine {
namespace {

using test::CentreX;
using test::CentreY;
using test::EditorWorld;
using Points = std::vector<EditPoint>;

/// A host that answers with a fixed answer and counts the questions.
struct AskingHost : QuietHost {
    explicit AskingHost(bool answer) : QuietHost(answer) {}
    bool AskYesNo(const std::string& question) override {
        ++questions;
        return QuietHost::AskYesNo(question);
    }
    int questions = 0;
};

struct EditorSession : EditorWorld {
    using EditorWorld::EditorWorld;
    Editor editor;
    AskingHost yes{true};

    void Press(int x, int y) { editor.LeftPress(ctx, yes, CentreX(g, x), CentreY(g, y)); }
    void Move(int x, int y) { editor.MouseMove(ctx, CentreX(g, x), CentreY(g, y)); }
    void Right() { editor.RightPress(ctx); }
    /// Traces a path through the corners in order and applies it.
    void Trace(std::int32_t tool, const Points& corners) {
        editor.SetTool(tool);
        for (const EditPoint& p : corners) {
            Move(p.X, p.Y);
            Press(p.X, p.Y);
        }
        Right();
    }
};

TEST(EditorTest, ToolsAreTheSevenButtons) {
    Editor e;
    EXPECT_EQ(e.CurrentTool(), ToolNone);
    for (std::int32_t tool = -1; tool <= 5; ++tool) {
        EXPECT_TRUE(e.SetTool(tool));
        EXPECT_EQ(e.CurrentTool(), tool);
    }
    EXPECT_FALSE(e.SetTool(6));
    EXPECT_FALSE(e.SetTool(-2));
    EXPECT_EQ(e.CurrentTool(), 5);
    EXPECT_FALSE(e.FogShown());
    e.SetFogShown(true);
    EXPECT_TRUE(e.FogShown());
}

TEST(EditorTest, FillToolsAskFirstAndFillOnlyOnYes) {
    EditorSession s(5, 4);
    AskingHost no(false);
    s.editor.SetTool(ToolFillLand);
    s.editor.LeftPress(s.ctx, no, 40, 40);
    EXPECT_EQ(no.lastQuestion, "Fill Land ?");
    EXPECT_EQ(s.g.Cell(1, 1).Ground.Subgroup, 0);
    EXPECT_EQ(s.editor.History().UndoSteps(), 0u);

    s.Press(1, 1);
    EXPECT_EQ(s.yes.lastQuestion, "Fill Land ?");
    EXPECT_EQ(s.g.Cell(4, 3).Ground.Subgroup, 1);
    EXPECT_EQ(s.editor.History().UndoSteps(), 1u);

    s.editor.SetTool(ToolFillMountain);
    s.Press(0, 0);
    EXPECT_EQ(s.yes.lastQuestion, "Fill Mount ?");
    EXPECT_EQ(s.g.Cell(4, 3).Ground.Subgroup, 2);
    s.Press(0, 0);
    EXPECT_EQ(s.yes.questions, 3) << "asked even when nothing can change";
    EXPECT_EQ(s.editor.History().UndoSteps(), 2u) << "a fill that changed nothing is no undo step";
}

TEST(EditorTest, NoToolAndPressesWithoutALineToolDoNothing) {
    EditorSession s(5, 4);
    s.Press(1, 1);
    s.Move(3, 1);
    s.Right();
    EXPECT_FALSE(s.run.EditDrawing);
    EXPECT_EQ(s.yes.questions, 0);
    EXPECT_EQ(s.editor.History().UndoSteps(), 0u);
}

TEST(EditorTest, ATracedWallIsAppliedByTheRightPress) {
    EditorSession s(8, 6);
    s.editor.SetTool(ToolWall0);
    s.Press(1, 1);
    s.Move(5, 1);
    EXPECT_EQ(s.run.EditTrack, (Points{{2, 1}, {3, 1}, {4, 1}, {5, 1}}));
    s.Press(5, 1);
    s.Move(5, 4);
    EXPECT_EQ(s.run.EditTrack.size(), 3u);
    s.Move(6, 3);  // south-east: walls take no diagonal
    EXPECT_TRUE(s.run.EditTrack.empty());
    s.Move(5, 4);
    s.Press(5, 4);
    EXPECT_TRUE(s.run.EditDrawing);
    s.Right();
    EXPECT_FALSE(s.run.EditDrawing);
    EXPECT_EQ(test::WallMap(s.g, 0), (std::vector<std::string>{
                                         "........",
                                         ".00003..",
                                         ".....1..",
                                         ".....1..",
                                         ".....1..",
                                         "........",
                                     }));
    EXPECT_EQ(s.editor.History().UndoSteps(), 1u);
}

TEST(EditorTest, ShortPathsAreDiscardedAndTheToolAtTheRightPressApplies) {
    EditorSession s(8, 6);
    s.Trace(ToolWall0, {{1, 1}, {2, 1}});
    EXPECT_FALSE(s.g.Cell(1, 1).Object) << "two points do nothing";
    EXPECT_EQ(s.editor.History().UndoSteps(), 0u);

    s.editor.SetTool(ToolWall1);
    s.Press(1, 3);
    s.Move(4, 3);
    s.Press(4, 3);
    s.editor.SetTool(ToolLandOutline);
    s.Right();
    EXPECT_FALSE(s.g.Cell(2, 3).Object);
    EXPECT_EQ(s.g.Cell(2, 3).Ground.Subgroup, 2) << "applied as an outline: a coast piece";
    EXPECT_EQ(s.g.Cell(2, 3).Ground.List, 1);
}

TEST(EditorTest, UndoAndRedoRestoreTheSavedBytesExactly) {
    EditorSession s(12, 10);
    std::vector<Bytes> states{SerializeGame(s.g)};
    s.Trace(ToolLandOutline, {{1, 1}, {6, 1}, {6, 6}, {1, 6}, {1, 2}});
    states.push_back(SerializeGame(s.g));
    s.editor.SetTool(ToolFillLand);
    s.Press(3, 3);
    states.push_back(SerializeGame(s.g));
    s.Trace(ToolWall1, {{2, 2}, {5, 2}, {5, 4}});
    states.push_back(SerializeGame(s.g));
    EXPECT_EQ(s.editor.Drop(s.ctx, {3, 1, 1, 0}, CentreX(s.g, 8), CentreY(s.g, 7)), DropResult::Object);
    states.push_back(SerializeGame(s.g));
    EXPECT_EQ(s.editor.Drop(s.ctx, {4, 0, 0, 3}, CentreX(s.g, 3), CentreY(s.g, 4)), DropResult::Tank);
    states.push_back(SerializeGame(s.g));
    EXPECT_TRUE(s.editor.MakeNewMap(s.ctx, 40, 30, true, 3));
    states.push_back(SerializeGame(s.g));
    ASSERT_EQ(s.editor.History().UndoSteps(), states.size() - 1);

    for (std::size_t i = states.size() - 1; i-- > 0;) {
        ASSERT_TRUE(s.editor.Undo(s.ctx));
        ASSERT_EQ(SerializeGame(s.g), states[i]) << "after undoing to state " << i;
    }
    EXPECT_FALSE(s.editor.Undo(s.ctx));
    EXPECT_EQ(s.g.Columns, 12);
    for (std::size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(s.editor.Redo(s.ctx));
        ASSERT_EQ(SerializeGame(s.g), states[i]) << "after redoing to state " << i;
    }
    EXPECT_FALSE(s.editor.Redo(s.ctx));
}

TEST(EditorTest, UndoKeepsWhatTheGameChangedBetweenEditsForRedo) {
    EditorSession s(6, 6);
    EXPECT_EQ(s.editor.Drop(s.ctx, {4, 0, 0, 0}, 40, 40), DropResult::Tank);
    s.g.Tanks[0]->X += 7;  // the tank drove on while the editor was idle
    const Bytes moved = SerializeGame(s.g);
    ASSERT_TRUE(s.editor.Undo(s.ctx));
    EXPECT_TRUE(s.g.Tanks.empty());
    ASSERT_TRUE(s.editor.Redo(s.ctx));
    EXPECT_EQ(SerializeGame(s.g), moved);
}

TEST(EditorTest, UndoDropsAPathBeingTracedAndRebuildsTheMinimap) {
    EditorSession s(6, 6);
    s.editor.Drop(s.ctx, {0, 1, 0, 0}, 10, 10);
    s.editor.SetTool(ToolLandOutline);
    s.Press(2, 2);
    s.Move(4, 2);
    s.run.MinimapState = 2;
    ASSERT_TRUE(s.editor.Undo(s.ctx));
    EXPECT_FALSE(s.run.EditDrawing);
    EXPECT_TRUE(s.run.EditPoints.empty());
    EXPECT_TRUE(s.run.EditTrack.empty());
    EXPECT_EQ(s.run.MinimapState, 0);
}

TEST(EditorTest, ANewEditAfterAnUndoDropsTheRedoSteps) {
    EditorSession s(6, 6);
    s.editor.Drop(s.ctx, {0, 1, 0, 0}, 10, 10);
    s.editor.Drop(s.ctx, {0, 1, 0, 0}, 50, 10);
    ASSERT_TRUE(s.editor.Undo(s.ctx));
    EXPECT_EQ(s.editor.History().RedoSteps(), 1u);
    s.editor.Drop(s.ctx, {0, 2, 0, 0}, 90, 10);
    EXPECT_EQ(s.editor.History().RedoSteps(), 0u);
    EXPECT_FALSE(s.editor.Redo(s.ctx));
    EXPECT_EQ(s.g.Cell(1, 0).Ground.Subgroup, 0);
    EXPECT_EQ(s.g.Cell(2, 0).Ground.Subgroup, 2);
}

TEST(EditorTest, NewMapRefusesSizesTheDialogCannotGive) {
    EditorSession s(6, 6);
    EXPECT_FALSE(s.editor.MakeNewMap(s.ctx, 0, 30, false, 0));
    EXPECT_FALSE(s.editor.MakeNewMap(s.ctx, 40, 201, false, 0));
    EXPECT_FALSE(s.editor.MakeNewMap(s.ctx, -5, 30, false, 0));
    EXPECT_FALSE(s.editor.MakeNewMap(s.ctx, 40, 30, false, 6));
    EXPECT_EQ(s.g.Columns, 6);
    EXPECT_EQ(s.editor.History().UndoSteps(), 0u);
    EXPECT_TRUE(s.editor.MakeNewMap(s.ctx, 200, 200, false, 5));
    EXPECT_EQ(s.g.MapWidth, 7200);
    EXPECT_EQ(s.g.Mission, 5);
}

TEST(EditorTest, SixtyStepsOnALargeMapUndoExactlyInLittleMemory) {
    // The largest map the editor makes; a quarter of it under the sanitizers,
    // where comparing sixty whole snapshots twice is slow.
    const int side = test::kUnderSanitizer ? 100 : 200;
    EditorSession s(side, side);
    std::vector<Bytes> states{SerializeGame(s.g)};
    s.editor.SetTool(ToolFillLand);
    s.Press(side / 2, side / 2);  // the whole map becomes land: one large step
    states.push_back(SerializeGame(s.g));
    for (int i = 0; states.size() < 61; ++i) {
        const int x = (i * 37) % side, y = (i * 53) % side;
        const ImageRef pictures[] = {{0, 0, 1, 2}, {1, 2, 3, 0}, {3, 1, 0, 0}, {4, 0, 1, 7}, {2, 1, 0, 4}};
        s.editor.Drop(s.ctx, pictures[i % 5], CentreX(s.g, x), CentreY(s.g, y));
        states.push_back(SerializeGame(s.g));
    }
    ASSERT_EQ(s.editor.History().UndoSteps(), 60u);
    // Sixty whole snapshots would take 60 x 2.2 MB on the largest map.
    EXPECT_LT(s.editor.History().StoredBytes(), 2 * states[0].size() + (1u << 20));

    for (std::size_t i = states.size() - 1; i-- > 0;) {
        ASSERT_TRUE(s.editor.Undo(s.ctx));
        ASSERT_EQ(SerializeGame(s.g), states[i]) << "state " << i;
    }
    for (std::size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(s.editor.Redo(s.ctx));
        ASSERT_EQ(SerializeGame(s.g), states[i]) << "state " << i;
    }
}

TEST(EditorTest, AnyEditSequenceKeepsTheRecordSound) {
    EditorSession s(24, 18);
    test::AddPicture(s.lib, 3, 1, 2, 108, 72);
    test::AddPicture(s.lib, 1, 2, 4, 72, 72);
    Random pick(20240611);
    const ImageRef pictures[] = {{0, 0, 1, 2}, {0, 1, 0, 0}, {0, 2, 1, 5}, {1, 2, 3, 0}, {1, 2, 4, 0}, {1, 0, 0, 4},
                                 {2, 0, 0, 4}, {2, 1, 0, 15}, {3, 1, 0, 0}, {3, 0, 1, 0}, {3, 1, 2, 1}, {3, 2, 2, 0},
                                 {4, 0, 0, 3}, {4, 1, 1, 21}, {4, 2, 0, 0}};
    const auto randomPixel = [&](std::int32_t size) { return pick(size + 80) - 40; };
    for (int step = 0; step < 600; ++step) {
        const std::int32_t x = randomPixel(s.g.MapWidth), y = randomPixel(s.g.MapHeight);
        switch (pick(9)) {
            case 0: s.editor.SetTool(pick(7) - 1); break;
            case 1: s.editor.LeftPress(s.ctx, s.yes, x, y); break;
            case 2:
            case 3: s.editor.MouseMove(s.ctx, x, y); break;
            case 4: s.editor.RightPress(s.ctx); break;
            case 5:
            case 6: s.editor.Drop(s.ctx, pictures[pick(15)], x, y); break;
            case 7: pick(2) ? s.editor.Undo(s.ctx) : s.editor.Redo(s.ctx); break;
            case 8:
                if (pick(20) == 0) s.editor.MakeNewMap(s.ctx, 10 + pick(30), 10 + pick(30), pick(2), pick(6));
                break;
        }
        ASSERT_EQ(test::EditorInvariants(s.g), "") << "after step " << step;
        for (const EditPoint& p : s.run.EditPoints) ASSERT_TRUE(s.g.OnMap(p.X, p.Y)) << "step " << step;
    }
}

}  // namespace
}  // namespace tavrine
