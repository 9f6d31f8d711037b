#include "cli/CountCommand.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "storage/DataFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace pelmar {
namespace {

struct CommandResult {
    int status;
    std::string out;
    std::string err;
};

CommandResult run(const QStringList& arguments, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = RunCountCommand(arguments, in, out, err);
    return {status, out.str(), err.str()};
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const std::string& bytes) {
    const QString path = dir.filePath(name);
    std::ofstream(path.toStdString(), std::ios::binary) << bytes;
    return path;
}

TEST(CountCommandWords, PrintsEveryWordOfEveryLine) {
    const CommandResult r = run({"--words"}, "The cat sat.\r\n\r\nDon't stop\rthe 1999 show\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "The\t1\t1\ncat\t1\t2\nsat\t1\t2\n"
                     "Don't\t1\t3\nstop\t1\t3\n"
                     "the\t1\t1\n1999\t4\t4\nshow\t1\t1\n");
}

TEST(CountCommandWords, EachLineIsAnalysedOnItsOwn) {
    // A word never runs across a line end, even though nothing ends it on the first line.
    const CommandResult r = run({"--words"}, "well\nknown");
    EXPECT_EQ(r.out, "well\t1\t2\nknown\t1\t2\n");
}

TEST(CountCommandWords, ReadsUtf8AndCp932Files) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Curly quotes and apostrophe, an e-acute and a full-width word, behind a BOM.
    const QString utf8 = writeFile(dir, "utf8.txt",
                                   "\xEF\xBB\xBF\xE2\x80\x9C" "Caf\xC3\xA9 it\xE2\x80\x99s\xE2\x80\x9D "
                                   "\xEF\xBC\xA1\xEF\xBC\xA2\n");
    const QString cp932 = writeFile(dir, "sjis.txt", "\x82\x60\x82\x61 \x8A\xBF" "cat\r\n");
    const CommandResult r = run({"--words", utf8, cp932});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Cafe\t1\t2\nit's\t1\t2\nAB\t1\t1\nAB\t1\t1\ncat\t1\t2\n");
}

TEST(CountCommandWords, BinaryAndHostileInputDoNotBreakIt) {
    std::string bytes;
    for (int i = 0; i < 20000; ++i)
        bytes += char((i * 131 + 7) & 0xFF);
    bytes += std::string("\0\0tail\x82", 7);
    const CommandResult r = run({"--words"}, bytes);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("tail\t1\t2\n"), std::string::npos);
    EXPECT_EQ(run({"--words"}, "").out, "");
}

TEST(CountCommandWords, UnreadableFileFailsWithOneLineAndNoOutput) {
    QTemporaryDir dir;
    const QString good = writeFile(dir, "good.txt", "Hello\n");
    const CommandResult r = run({"--words", good, dir.filePath("missing.txt")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("missing.txt"), std::string::npos);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
    EXPECT_EQ(run({"--words", dir.path()}).status, 2); // a folder is no text file
}

TEST(CountCommandWords, BadOptionFails) {
    const CommandResult r = run({"--nonsense"});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
}

TEST(CountCommandMeasure, PrintsTheCopyText) {
    const CommandResult r = run({}, "Hello world.\r\nI am here.\r\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "words\tsylla.\tcons.\tletters\n2\t3\t6\t10\n3\t3\t3\t7\n");
    EXPECT_EQ(run({"--view", "simple"}, "Hello world.").out, "sylla.\n3\n");
    EXPECT_EQ(run({"--show", "no,total"}, "Hi there.\n\nBye.").out,
              "No\n1\n2\n3\nNo\tsent.\tphrase\twords\tsylla.\t1 syl\t3+syl\tconsonants\tletters\n"
              "total\t2\t2\t3\t3\t3\t0\t4\t10\n");
}

TEST(CountCommandMeasure, ReadabilityViewAndConditions) {
    const CommandResult r = run({"--view", "readability", "--index", "FKGL,fres"}, "The cat sat on the mat.");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("FKGL\tFRES\n", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\nFlesch-Kincaid Grade Level\t"), std::string::npos);
    EXPECT_NE(r.out.find("\nFlesch Reading Ease score\t"), std::string::npos);
    EXPECT_EQ(r.out.find("sylla."), std::string::npos);

    EXPECT_EQ(run({"--show", "sent"}, "a; b.").out, "sent.\n2\n");
    EXPECT_EQ(run({"--show", "sent", "--condition", "5"}, "a; b.").out, "sent.\n1\n");
    EXPECT_EQ(run({"--show", "words", "--condition", "1", "--condition=2"}, "well-known").out,
              "words\n1\n");
}

// --show, --index and --condition take lists under one rule, and options apply in order.
TEST(CountCommandMeasure, ListOptionsFollowOneRule) {
    const std::string text = "It rained; we stayed. Then we left.";
    auto header = [&](const QStringList& args) {
        const CommandResult r = run(args, text);
        EXPECT_EQ(r.status, 0) << args.join(' ').toStdString() << ": " << r.err;
        return r.out.substr(0, r.out.find('\n'));
    };
    const std::string full = "No\tsent.\tphrase\twords\tsylla.\tcons.\t1 syl\t3+syl\tletters";
    const std::string allIndices = "PMJP\tPMEN\tFKGL\tCLI\tFORC\tFryG\tGFog\tSMOG\tLWF\tARI\tFRES";

    // "all" anywhere, any case; repeated --index options add up; blanks around names go.
    for (const QStringList& args :
         {QStringList{"--index", "all", "--index", "FKGL"}, QStringList{"--index", "FKGL,all"},
          QStringList{"--index", " All "}, QStringList{"--index=fkgl", "--index", "ALL"}})
        EXPECT_EQ(header(QStringList{"--show", "words"} + args), "words\t" + allIndices)
            << args.join(' ').toStdString();
    EXPECT_EQ(header({"--show", "words", "--index", " fres , Fkgl", "--index", "cli"}),
              "words\tFKGL\tCLI\tFRES");

    // --view sets the items of its mode; the first --show after it sets exactly its items and
    // each further --show adds.
    EXPECT_EQ(header({"--view", "full", "--show", "words"}), "words");
    EXPECT_EQ(header({"--show", "words", "--view", "FULL"}), full);
    EXPECT_EQ(header({"--show", "words", "--show", "sent"}), "sent.\twords");
    EXPECT_EQ(header({"--view", "full", "--show", "words", "--show", " SENT,no "}), "No\tsent.\twords");
    EXPECT_EQ(header({"--show", "words", "--view", " simple ", "--show", "no"}), "No");

    // Conditions: a list or repeated options, the same either way.
    const QStringList show = {"--show", "sent,phrase"};
    const std::string listed = run(show + QStringList{"--condition", "3, 5"}, text).out;
    EXPECT_EQ(run(show + QStringList{"--condition", "3", "--condition", "5"}, text).out, listed);
    EXPECT_EQ(listed, "sent.\tphrase\n2\t3\n");

    for (const QStringList& args : {QStringList{"--index", "FKGL,nope"}, QStringList{"--condition", "1,x"},
                                    QStringList{"--show", "words", "--show", "nope"}}) {
        const CommandResult r = run(args, text);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_EQ(r.out, "");
    }
}

// "-" among files is standard input, measured like a file named "-".
TEST(CountCommandMeasure, StandardInputInABatch) {
    QTemporaryDir dir;
    const QString a = writeFile(dir, "alpha.txt", "The cat sat.\n");
    const CommandResult r = run({"--show", "total", a, "-"}, "Big dogs run. Small cats sit.\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::istringstream lines(r.out);
    std::string header, first, second;
    std::getline(lines, header);
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_EQ(first.rfind("alpha\t1\t1\t3\t", 0), 0u) << first;
    EXPECT_EQ(second.rfind("-\t2\t2\t6\t", 0), 0u) << second;
}

TEST(CountCommandMeasure, BadOptionsAndEmptyText) {
    for (const QStringList& args : {QStringList{"--view", "wide"}, QStringList{"--index", "XYZ"},
                                    QStringList{"--condition", "6"}, QStringList{"--show", "nope"},
                                    QStringList{"--jobs", "0"}}) {
        const CommandResult r = run(args, "Hello.");
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
    }
    const CommandResult empty = run({}, " \r\n\t\r\n");
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.out, "");
    EXPECT_EQ(empty.err, "テキストがありません\n");
}

TEST(CountCommandMeasure, BatchOfFiles) {
    QTemporaryDir dir;
    const QString a = writeFile(dir, "alpha.txt", "The cat sat.\n");
    const QString b = writeFile(dir, "beta.txt", "Big dogs run. Small cats sit.\n");
    const QString blank = writeFile(dir, "blank.txt", "\n\n");
    const QString doc = writeFile(dir, "gamma.doc", "Not text.");
    const CommandResult r = run({"--index", "FKGL", a, doc, blank, b});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, (doc + ": 扱えるのは テキストファイル(.txt)だけです\n" + blank +
                      ": テキストがありません\n").toStdString());
    std::istringstream lines(r.out);
    std::string header, first, second, rest;
    std::getline(lines, header);
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_EQ(header, "No\tsent.\tphrase\twords\tsylla.\t1 syl\t3+syl\tconsonants\tletters\t\tFKGL");
    EXPECT_EQ(first.rfind("alpha\t1\t1\t3\t", 0), 0u) << first;
    EXPECT_EQ(second.rfind("beta\t2\t2\t6\t", 0), 0u) << second;
    EXPECT_FALSE(std::getline(lines, rest));
    EXPECT_EQ(run({"--jobs", "1", "--index", "FKGL", a, doc, blank, b}).out, r.out);
    EXPECT_EQ(run({blank, doc}).status, 1);
}

TEST(CountCommandMeasure, JsonForScripts) {
    const CommandResult r = run({"--json"}, "Hello world.\n...\n");
    ASSERT_EQ(r.status, 0);
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(r.out));
    ASSERT_TRUE(doc.isObject()) << r.out;
    const QJsonObject file = doc.object()["files"].toArray()[0].toObject();
    const QJsonArray lines = file["lines"].toArray();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0].toObject()["counts"].toObject()["word"].toInt(), 2);
    EXPECT_TRUE(lines[0].toObject()["indices"].toObject()["FKGL"].isDouble());
    EXPECT_TRUE(lines[1].toObject()["indices"].toObject()["FKGL"].isNull()); // no words
    EXPECT_FALSE(lines[0].toObject()["openSentence"].toBool());
    EXPECT_EQ(file["totals"].toObject()["sent"].toInt(), 1);
    EXPECT_TRUE(file["ratios"].toObject()["WPS"].isDouble());
    EXPECT_TRUE(file["styles"].toObject().contains("dia"));
    EXPECT_TRUE(file["tenths"].toObject()["FRES"].isDouble());
}

TEST(CountCommandMeasure, SavesIntoTheHistory) {
    QTemporaryDir dir;
    const CommandResult r = run({"--save", "A title", "--data-dir", dir.path()}, "Hello world.\n");
    ASSERT_EQ(r.status, 0) << r.err;
    TDataIndexFile history(dir.filePath("pelmar.hst"));
    const auto keys = history.ReadSection("Index");
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(history.ReadString(keys[0], "TITL", ""), "A title");
    EXPECT_EQ(history.ReadInteger(keys[0], "word", 0), 2);

    // A batch saves every file under its own name and a second of its own.
    QTemporaryDir batchDir;
    const QString a = writeFile(batchDir, "one.txt", "First text.\n");
    const QString b = writeFile(batchDir, "two.txt", "Second text.\n");
    ASSERT_EQ(run({"--save", "", "--data-dir", batchDir.path(), a, b}).status, 0);
    TDataIndexFile after(batchDir.filePath("pelmar.hst"));
    const auto all = after.ReadSection("Index");
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(after.ReadString(all[0], "TITL", ""), "one");
    EXPECT_EQ(after.ReadString(all[1], "TITL", ""), "two");
}

// The real program: standard input through a pipe, --help, --version and a bad option.
TEST(CountCommandProcess, RunsAsAProgram) {
    QProcess process;
    process.start(QStringLiteral(PELMAR_COUNT_BINARY), {"--words"});
    ASSERT_TRUE(process.waitForStarted());
    process.write("Hello big world\n");
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished());
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardOutput().toStdString(), "Hello\t2\t2\nbig\t1\t2\nworld\t1\t4\n");

    process.start(QStringLiteral(PELMAR_COUNT_BINARY), {"--help"});
    ASSERT_TRUE(process.waitForFinished());
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardOutput().contains("--words"));

    process.start(QStringLiteral(PELMAR_COUNT_BINARY), {"--version"});
    ASSERT_TRUE(process.waitForFinished());
    EXPECT_TRUE(process.readAllStandardOutput().startsWith("pelmar-count "));

    process.start(QStringLiteral(PELMAR_COUNT_BINARY), {"--bogus"});
    ASSERT_TRUE(process.waitForFinished());
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
}

} // namespace
} // namespace pelmar
