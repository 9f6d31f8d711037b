#include "history/RecItems.h"

#include <gtest/gtest.h>

#include <string>

namespace pelmar {
namespace {

// Items titled "0", "1", ... so an order reads as a string of titles.
void fill(TRecItems& items, int count) {
    for (int i = 0; i < count; ++i)
        items.Add(QString::number(i), QStringLiteral("k%1").arg(i));
}

std::string titles(const TRecItems& items) {
    std::string s;
    for (int i = 0; i < items.Count(); ++i)
        s += items.Item(i)->Title.toStdString();
    return s;
}

TEST(RecItems, AddCountItemDeleteClearAndSerials) {
    TRecItems items;
    fill(items, 3);
    EXPECT_EQ(items.Count(), 3);
    EXPECT_EQ(items.Item(0)->Serial, 0);
    EXPECT_EQ(items.Item(2)->Serial, 2);
    EXPECT_EQ(items.Item(3), nullptr);
    EXPECT_EQ(items.Item(-1), nullptr);
    items.Delete(7);
    items.Delete(-1);
    items.Delete(1);
    EXPECT_EQ(titles(items), "02");
    // Serials keep counting after a delete, and start again after Clear.
    EXPECT_EQ(items.Add("x", "kx")->Serial, 3);
    items.Mark(0);
    items.Sorted = true;
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
    EXPECT_TRUE(items.Marks().empty());
    EXPECT_FALSE(items.Sorted);
    EXPECT_EQ(items.Add("y", "ky")->Serial, 0);
}

TEST(RecItems, IndexOfKeyIsExactAndFirst) {
    TRecItems items;
    items.Add("a", "2014/05/01 11:11:02");
    items.Add("b", "2014/05/01 11:11:03");
    items.Add("c", "2014/05/01 11:11:02");
    EXPECT_EQ(items.IndexOfKey("2014/05/01 11:11:02"), 0);
    EXPECT_EQ(items.IndexOfKey("2014/05/01 11:11:03"), 1);
    EXPECT_EQ(items.IndexOfKey("2014/05/01 11:11:0"), -1);
    EXPECT_EQ(items.IndexOfKey(""), -1);
}

TEST(RecItems, PutSwapsWithoutFreeing) {
    TRecItems items;
    fill(items, 2);
    auto other = std::make_unique<TRecItem>();
    other->Title = "z";
    TRecItem* raw = other.get();
    std::unique_ptr<TRecItem> old = items.Put(1, std::move(other));
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->Title, "1");
    EXPECT_EQ(items.Item(1), raw);
    // Out of range: the item comes straight back.
    EXPECT_EQ(items.Put(5, std::move(old))->Title, "1");
}

TEST(RecItems, MarksStaySortedWithoutDuplicates) {
    TRecItems items;
    for (int m : {5, 1, 3, 1, 5, 0})
        items.Mark(m);
    EXPECT_EQ(items.Marks(), (std::vector<int>{0, 1, 3, 5}));
}

TEST(RecItems, MoveMarkedPlacesTheBlockAroundTheTarget) {
    struct Case {
        const char* name;
        std::vector<int> marks;
        int target;
        const char* expected;
    };
    const Case cases[] = {
        // Items after the target go just before it, in their order.
        {"after", {5, 7}, 2, "0157234689"},
        // Items before the target go just after it, in their order.
        {"before", {1, 3}, 6, "0245613789"},
        {"both sides", {1, 8}, 4, "0238415679"},
        {"neighbours", {3}, 4, "0124356789"},
        {"to the first", {9}, 0, "9012345678"},
        {"to the last", {0}, 9, "1234567890"},
        // A marked target keeps its place; the block follows it.
        {"marked target", {2, 4, 6}, 4, "0134265789"},
        {"marks out of range", {-1, 12}, 3, "0123456789"},
        {"target out of range", {1}, 10, "0123456789"},
    };
    for (const Case& c : cases) {
        TRecItems items;
        fill(items, 10);
        for (int m : c.marks)
            items.Mark(m);
        items.MoveMarked(c.target);
        EXPECT_EQ(titles(items), c.expected) << c.name;
        EXPECT_TRUE(items.Marks().empty()) << c.name;
        EXPECT_EQ(items.Count(), 10) << c.name;
    }
}

TEST(RecItems, CopyFromCopiesEveryFieldWithNewSerials) {
    TRecItems source;
    TRecItem* a = source.Add("Alpha", "2020/01/01 00:00:01");
    a->Values[3] = 120;
    a->Values[19] = 655;
    a->Style = 4;
    a->Kind = RecKind::GroupMember;
    a->FileName = "/data/datas/f.hst";
    a->ListName = "g";
    TRecItems target;
    target.Add("first", "k");
    target.CopyFrom(source);
    ASSERT_EQ(target.Count(), 2);
    const TRecItem* copy = target.Item(1);
    EXPECT_NE(copy, a);
    EXPECT_EQ(copy->Title, "Alpha");
    EXPECT_EQ(copy->Key, "2020/01/01 00:00:01");
    EXPECT_EQ(copy->Values, a->Values);
    EXPECT_EQ(copy->Style, 4);
    EXPECT_EQ(copy->Kind, RecKind::GroupMember);
    EXPECT_EQ(copy->FileName, "/data/datas/f.hst");
    EXPECT_EQ(copy->ListName, "g");
    EXPECT_EQ(copy->Serial, 1);
}

TEST(RecItems, SampleRangesFollowTheLevelCounts) {
    TRecItems items;
    items.SampleLevelCounts = {3, 0, 2};
    EXPECT_EQ(items.SampleCount(), 5);
    const int expected[][2] = {{0, 3}, {3, 3}, {3, 5}};
    for (int level = 0; level < 3; ++level) {
        EXPECT_EQ(items.SampleStart(level), expected[level][0]) << level;
        EXPECT_EQ(items.SampleEnd(level), expected[level][1]) << level;
    }
    // Levels outside 0..2 are clamped.
    EXPECT_EQ(items.SampleStart(-4), 0);
    EXPECT_EQ(items.SampleEnd(9), 5);
}

TEST(RecItems, HidingASampleTakesItFromItsLevelWhereverASortPutIt) {
    TRecItems items;
    const char* const lists[] = {"SampleL0", "SampleLightL1", "SampleL1", "Index", "G"};
    const std::uint8_t kinds[] = {RecKind::Sample, RecKind::Sample, RecKind::Sample,
                                  RecKind::Unassigned, RecKind::GroupMember};
    for (int i = 0; i < 5; ++i) {
        TRecItem* item = items.Add(QString::number(i), QStringLiteral("k%1").arg(i));
        item->ListName = QString::fromLatin1(lists[i]);
        item->Kind = kinds[i];
    }
    items.SampleLevelCounts = {1, 2, 0};
    items.Reorder({3, 1, 4, 0, 2}); // a sort moved the user's records among the samples
    items.Hide(0);                  // the unassigned record
    EXPECT_EQ(titles(items), "1402");
    EXPECT_EQ(items.SampleLevelCounts, (std::array<int, 3>{1, 2, 0}));
    items.Hide(0); // a level 1 sample from a light list
    EXPECT_EQ(items.SampleLevelCounts, (std::array<int, 3>{1, 1, 0}));
    items.Hide(1); // the level 0 sample
    EXPECT_EQ(items.SampleLevelCounts, (std::array<int, 3>{0, 1, 0}));
    items.Hide(5);
    EXPECT_EQ(titles(items), "42");
    EXPECT_EQ(items.SampleCount(), 1);
}

TEST(RecItems, GradeBoundsSkipFresAndStartAtTheirLimits) {
    TRecItems items;
    EXPECT_EQ(items.MaxGrade(), -20);
    EXPECT_EQ(items.MinGrade(), 10);
    TRecItem* a = items.Add("a", "ka");
    a->Values.fill(50);
    a->Values[19] = 900; // FRES is no grade
    a->Values[8] = 900;  // nor is a count
    EXPECT_EQ(items.MaxGrade(), 50);
    EXPECT_EQ(items.MinGrade(), 10);
    TRecItem* b = items.Add("b", "kb");
    b->Values.fill(60);
    b->Values[9] = 140; // PMJP
    b->Values[18] = -7; // ARI
    EXPECT_EQ(items.MaxGrade(), 140);
    EXPECT_EQ(items.MinGrade(), -7);
}

TEST(RecItem, StoredValuesAndTenthsByPosition) {
    TRecItem item;
    for (int i = 0; i < StoredValueCount; ++i)
        item.Values[static_cast<std::size_t>(i)] = 100 + i;
    EXPECT_EQ(item.Value(3), 103);
    EXPECT_EQ(item.Value(20), 0);
    EXPECT_EQ(item.Value(-1), 0);
    EXPECT_EQ(item.Tenths(0), 109);  // PMJP
    EXPECT_EQ(item.Tenths(10), 119); // FRES
    EXPECT_EQ(item.Counts().Letters, 108);
}

TEST(RecItem, DerivedMeasuresComeFromTheMeasurementFormulas) {
    TRecItem item;
    // 5 sentences, 6 clauses, 8 phrases, 100 words, 140 syllables, 70 one-syllable,
    // 9 long words, 230 consonants, 420 letters.
    item.Values = {5, 6, 8, 100, 140, 70, 9, 230, 420};
    const TTextCounts counts = item.Counts();
    const TRatios ratios = ComputeRatios(counts);
    const TStyleScores styles = ComputeStyleScores(ratios);
    for (int number = 22; number <= 32; ++number)
        EXPECT_EQ(item.Measure(number), ratios.byPosition(number)) << number;
    EXPECT_EQ(item.Measure(22), 20.0f); // WPS
    EXPECT_EQ(item.Measure(26), 9.0f);  // PSy3
    EXPECT_EQ(item.Measure(45), static_cast<float>(styles.dia));
    EXPECT_EQ(item.Measure(46), static_cast<float>(styles.com));
    EXPECT_EQ(item.Measure(47), static_cast<float>(styles.tec));
    EXPECT_EQ(item.Measure(48), static_cast<float>(styles.gen));
    for (int number : {0, 9, 20, 21, 33, 44, 49})
        EXPECT_EQ(item.Measure(number), 0.0f) << number;
}

TEST(RecItem, CivWithoutConsonantsUsesLetters) {
    TRecItem item;
    item.Values = {1, 1, 2, 10, 14, 6, 1, 0, 40};
    // (40 ms per syllable + 80 ms per letter) per phrase: (14 * 40 + 40 * 80) / 2 / 1000.
    EXPECT_FLOAT_EQ(item.Measure(28), 1.88f);
}

TEST(RecItem, TooLittleTextShowsZeroMeasures) {
    // Without a sentence or a word the formulas would score an empty text as all dialogue.
    const std::array<std::int32_t, StoredValueCount> records[] = {
        {0, 0, 0, 0, 0, 0, 0, 0, 0},
        {0, 1, 2, 10, 14, 6, 1, 20, 40},
        {3, 1, 2, 0, 0, 0, 0, 0, 0},
    };
    for (const auto& values : records) {
        TRecItem item;
        item.Values = values;
        for (int number : {22, 25, 28, 32, 45, 46, 47, 48})
            EXPECT_EQ(item.Measure(number), 0.0f) << number << " of " << values[0] << "/" << values[3];
    }
}

TEST(RecItem, FlyTakesItsValuesOverTheKeptOnes) {
    TRecItem item;
    item.Values = {5, 6, 8, 100, 140, 70, 9, 230, 420, 71, 72, 73, 74, 75, 76, 77, 78, 79, 80, 655};
    TTextCounts totals;
    totals.Sentences = 99;
    TWholeTextValues whole;
    whole.tenths.fill(-1);
    whole.ratios.LPW = 9.5f;
    PutRecordForFly(item, totals, whole);
    EXPECT_EQ(totals.Words, 100);
    EXPECT_EQ(totals.Sentences, 99);
    for (int f = 0; f < 10; ++f)
        EXPECT_EQ(whole.tenths[static_cast<std::size_t>(f)], 71 + f) << f;
    EXPECT_EQ(whole.tenths[10], -1); // FRES is not shown there
    EXPECT_EQ(whole.ratios.WPS, 20.0f);
    EXPECT_EQ(whole.ratios.CIV, item.Measure(28));
    EXPECT_EQ(whole.ratios.LPW, 9.5f);
    EXPECT_EQ(whole.styles.gen, static_cast<int>(item.Measure(48)));
}

} // namespace
} // namespace pelmar
