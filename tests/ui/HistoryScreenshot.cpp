// Makes the pictures of the history window for the README and the manual: a dozen saved
// measurements with a few auxiliary curves, drawn offscreen; when asked, also the line graph
// alone, the list's pop-up menu and the data-group menu with its folders.
#include "HistoryFixtures.h"
#include "platform/AppPaths.h"
#include "platform/Cp932.h"
#include "ui/history/GLItems.h"
#include "ui/history/HistoryWindow.h"
#include "ui/history/HistoryTableModel.h"
#include "ui/history/HistoryTableView.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPainter>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include <cstdio>
#include <vector>

namespace {

// A folder "2025年度" with two groups, the first holding two records of its own.
void writeFolder(const QString& dataFolder) {
    using pelmar::test::Lines;
    const std::string first = pelmar::toCp932(u"1学期");
    const std::string second = pelmar::toCp932(u"2学期");
    Lines lines{"[Titles]", first, second, "[" + first + "]", "2025/04/14 09:10:00",
                "2025/04/21 09:05:00", "[" + second + "]"};
    for (const Lines& record : {pelmar::test::measuredRecord("2025/04/14 09:10:00", 3, "Yuki's garden"),
                                pelmar::test::measuredRecord("2025/04/21 09:05:00", 5, "The school trip")})
        lines.insert(lines.end(), record.begin(), record.end());
    pelmar::test::writeHistory(QDir(pelmar::FoldersFolderIn(dataFolder)).filePath(QStringLiteral("2025年度.hst")),
                               lines);
}

// Pops the menu up offscreen and draws it as it shows.
QImage menuPicture(QMenu* menu) {
    menu->popup(QPoint(0, 0));
    if (!QTest::qWaitForWindowExposed(menu))
        return {};
    QCoreApplication::processEvents();
    QImage picture = menu->grab().toImage();
    menu->hide();
    return picture;
}

// The menu with a path of sub-menus open, each beside the item that opens it, as a user sees
// them; `path` names the items by the start of their captions. Nothing when one is missing.
QImage menuPath(QMenu* menu, const QStringList& path) {
    struct TPart {
        QImage picture;
        QPoint at;
    };
    std::vector<TPart> parts;
    QPoint at(0, 0);
    for (qsizetype level = 0;; ++level) {
        QAction* opening = nullptr;
        if (level < path.size()) {
            for (QAction* action : menu->actions())
                if (action->menu() && action->text().startsWith(path[level]))
                    opening = action;
            if (!opening)
                return {};
            menu->setActiveAction(opening);
        }
        parts.push_back({menuPicture(menu), at});
        if (!opening)
            break;
        at += QPoint(parts.back().picture.width() - 6, menu->actionGeometry(opening).top());
        menu = opening->menu();
    }
    QRect all;
    for (const TPart& part : parts)
        all |= QRect(part.at, part.picture.size());
    QImage picture(all.size(), QImage::Format_ARGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    for (const TPart& part : parts)
        painter.drawImage(part.at, part.picture);
    return picture;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 5) {
        std::fprintf(stderr, "usage: %s WINDOW.png [GRAPH.png POPUP.png DATAMENU.png]\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QFile::remove(pelmar::SettingsFilePath());
    QDir(pelmar::AppDataFolder()).removeRecursively();
    const char* const titles[] = {
        "Spring festival",    "The old bridge",      "A letter home",    "Poems for spring",
        "Train to Kyoto",     "Rainy season",        "Science news",     "The lost key",
        "Speech: Graduation", "My summer holiday",   "Recipe: Onigiri",  "Dialogue at a shop",
    };
    // Three samples and nine of the teacher's own records, two of them filed in a group.
    pelmar::test::writeHistoryWith(pelmar::AppDataFolder(), 3, 9,
                                   [&](int i) { return std::string(titles[i]); });
    writeFolder(pelmar::AppDataFolder());

    {
        QSettings ini(pelmar::SettingsFilePath(), QSettings::IniFormat);
        for (const char* key : {"Graph/WPS", "Graph/CIV", "Graph/PSy3"})
            ini.setValue(QString::fromLatin1(key), 1);
    }

    pelmar::TForm2 window;
    window.resize(1280, 900);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    QCoreApplication::processEvents();
    for (int row : {0, 1})
        window.items().Item(window.model()->positionOfRow(row))->Kind = pelmar::RecKind::GroupMember;
    QItemSelectionModel* selection = window.titleList()->selectionModel();
    selection->select(window.model()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QTest::qWait(100);
    bool saved = window.grab().save(QString::fromLocal8Bit(argv[1]));
    if (saved && argc == 5) {
        saved = window.graph()->grab().save(QString::fromLocal8Bit(argv[2]));
        // The pop-up as it opens over one selected record.
        QMetaObject::invokeMethod(window.listPopup(), "aboutToShow");
        saved = saved && menuPicture(window.listPopup()).save(QString::fromLocal8Bit(argv[3]));
        // The data-group menu fills itself from the folders as it opens.
        QMenu* data = window.dataGroupMenu();
        QMetaObject::invokeMethod(data, "aboutToShow");
        const QImage menus =
            menuPath(data, {QStringLiteral("無所属のデータをグループに移動"), QStringLiteral("2025年度")});
        saved = saved && !menus.isNull() && menus.save(QString::fromLocal8Bit(argv[4]));
    }
    window.hide();
    QFile::remove(pelmar::SettingsFilePath());
    QDir(pelmar::AppDataFolder()).removeRecursively();
    return saved ? 0 : 1;
}
