// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <random>

namespace tevrix {

// The random numbers of a run (task order, variant order), passed in so that
// tests can fix them.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Starts a new sequence from the clock.
    virtual void Reseed() = 0;
    // A number from 0 to `bound` - 1, each equally likely; `bound` > 0.
    virtual int Below(int bound) = 0;
};

// Random numbers seeded from the clock at every Reseed; a counter keeps two
// reseeds within one clock tick apart.
class ClockRandomSource final : public RandomSource {
public:
    void Reseed() override;
    int Below(int bound) override;

private:
    std::mt19937 m_engine;
    uint32_t m_reseeds = 0;
};

// One fixed sequence from a seed, whatever the clock: Reseed keeps it going,
// so a run can be repeated with the same task and variant orders.
class SeededRandomSource final : public RandomSource {
public:
    explicit SeededRandomSource(uint32_t seed) : m_engine(seed) {}
    void Reseed() override {}
    int Below(int bound) override;

private:
    std::mt19937 m_engine;
};

// The station's random numbers: from the clock, until a seed fixes them so
// that a run can be repeated with the orders of another front end's run.
class StationRandomSource final : public RandomSource {
public:
    void FixSeed(uint32_t seed) { m_seeded.emplace(seed); }
    void Reseed() override {
        if (m_seeded)
            m_seeded->Reseed();
        else
            m_clock.Reseed();
    }
    int Below(int bound) override {
        return m_seeded ? m_seeded->Below(bound) : m_clock.Below(bound);
    }

private:
    ClockRandomSource m_clock;
    std::optional<SeededRandomSource> m_seeded;
};

} // namespace tevrix
