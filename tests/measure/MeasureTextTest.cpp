#include "engine/Pelgine.h"
#include "measure/ListWords.h"
#include "measure/MeasureLines.h"
#include "measure/MeasureText.h"
#include "measure/ResultText.h"
#include "platform/Cp932.h"
#include "storage/BuiltinWordData.h"

#include <gtest/gtest.h>

#include <charconv>
#include <random>

namespace pelmar {
namespace {

using namespace std::string_literals;

const TDataFile* wordData() {
    static const auto data = LoadBuiltinWordData();
    return data.get();
}

// Lines that tie into their neighbours: sentences left open and closed by the next line's
// punctuation, words hyphenated over the line end (and one-word lines that give their word
// away), blank, white and control-character lines, text that needs converting.
const char* const kPieces[] = {
    "The teacher said that", "the class was over.", ". Nobody answered.", "; and then",
    "! Nobody moved", "? Why not", ", then they laughed", "It was an infor-", "mation session",
    "well-", "known speakers", "a-", "b-", "c-", "d e", "end-", "  two people", "3-", "ab-",
    "1 c", "", "   ", "\t", "...", "Mr. Smith came in", "U.S.A. is big; we stayed.",
    "Stop!Now we go", "\"Come back!\" he said", "A last line without a full stop",
    "caf\xC3\xA9 na\xC3\xAFve \xE2\x80\x9Cquoted\xE2\x80\x9D", "\xE6\x97\xA5\xE6\x9C\xAC",
    "\xEF\xBC\xA8\xEF\xBD\x85\xEF\xBD\x8C\xEF\xBD\x8C\xEF\xBD\x8F\xEF\xBC\x8E",
};
const char* const kLineEnds[] = {"\n", "\r\n", "\r", "\n", "\n"};

std::string randomText(std::mt19937& rng, std::size_t lines) {
    std::string text;
    for (std::size_t i = 0; i < lines; ++i) {
        if (rng() % 40 == 0)
            text += '\0'; // a NUL line, or a NUL that joins the next piece
        else
            text += kPieces[rng() % std::size(kPieces)];
        if (i + 1 < lines || rng() % 2)
            text += kLineEnds[rng() % std::size(kLineEnds)];
    }
    return text;
}

// Every count and open flag of a line, so that rows compare all of them.
void appendAllCounts(std::string& out, std::size_t number, const TTextCounts& c) {
    char buffer[24];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, number).ptr);
    for (int k = 0; k < 9; ++k) {
        out += ' ';
        out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, c.count(k)).ptr);
    }
    out += c.OpenSentence ? " S" : " -";
    out += c.OpenClause ? "C" : "-";
    out += c.OpenPhrase ? "P\n" : "-\n";
}

struct Outcome {
    std::string rows;
    TTextCounts totals;
    TWholeTextValues whole;
};

Outcome byLines(const std::string& file, const TMeasureOptions& options) {
    TPelgine engine;
    engine.Dictionary = wordData();
    TMeasureRequest request;
    request.options = &options;
    request.keepLineCounts = true;
    const TMeasurement m = MeasureLines(textFileLines(file), engine, request);
    Outcome outcome{{}, m.totals, m.whole};
    for (std::size_t i = 0; i < m.lines.size(); ++i)
        appendAllCounts(outcome.rows, i + 1, m.lines[i]);
    return outcome;
}

Outcome byBlocks(const std::string& file, const TMeasureOptions& options, int jobs,
                 std::size_t blockSize) {
    const TextEncoding encoding = detectTextEncoding(file);
    Outcome outcome;
    TTextRequest request;
    request.options = &options;
    request.wordData = wordData();
    request.jobs = jobs;
    request.blockSize = blockSize;
    request.row = appendAllCounts;
    request.write = [&](std::string_view piece) { outcome.rows += piece; };
    const TTextResult result = MeasureText(textFileBody(file, encoding), encoding, request);
    outcome.totals = result.totals;
    outcome.whole = result.whole;
    return outcome;
}

void expectSame(const Outcome& a, const Outcome& b, const std::string& what) {
    EXPECT_EQ(a.rows, b.rows) << what;
    for (int k = 0; k < 9; ++k)
        EXPECT_EQ(a.totals.count(k), b.totals.count(k)) << what << " total " << k;
    EXPECT_EQ(a.whole.tenths, b.whole.tenths) << what;
}

// Measured in blocks on several threads, with block edges at every line, a text gives exactly
// the counts of the plain line-by-line run, under every condition.
TEST(MeasureText, BlocksOnManyThreadsCountAsOneRun) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 60; ++round) {
        std::string file = randomText(rng, 1 + rng() % 60);
        if (round % 5 == 4)
            file = toCp932(QString::fromUtf8(file.data(), static_cast<qsizetype>(file.size())));
        TMeasureOptions options;
        options.readability.fill(true);
        if (round % 7 != 0)
            options.conditions[static_cast<std::size_t>(round % condition::Count)] = true;
        if (round % 11 == 0)
            options.conditions.fill(true);
        const Outcome expected = byLines(file, options);
        for (int jobs : {1, 2, 3}) {
            for (std::size_t blockSize : {std::size_t{1}, std::size_t{9}, std::size_t{70}, TextBlockSize})
                expectSame(expected, byBlocks(file, options, jobs, blockSize),
                           testing::PrintToString(file) + " jobs " + std::to_string(jobs) +
                               " block " + std::to_string(blockSize));
        }
    }
}

// A long chain of one-word hyphenated lines: which of them join depends on every line before,
// across any number of blocks.
TEST(MeasureText, HyphenChainsAcrossManyBlocks) {
    std::string file;
    for (int i = 0; i < 3000; ++i)
        file += i % 997 == 0 ? "two words-\n" : "w-\n";
    file += "end here.\n";
    const TMeasureOptions options;
    const Outcome expected = byLines(file, options);
    for (int jobs : {1, 3})
        expectSame(expected, byBlocks(file, options, jobs, 1), "jobs " + std::to_string(jobs));
}

// The word listing in blocks is the listing line by line.
TEST(MeasureText, WordListingInBlocksIsTheListingLineByLine) {
    std::mt19937 rng(77);
    const std::string file = randomText(rng, 400);
    std::string expected;
    TPelgine engine;
    engine.Dictionary = wordData();
    engine.OnWordClosed = [&](std::string_view word, int syllables, int consonants) {
        expected += std::string(word) + '\t' + std::to_string(syllables) + '\t' +
                    std::to_string(consonants) + '\n';
    };
    for (const std::string& line : textFileLines(file)) {
        engine.Clear();
        engine.Text = line;
        engine.Analyze();
    }
    const TextEncoding encoding = detectTextEncoding(file);
    for (int jobs : {1, 2, 3}) {
        std::string listed;
        ListWords(textFileBody(file, encoding), encoding, wordData(), jobs,
                  [&](std::string_view piece) { listed += piece; }, 50);
        EXPECT_EQ(listed, expected) << "jobs " << jobs;
    }
}

TEST(MeasureText, TextHasContentOnlyWithSomethingBeyondBlanks) {
    EXPECT_FALSE(TextHasContent("", TextEncoding::Utf8));
    EXPECT_FALSE(TextHasContent(" \r\n\t\n\0\n"s, TextEncoding::Utf8));
    // A no-break space and a BOM read as a blank and as nothing.
    EXPECT_FALSE(TextHasContent("\xC2\xA0\n\xEF\xBB\xBF", TextEncoding::Utf8));
    EXPECT_TRUE(TextHasContent("\n\n  x", TextEncoding::Utf8));
    EXPECT_TRUE(TextHasContent("\x82\x60", TextEncoding::Cp932));
}

} // namespace
} // namespace pelmar
