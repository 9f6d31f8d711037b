#include "desktop/WindowPlacement.h"

#include <gtest/gtest.h>

namespace pelmar {
namespace {

TEST(WindowPlacement, SavedPositionsComeBackInsideTheDesktop) {
    const QList<QRect> one = {QRect(0, 0, 1920, 1080)};
    const QList<QRect> two = {QRect(0, 0, 1920, 1080), QRect(1920, -200, 1280, 1024)};
    const QSize window(743, 490);
    struct Case {
        QList<QRect> screens;
        QPoint saved, placed;
    } cases[] = {
        {one, {100, 50}, {100, 50}},
        // Beyond the right edge of every monitor: flush with the rightmost monitor's edge.
        {one, {5000, 50}, {1920 - 743, 50}},
        {two, {5000, 2000}, {3200 - 743, 1080 - 490}},
        {two, {-900, -900}, {0, -200}},
        // The desktop always holds the origin.
        {{QRect(100, 100, 800, 600)}, {-50, -50}, {0, 0}},
        // Larger than the desktop: the left and top edges stay visible.
        {{QRect(0, 0, 640, 480)}, {10, 10}, {0, 0}},
        {{}, {300, 300}, {0, 0}},
    };
    for (const Case& c : cases) {
        const QPoint placed = ClampWindowPosition(c.saved, window, c.screens);
        EXPECT_EQ(placed, c.placed) << c.saved.x() << "," << c.saved.y() << " -> " << placed.x()
                                    << "," << placed.y();
    }
    EXPECT_EQ(DesktopBounds(two), QRect(0, -200, 3200, 1280));
    EXPECT_EQ(CenteredPosition(QSize(1920, 1080), window), QPoint(588, 295));
}

} // namespace
} // namespace pelmar
