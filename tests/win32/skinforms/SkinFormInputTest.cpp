// The caption buttons of a skinned window driven by real mouse input (SendInput).
#include <gtest/gtest.h>

#include <memory>

#include "SkinFormTestUtil.h"
#include "raster/Slices.h"

using namespace skin;
using namespace skintest;

namespace {

const TWinSysButton* ShownButton(const TWinSkinForm& skinner, int action) {
    for (const auto& b : skinner.CaptionButtons())
        if (b->Visible && b->Element.Action == action) return b.get();
    return nullptr;
}

POINT ScreenCentre(HWND wnd, const RECT& bounds) {
    const RECT w = WindowRectOf(wnd);
    return {w.left + (bounds.left + bounds.right) / 2, w.top + (bounds.top + bounds.bottom) / 2};
}

// Whether the screen shows frame of the button's strip at its place.
bool ShowsFrame(HWND wnd, const TWinSysButton& b, int frame) {
    const RECT w = WindowRectOf(wnd);
    RECT at = b.Bounds;
    ::OffsetRect(&at, w.left, w.top);
    const raster::Bitmap screen = CaptureScreen(at);
    const raster::Bitmap want = raster::RenderStripImage({0, 0, screen.Width(), screen.Height()}, b.Element.Bitmap,
                                                         b.Element.FrameCount(), frame);
    for (int y = 0; y < want.Height(); ++y)
        for (int x = 0; x < want.Width(); ++x)
            if (want.GetPixel(x, y) != raster::kKeyColor && want.GetPixel(x, y) != screen.GetPixel(x, y)) return false;
    return true;
}

struct InputForm {
    explicit InputForm(const char* skinName) : data(LoadPackedSkin(skinName)) {
        form = MakeForm("Input");
        wnd = form->Handle();
        client = ClientRectOf(wnd);
        skinner = std::make_unique<TWinSkinForm>(nullptr, wnd);
        skinner->AttachForm(data.get(), form);
        Activate(*skinner);
        window = WindowRectOf(wnd);
    }
    ~InputForm() {
        MoveMouseTo({5, 5});
        skinner.reset();
        delete form;
        Pump(10);
    }
    std::unique_ptr<TSkinData> data;
    tv::TForm* form = nullptr;
    HWND wnd = nullptr;
    RECT client{}, window{};
    std::unique_ptr<TWinSkinForm> skinner;
};

}  // namespace

TEST(CaptionButtonInput, HoverShowsTheHotFrameAndTheTimerTakesItBack) {
    InputForm f("daylight");
    const TWinSysButton* close = ShownButton(*f.skinner, kActionClose);
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(ShowsFrame(f.wnd, *close, kStateNormal));
    MoveMouseTo(ScreenCentre(f.wnd, close->Bounds));
    EXPECT_EQ(f.skinner->HotObject(), close);
    EXPECT_EQ(close->State, kStateHot);
    EXPECT_TRUE(ShowsFrame(f.wnd, *close, kStateHot));
    // Straight into the client area: no non-client message says so, the hover timer does.
    MoveMouseTo({(f.window.left + f.window.right) / 2, (f.window.top + f.window.bottom) / 2});
    EXPECT_TRUE(PumpUntil([&] { return f.skinner->HotObject() == nullptr; }, 1500));
    EXPECT_EQ(close->State, kStateNormal);
    EXPECT_TRUE(ShowsFrame(f.wnd, *close, kStateNormal)) << "no trace of the hot frame";
}

TEST(CaptionButtonInput, CloseMinimizeMaximizeAndRestoreDoWhatTheySay) {
    {
        InputForm f("daylight");
        const TWinSysButton* max = ShownButton(*f.skinner, kActionMaximize);
        ASSERT_NE(max, nullptr);
        ASSERT_TRUE(ClickUntil(ScreenCentre(f.wnd, max->Bounds), [&] { return ::IsZoomed(f.wnd) != FALSE; }));
        Pump(100);
        EXPECT_EQ(f.skinner->ShowState(), kShowMaximized);
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        ::GetMonitorInfoW(::MonitorFromWindow(f.wnd, MONITOR_DEFAULTTONEAREST), &mi);
        const RECT maximized = WindowRectOf(f.wnd);
        EXPECT_TRUE(::EqualRect(&maximized, &mi.rcWork)) << "the whole skinned frame lies on the work area: "
                                                        << maximized.left << "," << maximized.top << ","
                                                        << maximized.right << "," << maximized.bottom;
        EXPECT_NE(HitAt(f.wnd, 1, 200), HTLEFT) << "a maximized window does not size";
        // The restore button takes the maximize button's place.
        const TWinSysButton* restore = ShownButton(*f.skinner, kActionMaximize);
        ASSERT_NE(restore, nullptr);
        EXPECT_EQ(restore->Element.Visibility, 1) << "the button shown while maximized";
        ASSERT_TRUE(ClickUntil(ScreenCentre(f.wnd, restore->Bounds), [&] { return !::IsZoomed(f.wnd); }));
        Pump(60);
        const RECT restored = WindowRectOf(f.wnd);
        EXPECT_TRUE(::EqualRect(&restored, &f.window));
        EXPECT_EQ(SizeOf(ClientRectOf(f.wnd)).cx, SizeOf(f.client).cx);

        const TWinSysButton* min = ShownButton(*f.skinner, kActionMinimize);
        ASSERT_NE(min, nullptr);
        ASSERT_TRUE(ClickUntil(ScreenCentre(f.wnd, min->Bounds), [&] { return ::IsIconic(f.wnd) != FALSE; }));
        EXPECT_EQ(f.skinner->ShowState(), kShowMinimized);
        ::ShowWindow(f.wnd, SW_RESTORE);
        ::SetForegroundWindow(f.wnd);
        Pump(100);
        const RECT back = WindowRectOf(f.wnd);
        EXPECT_TRUE(::EqualRect(&back, &f.window)) << "restored with the skinned frame";
        EXPECT_EQ(SizeOf(ClientRectOf(f.wnd)).cy, SizeOf(f.client).cy);

        const TWinSysButton* close = ShownButton(*f.skinner, kActionClose);
        ASSERT_NE(close, nullptr);
        EXPECT_TRUE(ClickUntil(ScreenCentre(f.wnd, close->Bounds), [&] { return !::IsWindowVisible(f.wnd); }))
            << "a form closes by hiding; the button's state " << close->State << ", active "
            << f.skinner->DrawnActive() << ", foreground " << (::GetForegroundWindow() == f.wnd);
    }
    // A system dialog closed by its skinned close button is destroyed.
    auto data = LoadPackedSkin("midnight");
    HWND dialog = MakeDialog(L"Close me");
    TWinSkinForm skinner(nullptr, dialog);
    skinner.AttachWindow(data.get());
    Activate(skinner);
    const TWinSysButton* close = ShownButton(skinner, kActionClose);
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(ClickUntil(ScreenCentre(dialog, close->Bounds), [&] { return !::IsWindow(dialog); }));
    EXPECT_EQ(skinner.SkinState(), kSkinWindowGone);
}

TEST(CaptionButtonInput, PressedAndReleasedElsewhereDoesNothing) {
    InputForm f("slate");
    const TWinSysButton* close = ShownButton(*f.skinner, kActionClose);
    ASSERT_NE(close, nullptr);
    MoveMouseTo(ScreenCentre(f.wnd, close->Bounds));
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &in, sizeof in);
    Pump(80);
    EXPECT_EQ(close->State, kStatePressed);
    EXPECT_TRUE(ShowsFrame(f.wnd, *close, kStatePressed));
    const POINT away{(f.window.left + f.window.right) / 2, f.window.top + 8};
    MoveMouseTo(away);
    // The release names its own place: under Wine a button event may otherwise carry the
    // pointer's previous one, which is the button itself.
    in.mi.dx = LONG((away.x * 65535.0) / (::GetSystemMetrics(SM_CXSCREEN) - 1) + 0.5);
    in.mi.dy = LONG((away.y * 65535.0) / (::GetSystemMetrics(SM_CYSCREEN) - 1) + 0.5);
    in.mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
    Pump(400);
    EXPECT_TRUE(::IsWindowVisible(f.wnd));
    EXPECT_NE(close->State, kStatePressed);
}

TEST(CaptionButtonInput, DraggingTheCaptionMovesAndTheBorderSizes) {
    InputForm f("daylight");
    const RECT start = WindowRectOf(f.wnd);
    const int grabX = (start.left + start.right) / 2, grabY = start.top + 8;
    wchar_t args[256];
    std::swprintf(args, 256, L"mousemove %d %d sleep 0.2 mousedown 1 sleep 0.2 mousemove %d %d sleep 0.2 mousemove %d %d "
                             L"sleep 0.3 mouseup 1 sleep 0.2",
                  grabX, grabY, grabX + 20, grabY + 10, grabX + 60, grabY + 40);
    ASSERT_TRUE(RunXdotool(args)) << "xdotool did not run";
    Pump(100);
    const RECT moved = WindowRectOf(f.wnd);
    EXPECT_EQ(moved.left - start.left, 60);
    EXPECT_EQ(moved.top - start.top, 40);
    EXPECT_EQ(SizeOf(moved).cx, SizeOf(start).cx);

    // The right border, in the middle of its height, widens the window and its client area.
    const int edgeX = moved.right - 2, edgeY = (moved.top + moved.bottom) / 2;
    std::swprintf(args, 256, L"mousemove %d %d sleep 0.2 mousedown 1 sleep 0.2 mousemove %d %d sleep 0.2 mousemove %d %d "
                             L"sleep 0.3 mouseup 1 sleep 0.2",
                  edgeX, edgeY, edgeX + 20, edgeY, edgeX + 50, edgeY);
    ASSERT_TRUE(RunXdotool(args));
    Pump(100);
    const RECT sized = WindowRectOf(f.wnd);
    EXPECT_EQ(SizeOf(sized).cx - SizeOf(moved).cx, 50);
    EXPECT_EQ(SizeOf(sized).cy, SizeOf(moved).cy);
    EXPECT_EQ(SizeOf(ClientRectOf(f.wnd)).cx, SizeOf(f.client).cx + 50) << "the frame keeps its skinned widths";
    tv::OwnedRegion rgn(::CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(::GetWindowRgn(f.wnd, rgn.Get()), COMPLEXREGION);
    EXPECT_TRUE(::PtInRegion(rgn.Get(), SizeOf(sized).cx - 1, SizeOf(sized).cy / 2)) << "the region follows the size";
}
