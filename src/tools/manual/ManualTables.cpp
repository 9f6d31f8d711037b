#include "tools/manual/ManualTables.h"

#include "history/GraphStyle.h"
#include "history/HistoryColumns.h"
#include "history/HistoryHelp.h"
#include "history/HistoryWindowSettings.h"
#include "measure/FormulaDescription.h"
#include "measure/Formulas.h"
#include "measure/MeasureOptions.h"
#include "measure/ResultText.h"
#include "measure/Vocabulary.h"

#include <QRegularExpression>

#include <array>
#include <functional>
#include <map>
#include <string_view>

namespace pelmar::manual {

namespace {

QString text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), qsizetype(utf8.size())); }

QString item(std::size_t position) { return text(vocab::ResultItemNames[position]); }

// An empty cell reads badly and trips some Markdown readers: "none" is a dash.
const QString None = QStringLiteral("－");

QString mark(bool on) { return on ? QStringLiteral("○") : None; }

// The header cells a line row gets under these options, in their order.
QStringList lineHeaderCells(const TMeasureOptions& options) {
    const std::string header = LineHeader(options);
    return header.empty() ? QStringList() : text(header).split(QLatin1Char('\t'));
}

QStringList totalHeaderCells(const TMeasureOptions& options) {
    return text(TrimCells(TotalHeader(options))).split(QLatin1Char('\t'));
}

// A count record whose every count differs, so a written row shows which column holds which
// count: the value 100 + p stands for column position p (0..8).
constexpr int Marker = 100;

TTextCounts markedCounts() {
    TTextCounts counts;
    counts.Sentences = Marker + 0;
    counts.Clauses = Marker + 1;
    counts.Phrases = Marker + 2;
    counts.Words = Marker + 3;
    counts.Syllables = Marker + 4;
    counts.Syllable1Words = Marker + 5;
    counts.Syllable3Words = Marker + 6;
    counts.Consonants = Marker + 7;
    counts.Letters = Marker + 8;
    return counts;
}

// The column position a written cell stands for, or -1 (the line number).
int positionOfCell(const QString& cell) {
    const int value = cell.toInt();
    return value >= Marker && value < Marker + 9 ? value - Marker : -1;
}

QStringList countExplanation(int position) {
    if (position < 0)
        return {QStringLiteral("行の番号（空行も数える）"), None, None};
    const auto p = std::size_t(position);
    return {text(vocab::CountNamesJa[p]), text(vocab::CountNames[p]), text(vocab::ColumnKeys[p])};
}

QString columnsTable() {
    const QStringList header = {QStringLiteral("列見出し"), QStringLiteral("結果表示の項目"),
                                QStringLiteral("数えるもの"), QStringLiteral("英語名"),
                                QStringLiteral("凡例の記号")};
    // Every column once, in the order a row shows them.
    TMeasureOptions all;
    all.resultDisplay.fill(true);
    const QStringList cells = lineHeaderCells(all);
    const QStringList values = text(LineRow(1, markedCounts(), all)).split(QLatin1Char('\t'));
    QList<QStringList> rows;
    for (qsizetype c = 0; c < cells.size(); ++c) {
        QString itemName = None;
        for (int i = 0; i < display::Count; ++i) {
            TMeasureOptions one;
            one.resultDisplay.fill(false);
            one.resultDisplay[std::size_t(i)] = true;
            if (lineHeaderCells(one) == QStringList{cells[c]})
                itemName = item(std::size_t(i));
        }
        rows.append(QStringList{cells[c], itemName} + countExplanation(positionOfCell(values.value(c))));
    }
    // The clause column appears only in the total section, under condition 5.
    TMeasureOptions clauses;
    clauses.conditions[condition::SemicolonKeeps] = true;
    const QStringList plain = totalHeaderCells(TMeasureOptions());
    for (const QString& cell : totalHeaderCells(clauses)) {
        if (!plain.contains(cell))
            rows.append(QStringList{cell, text(vocab::ConditionNames[condition::SemicolonKeeps])} +
                        countExplanation(1));
    }
    return MarkdownTable(header, rows);
}

QString totalColumnsTable() {
    const TMeasureOptions options;
    const QStringList cells = totalHeaderCells(options);
    const QStringList values =
        text(TrimCells(TotalRow("total", markedCounts(), options))).split(QLatin1Char('\t'));
    QList<QStringList> rows;
    for (qsizetype c = 1; c < cells.size(); ++c) {
        const int position = positionOfCell(values.value(c));
        rows.append({cells[c], position < 0 ? None : text(vocab::CountNamesJa[std::size_t(position)])});
    }
    return MarkdownTable({QStringLiteral("合計の列見出し"), QStringLiteral("数えるもの")}, rows);
}

QString displayItemsTable() {
    const QStringList header = {QStringLiteral("結果表示の項目"), QStringLiteral("起動時"),
                                QStringLiteral("すべて"), QStringLiteral("音節数のみ"),
                                QStringLiteral("読みやすさ指標だけ")};
    const TMeasureOptions start;
    std::array<TMeasureOptions, 3> modes;
    modes[0].ApplyViewMode(ViewMode::Full);
    modes[1].ApplyViewMode(ViewMode::Simple);
    modes[2].ApplyViewMode(ViewMode::Readability);
    QList<QStringList> rows;
    for (std::size_t i = 0; i < std::size_t(display::Count); ++i) {
        rows.append({item(i), mark(start.resultDisplay[i]), mark(modes[0].resultDisplay[i]),
                     mark(modes[1].resultDisplay[i]), mark(modes[2].resultDisplay[i])});
    }
    return MarkdownTable(header, rows);
}

QString indicesTable() {
    const QStringList header = {QStringLiteral("記号"), QStringLiteral("名称"),
                                QStringLiteral("考案者"), QStringLiteral("年"),
                                QStringLiteral("起動時")};
    const TMeasureOptions start;
    QList<QStringList> rows;
    for (std::size_t i = 0; i < std::size_t(IndexCount); ++i) {
        rows.append({text(vocab::ColumnKeys[i + 9]), text(vocab::IndexNames[i]),
                     text(vocab::FormulaAuthors[i]), text(vocab::FormulaYears[i]),
                     mark(start.readability[i])});
    }
    return MarkdownTable(header, rows);
}

QString formulasTable() {
    QList<QStringList> rows;
    for (int i = 0; i < IndexCount; ++i)
        rows.append({text(vocab::ColumnKeys[std::size_t(i + 9)]), FormulaText(i).trimmed()});
    return MarkdownTable({QStringLiteral("記号"), QStringLiteral("計算式")}, rows);
}

// Each index's description block, as the window shows it, in a block of fixed-width text.
QString indexDescriptions() {
    QString out;
    for (int k = 9; k <= 19; ++k) {
        QStringList lines;
        DescribeFormula(k, &lines);
        out += QStringLiteral("### %1\n\n```\n").arg(MarkdownEscape(lines.value(0)));
        for (const QString& line : lines.mid(2)) {
            // The notes carry CR LF inside one entry; a block wants plain line ends.
            QString plain = line;
            plain.remove(QLatin1Char('\r'));
            out += plain + QLatin1Char('\n');
        }
        out += QStringLiteral("```\n\n");
    }
    return out;
}

template <std::size_t N>
QString keyedTable(const std::array<std::string_view, N>& keys,
                   const std::array<std::string_view, N>& names,
                   const std::array<std::string_view, N>& namesJa) {
    QList<QStringList> rows;
    for (std::size_t i = 0; i < N; ++i)
        rows.append({text(keys[i]), text(names[i]), text(namesJa[i])});
    return MarkdownTable({QStringLiteral("記号"), QStringLiteral("英語名"), QStringLiteral("意味")},
                         rows);
}

QString ratiosTable() {
    std::array<std::string_view, 11> keys{};
    for (std::size_t i = 0; i < keys.size(); ++i)
        keys[i] = vocab::ColumnKeys[22 + i];
    return keyedTable(keys, vocab::RatioNames, vocab::RatioNamesJa);
}

QString variablesTable() {
    return keyedTable(vocab::VariableKeys, vocab::VariableNames, vocab::VariableNamesJa);
}

QString unitsTable() {
    QList<QStringList> rows;
    for (std::size_t i = 0; i < vocab::UnitNames.size(); ++i)
        rows.append({text(vocab::UnitNames[i]), text(vocab::UnitDefinitions[i])});
    return MarkdownTable({QStringLiteral("単位"), QStringLiteral("区切り方")}, rows);
}

QString stylesTable() {
    QList<QStringList> rows;
    for (std::size_t i = 0; i < vocab::StyleKeys.size(); ++i)
        rows.append({text(vocab::StyleKeys[i]), text(vocab::StyleNames[i]),
                     text(vocab::StyleNamesJa[i]), text(vocab::StyleDescriptions[i])});
    return MarkdownTable({QStringLiteral("記号"), QStringLiteral("英語名"), QStringLiteral("意味"),
                          QStringLiteral("例")},
                         rows);
}

// An option list with the mark each item has when the program starts.
template <std::size_t N>
QString startMarksTable(const QString& caption, const std::array<std::string_view, N>& names,
                        const std::array<bool, N>& marks) {
    QList<QStringList> rows;
    for (std::size_t i = 0; i < N; ++i)
        rows.append({text(names[i]), mark(marks[i])});
    return MarkdownTable({caption, QStringLiteral("起動時")}, rows);
}

QString conditionsTable() {
    return startMarksTable(QStringLiteral("測定条件"), vocab::ConditionNames,
                           TMeasureOptions().conditions);
}

QString afterMeasurementTable() {
    return startMarksTable(QStringLiteral("計測後の処理"), vocab::PostActionNames,
                           TMeasureOptions().afterMeasurement);
}

QString termsTable() {
    QList<QStringList> rows;
    for (std::size_t i = 0; i + 1 < vocab::ResultTerms.size(); i += 2)
        rows.append({text(vocab::ResultTerms[i]), text(vocab::ResultTerms[i + 1])});
    return MarkdownTable({QStringLiteral("用語"), QStringLiteral("意味")}, rows);
}

QString fleschBandsTable() {
    static const QRegularExpression band(QStringLiteral("^\\s*(\\d+\\s*-\\s*\\d+)\\s+(.*)$"));
    QList<QStringList> rows;
    for (const auto entry : vocab::FleschBands) {
        const auto match = band.match(text(entry));
        rows.append({match.captured(1), match.captured(2)});
    }
    return MarkdownTable({QStringLiteral("FRES"), QStringLiteral("読みやすさ")}, rows);
}

// What a value-table column of the history window shows, in Japanese where the program has a
// Japanese name; the indices are named by their long English names, as the window lists them.
QStringList historyColumnMeaning(int measure) {
    const auto m = std::size_t(measure);
    if (measure < 9)
        return {text(vocab::CountNamesJa[m]), text(vocab::CountNames[m])};
    if (measure < 20)
        return {QStringLiteral("読みやすさ指標"), text(vocab::IndexNames[m - 9])};
    if (measure >= 45)
        return {text(vocab::StyleNamesJa[m - 45]), text(vocab::StyleNames[m - 45])};
    return {text(vocab::RatioNamesJa[m - 22]), text(vocab::RatioNames[m - 22])};
}

QString historyColumnsTable() {
    QList<QStringList> rows;
    for (int column = HistoryColumn::FirstStored; column < HistoryColumn::Count; ++column)
        rows.append(QStringList{HistoryColumnCaption(column)} +
                    historyColumnMeaning(HistoryColumnMeasure(column)));
    return MarkdownTable({QStringLiteral("列見出し"), QStringLiteral("意味"), QStringLiteral("英語名")},
                         rows);
}

// The auxiliary bars' check boxes: captioned with the measure's key in lower case.
QString auxiliaryBarsTable() {
    QList<QStringList> rows;
    for (const int measure : AuxiliaryMeasures) {
        const TAuxMeasure* bar = FindAuxMeasure(measure);
        const QString key = text(vocab::ColumnKeys[std::size_t(measure)]);
        rows.append({key.toLower(), key, text(vocab::RatioNamesJa[std::size_t(measure - 22)]),
                     bar && bar->tenthScale ? QStringLiteral("10") : QStringLiteral("1")});
    }
    return MarkdownTable({QStringLiteral("チェック"), QStringLiteral("凡例"), QStringLiteral("意味"),
                          QStringLiteral("帯１つ分の高さ")},
                         rows);
}

// "グループの見分け方": each kind's title line and what it says, as the window explains it.
QString recordKindsTable() {
    QList<QStringList> rows;
    for (const int kind : {1, 2, 0}) {
        QStringList lines = RecordKindText(kind).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        const QString title = lines.isEmpty() ? QString() : lines.takeFirst();
        rows.append({RecordKindCaption(kind), title, lines.join(QStringLiteral(" ／ "))});
    }
    return MarkdownTable({QStringLiteral("メニュー"), QStringLiteral("種類"), QStringLiteral("見分け方")},
                         rows);
}

QString markName(TMarkType mark) {
    switch (mark) {
    case TMarkType::Square: return QStringLiteral("■ 四角");
    case TMarkType::Diamond: return QStringLiteral("◆ ひし形");
    case TMarkType::TriangleUp: return QStringLiteral("▲ 上向きの三角");
    case TMarkType::BowTie: return QStringLiteral("⋈ 横に向き合う三角");
    case TMarkType::TriangleDown: return QStringLiteral("▼ 下向きの三角");
    case TMarkType::Upright: return QStringLiteral("▮ 縦長の四角");
    case TMarkType::Flat: return QStringLiteral("▬ 横長の四角");
    case TMarkType::None: break;
    }
    return QStringLiteral("なし（線だけ）");
}

// The ten grade-level lines of the graph and the mark each point carries.
QString graphSeriesTable() {
    QList<QStringList> rows;
    for (int formula = 0; formula < 10; ++formula)
        rows.append({text(vocab::ColumnKeys[std::size_t(formula + 9)]),
                     text(vocab::IndexNames[std::size_t(formula)]),
                     markName(SeriesStyle(formula).mark)});
    return MarkdownTable({QStringLiteral("凡例"), QStringLiteral("名称"), QStringLiteral("点の印")}, rows);
}

// The genres a sample's title is coloured by, and the three sample levels.
QString sampleStylesTable() {
    QList<QStringList> rows;
    for (int style = 1; style < StyleCount; ++style)
        rows.append({QStringLiteral("分野"), StyleName(style)});
    for (int level = 0; level < 3; ++level)
        rows.append({QStringLiteral("レベル"), SampleLevelLabel(level)});
    return MarkdownTable({QStringLiteral("区分"), QStringLiteral("凡例の文字")}, rows);
}

const std::map<QString, std::function<QString()>>& tables() {
    static const std::map<QString, std::function<QString()>> all = {
        {QStringLiteral("after-measurement"), afterMeasurementTable},
        {QStringLiteral("auxiliary-bars"), auxiliaryBarsTable},
        {QStringLiteral("graph-series"), graphSeriesTable},
        {QStringLiteral("history-columns"), historyColumnsTable},
        {QStringLiteral("record-kinds"), recordKindsTable},
        {QStringLiteral("sample-styles"), sampleStylesTable},
        {QStringLiteral("columns"), columnsTable},
        {QStringLiteral("conditions"), conditionsTable},
        {QStringLiteral("display-items"), displayItemsTable},
        {QStringLiteral("flesch-bands"), fleschBandsTable},
        {QStringLiteral("formulas"), formulasTable},
        {QStringLiteral("index-descriptions"), indexDescriptions},
        {QStringLiteral("indices"), indicesTable},
        {QStringLiteral("ratios"), ratiosTable},
        {QStringLiteral("styles"), stylesTable},
        {QStringLiteral("terms"), termsTable},
        {QStringLiteral("total-columns"), totalColumnsTable},
        {QStringLiteral("units"), unitsTable},
        {QStringLiteral("variables"), variablesTable},
    };
    return all;
}

} // namespace

QString MarkdownEscape(QStringView text) {
    QString out;
    out.reserve(text.size() * 2);
    for (const QChar c : text) {
        if (c.unicode() < 0x80 && (c.isPunct() || c.isSymbol()))
            out += QLatin1Char('\\');
        // A TAB or line break would end the cell or the paragraph.
        if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            out += QLatin1Char(' ');
            continue;
        }
        out += c;
    }
    return out;
}

QString MarkdownTable(const QStringList& header, const QList<QStringList>& rows) {
    auto line = [](const QStringList& cells) {
        QString out = QStringLiteral("|");
        for (const QString& cell : cells)
            out += QLatin1Char(' ') + MarkdownEscape(cell) + QStringLiteral(" |");
        return out + QLatin1Char('\n');
    };
    QString out = line(header);
    out += QStringLiteral("|");
    for (qsizetype i = 0; i < header.size(); ++i)
        out += QStringLiteral(" --- |");
    out += QLatin1Char('\n');
    for (const QStringList& row : rows)
        out += line(row);
    return out;
}

QStringList GeneratedTableNames() {
    QStringList names;
    for (const auto& [name, make] : tables())
        names << name;
    return names;
}

std::optional<QString> GeneratedTable(const QString& name) {
    const auto found = tables().find(name);
    if (found == tables().end())
        return std::nullopt;
    return found->second();
}

} // namespace pelmar::manual
