#include "platform/TextFile.h"

#include <cstring>

#include "platform/Cp932.h"

#include <QByteArrayView>
#include <QStringDecoder>

#include <algorithm>

namespace pelmar {

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

std::string_view withoutBom(std::string_view bytes) {
    return bytes.starts_with(Utf8Bom) ? bytes.substr(Utf8Bom.size()) : bytes;
}

// Every byte, a leading BOM included: the caller has dropped the one BOM the file may have, and
// left to itself the decoder would swallow a second one too.
QString decodeUtf8(std::string_view bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

} // namespace

TextEncoding detectTextEncoding(std::string_view bytes) {
    return QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())).isValidUtf8()
               ? TextEncoding::Utf8
               : TextEncoding::Cp932;
}

QString decodeTextFile(std::string_view bytes) {
    return detectTextEncoding(bytes) == TextEncoding::Utf8 ? decodeUtf8(withoutBom(bytes))
                                                           : fromCp932(bytes);
}

std::string_view textFileBody(std::string_view bytes, TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? withoutBom(bytes) : bytes;
}

std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    const char* data = bytes.data();
    const std::size_t n = bytes.size();
    std::size_t start = 0;
    // memchr finds the line feeds fast; a CR before the next one ends a line too.
    while (start < n) {
        const void* lf = std::memchr(data + start, '\n', n - start);
        const std::size_t lineFeed = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : n;
        const void* cr = std::memchr(data + start, '\r', lineFeed - start);
        if (cr) {
            const auto at = static_cast<std::size_t>(static_cast<const char*>(cr) - data);
            lines.push_back(bytes.substr(start, at - start));
            start = (at + 1 < n && data[at + 1] == '\n') ? at + 2 : at + 1;
            continue;
        }
        lines.push_back(bytes.substr(start, lineFeed - start));
        start = lineFeed + 1;
    }
    return lines;
}

std::string lineToCp932(std::string_view line, TextEncoding encoding) {
    if (encoding == TextEncoding::Cp932)
        return canonicalCp932(line);
    // Most lines of English text are plain ASCII, which is the same in both encodings.
    if (std::all_of(line.begin(), line.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(line);
    return toCp932(decodeUtf8(line));
}

std::vector<std::string> textLinesToCp932(QStringView text) {
    std::vector<std::string> lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        lines.push_back(toCp932(text.mid(start, end - start)));
        start = end + 1;
        if (end + 1 < n && text[end] == u'\r' && text[end + 1] == u'\n')
            ++start;
    }
    return lines;
}

std::vector<std::string> textFileLines(std::string_view bytes) {
    const TextEncoding encoding = detectTextEncoding(bytes);
    const auto views = splitLines(textFileBody(bytes, encoding));
    std::vector<std::string> lines;
    lines.reserve(views.size());
    for (std::string_view line : views)
        lines.push_back(lineToCp932(line, encoding));
    return lines;
}

} // namespace pelmar
