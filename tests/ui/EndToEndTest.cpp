#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace pelmar {
namespace {

using namespace Qt::StringLiterals;

TEST(EndToEnd, TheProgramShowsItsWindowUnderXvfbAndEndsWhenItCloses) {
    const QString xvfb = QStandardPaths::findExecutable(u"xvfb-run"_s);
    if (xvfb.isEmpty())
        GTEST_SKIP() << "xvfb-run is not installed (Debian package xvfb)";
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"QT_QPA_PLATFORM"_s); // the real X11 platform, on Xvfb's display
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    env.insert(u"HOME"_s, home.path());
    env.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
    env.insert(u"XDG_DATA_HOME"_s, home.filePath(u"data"_s));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(xvfb, {u"-a"_s, u"-s"_s, u"-screen 0 1024x768x24"_s,
                         QStringLiteral(PELMAR_X11_CLOSE), u"Pelmar: "_s,
                         QStringLiteral(PELMAR_BINARY)});
    ASSERT_TRUE(process.waitForStarted(10000));
    ASSERT_TRUE(process.waitForFinished(90000)) << "xvfb-run did not end";
    const QString output = QString::fromLocal8Bit(process.readAll());
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(u"window: Pelmar: " PELMAR_VERSION ""_s)) << output.toStdString();
    // Closing wrote the window's place.
    EXPECT_TRUE(QFile::exists(home.filePath(u"config/pelmar/pelmar.ini"_s)));
}

} // namespace
} // namespace pelmar
