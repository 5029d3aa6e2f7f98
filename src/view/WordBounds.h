#pragma once
// Words as the editor's mouse selection sees them: a run of letters, digits
// and underscores; a run of double-byte characters of one kind (hiragana,
// katakana, kanji, other full-width signs); a run of half-width katakana; a
// run of blanks; any other sign is a word of its own.

#include <QString>

namespace wordbounds {

// Start and end (exclusive) of the word that holds character `index` of
// `line`; an index at or past the end gives the empty word at the end.
struct Word {
    int start;
    int end;
};
Word WordAt(const QString& line, int index);

}  // namespace wordbounds
