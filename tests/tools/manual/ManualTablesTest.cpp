#include "tools/manual/ManualTables.h"

#include "measure/FormulaDescription.h"
#include "measure/Formulas.h"
#include "measure/MeasureOptions.h"
#include "measure/ResultText.h"
#include "measure/Vocabulary.h"

#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <gtest/gtest.h>

namespace pelmar::manual {
namespace {

using namespace Qt::StringLiterals;

// The cells of the one table a Markdown text holds, as a reader sees them.
QList<QStringList> readTable(const QString& markdown) {
    QTextDocument document;
    document.setMarkdown(markdown);
    QList<QStringList> rows;
    for (QTextFrame* frame : document.rootFrame()->childFrames()) {
        auto* table = qobject_cast<QTextTable*>(frame);
        if (table == nullptr)
            continue;
        for (int r = 0; r < table->rows(); ++r) {
            QStringList cells;
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                QTextCursor cursor = cell.firstCursorPosition();
                cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                cells << cursor.selectedText();
            }
            rows << cells;
        }
    }
    return rows;
}

TEST(ManualTables, EscapedTextReadsBackUnchanged) {
    const QString awkward = u"a*b*c | _x_ `y` <b>z</b> [l](u) #1 \\ 3+4 !img ~s~ 1. 2) ＊全角"_s;
    const QList<QStringList> rows = readTable(MarkdownTable({u"h"_s}, {{awkward}}));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1][0], awkward);
}

TEST(ManualTables, FormulasAreTheProgramsOwnTexts) {
    const std::optional<QString> markdown = GeneratedTable(u"formulas"_s);
    ASSERT_TRUE(markdown);
    const QList<QStringList> rows = readTable(*markdown);
    ASSERT_EQ(rows.size(), IndexCount + 1);
    for (int i = 0; i < IndexCount; ++i) {
        EXPECT_EQ(rows[i + 1][0], QString::fromUtf8(vocab::ColumnKeys[std::size_t(i + 9)]));
        EXPECT_EQ(rows[i + 1][1], FormulaText(i).trimmed()) << i;
    }
}

// Each column the table explains must hold the count its legend key names: a measured row with
// a different number in every count shows which column holds what.
TEST(ManualTables, EveryColumnIsExplainedByTheCountItShows) {
    TTextCounts counts;
    counts.Sentences = 11;
    counts.Clauses = 12;
    counts.Phrases = 13;
    counts.Words = 14;
    counts.Syllables = 15;
    counts.Syllable1Words = 16;
    counts.Syllable3Words = 17;
    counts.Consonants = 18;
    counts.Letters = 19;
    TMeasureOptions all;
    all.resultDisplay.fill(true);
    const QStringList header = QString::fromStdString(LineHeader(all)).split(u'\t');
    const QStringList row = QString::fromStdString(LineRow(7, counts, all)).split(u'\t');
    ASSERT_EQ(header.size(), row.size());

    const QList<QStringList> table = readTable(*GeneratedTable(u"columns"_s));
    ASSERT_EQ(table.size(), 1 + header.size() + 1); // the clause column comes last
    for (qsizetype i = 0; i < header.size(); ++i) {
        const QStringList& explained = table[i + 1];
        EXPECT_EQ(explained[0], header[i]);
        const QString key = explained[4];
        if (key == u"－"_s) {
            EXPECT_EQ(row[i], u"7"_s) << "the line number column";
            continue;
        }
        int position = -1;
        for (int p = 0; p < 9; ++p)
            if (QString::fromUtf8(vocab::ColumnKeys[std::size_t(p)]) == key)
                position = p;
        ASSERT_GE(position, 0) << explained.join(u'|').toStdString();
        EXPECT_EQ(row[i].toInt(), counts.count(position)) << header[i].toStdString();
        EXPECT_EQ(explained[3], QString::fromUtf8(vocab::CountNames[std::size_t(position)]));
    }
    EXPECT_EQ(table.last()[0], u"clau."_s);
    EXPECT_EQ(table.last()[4], u"clau"_s);
}

TEST(ManualTables, EveryNamedTableIsOneTableAndUnknownNamesAreNone) {
    for (const QString& name : GeneratedTableNames()) {
        const std::optional<QString> markdown = GeneratedTable(name);
        ASSERT_TRUE(markdown) << name.toStdString();
        if (name == u"index-descriptions"_s)
            continue;
        EXPECT_GT(readTable(*markdown).size(), 1) << name.toStdString();
    }
    EXPECT_FALSE(GeneratedTable(u"no-such-table"_s));
}

TEST(ManualTables, HistoryTablesFollowTheWindow) {
    // Every value column the history window shows, by its header, with a name for each.
    const QList<QStringList> columns = readTable(*GeneratedTable(u"history-columns"_s));
    ASSERT_EQ(columns.size(), 1 + 35);
    EXPECT_EQ(columns[1][0], u"sent"_s);
    EXPECT_EQ(columns[10][0], u"PMJP"_s);
    EXPECT_EQ(columns[21][0], u"WPS"_s);
    EXPECT_EQ(columns[35][0], u"gen"_s);
    for (const QStringList& row : columns)
        EXPECT_FALSE(row[1].isEmpty() || row[2].isEmpty()) << row[0].toStdString();

    // The auxiliary check boxes in the window's order; words per sentence is scaled by ten,
    // seconds of inner voice are not.
    const QList<QStringList> bars = readTable(*GeneratedTable(u"auxiliary-bars"_s));
    QStringList boxes;
    for (const QStringList& row : bars.mid(1))
        boxes << row[0];
    EXPECT_EQ(boxes, (QStringList{u"wps"_s, u"civ"_s, u"wpp"_s, u"sypw"_s, u"pps"_s, u"psy3"_s}));
    EXPECT_EQ(bars[1][3], u"10"_s);
    EXPECT_EQ(bars[2][3], u"1"_s);

    const QList<QStringList> kinds = readTable(*GeneratedTable(u"record-kinds"_s));
    ASSERT_EQ(kinds.size(), 4);
    EXPECT_EQ(kinds[1][1], u"サンプルのデータ"_s);
    EXPECT_TRUE(kinds[3][2].startsWith(u"一覧表の通し番号のアイコンが あか色 ／ "_s)) << kinds[3][2].toStdString();
}

TEST(ManualTables, IndexDescriptionsAreTheWindowsBlocks) {
    const QString markdown = *GeneratedTable(u"index-descriptions"_s);
    for (int k = 9; k <= 19; ++k) {
        QStringList lines;
        DescribeFormula(k, &lines);
        for (QString line : lines.mid(2)) {
            line.remove(u'\r');
            EXPECT_TRUE(markdown.contains(line)) << line.toStdString();
        }
    }
}

} // namespace
} // namespace pelmar::manual
