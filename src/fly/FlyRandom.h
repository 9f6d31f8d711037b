#pragma once

#include <cstdint>
#include <random>

namespace pelmar {

// Where the fly graph's randomness comes from, so a test can replay a flight exactly.
class TFlyRandom {
public:
    virtual ~TFlyRandom() = default;
    // A whole number from 0 to n - 1, uniform; 0 when n is 0 or less.
    [[nodiscard]] virtual int Random(int n) = 0;
};

// The program's own source, seeded once.
class TSeededRandom : public TFlyRandom {
public:
    explicit TSeededRandom(std::uint32_t seed) : m_engine(seed) {}
    [[nodiscard]] int Random(int n) override;

private:
    std::mt19937 m_engine;
};

} // namespace pelmar
