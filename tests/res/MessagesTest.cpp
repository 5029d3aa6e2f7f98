// The message boxes: their text can be selected and copied, and a long one
// stays within the screen.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>

#include "res/Messages.h"
#include "support/TestUtil.h"

namespace {

TEST(MessageBoxes, TextIsSelectableAndCtrlCCopiesTheSelectionOrAll) {
    const QString path = "/home/user/" + QString(400, u'x') + ".as";
    const struct {
        QString text;
        bool scrolls;
    } cases[] = {
        {"stand-in: error in line 2", false},
        // One long line without a space wraps within the screen.
        {"hsptmp: " + path, false},
        // Many lines scroll in a text area.
        {QStringList(200, "stand-in: warning in line 9").join('\n'), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.left(40).toStdString());
        testutil::WhenModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_TRUE(box);
            EXPECT_EQ(box->windowTitle(), "QUILL");
            EXPECT_EQ(box->icon(), QMessageBox::Warning);
            EXPECT_EQ(box->buttons().size(), 1);
            EXPECT_LE(box->width(), box->screen()->availableGeometry().width());
            EXPECT_LE(box->height(), box->screen()->availableGeometry().height());
            auto* area = box->findChild<QPlainTextEdit*>();
            EXPECT_EQ(area != nullptr, c.scrolls);
            QGuiApplication::clipboard()->clear();
            QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
            EXPECT_EQ(QGuiApplication::clipboard()->text(), c.text);
            // What is selected, with the keyboard here, is what Ctrl+C copies.
            QWidget* holder = area;
            for (QLabel* label : box->findChildren<QLabel*>()) {
                holder = label->isVisible() && label->text() == c.text ? label : holder;
            }
            holder->setFocus();
            QTest::keyClick(holder, Qt::Key_Home, Qt::ControlModifier);
            QTest::keyClick(holder, Qt::Key_Right, Qt::ShiftModifier);
            QTest::keyClick(holder, Qt::Key_C, Qt::ControlModifier);
            EXPECT_EQ(QGuiApplication::clipboard()->text(), c.text.left(1));
            box->button(QMessageBox::Ok)->click();
        });
        msg::Warning(nullptr, c.text);
    }
}

}  // namespace
