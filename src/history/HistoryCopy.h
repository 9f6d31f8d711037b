#pragma once

#include "history/RecItems.h"

#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace pelmar {

// The heading of a history copy: TITL, DATE, the 20 stored keys, the 11 ratio keys and the 4
// style keys, tab-separated (UTF-8, no line end).
[[nodiscard]] std::string HistoryCopyHeading();
// One record as a copy line of 37 tab-separated fields: title, key, the counts "#,##0", the
// indices "%.1F", the ratios "%.3F" and the style scores (UTF-8, no line end).
void AppendHistoryCopyRow(std::string& out, const TRecItem& item);
// What the copy commands put on the clipboard: the rows' lines (after the heading when asked
// for), each ending with CR LF.
[[nodiscard]] QString HistoryCopyText(const std::vector<const TRecItem*>& rows, bool heading);

// The record's detail: "Title", "Date", the 11 ratios "%.2F", then the 20 stored values,
// one "name: value" per line, joined with CR LF.
[[nodiscard]] QString RecordDetailText(const TRecItem& item);

// Positions of the items whose title contains the search text, without regard to case; the
// text is trimmed first, and an empty one finds nothing to do (no result).
[[nodiscard]] std::optional<std::vector<int>> SearchTitles(const TRecItems& items,
                                                           const QString& text);

} // namespace pelmar
