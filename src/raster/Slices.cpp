#include "raster/Slices.h"

#include <algorithm>
#include <cstdint>

#include "raster/Blit.h"

namespace raster {
namespace {

Bitmap NewImage(Rect target, const Bitmap& strip) {
    return Bitmap(target.Width(), target.Height(), strip.Empty() ? PixelFormat::Bgr24 : strip.Format());
}

// Renders only the part of rect that lands on the target, off-screen, then copies it over
// (key colour left out when transparent): a huge rectangle costs no more than the target.
template <class RenderInto>
void DrawVisible(Bitmap& target, Rect rect, const Bitmap& strip, bool transparent, RenderInto render) {
    const Rect visible = Intersect(rect, BoundsOf(target));
    if (visible.Empty() || !Sane(rect)) return;
    Bitmap image = NewImage(visible, strip);
    render(image, rect.Offset(-visible.left, -visible.top));
    if (transparent) CopyKeyed(target, visible.left, visible.top, image, BoundsOf(image));
    else Copy(target, visible.left, visible.top, image, BoundsOf(image));
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
    if (target.Empty() || !Sane(target) || cell.Empty()) return;
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
    if (target.Empty() || !Sane(target) || StripCell(strip, vertical, count, frame).Empty()) return {};
    Bitmap out = NewImage(target, strip);
    RenderElementInto(out, BoundsOf(out), strip, margins, vertical, tile, count, frame);
    return out;
}

void DrawElementImage(Bitmap& target, Rect rect, const Bitmap& strip, bool vertical, bool tile, bool transparent,
                      int count, int frame, Margins margins) {
    if (StripCell(strip, vertical, count, frame).Empty()) return;
    DrawVisible(target, rect, strip, transparent, [&](Bitmap& out, Rect to) {
        RenderElementInto(out, to, strip, margins, vertical, tile, count, frame);
    });
}

void RenderElementBarInto(Bitmap& out, Rect target, const Bitmap& strip, bool vertical, int count, int frame,
                          Margins margins) {
    const Rect cell = StripCell(strip, vertical, count, frame);
    if (target.Empty() || !Sane(target) || cell.Empty()) return;
    const int cw = cell.Width(), ch = cell.Height(), w = target.Width(), h = target.Height();
    const int x0 = target.left, y0 = target.top;
    // Each end stays within the cell but keeps its own width; ends that overlap leave no middle.
    const int l = std::clamp(margins.left, 0, cw), r = std::clamp(margins.right, 0, cw);
    const int mid = cw - l - r;
    if (mid <= 0) FillRect(out, target, 0);  // nothing repeated in between: black, as a fresh image
    if (l > 0) Stretch(out, RectOfSize(x0, y0, l, h), strip, RectOfSize(cell.left, cell.top, l, ch));
    // The middle is stretched to the height once, then repeated at its own width; only the
    // rows that land in out are made.
    const int rowsFrom = std::max(y0, 0), rowsTo = std::min(y0 + h, out.Height());
    if (mid > 0 && w - r > l && rowsTo > rowsFrom) {
        Bitmap piece(mid, rowsTo - rowsFrom, out.Format());
        Stretch(piece, RectOfSize(0, y0 - rowsFrom, mid, h), strip, RectOfSize(cell.left + l, cell.top, mid, ch));
        Tile(out, {x0 + l, rowsFrom, x0 + w - r, rowsTo}, piece, BoundsOf(piece));
    }
    if (r > 0) Stretch(out, RectOfSize(x0 + w - r, y0, r, h), strip, RectOfSize(cell.right - r, cell.top, r, ch));
}

Bitmap RenderElementBar(Rect target, const Bitmap& strip, bool vertical, int count, int frame, Margins margins) {
    if (target.Empty() || !Sane(target) || StripCell(strip, vertical, count, frame).Empty()) return {};
    Bitmap out = NewImage(target, strip);
    RenderElementBarInto(out, BoundsOf(out), strip, vertical, count, frame, margins);
    return out;
}

void DrawElementBar(Bitmap& target, Rect rect, const Bitmap& strip, bool vertical, bool transparent, int count,
                    int frame, Margins margins) {
    if (StripCell(strip, vertical, count, frame).Empty()) return;
    DrawVisible(target, rect, strip, transparent, [&](Bitmap& out, Rect to) {
        RenderElementBarInto(out, to, strip, vertical, count, frame, margins);
    });
}

void RenderStripImageInto(Bitmap& out, Rect target, const Bitmap& strip, int count, int frame) {
    const Rect cell = StripCell(strip, false, count, frame);
    if (target.Empty() || !Sane(target) || cell.Empty()) return;
    Stretch(out, target, strip, cell);
}

Bitmap RenderStripImage(Rect target, const Bitmap& strip, int count, int frame) {
    if (target.Empty() || !Sane(target) || StripCell(strip, false, count, frame).Empty()) return {};
    Bitmap out = NewImage(target, strip);
    RenderStripImageInto(out, BoundsOf(out), strip, count, frame);
    return out;
}

void DrawStripImage(Bitmap& target, Rect rect, const Bitmap& strip, bool transparent, int count, int frame) {
    if (StripCell(strip, false, count, frame).Empty()) return;
    DrawVisible(target, rect, strip, transparent,
                [&](Bitmap& out, Rect to) { RenderStripImageInto(out, to, strip, count, frame); });
}

Rect CenteredCellRect(Rect rect, Rect cell) {
    return RectOfSize(rect.left + (rect.Width() - cell.Width()) / 2, rect.top + (rect.Height() - cell.Height()) / 2,
                      cell.Width(), cell.Height());
}

void DrawStripImageCentered(Bitmap& target, Rect rect, const Bitmap& strip, bool transparent, int count, int frame) {
    const Rect cell = StripCell(strip, false, count, frame);
    if (rect.Inverted() || !Sane(rect) || cell.Empty()) return;
    const Rect at = CenteredCellRect(rect, cell);
    if (transparent) CopyKeyed(target, at.left, at.top, strip, cell);
    else Copy(target, at.left, at.top, strip, cell);
}

void RenderStretchStripBarInto(Bitmap& out, Rect target, const Bitmap& strip, bool vertical, int count, int frame,
                               int leftWidth, int rightWidth) {
    const Rect cell = StripCell(strip, vertical, count, frame);
    if (target.Empty() || !Sane(target) || cell.Empty()) return;
    const int cw = cell.Width(), ch = cell.Height(), w = target.Width(), h = target.Height();
    const int x0 = target.left, y0 = target.top;
    if (w < cw) {
        Stretch(out, target, strip, cell);
        return;
    }
    const int l = std::clamp(leftWidth, 0, cw), r = std::clamp(rightWidth, 0, cw);
    if (cw - l - r <= 0) FillRect(out, target, 0);
    else Stretch(out, {x0 + l, y0, x0 + w - r, y0 + h}, strip, {cell.left + l, cell.top, cell.right - r, cell.bottom});
    if (l > 0) Stretch(out, RectOfSize(x0, y0, l, h), strip, RectOfSize(cell.left, cell.top, l, ch));
    if (r > 0) Stretch(out, RectOfSize(x0 + w - r, y0, r, h), strip, RectOfSize(cell.right - r, cell.top, r, ch));
}

Bitmap RenderStretchStripBar(Rect target, const Bitmap& strip, bool vertical, int count, int frame, int leftWidth,
                             int rightWidth) {
    if (target.Empty() || !Sane(target) || StripCell(strip, vertical, count, frame).Empty()) return {};
    Bitmap out = NewImage(target, strip);
    RenderStretchStripBarInto(out, BoundsOf(out), strip, vertical, count, frame, leftWidth, rightWidth);
    return out;
}

void StretchStripBar(Bitmap& target, Rect rect, const Bitmap& strip, bool vertical, int count, int frame,
                     int leftWidth, int rightWidth) {
    if (StripCell(strip, vertical, count, frame).Empty()) return;
    DrawVisible(target, rect, strip, false, [&](Bitmap& out, Rect to) {
        RenderStretchStripBarInto(out, to, strip, vertical, count, frame, leftWidth, rightWidth);
    });
}

void DrawTransparent(Bitmap& target, Rect rect, const Bitmap& image, Color key) {
    if (rect.Inverted() || !Sane(rect)) return;
    CopyKeyed(target, rect.left, rect.top, image,
              {0, 0, std::min(rect.Width(), image.Width()), std::min(rect.Height(), image.Height())}, key);
}

void TileImage(Bitmap& target, Rect targetRect, const Bitmap& image, Rect source) {
    if (source.Empty() || targetRect.Empty()) return;
    Tile(target, targetRect, image, source);
}

}  // namespace raster
