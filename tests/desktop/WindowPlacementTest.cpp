#include "desktop/WindowPlacement.h"

#include <gtest/gtest.h>

namespace pelmar {
namespace {

struct Saved {
    std::optional<int> left, top, width, height;
};

TPlacement place(const Saved& saved, const QList<QRect>& screens, QMargins frame = {}) {
    TPlacementInput in;
    in.left = saved.left;
    in.top = saved.top;
    in.width = saved.width;
    in.height = saved.height;
    in.defaultSize = QSize(743, 490);
    in.minimumSize = QSize(743, 200);
    in.frame = frame;
    in.screens = screens;
    return PlaceWindow(in);
}

TEST(WindowPlacement, SavedPlacesComeBackWhollyOnAScreen) {
    const QList<QRect> one = {QRect(0, 0, 1920, 1080)};
    const QList<QRect> two = {QRect(0, 0, 1920, 1080), QRect(1920, -200, 1280, 1024)};
    const QList<QRect> small = {QRect(0, 0, 1024, 600)};
    const QMargins frame(4, 26, 4, 4);
    struct Case {
        const char* name;
        Saved saved;
        QList<QRect> screens;
        QMargins frame;
        QPoint position;
        QSize size;
    } cases[] = {
        {"kept", {100, 50, 800, 600}, one, {}, {100, 50}, {800, 600}},
        {"no settings: centred", {}, one, {}, {588, 295}, {743, 490}},
        {"beyond every right edge: flush with the rightmost", {5000, 50, 743, 490}, one, {},
         {1920 - 743, 50}, {743, 490}},
        {"nearest screen of two", {5000, 2000, 743, 490}, two, {}, {3200 - 743, 824 - 490},
         {743, 490}},
        {"above and left of both", {-900, -900, 743, 490}, two, {}, {0, 0}, {743, 490}},
        {"mostly on the second screen", {2500, 100, 743, 490}, two, {}, {2457, 100}, {743, 490}},
        // Saved on a larger monitor: the size shrinks to the screen, frame included.
        {"larger than the screen", {0, 0, 1900, 1000}, small, frame, {0, 0}, {1016, 570}},
        // The bottom edge is kept on the screen with the frame's height, not the client's.
        {"framed height", {100, 700, 743, 490}, one, frame, {100, 1080 - 520}, {743, 490}},
        // Damaged values: an impossible size is the default, a huge one fits the screen.
        {"damaged", {0, 0, 100000, -20}, one, {}, {0, 0}, {1920, 490}},
        {"zero", {10, 10, 0, 0}, one, {}, {10, 10}, {743, 490}},
        // Narrower than the minimum: the minimum wins, the left edge stays on the screen.
        {"tiny screen", {300, 300, 743, 490}, {QRect(0, 0, 640, 480)}, {}, {0, 0}, {743, 480}},
        {"no screens", {300, 300, 743, 490}, {}, {}, {0, 0}, {743, 490}},
    };
    for (const Case& c : cases) {
        const TPlacement p = place(c.saved, c.screens, c.frame);
        EXPECT_EQ(p.framePosition, c.position) << c.name << ": " << p.framePosition.x() << ","
                                               << p.framePosition.y();
        EXPECT_EQ(p.clientSize, c.size) << c.name << ": " << p.clientSize.width() << "x"
                                        << p.clientSize.height();
    }
    EXPECT_EQ(DesktopBounds(two), QRect(0, -200, 3200, 1280));
}

TEST(WindowPlacement, ClampedPositionsComeBackInsideTheDesktop) {
    const QList<QRect> one = {QRect(0, 0, 1920, 1080)};
    const QList<QRect> two = {QRect(0, 0, 1920, 1080), QRect(1920, -200, 1280, 1024)};
    const QSize window(743, 490);
    struct Case {
        QList<QRect> screens;
        QPoint saved, placed;
    } cases[] = {
        {one, {100, 50}, {100, 50}},
        {one, {5000, 50}, {1920 - 743, 50}},
        {two, {5000, 2000}, {3200 - 743, 1080 - 490}},
        {two, {-900, -900}, {0, -200}},
        {{QRect(100, 100, 800, 600)}, {-50, -50}, {0, 0}},
        {{QRect(0, 0, 640, 480)}, {10, 10}, {0, 0}},
        {{}, {300, 300}, {0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClampWindowPosition(c.saved, window, c.screens), c.placed)
            << c.saved.x() << "," << c.saved.y();
}

} // namespace
} // namespace pelmar
