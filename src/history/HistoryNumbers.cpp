#include "history/HistoryNumbers.h"

#include "measure/NumberFormat.h"
#include "measure/ResultText.h"

#include <cmath>

namespace pelmar {

void AppendThousands(std::string& out, std::int64_t value) {
    std::uint64_t magnitude = value < 0 ? 0ull - static_cast<std::uint64_t>(value)
                                        : static_cast<std::uint64_t>(value);
    char digits[32];
    int n = 0;
    int inGroup = 0;
    do {
        if (inGroup == 3) {
            digits[n++] = ',';
            inGroup = 0;
        }
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
        ++inGroup;
    } while (magnitude != 0);
    if (value < 0)
        out += '-';
    while (n > 0)
        out += digits[--n];
}

void AppendFixed(std::string& out, float value, int decimals) {
    static constexpr long long Scales[] = {1, 10, 100, 1000};
    if (decimals < 0 || decimals > 3) {
        out += FormatFixed(value, decimals).toStdString();
        return;
    }
    const long long scale = Scales[decimals];
    const double scaled = double(value) * double(scale);
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 1e17) {
        out += FormatFixed(value, decimals).toStdString();
        return;
    }
    const auto whole = static_cast<long long>(std::floor(std::fabs(scaled) + 0.5));
    if (std::signbit(scaled) && whole != 0) // a value that rounds to zero is shown as zero
        out += '-';
    out += std::to_string(whole / scale);
    if (decimals == 0)
        return;
    out += '.';
    const std::string fraction = std::to_string(whole % scale);
    out.append(static_cast<std::size_t>(decimals) - fraction.size(), '0');
    out += fraction;
}

void AppendTenths(std::string& out, std::int32_t tenths) {
    detail::appendTenths(out, tenths);
}

} // namespace pelmar
