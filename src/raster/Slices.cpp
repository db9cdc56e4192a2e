#include "raster/Slices.h"

#include <algorithm>
#include <cstdint>

#include "raster/Blit.h"

namespace raster {
namespace {

Bitmap NewImage(Rect target, const Bitmap& strip) {
    return Bitmap(target.Width(), target.Height(), strip.Empty() ? PixelFormat::Bgr24 : strip.Format());
}

void Put(Bitmap& target, Rect rect, const Bitmap& image, bool transparent) {
    if (transparent) CopyKeyed(target, rect.left, rect.top, image, BoundsOf(image));
    else Copy(target, rect.left, rect.top, image, BoundsOf(image));
}

}  // namespace

Rect StripCell(const Bitmap& strip, bool vertical, int count, int frame) {
    if (count < 1 || frame < 1 || frame > count || strip.Empty()) return {};
    if (vertical) {
        const int h = strip.Height() / count;
        if (h <= 0) return {};
        return {0, (frame - 1) * h, strip.Width(), frame * h};
    }
    const int w = strip.Width() / count;
    if (w <= 0) return {};
    return {(frame - 1) * w, 0, frame * w, strip.Height()};
}

void RenderElementInto(Bitmap& out, Rect target, const Bitmap& strip, Margins margins, bool vertical, bool tile,
                       int count, int frame) {
    const Rect cell = StripCell(strip, vertical, count, frame);
    if (target.Empty() || cell.Empty()) return;
    const int cw = cell.Width(), ch = cell.Height(), w = target.Width(), h = target.Height();
    // Margins that do not fit the cell are dropped like those that do not fit the target,
    // so that no slice reaches into the next frame.
    int l = std::max(margins.left, 0), r = std::max(margins.right, 0);
    int t = std::max(margins.top, 0), b = std::max(margins.bottom, 0);
    if (std::int64_t(l) + r > std::min(w, cw)) l = r = 0;
    if (std::int64_t(t) + b > std::min(h, ch)) t = b = 0;

    const int x0 = target.left, y0 = target.top;
    const int midW0 = cw - l - r, midH0 = ch - t - b;
    if (midW0 <= 0 || midH0 <= 0) FillRect(out, target, 0);  // some slices stay empty: black, as a fresh image
    auto from = [&](int x, int y, int pw, int ph) { return RectOfSize(cell.left + x, cell.top + y, pw, ph); };
    auto to = [&](int x, int y, int pw, int ph) { return RectOfSize(x0 + x, y0 + y, pw, ph); };
    const int midW = cw - l - r, midH = ch - t - b;

    if (l > 0 && t > 0) Copy(out, x0, y0, strip, from(0, 0, l, t));
    if (r > 0 && t > 0) Copy(out, x0 + w - r, y0, strip, from(cw - r, 0, r, t));
    if (l > 0 && b > 0) Copy(out, x0, y0 + h - b, strip, from(0, ch - b, l, b));
    if (r > 0 && b > 0) Copy(out, x0 + w - r, y0 + h - b, strip, from(cw - r, ch - b, r, b));
    if (l > 0) Stretch(out, to(0, t, l, h - t - b), strip, from(0, t, l, midH));
    if (r > 0) Stretch(out, to(w - r, t, r, h - t - b), strip, from(cw - r, t, r, midH));
    if (t > 0) Stretch(out, to(l, 0, w - l - r, t), strip, from(l, 0, midW, t));
    if (b > 0) Stretch(out, to(l, h - b, w - l - r, b), strip, from(l, ch - b, midW, b));
    if (tile) Tile(out, to(l, t, w - l - r, h - t - b), strip, from(l, t, midW, midH));
    else Stretch(out, to(l, t, w - l - r, h - t - b), strip, from(l, t, midW, midH));
}

Bitmap RenderElementImage(Rect target, const Bitmap& strip, Margins margins, bool vertical, bool tile, int count,
                          int frame) {
    if (target.Empty() || StripCell(strip, vertical, count, frame).Empty()) return {};
    Bitmap out = NewImage(target, strip);
    RenderElementInto(out, BoundsOf(out), strip, margins, vertical, tile, count, frame);
    return out;
}

void DrawElementImage(Bitmap& target, Rect rect, const Bitmap& strip, bool vertical, bool tile, bool transparent,
                      int count, int frame, Margins margins) {
    const Bitmap image = RenderElementImage(rect, strip, margins, vertical, tile, count, frame);
    if (!image.Empty()) Put(target, rect, image, transparent);
}

void RenderElementBarInto(Bitmap& out, Rect target, const Bitmap& strip, bool vertical, int count, int frame,
                          Margins margins) {
    const Rect cell = StripCell(strip, vertical, count, frame);
    if (target.Empty() || cell.Empty()) return;
    const int cw = cell.Width(), ch = cell.Height(), w = target.Width(), h = target.Height();
    const int x0 = target.left, y0 = target.top;
    const int l = std::clamp(margins.left, 0, cw), r = std::clamp(margins.right, 0, cw - l);
    const int mid = cw - l - r;
    if (mid <= 0) FillRect(out, target, 0);  // nothing repeated in between: black, as a fresh image
    if (l > 0) Stretch(out, RectOfSize(x0, y0, l, h), strip, RectOfSize(cell.left, cell.top, l, ch));
    if (mid > 0 && w - r > l) {
        // The middle is stretched to the height once, then repeated at its own width.
        Bitmap piece(mid, h, out.Format());
        Stretch(piece, BoundsOf(piece), strip, RectOfSize(cell.left + l, cell.top, mid, ch));
        Tile(out, {x0 + l, y0, x0 + w - r, y0 + h}, piece, BoundsOf(piece));
    }
    if (r > 0) Stretch(out, RectOfSize(x0 + w - r, y0, r, h), strip, RectOfSize(cell.right - r, cell.top, r, ch));
}

Bitmap RenderElementBar(Rect target, const Bitmap& strip, bool vertical, int count, int frame, Margins margins) {
    if (target.Empty() || StripCell(strip, vertical, count, frame).Empty()) return {};
    Bitmap out = NewImage(target, strip);
    RenderElementBarInto(out, BoundsOf(out), strip, vertical, count, frame, margins);
    return out;
}

void DrawElementBar(Bitmap& target, Rect rect, const Bitmap& strip, bool vertical, bool transparent, int count,
                    int frame, Margins margins) {
    const Bitmap image = RenderElementBar(rect, strip, vertical, count, frame, margins);
    if (!image.Empty()) Put(target, rect, image, transparent);
}

void RenderStripImageInto(Bitmap& out, Rect target, const Bitmap& strip, int count, int frame) {
    const Rect cell = StripCell(strip, false, count, frame);
    if (target.Empty() || cell.Empty()) return;
    Stretch(out, target, strip, cell);
}

Bitmap RenderStripImage(Rect target, const Bitmap& strip, int count, int frame) {
    if (target.Empty() || StripCell(strip, false, count, frame).Empty()) return {};
    Bitmap out = NewImage(target, strip);
    RenderStripImageInto(out, BoundsOf(out), strip, count, frame);
    return out;
}

void DrawStripImage(Bitmap& target, Rect rect, const Bitmap& strip, bool transparent, int count, int frame) {
    const Bitmap image = RenderStripImage(rect, strip, count, frame);
    if (!image.Empty()) Put(target, rect, image, transparent);
}

Rect CenteredCellRect(Rect rect, Rect cell) {
    return RectOfSize(rect.left + (rect.Width() - cell.Width()) / 2, rect.top + (rect.Height() - cell.Height()) / 2,
                      cell.Width(), cell.Height());
}

void DrawStripImageCentered(Bitmap& target, Rect rect, const Bitmap& strip, bool transparent, int count, int frame) {
    const Rect cell = StripCell(strip, false, count, frame);
    if (rect.Inverted() || cell.Empty()) return;
    const Rect at = CenteredCellRect(rect, cell);
    if (transparent) CopyKeyed(target, at.left, at.top, strip, cell);
    else Copy(target, at.left, at.top, strip, cell);
}

void RenderStretchStripBarInto(Bitmap& out, Rect target, const Bitmap& strip, bool vertical, int count, int frame,
                               int leftWidth, int rightWidth) {
    const Rect cell = StripCell(strip, vertical, count, frame);
    if (target.Empty() || cell.Empty()) return;
    const int cw = cell.Width(), ch = cell.Height(), w = target.Width(), h = target.Height();
    const int x0 = target.left, y0 = target.top;
    if (w < cw) {
        Stretch(out, target, strip, cell);
        return;
    }
    const int l = std::clamp(leftWidth, 0, cw), r = std::clamp(rightWidth, 0, cw - l);
    if (cw - l - r <= 0) FillRect(out, target, 0);
    if (l > 0) Stretch(out, RectOfSize(x0, y0, l, h), strip, RectOfSize(cell.left, cell.top, l, ch));
    if (r > 0) Stretch(out, RectOfSize(x0 + w - r, y0, r, h), strip, RectOfSize(cell.right - r, cell.top, r, ch));
    Stretch(out, {x0 + l, y0, x0 + w - r, y0 + h}, strip, {cell.left + l, cell.top, cell.right - r, cell.bottom});
}

Bitmap RenderStretchStripBar(Rect target, const Bitmap& strip, bool vertical, int count, int frame, int leftWidth,
                             int rightWidth) {
    if (target.Empty() || StripCell(strip, vertical, count, frame).Empty()) return {};
    Bitmap out = NewImage(target, strip);
    RenderStretchStripBarInto(out, BoundsOf(out), strip, vertical, count, frame, leftWidth, rightWidth);
    return out;
}

void StretchStripBar(Bitmap& target, Rect rect, const Bitmap& strip, bool vertical, int count, int frame,
                     int leftWidth, int rightWidth) {
    const Bitmap image = RenderStretchStripBar(rect, strip, vertical, count, frame, leftWidth, rightWidth);
    if (!image.Empty()) Copy(target, rect.left, rect.top, image, BoundsOf(image));
}

void DrawTransparent(Bitmap& target, Rect rect, const Bitmap& image, Color key) {
    if (rect.Inverted()) return;
    CopyKeyed(target, rect.left, rect.top, image,
              {0, 0, std::min(rect.Width(), image.Width()), std::min(rect.Height(), image.Height())}, key);
}

void TileImage(Bitmap& target, Rect targetRect, const Bitmap& image, Rect source) {
    if (source.Empty() || targetRect.Empty()) return;
    Tile(target, targetRect, image, source);
}

}  // namespace raster
