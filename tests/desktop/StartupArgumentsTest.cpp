#include "desktop/StartupArguments.h"

#include <gtest/gtest.h>

namespace pelmar {
namespace {

using namespace Qt::StringLiterals;
using Kind = TStartupRequest::Kind;

struct ArgumentsCase {
    const char* name;
    QStringList arguments;
    Kind kind;
    QStringList files;
};

TEST(StartupArguments, FilesAreMadeAbsoluteAndOptionsRecognised) {
    const QString here = u"/home/teacher/texts"_s;
    const ArgumentsCase cases[] = {
        {"nothing", {}, Kind::Run, {}},
        {"relative file", {u"lesson.txt"_s}, Kind::Run, {u"/home/teacher/texts/lesson.txt"_s}},
        {"parent folder", {u"../b.txt"_s}, Kind::Run, {u"/home/teacher/b.txt"_s}},
        {"absolute file", {u"/tmp/a.txt"_s}, Kind::Run, {u"/tmp/a.txt"_s}},
        {"file URL with an escaped blank", {u"file:///tmp/my%20text.txt"_s}, Kind::Run,
         {u"/tmp/my text.txt"_s}},
        // Several files reach the window, which refuses them with its one-file message.
        {"two files", {u"a.txt"_s, u"b.txt"_s}, Kind::Run,
         {u"/home/teacher/texts/a.txt"_s, u"/home/teacher/texts/b.txt"_s}},
        {"a name starting with a dash after --", {u"--"_s, u"-notes.txt"_s}, Kind::Run,
         {u"/home/teacher/texts/-notes.txt"_s}},
        {"an empty argument is no file", {u""_s}, Kind::Run, {}},
        {"help", {u"--help"_s}, Kind::Help, {}},
        {"short help beside a file", {u"a.txt"_s, u"-h"_s}, Kind::Help, {}},
        {"version", {u"--version"_s}, Kind::Version, {}},
        {"help wins over version", {u"-v"_s, u"--help"_s}, Kind::Help, {}},
        {"--help after -- is a file", {u"--"_s, u"--help"_s}, Kind::Run,
         {u"/home/teacher/texts/--help"_s}},
        {"unknown option", {u"--fast"_s, u"a.txt"_s}, Kind::Error, {}},
        {"lone dash", {u"-"_s}, Kind::Error, {}},
    };
    for (const ArgumentsCase& c : cases) {
        const TStartupRequest request = ParseStartupArguments(c.arguments, here);
        EXPECT_EQ(request.kind, c.kind) << c.name;
        EXPECT_EQ(request.files, c.files) << c.name;
        EXPECT_EQ(request.error.isEmpty(), c.kind != Kind::Error) << c.name;
    }
}

TEST(StartupArguments, HelpAndVersionAreAnsweredWithoutAWindow) {
    EXPECT_TRUE(AsksForTextOnly({u"a.txt"_s, u"--version"_s}));
    EXPECT_TRUE(AsksForTextOnly({u"-h"_s}));
    EXPECT_FALSE(AsksForTextOnly({u"a.txt"_s}));
    // Qt's own options are left for the window system to take.
    EXPECT_FALSE(AsksForTextOnly({u"-platform"_s, u"offscreen"_s}));
    EXPECT_FALSE(AsksForTextOnly({u"--"_s, u"--help"_s}));

    EXPECT_EQ(ParseStartupArguments({u"--bad"_s}, u"/"_s).error, u"unknown option '--bad'"_s);
    EXPECT_TRUE(StartupHelpText(u"pelmar"_s).startsWith(u"Usage: pelmar [options] [FILE]\n"_s));
    EXPECT_EQ(StartupVersionText(u"pelmar"_s, u"1.2.3"_s), u"pelmar 1.2.3\n"_s);
}

} // namespace
} // namespace pelmar
