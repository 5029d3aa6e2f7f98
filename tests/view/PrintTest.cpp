// Printing: the copy for white paper, the colors it prints in, and the
// script as it comes out of the printer.
#include "support/QuillTest.h"

#include <QPrinter>

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

QColor ScreenColor(int record) {
    const keywordcolors::ColorRecord& r = keywordcolors::kRecords[record];
    return QColor(r.red, r.green, r.blue);
}

TEST(ScriptPrinter, PrintCopyTurnsWhiteAndUncoloredTextBlack) {
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("white none red yellow"));
    for (const auto& [from, to, color] : {std::tuple{0, 5, QColor(Qt::white)},
                                          {11, 14, ScreenColor(1)},
                                          {15, 21, ScreenColor(3)}}) {
        QTextCursor c(&doc);
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        QTextCharFormat f;
        f.setForeground(color);
        c.mergeCharFormat(f);
    }
    const auto copy = CScriptPrinter::PrintCopy(doc);
    EXPECT_EQ(copy->toPlainText(), doc.toPlainText());
    EXPECT_EQ(ColorAt(*copy, 0), QColor(Qt::black));
    EXPECT_EQ(ColorAt(*copy, 7), QColor(Qt::black));
    EXPECT_EQ(ColorAt(*copy, 16), printcolors::OnWhitePaper(ScreenColor(3)));
    EXPECT_EQ(ColorAt(doc, 0), QColor(Qt::white));  // the original keeps its formats

    const auto part = CScriptPrinter::PrintCopy(doc, 6, 14);
    EXPECT_EQ(part->toPlainText(), "none red");
    EXPECT_EQ(ColorAt(*part, 6), printcolors::OnWhitePaper(ScreenColor(1)));
}

TEST(PrintColors, LightColorsPrintAsADarkerShadeOfTheirHue) {
    for (int record = 0; record < keywordcolors::kRecordCount; ++record) {
        const QColor screen = ScreenColor(record);
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
    EXPECT_GT(printcolors::ContrastOnWhite(Qt::black), printcolors::ContrastOnWhite(Qt::blue));
    EXPECT_EQ(printcolors::OnWhitePaper(Qt::white), QColor(Qt::black));
}

class PrintTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        // One word in each color record.
        QByteArray words;
        for (int record = 1; record < keywordcolors::kRecordCount; ++record) {
            words += keywordcolors::kRecords[record].directive + QByteArray("\nkw") +
                     QByteArray::number(record) + '\n';
        }
        SetQuillDat(words);
        ASSERT_TRUE(Start());
        m_pdf = m_out.filePath("out.pdf");
        Printer()->setOutputFormat(QPrinter::PdfFormat);
        Printer()->setOutputFileName(m_pdf);
    }
    QPrinter* Printer() { return View()->Printer().Printer(); }
    // Page `page` of the printed PDF at `dpi`; null without pdftoppm.
    QImage Page(int page, int dpi) {
        const QString pdftoppm = QStandardPaths::findExecutable("pdftoppm");
        if (pdftoppm.isEmpty()) {
            return {};
        }
        const QString n = QString::number(page);
        QProcess::execute(pdftoppm, {"-r", QString::number(dpi), "-png", "-f", n, "-l", n,
                                     "-singlefile", m_pdf, m_out.filePath("page")});
        return QImage(m_out.filePath("page.png"));
    }
    static int PageCount(const QByteArray& pdf) { return int(pdf.count("/Type /Page\n")); }

    QTemporaryDir m_out;
    QString m_pdf;
};

}  // namespace

TEST_F(PrintTest, PrintedScriptShowsItsColorsAndWrappedLinesOnWhitePaper) {
    // A keyword of each color, a line far wider than the page, and enough
    // lines for several pages.
    QString text = QStringLiteral("MMMM\n");
    for (int record = 1; record < keywordcolors::kRecordCount; ++record) {
        text += QStringLiteral("kw%1 kw%1 kw%1\n").arg(record);
    }
    text += QString(400, u'w') + u'\n';
    text += QStringLiteral("\tmes \"line\"\n").repeated(150);
    SetText(text);
    View()->RecolorAll();
    View()->OnCommand(cmd::ID_FILE_PRINT_DIRECT);
    ASSERT_GT(PageCount(testutil::ReadFile(m_pdf)), 1);

    const int dpi = 300;
    const QImage page = Page(1, dpi);
    if (page.isNull()) {
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    }
    for (int record = 1; record < keywordcolors::kRecordCount; ++record) {
        const QColor printed = printcolors::OnWhitePaper(ScreenColor(record));
        EXPECT_TRUE(testutil::ShowsColor(page, printed, 255)) << printed.name().toStdString();
    }
    EXPECT_TRUE(testutil::ShowsColor(page, Qt::black, 255));
    EXPECT_FALSE(testutil::ShowsColor(page, ScreenColor(3), 255));  // yellow is too light

    // The wide line reaches the right margin and wraps there.
    auto ink = [](QRgb p) { return qGray(p) < 200; };
    EXPECT_GT(testutil::CountPixels(page.copy(page.width() - dpi, 0, dpi / 2, dpi * 3), ink), 0);
    EXPECT_EQ(
        testutil::CountPixels(page.copy(page.width() - dpi / 4, 0, dpi / 4, page.height()), ink),
        0);

    // A page range.
    Printer()->setPrintRange(QPrinter::PageRange);
    Printer()->setFromTo(2, 2);
    EXPECT_EQ(CScriptPrinter::PrintTo(Printer(), *View()->document()), 1);
    EXPECT_EQ(PageCount(testutil::ReadFile(m_pdf)), 1);
}

TEST_F(PrintTest, PrintThatCannotStartIsReported) {
    SetText("x");
    Printer()->setOutputFileName(m_out.filePath("missing/folder/out.pdf"));
    testutil::MessageBoxRecorder boxes;
    View()->OnCommand(cmd::ID_FILE_PRINT_DIRECT);
    EXPECT_EQ(boxes.Texts(), QStringList{"印刷を開始できませんでした。"});
}
