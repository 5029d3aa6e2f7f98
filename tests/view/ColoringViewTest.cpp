#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QPaintEvent>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <memory>

#include "ColoringTestUtil.h"
#include "app/CQuillApp.h"
#include "doc/CQuillDoc.h"
#include "res/CommandIds.h"
#include "script/CKeywordTable.h"
#include "support/AppFixture.h"
#include "support/TestUtil.h"
#include "view/CQuillView.h"
#include "view/CSyntaxColorer.h"
#include "view/KeywordColors.h"

using coloringtest::RecordsOfLine;
using coloringtest::RecordsOfText;

using namespace Qt::StringLiterals;

namespace {

// print, mes, goto and if blue (6); int yellow (3); comments green (5);
// labels red (1).
const QByteArray kTable = "!blue\nprint\nmes\ngoto\nif\n!yellow\nint\n!green\n;\n!red\n*\n";

// Collects what the view's window repaints.
class PaintSpy : public QObject {
public:
    explicit PaintSpy(QWidget* w) : m_widget(w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            ++count;
            region += static_cast<QPaintEvent*>(e)->region();
        }
        return false;
    }
    void Flush() {
        QApplication::processEvents();
        QApplication::processEvents();
    }
    void Reset() {
        Flush();
        count = 0;
        region = QRegion();
    }
    bool Whole() const { return region.boundingRect() == m_widget->rect(); }
    int count = 0;
    QRegion region;

private:
    QWidget* m_widget;
};

class ColoringView : public ::testing::Test {
protected:
    void SetUp() override {
        m_view = std::make_unique<CQuillView>(nullptr, CKeywordTable::Parse(kTable));
        m_view->resize(600, 400);
        m_view->show();
    }
    void TearDown() override { m_view.reset(); }
    CQuillView& View() { return *m_view; }
    CEditControl& Ctrl() { return m_view->Ctrl(); }
    void Load(const QString& text) {
        m_view->setPlainText(text);
        m_view->document()->setModified(false);
        m_view->RecolorAll();
    }
    void Caret(int pos) { Ctrl().SetSel(pos, pos); }
    std::pair<int, int> Sel() {
        const auto [s, e] = Ctrl().GetSel();
        return {s, e};
    }
    // The view's colors equal those of one pass over its whole text.
    void ExpectColoredInOnePass() {
        CQuillView reference(nullptr, CKeywordTable::Parse(kTable));
        reference.setPlainText(m_view->toPlainText());
        reference.RecolorLines(0, reference.blockCount() - 1, 0, 0, Redraw::All());
        EXPECT_TRUE(RecordsOfText(*m_view) == RecordsOfText(reference));
    }
    QStringList Records() {
        QStringList out;
        for (int line = 0; line < m_view->blockCount(); ++line) {
            out << RecordsOfLine(*m_view, line);
        }
        return out;
    }
    QString Line(int line) const { return m_view->document()->findBlockByNumber(line).text(); }

    std::unique_ptr<CQuillView> m_view;
};

TEST_F(ColoringView, RecolorAllColorsEveryLineAndPutsTheCaretAtTheStart) {
    View().setPlainText("*main\n\tmes \"print ; x\" ; say\n  if a=0x1F : goto *main\n\n  \t");
    Caret(10);
    QSignalSpy changes(View().document(), &QTextDocument::contentsChange);
    View().RecolorAll();
    EXPECT_EQ(Records(), QStringList({"11111", "0666" + QString(13, u'0') + "55555",
                                      "0066" + QString(10, u'0') + "6666000000", "", "000"}));
    EXPECT_EQ(Sel(), std::make_pair(0, 0));
    EXPECT_FALSE(View().document()->isModified());
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(ColoringView, RecoloringResetsOldColorsUpToTheLimitAndKeepsTheModifiedFlag) {
    Load("print mes");
    // Text typed into a colored word takes its color until recolored.
    Ctrl().SetSel(2, 2);
    Ctrl().ReplaceSel("x");
    EXPECT_EQ(RecordsOfLine(View(), 0), "6666660666");
    View().RecolorLines(0, 0, 3, 3, Redraw::Band(Ctrl().GetHScrollPos()));
    EXPECT_EQ(RecordsOfLine(View(), 0), "0000000666");
    EXPECT_TRUE(View().document()->isModified());

    const QString longLine = QString(250, u' ') + "mes print";
    Load(longLine + "\nprint");
    EXPECT_EQ(RecordsOfLine(View(), 0), QString(250, u'0') + "6660" + QString(5, u'0'));
    // Bytes past the 254th keep their color when the line ends the range.
    View().Colorer().Colors().Assign(0, Ctrl().GetTextLength(), {}, 6);
    View().RecolorLines(0, 0, 0, 0, Redraw::All());
    EXPECT_EQ(RecordsOfLine(View(), 0), QString(250, u'0') + "6660" + QString(5, u'6'));
    View().RecolorLines(0, 1, 0, 0, Redraw::All());
    EXPECT_EQ(RecordsOfLine(View(), 0), QString(250, u'0') + "6660" + QString(5, u'0'));
    EXPECT_EQ(RecordsOfLine(View(), 1), "66666");
}

TEST_F(ColoringView, TypingAKeywordColorsItWhenItIsComplete) {
    QTest::keyClicks(&View(), "prin");
    EXPECT_EQ(RecordsOfLine(View(), 0), "0000");
    QTest::keyClicks(&View(), "t");
    EXPECT_EQ(RecordsOfLine(View(), 0), "66666");
    QTest::keyClicks(&View(), "s");
    EXPECT_EQ(RecordsOfLine(View(), 0), "000000");
    QTest::keyClick(&View(), Qt::Key_Backspace);
    EXPECT_EQ(RecordsOfLine(View(), 0), "66666");
    QTest::keyClicks(&View(), " ;c");
    EXPECT_EQ(RecordsOfLine(View(), 0), "66666055");
}

TEST_F(ColoringView, RepaintsTypedBandWholeWindowOrNothing) {
    Load("a\nb\nprin\nc");
    PaintSpy spy(View().viewport());
    Caret(Ctrl().LineIndex(2) + 4);
    spy.Reset();
    QTest::keyClick(&View(), Qt::Key_T);
    spy.Flush();
    EXPECT_EQ(RecordsOfLine(View(), 2), "66666");
    ASSERT_GE(spy.count, 1);
    EXPECT_FALSE(spy.Whole());
    EXPECT_LE(spy.region.boundingRect().height(), 2 * View().fontMetrics().lineSpacing());
    const int top = Ctrl().PosFromChar(Ctrl().LineIndex(2)).y();
    EXPECT_TRUE(spy.region.contains(QPoint(10, top + 2)));

    spy.Reset();
    QTest::keyClick(&View(), Qt::Key_Backspace);
    spy.Flush();
    EXPECT_TRUE(spy.Whole());

    // -2 leaves painting off for the caller.
    spy.Reset();
    View().RecolorLines(0, 0, 2, 3, Redraw::None());
    EXPECT_FALSE(Ctrl().IsRedrawOn());
    spy.Flush();
    EXPECT_EQ(spy.count, 0);
    EXPECT_EQ(Sel(), std::make_pair(2, 3));
    Ctrl().SetRedraw(true);
    Ctrl().InvalidateAll();
    spy.Flush();
    EXPECT_EQ(spy.count, 1);
}

TEST_F(ColoringView, EnterCopiesTheLeadingTabsOfTheLineAboveAndRecolors) {
    Load("\t\t\tif a");
    Caret(Ctrl().GetTextLength());
    QTest::keyClick(&View(), Qt::Key_Return);
    EXPECT_EQ(Line(1), "\t\t\t");
    QTest::keyClicks(&View(), "mes");
    EXPECT_EQ(RecordsOfLine(View(), 1), "000666");

    // At most 31 tabs are read.
    Load(QString(40, u'\t'));
    Caret(Ctrl().GetTextLength());
    QTest::keyClick(&View(), Qt::Key_Return);
    EXPECT_EQ(Line(1), QString(31, u'\t'));

    // Spaces, or a space before the tabs, give no indentation.
    Load("    mes\n \t\tmes");
    Caret(Ctrl().LineIndex(0) + 7);
    QTest::keyClick(&View(), Qt::Key_Return);
    EXPECT_EQ(Line(1), "");
    Caret(Ctrl().GetTextLength());
    QTest::keyClick(&View(), Qt::Key_Return);
    EXPECT_EQ(Line(3), "");

    // Inside a line: the moved text is indented, both lines recolored.
    Load("\t\tmesprint");
    Caret(5);
    QTest::keyClick(&View(), Qt::Key_Return);
    EXPECT_EQ(View().toPlainText(), "\t\tmes\n\t\tprint");
    EXPECT_EQ(Records(), QStringList({"00666", "0066666"}));

    // Shift+Enter ends the line as Enter does.
    const int blocks = View().blockCount();
    Caret(Ctrl().GetTextLength());
    QTest::keyClick(&View(), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(View().blockCount(), blocks + 1);
    EXPECT_EQ(Line(2), "\t\t");
    EXPECT_FALSE(View().toPlainText().contains(QChar::LineSeparator));
}

TEST_F(ColoringView, PasteColorsEveryPastedLine) {
    Load("mes 1");
    QApplication::clipboard()->setText("print a\n*lab ; x\n; note\nint");
    Ctrl().SetSel(4, 5);
    View().OnCommand(cmd::ID_EDIT_PASTE);
    EXPECT_EQ(Line(0), "mes print a");
    EXPECT_EQ(Records(), QStringList({"66606666600", "11110555", "555555", "333"}));

    // Ctrl+V and Shift+Insert take the same way, never the widget's own.
    QApplication::clipboard()->setText(" goto\nif");
    Caret(Ctrl().GetTextLength());
    QTest::keyClick(&View(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Records().mid(3), QStringList({"33306666", "66"}));
    QApplication::clipboard()->setText(" print");
    Caret(Ctrl().GetTextLength());
    QTest::keyClick(&View(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(RecordsOfLine(View(), 4), "66066666");
}

TEST_F(ColoringView, ReplaceRecolorsTheInsertedLines) {
    Load("a b c\nmes");
    Ctrl().SetSel(2, 3);
    const QString text = "x\nprint ;";
    View().ReplaceSelAndRecolor(&text, CQuillView::ReplaceMode::Repaint);
    EXPECT_EQ(View().toPlainText(), "a x\nprint ; c\nmes");
    EXPECT_EQ(RecordsOfLine(View(), 0), "000");
    EXPECT_EQ(RecordsOfLine(View(), 1), "666660555");
    EXPECT_TRUE(Ctrl().IsRedrawOn());

    // Any other mode leaves painting off until the caller repaints.
    Ctrl().SetSel(0, 1);
    const QString mes = "mes";
    View().ReplaceSelAndRecolor(&mes, CQuillView::ReplaceMode::KeepPaintingOff);
    EXPECT_FALSE(Ctrl().IsRedrawOn());
    EXPECT_EQ(RecordsOfLine(View(), 0), "66600");
    Ctrl().SetRedraw(true);
}

TEST_F(ColoringView, CutAndDeleteRecolorClearAndDropDoNot) {
    Load("print x\nprint y");
    // Clear: what is left of "print" keeps its old color.
    Ctrl().SetSel(0, 2);
    View().OnCommand(cmd::ID_EDIT_CLEAR);
    EXPECT_EQ(Line(0), "int x");
    EXPECT_EQ(RecordsOfLine(View(), 0), "66600");
    // Cut recolors its line: int is yellow.
    Ctrl().SetSel(Ctrl().LineIndex(1), Ctrl().LineIndex(1) + 2);
    View().OnCommand(cmd::ID_EDIT_CUT);
    EXPECT_EQ(QApplication::clipboard()->text(), "pr");
    EXPECT_EQ(RecordsOfLine(View(), 1), "33300");

    // Dropped text takes the color where it lands and keeps it.
    Load("print x");
    auto* data = new QMimeData;
    data->setText("int ");
    QTextCursor at(View().document());
    const QPoint point = View().cursorRect(at).center();
    QDragEnterEvent enter(point, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(View().viewport(), &enter);
    QDropEvent drop(point, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(View().viewport(), &drop);
    EXPECT_EQ(Line(0), "int print x");
    EXPECT_EQ(RecordsOfLine(View(), 0), "66666666600");
    delete data;

    // Delete recolors when the key is released.
    Load("mesx");
    Caret(3);
    QTest::keyPress(&View(), Qt::Key_Delete);
    EXPECT_EQ(Line(0), "mes");
    EXPECT_EQ(RecordsOfLine(View(), 0), "000");
    QTest::keyRelease(&View(), Qt::Key_Delete);
    EXPECT_EQ(RecordsOfLine(View(), 0), "666");
}

TEST_F(ColoringView, JapaneseTextCountsItsBytesForTheScanAndItsCharactersForTheColors) {
    // 表 is 0x95 0x5C: its trail byte is no backslash inside a string.
    Load(u"\"表\" mes ; 日本\nmes表示 print\n*ラベル名 mes\n*ab\uFF71mes"_qs);
    // Half-width katakana ends a label name.
    EXPECT_EQ(Records(), QStringList({"000066605555", "66600066666", "111110666", "1110666"}));

    // Typed through an input method: the line is recolored around it.
    Caret(Ctrl().LineIndex(1) + 3);
    QInputMethodEvent commit;
    commit.setCommitString(u" ;漢字"_qs);
    QApplication::sendEvent(&View(), &commit);
    EXPECT_EQ(Line(1), u"mes ;漢字表示 print"_qs);
    EXPECT_EQ(RecordsOfLine(View(), 1), "666055555555555");
}

// The colors a line's layout paints, as "start+length:color" (the
// input method's underlined range as "start+length:_").
QStringList PaintedColors(CQuillView& view, int line) {
    view.viewport()->grab();  // a paint gives the layouts their colors
    QStringList out;
    const QTextBlock block = view.document()->findBlockByNumber(line);
    for (const QTextLayout::FormatRange& r : block.layout()->formats()) {
        const QString what =
            r.format.fontUnderline() ? u"_"_s : r.format.foreground().color().name();
        out << u"%1+%2:%3"_s.arg(r.start).arg(r.length).arg(what);
    }
    out.sort();
    return out;
}

TEST_F(ColoringView, PreeditStringsAndMovedTextKeepTheColorsAroundThem) {
    Load("print x : mes y");
    const QString blue = View().ColorFormats()[6].foreground().color().name();
    EXPECT_EQ(PaintedColors(View(), 0), QStringList({"0+5:" + blue, "10+3:" + blue}));

    // A pre-edit string inside "print" is no text yet: the colors stay, and
    // on the screen they make room for it.
    Caret(2);
    QTextCharFormat underline;
    underline.setFontUnderline(true);
    QInputMethodEvent preedit(u"あいう"_s, {QInputMethodEvent::Attribute(
                                               QInputMethodEvent::TextFormat, 0, 3, underline)});
    QApplication::sendEvent(&View(), &preedit);
    EXPECT_EQ(Line(0), "print x : mes y");
    EXPECT_EQ(RecordsOfLine(View(), 0), "666660000066600");
    EXPECT_EQ(PaintedColors(View(), 0),
              QStringList({"0+2:" + blue, "13+3:" + blue, "2+3:_", "5+3:" + blue}));
    QInputMethodEvent commit;
    commit.setCommitString(u"あいう"_s);
    QApplication::sendEvent(&View(), &commit);
    EXPECT_EQ(Line(0), u"prあいうint x : mes y"_s);
    ExpectColoredInOnePass();

    // Text dragged within the window: the widget reports the move as one
    // change over both places; "mes" between them keeps its color.
    Load("print x : mes y");
    View().Colorer().BeginDrop(6, 8, 15);
    QTextCursor move(View().document());
    move.beginEditBlock();
    move.setPosition(6);
    move.setPosition(8, QTextCursor::KeepAnchor);
    move.removeSelectedText();
    move.setPosition(13);
    move.insertText("x ");
    move.endEditBlock();
    View().Colorer().EndDrop();
    EXPECT_EQ(Line(0), "print : mes yx ");
    EXPECT_EQ(RecordsOfLine(View(), 0), "666660006660000");
    EXPECT_EQ(PaintedColors(View(), 0), QStringList({"0+5:" + blue, "8+3:" + blue}));
}

TEST_F(ColoringView, ChangesAfterPaintedColorsAreReportedAsTheyAre) {
    // New layout formats must not widen what the document reports for the
    // next change of the text: the colors follow those reports.
    Load("print x : mes y");
    View().viewport()->grab();
    Caret(3);
    QTest::keyClicks(&View(), "a");
    View().viewport()->grab();
    QSignalSpy changes(View().document(), &QTextDocument::contentsChange);
    QTextCursor insert(View().document());
    insert.setPosition(9);
    insert.insertText("bc");
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0), (QList<QVariant>{9, 0, 2}));
    EXPECT_EQ(Line(0), "priant x bc: mes y");
    EXPECT_EQ(RecordsOfLine(View(), 0), "000000000000066600");
}

TEST_F(ColoringView, ReplaceAllColorsEveryReplacedWordAndRepaintsOnce) {
    Load("x = 1\nmes x\n\tif x : x\n; x\n\"x\" x");
    PaintSpy spy(View().viewport());
    spy.Reset();
    View().OnReplaceAll("x", "print", true, true);
    EXPECT_TRUE(Ctrl().IsRedrawOn());
    spy.Flush();
    EXPECT_EQ(spy.count, 1);
    EXPECT_TRUE(spy.Whole());
    EXPECT_EQ(Records(), QStringList({"666660000", "666066666", "06606666600066666", "5555555",
                                      "0000000066666"}));

    // Nothing found: nothing changes, the window is repainted once.
    spy.Reset();
    View().OnReplaceAll("zzz", "print", true, false);
    spy.Flush();
    EXPECT_EQ(spy.count, 1);
}

// A text long enough to be colored in chunks.
QString LongScript(int lines) {
    const char* const kinds[] = {"*l%1\n", "\tmes \"n=%1\" ; print\n", "\tif stat : goto *l0\n",
                                 "\tx%1 = int(%1)\n"};
    QString text;
    for (int i = 0; i < lines; ++i) {
        text += QString(kinds[i % 4]).replace("%1", QString::number(i));
    }
    return text + "print";
}

TEST_F(ColoringView, LongTextIsColoredInChunksToTheSameResult) {
    const int lines = 3 * CSyntaxColorer::kSyncLines;
    Load(LongScript(lines));
    CSyntaxColorer& colorer = View().Colorer();
    ASSERT_TRUE(colorer.IsPending());
    EXPECT_EQ(RecordsOfLine(View(), 0), "111");
    EXPECT_EQ(RecordsOfLine(View(), 1), "066600000005555555");
    EXPECT_FALSE(View().document()->isModified());

    // Edits before and inside the waiting lines while the chunks run.
    Ctrl().SetSel(0, 0);
    const QString top = "print\nmes ; a\n";
    View().ReplaceSelAndRecolor(&top, CQuillView::ReplaceMode::Repaint);
    const int inside = Ctrl().LineIndex(lines - 10);
    Ctrl().SetSel(inside, inside);
    QTest::keyClicks(&View(), "goto ");
    QElapsedTimer clock;
    clock.start();
    while (colorer.IsPending() && clock.elapsed() < 20000) {
        QApplication::processEvents();
    }
    ASSERT_FALSE(colorer.IsPending());
    ExpectColoredInOnePass();

    // A new load while chunks wait is colored whole.
    Load(LongScript(3 * CSyntaxColorer::kSyncLines));
    ASSERT_TRUE(colorer.IsPending());
    Load(LongScript(2 * CSyntaxColorer::kSyncLines + 7).replace("mes", "int"));
    colorer.FinishPending();
    ExpectColoredInOnePass();
    EXPECT_EQ(RecordsOfLine(View(), 1), "033300000005555555");
}

// Whether the window shows text in each of the colors of `records`: a
// pixel that is the color, or the color blended with the black background
// at a glyph's smoothed edge.
bool ShowsColors(QWidget& viewport, std::initializer_list<int> records) {
    const QImage shot = viewport.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int record : records) {
        const auto& r = keywordcolors::kRecords[record];
        const int top = std::max({r.red, r.green, r.blue});
        auto shows = [&](QRgb p) {
            const int peak = std::max({qRed(p), qGreen(p), qBlue(p)});
            auto near = [&](int got, int want) {
                return std::abs(got * top - want * peak) <= 24 * top;
            };
            return 2 * peak >= top && near(qRed(p), r.red) && near(qGreen(p), r.green) &&
                   near(qBlue(p), r.blue);
        };
        bool found = false;
        for (int y = 0; y < shot.height() && !found; ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
            found = std::any_of(row, row + shot.width(), shows);
        }
        if (!found) {
            return false;
        }
    }
    return true;
}

TEST_F(ColoringView, LinesComingIntoViewAheadOfTheChunksAreColoredBeforeTheyShow) {
    const int lines = 100000;
    Load(LongScript(lines));
    CSyntaxColorer& colorer = View().Colorer();
    ASSERT_TRUE(colorer.IsPending());
    QWidget& viewport = *View().viewport();

    // Jump to the end at once, then scroll back to the middle and widen
    // the window: every time the chunks are far behind.
    QTest::keyClick(&View(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_TRUE(ShowsColors(viewport, {1, 5, 6}));
    EXPECT_EQ(RecordsOfLine(View(), lines), "66666");
    View().verticalScrollBar()->setValue(lines / 2);
    EXPECT_TRUE(ShowsColors(viewport, {1, 5, 6}));
    const auto lastShown = [&] {
        return View().cursorForPosition(viewport.rect().bottomLeft()).blockNumber();
    };
    const int bottom = lastShown();
    View().resize(View().width(), View().height() + 200);
    EXPECT_TRUE(ShowsColors(viewport, {1, 5, 6}));
    const int newBottom = lastShown();
    EXPECT_GT(newBottom, bottom);
    EXPECT_TRUE(RecordsOfLine(View(), newBottom).contains(QRegularExpression("[1-6]")));
    ASSERT_TRUE(colorer.IsPending());
    EXPECT_FALSE(View().document()->isModified());

    // The lines colored ahead end as one pass colors them.
    colorer.FinishPending();
    EXPECT_FALSE(colorer.IsPending());
    for (int line : {lines / 2 + 2, lines - 2}) {  // "\tif stat : goto *l0"
        EXPECT_EQ(RecordsOfLine(View(), line), RecordsOfLine(View(), 2)) << line;
    }
}

class ColoringApp : public AppFixture {};

TEST_F(ColoringApp, LoadedScriptShowsLabelsKeywordsCommentsAndStrings) {
    SetQuillDat(kTable);
    QTemporaryDir dir;
    const QString path = testutil::WriteFile(
        dir, "test.as", "; header\r\n*start\r\n\tmes \"goto ; x\"\r\n\tgoto *start\r\n");
    ASSERT_TRUE(Start({path}));
    int line = 0;
    for (const QString& records : QStringList{"55555555", "111111", "0666" + QString(11, u'0'),
                                              "06666" + QString(7, u'0')}) {
        EXPECT_EQ(RecordsOfLine(*View(), line++), records);
    }
    EXPECT_EQ(View()->textCursor().position(), 0);
    EXPECT_FALSE(Doc()->IsModified());
}

TEST_F(ColoringApp, MissingWordListIsReportedBeforeTheMainWindow) {
    QFile::remove(ExeDir() + "/QUILL.DAT");
    bool shown = false;
    testutil::WhenModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        shown = true;
        for (QWidget* top : QApplication::topLevelWidgets()) {
            EXPECT_FALSE(top != w && top->isVisible()) << top->metaObject()->className();
        }
        EXPECT_EQ(box->text(), "QUILL.DAT ファイルにアクセス出来ません。");
        EXPECT_EQ(box->windowTitle(), "QUILL");
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->button(QMessageBox::Ok)->click();
    });
    ASSERT_TRUE(Start());
    EXPECT_TRUE(shown);
    EXPECT_TRUE(View()->KeywordTable().IsEmpty());
    // Recoloring still gives the default record, and nothing else.
    View()->setPlainText("*main print ; x");
    View()->RecolorAll();
    EXPECT_EQ(RecordsOfLine(*View(), 0), QString(15, u'0'));
}

}  // namespace
