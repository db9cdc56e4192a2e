#include "AppDriver.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/Text.h"

namespace apptest {

std::wstring HostPath(std::string p) {
    if (!p.empty() && p[0] == '/') p = "Z:" + p;  // built on Linux, run under Wine
    std::replace(p.begin(), p.end(), '/', '\\');
    return text::Widen(p);
}

void Pump(DWORD ms) {
    const DWORD until = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    } while (GetTickCount() < until);
}

namespace {
const wchar_t* ProbeClass() {
    static bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"TovalinProbe";
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    return L"TovalinProbe";
}
}  // namespace

Probe::Probe(const std::wstring& title, DWORD style, DWORD ex, HWND owner)
    : h(CreateWindowExW(ex, ProbeClass(), title.c_str(), style, 600, 500, 160, 90, owner, nullptr,
                        GetModuleHandleW(nullptr), nullptr)) {}

Probe::~Probe() {
    if (h) DestroyWindow(h);
}

Tovalin::Tovalin() {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring cmd = L"\"" + HostPath(TOVALIN_EXE) + L"\"";
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_)) return;
    WaitForInputIdle(pi_.hProcess, 10000);
    WaitFor([&] { return (main_ = FindMain()) != nullptr && IsWindowVisible(main_); }, 20000);
}

Tovalin::~Tovalin() {
    if (!pi_.hProcess) return;
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
        if (main_) PostMessageW(main_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(pi_.hProcess, 5000) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 1);
    }
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
}

HWND Tovalin::FindMainAgain() {
    main_ = nullptr;
    HWND found = nullptr;
    if (WaitFor([&] { return (found = FindMain()) != nullptr && IsWindowVisible(found); }, 5000)) main_ = found;
    return main_;
}

void Tovalin::Click(const wchar_t* caption) const {
    HWND b = Child(L"TButton", caption);
    ASSERT_NE(b, nullptr) << text::Narrow(caption);
    PostMessageW(b, BM_CLICK, 0, 0);
}

// Sent, not posted: a sent message is handled before anything posted, so a posted click
// could still be waiting when the settling round trip came back.
void Tovalin::ClickAndSettle(const wchar_t* caption) const {
    HWND b = Child(L"TButton", caption);
    ASSERT_NE(b, nullptr) << text::Narrow(caption);
    DWORD_PTR result;
    SendMessageTimeoutW(b, BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &result);
    Settle();
}

void Tovalin::Settle() const {
    DWORD_PTR result;
    SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
    Pump(50);
}

std::vector<std::string> Tovalin::Items() const {
    std::vector<std::string> items;
    HWND list = List();
    const int n = int(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        std::wstring s(std::size_t(SendMessageW(list, LB_GETTEXTLEN, WPARAM(i), 0)) + 1, L'\0');
        const auto len = SendMessageW(list, LB_GETTEXT, WPARAM(i), LPARAM(s.data()));
        s.resize(len > 0 ? std::size_t(len) : 0);
        items.push_back(text::Narrow(s));
    }
    return items;
}

int Tovalin::IndexOf(const std::string& title, int occurrence) const {
    const auto items = Items();
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] == title && --occurrence == 0) return int(i);
    return -1;
}

void Tovalin::Select(int index) const { SendMessageW(List(), LB_SETCURSEL, WPARAM(index), 0); }

HWND Tovalin::MessageBox() const {
    struct Find {
        DWORD pid;
        HWND found;
    } f{pi_.dwProcessId, nullptr};
    EnumWindows(
        [](HWND h, LPARAM p) -> BOOL {
            auto& f = *reinterpret_cast<Find*>(p);
            wchar_t cls[64];
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid == f.pid && GetClassNameW(h, cls, 64) && std::wstring(cls) == L"#32770" && IsWindowVisible(h)) {
                f.found = h;
                return FALSE;
            }
            return TRUE;
        },
        LPARAM(&f));
    return f.found;
}

HWND Tovalin::FindMain() const {
    for (HWND h = FindWindowW(L"TForm1", L"Tovalin"); h; h = FindWindowExW(nullptr, h, L"TForm1", L"Tovalin")) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid == pi_.dwProcessId) return h;
    }
    return nullptr;
}

std::string WindowText(HWND h) {
    std::wstring s(512, L'\0');
    s.resize(std::size_t(GetWindowTextW(h, s.data(), 512)));
    return text::Narrow(s);
}

long Count(const std::vector<std::string>& v, const std::string& s) { return std::count(v.begin(), v.end(), s); }

HWND OpenMenuOf(DWORD pid) {
    for (HWND h = FindWindowW(L"#32768", nullptr); h; h = FindWindowExW(nullptr, h, L"#32768", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner == pid && IsWindowVisible(h)) return h;
    }
    return nullptr;
}

LRESULT Ask(HWND h, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT otherwise) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(h, msg, wParam, lParam, SMTO_NORMAL, 5000, &result)) return otherwise;
    return LRESULT(result);
}

int HitAt(HWND h, POINT screen) {
    return int(Ask(h, WM_NCHITTEST, 0, MAKELPARAM(WORD(short(screen.x)), WORD(short(screen.y))), HTERROR));
}

bool BringToFront(HWND h) {
    SetForegroundWindow(h);
    return WaitFor([&] { return GetForegroundWindow() == h; }, 5000);
}

void SendKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> in;
    for (WORD k : keys) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        in.push_back(i);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = *--it;
        i.ki.dwFlags = KEYEVENTF_KEYUP;
        in.push_back(i);
    }
    SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
}

void PressCtrlAltS() { SendKeys({VK_CONTROL, VK_MENU, 'S'}); }

// Absolute coordinates: the system maps dx to dx * width / 65536, so round up.
void MouseAt(POINT p, DWORD buttons) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = LONG((p.x * 65536 + w - 1) / w);
    in.mi.dy = LONG((p.y * 65536 + h - 1) / h);
    in.mi.dwFlags = buttons | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof(INPUT));
}

bool MovePointerTo(POINT p) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        MouseAt(p, 0);
        if (WaitFor(
                [&] {
                    POINT at{};
                    GetCursorPos(&at);
                    return at.x == p.x && at.y == p.y;
                },
                300))
            return true;
    }
    return false;
}

void RightClickAt(POINT p) {
    MovePointerTo(p);
    // Down and up apart, as a hand does: the menu opens when the button comes up.
    MouseAt(p, MOUSEEVENTF_RIGHTDOWN);
    Pump(60);
    MouseAt(p, MOUSEEVENTF_RIGHTUP);
    Pump(60);
}

void LeftClickAt(POINT p) {
    MovePointerTo(p);
    MouseAt(p, MOUSEEVENTF_LEFTDOWN);
    Pump(60);
    MouseAt(p, MOUSEEVENTF_LEFTUP);
    Pump(60);
}

void DoubleClickAt(POINT p) {
    MovePointerTo(p);
    // Well inside the double-click time, and long enough apart for each to be seen.
    for (int i = 0; i < 2; ++i) {
        MouseAt(p, MOUSEEVENTF_LEFTDOWN);
        Pump(30);
        MouseAt(p, MOUSEEVENTF_LEFTUP);
        Pump(30);
    }
}

std::vector<DWORD> CaptureScreen(const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    std::vector<DWORD> pixels;
    if (w <= 0 || h <= 0) return pixels;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (memory && dib && bits) {
        HGDIOBJ old = SelectObject(memory, dib);
        BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
        SelectObject(memory, old);
        GdiFlush();
        const auto* p = static_cast<const DWORD*>(bits);
        pixels.reserve(std::size_t(w) * std::size_t(h));
        for (int i = 0; i < w * h; ++i) pixels.push_back(p[i] & 0x00FFFFFF);
    }
    if (dib) DeleteObject(dib);
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

RECT WindowRect(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
}

RECT ClientInWindow(HWND h) {
    RECT c{};
    GetClientRect(h, &c);
    POINT origin{0, 0};
    ClientToScreen(h, &origin);
    const RECT w = WindowRect(h);
    return RECT{origin.x - w.left, origin.y - w.top, origin.x - w.left + c.right, origin.y - w.top + c.bottom};
}

}  // namespace apptest
