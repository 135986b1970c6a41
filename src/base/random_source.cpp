#include "base/random_source.h"

#include <chrono>

namespace orvelle {

namespace {

// splitmix64: a full-period generator whose outputs are well mixed even for close seeds.
std::uint64_t SplitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

std::uint64_t ClockTicks() {
    const auto steady = std::chrono::steady_clock::now().time_since_epoch().count();
    const auto wall = std::chrono::system_clock::now().time_since_epoch().count();
    return static_cast<std::uint64_t>(steady) ^ (static_cast<std::uint64_t>(wall) << 1);
}

}  // namespace

SystemRandom::SystemRandom() : state_(ClockTicks()) {}

void SystemRandom::Randomize() {
    // The counter keeps re-seeds apart when the clock has not moved between them.
    ++reseeds_;
    state_ = ClockTicks() ^ (reseeds_ * 0xD1B54A32D192ED03ULL);
}

float SystemRandom::Next() {
    // 24 bits: every value is exact in single precision and strictly below 1.
    return static_cast<float>(SplitMix(state_) >> 40) * (1.0f / 16777216.0f);
}

}  // namespace orvelle
