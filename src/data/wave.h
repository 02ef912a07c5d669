// RIFF WAVE sounds: reading library records and imported files, writing both forms,
// and reading the format block for display.
//
// A library record is "RIFF", the length of the record minus 8, "WAVE", then a
// "fmt " chunk with the format block and a "data" chunk with the samples, with no
// pad byte after an odd-sized chunk: the next record follows right after the
// sample bytes. A .wav file follows RIFF's rule instead: a chunk of odd size is
// followed by one pad byte.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "data/byte_reader.h"
#include "data/library.h"

namespace tavrine {

/// Reads one library record at the reader's position: checks "RIFF" and "WAVE",
/// walks the chunks taking the first "fmt " chunk (any length) and the "data"
/// chunk and skipping other chunks by their size, and stops right after the
/// "data" bytes. Fails when the record is cut short or "data" comes before any
/// "fmt "; `error`, when given, says why.
std::optional<Wave> ReadWaveRecord(ByteReader& in, std::string* error = nullptr);

/// Appends the library record of `wave`: exactly the two chunks, no pad bytes.
void WriteWaveRecord(const Wave& wave, std::vector<std::uint8_t>& out);

/// Reads a .wav file for import: walks every chunk inside the RIFF form (pad
/// bytes after odd sizes), takes the first "fmt " (at least 14 bytes) and the
/// first "data" wherever they stand. A RIFF size beyond the end of the file is
/// taken as the end of the file.
std::optional<Wave> ImportWaveFile(std::span<const std::uint8_t> file, std::string* error = nullptr);

/// `wave` as a standalone .wav file, pad bytes included, for other programs.
std::vector<std::uint8_t> EncodeWaveFile(const Wave& wave);

/// The fields of a format block that are shown to the user.
struct WaveFormatInfo {
    std::uint16_t FormatTag = 0;      ///< 1 for PCM
    std::uint16_t Channels = 0;
    std::uint32_t SamplesPerSec = 0;
    std::uint32_t AvgBytesPerSec = 0;
    std::uint16_t BlockAlign = 0;
    std::uint16_t BitsPerSample = 0;  ///< 0 when the block is only 14 bytes long
};

/// The fields of a format block; nullopt when it is shorter than 14 bytes.
std::optional<WaveFormatInfo> ParseWaveFormat(std::span<const std::uint8_t> format);

}  // namespace tavrine
