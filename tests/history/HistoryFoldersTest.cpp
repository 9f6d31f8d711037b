#include "history/HistoryFolders.h"
#include "history/HistoryStore.h"
#include "storage/DeltaCode.h"

#include "HistoryTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace pelmar {
namespace {

using namespace test;

class HistoryFoldersTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        writeHistory(hst(), join({{"[SampleLightL0]", "s1", "[Index]", "k1", "k2"},
                                  recordSection("s1", {1}, "sample"),
                                  recordSection("k1", {1, 1, 1, 10}, "first"),
                                  recordSection("k2", {2, 2, 2, 20}, "second")}));
    }
    QString hst() const { return HistoryFileIn(dir.path()); }
    QString folderFile(const QString& name) const {
        return QDir(dir.path()).filePath("datas/" + name + ".hst");
    }
    QTemporaryDir dir;
    TFakeDialogs dialogs;
    THistoryFolders folders{dir.path(), dialogs};
    TRecItems items;
};

TEST_F(HistoryFoldersTest, MenuListsExactHstFilesOfTheDataFolderByName) {
    writeHistory(folderFile("beta"), {"[Titles]", "G2", "G1", "[G2]", "[G1]"});
    writeHistory(folderFile("Alpha"), {"[Titles]", "only"});
    writeHistory(folderFile("alpha2"), {});
    for (const char* other : {"datas/c.hst2", "datas/d.hst.lock", "datas/.e.hst"})
        writeHistory(QDir(dir.path()).filePath(other), {});
    QDir(dir.path()).mkpath("datas/sub.hst");
    QFile damaged(folderFile("broken"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a container");
    damaged.close();
    // A datas folder in the current directory is no concern of the program's.
    QTemporaryDir elsewhere;
    writeHistory(QDir(elsewhere.path()).filePath("datas/stray.hst"), {});
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(elsewhere.path());
    const THistoryFolderList list = ListHistoryFolders(dir.path());
    QDir::setCurrent(cwd);

    QStringList names;
    for (const THistoryFolder& f : list.folders)
        names << f.name;
    EXPECT_EQ(names, QStringList({"Alpha", "alpha2", "beta", "broken"}));
    EXPECT_EQ(list.folders[0].groups, QStringList({"only"}));
    EXPECT_EQ(list.folders[2].groups, QStringList({"G2", "G1"}));
    EXPECT_EQ(list.folders[2].path, folderFile("beta"));
    ASSERT_EQ(list.problems.size(), 1);
    EXPECT_TRUE(list.problems[0].contains("broken.hst"));
    EXPECT_EQ(list.folders[3].problem, list.problems[0]);
    EXPECT_TRUE(list.folders[3].groups.isEmpty());
    EXPECT_TRUE(list.folders[0].problem.isEmpty());
}

TEST_F(HistoryFoldersTest, AFolderWithoutReadPermissionIsListedWithItsMessageAndItsNameStaysTaken) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    writeHistory(folderFile("Locked"), {"[Titles]", "secret"});
    ASSERT_TRUE(QFile::setPermissions(folderFile("Locked"), {}));
    const THistoryFolderList list = ListHistoryFolders(dir.path());
    ASSERT_EQ(list.folders.size(), 1u);
    EXPECT_EQ(list.folders[0].name, "Locked");
    EXPECT_TRUE(list.folders[0].groups.isEmpty());
    EXPECT_EQ(list.folders[0].problem, "履歴ファイル " +
                                           QDir::toNativeSeparators(folderFile("Locked")) +
                                           " を読み込めません");
    // Its name in another case is still taken, for a new folder and for a rename.
    writeHistory(folderFile("Other"), {});
    dialogs.inputAnswers = {QStringLiteral("locked"), std::nullopt};
    EXPECT_FALSE(folders.NewFolder());
    dialogs.inputAnswers = {QStringLiteral("LOCKED"), std::nullopt};
    EXPECT_FALSE(folders.RenameFolder("Other"));
    EXPECT_EQ(dialogs.messages, QStringList({"locked は登録済みです 別の名前にしてください",
                                             "変更に失敗しました 名前を変えて試してみましょう"}));
    QFile::setPermissions(folderFile("Locked"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_F(HistoryFoldersTest, OpenGroupReplacesOrAddsMembersWithoutWriting) {
    writeHistory(folderFile("F"), join({{"[Titles]", "G", "[G]", "g1", "1=gone"},
                                        recordSection("g1", {3}, "member")}));
    ASSERT_TRUE(ReloadHistory(items, dir.path(), {}).ok);
    ASSERT_EQ(items.Count(), 3);
    const auto inode = inodeOf(folderFile("F"));
    folders.OpenGroup(items, "F", " G ", true);
    ASSERT_EQ(items.Count(), 5);
    const TRecItem* member = items.Item(3);
    EXPECT_EQ(member->Title, "member");
    EXPECT_EQ(member->Kind, RecKind::GroupMember);
    EXPECT_EQ(member->ListName, "G");
    EXPECT_EQ(member->FileName, folderFile("F"));
    // A key without a record still shows, untitled and all zero.
    EXPECT_EQ(items.Item(4)->Title, "無題");
    EXPECT_EQ(items.Item(4)->Values, (std::array<std::int32_t, 20>{}));
    // Opening without adding keeps only the samples.
    folders.OpenGroup(items, "F", "G", false);
    EXPECT_EQ(items.Count(), 3);
    EXPECT_EQ(items.Item(0)->Title, "sample");
    EXPECT_EQ(items.Item(1)->Title, "member");
    EXPECT_EQ(inodeOf(folderFile("F")), inode);
}

TEST_F(HistoryFoldersTest, OpeningAGroupKeepsTheSamplesWhereverASortPutThem) {
    writeHistory(folderFile("F"),
                 join({{"[Titles]", "G", "[G]", "g1"}, recordSection("g1", {3}, "member")}));
    ASSERT_TRUE(ReloadHistory(items, dir.path(), {}).ok);
    items.Reorder({2, 1, 0}); // sorted: "second", "first", "sample"
    items.Sorted = true;
    folders.OpenGroup(items, "F", "G", false);
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(items.Item(0)->Title, "sample");
    EXPECT_EQ(items.Item(1)->Title, "member");
    EXPECT_EQ(items.SampleCount(), 1);
}

TEST(MoveQuestion, ListsUpToThreeTitles) {
    EXPECT_EQ(MoveQuestion({}, 0, "G"), "以上 0 個のデータを G に追加します\r\nよろしいか？");
    EXPECT_EQ(MoveQuestion({"a", "b", "c"}, 3, "G"),
              "a\r\nb\r\nc\r\n以上 3 個のデータを G に追加します\r\nよろしいか？");
    EXPECT_EQ(MoveQuestion({"a", "b", "c", "d"}, 4, "グループ"),
              "a\r\nb\r\nc\r\nなど 4 個のデータを グループ に追加します\r\nよろしいか？");
}

TEST_F(HistoryFoldersTest, MoveFilesTheRecordsThenOffersToClear) {
    writeHistory(folderFile("F"), {"[Titles]", "G", "[G]", "old"});
    const QByteArray before = fileBytes(hst());
    dialogs.answers = {false};
    EXPECT_FALSE(folders.MoveUnassignedToGroup("F", "G").folderChanged);
    EXPECT_EQ(dialogs.questions[0], "YN|first\r\nsecond\r\n以上 2 個のデータを G に追加します\r\nよろしいか？");
    EXPECT_EQ(readHistory(folderFile("F")), (Lines{"[Titles]", "G", "[G]", "old"}));

    // Yes, then keep them in pelmar.hst too; a second move lists the keys again.
    dialogs.answers = {true, false, true, false};
    TGroupMove move = folders.MoveUnassignedToGroup("F", "G");
    EXPECT_TRUE(move.folderChanged);
    EXPECT_FALSE(move.historyChanged);
    EXPECT_EQ(dialogs.questions[2], "YN|保存した現在のグラフをクリアしますか？");
    EXPECT_EQ(fileBytes(hst()), before);
    folders.MoveUnassignedToGroup("F", "G");
    TDataIndexFile folder(folderFile("F"));
    EXPECT_EQ(folder.ReadSection("G"), (Lines{"old", "k1", "k2", "k1", "k2"}));
    EXPECT_EQ(folder.ReadInteger("k2", "word", -1), 20);
    EXPECT_EQ(folder.ReadSection("Titles"), (Lines{"G"}));

    // Yes and Yes: the records leave pelmar.hst, the samples stay.
    dialogs.answers = {true, true};
    move = folders.MoveUnassignedToGroup("F", "G");
    EXPECT_TRUE(move.historyChanged);
    const Lines main = readHistory(hst());
    EXPECT_EQ(main, join({{"[SampleLightL0]", "s1"}, recordSection("s1", {1}, "sample")}));
}

TEST_F(HistoryFoldersTest, ARecordSavedWhileAskingStaysUnassigned) {
    writeHistory(folderFile("F"), {"[Titles]", "G"});
    dialogs.answers = {true, true};
    bool saved = false;
    dialogs.whileAsking = [&] {
        if (saved)
            return;
        saved = true;
        ASSERT_TRUE(ChangeHistoryFile(hst(), [](TDataIndexFile& file) {
                        for (const std::string& line : recordSection("k3", {3}, "third"))
                            file.Add(line);
                        file.AddToSection("Index", "k3");
                        return true;
                    }).ok);
    };
    EXPECT_TRUE(folders.MoveUnassignedToGroup("F", "G").historyChanged);
    ASSERT_TRUE(ReloadHistory(items, dir.path(), {}).ok);
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(items.Item(1)->Title, "third");
}

TEST_F(HistoryFoldersTest, AFolderThatCannotBeWrittenKeepsTheRecordsInTheHistory) {
    QFile damaged(folderFile("F"));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(folderFile("F")).path()));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("BDC1 damaged");
    damaged.close();
    const QByteArray main = fileBytes(hst());
    dialogs.answers = {true, true};
    const TGroupMove move = folders.MoveUnassignedToGroup("F", "G");
    EXPECT_FALSE(move.folderChanged);
    EXPECT_FALSE(move.historyChanged);
    EXPECT_EQ(dialogs.questions.size(), 1); // never asked to clear
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].contains("F.hst を読み込めません"));
    EXPECT_EQ(fileBytes(hst()), main);
    EXPECT_EQ(fileBytes(folderFile("F")), "BDC1 damaged");

    // NewGroup on such a folder stops before asking for a name.
    EXPECT_FALSE(folders.NewGroup("F").folderChanged);
    EXPECT_TRUE(dialogs.inputs.isEmpty());
}

TEST_F(HistoryFoldersTest, NewGroupAsksUntilTheNameIsFreeAndValid) {
    writeHistory(folderFile("F"), {"[Titles]", "Old", "[Old]"});
    dialogs.inputAnswers = {QStringLiteral(" old "), QStringLiteral("a/b"), QStringLiteral("[x"),
                            QStringLiteral("  "), QStringLiteral(" New ")};
    dialogs.answers = {true};
    const TGroupMove move = folders.NewGroup("F");
    EXPECT_TRUE(move.folderChanged);
    EXPECT_TRUE(move.historyChanged);
    EXPECT_EQ(dialogs.inputs, QStringList({"計測データの保存|名前を入力する|無題",
                                           "計測データの保存|名前を入力する|old",
                                           "計測データの保存|名前を入力する|a/b",
                                           "計測データの保存|名前を入力する|[x",
                                           "計測データの保存|名前を入力する|無題"}));
    EXPECT_EQ(dialogs.messages,
              QStringList({"old は登録済みです 別の名前にしてください",
                           "a/b には 使えない記号が入っています 別の名前にしてください",
                           "[x には 使えない記号が入っています 別の名前にしてください"}));
    EXPECT_EQ(dialogs.questions, QStringList({"YN|保存した現在のグラフをクリアしますか？"}));
    const Lines lines = readHistory(folderFile("F"));
    EXPECT_EQ(lines, join({{"[Old]", "[Titles]", "Old", "New", "[New]", "k1", "k2"},
                           recordSection("k1", {1, 1, 1, 10}, "first"),
                           recordSection("k2", {2, 2, 2, 20}, "second")}));
}

TEST_F(HistoryFoldersTest, WrittenFolderFileIsAContainerOfCp932LinesWithCrLf) {
    dialogs.inputAnswers = {QStringLiteral("組")};
    dialogs.answers = {false};
    writeHistory(folderFile("F"), {});
    ASSERT_TRUE(folders.NewGroup("F").folderChanged);
    const QByteArray bytes = fileBytes(folderFile("F"));
    ASSERT_GE(bytes.size(), 33);
    EXPECT_EQ(bytes.left(4), "BDC1");
    const auto u32 = [&](int at) {
        return quint32(quint8(bytes[at])) | quint32(quint8(bytes[at + 1])) << 8 |
               quint32(quint8(bytes[at + 2])) << 16 | quint32(quint8(bytes[at + 3])) << 24;
    };
    EXPECT_EQ(u32(4), quint32(bytes.size()));
    EXPECT_EQ(quint8(bytes[18]), 2); // class prefix width
    EXPECT_EQ(quint8(bytes[19]), 1);
    EXPECT_EQ(quint8(bytes[20]), 3);
    EXPECT_EQ(quint8(bytes[21]), 5);
    TDeltaCode coder;
    coder.Compressed = bytes;
    ASSERT_TRUE(coder.Decode());
    std::string expected = "[Titles]\r\n\x91\x67\r\n[\x91\x67]\r\nk1\r\nk2\r\n";
    for (const std::string& line : join({recordSection("k1", {1, 1, 1, 10}, "first"),
                                         recordSection("k2", {2, 2, 2, 20}, "second")}))
        expected += line + "\r\n";
    EXPECT_EQ(u32(8), quint32(expected.size()));
    EXPECT_EQ(coder.Plain.toStdString(), expected);
}

TEST_F(HistoryFoldersTest, NewFolderRefusesBadAndTakenNamesAndOffersAFirstGroup) {
    writeHistory(folderFile("Reading"), {});
    dialogs.inputAnswers = {QStringLiteral("../x"), QStringLiteral(".hidden"),
                            QStringLiteral("a\tb"), QStringLiteral("back\\slash"),
                            QStringLiteral(" READING "), QStringLiteral(" 教科書 "),
                            QStringLiteral("Unit 1")};
    EXPECT_TRUE(folders.NewFolder());
    EXPECT_EQ(dialogs.messages,
              QStringList({"../x には 使えない記号が入っています 別の名前にしてください",
                           ".hidden には 使えない記号が入っています 別の名前にしてください",
                           "a\tb には 使えない記号が入っています 別の名前にしてください",
                           "back\\slash には 使えない記号が入っています 別の名前にしてください",
                           "READING は登録済みです 別の名前にしてください"}));
    EXPECT_EQ(dialogs.inputs.first(), "計測データの保存|分類名|");
    EXPECT_EQ(dialogs.inputs[5], "計測データの保存|分類名|READING");
    EXPECT_EQ(dialogs.inputs.last(), "計測データの保存|グループ名|");
    EXPECT_EQ(readHistory(folderFile("教科書")), (Lines{"[Titles]", "Unit 1", "[Unit 1]"}));
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath("x.hst")));
    EXPECT_EQ(QDir(QDir(dir.path()).filePath("datas")).entryList(QDir::Files),
              QStringList({"Reading.hst", "教科書.hst"}));

    // Without a group the folder is still made, as an empty container.
    dialogs.inputAnswers = {QStringLiteral("Empty"), std::nullopt};
    EXPECT_TRUE(folders.NewFolder());
    EXPECT_EQ(fileBytes(folderFile("Empty")).size(), 33);
    dialogs.inputAnswers = {std::nullopt};
    EXPECT_FALSE(folders.NewFolder());
}

TEST_F(HistoryFoldersTest, RenameFolderNeverReplacesAnotherFolder) {
    writeHistory(folderFile("One"), {"[Titles]", "a"});
    writeHistory(folderFile("Two"), {"[Titles]", "b"});
    dialogs.inputAnswers = {QStringLiteral("two"), QStringLiteral("Two"), QStringLiteral("x/y"),
                            QStringLiteral(" Three ")};
    EXPECT_TRUE(folders.RenameFolder("One"));
    EXPECT_EQ(dialogs.messages,
              QStringList({"変更に失敗しました 名前を変えて試してみましょう",
                           "変更に失敗しました 名前を変えて試してみましょう",
                           "x/y には 使えない記号が入っています 別の名前にしてください"}));
    EXPECT_EQ(readHistory(folderFile("Two")), (Lines{"[Titles]", "b"}));
    EXPECT_EQ(readHistory(folderFile("Three")), (Lines{"[Titles]", "a"}));
    EXPECT_FALSE(QFile::exists(folderFile("One")));
    // Cancel, empty and the same name stop; only the case of its own name may change.
    dialogs.inputAnswers = {std::nullopt};
    EXPECT_FALSE(folders.RenameFolder("Three"));
    dialogs.inputAnswers = {QStringLiteral(" ")};
    EXPECT_FALSE(folders.RenameFolder("Three"));
    dialogs.inputAnswers = {QStringLiteral("THREE")};
    EXPECT_TRUE(folders.RenameFolder("Three"));
    EXPECT_TRUE(QFile::exists(folderFile("THREE")));
}

TEST_F(HistoryFoldersTest, RenameGroupRenamesItsListAndTitle) {
    writeHistory(folderFile("F"), {"[Titles]", "Alpha", "Beta", "[alpha]", "k1", "[Beta]", "k2"});
    dialogs.inputAnswers = {QStringLiteral("beta"), QStringLiteral(" Gamma ")};
    EXPECT_TRUE(folders.RenameGroup("F", "  Alpha"));
    EXPECT_EQ(dialogs.inputs.first(), "計測データのグループ名を変更|新しい名前|Alpha");
    EXPECT_EQ(dialogs.messages, QStringList({"beta は登録済みです 別の名前にしてください"}));
    EXPECT_EQ(readHistory(folderFile("F")),
              (Lines{"[Gamma]", "k1", "[Beta]", "k2", "[Titles]", "Gamma", "Beta"}));
    dialogs.inputAnswers = {QStringLiteral("Beta")};
    EXPECT_FALSE(folders.RenameGroup("F", "Beta"));
}

TEST_F(HistoryFoldersTest, OpenRecordsAddsKeysOfAFile) {
    folders.OpenRecords(items, QDir(dir.path()).filePath("nothing.hst"), {"k1"});
    EXPECT_EQ(items.Count(), 0);
    folders.OpenRecords(items, hst(), {"k2", "k1"});
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(items.Item(0)->Title, "second");
    EXPECT_EQ(items.Item(0)->Kind, RecKind::GroupMember);
    EXPECT_EQ(items.Item(0)->ListName, "");
    EXPECT_EQ(items.Item(1)->FileName, hst());
}

} // namespace
} // namespace pelmar
