// Small driver for scripts: waits for a top-level window, saves the screen, clicks a
// button, closes a window. Texts may spell any character as \uXXXX, so that scripts
// stay ASCII whatever the locale Wine reads the command line in.
//   wintool wait TITLE [SECONDS]   exit 0 once a visible window with TITLE exists, 1 on timeout
//   wintool shot FILE.bmp          saves the whole screen as a 24-bit BMP
//   wintool click TITLE TEXT       clicks the button TEXT of the visible window TITLE
//   wintool close TITLE            posts WM_CLOSE to every window with TITLE
//   wintool sysmenu TITLE          clicks the system-menu button of TITLE's caption, as a
//                                  person does; exit 0 once a popup menu shows
//   wintool escape                 presses Escape (closes an open menu)
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "framework/Graphics.h"
#include "raster/Bitmap.h"
#include "raster/BmpCodec.h"

namespace {
std::wstring Unescape(const std::wstring& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\\' && i + 5 < text.size() && text[i + 1] == L'u') {
            out += wchar_t(std::wcstoul(text.substr(i + 2, 4).c_str(), nullptr, 16));
            i += 5;
        } else {
            out += text[i];
        }
    }
    return out;
}

HWND FindVisible(const std::wstring& title) {
    for (HWND h = FindWindowW(nullptr, title.c_str()); h; h = FindWindowExW(nullptr, h, nullptr, title.c_str()))
        if (IsWindowVisible(h)) return h;
    return nullptr;
}

int Wait(const std::wstring& title, double seconds) {
    const DWORD until = GetTickCount() + DWORD(seconds * 1000);
    while (GetTickCount() < until) {
        if (FindVisible(title)) {
            Sleep(500);  // let it finish its first paint
            return 0;
        }
        Sleep(100);
    }
    return 1;
}

int Shot(const wchar_t* file) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    raster::Bitmap shot(w, h);
    {
        tv::WindowDC screen(nullptr);
        tv::OwnedDC mem(CreateCompatibleDC(screen.Get()));
        if (!screen.Get() || !mem.Get()) return 1;
        tv::SelectScope select(mem.Get(), static_cast<HBITMAP>(shot.Handle()));
        BitBlt(mem.Get(), 0, 0, w, h, screen.Get(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    const auto bytes = raster::EncodeBmp24(shot);
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return out ? 0 : 1;
}

// Posted, so that a modal loop the click opens cannot hold the script.
int Click(const std::wstring& title, const std::wstring& text) {
    HWND top = FindVisible(title);
    if (!top) return 1;
    HWND button = FindWindowExW(top, nullptr, nullptr, text.c_str());
    if (!button) return 1;
    PostMessageW(button, BM_CLICK, 0, 0);
    return 0;
}

void Press(WORD vk) {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof in[0]);
}

bool MenuShowing() {
    for (HWND h = FindWindowW(L"#32768", nullptr); h; h = FindWindowExW(nullptr, h, L"#32768", nullptr))
        if (IsWindowVisible(h)) return true;
    return false;
}

// The button is wherever the window's own hit test says HTSYSMENU along its caption:
// a skinned frame puts it where its skin does.
int SysMenu(const std::wstring& title) {
    HWND top = FindVisible(title);
    if (!top) return 1;
    SetForegroundWindow(top);
    RECT r;
    GetWindowRect(top, &r);
    POINT at{-1, -1};
    for (int y = r.top + 2; y < r.top + 48 && at.x < 0; y += 2)
        for (int x = r.left + 2; x < r.right - 2; x += 2) {
            DWORD_PTR hit = 0;
            if (!SendMessageTimeoutW(top, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 2000, &hit)) return 1;
            if (hit == HTSYSMENU) {
                at = {x + 4, y + 4};
                break;
            }
        }
    if (at.x < 0) return 1;
    SetCursorPos(at.x, at.y);
    for (int i = 0; i < 50; ++i) {  // Wine moves the pointer a little later
        POINT c;
        GetCursorPos(&c);
        if (c.x == at.x && c.y == at.y) break;
        Sleep(20);
    }
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof in[0]);
    for (int i = 0; i < 100; ++i) {
        if (MenuShowing()) {
            Sleep(500);  // let it paint
            return 0;
        }
        Sleep(50);
    }
    return 1;
}

int Close(const std::wstring& title) {
    int n = 0;
    for (HWND h = FindWindowW(nullptr, title.c_str()); h; h = FindWindowExW(nullptr, h, nullptr, title.c_str())) {
        PostMessageW(h, WM_CLOSE, 0, 0);
        ++n;
    }
    return n > 0 ? 0 : 1;
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring cmd = argc > 1 ? argv[1] : L"";
    auto arg = [&](int i) { return Unescape(argv[i]); };
    if (cmd == L"wait" && argc >= 3) return Wait(arg(2), argc >= 4 ? _wtof(argv[3]) : 30.0);
    if (cmd == L"shot" && argc == 3) return Shot(argv[2]);
    if (cmd == L"click" && argc == 4) return Click(arg(2), arg(3));
    if (cmd == L"close" && argc == 3) return Close(arg(2));
    if (cmd == L"sysmenu" && argc == 3) return SysMenu(arg(2));
    if (cmd == L"escape" && argc == 2) {
        Press(VK_ESCAPE);
        return 0;
    }
    std::fputs("usage: wintool wait TITLE [SECONDS] | shot FILE.bmp | click TITLE TEXT | close TITLE | sysmenu TITLE | escape\n",
               stderr);
    return 2;
}
