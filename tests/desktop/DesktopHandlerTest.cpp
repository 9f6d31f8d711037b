#include "desktop/DesktopHandler.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace pelmar {
namespace {

using namespace Qt::StringLiterals;

TEST(DesktopHandler, AskedForTheFilesTypeOrTheLinksScheme) {
    EXPECT_EQ(DesktopHandlerType(QUrl::fromLocalFile(u"/usr/share/doc/pelmar/pelmar.pdf"_s)),
              u"application/pdf"_s);
    EXPECT_EQ(DesktopHandlerType(QUrl(u"mailto:someone@example.invalid?subject=x"_s)),
              u"x-scheme-handler/mailto"_s);
    EXPECT_EQ(DesktopHandlerType(QUrl(u"HTTPS://example.invalid/"_s)), u"x-scheme-handler/https"_s);
}

TEST(DesktopHandler, OpensOnlyWhenAProgramIsThereToTakeIt) {
    const QUrl manual = QUrl::fromLocalFile(u"/opt/pelmar/pelmar.pdf"_s);
    const QUrl mail(u"mailto:someone@example.invalid"_s);
    const struct {
        QUrl url;
        QStringList defaults; // types with a default program
        bool browser;         // x-www-browser on PATH
        bool opens;
    } cases[] = {
        {manual, {}, false, false}, // the help command must say it cannot open the manual
        {manual, {u"application/pdf"_s}, false, true},
        {manual, {}, true, true},   // the opener falls back on the default browser
        {manual, {u"text/html"_s}, false, false},
        {mail, {}, true, false},    // a browser takes no mail link
        {mail, {u"x-scheme-handler/mailto"_s}, false, true},
        {QUrl(u"https://example.invalid/"_s), {}, true, true},
    };
    for (const auto& c : cases) {
        TDesktopLookup lookup;
        lookup.defaultProgram = [&](const QString& type) {
            return c.defaults.contains(type) ? u"handler.desktop"_s : QString();
        };
        lookup.findExecutable = [&](const QString& name) {
            return c.browser && name == u"x-www-browser"_s ? u"/usr/bin/x-www-browser"_s : QString();
        };
        EXPECT_EQ(DesktopCanOpen(c.url, lookup), c.opens)
            << c.url.toString().toStdString() << " " << c.defaults.join(u',').toStdString()
            << " " << c.browser;
    }
    EXPECT_FALSE(DesktopCanOpen(manual, TDesktopLookup{}));
}

} // namespace
} // namespace pelmar
