#include "desktop/ResultCard.h"

#include "measure/NumberFormat.h"

namespace pelmar {

namespace {

QString average(std::int32_t total, std::int32_t per) {
    if (per == 0)
        return FormatFixed(0, 1);
    return FormatFixed(static_cast<long double>(total) / per, 1);
}

QString grade(const TWholeTextValues& whole, ReadabilityIndex index) {
    return FormatFixed(whole.tenths[std::size_t(index)] / 10.0L, 1);
}

QString percent(int score) {
    return QString::number(score) + QStringLiteral(" %");
}

} // namespace

bool CanShowResultCard(const TTextCounts& totals) {
    // Both counts, not their product: a product of two large counts can wrap to zero.
    return totals.Sentences != 0 && totals.Words != 0;
}

TResultCard MakeResultCard(const TTextCounts& totals, const TWholeTextValues& whole) {
    TResultCard card;
    auto set = [&card](TCardValue v, QString text) {
        card.values[std::size_t(v)] = std::move(text);
    };
    set(TCardValue::Words, QString::number(totals.Words));
    set(TCardValue::Sentences, QString::number(totals.Sentences));
    set(TCardValue::Syllables, QString::number(totals.Syllables));
    set(TCardValue::Letters, QString::number(totals.Letters));
    set(TCardValue::PhrasesPerSentence, average(totals.Phrases, totals.Sentences));
    set(TCardValue::WordsPerSentence, average(totals.Words, totals.Sentences));
    set(TCardValue::LettersPerWord, average(totals.Letters, totals.Words));
    set(TCardValue::PMJP, grade(whole, ReadabilityIndex::PMJP));
    set(TCardValue::PMEN, grade(whole, ReadabilityIndex::PMEN));
    set(TCardValue::FKGL, grade(whole, ReadabilityIndex::FKGL));
    set(TCardValue::FRES, grade(whole, ReadabilityIndex::FRES));
    set(TCardValue::Dialogue, percent(whole.styles.dia));
    set(TCardValue::Complex, percent(whole.styles.com));
    set(TCardValue::Technical, percent(whole.styles.tec));
    set(TCardValue::General, percent(whole.styles.gen));
    return card;
}

QStringList ResultCardLines(const TResultCard& card) {
    QStringList lines;
    for (const TCardRow& row : CardRows) {
        if (!row.copied)
            continue;
        QString line = QString::fromUtf8(row.caption);
        if (row.value >= 0)
            line += QLatin1Char('\t') + card.values[std::size_t(row.value)];
        lines << line;
    }
    return lines;
}

QString ResultCardCopyText(const TResultCard& card) {
    const QString lineEnd = QStringLiteral("\r\n");
    return ResultCardLines(card).join(lineEnd) + lineEnd;
}

} // namespace pelmar
