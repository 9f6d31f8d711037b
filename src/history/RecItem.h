#pragma once

#include "engine/TextCounts.h"
#include "measure/Formulas.h"

#include <QString>

#include <array>
#include <cstdint>

namespace pelmar {

// Where a record shown in the history was read from.
namespace RecKind {
inline constexpr std::uint8_t Unassigned = 0; // the "Index" list of pelmar.hst
inline constexpr std::uint8_t Sample = 1;     // one of the sample lists
inline constexpr std::uint8_t GroupMember = 2; // a group of a folder file
} // namespace RecKind

// Number of integers a record stores: the nine counts and the eleven index tenths, by column
// position 0..19.
inline constexpr int StoredValueCount = 20;
// The grade-level formulas PMJP..ARI, formula numbers 0..9 (column position = number + 9).
inline constexpr int GradeFormulaCount = 10;

// What a record yields beyond its stored values: the eleven ratios and the four style scores.
struct TDerivedMeasures {
    TRatios ratios;
    TStyleScores styles;
    // By measure number: 22..32 the ratios, 45..48 the style scores; 0 for any other number.
    [[nodiscard]] float byNumber(int number) const;
};

// One saved measurement in memory.
class TRecItem {
public:
    // By column position: sent, clau, phra, word, syll, syl1, syl3, cons, lett (0..8), then the
    // index tenths PMJP, PMEN, FKGL, CLI, FORC, FryG, GFog, SMOG, LWF, ARI, FRES (9..19).
    std::array<std::int32_t, StoredValueCount> Values{};
    QString Key;   // "yyyy/mm/dd hh:nn:ss", the record's section name
    QString Title; // "無題" when the record has none
    std::uint8_t Style = 0; // genre of a sample text, 0 for the user's own records
    std::uint8_t Kind = RecKind::Unassigned;
    std::int32_t Serial = 0; // order in which the item joined its collection
    QString FileName;        // the history file it was read from
    QString ListName;        // the list it was read from: "Index", "SampleL1", a group name...

    // Stored value at column position 0..19; 0 for any other position.
    [[nodiscard]] std::int32_t Value(int position) const;
    // Index tenths of formula number 0..10 (PMJP .. FRES); 0 for any other number.
    [[nodiscard]] std::int32_t Tenths(int formula) const { return Value(formula + 9); }
    [[nodiscard]] TTextCounts Counts() const;

    // Ratios and style scores from the nine counts, as a measurement computes them; all 0 for
    // a record without a sentence or a word, as its measurement showed them.
    [[nodiscard]] TDerivedMeasures Derived() const;
    // One derived measure by measure number (22..32, 45..48); 0 for any other number.
    [[nodiscard]] float Measure(int number) const { return Derived().byNumber(number); }

    [[nodiscard]] bool IsSample() const { return Kind == RecKind::Sample; }
    // The level 0..2 of a sample, named by the last character of its list ("SampleL1",
    // "SampleLightL1"); -1 for any other record.
    [[nodiscard]] int SampleLevel() const;
};

// What the fly graph shows of a saved record, written over a measurement's kept values: the
// word count, the grade tenths PMJP..ARI, CIV, PPS, WPS, PSy3 and the style scores. The other
// kept values stay as they were.
void PutRecordForFly(const TRecItem& item, TTextCounts& totals, TWholeTextValues& whole);

} // namespace pelmar
