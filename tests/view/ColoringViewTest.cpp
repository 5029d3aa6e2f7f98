#include "support/QuillTest.h"

#include <QRegularExpression>

#include "view/CSyntaxColorer.h"
#include "view/KeywordColors.h"

namespace {

// print, mes, goto and if blue (6); int yellow (3); comments green (5);
// labels red (1).
const QByteArray kTable = "!blue\nprint\nmes\ngoto\nif\n!yellow\nint\n!green\n;\n!red\n*\n";

using testutil::RecordsOfLine;
using testutil::RecordsOfText;

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
        m_view = testutil::MakeView(kTable);
        m_view->resize(600, 400);
        m_view->show();
    }
    CQuillView& View() { return *m_view; }
    CEditControl& Ctrl() { return m_view->Ctrl(); }
    void Load(const QString& text) {
        m_view->setPlainText(text);
        m_view->document()->setModified(false);
        m_view->RecolorAll();
    }
    void Caret(int pos) { Ctrl().SetSel(pos, pos); }
    QString Sel() { return testutil::SelOf(Ctrl()); }
    // The view's colors equal those of one pass over its whole text.
    void ExpectColoredInOnePass() {
        const auto reference = testutil::MakeView(kTable);
        reference->setPlainText(m_view->toPlainText());
        reference->RecolorLines(0, reference->blockCount() - 1, 0, 0, Redraw::All());
        EXPECT_EQ(RecordsOfText(*m_view), RecordsOfText(*reference));
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
    EXPECT_EQ(Sel(), "0,0");
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
    EXPECT_EQ(Sel(), "2,3");
    Ctrl().SetRedraw(true);
    Ctrl().InvalidateAll();
    spy.Flush();
    EXPECT_EQ(spy.count, 1);
}

TEST_F(ColoringView, EnterCopiesTheLeadingTabsOfTheLineAboveAndRecolors) {
    const struct {
        QString text;
        int caret;  // -1: the end
        Qt::KeyboardModifiers modifiers;
        QString expected;
    } cases[] = {
        {"\t\t\tif a", -1, {}, "\t\t\tif a\n\t\t\t"},
        {QString(40, u'\t'), -1, {}, QString(40, u'\t') + u'\n' + QString(31, u'\t')},
        // Spaces, or a space before the tabs, give no indentation.
        {"    mes", -1, {}, "    mes\n"},
        {" \t\tmes", -1, {}, " \t\tmes\n"},
        // Inside a line the moved text is indented; Shift+Enter is Enter.
        {"\t\tmesprint", 5, Qt::ShiftModifier, "\t\tmes\n\t\tprint"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        Load(c.text);
        Caret(c.caret < 0 ? Ctrl().GetTextLength() : c.caret);
        QTest::keyClick(&View(), Qt::Key_Return, c.modifiers);
        EXPECT_EQ(View().toPlainText(), c.expected);
    }
    // Both lines are recolored.
    EXPECT_EQ(Records(), QStringList({"00666", "0066666"}));
}

TEST_F(ColoringView, PasteReplaceAndCutRecolorTheirLinesClearAndDropDoNot) {
    const QString pasted = "print a\n*lab ; x\n; note\nint";
    const QString replacement = "x\nprint ;";
    const struct {
        const char* name;
        QString text;
        int selStart, selEnd;
        std::function<void(CQuillView&)> act;
        QStringList records;
    } cases[] = {
        {"paste",
         "mes 1",
         4,
         5,
         [](CQuillView& v) { v.OnCommand(cmd::ID_EDIT_PASTE); },
         {"66606666600", "11110555", "555555", "333"}},
        {"replace",
         "a b c\nmes",
         2,
         3,
         [&](CQuillView& v) {
             v.ReplaceSelAndRecolor(&replacement, CQuillView::ReplaceMode::Repaint);
         },
         {"000", "666660555", "666"}},
        // What is left of "print" keeps its old color.
        {"clear",
         "print x",
         0,
         2,
         [](CQuillView& v) { v.OnCommand(cmd::ID_EDIT_CLEAR); },
         {"66600"}},
        {"cut", "print x", 0, 2, [](CQuillView& v) { v.OnCommand(cmd::ID_EDIT_CUT); }, {"33300"}},
        // Dropped text takes the color where it lands and keeps it.
        {"drop",
         "print x",
         0,
         0,
         [](CQuillView& v) {
             QMimeData data;
             data.setText("int ");
             const QPoint at = v.cursorRect(QTextCursor(v.document())).center();
             QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(v.viewport(), &enter);
             QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
             QApplication::sendEvent(v.viewport(), &drop);
         },
         {"66666666600"}},
    };
    QApplication::clipboard()->setText(pasted);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Load(c.text);
        Ctrl().SetSel(c.selStart, c.selEnd);
        c.act(View());
        EXPECT_EQ(Records(), c.records);
        EXPECT_TRUE(Ctrl().IsRedrawOn());
    }
    EXPECT_EQ(QApplication::clipboard()->text(), "pr");

    // Delete recolors when the key is released.
    Load("mesx");
    Caret(3);
    QTest::keyPress(&View(), Qt::Key_Delete);
    EXPECT_EQ(Records(), QStringList{"000"});
    QTest::keyRelease(&View(), Qt::Key_Delete);
    EXPECT_EQ(Records(), QStringList{"666"});
}

TEST_F(ColoringView, JapaneseTextCountsItsBytesForTheScanAndItsCharactersForTheColors) {
    // 表 is 0x95 0x5C: its trail byte is no backslash inside a string.
    Load(u"\"表\" mes ; 日本\nmes表示 print\n*ラベル名 mes\n*ab\uFF71mes"_qs);
    // Half-width katakana ends a label name.
    EXPECT_EQ(Records(), QStringList({"000066605555", "66600066666", "111110666", "1110666"}));

    // Typed through an input method: the line is recolored around it.
    Caret(Ctrl().LineIndex(1) + 3);
    testutil::Commit(&View(), u" ;漢字"_s);
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
    testutil::Commit(&View(), u"あいう"_s);
    EXPECT_EQ(Line(0), u"prあいうint x : mes y"_s);
    ExpectColoredInOnePass();

    // A pre-edit string typed over a selection removes it; cancelling the
    // composition leaves the text without it, colored as it now reads.
    Load("mes \"abc\" ; first");
    Ctrl().SetSel(4, 14);
    QInputMethodEvent typed(u"nihongo"_s, {});
    QApplication::sendEvent(&View(), &typed);
    QInputMethodEvent cancelled;
    QApplication::sendEvent(&View(), &cancelled);
    EXPECT_EQ(Line(0), "mes rst");
    EXPECT_EQ(RecordsOfLine(View(), 0), "6660000");

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
    EXPECT_EQ(Sel(), "0,0");
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

    // A new load while chunks wait is colored whole; its chunks of 128
    // lines from line 200 end once on the line before the last.
    Load(LongScript(3 * CSyntaxColorer::kSyncLines));
    ASSERT_TRUE(colorer.IsPending());
    Load(LongScript(CSyntaxColorer::kFirstLines + 128 * 30).replace("mes", "int"));
    colorer.FinishPending();
    ExpectColoredInOnePass();
    EXPECT_EQ(RecordsOfLine(View(), 1), "033300000005555555");
}

// Whether the window shows text in each of the colors of `records`.
bool ShowsColors(QWidget& viewport, std::initializer_list<int> records) {
    const QImage shot = viewport.grab().toImage();
    return std::all_of(records.begin(), records.end(), [&](int record) {
        const auto& r = keywordcolors::kRecords[record];
        return testutil::ShowsColor(shot, QColor(r.red, r.green, r.blue));
    });
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

TEST_F(ColoringView, BlockCommentsFollowEditsUntilTheStateSettles) {
    Load("mes\n*a\nmes\nmes */ mes\nmes\n/*\nmes\nmes */\nmes");
    // Each edit, then the lines as one pass colors them.
    const struct {
        int line;
        int from;    // position within the line
        int remove;  // characters removed there
        QString insert;
    } edits[] = {
        {0, 3, 0, " /*"},   // opens a comment over the next three lines
        {2, 0, 0, "*/"},    // closes it two lines further down
        {0, 3, 3, ""},      // the opening goes again
        {4, 3, 0, "\n*/"},  // a new line that is no label now
        {5, 0, 6, ""},      // a line and its end removed, where the comment opened
    };
    for (const auto& e : edits) {
        SCOPED_TRACE(e.insert.toStdString());
        const int at = Ctrl().LineIndex(e.line) + e.from;
        Ctrl().SetSel(at, at + e.remove);
        View().ReplaceSelAndRecolor(&e.insert, CQuillView::ReplaceMode::Repaint);
        ExpectColoredInOnePass();
    }
    EXPECT_EQ(RecordsOfLine(View(), 1), "11");
}

TEST_F(ColoringView, CommentOpenedAtTheTopOfALargeScriptColorsTheRestInChunks) {
    const int lines = 100000;
    Load(LongScript(lines));
    CSyntaxColorer& colorer = View().Colorer();
    colorer.FinishPending();
    Caret(0);
    QTest::keyClicks(&View(), "/*");
    // The window's lines at once, the rest in chunks.
    EXPECT_TRUE(colorer.IsPending());
    const int shown = Ctrl().GetVisibleLinesCheaply().last;
    EXPECT_EQ(RecordsOfLine(View(), shown), QString(Line(shown).size(), '5'));
    EXPECT_NE(RecordsOfLine(View(), lines - 2), QString(Line(lines - 2).size(), '5'));
    colorer.FinishPending();
    EXPECT_EQ(RecordsOfLine(View(), lines - 2), QString(Line(lines - 2).size(), '5'));
    // Closing it again, far down, recolors the lines after it.
    Ctrl().SetSel(Ctrl().LineIndex(lines - 3), Ctrl().LineIndex(lines - 3));
    QTest::keyClicks(&View(), "*/");
    colorer.FinishPending();
    ExpectColoredInOnePass();
}

class ColoringApp : public AppFixture {};

TEST_F(ColoringApp, OpenedScriptIsColoredWithTheCaretAtTheStart) {
    SetQuillDat(kTable);
    QTemporaryDir dir;
    ASSERT_TRUE(Start({testutil::WriteFile(dir, "test.as", "*start\r\n\tgoto *start ; x\r\n")}));
    EXPECT_EQ(RecordsOfLine(*View(), 0), "111111");
    EXPECT_EQ(RecordsOfLine(*View(), 1), "06666" + QString(8, u'0') + "555");
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
