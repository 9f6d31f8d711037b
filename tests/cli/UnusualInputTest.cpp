#include "cli/CountCommand.h"
#include "desktop/MainWindowTexts.h"
#include "engine/Pelgine.h"
#include "measure/MeasureLines.h"
#include "platform/TextFile.h"
#include "storage/BuiltinWordData.h"

#include <gtest/gtest.h>

#include <sstream>

namespace pelmar {
namespace {

using namespace std::string_literals;

std::string runCount(const QStringList& arguments, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out, err;
    EXPECT_EQ(RunCountCommand(arguments, in, out, err), 0) << err.str();
    return out.str();
}

// What the window's copy command gives for a file opened in it: the whole file decoded into the
// input pane, the pane's lines measured, the output pane's text trimmed.
std::string windowCopy(const std::string& file, const TMeasureOptions& options) {
    static const auto wordData = LoadBuiltinWordData();
    TPelgine engine;
    engine.Dictionary = wordData.get();
    std::vector<std::string> lines = PaneLines(PaneTextOf(decodeTextFile(file)));
    TMeasureRequest request;
    request.options = &options;
    const TMeasurement m = MeasureLines(lines, engine, request);
    return ClipboardText(ResultPaneText(m.results)).toStdString();
}

// Input that real files carry: broken CP932 from old editors, marks and invisible characters
// from PDFs and web pages, control characters from binary files. The command line reads a file
// line by line and the window decodes it whole; both must see the same words and rows.
TEST(UnusualInput, CommandLineAndWindowSeeTheSameWordsAndRows) {
    const struct {
        const char* what;
        std::string file;
        std::string words; // --words, one word per line, its counts left out
        std::string rows;  // sent., phrase, words, letters
    } cases[] = {
        // Only the lead byte of a bad CP932 pair is lost; the byte after it is read on its own.
        {"bad pair before a letter", "\x85\x41", "A", "1\t1\t1\t1"},
        {"bad pair before a character", "\x61\x85\x82\x60\x62", "a Ab", "1\t1\t2\t3"},
        // Marks never stand alone, whatever their combining class.
        {"variation selector", "e\xEF\xB8\x8Fg", "eg", "1\t1\t1\t2"},
        {"enclosing circle", "x\xE2\x83\x9Dy", "xy", "1\t1\t1\t2"},
        // A zero-width no-break space vanishes in mid-line as at the start.
        {"BOM in mid-line", "\xEF\xBB\xBFwor\xEF\xBB\xBF" "d and\xEF\xBB\xBF more", "word and more",
         "1\t1\t3\t11"},
        // A NUL line is a line of a control character, not an empty one.
        {"NUL line", "Hello world\n\0\nBye."s, "Hello world Bye",
         "0\t1\t2\t10\n1\t0\t0\t0\n1\t1\t1\t3"},
        {"NUL inside a line", "one\0two.\n"s, "one two", "1\t1\t2\t6"},
    };
    TMeasureOptions options;
    options.resultDisplay.fill(false);
    for (int item : {display::Sentences, display::Phrases, display::Words, display::Letters})
        options.resultDisplay[static_cast<std::size_t>(item)] = true;
    const std::string header = "sent.\tphrase\twords\tletters\n";

    for (const auto& c : cases) {
        std::string words;
        std::istringstream listed(runCount({"--words"}, c.file));
        for (std::string line; std::getline(listed, line);) {
            if (!words.empty())
                words += ' ';
            words.append(line, 0, line.find('\t'));
        }
        EXPECT_EQ(words, c.words) << c.what;

        const std::string printed = runCount({"--show", "sent,phrase,words,letters"}, c.file);
        EXPECT_EQ(printed, header + c.rows + "\n") << c.what;
        EXPECT_EQ(windowCopy(c.file, options) + "\n", printed) << c.what;
    }
}

} // namespace
} // namespace pelmar
