#include "view/CTextSearch.h"

#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

namespace {

// The search text with every kind of line break as the "\n" that stands
// between two blocks.
QString NormalizeBreaks(const QString& find) {
    QString s = find;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    s.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return s;
}

int TextLength(const QTextDocument& doc) {
    return doc.characterCount() - 1;
}

// A search text without line breaks: block by block, so that a search
// looks only at the lines it passes.
CTextSearch::Match FindInBlocks(const QTextDocument& doc, const QString& find, int from, int to,
                                textmatch::Options options, bool down) {
    const int n = int(find.size());
    QTextBlock block = doc.findBlock(down ? from : to);
    while (block.isValid()) {
        const int base = block.position();
        if (down ? base >= to : base + block.length() <= from) {
            break;
        }
        const QString text = block.text();
        const qsizetype lo = std::max(from - base, 0);
        const qsizetype hi = std::min<qsizetype>(to - base, text.size());
        if (lo < hi) {
            const qsizetype at = down ? textmatch::FindForward(text, find, lo, hi, options)
                                      : textmatch::FindBackward(text, find, lo, hi, options);
            if (at >= 0) {
                return {base + int(at), base + int(at) + n};
            }
        }
        block = down ? block.next() : block.previous();
    }
    return {};
}

// A search text with line breaks: over the lines from `from` to `to`
// joined as the document joins them.
CTextSearch::Match FindAcrossBlocks(const QTextDocument& doc, const QString& find, int from, int to,
                                    textmatch::Options options, bool down) {
    QTextBlock block = doc.findBlock(from);
    if (!block.isValid()) {
        return {};
    }
    const int base = block.position();
    QString text;
    for (; block.isValid() && block.position() <= to; block = block.next()) {
        if (block.position() > base) {
            text += QLatin1Char('\n');
        }
        text += block.text();
    }
    const qsizetype at = down
                             ? textmatch::FindForward(text, find, from - base, to - base, options)
                             : textmatch::FindBackward(text, find, from - base, to - base, options);
    if (at < 0) {
        return {};
    }
    return {base + int(at), base + int(at + find.size())};
}

}  // namespace

CTextSearch::Match CTextSearch::FindInDocument(const QTextDocument& doc, const QString& find,
                                               int from, int to, textmatch::Options options,
                                               bool down) {
    const QString what = NormalizeBreaks(find);
    from = std::max(from, 0);
    to = std::min(to, TextLength(doc));
    if (what.isEmpty() || to - from < what.size()) {
        return {};
    }
    return what.contains(QLatin1Char('\n')) ? FindAcrossBlocks(doc, what, from, to, options, down)
                                            : FindInBlocks(doc, what, from, to, options, down);
}

void CTextSearch::Restart(bool includeSelection) {
    m_inCycle = false;
    m_includeSelection = includeSelection;
}

bool CTextSearch::BeginSearch(const QTextDocument& doc, int selStart, int selEnd,
                              const Request& request) {
    const bool same = m_inCycle && m_doc == &doc && m_origin.document() == &doc &&
                      request.find == m_last.find && request.matchCase == m_last.matchCase &&
                      request.wholeWord == m_last.wholeWord && request.down == m_last.down;
    m_last = request;
    if (same) {
        return false;
    }
    // Searching down the origin is the selection's start and text inserted
    // at it stays behind it; searching up it is the selection's end and
    // text inserted at it stays before it.
    m_doc = &doc;
    m_origin = QTextCursor(const_cast<QTextDocument*>(&doc));
    m_origin.setPosition(std::clamp(request.down ? selStart : selEnd, 0, TextLength(doc)));
    m_origin.setKeepPositionOnInsert(request.down);
    m_inCycle = true;
    m_wrapped = false;
    const bool include = m_includeSelection;
    m_includeSelection = false;
    return include;
}

CTextSearch::Match CTextSearch::Continue(const QTextDocument& doc, int from) {
    const textmatch::Options options{m_last.matchCase, m_last.wholeWord};
    const int length = TextLength(doc);
    const int origin = std::clamp(m_origin.position(), 0, length);
    Match m;
    if (m_last.down) {
        if (!m_wrapped) {
            m = FindInDocument(doc, m_last.find, from, length, options, true);
            if (m.Found() || origin == 0) {
                m_inCycle = m.Found();
                return m;
            }
            m_wrapped = true;
            from = 0;
        }
        m = FindInDocument(doc, m_last.find, from, origin, options, true);
    } else {
        if (!m_wrapped) {
            m = FindInDocument(doc, m_last.find, 0, from, options, false);
            if (m.Found() || origin == length) {
                m_inCycle = m.Found();
                return m;
            }
            m_wrapped = true;
            from = length;
        }
        m = FindInDocument(doc, m_last.find, origin, from, options, false);
    }
    m_inCycle = m.Found();
    return m;
}

CTextSearch::Match CTextSearch::FindText(const QTextDocument& doc, int selStart, int selEnd,
                                         const QString& find, bool matchCase, bool wholeWord) {
    const bool include = BeginSearch(doc, selStart, selEnd, {find, matchCase, wholeWord, true});
    if (find.isEmpty()) {
        m_inCycle = false;
        return {};
    }
    const int from = (selStart != selEnd && !include) ? selStart + 1 : selStart;
    return Continue(doc, from);
}

CTextSearch::Match CTextSearch::FindNext(const QTextDocument& doc, int selStart, int selEnd,
                                         const Request& request) {
    BeginSearch(doc, selStart, selEnd, request);
    if (request.find.isEmpty()) {
        m_inCycle = false;
        return {};
    }
    return Continue(doc, request.down ? selEnd : selStart);
}
