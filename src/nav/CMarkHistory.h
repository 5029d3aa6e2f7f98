#pragma once
// The cursor position memory: up to ten remembered selections with a
// position to go back and forward from.
//
// Entries are plain character offsets; they are never adjusted when the text
// changes (whoever restores one limits it to the text).

#include <array>

class CMarkHistory {
public:
    static constexpr int kCapacity = 10;

    struct Selection {
        int start = 0;
        int end = 0;
        bool operator==(const Selection&) const = default;
    };

    // Stores `sel` at the current position and discards every later entry;
    // when the history is full at its end, the oldest entry is dropped.
    void Mark(Selection sel);
    // Steps back to the previous entry and returns it in `out`; false (and
    // nothing changes) when there is none.
    bool Back(Selection* out);
    // Steps forward to the next entry and returns it in `out`; false when
    // there is none, which also resets the position to the end.
    bool Forward(Selection* out);

    int MarkCount() const { return m_markcount; }
    // Entry `i` (0 = oldest); only 0 to MarkCount() - 1 are valid.
    Selection Entry(int i) const { return m_marks[i]; }

private:
    // 0 <= m_markpos <= m_markcount <= kCapacity.
    int m_markcount = 0;
    int m_markpos = 0;
    std::array<Selection, kCapacity> m_marks{};
};
