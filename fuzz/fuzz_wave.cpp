// Wave records and imported .wav files from arbitrary bytes: never a crash, and
// whatever is accepted is written and read back unchanged.
#include <cstddef>
#include <cstdint>

#include "data/wave.h"

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

bool Same(const tavrine::Wave& a, const tavrine::Wave& b) { return a.Format == b.Format && a.Samples == b.Samples; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    tavrine::ByteReader in(bytes);
    if (const std::optional<tavrine::Wave> wave = tavrine::ReadWaveRecord(in)) {
        std::vector<std::uint8_t> record;
        tavrine::WriteWaveRecord(*wave, record);
        tavrine::ByteReader again(record);
        const std::optional<tavrine::Wave> reread = tavrine::ReadWaveRecord(again);
        Check(reread && again.AtEnd() && Same(*wave, *reread));
        tavrine::ParseWaveFormat(wave->Format);
    }
    if (const std::optional<tavrine::Wave> wave = tavrine::ImportWaveFile(bytes)) {
        const std::optional<tavrine::Wave> reread = tavrine::ImportWaveFile(tavrine::EncodeWaveFile(*wave));
        Check(reread && Same(*wave, *reread));
        Check(tavrine::ParseWaveFormat(wave->Format).has_value());
    }
    return 0;
}
