// Tovalin's list of windows wears the skin's scroll bar: the list box is skinned, one
// overlay lies over its bar once the list outgrows the box, and the arrows and the track
// scroll the list through it. The bar belongs to another process here, so the overlay is
// found among the main window's children and the list asked by its messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "AppDriver.h"

using namespace apptest;

namespace {

constexpr UINT kIsSkinned = 0x3523;

// The visible overlays among the main window's children.
std::vector<HWND> ShownOverlays(HWND main) {
    std::vector<HWND> found;
    for (HWND w = FindWindowExW(main, nullptr, L"TWScrollbar", nullptr); w;
         w = FindWindowExW(main, w, L"TWScrollbar", nullptr))
        if (IsWindowVisible(w)) found.push_back(w);
    return found;
}

RECT RectOf(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

}  // namespace

TEST(TovalinScrollBar, TheListsBarIsSkinnedAndScrollsTheList) {
    // Enough windows to outgrow the list box (hidden ones are listed too).
    std::vector<std::unique_ptr<Probe>> probes;
    for (int i = 0; i < 40; ++i)
        probes.push_back(std::make_unique<Probe>(L"Probe row " + std::to_wstring(i), WS_OVERLAPPEDWINDOW));
    Tovalin app;
    ASSERT_NE(app.Main(), nullptr);
    const HWND list = app.List();
    ASSERT_NE(list, nullptr);
    ASSERT_GE(app.Items().size(), 40u);
    EXPECT_EQ(Ask(list, kIsSkinned), 1);

    ASSERT_TRUE(WaitFor([&] { return ShownOverlays(app.Main()).size() == 1; }, 5000));
    const HWND overlay = ShownOverlays(app.Main()).front();
    const RECT bar = RectOf(overlay), box = RectOf(list);
    // Inside the list box's frame, along its right edge, as tall as its client area.
    RECT client{};
    GetClientRect(list, &client);
    POINT clientTopRight{client.right, 0};
    ClientToScreen(list, &clientTopRight);
    EXPECT_EQ(bar.left, clientTopRight.x);
    EXPECT_EQ(bar.top, clientTopRight.y);
    EXPECT_EQ(bar.bottom - bar.top, client.bottom);
    EXPECT_LE(bar.right, box.right);
    EXPECT_EQ(bar.right - bar.left, GetSystemMetrics(SM_CXVSCROLL));

    ASSERT_TRUE(BringToFront(app.Main()));
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    const int x = (bar.left + bar.right) / 2;
    auto top = [&] { return int(Ask(list, LB_GETTOPINDEX)); };
    // The list's top row once it has stopped moving (the other process may take its time,
    // and a press held past the repeat delay scrolls on).
    auto settled = [&] {
        int last = top();
        for (int i = 0; i < 30; ++i) {
            Pump(100);
            const int now = top();
            if (now == last) return now;
            last = now;
        }
        return last;
    };
    const int start = settled();
    LeftClickAt({x, bar.bottom - arrow / 2});
    const int down = settled();
    EXPECT_GT(down, start) << "the second arrow";
    LeftClickAt({x, bar.bottom - arrow - 3});
    const int paged = settled();
    EXPECT_GT(paged, down + 2) << "the track below the thumb: a page";
    LeftClickAt({x, bar.top + arrow / 2});
    const int up = settled();
    EXPECT_LT(up, paged) << "the first arrow";
    // The wheel, handed to the list as the system does.
    SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(-WHEEL_DELTA))), MAKELPARAM(WORD(x - 40), WORD(bar.top + 40)));
    EXPECT_GT(settled(), up) << "the wheel";
    EXPECT_EQ(ShownOverlays(app.Main()).size(), 1u);
}
