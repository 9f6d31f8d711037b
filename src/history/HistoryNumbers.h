#pragma once

#include <cstdint>
#include <string>

namespace pelmar {

// The number texts of the history table and its copies (ASCII).
// "#,##0": an integer with a comma between groups of three digits.
void AppendThousands(std::string& out, std::int64_t value);
// "%.<decimals>F" of a single-precision value, 0 to 3 decimals, rounded half away from zero
// on its exact value (the value times 1000 is exact in double precision).
void AppendFixed(std::string& out, float value, int decimals);
// "%.1F" of stored tenths divided by 10.
void AppendTenths(std::string& out, std::int32_t tenths);

} // namespace pelmar
