#include "nav/CMarkHistory.h"

#include <algorithm>

void CMarkHistory::Mark(Selection sel) {
    if (m_markpos > kCapacity - 1) {
        std::copy(m_marks.begin() + 1, m_marks.end(), m_marks.begin());
        m_markpos = kCapacity - 1;
    }
    m_marks[m_markpos] = sel;
    ++m_markpos;
    m_markcount = m_markpos;
}

bool CMarkHistory::Back(Selection* out) {
    if (m_markpos <= 0) {
        return false;
    }
    --m_markpos;
    *out = m_marks[m_markpos];
    return true;
}

bool CMarkHistory::Forward(Selection* out) {
    if (m_markpos < m_markcount - 1) {
        ++m_markpos;
        *out = m_marks[m_markpos];
        return true;
    }
    m_markpos = m_markcount;
    return false;
}
