#include "desktop/MainWindowTexts.h"
#include "desktop/TextFileLoad.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>
#include <unistd.h>

namespace pelmar {
namespace {

using namespace Qt::StringLiterals;

QString write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return file.fileName();
}

TEST(TextFileLoad, SaysWhyAFileCannotBeRead) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(u"gone.txt"_s);
    EXPECT_EQ(FileProblemText(missing), u"ファイルがありません\r\n\r\n"_s + missing);
    EXPECT_TRUE(FileProblemText(dir.path()).startsWith(u"フォルダは読み込めません"_s));
    if (geteuid() != 0) { // root reads every file
        const QString locked = write(dir, u"locked.txt"_s, "text");
        QFile::setPermissions(locked, {});
        EXPECT_TRUE(FileProblemText(locked).startsWith(u"ファイルを読む権限がありません"_s));
    }

    for (const QString& path : {missing, dir.path()}) {
        const TFileRead read = ReadFileInPieces(path, nullptr);
        EXPECT_EQ(read.problem, FileProblemText(path));
        EXPECT_TRUE(read.bytes.isEmpty());
    }
}

TEST(TextFileLoad, ReadsInPiecesAndStopsWhenAsked) {
    QTemporaryDir dir;
    const QByteArray bytes(10000, 'a');
    const QString path = write(dir, u"a.txt"_s, bytes);
    QList<qint64> steps;
    TFileRead read = ReadFileInPieces(path, [&](qint64 done, qint64 total) {
        EXPECT_EQ(total, 10000);
        steps << done;
        return true;
    }, 4096);
    EXPECT_EQ(read.bytes, bytes);
    EXPECT_TRUE(read.problem.isEmpty());
    EXPECT_EQ(steps, (QList<qint64>{4096, 8192, 10000}));

    read = ReadFileInPieces(path, [](qint64 done, qint64) { return done < 4096; }, 4096);
    EXPECT_TRUE(read.canceled);
    EXPECT_TRUE(read.bytes.isEmpty());
}

TEST(TextFileLoad, TellsPlainlyBinaryFilesFromText) {
    std::mt19937 random(7);
    std::string noise(20000, '\0');
    for (char& c : noise)
        c = static_cast<char>(1 + random() % 255); // no NUL at all
    struct Case {
        const char* name;
        std::string bytes;
        bool binary;
    } cases[] = {
        {"English", "The cat sat on the mat.\r\nIt was happy.\r\n", false},
        {"CP932 Japanese", "\x93\xFA\x96\x7B\x8C\xEA\x82\xC5\x82\xB7\r\n", false},
        {"UTF-8 with a BOM", "\xEF\xBB\xBFna\xC3\xAFve caf\xC3\xA9", false},
        {"a few bad bytes", "Mostly fine text \xFF with one odd byte, and\x01 a control.", false},
        {"empty", "", false},
        {"a NUL byte", std::string("text\0text", 9), true},
        {"UTF-16", std::string("\xFF\xFEH\0i\0", 6), true},
        {"random bytes without NUL", noise, true},
        {"controls", std::string(100, '\x02') + "abc", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LooksLikeBinary(c.bytes), c.binary) << c.name;
}

TEST(TextFileLoad, DecodesInPiecesThatJoinToTheWholeText) {
    const std::string cases[] = {
        "\xEF\xBB\xBF" "first line\r\nsecond \xE6\x97\xA5\xE6\x9C\xAC\r\n\r\nlast",
        "\x93\xFA\x96\x7B\r\nTwo words.\r\n\x82\xA0\x82\xA2\rthird\n",
        "no line end at all",
        "",
    };
    for (const std::string& bytes : cases) {
        for (std::size_t size : {1u, 3u, 7u, 1000u}) {
            TTextDecoder decoder(bytes);
            QString joined;
            int pieces = 0;
            while (!decoder.atEnd()) {
                const QString piece = decoder.next(size);
                EXPECT_TRUE(piece.endsWith(u'\n') || decoder.atEnd()) << bytes << " " << size;
                joined += piece;
                ++pieces;
            }
            EXPECT_EQ(joined, PaneTextOf(decodeTextFile(bytes))) << bytes << " " << size;
            EXPECT_EQ(decoder.done(), decoder.total());
        }
    }
}

} // namespace
} // namespace pelmar
