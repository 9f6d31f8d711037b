#include "history/HistoryColumns.h"
#include "history/HistoryCopy.h"
#include "history/HistoryNumbers.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <limits>

namespace pelmar {
namespace {

// 5 sentences, 6 clauses, 8 phrases, 1234 words ... with PMJP 7.3 and FRES 65.5.
TRecItem sampleRecord() {
    TRecItem item;
    item.Title = "The Cat";
    item.Key = "2014/05/01 11:11:02";
    item.Values = {5, 6, 8, 1234, 1500, 700, 90, 2300, 4200, 73, 81, -5, 95, 100, 110, 120, 130, 140, 150, 655};
    return item;
}

TEST(HistoryNumbers, ThousandsAndFixedPoint) {
    const std::pair<std::int64_t, const char*> thousands[] = {
        {0, "0"}, {999, "999"}, {1000, "1,000"}, {1234567, "1,234,567"}, {-1234, "-1,234"},
        {std::numeric_limits<std::int32_t>::min(), "-2,147,483,648"},
    };
    for (const auto& [value, text] : thousands) {
        std::string out;
        AppendThousands(out, value);
        EXPECT_EQ(out, text) << value;
    }
    struct Fixed {
        float value;
        int decimals;
        const char* text;
    };
    const Fixed fixed[] = {
        {2.5f, 0, "3"},        {-2.5f, 0, "-3"},     {12.3456f, 3, "12.346"}, {0.0625f, 3, "0.063"},
        {-0.0004f, 3, "0.000"}, {1.25f, 1, "1.3"},    {20.0f, 3, "20.000"},    {0.05f, 2, "0.05"},
    };
    for (const Fixed& f : fixed) {
        std::string out;
        AppendFixed(out, f.value, f.decimals);
        EXPECT_EQ(out, f.text) << f.value << " " << f.decimals;
    }
}

TEST(HistoryColumns, CaptionsAndCellTexts) {
    EXPECT_EQ(HistoryColumnCaption(HistoryColumn::No), "No");
    EXPECT_EQ(HistoryColumnCaption(HistoryColumn::FirstStored), "sent");
    EXPECT_EQ(HistoryColumnCaption(HistoryColumn::FirstStored + 19), "FRES");
    EXPECT_EQ(HistoryColumnCaption(HistoryColumn::FirstDerived), "WPS");
    EXPECT_EQ(HistoryColumnCaption(HistoryColumn::FirstStyle - 1), "Sy3PP");
    EXPECT_EQ(HistoryColumnCaption(HistoryColumn::Count - 1), "gen");

    const TRecItem item = sampleRecord();
    const std::pair<int, const char*> cells[] = {
        {HistoryColumn::No, "4"},
        {HistoryColumn::Title, "The Cat"},
        {HistoryColumn::Date, "2014/05/01 11:11:02"},
        {HistoryColumn::FirstStored + 3, "1234"}, // no separators in the table
        {HistoryColumn::FirstStored + 9, "7.3"},  // PMJP 73
        {HistoryColumn::FirstStored + 11, "-0.5"},
        {HistoryColumn::FirstStored + 19, "65.5"}, // FRES 655
        {HistoryColumn::FirstDerived, "246.8"},    // WPS
        {HistoryColumn::FirstDerived + 4, "7 %"},  // PSy3 = 7.29...
        {HistoryColumn::FirstStyle + 3, "100"},    // gen
    };
    for (const auto& [column, text] : cells)
        EXPECT_EQ(HistoryCellText(item, column, 3), text) << column;
}

TEST(HistoryCopy, OneRowIsThirtySevenFieldsEndingWithCrLf) {
    const TRecItem item = sampleRecord();
    const QString text = HistoryCopyText({&item}, false);
    EXPECT_TRUE(text.endsWith("\r\n"));
    EXPECT_EQ(text.count('\t'), 36);
    EXPECT_EQ(text.count("\r\n"), 1);
    const QStringList fields = text.chopped(2).split('\t');
    ASSERT_EQ(fields.size(), 37);
    EXPECT_EQ(fields.mid(0, 5), QStringList({"The Cat", "2014/05/01 11:11:02", "5", "6", "8"}));
    EXPECT_EQ(fields[5], "1,234");
    EXPECT_EQ(fields[10], "4,200");
    EXPECT_EQ(fields[11], "7.3");
    EXPECT_EQ(fields[21], "65.5");
    EXPECT_EQ(fields[22], "246.800"); // WPS
    EXPECT_EQ(fields[26], "7.293");   // PSy3
    EXPECT_EQ(fields[33], "0");       // dia
    EXPECT_EQ(fields[36], "100");     // gen
}

TEST(HistoryCopy, HeadingNamesEveryField) {
    const TRecItem item = sampleRecord();
    const QString text = HistoryCopyText({&item, &item}, true);
    const QStringList lines = text.split("\r\n");
    ASSERT_EQ(lines.size(), 4); // heading, two rows, nothing after the last line end
    EXPECT_EQ(lines[0], "TITL\tDATE\tsent\tclau\tphra\tword\tsyll\tsyl1\tsyl3\tcons\tlett\tPMJP\tPMEN\t"
                        "FKGL\tCLI\tFORC\tFryG\tGFog\tSMOG\tLWF\tARI\tFRES\tWPS\tWPC\tWPP\tSyPW\tPSy3\t"
                        "LPW\tCIV\tPPC\tCPS\tPPS\tSy3PP\tdia\tcom\ttec\tgen");
    EXPECT_EQ(lines[1], lines[2]);
    EXPECT_EQ(lines[3], "");
}

TEST(HistoryCopy, RecordDetail) {
    const QStringList lines = RecordDetailText(sampleRecord()).split("\r\n");
    ASSERT_EQ(lines.size(), 2 + 11 + 20);
    EXPECT_EQ(lines[0], "Title: The Cat");
    EXPECT_EQ(lines[1], "Date: 2014/05/01 11:11:02");
    EXPECT_EQ(lines[2], "WPS: 246.80");
    EXPECT_EQ(lines[6], "PSy3: 7.29");
    EXPECT_EQ(lines[13], "sent: 5");
    EXPECT_EQ(lines[16], "word: 1,234");
    EXPECT_EQ(lines[22], "PMJP: 7.3");
    EXPECT_EQ(lines[32], "FRES: 65.5");
}

TEST(HistorySearch, TrimmedTextInAnyCase) {
    TRecItems items;
    for (const char* title : {"The cat", "CATS and dogs", "dog", "Concat"})
        items.Add(title, title);
    EXPECT_EQ(SearchTitles(items, "  CaT \t"), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(SearchTitles(items, "bird"), std::vector<int>{});
    EXPECT_FALSE(SearchTitles(items, "   ").has_value());
}

std::string titles(const TRecItems& items) {
    std::string s;
    for (int i = 0; i < items.Count(); ++i)
        s += items.Item(i)->Title.toStdString();
    return s;
}

TEST(HistorySort, ClicksAlternateAndTextsIgnoreCase) {
    TRecItems items;
    const std::pair<const char*, int> records[] = {{"b", 30}, {"C", 10}, {"a", 20}, {"D", 40}};
    for (const auto& [title, words] : records)
        items.Add(title, title)->Values[3] = words;
    THistorySorter sorter;
    const int wordColumn = HistoryColumn::FirstStored + 3;
    // First click: ascending collection, so the largest shows on top.
    EXPECT_EQ(sorter.Sort(items, wordColumn), 0);
    EXPECT_EQ(titles(items), "CabD");
    EXPECT_TRUE(items.Sorted);
    EXPECT_EQ(sorter.Sort(items, wordColumn), 1);
    EXPECT_EQ(titles(items), "DbaC");
    EXPECT_EQ(sorter.Sort(items, wordColumn), 0);
    EXPECT_EQ(titles(items), "CabD");
    // Titles: descending collection first, so "a" shows on top.
    EXPECT_EQ(sorter.Sort(items, HistoryColumn::Title), 0);
    EXPECT_EQ(titles(items), "DCba");
    EXPECT_EQ(sorter.Sort(items, HistoryColumn::Title), 1);
    EXPECT_EQ(titles(items), "abCD");
    // "No" is the order the items were added in.
    sorter.Sort(items, HistoryColumn::No);
    EXPECT_EQ(titles(items), "bCaD");
}

TEST(HistorySort, DerivedMeasuresCloserThanAHundredthAreEqual) {
    TRecItems items;
    // Words per sentence 10.001, 10.004, 9.000 and 10.020 (counts 10001/1000 ...).
    const std::pair<const char*, std::array<int, 2>> records[] = {
        {"p", {1000, 10001}}, {"q", {1000, 10004}}, {"r", {1, 9}}, {"s", {1000, 10020}}};
    for (const auto& [title, counts] : records) {
        TRecItem* item = items.Add(title, title);
        item->Values[0] = counts[0];
        item->Values[3] = counts[1];
    }
    SortRecItems(items, HistoryColumn::FirstDerived, false);
    EXPECT_EQ(titles(items), "rpqs"); // p and q keep their order
    SortRecItems(items, HistoryColumn::FirstDerived, true);
    EXPECT_EQ(titles(items), "spqr");
}

} // namespace
} // namespace pelmar
