// Bounds-checked little-endian reading from a byte buffer, and the matching writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace tavrine {

/// Reads little-endian integers and byte runs from a buffer it does not own.
/// Every read checks the bytes that remain first; a read that does not fit
/// fails, consumes nothing and leaves the output unchanged.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> data) : data_(data) {}

    std::size_t Position() const { return pos_; }
    std::size_t Remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ == data_.size(); }

    bool ReadU8(std::uint8_t& v) {
        if (Remaining() < 1) return false;
        v = data_[pos_++];
        return true;
    }
    bool ReadU16(std::uint16_t& v) {
        if (Remaining() < 2) return false;
        v = static_cast<std::uint16_t>(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
        return true;
    }
    bool ReadU32(std::uint32_t& v) {
        if (Remaining() < 4) return false;
        v = static_cast<std::uint32_t>(data_[pos_]) | (static_cast<std::uint32_t>(data_[pos_ + 1]) << 8) |
            (static_cast<std::uint32_t>(data_[pos_ + 2]) << 16) | (static_cast<std::uint32_t>(data_[pos_ + 3]) << 24);
        pos_ += 4;
        return true;
    }
    bool ReadI32(std::int32_t& v) {
        std::uint32_t u = 0;
        if (!ReadU32(u)) return false;
        v = static_cast<std::int32_t>(u);
        return true;
    }
    /// The next `n` bytes as a view into the buffer.
    bool Take(std::size_t n, std::span<const std::uint8_t>& out) {
        if (Remaining() < n) return false;
        out = data_.subspan(pos_, n);
        pos_ += n;
        return true;
    }
    bool Skip(std::size_t n) {
        if (Remaining() < n) return false;
        pos_ += n;
        return true;
    }
    /// The bytes from the current position to the end, without consuming them.
    std::span<const std::uint8_t> Rest() const { return data_.subspan(pos_); }

private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

inline void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

inline void PutI32(std::vector<std::uint8_t>& out, std::int32_t v) { PutU32(out, static_cast<std::uint32_t>(v)); }

inline void PutBytes(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

/// Overwrites four bytes at `at` with `v`, little-endian; `at + 4` must be within `out`.
inline void PokeU32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline std::uint16_t PeekU16(std::span<const std::uint8_t> d, std::size_t at) {
    return static_cast<std::uint16_t>(d[at] | (d[at + 1] << 8));
}

inline std::uint32_t PeekU32(std::span<const std::uint8_t> d, std::size_t at) {
    return static_cast<std::uint32_t>(d[at]) | (static_cast<std::uint32_t>(d[at + 1]) << 8) |
           (static_cast<std::uint32_t>(d[at + 2]) << 16) | (static_cast<std::uint32_t>(d[at + 3]) << 24);
}

}  // namespace tavrine
