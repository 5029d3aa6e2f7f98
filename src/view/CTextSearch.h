#pragma once
// Searching the view's document, and the state of one search "cycle": a
// search starts at an origin (the selection when the first search of the
// cycle ran), runs to the end of the text, wraps once to the start and
// stops at the origin. The cycle ends, and the next search starts a new
// one, when a search finds nothing, when the find dialog is opened, or when
// the search text, its options or the direction change.
//
// The origin is a QTextCursor, so that every edit before it (a replacement
// above all) moves it along. Searching down it keeps its place when text is
// inserted exactly at it, so a replacement made at the origin lies behind
// it and is never searched again in the same cycle. That is what makes
// Replace All end for every input: each replacement leaves the caret after
// the inserted text, every later search looks only at text that has not
// been searched in this cycle, and each match uses up at least one of its
// characters.

#include <QString>
#include <QTextCursor>

#include "view/TextMatch.h"

class QTextDocument;

class CTextSearch {
public:
    // A match as document positions [start, end).
    struct Match {
        int start = -1;
        int end = -1;
        bool Found() const { return start >= 0; }
    };

    // What was searched for last.
    struct Request {
        QString find;
        bool matchCase = false;
        bool wholeWord = false;
        bool down = true;
    };

    // The first match in `doc` that starts at or after `from` and ends at or
    // before `to` (down), or the last one (up). A search text with line
    // breaks ("\n", "\r\n" or "\r") matches across lines.
    static Match FindInDocument(const QTextDocument& doc, const QString& find, int from, int to,
                                textmatch::Options options, bool down);

    // The next search starts a new cycle. With `includeSelection` the first
    // search of that cycle looks at the selection's start as well (Replace
    // All replaces a selected occurrence too).
    void Restart(bool includeSelection = false);

    // The search of the Replace All loop: forward from the selection, from
    // one character after its start when the selection is not empty, within
    // the current cycle.
    Match FindText(const QTextDocument& doc, int selStart, int selEnd, const QString& find,
                   bool matchCase, bool wholeWord);

    // The search of Find Next: down from the selection's end or up from its
    // start, within the current cycle.
    Match FindNext(const QTextDocument& doc, int selStart, int selEnd, const Request& request);

    // The last request searched for (an empty find text when there was none).
    const Request& LastRequest() const { return m_last; }
    bool HasLastRequest() const { return !m_last.find.isEmpty(); }

    // True while a cycle is under way.
    bool InCycle() const { return m_inCycle; }

private:
    // Starts a new cycle unless `request` continues the current one in
    // `doc`. Returns true when this is the first search of a cycle that was
    // asked to include the selection.
    bool BeginSearch(const QTextDocument& doc, int selStart, int selEnd, const Request& request);
    // Searches from `from` within the cycle; ends the cycle when nothing is
    // found.
    Match Continue(const QTextDocument& doc, int from);

    Request m_last;
    bool m_inCycle = false;
    bool m_wrapped = false;
    bool m_includeSelection = false;
    const QTextDocument* m_doc = nullptr;
    QTextCursor m_origin;
};
