#pragma once

#include "history/HistorySections.h"
#include "history/RecItem.h"
#include "storage/DataFile.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pelmar {

// The outcome of a history operation: `message` is the text to show when it is not empty.
struct THistoryOutcome {
    bool ok = true;
    QString message;
    // A file that exists but could not be read (as opposed to one that could not be written).
    bool unreadable = false;
    static THistoryOutcome failed(QString text) { return {false, std::move(text), false}; }
};

// The main history file and the folder of folder files, both in the data folder.
[[nodiscard]] QString HistoryFileIn(const QString& dataFolder);
[[nodiscard]] QString FoldersFolderIn(const QString& dataFolder);

// A history file opened only to be read: never written back.
struct THistoryRead {
    std::unique_ptr<TDataIndexFile> file; // empty list for a missing file
    bool exists = false;
    THistoryOutcome outcome; // failed with its message when the file exists but cannot be read
};
[[nodiscard]] THistoryRead ReadHistoryFile(const QString& path);

// "履歴ファイル <path> を読み込めません": a file that exists but is damaged or unreadable.
[[nodiscard]] QString UnreadableHistoryMessage(const QString& path);
// "<path> に書き込めません (<code>)", or the storage layer's own text when it has one.
[[nodiscard]] QString WriteFailureMessage(const QString& path, const SaveResult& result);

// One change of a history file, safe against other processes changing it at the same time:
// under a lock file beside it (<path>.lock), the file is read afresh, `change` edits it and
// returns whether there is anything to write, and the result replaces the file atomically.
// A file that exists but cannot be read is never written (writing the empty list back would
// drop every record in it): the change is not run and the outcome carries the message.
struct TChangeOptions {
    int lockTimeoutMs = 10000;
};
THistoryOutcome ChangeHistoryFile(const QString& path,
                                  const std::function<bool(TDataIndexFile&)>& change,
                                  const TChangeOptions& options = {});

// Reads one record section into an item: the 20 values by key (absent or not a number: 0),
// TITL ("無題" when absent) and style (0 when absent).
void ReadRecord(const THistorySections& sections, const THistorySections::TRange& range,
                TRecItem& item);

// Section edits used by the store operations; names compare as TDataFile compares them.
// Removes every section with one of these names.
void EraseSections(TDataFile& file, const std::vector<std::string>& names);
// Removes from a list section every entry equal to one of the keys; true when one went.
bool RemoveListEntries(TDataFile& file, std::string_view list,
                       const std::vector<std::string>& keys);
// Copies the record sections of the keys that `from` holds (their non-empty lines) to the end
// of `to`, replacing sections of the same names there.
void CopySections(const THistorySections& from, TDataFile& to,
                  const std::vector<std::string>& keys);

} // namespace pelmar
