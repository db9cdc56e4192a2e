// The DC forms of the drawing primitives, drawn into real device contexts under Wine and
// read back pixel by pixel.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <optional>

#include "raster/Blit.h"
#include "raster/Slices.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "skin/forms/CanvasPrimitives.h"
#include "skin/forms/DrawPrimitives.h"

using raster::Bitmap;
using raster::Rgb;

namespace {

// A DIB-section bitmap selected into a memory DC: GDI draws into it, the test reads its bits.
class DibDC {
public:
    DibDC(int w, int h, raster::Color fill)
        : bitmap_(Filled(w, h, fill)), dc_(::CreateCompatibleDC(nullptr)), selected_(dc_.Get(), bitmap_.Handle()) {}
    HDC dc() const { return dc_.Get(); }
    const Bitmap& Pixels() {
        ::GdiFlush();
        return bitmap_;
    }

private:
    static Bitmap Filled(int w, int h, raster::Color fill) {
        Bitmap b(w, h);
        b.Fill(fill);
        return b;
    }
    Bitmap bitmap_;
    tv::OwnedDC dc_;
    tv::SelectScope selected_;
};

// A strip of three 12 x 10 frames with magenta corners and a magenta dot, coloured by position.
Bitmap ButtonStrip() {
    Bitmap strip(36, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 36; ++x) strip.SetPixel(x, y, Rgb(x * 7, y * 20, 40 + (x / 12) * 60));
    for (int f = 0; f < 3; ++f) {
        const int l = f * 12;
        for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {11, 0}, {10, 0}, {11, 1}, {0, 9}, {11, 9}, {6, 5}})
            strip.SetPixel(l + x, y, raster::kKeyColor);
    }
    return strip;
}

void ExpectSame(const Bitmap& got, const Bitmap& want, const char* what) {
    ASSERT_EQ(got.Width(), want.Width());
    for (int y = 0; y < got.Height(); ++y)
        for (int x = 0; x < got.Width(); ++x)
            ASSERT_EQ(got.GetPixel(x, y) & 0xFFFFFF, want.GetPixel(x, y) & 0xFFFFFF) << what << " at " << x << "," << y;
}

// Every DC primitive against its bitmap form: same pixels, same place.
void Compare(const char* what, const std::function<void(HDC)>& onDC, const std::function<void(Bitmap&)>& onBitmap) {
    DibDC target(64, 48, 0x305070);
    onDC(target.dc());
    Bitmap expect(64, 48);
    expect.Fill(0x305070);
    onBitmap(expect);
    ExpectSame(target.Pixels(), expect, what);
}

}  // namespace

TEST(DcPrimitives, EachDrawsWhatItsBitmapFormDraws) {
    const Bitmap strip = ButtonStrip();
    const raster::Margins m{3, 2, 3, 2};
    const RECT r{5, 4, 50, 40};
    const raster::Rect rr = skin::ToRect(r);
    for (bool transparent : {false, true}) {
        Compare("element image", [&](HDC dc) { skin::DrawElementImage(dc, r, strip, false, false, transparent, 3, 2, m); },
                [&](Bitmap& b) { raster::DrawElementImage(b, rr, strip, false, false, transparent, 3, 2, m); });
        Compare("tiled element image", [&](HDC dc) { skin::DrawElementImage(dc, r, strip, false, true, transparent, 3, 3, m); },
                [&](Bitmap& b) { raster::DrawElementImage(b, rr, strip, false, true, transparent, 3, 3, m); });
        Compare("element bar", [&](HDC dc) { skin::DrawElementBar(dc, r, strip, false, transparent, 3, 1, m); },
                [&](Bitmap& b) { raster::DrawElementBar(b, rr, strip, false, transparent, 3, 1, m); });
        Compare("strip image", [&](HDC dc) { skin::DrawStripImage(dc, r, strip, transparent, 3, 2); },
                [&](Bitmap& b) { raster::DrawStripImage(b, rr, strip, transparent, 3, 2); });
        Compare("centred strip image", [&](HDC dc) { skin::DrawStripImageCentered(dc, r, strip, transparent, 3, 3); },
                [&](Bitmap& b) { raster::DrawStripImageCentered(b, rr, strip, transparent, 3, 3); });
    }
    // Slices that stay empty (no middle) come out black whatever the scratch image held before.
    Compare("element image without middle", [&](HDC dc) { skin::DrawElementImage(dc, r, strip, false, false, false, 3, 1, {6, 2, 6, 2}); },
            [&](Bitmap& b) { raster::DrawElementImage(b, rr, strip, false, false, false, 3, 1, {6, 2, 6, 2}); });
    Compare("element bar without middle", [&](HDC dc) { skin::DrawElementBar(dc, r, strip, false, false, 3, 3, {4, 0, 8, 0}); },
            [&](Bitmap& b) { raster::DrawElementBar(b, rr, strip, false, false, 3, 3, {4, 0, 8, 0}); });
    Compare("stretch strip bar", [&](HDC dc) { skin::StretchStripBar(dc, r, strip, false, 3, 2, 4, 4); },
            [&](Bitmap& b) { raster::StretchStripBar(b, rr, strip, false, 3, 2, 4, 4); });
    Compare("through a canvas",
            [&](HDC dc) {
                tv::TCanvas canvas;
                canvas.SetHandle(dc);
                skin::DrawElementImage(canvas, r, strip, false, false, true, 3, 1, m);
                skin::DrawStripImageCentered(canvas, RECT{0, 0, 20, 20}, strip, false, 3, 3);
                canvas.SetHandle(nullptr);
            },
            [&](Bitmap& b) {
                raster::DrawElementImage(b, rr, strip, false, false, true, 3, 1, m);
                raster::DrawStripImageCentered(b, {0, 0, 20, 20}, strip, false, 3, 3);
            });
    Compare("tile image", [&](HDC dc) { skin::TileImage(dc, r, strip, RECT{13, 1, 20, 6}); },
            [&](Bitmap& b) { raster::TileImage(b, rr, strip, {13, 1, 20, 6}); });
}

TEST(DcPrimitives, OnlyTheClipBoxChanges) {
    const Bitmap strip = ButtonStrip();
    const RECT r{-20, 3, 70, 45};  // reaches past the surface on the left and the right
    DibDC target(64, 48, 0x305070);
    ::IntersectClipRect(target.dc(), 10, 8, 40, 30);
    skin::DrawElementImage(target.dc(), r, strip, false, false, true, 3, 2, {3, 2, 3, 2});
    Bitmap whole(64, 48);
    whole.Fill(0x305070);
    raster::DrawElementImage(whole, skin::ToRect(r), strip, false, false, true, 3, 2, {3, 2, 3, 2});
    const Bitmap& px = target.Pixels();
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool clipped = x >= 10 && x < 40 && y >= 8 && y < 30;
            ASSERT_EQ(px.GetPixel(x, y) & 0xFFFFFF, clipped ? whole.GetPixel(x, y) : 0x305070u) << x << "," << y;
        }
}

TEST(DcPrimitives, BadNumbersDrawNothing) {
    const Bitmap strip = ButtonStrip();
    DibDC target(30, 30, 0x445566);
    const RECT r{0, 0, 30, 30};
    skin::DrawElementImage(target.dc(), RECT{20, 20, 5, 5}, strip, false, false, false, 3, 1, {});
    skin::DrawElementImage(target.dc(), r, strip, false, false, false, 0, 1, {});
    skin::DrawElementImage(target.dc(), r, strip, false, false, true, 3, 4, {});
    skin::DrawElementBar(target.dc(), r, strip, false, false, 3, -1, {});
    skin::DrawStripImage(target.dc(), r, strip, false, -2, 1);
    skin::DrawStripImageCentered(target.dc(), r, strip, false, 3, 0);
    skin::StretchStripBar(target.dc(), r, strip, false, 40, 1, 2, 2);
    skin::DrawTransparent(target.dc(), RECT{10, 10, 0, 0}, strip);
    skin::TileImage(target.dc(), r, strip, RECT{5, 5, 5, 9});
    skin::TileImage(target.dc(), r, strip, RECT{9, 9, 5, 5});
    // Rectangles from overflowed arithmetic.
    const RECT huge{LONG(0x80000000u), LONG(0x80000000u), 0x7FFFFFFF, 0x7FFFFFFF};
    skin::DrawElementImage(target.dc(), huge, strip, false, true, true, 3, 1, {2, 2, 2, 2});
    skin::DrawStripImageCentered(target.dc(), huge, strip, false, 3, 1);
    skin::DrawTransparent(target.dc(), huge, strip);
    const Bitmap& px = target.Pixels();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) ASSERT_EQ(px.GetPixel(x, y), 0x445566u) << x << "," << y;
}

TEST(DrawTransparent, ABitmapSelectedIntoAnotherDCIsDrawnAllTheSame) {
    // GDI selects a bitmap into one DC at a time; the primitive then draws from a copy.
    DibDC holder(12, 10, Rgb(200, 40, 90));
    ::SetPixel(holder.dc(), 3, 4, Rgb(255, 0, 255));
    const Bitmap& image = holder.Pixels();
    ASSERT_EQ(::GetCurrentObject(holder.dc(), OBJ_BITMAP), image.Handle());
    DibDC target(20, 16, 0x102030);
    skin::detail::MaskedBlit(target.dc(), 2, 1, 12, 10, image, nullptr, raster::kKeyColor);
    const Bitmap& px = target.Pixels();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = x >= 2 && x < 14 && y >= 1 && y < 11 && !(x == 5 && y == 5);
            ASSERT_EQ(px.GetPixel(x, y) & 0xFFFFFF, inside ? Rgb(200, 40, 90) : 0x102030u) << x << "," << y;
        }
    EXPECT_EQ(::GetCurrentObject(holder.dc(), OBJ_BITMAP), image.Handle()) << "the holder keeps its bitmap";
}

TEST(DrawTransparent, KeyPixelsLeaveTheWindowAsItWas) {
    // A real window DC: the key-coloured pixels of the image must leave the window's own
    // pixels, here a pattern that varies per pixel.
    const wchar_t* kClass = L"TvPrimitivesTarget";
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    ::RegisterClassW(&wc);
    HWND wnd = ::CreateWindowExW(WS_EX_TOPMOST, kClass, L"t", WS_POPUP | WS_VISIBLE, 20, 20, 40, 30, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    ASSERT_TRUE(wnd);
    ::UpdateWindow(wnd);
    std::optional<tv::WindowDC> windowDC(std::in_place, wnd);
    const HDC dc = windowDC->Get();
    Bitmap background(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) background.SetPixel(x, y, Rgb(x * 5, 255 - y * 5, (x * y) & 0xFF));
    {
        const tv::OwnedDC mem(::CreateCompatibleDC(dc));
        const tv::SelectScope selected(mem.Get(), background.Handle());
        ::BitBlt(dc, 0, 0, 40, 30, mem.Get(), 0, 0, SRCCOPY);
    }
    Bitmap image(30, 20);
    image.Fill(Rgb(9, 99, 199));
    raster::FillRect(image, {0, 0, 30, 3}, raster::kKeyColor);
    raster::FillRect(image, {10, 5, 20, 15}, raster::kKeyColor);
    image.SetPixel(25, 10, Rgb(255, 1, 255));  // near magenta is drawn
    skin::DrawTransparent(dc, RECT{5, 5, 35, 25}, image);

    // The same through MaskBlt alone, the way for DCs that cannot be read back, lower down.
    skin::detail::MaskedBlit(dc, 5, 7, 30, 20, image, nullptr, raster::kKeyColor);

    DibDC back(40, 30, 0);
    ::BitBlt(back.dc(), 0, 0, 40, 30, dc, 0, 0, SRCCOPY);
    windowDC.reset();
    const Bitmap& px = back.Pixels();
    auto drawn = [&](int x, int y, int ox, int oy) {
        return x >= ox && x < ox + 30 && y >= oy && y < oy + 20 && image.GetPixel(x - ox, y - oy) != raster::kKeyColor;
    };
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            const raster::Color want = drawn(x, y, 5, 7)   ? image.GetPixel(x - 5, y - 7)
                                       : drawn(x, y, 5, 5) ? image.GetPixel(x - 5, y - 5)
                                                           : background.GetPixel(x, y);
            ASSERT_EQ(px.GetPixel(x, y) & 0xFFFFFF, want) << x << "," << y;
        }
    ::DestroyWindow(wnd);
}

namespace {
// A 60 x 40 border image with rounded magenta corners, three pixels deep.
Bitmap RoundedBorder() {
    Bitmap b(60, 40);
    b.Fill(Rgb(120, 130, 140));
    const int cut[3] = {3, 2, 1};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < cut[y]; ++x) {
            b.SetPixel(x, y, raster::kKeyColor);
            b.SetPixel(59 - x, y, raster::kKeyColor);
            b.SetPixel(x, 39 - y, raster::kKeyColor);
            b.SetPixel(59 - x, 39 - y, raster::kKeyColor);
        }
    return b;
}
}  // namespace

TEST(RegionFromBitmap, RoundedCornersExcludedExactly) {
    const Bitmap border = RoundedBorder();
    for (auto [dx, dy] : {std::pair{0, 0}, {17, -4}}) {
        const tv::OwnedRegion region = skin::RegionFromBitmap(border, dx, dy, 0, 0, 0);
        HRGN rgn = region.Get();
        ASSERT_TRUE(rgn);
        for (int y = -1; y <= 40; ++y)
            for (int x = -1; x <= 60; ++x) {
                const bool inside = border.Contains(x, y) && border.GetPixel(x, y) != raster::kKeyColor;
                ASSERT_EQ(bool(::PtInRegion(rgn, x + dx, y + dy)), inside) << x << "," << y;
            }
        RECT box{};
        EXPECT_EQ(::GetRgnBox(rgn, &box), COMPLEXREGION);
        EXPECT_EQ(box.left, dx);
        EXPECT_EQ(box.bottom, 40 + dy);
    }
    Bitmap allKey(30, 30);
    allKey.Fill(raster::kKeyColor);
    const tv::OwnedRegion none = skin::RegionFromBitmap(allKey, 0, 0, 0, 0, 0);
    ASSERT_TRUE(none);
    RECT box{};
    EXPECT_EQ(::GetRgnBox(none.Get(), &box), NULLREGION);
}

TEST(RegionFromBitmap, ManyBatchesGiveTheSameRegionAsOneRectangleAtATime) {
    // 100 runs a row over 60 rows: 6000 rectangles, three batches.
    Bitmap b(400, 60, raster::PixelFormat::Bgra32);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 400; ++x)
            b.SetPixel(x, y, ((x + y) / 2) % 2 ? raster::kKeyColor : Rgb(x % 256, y, 3));
    const tv::OwnedRegion batched = skin::RegionFromBitmap(b, 5, 6, 0, 0, 0);
    const tv::OwnedRegion single(::CreateRectRgn(0, 0, 0, 0));
    int rects = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 400; ++x) {
            if (b.GetPixel(x, y) == raster::kKeyColor) continue;
            const tv::OwnedRegion one(::CreateRectRgn(x + 5, y + 6, x + 6, y + 7));
            ::CombineRgn(single.Get(), single.Get(), one.Get(), RGN_OR);
            ++rects;
        }
    EXPECT_GT(rects, 3 * skin::kRegionBatch / 2);
    EXPECT_TRUE(::EqualRgn(batched.Get(), single.Get()));
}

TEST(FillGradient, OnlyTheClipBoxRowsOfTheWholeGradient) {
    skin::ResetGradientCache();
    DibDC target(20, 30, 0x010101);
    ::IntersectClipRect(target.dc(), 0, 10, 20, 20);
    skin::FillGradient(target.dc(), raster::Rect{2, 0, 18, 30}, Rgb(0, 0, 0), Rgb(0, 240, 90), true);
    const auto& entries = skin::GradientEntries(skin::FindGradient(30, Rgb(0, 0, 0), Rgb(0, 240, 90)));
    ASSERT_EQ(entries.size(), 30u);
    const Bitmap& px = target.Pixels();
    for (int y = 0; y < 30; ++y) {
        EXPECT_EQ(px.GetPixel(1, y), 0x010101u);
        EXPECT_EQ(px.GetPixel(18, y), 0x010101u);
        EXPECT_EQ(px.GetPixel(2, y), y >= 10 && y < 20 ? entries[std::size_t(y)] : 0x010101u) << y;
        EXPECT_EQ(px.GetPixel(17, y), px.GetPixel(2, y)) << y;
    }
}

namespace {
LRESULT CALLBACK ParentProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND) {
        RECT all{0, 0, 200, 200};
        const tv::OwnedBrush blue(::CreateSolidBrush(Rgb(0, 0, 255)));
        ::FillRect(HDC(wp), &all, blue.Get());
        return 1;
    }
    if (msg == WM_PAINT && wp) {
        RECT spot{40, 30, 50, 40};
        const tv::OwnedBrush red(::CreateSolidBrush(Rgb(255, 0, 0)));
        ::FillRect(HDC(wp), &spot, red.Get());
        return 0;
    }
    return ::DefWindowProcW(wnd, msg, wp, lp);
}
}  // namespace

TEST(PaintParentBackground, ParentPaintsShiftedAndClippedToTheControl) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TvPrimitivesParent";
    ::RegisterClassW(&wc);
    HWND parent = ::CreateWindowExW(0, wc.lpszClassName, L"p", WS_POPUP, 0, 0, 120, 100, nullptr, nullptr,
                                    wc.hInstance, nullptr);
    HWND child = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 35, 25, 30, 20, parent, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(parent && child);
    DibDC target(50, 50, Rgb(0, 255, 0));
    skin::PaintParentBackground(child, target.dc());
    POINT origin{1, 1};
    ::GetViewportOrgEx(target.dc(), &origin);
    EXPECT_EQ(origin.x, 0);  // the DC comes back as it was
    EXPECT_EQ(origin.y, 0);
    const Bitmap& px = target.Pixels();
    EXPECT_EQ(px.GetPixel(0, 0), Rgb(0, 0, 255));
    EXPECT_EQ(px.GetPixel(5, 5), Rgb(255, 0, 0));    // parent (40, 30)
    EXPECT_EQ(px.GetPixel(14, 14), Rgb(255, 0, 0));  // parent (49, 39)
    EXPECT_EQ(px.GetPixel(15, 15), Rgb(0, 0, 255));
    EXPECT_EQ(px.GetPixel(29, 19), Rgb(0, 0, 255));
    EXPECT_EQ(px.GetPixel(30, 5), Rgb(0, 255, 0));  // outside the control: clipped
    EXPECT_EQ(px.GetPixel(5, 20), Rgb(0, 255, 0));

    DibDC untouched(10, 10, Rgb(0, 255, 0));
    skin::PaintParentBackground(parent, untouched.dc());  // no parent: nothing
    EXPECT_EQ(untouched.Pixels().GetPixel(3, 3), Rgb(0, 255, 0));
    // An owned top-level window has an owner, not a parent: the owner paints nothing into it.
    HWND owned = ::CreateWindowExW(0, wc.lpszClassName, L"o", WS_POPUP, 10, 10, 30, 20, parent, nullptr,
                                   wc.hInstance, nullptr);
    ASSERT_TRUE(owned);
    DibDC ownedTarget(10, 10, Rgb(0, 255, 0));
    skin::PaintParentBackground(owned, ownedTarget.dc());
    EXPECT_EQ(ownedTarget.Pixels().GetPixel(3, 3), Rgb(0, 255, 0));
    ::DestroyWindow(owned);
    ::DestroyWindow(parent);
}

TEST(PaintParentBackground, FrameworkControlShowsItsFormBehindIt) {
    tv::TForm form(nullptr);
    form.SetBounds(0, 0, 160, 120);
    form.SetColor(tv::clRed);
    auto* button = new tv::TButton(&form);
    button->SetParent(&form);
    button->SetBounds(30, 20, 40, 25);
    form.HandleNeeded();
    button->HandleNeeded();
    DibDC target(60, 50, Rgb(0, 255, 0));
    skin::PaintParentBackground(*button, target.dc());
    const Bitmap& px = target.Pixels();
    const RECT client = button->ClientRect();
    EXPECT_EQ(px.GetPixel(0, 0), tv::ColorToRGB(tv::clRed));
    EXPECT_EQ(px.GetPixel(client.right - 1, client.bottom - 1), tv::ColorToRGB(tv::clRed));
    EXPECT_EQ(px.GetPixel(client.right, 0), Rgb(0, 255, 0));  // clipped to the control
    EXPECT_EQ(px.GetPixel(0, client.bottom), Rgb(0, 255, 0));

    tv::TForm lonely(nullptr);
    DibDC untouched(10, 10, Rgb(0, 255, 0));
    skin::PaintParentBackground(lonely, untouched.dc());  // no parent: nothing
    EXPECT_EQ(untouched.Pixels().GetPixel(3, 3), Rgb(0, 255, 0));
}
