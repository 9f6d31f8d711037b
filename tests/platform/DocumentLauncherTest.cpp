#include "platform/DocumentLauncher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace pelmar {
namespace {

using namespace Qt::StringLiterals;

void writeFile(const QString& path, const QByteArray& bytes, bool executable = false) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    if (executable)
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Replaces PATH with one folder of fake programs for the life of the object.
class FakePath {
public:
    FakePath() : m_saved(qgetenv("PATH")) {
        EXPECT_TRUE(m_dir.isValid());
        qputenv("PATH", QFile::encodeName(m_dir.path()));
    }
    ~FakePath() { qputenv("PATH", m_saved); }
    QString add(const QString& program) {
        const QString path = m_dir.filePath(program);
        writeFile(path, "#!/bin/sh\n", true);
        return path;
    }

private:
    QByteArray m_saved;
    QTemporaryDir m_dir;
};

struct Recorder {
    QStringList messages;
    QList<QPair<QString, QStringList>> started;
    QList<QUrl> opened;
    bool desktopAnswers = true;
    TLauncherHooks hooks() {
        TLauncherHooks h;
        h.message = [this](const QString& text) { messages << text; };
        h.start = [this](const QString& program, const QStringList& arguments) {
            started.append({program, arguments});
            return true;
        };
        h.openWithDesktop = [this](const QUrl& url) {
            opened << url;
            return desktopAnswers;
        };
        return h;
    }
};

TEST(FindBrowser, TakesTheKnownBrowsersInTheirOrderFromPath) {
    FakePath path;
    EXPECT_EQ(FindBrowser(u"/x/pelmar.pdf"_s), QString());
    // A file that cannot be run is no browser.
    writeFile(QDir(qEnvironmentVariable("PATH")).filePath(u"google-chrome"_s), "x");
    EXPECT_EQ(FindBrowser(u"/x/pelmar.pdf"_s), QString());

    const QString opera = path.add(u"opera"_s);
    EXPECT_EQ(FindBrowser(u"/x/pelmar.pdf"_s), opera);
    const QString firefox = path.add(u"firefox-esr"_s);
    EXPECT_EQ(FindBrowser(u"/x/pelmar.pdf"_s), firefox);
    const QString chromium = path.add(u"chromium"_s);
    EXPECT_EQ(FindBrowser(u"/x/pelmar.pdf"_s), chromium);
    QFile::remove(QDir(qEnvironmentVariable("PATH")).filePath(u"google-chrome"_s));
    const QString chrome = path.add(u"google-chrome"_s);
    EXPECT_EQ(FindBrowser(u"/x/pelmar.pdf"_s), chrome);
    // A name that differs in letter case only is another program.
    FakePath other;
    other.add(u"Firefox"_s);
    EXPECT_EQ(FindBrowser(u"/x/pelmar.pdf"_s), QString());
}

TEST(HtmlTitle, OneLineMultiLineAndMissing) {
    struct Case {
        QStringList lines;
        QString title;
    } cases[] = {
        {{u"<html><head><TITLE>Pelmar help</Title></head>"_s}, u"Pelmar help"_s},
        {{u"<title>First"_s, u"  Middle  "_s, u"Last</title>"_s}, u"First Middle Last"_s},
        {{u"<title>First"_s, u""_s, u"   "_s, u" Middle"_s, u"  Last </title>"_s},
         u"First Middle Last"_s},
        // The text after the opening tag is kept as it stands.
        {{u"<p><title> A "_s, u"B</title>"_s}, u" A  B"_s},
        {{u"<head>"_s, u"<title></title>"_s}, QString()},
        {{u"<title>never closed"_s, u"more"_s}, QString()},
        {{u"</title> before <title>"_s}, QString()},
        {{u"no title at all"_s}, QString()},
        {{}, QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HtmlTitle(c.lines), c.title) << c.lines.join(u'|').toStdString();
}

TEST(HtmlTitle, ReadsTheFileInEitherEncoding) {
    QTemporaryDir dir;
    const QString utf8 = dir.filePath(u"a.html"_s);
    writeFile(utf8, "<title>\xE8\xAA\xAC\xE6\x98\x8E\r\n page</title>\r\n");
    EXPECT_EQ(DocumentTitle(utf8), u"説明 page"_s);
    const QString cp932 = dir.filePath(u"b.html"_s);
    writeFile(cp932, "<title>\x90\xE0\x96\xBE</title>");
    EXPECT_EQ(DocumentTitle(cp932), u"説明"_s);
    EXPECT_EQ(DocumentTitle(dir.filePath(u"missing.html"_s)), QString());
}

TEST(DocumentParameter, AnAnchorPrefersItsOwnPage) {
    QTemporaryDir dir;
    const QString page = dir.filePath(u"help.html"_s);
    writeFile(page, "<title>Help</title>");
    EXPECT_EQ(DocumentParameter(page, QString()), page);
    EXPECT_EQ(DocumentParameter(page, u"  "_s), page);
    EXPECT_EQ(DocumentParameter(page, u"intro"_s), page + u"#intro"_s);
    EXPECT_EQ(DocumentUrl(page, u"intro"_s).fragment(), u"intro"_s);
    EXPECT_EQ(DocumentUrl(page, u"intro"_s).toLocalFile(), page);

    const QString split = dir.filePath(u"help_intro.html"_s);
    writeFile(split, "<title>Intro</title>");
    EXPECT_EQ(DocumentParameter(page, u"intro"_s), split);
    EXPECT_EQ(DocumentUrl(page, u"intro"_s), QUrl::fromLocalFile(split));
}

TEST(OpenDocument, MissingFileIsReportedAndNothingStarts) {
    FakePath path;
    path.add(u"firefox"_s);
    Recorder r;
    EXPECT_FALSE(OpenDocument(u"/nowhere/pelmar.pdf"_s, QString(), r.hooks()));
    EXPECT_EQ(r.messages, QStringList{u"ファイルがありません\r\n\r\n/nowhere/pelmar.pdf"_s});
    EXPECT_TRUE(r.started.isEmpty());
    EXPECT_TRUE(r.opened.isEmpty());
}

TEST(OpenDocument, KnownBrowserFirstThenTheDesktop) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"pelmar.pdf"_s);
    writeFile(pdf, "%PDF-1.4\n");
    FakePath path;
    {
        Recorder r;
        EXPECT_TRUE(OpenDocument(pdf, QString(), r.hooks()));
        EXPECT_TRUE(r.started.isEmpty());
        EXPECT_EQ(r.opened, QList<QUrl>{QUrl::fromLocalFile(pdf)});
    }
    {
        Recorder r;
        r.desktopAnswers = false;
        EXPECT_FALSE(OpenDocument(pdf, QString(), r.hooks()));
        EXPECT_EQ(r.messages,
                  QStringList{u"pelmar.pdf\r\n\r\nこのファイルを開けるアプリケーションがありません"_s});
    }
    const QString firefox = path.add(u"firefox"_s);
    // A PDF has no title: no window is asked to close even with wmctrl at hand.
    path.add(u"wmctrl"_s);
    Recorder r;
    EXPECT_TRUE(OpenDocument(pdf, QString(), r.hooks()));
    ASSERT_EQ(r.started.size(), 1);
    EXPECT_EQ(r.started[0].first, firefox);
    EXPECT_EQ(r.started[0].second, QStringList{QUrl::fromLocalFile(pdf).toString(QUrl::FullyEncoded)});
    EXPECT_TRUE(r.opened.isEmpty());
}

TEST(OpenDocument, ClosesTheWindowOfTheSamePageFirst) {
    QTemporaryDir dir;
    const QString page = dir.filePath(u"help.html"_s);
    writeFile(page, "<html>\n<title>Pelmar\n manual</title>\n");
    FakePath path;
    const QString opera = path.add(u"opera"_s);
    {
        // Without wmctrl nothing is closed, and the page still opens.
        Recorder r;
        EXPECT_TRUE(OpenDocument(page, u"intro"_s, r.hooks()));
        ASSERT_EQ(r.started.size(), 1);
        EXPECT_EQ(r.started[0].first, opera);
        EXPECT_TRUE(r.started[0].second.value(0).endsWith(u"help.html#intro"_s));
    }
    const QString wmctrl = path.add(u"wmctrl"_s);
    Recorder r;
    EXPECT_TRUE(OpenDocument(page, QString(), r.hooks()));
    ASSERT_EQ(r.started.size(), 2);
    EXPECT_EQ(r.started[0].first, wmctrl);
    EXPECT_EQ(r.started[0].second, (QStringList{u"-c"_s, u"Pelmar manual"_s}));
    EXPECT_EQ(r.started[1].first, opera);
}

} // namespace
} // namespace pelmar
