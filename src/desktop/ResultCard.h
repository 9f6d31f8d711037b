#pragma once

#include "engine/TextCounts.h"
#include "measure/Formulas.h"

#include <QString>
#include <QStringList>

#include <array>

namespace pelmar {

// The values the detailed result card shows, in the order of the card.
enum class TCardValue {
    Words,
    Sentences,
    Syllables,
    Letters,
    PhrasesPerSentence,
    WordsPerSentence,
    LettersPerWord,
    PMJP,
    PMEN,
    FKGL,
    FRES,
    Dialogue,
    Complex,
    Technical,
    General,
};
inline constexpr int CardValueCount = 15;

// One line of the card, top down: a heading at x = 32, a caption at 56 or an index name at 80,
// with the value it shows (none for headings and the two reader captions). `copied` lines make
// the card's copy.
struct TCardRow {
    int y;
    int x;
    const char* caption; // UTF-8
    int value;           // a TCardValue, or -1
    bool copied;
};
inline constexpr int CardHeadingX = 32;
inline constexpr int CardCaptionX = 56;
inline constexpr int CardIndexX = 80;
inline constexpr int CardValueRight = 239;

inline constexpr std::array<TCardRow, 22> CardRows = {{
    {24, CardHeadingX, "語数", -1, true},
    {40, CardCaptionX, "単語数", int(TCardValue::Words), true},
    {56, CardCaptionX, "文の数", int(TCardValue::Sentences), true},
    {72, CardCaptionX, "音節数", int(TCardValue::Syllables), true},
    {88, CardCaptionX, "文字数", int(TCardValue::Letters), true},
    {112, CardHeadingX, "平均", -1, true},
    {128, CardCaptionX, "文内のフレーズ数", int(TCardValue::PhrasesPerSentence), true},
    {144, CardCaptionX, "文内の単語数", int(TCardValue::WordsPerSentence), true},
    {160, CardCaptionX, "単語内の文字数", int(TCardValue::LettersPerWord), true},
    {184, CardHeadingX, "適応学年", -1, true},
    {200, CardCaptionX, "日本人向け", -1, false},
    {216, CardIndexX, "PMJP", int(TCardValue::PMJP), true},
    {232, CardCaptionX, "アメリカ人向け", -1, false},
    {248, CardIndexX, "PMEN", int(TCardValue::PMEN), true},
    {264, CardIndexX, "Flesch-Kinkaid", int(TCardValue::FKGL), true},
    {288, CardHeadingX, "読みやすさ", -1, true},
    {304, CardIndexX, "Flesch Reading Ease", int(TCardValue::FRES), true},
    {336, CardHeadingX, "テキストの傾向", -1, true},
    {352, CardCaptionX, "会話度", int(TCardValue::Dialogue), true},
    {368, CardCaptionX, "複雑度", int(TCardValue::Complex), true},
    {384, CardCaptionX, "専門度", int(TCardValue::Technical), true},
    {400, CardCaptionX, "一般度", int(TCardValue::General), true},
}};

// The card's values as shown, by TCardValue.
struct TResultCard {
    std::array<QString, CardValueCount> values;
    [[nodiscard]] const QString& value(TCardValue v) const { return values[std::size_t(v)]; }
};

// Whether the last measurement can fill the card: it needs a sentence and a word.
[[nodiscard]] bool CanShowResultCard(const TTextCounts& totals);

// The card of a measurement: counts in plain decimal, averages and grade levels with one
// decimal, style scores as "45 %".
[[nodiscard]] TResultCard MakeResultCard(const TTextCounts& totals, const TWholeTextValues& whole);

// The twenty lines the copy button gives, headings without a tab, rows as caption TAB value.
[[nodiscard]] QStringList ResultCardLines(const TResultCard& card);
// Those lines, each ended by CR LF.
[[nodiscard]] QString ResultCardCopyText(const TResultCard& card);

} // namespace pelmar
