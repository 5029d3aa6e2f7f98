#pragma once
// What a recolor repaints once it has set the colors and the selection.

class Redraw {
public:
    // The whole window.
    static constexpr Redraw All() { return Redraw(Kind::All, 0); }
    // Nothing: painting stays off for the caller, whose turning it on again
    // repaints the whole window (Replace All, after its last replacement).
    static constexpr Redraw None() { return Redraw(Kind::None, 0); }
    // The band of the recolored lines while the horizontal scroll position
    // is still `scrollPos` (the one before the edit); the whole window once
    // the edit has scrolled the view sideways.
    static constexpr Redraw Band(int scrollPos) { return Redraw(Kind::Band, scrollPos); }

    constexpr bool IsNone() const { return m_kind == Kind::None; }
    // True when only the band needs a repaint at scroll position `now`.
    constexpr bool BandOnlyAt(int now) const { return m_kind == Kind::Band && m_scrollPos == now; }

private:
    enum class Kind { All, None, Band };
    constexpr Redraw(Kind kind, int scrollPos) : m_kind(kind), m_scrollPos(scrollPos) {}

    Kind m_kind;
    int m_scrollPos;
};
