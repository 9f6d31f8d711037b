#include "tools/manual/ExampleHistory.h"

#include "history/HistoryFolders.h"
#include "history/HistoryStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace pelmar::manual {
namespace {

using namespace Qt::StringLiterals;

class ExampleHistory : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_examples.isValid());
        ASSERT_TRUE(m_data.isValid());
        writeFile(u"a.txt"_s, "The cat sat on the mat. It was happy.\n");
        writeFile(u"b.txt"_s, "Dogs bark.\nBirds sing in the morning.\n");
    }
    void writeFile(const QString& name, const QByteArray& text) {
        QFile file(m_examples.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QString run(const QByteArray& script) {
        writeFile(u"history.txt"_s, script);
        return WriteExampleHistory(m_examples.filePath(u"history.txt"_s), m_examples.path(),
                                   m_data.filePath(u"data"_s));
    }
    QString dataFolder() const { return m_data.filePath(u"data"_s); }

    QTemporaryDir m_examples;
    QTemporaryDir m_data;
};

TEST_F(ExampleHistory, SavesAtTheGivenTimesAndFilesGroupsAsTheWindowWould) {
    ASSERT_EQ(run("# a teacher's spring\n"
                  "save\t2025/04/14 09:10:00\tFirst\ta.txt\n"
                  "\n"
                  "folder\t2025年度\n"
                  "group\t2025年度\t1学期\n"
                  "save\t2025/09/08 10:00:00\tSecond\tb.txt\n"),
              QString());

    TRecItems unassigned;
    THistoryView view;
    view.samples = SampleDisplay::None;
    ASSERT_TRUE(ReloadHistory(unassigned, dataFolder(), view, false).ok);
    ASSERT_EQ(unassigned.Count(), 1);
    EXPECT_EQ(unassigned.Item(0)->Title, u"Second"_s);
    EXPECT_EQ(unassigned.Item(0)->Key, u"2025/09/08 10:00:00"_s);
    EXPECT_EQ(unassigned.Item(0)->Value(3), 7); // words, as pelmar-count counts them
    EXPECT_TRUE(QFile::exists(SavedTextFile(dataFolder(), unassigned.Item(0)->Key)));

    const THistoryFolderList folders = ListHistoryFolders(dataFolder());
    ASSERT_EQ(folders.folders.size(), 1u);
    EXPECT_EQ(folders.folders[0].name, u"2025年度"_s);
    EXPECT_EQ(folders.folders[0].groups, QStringList{u"1学期"_s});
}

TEST_F(ExampleHistory, AFaultNamesTheScriptLine) {
    struct Case {
        const char* script;
        const char* error;
    };
    const Case cases[] = {
        {"save\t2025/04/14\tNo time\ta.txt\n", "history.txt:1: the time '2025/04/14'"},
        {"\nsave\t2025/04/14 09:00:00\tMissing\tnone.txt\n", "history.txt:2: none.txt cannot be read"},
        {"save\t2025/04/14 09:00:00\tOne\ta.txt\nsave\t2025/04/14 09:00:00\tTwo\tb.txt\n",
         "history.txt:2: the time 2025/04/14 09:00:00 is taken"},
        {"folder\ta/b\n", "history.txt:1: a/b には 使えない記号が入っています"},
        {"group\tnowhere\tg\n", "history.txt:1: no folder 'nowhere'"},
        {"delete\tall\n", "history.txt:1: not a line this script knows"},
    };
    for (const Case& c : cases) {
        QDir(dataFolder()).removeRecursively();
        const QString error = run(c.script);
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(c.error))) << c.script << " gave " << error.toStdString();
    }
}

} // namespace
} // namespace pelmar::manual
