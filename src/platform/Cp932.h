#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <string>
#include <string_view>

namespace pelmar {

// CP932 (Shift_JIS, Windows mapping) <-> Unicode.
//
// To CP932: a character CP932 lacks becomes its compatibility decomposition without marks when
// all of that exists in CP932 (e -> e, fi ligature -> "fi", no-break space -> blank), else the
// geta mark 0x81 0xAC, which the engine reads as a separator that ends a word and no sentence.
// A mark (any of Mn, Mc, Me, with or without a combining class: an accent, a variation selector,
// an enclosing circle) never stands alone, so it vanishes: "e" U+FE0F "g" is the word "eg".
// A zero-width no-break space (U+FEFF, the byte order mark) vanishes wherever it stands: texts
// pasted together from several files carry one in mid-line, where it must not split a word.
[[nodiscard]] std::string toCp932(QStringView text);
void appendCp932(std::string& out, QStringView text);

// From CP932: a lead byte that begins no CP932 character (its next byte cannot be a trail byte,
// the pair has no character assigned, or it ends the input) becomes U+FFFD on its own, and the
// next byte is read as the start of a character: "61 85 82 60 62" is "a", U+FFFD, "Ａ", "b".
[[nodiscard]] QString fromCp932(std::string_view bytes);

// The bytes toCp932(fromCp932(bytes)) gives, without the detour through Unicode: valid text
// comes back unchanged except that a character with two codes (the NEC and IBM extensions)
// takes its preferred one, and each bad lead byte becomes the geta mark.
[[nodiscard]] std::string canonicalCp932(std::string_view bytes);
void appendCanonicalCp932(std::string& out, std::string_view bytes);

inline constexpr char GetaMark[2] = {'\x81', '\xAC'};

} // namespace pelmar
