// Pixel transfers between raster bitmaps. Every routine clips to both bitmaps, so any
// rectangle, even one built from damaged skin numbers, is safe; 24- and 32-bit bitmaps mix
// freely (a 24-bit source gives alpha 0, as GDI does).
#pragma once

#include "raster/Bitmap.h"
#include "raster/Geometry.h"

namespace raster {

inline Rect BoundsOf(const Bitmap& b) { return {0, 0, b.Width(), b.Height()}; }

// Copies src's part at its own size to (x, y) of dst.
void Copy(Bitmap& dst, int x, int y, const Bitmap& src, Rect part);

// Like Copy, leaving out the source pixels whose colour is key (alpha ignored).
void CopyKeyed(Bitmap& dst, int x, int y, const Bitmap& src, Rect part, Color key = kKeyColor);

// Nearest-neighbour scaling of src's part onto dstRect, as GDI's COLORONCOLOR mode draws:
// destination pixel i takes source pixel floor((i + 0.5) * sourceSize / targetSize).
// A part reaching outside src is first cut to src.
void Stretch(Bitmap& dst, Rect dstRect, const Bitmap& src, Rect part);

// Repeats src's part at its own size over dstRect, starting at dstRect's top-left corner.
void Tile(Bitmap& dst, Rect dstRect, const Bitmap& src, Rect part);

void FillRect(Bitmap& dst, Rect rect, Color color);

// A new bitmap holding src's part (cut to src), in src's pixel format.
Bitmap CopyPart(const Bitmap& src, Rect part);

// Switches the bitmap to the given pixel format in place, keeping its pixels.
void ConvertFormat(Bitmap& bitmap, PixelFormat format);

}  // namespace raster
