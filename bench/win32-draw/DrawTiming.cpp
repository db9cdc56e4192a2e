// DrawElementImage onto a window DC against the same nine-slice drawn with plain GDI
// (one StretchBlt, or TransparentBlt, per slice straight from the strip), in one run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "skin/forms/DrawPrimitives.h"

namespace {

constexpr int kW = 455, kH = 480, kCellW = 75, kCellH = 25, kFrame = 2;
constexpr raster::Margins kMargins{6, 6, 6, 6};

raster::Bitmap ButtonStrip() {
    raster::Bitmap strip(3 * kCellW, kCellH);
    for (int y = 0; y < kCellH; ++y)
        for (int x = 0; x < 3 * kCellW; ++x) strip.SetPixel(x, y, raster::Rgb(x, 120 + y * 4, 200 - y * 3));
    for (int f = 0; f < 3; ++f)
        for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {74, 0}, {73, 0}, {74, 1}, {0, 24}, {74, 24}})
            strip.SetPixel(f * kCellW + x, y, raster::kKeyColor);
    return strip;
}

// The nine slices as (target, source) pairs, in the strip's coordinates.
struct Slice {
    RECT to, from;
};
std::vector<Slice> Slices() {
    const int l = kMargins.left, t = kMargins.top, r = kMargins.right, b = kMargins.bottom;
    const int cx = (kFrame - 1) * kCellW;
    const int xs[4] = {0, l, kW - r, kW}, ys[4] = {0, t, kH - b, kH};
    const int sx[4] = {cx, cx + l, cx + kCellW - r, cx + kCellW}, sy[4] = {0, t, kCellH - b, kCellH};
    std::vector<Slice> out;
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i) out.push_back({{xs[i], ys[j], xs[i + 1], ys[j + 1]}, {sx[i], sy[j], sx[i + 1], sy[j + 1]}});
    return out;
}

double Microseconds(const std::function<void()>& draw, int rounds) {
    LARGE_INTEGER f, a, b;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&a);
    for (int i = 0; i < rounds; ++i) draw();
    ::GdiFlush();
    ::QueryPerformanceCounter(&b);
    return double(b.QuadPart - a.QuadPart) * 1e6 / double(f.QuadPart) / rounds;
}

}  // namespace

int main() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TvDrawTiming";
    ::RegisterClassW(&wc);
    HWND wnd = ::CreateWindowExW(0, wc.lpszClassName, L"draw timing", WS_POPUP | WS_VISIBLE, 10, 10, kW, kH, nullptr,
                                 nullptr, wc.hInstance, nullptr);
    ::UpdateWindow(wnd);
    HDC dc = ::GetDC(wnd);
    const raster::Bitmap strip = ButtonStrip();
    HDC stripDC = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(stripDC, static_cast<HBITMAP>(strip.Handle()));
    const std::vector<Slice> slices = Slices();
    const RECT all{0, 0, kW, kH};

    auto ours = [&](bool transparent) {
        return [&, transparent] { skin::DrawElementImage(dc, all, strip, false, false, transparent, 3, kFrame, kMargins); };
    };
    auto plain = [&] {
        ::SetStretchBltMode(dc, COLORONCOLOR);
        for (const Slice& s : slices)
            ::StretchBlt(dc, s.to.left, s.to.top, s.to.right - s.to.left, s.to.bottom - s.to.top, stripDC, s.from.left,
                         s.from.top, s.from.right - s.from.left, s.from.bottom - s.from.top, SRCCOPY);
    };
    auto plainTransparent = [&] {
        for (const Slice& s : slices)
            ::TransparentBlt(dc, s.to.left, s.to.top, s.to.right - s.to.left, s.to.bottom - s.to.top, stripDC,
                             s.from.left, s.from.top, s.from.right - s.from.left, s.from.bottom - s.from.top,
                             raster::kKeyColor);
    };

    const int rounds = 200;
    // Warm up, then alternate so that both see the same machine load.
    Microseconds(ours(false), 20);
    Microseconds(plain, 20);
    double a = 0, b = 0, c = 0, d = 0;
    for (int pass = 0; pass < 5; ++pass) {
        a += Microseconds(ours(false), rounds);
        b += Microseconds(plain, rounds);
        c += Microseconds(ours(true), rounds);
        d += Microseconds(plainTransparent, rounds);
    }
    std::printf("nine-slice %dx%d onto a window DC, microseconds per draw (lower is better)\n", kW, kH);
    std::printf("  opaque:      DrawElementImage %8.1f   StretchBlt per slice   %8.1f   ours/plain %.2f\n", a / 5, b / 5,
                a / b);
    std::printf("  transparent: DrawElementImage %8.1f   TransparentBlt per slice %6.1f   ours/plain %.2f\n", c / 5,
                d / 5, c / d);
    raster::Bitmap composed(kW, kH);
    raster::Bitmap composed32(kW, kH, raster::PixelFormat::Bgra32);
    const double render = Microseconds([&] { raster::RenderElementInto(composed, {0, 0, kW, kH}, strip, kMargins, false, false, 3, kFrame); }, rounds);
    HDC mem = ::CreateCompatibleDC(dc);
    HGDIOBJ memOld = ::SelectObject(mem, static_cast<HBITMAP>(composed.Handle()));
    const double transfer = Microseconds([&] { ::BitBlt(dc, 0, 0, kW, kH, mem, 0, 0, SRCCOPY); }, rounds);
    ::SelectObject(mem, static_cast<HBITMAP>(composed32.Handle()));
    const double transfer32 = Microseconds([&] { ::BitBlt(dc, 0, 0, kW, kH, mem, 0, 0, SRCCOPY); }, rounds);
    ::SelectObject(mem, memOld);
    ::DeleteDC(mem);
    std::printf("  parts: render %.1f, BitBlt 24-bit %.1f, BitBlt 32-bit %.1f\n", render, transfer, transfer32);
    // Window region from a window-sized border image with rounded corners.
    raster::Bitmap border(1024, 768, raster::PixelFormat::Bgra32);
    border.Fill(raster::Rgb(60, 90, 160));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4 - y; ++x)
            for (auto [px, py] : {std::pair{x, y}, {1023 - x, y}, {x, 767 - y}, {1023 - x, 767 - y}})
                border.SetPixel(px, py, raster::kKeyColor);
    const double region = Microseconds([&] { (void)skin::RegionFromBitmap(border, 0, 0, 0, 0, 0); }, 50);
    std::printf("  RegionFromBitmap 1024x768 border: %.1f us (%.0f Mpixel/s)\n", region, 1024.0 * 768 / region);
    ::SelectObject(stripDC, old);
    ::DeleteDC(stripDC);
    ::ReleaseDC(wnd, dc);
    ::DestroyWindow(wnd);
    return 0;
}
