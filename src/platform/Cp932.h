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

// From CP932: a byte sequence that is no CP932 character becomes U+FFFD.
[[nodiscard]] QString fromCp932(std::string_view bytes);

inline constexpr char GetaMark[2] = {'\x81', '\xAC'};

} // namespace pelmar
