#include "measure/FormulaDescription.h"

#include "measure/Formulas.h"
#include "measure/NumberFormat.h"
#include "measure/Vocabulary.h"

#include <array>
#include <initializer_list>
#include <string_view>

namespace pelmar {

namespace {

QString text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// Fills the "%.<n>F" fields of a template in order with the given values.
QString completeTemplate(std::string_view formula, std::initializer_list<long double> values) {
    QString result;
    auto value = values.begin();
    std::size_t i = 0;
    while (i < formula.size()) {
        if (formula[i] == '%' && i + 3 < formula.size() && formula[i + 1] == '.' &&
            formula[i + 2] >= '0' && formula[i + 2] <= '9' && formula[i + 3] == 'F' &&
            value != values.end()) {
            result += FormatFixed(*value++, formula[i + 2] - '0');
            i += 4;
            continue;
        }
        const std::size_t next = formula.find('%', i + 1);
        const std::size_t end = next == std::string_view::npos ? formula.size() : next;
        result += text(formula.substr(i, end - i));
        i = end;
    }
    return result;
}

std::array<QString, IndexCount> makeFormulaTexts() {
    std::array<QString, IndexCount> texts;
    for (int i = 0; i < IndexCount; ++i)
        texts[std::size_t(i)] = text(vocab::FormulaTemplates[std::size_t(i)]);
    // The PMEN text carries the minus sign itself, so its offset is quoted as a magnitude.
    texts[0] = completeTemplate(vocab::FormulaTemplates[0],
                                {PmjpConstants.chunkWeight, PmjpConstants.logWeight,
                                 PmjpConstants.offset});
    texts[1] = completeTemplate(vocab::FormulaTemplates[1],
                                {PmenConstants.chunkWeight, PmenConstants.logWeight,
                                 -PmenConstants.offset});
    return texts;
}

// The variables each formula's explanation lists, by column position: 22..32 ratios,
// 33..39 formula variables, 40..44 counting units; 0 fills the rest of a row.
constexpr int VariableRows[IndexCount][6] = {
    {33, 34, 29, 42, 43, 38}, // PMJP
    {33, 34, 29, 42, 43, 38}, // PMEN
    {22, 25, 0, 0, 0, 0},     // FKGL
    {27, 22, 0, 0, 0, 0},     // CLI
    {35, 0, 0, 0, 0, 0},      // FORC
    {22, 25, 0, 0, 0, 0},     // FryG
    {22, 36, 0, 0, 0, 0},     // GFog
    {39, 37, 0, 0, 0, 0},     // SMOG
    {22, 37, 0, 0, 0, 0},     // LWF
    {27, 22, 0, 0, 0, 0},     // ARI
    {22, 25, 0, 0, 0, 0},     // FRES
};

QString pair(std::string_view english, std::string_view japanese) {
    return QStringLiteral("%1  /  %2").arg(text(english), text(japanese));
}

QString variableLine(int code) {
    const QString indent = QStringLiteral("\t\t");
    if (code >= 22 && code <= 32) {
        const auto r = std::size_t(code - 22);
        return indent + QStringLiteral("%1 = %2").arg(text(vocab::ColumnKeys[std::size_t(code)]),
                                                       pair(vocab::RatioNames[r],
                                                            vocab::RatioNamesJa[r]));
    }
    if (code >= 33 && code <= 39) {
        const auto v = std::size_t(code - 33);
        return indent + QStringLiteral("%1 = %2").arg(text(vocab::VariableKeys[v]),
                                                       pair(vocab::VariableNames[v],
                                                            vocab::VariableNamesJa[v]));
    }
    const auto u = std::size_t(code - 40);
    return indent + QStringLiteral("%1 = %2").arg(text(vocab::UnitNames[u]),
                                                   text(vocab::UnitDefinitions[u]));
}

} // namespace

const QString& FormulaText(int index) {
    static const std::array<QString, IndexCount> texts = makeFormulaTexts();
    static const QString none;
    if (index < 0 || index >= IndexCount)
        return none;
    return texts[std::size_t(index)];
}

void DescribeFormula(int k, QStringList* list) {
    if (list == nullptr || k < 9 || k > 19)
        return;
    const int index = k - 9;
    const auto i = std::size_t(index);
    const QString bullet = QStringLiteral("\t・");
    const auto& terms = vocab::ResultTerms;

    list->append(text(vocab::ColumnKeys[std::size_t(k)]));
    list->append(QStringLiteral("----------------"));
    list->append(text(vocab::IndexNames[i]));
    list->append(bullet + text(vocab::FormulaYears[i]));
    list->append(bullet + text(vocab::FormulaAuthors[i]));
    list->append(QString());

    list->append(QStringLiteral("Formula"));
    list->append(bullet + FormulaText(index));
    list->append(QStringLiteral("\t\twhere"));
    for (const int code : VariableRows[i]) {
        if (code != 0)
            list->append(variableLine(code));
    }

    list->append(QString());
    list->append(QStringLiteral("Result Value"));
    if (k == 19) {
        list->append(bullet + pair(terms[6], terms[7]));
        for (const auto band : vocab::FleschBands)
            list->append(QStringLiteral("\t\t") + text(band));
    } else {
        list->append(bullet + pair(terms[0], terms[1]));
        if (k == 9)
            list->append(QStringLiteral("\t\t") + pair(terms[4], terms[5]));
    }

    list->append(QString());
    list->append(QStringLiteral("Feature"));
    list->append(QStringLiteral("\t") + text(vocab::FormulaNotes[i]));
    if (k == 9 || k == 10) {
        list->append(QStringLiteral("\t") + pair(terms[8], terms[9]));
        list->append(QStringLiteral("\t") + pair(terms[10], terms[11]));
    }
    list->append(QString());
}

} // namespace pelmar
