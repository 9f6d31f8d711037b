#include "history/HistoryWindowSettings.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace pelmar {
namespace {

TEST(HistoryWindowSettings, DefaultsFollowTheScreen) {
    QTemporaryDir dir;
    QSettings settings(dir.filePath("pelmar.ini"), QSettings::IniFormat);
    const QList<QRect> screens{QRect(0, 0, 1920, 1080)};
    const THistoryWindowSettings s = ReadHistoryWindowSettings(settings, {1920, 1080}, screens);
    EXPECT_EQ(s.geometry, QRect(192, 108, 1536, 864));
    EXPECT_EQ(s.titleWidth, 222);
    EXPECT_EQ(s.step, 2);
    EXPECT_EQ(s.view.samples, SampleDisplay::Part);
    EXPECT_EQ(s.view.levels, (std::array<bool, 3>{true, true, true}));
    EXPECT_EQ(s.auxiliary, (std::array<bool, 6>{}));
    EXPECT_EQ(s.formulas[0], true);
    EXPECT_EQ(s.formulas[9], true);
}

TEST(HistoryWindowSettings, RoundTripAndClamp) {
    QTemporaryDir dir;
    const QString path = dir.filePath("pelmar.ini");
    const QList<QRect> screens{QRect(0, 0, 1280, 1024)};
    {
        QSettings settings(path, QSettings::IniFormat);
        THistoryWindowSettings s;
        s.geometry = QRect(3000, -50, 900, 600); // from a monitor that is gone
        s.titleWidth = 300;
        s.step = 5;
        s.view = {SampleDisplay::None, {true, false, true}};
        s.auxiliary = {true, false, false, true, false, true};
        s.formulas[3] = false;
        WriteHistoryWindowSettings(settings, s);
    }
    QSettings settings(path, QSettings::IniFormat);
    EXPECT_EQ(settings.value("GraphPos/HStep").toInt(), 5);
    EXPECT_EQ(settings.value("Graph/CIV").toInt(), 0);
    EXPECT_EQ(settings.value("Graph/SyPW").toInt(), 1);
    EXPECT_EQ(settings.value("Graph/PSy3").toInt(), 1);
    EXPECT_EQ(settings.value("GraphFormulas/CLI").toInt(), 0);
    EXPECT_EQ(settings.value("Graph/Sample").toInt(), 2);
    const THistoryWindowSettings s = ReadHistoryWindowSettings(settings, {1280, 1024}, screens);
    EXPECT_EQ(s.geometry, QRect(380, 0, 900, 600));
    EXPECT_EQ(s.titleWidth, 300);
    EXPECT_EQ(s.step, 2); // every start begins at the second step
    EXPECT_EQ(s.view.samples, SampleDisplay::None);
    EXPECT_EQ(s.view.levels, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(s.auxiliary, (std::array<bool, 6>{true, false, false, true, false, true}));
    EXPECT_FALSE(s.formulas[3]);
    EXPECT_TRUE(s.formulas[4]);
}

} // namespace
} // namespace pelmar
