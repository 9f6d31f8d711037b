#include "engine/NormalizeText.h"

#include <gtest/gtest.h>

namespace pelmar {
namespace {

struct Case {
    const char* name;
    std::string source;
    std::string expected;
};

// Keeps the test names readable in the test list.
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class NormalizeTextCases : public testing::TestWithParam<Case> {};

TEST_P(NormalizeTextCases, Normalizes) {
    EXPECT_EQ(NormalizeText(GetParam().source), GetParam().expected);
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Tables, NormalizeTextCases,
    testing::Values(
        Case{"FullWidthLettersAndPunctuation",
             "\x82\x67\x82\x85\x82\x8C\x82\x8C\x82\x8F\x81\x43\x81\x40\x82\x97\x82\x8F\x82\x92"
             "\x82\x8C\x82\x84\x81\x49",
             "Hello, world!"},
        Case{"Quotes", "\x81\x68\x81\x67\x81\x66\x81\x65", "\"\"'`"},
        Case{"JapanesePunctuationBecomesHalfWidth", "\x81\x41\x81\x42\x81\x5B\x81\x75\x81\x76\x81\x45",
             "\xA4\xA1\xB0\xA2\xA3\xA5"},
        // A middle dot before a byte 0x80..0x85 is read as a ligature, whatever follows.
        Case{"MiddleDotBeforeKatakanaReadsAsLigature", "\x81\x45\x83\x58", "ffiX"},
        Case{"HiraganaBecomesHalfWidthKatakana", "\x82\xB1\x82\xF1\x82\xC9\x82\xBF\x82\xCD",
             "\xBA\xDD\xC6\xC1\xCA"},
        Case{"VoicedAndSemiVoicedKana", "\x83\x4B\x83\x70", "\xB6\xDE\xCA\xDF"},
        Case{"KanaHalfWidthLacks", "\x82\xEC\x83\x94\x83\x95\x83\x96", "\xDC\xB3\xDE\xB6\xB9"},
        Case{"KanjiPassesThrough", "\x8A\xBF\x8E\x9A", "\x8A\xBF\x8E\x9A"},
        Case{"OtherSymbolsPassThrough", "\x81\x63\x81\xAC\x81\x64", "\x81\x63\x81\xAC\x81\x64"},
        Case{"AsciiUnchanged", "It's 3.14, isn't it?\t~", "It's 3.14, isn't it?\t~"},
        Case{"Ligatures", "o\x81\x45\x81" "ce \x81\x45\x83" "x \x81\x45\x80", "ofice ffix ff"},
        Case{"HyphenAndStrayUtf8", "well\x81\x5Dknown caf\xC3\xA9 \xE2\x80\x9Chi\xE2\x80\x9D",
             "well-known cafe \"hi\""},
        Case{"StrayUtf8Ligatures", "\xE2\x86\xB5 \xE2\x9C\x8F", "ff ffl"},
        // A lead byte at the very end has no partner: pairing it with a stand-in would turn
        // 0x82 into "!" and invent a sentence end.
        Case{"LoneLeadByteAtEnd", "end\x82", "end\x82"},
        Case{"LoneLeadByteOnly", "\x81", "\x81"},
        // 0xC3 is half-width katakana unless it starts a UTF-8 e-acute.
        Case{"HalfWidthTeKeepsNextByte", "\xC3" "A", "\xC3" "A"},
        Case{"HalfWidthTeAtEnd", "A\xC3", "A\xC3"},
        Case{"NulBytesPass", "a\0b"s, "a\0b"s},
        // Past the last kana the lead byte alone goes through.
        Case{"KanaRowBeyondTable", "\x83\x97Z", "\x83\x97Z"}),
    [](const testing::TestParamInfo<Case>& p) { return std::string(p.param.name); });

TEST(SjisToJis, ConvertsRowsAndCells) {
    EXPECT_EQ(SjisToJis(0x8140), 0x2121);
    EXPECT_EQ(SjisToJis(0x824F), 0x2330); // full-width 0
    EXPECT_EQ(SjisToJis(0x82A0), 0x2422); // a (hiragana)
    EXPECT_EQ(SjisToJis(0x8340), 0x2521); // small a (katakana)
    EXPECT_EQ(SjisToJis(0x8394), 0x2574); // vu
    EXPECT_EQ(SjisToJis(0x889F), 0x3021); // first level-1 kanji
    EXPECT_EQ(SjisToJis(0xE040), 0x5F21);
    EXPECT_EQ(SjisToJis(0xEAA4), 0x7426); // last level-2 kanji
}

} // namespace
} // namespace pelmar
