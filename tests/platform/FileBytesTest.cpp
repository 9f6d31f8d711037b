#include "platform/FileBytes.h"
#include "platform/TextFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

namespace pelmar {
namespace {

std::string randomBytes(std::mt19937& rng, std::size_t size) {
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(rng() % 3 ? 'a' + rng() % 26 : rng());
    return bytes;
}

// A file is read whole, whether mapped (a regular file), read (a file that says no size) or
// streamed.
TEST(FileBytes, FilesAreReadWhole) {
    QTemporaryDir dir;
    std::mt19937 rng(5);
    const std::string content = randomBytes(rng, (9 << 20) + 12345);
    const QString path = dir.filePath("big.txt");
    std::ofstream(path.toStdString(), std::ios::binary) << content;
    TFileBytes bytes;
    QString reason;
    ASSERT_TRUE(bytes.readFile(path, reason)) << reason.toStdString();
    EXPECT_TRUE(bytes.view() == content);
    // Read again into the same object, and an empty file.
    std::ofstream(dir.filePath("empty.txt").toStdString(), std::ios::binary);
    ASSERT_TRUE(bytes.readFile(dir.filePath("empty.txt"), reason));
    EXPECT_TRUE(bytes.view().empty());

    TFileBytes special;
    ASSERT_TRUE(special.readFile(QStringLiteral("/proc/self/status"), reason));
    EXPECT_NE(special.view().find("Name:"), std::string_view::npos);

    TFileBytes missing;
    EXPECT_FALSE(missing.readFile(dir.filePath("missing.txt"), reason));
    EXPECT_FALSE(reason.isEmpty());

    std::istringstream in(content);
    TFileBytes stream;
    stream.readStream(in);
    EXPECT_TRUE(stream.view() == content);
}

// A mapped file that another program cuts short cannot be read where its end was: the program
// ends with a message and status 2, not with a crash.
TEST(FileBytesDeathTest, AFileCutShortWhileMappedEndsTheProgramWithAMessage) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QTemporaryDir dir;
    const QString path = dir.filePath("cut.txt");
    std::ofstream(path.toStdString(), std::ios::binary) << std::string(1 << 20, 'a');
    EXPECT_EXIT(
        {
            TFileBytes bytes;
            QString reason;
            if (!bytes.readFile(path, reason))
                std::_Exit(3);
            std::ofstream(path.toStdString(), std::ios::binary | std::ios::trunc);
            volatile char last = bytes.view().back();
            (void)last;
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(2), "cannot read .*cut.txt: it changed while it was read");
}

// Looked at in pieces, a large text gets the encoding it gets whole, also when a multi-byte
// character or the one bad byte sits where the pieces are cut.
TEST(FileBytes, EncodingOfALargeTextInPieces) {
    const std::size_t size = 8 << 20;
    std::string text(size, 'a');
    for (std::size_t at = size / 4 - 2; at + 3 <= size; at += size / 4) // characters across cuts
        text.replace(at, 3, "\xE6\x97\xA5");
    text.replace(size - 3, 3, "\xE6\x97\xA5");
    for (int jobs : {1, 2, 4, 8})
        EXPECT_EQ(detectTextEncoding(text, jobs), TextEncoding::Utf8) << jobs;
    // A stray byte at the start, a character that lost its first byte at a cut, one cut short
    // at the end.
    for (std::size_t bad : {std::size_t{0}, size / 2 - 2, size - 1}) {
        std::string broken = text;
        broken[bad] = broken[bad] == 'a' ? '\x85' : 'x';
        for (int jobs : {1, 2, 4})
            EXPECT_EQ(detectTextEncoding(broken, jobs), TextEncoding::Cp932) << bad << " " << jobs;
    }
}

} // namespace
} // namespace pelmar
