#include "platform/TextFile.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <QString>

#include <random>
#include <string>
#include <vector>

namespace pelmar {
namespace {

using namespace Qt::StringLiterals;

const std::string Geta(GetaMark, sizeof GetaMark);

std::string hex(std::string_view bytes) {
    std::string out;
    for (unsigned char b : bytes)
        out += QString::asprintf("%02X ", b).toStdString();
    return out;
}

TEST(TextFile, DetectsUtf8OnlyWhenTheBytesAreValidUtf8) {
    const struct {
        std::string bytes;
        TextEncoding encoding;
    } cases[] = {
        {"", TextEncoding::Utf8},
        {"plain\r\n", TextEncoding::Utf8},
        {"\xEF\xBB\xBFhi", TextEncoding::Utf8},
        {"\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80", TextEncoding::Utf8},
        {"\x93\xFA\x96\x7B", TextEncoding::Cp932},     // CP932 Japanese
        {"caf\xE9", TextEncoding::Cp932},              // Latin-1
        {"\xC0\x80", TextEncoding::Cp932},             // overlong NUL
        {"\xED\xA0\x80", TextEncoding::Cp932},         // encoded surrogate
        {"\xF4\x90\x80\x80", TextEncoding::Cp932},     // beyond U+10FFFF
        {"ok \xE6\x97", TextEncoding::Cp932},          // cut off
        {"\xEF\xBB\xBF\x93\xFA", TextEncoding::Cp932}, // a BOM does not make it UTF-8
    };
    for (const auto& c : cases)
        EXPECT_EQ(detectTextEncoding(c.bytes), c.encoding) << hex(c.bytes);
}

TEST(TextFile, DecodesAndDropsOnlyTheLeadingBom) {
    const struct {
        std::string bytes;
        QString text;
    } cases[] = {
        {"\xEF\xBB\xBF" "a", u"a"_s},
        {"\xEF\xBB\xBF\xEF\xBB\xBF" "a", u"\uFEFFa"_s},
        {"a\r\n\xEF\xBB\xBF" "b", u"a\r\n\uFEFFb"_s},
        {"\x93\xFA\x96\x7B\r\n", u"\u65E5\u672C\r\n"_s},
        {"\xEF\xBB\xBF\x93\xFA", u"\uFFFD\uFF7F\u65E5"_s}, // CP932, so the BOM bytes are text
    };
    for (const auto& c : cases)
        EXPECT_EQ(decodeTextFile(c.bytes), c.text) << hex(c.bytes);
}

TEST(TextFile, SplitsAtEveryKindOfLineEnd) {
    const struct {
        std::string bytes;
        std::vector<std::string_view> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r", {"a"}},
        {"\n", {""}},
        {"\r\n\r\n", {"", ""}},
        {"\n\r", {"", ""}},
        {"a\r\rb", {"a", "", "b"}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"\x81\r\n\x82", {"\x81", "\x82"}}, // a lead byte never takes a line end as its trail
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitLines(c.bytes), c.lines) << hex(c.bytes);
}

TEST(TextFile, ConvertsLinesOfEitherEncoding) {
    const struct {
        std::string line;
        TextEncoding encoding;
        std::string cp932;
    } cases[] = {
        {"\xEF\xBB\xBFHi", TextEncoding::Utf8, "Hi"},
        {"\xEF\xBB\xBF\xEF\xBB\xBFHi", TextEncoding::Utf8, Geta + "Hi"},
        {"caf\xC3\xA9", TextEncoding::Utf8, "cafe"},
        {"\xE2\x80\x9Chi\xE2\x80\x9D", TextEncoding::Utf8, "\x81\x67hi\x81\x68"},
        {"a\xFF" "b", TextEncoding::Utf8, "a" + Geta + "b"},
        {"\xEF\xBB\xBFHi", TextEncoding::Cp932, Geta + "\xBFHi"},
        {"\x93\xFA\xFA\x5C\x80\xA0\xFD", TextEncoding::Cp932, "\x93\xFA\xED\x40\x80\xA0\xFD"},
        {"x\x81", TextEncoding::Cp932, "x" + Geta},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hex(lineToCp932(c.line, c.encoding)), hex(c.cp932)) << hex(c.line);
}

// Random bytes, weighted towards lead bytes and line ends so that broken pairs are common.
std::string randomBytes(std::mt19937& rng, std::size_t maxLength) {
    static const char pool[] = "aZ \r\n\x80\x81\x82\x85\x87\x9F\xA0\xDF\xE0\xEB\xED\xEE\xEF\xF0"
                               "\xFA\xFC\xFD\xFF\x40\x7E\x7F\xA4\xBB\xBF\xC3\xE2";
    std::string s(std::uniform_int_distribution<std::size_t>(0, maxLength)(rng), '\0');
    for (char& c : s)
        c = std::uniform_int_distribution<int>(0, 3)(rng) == 0
                ? static_cast<char>(std::uniform_int_distribution<int>(0, 255)(rng))
                : pool[std::uniform_int_distribution<std::size_t>(0, sizeof pool - 2)(rng)];
    return s;
}

// Random valid UTF-8 text: ASCII, accented letters, marks, characters CP932 has and lacks.
std::string randomUtf8(std::mt19937& rng, std::size_t pieces) {
    static const char* const pool[] = {
        "a", "Z", " ", ".", "\r", "\n", "\r\n", "\xC3\xA9", "e\xCC\x81", "\xE2\x80\x9C",
        "\xE2\x80\x94", "\xE6\x97\xA5", "\xEF\xBD\xB1", "\xF0\x9F\x98\x80", "\xC2\xA0"};
    std::string s = rng() % 2 ? "\xEF\xBB\xBF" : "";
    for (std::size_t i = 0; i < pieces; ++i)
        s += pool[rng() % std::size(pool)];
    return s;
}

TEST(TextFile, Cp932LinesConvertAsTheirRoundTripThroughUnicode) {
    std::mt19937 rng(932);
    for (int i = 0; i < 20000; ++i) {
        const std::string line = randomBytes(rng, 24);
        EXPECT_EQ(hex(lineToCp932(line, TextEncoding::Cp932)), hex(toCp932(fromCp932(line))))
            << hex(line);
    }
}

// Reading a file line by line gives what the window gets from the whole decoded text.
TEST(TextFile, LineByLineMatchesTheWholeDecodedFile) {
    std::mt19937 rng(1252);
    for (int i = 0; i < 4000; ++i) {
        const std::string file = i % 2 ? randomUtf8(rng, 30) : randomBytes(rng, 60);
        const TextEncoding encoding = detectTextEncoding(file);
        std::vector<std::string> byLine;
        for (std::string_view line : splitLines(file))
            byLine.push_back(lineToCp932(line, encoding));
        const std::string whole = toCp932(decodeTextFile(file));
        const std::vector<std::string_view> wholeLines = splitLines(whole);
        EXPECT_EQ(byLine, std::vector<std::string>(wholeLines.begin(), wholeLines.end()))
            << hex(file);
    }
}

} // namespace
} // namespace pelmar
