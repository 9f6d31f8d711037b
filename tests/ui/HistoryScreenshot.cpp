// Makes the README's picture of the history window: a dozen saved measurements with a few
// auxiliary curves, drawn offscreen.
#include "HistoryFixtures.h"
#include "platform/AppPaths.h"
#include "ui/history/HistoryWindow.h"
#include "ui/history/HistoryTableModel.h"
#include "ui/history/HistoryTableView.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT.png\n", argv[0]);
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
    const bool saved = window.grab().save(QString::fromLocal8Bit(argv[1]));
    window.hide();
    QFile::remove(pelmar::SettingsFilePath());
    QDir(pelmar::AppDataFolder()).removeRecursively();
    return saved ? 0 : 1;
}
