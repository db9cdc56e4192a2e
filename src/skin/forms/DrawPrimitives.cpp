#include "skin/forms/DrawPrimitives.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "raster/Blit.h"
#include "raster/Slices.h"
#include "raster/RegionRuns.h"
#include "framework/Graphics.h"

namespace skin {
namespace {

// Selects a raster bitmap into dc for the scope; false when GDI refuses it (a bitmap that
// another DC holds cannot be selected a second time).
bool SelectBitmap(HDC dc, const Bitmap& bitmap, std::optional<tv::SelectScope>& selected) {
    HBITMAP handle = static_cast<HBITMAP>(bitmap.Handle());
    if (!dc || !handle) return false;
    selected.emplace(dc, handle);
    if (::GetCurrentObject(dc, OBJ_BITMAP) == handle) return true;
    selected.reset();
    return false;
}

// A memory DC with a raster bitmap selected for the scope, or a private copy of it when
// the bitmap is selected elsewhere. Members go in reverse: the bitmap is put back before
// the copy and the DC are freed.
class SourceDC {
public:
    SourceDC(HDC reference, const Bitmap& bitmap) : dc_(::CreateCompatibleDC(reference)) {
        if (!dc_.Get() || SelectBitmap(dc_.Get(), bitmap, selected_)) return;
        copy_.emplace(bitmap.Clone());
        SelectBitmap(dc_.Get(), *copy_, selected_);
    }

    bool Ready() const { return selected_.has_value(); }
    HDC Get() const { return dc_.Get(); }

private:
    tv::OwnedDC dc_;
    std::optional<Bitmap> copy_;
    std::optional<tv::SelectScope> selected_;
};

// Monochrome mask of the key colour: 1 where the image is the key (the target stays),
// 0 elsewhere. Rows of a device-dependent monochrome bitmap are word-aligned.
tv::OwnedBitmap MakeKeyMask(const Bitmap& image, int w, int h, Colour key) {
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
    return tv::OwnedBitmap(::CreateBitmap(w, h, 1, 1, bits.data()));
}

// A 32-bit DIB section kept selected into its own memory DC between calls: a fresh DIB
// section per paint costs an allocation and its page faults every time, and 32 bits per
// pixel, the format of screen surfaces, makes every transfer a plain copy (ten times faster
// than from 24 bits under Wine). It only grows (to the largest visible area painted, about
// a screen at most), so that a frame and a button painted in turn do not reallocate.
// GUI thread only, like all painting.
class Scratch {
public:
    Bitmap& Get(int w, int h) {
        if (bitmap_.Width() < w || bitmap_.Height() < h || !selected_) {
            // The bitmap leaves its DC before it is replaced: GDI will not free a selected one.
            selected_.reset();
            dc_ = tv::OwnedDC();
            bitmap_.SetSize(std::max(w, bitmap_.Width()), std::max(h, bitmap_.Height()), raster::PixelFormat::Bgra32);
            dc_ = tv::OwnedDC(::CreateCompatibleDC(nullptr));
            SelectBitmap(dc_.Get(), bitmap_, selected_);
        }
        return bitmap_;
    }
    HDC dc() const { return selected_ ? dc_.Get() : nullptr; }

private:
    Bitmap bitmap_;
    tv::OwnedDC dc_;
    std::optional<tv::SelectScope> selected_;
};

Scratch& ImageScratch() {
    thread_local Scratch scratch;
    return scratch;
}
Scratch& UnderScratch() {
    thread_local Scratch scratch;
    return scratch;
}

// The image's w x h top-left part onto the DC at (x, y), its key-coloured pixels leaving the
// target as it was. Where the DC can be read back (screen and memory DCs), the target is
// read, composed with the image in memory and written once: exact, a single write and far
// quicker than MaskBlt. Elsewhere MaskBlt with a mask of the key colour.
void BlitTransparent(HDC dc, int x, int y, int w, int h, const Bitmap& image, HDC imageDC, Colour key) {
    w = std::min(w, image.Width());
    h = std::min(h, image.Height());
    if (w <= 0 || h <= 0) return;
    if (::GetDeviceCaps(dc, TECHNOLOGY) == DT_RASDISPLAY) {
        Scratch& under = UnderScratch();
        Bitmap& pixels = under.Get(w, h);
        if (under.dc() && ::BitBlt(under.dc(), 0, 0, w, h, dc, x, y, SRCCOPY)) {
            ::GdiFlush();
            raster::CopyKeyed(pixels, 0, 0, image, {0, 0, w, h}, key);
            ::BitBlt(dc, x, y, w, h, under.dc(), 0, 0, SRCCOPY);
            return;
        }
    }
    detail::MaskedBlit(dc, x, y, w, h, image, imageDC, key);
}

}  // namespace

void detail::MaskedBlit(HDC dc, int x, int y, int w, int h, const Bitmap& image, HDC imageDC, Colour key) {
    w = std::min(w, image.Width());
    h = std::min(h, image.Height());
    if (w <= 0 || h <= 0) return;
    const tv::OwnedBitmap mask(MakeKeyMask(image, w, h, key & 0xFFFFFF));
    if (!mask) return;
    // Mask 1 (key): keep the target (0x00AA0029); mask 0: copy the image.
    if (imageDC) {
        ::MaskBlt(dc, x, y, w, h, imageDC, 0, 0, mask.Get(), 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
    } else {
        SourceDC src(dc, image);
        if (src.Ready()) ::MaskBlt(dc, x, y, w, h, src.Get(), 0, 0, mask.Get(), 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
    }
}

namespace {

// Renders the part of rect that the DC can show into the scratch image, then transfers it.
template <class Render>
void Compose(HDC dc, const RECT& rect, bool transparent, Render render) {
    const raster::Rect r = ToRect(rect);
    if (r.Empty() || !raster::Sane(r)) return;
    RECT clip{};
    if (::GetClipBox(dc, &clip) == NULLREGION) return;
    // A DC without a clip reports its whole surface; either way only this part is drawn.
    const raster::Rect visible = raster::Intersect(r, ToRect(clip));
    if (visible.Empty()) return;
    const int w = visible.Width(), h = visible.Height();
    Scratch& scratch = ImageScratch();
    Bitmap& image = scratch.Get(w, h);
    if (!scratch.dc()) return;
    render(image, r.Offset(-visible.left, -visible.top));
    ::GdiFlush();
    if (transparent) BlitTransparent(dc, visible.left, visible.top, w, h, image, scratch.dc(), KeyColour);
    else ::BitBlt(dc, visible.left, visible.top, w, h, scratch.dc(), 0, 0, SRCCOPY);
}

}  // namespace

void DrawElementImage(HDC dc, const RECT& rect, const Bitmap& strip, bool vertical, bool tile, bool transparent,
                      int count, int frame, const Margins& margins) {
    if (raster::StripCell(strip, vertical, count, frame).Empty()) return;
    Compose(dc, rect, transparent, [&](Bitmap& out, raster::Rect target) {
        raster::RenderElementInto(out, target, strip, margins, vertical, tile, count, frame);
    });
}

void DrawElementBar(HDC dc, const RECT& rect, const Bitmap& strip, bool vertical, bool transparent, int count,
                    int frame, const Margins& margins) {
    if (raster::StripCell(strip, vertical, count, frame).Empty()) return;
    Compose(dc, rect, transparent, [&](Bitmap& out, raster::Rect target) {
        raster::RenderElementBarInto(out, target, strip, vertical, count, frame, margins);
    });
}

void DrawStripImage(HDC dc, const RECT& rect, const Bitmap& strip, bool transparent, int count, int frame) {
    if (raster::StripCell(strip, false, count, frame).Empty()) return;
    Compose(dc, rect, transparent, [&](Bitmap& out, raster::Rect target) {
        raster::RenderStripImageInto(out, target, strip, count, frame);
    });
}

void DrawStripImageCentered(HDC dc, const RECT& rect, const Bitmap& strip, bool transparent, int count, int frame) {
    const raster::Rect cell = raster::StripCell(strip, false, count, frame);
    if (ToRect(rect).Inverted() || !raster::Sane(ToRect(rect)) || cell.Empty()) return;
    const raster::Rect at = raster::CenteredCellRect(ToRect(rect), cell);
    Compose(dc, ToRECT(at), transparent, [&](Bitmap& out, raster::Rect target) {
        raster::Copy(out, target.left, target.top, strip, cell);
    });
}

void StretchStripBar(HDC dc, const RECT& rect, const Bitmap& strip, bool vertical, int count, int frame,
                     int leftWidth, int rightWidth) {
    if (raster::StripCell(strip, vertical, count, frame).Empty()) return;
    Compose(dc, rect, false, [&](Bitmap& out, raster::Rect target) {
        raster::RenderStretchStripBarInto(out, target, strip, vertical, count, frame, leftWidth, rightWidth);
    });
}

void DrawTransparent(HDC dc, const RECT& rect, const Bitmap& bitmap, Colour key) {
    const raster::Rect r = ToRect(rect);
    if (r.Inverted() || !raster::Sane(r)) return;
    BlitTransparent(dc, r.left, r.top, r.Width(), r.Height(), bitmap, nullptr, key);
}

void TileImage(HDC dc, const RECT& target, const Bitmap& bitmap, const RECT& source) {
    const raster::Rect s = ToRect(source);
    if (s.Empty() || raster::Intersect(s, raster::BoundsOf(bitmap)).Empty()) return;
    // Composed once off-screen, so the DC sees a single transfer however many tiles there are.
    Compose(dc, target, false, [&](Bitmap& out, raster::Rect to) {
        raster::Tile(out, to, bitmap, s);
    });
}

tv::OwnedRegion RegionFromBitmap(const Bitmap& bitmap, int dx, int dy, int toleranceBlue, int toleranceGreen,
                                 int toleranceRed, Colour key) {
    const std::vector<raster::Rect> runs =
        raster::RegionRuns(bitmap, dx, dy, {toleranceBlue, toleranceGreen, toleranceRed}, key);
    tv::OwnedRegion result(::CreateRectRgn(0, 0, 0, 0));
    if (!result) return result;
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
        tv::OwnedRegion part(::ExtCreateRegion(nullptr, DWORD(sizeof(RGNDATAHEADER) + n * sizeof(RECT)),
                                               reinterpret_cast<const RGNDATA*>(batch.get())));
        if (part) ::CombineRgn(result.Get(), result.Get(), part.Get(), RGN_OR);
    }
    return result;
}

void detail::PaintParentAt(HWND parent, HDC dc, int left, int top, const RECT& client) {
    if (!parent || !dc) return;
    tv::DCStateScope saved(dc);
    ::OffsetViewportOrgEx(dc, -left, -top, nullptr);
    ::IntersectClipRect(dc, client.left + left, client.top + top, client.right + left, client.bottom + top);
    ::SendMessageW(parent, WM_ERASEBKGND, WPARAM(dc), 0);
    ::SendMessageW(parent, WM_PAINT, WPARAM(dc), 0);
}

void PaintParentBackground(HWND control, HDC dc) {
    // GetParent answers the owner for a top-level window; only a child has a parent to show.
    if (!(::GetWindowLongW(control, GWL_STYLE) & WS_CHILD)) return;
    HWND parent = ::GetParent(control);
    if (!parent) return;
    RECT placed{};
    ::GetWindowRect(control, &placed);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&placed), 2);
    RECT client{};
    ::GetClientRect(control, &client);
    detail::PaintParentAt(parent, dc, placed.left, placed.top, client);
}

}  // namespace skin
