#include "cli/CountCommand.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

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
