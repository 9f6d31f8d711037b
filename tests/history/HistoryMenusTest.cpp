#include "history/HistoryHelp.h"
#include "history/TextListMenu.h"

#include "HistoryTestSupport.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace pelmar {
namespace {

using namespace test;

std::vector<TTextListEntry> entries(int count) {
    std::vector<TTextListEntry> list;
    for (int i = 0; i < count; ++i)
        list.push_back({i * 2, QStringLiteral("t%1").arg(i)});
    return list;
}

TEST(TextListMenu, FlatUpToThirtyThreeThenSubMenus) {
    std::vector<THistoryMenuItem> menu = TextListMenu({});
    ASSERT_EQ(menu.size(), 2u);
    EXPECT_EQ(menu[0].caption, "ありません");
    EXPECT_EQ(menu[1].caption, "キャンセル");
    EXPECT_EQ(menu[1].tag, -1);

    menu = TextListMenu(entries(33));
    ASSERT_EQ(menu.size(), 35u);
    EXPECT_EQ(menu[32].caption, "t32");
    EXPECT_EQ(menu[32].tag, 64);
    EXPECT_TRUE(menu[33].separator);

    menu = TextListMenu(entries(34));
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(menu[0].caption, "0 ～ 32");
    EXPECT_EQ(menu[0].items.size(), 33u);
    EXPECT_EQ(menu[1].caption, "33");
    ASSERT_EQ(menu[1].items.size(), 1u);
    EXPECT_EQ(menu[1].items[0].tag, 66);

    // At most 33 sub-menus of 33.
    menu = TextListMenu(entries(1100));
    ASSERT_EQ(menu.size(), 35u);
    EXPECT_EQ(menu[32].caption, "1056 ～ 1088");
    EXPECT_EQ(menu[32].items.back().caption, "t1088");
}

TEST(TextListMenu, OffersTheUnassignedRecordsNotShown) {
    QTemporaryDir dir;
    const QString hst = HistoryFileIn(dir.path());
    writeHistory(hst, join({{"[Index]", "k1", "k2", "x=k3", "k4"},
                            recordSection("k1", {1}, "one"),
                            {"[k2]", "sent=1"},
                            recordSection("k3", {1}, "three"),
                            recordSection("k4", {1}, "four")}));
    TRecItems items;
    items.Add("one", "k1")->ListName = "Index";
    items.Add("four", "k4")->ListName = "";
    items.Add("grouped", "k3")->ListName = "G"; // in a group, still unassigned in pelmar.hst
    TDataIndexFile file(hst);
    const std::vector<TTextListEntry> list = UnshownRecords(items, file);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].position, 1);
    EXPECT_EQ(list[0].title, ""); // no TITL
    EXPECT_EQ(list[1].position, 2);
    EXPECT_EQ(list[1].title, "three");
    EXPECT_EQ(UnassignedKeyAt(dir.path(), 2), QString("k3"));
    EXPECT_FALSE(UnassignedKeyAt(dir.path(), 4).has_value());
}

TEST(HistoryHelp, GlossaryIsSortedWithoutRegardToCase) {
    const QStringList lines = GlossaryText().split("\r\n");
    ASSERT_EQ(lines.size(), 21);
    EXPECT_EQ(lines.last(), "");
    EXPECT_EQ(lines[0], "Authentic Materials   /  特に語学教材として作られたわけではない作品");
    EXPECT_EQ(lines[1], "BG  /  Breath Group 呼気単位、一息の発声");
    EXPECT_TRUE(lines[2].startsWith("BG理論  /  "));
    EXPECT_EQ(lines[3], "clau  /  Clause Count  /  節数");
    EXPECT_TRUE(lines.contains("Reading Garde  /  テキストの適応学年"));
    EXPECT_TRUE(lines.contains("Garde  /  小学１年は１、中学１年は７、高校１年は１０、大学１年は１３"));
    for (int i = 1; i < 20; ++i)
        EXPECT_LE(QString::compare(lines[i - 1], lines[i], Qt::CaseInsensitive), 0) << i;
}

TEST(HistoryHelp, TextsKeepTheirLayout) {
    const QStringList intro = IntroductionText().split("\r\n");
    ASSERT_EQ(intro.size(), 21);
    EXPECT_EQ(intro[10], "");
    EXPECT_EQ(intro[11], "");
    EXPECT_EQ(intro[12], "PMJP  /  PMJP (GL for Japanese Readers)");
    EXPECT_EQ(intro[13], "EFL  /  English as Foreign Language");
    EXPECT_EQ(intro[14], "Reading Grade Level  /  テキストの適応学年");

    const QStringList list = FormulaListText().split("\r\n");
    ASSERT_EQ(list.size(), 11 + 1 + 6 + 1 + 2 + 1);
    EXPECT_EQ(list[0], "PMJP  /  PMJP (GL for Japanese Readers)");
    EXPECT_EQ(list[10], "FRES  /  Flesch Reading Ease score");
    EXPECT_EQ(list[12], "\tReading Grade Level  /  テキストの適応学年");
    EXPECT_EQ(list[20], "\tENL  /  English as Native Language");

    const QStringList collection = FormulaCollectionText().split("\r\n");
    ASSERT_EQ(collection.size(), 11 + 1 + 18 + 1);
    EXPECT_EQ(collection[11], "");
    EXPECT_EQ(collection[12], "CIV  /  Predicted Duration Of CIV(Chunk of Inner Voice)  /  " +
                                  collection[12].section("  /  ", 2));

    EXPECT_EQ(RecordKindText(1), "サンプルのデータ\r\n\r\n一覧表の通し番号のアイコンが みどり色\r\n\r\n"
                                 "グラフの横軸項目名に 分野ごとの背景色がつく\r\n\r\n"
                                 "表示はツールパネルの「サンプル表示」のチェックで切り替える\r\n\r\n");
    EXPECT_EQ(FormulaDetailCaptions().size(), 11);
    EXPECT_EQ(FormulaDetailCaptions().last(), "FRES");
    EXPECT_FALSE(FormulaDescriptionText(9).isEmpty());
    EXPECT_TRUE(FormulaDescriptionText(8).isEmpty());
}

} // namespace
} // namespace pelmar
