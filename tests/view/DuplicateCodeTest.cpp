// Characters kept under a duplicate Shift_JIS code (the NEC-selected IBM
// extension, 0xED40-0xEEFC) show as their characters, travel through the
// clipboard and save to the bytes they came from.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <QTextLayout>

#include "app/CQuillApp.h"
#include "doc/CQuillDoc.h"
#include "support/AppFixture.h"
#include "support/TestUtil.h"
#include "text/Cp932Codec.h"
#include "view/CQuillView.h"

using namespace Qt::StringLiterals;

namespace {

using DuplicateCodeTest = AppFixture;

// The glyphs of the first line of `text` laid out in `font`.
QList<quint32> Glyphs(const QFont& font, const QString& text) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    return layout.glyphRuns().value(0).glyphIndexes();
}

TEST_F(DuplicateCodeTest, ShowAsTheirCharactersCopyAndSaveToTheirBytes) {
    // NEC-selected 髙 and 﨑, then the same characters in the IBM extension.
    const QByteArray line = "mes \"\xEE\xE0\xED\x95\xFB\xFC\xFA\xB1\"\r\n";
    const QString path = testutil::WriteFile(m_exeDir, "dup.as", line);
    ASSERT_TRUE(Start({path}));
    // Drawn with the glyphs of the same characters under their standard codes.
    const QString text = View()->document()->firstBlock().text();
    EXPECT_EQ(cp932::WithoutMarks(text), u"mes \"髙﨑髙﨑\"");
    EXPECT_EQ(Glyphs(View()->font(), text.left(11)), Glyphs(View()->font(), u"mes \"髙﨑"_s));

    // Other programs get the characters; the editor gets back the bytes.
    View()->selectAll();
    View()->OnEditCopy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"mes \"髙﨑髙﨑\"\n");
    View()->moveCursor(QTextCursor::End);
    View()->OnEditPaste();
    // Text from another program holds the standard codes.
    QGuiApplication::clipboard()->setText(u"髙"_s);
    View()->OnEditPaste();
    // Backspace after a marked character takes it whole.
    QTextCursor caret = View()->textCursor();
    caret.setPosition(8);
    View()->setTextCursor(caret);
    QTest::keyClick(View(), Qt::Key_Backspace);
    ASSERT_TRUE(Doc()->DoFileSave());
    EXPECT_EQ(testutil::ReadFile(path), "mes \"\xED\x95\xFB\xFC\xFA\xB1\"\r\n" + line + "\xFB\xFC");

    // UTF-8 has no duplicate codes: switching removes the marks, and text
    // copied with marks pastes without them.
    View()->selectAll();
    View()->OnEditCopy();
    const QString before = View()->toPlainText();
    Doc()->SetEncoding(textenc::Encoding::Utf8);
    EXPECT_EQ(View()->toPlainText(), cp932::WithoutMarks(before));
    View()->moveCursor(QTextCursor::End);
    View()->OnEditPaste();
    ASSERT_TRUE(Doc()->DoFileSave());
    EXPECT_EQ(testutil::ReadFile(path),
              (cp932::WithoutMarks(before).repeated(2).replace(u'\n', u"\r\n"_s)).toUtf8());
}

}  // namespace
