// A damaged or hostile skin never breaks a window: it is drawn as far as the skin allows
// and keeps working. The skins are ours, bent in memory after loading.
#include <gtest/gtest.h>

#include <functional>

#include "skin/core/WinSkinDlg.h"
#include "SkinFormTestUtil.h"

using namespace skin;
using namespace skintest;

namespace {
// Skins a form with the bent skin, paints, hit-tests, resizes and unskins it; the window
// must answer all along and come back as it was.
void SurvivesWith(const std::function<void(TSkinData&)>& bend) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    bend(*data);
    tv::TForm* form = MakeForm("Hostile");
    const HWND wnd = form->Handle();
    const RECT client = ClientRectOf(wnd);
    {
        TWinSkinForm skinner(nullptr, wnd);
        skinner.AttachForm(data.get(), form);
        ::SendMessageW(wnd, SKM_ACTIVATESKIN, 0, 1000);
        ::RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        const RECT r = WindowRectOf(wnd);
        for (int y = r.top - 5; y < r.bottom + 5; y += 7)
            for (int x = r.left - 5; x < r.right + 5; x += 11) ::SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(x, y));
        ::SetWindowPos(wnd, nullptr, 0, 0, 40, 30, SWP_NOMOVE | SWP_NOZORDER);
        ::SetWindowPos(wnd, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
        ::SendMessageW(wnd, WM_NCACTIVATE, FALSE, 0);
        ::SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0);
        Pump(30);
        DWORD_PTR answer = 0;
        EXPECT_NE(::SendMessageTimeoutW(wnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer), 0) << "still answering";
        skinner.Unskin();
    }
    ::SetWindowPos(wnd, nullptr, 0, 0, 360, 260, SWP_NOMOVE | SWP_NOZORDER);
    form->SetClientSize(client.right, client.bottom);
    EXPECT_EQ(SizeOf(ClientRectOf(wnd)).cx, client.right);
    EXPECT_EQ(SizeOf(ClientRectOf(wnd)).cy, client.bottom);
    delete form;
}

void ForEachSide(TSkinData& d, const std::function<void(TDataSkinBorder&)>& f) {
    for (auto* side : {d.BorderLeft.get(), d.BorderRight.get(), d.BorderTop.get(), d.BorderBottom.get()})
        if (side) f(*side);
}
}  // namespace

TEST(HostileSkin, BordersLargerThanTheWindow) {
    SurvivesWith([](TSkinData& d) {
        ForEachSide(d, [](TDataSkinBorder& b) {
            b.LeftWidth = b.RightWidth = b.TopHeight = b.BottomHeight = 5000;
        });
    });
}

TEST(HostileSkin, MissingOrEmptyBorderImagesAndNoFrames) {
    SurvivesWith([](TSkinData& d) {
        ForEachSide(d, [](TDataSkinBorder& b) {
            b.Bitmap = raster::Bitmap();
            b.Bitmap2 = raster::Bitmap();
            b.Frame = 0;
        });
        if (d.Title) d.Title->Bitmap = raster::Bitmap();
    });
    SurvivesWith([](TSkinData& d) {
        ForEachSide(d, [](TDataSkinBorder& b) { b.Frame = -7; });
        for (auto& button : d.SysButtons)
            if (button) button->Frame = 0;
    });
}

TEST(HostileSkin, NegativeEdgesAndCaptionButtonsFarAway) {
    SurvivesWith([](TSkinData& d) {
        ForEachSide(d, [](TDataSkinBorder& b) {
            b.LeftWidth = b.TopHeight = -300;
            b.RightWidth = b.BottomHeight = -1;
        });
    });
    SurvivesWith([](TSkinData& d) {
        int i = 0;
        for (auto& button : d.SysButtons) {
            if (!button) continue;
            button->Xcoord = (i++ % 2) ? -2000000000 : 2000000000;
            button->Ycoord = -2000000000;
            button->Bitmap = raster::Bitmap();
        }
    });
}
