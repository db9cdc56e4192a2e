// The overlay window on its own: laid over a real list box's bar, drawn from each of our
// skins in every state of the bar, and gone with its owner or its parent.
#include <gtest/gtest.h>

#include <memory>

#include "../skinforms/SkinFormTestUtil.h"
#include "ScrollTestUtil.h"
#include "framework/Framework.h"
#include "skin/controls/ScrollOverlay.h"

namespace {

using namespace skintest;
using skin::TWScrollbar;
namespace scroll = skin::scroll;

// What PaintBar composes, read back.
raster::Bitmap Painted(TWScrollbar& overlay, SIZE size) {
    raster::Bitmap image(size.cx, size.cy, raster::PixelFormat::Bgra32);
    tv::OwnedDC dc(::CreateCompatibleDC(nullptr));
    {
        tv::SelectScope select(dc.Get(), static_cast<HBITMAP>(image.Handle()));
        EXPECT_TRUE(overlay.PaintBar(dc.Get()));
        ::GdiFlush();
    }
    return image;
}

void ExpectBarDisabled(TWScrollbar& overlay) {
    skin::ScrollBarData data;
    ASSERT_TRUE(overlay.QueryBar(data));
    EXPECT_FALSE(data.Enabled());
}

raster::Color Face(const skin::TSkinData& data) { return tv::ColorToRGB(data.SkinColors.ButtonFace) & 0xFFFFFF; }

class OverlayTest : public ::testing::Test {
protected:
    void Load(const std::string& skinName) {
        data = LoadPackedSkin(skinName);
        ASSERT_TRUE(data && !data->SkinEmpty) << skinName;
        ASSERT_TRUE(data->Scrollbar && data->VertScroll && data->VertScrollThumb && data->HorzScrollThumb);
    }
    void SetUp() override {
        Load("daylight");
        form = MakeForm("Overlay", 460, 320);
        list = MakeList(*form, 100);
        Pump(50);
    }
    void TearDown() override {
        overlay.reset();
        delete form;
        Pump(20);
    }
    SIZE BarSize() const {
        const RECT r = BarInfo(list->Handle()).rcScrollBar;
        return {r.right - r.left, r.bottom - r.top};
    }

    std::unique_ptr<skin::TSkinData> data;
    tv::TForm* form = nullptr;
    tv::TListBox* list = nullptr;
    std::unique_ptr<TWScrollbar> overlay = std::make_unique<TWScrollbar>();
};

TEST_F(OverlayTest, LiesExactlyOverTheBarJustAboveTheControl) {
    overlay->AttachOverlay(nullptr, data.get(), list, skin::kBuiltinVert);
    ASSERT_TRUE(overlay->Shown());
    ASSERT_TRUE(::IsWindowVisible(overlay->Handle()));
    const RECT bar = BarInfo(list->Handle()).rcScrollBar;
    const RECT placed = WindowRectOf(overlay->Handle());
    EXPECT_TRUE(::EqualRect(&bar, &placed)) << placed.left << "," << placed.top << " " << placed.right << ","
                                             << placed.bottom;
    EXPECT_EQ(::GetParent(overlay->Handle()), form->Handle());
    EXPECT_EQ(::GetWindow(overlay->Handle(), GW_HWNDNEXT), list->Handle());
    EXPECT_EQ(overlay->Length(), bar.bottom - bar.top);
    // Clicking the bar leaves the focus where it was.
    EXPECT_NE(::GetWindowLongW(overlay->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);

    // The list box has no horizontal bar: that overlay stays hidden.
    TWScrollbar horizontal;
    horizontal.AttachOverlay(nullptr, data.get(), list, skin::kBuiltinHorz);
    EXPECT_FALSE(horizontal.Shown());
    EXPECT_FALSE(::IsWindowVisible(horizontal.Handle()));
}

TEST_F(OverlayTest, DrawsArrowsTrackAndThumbFromEachSkinsStrips) {
    for (const char* name : kSkinNames) {
        SCOPED_TRACE(name);
        overlay.reset();
        Load(name);
        overlay = std::make_unique<TWScrollbar>();
        overlay->AttachOverlay(nullptr, data.get(), list, skin::kBuiltinVert);
        ::SendMessageW(list->Handle(), LB_SETTOPINDEX, 40, 0);
        const SIZE size = BarSize();
        const raster::Bitmap image = Painted(*overlay, size);
        const int a = overlay->ArrowSize();
        const scroll::ThumbSpan thumb = overlay->Thumb();
        ASSERT_FALSE(thumb.Empty());
        const SCROLLBARINFO info = BarInfo(list->Handle());
        EXPECT_EQ(thumb.start, info.xyThumbTop);
        EXPECT_EQ(thumb.end, info.xyThumbBottom);

        const raster::Bitmap& strip = data->Scrollbar->Bitmap;
        auto withFace = [&](std::set<raster::Color> s) {
            s.insert(Face(*data));
            return s;
        };
        EXPECT_TRUE(Within(ColoursIn(image, {0, 0, size.cx, a}), withFace(CellColours(strip, 23, 9))));
        EXPECT_TRUE(Within(ColoursIn(image, {0, size.cy - a, size.cx, size.cy}), withFace(CellColours(strip, 23, 13))));
        // Track above the thumb: the enabled frame.
        const raster::Color track = CellCentre(data->VertScroll->Bitmap, 4, 1);
        EXPECT_EQ(image.GetPixel(size.cx / 2, (a + thumb.start) / 2) & 0xFFFFFF, track);
        EXPECT_EQ(image.GetPixel(size.cx / 2, (thumb.end + size.cy - a) / 2) & 0xFFFFFF, track);
        // The thumb: its own colours and the grip's, nothing else.
        std::set<raster::Color> thumbColours = CellColours(data->VertScrollThumb->Bitmap, 3, 1);
        const std::set<raster::Color> grip = CellColours(strip, 23, 20);
        const std::set<raster::Color> drawn = ColoursIn(image, {0, thumb.start, size.cx, thumb.end});
        const raster::Color pill = CellCentre(data->VertScrollThumb->Bitmap, 3, 1);
        EXPECT_TRUE(drawn.count(pill));
        thumbColours.insert(grip.begin(), grip.end());
        thumbColours.insert(track);
        EXPECT_TRUE(Within(drawn, withFace(thumbColours)));

    }
}

TEST_F(OverlayTest, AHotArrowTakesItsHotFrame) {
    overlay->AttachOverlay(nullptr, data.get(), list, skin::kBuiltinVert);
    const SIZE size = BarSize();
    const int a = overlay->ArrowSize();
    const raster::Bitmap& strip = data->Scrollbar->Bitmap;
    const RECT down{0, size.cy - a, size.cx, size.cy};
    const raster::Color face = Face(*data);
    auto colours = [&](int frame) {
        auto s = CellColours(strip, 23, frame);
        s.insert(face);
        return s;
    };
    overlay->SetHotPart(scroll::kLineDown);
    const raster::Bitmap hot = Painted(*overlay, size);
    EXPECT_TRUE(Within(ColoursIn(hot, down), colours(16)));
    EXPECT_FALSE(Within(ColoursIn(hot, down), colours(13))) << "the hot look differs from the normal one";
    // The up arrow is not hot.
    EXPECT_TRUE(Within(ColoursIn(hot, {0, 0, size.cx, a}), colours(9)));
    overlay->SetHotPart(scroll::kNone);
    EXPECT_TRUE(Within(ColoursIn(Painted(*overlay, size), down), colours(13)));
}

TEST_F(OverlayTest, DisabledBarShowsTheDisabledTrackAndNoThumb) {
    overlay->AttachOverlay(nullptr, data.get(), list, skin::kBuiltinVert);
    // A disabled control's bar (Wine leaves EnableScrollBar out of the bar's reported state).
    ::EnableWindow(list->Handle(), FALSE);
    ExpectBarDisabled(*overlay);
    const SIZE size = BarSize();
    const raster::Bitmap image = Painted(*overlay, size);
    const int a = overlay->ArrowSize();
    const raster::Color disabled = CellCentre(data->VertScroll->Bitmap, 4, 3);
    ASSERT_NE(disabled, CellCentre(data->VertScroll->Bitmap, 4, 1));
    for (int y = a + 2; y < size.cy - a - 2; y += 7) EXPECT_EQ(image.GetPixel(size.cx / 2, y) & 0xFFFFFF, disabled) << y;
    const raster::Color pill = CellCentre(data->VertScrollThumb->Bitmap, 3, 1);
    EXPECT_FALSE(ColoursIn(image, {0, 0, size.cx, size.cy}).count(pill));
}

TEST_F(OverlayTest, BarShorterThanTwoArrowsGetsTwoHalfArrows) {
    list->SetBounds(20, 20, 180, 30);
    overlay->AttachOverlay(nullptr, data.get(), list, skin::kBuiltinVert);
    ASSERT_TRUE(overlay->Shown());
    const SIZE size = BarSize();
    const int a = overlay->ArrowSize();
    ASSERT_LT(size.cy, 2 * a);
    const raster::Bitmap image = Painted(*overlay, size);
    const raster::Bitmap& strip = data->Scrollbar->Bitmap;
    auto colours = [&](int frame) {
        auto s = CellColours(strip, 23, frame);
        s.insert(Face(*data));
        return s;
    };
    const int half = size.cy / 2;
    EXPECT_TRUE(Within(ColoursIn(image, {0, 0, size.cx, half}), colours(9)));
    EXPECT_TRUE(Within(ColoursIn(image, {0, half, size.cx, size.cy}), colours(13)));
    EXPECT_EQ(overlay->HitTest({size.cx / 2, half - 1}), scroll::kLineUp);
    EXPECT_EQ(overlay->HitTest({size.cx / 2, half + 1}), scroll::kLineDown);
}

TEST_F(OverlayTest, WindowGoesWithItsOverlayAndOutlivesNothing) {
    overlay->AttachOverlay(nullptr, data.get(), list, skin::kBuiltinVert);
    EXPECT_EQ(CountChildren(form->Handle(), L"TWScrollbar"), 1);
    overlay.reset();
    EXPECT_EQ(CountChildren(form->Handle(), L"TWScrollbar"), 0);
    // The parent going first takes the window; the overlay then has nothing to free.
    overlay = std::make_unique<TWScrollbar>();
    overlay->AttachOverlay(nullptr, data.get(), list, skin::kBuiltinVert);
    delete form;
    form = nullptr;
    EXPECT_EQ(overlay->Handle(), nullptr);
    overlay->Reposition();
    overlay->Repaint();
    overlay.reset();
}

}  // namespace
