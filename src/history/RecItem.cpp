#include "history/RecItem.h"

namespace pelmar {

float TDerivedMeasures::byNumber(int number) const {
    switch (number) {
    case 45: return static_cast<float>(styles.dia);
    case 46: return static_cast<float>(styles.com);
    case 47: return static_cast<float>(styles.tec);
    case 48: return static_cast<float>(styles.gen);
    default: return ratios.byPosition(number);
    }
}

std::int32_t TRecItem::Value(int position) const {
    if (position < 0 || position >= StoredValueCount)
        return 0;
    return Values[static_cast<std::size_t>(position)];
}

int TRecItem::SampleLevel() const {
    if (!IsSample() || ListName.isEmpty())
        return -1;
    const int level = ListName.back().unicode() - u'0';
    return level >= 0 && level <= 2 ? level : -1;
}

TTextCounts TRecItem::Counts() const {
    TTextCounts c;
    c.Sentences = Values[0];
    c.Clauses = Values[1];
    c.Phrases = Values[2];
    c.Words = Values[3];
    c.Syllables = Values[4];
    c.Syllable1Words = Values[5];
    c.Syllable3Words = Values[6];
    c.Consonants = Values[7];
    c.Letters = Values[8];
    return c;
}

TDerivedMeasures TRecItem::Derived() const {
    // The measurement's own whole-text computation, so a record shows exactly what its
    // measurement showed, including all zeros for a text without a sentence or a word.
    const TWholeTextValues whole = ComputeWholeText(Counts());
    return TDerivedMeasures{whole.ratios, whole.styles};
}

void PutRecordForFly(const TRecItem& item, TTextCounts& totals, TWholeTextValues& whole) {
    totals.Words = item.Values[3];
    for (int formula = 0; formula < GradeFormulaCount; ++formula)
        whole.tenths[static_cast<std::size_t>(formula)] = item.Tenths(formula);
    const TDerivedMeasures derived = item.Derived();
    whole.ratios.CIV = derived.ratios.CIV;
    whole.ratios.PPS = derived.ratios.PPS;
    whole.ratios.WPS = derived.ratios.WPS;
    whole.ratios.PSy3 = derived.ratios.PSy3;
    whole.styles = derived.styles;
}

} // namespace pelmar
