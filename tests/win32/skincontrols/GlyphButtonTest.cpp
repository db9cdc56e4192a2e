// Glyph buttons and speed buttons on the skin: glyph and caption laid out by Margin and
// Spacing, the glyph's frame chosen by the state, a flat speed button bare until the pointer
// is over it, and one click for one press.
#include <gtest/gtest.h>

#include "ControlsTestUtil.h"
#include "framework/Buttons.h"
#include "skin/controls/ButtonSkinners.h"
#include "skin/core/WinSkinData.h"

using namespace skin;
using namespace skintest;

namespace {

constexpr raster::Color kGreen = raster::Rgb(0, 200, 0), kBlue = raster::Rgb(0, 0, 255),
                        kRed = raster::Rgb(220, 0, 0), kGrey = raster::Rgb(85, 85, 85);
constexpr int kGlyph = 16;

// Frames of kGlyph square side by side in the given colours; each frame's bottom-left pixel
// (its transparent colour by convention) is magenta.
void SetGlyph(tv::TBitmap& glyph, std::initializer_list<raster::Color> frames) {
    glyph.SetSize(kGlyph * int(frames.size()), kGlyph);
    raster::Bitmap& px = glyph.Pixels();
    int f = 0;
    for (raster::Color c : frames) {
        for (int y = 0; y < kGlyph; ++y)
            for (int x = 0; x < kGlyph; ++x) px.SetPixel(f * kGlyph + x, y, c);
        px.SetPixel(f * kGlyph, kGlyph - 1, raster::kKeyColor);
        ++f;
    }
}

// The top-left corner of the pixels of colour c, or (-1, -1).
POINT Find(const raster::Bitmap& shot, raster::Color c) {
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            if (shot.GetPixel(x, y) == c) {
                int left = x;
                while (left > 0 && shot.GetPixel(left - 1, y) == c) --left;
                return {left, y};
            }
    return {-1, -1};
}

RECT ScreenRectOf(tv::TControl& c) {
    const POINT tl = c.Parent()->ClientToScreen({c.Left(), c.Top()});
    return {tl.x, tl.y, tl.x + c.Width(), tl.y + c.Height()};
}

SIZE CaptionSize(tv::TControl& c, const std::wstring& text, const RECT& box) {
    tv::WindowDC dc(nullptr);
    tv::SelectScope font(dc.Get(), c.Font().Handle());
    RECT r = box;
    ::DrawTextW(dc.Get(), text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_WORDBREAK);
    return {r.right - r.left, r.bottom - r.top};
}

struct GlyphForm {
    tv::TForm* form;
    TWinSkinForm* skinner = nullptr;
    explicit GlyphForm(const char* caption) : form(MakeForm(caption, 400, 140)) {}
    void Skin(TSkinData& data) {
        skinner = new TWinSkinForm(form, form->Handle());
        skinner->AttachForm(&data, form);
        Activate(*skinner);
    }
    ~GlyphForm() { delete form; }
};

}  // namespace

TEST(GlyphButton, GlyphAndCaptionAreLaidOutByMarginAndSpacing) {
    InstallControlsOnce();
    MoveMouseTo({5, 5});
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    GlyphForm f("Glyphs");
    auto* b = new tv::TBitBtn(f.form);
    b->SetParent(f.form);
    b->SetBounds(10, 10, 160, 40);
    b->SetCaption("Go on");
    SetGlyph(b->Glyph(), {kGreen});
    f.Skin(*data);
    const HWND wnd = b->Handle();
    const int c = 160;
    const SIZE t = CaptionSize(*b, L"Go on", RECT{2, 2, c - 2 - (kGlyph + 2), 40 - 2});
    ASSERT_GT(t.cx, 0);

    struct Case {
        int margin, spacing, glyphX;
    };
    const Case cases[] = {
        {-1, 4, (c - (kGlyph + 4 + t.cx)) / 2},     // centred as one block
        {-1, -1, (c - (kGlyph + t.cx)) / 3},        // three equal gaps
        {6, -1, 6},                                 // at its margin
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.margin * 100 + k.spacing);
        b->SetMargin(k.margin);
        b->SetSpacing(k.spacing);
        ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump(60);
        const POINT at = Find(CaptureScreen(WindowRectOf(wnd)), kGreen);
        EXPECT_EQ(at.x, k.glyphX);
        EXPECT_EQ(at.y, (40 - kGlyph + 1) / 2);
    }
    SavePng(CaptureScreen(WindowRectOf(f.form->Handle())), ScreenshotPath("buttons-glyph.png"));
}

TEST(GlyphButton, TheGlyphFrameFollowsTheStateAndTheDisabledOneIsGrey) {
    InstallControlsOnce();
    MoveMouseTo({5, 5});
    auto data = LoadPackedSkin("slate");
    ASSERT_TRUE(data && !data->SkinEmpty);
    GlyphForm f("Glyph frames");
    auto* b = new tv::TBitBtn(f.form);
    b->SetParent(f.form);
    b->SetBounds(10, 10, 120, 40);
    b->SetCaption("Frames");
    SetGlyph(b->Glyph(), {kGreen, kBlue, kRed});
    b->SetNumGlyphs(3);
    int clicks = 0;
    b->OnClick = [&](tv::TObject*) { ++clicks; };
    f.Skin(*data);
    const HWND wnd = b->Handle();
    const auto shows = [&](raster::Color colour) {
        ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Pump(60);
        return Find(CaptureScreen(WindowRectOf(wnd)), colour).x >= 0;
    };
    EXPECT_TRUE(shows(kGreen));
    ::SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    Pump(30);
    EXPECT_TRUE(Find(CaptureScreen(WindowRectOf(wnd)), kRed).x >= 0) << "pressed: the third frame";
    ::SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Pump(60);
    EXPECT_EQ(clicks, 1) << "the owner-drawn button clicks once too";
    b->SetEnabled(false);
    EXPECT_TRUE(shows(kGrey)) << "disabled: the second frame in grey";
    EXPECT_FALSE(shows(kBlue));
    EXPECT_EQ(ShownButtonFrame(wnd, *data), kLookDisabled);
}

TEST(SpeedButton, AFlatOneIsBareUntilHoveredAndEachShowsItsState) {
    InstallControlsOnce();
    MoveMouseTo({5, 5});
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    GlyphForm f("Speed");
    auto place = [&](int left) {
        auto* s = new tv::TSpeedButton(f.form);
        s->SetParent(f.form);
        s->SetBounds(left, 20, 70, 32);
        return s;
    };
    tv::TSpeedButton* flat = place(10);
    flat->SetFlat(true);
    tv::TSpeedButton* raised = place(100);
    tv::TSpeedButton* down = place(190);
    down->SetGroupIndex(1);
    down->SetDown(true);
    int clicks = 0;
    raised->OnClick = [&](tv::TObject*) { ++clicks; };
    f.Skin(*data);
    Pump(80);

    const raster::Bitmap bare = CaptureScreen(ScreenRectOf(*flat));
    const raster::Color face = tv::ColorToRGB(data->SkinColors.ButtonFace);
    int other = 0;
    for (int y = 0; y < bare.Height(); ++y)
        for (int x = 0; x < bare.Width(); ++x) other += bare.GetPixel(x, y) != face;
    EXPECT_EQ(other, 0) << "a flat button shows only the face";
    EXPECT_EQ(ShownButtonFrameAt(ScreenRectOf(*raised), *data), kLookNormal);
    EXPECT_EQ(ShownButtonFrameAt(ScreenRectOf(*down), *data), kLookPressed);
    SavePng(CaptureScreen(WindowRectOf(f.form->Handle())), ScreenshotPath("buttons-speed.png"));

    const RECT r = ScreenRectOf(*flat);
    MoveMouseTo({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    EXPECT_TRUE(PumpUntil([&] { return ShownButtonFrameAt(ScreenRectOf(*flat), *data) == kLookHot; }));
    MoveMouseTo({5, 5});
    EXPECT_TRUE(PumpUntil([&] { return ShownButtonFrameAt(ScreenRectOf(*flat), *data) == 0; }));

    // A press and release on it (the form routes the mouse to it) clicks once.
    const POINT at{raised->Left() + 10, raised->Top() + 10};
    ::SendMessageW(f.form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::SendMessageW(f.form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    Pump(60);
    EXPECT_EQ(clicks, 1);
}
