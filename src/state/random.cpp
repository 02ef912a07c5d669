#include "state/random.h"

namespace tavrine {

void Random::Seed(std::uint64_t seed) {
    state_ = 0;
    Next();
    state_ += seed;
    Next();
}

std::uint32_t Random::Next() {
    const std::uint64_t old = state_;
    state_ = old * 6364136223846793005ull + kIncrement;
    const auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
    const auto rot = static_cast<std::uint32_t>(old >> 59u);
    return (xorshifted >> rot) | (xorshifted << ((-rot) & 31u));
}

std::int32_t Random::operator()(std::int32_t n) {
    if (n <= 0) return 0;
    // Lemire's multiply-and-reject: unbiased, one multiplication in almost every call.
    const auto range = static_cast<std::uint32_t>(n);
    std::uint64_t m = std::uint64_t{Next()} * range;
    auto low = static_cast<std::uint32_t>(m);
    if (low < range) {
        const std::uint32_t threshold = (0u - range) % range;
        while (low < threshold) {
            m = std::uint64_t{Next()} * range;
            low = static_cast<std::uint32_t>(m);
        }
    }
    return static_cast<std::int32_t>(m >> 32);
}

}  // namespace tavrine
