#include "view/CLineTags.h"

#include <QAbstractUndoItem>
#include <QTextDocument>
#include <algorithm>

namespace {

class TagData : public QTextBlockUserData {
public:
    explicit TagData(int tag) : m_tag(tag) {}
    int Tag() const { return m_tag; }

private:
    int m_tag;
};

}  // namespace

// The item of an edit step that gives the lines the step removed their
// numbers back. It follows the step's own changes in the history, so its
// undo runs before they are undone: it hands the numbers over to be put
// back once the lines are there again.
class CRestoreLineTags : public QAbstractUndoItem {
public:
    CRestoreLineTags(CLineTags* owner, std::vector<std::pair<int, int>> tags)
        : m_owner(owner), m_tags(std::move(tags)) {}
    void undo() override { m_owner->RestoreAfterUndo(m_tags); }
    void redo() override {}

private:
    CLineTags* m_owner;
    std::vector<std::pair<int, int>> m_tags;
};

CLineTags::CLineTags(QTextDocument* doc) : QObject(doc), m_doc(doc) {
    // An undo reports its changes once all of them are made.
    connect(doc, &QTextDocument::contentsChange, this, &CLineTags::ApplyRestored);
}

void CLineTags::Set(const QTextBlock& block, int tag) {
    QTextBlock b = block;
    b.setUserData(tag == kNone ? nullptr : new TagData(tag));
}

int CLineTags::Get(const QTextBlock& block) {
    const auto* data = static_cast<const TagData*>(block.userData());
    return data ? data->Tag() : kNone;
}

void CLineTags::BeforeEdit(int firstLine, int lastLine) {
    m_blockCount = m_doc->blockCount();
    m_firstLine = std::clamp(firstLine, 0, m_blockCount - 1);
    m_lastLine = std::clamp(lastLine + 1, m_firstLine, m_blockCount - 1);
    m_before.clear();
    QTextBlock block = m_doc->findBlockByNumber(m_firstLine);
    for (int line = m_firstLine; line <= m_lastLine && block.isValid();
         ++line, block = block.next()) {
        if (const auto* data = static_cast<const TagData*>(block.userData())) {
            m_before.push_back({data, line, data->Tag()});
        }
    }
}

void CLineTags::AfterEdit() {
    if (m_before.empty()) {
        return;
    }
    // The lines that stayed are among these now; the edit moved the ones
    // after it by the change in the number of lines.
    const int last = m_lastLine + m_doc->blockCount() - m_blockCount;
    std::vector<const void*> kept;
    QTextBlock block = m_doc->findBlockByNumber(m_firstLine);
    for (int line = m_firstLine; line <= last && block.isValid(); ++line, block = block.next()) {
        if (const QTextBlockUserData* data = block.userData()) {
            kept.push_back(data);
        }
    }
    std::sort(kept.begin(), kept.end());
    std::vector<std::pair<int, int>> removed;
    for (const Seen& seen : m_before) {
        if (!std::binary_search(kept.begin(), kept.end(), seen.data)) {
            removed.emplace_back(seen.line, seen.tag);
        }
    }
    m_before.clear();
    if (!removed.empty()) {
        m_doc->appendUndoItem(new CRestoreLineTags(this, std::move(removed)));
    }
}

void CLineTags::RestoreAfterUndo(const std::vector<std::pair<int, int>>& tags) {
    m_restore.insert(m_restore.end(), tags.begin(), tags.end());
}

void CLineTags::ApplyRestored() {
    if (m_restore.empty()) {
        return;
    }
    for (const auto& [line, tag] : m_restore) {
        const QTextBlock block = m_doc->findBlockByNumber(line);
        if (block.isValid()) {
            Set(block, tag);
        }
    }
    m_restore.clear();
}
