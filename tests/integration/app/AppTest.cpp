// Drives the real program in its own process: what a user does, what a user sees.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/Text.h"

namespace {
std::wstring gSelf;

std::wstring ProgramPath() {
    std::string p = TOVALIN_EXE;
    if (!p.empty() && p[0] == '/') p = "Z:" + p;  // built on Linux, run under Wine
    std::replace(p.begin(), p.end(), '/', '\\');
    return text::Widen(p);
}

// Keeps this thread responsive while waiting: the program reads our windows' texts.
void Pump(DWORD ms) {
    const DWORD until = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    } while (GetTickCount() < until);
}

template <typename Pred>
bool WaitFor(Pred pred, DWORD ms = 10000) {
    const DWORD until = GetTickCount() + ms;
    while (GetTickCount() < until) {
        if (pred()) return true;
        Pump(20);
    }
    return pred();
}

const wchar_t* ProbeClass() {
    static bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TovalinProbe";
        return RegisterClassW(&wc) != 0;
    }();
    (void)registered;
    return L"TovalinProbe";
}

struct Probe {
    HWND h;
    explicit Probe(const std::wstring& title, DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE, DWORD ex = 0,
                   HWND owner = nullptr)
        : h(CreateWindowExW(ex, ProbeClass(), title.c_str(), style, 600, 500, 160, 90, owner, nullptr,
                            GetModuleHandleW(nullptr), nullptr)) {}
    ~Probe() { DestroyWindow(h); }
    bool Visible() const { return IsWindowVisible(h) != 0; }
};

class Tovalin {
public:
    Tovalin() {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        std::wstring cmd = L"\"" + ProgramPath() + L"\"";
        if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_)) return;
        WaitForInputIdle(pi_.hProcess, 10000);
        WaitFor([&] { return (main_ = FindMain()) != nullptr && IsWindowVisible(main_); }, 20000);
    }
    ~Tovalin() {
        if (!pi_.hProcess) return;
        if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
            if (main_) PostMessageW(main_, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(pi_.hProcess, 5000) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 1);
        }
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }

    HWND Main() const { return main_; }
    // After the program made its main window anew: the new one, once it is visible.
    HWND FindMainAgain() {
        main_ = nullptr;
        HWND found = nullptr;
        if (WaitFor([&] { return (found = FindMain()) != nullptr && IsWindowVisible(found); }, 5000)) main_ = found;
        return main_;
    }
    DWORD Pid() const { return pi_.dwProcessId; }
    HANDLE Process() const { return pi_.hProcess; }

    HWND Child(const wchar_t* cls, const wchar_t* title) const { return FindWindowExW(main_, nullptr, cls, title); }
    HWND List() const { return Child(L"TListBox", nullptr); }

    // Clicks a button as the system does; posted so that a modal loop it opens cannot block us.
    void Click(const wchar_t* caption) const {
        HWND b = Child(L"TButton", caption);
        ASSERT_NE(b, nullptr) << text::Narrow(caption);
        PostMessageW(b, BM_CLICK, 0, 0);
    }
    void ClickAndSettle(const wchar_t* caption) const {
        Click(caption);
        Settle();
    }
    // Returns once the program has handled everything posted so far.
    void Settle() const {
        DWORD_PTR result;
        SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
        Pump(50);
    }

    std::vector<std::string> Items() const {
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
    int IndexOf(const std::string& title, int occurrence = 1) const {
        const auto items = Items();
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i] == title && --occurrence == 0) return int(i);
        return -1;
    }
    void Select(int index) const { SendMessageW(List(), LB_SETCURSEL, WPARAM(index), 0); }

    // The program's message box, if one is open.
    HWND MessageBox() const {
        struct Find { DWORD pid; HWND found; } f{pi_.dwProcessId, nullptr};
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

private:
    HWND FindMain() const {
        for (HWND h = FindWindowW(L"TForm1", L"Tovalin"); h; h = FindWindowExW(nullptr, h, L"TForm1", L"Tovalin")) {
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid == pi_.dwProcessId) return h;
        }
        return nullptr;
    }

    PROCESS_INFORMATION pi_{};
    HWND main_ = nullptr;
};

std::string WindowText(HWND h) {
    std::wstring s(512, L'\0');
    s.resize(std::size_t(GetWindowTextW(h, s.data(), 512)));
    return text::Narrow(s);
}

void PressCtrlAltS() {
    INPUT in[6]{};
    const WORD keys[3] = {VK_CONTROL, VK_MENU, 'S'};
    for (int i = 0; i < 3; ++i) {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = keys[i];
        in[5 - i].type = INPUT_KEYBOARD;
        in[5 - i].ki.wVk = keys[i];
        in[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(6, in, sizeof(INPUT));
}

long Count(const std::vector<std::string>& v, const std::string& s) { return std::count(v.begin(), v.end(), s); }
}  // namespace

TEST(Tovalin, ListsTheDesktopsTitledWindows) {
    Probe plain(L"Probe plain");
    Probe hidden(L"Probe hidden", WS_OVERLAPPEDWINDOW);
    Probe tool(L"Probe tool", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW);
    Probe owned(L"Probe owned", WS_POPUP, 0, plain.h);
    Probe untitled(L"");  // left out of the list
    Probe twinA(L"Probe twin"), twinB(L"Probe twin");
    Probe intl(L"Окно \u7A97\u53E3");

    Tovalin app;
    ASSERT_NE(app.Main(), nullptr);
    const auto items = app.Items();  // the first showing has refreshed already
    for (const char* t : {"Probe plain", "Probe hidden", "Probe tool", "Probe owned", "Окно 窗口"})
        EXPECT_EQ(Count(items, t), 1) << t;
    EXPECT_GE(Count(items, "Tovalin"), 1);  // the main window (the application window may bear it too)
    EXPECT_EQ(Count(items, "Probe twin"), 2);
    EXPECT_EQ(Count(items, ""), 0);

    // Refresh replaces the list: a window made later appears, a destroyed one goes.
    {
        Probe late(L"Probe late");
        DestroyWindow(twinB.h);
        twinB.h = nullptr;
        app.ClickAndSettle(L"刷新");
        const auto again = app.Items();
        EXPECT_EQ(Count(again, "Probe late"), 1);
        EXPECT_EQ(Count(again, "Probe twin"), 1);
        EXPECT_EQ(Count(again, "Probe plain"), 1);
    }
}

TEST(Tovalin, HideAndShowActOnTheSelectedEntryOnly) {
    Probe target(L"Probe target");
    Probe first(L"Probe same"), second(L"Probe same");
    Tovalin app;
    ASSERT_NE(app.Main(), nullptr);

    // Nothing selected: nothing happens.
    app.Select(-1);
    app.ClickAndSettle(L"隐藏窗口");
    EXPECT_TRUE(target.Visible());
    EXPECT_TRUE(first.Visible() && second.Visible());
    ShowWindow(target.h, SW_HIDE);
    app.ClickAndSettle(L"显示窗口");
    EXPECT_FALSE(target.Visible());
    ShowWindow(target.h, SW_SHOW);

    app.Select(app.IndexOf("Probe target"));
    app.ClickAndSettle(L"隐藏窗口");
    EXPECT_FALSE(target.Visible());
    EXPECT_GE(app.IndexOf("Probe target"), 0);  // still listed: hiding does not refresh
    app.ClickAndSettle(L"显示窗口");
    EXPECT_TRUE(target.Visible());

    // With two windows of one title, each entry acts on its own window. The list follows
    // the system's enumeration order, which tells which entry is which window.
    HWND order[2] = {};
    int seen = 0;
    for (HWND h = GetTopWindow(nullptr); h && seen < 2; h = GetWindow(h, GW_HWNDNEXT))
        if (h == first.h || h == second.h) order[seen++] = h;
    ASSERT_EQ(seen, 2);
    app.Select(app.IndexOf("Probe same", 2));
    app.ClickAndSettle(L"隐藏窗口");
    EXPECT_FALSE(IsWindowVisible(order[1]));
    EXPECT_TRUE(IsWindowVisible(order[0]));
    app.ClickAndSettle(L"显示窗口");
    EXPECT_TRUE(IsWindowVisible(order[1]));
    app.Select(app.IndexOf("Probe same", 1));
    app.ClickAndSettle(L"隐藏窗口");
    EXPECT_FALSE(IsWindowVisible(order[0]));
    EXPECT_TRUE(IsWindowVisible(order[1]));
}

TEST(Tovalin, AnEntryWhoseWindowChangedTitleFallsBackToTheTitle) {
    Probe renamed(L"Probe before");
    Tovalin app;
    ASSERT_NE(app.Main(), nullptr);
    const int entry = app.IndexOf("Probe before");
    ASSERT_GE(entry, 0);
    // The entry's window now bears another title; a newcomer bears the entry's.
    SetWindowTextW(renamed.h, L"Probe after");
    Probe newcomer(L"Probe before");
    app.Select(entry);
    app.ClickAndSettle(L"隐藏窗口");
    EXPECT_TRUE(renamed.Visible());
    EXPECT_FALSE(newcomer.Visible());
    app.ClickAndSettle(L"显示窗口");
    EXPECT_TRUE(newcomer.Visible());
    // Gone altogether: nothing is acted on and nothing breaks.
    DestroyWindow(newcomer.h);
    newcomer.h = nullptr;
    app.ClickAndSettle(L"隐藏窗口");
    EXPECT_TRUE(renamed.Visible());
    EXPECT_TRUE(IsWindowVisible(app.Main()));
}

TEST(Tovalin, HidesItselfAfterItsMessageAndReturnsOnCtrlAltS) {
    Tovalin app;
    ASSERT_NE(app.Main(), nullptr);
    app.Click(L"隐  藏");
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = app.MessageBox()) != nullptr; }));
    EXPECT_EQ(WindowText(box), "提示");
    EXPECT_TRUE(IsWindowVisible(app.Main())) << "hidden before the message was dismissed";
    std::vector<std::string> texts;
    bool hasIcon = false;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        texts.push_back(WindowText(c));
        wchar_t cls[32];
        GetClassNameW(c, cls, 32);
        if (std::wstring(cls) == L"Static" && (GetWindowLongW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            hasIcon = SendMessageW(c, STM_GETICON, 0, 0) != 0;
    }
    EXPECT_EQ(Count(texts, "用Ctrl+Alt+S显示窗口"), 1);
    EXPECT_TRUE(hasIcon);
    HWND ok = GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);  // OK alone
    PostMessageW(ok, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(app.Main()); }));
    EXPECT_TRUE(IsWindow(app.Main()));

    Probe late(L"Probe made while hidden");
    SetForegroundWindow(late.h);
    PressCtrlAltS();
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(app.Main()) != 0; })) << "Ctrl+Alt+S did not bring it back";
    app.Settle();
    EXPECT_EQ(Count(app.Items(), "Probe made while hidden"), 1);
}

TEST(Tovalin, CtrlAltSStillWorksAfterTheMainWindowWasMadeAnew) {
    Tovalin app;
    ASSERT_NE(app.Main(), nullptr);
    HWND old = app.Main();
    const UINT recreate = 0xB033;  // the framework's CM_RECREATEWND
    PostMessageW(old, recreate, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(old); }));
    HWND renewed = app.FindMainAgain();
    ASSERT_NE(renewed, nullptr) << "the new window is shown as the old one was";
    app.Click(L"隐  藏");
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = app.MessageBox()) != nullptr; }));
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(renewed); }));
    Probe other(L"Probe in front");
    SetForegroundWindow(other.h);
    PressCtrlAltS();
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(renewed) != 0; })) << "the hotkey was lost with the old window";
}

namespace {
// The visible popup menu window of a process, if any.
HWND OpenMenuOf(DWORD pid) {
    for (HWND h = FindWindowW(L"#32768", nullptr); h; h = FindWindowExW(nullptr, h, L"#32768", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner == pid && IsWindowVisible(h)) return h;
    }
    return nullptr;
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

// Real pointer input at a screen point (absolute coordinates: the system maps dx to
// dx * width / 65536, so round up).
void MouseAt(POINT p, DWORD buttons) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = LONG((p.x * 65536 + w - 1) / w);
    in.mi.dy = LONG((p.y * 65536 + h - 1) / h);
    in.mi.dwFlags = buttons | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof(INPUT));
}

void RightClickAt(POINT p) {
    // The pointer goes there first, and is seen there, before the button goes down.
    for (int attempt = 0; attempt < 10; ++attempt) {
        MouseAt(p, 0);
        if (WaitFor([&] {
                POINT at{};
                GetCursorPos(&at);
                return at.x == p.x && at.y == p.y;
            }, 300))
            break;
    }
    // Down and up apart, as a hand does: the menu opens when the button comes up.
    MouseAt(p, MOUSEEVENTF_RIGHTDOWN);
    Pump(60);
    MouseAt(p, MOUSEEVENTF_RIGHTUP);
    Pump(60);
}
}  // namespace

// As on a plain window of the system: the caption's context menu is the system menu.
TEST(Tovalin, ARightClickOnTheCaptionAndAltSpaceOpenTheSystemMenu) {
    Tovalin app;
    ASSERT_NE(app.Main(), nullptr);
    SetForegroundWindow(app.Main());
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == app.Main(); }));
    RECT r;
    GetWindowRect(app.Main(), &r);
    POINT caption{(r.left + r.right) / 2, r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
    ASSERT_EQ(SendMessageW(app.Main(), WM_NCHITTEST, 0, MAKELPARAM(caption.x, caption.y)), HTCAPTION);

    RightClickAt(caption);
    EXPECT_TRUE(WaitFor([&] { return OpenMenuOf(app.Pid()) != nullptr; }, 5000)) << "no menu on a right click";
    SendKeys({VK_ESCAPE});
    ASSERT_TRUE(WaitFor([&] { return OpenMenuOf(app.Pid()) == nullptr; }, 5000));

    SetForegroundWindow(app.Main());
    WaitFor([&] { return GetForegroundWindow() == app.Main(); });
    SendKeys({VK_MENU, VK_SPACE});
    EXPECT_TRUE(WaitFor([&] { return OpenMenuOf(app.Pid()) != nullptr; }, 5000)) << "no menu on Alt+Space";
    SendKeys({VK_ESCAPE});
    WaitFor([&] { return OpenMenuOf(app.Pid()) == nullptr; }, 5000);
    EXPECT_TRUE(IsWindowVisible(app.Main()));
}

TEST(Tovalin, ClosingEndsTheProcessAndFreesTheHotkey) {
    Probe rival(L"Probe rival", WS_POPUP);
    Tovalin app;
    ASSERT_NE(app.Main(), nullptr);
    EXPECT_FALSE(RegisterHotKey(rival.h, 1, MOD_CONTROL | MOD_ALT, 'S'));
    PostMessageW(app.Main(), WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForSingleObject(app.Process(), 10000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(app.Process(), &code);
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(RegisterHotKey(rival.h, 1, MOD_CONTROL | MOD_ALT, 'S'));
    UnregisterHotKey(rival.h, 1);
}

namespace {
// Routes http URLs to this test program for the duration of a test.
class UrlRecorder {
public:
    static constexpr const wchar_t* kKey = L"Software\\Classes\\http\\shell\\open\\command";

    UrlRecorder() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        file_ = std::wstring(temp) + L"tovalin-urls.txt";
        DeleteFileW(file_.c_str());
        // The system's association, not the user's, decides here; keep it to put it back.
        std::wstring saved(1024, L'\0');
        DWORD size = DWORD(saved.size() * sizeof(wchar_t));
        if (RegGetValueW(HKEY_LOCAL_MACHINE, kKey, nullptr, RRF_RT_REG_SZ, nullptr, saved.data(), &size) ==
            ERROR_SUCCESS) {
            saved.resize(wcslen(saved.c_str()));
            saved_ = saved;
        }
        Set(L"\"" + gSelf + L"\" --record-url \"" + file_ + L"\" \"%1\"");
    }
    ~UrlRecorder() {
        Set(saved_);
        DeleteFileW(file_.c_str());
    }
    std::vector<std::string> Urls() const {
        std::ifstream in(file_.c_str());
        std::vector<std::string> urls;
        for (std::string line; std::getline(in, line);)
            if (!line.empty()) urls.push_back(line);
        return urls;
    }

private:
    static void Set(const std::wstring& command) {
        RegSetKeyValueW(HKEY_LOCAL_MACHINE, kKey, nullptr, REG_SZ, command.c_str(),
                        DWORD((command.size() + 1) * sizeof(wchar_t)));
    }
    std::wstring file_;
    std::wstring saved_;
};

void ClickAt(HWND window, int x, int y) {
    PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}
}  // namespace

TEST(Tovalin, LinkLabelsOpenTheMakersPages) {
    UrlRecorder recorder;
    Tovalin app;
    ASSERT_NE(app.Main(), nullptr);
    ClickAt(app.Main(), 15 + 20, 12 + 8);  // "了解兼职信息"
    ASSERT_TRUE(WaitFor([&] { return recorder.Urls().size() == 1; }, 15000));
    ClickAt(app.Main(), 259 + 40, 14 + 7);  // "下载更多免费的好软件"
    ASSERT_TRUE(WaitFor([&] { return recorder.Urls().size() == 2; }, 15000));
    const auto urls = recorder.Urls();
    EXPECT_EQ(urls[0], "http://tovalin.example.com/ku_type.asp?Ku_ID=6");
    EXPECT_EQ(urls[1], "http://tovalin.example.com");
    // Between the labels nothing opens.
    ClickAt(app.Main(), 200, 20);
    app.Settle();
    Pump(1000);
    EXPECT_EQ(recorder.Urls().size(), 2u);
}

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wstring(argv[1]) == L"--record-url") {
        std::ofstream out(argv[2], std::ios::app);
        out << text::Narrow(argv[3]) << "\n";
        return 0;
    }
    gSelf = argv[0];
    wchar_t full[MAX_PATH];
    if (GetModuleFileNameW(nullptr, full, MAX_PATH)) gSelf = full;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
