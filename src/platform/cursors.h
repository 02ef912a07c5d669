// The mouse cursors of the game view: the animated cursors loaded at start-up,
// chosen by number.
#pragma once

namespace tavrine {

/// Cursor numbers the game view uses.
enum CursorNumber : int {
    CursorScrollLeft = 1,  ///< 1..4 scroll left, up, right, down; 5..8 up-left, up-right, down-right, down-left
    CursorScrollUpLeft = 5,
    CursorBlockedLeft = 9,  ///< 9..16: the same eight directions with the view at the map's border
    CursorPointer = 17,
    CursorMove = 18,
    CursorAttack = 19,
    CursorNotPossible = 20,
    CursorSelect = 21,
};

class Cursors {
public:
    virtual ~Cursors() = default;
    /// Shows cursor `number` (1..22) over the game view. Called every tick; a
    /// cursor that is already showing stays as it is.
    virtual void SetCursor(int number) = 0;
};

/// No cursors to show: headless runs and tests that only look at the game.
class NullCursors final : public Cursors {
public:
    void SetCursor(int) override {}
};

}  // namespace tavrine
