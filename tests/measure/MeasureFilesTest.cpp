#include "measure/MeasureFiles.h"
#include "platform/TextFile.h"
#include "storage/BuiltinWordData.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace pelmar {
namespace {

class MeasureFilesTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        options.resultDisplay[display::Total] = options.resultDisplay[display::Summary] = true;
        options.readability[0] = true;
        callbacks.confirmSkipNonText = [this](const QString& path) {
            refused << path;
            return answer;
        };
        callbacks.load = [](const QString& path, std::vector<std::string>& lines, QString& error) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                error = file.errorString();
                return false;
            }
            lines = textFileLines(file.readAll().toStdString());
            return true;
        };
        callbacks.report = [this](const QString& path, const QString& message) {
            reports << path + " " + message;
        };
    }
    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    TBatchResult run(const QStringList& paths, int jobs) {
        static const auto data = LoadBuiltinWordData();
        return MeasureFiles(paths, options, data.get(), callbacks, jobs);
    }

    QTemporaryDir dir;
    TMeasureOptions options;
    TBatchCallbacks callbacks;
    QStringList refused, reports;
    bool answer = true;
};

TEST_F(MeasureFilesTest, OneRowPerFileUnderTheFirstMeasuredFilesHeader) {
    const QString empty = write("empty.txt", " \r\n\t\r\n");
    const QString a = write("a.b.txt", "The cat sat.\nIt ran.\n");
    const QString doc = write("notes.doc", "Skipped.");
    const QString upper = write("UPPER.TXT", "Big dogs run fast. Small cats sit.");
    const QString gone = dir.filePath("gone.txt");
    const auto batch = run({empty, a, doc, upper, gone}, 1);
    EXPECT_FALSE(batch.abandoned);
    EXPECT_EQ(refused, QStringList{doc});
    EXPECT_EQ(reports, (QStringList{empty + " テキストがありません", gone + " file not exist"}));
    EXPECT_EQ(batch.measured, 2);
    ASSERT_EQ(batch.results.size(), 3u);
    EXPECT_EQ(batch.results[0],
              "No\tsent.\tphrase\twords\tsylla.\t1 syl\t3+syl\tconsonants\tletters\t\tPMJP");
    EXPECT_EQ(batch.results[1].rfind("a.b\t2\t2\t5\t5\t5\t0\t", 0), 0u) << batch.results[1];
    EXPECT_EQ(batch.results[2].rfind("UPPER\t2\t2\t7\t", 0), 0u) << batch.results[2];
    EXPECT_EQ(batch.measuredPaths, (QStringList{a, upper}));
}

TEST_F(MeasureFilesTest, SameOutputOnAnyNumberOfJobs) {
    QStringList paths;
    for (int i = 0; i < 12; ++i)
        paths << write(QString("f%1.txt").arg(i),
                       QByteArray("Line one of file. ").repeated(i + 1) + "\nAnd more words here.");
    options.resultDisplay[display::Legend] = true;
    const auto serial = run(paths, 1);
    const auto parallel = run(paths, 4);
    EXPECT_EQ(serial.results, parallel.results);
    EXPECT_EQ(serial.results.size(), 1u + 12u + 1u + 9u - 1u + 11u); // header, rows, legend
}

TEST_F(MeasureFilesTest, DecliningANonTextFileAbandonsTheBatch) {
    answer = false;
    const auto batch = run({write("a.txt", "Hello."), write("b.csv", "x")}, 2);
    EXPECT_TRUE(batch.abandoned);
    EXPECT_TRUE(batch.results.empty());
}

TEST(BatchNames, ExtensionAndName) {
    EXPECT_TRUE(IsTextFileName("/x/a.TxT"));
    EXPECT_FALSE(IsTextFileName("/x/a.txt.bak"));
    EXPECT_FALSE(IsTextFileName("/x/txt"));
    EXPECT_EQ(BatchFileName("/x/y/my.notes.txt"), "my.notes");
    EXPECT_FALSE(HasText({" ", "\t", ""}));
    EXPECT_TRUE(HasText({" ", "a"}));
}

} // namespace
} // namespace pelmar
