#pragma once

#include "engine/TextCounts.h"

#include <array>
#include <cstdint>
#include <optional>

namespace pelmar {

// The eleven readability indices in their fixed order: list position 0..10, column position
// list position + 9.
enum class ReadabilityIndex { PMJP, PMEN, FKGL, CLI, FORC, FryG, GFog, SMOG, LWF, ARI, FRES };
inline constexpr int IndexCount = 11;

// Single-precision quotients of the counts (column positions 22..32). A quotient whose divisor
// is 0 is 0.
struct TRatios {
    float WPS = 0, WPC = 0, WPP = 0, SyPW = 0, PSy3 = 0, LPW = 0, CIV = 0, PPC = 0, CPS = 0,
          PPS = 0, Sy3PP = 0;
    // By column position 22..32; 0 for any other position.
    [[nodiscard]] float byPosition(int position) const;
};

struct TStyleScores {
    int dia = 0, com = 0, tec = 0, gen = 0;
};

// Everything the whole text yields after a measurement. All zero when the text has no
// sentence or no word.
struct TWholeTextValues {
    std::array<std::int32_t, IndexCount> tenths{}; // by ReadabilityIndex
    TRatios ratios;
    TStyleScores styles;
};

[[nodiscard]] TRatios ComputeRatios(const TTextCounts& counts);

// The constants of the program's own two indices, w * (3 * SyPP + 2 * CPP) + l * log10(PPC) + c;
// the formula texts quote them.
struct TPhraseIndexConstants {
    long double chunkWeight;
    long double logWeight;
    long double offset;
};
inline constexpr TPhraseIndexConstants PmjpConstants{0.07496L, 7.926L, 4.618L};
inline constexpr TPhraseIndexConstants PmenConstants{0.07662L, 19.554L, -3.141L};

// The indices, arguments in the documented order; extended-precision arithmetic, single result.
[[nodiscard]] float IndexPMJP(std::int32_t d, std::int32_t phra, std::int32_t syll, std::int32_t cons);
[[nodiscard]] float IndexPMEN(std::int32_t d, std::int32_t phra, std::int32_t syll, std::int32_t cons);
[[nodiscard]] float IndexFKGL(float wps, float sypw);
[[nodiscard]] float IndexCLI(float lpw, float wps);
[[nodiscard]] float IndexFORC(std::int32_t syl1, std::int32_t word);
[[nodiscard]] float IndexFryG(std::int32_t sent, std::int32_t word, std::int32_t syll);
[[nodiscard]] float IndexGFog(float wps, std::int32_t syl3, std::int32_t word);
[[nodiscard]] float IndexSMOG(std::int32_t syl3, std::int32_t sent);
[[nodiscard]] float IndexLWF(std::int32_t word, std::int32_t syl3, std::int32_t sent);
[[nodiscard]] float IndexARI(float lpw, float wps);
[[nodiscard]] float IndexFRES(float wps, float sypw);

[[nodiscard]] int DialogueScore(float civ);
[[nodiscard]] int ComplexScore(float wps, float pps);
[[nodiscard]] int TechnicalScore(float psy3, float sy3pp);
[[nodiscard]] TStyleScores ComputeStyleScores(const TRatios& ratios);

// Round(value * 10), ties to even, as indices are kept and stored.
[[nodiscard]] std::int32_t ToTenths(float value);

// One line's index, or nothing when its guard fails: clauses, words and phrases above 0 for
// PMJP and PMEN (D is the line's clause count), sentences and words above 0 for the others.
[[nodiscard]] std::optional<float> LineIndex(ReadabilityIndex index, const TTextCounts& line);

// The line's indices marked in `wanted` (by ReadabilityIndex), with the line's ratios worked
// out once; unmarked and guarded ones are empty.
using LineIndexValues = std::array<std::optional<float>, IndexCount>;
[[nodiscard]] LineIndexValues LineIndices(const TTextCounts& line,
                                          const std::array<bool, IndexCount>& wanted);

// The whole text's ratios, style scores and index tenths (D is the sentence total).
[[nodiscard]] TWholeTextValues ComputeWholeText(const TTextCounts& totals);

} // namespace pelmar
