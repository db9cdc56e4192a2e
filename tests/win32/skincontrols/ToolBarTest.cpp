// Tool bars on a skinned window: their buttons drawn by the form skinner from the skin's
// button strip (nothing while flat and idle, the hot frame under the pointer, the pressed
// one while held), the bar's own drawing handler kept, the handlers taken back when the
// skin goes; and the bar's logic kept: one click, one OnClick; the arrow of a drop-down
// button opens its menu.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "ControlsTestUtil.h"
#include "framework/Menus.h"
#include "framework/ToolBars.h"
#include "skin/forms/ToolBarDrawing.h"

using namespace skin;
using namespace skintest;

namespace {

RECT ButtonScreenRect(tv::TToolBar& bar, tv::TToolButton* b) {
    RECT r = bar.ButtonRect(b);
    ::MapWindowPoints(bar.Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Where the skin's frame goes: the button less a pixel all round.
RECT FrameRect(RECT r) {
    ::InflateRect(&r, -1, -1);
    return r;
}

// While the menu's own loop runs, a timer sees it open, notes where, and chooses its first item.
RECT g_menuRect{};
void CALLBACK ChooseFirstItem(HWND, UINT, UINT_PTR id, DWORD) {
    HWND h = VisiblePopup();
    if (!h) return;
    ::KillTimer(nullptr, id);
    ::GetWindowRect(h, &g_menuRect);
    for (WORD vk : {WORD(VK_DOWN), WORD(VK_RETURN)}) {
        INPUT in[2]{};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wVk = in[1].ki.wVk = vk;
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, in, sizeof in[0]);
    }
}

POINT CentreOf(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}  // namespace

TEST(ToolBarSkinning, ButtonsTakeTheSkinsFramesByStateAndClickAsBefore) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && data->Buttons);
    InstallControlsOnce();
    MoveMouseTo({5, 5});
    tv::TForm* form = MakeForm("Tool bar", 420, 200);
    auto* bar = new tv::TToolBar(form);
    bar->SetParent(form);
    bar->SetBounds(0, 0, 420, 40);
    bar->SetButtonWidth(90);
    bar->SetButtonHeight(30);
    auto* menu = new tv::TPopupMenu(form);
    int menuClicks = 0;
    auto* item = new tv::TMenuItem(menu);
    item->SetCaption("First choice");
    item->OnClick = [&](tv::TObject*) { ++menuClicks; };
    menu->Items().Add(item);
    int clicks = 0;
    auto add = [&](const char* caption, tv::TToolButtonStyle style) {
        auto* b = new tv::TToolButton(form);
        b->SetCaption(caption);
        b->SetStyle(style);
        b->SetToolBar(bar);
        return b;
    };
    tv::TToolButton* plain = add("Plain", tv::TToolButtonStyle::tbsButton);
    plain->OnClick = [&](tv::TObject*) { ++clicks; };
    tv::TToolButton* drop = add("Menu", tv::TToolButtonStyle::tbsDropDown);
    drop->SetDropdownMenu(menu);
    add("Check", tv::TToolButtonStyle::tbsCheck);
    // A second bar draws its buttons itself; the skin leaves that drawing alone.
    auto* own = new tv::TToolBar(form);
    own->SetParent(form);
    own->SetBounds(0, 100, 420, 40);
    int ownDrawn = 0;
    own->OnCustomDrawButton = [&](tv::TToolBar*, tv::TToolButton*, tv::TCustomDrawState, bool&) { ++ownDrawn; };
    auto* ob = new tv::TToolButton(form);
    ob->SetCaption("Own");
    ob->SetToolBar(own);

    auto* skinner = new TWinSkinForm(form, form->Handle());
    skinner->AttachForm(data.get(), form);
    Activate(*skinner);
    Pump(150);
    EXPECT_TRUE(bar->Flat()) << "a skinned tool bar is flat";
    EXPECT_TRUE(HasToolBarDrawing(*skinner, *bar, false));
    EXPECT_TRUE(HasToolBarDrawing(*skinner, *bar, true));
    EXPECT_FALSE(HasToolBarDrawing(*skinner, *own, false)) << "the bar's own button drawing is kept";
    EXPECT_TRUE(HasToolBarDrawing(*skinner, *own, true)) << "its background is still the skin's";

    // Idle and flat: no frame of the strip; hot under the pointer; pressed while held.
    const RECT plainRect = ButtonScreenRect(*bar, plain);
    EXPECT_EQ(ShownButtonFrameAt(FrameRect(plainRect), *data), 0);
    MoveMouseTo(CentreOf(plainRect));
    EXPECT_TRUE(PumpUntil([&] { return ShownButtonFrameAt(FrameRect(plainRect), *data) == 4; })) << "no hot frame";
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(PumpUntil([&] { return ShownButtonFrameAt(FrameRect(plainRect), *data) == 2; })) << "no pressed frame";
    MouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return clicks == 1; }));
    Pump(200);
    EXPECT_EQ(clicks, 1) << "one click, one OnClick";

    // The drop-down button's arrow opens its menu under the button; Return chooses.
    const RECT dropRect = ButtonScreenRect(*bar, drop);
    g_menuRect = RECT{};
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &ChooseFirstItem);
    EXPECT_TRUE(ClickUntil(POINT{dropRect.right - 5, (dropRect.top + dropRect.bottom) / 2}, [&] { return menuClicks == 1; }))
        << "the arrow opened no menu, or it chose nothing";
    ::KillTimer(nullptr, timer);
    EXPECT_NEAR(g_menuRect.top, dropRect.bottom, 4) << "the menu opens under the button";
    EXPECT_NEAR(g_menuRect.left, dropRect.left, 4);
    EXPECT_GT(ownDrawn, 0);

    // The skin goes: our handlers with it, the bar's own stays.
    MoveMouseTo({5, 5});
    delete skinner;
    Pump(60);
    EXPECT_FALSE(bool(bar->OnCustomDrawButton));
    EXPECT_FALSE(bool(bar->OnCustomDraw));
    EXPECT_TRUE(bool(own->OnCustomDrawButton));
    delete form;
}
