#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <string>
#include <string_view>
#include <vector>

namespace pelmar {

// How the bytes of a ".txt" file are read: UTF-8 when they are valid UTF-8 (a BOM is dropped),
// else CP932.
enum class TextEncoding { Utf8, Cp932 };

[[nodiscard]] TextEncoding detectTextEncoding(std::string_view bytes);
// The same answer, a large text looked at in pieces on up to `jobs` threads.
[[nodiscard]] TextEncoding detectTextEncoding(std::string_view bytes, int jobs);

// The whole file as Unicode, by the rule above.
[[nodiscard]] QString decodeTextFile(std::string_view bytes);

// The part of a file that holds its lines: all of it but a UTF-8 BOM. Split this rather than the
// whole file, so that a file of nothing but a BOM has no line, as in the window.
[[nodiscard]] std::string_view textFileBody(std::string_view bytes, TextEncoding encoding);

// Splits at CR LF, CR or LF. A final line end adds no empty line; an empty input gives no line.
[[nodiscard]] std::vector<std::string_view> splitLines(std::string_view bytes);

// One line of a file in the given encoding, as the CP932 bytes the engine reads. The same
// result as converting the decoded line with toCp932, so a file measures as it would when
// opened in the window; for CP932 that is canonicalCp932(line).
//
// Callers pass each line of splitLines(textFileBody(file, encoding)) with the encoding
// detectTextEncoding gives for the whole file. A BOM (zero-width no-break space) vanishes
// wherever it stands in a UTF-8 line, as toCp932 drops it.
[[nodiscard]] std::string lineToCp932(std::string_view line, TextEncoding encoding);

// The lines of a text (the window's input pane) as the CP932 bytes the engine reads. The text is
// split at CR LF, CR or LF before it is converted, so a character that vanishes in conversion (a
// zero-width no-break space alone on the last line) never takes its line with it.
[[nodiscard]] std::vector<std::string> textLinesToCp932(QStringView text);

// lineToCp932 appended to `out`.
void appendLineToCp932(std::string& out, std::string_view line, TextEncoding encoding);

// Whether every byte is below 0x80: such a line reads the same in either encoding.
[[nodiscard]] bool isAscii(std::string_view bytes);

// The line that starts at offset `from` of the text (from < size) and the offset after its line
// end, as splitLines cuts them.
struct TLineSpan {
    std::string_view line;
    std::size_t next;
};
[[nodiscard]] TLineSpan lineAt(std::string_view bytes, std::size_t from);
// The same for bytes known to hold no CR, where only LF ends a line.
[[nodiscard]] TLineSpan lineAtWithoutCr(std::string_view bytes, std::size_t from);

// A whole ".txt" file as the CP932 lines the measurement reads.
[[nodiscard]] std::vector<std::string> textFileLines(std::string_view bytes);

} // namespace pelmar
