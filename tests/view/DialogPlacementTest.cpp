// The find dialog keeps clear of the match it has found.
#include "support/QuillTest.h"

#include "view/CFindReplaceDlg.h"
#include "view/DialogPlacement.h"

TEST(DialogPlacement, MovesOnlyWhenCoveringAndToTheNearestPlaceThatFits) {
    const QRect screen(0, 0, 1000, 800);
    const QRect dialog(100, 100, 300, 150);
    const QRect low(QPoint(100, 600), dialog.size());
    struct Case {
        const char* name;
        QRect dialog;
        QRect match;
        QPoint expected;
    };
    const Case cases[] = {
        {"not covered", dialog, QRect(500, 500, 50, 16), QPoint(100, 100)},
        {"near its top: below", dialog, QRect(150, 110, 50, 16), QPoint(100, 134)},
        {"near its bottom: above", dialog, QRect(150, 240, 50, 16), QPoint(100, 82)},
        {"no room below: above", low, QRect(150, 700, 50, 16), QPoint(100, 542)},
        {"tall match at the left: right of it", dialog, QRect(0, 0, 120, 800), QPoint(128, 100)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QPoint at = dialogplacement::ClearOf(c.dialog, c.match, screen);
        EXPECT_EQ(at, c.expected);
        EXPECT_FALSE(QRect(at, dialog.size()).intersects(c.match));
        EXPECT_TRUE(screen.contains(QRect(at, dialog.size())));
    }
}
