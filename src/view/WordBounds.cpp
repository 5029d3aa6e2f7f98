#include "view/WordBounds.h"

namespace wordbounds {
namespace {

enum class Kind { Blank, Word, Hiragana, Katakana, Kanji, FullWidth, HalfKana, Sign };

// Half-width katakana, with its punctuation and sound marks.
constexpr char16_t kHalfKanaFirst = 0xFF61;
constexpr char16_t kHalfKanaLast = 0xFF9F;
// The prolonged sound mark and the iteration marks belong to the kana runs.
constexpr char16_t kProlongedSound = 0x30FC;

Kind KindOf(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80) {
        if (c.isSpace()) {
            return Kind::Blank;
        }
        return (c.isLetterOrNumber() || u == u'_') ? Kind::Word : Kind::Sign;
    }
    if (u >= kHalfKanaFirst && u <= kHalfKanaLast) {
        return Kind::HalfKana;
    }
    if (u == kProlongedSound || (u >= 0x30A0 && u <= 0x30FF)) {
        return Kind::Katakana;
    }
    if (u >= 0x3040 && u <= 0x309F) {
        return Kind::Hiragana;
    }
    if ((u >= 0x4E00 && u <= 0x9FFF) || (u >= 0x3400 && u <= 0x4DBF) || u == 0x3005) {
        return Kind::Kanji;
    }
    if (u == 0x3000) {
        return Kind::Blank;  // the ideographic space
    }
    if (c.isLetterOrNumber() && u < 0x2000) {
        return Kind::Word;  // accented Latin, Greek, Cyrillic
    }
    return Kind::FullWidth;
}

}  // namespace

Word WordAt(const QString& line, int index) {
    const int size = int(line.size());
    if (index >= size) {
        return {size, size};
    }
    if (index < 0) {
        index = 0;
    }
    const Kind kind = KindOf(line.at(index));
    if (kind == Kind::Sign) {
        return {index, index + 1};
    }
    int start = index;
    while (start > 0 && KindOf(line.at(start - 1)) == kind) {
        --start;
    }
    int end = index + 1;
    while (end < size && KindOf(line.at(end)) == kind) {
        ++end;
    }
    return {start, end};
}

}  // namespace wordbounds
