// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/RandomSource.h"

#include <chrono>

namespace tevrix {

void ClockRandomSource::Reseed() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seed{uint32_t(ticks), uint32_t(uint64_t(ticks) >> 32), ++m_reseeds};
    m_engine.seed(seed);
}

int ClockRandomSource::Below(int bound) {
    return std::uniform_int_distribution<int>(0, bound - 1)(m_engine);
}

int SeededRandomSource::Below(int bound) {
    return std::uniform_int_distribution<int>(0, bound - 1)(m_engine);
}

} // namespace tevrix
