#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "base/Text.h"
#include "wintools/jincheng.h"

namespace {
const wchar_t* RegisterTestClass() {
    static const wchar_t* name = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"InventoryProbe";
        RegisterClassW(&wc);
        return L"InventoryProbe";
    }();
    return name;
}

struct Window {
    HWND h;
    Window(const std::wstring& title, DWORD style, DWORD exStyle = 0, HWND owner = nullptr)
        : h(CreateWindowExW(exStyle, RegisterTestClass(), title.c_str(), style, 10, 20, 200, 100, owner, nullptr,
                            GetModuleHandleW(nullptr), nullptr)) {}
    ~Window() { DestroyWindow(h); }
};

const WindowRecord* Find(const TWindowList& list, HWND h) {
    auto it = std::find_if(list.begin(), list.end(), [h](const WindowRecord& r) { return r.Handle == h; });
    return it == list.end() ? nullptr : &*it;
}
}  // namespace

class Inventory : public ::testing::Test {
protected:
    Window plain{L"Plain app window", WS_OVERLAPPEDWINDOW | WS_VISIBLE};
    Window hidden{L"Hidden one", WS_OVERLAPPEDWINDOW};
    Window tool{L"Tool palette", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW};
    Window owned{L"Owned dialog", WS_POPUP | WS_VISIBLE, 0, plain.h};
    Window untitled{L"", WS_POPUP | WS_VISIBLE};
    Window cyrillic{L"Окно \u7A97\u53E3 test", WS_OVERLAPPEDWINDOW | WS_VISIBLE};
};

TEST_F(Inventory, UnfilteredListsEveryTopLevelWindowWithItsFacts) {
    TWindowList list;
    EnumerateWindows(0, 0, false, list);
    for (HWND h : {plain.h, hidden.h, tool.h, owned.h, untitled.h, cyrillic.h}) ASSERT_NE(Find(list, h), nullptr);

    const WindowRecord& p = *Find(list, plain.h);
    EXPECT_EQ(p.Title, "Plain app window");
    EXPECT_EQ(p.ClassName, "InventoryProbe");
    EXPECT_TRUE(p.Visible);
    EXPECT_TRUE(p.Enabled);
    EXPECT_TRUE(p.AppWindow);
    EXPECT_EQ(p.ProcessId, GetCurrentProcessId());
    EXPECT_EQ(p.ThreadId, GetCurrentThreadId());
    RECT r;
    GetWindowRect(plain.h, &r);
    EXPECT_EQ(p.Rect.left, r.left);
    EXPECT_EQ(p.Rect.bottom, r.bottom);

    EXPECT_FALSE(Find(list, hidden.h)->AppWindow);
    EXPECT_FALSE(Find(list, hidden.h)->Visible);
    EXPECT_FALSE(Find(list, tool.h)->AppWindow);
    EXPECT_EQ(Find(list, owned.h)->Owner, plain.h);
    EXPECT_FALSE(Find(list, owned.h)->AppWindow);
    EXPECT_EQ(Find(list, untitled.h)->Title, "");
    EXPECT_EQ(Find(list, cyrillic.h)->Title, "Окно 窗口 test");
}

TEST_F(Inventory, ApplicationWindowsOnlyKeepsUnownedVisibleNonToolWindows) {
    TWindowList list;
    EnumerateWindows(GetCurrentProcessId(), 0, true, list);
    EXPECT_NE(Find(list, plain.h), nullptr);
    EXPECT_NE(Find(list, cyrillic.h), nullptr);
    EXPECT_NE(Find(list, untitled.h), nullptr);
    EXPECT_EQ(Find(list, hidden.h), nullptr);
    EXPECT_EQ(Find(list, tool.h), nullptr);
    EXPECT_EQ(Find(list, owned.h), nullptr);
    for (const auto& r : list) EXPECT_TRUE(r.AppWindow && r.Visible && !r.Owner && !r.Parent) << r.Title;
}

TEST_F(Inventory, ProcessAndThreadFiltersSelectTheirWindows) {
    HWND other = nullptr;
    DWORD otherThread = 0;
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread worker([&] {
        Window w(L"Worker thread window", WS_OVERLAPPEDWINDOW);
        other = w.h;
        otherThread = GetCurrentThreadId();
        SetEvent(ready);
        // Keep pumping: reading another thread's window text sends it WM_GETTEXT.
        while (MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        }
    });
    WaitForSingleObject(ready, INFINITE);
    struct Join {
        HANDLE ready, done;
        std::thread& worker;
        ~Join() {
            SetEvent(done);
            worker.join();
            CloseHandle(ready);
            CloseHandle(done);
        }
    } join{ready, done, worker};

    TWindowList mine;
    EnumerateWindows(0, GetCurrentThreadId(), false, mine);
    EXPECT_NE(Find(mine, plain.h), nullptr);
    EXPECT_EQ(Find(mine, other), nullptr);
    for (const auto& r : mine) EXPECT_EQ(r.ThreadId, GetCurrentThreadId());

    TWindowList theirs;
    EnumerateWindows(0, otherThread, false, theirs);
    EXPECT_NE(Find(theirs, other), nullptr);
    EXPECT_EQ(Find(theirs, plain.h), nullptr);
    for (const auto& r : theirs) EXPECT_EQ(r.ThreadId, otherThread);  // the system may add its own (IME)

    // The process filter keeps every thread of the process and nothing else.
    TWindowList process;
    EnumerateWindows(GetCurrentProcessId(), 0, false, process);
    EXPECT_NE(Find(process, other), nullptr);
    EXPECT_NE(Find(process, plain.h), nullptr);
    for (const auto& r : process) EXPECT_EQ(r.ProcessId, GetCurrentProcessId());
    TWindowList everything;
    EnumerateWindows(0, 0, false, everything);
    EXPECT_GT(everything.size(), process.size());  // the desktop's own windows belong to other processes

    // A thread filter that contradicts the process filter yields nothing.
    TWindowList none;
    EnumerateWindows(GetCurrentProcessId() + 4, GetCurrentThreadId(), false, none);
    EXPECT_TRUE(none.empty());

}

TEST_F(Inventory, LongTitlesAreCutAndCallsReplaceTheList) {
    std::wstring longTitle(300, L'x');
    longTitle[0] = L'\u4E2D';
    Window w(longTitle, WS_POPUP);
    TWindowList list;
    EnumerateWindows(0, GetCurrentThreadId(), false, list);
    const WindowRecord* r = Find(list, w.h);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(text::Widen(r->Title), longTitle.substr(0, 259));

    list.push_back(WindowRecord{});
    list.back().Title = "stale";
    EnumerateWindows(0, GetCurrentThreadId(), false, list);
    EXPECT_TRUE(std::none_of(list.begin(), list.end(), [](const WindowRecord& x) { return x.Title == "stale"; }));
    EXPECT_NE(Find(list, w.h), nullptr);
}

namespace {
// A window procedure that fills in a short text but claims a far longer one.
LRESULT CALLBACK OverstatingProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_GETTEXT && wp >= 4) {
        auto* out = reinterpret_cast<wchar_t*>(lp);
        out[0] = L'a', out[1] = L'b', out[2] = L'c', out[3] = 0;
        return 1000;
    }
    return DefWindowProcW(h, msg, wp, lp);
}
}  // namespace

TEST(InventoryTitles, ATextLengthBeyondTheBufferIsNotTrusted) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = OverstatingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OverstatingProbe";
    RegisterClassW(&wc);
    HWND h = CreateWindowExW(0, L"OverstatingProbe", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(h, nullptr);
    TWindowList list;
    EnumerateWindows(0, GetCurrentThreadId(), false, list);
    const WindowRecord* r = Find(list, h);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Title, "abc");
    EXPECT_EQ(WindowTitle(h), "abc");
    DestroyWindow(h);
}
