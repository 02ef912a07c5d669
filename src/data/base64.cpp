#include "data/base64.h"

#include <algorithm>
#include <cstdint>

namespace tavrine {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

}  // namespace

std::string EncodeBase64(const Bytes& bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t v = std::uint32_t{bytes[i]} << 16;
        if (n > 1) v |= std::uint32_t{bytes[i + 1]} << 8;
        if (n > 2) v |= bytes[i + 2];
        for (std::size_t k = 0; k < 4; ++k) out += k <= n ? kAlphabet[(v >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

std::optional<std::string> DecodeBase64(std::string_view text, Bytes& out, bool& finished) {
    if (finished) return "data after the end of the game data";
    if (text.empty() || text.size() % 4 != 0) return "base64 data must come in groups of four characters";
    for (std::size_t i = 0; i < text.size(); i += 4) {
        int v[4];
        int pad = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const char c = text[i + k];
            if (c == '=' && k >= 2) {
                v[k] = 0;
                ++pad;
                continue;
            }
            if (pad > 0 || (v[k] = Value(c)) < 0) return "not base64 data";
        }
        if (pad > 0 && i + 4 != text.size()) return "base64 padding before the end of a line";
        const std::uint32_t bits = (std::uint32_t(v[0]) << 18) | (std::uint32_t(v[1]) << 12) | (std::uint32_t(v[2]) << 6) |
                                   std::uint32_t(v[3]);
        out.push_back(static_cast<std::uint8_t>(bits >> 16));
        if (pad < 2) out.push_back(static_cast<std::uint8_t>(bits >> 8));
        if (pad < 1) out.push_back(static_cast<std::uint8_t>(bits));
        if (pad > 0) finished = true;
    }
    return std::nullopt;
}

}  // namespace tavrine
