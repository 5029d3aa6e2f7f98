#pragma once
// Reads the keyboard's lock indicators (kana, caps, num, scroll). On X11 the
// X server's keyboard indicators are asked through libX11, loaded at run time
// with dlopen so that the editor links no X library; on any other platform
// (offscreen, Wayland) or when that fails, every lock reads as off.

class CLockKeyState {
public:
    struct Locks {
        bool kana = false;
        bool caps = false;
        bool num = false;
        bool scroll = false;
        bool operator==(const Locks&) const = default;
    };

    // The current state; one round trip to the X server on X11.
    static Locks Read();

    // Whether the states come from the platform (false: always off).
    static bool Available();
};
