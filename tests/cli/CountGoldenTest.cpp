#include "cli/CountCommand.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace pelmar {
namespace {

// Outputs pinned from a known-good build, so that work on speed cannot change a byte of what
// the command prints. The input text gathers what is easy to get wrong across line breaks: open
// sentences closed or continued by the next line, hyphenated words at line ends, blank and
// whitespace-only lines, abbreviations, full-width and accented text, a last line without a
// full stop. The batch mixes CRLF, CP932 and an open last sentence.
const std::string Data = PELMAR_TEST_DATA "/cli/";

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string runCommand(QStringList arguments) {
    std::istringstream in;
    std::ostringstream out, err;
    const int status = RunCountCommand(arguments, in, out, err);
    EXPECT_EQ(status, 0) << err.str();
    return out.str();
}

QStringList inData(std::initializer_list<const char*> names) {
    QStringList paths;
    for (const char* name : names)
        paths << QString::fromStdString(Data + name);
    return paths;
}

struct GoldenCase {
    const char* name;
    QStringList options;
    bool batch;
};

const GoldenCase kCases[] = {
    {"default", {}, false},
    {"full-all", {"--view", "full", "--index", "all"}, false},
    {"readability-all", {"--view", "readability", "--index", "all"}, false},
    {"full-all-c1", {"--view", "full", "--index", "all", "--condition", "1"}, false},
    {"full-all-c2", {"--view", "full", "--index", "all", "--condition", "2"}, false},
    {"full-all-c3", {"--view", "full", "--index", "all", "--condition", "3"}, false},
    {"full-all-c4", {"--view", "full", "--index", "all", "--condition", "4"}, false},
    {"full-all-c5", {"--view", "full", "--index", "all", "--condition", "5"}, false},
    {"full-all-c1-2-3-4-5",
     {"--view", "full", "--index", "all", "--condition", "1", "--condition", "2", "--condition",
      "3", "--condition", "4", "--condition", "5"},
     false},
    {"json", {"--json"}, false},
    {"json-c4", {"--json", "--condition", "4"}, false},
    {"words", {"--words"}, false},
    {"batch-full-all", {"--view", "full", "--index", "all"}, true},
    {"batch-json", {"--json"}, true},
};

TEST(CountGolden, OutputsMatchThePinnedFilesForOneJobAndMany) {
    for (const GoldenCase& c : kCases) {
        const std::string expected = readFile(Data + "golden/" + c.name + ".out");
        ASSERT_FALSE(expected.empty()) << c.name;
        const QStringList files = c.batch ? inData({"batch-a.txt", "batch-b.txt", "batch-c.txt"})
                                          : inData({"measure-input.txt"});
        for (const char* jobs : {"1", "2", "3"}) {
            const QStringList arguments = c.options + QStringList{"--jobs", jobs} + files;
            EXPECT_EQ(runCommand(arguments), expected) << c.name << " with --jobs " << jobs;
        }
    }
}

} // namespace
} // namespace pelmar
