#include "measure/SaveRecord.h"
#include "storage/DataFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace pelmar {
namespace {

class SaveRecordTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        input.historyFile = dir.filePath("pelmar.hst");
        input.dataFolder = dir.path();
        input.title = "My text";
        input.lines = &lines;
        input.now = QDateTime(QDate(2026, 12, 9), QTime(10, 11, 12));
        input.totals = {5, 6, 7, 100, 140, 70, 9, 230, 420};
        for (int i = 0; i < IndexCount; ++i)
            input.whole.tenths[static_cast<std::size_t>(i)] = 10 * i + 1;
    }
    QTemporaryDir dir;
    std::vector<std::string> lines{"First line.", "", "Second \x82\xA0 line."};
    TSaveRecordInput input;
};

TEST_F(SaveRecordTest, WritesTheRecordTheListEntryAndTheText) {
    const auto result = SaveRecord(input);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(result.key, "2026/12/09 10:11:12");

    TDataIndexFile history(input.historyFile);
    ASSERT_TRUE(history.CreateResult().ok());
    EXPECT_EQ(history.ReadSection("2026/12/09 10:11:12"),
              (std::vector<std::string>{"sent=5", "clau=6", "phra=7", "word=100", "syll=140",
                                        "syl1=70", "syl3=9", "cons=230", "lett=420", "PMJP=1",
                                        "PMEN=11", "FRES=101", "FKGL=21", "FORC=41", "FryG=51",
                                        "GFog=61", "SMOG=71", "LWF=81", "ARI=91", "CLI=31",
                                        "TITL=My text"}));
    EXPECT_EQ(history.ReadSection("Index"), (std::vector<std::string>{"2026/12/09 10:11:12"}));

    TCompressStringList text;
    ASSERT_TRUE(text.LoadFromFile(dir.filePath("texts/pm20261209101112.dat")).ok());
    EXPECT_EQ(text.Lines(), lines);
    EXPECT_EQ(result.textFile, dir.filePath("texts/pm20261209101112.dat"));
}

TEST_F(SaveRecordTest, SameSecondReplacesTheRecordAndTitleStaysOneLine) {
    ASSERT_TRUE(SaveRecord(input).ok);
    input.totals.Words = 99;
    input.title = "two\r\nlines";
    ASSERT_TRUE(SaveRecord(input).ok);
    TDataIndexFile history(input.historyFile);
    EXPECT_EQ(history.ReadInteger("2026/12/09 10:11:12", "word", -1), 99);
    EXPECT_EQ(history.ReadString("2026/12/09 10:11:12", "TITL", ""), "two  lines");
    EXPECT_EQ(history.ReadSection("Index").size(), 1u);
    EXPECT_EQ(history.Count(), 24); // one record section, one list section
}

TEST_F(SaveRecordTest, DamagedHistoryIsLeftAlone) {
    QFile file(input.historyFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BDC1 but not really a container");
    file.close();
    const auto result = SaveRecord(input);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.message.isEmpty());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("BDC1 but not really a container"));
    EXPECT_FALSE(QFile::exists(result.textFile));
}

// Failures are made with a file where a folder belongs and a folder where a file belongs, so they
// fail for root as well as for an ordinary user.
TEST_F(SaveRecordTest, AFailedSaveWritesNeitherTheTextNorTheRecord) {
    const auto historyBytes = [&] {
        QFile file(input.historyFile);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    ASSERT_TRUE(SaveRecord(input).ok);
    const QByteArray before = historyBytes();
    input.now = input.now.addSecs(1);

    // The text cannot be written: the history keeps only the first record.
    ASSERT_TRUE(QDir(dir.filePath("texts")).removeRecursively());
    QFile blocker(dir.filePath("texts"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    auto result = SaveRecord(input);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.contains("pm20261209101113.dat")) << result.message.toStdString();
    EXPECT_EQ(historyBytes(), before);

    // The history cannot be written: the new text file goes again.
    ASSERT_TRUE(QFile::remove(dir.filePath("texts")));
    input.historyFile = dir.filePath("history-folder");
    ASSERT_TRUE(QDir().mkpath(input.historyFile));
    result = SaveRecord(input);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(QFile::exists(result.textFile));
    EXPECT_TRUE(QDir(dir.filePath("texts")).isEmpty());

    // Once the way is clear again, the retry gives exactly one more record.
    input.historyFile = dir.filePath("pelmar.hst");
    result = SaveRecord(input);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    TDataIndexFile history(input.historyFile);
    EXPECT_EQ(history.ReadSection("Index"),
              (std::vector<std::string>{"2026/12/09 10:11:12", "2026/12/09 10:11:13"}));
    EXPECT_TRUE(QFile::exists(result.textFile));
}

} // namespace
} // namespace pelmar
