#include "editor/byte_delta.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace tavrine {

namespace {

// Operations of a delta, after the target's length. A base cursor moves with
// copies and literals alike, so a literal replaces the base bytes it covers and
// the next copy needs no offset while the alignment holds.
enum DeltaOp : std::uint8_t {
    OpCopy = 0,     ///< length: copy from the base cursor
    OpLiteral = 1,  ///< length, bytes
    OpSeek = 2,     ///< signed distance: move the base cursor
};

constexpr std::size_t kBlock = 16;  ///< bytes hashed to find a moved run
constexpr std::size_t kResume = 8;  ///< equal bytes that resume a recent alignment
constexpr std::size_t kRecentShifts = 4;
constexpr std::size_t kLookahead = 32;  ///< bytes searched for the continuing alignment to resume

void PutVarint(Bytes& out, std::uint64_t v) {
    while (v >= 0x80) {
        out.push_back(static_cast<std::uint8_t>(v | 0x80));
        v >>= 7;
    }
    out.push_back(static_cast<std::uint8_t>(v));
}

bool GetVarint(const Bytes& in, std::size_t& pos, std::uint64_t& v) {
    v = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        if (pos >= in.size()) return false;
        const std::uint8_t b = in[pos++];
        v |= static_cast<std::uint64_t>(b & 0x7F) << shift;
        if (!(b & 0x80)) return true;
    }
    return false;
}

std::uint64_t ZigZag(std::int64_t v) { return (static_cast<std::uint64_t>(v) << 1) ^ static_cast<std::uint64_t>(v >> 63); }
std::int64_t UnZigZag(std::uint64_t v) { return static_cast<std::int64_t>(v >> 1) ^ -static_cast<std::int64_t>(v & 1); }

std::uint32_t HashBlock(const std::uint8_t* p, unsigned bits) {
    std::uint64_t a = 0, b = 0;
    std::memcpy(&a, p, 8);
    std::memcpy(&b, p + 8, 8);
    const std::uint64_t h = (a * 0x9E3779B97F4A7C15ull) ^ (b * 0xC2B2AE3D27D4EB4Full);
    return static_cast<std::uint32_t>((h ^ (h >> 29)) >> (64 - bits));
}

/// Positions of the base's aligned blocks by hash (last one wins).
class BlockIndex {
public:
    explicit BlockIndex(const Bytes& base) {
        const std::size_t blocks = base.size() / kBlock;
        while ((std::size_t{1} << bits_) < blocks * 2) ++bits_;
        slots_.assign(std::size_t{1} << bits_, 0);
        for (std::size_t i = 0; i + kBlock <= base.size(); i += kBlock) slots_[HashBlock(base.data() + i, bits_)] = i + 1;
    }
    /// A base position whose block may equal the 16 bytes at `p`, or npos.
    std::size_t Find(const std::uint8_t* p) const {
        const std::size_t s = slots_[HashBlock(p, bits_)];
        return s ? s - 1 : npos;
    }
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

private:
    unsigned bits_ = 10;
    std::vector<std::size_t> slots_;
};

class Encoder {
public:
    Encoder(const Bytes& base, const Bytes& target) : base_(base), target_(target) { PutVarint(out_, target.size()); }

    Bytes Run() {
        const BlockIndex index(base_);
        const std::size_t n = target_.size();
        while (j_ < n) {
            if (TryCopy(index)) continue;
            ++j_;
        }
        FlushLiteral(n);
        return std::move(out_);
    }

private:
    std::size_t MatchLength(std::size_t b, std::size_t t) const {
        const std::size_t limit = std::min(base_.size() - b, target_.size() - t);
        const std::uint8_t* x = base_.data() + b;
        const std::uint8_t* y = target_.data() + t;
        std::size_t n = 0;
        for (; n + 8 <= limit; n += 8) {
            std::uint64_t u = 0, v = 0;
            std::memcpy(&u, x + n, 8);
            std::memcpy(&v, y + n, 8);
            if (u != v) break;
        }
        while (n < limit && x[n] == y[n]) ++n;
        return n;
    }

    /// Length of the match of the base at `b` (which may lie outside the base)
    /// with the target at the current position; 0 when `b` is outside.
    std::size_t MatchAt(std::int64_t b, std::size_t t) const {
        if (b < 0 || static_cast<std::size_t>(b) >= base_.size() || t >= target_.size()) return 0;
        return MatchLength(static_cast<std::size_t>(b), t);
    }
    std::size_t MatchAt(std::int64_t b) const { return MatchAt(b, j_); }

    /// The first of the next few bytes where the continuing alignment matches
    /// again for at least kResume bytes, or kLookahead when it does not.
    std::size_t ContinuingResumes(std::int64_t here) const {
        for (std::size_t d = 0; d < kLookahead; ++d)
            if (MatchAt(here + static_cast<std::int64_t>(d), j_ + d) >= kResume) return d;
        return kLookahead;
    }

    /// Copies from the best of the known alignments: the one the base cursor
    /// continues (free to resume: no seek), the recently used ones and a block
    /// found by hash. Moving to another alignment costs a seek, so it must match
    /// a whole block; the longest match wins, the continuing one on a tie.
    bool TryCopy(const BlockIndex& index) {
        const std::int64_t here = cursor_ + static_cast<std::int64_t>(j_ - literalStart_);
        const std::size_t direct = MatchAt(here);
        if (direct >= kResume) {
            Copy(static_cast<std::size_t>(here), direct);
            return true;
        }
        // Where bytes changed in place, the continuing alignment resumes a few
        // bytes on; after an insertion or removal it matches only by chance.
        const std::size_t resume = ContinuingResumes(here);
        const std::size_t hereLength = resume < kLookahead ? MatchAt(here + static_cast<std::int64_t>(resume), j_ + resume) : 0;
        const std::size_t hereReach = resume < kLookahead ? resume + hereLength : 0;

        // Another alignment must reach further (a seek costs bytes, and runs of
        // zeros match almost anywhere).
        std::int64_t otherFrom = -1;
        std::size_t otherLength = 0, otherBack = 0;
        for (std::size_t k = 0; k < shiftCount_; ++k) {
            const std::int64_t b = static_cast<std::int64_t>(j_) + shifts_[k];
            const std::size_t length = b == here ? 0 : MatchAt(b);
            if (length >= kBlock && length > otherLength) {
                otherLength = length;
                otherFrom = b;
            }
        }
        if (j_ + kBlock <= target_.size()) {
            const std::size_t b = index.Find(target_.data() + j_);
            if (b != BlockIndex::npos && std::memcmp(base_.data() + b, target_.data() + j_, kBlock) == 0) {
                std::size_t back = 0;  // literal bytes the moved run also covers
                while (j_ - back > literalStart_ && b - back > 0 && base_[b - back - 1] == target_[j_ - back - 1]) ++back;
                const std::size_t length = MatchLength(b, j_);
                if (length > otherLength) {
                    otherLength = length;
                    otherFrom = static_cast<std::int64_t>(b);
                    otherBack = back;
                }
            }
        }

        if (otherFrom >= 0 && otherLength > hereReach) {
            j_ -= otherBack;
            Copy(static_cast<std::size_t>(otherFrom) - otherBack, otherLength + otherBack);
            return true;
        }
        if (hereReach == 0) return false;
        j_ += resume;
        Copy(static_cast<std::size_t>(here + static_cast<std::int64_t>(resume)), hereLength);
        return true;
    }

    void Copy(std::size_t from, std::size_t length) {
        FlushLiteral(j_);
        const auto cursor = static_cast<std::int64_t>(from);
        if (cursor != cursor_) {
            out_.push_back(OpSeek);
            PutVarint(out_, ZigZag(cursor - cursor_));
        }
        out_.push_back(OpCopy);
        PutVarint(out_, length);
        RememberShift(cursor - static_cast<std::int64_t>(j_));
        cursor_ = cursor + static_cast<std::int64_t>(length);
        j_ += length;
        literalStart_ = j_;
    }

    void FlushLiteral(std::size_t end) {
        if (end <= literalStart_) return;
        out_.push_back(OpLiteral);
        PutVarint(out_, end - literalStart_);
        out_.insert(out_.end(), target_.begin() + static_cast<std::ptrdiff_t>(literalStart_),
                    target_.begin() + static_cast<std::ptrdiff_t>(end));
        cursor_ += static_cast<std::int64_t>(end - literalStart_);
        literalStart_ = end;
    }

    /// Keeps the most recently used alignments first, so a spurious match
    /// elsewhere does not lose the alignment of the bulk of the data.
    void RememberShift(std::int64_t shift) {
        std::size_t k = 0;
        while (k < shiftCount_ && shifts_[k] != shift) ++k;
        if (k == shiftCount_) k = shiftCount_ < kRecentShifts ? shiftCount_++ : kRecentShifts - 1;
        for (; k > 0; --k) shifts_[k] = shifts_[k - 1];
        shifts_[0] = shift;
    }

    const Bytes& base_;
    const Bytes& target_;
    Bytes out_;
    std::size_t j_ = 0;
    std::size_t literalStart_ = 0;
    std::int64_t cursor_ = 0;
    std::array<std::int64_t, kRecentShifts> shifts_{};
    std::size_t shiftCount_ = 1;  // alignment 0 to begin with
};

}  // namespace

Bytes EncodeDelta(const Bytes& base, const Bytes& target) { return Encoder(base, target).Run(); }

std::optional<Bytes> ApplyDelta(const Bytes& base, const Bytes& delta) {
    std::size_t pos = 0;
    std::uint64_t size = 0;
    if (!GetVarint(delta, pos, size)) return std::nullopt;
    Bytes out;
    // Every byte of the target comes from the base or the delta.
    if (size > base.size() * std::uint64_t{64} + delta.size()) return std::nullopt;
    out.reserve(std::min(static_cast<std::size_t>(size), base.size() + delta.size()));
    const auto limit = static_cast<std::int64_t>(base.size() + size);
    std::int64_t cursor = 0;
    while (pos < delta.size()) {
        const std::uint8_t op = delta[pos++];
        std::uint64_t v = 0;
        if (!GetVarint(delta, pos, v)) return std::nullopt;
        if (op == OpSeek) {
            const std::int64_t step = UnZigZag(v);
            if (step > 2 * limit || step < -2 * limit) return std::nullopt;
            cursor += step;
            if (cursor < -limit || cursor > limit) return std::nullopt;
            continue;
        }
        if (v > size - out.size()) return std::nullopt;
        const auto length = static_cast<std::size_t>(v);
        if (op == OpCopy) {
            if (cursor < 0 || static_cast<std::uint64_t>(cursor) > base.size() || length > base.size() - static_cast<std::size_t>(cursor))
                return std::nullopt;
            out.insert(out.end(), base.begin() + cursor, base.begin() + cursor + static_cast<std::ptrdiff_t>(length));
        } else if (op == OpLiteral) {
            if (length > delta.size() - pos) return std::nullopt;
            out.insert(out.end(), delta.begin() + static_cast<std::ptrdiff_t>(pos),
                       delta.begin() + static_cast<std::ptrdiff_t>(pos + length));
            pos += length;
        } else {
            return std::nullopt;
        }
        cursor += static_cast<std::int64_t>(length);
    }
    if (out.size() != size) return std::nullopt;
    return out;
}

}  // namespace tavrine
