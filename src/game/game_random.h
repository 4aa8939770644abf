#pragma once

#include <cstdint>

namespace fathomer {

// The 32-bit linear congruential generator the submarine draws its steps from:
// seed := seed * 134775813 + 1 (mod 2^32); a draw in 0..n-1 is the high 32 bits of seed * n,
// taken after the seed has moved on.
class GameRandom {
public:
    // Seeds once from the high-resolution clock (done when the main window is created).
    void Randomize();

    void setSeed(std::uint32_t seed) { RandSeed = seed; }
    std::uint32_t seed() const { return RandSeed; }

    // Uniform integer in 0..n-1, for n >= 1.
    std::uint32_t Random(std::uint32_t n) {
        RandSeed = RandSeed * 134775813u + 1u;
        return static_cast<std::uint32_t>((static_cast<std::uint64_t>(RandSeed) * n) >> 32);
    }

private:
    std::uint32_t RandSeed = 0;
};

}  // namespace fathomer
