// The skinned system menu: its items mirror the window's system menu, enabled as the
// window's state says, drawn by the skin, and a choice acts on the window.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "SkinFormTestUtil.h"
#include "framework/Menus.h"
#include "skin/resources/ImgUtil.h"

using namespace skin;
using namespace skintest;

namespace {

// Runs check while the popup menu the window opens is shown, then closes the menu.
std::function<void(HWND popup, HMENU menu)>* pending = nullptr;

void CALLBACK VisitMenu(HWND, UINT, UINT_PTR id, DWORD) {
    HWND popup = ::FindWindowW(L"#32768", nullptr);
    if (!popup || !::IsWindowVisible(popup) || !pending) return;
    ::KillTimer(nullptr, id);
    auto* check = std::exchange(pending, nullptr);
    (*check)(popup, reinterpret_cast<HMENU>(::SendMessageW(popup, MN_GETHMENU, 0, 0)));
    ::EndMenu();
}

bool WithSystemMenu(HWND wnd, std::function<void(HWND, HMENU)> check) {
    bool seen = false;
    std::function<void(HWND, HMENU)> visit = [&](HWND p, HMENU m) {
        seen = true;
        check(p, m);
    };
    pending = &visit;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 40, VisitMenu);
    // Alt+Space as the system delivers it.
    ::SendMessageW(wnd, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    ::KillTimer(nullptr, timer);
    pending = nullptr;
    Pump(30);
    return seen;
}

// The system command of each shown item, and whether it is enabled.
std::map<UINT, bool> CommandStates(HMENU menu) {
    std::map<UINT, bool> states;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        tv::TMenuItem* item = tv::TMenuItem::FromCommand(::GetMenuItemID(menu, i));
        if (!item || item->IsLine()) continue;
        states[UINT(item->Tag()) & 0xFFF0] = !(::GetMenuState(menu, UINT(i), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
    }
    return states;
}

tv::TMenuItem* ItemFor(HMENU menu, UINT command) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
        if (tv::TMenuItem* item = tv::TMenuItem::FromCommand(::GetMenuItemID(menu, i));
            item && (UINT(item->Tag()) & 0xFFF0) == command)
            return item;
    return nullptr;
}

}  // namespace

TEST(SystemMenu, ItsItemsFollowTheWindowsStateAndAct) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    tv::TForm* form = MakeForm("System menu");
    const HWND wnd = form->Handle();
    {
        TWinSkinForm skinner(nullptr, wnd);
        skinner.AttachForm(data.get(), form);
        Activate(skinner);
        ASSERT_TRUE(WithSystemMenu(wnd, [&](HWND popup, HMENU menu) {
            const auto states = CommandStates(menu);
            ASSERT_EQ(states.count(SC_CLOSE), 1u) << "the window's own system menu, item by item";
            EXPECT_FALSE(states.at(SC_RESTORE));
            EXPECT_TRUE(states.at(SC_MOVE));
            EXPECT_TRUE(states.at(SC_SIZE));
            EXPECT_TRUE(states.at(SC_MINIMIZE));
            EXPECT_TRUE(states.at(SC_MAXIMIZE));
            EXPECT_TRUE(states.at(SC_CLOSE));
            // Items are drawn by the skin: the resting item strip is see-through here, so the
            // skin's menu colour shows beside the text.
            RECT r{};
            for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
                if (tv::TMenuItem::FromCommand(::GetMenuItemID(menu, i)) == ItemFor(menu, SC_CLOSE))
                    ::GetMenuItemRect(nullptr, menu, UINT(i), &r);
            ASSERT_GT(r.right - r.left, 0);
            const raster::Bitmap shot = CaptureScreen(r);
            const raster::Color menuColour = raster::Color(ResolveColour(Colour(data->SkinColors.Menu)));
            EXPECT_EQ(shot.GetPixel(shot.Width() - 3, shot.Height() / 2), menuColour);
            RECT whole{};
            ::GetWindowRect(popup, &whole);
            ::InflateRect(&whole, 8, 8);
            SavePng(CaptureScreen(whole), ScreenshotPath("frame-sysmenu-daylight.png"));
            // Choosing Maximize posts the command to the window.
            ItemFor(menu, SC_MAXIMIZE)->Click();
        }));
        PumpUntil([&] { return ::IsZoomed(wnd) != FALSE; });
        EXPECT_TRUE(::IsZoomed(wnd));
        ASSERT_TRUE(WithSystemMenu(wnd, [&](HWND, HMENU menu) {
            const auto states = CommandStates(menu);
            EXPECT_TRUE(states.at(SC_RESTORE));
            EXPECT_FALSE(states.at(SC_MOVE)) << "a maximized window does not move";
            EXPECT_FALSE(states.at(SC_SIZE));
            EXPECT_FALSE(states.at(SC_MAXIMIZE));
            EXPECT_TRUE(states.at(SC_MINIMIZE));
            ItemFor(menu, SC_RESTORE)->Click();
        }));
        PumpUntil([&] { return !::IsZoomed(wnd); });
        EXPECT_FALSE(::IsZoomed(wnd));
    }
    delete form;
    Pump(10);
}

TEST(SystemMenu, AFixedWindowOffersNoSizing) {
    auto data = LoadPackedSkin("slate");
    ASSERT_TRUE(data && !data->SkinEmpty);
    tv::TForm* form = MakeForm("Fixed", 300, 160, tv::TFormBorderStyle::bsSingle);
    const HWND wnd = form->Handle();
    {
        TWinSkinForm skinner(nullptr, wnd);
        skinner.AttachForm(data.get(), form);
        Activate(skinner);
        EXPECT_TRUE(WithSystemMenu(wnd, [&](HWND, HMENU menu) {
            const auto states = CommandStates(menu);
            if (states.count(SC_SIZE)) {
                EXPECT_FALSE(states.at(SC_SIZE));
            }
            EXPECT_TRUE(states.at(SC_MOVE));
            EXPECT_TRUE(states.at(SC_CLOSE));
        }));
    }
    delete form;
    Pump(10);
}
