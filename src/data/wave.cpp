#include "data/wave.h"

#include <algorithm>
#include <cstring>

namespace tavrine {

namespace {

constexpr std::size_t kMinFormatBytes = 14;

bool Fail(std::string* error, const char* text) {
    if (error) *error = std::string("wave: ") + text;
    return false;
}

bool IsId(std::span<const std::uint8_t> id, const char* name) { return std::memcmp(id.data(), name, 4) == 0; }

void PutId(std::vector<std::uint8_t>& out, const char* name) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(name[i]));
}

/// Reads "RIFF", its size and "WAVE".
bool ReadFormHeader(ByteReader& in, std::uint32_t& riffSize, std::string* error) {
    std::span<const std::uint8_t> riff, form;
    if (!in.Take(4, riff) || !in.ReadU32(riffSize) || !in.Take(4, form)) return Fail(error, "RIFF header cut short");
    if (!IsId(riff, "RIFF")) return Fail(error, "no \"RIFF\" signature");
    if (!IsId(form, "WAVE")) return Fail(error, "RIFF form is not \"WAVE\"");
    return true;
}

/// Appends the two chunks, with pad bytes after odd sizes when `padded`.
std::vector<std::uint8_t> Encode(const Wave& wave, bool padded) {
    const std::size_t fmtPad = padded ? wave.Format.size() % 2 : 0;
    const std::size_t dataPad = padded ? wave.Samples.size() % 2 : 0;
    const std::size_t body = 4 + 8 + wave.Format.size() + fmtPad + 8 + wave.Samples.size() + dataPad;
    std::vector<std::uint8_t> out;
    out.reserve(8 + body);
    PutId(out, "RIFF");
    PutU32(out, static_cast<std::uint32_t>(body));
    PutId(out, "WAVE");
    PutId(out, "fmt ");
    PutU32(out, static_cast<std::uint32_t>(wave.Format.size()));
    PutBytes(out, wave.Format);
    out.resize(out.size() + fmtPad, 0);
    PutId(out, "data");
    PutU32(out, static_cast<std::uint32_t>(wave.Samples.size()));
    PutBytes(out, wave.Samples);
    out.resize(out.size() + dataPad, 0);
    return out;
}

}  // namespace

std::optional<Wave> ReadWaveRecord(ByteReader& in, std::string* error) {
    std::uint32_t riffSize = 0;
    if (!ReadFormHeader(in, riffSize, error)) return std::nullopt;
    Wave wave;
    bool haveFormat = false;
    for (;;) {
        std::span<const std::uint8_t> id, body;
        std::uint32_t size = 0;
        if (!in.Take(4, id) || !in.ReadU32(size)) {
            Fail(error, "record ends before its \"data\" chunk");
            return std::nullopt;
        }
        if (!in.Take(size, body)) {
            Fail(error, "chunk runs past the end");
            return std::nullopt;
        }
        if (IsId(id, "fmt ") && !haveFormat) {
            wave.Format.assign(body.begin(), body.end());
            haveFormat = true;
        } else if (IsId(id, "data")) {
            if (!haveFormat) {
                Fail(error, "\"data\" chunk before the \"fmt \" chunk");
                return std::nullopt;
            }
            wave.Samples.assign(body.begin(), body.end());
            return wave;
        }
    }
}

void WriteWaveRecord(const Wave& wave, std::vector<std::uint8_t>& out) { PutBytes(out, Encode(wave, false)); }

std::vector<std::uint8_t> EncodeWaveFile(const Wave& wave) { return Encode(wave, true); }

std::optional<Wave> ImportWaveFile(std::span<const std::uint8_t> file, std::string* error) {
    ByteReader header(file);
    std::uint32_t riffSize = 0;
    if (!ReadFormHeader(header, riffSize, error)) return std::nullopt;
    const std::size_t end = static_cast<std::size_t>(std::min<std::uint64_t>(file.size(), std::uint64_t{riffSize} + 8));
    ByteReader in(file.subspan(0, end));
    in.Skip(header.Position());
    Wave wave;
    bool haveFormat = false, haveData = false;
    while (in.Remaining() >= 8) {
        std::span<const std::uint8_t> id, body;
        std::uint32_t size = 0;
        in.Take(4, id);
        in.ReadU32(size);
        if (!in.Take(size, body)) {
            Fail(error, "chunk runs past the end of the file");
            return std::nullopt;
        }
        if (size % 2 == 1) in.Skip(1);  // RIFF's pad byte; a file may end without it
        if (IsId(id, "fmt ") && !haveFormat) {
            wave.Format.assign(body.begin(), body.end());
            haveFormat = true;
        } else if (IsId(id, "data") && !haveData) {
            wave.Samples.assign(body.begin(), body.end());
            haveData = true;
        }
    }
    if (!haveFormat) {
        Fail(error, "no \"fmt \" chunk");
        return std::nullopt;
    }
    if (wave.Format.size() < kMinFormatBytes) {
        Fail(error, "format block shorter than 14 bytes");
        return std::nullopt;
    }
    if (!haveData) {
        Fail(error, "no \"data\" chunk");
        return std::nullopt;
    }
    return wave;
}

std::optional<WaveFormatInfo> ParseWaveFormat(std::span<const std::uint8_t> format) {
    if (format.size() < kMinFormatBytes) return std::nullopt;
    WaveFormatInfo info;
    info.FormatTag = PeekU16(format, 0);
    info.Channels = PeekU16(format, 2);
    info.SamplesPerSec = PeekU32(format, 4);
    info.AvgBytesPerSec = PeekU32(format, 8);
    info.BlockAlign = PeekU16(format, 12);
    if (format.size() >= 16) info.BitsPerSample = PeekU16(format, 14);
    return info;
}

}  // namespace tavrine
