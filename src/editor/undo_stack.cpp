#include "editor/undo_stack.h"

#include "editor/byte_delta.h"

namespace tavrine {

void SnapshotChain::Push(Bytes snapshot) {
    if (hasTop_) {
        Bytes delta = EncodeDelta(snapshot, top_);
        storedBytes_ += delta.size();
        storedBytes_ -= top_.size();
        deltas_.push_back(std::move(delta));
    }
    storedBytes_ += snapshot.size();
    top_ = std::move(snapshot);
    hasTop_ = true;
}

Bytes SnapshotChain::Pop() {
    if (!hasTop_) return {};
    Bytes out = std::move(top_);
    storedBytes_ -= out.size();
    top_.clear();
    hasTop_ = false;
    if (!deltas_.empty()) {
        std::optional<Bytes> next = ApplyDelta(out, deltas_.back());
        storedBytes_ -= deltas_.back().size();
        deltas_.pop_back();
        if (next) {
            storedBytes_ += next->size();
            top_ = std::move(*next);
            hasTop_ = true;
        } else {
            Clear();
        }
    }
    return out;
}

void SnapshotChain::DropOldest() {
    if (!deltas_.empty()) {
        storedBytes_ -= deltas_.front().size();
        deltas_.pop_front();
    } else {
        Clear();
    }
}

void SnapshotChain::Clear() {
    top_.clear();
    top_.shrink_to_fit();
    hasTop_ = false;
    deltas_.clear();
    storedBytes_ = 0;
}

void UndoStack::Record(Bytes before) {
    redo_.Clear();
    undo_.Push(std::move(before));
    Trim();
}

void UndoStack::CommitUndo(Bytes replaced) {
    undo_.Pop();
    redo_.Push(std::move(replaced));
    Trim();
}

void UndoStack::CommitRedo(Bytes replaced) {
    redo_.Pop();
    undo_.Push(std::move(replaced));
    Trim();
}

void UndoStack::Clear() {
    undo_.Clear();
    redo_.Clear();
}

void UndoStack::Trim() {
    while (undo_.Count() > limits_.MaxSteps) undo_.DropOldest();
    while (StoredBytes() > limits_.ByteBudget && undo_.Count() > limits_.MinSteps) undo_.DropOldest();
}

}  // namespace tavrine
