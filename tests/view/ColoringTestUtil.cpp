#include "ColoringTestUtil.h"

#include <QTextBlock>
#include <QTextDocument>

#include "view/CQuillView.h"
#include "view/CSyntaxColorer.h"

namespace coloringtest {

namespace {

QChar RecordChar(int record) {
    return record == CColorMap::kUnset ? u'-' : QChar(u'0' + record);
}

QString RecordsOfBlock(CQuillView& view, const QTextBlock& block) {
    QString out;
    const int base = block.position();
    for (int i = 0; i < block.length() - 1; ++i) {
        out += RecordChar(view.Colorer().Colors().RecordAt(base + i));
    }
    return out;
}

}  // namespace

QString RecordsOfLine(CQuillView& view, int line) {
    return RecordsOfBlock(view, view.document()->findBlockByNumber(line));
}

QString RecordsOfText(CQuillView& view) {
    QString out = RecordsOfBlock(view, view.document()->begin());
    for (QTextBlock b = view.document()->begin().next(); b.isValid(); b = b.next()) {
        out += RecordChar(view.Colorer().Colors().RecordAt(b.position() - 1));
        out += u'\n' + RecordsOfBlock(view, b);
    }
    return out;
}

}  // namespace coloringtest
