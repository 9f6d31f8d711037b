#pragma once

#include "history/RecItems.h"

#include <QString>

#include <array>

namespace pelmar {

// The columns of the history table, one numbering for both lists: the title list shows the
// first three, the value table all of them with the first three at width 0.
namespace HistoryColumn {
inline constexpr int No = 0;
inline constexpr int Title = 1;
inline constexpr int Date = 2;
inline constexpr int FirstStored = 3;   // the 20 stored values, column positions 0..19
inline constexpr int FirstDerived = 23; // the 11 ratios, measure numbers 22..32
inline constexpr int FirstStyle = 34;   // the 4 style scores, measure numbers 45..48
inline constexpr int Count = 38;
} // namespace HistoryColumn

// "No", "Title", "Date", then the keys: sent .. FRES, WPS .. Sy3PP, dia .. gen.
[[nodiscard]] QString HistoryColumnCaption(int column);
// The stored column position (0..19) or measure number (22..32, 45..48) a column shows; -1 for
// No, Title and Date.
[[nodiscard]] int HistoryColumnMeasure(int column);
// What a cell of the row showing `item` reads; `row` is the row's index from the top.
[[nodiscard]] QString HistoryCellText(const TRecItem& item, int column, int row);

// Clicking a header sorts by its column in the direction the column's flag says and then
// turns the flag, so a second click reverses. A first click shows the largest number, or the
// alphabetically first text, on top (the table shows the collection backwards).
class THistorySorter {
public:
    // Sorts and returns the header mark to show: 1 when the flag was set, 0 when not.
    int Sort(TRecItems& items, int column);
    [[nodiscard]] bool Flag(int column) const;

private:
    std::array<bool, HistoryColumn::Count> m_flags{};
};

// Sorts the collection by one column: numbers ascending (derived measures compared to the
// hundredth, closer values count as equal), texts descending without regard to case; `flag`
// reverses. Marks the collection as sorted.
void SortRecItems(TRecItems& items, int column, bool flag);

} // namespace pelmar
