// The scroll bar skinners on skinned forms: a list box gets its overlays through the
// classification, they follow its bar as content comes and goes, scrolling by wheel, keys,
// arrows and track ends where the unskinned twin's does while the screen keeps showing the
// skin's bar, and overlays go on unskinning and with their control. Bare windows, scroll
// bar controls and the combo list's own thumb tracking as well.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <vector>

#include "../skinforms/SkinFormTestUtil.h"
#include "ScrollTestUtil.h"
#include "base/Handles.h"
#include "framework/Framework.h"
#include "skin/controls/ScrollBarSkinners.h"
#include "skin/controls/SkinControl.h"
#include "skin/core/WinSkinDlg.h"
#include "skin/forms/WinSkinForm.h"

namespace {

using namespace skintest;
using skin::TWScrollbar;
namespace scroll = skin::scroll;

void InstallOnce() {
    static const bool installed = [] {
        skin::InstallControlSkinning();
        return true;
    }();
    (void)installed;
}

std::array<long, 5> LiveHandles() {
    return {base::OwnedGdiObject<HBITMAP>::Live(), base::OwnedGdiObject<HRGN>::Live(),
            base::OwnedGdiObject<HFONT>::Live(), base::OwnedGdiObject<HBRUSH>::Live(),
            base::OwnedGdiObject<HPEN>::Live()};
}

// The overlay over a window's bar, found among the parent's children by where it lies.
HWND OverlayOver(HWND target, LONG objectId = OBJID_VSCROLL) {
    const RECT bar = BarInfo(target, objectId).rcScrollBar;
    HWND found = nullptr;
    for (HWND w = ::GetWindow(::GetParent(target), GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        wchar_t name[32] = {};
        ::GetClassNameW(w, name, 32);
        const RECT r = WindowRectOf(w);
        if (std::wstring(name) == L"TWScrollbar" && ::IsWindowVisible(w) && ::EqualRect(&r, &bar)) found = w;
    }
    return found;
}

// What the screen shows over the bar is what its overlay composes: the stock bar never
// shows through, and the thumb is where the bar has it.
void ExpectScreenShowsSkinnedBar(TWScrollbar& overlay, HWND target) {
    Pump(60);
    const RECT bar = BarInfo(target).rcScrollBar;
    const SIZE size{bar.right - bar.left, bar.bottom - bar.top};
    raster::Bitmap composed(size.cx, size.cy, raster::PixelFormat::Bgra32);
    tv::OwnedDC dc(::CreateCompatibleDC(nullptr));
    {
        tv::SelectScope select(dc.Get(), static_cast<HBITMAP>(composed.Handle()));
        ASSERT_TRUE(overlay.PaintBar(dc.Get()));
        ::GdiFlush();
    }
    EXPECT_EQ(overlay.Thumb().start, BarInfo(target).xyThumbTop);
    const raster::Bitmap screen = CaptureScreen(bar);
    int differing = 0;
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            differing += (screen.GetPixel(x, y) & 0xFFFFFF) != (composed.GetPixel(x, y) & 0xFFFFFF);
    EXPECT_EQ(differing, 0) << "pixels of the bar that are not the skin's";
}

class SkinnedListTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallOnce();
        data = LoadPackedSkin("daylight");
        ASSERT_TRUE(data && !data->SkinEmpty);
        form = MakeForm("Scroll", 460, 300);
        list = MakeList(*form, 100, 20, 20, 180, 220);
        twin = MakeList(*form, 100, 240, 20, 180, 220);
        twin->SetTag(data->DisableTag);  // the classification leaves it stock
        skinner = new skin::TWinSkinForm(form, form->Handle());
        skinner->AttachForm(data.get(), form);
        Activate(*skinner);
        Pump(60);
    }
    void TearDown() override {
        delete form;
        Pump(20);
    }
    skin::TSkinScrollbar* ListSkinner() const {
        return dynamic_cast<skin::TSkinScrollbar*>(skinner->FindSkinner(list->Handle()));
    }

    std::unique_ptr<skin::TSkinData> data;
    tv::TForm* form = nullptr;
    tv::TListBox* list = nullptr;
    tv::TListBox* twin = nullptr;
    skin::TWinSkinForm* skinner = nullptr;
};

TEST_F(SkinnedListTest, TheListBoxGetsAnOverlayOverItsBarAndTheTwinKeepsItsOwn) {
    skin::TSkinScrollbar* s = ListSkinner();
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->ClassName(), "TSkinScrollbar");
    EXPECT_EQ(skinner->FindSkinner(twin->Handle()), nullptr);
    EXPECT_NE(OverlayOver(list->Handle()), nullptr);
    EXPECT_EQ(OverlayOver(twin->Handle()), nullptr);
    EXPECT_TRUE(s->Overlays().Vert().Shown());
    EXPECT_FALSE(s->Overlays().Horz().Shown()) << "a list box without a horizontal bar";
    EXPECT_EQ(::SendMessageW(list->Handle(), skin::SKM_ISSKINNED, 0, 0), 1);
    EXPECT_TRUE(s->Border);
    ExpectScreenShowsSkinnedBar(s->Overlays().Vert(), list->Handle());
    // The frame: an outer line of the skin's button shadow.
    const raster::Bitmap frame = CaptureScreen(WindowRectOf(list->Handle()));
    EXPECT_EQ(frame.GetPixel(40, 0) & 0xFFFFFF, tv::ColorToRGB(data->SkinColors.ButtonShadow) & 0xFFFFFF);
    EXPECT_EQ(frame.GetPixel(0, 40) & 0xFFFFFF, tv::ColorToRGB(data->SkinColors.ButtonShadow) & 0xFFFFFF);
}

TEST_F(SkinnedListTest, TheFrameIsDrawnIntoADcOnRequestAndANewSkinIsShownAtOnce) {
    skin::TSkinScrollbar* s = ListSkinner();
    ASSERT_NE(s, nullptr);
    const SIZE size = SizeOf(WindowRectOf(list->Handle()));
    raster::Bitmap image(size.cx, size.cy, raster::PixelFormat::Bgra32);
    tv::OwnedDC dc(::CreateCompatibleDC(nullptr));
    {
        tv::SelectScope select(dc.Get(), static_cast<HBITMAP>(image.Handle()));
        EXPECT_EQ(::SendMessageW(list->Handle(), skin::SKM_PAINTFRAMEDC, WPARAM(dc.Get()), skin::kSkinMarker),
                  skin::kSkinMarker);
        ::GdiFlush();
    }
    EXPECT_EQ(image.GetPixel(size.cx / 2, 0) & 0xFFFFFF, tv::ColorToRGB(data->SkinColors.ButtonShadow) & 0xFFFFFF);
    EXPECT_EQ(image.GetPixel(size.cx / 2, 1) & 0xFFFFFF, tv::ColorToRGB(data->SkinColors.ButtonFace) & 0xFFFFFF);

    // Another skin in the same container: the bar shows it as soon as the form skinner says so.
    const raster::Color before = CellCentre(data->VertScroll->Bitmap, 4, 1);
    ASSERT_TRUE(ReloadSkin(*data, "midnight"));
    ASSERT_NE(CellCentre(data->VertScroll->Bitmap, 4, 1), before);
    skinner->SkinChanged();
    ExpectScreenShowsSkinnedBar(s->Overlays().Vert(), list->Handle());
    const SCROLLBARINFO info = BarInfo(list->Handle());
    const raster::Bitmap shown = CaptureScreen(info.rcScrollBar);
    EXPECT_EQ(shown.GetPixel(shown.Width() / 2, (info.xyThumbBottom + shown.Height() - s->Overlays().Vert().ArrowSize()) / 2) &
                  0xFFFFFF,
              CellCentre(data->VertScroll->Bitmap, 4, 1));
}

TEST_F(SkinnedListTest, TheOverlayGoesWithTheBarAndComesBackWithIt) {
    skin::TSkinScrollbar* s = ListSkinner();
    ASSERT_NE(s, nullptr);
    FillList(*list, 4);
    ASSERT_TRUE(PumpUntil([&] { return !BarVisible(list->Handle()); }));
    EXPECT_TRUE(PumpUntil([&] { return !s->Overlays().Vert().Shown(); }));
    EXPECT_FALSE(::IsWindowVisible(s->Overlays().Vert().Handle()));
    for (int i = 4; i < 40; ++i) list->Items().Add("More " + std::to_string(i));
    ASSERT_TRUE(PumpUntil([&] { return BarVisible(list->Handle()); }));
    EXPECT_TRUE(PumpUntil([&] { return s->Overlays().Vert().Shown(); }));
    EXPECT_EQ(OverlayOver(list->Handle()), s->Overlays().Vert().Handle());
    ExpectScreenShowsSkinnedBar(s->Overlays().Vert(), list->Handle());
    // Moved and resized with the control.
    list->SetBounds(30, 30, 160, 180);
    Pump(40);
    EXPECT_EQ(OverlayOver(list->Handle()), s->Overlays().Vert().Handle());
    // Hidden and shown with it.
    list->Hide();
    Pump(30);
    EXPECT_FALSE(::IsWindowVisible(s->Overlays().Vert().Handle()));
    list->Show();
    Pump(30);
    EXPECT_EQ(OverlayOver(list->Handle()), s->Overlays().Vert().Handle());
}

TEST_F(SkinnedListTest, ScrollingEndsWhereTheStockListsDoes) {
    skin::TSkinScrollbar* s = ListSkinner();
    ASSERT_NE(s, nullptr);
    TWScrollbar& overlay = s->Overlays().Vert();
    const RECT skinned = WindowRectOf(overlay.Handle());
    const RECT stock = BarInfo(twin->Handle()).rcScrollBar;
    const int a = overlay.ArrowSize();
    auto at = [](const RECT& r, int y) { return POINT{(r.left + r.right) / 2, y < 0 ? r.bottom + y : r.top + y}; };
    auto agree = [&] { return TopIndex(list->Handle()) == TopIndex(twin->Handle()); };

    // Two wheel notches to each list (as the system hands them over: which window gets a
    // turn of the wheel differs between Windows and Wine).
    for (HWND target : {list->Handle(), twin->Handle()}) {
        const RECT r = WindowRectOf(target);
        ::SendMessageW(target, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(-2 * WHEEL_DELTA))),
                       MAKELPARAM(WORD(r.left + 40), WORD(r.top + 60)));
        Pump(60);
    }
    EXPECT_TRUE(PumpUntil(agree)) << TopIndex(list->Handle()) << " / " << TopIndex(twin->Handle());
    EXPECT_GT(TopIndex(twin->Handle()), 0);
    ExpectScreenShowsSkinnedBar(overlay, list->Handle());

    // Second arrow, track after the thumb, first arrow.
    for (int y : {-a / 2, -a / 2, -(a + 4), a / 2}) {
        ClickQueued(at(stock, y));
        ClickQueued(at(skinned, y));
        EXPECT_TRUE(PumpUntil(agree)) << y << ": " << TopIndex(list->Handle()) << " / " << TopIndex(twin->Handle());
    }
    EXPECT_FALSE(overlay.Pressed());
    ExpectScreenShowsSkinnedBar(overlay, list->Handle());

    // Keys scroll without a scroll message: the overlay follows all the same.
    ::SetFocus(list->Handle());
    ::SendMessageW(list->Handle(), WM_KEYDOWN, VK_END, 0);
    ::SendMessageW(twin->Handle(), WM_KEYDOWN, VK_END, 0);
    EXPECT_TRUE(PumpUntil(agree));
    ExpectScreenShowsSkinnedBar(overlay, list->Handle());
    ::SendMessageW(list->Handle(), LB_SETTOPINDEX, 10, 0);
    ExpectScreenShowsSkinnedBar(overlay, list->Handle());
}

TEST_F(SkinnedListTest, ThumbDragScrollsAsOnTheStockBar) {
    skin::TSkinScrollbar* s = ListSkinner();
    ASSERT_NE(s, nullptr);
    TWScrollbar& overlay = s->Overlays().Vert();
    const SCROLLBARINFO info = BarInfo(list->Handle());
    const SCROLLBARINFO twinInfo = BarInfo(twin->Handle());
    auto drag = [](const RECT& bar, int thumbTop, int dy) {
        const int x = (bar.left + bar.right) / 2, y = bar.top + thumbTop + 4;
        wchar_t args[200];
        std::swprintf(args, 200, L"mousemove %d %d sleep 0.2 mousedown 1 sleep 0.2 mousemove %d %d sleep 0.2 "
                                 L"mousemove %d %d sleep 0.3 mouseup 1", x, y, x, y + dy / 2, x, y + dy);
        return RunXdotool(args, 4000);
    };
    if (!drag(twinInfo.rcScrollBar, twinInfo.xyThumbTop, 60)) GTEST_SKIP() << "xdotool cannot be started";
    Pump(100);
    const int stockTop = TopIndex(twin->Handle());
    if (stockTop == 0) GTEST_SKIP() << "the pointer did not reach the stock bar (no drag possible here)";
    ASSERT_TRUE(drag(info.rcScrollBar, info.xyThumbTop, 60));
    Pump(100);
    EXPECT_EQ(TopIndex(list->Handle()), stockTop);
    EXPECT_FALSE(overlay.Pressed());
    ExpectScreenShowsSkinnedBar(overlay, list->Handle());
}

// What the overlay drew while the system's drag loop ran, sampled by a timer that loop dispatches.
struct DragSample {
    bool pressed;
    int hot;
    int thumbStart, thumbEnd;
    int cursorY;
};
std::vector<DragSample>* g_samples = nullptr;
TWScrollbar* g_sampled = nullptr;

void CALLBACK SampleDrag(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_samples || !g_sampled) return;
    POINT p{};
    ::GetCursorPos(&p);
    g_samples->push_back({g_sampled->Pressed(), g_sampled->HotPart(), g_sampled->Thumb().start, g_sampled->Thumb().end, int(p.y)});
}

TEST_F(SkinnedListTest, DuringADragTheThumbFollowsThePointerBetweenTheArrows) {
    skin::TSkinScrollbar* s = ListSkinner();
    ASSERT_NE(s, nullptr);
    TWScrollbar& overlay = s->Overlays().Vert();
    const SCROLLBARINFO info = BarInfo(list->Handle());
    const int x = (info.rcScrollBar.left + info.rcScrollBar.right) / 2;
    const int y = info.rcScrollBar.top + info.xyThumbTop + 4;
    // Past the bar's end, but near enough that the system keeps the drag (too far away it
    // puts the thumb back where it was).
    const int below = info.rcScrollBar.bottom + 8;
    std::vector<DragSample> samples;
    g_samples = &samples;
    g_sampled = &overlay;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 25, SampleDrag);
    wchar_t args[300];
    std::swprintf(args, 300, L"mousemove %d %d sleep 0.2 mousedown 1 sleep 0.2 mousemove %d %d sleep 0.4 "
                             L"mousemove %d %d sleep 0.4 mouseup 1", x, y, x, y + 40, x, below);
    const bool ran = RunXdotool(args, 4000);
    ::KillTimer(nullptr, timer);
    g_samples = nullptr;
    g_sampled = nullptr;
    if (!ran) GTEST_SKIP() << "xdotool cannot be started";
    const int length = overlay.Length(), a = overlay.ArrowSize();
    const int thumbLength = info.xyThumbBottom - info.xyThumbTop;
    bool followed = false, clamped = false;
    for (const DragSample& d : samples) {
        if (!d.pressed) continue;
        EXPECT_EQ(d.hot, scroll::kThumbTrack);
        EXPECT_GE(d.thumbStart, a);
        EXPECT_LE(d.thumbEnd, length - a);
        EXPECT_EQ(d.thumbEnd - d.thumbStart, thumbLength);
        if (d.cursorY == y + 40 && d.thumbStart == info.xyThumbTop + 40) followed = true;
        if (d.cursorY == below && d.thumbEnd == length - a) clamped = true;
    }
    if (!followed && !clamped && TopIndex(list->Handle()) == 0)
        GTEST_SKIP() << "the pointer never reached the bar (no drag possible here)";
    EXPECT_TRUE(followed) << "the thumb under the pointer, 40 pixels down";
    EXPECT_TRUE(clamped) << "the thumb against the second arrow when the pointer is far below";
    EXPECT_FALSE(overlay.Pressed());
    // The drag ends at the last row, as the stock bar's does.
    ::SendMessageW(twin->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(TopIndex(list->Handle()), TopIndex(twin->Handle()));
    EXPECT_GT(TopIndex(list->Handle()), 0);
}

// The screen over the second arrow while the press on it is held, taken by a timer the
// system's tracking loop dispatches.
std::vector<raster::Bitmap>* g_heldShots = nullptr;
RECT g_heldArrow{};

void CALLBACK ShootHeldArrow(HWND, UINT, UINT_PTR, DWORD) {
    if (g_heldShots && g_sampled && g_sampled->Pressed()) g_heldShots->push_back(CaptureScreen(g_heldArrow));
}

TEST_F(SkinnedListTest, AHeldArrowShowsItsPressedFrameAndRepeats) {
    skin::TSkinScrollbar* s = ListSkinner();
    ASSERT_NE(s, nullptr);
    TWScrollbar& overlay = s->Overlays().Vert();
    const RECT r = WindowRectOf(overlay.Handle());
    const int a = overlay.ArrowSize();
    g_heldArrow = RECT{r.left, r.bottom - a, r.right, r.bottom};
    std::vector<raster::Bitmap> shots;
    g_heldShots = &shots;
    g_sampled = &overlay;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 40, ShootHeldArrow);
    wchar_t args[200];
    std::swprintf(args, 200, L"mousemove %d %d sleep 0.2 mousedown 1 sleep 0.8 mouseup 1", int((r.left + r.right) / 2),
                  int(r.bottom - a / 2));
    const bool ran = RunXdotool(args, 3000);
    ::KillTimer(nullptr, timer);
    g_heldShots = nullptr;
    g_sampled = nullptr;
    if (!ran) GTEST_SKIP() << "xdotool cannot be started";
    if (shots.empty() && TopIndex(list->Handle()) == 0) GTEST_SKIP() << "the pointer never reached the bar";
    ASSERT_FALSE(shots.empty()) << "the press was held inside the system's loop";
    auto pressed = CellColours(data->Scrollbar->Bitmap, 23, 14);
    pressed.insert(tv::ColorToRGB(data->SkinColors.ButtonFace) & 0xFFFFFF);
    const raster::Bitmap& last = shots.back();
    EXPECT_TRUE(Within(ColoursIn(last, {0, 0, last.Width(), last.Height()}), pressed));
    EXPECT_FALSE(Within(ColoursIn(last, {0, 0, last.Width(), last.Height()}), CellColours(data->Scrollbar->Bitmap, 23, 13)))
        << "pressed looks different from normal";
    EXPECT_GT(TopIndex(list->Handle()), 2) << "held past the repeat delay, the arrow repeats";
    EXPECT_FALSE(overlay.Pressed());
}

TEST_F(SkinnedListTest, HoveringLightsThePartUnderThePointerUntilItLeaves) {
    skin::TSkinScrollbar* s = ListSkinner();
    ASSERT_NE(s, nullptr);
    TWScrollbar& overlay = s->Overlays().Vert();
    const RECT r = WindowRectOf(overlay.Handle());
    const int a = overlay.ArrowSize();
    MoveMouseTo({(r.left + r.right) / 2, r.bottom - a / 2});
    EXPECT_TRUE(PumpUntil([&] { return overlay.HotPart() == scroll::kLineDown; }));
    // The screen shows the hot frame of the second arrow.
    const raster::Bitmap shown = CaptureScreen(RECT{r.left, r.bottom - a, r.right, r.bottom});
    auto hot = CellColours(data->Scrollbar->Bitmap, 23, 16);
    hot.insert(tv::ColorToRGB(data->SkinColors.ButtonFace) & 0xFFFFFF);
    EXPECT_TRUE(Within(ColoursIn(shown, {0, 0, shown.Width(), shown.Height()}), hot));
    MoveMouseTo({(r.left + r.right) / 2, r.top + overlay.Thumb().start + 2});
    EXPECT_TRUE(PumpUntil([&] { return overlay.HotPart() == scroll::kThumbTrack; }));
    MoveMouseTo({r.left - 60, r.top + 40});
    EXPECT_TRUE(PumpUntil([&] { return overlay.HotPart() == scroll::kNone; })) << "left: nothing lit";
}

TEST_F(SkinnedListTest, ARecreatedWindowIsSkinnedAnew) {
    tv::WeakPtr<skin::TChildSkinner> old(ListSkinner());
    ASSERT_TRUE(old.Get());
    const HWND before = list->Handle();
    list->RecreateWnd();
    ASSERT_TRUE(PumpUntil([&] { return list->Handle() != before; }));
    Pump(80);
    skin::TSkinScrollbar* s = ListSkinner();
    ASSERT_NE(s, nullptr) << "the form skinner replaced the skinner of the old window";
    EXPECT_FALSE(old.Get());
    EXPECT_EQ(::SendMessageW(list->Handle(), skin::SKM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(OverlayOver(list->Handle()), s->Overlays().Vert().Handle());
    EXPECT_EQ(CountChildren(form->Handle(), L"TWScrollbar"), 2) << "the old overlays went with the old skinner";
    ExpectScreenShowsSkinnedBar(s->Overlays().Vert(), list->Handle());
}

TEST_F(SkinnedListTest, UnskinningAndDestroyingTakeTheOverlaysAlong) {
    const HWND handle = list->Handle();
    ASSERT_EQ(CountChildren(form->Handle(), L"TWScrollbar"), 2);
    skinner->Unskin();
    Pump(30);
    EXPECT_EQ(CountChildren(form->Handle(), L"TWScrollbar"), 0);
    EXPECT_NE(::GetWindowLongW(handle, GWL_STYLE) & WS_CLIPSIBLINGS, 0) << "the framework's own style stays";
    EXPECT_EQ(::SendMessageW(handle, skin::SKM_ISSKINNED, 0, 0), 0);
    // Scrolling the stock list still works.
    ::SendMessageW(handle, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_GT(TopIndex(handle), 0);

    // Skinned again, then the control goes first.
    auto* again = new skin::TWinSkinForm(form, form->Handle());
    again->AttachForm(data.get(), form);
    Activate(*again);
    EXPECT_EQ(CountChildren(form->Handle(), L"TWScrollbar"), 2);
    delete list;
    list = nullptr;
    Pump(30);
    EXPECT_EQ(CountChildren(form->Handle(), L"TWScrollbar"), 0);
    EXPECT_EQ(again->FindSkinner(handle), nullptr);
}

TEST(ScrollSkinnerCycles, SkinningScrollingAndDestroyingHoldNoMoreHandles) {
    InstallOnce();
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    auto cycle = [&](bool unskin) {
        tv::TForm* form = MakeForm("Cycle", 300, 260);
        tv::TListBox* list = MakeList(*form, 80, 10, 10, 200, 200);
        auto* skinner = new skin::TWinSkinForm(form, form->Handle());
        skinner->AttachForm(data.get(), form);
        Activate(*skinner);
        ::SendMessageW(list->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
        ::RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        if (unskin) skinner->Unskin();
        delete form;
        Pump(10);
    };
    cycle(false);
    cycle(true);
    const auto before = LiveHandles();
    const int windowsBefore = CountChildren(::GetDesktopWindow(), L"TWScrollbar");
    for (int i = 0; i < 12; ++i) cycle(i % 2 == 0);
    EXPECT_EQ(LiveHandles(), before) << "bitmaps, regions, fonts, brushes, pens";
    EXPECT_EQ(CountChildren(::GetDesktopWindow(), L"TWScrollbar"), windowsBefore);
}

// ---- a bare window's bars -----------------------------------------------------------------

TEST(ScrollSkinnerBare, ABareListWindowGetsOverlaysThatFollowItAndLetGoAtItsEnd) {
    InstallOnce();
    auto data = LoadPackedSkin("slate");
    ASSERT_TRUE(data && !data->SkinEmpty);
    tv::TForm* form = MakeForm("Bare", 360, 260);
    auto* host = new skin::TWinSkinForm(form, form->Handle());
    host->AttachForm(data.get(), form);
    Activate(*host);
    auto makeList = [&](int x) {
        const HWND w = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                                         WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT, x, 20, 150,
                                         160, form->Handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
        ::SendMessageW(w, LB_SETHORIZONTALEXTENT, 600, 0);
        for (int i = 0; i < 60; ++i) ::SendMessageW(w, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"A row of the bare list"));
        return w;
    };
    // Detached, a window is as it was: no overlays, its own style.
    const HWND other = makeList(190);
    ASSERT_EQ(::GetWindowLongW(other, GWL_STYLE) & WS_CLIPSIBLINGS, 0);
    auto* detached = new skin::TSkinScrollbarH(host);
    detached->AttachWindow(other, data.get(), host, &host->ScratchCanvas());
    EXPECT_NE(::GetWindowLongW(other, GWL_STYLE) & WS_CLIPSIBLINGS, 0) << "the system's bar never draws over ours";
    EXPECT_EQ(CountChildren(form->Handle(), L"TWScrollbar"), 2);
    detached->Detach();
    EXPECT_EQ(::GetWindowLongW(other, GWL_STYLE) & WS_CLIPSIBLINGS, 0);
    EXPECT_EQ(CountChildren(form->Handle(), L"TWScrollbar"), 0);
    delete detached;
    ::DestroyWindow(other);

    const HWND bare = makeList(20);
    auto* s = new skin::TSkinScrollbarH(host);
    s->AttachWindow(bare, data.get(), host, &host->ScratchCanvas());
    Pump(40);
    ASSERT_TRUE(s->Overlays().Vert().Shown());
    EXPECT_TRUE(s->Overlays().Horz().Shown());
    EXPECT_EQ(OverlayOver(bare), s->Overlays().Vert().Handle());
    EXPECT_EQ(OverlayOver(bare, OBJID_HSCROLL), s->Overlays().Horz().Handle());
    // The corner between the bars: the skin's face colour.
    const RECT v = BarInfo(bare).rcScrollBar, h = BarInfo(bare, OBJID_HSCROLL).rcScrollBar;
    ::RedrawWindow(bare, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    Pump(30);
    const raster::Bitmap corner = CaptureScreen(RECT{v.left, h.top, v.right, h.bottom});
    EXPECT_EQ(corner.GetPixel(corner.Width() / 2, corner.Height() / 2) & 0xFFFFFF,
              tv::ColorToRGB(data->SkinColors.ButtonFace) & 0xFFFFFF);
    // Moved without a size change.
    ::SetWindowPos(bare, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Pump(30);
    EXPECT_EQ(OverlayOver(bare), s->Overlays().Vert().Handle());
    // Scroll messages light the part they name.
    ::SendMessageW(bare, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(s->Overlays().Vert().HotPart(), scroll::kLineDown);

    tv::WeakPtr<skin::TChildSkinner> weak(s);
    const HWND vert = s->Overlays().Vert().Handle();
    ::DestroyWindow(bare);
    EXPECT_EQ(s->State(), skin::kChildWindowGone);
    EXPECT_FALSE(::IsWindowVisible(vert)) << "nothing shows over the place the window had";
    host->FreeDeadSkinners();
    EXPECT_FALSE(weak.Get());
    EXPECT_EQ(CountChildren(form->Handle(), L"TWScrollbar"), 0);
    delete form;
    Pump(20);
}

// ---- a scroll bar control ------------------------------------------------------------------

TEST(ScrollBarControl, TheOverlayCoversTheControlWithItsThumbAndAnEightPixelMinimum) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    tv::TForm* form = MakeForm("Bar control", 300, 260);
    const HWND bar = ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 30, 20, 17, 200,
                                       form->Handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = 100000;
    si.nPage = 2;
    si.nPos = 50000;
    ::SetScrollInfo(bar, SB_CTL, &si, TRUE);
    TWScrollbar overlay;
    overlay.AttachOverlayWindow(nullptr, data.get(), bar, skin::kBarControl);
    ASSERT_TRUE(overlay.Shown());
    EXPECT_TRUE(overlay.Vertical());
    const RECT placed = WindowRectOf(overlay.Handle()), control = WindowRectOf(bar);
    EXPECT_TRUE(::EqualRect(&placed, &control));
    overlay.Repaint();
    EXPECT_EQ(overlay.Thumb().Length(), scroll::kMinThumb);
    // Half way along the range: half way along the track.
    const int track = 200 - 2 * overlay.ArrowSize();
    EXPECT_NEAR(overlay.Thumb().start - overlay.ArrowSize(), (track - scroll::kMinThumb) / 2, 1);
    // A click on the track below the thumb reaches the control, which pages.
    const RECT r = WindowRectOf(overlay.Handle());
    ClickQueued({(r.left + r.right) / 2, r.bottom - overlay.ArrowSize() - 5});
    EXPECT_FALSE(overlay.Pressed());
    ::DestroyWindow(bar);
    overlay.Reposition();
    EXPECT_FALSE(overlay.Shown());
    delete form;
    Pump(20);
}

// ---- the combo list's own thumb tracking ----------------------------------------------------

TEST(ComboListScrollBar, PaintsTheBarIntoTheFrameAndTracksItsThumb) {
    InstallOnce();
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    tv::TForm* form = MakeForm("Combo list", 300, 300);
    auto* host = new skin::TWinSkinForm(form, form->Handle());
    host->AttachForm(data.get(), form);
    Activate(*host);
    const HWND lb = ::CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT,
                                      20, 20, 160, 200, form->Handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    for (int i = 0; i < 100; ++i) ::SendMessageW(lb, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Item"));
    auto* s = new skin::TComboxScrollBar(host);
    s->AttachWindow(lb, data.get(), host, &host->ScratchCanvas());
    ::RedrawWindow(lb, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    Pump(40);
    // The bar in the frame: the skin's track colour between thumb and second arrow.
    SCROLLBARINFO info = BarInfo(lb);
    const raster::Bitmap shown = CaptureScreen(info.rcScrollBar);
    const int a = s->ArrowSize;
    EXPECT_EQ(shown.GetPixel(shown.Width() / 2, (info.xyThumbBottom + shown.Height() - a) / 2) & 0xFFFFFF,
              CellCentre(data->VertScroll->Bitmap, 4, 1));

    // Press on the thumb, a move 70 pixels lower, release.
    const POINT press{(info.rcScrollBar.left + info.rcScrollBar.right) / 2, info.rcScrollBar.top + info.xyThumbTop + 3};
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ::GetScrollInfo(lb, SB_VERT, &si);
    POINT moved{press.x, press.y + 70};
    ::ScreenToClient(lb, &moved);
    ::PostMessageW(lb, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(WORD(short(moved.x)), WORD(short(moved.y))));
    ::PostMessageW(lb, WM_LBUTTONUP, 0, 0);
    ::SendMessageW(lb, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(press.x, press.y));
    EXPECT_FALSE(s->Tracking());
    const int track = (info.rcScrollBar.bottom - info.rcScrollBar.top) - 2 * a;
    const int expected = scroll::TrackedPosition(info.xyThumbTop - a + 70, track, info.xyThumbBottom - info.xyThumbTop,
                                                 si.nMin, si.nMax, si.nPage);
    EXPECT_GT(expected, 0);
    EXPECT_EQ(TopIndex(lb), expected);
    // A press beside the thumb is the system's: it pages.
    info = BarInfo(lb);
    const int before = TopIndex(lb);
    ::PostMessageW(lb, WM_LBUTTONUP, 0, 0);
    ::SendMessageW(lb, WM_NCLBUTTONDOWN, HTVSCROLL,
                   MAKELPARAM(press.x, info.rcScrollBar.bottom - a - 2));
    Pump(40);
    EXPECT_GT(TopIndex(lb), before);
    ::DestroyWindow(lb);
    delete form;
    Pump(20);
}

TEST(ComboListScrollBar, AnOpenDropDownListKeepsItsBarSkinnedAndStaysOpenAfterATrackedDrag) {
    InstallOnce();
    auto data = LoadPackedSkin("slate");
    ASSERT_TRUE(data && !data->SkinEmpty);
    tv::TForm* form = MakeForm("Combo", 300, 300);
    auto* host = new skin::TWinSkinForm(form, form->Handle());
    host->AttachForm(data.get(), form);
    Activate(*host);
    const HWND combo = ::CreateWindowExW(0, L"COMBOBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST,
                                         20, 20, 180, 200, form->Handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    for (int i = 0; i < 60; ++i) ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Choice"));
    COMBOBOXINFO ci{};
    ci.cbSize = sizeof ci;
    ASSERT_TRUE(::GetComboBoxInfo(combo, &ci));
    ASSERT_NE(ci.hwndList, nullptr);
    auto* s = new skin::TComboxScrollBar(host);
    s->AttachWindow(ci.hwndList, data.get(), host, &host->ScratchCanvas());
    ::SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(ci.hwndList) != FALSE; }));
    Pump(80);
    SCROLLBARINFO info = BarInfo(ci.hwndList);
    ASSERT_TRUE(BarVisible(ci.hwndList));
    const int a = s->ArrowSize;
    const raster::Bitmap shown = CaptureScreen(info.rcScrollBar);
    EXPECT_EQ(shown.GetPixel(shown.Width() / 2, (info.xyThumbBottom + shown.Height() - a) / 2) & 0xFFFFFF,
              CellCentre(data->VertScroll->Bitmap, 4, 1));
    const HWND captured = ::GetCapture();

    // A drag of the thumb 30 pixels down.
    const POINT press{(info.rcScrollBar.left + info.rcScrollBar.right) / 2, info.rcScrollBar.top + info.xyThumbTop + 2};
    POINT moved{press.x, press.y + 30};
    ::ScreenToClient(ci.hwndList, &moved);
    ::PostMessageW(ci.hwndList, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(WORD(short(moved.x)), WORD(short(moved.y))));
    ::PostMessageW(ci.hwndList, WM_LBUTTONUP, 0, MAKELPARAM(WORD(short(moved.x)), WORD(short(moved.y))));
    ::SendMessageW(ci.hwndList, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(press.x, press.y));
    EXPECT_GT(TopIndex(ci.hwndList), 0);
    EXPECT_TRUE(::IsWindowVisible(ci.hwndList)) << "the list stays open";
    EXPECT_EQ(::GetCapture(), captured) << "the mouse goes back to whoever held it";
    Pump(60);
    info = BarInfo(ci.hwndList);
    const raster::Bitmap after = CaptureScreen(info.rcScrollBar);
    EXPECT_EQ(after.GetPixel(after.Width() / 2, (a + info.xyThumbTop) / 2) & 0xFFFFFF,
              CellCentre(data->VertScroll->Bitmap, 4, 1))
        << "the track above the moved thumb is the skin's";
    RECT both = WindowRectOf(form->Handle());
    const RECT list = WindowRectOf(ci.hwndList);
    ::UnionRect(&both, &both, &list);
    SavePng(CaptureScreen(both), ScreenshotPath("scroll-combo-list.png"));
    ::SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    ::DestroyWindow(combo);
    delete form;
    Pump(20);
}

// ---- screenshots -----------------------------------------------------------------------------

TEST(ScrollScreenshots, ASkinnedListInEachSkin) {
    InstallOnce();
    for (const char* name : kSkinNames) {
        auto data = LoadPackedSkin(name);
        ASSERT_TRUE(data && !data->SkinEmpty) << name;
        tv::TForm* form = MakeForm(std::string("Scroll bars - ") + name, 420, 260);
        tv::TListBox* list = MakeList(*form, 60, 16, 16, 180, 220);
        tv::TListBox* wide = MakeList(*form, 40, 216, 16, 180, 220);
        ::SetWindowLongW(wide->Handle(), GWL_STYLE, ::GetWindowLongW(wide->Handle(), GWL_STYLE) | WS_HSCROLL);
        ::SendMessageW(wide->Handle(), LB_SETHORIZONTALEXTENT, 500, 0);
        ::SetWindowPos(wide->Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        ::SendMessageW(list->Handle(), LB_SETTOPINDEX, 20, 0);
        auto* skinner = new skin::TWinSkinForm(form, form->Handle());
        skinner->AttachForm(data.get(), form);
        Activate(*skinner);
        ::RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump(150);
        auto* s = dynamic_cast<skin::TSkinScrollbar*>(skinner->FindSkinner(list->Handle()));
        ASSERT_NE(s, nullptr);
        ExpectScreenShowsSkinnedBar(s->Overlays().Vert(), list->Handle());
        SavePng(CaptureScreen(WindowRectOf(form->Handle())), ScreenshotPath(std::string("scroll-") + name + ".png"));
        delete form;
        Pump(20);
    }
}

}  // namespace
