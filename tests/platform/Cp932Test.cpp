#include "platform/Cp932.h"

#include <gtest/gtest.h>

namespace pelmar {
namespace {

using namespace Qt::StringLiterals;
using testing::PrintToString;

const std::string Geta(GetaMark, sizeof GetaMark);
const QString Bad(QChar::ReplacementCharacter);

// Every byte and every lead byte with every second byte: a character decodes to one unit that
// encodes to a code for the same character (a single byte to itself); a lead byte that begins
// no character is one U+FFFD, and the byte after it is read on its own.
TEST(Cp932, EveryCodeRoundTrips) {
    int assigned = 0;
    int encodedElsewhere = 0;
    for (int first = 0; first < 0x100; ++first) {
        const bool lead = (first >= 0x81 && first <= 0x9F) || (first >= 0xE0 && first <= 0xFC);
        for (int second = 0; second < (lead ? 0x100 : 1); ++second) {
            std::string code(1, static_cast<char>(first));
            if (lead)
                code += static_cast<char>(second);
            const QString text = fromCp932(code);
            if (text.startsWith(Bad)) {
                EXPECT_TRUE(lead) << PrintToString(code);
                EXPECT_EQ(text, Bad + fromCp932(code.substr(1))) << PrintToString(code);
                continue;
            }
            ASSERT_EQ(text.size(), 1) << PrintToString(code);
            const std::string back = toCp932(text);
            EXPECT_EQ(fromCp932(back), text) << PrintToString(code);
            EXPECT_EQ(canonicalCp932(code), back);
            EXPECT_TRUE(lead || back == code) << PrintToString(code);
            assigned += lead;
            encodedElsewhere += back != code;
        }
    }
    // 9604 codes for 9206 characters: the rest are NEC and IBM duplicates.
    EXPECT_EQ(assigned, 9604);
    EXPECT_EQ(encodedElsewhere, 9604 - 9206);
}

// Where the Windows mapping differs from plain Shift_JIS, and the edges of the table.
TEST(Cp932, KnownCodesMapBothWays) {
    const struct {
        const char* bytes;
        char16_t ch;
    } cases[] = {
        {"\x5C", u'\\'},      {"\x80", 0x0080},     {"\xA0", 0xF8F0},     {"\xA1", 0xFF61},
        {"\xDF", 0xFF9F},     {"\xFF", 0xF8F3},     {"\x81\x40", 0x3000}, {"\x88\x9F", 0x4E9C},
        {"\x81\x5C", 0x2015}, {"\x81\x60", 0xFF5E}, {"\x81\x61", 0x2225}, {"\x81\x7C", 0xFF0D},
        {"\x81\x66", 0x2019}, {"\x87\x40", 0x2460}, {"\xF0\x40", 0xE000}, {"\xF9\xFC", 0xE757},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fromCp932(c.bytes), QString(QChar(c.ch))) << PrintToString(std::string(c.bytes));
        EXPECT_EQ(toCp932(QStringView(&c.ch, 1)), c.bytes);
    }
}

TEST(Cp932, DuplicatesAndLookalikesTakeThePreferredCode) {
    const struct {
        QString text;
        const char* bytes;
    } cases[] = {
        {fromCp932("\x87\x90"), "\x81\xE0"}, // NEC row 13 -> JIS
        {fromCp932("\xFA\x54"), "\x81\xCA"}, // IBM -> JIS
        {fromCp932("\xFA\x4A"), "\x87\x54"}, // IBM -> NEC row 13
        {fromCp932("\xFA\x5C"), "\xED\x40"}, // IBM -> NEC-selected IBM
        // No code decodes to these; they take their full-width forms.
        {u"\u00A2"_s, "\x81\x91"},
        {u"\u2212"_s, "\x81\x7C"},
        {u"\u301C"_s, "\x81\x60"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toCp932(c.text), c.bytes) << PrintToString(std::string(c.bytes));
}

// Strings a literal cannot spell, such as a lone surrogate.
QString units(std::initializer_list<char16_t> codeUnits) {
    return QString(reinterpret_cast<const QChar*>(codeUnits.begin()),
                   static_cast<qsizetype>(codeUnits.size()));
}

TEST(Cp932, CharactersCp932LacksFallBack) {
    const struct {
        QString text;
        std::string bytes;
    } cases[] = {
        {u"It\u2019s \u201Cfine\u201D\u2026"_s, "It\x81\x66s \x81\x67\x66ine\x81\x68\x81\x63"},
        {u"\u00C5ngstr\u00F6m \u212B"_s, "Angstrom \x81\xF0"},
        // Marks of each kind vanish, with or without a combining class: a variation selector
        // or an enclosing circle never stands alone.
        {u"e\u0301\u0327|\u0301|\u0903|\u20DD|\u3099"_s, "e||||"},
        {u"e\uFE0Fg 1\u20E3"_s, "eg 1"},
        // A zero-width no-break space vanishes wherever it stands, not only at the start.
        {u"\uFEFFa\uFEFF\uFEFFb\uFEFF"_s, "ab"},
        {u"\uFB01x a\u00A0b \u2474"_s, "fix a b (1)"},
        {u"\u00E9\u0129\u00E9\u0129"_s, "eiei"}, // the same and clashing characters in a row
        {u"\u3316\u3316"_s, // a square unit whose six katakana are too long to keep
         "\x83\x4C\x83\x8D\x83\x81\x81\x5B\x83\x67\x83\x8B\x83\x4C\x83\x8D\x83\x81\x81\x5B\x83\x67"
         "\x83\x8B"},
        {u"\U0001D400\U0001D41B"_s, "Ab"},
        {u"\u00BD"_s, Geta}, // decomposes, but the fraction slash is no CP932 character
        {u"\u00DF\u2014\uD55C\uFFFD"_s, Geta + Geta + Geta + Geta},
        {u"a\U0001F600b"_s, "a" + Geta + "b"}, // one mark for the whole pair
        {units({0xD83D, u'a', 0xDE00, 0xD83D}), Geta + "a" + Geta + Geta},
    };
    for (const auto& c : cases)
        EXPECT_EQ(toCp932(c.text), c.bytes) << c.text.toStdString();
}

TEST(Cp932, InvalidSequencesDecodeToReplacementCharacters) {
    const struct {
        std::string bytes;
        QString text;
    } cases[] = {
        {"\x82\xA0\x82", u"\u3042"_s + Bad},
        {"\x81 \x81\x7F", Bad + u" "_s + Bad + u"\x7F"_s},
        {"\x81\xFD\x81\n", Bad + u"\uF8F1"_s + Bad + u"\n"_s},
        // A lead byte of an unassigned pair is bad on its own: the byte after it may be a
        // letter or begin a character of its own.
        {"\x85\x41", Bad + u"A"_s},
        {"\x61\x85\x82\x60\x62", u"a"_s + Bad + u"\uFF21b"_s},
        {"\xEB\x9F\xEF\xFC", Bad + u"\u6EC2"_s + Bad},
        {"\x81\x81\x40", u"\uFF1D@"_s},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fromCp932(c.bytes), c.text) << PrintToString(c.bytes);
    EXPECT_EQ(canonicalCp932("\x85\x41"), Geta + "A");
    EXPECT_EQ(canonicalCp932("\x61\x85\x82\x60\x62"), "a" + Geta + "\x82\x60" "b");
    // A lead byte at the end of a view is not completed by the byte after it.
    EXPECT_EQ(fromCp932(std::string_view("\x82\xA0", 1)), Bad);
    EXPECT_EQ(canonicalCp932(std::string_view("\x82\xA0", 1)), Geta);
}

} // namespace
} // namespace pelmar
