// The program's random generator: uniform reals in [0, 1), re-seeded from the clock.
#pragma once

#include <cstdint>

#include "base/host_services.h"

namespace orvelle {

class SystemRandom : public RandomSource {
  public:
    SystemRandom();
    explicit SystemRandom(std::uint64_t seed) : state_(seed) {}

    // Re-seeds from a high-resolution clock; two re-seeds differ even within one clock tick.
    void Randomize() override;
    float Next() override;

  private:
    std::uint64_t state_;
    std::uint64_t reseeds_ = 0;
};

}  // namespace orvelle
