#include "res/CommandIcons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include "res/CommandIds.h"
#include "res/CommandTable.h"

namespace res {
namespace {

using namespace cmd;

// A small palette in the spirit of classic 16-colour tool bar art.
const QColor kInk(0, 0, 0);
const QColor kPaper(255, 255, 255);
const QColor kShadow(128, 128, 128);
const QColor kLight(192, 192, 192);
const QColor kNavy(0, 0, 128);
const QColor kBlue(0, 0, 255);
const QColor kTeal(0, 128, 128);
const QColor kGreen(0, 160, 0);
const QColor kDarkGreen(0, 96, 0);
const QColor kRed(200, 0, 0);
const QColor kYellow(255, 255, 0);
const QColor kOchre(192, 160, 0);
const QColor kBrown(128, 64, 0);

void Pixel(QPainter& p, int x, int y, const QColor& c) {
    p.fillRect(x, y, 1, 1, c);
}

// Horizontal and vertical runs of pixels, inclusive of both ends.
void HLine(QPainter& p, int x0, int x1, int y, const QColor& c) {
    p.fillRect(x0, y, x1 - x0 + 1, 1, c);
}
void VLine(QPainter& p, int x, int y0, int y1, const QColor& c) {
    p.fillRect(x, y0, 1, y1 - y0 + 1, c);
}

// An outlined rectangle with a filled inside; corners inclusive.
void Box(QPainter& p, int x0, int y0, int x1, int y1, const QColor& edge, const QColor& fill) {
    p.fillRect(x0, y0, x1 - x0 + 1, y1 - y0 + 1, edge);
    p.fillRect(x0 + 1, y0 + 1, x1 - x0 - 1, y1 - y0 - 1, fill);
}

// A sheet of paper with a folded top-right corner.
void Sheet(QPainter& p, int x0, int y0, int x1, int y1) {
    const int f = 3;
    QPolygon page;
    page << QPoint(x0, y0) << QPoint(x1 - f, y0) << QPoint(x1, y0 + f) << QPoint(x1, y1)
         << QPoint(x0, y1);
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawPolygon(page);
    QPolygon fold;
    fold << QPoint(x1 - f, y0) << QPoint(x1 - f, y0 + f) << QPoint(x1, y0 + f);
    p.drawPolyline(fold);
    p.setPen(Qt::NoPen);
}

// Lines of "text" on a sheet.
void TextLines(QPainter& p, int x0, int x1, int y0, int y1, const QColor& c) {
    for (int y = y0; y <= y1; y += 2) {
        HLine(p, x0, x1, y, c);
    }
}

void Magnifier(QPainter& p, int cx, int cy) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(QPointF(cx + 0.5, cy + 0.5), 3.3, 3.3);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.fillRect(cx + 3 + i, cy + 3 + i, 2, 2, kBrown);
    }
    Pixel(p, cx - 1, cy - 1, kPaper);
}

void Folder(QPainter& p, const QColor& fill) {
    // Back of the folder with its tab.
    HLine(p, 1, 5, 3, kInk);
    Box(p, 0, 4, 12, 13, kInk, fill);
    HLine(p, 6, 12, 4, kInk);
    // Front flap, tilted.
    QPolygon flap;
    flap << QPoint(3, 7) << QPoint(15, 7) << QPoint(12, 13) << QPoint(0, 13);
    p.setPen(kInk);
    p.setBrush(fill.lighter(120));
    p.drawPolygon(flap);
    p.setPen(Qt::NoPen);
}

// An arrow pointing left (dir -1) or right (dir 1), centred at (cx, cy).
void Arrow(QPainter& p, int cx, int cy, int dir, const QColor& fill) {
    QPolygon a;
    const int d = dir;
    a << QPoint(cx + 6 * d, cy) << QPoint(cx + 1 * d, cy - 5) << QPoint(cx + 1 * d, cy - 2)
      << QPoint(cx - 5 * d, cy - 2) << QPoint(cx - 5 * d, cy + 2) << QPoint(cx + 1 * d, cy + 2)
      << QPoint(cx + 1 * d, cy + 5);
    p.setPen(kInk);
    p.setBrush(fill);
    p.drawPolygon(a);
    p.setPen(Qt::NoPen);
}

void DrawNew(QPainter& p) {
    Sheet(p, 2, 0, 12, 14);
    Pixel(p, 13, 1, kYellow);
    Pixel(p, 14, 0, kYellow);
    Pixel(p, 15, 2, kYellow);
}

void DrawOpen(QPainter& p) {
    Folder(p, kOchre);
    // A bent arrow coming out of the folder.
    HLine(p, 9, 12, 0, kInk);
    VLine(p, 13, 1, 3, kInk);
    HLine(p, 12, 14, 2, kInk);
}

void DrawSave(QPainter& p) {
    Box(p, 1, 0, 14, 14, kInk, kNavy);
    Box(p, 3, 1, 12, 6, kShadow, kPaper);
    HLine(p, 4, 11, 3, kLight);
    Box(p, 4, 9, 11, 14, kInk, kLight);
    Box(p, 5, 10, 7, 13, kNavy, kNavy);
}

void DrawCut(QPainter& p) {
    // Blades crossing at the middle.
    for (int i = 0; i < 8; ++i) {
        Pixel(p, 4 + i / 2, i, kShadow);
        Pixel(p, 11 - i / 2, i, kShadow);
    }
    Pixel(p, 7, 7, kInk);
    Pixel(p, 8, 7, kInk);
    // Handles.
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kNavy, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4.5, 11.0), 2.6, 2.6);
    p.drawEllipse(QPointF(11.5, 11.0), 2.6, 2.6);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
}

void DrawCopy(QPainter& p) {
    Sheet(p, 0, 0, 8, 9);
    TextLines(p, 2, 6, 5, 7, kShadow);
    Sheet(p, 6, 4, 14, 14);
    TextLines(p, 8, 12, 9, 13, kNavy);
}

void DrawPaste(QPainter& p) {
    Box(p, 1, 1, 11, 14, kInk, kBrown);
    Box(p, 4, 0, 8, 2, kInk, kLight);
    Sheet(p, 6, 5, 15, 14);
    TextLines(p, 8, 13, 9, 13, kNavy);
}

void DrawSelectAll(QPainter& p) {
    Sheet(p, 1, 0, 13, 14);
    // The whole text shown as selected.
    p.fillRect(3, 4, 8, 9, kNavy);
    TextLines(p, 4, 9, 5, 11, kPaper);
}

void DrawFind(QPainter& p) {
    Sheet(p, 0, 0, 9, 12);
    TextLines(p, 2, 6, 5, 9, kShadow);
    Magnifier(p, 8, 6);
}

void DrawFindNext(QPainter& p) {
    Magnifier(p, 4, 4);
    // A small arrow: "again, further on".
    QPolygon a;
    a << QPoint(15, 11) << QPoint(11, 7) << QPoint(11, 15);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawPolygon(a);
    HLine(p, 6, 11, 11, kBlue);
}

void DrawReplace(QPainter& p) {
    // Two boxes of text, the second replacing the first.
    Box(p, 0, 0, 6, 5, kInk, kPaper);
    HLine(p, 2, 4, 2, kRed);
    HLine(p, 2, 4, 3, kRed);
    Box(p, 9, 9, 15, 14, kInk, kPaper);
    HLine(p, 11, 13, 11, kBlue);
    HLine(p, 11, 13, 12, kBlue);
    // Bent arrow from the first to the second.
    VLine(p, 3, 7, 11, kInk);
    HLine(p, 3, 7, 11, kInk);
    QPolygon head;
    head << QPoint(8, 8) << QPoint(11, 11) << QPoint(8, 14);
    p.setBrush(kInk);
    p.drawPolygon(head);
}

void DrawQuickFileOpen(QPainter& p) {
    Folder(p, kOchre);
    // A lightning bolt: opened quickly.
    QPolygon bolt;
    bolt << QPoint(11, 0) << QPoint(15, 0) << QPoint(12, 4) << QPoint(14, 4) << QPoint(8, 11)
         << QPoint(10, 5) << QPoint(8, 5);
    p.setPen(kInk);
    p.setBrush(kYellow);
    p.drawPolygon(bolt);
    p.setPen(Qt::NoPen);
}

void DrawGotoLine(QPainter& p) {
    Sheet(p, 4, 0, 15, 14);
    TextLines(p, 6, 12, 5, 13, kShadow);
    HLine(p, 6, 13, 9, kRed);
    // Pointer at the chosen line.
    QPolygon a;
    a << QPoint(4, 9) << QPoint(0, 5) << QPoint(0, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawPolygon(a);
}

void DrawGotoLabel(QPainter& p) {
    // A label line starts with "*".
    const QColor c = kTeal;
    VLine(p, 5, 2, 10, c);
    VLine(p, 6, 2, 10, c);
    HLine(p, 1, 10, 6, c);
    for (int i = 0; i < 4; ++i) {
        Pixel(p, 2 + i, 3 + i, c);
        Pixel(p, 9 - i, 3 + i, c);
        Pixel(p, 2 + i, 9 - i, c);
        Pixel(p, 9 - i, 9 - i, c);
    }
    QPolygon a;
    a << QPoint(15, 12) << QPoint(11, 8) << QPoint(11, 15);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(a);
    HLine(p, 6, 11, 12, kInk);
}

void DrawMark(QPainter& p) {
    // A flag planted at the current place.
    VLine(p, 3, 0, 14, kInk);
    QPolygon flag;
    flag << QPoint(4, 0) << QPoint(14, 3) << QPoint(4, 7);
    p.setPen(kInk);
    p.setBrush(kRed);
    p.drawPolygon(flag);
    p.setPen(Qt::NoPen);
    HLine(p, 0, 7, 14, kInk);
}

void DrawBack(QPainter& p) {
    Arrow(p, 8, 7, -1, kGreen);
}
void DrawForward(QPainter& p) {
    Arrow(p, 7, 7, 1, kGreen);
}

void DrawRun(QPainter& p) {
    QPolygon play;
    play << QPoint(3, 0) << QPoint(14, 7) << QPoint(3, 14);
    p.setPen(kDarkGreen);
    p.setBrush(kGreen);
    p.drawPolygon(play);
    p.setPen(Qt::NoPen);
    HLine(p, 5, 7, 5, kPaper);
    VLine(p, 5, 5, 7, kPaper);
}

void DrawHelpKeyword(QPainter& p) {
    // A book with a question mark.
    Box(p, 1, 0, 12, 14, kInk, kNavy);
    VLine(p, 3, 1, 13, kBlue);
    Box(p, 12, 1, 14, 14, kInk, kPaper);
    const QColor q = kYellow;
    HLine(p, 6, 9, 3, q);
    Pixel(p, 5, 4, q);
    Pixel(p, 10, 4, q);
    Pixel(p, 10, 5, q);
    Pixel(p, 9, 6, q);
    Pixel(p, 8, 7, q);
    VLine(p, 7, 8, 9, q);
    Pixel(p, 7, 11, q);
}

using Drawer = void (*)(QPainter&);

struct IconDef {
    int id;
    Drawer draw;
};

const IconDef kIcons[] = {
    {ID_FILE_NEW, DrawNew},
    {ID_FILE_OPEN, DrawOpen},
    {ID_FILE_SAVE, DrawSave},
    {ID_EDIT_CUT, DrawCut},
    {ID_EDIT_COPY, DrawCopy},
    {ID_EDIT_PASTE, DrawPaste},
    {ID_EDIT_SELECT_ALL, DrawSelectAll},
    {ID_EDIT_FIND, DrawFind},
    {ID_EDIT_REPEAT, DrawFindNext},
    {ID_EDIT_REPLACE, DrawReplace},
    {ID_QFO_OPEN, DrawQuickFileOpen},
    {ID_CURSOR_LINE, DrawGotoLine},
    {ID_CURSOR_LABEL, DrawGotoLabel},
    {ID_CURSOR_MARK, DrawMark},
    {ID_CURSOR_BACK, DrawBack},
    {ID_CURSOR_FORWARD, DrawForward},
    {ID_HSP_RUN, DrawRun},
    {ID_HELP_KEYWORD, DrawHelpKeyword},
};

}  // namespace

QPixmap CommandIcon(int id) {
    for (const IconDef& icon : kIcons) {
        if (icon.id == id) {
            QPixmap pixmap(kButtonWidth, kButtonHeight);
            pixmap.fill(Qt::transparent);
            QPainter p(&pixmap);
            p.setPen(Qt::NoPen);
            icon.draw(p);
            return pixmap;
        }
    }
    return QPixmap();
}

}  // namespace res
