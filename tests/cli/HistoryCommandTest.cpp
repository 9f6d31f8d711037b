#include "cli/HistoryCommand.h"

#include "history/HistoryFile.h"

#include "../history/HistoryTestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

namespace pelmar {
namespace {

using namespace test;

struct CommandResult {
    int status;
    std::string out;
    std::string err;
};

CommandResult run(const QStringList& arguments) {
    std::ostringstream out, err;
    const int status = RunHistoryCommand(arguments, out, err);
    return {status, out.str(), err.str()};
}

const std::string Heading =
    "TITL\tDATE\tsent\tclau\tphra\tword\tsyll\tsyl1\tsyl3\tcons\tlett\tPMJP\tPMEN\tFKGL\tCLI\t"
    "FORC\tFryG\tGFog\tSMOG\tLWF\tARI\tFRES\tWPS\tWPC\tWPP\tSyPW\tPSy3\tLPW\tCIV\tPPC\tCPS\tPPS\t"
    "Sy3PP\tdia\tcom\ttec\tgen\n";

std::vector<std::string> titleColumn(const std::string& out) {
    std::vector<std::string> titles;
    std::istringstream lines(out);
    std::string line;
    std::getline(lines, line); // heading
    while (std::getline(lines, line))
        titles.push_back(line.substr(0, line.find('\t')));
    return titles;
}

class HistoryCommandTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        Lines lines{"[SampleL0]", "a0", "b0", "[SampleLightL0]", "a0", "[SampleL1]", "a1",
                    "[SampleLightL1]", "a1", "[Index]", "u1", "gone", "u2"};
        for (const char* key : {"a0", "b0", "a1"}) {
            const Lines record = recordSection(key, {1, 1, 1, 10}, std::string("sample ") + key);
            lines.insert(lines.end(), record.begin(), record.end());
        }
        const Lines u1 = recordSection("2024/01/02 03:04:05", {5, 6, 8, 1234, 1500, 700, 90, 2300, 4200, 73,
                                                               81, -5, 95, 100, 110, 120, 130, 140, 150, 655},
                                       "The Cat");
        lines[10] = "2024/01/02 03:04:05";
        lines.insert(lines.end(), u1.begin(), u1.end());
        const Lines u2 = recordSection("u2", {0}, "empty \x82\xA0");
        lines.insert(lines.end(), u2.begin(), u2.end());
        writeHistory(HistoryFileIn(dir.path()), lines);
        writeHistory(QDir(dir.path()).filePath("datas/Reading.hst"),
                     join({{"[Titles]", "Unit 1", "Unit 2", "[Unit 1]", "g1", "g2"},
                           recordSection("g1", {1}, "first member"),
                           recordSection("g2", {2}, "second member")}));
        writeHistory(QDir(dir.path()).filePath("datas/arts.hst"), {"[Titles]", "Poems"});
    }
    QStringList args(QStringList more) const {
        return QStringList{"--data-dir", dir.path()} + more;
    }
    QTemporaryDir dir;
};

TEST_F(HistoryCommandTest, ListsWhatTheWindowListsNewestFirst) {
    const QByteArray before = fileBytes(HistoryFileIn(dir.path()));
    const auto inode = inodeOf(HistoryFileIn(dir.path()));
    const CommandResult r = run(args({}));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    ASSERT_EQ(r.out.substr(0, Heading.size()), Heading);
    EXPECT_EQ(titleColumn(r.out),
              (std::vector<std::string>{"empty あ", "The Cat", "sample a1", "sample a0"}));
    EXPECT_NE(r.out.find("\nThe Cat\t2024/01/02 03:04:05\t5\t6\t8\t1,234\t1,500\t700\t90\t2,300\t"
                         "4,200\t7.3\t8.1\t-0.5\t9.5\t10.0\t11.0\t12.0\t13.0\t14.0\t15.0\t65.5\t"
                         "246.800\t"),
              std::string::npos);
    EXPECT_EQ(r.out.back(), '\n');
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
    // The entry naming no record is left out, and the file is not rewritten to drop it.
    EXPECT_EQ(fileBytes(HistoryFileIn(dir.path())), before);
    EXPECT_EQ(inodeOf(HistoryFileIn(dir.path())), inode);
}

TEST_F(HistoryCommandTest, SampleChoicesAndLevels) {
    const std::pair<QStringList, std::vector<std::string>> cases[] = {
        {{"--samples", "all"}, {"empty あ", "The Cat", "sample a1", "sample b0", "sample a0"}},
        {{"--samples", "all", "--levels", "1"}, {"empty あ", "The Cat", "sample a1"}},
        {{"--levels", "0, 2"}, {"empty あ", "The Cat", "sample a0"}},
        {{"--levels", ""}, {"empty あ", "The Cat"}},
        {{"--samples", "none"}, {"empty あ", "The Cat"}},
    };
    for (const auto& [options, titles] : cases) {
        const CommandResult r = run(args(options));
        EXPECT_EQ(r.status, 0) << options.join(' ').toStdString();
        EXPECT_EQ(titleColumn(r.out), titles) << options.join(' ').toStdString();
    }
}

TEST_F(HistoryCommandTest, GroupsAndFolders) {
    CommandResult r = run(args({"--group", "Reading", "Unit 1"}));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(titleColumn(r.out), (std::vector<std::string>{"second member", "first member"}));
    r = run(args({"--group", "Reading", "Unit 2"}));
    EXPECT_EQ(r.out, Heading);
    r = run(args({"--folders"}));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "arts\n  Poems\nReading\n  Unit 1\n  Unit 2\n");
    for (const QStringList& bad : {QStringList{"--group", "Nothing", "Unit 1"},
                                   QStringList{"--group", "Reading", "Unit 9"},
                                   QStringList{"--group", "../datas/Reading", "Unit 1"}}) {
        r = run(args(bad));
        EXPECT_EQ(r.status, 2) << bad.join(' ').toStdString();
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("pelmar-history: no "), std::string::npos);
    }
}

TEST_F(HistoryCommandTest, JsonCarriesEveryValue) {
    const CommandResult r = run(args({"--json", "--samples", "none"}));
    ASSERT_EQ(r.status, 0);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(r.out), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out;
    const QJsonArray rows = doc.array();
    ASSERT_EQ(rows.size(), 2);
    const QJsonObject cat = rows[1].toObject();
    EXPECT_EQ(cat["title"].toString(), "The Cat");
    EXPECT_EQ(cat["key"].toString(), "2024/01/02 03:04:05");
    EXPECT_EQ(cat["kind"].toInt(), 0);
    EXPECT_EQ(cat["list"].toString(), "Index");
    EXPECT_EQ(cat["values"].toObject().size(), 20);
    EXPECT_EQ(cat["values"]["FRES"].toInt(), 655);
    EXPECT_EQ(cat["values"]["word"].toInt(), 1234);
    EXPECT_EQ(cat["ratios"].toObject().size(), 11);
    EXPECT_DOUBLE_EQ(cat["ratios"]["WPS"].toDouble(), 246.8);
    EXPECT_EQ(cat["styles"]["gen"].toInt(), 100);
    // A record without text has all derived measures 0.
    EXPECT_EQ(rows[0]["styles"]["dia"].toInt(), 0);
    EXPECT_EQ(rows[0]["title"].toString(), "empty あ");
}

TEST_F(HistoryCommandTest, MissingDamagedAndBadOptions) {
    QTemporaryDir empty;
    CommandResult r = run({"--data-dir", QDir(empty.path()).filePath("none")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, Heading);
    EXPECT_EQ(run({"--data-dir", empty.path(), "--json"}).out, "[]\n");
    EXPECT_EQ(run({"--data-dir", empty.path(), "--folders"}).out, "");

    QFile damaged(HistoryFileIn(empty.path()));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("BDC1....");
    damaged.close();
    r = run({"--data-dir", empty.path()});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "履歴ファイル " + QDir::toNativeSeparators(HistoryFileIn(empty.path())).toStdString() +
                         " を読み込めません\n");

    for (const QStringList& bad :
         {QStringList{"--samples", "some"}, QStringList{"--levels", "3"}, QStringList{"--levels", "a"},
          QStringList{"--group", "Reading"}, QStringList{"extra"}, QStringList{"--folders", "--json"},
          QStringList{"--folders", "--group", "Reading", "Unit 1"}, QStringList{"--nothing"},
          QStringList{"--group", "Reading", "Unit 1", "--samples", "all"}}) {
        r = run(args(bad));
        EXPECT_EQ(r.status, 2) << bad.join(' ').toStdString();
        EXPECT_EQ(r.out, "") << bad.join(' ').toStdString();
        EXPECT_EQ(r.err.rfind("pelmar-history: ", 0), 0u) << r.err;
    }
}

TEST_F(HistoryCommandTest, RealProcess) {
    const auto runProcess = [](const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral(PELMAR_HISTORY_BINARY), arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        return std::make_tuple(process.exitCode(), process.readAllStandardOutput(),
                               process.readAllStandardError());
    };
    auto [status, out, err] = runProcess({"--version"});
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out, "pelmar-history " PELMAR_VERSION "\n");
    std::tie(status, out, err) = runProcess({"--help"});
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(out.contains("--group"));
    std::tie(status, out, err) = runProcess({"--bad"});
    EXPECT_EQ(status, 2);
    EXPECT_TRUE(err.startsWith("pelmar-history: "));
    std::tie(status, out, err) = runProcess(args({"--samples", "none"}));
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out.toStdString().substr(0, Heading.size()), Heading);
    EXPECT_EQ(out.count('\n'), 3);
}

} // namespace
} // namespace pelmar
