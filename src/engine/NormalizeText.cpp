#include "engine/NormalizeText.h"

#include "engine/Bytes.h"

#include <array>
#include <cstring>

namespace pelmar {
namespace {

using bytes::u8;

struct Punctuation {
    unsigned char lead, trail, half;
};

// Full-width punctuation and its single-byte equivalent.
constexpr Punctuation kPunctuation[] = {
    {0x81, 0x40, 0x20}, {0x81, 0x49, 0x21}, {0x81, 0x68, 0x22}, {0x81, 0x94, 0x23},
    {0x81, 0x90, 0x24}, {0x81, 0x93, 0x25}, {0x81, 0x95, 0x26}, {0x81, 0x66, 0x27},
    {0x81, 0x69, 0x28}, {0x81, 0x6A, 0x29}, {0x81, 0x81, 0x3D}, {0x81, 0x65, 0x60},
    {0x81, 0x62, 0x7C}, {0x81, 0x7C, 0x2D}, {0x81, 0x4F, 0x5E}, {0x81, 0x8F, 0x5C},
    {0x81, 0x50, 0x7E}, {0x81, 0x6F, 0x7B}, {0x81, 0x97, 0x40}, {0x81, 0x6D, 0x5B},
    {0x81, 0x7B, 0x2B}, {0x81, 0x96, 0x2A}, {0x81, 0x70, 0x7D}, {0x81, 0x47, 0x3B},
    {0x81, 0x46, 0x3A}, {0x81, 0x6E, 0x5D}, {0x81, 0x83, 0x3C}, {0x81, 0x84, 0x3E},
    {0x81, 0x48, 0x3F}, {0x81, 0x51, 0x5F}, {0x81, 0x41, 0xA4}, {0x81, 0x42, 0xA1},
    {0x81, 0x45, 0xA5}, {0x81, 0x43, 0x2C}, {0x81, 0x44, 0x2E}, {0x81, 0x5E, 0x2F},
    {0x81, 0x5B, 0xB0}, {0x81, 0x75, 0xA2}, {0x81, 0x76, 0xA3}, {0x81, 0x67, 0x22},
};

// Every punctuation character has lead byte 0x81, so one table over the trail byte finds it.
constexpr std::array<unsigned char, 256> makePunctuationByTrail() {
    std::array<unsigned char, 256> table{};
    for (const auto& p : kPunctuation)
        table[p.trail] = p.half;
    return table;
}
constexpr auto kPunctuationByTrail = makePunctuationByTrail();

// Kana cells 0x21..0x76 of either kana row: half-width byte = 0xA6 + value % 56; value / 56 is
// 1 for a following voiced mark, 2 for a semi-voiced mark.
constexpr unsigned char kKana[0x77 - 0x21] = {
    1,  11, 2,  12, 3,  13, 4,  14,  5,  15, 16, 72,  17, 73, 18,  74, 19, 75, 20, 76, 21, 77,
    22, 78, 23, 79, 24, 80, 25, 81,  26, 82, 27, 83,  9,  28, 84,  29, 85, 30, 86, 31, 32, 33,
    34, 35, 36, 92, 148, 37, 93, 149, 38, 94, 150, 39, 95, 151, 40, 96, 152, 41, 42, 43, 44, 45,
    6,  46, 7,  47, 8,  48, 49, 50,  51, 52, 53, 54,  54, 12, 14,  0,  55, 69, 16, 19,
};

struct Special {
    const char* bytes;
    std::size_t length;
    const char* replacement;
};

// Ligatures that arrive behind a middle dot, the hyphen, and UTF-8 sequences that slipped
// through as bytes.
const Special kSpecial[] = {
    {"\x81\x45\x80", 3, "ff"}, {"\x81\x45\x81", 3, "fi"},  {"\x81\x45\x82", 3, "fl"},
    {"\x81\x45\x83", 3, "ffi"}, {"\x81\x45\x84", 3, "ffl"}, {"\x81\x45\x85", 3, "ft"},
    {"\x81\x5D", 2, "-"},       {"\xC3\xA9", 2, "e"},       {"\xE2\x80\x9C", 3, "\""},
    {"\xE2\x80\x9D", 3, "\""},  {"\xE2\x86\xB5", 3, "ff"},  {"\xE2\x9C\x8F", 3, "ffl"},
};

[[nodiscard]] bool startsSpecial(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || b == 0xC3 || (b >= 0xE0 && b <= 0xFC);
}

} // namespace

std::uint16_t SjisToJis(std::uint16_t code) {
    unsigned lead = code >> 8;
    unsigned trail = code & 0xFFu;
    if (lead >= 0xE0)
        lead -= 0x40;
    unsigned row = (lead - 0x81) * 2 + 0x21;
    unsigned cell;
    if (trail >= 0x9F) {
        ++row;
        cell = trail - 0x7E;
    } else {
        cell = (trail >= 0x80 ? trail - 1 : trail) - 0x1F;
    }
    return static_cast<std::uint16_t>(((row & 0xFFu) << 8) | (cell & 0xFFu));
}

std::string NormalizeText(std::string_view source) {
    std::string out;
    out.reserve(source.size() + 8);
    std::size_t i = 0;
    const std::size_t n = source.size();
    while (i < n) {
        const unsigned char b = u8(source[i]);
        if (!startsSpecial(b)) {
            // Fast path: copy the whole run of plain bytes at once.
            std::size_t j = i + 1;
            while (j < n && !startsSpecial(u8(source[j])))
                ++j;
            out.append(source.data() + i, j - i);
            i = j;
            continue;
        }
        const std::string_view rest = source.substr(i);
        const Special* special = nullptr;
        for (const Special& s : kSpecial) {
            if (rest.size() >= s.length && std::memcmp(rest.data(), s.bytes, s.length) == 0) {
                special = &s;
                break;
            }
        }
        if (special) {
            out += special->replacement;
            i += special->length;
            continue;
        }
        // 0xC3 is half-width katakana unless it starts the UTF-8 e-acute handled above; a lead
        // byte with nothing after it has no character to pair with. Both stay as they are.
        if (b == 0xC3 || i + 1 == n) {
            out += char(b);
            ++i;
            continue;
        }
        const unsigned char second = u8(source[i + 1]);
        const std::uint16_t jis = SjisToJis(static_cast<std::uint16_t>(b << 8 | second));
        const unsigned row = jis >> 8;
        const unsigned cell = jis & 0xFFu;
        if (row == 0x24 || row == 0x25) {
            if (cell >= 0x77 || cell < 0x21) {
                // No kana there: the lead byte alone goes through and the next byte is read
                // on its own.
                out += char(b);
                ++i;
            } else {
                const unsigned value = kKana[cell - 0x21];
                out += char(0xA6 + value % 56);
                if (value / 56 == 1)
                    out += '\xDE';
                else if (value / 56 == 2)
                    out += '\xDF';
                i += 2;
            }
            continue;
        }
        if (b == 0x81 && kPunctuationByTrail[second] != 0) {
            out += char(kPunctuationByTrail[second]);
        } else if (row == 0x23) {
            out += char(cell);
        } else {
            out += char(b);
            out += char(second);
        }
        i += 2;
    }
    return out;
}

} // namespace pelmar
