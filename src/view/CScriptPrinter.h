#pragma once
// Printing and print preview of the script, and the printer that page
// setup and every print share. The page is white, so the script is printed
// from a copy of the document in which the white of the default format
// (and text without a color) is black and every color too light for white
// paper is a darker shade of itself; the view's own formats are never
// touched. Long lines wrap at the page width.

#include <QSizeF>
#include <memory>

class QPaintDevice;
class QPainter;
class QPrinter;
class QTextDocument;
class QWidget;

class CScriptPrinter {
public:
    // Margins on every side of the page: 720 twips, half an inch.
    static constexpr double kMarginMm = 12.7;

    CScriptPrinter();
    ~CScriptPrinter();
    CScriptPrinter(const CScriptPrinter&) = delete;
    CScriptPrinter& operator=(const CScriptPrinter&) = delete;

    // The shared printer, made at first use with the margins above. Page
    // setup may change its paper and margins; later prints keep them.
    QPrinter* Printer();

    // Page setup on the shared printer; true when accepted.
    bool PageSetup(QWidget* parent);
    // The print dialog, then printing: all pages, a page range, or the
    // selection [selStart, selEnd) when there is one and it was chosen.
    // False when cancelled or when printing could not start (reported).
    bool Print(QWidget* parent, const QTextDocument& doc, int selStart, int selEnd);
    // Prints every page on the shared printer without a dialog.
    bool PrintDirect(QWidget* parent, const QTextDocument& doc);
    // The print preview window on the shared printer.
    void Preview(QWidget* parent, const QTextDocument& doc);

    // Prints positions [start, end) of `doc` (end -1: to the end) on
    // `printer`, honouring its page range, page order and copies. Returns
    // the number of pages printed, -1 when the printer could not start.
    static int PrintTo(QPrinter* printer, const QTextDocument& doc, int start = 0, int end = -1);

    // A copy of positions [start, end) of `doc` for white paper: text in
    // the default format's white, or with no color, is black; colors too
    // light for white paper are darkened; other colors stay as they are.
    static std::unique_ptr<QTextDocument> PrintCopy(const QTextDocument& doc, int start = 0,
                                                    int end = -1);
    // Lays a print copy out for pages of `body` (device pixels) on `device`
    // and returns the number of pages.
    static int LayOut(QTextDocument* copy, QPaintDevice* device, const QSizeF& body);
    // Paints page `index` (from 0) of a laid-out copy; the painter's origin
    // is the top left corner of the page's printable area.
    static void PaintPage(QPainter* painter, QTextDocument* copy, int index, const QSizeF& body);

private:
    std::unique_ptr<QPrinter> m_printer;
};
