#pragma once
// The color record of every position of the editor's text, kept apart from
// the text: a list of marks, each giving the record from its position up to
// the next mark. Text changes move the marks as character formats would
// move with their characters: removed positions take their records with
// them, the positions after a change shift, and inserted positions take one
// record that the caller chooses.
//
// The marks are held in two halves around the place of the latest change,
// the second half counted from a shared shift, so that a change (and the
// shift of everything after it) costs its distance from the previous one,
// and coloring a text from top to bottom costs each mark once.

#include <span>
#include <vector>

class CColorMap {
public:
    // The record of positions that no coloring has reached.
    static constexpr int kUnset = -1;

    // Positions [start, end) in one record.
    struct Run {
        int start;
        int end;
        int record;
        bool operator==(const Run&) const = default;
    };

    explicit CColorMap(int length = 0);

    // A text of `length` positions, all kUnset.
    void Reset(int length);
    int Length() const { return m_length; }

    // The record of `pos` (kUnset outside the text).
    int RecordAt(int pos) const;
    // The runs that cover [start, end), clipped to it, in order.
    void RunsIn(int start, int end, std::vector<Run>& out) const;

    // Gives positions [start, end) the records of `runs` (ascending, not
    // overlapping, inside the range) and `gap` wherever no run lies.
    // Returns whether any position's record changed.
    bool Assign(int start, int end, std::span<const Run> runs, int gap);

    // The text changed: positions [pos, pos + removed) were replaced by
    // `added` positions, which take `record`.
    void Replace(int pos, int removed, int added, int record);

private:
    struct Mark {
        int pos;
        int record;
    };
    size_t Count() const { return m_head.size() + m_tail.size(); }
    // Mark `i` of the whole list, with its real position.
    Mark At(size_t i) const;
    // Index of the last mark at or before `pos` (there is one for every
    // position of a non-empty text: the first mark is at 0).
    size_t IndexAt(int pos) const;
    // Moves marks between the halves so that the first holds `count`.
    void SplitAt(size_t count);
    // Index of the first mark at or after `pos`.
    size_t FirstAtOrAfter(int pos) const;
    // Adds a mark at the end of the first half unless the record goes on.
    void Append(int pos, int record);
    // Drops the second half's first mark when it repeats the record before it.
    void MergeAtSplit();

    int m_length = 0;
    std::vector<Mark> m_head;  // ascending, real positions
    std::vector<Mark> m_tail;  // descending, positions minus m_shift
    int m_shift = 0;
    mutable std::vector<Run> m_scratch;
};
