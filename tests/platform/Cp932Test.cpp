#include "platform/Cp932.h"

#include <gtest/gtest.h>

#include <QString>

#include <string>

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

bool isLeadByte(int b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

TEST(Cp932, EverySingleByteRoundTrips) {
    for (int b = 0; b < 0x100; ++b) {
        if (isLeadByte(b))
            continue;
        const std::string byte(1, static_cast<char>(b));
        const QString text = fromCp932(byte);
        EXPECT_EQ(text.size(), 1) << hex(byte);
        EXPECT_NE(text, QString(QChar::ReplacementCharacter)) << hex(byte);
        EXPECT_EQ(toCp932(text), byte) << hex(byte);
    }
}

// Every lead byte with every possible second byte: an assigned code decodes to one character
// that encodes back to a code for that same character; an unassigned pair is one U+FFFD; a byte
// that cannot be a trail byte is read on its own.
TEST(Cp932, EveryDoubleByteCodeRoundTrips) {
    int assigned = 0;
    int encodedElsewhere = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isLeadByte(lead))
            continue;
        for (int trail = 0; trail < 0x100; ++trail) {
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            const QString text = fromCp932(code);
            if (trail < 0x40 || trail == 0x7F || trail > 0xFC) {
                EXPECT_EQ(text, QChar(QChar::ReplacementCharacter) +
                                    fromCp932(std::string(1, static_cast<char>(trail))))
                    << hex(code);
                continue;
            }
            ASSERT_EQ(text.size(), 1) << hex(code);
            if (text[0] == QChar::ReplacementCharacter)
                continue;
            ++assigned;
            const std::string back = toCp932(text);
            EXPECT_EQ(back.size(), 2u) << hex(code);
            EXPECT_EQ(fromCp932(back), text) << hex(code);
            EXPECT_EQ(canonicalCp932(code), back) << hex(code);
            if (back != code)
                ++encodedElsewhere;
        }
    }
    // 9604 codes for 9206 characters: the rest are NEC and IBM duplicates.
    EXPECT_EQ(assigned, 9604);
    EXPECT_EQ(encodedElsewhere, 9604 - 9206);
}

// Codes where the Windows mapping differs from plain Shift_JIS, and the edges of the table.
TEST(Cp932, KnownCodesMapBothWays) {
    const struct {
        const char* bytes;
        char16_t ch;
    } cases[] = {
        {"\x5C", u'\\'},      {"\x7E", u'~'},       {"\x80", 0x0080},     {"\xA0", 0xF8F0},
        {"\xA1", 0xFF61},     {"\xDF", 0xFF9F},     {"\xFD", 0xF8F1},     {"\xFF", 0xF8F3},
        {"\x81\x40", 0x3000}, {"\x82\xA0", 0x3042}, {"\x88\x9F", 0x4E9C}, {"\x81\x5C", 0x2015},
        {"\x81\x5F", 0xFF3C}, {"\x81\x60", 0xFF5E}, {"\x81\x61", 0x2225}, {"\x81\x7C", 0xFF0D},
        {"\x81\x91", 0xFFE0}, {"\x81\xCA", 0xFFE2}, {"\x81\x66", 0x2019}, {"\x81\x68", 0x201D},
        {"\x81\xF0", 0x212B}, {"\x87\x40", 0x2460}, {"\x87\x54", 0x2160}, {"\xED\x40", 0x7E8A},
        {"\xEE\xEF", 0x2170}, {"\xF0\x40", 0xE000}, {"\xF9\xFC", 0xE757},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fromCp932(c.bytes), QString(QChar(c.ch))) << hex(c.bytes);
        EXPECT_EQ(toCp932(QStringView(&c.ch, 1)), c.bytes) << hex(c.bytes);
    }
}

TEST(Cp932, DuplicateAndLookalikeCharactersTakeThePreferredCode) {
    const struct {
        QString text;
        const char* bytes;
    } cases[] = {
        {fromCp932("\x87\x90"), "\x81\xE0"}, // nearly equal, NEC row 13 -> JIS row 2
        {fromCp932("\xFA\x54"), "\x81\xCA"}, // not sign, IBM -> JIS
        {fromCp932("\xFA\x4A"), "\x87\x54"}, // Roman numeral one, IBM -> NEC
        {fromCp932("\xFA\x40"), "\xEE\xEF"}, // small Roman numeral one, IBM -> NEC-selected IBM
        {fromCp932("\xFA\x5C"), "\xED\x40"}, // kanji, IBM -> NEC-selected IBM
        {fromCp932("\xFC\x4B"), "\xEE\xEC"},
        {u"\u00A2"_s, "\x81\x91"}, // characters no code decodes to: their full-width forms
        {u"\u00A3"_s, "\x81\x92"},
        {u"\u00AC"_s, "\x81\xCA"},
        {u"\u2016"_s, "\x81\x61"},
        {u"\u2212"_s, "\x81\x7C"},
        {u"\u301C"_s, "\x81\x60"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hex(toCp932(c.text)), hex(c.bytes)) << c.text.toStdString();
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
        {u"It\u2019s \u201Cfine\u201D\u2026"_s, "It\x81\x66s \x81\x67" "fine\x81\x68\x81\x63"},
        {u"Caf\u00E9"_s, "Cafe"},
        {u"\u00C5ngstr\u00F6m \u212B"_s, "Angstrom \x81\xF0"},
        {u"e\u0301\u0327"_s, "e"}, // marks already apart
        {u"\u0301"_s, ""},         // a lone mark of each kind vanishes
        {u"\u0903"_s, ""},
        {u"\u20DD"_s, ""},
        {u"\u3099"_s, ""},
        {u"\uFB01x"_s, "fix"},
        {u"a\u00A0b"_s, "a b"},
        {u"\u00E9\u0129\u00E9\u0129"_s, "eiei"}, // the same and clashing characters in a row
        {u"\u3316\u3316"_s, // a square unit whose six katakana are too long to keep
         "\x83\x4C\x83\x8D\x83\x81\x81\x5B\x83\x67\x83\x8B"
         "\x83\x4C\x83\x8D\x83\x81\x81\x5B\x83\x67\x83\x8B"},
        {u"\u2474"_s, "(1)"},
        {u"\U0001D400\U0001D41B"_s, "Ab"},
        {u"\u00BD"_s, Geta}, // decomposes, but the fraction slash is no CP932 character
        {u"\u00DF"_s, Geta},
        {u"\u2014"_s, Geta},
        {u"\uD55C"_s, Geta},
        {u"\uFFFD"_s, Geta},
        {u"a\U0001F600b"_s, "a" + Geta + "b"}, // one mark for the whole pair
        {units({0xD83D, u'a'}), Geta + "a"},
        {units({0xDE00, 0xD83D}), Geta + Geta},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hex(toCp932(c.text)), hex(c.bytes)) << c.text.toStdString();
}

TEST(Cp932, InvalidSequencesDecodeToReplacementCharacters) {
    const QString bad(QChar::ReplacementCharacter);
    const struct {
        std::string bytes;
        QString text;
    } cases[] = {
        {"\x81", bad},
        {"\x82\xA0\x82", u"\u3042"_s + bad},
        {"\x81 ", bad + u" "_s},
        {"\x81\x7F", bad + u"\x7F"_s},
        {"\x81\xFD", bad + u"\uF8F1"_s},
        {"\x81\x0A", bad + u"\n"_s},
        {"\x85\x40" "A", bad + u"A"_s}, // unassigned pair: the trail byte goes with it
        {"\xEB\x9F\xEF\xFC", bad + bad},
        {"\x81\x81\x40", u"\uFF1D@"_s},
        {std::string("\x81\0", 2), bad + QChar(u'\0')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fromCp932(c.bytes), c.text) << hex(c.bytes);
}

} // namespace
} // namespace pelmar
