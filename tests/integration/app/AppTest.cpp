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

#include "AppDriver.h"
#include "base/Text.h"

using namespace apptest;

namespace {
std::wstring gSelf;
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
    EXPECT_TRUE(WaitFor([&] { return Count(app.Items(), "Probe made while hidden") == 1; }))
        << "the list was not refreshed on coming back";
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
