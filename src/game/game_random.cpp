#include "game/game_random.h"

#include <chrono>

namespace fathomer {

void GameRandom::Randomize() {
    // The low bits of the high-resolution count change fastest; fold the high half in so that
    // two starts in the same second still differ.
    const auto ticks = static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
    RandSeed = static_cast<std::uint32_t>(ticks ^ (ticks >> 32));
}

}  // namespace fathomer
