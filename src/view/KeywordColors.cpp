#include "view/KeywordColors.h"

#include <QColor>
#include <QFontDatabase>
#include <QStringList>

namespace keywordcolors {

QFont FixedFace() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QStringList installed = QFontDatabase::families();
    for (const char* family : {"Noto Sans Mono CJK JP", "IPAGothic"}) {
        if (installed.contains(QLatin1String(family))) {
            font.setFamilies({QString::fromLatin1(family)});
            break;
        }
    }
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QColor DefaultTextColor() {
    const ColorRecord& r = kRecords[0];
    return QColor(r.red, r.green, r.blue);
}

std::array<QTextCharFormat, kRecordCount> BuildFormats(const QFont& face) {
    std::array<QTextCharFormat, kRecordCount> formats;
    for (int i = 0; i < kRecordCount; ++i) {
        const ColorRecord& r = kRecords[i];
        formats[i].setForeground(QColor(r.red, r.green, r.blue));
    }
    formats[0].setFontFamilies(face.families());
    formats[0].setFontFixedPitch(true);
    return formats;
}

}  // namespace keywordcolors
