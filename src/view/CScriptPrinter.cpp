#include "view/CScriptPrinter.h"

#include <QAbstractTextDocumentLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <algorithm>
#include <vector>

#include "res/Messages.h"
#include "view/KeywordColors.h"
#include "view/PrintColors.h"

namespace {

bool PrintsWhite(const QTextCharFormat& format) {
    if (!format.hasProperty(QTextFormat::ForegroundBrush)) {
        return true;
    }
    const QBrush brush = format.foreground();
    return brush.style() == Qt::NoBrush ||
           brush.color().rgb() == keywordcolors::DefaultTextColor().rgb();
}

// How many device pixels of `device` one unit of a tab stop distance
// becomes when a document is laid out on it: measured on a probe line.
double TabDistanceScale(QPaintDevice* device) {
    constexpr double kProbeDistance = 100.0;
    QTextDocument probe;
    probe.documentLayout()->setPaintDevice(device);
    probe.setDocumentMargin(0);
    QTextOption option = probe.defaultTextOption();
    option.setTabStopDistance(kProbeDistance);
    probe.setDefaultTextOption(option);
    probe.setPlainText(QStringLiteral("\tx"));
    probe.setTextWidth(kProbeDistance * 1000);
    probe.documentLayout()->documentSize();  // lays the probe out
    const QTextLayout* layout = probe.firstBlock().layout();
    if (!layout || layout->lineCount() == 0) {
        return 1.0;
    }
    const double x = layout->lineAt(0).cursorToX(1);
    return x > 0 ? x / kProbeDistance : 1.0;
}

void ReportFailure(QWidget* parent) {
    msg::Warning(parent, QString::fromUtf8(msg::kPrintError));
}

}  // namespace

CScriptPrinter::CScriptPrinter() = default;
CScriptPrinter::~CScriptPrinter() = default;

QPrinter* CScriptPrinter::Printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                  QPageLayout::Millimeter);
    }
    return m_printer.get();
}

bool CScriptPrinter::PageSetup(QWidget* parent) {
    QPageSetupDialog dialog(Printer(), parent);
    return dialog.exec() == QDialog::Accepted;
}

bool CScriptPrinter::Print(QWidget* parent, const QTextDocument& doc, int selStart, int selEnd) {
    QPrinter* printer = Printer();
    printer->setPrintRange(QPrinter::AllPages);
    QPrintDialog dialog(printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, selStart != selEnd);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    const bool selection = printer->printRange() == QPrinter::Selection;
    if (PrintTo(printer, doc, selection ? selStart : 0, selection ? selEnd : -1) < 0) {
        ReportFailure(parent);
        return false;
    }
    return true;
}

bool CScriptPrinter::PrintDirect(QWidget* parent, const QTextDocument& doc) {
    QPrinter* printer = Printer();
    printer->setPrintRange(QPrinter::AllPages);
    if (PrintTo(printer, doc) < 0) {
        ReportFailure(parent);
        return false;
    }
    return true;
}

void CScriptPrinter::Preview(QWidget* parent, const QTextDocument& doc) {
    QPrinter* printer = Printer();
    printer->setPrintRange(QPrinter::AllPages);
    QPrintPreviewDialog dialog(printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&doc](QPrinter* p) { PrintTo(p, doc); });
    dialog.exec();
}

int CScriptPrinter::PrintTo(QPrinter* printer, const QTextDocument& doc, int start, int end) {
    const std::unique_ptr<QTextDocument> copy = PrintCopy(doc, start, end);
    QPainter painter;
    if (!painter.begin(printer)) {
        return -1;
    }
    const QSizeF body = printer->pageLayout().paintRectPixels(printer->resolution()).size();
    const int pages = LayOut(copy.get(), printer, body);

    int first = 0;
    int last = pages - 1;
    if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
        first = printer->fromPage() - 1;
        last = std::min(last, printer->toPage() > 0 ? printer->toPage() - 1 : last);
    }
    std::vector<int> order;
    for (int i = first; i <= last; ++i) {
        order.push_back(i);
    }
    if (printer->pageOrder() == QPrinter::LastPageFirst) {
        std::reverse(order.begin(), order.end());
    }
    // The print system makes the copies when it can; otherwise they are
    // printed here, collated.
    const int copies = printer->supportsMultipleCopies() ? 1 : std::max(printer->copyCount(), 1);

    int printed = 0;
    for (int c = 0; c < copies; ++c) {
        for (int index : order) {
            if (printed > 0 && !printer->newPage()) {
                return printed;
            }
            PaintPage(&painter, copy.get(), index, body);
            ++printed;
        }
    }
    painter.end();
    return printed;
}

std::unique_ptr<QTextDocument> CScriptPrinter::PrintCopy(const QTextDocument& doc, int start,
                                                         int end) {
    const int length = doc.characterCount() - 1;
    start = std::clamp(start, 0, length);
    end = end < 0 ? length : std::clamp(end, start, length);
    std::unique_ptr<QTextDocument> copy;
    if (start == 0 && end == length) {
        copy.reset(doc.clone());
    } else {
        copy = std::make_unique<QTextDocument>();
        copy->setDefaultFont(doc.defaultFont());
        QTextCursor range(const_cast<QTextDocument*>(&doc));
        range.setPosition(start);
        range.setPosition(end, QTextCursor::KeepAnchor);
        QTextCursor(copy.get()).insertFragment(range.selection());
    }
    copy->setUndoRedoEnabled(false);

    // Collect first, then change: a format change splits and joins the
    // fragments being walked.
    struct Recolor {
        int from;
        int to;
        QColor color;
    };
    std::vector<Recolor> ranges;
    for (QTextBlock b = copy->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const QTextCharFormat format = f.charFormat();
            QColor color(Qt::black);
            if (!PrintsWhite(format)) {
                const QColor screen = format.foreground().color();
                color = printcolors::OnWhitePaper(screen);
                if (color == screen) {
                    continue;
                }
            }
            const int end = f.position() + f.length();
            if (!ranges.empty() && ranges.back().to == f.position() &&
                ranges.back().color == color) {
                ranges.back().to = end;
            } else {
                ranges.push_back({f.position(), end, color});
            }
        }
    }
    QTextCursor c(copy.get());
    c.beginEditBlock();
    for (const Recolor& r : ranges) {
        QTextCharFormat format;
        format.setForeground(r.color);
        c.setPosition(r.from);
        c.setPosition(r.to, QTextCursor::KeepAnchor);
        c.mergeCharFormat(format);
    }
    c.endEditBlock();
    return copy;
}

int CScriptPrinter::LayOut(QTextDocument* copy, QPaintDevice* device, const QSizeF& body) {
    copy->documentLayout()->setPaintDevice(device);
    copy->setDocumentMargin(0);
    QTextOption option = copy->defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    // Tab stops every half inch of paper, as on the screen at the default
    // text size. The layout scales a tab distance from screen to device
    // resolution itself, so the distance is given in the units it scales
    // from.
    option.setTabStopDistance(device->logicalDpiX() / 2.0 / TabDistanceScale(device));
    copy->setDefaultTextOption(option);
    copy->setPageSize(body);
    return copy->pageCount();
}

void CScriptPrinter::PaintPage(QPainter* painter, QTextDocument* copy, int index,
                               const QSizeF& body) {
    const QRectF page(0, index * body.height(), body.width(), body.height());
    painter->save();
    painter->translate(0, -page.top());
    painter->setClipRect(page);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = page;
    context.palette.setColor(QPalette::Text, Qt::black);
    copy->documentLayout()->draw(painter, context);
    painter->restore();
}
