#include "fly/FlyRandom.h"

namespace pelmar {

int TSeededRandom::Random(int n) {
    if (n <= 0)
        return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(m_engine);
}

} // namespace pelmar
