// Skin drawing primitives onto device contexts.
//
// Each call composes its image off-screen in one DIB (the portable routines of
// raster/Slices.h do the pixel work) and reaches the DC in one transfer: BitBlt, or MaskBlt
// with a mask of the key colour when transparent, so that the target keeps its pixels
// wherever the image is magenta. Skin numbers are untrusted: a bad frame count or number,
// odd margins or an inverted rectangle draw nothing or what the slicing rules give.
//
// The DC forms take HDC (and HWND); the canvas and control forms in CanvasPrimitives.h wrap them.
#pragma once

#include <windows.h>

#include "framework/Graphics.h"
#include "raster/Bitmap.h"
#include "raster/Geometry.h"
#include "raster/Slices.h"
#include "skin/resources/ImgUtil.h"

namespace skin {

using raster::Margins;
using raster::RenderElementImage;  // (target, strip, margins, vertical, tile, count, frame) -> new bitmap

inline raster::Rect ToRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline RECT ToRECT(const raster::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

// Nine-slice image of the strip's frame over rect.
void DrawElementImage(HDC dc, const RECT& rect, const Bitmap& strip, bool vertical, bool tile, bool transparent,
                      int count, int frame, const Margins& margins);
// Three-slice bar of rect's height (left and right margins only).
void DrawElementBar(HDC dc, const RECT& rect, const Bitmap& strip, bool vertical, bool transparent, int count,
                    int frame, const Margins& margins);
// The frame of a horizontal strip stretched over rect.
void DrawStripImage(HDC dc, const RECT& rect, const Bitmap& strip, bool transparent, int count, int frame);
// The frame at its own size, centred in rect.
void DrawStripImageCentered(HDC dc, const RECT& rect, const Bitmap& strip, bool transparent, int count, int frame);
// Ends of leftWidth/rightWidth and a stretched middle; the whole cell when rect is narrower.
void StretchStripBar(HDC dc, const RECT& rect, const Bitmap& strip, bool vertical, int count, int frame,
                     int leftWidth, int rightWidth);
// The bitmap at rect's top-left, at most rect's size, its key-coloured pixels left out.
void DrawTransparent(HDC dc, const RECT& rect, const Bitmap& bitmap, Colour key = KeyColour);
// The source part repeated over target from its top-left corner.
void TileImage(HDC dc, const RECT& target, const Bitmap& bitmap, const RECT& source);
// The bitmap form of ImgUtil onto a DC: colour1 to colour2 over the whole rect, top to
// bottom when vertical, only the bands inside the DC's clip box painted.
void FillGradient(HDC dc, raster::Rect rect, Colour colour1, Colour colour2, bool vertical);

// The region of every pixel that is not the key colour (within the tolerances, capped at
// 255), shifted by (dx, dy). Rows of runs reach the system in batches of 2000 rectangles.
// The region is empty (not null) when every pixel is the key colour.
[[nodiscard]] tv::OwnedRegion RegionFromBitmap(const Bitmap& bitmap, int dx, int dy, int toleranceBlue,
                                               int toleranceGreen, int toleranceRed, Colour key = KeyColour);
inline constexpr int kRegionBatch = 2000;

namespace detail {
// Transparency by MaskBlt alone, for DCs that cannot be read back (and for tests).
void MaskedBlit(HDC dc, int x, int y, int w, int h, const Bitmap& image, HDC imageDC, Colour key);
// The parent paints into dc with its origin moved to (left, top), clipped to client there.
void PaintParentAt(HWND parent, HDC dc, int left, int top, const RECT& client);
}  // namespace detail

// Has the parent paint its background and content into dc, shifted so that the control's
// client area lines up with it: what a transparent control shows behind itself.
void PaintParentBackground(HWND control, HDC dc);

}  // namespace skin
