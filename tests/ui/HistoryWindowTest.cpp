#include "ui/history/HistoryWindow.h"

#include "HistoryFixtures.h"
#include "UiTestSupport.h"
#include "history/HistoryStore.h"
#include "platform/AppPaths.h"
#include "ui/fly/FlyWindow.h"
#include "ui/history/GLItems.h"
#include "ui/history/HistoryTableModel.h"
#include "ui/history/HistoryTableView.h"
#include "ui/history/HistoryToolArea.h"
#include "ui/history/HistoryWindowDialogs.h"
#include "ui/main/MainWindow.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QTest>

#include <gtest/gtest.h>

namespace pelmar {
namespace {

using namespace Qt::StringLiterals;
using test::TFakeDialogs;

const char* const Titles[] = {"Spring festival", "The old bridge", "A letter home", "SPRINGTIME poems",
                              "Train to Kyoto", "Rainy season"};

std::string titleOf(int i) {
    std::string title = Titles[i % 6];
    if (i >= 6)
        title.append(1, ' ').append(std::to_string(i));
    return title;
}

class HistoryWindowTest : public testing::Test {
protected:
    void SetUp() override {
        test::forgetProgramFiles();
        QGuiApplication::clipboard()->clear();
    }
    void TearDown() override {
        window.reset();
        test::forgetProgramFiles();
    }

    TForm2& open(int samples, int unassigned) {
        test::writeHistoryWith(AppDataFolder(), samples, unassigned, titleOf);
        auto owned = std::make_unique<TFakeDialogs>();
        dialogs = owned.get();
        window = std::make_unique<TForm2>(std::move(owned));
        window->setMenuRunner([this](QMenu& menu, QPoint) {
            if (onMenu)
                onMenu(menu);
        });
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QCoreApplication::processEvents(); // the first load follows the first show
        return *window;
    }

    // As on a 1024x768 screen: a window of four fifths of it.
    TForm2& openAsOn1024(int unassigned) {
        QSettings ini(SettingsFilePath(), QSettings::IniFormat);
        ini.setValue("GraphPos/width", 819);
        ini.setValue("GraphPos/height", 614);
        ini.sync();
        return open(0, unassigned);
    }

    QAction* action(const char* name) const {
        QAction* a = window->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    QStringList rows() const {
        QStringList titles;
        for (int r = 0; r < window->model()->rowCount(); ++r)
            titles << window->model()->itemAtRow(r)->Title;
        return titles;
    }
    void selectRows(std::initializer_list<int> list, int current = -1) {
        QItemSelectionModel* selection = window->titleList()->selectionModel();
        selection->clearSelection();
        for (int r : list)
            selection->select(window->model()->index(r, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);
        if (current >= 0)
            selection->setCurrentIndex(window->model()->index(current, 0), QItemSelectionModel::NoUpdate);
    }
    void clickHeader(THistoryTableView* view, int column) {
        QHeaderView* header = view->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    QPoint rowCentre(THistoryTableView* view, int row) const {
        return view->visualRect(window->model()->index(row, 1)).center();
    }

    TFakeDialogs* dialogs = nullptr;
    std::unique_ptr<TForm2> window;
    std::function<void(QMenu&)> onMenu;
};

TEST_F(HistoryWindowTest, ListsTheNewestOnTopAndTheSamplesAtTheBottom) {
    TForm2& w = open(2, 3);
    EXPECT_EQ(w.windowTitle(), u"Pelmar - Graph"_s);
    EXPECT_EQ(rows(), QStringList({"A letter home", "The old bridge", "Spring festival", "Sample 2", "Sample 1"}));
    EXPECT_EQ(w.model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), u"5"_s);
    EXPECT_EQ(w.model()->headerData(23, Qt::Horizontal, Qt::DisplayRole).toString(), u"WPS"_s);
    EXPECT_EQ(w.model()->data(w.model()->index(0, 0), Qt::DisplayRole).toString(), u"1"_s);
    EXPECT_FALSE(w.model()->data(w.model()->index(4, 0), Qt::DecorationRole).isNull());
    EXPECT_EQ(w.statusText(0), u"全 5 テキスト"_s);
    EXPECT_EQ(w.statusText(1), u"0 個選択"_s);
    EXPECT_TRUE(w.titleList()->isColumnHidden(5));
    EXPECT_TRUE(w.valueTable()->isColumnHidden(1));
    EXPECT_EQ(w.titleList()->columnWidth(2), 130); // the title's width follows the list
    // One selection for both lists.
    selectRows({1, 2});
    EXPECT_TRUE(w.valueTable()->selectionModel()->isRowSelected(2, {}));
    EXPECT_EQ(w.statusText(1), u"2 個選択"_s);
    EXPECT_FALSE(action("acShowFlyGraph")->isEnabled());
    selectRows({1});
    EXPECT_TRUE(action("acShowFlyGraph")->isEnabled());
    EXPECT_TRUE(action("acRename")->isEnabled());
    selectRows({4});
    EXPECT_FALSE(action("acRename")->isEnabled());
    EXPECT_FALSE(action("acDelete")->isEnabled());
}

TEST_F(HistoryWindowTest, SortKeepsSelectionAndFocusAndASecondClickReverses) {
    TForm2& w = open(0, 6);
    const int wordColumn = HistoryColumn::FirstStored + 3;
    // Words grow with the record's number: the oldest record has the fewest.
    selectRows({1, 4}, 4);
    const QString focused = w.model()->itemAtRow(4)->Title;
    const QStringList selected{w.model()->itemAtRow(1)->Title, focused};
    clickHeader(w.valueTable(), wordColumn);
    EXPECT_EQ(rows().first(), u"Rainy season"_s); // the most words on top
    EXPECT_EQ(rows().last(), u"Spring festival"_s);
    EXPECT_TRUE(w.valueTable()->horizontalHeader()->isSortIndicatorShown());
    EXPECT_FALSE(w.titleList()->horizontalHeader()->isSortIndicatorShown());
    QStringList after;
    for (int r : w.selectedRows())
        after << w.model()->itemAtRow(r)->Title;
    std::sort(after.begin(), after.end());
    QStringList expected = selected;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(after, expected);
    EXPECT_EQ(w.model()->itemAtRow(w.titleList()->currentIndex().row())->Title, focused);

    clickHeader(w.valueTable(), wordColumn);
    EXPECT_EQ(rows().first(), u"Spring festival"_s);
    EXPECT_EQ(rows().last(), u"Rainy season"_s);
    EXPECT_EQ(w.selectedRows().size(), 2u);

    // Titles: the alphabetically first on top, without regard to case.
    clickHeader(w.titleList(), HistoryColumn::Title);
    EXPECT_EQ(rows(), QStringList({"A letter home", "Rainy season", "Spring festival", "SPRINGTIME poems",
                                   "The old bridge", "Train to Kyoto"}));
    EXPECT_TRUE(w.titleList()->horizontalHeader()->isSortIndicatorShown());
    EXPECT_FALSE(w.valueTable()->horizontalHeader()->isSortIndicatorShown());
}

TEST_F(HistoryWindowTest, TheTitleSortMarkStaysInsideTheTitleList) {
    TForm2& w = open(0, 30);
    THistoryTableView* list = w.titleList();
    QHeaderView* header = list->horizontalHeader();
    const auto titleEnd = [&] {
        return header->sectionViewportPosition(HistoryColumn::Title) +
               header->sectionSize(HistoryColumn::Title);
    };
    clickHeader(list, HistoryColumn::Title);
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), HistoryColumn::Title);
    // The mark is drawn at the right end of the section.
    EXPECT_LE(titleEnd(), list->viewport()->width());
    EXPECT_GE(titleEnd(), list->viewport()->width() - 2);
    // It follows the list when the splitter moves, either way.
    for (int width : {300, 160}) {
        auto* splitter = qobject_cast<QSplitter*>(list->parentWidget());
        ASSERT_NE(splitter, nullptr);
        splitter->setSizes({width, splitter->width() - width});
        QCoreApplication::processEvents();
        EXPECT_LE(titleEnd(), list->viewport()->width()) << width;
        EXPECT_GE(titleEnd(), list->viewport()->width() - 2) << width;
    }
    // A title widened by hand keeps its width.
    header->resizeSection(HistoryColumn::Title, 400);
    list->resize(list->width() - 20, list->height());
    EXPECT_EQ(header->sectionSize(HistoryColumn::Title), 400);
}

TEST_F(HistoryWindowTest, SearchSelectsMatchingTitlesAndEnterSearches) {
    TForm2& w = open(1, 6);
    QLineEdit* box = w.toolArea()->searchBox;
    box->setText(u"  spRING "_s);
    QTest::keyClick(box, Qt::Key_Return);
    QStringList found;
    for (int r : w.selectedRows())
        found << w.model()->itemAtRow(r)->Title;
    EXPECT_EQ(found, QStringList({"SPRINGTIME poems", "Spring festival"}));
    EXPECT_EQ(box->text(), u"  spRING "_s);
    // Blanks alone change nothing.
    box->setText(u"   "_s);
    action("acSearch")->trigger();
    EXPECT_EQ(w.selectedRows().size(), 2u);
}

TEST_F(HistoryWindowTest, DeleteRefusesSamplesAndAsksTwice) {
    TForm2& w = open(2, 3);
    selectRows({0, 4});
    w.acDeleteExecute();
    EXPECT_EQ(dialogs->messages, QStringList({"サンプルは編集できません"}));
    EXPECT_TRUE(dialogs->questions.isEmpty());

    selectRows({0, 1});
    dialogs->answers = {true, false};
    w.acDeleteExecute();
    EXPECT_EQ(dialogs->questions, QStringList({"YC|2 項目を削除します", "YC|削除すると 元には戻せません。 よろしいか？"}));
    EXPECT_EQ(w.items().Count(), 5);

    selectRows({0, 1});
    dialogs->answers = {true, true};
    w.acDeleteExecute();
    EXPECT_EQ(rows(), QStringList({"Spring festival", "Sample 2", "Sample 1"}));
    TRecItems reread;
    ASSERT_TRUE(ReloadHistory(reread, AppDataFolder(), {}).ok);
    EXPECT_EQ(reread.Count(), 3);
}

TEST_F(HistoryWindowTest, CopyPutsThirtySevenFieldsPerRowWithCrLf) {
    TForm2& w = open(0, 3);
    action("acCopyA")->trigger();
    EXPECT_EQ(dialogs->messages, QStringList({"コピーする項目を選択してください"}));
    selectRows({2});
    w.acCopyExecute(false);
    const QString one = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(one.startsWith(u"Spring festival\t2024/04/01 09:00:00\t"_s)) << one.toStdString();
    EXPECT_TRUE(one.endsWith(u"\r\n"_s));
    EXPECT_EQ(one.count(u'\t'), 36);
    selectRows({0, 2});
    w.acCopyExecute(true);
    const QStringList lines = QGuiApplication::clipboard()->text().split(u"\r\n"_s);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith(u"TITL\tDATE\tsent"_s));
    EXPECT_TRUE(lines[1].startsWith(u"A letter home\t"_s));
    EXPECT_EQ(lines[2] + u"\r\n"_s, one);
}

TEST_F(HistoryWindowTest, RightButtonDragMovesTheSelectedRows) {
    TForm2& w = open(1, 5);
    // Rows: Train, SPRINGTIME, A letter, The old bridge, Spring festival, Sample 1.
    selectRows({0, 1}, 0);
    THistoryTableView* view = w.titleList();
    QWidget* viewport = view->viewport();
    QTest::mousePress(viewport, Qt::RightButton, {}, rowCentre(view, 0));
    QTest::mouseMove(viewport, rowCentre(view, 2));
    EXPECT_TRUE(view->dragging());
    QTest::mouseMove(viewport, rowCentre(view, 3));
    EXPECT_EQ(w.model()->dropRow(), 3);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, rowCentre(view, 3));
    EXPECT_EQ(w.model()->dropRow(), -1);
    // Dragged down, the block lands below the row it was dropped on, in its order.
    EXPECT_EQ(rows(), QStringList({"A letter home", "The old bridge", "Train to Kyoto", "SPRINGTIME poems",
                                   "Spring festival", "Sample 1"}));
    EXPECT_EQ(w.selectedRows(), std::vector<int>{3});

    // No drag with a sample selected, and no drop on a sample row.
    selectRows({5});
    QTest::mousePress(viewport, Qt::RightButton, {}, rowCentre(view, 5));
    QTest::mouseMove(viewport, rowCentre(view, 1));
    EXPECT_FALSE(view->dragging());
    QTest::mouseRelease(viewport, Qt::RightButton, {}, rowCentre(view, 1));
    selectRows({0});
    QTest::mousePress(viewport, Qt::RightButton, {}, rowCentre(view, 0));
    QTest::mouseMove(viewport, rowCentre(view, 5));
    EXPECT_EQ(w.model()->dropRow(), -1);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, rowCentre(view, 5));
    EXPECT_EQ(rows().last(), u"Sample 1"_s);
    EXPECT_EQ(rows().first(), u"A letter home"_s);
}

TEST_F(HistoryWindowTest, TextListOffersHiddenRecordsInGroupsOfThirtyThree) {
    TForm2& w = open(0, 40);
    w.titleList()->selectAll();
    action("acHide")->trigger();
    EXPECT_EQ(w.items().Count(), 0);
    EXPECT_EQ(w.statusText(0), u"全 0 テキスト"_s);
    QStringList captions;
    onMenu = [&](QMenu& menu) {
        for (QAction* a : menu.actions())
            captions << (a->isSeparator() ? u"-"_s : a->text());
        QMenu* second = menu.actions()[1]->menu();
        ASSERT_NE(second, nullptr);
        ASSERT_EQ(second->actions().size(), 7);
        second->actions()[0]->trigger(); // the 34th unassigned record
    };
    action("acShowViewer")->trigger();
    EXPECT_EQ(captions, QStringList({"0 ～ 32", "33 ～ 39", "-", "キャンセル"}));
    ASSERT_EQ(w.items().Count(), 1);
    EXPECT_EQ(w.items().Item(0)->Title, QString::fromStdString(titleOf(33)));
    EXPECT_EQ(w.items().Item(0)->Kind, RecKind::GroupMember);
    // The record shown is offered no more.
    captions.clear();
    onMenu = [&](QMenu& menu) { captions << menu.actions()[1]->text(); };
    action("acShowViewer")->trigger();
    EXPECT_EQ(captions, QStringList({"33 ～ 38"}));
}

TEST_F(HistoryWindowTest, SampleChoicesReloadAndKeepGroupMembers) {
    test::writeHistory(QDir(AppDataFolder()).filePath("datas/Class.hst"),
                       test::join({{"[Titles]", "Term 1", "[Term 1]", "g1"},
                                   test::measuredRecord("g1", 9, "Group text")}));
    TForm2& w = open(3, 2);
    w.dataGroupMenu()->popup(QPoint(0, 0)); // builds the sub-menus
    w.dataGroupMenu()->hide();
    QMenu* addMenu = w.dataGroupMenu()->actions()[1]->menu();
    ASSERT_NE(addMenu, nullptr);
    ASSERT_EQ(addMenu->actions().size(), 1);
    addMenu->actions()[0]->menu()->actions()[0]->trigger();
    EXPECT_EQ(rows().first(), u"Group text"_s);
    EXPECT_EQ(w.items().Count(), 6);

    QTest::mouseClick(w.toolArea()->sampleButtons[2], Qt::LeftButton);
    EXPECT_EQ(rows(), QStringList({"Group text", "The old bridge", "Spring festival"}));
    QTest::mouseClick(w.toolArea()->sampleButtons[0], Qt::LeftButton);
    EXPECT_EQ(w.items().SampleCount(), 3);
    EXPECT_EQ(rows().first(), u"Group text"_s);
    QTest::mouseClick(w.toolArea()->levels[0], Qt::LeftButton);
    EXPECT_EQ(w.items().SampleCount(), 0);
    EXPECT_EQ(rows().size(), 3);
    EXPECT_TRUE(w.toolArea()->sampleButtons[0]->isEnabled());

    // The choices are kept for the next start.
    w.close();
    QSettings ini(SettingsFilePath(), QSettings::IniFormat);
    EXPECT_EQ(ini.value("Graph/Sample").toInt(), 0);
    EXPECT_EQ(ini.value("Graph/L0").toInt(), 0);
    EXPECT_EQ(ini.value("GraphPos/HStep").toInt(), 2);
    EXPECT_EQ(ini.value("GraphFormulas/PMJP").toInt(), 1);
}

TEST_F(HistoryWindowTest, DataGroupMenuListsFoldersAndGroups) {
    test::writeHistory(QDir(AppDataFolder()).filePath("datas/b.hst"), {"[Titles]", "x", "y"});
    test::writeHistory(QDir(AppDataFolder()).filePath("datas/A.hst"), {});
    TForm2& w = open(0, 1);
    w.dataGroupMenu()->popup(QPoint(0, 0));
    w.dataGroupMenu()->hide();
    const QList<QAction*> top = w.dataGroupMenu()->actions();
    QStringList captions;
    for (QAction* a : top)
        captions << (a->isSeparator() ? u"-"_s : a->text());
    EXPECT_EQ(captions, QStringList({"開く(&O)", "追加で開く(&A)", "無所属のデータをグループに移動(&S)", "名前を変更(&N)",
                                     "削除(&D)", "-", "サンプル以外のデータを閉じる(&X)"}));
    const auto texts = [](QMenu* menu) {
        QStringList list;
        for (QAction* a : menu->actions())
            list << a->text();
        return list;
    };
    EXPECT_EQ(texts(top[0]->menu()), QStringList({"A", "b"}));
    EXPECT_EQ(texts(top[2]->menu()), QStringList({"A", "b", "新規作成"}));
    EXPECT_EQ(texts(top[2]->menu()->actions()[1]->menu()), QStringList({"x", "y", "新規作成"}));
    EXPECT_EQ(texts(top[3]->menu()->actions()[1]->menu()), QStringList({"b", "  x", "  y"}));
    EXPECT_TRUE(top[4]->menu()->actions().isEmpty());

    // Moving the unassigned record into "y" and clearing it from pelmar.hst reloads.
    dialogs->answers = {true, true};
    top[2]->menu()->actions()[1]->menu()->actions()[1]->trigger();
    EXPECT_EQ(w.items().Count(), 0);
    EXPECT_TRUE(dialogs->questions.first().contains(u"1 個のデータを y に追加します"_s));
}

TEST_F(HistoryWindowTest, AFolderThatCannotBeReadTellsWhyWhenChosen) {
    const QString broken = QDir(AppDataFolder()).filePath("datas/Broken.hst");
    QDir().mkpath(QFileInfo(broken).path());
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a history");
    file.close();
    TForm2& w = open(0, 1);
    QMetaObject::invokeMethod(w.dataGroupMenu(), "aboutToShow");
    const QList<QAction*> top = w.dataGroupMenu()->actions();
    const QString message =
        "履歴ファイル " + QDir::toNativeSeparators(broken) + " を読み込めません";
    for (int m : {0, 1, 2}) {
        QAction* folder = top[m]->menu()->actions().first();
        EXPECT_EQ(folder->text(), u"Broken"_s) << m;
        EXPECT_EQ(folder->menu(), nullptr) << m;
        EXPECT_FALSE(folder->icon().isNull()) << m;
        dialogs->messages.clear();
        folder->trigger();
        EXPECT_EQ(dialogs->messages, QStringList({message})) << m;
    }
    // It can still be renamed, which needs no reading.
    QMenu* rename = top[3]->menu()->actions().first()->menu();
    ASSERT_NE(rename, nullptr);
    ASSERT_EQ(rename->actions().size(), 1);
    dialogs->inputAnswers = {u"Set aside"_s};
    rename->actions().first()->trigger();
    EXPECT_TRUE(QFile::exists(QDir(AppDataFolder()).filePath("datas/Set aside.hst")));
    EXPECT_EQ(w.items().Count(), 1);
}

TEST_F(HistoryWindowTest, AReloadHideOrOpenedGroupLeavesNothingSelected) {
    test::writeHistory(QDir(AppDataFolder()).filePath("datas/Class.hst"),
                       test::join({{"[Titles]", "Term 1", "[Term 1]", "g1"},
                                   test::measuredRecord("g1", 9, "Group text")}));
    TForm2& w = open(0, 4);
    // The lists lose their selection when the collection changes; the graph's marks, the
    // status bar and the commands that need a selection must follow.
    const auto expectNothingSelected = [&](const char* after) {
        EXPECT_TRUE(w.selectedRows().empty()) << after;
        EXPECT_TRUE(w.graph()->selectedPositions().empty()) << after;
        EXPECT_FALSE(action("acShowFlyGraph")->isEnabled()) << after;
        EXPECT_FALSE(action("acProperty")->isEnabled()) << after;
        EXPECT_EQ(w.statusText(1), u"0 個選択"_s) << after;
    };
    selectRows({1});
    ASSERT_EQ(w.graph()->selectedPositions(), std::vector<int>{2});
    ASSERT_TRUE(action("acShowFlyGraph")->isEnabled());
    w.acDrawExecute();
    expectNothingSelected("a reload");

    selectRows({0});
    action("acHide")->trigger();
    expectNothingSelected("hiding");

    selectRows({0});
    w.dataGroupMenu()->popup(QPoint(0, 0));
    w.dataGroupMenu()->hide();
    w.dataGroupMenu()->actions()[0]->menu()->actions()[0]->menu()->actions()[0]->trigger();
    ASSERT_EQ(rows(), QStringList({"Group text"}));
    expectNothingSelected("opening a group");
}

TEST_F(HistoryWindowTest, AfterASortSamplesAreKnownByWhatTheyAreNotWhereTheyAre) {
    TForm2& w = open(2, 3);
    // Sorted by title the user's "The old bridge" and "Spring festival" take the places the
    // samples had: they stay the user's to rename, delete and drag, and the samples stay
    // guarded.
    clickHeader(w.titleList(), HistoryColumn::Title);
    ASSERT_EQ(rows(), QStringList({"A letter home", "Sample 1", "Sample 2", "Spring festival",
                                   "The old bridge"}));
    selectRows({4});
    w.UpdateActions();
    EXPECT_TRUE(action("acRename")->isEnabled());
    EXPECT_TRUE(action("acDelete")->isEnabled());
    selectRows({1});
    w.UpdateActions();
    EXPECT_FALSE(action("acRename")->isEnabled());
    EXPECT_FALSE(action("acDelete")->isEnabled());
    w.acDeleteExecute();
    EXPECT_EQ(dialogs->messages, QStringList({"サンプルは編集できません"}));

    // A drag of the user's record starts, and a sample row takes no drop.
    selectRows({3});
    THistoryTableView* view = w.titleList();
    QTest::mousePress(view->viewport(), Qt::RightButton, {}, rowCentre(view, 3));
    QTest::mouseMove(view->viewport(), rowCentre(view, 2));
    EXPECT_TRUE(view->dragging());
    EXPECT_EQ(w.model()->dropRow(), -1);
    QTest::mouseMove(view->viewport(), rowCentre(view, 4));
    EXPECT_EQ(w.model()->dropRow(), 4);
    QTest::mouseRelease(view->viewport(), Qt::RightButton, {}, rowCentre(view, 2));

    // Hiding a sample that a sort moved away still leaves its level.
    selectRows({1});
    action("acHide")->trigger();
    EXPECT_EQ(w.items().SampleCount(), 1);

    selectRows({2}); // "Spring festival"
    dialogs->answers = {true, true};
    w.acDeleteExecute();
    EXPECT_EQ(dialogs->messages.size(), 1);
    EXPECT_EQ(rows(), QStringList({"A letter home", "The old bridge", "Sample 2", "Sample 1"}));
}

TEST_F(HistoryWindowTest, HelpAndKindExplanations) {
    TForm2& w = open(0, 1);
    action("acWord")->trigger();
    ASSERT_EQ(dialogs->messages.size(), 1);
    EXPECT_TRUE(dialogs->messages[0].startsWith(u"Authentic Materials   /  "_s));
    w.helpMenu()->popup(QPoint(0, 0));
    w.helpMenu()->hide();
    QMenu* details = w.helpMenu()->actions().last()->menu();
    ASSERT_NE(details, nullptr);
    ASSERT_EQ(details->actions().size(), 11);
    details->actions()[10]->trigger();
    ASSERT_EQ(dialogs->infos.size(), 1);
    EXPECT_TRUE(dialogs->infos[0].contains(u"FRES"_s));
    selectRows({0});
    action("acProperty")->trigger();
    EXPECT_TRUE(dialogs->infos.last().startsWith(u"Title: Spring festival\r\nDate: "_s));
}

TEST_F(HistoryWindowTest, TheGraphTakesTheHeightTheToolAreaDoesNotNeed) {
    TForm2& w = openAsOn1024(3);
    QWidget* upper = w.findChild<QWidget*>(u"UpperPanel"_s);
    ASSERT_NE(upper, nullptr);
    EXPECT_GE(upper->height(), 153);
    EXPECT_LE(upper->height(), w.toolArea()->sizeHint().height() + 30);
    // The plot is what the graph keeps after its 33 + 232 pixel strips and the scroll bar.
    EXPECT_GE(w.graph()->height(), 614 - upper->height() - 80);
    EXPECT_GT(w.graph()->plane().Height, 90);
}

// Every control of the tool area whole in view, without scrolling: at the default size on a
// 1024x768 screen, at the least size the window takes (which must fit an 800x600 screen with
// its frame), and at a size between.
TEST_F(HistoryWindowTest, EveryToolCommandIsInViewAtTheDefaultAndTheLeastWidth) {
    TForm2& w = openAsOn1024(12);
    QList<QWidget*> controls;
    for (QWidget* c : w.toolArea()->findChildren<QWidget*>()) {
        if (!c->objectName().isEmpty() &&
            (qobject_cast<QAbstractButton*>(c) || qobject_cast<QLineEdit*>(c) ||
             qobject_cast<QAbstractSlider*>(c) || qobject_cast<QListWidget*>(c) ||
             c->objectName() == u"RangeBar"_s))
            controls << c;
    }
    ASSERT_GE(controls.size(), 30);
    const auto check = [&](const char* size) {
        QCoreApplication::processEvents();
        for (QWidget* c : controls) {
            ASSERT_TRUE(c->isVisible()) << size << " " << c->objectName().toStdString();
            // What its parents leave of it in the window.
            QRect shown(c->mapTo(&w, QPoint()), c->size());
            for (QWidget* a = c->parentWidget(); a && a != &w; a = a->parentWidget())
                shown &= QRect(a->mapTo(&w, QPoint()), a->size());
            EXPECT_EQ(shown.size(), c->size()) << size << " " << c->objectName().toStdString();
        }
        // Nothing left to scroll to.
        for (QAbstractScrollArea* area : w.findChildren<QAbstractScrollArea*>()) {
            if (area->isAncestorOf(w.toolArea())) {
                EXPECT_EQ(area->horizontalScrollBar()->maximum(), 0) << size;
                EXPECT_EQ(area->verticalScrollBar()->maximum(), 0) << size;
            }
        }
    };
    check("1024x768 default");

    w.resize(1, 1);
    const QSize least = w.size();
    // With a frame of a few pixels and a title bar it fits an 800x600 screen.
    EXPECT_LE(least.width(), 790);
    EXPECT_LE(least.height(), 560);
    check("least");
    w.resize(least.width() + 37, least.height() + 20);
    check("least + 37");
}

TEST(HistoryInputDialog, AsksItsPromptUnderAWholeCaption) {
    const QString caption = u"計測データのグループ名を変更"_s;
    const auto box = MakeHistoryInputDialog(nullptr, caption, u"新しい名前"_s, u"Unit 1"_s);
    EXPECT_EQ(box->windowTitle(), caption);
    EXPECT_EQ(box->labelText(), u"新しい名前"_s);
    EXPECT_EQ(box->textValue(), u"Unit 1"_s);
    EXPECT_EQ(box->cancelButtonText(), u"キャンセル"_s);
    // Narrower, the window manager shortens the caption to "計測デー… を変更".
    EXPECT_GE(box->width(), box->fontMetrics().horizontalAdvance(caption) + 100);
}

class HistoryWithMainTest : public HistoryWindowTest {
protected:
    void TearDown() override {
        main.reset();
        HistoryWindowTest::TearDown();
    }
    TForm1& attach() {
        auto prompts = std::make_unique<test::TFakePrompts>();
        mainPrompts = prompts.get();
        main = std::make_unique<TForm1>(std::move(prompts));
        main->attachWindows(window.get(), &fly, nullptr);
        main->setBatchPause(0);
        main->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(main.get()));
        return *main;
    }
    static TFlySeams flySeams() {
        TFlySeams seams;
        seams.prompts = std::make_unique<test::TFakePrompts>();
        seams.random = std::make_unique<TSeededRandom>(3);
        seams.virtualClock = true;
        return seams;
    }
    test::TFakePrompts* mainPrompts = nullptr;
    TForm4 fly{flySeams()};
    std::unique_ptr<TForm1> main;
};

TEST_F(HistoryWithMainTest, SavingShowsAndReloadsTheHistory) {
    TForm2& w = open(0, 2);
    w.hide();
    TForm1& m = attach();
    QGuiApplication::clipboard()->setText(u"The cat sat on the mat. It was happy."_s);
    m.findChild<QAction*>(u"acPaste"_s)->trigger();
    m.findChild<QAction*>(u"acCount"_s)->trigger();
    mainPrompts->inputAnswers = {u"Cat story"_s};
    m.acSaveExecute();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(rows().first(), u"Cat story"_s);
    EXPECT_EQ(w.items().Count(), 3);
}

TEST_F(HistoryWithMainTest, FlyAndTextHandOver) {
    TForm2& w = open(0, 2);
    TForm1& m = attach();
    selectRows({0});
    const TRecItem* record = w.model()->itemAtRow(0);
    action("acShowFlyGraph")->trigger();
    EXPECT_EQ(m.totals().Words, record->Value(3));
    EXPECT_EQ(m.wholeText().tenths[0], record->Tenths(0));
    EXPECT_EQ(m.wholeText().styles.gen, static_cast<int>(record->Measure(48)));
    EXPECT_TRUE(fly.isVisible());
    EXPECT_TRUE(fly.findChild<QLabel*>(u"Label1"_s)->text().contains(record->Title));
    fly.advanceClock(60'000); // let the flight land

    action("acShowText")->trigger();
    EXPECT_TRUE(dialogs->messages.last().startsWith(u"テキストファイル texts/pm2024040109"_s));
    test::writeHistory(SavedTextFile(AppDataFolder(), record->Key), {"Saved line one.", "Line two."});
    action("acShowText")->trigger();
    EXPECT_EQ(m.findChild<QPlainTextEdit*>(u"RichEdit1"_s)->toPlainText(), u"Saved line one.\nLine two."_s);
    EXPECT_TRUE(m.findChild<QAction*>(u"acCount"_s)->isEnabled());
}

} // namespace
} // namespace pelmar
