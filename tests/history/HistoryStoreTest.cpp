#include "history/HistoryStore.h"

#include "HistoryTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace pelmar {
namespace {

using namespace test;

std::string titlesOf(const TRecItems& items) {
    std::string s;
    for (int i = 0; i < items.Count(); ++i) {
        if (i > 0)
            s += ',';
        s += items.Item(i)->Title.toStdString();
    }
    return s;
}

class HistoryStoreTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString hst() const { return HistoryFileIn(dir.path()); }
    QTemporaryDir dir;
    TRecItems items;
};

TEST_F(HistoryStoreTest, LoadListReadsRecordsByKeyWhateverTheirLayout) {
    writeHistory(hst(), join({
        {"[Index]", "2014/05/01 11:11:02", "3=2014/05/01 11:11:03", "", "2014/05/01 11:11:02"},
        // Keys in any order and case, a missing title, a value that is no number.
        {"[2014/05/01 11:11:02]", "FRES=655", "pmjp=73", "Word=120", "sent=x", "style=4"},
        recordSection("2014/05/01 11:11:03", {5, 6, 7, 100}, "Second \x82\xA0"),
    }));
    THistoryOutcome outcome;
    EXPECT_EQ(LoadList(items, hst(), "Index", &outcome), 3);
    EXPECT_TRUE(outcome.ok);
    ASSERT_EQ(items.Count(), 3);
    const TRecItem* first = items.Item(0);
    EXPECT_EQ(first->Title, "無題");
    EXPECT_EQ(first->Key, "2014/05/01 11:11:02");
    EXPECT_EQ(first->Value(19), 655);
    EXPECT_EQ(first->Value(9), 73);
    EXPECT_EQ(first->Value(3), 120);
    EXPECT_EQ(first->Value(0), 0);
    EXPECT_EQ(first->Style, 4);
    EXPECT_EQ(first->Kind, RecKind::Unassigned);
    EXPECT_EQ(first->FileName, hst());
    EXPECT_EQ(first->ListName, "Index");
    // "3=key" names the same record as the bare key; a key listed twice loads twice.
    EXPECT_EQ(items.Item(1)->Title, "Second あ");
    EXPECT_EQ(items.Item(1)->Style, 0);
    EXPECT_EQ(items.Item(1)->Value(2), 7);
    EXPECT_EQ(items.Item(2)->Key, first->Key);
    EXPECT_EQ(items.Item(2)->Serial, 2);
}

TEST_F(HistoryStoreTest, ListKindsFollowTheListName) {
    EXPECT_EQ(ListKind("Index"), RecKind::Unassigned);
    EXPECT_EQ(ListKind("SampleL1"), RecKind::Sample);
    EXPECT_EQ(ListKind("SampleLightL2"), RecKind::Sample);
    EXPECT_EQ(ListKind("index"), RecKind::GroupMember);
    EXPECT_EQ(ListKind("Group A"), RecKind::GroupMember);
}

TEST_F(HistoryStoreTest, DanglingEntriesAreDroppedAndTheListWrittenBack) {
    writeHistory(hst(), join({
        {"[Index]", "2020/01/01 00:00:01", "x=2020/01/01 00:00:09", "2=2020/01/01 00:00:02"},
        recordSection("2020/01/01 00:00:01", {1}, "one"),
        recordSection("2020/01/01 00:00:02", {2}, "two"),
    }));
    EXPECT_EQ(LoadList(items, hst(), "Index"), 2);
    EXPECT_EQ(titlesOf(items), "one,two");
    const Lines after = readHistory(hst());
    // The list moves to the end, its remaining entries as bare keys.
    const Lines tail(after.end() - 3, after.end());
    EXPECT_EQ(tail, (Lines{"[Index]", "2020/01/01 00:00:01", "2020/01/01 00:00:02"}));
    EXPECT_EQ(after.size(), 2u * 22u + 3u);
}

TEST_F(HistoryStoreTest, ReadingAloneNeverRewritesTheFile) {
    writeHistory(hst(), join({{"[Index]", "k1"}, recordSection("k1", {1}, "one")}));
    const auto inode = inodeOf(hst());
    const QByteArray before = fileBytes(hst());
    ASSERT_TRUE(ReloadHistory(items, dir.path(), THistoryView{}).ok);
    EXPECT_EQ(LoadList(items, hst(), "Index"), 1);
    EXPECT_EQ(inodeOf(hst()), inode);
    EXPECT_EQ(fileBytes(hst()), before);
}

// pelmar.hst with sample lists of all three levels, full and reduced, and two own records.
class SampleHistoryTest : public HistoryStoreTest {
protected:
    void SetUp() override {
        HistoryStoreTest::SetUp();
        Lines lines{"[SampleL0]", "a0", "b0", "c0", "[SampleL1]", "a1", "b1",
                    "[SampleL2]", "a2", "b2", "c2", "d2", "[SampleLightL0]", "a0",
                    "[SampleLightL1]", "b1", "[SampleLightL2]", "c2", "d2",
                    "[Index]", "u1", "u2"};
        for (const char* key : {"a0", "b0", "c0", "a1", "b1", "a2", "b2", "c2", "d2", "u1", "u2"}) {
            Lines record = recordSection(key, {1, 1, 1, 10}, key);
            record.push_back("style=3");
            lines.insert(lines.end(), record.begin(), record.end());
        }
        writeHistory(hst(), lines);
    }
};

TEST_F(SampleHistoryTest, ReloadLoadsTheTickedLevelsThenTheUnassigned) {
    struct Case {
        SampleDisplay samples;
        std::array<bool, 3> levels;
        std::array<int, 3> counts;
        const char* titles;
    };
    const Case cases[] = {
        {SampleDisplay::All, {true, true, true}, {3, 2, 4}, "a0,b0,c0,a1,b1,a2,b2,c2,d2,u1,u2"},
        {SampleDisplay::Part, {true, true, true}, {1, 1, 2}, "a0,b1,c2,d2,u1,u2"},
        {SampleDisplay::Part, {false, true, false}, {0, 1, 0}, "b1,u1,u2"},
        {SampleDisplay::All, {true, false, true}, {3, 0, 4}, "a0,b0,c0,a2,b2,c2,d2,u1,u2"},
        {SampleDisplay::None, {true, true, true}, {0, 0, 0}, "u1,u2"},
    };
    for (const Case& c : cases) {
        items.Add("stale", "stale");
        const THistoryOutcome outcome = ReloadHistory(items, dir.path(), {c.samples, c.levels});
        EXPECT_TRUE(outcome.ok);
        EXPECT_EQ(titlesOf(items), c.titles);
        EXPECT_EQ(items.SampleLevelCounts, c.counts);
        EXPECT_EQ(items.Item(0)->Serial, 0);
        for (int i = 0; i < items.Count(); ++i)
            EXPECT_EQ(items.Item(i)->Kind, i < items.SampleCount() ? RecKind::Sample : RecKind::Unassigned);
    }
    EXPECT_EQ(items.Item(0)->Style, 3);
}

TEST_F(SampleHistoryTest, ChangingTheSampleSettingsKeepsGroupMembers) {
    ASSERT_TRUE(ReloadHistory(items, dir.path(), {SampleDisplay::All, {true, true, true}}).ok);
    TRecItem* member = items.Add("member", "m1");
    member->Kind = RecKind::GroupMember;
    member->ListName = "G";
    member->Values[3] = 42;
    ASSERT_TRUE(ReloadKeepingGroups(items, dir.path(), {SampleDisplay::Part, {false, false, true}}).ok);
    EXPECT_EQ(titlesOf(items), "c2,d2,u1,u2,member");
    EXPECT_EQ(items.SampleCount(), 2);
    EXPECT_EQ(items.Item(4)->ListName, "G");
    EXPECT_EQ(items.Item(4)->Value(3), 42);
}

TEST_F(HistoryStoreTest, MissingHistoryGivesNothingAndDamagedGivesItsMessage) {
    items.Add("stale", "stale");
    EXPECT_TRUE(ReloadHistory(items, dir.path(), {}).ok);
    EXPECT_EQ(items.Count(), 0);
    EXPECT_FALSE(QFile::exists(hst())); // nothing is created by reading

    QFile damaged(hst());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("BDC1 not really");
    damaged.close();
    // A file that cannot be read leaves what was shown before, also after a change of the
    // sample choices, which would otherwise add the kept group members a second time.
    items.Add("shown", "shown");
    items.Add("member", "member")->Kind = RecKind::GroupMember;
    items.SampleLevelCounts = {1, 0, 0};
    const THistoryOutcome outcome = ReloadHistory(items, dir.path(), {});
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message,
              "履歴ファイル " + QDir::toNativeSeparators(hst()) + " を読み込めません");
    EXPECT_FALSE(
        ReloadKeepingGroups(items, dir.path(), {SampleDisplay::All, {true, true, true}}).ok);
    EXPECT_EQ(titlesOf(items), "shown,member");
    EXPECT_EQ(items.SampleCount(), 1);
}

TEST_F(HistoryStoreTest, NoOperationWritesBackADamagedFile) {
    QFile damaged(hst());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("BDC1\x05\x00\x00\x00garbage", 16));
    damaged.close();
    const QByteArray before = fileBytes(hst());
    TRecItem item;
    item.Key = "k";
    item.FileName = hst();
    item.ListName = "Index";
    const THistoryOutcome deleted = DeleteRecords({&item}, dir.path());
    EXPECT_FALSE(deleted.ok);
    EXPECT_TRUE(deleted.message.contains("を読み込めません"));
    TFakeDialogs dialogs;
    dialogs.inputAnswers.push_back(QStringLiteral("new title"));
    EXPECT_FALSE(RenameTitle(item, dialogs));
    EXPECT_EQ(dialogs.messages.size(), 1);
    EXPECT_FALSE(RemoveDanglingEntries(hst(), {"Index"}).ok);
    EXPECT_EQ(fileBytes(hst()), before);
}

TEST_F(HistoryStoreTest, DeleteRemovesKeyAndSectionAndSkipsSamples) {
    const QString folder = QDir(dir.path()).filePath("datas/f.hst");
    writeHistory(hst(), join({{"[SampleL0]", "s1", "[Index]", "k1", "2=k2", "k3"},
                              recordSection("s1", {1}, "s"), recordSection("k1", {1}, "a"),
                              recordSection("k2", {1}, "b"), recordSection("k3", {1}, "c")}));
    writeHistory(folder, join({{"[Titles]", "G", "[G]", "g1", "g2"},
                               recordSection("g1", {1}, "x"), recordSection("g2", {1}, "y")}));
    ASSERT_TRUE(ReloadHistory(items, dir.path(), {SampleDisplay::All, {true, true, true}}).ok);
    ASSERT_EQ(items.Count(), 4);
    TRecItem member;
    member.Key = "g1";
    member.Kind = RecKind::GroupMember;
    member.FileName = folder;
    member.ListName = "G";
    const THistoryOutcome outcome =
        DeleteRecords({items.Item(0), items.Item(2), &member, items.Item(3)}, dir.path());
    EXPECT_TRUE(outcome.ok) << outcome.message.toStdString();

    TRecItems after;
    ASSERT_TRUE(ReloadHistory(after, dir.path(), {SampleDisplay::All, {true, true, true}}).ok);
    EXPECT_EQ(titlesOf(after), "s,a");
    const Lines main = readHistory(hst());
    EXPECT_EQ(std::count(main.begin(), main.end(), "[k2]"), 0);
    const Lines group = readHistory(folder);
    EXPECT_EQ(std::count(group.begin(), group.end(), "[g1]"), 0);
    EXPECT_EQ(std::count(group.begin(), group.end(), "g1"), 0);
    EXPECT_EQ(std::count(group.begin(), group.end(), "g2"), 1);
}

TEST_F(HistoryStoreTest, DeleteStopsAtAVanishedFileKeepingWhatWentBefore) {
    writeHistory(hst(), join({{"[Index]", "k1", "k2"}, recordSection("k1", {1}, "a"),
                              recordSection("k2", {1}, "b")}));
    ASSERT_TRUE(ReloadHistory(items, dir.path(), {}).ok);
    TRecItem gone;
    gone.Key = "x";
    gone.FileName = QDir(dir.path()).filePath("datas/gone.hst");
    gone.ListName = "G";
    const THistoryOutcome outcome = DeleteRecords({items.Item(0), &gone, items.Item(1)}, dir.path());
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.message, "ファイル datas/gone.hst が 見つかりません");
    TRecItems after;
    ASSERT_TRUE(ReloadHistory(after, dir.path(), {}).ok);
    EXPECT_EQ(titlesOf(after), "b");
}

TEST_F(HistoryStoreTest, RenameTitleAsksAndWritesOneLine) {
    writeHistory(hst(), join({{"[Index]", "k1"}, recordSection("k1", {1}, "Old")}));
    ASSERT_TRUE(ReloadHistory(items, dir.path(), {}).ok);
    TRecItem& item = *items.Item(0);
    TFakeDialogs dialogs;
    // Cancel, blank and the same title change nothing and write nothing.
    dialogs.inputAnswers = {std::nullopt, QStringLiteral("   "), QStringLiteral(" Old ")};
    const auto inode = inodeOf(hst());
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(RenameTitle(item, dialogs));
    EXPECT_EQ(inodeOf(hst()), inode);
    EXPECT_EQ(dialogs.inputs.front(), "新しい名前|Old|Old");

    dialogs.inputAnswers = {QStringLiteral("  two\r\nlines\n")};
    EXPECT_TRUE(RenameTitle(item, dialogs));
    EXPECT_EQ(item.Title, "two  lines");
    TDataIndexFile file(hst());
    EXPECT_EQ(file.ReadString("k1", "TITL", ""), "two  lines");
    EXPECT_EQ(file.ReadInteger("k1", "sent", -1), 1);
}

TEST_F(HistoryStoreTest, RenameTitleLeavesVanishedRecordsAlone) {
    TRecItem item;
    item.Key = "k1";
    item.Title = "t";
    item.FileName = hst();
    TFakeDialogs dialogs;
    EXPECT_FALSE(RenameTitle(item, dialogs)); // no file: not even asked
    EXPECT_TRUE(dialogs.inputs.isEmpty());
    writeHistory(hst(), {"[Index]"});
    dialogs.inputAnswers = {QStringLiteral("new")};
    RenameTitle(item, dialogs);
    EXPECT_EQ(readHistory(hst()), (Lines{"[Index]"}));
}

TEST_F(HistoryStoreTest, AReadOnlyDataFolderIsReadButNeverChanged) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    writeHistory(hst(), join({{"[Index]", "k1", "gone"}, recordSection("k1", {1}, "one")}));
    const QByteArray before = fileBytes(hst());
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    // The reload shows the record; the dangling entry cannot be cleaned, which it says.
    const THistoryOutcome reloaded = ReloadHistory(items, dir.path(), {});
    EXPECT_EQ(items.Count(), 1);
    EXPECT_FALSE(reloaded.ok);
    EXPECT_TRUE(reloaded.message.contains("に書き込めません")) << reloaded.message.toStdString();
    const THistoryOutcome deleted = DeleteRecords({items.Item(0)}, dir.path());
    EXPECT_FALSE(deleted.ok);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(fileBytes(hst()), before);
}

TEST_F(HistoryStoreTest, SavedTextIsFoundByTheKeysDigits) {
    EXPECT_EQ(SavedTextFile(dir.path(), "2014/05/01 11:11:02"),
              QDir(dir.path()).filePath("texts/pm20140501111102.dat"));
    TSavedText text = LoadSavedText(dir.path(), "2014/05/01 11:11:02");
    EXPECT_FALSE(text.outcome.ok);
    EXPECT_EQ(text.outcome.message, "テキストファイル texts/pm20140501111102.dat が 見つかりません");
    writeHistory(SavedTextFile(dir.path(), "2014/05/01 11:11:02"), {"One.", "", "Two \x82\xA0"});
    text = LoadSavedText(dir.path(), "2014/05/01 11:11:02");
    EXPECT_TRUE(text.outcome.ok);
    EXPECT_EQ(text.lines, (Lines{"One.", "", "Two \x82\xA0"}));
}

} // namespace
} // namespace pelmar
