// Skinning and unskinning, creating and destroying skinned windows, many times over: the
// handles held by our owners stay as many as before (the system's own counters are not
// there under Wine, so the owners count).
#include <gtest/gtest.h>

#include <array>

#include "base/Handles.h"
#include "skin/core/WinSkinDlg.h"
#include "SkinFormTestUtil.h"

using namespace skin;
using namespace skintest;

namespace {
// The set-up completed at once, without waiting for the window to settle each time.
void ActivateNow(TWinSkinForm& skinner) {
    ::SendMessageW(skinner.Handle(), SKM_ACTIVATESKIN, 0, 1000);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

std::array<long, 6> LiveHandles() {
    return {base::OwnedGdiObject<HBITMAP>::Live(), base::OwnedGdiObject<HRGN>::Live(),
            base::OwnedGdiObject<HFONT>::Live(),   base::OwnedGdiObject<HBRUSH>::Live(),
            base::OwnedGdiObject<HPEN>::Live(),    base::OwnedMenu::Live()};
}
}  // namespace

TEST(Cycles, SkinAndUnskinAThousandTimesHoldsNoMoreHandles) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    tv::TForm* form = MakeForm("Cycles");
    const HWND wnd = form->Handle();
    const RECT window = WindowRectOf(wnd);
    // One round first: what is made once and kept (caches) is not a leak.
    for (int round = 0; round < 2; ++round) {
        const auto before = LiveHandles();
        const int cycles = round == 0 ? 1 : 1000;
        for (int i = 0; i < cycles; ++i) {
            TWinSkinForm skinner(nullptr, wnd);
            skinner.AttachForm(data.get(), form);
            ActivateNow(skinner);
            skinner.Unskin();
        }
        if (round == 0) continue;
        EXPECT_EQ(LiveHandles(), before) << "bitmaps, regions, fonts, brushes, pens, menus";
    }
    EXPECT_EQ(SizeOf(WindowRectOf(wnd)).cx, SizeOf(window).cx);
    EXPECT_EQ(SizeOf(WindowRectOf(wnd)).cy, SizeOf(window).cy);
    delete form;
}

TEST(Cycles, CreatingSkinningAndDestroyingWindowsHoldsNoMoreHandles) {
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    auto once = [&](bool dialog) {
        if (dialog) {
            HWND wnd = MakeDialog(L"Cycle");
            auto* skinner = new TWinSkinForm(nullptr, wnd);
            skinner->AttachWindow(data.get());
            ActivateNow(*skinner);
            ::DestroyWindow(wnd);  // the skinner lets go at the window's end
            EXPECT_EQ(skinner->SkinState(), kSkinWindowGone);
            delete skinner;
        } else {
            tv::TForm* form = MakeForm("Cycle");
            auto* skinner = new TWinSkinForm(form, form->Handle());  // freed with its form
            skinner->AttachForm(data.get(), form);
            ActivateNow(*skinner);
            delete form;
        }
    };
    once(true);
    once(false);
    const auto before = LiveHandles();
    for (int i = 0; i < 200; ++i) once(i % 2 == 0);
    Pump(20);
    EXPECT_EQ(LiveHandles(), before) << "bitmaps, regions, fonts, brushes, pens, menus";
}
