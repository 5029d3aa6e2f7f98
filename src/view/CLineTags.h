#pragma once
// A number kept with each line (text block) of a document that undo gives
// back: a line that an edit removed gets its number again when the edit is
// undone, as its text does. A line made by an edit has none.
//
// The numbers live in the lines' block data, which the document drops with
// a removed line and does not record in its undo history. An edit step
// therefore tells the tags which lines it may remove (BeforeEdit) and, once
// it has edited, lets them record the numbers of the lines that went
// (AfterEdit) as an item of the step in the document's history.

#include <QObject>
#include <QTextBlock>
#include <utility>
#include <vector>

class QTextDocument;

class CLineTags : public QObject {
public:
    static constexpr int kNone = -1;

    explicit CLineTags(QTextDocument* doc);

    static void Set(const QTextBlock& block, int tag);
    // The number of `block`, or kNone.
    static int Get(const QTextBlock& block);

    // An edit of lines first..last is about to be made inside an open edit
    // block of the document: an edit there can remove these lines and the
    // one after them.
    void BeforeEdit(int firstLine, int lastLine);
    // The edit is done (the edit block still open): the numbers of the lines
    // it removed come back when it is undone.
    void AfterEdit();

private:
    friend class CRestoreLineTags;
    // Puts back numbers of lines that an undo is restoring, once it has.
    void RestoreAfterUndo(const std::vector<std::pair<int, int>>& tags);
    void ApplyRestored();

    struct Seen {
        const void* data;
        int line;
        int tag;
    };
    QTextDocument* m_doc;
    std::vector<Seen> m_before;
    int m_firstLine = 0;
    int m_lastLine = -1;
    int m_blockCount = 0;
    std::vector<std::pair<int, int>> m_restore;  // line, number
};
