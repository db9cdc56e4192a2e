#include "SkinFormTestUtil.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "base/CallbackGuard.h"
#include "base/Handles.h"
#include "raster/PngEncode.h"
#include "skin/core/WinSkinDlg.h"

namespace skintest {

namespace {

// An error at a callback boundary fails the test instead of passing unseen.
struct FailOnCallbackErrors {
    FailOnCallbackErrors() {
        tv::InitFramework();
        tv::Application->OnException = [](const std::string& what) { ADD_FAILURE() << "callback error: " << what; };
    }
} failOnCallbackErrors;

INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM) {
    return base::Guarded<INT_PTR>(FALSE, [&]() -> INT_PTR {
        if (msg == WM_INITDIALOG) return TRUE;
        if ((msg == WM_COMMAND && LOWORD(wParam) == IDOK) || msg == WM_CLOSE) {
            ::DestroyWindow(dialog);
            return TRUE;
        }
        return FALSE;
    });
}

void AppendText(std::vector<WORD>& t, const std::wstring& s) {
    for (wchar_t c : s) t.push_back(WORD(c));
    t.push_back(0);
}

}  // namespace

std::unique_ptr<skin::TSkinData> LoadPackedSkin(const std::string& name) {
    std::wstring resource = L"SKIN_";
    for (char c : name) resource += wchar_t(c >= 'a' && c <= 'z' ? c - 32 : c);
    HRSRC info = ::FindResourceW(nullptr, resource.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!info) return nullptr;
    const auto* bytes = static_cast<const std::uint8_t*>(::LockResource(::LoadResource(nullptr, info)));
    const DWORD size = ::SizeofResource(nullptr, info);
    tv::TMemoryStream stored;
    stored.WriteInt32(std::int32_t(size));
    stored.WriteBuffer(bytes, size);
    stored.Seek(0, 0);
    auto data = std::make_unique<skin::TSkinData>(nullptr);
    data->ReadSkinStream(stored);
    return data;
}

bool PumpUntil(const std::function<bool()>& pred, int milliseconds) {
    const DWORD end = ::GetTickCount() + DWORD(milliseconds);
    while (!pred()) {
        if (LONG(::GetTickCount() - end) > 0) return false;
        tv::Application->ProcessMessages();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void Pump(int milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

tv::TForm* MakeForm(const std::string& caption, int clientWidth, int clientHeight, tv::TFormBorderStyle border) {
    auto* form = tv::CreateComponent<tv::TForm>(tv::Application);
    form->SetBorderStyle(border);
    form->SetCaption(caption);
    form->SetBounds(120, 100, clientWidth + 16, clientHeight + 40);
    form->SetClientSize(clientWidth, clientHeight);
    form->Show();
    ::SetForegroundWindow(form->Handle());
    PumpUntil([form] { return ::IsWindowVisible(form->Handle()) && ::GetForegroundWindow() == form->Handle(); });
    return form;
}

HWND MakeDialog(const std::wstring& caption) {
    std::vector<WORD> t;
    auto dword = [&t](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | WS_VISIBLE);
    dword(0);
    t.push_back(1);  // one item
    for (short v : {60, 60, 200, 80}) t.push_back(WORD(v));
    t.push_back(0);  // no menu
    t.push_back(0);  // the dialog class
    AppendText(t, caption);
    t.push_back(9);
    AppendText(t, L"Tahoma");
    if (t.size() % 2) t.push_back(0);  // items start on a DWORD
    dword(WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON);
    dword(0);
    for (short v : {75, 55, 50, 14}) t.push_back(WORD(v));
    t.push_back(IDOK);
    t.push_back(0xFFFF);
    t.push_back(0x0080);  // button
    AppendText(t, L"OK");
    t.push_back(0);
    HWND dialog = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr),
                                               reinterpret_cast<const DLGTEMPLATE*>(t.data()), nullptr, DialogProc, 0);
    if (dialog) {
        ::SetForegroundWindow(dialog);
        PumpUntil([dialog] { return ::GetForegroundWindow() == dialog; });
    }
    return dialog;
}

void Activate(skin::TWinSkinForm& skinner) {
    ::SendMessageW(skinner.Handle(), skin::SKM_ACTIVATESKIN, 0, 1000);
    Pump(60);
}

RECT WindowRectOf(HWND wnd) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return r;
}

RECT ClientRectOf(HWND wnd) {
    RECT r{};
    ::GetClientRect(wnd, &r);
    return r;
}

SIZE SizeOf(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }

raster::Bitmap CaptureScreen(const RECT& r) {
    const SIZE s = SizeOf(r);
    raster::Bitmap image(s.cx, s.cy);
    tv::OwnedDC memory(::CreateCompatibleDC(nullptr));
    {
        tv::SelectScope select(memory.Get(), static_cast<HBITMAP>(image.Handle()));
        tv::WindowDC screen(nullptr);
        ::BitBlt(memory.Get(), 0, 0, s.cx, s.cy, screen.Get(), r.left, r.top, SRCCOPY);
        ::GdiFlush();
    }
    return image;
}

std::string ScreenshotPath(const std::string& file) {
    std::string dir = TOVALIN_SCREENSHOTS;
    if (!dir.empty() && dir[0] == '/') dir = "Z:" + dir;  // built on Linux, run under Wine
    ::CreateDirectoryA(dir.c_str(), nullptr);
    return dir + "/" + file;
}

std::string SavePng(const raster::Bitmap& image, const std::string& name) {
    const std::vector<std::uint8_t> png = raster::EncodePng(image);
    std::ofstream out(name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    return name;
}

namespace {
// Where the pointer was last sent: presses and releases carry it, so that a stale pointer
// event under Wine cannot move a press to the pointer's previous place.
POINT g_pointerTarget{};

INPUT PointerInput(POINT p, DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = LONG((p.x * 65535.0) / (::GetSystemMetrics(SM_CXSCREEN) - 1) + 0.5);
    in.mi.dy = LONG((p.y * 65535.0) / (::GetSystemMetrics(SM_CYSCREEN) - 1) + 0.5);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return in;
}

bool PointerAt(POINT p) {
    POINT at{};
    ::GetCursorPos(&at);
    return at.x == p.x && at.y == p.y;
}
}  // namespace

void MoveMouseTo(POINT p) {
    g_pointerTarget = p;
    INPUT in = PointerInput(p, 0);
    // Under X the pointer may arrive late or snap back once: send again until it is there
    // and stays there while the moves it caused are handled.
    for (int attempt = 0; attempt < 10; ++attempt) {
        ::SendInput(1, &in, sizeof in);
        if (!PumpUntil([&] { return PointerAt(p); }, 300)) continue;
        Pump(80);
        if (PointerAt(p)) break;
    }
}

void MouseButton(DWORD flags) {
    INPUT in = PointerInput(g_pointerTarget, flags);
    ::SendInput(1, &in, sizeof in);
}

void ClickAt(POINT p) {
    MoveMouseTo(p);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    Pump(60);
    MouseButton(MOUSEEVENTF_LEFTUP);
    Pump(120);
}

void DragThrough(const std::vector<POINT>& path) {
    if (path.empty()) return;
    MoveMouseTo(path.front());
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    Pump(60);
    for (std::size_t i = 1; i < path.size(); ++i) MoveMouseTo(path[i]);
    MouseButton(MOUSEEVENTF_LEFTUP);
    Pump(80);
}

bool ClickUntil(POINT p, const std::function<bool()>& done) {
    ClickAt(p);
    if (PumpUntil(done, 1500)) return true;
    ClickAt(p);
    return PumpUntil(done, 1500);
}

int HitAt(HWND wnd, int x, int y) {
    const RECT w = WindowRectOf(wnd);
    return int(::SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(WORD(short(w.left + x)), WORD(short(w.top + y)))));
}

}  // namespace skintest

namespace skintest {

bool RunXdotool(const std::wstring& args, int milliseconds) {
    std::wstring command = L"Z:\\usr\\bin\\xdotool " + args;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(L"Z:\\usr\\bin\\xdotool", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                          &pi))
        return false;
    base::OwnedHandle process(pi.hProcess), thread(pi.hThread);
    // Wine may not see a Unix program end: the time it takes is enough.
    PumpUntil([&] { return ::WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0; }, milliseconds);
    return true;
}

HWND VisiblePopup() {
    HWND found = nullptr;
    ::EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            wchar_t cls[16] = {};
            ::GetClassNameW(w, cls, 16);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(w, &pid);
            if (pid != ::GetCurrentProcessId() || !::IsWindowVisible(w) || std::wstring(cls) != L"#32768") return TRUE;
            *reinterpret_cast<HWND*>(p) = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

LRESULT AltLetter(tv::TWinControl& form, wchar_t letter) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    const BYTE alt = keys[VK_MENU];
    keys[VK_MENU] = 0x80;
    ::SetKeyboardState(keys);
    const LRESULT used = form.Perform(tv::CM_DIALOGCHAR, letter, 0);
    keys[VK_MENU] = alt;
    ::SetKeyboardState(keys);
    return used;
}

}  // namespace skintest
