#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <string>
#include <string_view>

namespace pelmar {

// CP932 (Shift_JIS, Windows mapping) <-> Unicode.
//
// To CP932: a character CP932 lacks becomes its compatibility decomposition without combining
// marks when all of that exists in CP932 (e -> e, fi ligature -> "fi", no-break space -> blank),
// else the geta mark 0x81 0xAC, which the engine reads as a separator that ends a word and no
// sentence. A lone combining mark vanishes.
[[nodiscard]] std::string toCp932(QStringView text);

// From CP932: a byte sequence that is no CP932 character becomes U+FFFD. A lead byte whose
// next byte cannot be a trail byte (or that ends the input) is one bad character, and the next
// byte is read on its own; a well-formed pair with no character assigned is one bad character of
// two bytes, so its trail byte never turns up as a stray letter.
[[nodiscard]] QString fromCp932(std::string_view bytes);

// The bytes toCp932(fromCp932(bytes)) gives, without the detour through Unicode: valid text
// comes back unchanged except that a character with two codes (the NEC and IBM extensions)
// takes its preferred one, and each invalid sequence becomes the geta mark.
[[nodiscard]] std::string canonicalCp932(std::string_view bytes);

inline constexpr char GetaMark[2] = {'\x81', '\xAC'};

} // namespace pelmar
