#include "tools/manual/ManualSource.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace pelmar::manual {
namespace {

using namespace Qt::StringLiterals;

void write(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

TDirectiveContext context(QStringList* ran = nullptr) {
    TDirectiveContext c;
    c.version = u"9.8.7"_s;
    c.run = [ran](const QString& program, const QStringList& arguments,
                  QString*) -> std::optional<QString> {
        if (ran)
            *ran = QStringList{program} + arguments;
        return program == u"pelmar-history"_s ? u"TITL\tDATE\tsent\nA\t2025\t3\n"_s : u"words\n4"_s;
    };
    return c;
}

TEST(ManualSource, DirectivesExpandAndVersionIsFilledIn) {
    QStringList ran;
    const TExpanded out = ExpandDirectives(
        u"Version {{version}}.\n{{contents}}\n  {{ table units }}\n{{run pelmar-count --show words \"my text.txt\"}}\n"_s,
        u"a.md"_s, context(&ran));
    ASSERT_EQ(out.error, QString());
    EXPECT_TRUE(out.markdown.startsWith(u"Version 9.8.7.\n{{contents}}\n| "_s));
    EXPECT_TRUE(out.markdown.contains(u"```\n$ pelmar-count --show words \"my text.txt\"\nwords\n4\n```\n"_s));
    EXPECT_EQ(ran, (QStringList{u"pelmar-count"_s, u"--show"_s, u"words"_s, u"my text.txt"_s}));
    // "output" shows what the command prints, without the command.
    EXPECT_EQ(ExpandDirectives(u"{{output pelmar-count a.txt}}"_s, u"a.md"_s, context()).markdown,
              u"```\nwords\n4\n```\n"_s);
}

TEST(ManualSource, DirectivesInsideFixedWidthBlocksStayAsWritten) {
    const QString text = u"```\n{{table units}}\n```\n"_s;
    EXPECT_EQ(ExpandDirectives(text, u"a.md"_s, context()).markdown, text);
}

TEST(ManualSource, BadDirectivesNameTheirFileAndLine) {
    struct Case {
        const char* line;
        const char* error;
    };
    const Case cases[] = {
        {"{{tabel units}}", "b.md:2: unknown directive 'tabel'"},
        {"{{table nothing}}", "b.md:2: no table named 'nothing'"},
        {"{{run ls -l}}", "b.md:2: only pelmar-count and pelmar-history can be run"},
        {"{{run pelmar-history | sort}}", "b.md:2: only \"| cut -f LIST\" may follow a command"},
        {"{{run pelmar-history | cut -f 3-1}}", "b.md:2: cut -f takes a list like 1-3,5"},
        {"{{run pelmar-history --data-dir /tmp}}", "b.md:2: an example must not write to the history"},
        {"{{run pelmar-count --save T a.txt}}", "b.md:2: an example must not write to the history"},
        {"{{run pelmar-count --data-dir /tmp a.txt}}",
         "b.md:2: an example must not write to the history"},
    };
    for (const Case& c : cases) {
        const TExpanded out =
            ExpandDirectives(u"first\n"_s + QString::fromUtf8(c.line), u"b.md"_s, context());
        EXPECT_TRUE(out.error.startsWith(QString::fromUtf8(c.error))) << out.error.toStdString();
        EXPECT_EQ(out.markdown, QString()) << c.line;
    }
    TDirectiveContext failing = context();
    failing.run = [](const QString&, const QStringList&, QString* error) -> std::optional<QString> {
        *error = u"cannot read x.txt"_s;
        return std::nullopt;
    };
    EXPECT_EQ(ExpandDirectives(u"{{run pelmar-count x.txt}}"_s, u"c.md"_s, failing).error,
              u"c.md:1: pelmar-count failed: cannot read x.txt"_s);
}

TEST(ManualSource, HistoryExamplesRunAndKeepTheFieldsCutAsks) {
    QStringList ran;
    const TExpanded out =
        ExpandDirectives(u"{{run pelmar-history --folders}}\n{{output pelmar-history | cut -f 1,3-}}\n"_s,
                         u"h.md"_s, context(&ran));
    ASSERT_EQ(out.error, QString());
    EXPECT_EQ(out.markdown, u"```\n$ pelmar-history --folders\nTITL\tDATE\tsent\nA\t2025\t3\n```\n"
                            u"```\nTITL\tsent\nA\t3\n```\n"_s);
    EXPECT_EQ(ran, (QStringList{u"pelmar-history"_s}));
}

TEST(ManualSource, CutKeepsFieldsAsCutDoes) {
    const QString text = u"a\tb\tc\td\nno tab here\n1\t2\n"_s;
    struct Case {
        const char* list;
        std::optional<QString> kept;
    };
    const Case cases[] = {
        {"2", u"b\nno tab here\n2\n"_s},
        {"1,3-", u"a\tc\td\nno tab here\n1\n"_s},
        {"-2,4", u"a\tb\td\nno tab here\n1\t2\n"_s},
        {"3,1", u"a\tc\nno tab here\n1\n"_s}, // in the line's order, as cut keeps them
        {"9", u"\nno tab here\n\n"_s},
        {"0", std::nullopt},
        {"2-1", std::nullopt},
        {"x", std::nullopt},
        {"1,,2", std::nullopt},
        {"-", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CutFields(text, QString::fromLatin1(c.list)), c.kept) << c.list;
}

TEST(ManualSource, ChaptersComeInNameOrderAndPicturesMustExist) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    write(dir.filePath(u"10-second.md"_s), "# Second\n![window](images/w.png)\n");
    write(dir.filePath(u"02-first.md"_s), "# First\n");
    write(dir.filePath(u"README.md"_s), "# Not a chapter\n");
    write(dir.filePath(u"notes.txt"_s), "nothing\n");
    EXPECT_EQ(ChapterFiles(dir.path()),
              (QStringList{dir.filePath(u"02-first.md"_s), dir.filePath(u"10-second.md"_s)}));

    EXPECT_EQ(AssembleManual(dir.path(), context()).error,
              u"10-second.md: the picture images/w.png is missing"_s);
    write(dir.filePath(u"images/w.png"_s), "png");
    const TExpanded manual = AssembleManual(dir.path(), context());
    ASSERT_EQ(manual.error, QString());
    EXPECT_EQ(manual.markdown, u"# First\n\n# Second\n![window](images/w.png)\n\n"_s);

    QTemporaryDir empty;
    EXPECT_TRUE(AssembleManual(empty.path(), context()).error.contains(u"no chapters"_s));
}

TEST(ManualSource, ImageReferencesAreFoundWithOrWithoutTitles) {
    EXPECT_EQ(ImageReferences(u"![a](x.png) text ![b](dir/y.png \"title\") [link](z.png)"_s),
              (QStringList{u"x.png"_s, u"dir/y.png"_s}));
}

} // namespace
} // namespace pelmar::manual
