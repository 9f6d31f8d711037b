#include "measure/SaveRecord.h"
#include "storage/DataFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

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

TEST_F(SaveRecordTest, ATakenSecondMovesToTheNextFreeOneAndTitleStaysOneLine) {
    ASSERT_TRUE(SaveRecord(input).ok);
    // A text saved at the next second (by another history, say) takes that second as well.
    TCompressStringList other;
    ASSERT_TRUE(other.SaveToFile(dir.filePath("texts/pm20261209101113.dat")).ok());
    input.totals.Words = 99;
    input.title = "two\r\nlines";
    const auto second = SaveRecord(input);
    ASSERT_TRUE(second.ok);
    EXPECT_EQ(second.key, "2026/12/09 10:11:14");
    EXPECT_EQ(second.textFile, dir.filePath("texts/pm20261209101114.dat"));
    TDataIndexFile history(input.historyFile);
    EXPECT_EQ(history.ReadInteger("2026/12/09 10:11:12", "word", -1), 100);
    EXPECT_EQ(history.ReadInteger("2026/12/09 10:11:14", "word", -1), 99);
    EXPECT_EQ(history.ReadString("2026/12/09 10:11:14", "TITL", ""), "two  lines");
    EXPECT_EQ(history.ReadSection("Index"),
              (std::vector<std::string>{"2026/12/09 10:11:12", "2026/12/09 10:11:14"}));
    EXPECT_FALSE(QFile::exists(input.historyFile + ".lock"));
}

TEST_F(SaveRecordTest, ARecordWithoutItsTextIsNotSaved) {
    // "texts" is a file here, so no text can be saved in it.
    QFile blocker(dir.filePath("texts"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const auto result = SaveRecord(input);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.contains("pm20261209101112.dat")) << result.message.toStdString();
    EXPECT_FALSE(QFile::exists(input.historyFile));
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

TEST(SaveRecordProcesses, TwoProcessesSavingIntoOneHistoryLoseNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QStringList files[2];
    for (int p = 0; p < 2; ++p) {
        for (int i = 0; i < 8; ++i) {
            const QString path = dir.filePath(QStringLiteral("%1%2.txt").arg(QChar(u'a' + p)).arg(i));
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("The cat sat on the mat. It was a sunny day.\n");
            files[p] << path;
        }
    }
    const QString data = dir.filePath("data");
    QProcess processes[2];
    for (int p = 0; p < 2; ++p) {
        processes[p].start(QStringLiteral(PELMAR_COUNT_BINARY),
                           QStringList{"--save", "x", "--data-dir", data, "--jobs", "1"} + files[p]);
    }
    for (QProcess& process : processes) {
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    }
    TDataIndexFile history(QDir(data).filePath("pelmar.hst"));
    ASSERT_TRUE(history.CreateResult().ok());
    const std::vector<std::string> keys = history.ReadSection("Index");
    ASSERT_EQ(keys.size(), 16u);
    std::vector<std::string> titles;
    for (const std::string& key : keys) {
        titles.push_back(history.ReadString(key, "TITL", ""));
        const QString stamp = QString::fromStdString(key).remove(QRegularExpression("[^0-9]"));
        EXPECT_TRUE(QFile::exists(QDir(data).filePath("texts/pm" + stamp + ".dat"))) << key;
    }
    std::sort(titles.begin(), titles.end());
    EXPECT_EQ(titles, (std::vector<std::string>{"a0", "a1", "a2", "a3", "a4", "a5", "a6", "a7",
                                                "b0", "b1", "b2", "b3", "b4", "b5", "b6", "b7"}));
    EXPECT_EQ(QDir(QDir(data).filePath("texts")).entryList(QDir::Files).size(), 16);
}

} // namespace
} // namespace pelmar
