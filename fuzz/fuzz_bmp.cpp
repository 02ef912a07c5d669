// Bitmap records and imported .bmp files from arbitrary bytes: never a crash, and
// whatever is accepted reads back the same from its own record.
#include <cstddef>
#include <cstdint>

#include "data/bmp.h"

namespace {

using tavrine::ByteReader;
using tavrine::Picture;

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

/// A picture's record reads back whole as the same picture, and its pixels
/// survive the encoder.
void CheckPicture(const Picture& p) {
    Check(p.Width > 0 && p.Height > 0);
    Check(p.Pixels.size() == static_cast<std::size_t>(p.Width) * static_cast<std::size_t>(p.Height));
    const std::optional<tavrine::BmpFormat> format = tavrine::DescribeBmpRecord(p.Record);
    Check(format && (format->HeaderSize == 40 || format->HeaderSize == 12));
    ByteReader in(p.Record);
    const std::optional<Picture> again = tavrine::ReadBmpRecord(in);
    Check(again && in.AtEnd() && again->Record == p.Record && again->Pixels == p.Pixels);
    if (p.Pixels.size() <= 4096) {
        const std::optional<Picture> encoded = tavrine::MakePicture(p.Width, p.Height, p.Pixels);
        Check(encoded && encoded->Pixels == p.Pixels);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    ByteReader in(bytes);
    if (const std::optional<Picture> record = tavrine::ReadBmpRecord(in)) {
        Check(record->Record.size() == in.Position());
        CheckPicture(*record);
    }
    if (const std::optional<Picture> imported = tavrine::ImportBmpFile(bytes)) CheckPicture(*imported);
    return 0;
}
