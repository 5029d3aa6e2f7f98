#pragma once
// Matching a search text inside a piece of text: letter case, whole words
// and the word classes that decide where a word begins and ends. Plain
// functions on strings; the document search (CTextSearch) runs them block
// by block.

#include <QString>
#include <QStringView>

namespace textmatch {

// How a search compares.
struct Options {
    bool matchCase = false;
    bool wholeWord = false;
};

// The class of a character for whole-word matching. Two neighbouring
// characters belong to one word when both are word characters of the same
// class; Japanese has no spaces between words, so a change of script
// (kanji to hiragana, hiragana to katakana, ...) ends a word as well.
enum class WordClass {
    None,   // not part of a word: blanks, punctuation, symbols, private use
    Latin,  // ASCII letters, digits and "_", and letters of other alphabets
    Hiragana,
    Katakana,   // full- and half-width, with the prolonged sound mark
    Kanji,      // ideographs and the iteration marks 々 〆 〇
    FullWidth,  // full-width Latin letters, digits and "＿"
};

WordClass ClassOf(char32_t c);

// True when `pos` (0 to text.size()) lies between two words or at the edge
// of a word: the text's ends always count.
bool IsWordBoundary(QStringView text, qsizetype pos);

// The first match of `find` that starts at or after `from` and ends at or
// before `to`; -1 when there is none or `find` is empty.
qsizetype FindForward(QStringView text, QStringView find, qsizetype from, qsizetype to,
                      Options options);

// The last match that starts at or after `from` and ends at or before `to`;
// -1 when there is none or `find` is empty.
qsizetype FindBackward(QStringView text, QStringView find, qsizetype from, qsizetype to,
                       Options options);

}  // namespace textmatch
