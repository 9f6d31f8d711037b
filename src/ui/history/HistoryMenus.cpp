#include "ui/history/HistoryMenus.h"

#include <QAction>
#include <QMenu>

namespace pelmar {

void FillMenu(QMenu* menu, const std::vector<THistoryMenuItem>& items,
              const std::function<void(int tag)>& choose) {
    for (const THistoryMenuItem& item : items) {
        if (item.separator) {
            menu->addSeparator();
        } else if (!item.items.empty()) {
            FillMenu(menu->addMenu(item.caption), item.items, choose);
        } else {
            // A title may hold "&", which must show and not become a mnemonic.
            QString caption = item.caption;
            caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
            QAction* action = menu->addAction(caption);
            const int tag = item.tag;
            if (tag >= 0)
                QObject::connect(action, &QAction::triggered, menu, [choose, tag] { choose(tag); });
        }
    }
}

void FillDataGroupMenus(const TDataGroupMenus& menus, const THistoryFolderList& folders,
                        const TDataGroupActions& actions) {
    for (QMenu* menu : {menus.open, menus.openAdd, menus.move, menus.rename, menus.remove})
        menu->clear();
    const auto escaped = [](QString text) { return text.replace(QLatin1Char('&'), QStringLiteral("&&")); };
    for (const THistoryFolder& folder : folders.folders) {
        const QString name = folder.name;
        if (!folder.problem.isEmpty()) {
            const QString problem = folder.problem;
            for (QMenu* menu : {menus.open, menus.openAdd, menus.move}) {
                QAction* item = menu->addAction(menus.problemMark, escaped(name));
                QObject::connect(item, &QAction::triggered, menu,
                                 [actions, problem] { actions.explainProblem(problem); });
            }
            // Renaming moves the file without reading it, so a damaged folder can be set aside.
            QMenu* rename = menus.rename->addMenu(menus.problemMark, escaped(name));
            QObject::connect(rename->addAction(escaped(name)), &QAction::triggered, rename,
                             [actions, name] { actions.renameFolder(name); });
            continue;
        }
        QMenu* open = menus.open->addMenu(escaped(name));
        QMenu* openAdd = menus.openAdd->addMenu(escaped(name));
        QMenu* move = menus.move->addMenu(escaped(name));
        QMenu* rename = menus.rename->addMenu(escaped(name));
        QObject::connect(rename->addAction(escaped(name)), &QAction::triggered, rename,
                         [actions, name] { actions.renameFolder(name); });
        for (const QString& group : folder.groups) {
            QObject::connect(open->addAction(escaped(group)), &QAction::triggered, open,
                             [actions, name, group] { actions.openGroup(name, group, false); });
            QObject::connect(openAdd->addAction(escaped(group)), &QAction::triggered, openAdd,
                             [actions, name, group] { actions.openGroup(name, group, true); });
            QObject::connect(move->addAction(escaped(group)), &QAction::triggered, move,
                             [actions, name, group] { actions.moveUnassigned(name, group); });
            QObject::connect(rename->addAction(QStringLiteral("  ") + escaped(group)),
                             &QAction::triggered, rename,
                             [actions, name, group] { actions.renameGroup(name, group); });
        }
        QObject::connect(move->addAction(QStringLiteral("新規作成")), &QAction::triggered, move,
                         [actions, name] { actions.newGroup(name); });
    }
    QObject::connect(menus.move->addAction(QStringLiteral("新規作成")), &QAction::triggered,
                     menus.move, [actions] { actions.newFolder(); });
}

} // namespace pelmar
