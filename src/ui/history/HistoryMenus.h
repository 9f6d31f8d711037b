#pragma once

#include "history/HistoryFolders.h"
#include "history/TextListMenu.h"

#include <QIcon>

#include <functional>
#include <vector>

class QMenu;

namespace pelmar {

// Fills a menu from a model; choosing an entry with a tag of 0 or more calls `choose` with it.
void FillMenu(QMenu* menu, const std::vector<THistoryMenuItem>& items,
              const std::function<void(int tag)>& choose);

// What the data-group menu's items do.
struct TDataGroupActions {
    std::function<void(const QString& folder, const QString& group, bool add)> openGroup;
    std::function<void(const QString& folder, const QString& group)> moveUnassigned;
    std::function<void(const QString& folder)> newGroup;
    std::function<void()> newFolder;
    std::function<void(const QString& folder)> renameFolder;
    std::function<void(const QString& folder, const QString& group)> renameGroup;
    // A folder whose file cannot be read was chosen: tells why (its load message).
    std::function<void(const QString& message)> explainProblem;
};

// The sub-menus of "データグループ(&D)", rebuilt from the folders each time it opens. A folder
// that cannot be read has no groups to offer: where its groups would be, it is a marked item
// that tells why; it can still be renamed.
struct TDataGroupMenus {
    QMenu* open = nullptr;    // "開く(&O)"
    QMenu* openAdd = nullptr; // "追加で開く(&A)"
    QMenu* move = nullptr;    // "無所属のデータをグループに移動(&S)"
    QMenu* rename = nullptr;  // "名前を変更(&N)"
    QMenu* remove = nullptr;  // "削除(&D)", kept empty
    QIcon problemMark;        // beside a folder that cannot be read
};
void FillDataGroupMenus(const TDataGroupMenus& menus, const THistoryFolderList& folders,
                        const TDataGroupActions& actions);

} // namespace pelmar
