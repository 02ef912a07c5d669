// Importing .bmp files: turning any bitmap file the codec understands into the
// gap-free library record that the library reader expects, then reading that.
#include <string>

#include "data/bmp.h"
#include "data/bmp_layout.h"

namespace tavrine {

using namespace bmp;

namespace {

constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kSizeImageField = kFileHeaderSize + 20;

/// The file header, the information header in its library form (12 or 40
/// bytes, bit-field masks after it) and the colour table.
std::vector<std::uint8_t> RecordHeaders(const Layout& layout) {
    std::vector<std::uint8_t> record = {'B', 'M'};
    PutU32(record, 0);  // total size, filled in by the reader
    PutU32(record, 0);
    PutU32(record, 0);  // pixel offset, filled in by the reader
    if (layout.Format.HeaderSize <= kInfoHeaderSize) {
        PutBytes(record, layout.Header);
    } else {
        PutBytes(record, layout.Header.subspan(0, kInfoHeaderSize));
        PokeU32(record, kFileHeaderSize, kInfoHeaderSize);
    }
    if (layout.Format.Compression == kBmpBitFields)
        for (const std::uint32_t mask : layout.Masks) PutU32(record, mask);
    PutBytes(record, layout.Table);
    return record;
}

}  // namespace

std::optional<Picture> ImportBmpFile(std::span<const std::uint8_t> file, std::string* error) {
    ByteReader in(file);
    std::uint16_t signature = 0;
    std::uint32_t pixelOffset = 0;
    if (!in.ReadU16(signature) || signature != 0x4D42) {
        Fail(error, "no \"BM\" signature");
        return std::nullopt;
    }
    if (!in.Skip(8) || !in.ReadU32(pixelOffset)) {
        Fail(error, "file header cut short");
        return std::nullopt;
    }
    Layout layout;
    if (!ReadHeaders(in, true, layout, error)) return std::nullopt;
    if (pixelOffset < in.Position() || pixelOffset > file.size()) {
        Fail(error, "pixel offset points outside the file");
        return std::nullopt;
    }
    const BmpFormat& f = layout.Format;
    const bool rle = f.Compression == kBmpRle8 || f.Compression == kBmpRle4;
    const std::span<const std::uint8_t> after = file.subspan(pixelOffset);
    std::uint64_t dataBytes = rle ? layout.SizeImage : RowStride(f.Width, f.BitCount) * f.Height;
    std::vector<std::uint8_t> record = RecordHeaders(layout);
    if (rle && dataBytes == 0) {
        // No image size: the run-length data ends at its end-of-bitmap mark.
        std::vector<std::uint32_t> scratch;
        std::size_t used = 0;
        if (!DecodeRle(layout, after, scratch, used, error)) return std::nullopt;
        dataBytes = used;
        PokeU32(record, kSizeImageField, static_cast<std::uint32_t>(used));
    }
    if (dataBytes > after.size()) {
        Fail(error, "pixel data cut short");
        return std::nullopt;
    }
    PutBytes(record, after.subspan(0, static_cast<std::size_t>(dataBytes)));

    ByteReader recordIn(record);
    std::optional<Picture> picture = ReadBmpRecord(recordIn, error);
    if (picture && !recordIn.AtEnd()) {
        Fail(error, "record does not read back whole");
        return std::nullopt;
    }
    return picture;
}

}  // namespace tavrine
