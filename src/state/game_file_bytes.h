// The byte-level writer and reader of game files, shared by the main layout and
// the sections that version 3 files add after it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "data/file_io.h"
#include "data/image_ref.h"

namespace tavrine::gamefile {

class Writer {
public:
    explicit Writer(Bytes& out) : out_(out) {}

    void I32(std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(v);
        const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
                                       static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24)};
        out_.insert(out_.end(), bytes, bytes + 4);
    }
    void U32(std::uint32_t v) { I32(static_cast<std::int32_t>(v)); }
    void U8(std::uint8_t v) { out_.push_back(v); }
    void Flag(std::uint8_t v) { out_.push_back(v != 0 ? 1 : 0); }
    void Count(std::size_t n) { I32(static_cast<std::int32_t>(n)); }
    void Image(const ImageRef& r) {
        I32(r.Group);
        I32(r.Subgroup);
        I32(r.List);
        I32(r.Frame);
    }
    void Raw(std::span<const std::uint8_t> bytes) { out_.insert(out_.end(), bytes.begin(), bytes.end()); }
    void Text(const std::string& s) {
        Count(s.size());
        out_.insert(out_.end(), s.begin(), s.end());
    }

private:
    Bytes& out_;
};

/// Thrown inside the parser; `ParseGame` turns it into `LoadResult::Malformed`.
struct MalformedFile {
    std::string why;
};

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> data) : data_(data) {}

    std::size_t Remaining() const { return data_.size() - pos_; }
    /// Names the part being read, for the message of a malformed file.
    void Part(const char* part) { part_ = part; }

    std::int32_t I32() {
        Need(4);
        std::uint32_t u = 0;
        for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(data_[pos_ + static_cast<std::size_t>(i)]) << (8 * i);
        pos_ += 4;
        return static_cast<std::int32_t>(u);
    }
    std::uint32_t U32() { return static_cast<std::uint32_t>(I32()); }
    std::uint8_t U8() {
        Need(1);
        return data_[pos_++];
    }
    /// A Boolean byte: any nonzero value counts as true and is kept as 1.
    std::uint8_t Flag() { return U8() != 0 ? 1 : 0; }
    ImageRef Image() {
        ImageRef r;
        r.Group = I32();
        r.Subgroup = I32();
        r.List = I32();
        r.Frame = I32();
        return r;
    }
    /// A count of elements that take at least `each` bytes apiece, checked against
    /// the rest of the file before the caller allocates anything.
    std::size_t Count(const char* what, std::size_t each) {
        const std::int32_t n = I32();
        if (n < 0) Fail(std::string("negative number of ") + what);
        if (static_cast<std::size_t>(n) > Remaining() / each)
            Fail(std::to_string(n) + " " + what + " cannot fit in the rest of the file");
        return static_cast<std::size_t>(n);
    }
    std::string Text() {
        const std::size_t n = Count("text bytes", 1);
        std::string s(reinterpret_cast<const char*>(data_.data() + pos_), n);
        pos_ += n;
        return s;
    }
    void Skip(std::size_t n) {
        Need(n);
        pos_ += n;
    }
    /// The next `n` bytes, as a view into the file.
    std::span<const std::uint8_t> Take(std::size_t n) {
        Need(n);
        const auto bytes = data_.subspan(pos_, n);
        pos_ += n;
        return bytes;
    }

    [[noreturn]] void Fail(const std::string& why) const { throw MalformedFile{std::string(part_) + ": " + why}; }

private:
    void Need(std::size_t n) const {
        if (Remaining() < n) Fail("the file ends too early");
    }

    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
    const char* part_ = "header";
};

}  // namespace tavrine::gamefile
