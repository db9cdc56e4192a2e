// Small driver for scripts: waits for a top-level window, saves the screen, clicks a
// button, closes a window. Texts may spell any character as \uXXXX, so that scripts
// stay ASCII whatever the locale Wine reads the command line in.
//   wintool wait TITLE [SECONDS]   exit 0 once a visible window with TITLE exists, 1 on timeout
//   wintool shot FILE.bmp          saves the whole screen as a 24-bit BMP
//   wintool click TITLE TEXT       clicks the button TEXT of the visible window TITLE
//   wintool close TITLE            posts WM_CLOSE to every window with TITLE
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
    std::fputs("usage: wintool wait TITLE [SECONDS] | shot FILE.bmp | click TITLE TEXT | close TITLE\n", stderr);
    return 2;
}
