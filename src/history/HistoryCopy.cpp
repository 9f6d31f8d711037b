#include "history/HistoryCopy.h"

#include "history/HistoryColumns.h"
#include "history/HistoryNumbers.h"

#include <QStringList>

namespace pelmar {

namespace {

constexpr char Tab = '\t';

std::string keyOf(int column) {
    return HistoryColumnCaption(column).toStdString();
}

} // namespace

std::string HistoryCopyHeading() {
    std::string line = "TITL\tDATE";
    for (int column = HistoryColumn::FirstStored; column < HistoryColumn::Count; ++column) {
        line += Tab;
        line += keyOf(column);
    }
    return line;
}

void AppendHistoryCopyRow(std::string& out, const TRecItem& item) {
    out += item.Title.toStdString();
    out += Tab;
    out += item.Key.toStdString();
    for (int position = 0; position < 9; ++position) {
        out += Tab;
        AppendThousands(out, item.Value(position));
    }
    for (int position = 9; position < StoredValueCount; ++position) {
        out += Tab;
        AppendTenths(out, item.Value(position));
    }
    const TDerivedMeasures derived = item.Derived();
    for (int number = 22; number <= 32; ++number) {
        out += Tab;
        AppendFixed(out, derived.byNumber(number), 3);
    }
    for (int score : {derived.styles.dia, derived.styles.com, derived.styles.tec, derived.styles.gen}) {
        out += Tab;
        out += std::to_string(score);
    }
}

QString HistoryCopyText(const std::vector<const TRecItem*>& rows, bool heading) {
    std::string text;
    if (heading)
        text = HistoryCopyHeading() + "\r\n";
    for (const TRecItem* item : rows) {
        AppendHistoryCopyRow(text, *item);
        text += "\r\n";
    }
    return QString::fromStdString(text);
}

QString RecordDetailText(const TRecItem& item) {
    QStringList lines;
    lines << QStringLiteral("Title: ") + item.Title << QStringLiteral("Date: ") + item.Key;
    const TDerivedMeasures derived = item.Derived();
    for (int number = 22; number <= 32; ++number) {
        std::string value;
        AppendFixed(value, derived.byNumber(number), 2);
        lines << QString::fromStdString(keyOf(HistoryColumn::FirstDerived + number - 22) + ": " + value);
    }
    for (int position = 0; position < StoredValueCount; ++position) {
        std::string value;
        if (position < 9)
            AppendThousands(value, item.Value(position));
        else
            AppendTenths(value, item.Value(position));
        lines << QString::fromStdString(keyOf(HistoryColumn::FirstStored + position) + ": " + value);
    }
    return lines.join(QStringLiteral("\r\n"));
}

std::optional<std::vector<int>> SearchTitles(const TRecItems& items, const QString& text) {
    const QString wanted = text.trimmed().toLower();
    if (wanted.isEmpty())
        return std::nullopt;
    std::vector<int> found;
    for (int i = 0; i < items.Count(); ++i) {
        if (items.Item(i)->Title.toLower().contains(wanted))
            found.push_back(i);
    }
    return found;
}

} // namespace pelmar
