// An editor showing a very long line stays idle: no caret blinking that
// re-measures the line twice a second.
#include "support/QuillTest.h"

#include <QStyleHints>
#include <ctime>

namespace {

double ProcessCpuSeconds() {
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// CPU time the process spends while the event loop runs for `ms`.
double IdleCpuSeconds(int ms) {
    const double start = ProcessCpuSeconds();
    QTest::qWait(ms);
    return ProcessCpuSeconds() - start;
}

TEST(LongLine, IdleEditorStaysIdleAndTheCaretBlinksAgainElsewhere) {
    const int blink = QGuiApplication::styleHints()->cursorFlashTime();
    ASSERT_GT(blink, 0);
    QWidget window;
    auto* view = new CQuillView(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 420);
    view->resize(600, 400);
    // A megabyte on one line, then short lines.
    view->setPlainText(QStringLiteral("x = 1 : ").repeated(128 * 1024) +
                       QStringLiteral("\nshort\n").repeated(200));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    view->setFocus();
    for (const bool onTheLongLine : {true, false}) {
        // The caret at the long line's end, or on a short line with the
        // long one still on screen.
        QTextCursor cursor(view->document()->findBlockByNumber(onTheLongLine ? 0 : 3));
        cursor.movePosition(QTextCursor::EndOfBlock);
        view->setTextCursor(cursor);
        QTest::qWait(300);  // layout and first paint
        const double cpu = IdleCpuSeconds(2000);
        EXPECT_LT(cpu, 0.2) << "caret on the long line: " << onTheLongLine;
        EXPECT_EQ(QGuiApplication::styleHints()->cursorFlashTime(), 0);
    }
    // Scrolled away from the long line, and with the focus elsewhere, the
    // caret blinks as usual.
    view->setTextCursor(QTextCursor(view->document()->lastBlock()));
    view->ensureCursorVisible();
    QTest::qWait(50);
    EXPECT_EQ(QGuiApplication::styleHints()->cursorFlashTime(), blink);
    view->setTextCursor(QTextCursor(view->document()->firstBlock()));
    EXPECT_EQ(QGuiApplication::styleHints()->cursorFlashTime(), 0);
    other->setFocus();
    EXPECT_EQ(QGuiApplication::styleHints()->cursorFlashTime(), blink);
}

}  // namespace
