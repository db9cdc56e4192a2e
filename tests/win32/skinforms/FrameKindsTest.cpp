// Frames that are not the usual captioned window, and the frame's life before and between
// its set-ups: no caption, not yet activated, a skin without transparent parts, a region
// kept while only the place changes.
#include <gtest/gtest.h>

#include "SkinFormTestUtil.h"
#include "skin/core/WinSkinDlg.h"

using namespace skin;
using namespace skintest;

namespace {

bool SameRect(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

// Pixels of the non-client area (outside client, in window coordinates) that differ; -1
// when the images differ in size.
int DifferentFramePixels(const raster::Bitmap& a, const raster::Bitmap& b, const RECT& client) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (!::PtInRect(&client, POINT{x, y})) n += a.GetPixel(x, y) != b.GetPixel(x, y);
    return n;
}

// The client area in window coordinates.
RECT ClientInWindow(HWND wnd) {
    RECT c = ClientRectOf(wnd);
    ::MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&c), 2);
    const RECT w = WindowRectOf(wnd);
    ::OffsetRect(&c, -w.left, -w.top);
    return c;
}

void RepaintFrame(HWND wnd) {
    ::RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(30);
}

}  // namespace

TEST(FrameKinds, BeforeItsSetUpTheSkinnerLeavesTheStockFrameAlone) {
    auto data = LoadPackedSkin("slate");
    ASSERT_TRUE(data && !data->SkinEmpty);
    tv::TForm* form = MakeForm("Not yet");
    const HWND wnd = form->Handle();
    RepaintFrame(wnd);
    const RECT window = WindowRectOf(wnd), client = ClientRectOf(wnd);
    const raster::Bitmap stock = CaptureScreen(window);
    const int stockCaptionHit = HitAt(wnd, SizeOf(window).cx / 2, 8);
    {
        TWinSkinForm skinner(nullptr, wnd);
        skinner.AttachForm(data.get(), form);
        ASSERT_EQ(skinner.SkinState(), kSkinAttached);
        // Attached but not activated: every non-client message still has its stock answer.
        ::SendMessageW(wnd, WM_NCPAINT, 1, 0);
        ::SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0);
        RepaintFrame(wnd);
        EXPECT_TRUE(SameRect(window, WindowRectOf(wnd)));
        EXPECT_TRUE(SameRect(client, ClientRectOf(wnd)));
        // (The client area may already wear the skin's face colour.)
        EXPECT_EQ(DifferentFramePixels(stock, CaptureScreen(window), ClientInWindow(wnd)), 0)
            << "nothing of the skin is painted yet";
        EXPECT_EQ(HitAt(wnd, SizeOf(window).cx / 2, 8), stockCaptionHit);
        EXPECT_FALSE(skinner.HasRegion());

        Activate(skinner);
        EXPECT_NE(DifferentFramePixels(stock, CaptureScreen(WindowRectOf(wnd)), ClientInWindow(wnd)), 0)
            << "activated, the skin paints";
    }
    delete form;
    Pump(10);
}

TEST(FrameKinds, AWindowWithoutCaptionGetsNoFrameAndKeepsItsSize) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    tv::TForm* form = MakeForm("No caption", 300, 200, tv::TFormBorderStyle::bsNone);
    const HWND wnd = form->Handle();
    const RECT window = WindowRectOf(wnd), client = ClientRectOf(wnd);
    ASSERT_EQ(SizeOf(window).cx, SizeOf(client).cx) << "a window without caption has no frame to begin with";
    {
        TWinSkinForm skinner(nullptr, wnd);
        skinner.AttachForm(data.get(), form);
        Activate(skinner);
        EXPECT_EQ(skinner.BorderKind(), kBorderNone);
        EXPECT_EQ(skinner.SkinState(), kSkinSkinned);
        RepaintFrame(wnd);
        EXPECT_TRUE(SameRect(window, WindowRectOf(wnd)));
        EXPECT_TRUE(SameRect(client, ClientRectOf(wnd)));
        const FrameMetrics none{};
        EXPECT_EQ(skinner.Metrics(), none);
        // No caption, no edges: the whole window is client, corners included.
        const SIZE s = SizeOf(window);
        for (POINT p : {POINT{0, 0}, POINT{s.cx - 1, 0}, POINT{s.cx / 2, 2}, POINT{0, s.cy - 1}, POINT{s.cx - 1, s.cy - 1}})
            EXPECT_EQ(HitAt(wnd, p.x, p.y), HTCLIENT) << p.x << "," << p.y;
        for (const auto& b : skinner.CaptionButtons()) EXPECT_FALSE(b->Visible) << "no caption, no caption buttons";
        tv::OwnedRegion rgn(::CreateRectRgn(0, 0, 0, 0));
        if (::GetWindowRgn(wnd, rgn.Get()) != ERROR) {
            EXPECT_TRUE(::PtInRegion(rgn.Get(), 0, 0)) << "no rounded corners are cut from a frameless window";
            EXPECT_TRUE(::PtInRegion(rgn.Get(), s.cx - 1, s.cy - 1));
        }
        EXPECT_EQ(::SendMessageW(wnd, SKM_ISSKINNED, 0, 0), 1) << "still skinned: its children are";
    }
    EXPECT_TRUE(SameRect(window, WindowRectOf(wnd)));
    delete form;
    Pump(10);
}

TEST(FrameKinds, RegionOfAnOpaqueSkinIsThePlainRectangleAndFollowsOnlyNewSizes) {
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    for (auto* side : {data->BorderLeft.get(), data->BorderRight.get(), data->BorderTop.get(), data->BorderBottom.get()})
        if (side) side->Trans = 0;
    tv::TForm* form = MakeForm("Opaque");
    const HWND wnd = form->Handle();
    {
        TWinSkinForm skinner(nullptr, wnd);
        skinner.AttachForm(data.get(), form);
        Activate(skinner);
        const int built = skinner.RegionBuilds();
        EXPECT_GE(built, 1);
        for (int step = 0; step < 2; ++step) {
            const SIZE s = SizeOf(WindowRectOf(wnd));
            tv::OwnedRegion rgn(::CreateRectRgn(0, 0, 0, 0));
            ASSERT_EQ(::GetWindowRgn(wnd, rgn.Get()), SIMPLEREGION);
            RECT box{};
            ::GetRgnBox(rgn.Get(), &box);
            const RECT whole{0, 0, s.cx, s.cy};
            EXPECT_TRUE(::EqualRect(&box, &whole)) << box.right << "x" << box.bottom;
            if (step == 0) ::SetWindowPos(wnd, nullptr, 0, 0, s.cx + 30, s.cy + 20, SWP_NOMOVE | SWP_NOZORDER);
            Pump(30);
        }
        EXPECT_EQ(skinner.RegionBuilds(), built + 1) << "a new size makes one new region";

        // Moving, repainting and activating keep the region that fits.
        const RECT at = WindowRectOf(wnd);
        ::SetWindowPos(wnd, nullptr, at.left + 25, at.top + 15, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        RepaintFrame(wnd);
        ::SendMessageW(wnd, WM_NCACTIVATE, FALSE, 0);
        ::SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0);
        Pump(30);
        EXPECT_EQ(skinner.RegionBuilds(), built + 1);
    }
    delete form;
    Pump(10);
}
