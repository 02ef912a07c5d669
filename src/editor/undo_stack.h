// Undo and redo of whole map edits as snapshots of the game record's saved-game
// bytes. The newest snapshot of each direction is kept whole; every older one is
// kept as a delta against its newer neighbour, so a step that changed a few cells
// costs a few hundred bytes even on a 200 x 200 map (~2.2 MB a snapshot).
#pragma once

#include <cstddef>
#include <deque>

#include "data/file_io.h"

namespace tavrine {

struct UndoLimits {
    std::size_t MinSteps = 50;             ///< undo steps kept whatever their size
    std::size_t MaxSteps = 100;            ///< undo steps kept at most
    std::size_t ByteBudget = 64u << 20;    ///< beyond this (both directions together) older steps go, down to MinSteps
};

/// A stack of snapshots: the top whole, the others as deltas.
class SnapshotChain {
public:
    void Push(Bytes snapshot);
    /// Removes and returns the top; the next one is rebuilt as the new top.
    /// When that fails (a damaged delta) the older entries are dropped.
    Bytes Pop();
    const Bytes* Top() const { return hasTop_ ? &top_ : nullptr; }
    void DropOldest();
    void Clear();
    std::size_t Count() const { return hasTop_ ? deltas_.size() + 1 : 0; }
    std::size_t StoredBytes() const { return storedBytes_; }

private:
    Bytes top_;
    bool hasTop_ = false;
    std::deque<Bytes> deltas_;  ///< oldest first; each against the entry after it
    std::size_t storedBytes_ = 0;
};

class UndoStack {
public:
    explicit UndoStack(UndoLimits limits = {}) : limits_(limits) {}

    /// Records the bytes of the record from just before a new edit: the newest
    /// undo step. The redo steps are dropped.
    void Record(Bytes before);

    /// The bytes an undo restores, or nullptr when there is nothing to undo.
    const Bytes* UndoTarget() const { return undo_.Top(); }
    /// Call once the undo target has been restored; `replaced` is the record as it
    /// was just before, which a redo brings back.
    void CommitUndo(Bytes replaced);

    /// The bytes a redo restores, or nullptr.
    const Bytes* RedoTarget() const { return redo_.Top(); }
    /// Call once the redo target has been restored, with the replaced record.
    void CommitRedo(Bytes replaced);

    void Clear();
    std::size_t UndoSteps() const { return undo_.Count(); }
    std::size_t RedoSteps() const { return redo_.Count(); }
    /// Memory held by the snapshots and deltas of both directions.
    std::size_t StoredBytes() const { return undo_.StoredBytes() + redo_.StoredBytes(); }

private:
    void Trim();

    UndoLimits limits_;
    SnapshotChain undo_;
    SnapshotChain redo_;
};

}  // namespace tavrine
