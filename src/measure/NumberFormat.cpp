#include "measure/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <string>

namespace pelmar {

namespace {

// Digits of the binary value's exact decimal expansion, as "<int>.<frac>" or "<int>" when the
// value has no fraction. Exactness matters: rounding the already-rounded text of a shorter
// conversion could turn ...x4999 into ...x5 and round the wrong way.
std::string exactDigits(long double magnitude, int fractionDigits) {
    // Integer part up to about 4933 digits, the fraction as asked, sign, point and slack.
    std::string buffer(std::size_t(4960 + fractionDigits), '\0');
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                         std::chars_format::fixed, fractionDigits);
    if (ec != std::errc())
        return "0";
    buffer.resize(std::size_t(end - buffer.data()));
    return buffer;
}

} // namespace

QString FormatFixed(long double value, int decimals) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (decimals < 0)
        decimals = 0;

    const bool negative = std::signbit(value);
    const long double magnitude = std::fabs(value);

    // A 64-bit significand with binary exponent e has at most 64 - e fraction digits. Below
    // 16^-(decimals + 1) every digit up to the rounding digit is 0, so such values need no
    // expansion (and subnormals would otherwise need thousands of digits).
    std::string digits;
    int exponent = 0;
    std::frexp(magnitude, &exponent);
    if (magnitude == 0 || exponent < -4 * (decimals + 1)) {
        digits = "0";
    } else {
        const int fractionDigits = exponent >= 64 ? 0 : 64 - exponent;
        digits = exactDigits(magnitude, fractionDigits);
    }

    std::string integerPart = digits;
    std::string fraction;
    if (const auto point = digits.find('.'); point != std::string::npos) {
        integerPart = digits.substr(0, point);
        fraction = digits.substr(point + 1);
    }
    fraction.resize(std::size_t(decimals) + 1, '0');

    // Half away from zero: the first dropped digit alone decides, a 5 rounds up however the
    // expansion goes on.
    const bool roundUp = fraction.back() >= '5';
    fraction.pop_back();
    std::string kept = integerPart + fraction;
    if (roundUp) {
        std::size_t i = kept.size();
        while (i > 0) {
            --i;
            if (kept[i] == '9') {
                kept[i] = '0';
            } else {
                ++kept[i];
                break;
            }
            if (i == 0)
                kept.insert(kept.begin(), '1');
        }
    }

    const std::size_t integerLength = kept.size() - std::size_t(decimals);
    std::string text;
    // A value that rounds to zero prints without a sign: "-0.0" would read as a real negative
    // score that is not there.
    if (negative && kept.find_first_not_of('0') != std::string::npos)
        text += '-';
    text += kept.substr(0, integerLength);
    if (decimals > 0) {
        text += '.';
        text += kept.substr(integerLength);
    }
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

} // namespace pelmar
