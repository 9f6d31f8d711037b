#include "platform/TextFile.h"

#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <random>

namespace pelmar {
namespace {

using namespace Qt::StringLiterals;
using testing::PrintToString;

const std::string Geta(GetaMark, sizeof GetaMark);

TEST(TextFile, DetectsUtf8OnlyWhenTheBytesAreValidUtf8) {
    const std::string utf8[] = {"", "plain\r\n", "\xEF\xBB\xBFhi", "\xE6\x97\xA5 \xF0\x9F\x98\x80",
                                "seven b\xE6\x97\xA5", "a long run of ASCII then \xC3\xA9\xC3\xA9"};
    // CP932 Japanese, Latin-1, an overlong NUL, an encoded surrogate, a code point beyond
    // U+10FFFF, a cut-off character, and a BOM before bytes that are no UTF-8.
    const std::string cp932[] = {"\x93\xFA\x96\x7B",    "caf\xE9",          "\xC0\x80",
                                 "\xED\xA0\x80",        "\xF4\x90\x80\x80", "ok \xE6\x97",
                                 "\xEF\xBB\xBF\x93\xFA",
                                 // after long ASCII runs; a character cut by an ASCII byte
                                 "sixteen bytes ok\xC0\x80", "sixteen bytes ok\xE6\x97" "a"};
    for (const std::string& bytes : utf8)
        EXPECT_EQ(detectTextEncoding(bytes), TextEncoding::Utf8) << PrintToString(bytes);
    for (const std::string& bytes : cp932)
        EXPECT_EQ(detectTextEncoding(bytes), TextEncoding::Cp932) << PrintToString(bytes);
}

TEST(TextFile, DecodesAndDropsOnlyTheLeadingBom) {
    EXPECT_EQ(decodeTextFile("\xEF\xBB\xBFx\r\n\xEF\xBB\xBFy"), u"x\r\n\uFEFFy"_s);
    EXPECT_EQ(decodeTextFile("\xEF\xBB\xBF\xEF\xBB\xBFx"), u"\uFEFFx"_s);
    EXPECT_EQ(decodeTextFile("\x93\xFA\x96\x7B\r\n"), u"\u65E5\u672C\r\n"_s);
    // Not UTF-8, so the BOM bytes are CP932 text.
    EXPECT_EQ(decodeTextFile("\xEF\xBB\xBF\x93\xFA"), u"\uFFFD\uFF7B\uFF7F\u65E5"_s);
}

TEST(TextFile, BodyLosesTheBomOfUtf8Only) {
    EXPECT_EQ(textFileBody("\xEF\xBB\xBF\xEF\xBB\xBF", TextEncoding::Utf8), "\xEF\xBB\xBF");
    EXPECT_EQ(textFileBody("\xEF\xBB\xBF\x93\xFA", TextEncoding::Cp932), "\xEF\xBB\xBF\x93\xFA");
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
        {"\r\n\n\r", {"", "", ""}},
        {"a\r\rb", {"a", "", "b"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"\x81\r\n\x82", {"\x81", "\x82"}}, // a lead byte never takes a line end as its trail
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitLines(c.bytes), c.lines) << PrintToString(c.bytes);
}

TEST(TextFile, ConvertsLinesOfEitherEncoding) {
    const auto utf8 = TextEncoding::Utf8;
    const auto cp932 = TextEncoding::Cp932;
    EXPECT_EQ(lineToCp932("\xEF\xBB\xBFHi", utf8), "Hi");
    EXPECT_EQ(lineToCp932("\xEF\xBB\xBF\xEF\xBB\xBFHi\xEF\xBB\xBF!", utf8), "Hi!");
    EXPECT_EQ(lineToCp932("\xE2\x80\x9Cna\xC3\xAFve", utf8), "\x81\x67naive");
    EXPECT_EQ(lineToCp932("x\xFFy", utf8), "x" + Geta + "y");
    EXPECT_EQ(lineToCp932("\xEF\xBB\xBFHi", cp932), Geta + "\xBB\xBFHi");
    EXPECT_EQ(lineToCp932("\x93\xFA\xFA\x5C\x80\xA0\xFD\x81", cp932),
              "\x93\xFA\xED\x40\x80\xA0\xFD" + Geta);
}

// Random bytes weighted towards lead bytes and line ends, so that broken pairs are common; or
// valid UTF-8 built from ASCII, NUL, marks, BOMs, and characters CP932 has and lacks.
std::string randomFile(std::mt19937& rng, bool utf8) {
    using namespace std::string_literals;
    static const std::string bytes =
        "aZ \r\n\0\x80\x81\x85\x9F\xA0\xE0\xEB\xEF\xFA\xFC\xFD\x7F\xBB\xBF"s;
    static const std::string pieces[] = {
        "a",         " ",          "\r",           "\n",           "\r\n",       "\0"s,
        "\xC3\xA9",  "e\xCC\x81",  "\xE2\x80\x9C", "\xE6\x97\xA5", "\xEF\xBB\xBF", "e\xEF\xB8\x8F",
        "\xF0\x9F\x98\x80"};
    std::string s = utf8 && rng() % 2 ? "\xEF\xBB\xBF" : "";
    for (std::size_t i = rng() % 40; i > 0; --i) {
        if (utf8)
            s += pieces[rng() % std::size(pieces)];
        else
            s += rng() % 4 ? bytes[rng() % bytes.size()] : static_cast<char>(rng());
    }
    return s;
}

TEST(TextFile, Cp932LinesConvertAsTheirRoundTripThroughUnicode) {
    std::mt19937 rng(932);
    for (int i = 0; i < 20000; ++i) {
        const std::string line = randomFile(rng, false);
        EXPECT_EQ(lineToCp932(line, TextEncoding::Cp932), toCp932(fromCp932(line)))
            << PrintToString(line);
    }
}

// Reading a file line by line gives what the window gets from the whole decoded text.
TEST(TextFile, LineByLineMatchesTheWholeDecodedFile) {
    std::mt19937 rng(1252);
    for (int i = 0; i < 4000; ++i) {
        const std::string file = randomFile(rng, i % 2 == 0);
        const TextEncoding encoding = detectTextEncoding(file);
        std::vector<std::string> byLine;
        for (std::string_view line : splitLines(textFileBody(file, encoding)))
            byLine.push_back(lineToCp932(line, encoding));
        EXPECT_EQ(byLine, textLinesToCp932(decodeTextFile(file))) << PrintToString(file);
    }
}

} // namespace
} // namespace pelmar
