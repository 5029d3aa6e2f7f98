// Start-up placement: the stored rectangle checked against the screens.
#include "support/QuillTest.h"

#include "app/WindowPlacement.h"

using placement::FitOnScreens;
using placement::StoredRect;

TEST(WindowPlacement, VisibleRectanglesStayAndOthersComeOntoAScreen) {
    const QRect laptop(0, 0, 1280, 800);
    const QRect right(1280, 0, 1920, 1080);
    const struct {
        StoredRect stored;
        QList<QRect> areas;
        QRect expected;
    } cases[] = {
        {{37, 52, 648, 485}, {laptop}, QRect(37, 52, 611, 433)},
        // Across two monitors and wholly on the second: kept.
        {{1000, 100, 1600, 500}, {laptop, right}, QRect(1000, 100, 600, 400)},
        {{2000, 100, 2400, 400}, {laptop, right}, QRect(2000, 100, 400, 300)},
        // The second monitor is gone: back onto the first.
        {{2000, 100, 2400, 400}, {laptop}, QRect(880, 100, 400, 300)},
        {{1222, 700, 1622, 1000}, {laptop}, QRect(880, 500, 400, 300)},
        {{-500, -40, -100, 260}, {laptop}, QRect(0, 0, 400, 300)},
        // Larger than the screen: shrunk to it.
        {{-10, -10, 3000, 2000}, {laptop}, QRect(0, 0, 1280, 800)},
        // Partly off screen: onto the monitor it overlaps most.
        {{3000, 900, 3400, 1200}, {laptop, right}, QRect(2800, 780, 400, 300)},
        // Extreme and reversed edges neither overflow nor make an empty window.
        {{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {laptop}, QRect(0, 0, 1280, 800)},
        {{INT_MAX, INT_MAX, INT_MIN, INT_MIN}, {laptop}, QRect(880, 500, 400, 300)},
        {{100, 100, 100, 50}, {laptop}, QRect(100, 100, 400, 300)},
        // No screen known: the stored rectangle as it is, within int.
        {{INT_MAX - 10, 0, INT_MAX, 300}, {}, QRect(INT_MAX - 10, 0, 10, 300)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FitOnScreens(c.stored, c.areas), c.expected)
            << c.stored.left << "," << c.stored.top << "," << c.stored.right << ","
            << c.stored.bottom;
    }
}
