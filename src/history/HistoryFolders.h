#pragma once

#include "history/HistoryDialogs.h"
#include "history/HistoryFile.h"
#include "history/RecItems.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pelmar {

// A folder is a history file datas/<name>.hst in the data folder; its groups are named lists
// in it, their names listed in its "Titles" section.
struct THistoryFolder {
    QString name;
    QString path;
    QStringList groups; // as listed in "Titles"
    QString problem;    // the load message when the file cannot be read, else empty
};

struct THistoryFolderList {
    std::vector<THistoryFolder> folders; // by name without regard to case
    QStringList problems;                // messages of folder files that cannot be read
};

// The folders for the data-group menu, read without writing anything. A folder file that
// cannot be read (no permission, damaged) is listed too, with its message and no groups.
[[nodiscard]] THistoryFolderList ListHistoryFolders(const QString& dataFolder);

// What a move of the unassigned records did: the folder file took them, and pelmar.hst let
// them go (then the window reloads).
struct TGroupMove {
    bool folderChanged = false;
    bool historyChanged = false;
};

// The data-group menu's operations on the folders of one data folder. Every question, input
// and message goes through `dialogs`.
class THistoryFolders {
public:
    THistoryFolders(QString dataFolder, THistoryDialogs& dialogs);

    [[nodiscard]] QString FolderPath(const QString& folder) const;

    // Adds the records of a group ("開く", or "追加で開く" with add): without add, every item
    // but the samples goes first.
    void OpenGroup(TRecItems& items, const QString& folder, const QString& group, bool add);
    // Files every unassigned record into a group, after asking.
    TGroupMove MoveUnassignedToGroup(const QString& folder, const QString& group);
    // Asks for a name and files every unassigned record into a new group of that name.
    TGroupMove NewGroup(const QString& folder);
    // Asks for a name and creates an empty folder, then offers to give it a first group.
    bool NewFolder();
    bool RenameFolder(const QString& folder);
    bool RenameGroup(const QString& folder, const QString& group);
    // Adds the records of the keys from a history file, as group members without a list.
    void OpenRecords(TRecItems& items, const QString& path, const QStringList& keys);

private:
    // Files the keys into the folder file (`intoFolder` edits it, false to leave it), then
    // offers to take them out of pelmar.hst; the latter only after the former was saved.
    TGroupMove fileUnassigned(const QString& folderPath,
                              const std::vector<std::string>& keys,
                              const std::function<bool(TDataIndexFile&)>& intoFolder);
    std::optional<QString> askGroupName(const QString& caption, const QString& prompt,
                                        QString initial, const QStringList& taken,
                                        const QString& keep = {});
    [[nodiscard]] bool readable(const THistoryRead& read);

    QString m_dataFolder;
    THistoryDialogs& m_dialogs;
};

// The refusal texts of names, exactly as shown.
[[nodiscard]] QString NameTakenMessage(const QString& name);
[[nodiscard]] QString BadNameMessage(const QString& name);
// Whether a folder or group name could write outside datas/ or break a file's sections: a
// slash or backslash, a control character, a leading dot; for groups also a leading "[",
// which would turn its line in "Titles" into a section header.
[[nodiscard]] bool IsBadFolderName(const QString& name);
[[nodiscard]] bool IsBadGroupName(const QString& name);
// The question MoveUnassignedToGroup asks.
[[nodiscard]] QString MoveQuestion(const QStringList& titles, int count, const QString& group);

} // namespace pelmar
