#include "skin/forms/DrawPrimitives.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "raster/Blit.h"
#include "raster/RegionRuns.h"

namespace skin {
namespace {

// A memory DC with a raster bitmap selected for the scope. A bitmap that some other DC
// holds cannot be selected a second time; a private copy is selected then.
class SourceDC {
public:
    SourceDC(HDC reference, const Bitmap& bitmap) : dc_(::CreateCompatibleDC(reference)) {
        if (!dc_) return;
        old_ = bitmap.Handle() ? ::SelectObject(dc_, static_cast<HBITMAP>(bitmap.Handle())) : nullptr;
        if (!old_) {
            copy_.emplace(bitmap.Clone());
            if (copy_->Handle()) old_ = ::SelectObject(dc_, static_cast<HBITMAP>(copy_->Handle()));
        }
    }
    ~SourceDC() {
        if (old_) ::SelectObject(dc_, old_);
        if (dc_) ::DeleteDC(dc_);
    }
    SourceDC(const SourceDC&) = delete;
    SourceDC& operator=(const SourceDC&) = delete;

    bool Ready() const { return dc_ && old_; }
    HDC Get() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
    std::optional<Bitmap> copy_;
};

// Monochrome mask of the key colour: 1 where the image is the key (the target stays),
// 0 elsewhere. Rows of a device-dependent monochrome bitmap are word-aligned.
HBITMAP MakeKeyMask(const Bitmap& image, int w, int h, Colour key) {
    const int stride = ((w + 15) / 16) * 2;
    std::vector<std::uint8_t> bits(std::size_t(stride) * std::size_t(h), 0);
    const std::uint8_t kb = std::uint8_t(key >> 16), kg = std::uint8_t(key >> 8), kr = std::uint8_t(key);
    const int n = image.BytesPerPixel();
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* p = image.ScanLine(y);
        std::uint8_t* m = bits.data() + std::size_t(y) * stride;
        for (int x = 0; x < w; ++x, p += n)
            if (p[0] == kb && p[1] == kg && p[2] == kr) m[x >> 3] |= std::uint8_t(0x80 >> (x & 7));
    }
    return ::CreateBitmap(w, h, 1, 1, bits.data());
}

void Blit(HDC dc, int x, int y, const Bitmap& image) {
    if (image.Empty()) return;
    SourceDC src(dc, image);
    if (src.Ready()) ::BitBlt(dc, x, y, image.Width(), image.Height(), src.Get(), 0, 0, SRCCOPY);
}

void BlitTransparent(HDC dc, int x, int y, int w, int h, const Bitmap& image, Colour key) {
    w = std::min(w, image.Width());
    h = std::min(h, image.Height());
    if (w <= 0 || h <= 0) return;
    HBITMAP mask = MakeKeyMask(image, w, h, key & 0xFFFFFF);
    if (!mask) return;
    {
        SourceDC src(dc, image);
        // Mask 1 (key): keep the target (0x00AA0029); mask 0: copy the image.
        if (src.Ready()) ::MaskBlt(dc, x, y, w, h, src.Get(), 0, 0, mask, 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
    }
    ::DeleteObject(mask);
}

void Put(HDC dc, const RECT& rect, const Bitmap& image, bool transparent) {
    if (image.Empty()) return;
    if (transparent) BlitTransparent(dc, rect.left, rect.top, image.Width(), image.Height(), image, KeyColour);
    else Blit(dc, rect.left, rect.top, image);
}

}  // namespace

void DrawElementImage(HDC dc, const RECT& rect, const Bitmap& strip, bool vertical, bool tile, bool transparent,
                      int count, int frame, const Margins& margins) {
    const raster::Rect r = ToRect(rect);
    if (r.Inverted()) return;
    Put(dc, rect, raster::RenderElementImage(r, strip, margins, vertical, tile, count, frame), transparent);
}

void DrawElementBar(HDC dc, const RECT& rect, const Bitmap& strip, bool vertical, bool transparent, int count,
                    int frame, const Margins& margins) {
    const raster::Rect r = ToRect(rect);
    if (r.Inverted()) return;
    Put(dc, rect, raster::RenderElementBar(r, strip, vertical, count, frame, margins), transparent);
}

void DrawStripImage(HDC dc, const RECT& rect, const Bitmap& strip, bool transparent, int count, int frame) {
    const raster::Rect r = ToRect(rect);
    if (r.Inverted()) return;
    Put(dc, rect, raster::RenderStripImage(r, strip, count, frame), transparent);
}

void DrawStripImageCentered(HDC dc, const RECT& rect, const Bitmap& strip, bool transparent, int count, int frame) {
    const raster::Rect cell = raster::StripCell(strip, false, count, frame);
    if (ToRect(rect).Inverted() || cell.Empty()) return;
    const raster::Rect at = raster::CenteredCellRect(ToRect(rect), cell);
    Put(dc, ToRECT(at), raster::CopyPart(strip, cell), transparent);
}

void StretchStripBar(HDC dc, const RECT& rect, const Bitmap& strip, bool vertical, int count, int frame,
                     int leftWidth, int rightWidth) {
    const raster::Rect r = ToRect(rect);
    if (r.Inverted()) return;
    Put(dc, rect, raster::RenderStretchStripBar(r, strip, vertical, count, frame, leftWidth, rightWidth), false);
}

void DrawTransparent(HDC dc, const RECT& rect, const Bitmap& bitmap, Colour key) {
    const raster::Rect r = ToRect(rect);
    if (r.Inverted()) return;
    BlitTransparent(dc, r.left, r.top, r.Width(), r.Height(), bitmap, key);
}

void TileImage(HDC dc, const RECT& target, const Bitmap& bitmap, const RECT& source) {
    const raster::Rect t = ToRect(target), s = ToRect(source);
    if (s.Empty() || t.Empty()) return;
    // Composed once off-screen, so the DC sees a single transfer however many tiles there are.
    Bitmap image(t.Width(), t.Height(), bitmap.Empty() ? raster::PixelFormat::Bgr24 : bitmap.Format());
    raster::Tile(image, raster::BoundsOf(image), bitmap, s);
    Blit(dc, t.left, t.top, image);
}

HRGN RegionFromBitmap(const Bitmap& bitmap, int dx, int dy, int toleranceBlue, int toleranceGreen, int toleranceRed,
                      Colour key) {
    const std::vector<raster::Rect> runs =
        raster::RegionRuns(bitmap, dx, dy, {toleranceBlue, toleranceGreen, toleranceRed}, key);
    HRGN result = ::CreateRectRgn(0, 0, 0, 0);
    if (!result) return nullptr;
    struct Batch {
        RGNDATAHEADER header;
        RECT rects[kRegionBatch];
    };
    static_assert(offsetof(Batch, rects) == sizeof(RGNDATAHEADER), "RGNDATA layout");
    auto batch = std::make_unique<Batch>();
    for (std::size_t start = 0; start < runs.size(); start += kRegionBatch) {
        const std::size_t n = std::min<std::size_t>(kRegionBatch, runs.size() - start);
        RECT bounds{runs[start].left, runs[start].top, runs[start].right, runs[start].bottom};
        for (std::size_t i = 0; i < n; ++i) {
            const raster::Rect& r = runs[start + i];
            batch->rects[i] = {r.left, r.top, r.right, r.bottom};
            bounds.left = std::min<LONG>(bounds.left, r.left);
            bounds.right = std::max<LONG>(bounds.right, r.right);
            bounds.bottom = std::max<LONG>(bounds.bottom, r.bottom);  // rows come top to bottom
        }
        batch->header = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, DWORD(n), DWORD(n * sizeof(RECT)), bounds};
        HRGN part = ::ExtCreateRegion(nullptr, DWORD(sizeof(RGNDATAHEADER) + n * sizeof(RECT)),
                                      reinterpret_cast<const RGNDATA*>(batch.get()));
        if (!part) continue;
        ::CombineRgn(result, result, part, RGN_OR);
        ::DeleteObject(part);
    }
    return result;
}

void PaintParentBackground(HWND control, HDC dc) {
    HWND parent = ::GetParent(control);
    if (!parent || !dc) return;
    RECT placed{};
    ::GetWindowRect(control, &placed);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&placed), 2);
    RECT client{};
    ::GetClientRect(control, &client);
    const int saved = ::SaveDC(dc);
    ::OffsetViewportOrgEx(dc, -placed.left, -placed.top, nullptr);
    ::IntersectClipRect(dc, client.left + placed.left, client.top + placed.top, client.right + placed.left,
                        client.bottom + placed.top);
    ::SendMessageW(parent, WM_ERASEBKGND, WPARAM(dc), 0);
    ::SendMessageW(parent, WM_PAINT, WPARAM(dc), 0);
    ::RestoreDC(dc, saved);
}

}  // namespace skin
