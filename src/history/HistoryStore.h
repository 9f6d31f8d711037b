#pragma once

#include "history/HistoryDialogs.h"
#include "history/HistoryFile.h"
#include "history/RecItems.h"

#include <QString>

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace pelmar {

// The kind of the records a list holds: "Index" unassigned, "Sample..." samples, else a group.
[[nodiscard]] std::uint8_t ListKind(std::string_view listName);

// Adds an item for each record key, in order, with `kind`, FileName `path` and `listName`.
// With `dangling` given, a key without a record section is collected there instead of being
// added; without it such a key becomes an item titled "無題" with all values 0. Returns the
// number of items added.
int AddRecords(TRecItems& items, const THistorySections& sections, const QString& path,
               const std::vector<std::string>& keys, std::uint8_t kind, const QString& listName,
               std::vector<std::string>* dangling);

// Removes list entries whose record section is gone, each list rewritten with the remaining
// entries as bare lines; a change of the file, so it runs under the file's lock on what the
// file holds then.
THistoryOutcome RemoveDanglingEntries(const QString& path, const std::vector<std::string>& lists);

// Loads one list of a history file (kind by ListKind) and writes the list back without its
// dangling entries when it had any. Returns the number of items added; `outcome` gets what
// went wrong.
int LoadList(TRecItems& items, const QString& path, std::string_view listName,
             THistoryOutcome* outcome = nullptr);

// What the history window shows besides the user's records.
enum class SampleDisplay { All = 0, Part = 1, None = 2 };
struct THistoryView {
    SampleDisplay samples = SampleDisplay::Part;
    std::array<bool, 3> levels{true, true, true};
};

// The sample lists a view loads, by level; empty for a level that is off.
[[nodiscard]] std::string_view SampleListName(const THistoryView& view, int level);

// Clears the collection and loads the ticked sample levels and "Index" of pelmar.hst in the
// data folder. A missing file gives an empty collection; a damaged one its message and leaves
// the collection as it was. Entries naming no record are left out and, with `cleanUp`, removed
// from the file.
THistoryOutcome ReloadHistory(TRecItems& items, const QString& dataFolder,
                              const THistoryView& view, bool cleanUp = true);

// The reload after the sample settings changed: group members already shown stay, after the
// reloaded samples and unassigned records.
THistoryOutcome ReloadKeepingGroups(TRecItems& items, const QString& dataFolder,
                                    const THistoryView& view);

// Deletes the records of the items from their files (samples are never deleted): the key
// leaves its list and the record section is erased. Stops at the first item whose file has
// vanished or cannot be changed; the items handled before stay deleted.
THistoryOutcome DeleteRecords(const std::vector<const TRecItem*>& items,
                              const QString& dataFolder);

// Asks for a new title and writes it into the item's record. Returns true when the title
// changed. CR and LF in the answer become blanks, as when saving.
bool RenameTitle(TRecItem& item, THistoryDialogs& dialogs);

// The saved copy of a record's text: texts/pm<yyyymmddhhnnss>.dat in the data folder, named by
// the digits of its key.
[[nodiscard]] QString SavedTextFile(const QString& dataFolder, const QString& key);
struct TSavedText {
    std::vector<std::string> lines; // CP932
    THistoryOutcome outcome;
};
[[nodiscard]] TSavedText LoadSavedText(const QString& dataFolder, const QString& key);

} // namespace pelmar
