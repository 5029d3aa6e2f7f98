#include "app/CLockKeyState.h"

#include <dlfcn.h>

#include <QGuiApplication>

namespace {

// The few libX11 types and calls needed, declared here so that no X header
// (with its macros) and no X library is needed at build time.
using Display = struct XDisplayOpaque;
using Atom = unsigned long;
using XBool = int;
using Status = int;

using XOpenDisplayFn = Display* (*)(const char*);
using XInternAtomFn = Atom (*)(Display*, const char*, XBool);
using XkbGetNamedIndicatorFn = XBool (*)(Display*, Atom, int*, XBool*, void*, XBool*);
using XkbGetIndicatorStateFn = Status (*)(Display*, unsigned int, unsigned int*);

constexpr unsigned int kXkbUseCoreKbd = 0x0100;
constexpr Status kSuccess = 0;

// A connection of our own to the X server, with the bit of each named
// indicator; set up once, on first use.
class X11Indicators {
public:
    static X11Indicators& Instance() {
        static X11Indicators instance;
        return instance;
    }

    bool Ok() const { return m_display != nullptr; }

    CLockKeyState::Locks Read() const {
        CLockKeyState::Locks locks;
        unsigned int state = 0;
        if (!Ok() || m_getState(m_display, kXkbUseCoreKbd, &state) != kSuccess) {
            return locks;
        }
        locks.kana = IsOn(state, m_kana);
        locks.caps = IsOn(state, m_caps);
        locks.num = IsOn(state, m_num);
        locks.scroll = IsOn(state, m_scroll);
        return locks;
    }

private:
    X11Indicators() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            return;
        }
        void* lib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
        if (!lib) {
            return;
        }
        auto openDisplay = reinterpret_cast<XOpenDisplayFn>(dlsym(lib, "XOpenDisplay"));
        auto internAtom = reinterpret_cast<XInternAtomFn>(dlsym(lib, "XInternAtom"));
        auto getNamed =
            reinterpret_cast<XkbGetNamedIndicatorFn>(dlsym(lib, "XkbGetNamedIndicator"));
        m_getState = reinterpret_cast<XkbGetIndicatorStateFn>(dlsym(lib, "XkbGetIndicatorState"));
        if (!openDisplay || !internAtom || !getNamed || !m_getState) {
            return;
        }
        Display* display = openDisplay(nullptr);
        if (!display) {
            return;
        }
        // Indicator index of a named LED; -1 when the keyboard has none.
        auto index = [&](const char* name) {
            int ndx = -1;
            XBool state = 0;
            XBool real = 0;
            const Atom atom = internAtom(display, name, 1 /* only if it exists */);
            if (atom == 0 || !getNamed(display, atom, &ndx, &state, nullptr, &real)) {
                return -1;
            }
            return ndx;
        };
        m_kana = index("Kana");
        m_caps = index("Caps Lock");
        m_num = index("Num Lock");
        m_scroll = index("Scroll Lock");
        // The library stays loaded and the connection open for the process.
        m_display = display;
    }

    static bool IsOn(unsigned int state, int index) {
        return index >= 0 && index < 32 && (state & (1u << index)) != 0;
    }

    Display* m_display = nullptr;
    XkbGetIndicatorStateFn m_getState = nullptr;
    int m_kana = -1;
    int m_caps = -1;
    int m_num = -1;
    int m_scroll = -1;
};

}  // namespace

CLockKeyState::Locks CLockKeyState::Read() {
    return X11Indicators::Instance().Read();
}

bool CLockKeyState::Available() {
    return X11Indicators::Instance().Ok();
}
