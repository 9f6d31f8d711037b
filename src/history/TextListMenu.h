#pragma once

#include "history/HistoryFile.h"
#include "history/RecItems.h"

#include <QString>

#include <optional>
#include <vector>

namespace pelmar {

// An item of a pop-up menu built at run time: a caption with a tag (-1 for items that do
// nothing), a separator, or a sub-menu with items of its own.
struct THistoryMenuItem {
    QString caption;
    int tag = -1;
    bool separator = false;
    std::vector<THistoryMenuItem> items;
};

// An unassigned record of pelmar.hst that the window does not show yet.
struct TTextListEntry {
    int position = 0; // its position in "Index"
    QString title;    // TITL, empty when the record has none
};

// The unassigned records not shown yet, in the order of "Index": a record counts as shown when
// an item read from "Index" (or added from this list) carries its key. Reads, never writes.
[[nodiscard]] std::vector<TTextListEntry> UnshownRecords(const TRecItems& items,
                                                         const TDataFile& history);

// The text list menu: up to 33 entries directly; more go into sub-menus of 33 ("first ～
// last"), at most 33 of them; then a separator, or "ありません" when there is no entry, and
// "キャンセル" last. An entry's tag is its position in "Index".
[[nodiscard]] std::vector<THistoryMenuItem> TextListMenu(const std::vector<TTextListEntry>& entries);

// The key at a position of "Index" of pelmar.hst, read afresh; nothing when it is gone.
[[nodiscard]] std::optional<QString> UnassignedKeyAt(const QString& dataFolder, int position);

} // namespace pelmar
