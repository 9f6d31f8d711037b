#include "platform/TextFile.h"

#include "engine/Bytes.h"

#include <cstring>

#include "platform/Cp932.h"

#include <QByteArrayView>
#include <QStringDecoder>

#include <algorithm>
#include <atomic>
#include <thread>
#include <cstdint>

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
    // ASCII bytes are valid UTF-8 on their own and end any character before them, so only the
    // runs of other bytes need checking; English text is mostly long ASCII runs, skipped eight
    // bytes at a time.
    const char* const data = bytes.data();
    const std::size_t n = bytes.size();
    std::size_t at = 0;
    while (at < n) {
        for (std::uint64_t word; at + 8 <= n; at += 8) {
            std::memcpy(&word, data + at, 8);
            if (word & 0x8080808080808080ull)
                break;
        }
        while (at < n && static_cast<unsigned char>(data[at]) < 0x80)
            ++at;
        std::size_t end = at;
        while (end < n && static_cast<unsigned char>(data[end]) >= 0x80)
            ++end;
        if (!QByteArrayView(data + at, static_cast<qsizetype>(end - at)).isValidUtf8())
            return TextEncoding::Cp932;
        at = end;
    }
    return TextEncoding::Utf8;
}

TextEncoding detectTextEncoding(std::string_view bytes, int jobs) {
    constexpr std::size_t ParallelSize = 4 << 20;
    if (jobs <= 1 || bytes.size() < ParallelSize)
        return detectTextEncoding(bytes);
    // Cut at ASCII bytes: no character of valid UTF-8 spans one, so the text is valid UTF-8
    // exactly when every piece is (a character cut short before one is invalid either way).
    const std::size_t pieces = static_cast<std::size_t>(std::min(jobs, 8));
    std::vector<std::size_t> cuts{0};
    for (std::size_t k = 1; k < pieces; ++k) {
        std::size_t at = std::max(cuts.back(), bytes.size() * k / pieces);
        while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) >= 0x80)
            ++at;
        cuts.push_back(at);
    }
    cuts.push_back(bytes.size());
    std::atomic<bool> utf8 = true;
    std::vector<std::thread> threads;
    for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
        const std::string_view piece = bytes.substr(cuts[k], cuts[k + 1] - cuts[k]);
        threads.emplace_back([piece, &utf8] {
            if (detectTextEncoding(piece) != TextEncoding::Utf8)
                utf8 = false;
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    return utf8 ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

QString decodeTextFile(std::string_view bytes) {
    return detectTextEncoding(bytes) == TextEncoding::Utf8 ? decodeUtf8(withoutBom(bytes))
                                                           : fromCp932(bytes);
}

std::string_view textFileBody(std::string_view bytes, TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? withoutBom(bytes) : bytes;
}

TLineSpan lineAt(std::string_view bytes, std::size_t from) {
    const char* data = bytes.data();
    const std::size_t n = bytes.size();
    // memchr finds the line feeds fast; a CR before the next one ends a line too.
    const void* lf = std::memchr(data + from, '\n', n - from);
    const std::size_t lineFeed = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : n;
    const void* cr = std::memchr(data + from, '\r', lineFeed - from);
    if (cr) {
        const auto at = static_cast<std::size_t>(static_cast<const char*>(cr) - data);
        return {bytes.substr(from, at - from), (at + 1 < n && data[at + 1] == '\n') ? at + 2 : at + 1};
    }
    return {bytes.substr(from, lineFeed - from), lineFeed + 1};
}

TLineSpan lineAtWithoutCr(std::string_view bytes, std::size_t from) {
    const char* data = bytes.data();
    const void* lf = std::memchr(data + from, '\n', bytes.size() - from);
    const std::size_t end = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - data) : bytes.size();
    return {bytes.substr(from, end - from), end + 1};
}

std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const TLineSpan span = lineAt(bytes, start);
        lines.push_back(span.line);
        start = span.next;
    }
    return lines;
}

bool isAscii(std::string_view bytes) {
    return bytes::isAscii(bytes);
}

void appendLineToCp932(std::string& out, std::string_view line, TextEncoding encoding) {
    // Most lines of English text are plain ASCII, which is the same in both encodings.
    if (isAscii(line))
        out += line;
    else if (encoding == TextEncoding::Cp932)
        appendCanonicalCp932(out, line);
    else
        appendCp932(out, decodeUtf8(line));
}

std::string lineToCp932(std::string_view line, TextEncoding encoding) {
    std::string out;
    appendLineToCp932(out, line, encoding);
    return out;
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
