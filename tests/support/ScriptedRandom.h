// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/RandomSource.h"

#include <vector>

namespace tevrix::testing {

// Draws the given numbers in turn (each taken modulo the bound), starting
// over when they run out; counts reseeds. Without numbers every draw is 0,
// so every exchange swaps an entry with itself and nothing moves.
class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom() = default;
    explicit ScriptedRandom(std::vector<int> draws) : m_draws(std::move(draws)) {}

    void Reseed() override { ++Reseeds; }
    int Below(int bound) override {
        ++Draws;
        if (m_draws.empty())
            return 0;
        const int value = m_draws[m_next++ % m_draws.size()];
        return value % bound;
    }

    int Reseeds = 0;
    int Draws = 0;

private:
    std::vector<int> m_draws;
    size_t m_next = 0;
};

} // namespace tevrix::testing
