// The game's one random generator.
#pragma once

#include <cstdint>

namespace tavrine {

/// A small, fast, seedable generator (PCG32). The game object owns exactly one;
/// every random choice of the rules draws from it, so a run is reproduced by its
/// seed. The sequence is the same on every platform and compiler.
class Random {
public:
    explicit Random(std::uint64_t seed = 1) { Seed(seed); }

    void Seed(std::uint64_t seed);

    /// A uniform integer in [0, n); 0 when n <= 0.
    std::int32_t operator()(std::int32_t n);

    /// The raw 32-bit output.
    std::uint32_t Next();

    /// The whole state, for saving and comparing runs.
    std::uint64_t State() const { return state_; }
    /// Continues from a state `State()` returned (a replay starts where the
    /// recorded battle's generator stood).
    void Restore(std::uint64_t state) { state_ = state; }

private:
    std::uint64_t state_ = 0;
    static constexpr std::uint64_t kIncrement = 1442695040888963407ull;
};

}  // namespace tavrine
