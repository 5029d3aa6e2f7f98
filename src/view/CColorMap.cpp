#include "view/CColorMap.h"

#include <algorithm>

CColorMap::CColorMap(int length) {
    Reset(length);
}

void CColorMap::Reset(int length) {
    m_length = std::max(length, 0);
    m_head.clear();
    m_tail.clear();
    m_shift = 0;
    if (m_length > 0) {
        m_head.push_back({0, kUnset});
    }
}

CColorMap::Mark CColorMap::At(size_t i) const {
    if (i < m_head.size()) {
        return m_head[i];
    }
    const Mark& m = m_tail[m_tail.size() - 1 - (i - m_head.size())];
    return {m.pos + m_shift, m.record};
}

size_t CColorMap::IndexAt(int pos) const {
    if (!m_tail.empty() && pos >= m_tail.back().pos + m_shift) {
        // The tail descends: the marks after `pos` come first.
        const auto it = std::partition_point(m_tail.begin(), m_tail.end(),
                                             [&](const Mark& m) { return m.pos + m_shift > pos; });
        return m_head.size() + size_t(m_tail.end() - it) - 1;
    }
    const auto it = std::upper_bound(m_head.begin(), m_head.end(), pos,
                                     [](int p, const Mark& m) { return p < m.pos; });
    return it == m_head.begin() ? 0 : size_t(it - m_head.begin()) - 1;
}

size_t CColorMap::FirstAtOrAfter(int pos) const {
    if (Count() == 0) {
        return 0;
    }
    const size_t i = IndexAt(pos);
    return At(i).pos >= pos ? i : i + 1;
}

void CColorMap::SplitAt(size_t count) {
    while (m_head.size() < count && !m_tail.empty()) {
        m_head.push_back({m_tail.back().pos + m_shift, m_tail.back().record});
        m_tail.pop_back();
    }
    while (m_head.size() > count) {
        m_tail.push_back({m_head.back().pos - m_shift, m_head.back().record});
        m_head.pop_back();
    }
}

void CColorMap::Append(int pos, int record) {
    if (m_head.empty() || m_head.back().record != record) {
        m_head.push_back({pos, record});
    }
}

void CColorMap::MergeAtSplit() {
    if (!m_tail.empty() && !m_head.empty() && m_tail.back().record == m_head.back().record) {
        m_tail.pop_back();
    }
}

int CColorMap::RecordAt(int pos) const {
    if (pos < 0 || pos >= m_length) {
        return kUnset;
    }
    return At(IndexAt(pos)).record;
}

void CColorMap::RunsIn(int start, int end, std::vector<Run>& out) const {
    out.clear();
    start = std::max(start, 0);
    end = std::min(end, m_length);
    if (start >= end) {
        return;
    }
    const size_t count = Count();
    for (size_t i = IndexAt(start); i < count; ++i) {
        const Mark m = At(i);
        if (m.pos >= end) {
            break;
        }
        const int next = i + 1 < count ? At(i + 1).pos : m_length;
        out.push_back({std::max(m.pos, start), std::min(next, end), m.record});
    }
}

bool CColorMap::Assign(int start, int end, std::span<const Run> runs, int gap) {
    start = std::max(start, 0);
    end = std::min(end, m_length);
    if (start >= end) {
        return false;
    }
    // What the range should hold, as runs that cover it.
    std::vector<Run>& wanted = m_scratch;
    wanted.clear();
    auto add = [&](int from, int to, int record) {
        from = std::max(from, start);
        to = std::min(to, end);
        if (from >= to) {
            return;
        }
        if (!wanted.empty() && wanted.back().record == record && wanted.back().end == from) {
            wanted.back().end = to;
        } else {
            wanted.push_back({from, to, record});
        }
    };
    int pos = start;
    for (const Run& run : runs) {
        add(pos, run.start, gap);
        add(run.start, run.end, run.record);
        pos = std::max(pos, run.end);
    }
    add(pos, end, gap);

    // Unchanged when the range's runs are those already.
    const size_t count = Count();
    size_t i = IndexAt(start);
    bool same = true;
    for (const Run& w : wanted) {
        if (i >= count) {
            same = false;
            break;
        }
        const Mark m = At(i);
        const int next = i + 1 < count ? At(i + 1).pos : m_length;
        if (m.record != w.record || std::max(m.pos, start) != w.start ||
            std::min(next, end) != w.end) {
            same = false;
            break;
        }
        ++i;
    }
    if (same) {
        return false;
    }

    const int after = end < m_length ? RecordAt(end) : kUnset;
    SplitAt(FirstAtOrAfter(start));
    while (!m_tail.empty() && m_tail.back().pos + m_shift <= end) {
        m_tail.pop_back();
    }
    for (const Run& w : wanted) {
        Append(w.start, w.record);
    }
    if (end < m_length) {
        Append(end, after);
    }
    MergeAtSplit();
    return true;
}

void CColorMap::Replace(int pos, int removed, int added, int record) {
    pos = std::clamp(pos, 0, m_length);
    removed = std::clamp(removed, 0, m_length - pos);
    added = std::max(added, 0);
    if (removed == 0 && added == 0) {
        return;
    }
    const int removedEnd = pos + removed;
    const bool restAfter = removedEnd < m_length;
    const int after = restAfter ? RecordAt(removedEnd) : kUnset;

    SplitAt(FirstAtOrAfter(pos));
    while (!m_tail.empty() && m_tail.back().pos + m_shift <= removedEnd) {
        m_tail.pop_back();
    }
    m_shift += added - removed;
    m_length += added - removed;
    if (m_length == 0) {
        Reset(0);
        return;
    }
    if (added > 0) {
        Append(pos, record);
    }
    if (restAfter) {
        Append(pos + added, after);
    }
    MergeAtSplit();
}
