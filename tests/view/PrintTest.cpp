#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QImage>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <climits>
#include <vector>

#include "app/CQuillApp.h"
#include "res/CommandIds.h"
#include "support/AppFixture.h"
#include "support/MessageBoxRecorder.h"
#include "support/TestUtil.h"
#include "view/CQuillView.h"
#include "view/CScriptPrinter.h"
#include "view/KeywordColors.h"
#include "view/PrintColors.h"

namespace {

QColor ColorAt(const QTextDocument& doc, int pos) {
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(pos + 1);  // the format of the character before the cursor
    const QTextCharFormat f = c.charFormat();
    return f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor();
}

void Paint(QTextDocument& doc, int from, int to, const QColor& color) {
    QTextCursor c(&doc);
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    QTextCharFormat f;
    f.setForeground(color);
    c.mergeCharFormat(f);
}

int PdfPageCount(const QByteArray& pdf) {
    return int(pdf.count("/Type /Page\n"));
}

class PrintTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
        m_pdf = m_out.filePath("out.pdf");
        QPrinter* p = Printer();
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(m_pdf);
    }
    QPrinter* Printer() { return View()->Printer().Printer(); }

    // A script with white (record 0), uncolored and red text, long enough
    // for several pages, with one line far wider than the page.
    void SetScript() {
        QString text = QStringLiteral("Xwhite plain red\n");
        text += QString(400, QLatin1Char('w')) + QLatin1Char('\n');
        for (int i = 0; i < 150; ++i) {
            text += QStringLiteral("\tmes \"line %1\"\n").arg(i);
        }
        View()->setPlainText(text);
        QTextDocument& doc = *View()->document();
        Paint(doc, 0, 6, Qt::white);
        Paint(doc, 13, 16, QColor(255, 0, 0));
        Paint(doc, 17, 417, Qt::white);
    }

    QTemporaryDir m_out;
    QString m_pdf;
};

}  // namespace

TEST(ScriptPrinter, PrintCopyTurnsWhiteAndUncoloredTextBlack) {
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("white none red yellow"));
    Paint(doc, 0, 5, Qt::white);
    Paint(doc, 11, 14, QColor(255, 0, 0));
    Paint(doc, 15, 21, QColor(250, 250, 50));

    const auto copy = CScriptPrinter::PrintCopy(doc);
    EXPECT_EQ(copy->toPlainText(), doc.toPlainText());
    EXPECT_EQ(ColorAt(*copy, 0), QColor(Qt::black));
    EXPECT_EQ(ColorAt(*copy, 7), QColor(Qt::black));
    EXPECT_EQ(ColorAt(*copy, 16), printcolors::OnWhitePaper(QColor(250, 250, 50)));
    EXPECT_EQ(ColorAt(doc, 0), QColor(Qt::white));  // the original keeps its formats
    EXPECT_EQ(ColorAt(doc, 16), QColor(250, 250, 50));

    const auto part = CScriptPrinter::PrintCopy(doc, 6, 14);
    EXPECT_EQ(part->toPlainText(), "none red");
    EXPECT_EQ(ColorAt(*part, 0), QColor(Qt::black));
    EXPECT_EQ(ColorAt(*part, 6), printcolors::OnWhitePaper(QColor(255, 0, 0)));
}

TEST(PrintColors, LightColorsPrintAsADarkerShadeOfTheirHue) {
    for (const keywordcolors::ColorRecord& r : keywordcolors::kRecords) {
        const QColor screen(r.red, r.green, r.blue);
        const QColor printed = printcolors::OnWhitePaper(screen);
        SCOPED_TRACE(screen.name().toStdString() + " -> " + printed.name().toStdString());
        EXPECT_GE(printcolors::ContrastOnWhite(printed), printcolors::kMinContrast);
        if (printcolors::ContrastOnWhite(screen) >= printcolors::kMinContrast) {
            EXPECT_EQ(printed, screen);  // readable colors stay
        } else if (screen.hsvHue() >= 0) {
            // Only as dark as needed, in the same hue.
            EXPECT_NEAR(printed.hsvHue(), screen.hsvHue(), 3);
            EXPECT_LT(printcolors::ContrastOnWhite(printed), printcolors::kMinContrast + 0.5);
        }
    }
    EXPECT_NEAR(printcolors::ContrastOnWhite(Qt::black), 21.0, 0.01);
    EXPECT_NEAR(printcolors::ContrastOnWhite(QColor(250, 250, 50)), 1.1, 0.05);
    EXPECT_EQ(printcolors::OnWhitePaper(Qt::white), QColor(Qt::black));
}

TEST_F(PrintTest, PageHasHalfInchMarginsAndBlackText) {
    SetScript();
    const QPageLayout layout = Printer()->pageLayout();
    const QMarginsF mm = layout.margins(QPageLayout::Millimeter);
    for (qreal side : {mm.left(), mm.top(), mm.right(), mm.bottom()}) {
        EXPECT_NEAR(side, 12.7, 0.01);
    }

    // Page 1 at 100 dpi, laid out as the printer lays it out.
    const int dpi = 100;
    const QRect full = layout.fullRectPixels(dpi);
    const QRect body = layout.paintRectPixels(dpi);
    const int margin = int(12.7 / 25.4 * dpi);
    EXPECT_NEAR(body.left(), margin, 1);
    EXPECT_NEAR(full.width() - body.right() - 1, margin, 1);
    QImage page(full.size(), QImage::Format_RGB32);
    page.setDotsPerMeterX(int(dpi / 0.0254));
    page.setDotsPerMeterY(int(dpi / 0.0254));
    page.fill(Qt::white);
    const auto copy = CScriptPrinter::PrintCopy(*View()->document());
    EXPECT_GT(CScriptPrinter::LayOut(copy.get(), &page, body.size()), 1);
    {
        QPainter painter(&page);
        painter.translate(body.topLeft());
        CScriptPrinter::PaintPage(&painter, copy.get(), 0, body.size());
    }

    QRect ink;
    int black = 0;
    int red = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c == Qt::white) {
                continue;
            }
            ink |= QRect(x, y, 1, 1);
            black += c.red() < 60 && c.green() < 60 && c.blue() < 60;
            red += c.red() > 200 && c.green() < 60 && c.blue() < 60;
        }
    }
    // Everything lies within the margins; the text starts at the top left
    // corner of the body, and the long line wraps at its right edge.
    EXPECT_TRUE(body.adjusted(-1, -1, 1, 1).contains(ink)) << ink.x() << "," << ink.y();
    EXPECT_LE(ink.left() - body.left(), 3);
    EXPECT_LE(ink.top() - body.top(), 6);
    EXPECT_GE(ink.right(), body.right() - 20);
    EXPECT_GT(black, 100);  // the white and the uncolored text
    EXPECT_GT(red, 10);
}

TEST_F(PrintTest, PrintDirectWritesEveryPageAndLeavesTheViewAlone) {
    SetScript();
    View()->OnCommand(cmd::ID_FILE_PRINT_DIRECT);
    const QByteArray pdf = testutil::ReadFile(m_pdf);
    ASSERT_TRUE(pdf.startsWith("%PDF"));
    const int pages = PdfPageCount(pdf);
    EXPECT_GT(pages, 1);
    EXPECT_EQ(ColorAt(*View()->document(), 0), QColor(Qt::white));

    // A page range.
    Printer()->setPrintRange(QPrinter::PageRange);
    Printer()->setFromTo(2, 2);
    EXPECT_EQ(CScriptPrinter::PrintTo(Printer(), *View()->document()), 1);
    EXPECT_EQ(PdfPageCount(testutil::ReadFile(m_pdf)), 1);
}

TEST_F(PrintTest, PrintThatCannotStartIsReported) {
    View()->setPlainText("x");
    Printer()->setOutputFileName(m_out.filePath("missing/folder/out.pdf"));
    testutil::MessageBoxRecorder boxes;
    View()->OnCommand(cmd::ID_FILE_PRINT_DIRECT);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, QStringLiteral("印刷を開始できませんでした。"));
}

TEST_F(PrintTest, DialogsWorkOnTheSharedPrinter) {
    SetScript();
    View()->Ctrl().SetSel(0, 5);
    bool offered = false;
    int pages = 0;
    QPrinter* seen = nullptr;
    auto answer = [&](QWidget* w) {
        if (auto print = qobject_cast<QPrintDialog*>(w)) {
            offered = print->testOption(QAbstractPrintDialog::PrintSelection);
        } else if (auto preview = w->findChild<QPrintPreviewWidget*>()) {
            pages = preview->pageCount();
        } else if (auto setup = qobject_cast<QPageSetupDialog*>(w)) {
            seen = setup->printer();
        }
        static_cast<QDialog*>(w)->reject();
    };
    testutil::WhenModal(answer);
    View()->OnCommand(cmd::ID_FILE_PRINT);
    EXPECT_TRUE(offered);                // a selection can be printed alone
    EXPECT_FALSE(QFile::exists(m_pdf));  // cancelled
    testutil::WhenModal(answer);
    View()->OnCommand(cmd::ID_FILE_PRINT_PREVIEW);
    EXPECT_GT(pages, 1);
    testutil::WhenModal(answer);
    App()->OnCommand(cmd::ID_FILE_PRINT_SETUP);
    EXPECT_EQ(seen, Printer());
}

TEST_F(PrintTest, PrintedPdfHasHalfInchTabsAndReadableColors) {
    const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
    if (pdftoppm.isEmpty()) {
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    }
    // One line without indent, one with one tab and one with two, then a
    // line in each color record.
    QString text = QStringLiteral("MMMM\n\tMMMM\n\t\tMMMM\n");
    for (int i = 0; i < keywordcolors::kRecordCount; ++i) {
        text += QStringLiteral("MMMMMMMM\n");
    }
    View()->setPlainText(text);
    for (int i = 0; i < keywordcolors::kRecordCount; ++i) {
        const keywordcolors::ColorRecord& r = keywordcolors::kRecords[i];
        const int start = View()->Ctrl().LineIndex(3 + i);
        Paint(*View()->document(), start, start + 8, QColor(r.red, r.green, r.blue));
    }
    View()->OnCommand(cmd::ID_FILE_PRINT_DIRECT);

    const int dpi = 300;
    QProcess::execute(pdftoppm, {"-r", QString::number(dpi), "-png", "-f", "1", "-l", "1",
                                 "-singlefile", m_pdf, m_out.filePath("page")});
    const QImage page(m_out.filePath("page.png"));
    ASSERT_FALSE(page.isNull());

    // The printed lines: runs of rows with ink, top to bottom, with the
    // first ink of each and its most contrasting pixel.
    struct Line {
        int left = INT_MAX;
        QColor darkest = Qt::white;
    };
    std::vector<Line> lines;
    bool inLine = false;
    for (int y = 0; y < page.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.lightness() > 235) {
                continue;
            }
            if (!ink && !inLine) {
                lines.emplace_back();
            }
            ink = true;
            Line& line = lines.back();
            line.left = std::min(line.left, x);
            if (printcolors::ContrastOnWhite(c) > printcolors::ContrastOnWhite(line.darkest)) {
                line.darkest = c;
            }
        }
        inLine = ink;
    }
    ASSERT_EQ(int(lines.size()), 3 + keywordcolors::kRecordCount);
    const double halfInch = dpi / 2.0;
    EXPECT_NEAR(lines[1].left - lines[0].left, halfInch, dpi / 50.0);
    EXPECT_NEAR(lines[2].left - lines[0].left, 2 * halfInch, dpi / 50.0);
    for (int i = 0; i < keywordcolors::kRecordCount; ++i) {
        const keywordcolors::ColorRecord& r = keywordcolors::kRecords[i];
        const QColor printed = lines[3 + i].darkest;
        SCOPED_TRACE(QColor(r.red, r.green, r.blue).name().toStdString() + " printed as " +
                     printed.name().toStdString());
        EXPECT_GE(printcolors::ContrastOnWhite(printed), printcolors::kMinContrast);
    }
}
