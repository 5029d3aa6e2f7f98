#include "ColoringTestUtil.h"

#include <QTextBlock>
#include <QTextDocument>

#include "view/CQuillView.h"
#include "view/KeywordColors.h"

namespace coloringtest {

namespace {

QChar RecordChar(const QTextCharFormat& format, const QString& face) {
    if (!format.hasProperty(QTextFormat::ForegroundBrush)) {
        return u'-';
    }
    const QColor color = format.foreground().color();
    for (int i = 0; i < keywordcolors::kRecordCount; ++i) {
        const auto& r = keywordcolors::kRecords[i];
        if (color == QColor(r.red, r.green, r.blue)) {
            // Every colored character got the face from record 0 first.
            const QStringList families = format.fontFamilies().toStringList();
            return families.value(0) == face ? QChar(u'0' + i) : u'f';
        }
    }
    return u'?';
}

QString RecordsOfBlock(const QTextBlock& block, const QString& face) {
    QString out;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        out += QString(fragment.length(), RecordChar(fragment.charFormat(), face));
    }
    return out;
}

}  // namespace

QString RecordsOfLine(CQuillView& view, int line) {
    const QString face = view.ColorFormats()[0].fontFamilies().toStringList().value(0);
    return RecordsOfBlock(view.document()->findBlockByNumber(line), face);
}

QString RecordsOfText(CQuillView& view) {
    const QString face = view.ColorFormats()[0].fontFamilies().toStringList().value(0);
    QString out = RecordsOfBlock(view.document()->begin(), face);
    for (QTextBlock b = view.document()->begin().next(); b.isValid(); b = b.next()) {
        // The line end before the block holds the block's own char format.
        out += RecordChar(b.charFormat(), face);
        out += u'\n' + RecordsOfBlock(b, face);
    }
    return out;
}

}  // namespace coloringtest
