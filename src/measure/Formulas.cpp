#include "measure/Formulas.h"

#include <cmath>
#include <limits>
#include <vector>

namespace pelmar {

namespace {

// The formulas compute in extended precision and keep their results in single precision, so
// that values match the ones saved by earlier versions to the last tenth.
using Ext = long double;

// Products of counts are taken in 64 bits: 120 * syll or 100 * syl3 must not wrap on a
// large text.
using Wide = std::int64_t;

// dividend / divisor in extended precision; 0 when the divisor is 0, so a text without, say,
// clauses gets 0 words per clause instead of an infinity in the summary.
Ext quotient(Wide dividend, std::int32_t divisor) {
    return divisor == 0 ? Ext(0) : Ext(dividend) / Ext(divisor);
}

float ratio(Wide dividend, std::int32_t divisor) {
    return static_cast<float>(quotient(dividend, divisor));
}

// Round to nearest, ties to even (the default floating-point rounding mode), as an int.
// Inputs here are bounded (0..100 or a square root of at most 10000), so no range check.
int roundToInt(Ext value) {
    return static_cast<int>(std::nearbyint(value));
}

// Fry graph: y-axis marks (sentences per 100 words), falling, 10 position units apart, and
// the slopes of the grade bands.
constexpr float FrySentenceScale[29] = {25.0f, 20.0f, 16.7f, 14.3f, 12.5f, 11.1f, 10.0f, 9.1f,
                                        8.3f,  7.7f,  7.1f,  6.7f,  6.3f,  5.9f,  5.6f,  5.2f,
                                        5.0f,  4.8f,  4.5f,  4.3f,  4.2f,  4.0f,  3.8f,  3.7f,
                                        3.6f,  3.5f,  3.0f,  2.5f,  2.0f};
constexpr float FrySlopeScale[14] = {2.11f, 2.47f, 2.83f, 3.11f, 3.49f, 4.17f, 5.27f,
                                     6.29f, 7.96f, 9.51f, 11.1f, 13.4f, 17.0f, 26.0f};

// Style score bands. The thresholds are extended constants compared with single inputs; the
// spans -11 and -9.5 are exact in single precision, 0.7 and 0.8 are extended. (Dividing
// (low - a) by the negative span, as the scores always did, is the same as (a - low) / span:
// negation is exact.)
struct TBand {
    Ext high;
    Ext low;
    Ext span;
};
constexpr TBand ComplexWordsPerSentence{16.3L, 5.3L, Ext(11.0f)};
constexpr TBand ComplexPhrasesPerSentence{2.1L, 1.4L, 0.7L};
constexpr TBand TechnicalPercentLong{12.4L, 2.9L, Ext(9.5f)};
constexpr TBand TechnicalLongPerPhrase{1.1L, 0.3L, 0.8L};

constexpr Ext DialogueFull = 1.2L;   // CIV below this: all dialogue
constexpr Ext DialogueNone = 2.5f;   // CIV at or above this: no dialogue
constexpr Ext DialogueSpan = 1.3L;

// 100 above the band, 0 at or below its low end, a rounded percentage between.
int bandScore(float value, const TBand& band) {
    if (Ext(value) > band.high)
        return 100;
    if (Ext(value) <= band.low)
        return 0;
    return roundToInt((Ext(value) - band.low) * Ext(100.0f) / band.span);
}

// Two band scores combined by their rounded geometric mean, so either one at or below its
// band makes the style score 0.
int pairScore(float a, const TBand& aBand, float b, const TBand& bBand) {
    const int sa = bandScore(a, aBand);
    const int sb = bandScore(b, bBand);
    return roundToInt(std::sqrt(Ext(Wide(sa) * sb)));
}

// The two phrase indices share their chunk and logarithm terms; a line that shows both works
// them out once (the logarithm is the dearest step of a row).
struct PhraseTerms {
    Ext chunk;
    Ext logRatio;
};

Ext logRatio(std::int32_t phra, std::int32_t d) { return std::log10(Ext(phra) / Ext(d)); }

// A line has a few phrases and clauses, so its logarithm is nearly always one of a small table
// worked out once.
constexpr std::int32_t LogTablePhrases = 64;
constexpr std::int32_t LogTableClauses = 16;
Ext lineLogRatio(std::int32_t phra, std::int32_t d) {
    static const auto table = [] {
        std::vector<Ext> values(std::size_t(LogTablePhrases * LogTableClauses));
        for (std::int32_t p = 1; p < LogTablePhrases; ++p) {
            for (std::int32_t c = 1; c < LogTableClauses; ++c)
                values[std::size_t(p * LogTableClauses + c)] = logRatio(p, c);
        }
        return values;
    }();
    if (phra > 0 && phra < LogTablePhrases && d > 0 && d < LogTableClauses)
        return table[std::size_t(phra * LogTableClauses + d)];
    return logRatio(phra, d);
}

Ext chunk(std::int32_t phra, std::int32_t syll, std::int32_t cons) {
    return Ext(Wide(3) * syll) / Ext(phra) + Ext(Wide(2) * cons) / Ext(phra);
}

PhraseTerms phraseTerms(std::int32_t d, std::int32_t phra, std::int32_t syll, std::int32_t cons) {
    return {chunk(phra, syll, cons), logRatio(phra, d)};
}

float phraseIndex(const TPhraseIndexConstants& c, const PhraseTerms& t) {
    return static_cast<float>(c.chunkWeight * t.chunk + c.logWeight * t.logRatio + c.offset);
}

float phraseIndex(const TPhraseIndexConstants& c, std::int32_t d, std::int32_t phra,
                  std::int32_t syll, std::int32_t cons) {
    return phraseIndex(c, phraseTerms(d, phra, syll, cons));
}

} // namespace

float TRatios::byPosition(int position) const {
    switch (position) {
    case 22: return WPS;
    case 23: return WPC;
    case 24: return WPP;
    case 25: return SyPW;
    case 26: return PSy3;
    case 27: return LPW;
    case 28: return CIV;
    case 29: return PPC;
    case 30: return CPS;
    case 31: return PPS;
    case 32: return Sy3PP;
    default: return 0;
    }
}

TRatios ComputeRatios(const TTextCounts& c) {
    TRatios r;
    r.WPS = ratio(c.Words, c.Sentences);
    r.WPC = ratio(c.Words, c.Clauses);
    r.WPP = ratio(c.Words, c.Phrases);
    r.SyPW = ratio(c.Syllables, c.Words);
    r.PSy3 = ratio(Wide(100) * c.Syllable3Words, c.Words);
    r.LPW = ratio(c.Letters, c.Words);
    // Predicted seconds of one chunk of inner voice: 120 ms per syllable and 80 ms per
    // consonant; without a consonant count, 40 ms per syllable and 80 ms per letter.
    const Wide milliseconds = c.Consonants >= 1
                                  ? Wide(120) * c.Syllables + Wide(80) * c.Consonants
                                  : (Wide(8) * c.Syllables + Wide(16) * c.Letters) * 5;
    r.CIV = static_cast<float>(quotient(milliseconds, c.Phrases) / Ext(1000));
    r.PPC = ratio(c.Phrases, c.Clauses);
    r.CPS = ratio(c.Clauses, c.Sentences);
    r.PPS = ratio(c.Phrases, c.Sentences);
    r.Sy3PP = ratio(c.Syllable3Words, c.Phrases);
    return r;
}

// 0.07496 * (3 * syll / phra + 2 * cons / phra) + 7.926 * log10(phra / d) + 4.618
float IndexPMJP(std::int32_t d, std::int32_t phra, std::int32_t syll, std::int32_t cons) {
    return phraseIndex(PmjpConstants, d, phra, syll, cons);
}

// 0.07662 * (3 * syll / phra + 2 * cons / phra) + 19.554 * log10(phra / d) - 3.141
float IndexPMEN(std::int32_t d, std::int32_t phra, std::int32_t syll, std::int32_t cons) {
    return phraseIndex(PmenConstants, d, phra, syll, cons);
}

// 0.39 * WPS + 11.8 * SyPW - 15.59
float IndexFKGL(float wps, float sypw) {
    return static_cast<float>(0.39L * Ext(wps) + 11.8L * Ext(sypw) - 15.59L);
}

// 5.89 * LPW - 29.6 / WPS - 15.8
float IndexCLI(float lpw, float wps) {
    return static_cast<float>(5.89L * Ext(lpw) - 29.6L / Ext(wps) - 15.8L);
}

// 20 - 15 * syl1 / word
float IndexFORC(std::int32_t syl1, std::int32_t word) {
    return static_cast<float>(Ext(20) - Ext(Wide(15) * syl1) / Ext(word));
}

// The Fry graph read as a slope: the point (syllables, sentences per 100 words) is placed on
// the sentence axis, and the slope from the graph's corner picks the grade band; the
// fraction of the way between two sentence marks adds tenths.
float IndexFryG(std::int32_t sent, std::int32_t word, std::int32_t syll) {
    const float x = static_cast<float>(Ext(184) - Ext(Wide(syll) * 100) / Ext(word));
    const float y = static_cast<float>(Ext(Wide(sent) * 100) / Ext(word));
    if (x < 10) // more than 174 syllables per 100 words: off the graph, the top grade
        return 16.0f;

    int i = 0;
    while (i < 29 && !(y > FrySentenceScale[i]))
        ++i;
    Ext f = 0;
    Ext position = 0;
    if (i == 0) {
        // More than 25 sentences per 100 words: there is no mark above 25.0 to interpolate
        // against, so the point sits on the top mark.
        position = 100;
    } else if (i < 28) {
        f = (Ext(y) - Ext(FrySentenceScale[i])) * 10 /
            (Ext(FrySentenceScale[i - 1]) - Ext(FrySentenceScale[i]));
        position = Ext(i * 10 + 100) - f;
    } else {
        position = Ext(i * 10 + 100);
    }

    const Ext slope = position / Ext(x);
    int j = 0;
    while (j < 14 && !(slope < Ext(FrySlopeScale[j])))
        ++j;
    return static_cast<float>(Ext(j + 1) + f / 10);
}

// (100 * syl3 / word + WPS) * 0.4
float IndexGFog(float wps, std::int32_t syl3, std::int32_t word) {
    return static_cast<float>((Ext(Wide(100) * syl3) / Ext(word) + Ext(wps)) * 0.4L);
}

// sqrt(30 * syl3 / sent) * 1.043 + 3.1291
float IndexSMOG(std::int32_t syl3, std::int32_t sent) {
    return static_cast<float>(std::sqrt(Ext(Wide(30) * syl3) / Ext(sent)) * 1.043L + 3.1291L);
}

// r = (word + 2 * syl3) / sent, one point per short word and three per long one; r - 2 when
// r is 20 or less; the result is r / 2.
float IndexLWF(std::int32_t word, std::int32_t syl3, std::int32_t sent) {
    Ext r = Ext(Wide(word) + Wide(2) * syl3) / Ext(sent);
    if (r <= 20)
        r -= 2;
    return static_cast<float>(r / 2);
}

// 4.71 * LPW + 0.5 * WPS - 21.43
float IndexARI(float lpw, float wps) {
    return static_cast<float>(4.71L * Ext(lpw) + 0.5L * Ext(wps) - 21.43L);
}

// 206.835 - 1.015 * WPS - 84.6 * SyPW
float IndexFRES(float wps, float sypw) {
    return static_cast<float>(206.835L - 1.015L * Ext(wps) - 84.6L * Ext(sypw));
}

// 100 below CIV 1.2, 0 from 2.5 on, falling linearly between.
int DialogueScore(float civ) {
    if (Ext(civ) < DialogueFull)
        return 100;
    if (Ext(civ) >= DialogueNone)
        return 0;
    return roundToInt((DialogueNone - Ext(civ)) * Ext(100.0f) / DialogueSpan);
}

int ComplexScore(float wps, float pps) {
    return pairScore(wps, ComplexWordsPerSentence, pps, ComplexPhrasesPerSentence);
}

int TechnicalScore(float psy3, float sy3pp) {
    return pairScore(psy3, TechnicalPercentLong, sy3pp, TechnicalLongPerPhrase);
}

TStyleScores ComputeStyleScores(const TRatios& ratios) {
    TStyleScores s;
    s.dia = DialogueScore(ratios.CIV);
    s.com = ComplexScore(ratios.WPS, ratios.PPS);
    s.tec = TechnicalScore(ratios.PSy3, ratios.Sy3PP);
    s.gen = 100 - s.dia;
    return s;
}

std::int32_t ToTenths(float value) {
    // value * 10 is exact in extended precision, so only the final rounding rounds.
    const Ext scaled = std::nearbyint(Ext(value) * 10);
    // A value that is no number, or one beyond the 32-bit range (possible only for absurd
    // counts), must not become undefined behaviour in the conversion.
    if (std::isnan(scaled))
        return 0;
    constexpr auto lowest = std::numeric_limits<std::int32_t>::min();
    constexpr auto highest = std::numeric_limits<std::int32_t>::max();
    if (scaled <= Ext(lowest))
        return lowest;
    if (scaled >= Ext(highest))
        return highest;
    return static_cast<std::int32_t>(scaled);
}

namespace {

std::optional<float> lineIndex(ReadabilityIndex index, const TTextCounts& line, const TRatios& r) {
    switch (index) {
    case ReadabilityIndex::PMJP:
        return IndexPMJP(line.Clauses, line.Phrases, line.Syllables, line.Consonants);
    case ReadabilityIndex::PMEN:
        return IndexPMEN(line.Clauses, line.Phrases, line.Syllables, line.Consonants);
    case ReadabilityIndex::FKGL: return IndexFKGL(r.WPS, r.SyPW);
    case ReadabilityIndex::CLI: return IndexCLI(r.LPW, r.WPS);
    case ReadabilityIndex::FORC: return IndexFORC(line.Syllable1Words, line.Words);
    case ReadabilityIndex::FryG: return IndexFryG(line.Sentences, line.Words, line.Syllables);
    case ReadabilityIndex::GFog: return IndexGFog(r.WPS, line.Syllable3Words, line.Words);
    case ReadabilityIndex::SMOG: return IndexSMOG(line.Syllable3Words, line.Sentences);
    case ReadabilityIndex::LWF: return IndexLWF(line.Words, line.Syllable3Words, line.Sentences);
    case ReadabilityIndex::ARI: return IndexARI(r.LPW, r.WPS);
    case ReadabilityIndex::FRES: return IndexFRES(r.WPS, r.SyPW);
    }
    return std::nullopt;
}

// The phrase indices need clauses, words and phrases; the others sentences and words.
bool guardHolds(ReadabilityIndex index, const TTextCounts& line) {
    if (index == ReadabilityIndex::PMJP || index == ReadabilityIndex::PMEN)
        return line.Clauses > 0 && line.Words > 0 && line.Phrases > 0;
    return line.Sentences > 0 && line.Words > 0;
}

} // namespace

std::optional<float> LineIndex(ReadabilityIndex index, const TTextCounts& line) {
    if (!guardHolds(index, line))
        return std::nullopt;
    return lineIndex(index, line, ComputeRatios(line));
}

LineIndexValues LineIndices(const TTextCounts& line, const std::array<bool, IndexCount>& wanted) {
    LineIndexValues values;
    constexpr auto pmjp = static_cast<std::size_t>(ReadabilityIndex::PMJP);
    constexpr auto pmen = static_cast<std::size_t>(ReadabilityIndex::PMEN);
    if ((wanted[pmjp] || wanted[pmen]) && guardHolds(ReadabilityIndex::PMJP, line)) {
        const PhraseTerms terms{chunk(line.Phrases, line.Syllables, line.Consonants),
                                lineLogRatio(line.Phrases, line.Clauses)};
        if (wanted[pmjp])
            values[pmjp] = phraseIndex(PmjpConstants, terms);
        if (wanted[pmen])
            values[pmen] = phraseIndex(PmenConstants, terms);
    }
    // The other indices share one guard and read only three of the ratios.
    if (!guardHolds(ReadabilityIndex::FKGL, line))
        return values;
    TRatios ratios;
    ratios.WPS = ratio(line.Words, line.Sentences);
    ratios.SyPW = ratio(line.Syllables, line.Words);
    ratios.LPW = ratio(line.Letters, line.Words);
    for (int i = pmen + 1; i < IndexCount; ++i) {
        if (wanted[static_cast<std::size_t>(i)])
            values[static_cast<std::size_t>(i)] = lineIndex(static_cast<ReadabilityIndex>(i), line, ratios);
    }
    return values;
}

TWholeTextValues ComputeWholeText(const TTextCounts& t) {
    TWholeTextValues v;
    // Too little text: everything stays 0, nothing is carried over from an earlier run.
    if (t.Sentences <= 0 || t.Words <= 0)
        return v;

    v.ratios = ComputeRatios(t);
    v.styles = ComputeStyleScores(v.ratios);
    const TRatios& r = v.ratios;
    auto put = [&v](ReadabilityIndex index, float value) {
        v.tenths[static_cast<std::size_t>(index)] = ToTenths(value);
    };
    // The phrase indices divide by the phrase total; without phrases they stay 0.
    if (t.Phrases > 0) {
        put(ReadabilityIndex::PMJP, IndexPMJP(t.Sentences, t.Phrases, t.Syllables, t.Consonants));
        put(ReadabilityIndex::PMEN, IndexPMEN(t.Sentences, t.Phrases, t.Syllables, t.Consonants));
    }
    put(ReadabilityIndex::FKGL, IndexFKGL(r.WPS, r.SyPW));
    put(ReadabilityIndex::FORC, IndexFORC(t.Syllable1Words, t.Words));
    put(ReadabilityIndex::FryG, IndexFryG(t.Sentences, t.Words, t.Syllables));
    put(ReadabilityIndex::GFog, IndexGFog(r.WPS, t.Syllable3Words, t.Words));
    put(ReadabilityIndex::SMOG, IndexSMOG(t.Syllable3Words, t.Sentences));
    put(ReadabilityIndex::LWF, IndexLWF(t.Words, t.Syllable3Words, t.Sentences));
    put(ReadabilityIndex::ARI, IndexARI(r.LPW, r.WPS));
    put(ReadabilityIndex::CLI, IndexCLI(r.LPW, r.WPS));
    put(ReadabilityIndex::FRES, IndexFRES(r.WPS, r.SyPW));
    return v;
}

} // namespace pelmar
