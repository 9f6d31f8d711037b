#include "storage/DataFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>

using namespace pelmar;
using Lines = std::vector<std::string>;

namespace {

TDataFile fileOf(std::string_view text) {
    TDataFile file{QString()};
    file.SetText(text);
    return file;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(DataFileText, SameTextFoldsAsciiOnlyAndKeepsDoubleByteCharactersWhole) {
    EXPECT_TRUE(detail::sameText("[Main]", "[mAIN]"));
    EXPECT_TRUE(detail::sameText("\x83\x41x", "\x83\x41X")); // ア + x
    const std::pair<const char*, const char*> differ[] = {{"abc", "abd"},
                                                          {"abc", "abcd"},
                                                          {"\x83\x41", "\x83\x61"},
                                                          {"\xE0\x41", "\xE0\x61"},
                                                          {"\xB1", "\xB2"}};
    for (const auto& [a, b] : differ) {
        EXPECT_FALSE(detail::sameText(a, b)) << a << " " << b;
    }
}

TEST(DataFileText, ToIntDefAcceptsOnlyAWholeDecimalInt) {
    const std::pair<const char*, int> good[] = {{"12", 12},
                                                {"  7", 7},
                                                {"\t3", 3},
                                                {"+5", 5},
                                                {"-5", -5},
                                                {"007", 7},
                                                {"2147483647", 2147483647},
                                                {"-2147483648", -2147483647 - 1}};
    for (const auto& [text, value] : good) {
        bool ok = false;
        EXPECT_EQ(detail::toIntDef(text, 99, &ok), value) << text;
        EXPECT_TRUE(ok) << text;
    }
    for (const char* text : {"", "  ", "+", "- 5", "12a", "12 ", "0x10", "1e3", "a", "2147483648",
                             "-2147483649", "99999999999999999999"}) {
        bool ok = true;
        EXPECT_EQ(detail::toIntDef(text, 99, &ok), 99) << text;
        EXPECT_FALSE(ok) << text;
    }
}

TEST(CompressStringList, SplitsAtAnyLineEndAndJoinsWithCrLf) {
    const std::pair<std::string, Lines> cases[] = {
        {"a\r\nb", {"a", "b"}},
        {"a\rb\nc", {"a", "b", "c"}},
        {"a\r\n", {"a"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"", {}},
        {"a\n\rb", {"a", "", "b"}},
        {std::string("a\0b", 3), {std::string("a\0b", 3)}},
    };
    for (const auto& [text, lines] : cases) {
        EXPECT_EQ(fileOf(text).Lines(), lines) << text;
    }
    EXPECT_EQ(fileOf("a\nb\r").Text(), QByteArray("a\r\nb\r\n"));
}

TEST(CompressStringList, EveryChangeBumpsTheVersion) {
    TDataFile f = fileOf("[s]\r\nk=v");
    const auto changes = {+[](TDataFile& d) { d.SetText("[s]"); },
                          +[](TDataFile& d) { d.WriteString("s", "k", "1"); },
                          +[](TDataFile& d) { d.WriteSection("t", {"a"}); },
                          +[](TDataFile& d) { d.AddToSection("t", "b"); },
                          +[](TDataFile& d) { d.DeleteSection("t"); },
                          +[](TDataFile& d) { d.Delete(0); }};
    for (const auto& change : changes) {
        const auto before = f.Version();
        change(f);
        EXPECT_GT(f.Version(), before);
    }
}

TEST(DataFile, ReadsSectionsKeysAndValues) {
    const TDataFile f = fileOf("[One]\r\nName=first\r\n\r\nitem\r\nname=second\r\nx=y=z\r\n"
                               "[Two]\r\nName=other\r\nn=12\r\nbad=12a\r\n[three\r\nlast");
    EXPECT_TRUE(f.SectionExists("one"));
    EXPECT_FALSE(f.SectionExists("On"));
    EXPECT_EQ(f.ReadSection("ONE"), (Lines{"Name=first", "item", "name=second", "x=y=z"}));
    EXPECT_EQ(f.ReadValues("One"), (Lines{"first", "item", "second", "y=z"}));
    EXPECT_EQ(f.ReadSection("Two"), (Lines{"Name=other", "n=12", "bad=12a"})); // "[" ends it
    EXPECT_TRUE(f.ReadSection("none").empty());
    EXPECT_EQ(f.ReadString("one", "NAME", "-"), "first");
    EXPECT_EQ(f.ReadString("one", "item", "-"), "-");
    EXPECT_EQ(f.ReadString("one", "n", "-"), "-"); // not in this section
    EXPECT_EQ(f.ReadInteger("two", "n", -1), 12);
    EXPECT_EQ(f.ReadInteger("two", "bad", -1), -1);
    EXPECT_EQ(f.ReadInteger("two", "missing", -1), -1);
}

TEST(DataFile, WriteStringReplacesInsertsOrDeletesWithinItsSection) {
    const std::string two = "[a]\r\nk=1\r\n\r\n[b]\r\nk=2\r\n";
    const std::tuple<const char*, const char*, const char*, int, std::string> cases[] = {
        {"a", "k", "1", -1, two},                                      // the same line
        {"A", "k", "5", 1, "[a]\r\nk=5\r\n\r\n[b]\r\nk=2\r\n"},        // replaced in place
        {"a", "K", "5", 3, "[a]\r\nk=1\r\n\r\nK=5\r\n[b]\r\nk=2\r\n"}, // names compare exactly
        {"a", "k", "", -1, "[a]\r\n\r\n[b]\r\nk=2\r\n"},               // [b] keeps its k
        {"a", "q", "", -1, two},
        {"a", "n", "3", 3, "[a]\r\nk=1\r\n\r\nn=3\r\n[b]\r\nk=2\r\n"}, // after the blank line
        {"b", "n", "3", 5, two + "n=3\r\n"},
        {"c", "n", "3", 6, two + "[c]\r\nn=3\r\n"},
        {"c", "n", "", -1, two},
    };
    for (const auto& [section, name, value, index, after] : cases) {
        TDataFile f = fileOf(two);
        EXPECT_EQ(f.WriteString(section, name, value), index) << section << name << value;
        EXPECT_EQ(f.Text().toStdString(), after) << section << name << value;
    }
    TDataFile f = fileOf(two);
    EXPECT_EQ(f.WriteInteger("b", "k", -40), 4);
    EXPECT_EQ(f.ReadString("b", "k", ""), "-40");
}

TEST(DataFile, SectionWritersRewriteTheWholeSection) {
    TDataFile f = fileOf("[A]\r\nx\r\n\r\n[b]\r\ny\r\n[c]\r\nz");
    f.WriteSection("a", {"p", "", "q"});
    EXPECT_EQ(f.Lines(), (Lines{"[b]", "y", "[c]", "z", "[a]", "p", "", "q"}));
    f.AddToSection("B", "y");
    EXPECT_EQ(f.Lines(), (Lines{"[c]", "z", "[a]", "p", "", "q", "[B]", "y"}));
    f.AddToSection("a", "r"); // blank lines do not survive the rewrite
    EXPECT_EQ(f.Lines(), (Lines{"[c]", "z", "[B]", "y", "[a]", "p", "q", "r"}));
    f.AddToSection("a", "R"); // a line already there, whatever its case, is not added twice
    EXPECT_EQ(f.Lines(), (Lines{"[c]", "z", "[B]", "y", "[a]", "p", "q", "r"}));
    f.DeleteSection("C");
    f.DeleteSection("nothing");
    EXPECT_EQ(f.Lines(), (Lines{"[B]", "y", "[a]", "p", "q", "r"}));
}

class DataFileOnDisk : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
};

TEST_F(DataFileOnDisk, SavesExactlyWhatAnIndependentEncoderWrites) {
    TDataFile sample(PELMAR_TEST_DATA "/storage/sample.dat");
    ASSERT_TRUE(sample.CreateResult().ok());
    EXPECT_EQ(sample.ReadString("\x92\x50\x8C\xEA", "KEY", ""), "\x92\x6C"); // 単語, 値
    EXPECT_EQ(sample.SaveToFile(path("deep/er/copy.dat")).code, 0);
    EXPECT_EQ(readAll(path("deep/er/copy.dat")), readAll(PELMAR_TEST_DATA "/storage/sample.dat"));
}

TEST_F(DataFileOnDisk, FailedLoadsLeaveTheListAlone) {
    TDataFile f = fileOf("keep");
    const LoadResult missing = f.LoadFromFile(path("no.dat"));
    EXPECT_EQ(missing.status, LoadResult::Status::Missing);
    EXPECT_EQ(missing.message, path("no.dat") + QStringLiteral(" がありません"));

    QFile bad(path("bad.dat"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("BDC1 not really");
    bad.close();
    const LoadResult damaged = f.LoadFromFile(path("bad.dat"));
    EXPECT_EQ(damaged.status, LoadResult::Status::Damaged);
    EXPECT_TRUE(damaged.message.isEmpty());

    // A sparse file over 4 GiB: refused by its size, never read.
    ASSERT_TRUE(bad.open(QIODevice::ReadWrite));
    if (bad.resize(qint64{1} << 32)) {
        EXPECT_EQ(f.LoadFromFile(path("bad.dat")).status, LoadResult::Status::Damaged);
    }
    EXPECT_EQ(f.Lines(), Lines{"keep"});
}

TEST_F(DataFileOnDisk, SaveReportsUnusableNames) {
    const TDataFile f = fileOf("x");
    EXPECT_EQ(f.SaveToFile(QString()).code, 1);
    QFile(path("plain")).open(QIODevice::WriteOnly);
    const SaveResult noFolder = f.SaveToFile(path("plain/sub/x.dat"));
    EXPECT_EQ(noFolder.code, 1);
    EXPECT_TRUE(noFolder.message.isEmpty());
    QDir(dir.path()).mkdir("folder");
    const SaveResult isFolder = f.SaveToFile(path("folder"));
    EXPECT_EQ(isFolder.code, 1);
    EXPECT_EQ(isFolder.message, QStringLiteral("TCompressStringList.SaveToFile 2003.02.10"));
}

TEST_F(DataFileOnDisk, ReadOnlyFileIsReplacedWholeOrNotAtAll) {
    const QString p = path("ro.dat");
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup;
    ASSERT_EQ(fileOf("old").SaveToFile(p).code, 0);
    ASSERT_TRUE(QFile::setPermissions(p, readOnly));
    EXPECT_EQ(fileOf("new").SaveToFile(p).code, 0);
    EXPECT_EQ(QFile::permissions(p) & 0x7077, readOnly);

    // A file size limit makes the write itself fail, as a full disk would.
    std::string big;
    for (int i = 0; i < 20000; ++i) {
        big += static_cast<char>('!' + i * 7 % 90);
    }
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    const SaveResult result = fileOf(big).SaveToFile(p);
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(result.code, EFBIG);
    EXPECT_EQ(TDataFile(p).Lines(), Lines{"new"});
    EXPECT_EQ(QFile::permissions(p) & 0x7077, readOnly);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"ro.dat"});
}

TEST_F(DataFileOnDisk, SaveAndFreeWritesOnlyNamedWritableFiles) {
    auto nameless = std::make_unique<TDataFile>(QString());
    nameless->Add("x");
    EXPECT_TRUE(SaveAndFree(nameless).ok());
    EXPECT_EQ(nameless, nullptr);

    auto file = std::make_unique<TDataFile>(path("h.hst"));
    std::unique_ptr<TDataFile> readOnly = std::make_unique<TDataIndexFile>(path("h.hst"));
    file->WriteInteger("s", "n", 1);
    SaveAndFree(file);
    readOnly->ReadOnly = true;
    SaveAndFree(readOnly);
    EXPECT_EQ(TDataFile(path("h.hst")).ReadInteger("s", "n", 0), 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"h.hst"});
}
