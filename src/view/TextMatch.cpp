#include "view/TextMatch.h"

#include <QChar>
#include <algorithm>

#include "text/Utf16.h"

namespace textmatch {

namespace {

bool InRange(char32_t c, char32_t first, char32_t last) {
    return c >= first && c <= last;
}

bool IsWholeWord(QStringView text, qsizetype start, qsizetype length) {
    return IsWordBoundary(text, start) && IsWordBoundary(text, start + length);
}

Qt::CaseSensitivity Sensitivity(Options options) {
    return options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

}  // namespace

WordClass ClassOf(char32_t c) {
    if (c < 0x80) {
        const bool word =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
        return word ? WordClass::Latin : WordClass::None;
    }
    if (InRange(c, 0x3041, 0x309F)) {
        return WordClass::Hiragana;
    }
    if (InRange(c, 0x30A1, 0x30FA) || InRange(c, 0x30FC, 0x30FF) || InRange(c, 0x31F0, 0x31FF) ||
        InRange(c, 0xFF66, 0xFF9F)) {
        return WordClass::Katakana;
    }
    if (InRange(c, 0xFF10, 0xFF19) || InRange(c, 0xFF21, 0xFF3A) || InRange(c, 0xFF41, 0xFF5A) ||
        c == 0xFF3F) {
        return WordClass::FullWidth;
    }
    if (c == 0x3005 || c == 0x3006 || c == 0x3007 || QChar::script(c) == QChar::Script_Han) {
        return WordClass::Kanji;
    }
    // Private-use code points stand for bytes that are no character at all.
    if (QChar::category(c) == QChar::Other_PrivateUse) {
        return WordClass::None;
    }
    return QChar::isLetterOrNumber(c) ? WordClass::Latin : WordClass::None;
}

bool IsWordBoundary(QStringView text, qsizetype pos) {
    if (pos <= 0 || pos >= text.size()) {
        return true;
    }
    const WordClass before = ClassOf(utf16::CodePointBefore(text, pos));
    const WordClass after = ClassOf(utf16::CodePointAt(text, pos));
    return before == WordClass::None || after == WordClass::None || before != after;
}

qsizetype FindForward(QStringView text, QStringView find, qsizetype from, qsizetype to,
                      Options options) {
    const qsizetype n = find.size();
    from = std::max<qsizetype>(from, 0);
    to = std::min(to, text.size());
    if (n == 0) {
        return -1;
    }
    while (from + n <= to) {
        const qsizetype at = text.indexOf(find, from, Sensitivity(options));
        if (at < 0 || at + n > to) {
            return -1;
        }
        if (!options.wholeWord || IsWholeWord(text, at, n)) {
            return at;
        }
        from = at + 1;
    }
    return -1;
}

qsizetype FindBackward(QStringView text, QStringView find, qsizetype from, qsizetype to,
                       Options options) {
    const qsizetype n = find.size();
    from = std::max<qsizetype>(from, 0);
    to = std::min(to, text.size());
    if (n == 0) {
        return -1;
    }
    qsizetype last = to - n;  // the last start a match may have
    while (last >= from) {
        const qsizetype at = text.lastIndexOf(find, last, Sensitivity(options));
        if (at < from) {
            return -1;
        }
        if (!options.wholeWord || IsWholeWord(text, at, n)) {
            return at;
        }
        last = at - 1;
    }
    return -1;
}

}  // namespace textmatch
