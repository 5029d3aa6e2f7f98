#include "support/QuillTest.h"

#include "text/Cp932Codec.h"

namespace {

class EditControlTest : public ::testing::Test {
protected:
    void SetText(const QString& text) {
        view.setPlainText(text);
        view.document()->setModified(false);
    }
    CQuillView view;
    CEditControl& ctrl = view.Ctrl();
};

// あ (2 bytes), ｱ (1 byte), U+F0081 (a lone 0x81 byte kept from the file,
// two UTF-16 units), 😀 (no Shift_JIS form, reads as "?").
const QString kMixed =
    QString::fromUtf8("aあｱ") + QString::fromUcs4(U"\U000F0081") + QString::fromUtf8("b😀c");

TEST_F(EditControlTest, LinesAreShiftJisBytes) {
    SetText("first\n" + kMixed + "\nlast");
    EXPECT_EQ(ctrl.GetLineCount(), 3);
    EXPECT_EQ(ctrl.GetLine(0, 254), "first");
    EXPECT_EQ(ctrl.GetLine(1, 254), QByteArray("a\x82\xa0\xb1\x81"
                                               "b?c"));
    // A limit inside a two-byte character cuts it, as a byte-counting control does.
    EXPECT_EQ(ctrl.GetLine(1, 2), QByteArray("a\x82"));
    EXPECT_EQ(ctrl.GetLine(2, 3), "las");
    EXPECT_EQ(ctrl.GetLine(5, 254), "");
    EXPECT_EQ(ctrl.GetLine(2, 0), "");

    SetText("ab\ncde\n");
    EXPECT_EQ(ctrl.GetLineCount(), 3);
    EXPECT_EQ(ctrl.LineIndex(2), 7);
    EXPECT_EQ(ctrl.LineIndex(3), -1);
    EXPECT_EQ(ctrl.LineFromChar(4), 1);
    EXPECT_EQ(ctrl.LineFromChar(1000), 2);  // past the end: the last line
    ctrl.SetSel(5, 5);
    EXPECT_EQ(ctrl.LineIndex(CEditControl::kCaret), 3);
    EXPECT_EQ(ctrl.LineFromChar(CEditControl::kCaret), 1);
}

TEST_F(EditControlTest, ByteOffsetsAndPositionsConvertBothWays) {
    SetText("x\n" + kMixed);
    const int start = ctrl.LineIndex(1);
    ASSERT_EQ(start, 2);
    // Bytes:     a=0 あ=1,2 ｱ=3 0x81=4 b=5 ?=6 c=7 end=8
    // Positions: a=0 あ=1   ｱ=2 U+F0081=3,4 b=5 😀=6,7 c=8 end=9
    const int bytes[] = {0, 1, 3, 4, 5, 6, 7, 8};
    const int positions[] = {0, 1, 2, 3, 5, 6, 8, 9};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(ctrl.PositionFromByte(1, bytes[i]), start + positions[i]) << i;
        EXPECT_EQ(ctrl.ByteFromPosition(start + positions[i]), bytes[i]) << i;
    }
    // Inside a two-byte character: the character's own position.
    EXPECT_EQ(ctrl.PositionFromByte(1, 2), start + 1);
    // Past the end: the end of the line.
    EXPECT_EQ(ctrl.PositionFromByte(1, 500), start + 9);
    EXPECT_EQ(ctrl.PositionFromByte(7, 0), -1);

    // All offsets of a line in one pass give what each gives alone, in
    // any order.
    const CEditControl::LineRead line = ctrl.ReadLine(view.document()->findBlockByNumber(1), 254);
    EXPECT_EQ(line.bytes, ctrl.GetLine(1, 254));
    std::vector<int> offsets = {0, 2, 2, 4, 8, 500, 5, 1, 7, 3};
    std::vector<int> expected;
    for (int offset : offsets) {
        expected.push_back(ctrl.PositionFromByte(1, offset));
    }
    ctrl.PositionsFromBytes(line, offsets);
    EXPECT_EQ(offsets, expected);
}

TEST_F(EditControlTest, SelectionIsOrderedClampedAndReplaced) {
    SetText("hello world");
    ctrl.SetSel(8, 2);
    EXPECT_EQ(ctrl.GetSel(), (CEditControl::Selection{2, 8}));
    EXPECT_EQ(view.textCursor().position(), 2);  // caret at the second argument
    ctrl.SetSel(3, 1000);
    EXPECT_EQ(ctrl.GetSel().end, 11);
    ctrl.SetSel(0, 5);
    EXPECT_EQ(ctrl.GetSelText(), "hello");
    ctrl.ReplaceSel("bye");
    EXPECT_EQ(view.toPlainText(), "bye world");
    EXPECT_EQ(ctrl.GetSel(), (CEditControl::Selection{3, 3}));
    ctrl.SetSel(-1, -1);
    EXPECT_EQ(ctrl.GetSel().start, 3);
}

}  // namespace
