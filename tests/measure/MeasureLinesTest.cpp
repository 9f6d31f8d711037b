#include "engine/Pelgine.h"
#include "measure/MeasureLines.h"
#include "storage/BuiltinWordData.h"

#include <gtest/gtest.h>

namespace pelmar {
namespace {

using Lines = std::vector<std::string>;

class MeasureLinesTest : public testing::Test {
protected:
    TMeasurement measure(Lines lines, const MeasureProgress& progress = {}) {
        TMeasureRequest request;
        request.options = &options;
        request.keepLineCounts = true;
        request.progress = progress;
        request.batch = batch;
        last = std::move(lines);
        return MeasureLines(last, engine(), request);
    }
    std::vector<int> sentences(const TMeasurement& m) {
        std::vector<int> out;
        for (const auto& line : m.lines)
            out.push_back(line.Sentences);
        return out;
    }
    static TPelgine& engine() {
        static const auto data = LoadBuiltinWordData();
        static TPelgine e;
        e.Dictionary = data.get();
        return e;
    }
    TMeasureOptions options;
    TBatchContext batch;
    Lines last;
};

TEST_F(MeasureLinesTest, OpenSentencesContinueOrCloseAcrossLineBreaks) {
    // The "." before a lower-case word ends nothing, and a next line starting with a letter
    // continues the sentence, which is counted where it ends.
    auto m = measure({"one. two", "three."});
    EXPECT_EQ(sentences(m), (std::vector<int>{0, 1}));
    EXPECT_EQ(m.totals.Sentences, 1);

    // Punctuation that opens the next line closes what the line before left open.
    m = measure({"Hello world", ". Next."});
    EXPECT_EQ(sentences(m), (std::vector<int>{1, 1}));
    EXPECT_EQ(m.lines[0].Clauses, 1);
    EXPECT_EQ(m.lines[0].Phrases, 1);

    // The last line counts its open sentence, clause and phrase.
    m = measure({"No full stop here"});
    EXPECT_EQ(m.totals.Sentences, 1);
    EXPECT_EQ(m.totals.Clauses, 1);
    EXPECT_EQ(m.totals.Phrases, 1);
}

TEST_F(MeasureLinesTest, LineBreakCondition) {
    options.conditions[condition::LineBreakEnds] = true;
    const auto m = measure({"Hello world", ". Next.", "one. two", "three."});
    EXPECT_EQ(sentences(m), (std::vector<int>{1, 1, 1, 1}));
}

TEST_F(MeasureLinesTest, SemicolonEndsASentenceUnlessConditionFive) {
    auto m = measure({"a; b."});
    EXPECT_EQ(m.lines[0].Sentences, 2);
    options.conditions[condition::SemicolonKeeps] = true;
    m = measure({"a; b."});
    EXPECT_EQ(m.lines[0].Sentences, 1);
    EXPECT_EQ(m.lines[0].Clauses, 2);
}

TEST_F(MeasureLinesTest, HyphenatedLineEndJoinsTheWord) {
    const auto m = measure({"infor-", "mation is here", "end-", "  two"});
    EXPECT_EQ(m.lines[0].Words, 1);
    EXPECT_EQ(m.lines[0].Letters, 11); // "information"
    EXPECT_EQ(m.lines[1].Words, 2);    // the rest after the joined word
    EXPECT_EQ(m.lines[2].Letters, 6);
    EXPECT_EQ(m.lines[3].Words, 0); // a one-word line is taken whole and becomes blank

    // Not joined: no letter before the hyphen, or the next line does not start with one.
    const auto n = measure({"3-", "x y", "ab-", "1 c"});
    EXPECT_EQ(n.totals.Words, 6);

    // A one-word line that gave its word to the line before has nothing left to join with: in
    // "a-" / "b-" / "c-" / "d e", only the first and third lines join.
    const auto chain = measure({"a-", "b-", "c-", "d e"});
    std::vector<int> letters;
    for (const auto& line : chain.lines)
        letters.push_back(line.Letters);
    EXPECT_EQ(letters, (std::vector<int>{2, 0, 2, 1}));
}

TEST_F(MeasureLinesTest, BlankLineCarriesOnlyThePendingUnits) {
    const auto m = measure({"One. Two", "", "Three."});
    ASSERT_EQ(m.lines.size(), 3u);
    EXPECT_EQ(m.lines[0].Sentences, 1);
    EXPECT_EQ(m.lines[1].Sentences, 1); // only the pending sentence, not line 1's again
    EXPECT_EQ(m.lines[1].Clauses, 1);
    EXPECT_EQ(m.lines[1].Words, 0);
    EXPECT_EQ(m.totals.Sentences, 3);
    EXPECT_EQ(m.totals.Words, 3);
}

// A line of nothing but a NUL is a line like one of any other control character: the look-ahead
// of the line before finds a character there (so the open phrase closes on that line), and
// trimmed it is a blank line that carries the pending sentence.
TEST_F(MeasureLinesTest, ALineOfOnlyANulIsLikeAnyOtherControlCharacter) {
    for (const char control : {'\0', '\x01', '\t'}) {
        const auto m = measure({"Hello world", std::string(1, control), "Bye."});
        std::vector<std::pair<int, int>> rows;
        for (const auto& line : m.lines)
            rows.emplace_back(line.Sentences, line.Phrases);
        EXPECT_EQ(rows, (std::vector<std::pair<int, int>>{{0, 1}, {1, 0}, {1, 1}}))
            << "control character " << int(control);
    }
}

TEST_F(MeasureLinesTest, BlankLinesPassedToTheEngine) {
    options.conditions[condition::BlankLinesPassed] = true;
    // Followed only by blank lines, which close nothing here: counted at its own line.
    auto m = measure({"Hello world", "", " "});
    EXPECT_EQ(sentences(m), (std::vector<int>{1, 0, 0}));
    // A blank line between: the open sentence goes on into the next paragraph.
    m = measure({"Hello world", "", "Bye."});
    EXPECT_EQ(m.totals.Sentences, 1);
}

TEST_F(MeasureLinesTest, HyphenAndLowerCaseConditionsReachTheEngine) {
    options.conditions[condition::HyphenJoins] = true;
    EXPECT_EQ(measure({"well-known fact"}).totals.Words, 2);
    options.conditions[condition::HyphenJoins] = false;
    EXPECT_EQ(measure({"well-known fact"}).totals.Words, 3);
    EXPECT_EQ(measure({"I ate.a lot."}).totals.Sentences, 1);
    options.conditions[condition::LowerStart] = true;
    EXPECT_EQ(measure({"I ate.a lot."}).totals.Sentences, 2);
}

TEST_F(MeasureLinesTest, StopEndsWithCanceledAndNoTotals) {
    options.resultDisplay[display::Total] = true;
    int calls = 0;
    const auto m = measure({"One.", "Two.", "Three."}, [&](int line, long long) {
        ++calls;
        return line < 1;
    });
    EXPECT_TRUE(m.canceled);
    EXPECT_EQ(calls, 2);
    ASSERT_EQ(m.results.size(), 4u); // header, two rows, CANCELED
    EXPECT_EQ(m.results.back(), "CANCELED");
}

TEST_F(MeasureLinesTest, DefaultResultText) {
    const auto m = measure({"Hello world.", "I am here."});
    EXPECT_EQ(m.results, (ResultLines{"words\tsylla.\tcons.\tletters", "2\t3\t6\t10", "3\t3\t3\t7"}));
}

TEST_F(MeasureLinesTest, LineWithoutWordsShowsDashesUnderIndexColumns) {
    options.readability[0] = options.readability[2] = true; // PMJP, FKGL
    options.resultDisplay[display::No] = true;
    const auto m = measure({"...", "Hello world."});
    ASSERT_EQ(m.results.size(), 3u);
    EXPECT_EQ(m.results[0], "No\twords\tsylla.\tcons.\tletters\tPMJP\tFKGL");
    EXPECT_EQ(m.results[1], "1\t0\t0\t0\t0\t-\t-");
    EXPECT_EQ(m.results[2].substr(0, 11), "2\t2\t3\t6\t10\t");
}

TEST_F(MeasureLinesTest, TotalSectionSummaryAndLegend) {
    options.resultDisplay.fill(false);
    options.resultDisplay[display::Total] = true;
    options.resultDisplay[display::Summary] = true;
    options.resultDisplay[display::Legend] = true;
    options.readability[10] = true; // FRES
    auto m = measure({"The cat sat. It ran; we hid."});
    const ResultLines& r = m.results;
    ASSERT_GE(r.size(), 15u);
    EXPECT_EQ(r[0], "FRES"); // an index column needs no display item
    EXPECT_EQ(r[2], "No\tsent.\tphrase\twords\tsylla.\t1 syl\t3+syl\tconsonants\tletters");
    EXPECT_EQ(r[3], "total\t3\t3\t7\t7\t7\t0\t11\t19");
    EXPECT_EQ(r[4], "");
    EXPECT_EQ(r[5], "Sentence Count\t3");
    EXPECT_EQ(r[6], "Phrase Count\t3");
    EXPECT_EQ(r[13], "");
    EXPECT_EQ(r[14], "Words Per Sentence\t2.33");
    EXPECT_EQ(r[15], "Words Per Phrase\t2.33");
    const auto fres = std::find_if(r.begin(), r.end(), [](const std::string& l) {
        return l.rfind("Flesch Reading Ease score\t", 0) == 0;
    });
    EXPECT_NE(fres, r.end());
    const auto legend = std::find(r.begin(), r.end(), "sent\tSentence Count");
    ASSERT_NE(legend, r.end());
    EXPECT_EQ(*(legend + 1), "phra\tPhrase Count"); // no clause line without condition 5
    EXPECT_EQ(r.back(), "FRES\tFlesch Reading Ease score");
    EXPECT_EQ(r.end() - legend, 8 + 11);

    options.conditions[condition::SemicolonKeeps] = true;
    m = measure({"The cat sat. It ran; we hid."});
    EXPECT_EQ(m.results[2], "No\tsent.\tclau.\tphrase\twords\tsylla.\t1 syl\t3+syl\tconsonants\tletters");
    EXPECT_EQ(m.results[3], "total\t2\t3\t3\t7\t7\t7\t0\t11\t19");
    EXPECT_NE(std::find(m.results.begin(), m.results.end(), "Clause Count\t3"), m.results.end());
    EXPECT_NE(std::find(m.results.begin(), m.results.end(), "clau\tClause Count"), m.results.end());
}

TEST_F(MeasureLinesTest, NoSentenceMeansNoSummaryAndZeroWholeText) {
    options.resultDisplay[display::Summary] = true;
    const auto m = measure({"..."});
    EXPECT_EQ(m.whole.tenths, (std::array<std::int32_t, IndexCount>{}));
    EXPECT_EQ(m.whole.styles.gen, 0);
    EXPECT_EQ(m.results.size(), 2u); // header and the row only
}

TEST_F(MeasureLinesTest, BatchWritesOnlyTheFilesRow) {
    options.resultDisplay.fill(false);
    options.resultDisplay[display::Total] = true;
    options.resultDisplay[display::Summary] = true;
    options.readability[2] = true; // FKGL
    batch = {true, true, false, "first"};
    auto m = measure({"The cat sat."});
    ASSERT_EQ(m.results.size(), 2u);
    // Untrimmed: the kept TAB leaves an empty cell before the index columns.
    EXPECT_EQ(m.results[0], "No\tsent.\tphrase\twords\tsylla.\t1 syl\t3+syl\tconsonants\tletters\t\tFKGL");
    EXPECT_EQ(m.results[1].substr(0, 23), "first\t1\t1\t3\t3\t3\t0\t5\t9\t\t");
    batch.first = false;
    m = measure({"..."});
    EXPECT_EQ(m.results, (ResultLines{"first\t0\t0\t0\t0\t0\t0\t0\t0\t"})); // no sentence: no index cell
}

} // namespace
} // namespace pelmar
