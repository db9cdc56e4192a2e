// Typed views of message parameters, so that handlers work with points, sizes and
// flags instead of raw wParam/lParam. The unpacking lives here only.
#pragma once

#include <windows.h>

#include "framework/TypInfo.h"

namespace tv {

// Signed coordinates packed in lParam (client or screen, as the message defines).
inline POINT PointFromLParam(std::intptr_t lParam) {
    return POINT{short(LOWORD(std::uintptr_t(lParam))), short(HIWORD(std::uintptr_t(lParam)))};
}
inline LPARAM LParamFromPoint(POINT p) { return MAKELPARAM(WORD(short(p.x)), WORD(short(p.y))); }

// WM_NCHITTEST, WM_NCLBUTTONDOWN and friends: screen point, hit-test code.
struct NcMouse {
    POINT pt;       // screen coordinates
    UINT hitTest;   // HT* (wParam of the button messages)
    static NcMouse From(const TMessage& m) { return {PointFromLParam(m.LParam), UINT(m.WParam)}; }
};

// WM_SIZE.
struct SizeParams {
    UINT kind;  // SIZE_RESTORED, SIZE_MINIMIZED, ...
    int width, height;
    static SizeParams From(const TMessage& m) {
        return {UINT(m.WParam), int(LOWORD(std::uintptr_t(m.LParam))), int(HIWORD(std::uintptr_t(m.LParam)))};
    }
};

// WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_CHAR...
struct KeyParams {
    WORD key;
    int repeat;
    bool altDown;
    bool wasDown;
    static KeyParams From(const TMessage& m) {
        auto lp = std::uintptr_t(m.LParam);
        return {WORD(m.WParam), int(lp & 0xFFFF), (lp & (1u << 29)) != 0, (lp & (1u << 30)) != 0};
    }
};

// WM_COMMAND: notification code, control id, control window (null for menus and accelerators).
struct CommandParams {
    UINT code;
    UINT id;
    HWND control;
    static CommandParams From(const TMessage& m) {
        return {HIWORD(m.WParam), LOWORD(m.WParam), reinterpret_cast<HWND>(m.LParam)};
    }
};

// WM_SHOWWINDOW: shown or hidden, and why (0: ShowWindow was called).
struct ShowWindowParams {
    bool shown;
    UINT status;  // SW_PARENTCLOSING, SW_PARENTOPENING, ...
    static ShowWindowParams From(const TMessage& m) { return {m.WParam != 0, UINT(m.LParam)}; }
};

// WM_ACTIVATE: state and the other window.
struct ActivateParams {
    UINT state;  // WA_INACTIVE, WA_ACTIVE, WA_CLICKACTIVE
    bool minimized;
    HWND other;
    static ActivateParams From(const TMessage& m) {
        return {LOWORD(m.WParam), HIWORD(m.WParam) != 0, reinterpret_cast<HWND>(m.LParam)};
    }
};

template <class T>
T* StructFromLParam(const TMessage& m) {
    return reinterpret_cast<T*>(m.LParam);
}

// A handle carried in a parameter: the DC of WM_PAINT and WM_ERASEBKGND in wParam,
// the control window of WM_CTLCOLOR* and WM_HSCROLL in lParam.
template <class H>
H HandleFromWParam(const TMessage& m) {
    return reinterpret_cast<H>(m.WParam);
}
template <class H>
H HandleFromLParam(const TMessage& m) {
    return reinterpret_cast<H>(m.LParam);
}

// WM_SETCURSOR: the window under the pointer, its hit-test code, the mouse message.
struct SetCursorParams {
    HWND window;
    UINT hitTest;
    UINT mouseMsg;
    static SetCursorParams From(const TMessage& m) {
        return {reinterpret_cast<HWND>(m.WParam), LOWORD(std::uintptr_t(m.LParam)), HIWORD(std::uintptr_t(m.LParam))};
    }
};

}  // namespace tv
