#pragma once

#include <QByteArray>
#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace pelmar {

// How the bytes of a ".txt" file are read: UTF-8 when they are valid UTF-8 (a BOM is dropped),
// else CP932.
enum class TextEncoding { Utf8, Cp932 };

[[nodiscard]] TextEncoding detectTextEncoding(std::string_view bytes);

// The whole file as Unicode, by the rule above.
[[nodiscard]] QString decodeTextFile(std::string_view bytes);

// Splits at CR LF, CR or LF. A final line end adds no empty line; an empty input gives no line.
[[nodiscard]] std::vector<std::string_view> splitLines(std::string_view bytes);

// One line of a file in the given encoding, as the CP932 bytes the engine reads. The same
// result as converting the decoded line with toCp932, so a file measures as it would when
// opened in the window.
[[nodiscard]] std::string lineToCp932(std::string_view line, TextEncoding encoding);

} // namespace pelmar
