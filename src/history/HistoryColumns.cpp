#include "history/HistoryColumns.h"

#include "history/HistoryNumbers.h"
#include "measure/Vocabulary.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace pelmar {

namespace {

QString fromAscii(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

QString HistoryColumnCaption(int column) {
    switch (column) {
    case HistoryColumn::No: return QStringLiteral("No");
    case HistoryColumn::Title: return QStringLiteral("Title");
    case HistoryColumn::Date: return QStringLiteral("Date");
    default: break;
    }
    const int measure = HistoryColumnMeasure(column);
    if (measure < 0)
        return {};
    const std::string_view key = measure >= 45
                                     ? vocab::StyleKeys[static_cast<std::size_t>(measure - 45)]
                                     : vocab::ColumnKeys[static_cast<std::size_t>(measure)];
    return QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
}

int HistoryColumnMeasure(int column) {
    if (column >= HistoryColumn::FirstStored && column < HistoryColumn::FirstDerived)
        return column - HistoryColumn::FirstStored;
    if (column >= HistoryColumn::FirstDerived && column < HistoryColumn::FirstStyle)
        return column - HistoryColumn::FirstDerived + 22;
    if (column >= HistoryColumn::FirstStyle && column < HistoryColumn::Count)
        return column - HistoryColumn::FirstStyle + 45;
    return -1;
}

QString HistoryCellText(const TRecItem& item, int column, int row) {
    switch (column) {
    case HistoryColumn::No: return QString::number(row + 1);
    case HistoryColumn::Title: return item.Title;
    case HistoryColumn::Date: return item.Key;
    default: break;
    }
    const int measure = HistoryColumnMeasure(column);
    std::string text;
    if (measure < 0)
        return {};
    if (measure < 9)
        text = std::to_string(item.Value(measure));
    else if (measure < StoredValueCount)
        AppendTenths(text, item.Value(measure));
    else if (measure == 26) { // PSy3 is a percentage
        AppendFixed(text, item.Measure(measure), 0);
        text += " %";
    } else if (measure >= 45)
        AppendFixed(text, item.Measure(measure), 0);
    else
        AppendFixed(text, item.Measure(measure), 1);
    return fromAscii(text);
}

int THistorySorter::Sort(TRecItems& items, int column) {
    if (column < 0 || column >= HistoryColumn::Count)
        return 0;
    bool& flag = m_flags[static_cast<std::size_t>(column)];
    SortRecItems(items, column, flag);
    const int mark = flag ? 1 : 0;
    flag = !flag;
    return mark;
}

bool THistorySorter::Flag(int column) const {
    return column >= 0 && column < HistoryColumn::Count && m_flags[static_cast<std::size_t>(column)];
}

void SortRecItems(TRecItems& items, int column, bool flag) {
    const int n = items.Count();
    std::vector<int> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    const auto item = [&](int i) { return items.Item(i); };

    if (column == HistoryColumn::Title || column == HistoryColumn::Date) {
        const bool byTitle = column == HistoryColumn::Title;
        const auto text = [&](int i) -> const QString& { return byTitle ? item(i)->Title : item(i)->Key; };
        // Without the flag the collection goes into descending order, which the table shows
        // the right way up.
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            const int c = QString::compare(text(a), text(b), Qt::CaseInsensitive);
            return flag ? c < 0 : c > 0;
        });
    } else {
        // Numbers compare by their difference; derived measures by the difference in
        // hundredths, rounded, so values closer than 0.005 count as equal. A merge sort stays
        // within bounds even though that equality is not transitive.
        std::vector<std::int64_t> whole(static_cast<std::size_t>(n));
        std::vector<float> derived;
        const int measure = HistoryColumnMeasure(column);
        const bool isDerived = measure >= 22;
        if (isDerived)
            derived.resize(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            if (column == HistoryColumn::No)
                whole[static_cast<std::size_t>(i)] = item(i)->Serial;
            else if (isDerived)
                derived[static_cast<std::size_t>(i)] = item(i)->Measure(measure);
            else
                whole[static_cast<std::size_t>(i)] = item(i)->Value(measure);
        }
        // The sign of the difference, in hundredths and rounded to a whole number for the
        // derived measures (ties to even: half a hundredth is still equal).
        const auto sign = [&](int a, int b) -> int {
            const auto ua = static_cast<std::size_t>(a);
            const auto ub = static_cast<std::size_t>(b);
            if (!isDerived)
                return whole[ua] < whole[ub] ? -1 : whole[ua] > whole[ub] ? 1 : 0;
            const double d = (double(derived[ua]) - double(derived[ub])) * 100.0;
            return d > 0.5 ? 1 : d < -0.5 ? -1 : 0;
        };
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return sign(a, b) == (flag ? 1 : -1);
        });
    }
    items.Reorder(order);
    items.Sorted = true;
}

} // namespace pelmar
