// Skin element images: frames cut from a strip, nine-slice and three-slice composition.
//
// A strip holds `count` equal frames side by side (or stacked when vertical); frames count
// from 1. Every number here may come from a damaged skin: a count below 1, a frame out of
// range, negative or oversized margins and inverted rectangles draw nothing or are clamped
// to the cell, never read outside a bitmap and never divide by zero.
//
// The Draw* forms compose off-screen and then copy the result onto a target bitmap, the
// key colour left out when transparent; the Windows forms in skin/forms do the same onto a DC.
#pragma once

#include "raster/Bitmap.h"
#include "raster/Geometry.h"

namespace raster {

// The cell of one frame; empty when the count or frame is out of range or the strip too small.
Rect StripCell(const Bitmap& strip, bool vertical, int count, int frame);

// Nine-slice image of the target's size (empty bitmap for an empty or inverted target).
// Margins that do not fit the target or the cell are dropped in pairs (left with right, top
// with bottom), negative ones count as 0;
// corners are copied, edges stretched along their length, the centre stretched or tiled.
Bitmap RenderElementImage(Rect target, const Bitmap& strip, Margins margins, bool vertical, bool tile, int count,
                          int frame);
// The *Into forms compose straight into `out` at `target` (clipped to out), every pixel of
// the target rectangle written (black where no slice lands), so a scratch bitmap can be reused.
void RenderElementInto(Bitmap& out, Rect target, const Bitmap& strip, Margins margins, bool vertical, bool tile,
                       int count, int frame);
void DrawElementImage(Bitmap& target, Rect rect, const Bitmap& strip, bool vertical, bool tile, bool transparent,
                      int count, int frame, Margins margins);

// Three-slice bar: the cell's left margin columns and right margin columns stretched to the
// height at both ends, its middle repeated at its own width in between.
Bitmap RenderElementBar(Rect target, const Bitmap& strip, bool vertical, int count, int frame, Margins margins);
void RenderElementBarInto(Bitmap& out, Rect target, const Bitmap& strip, bool vertical, int count, int frame,
                          Margins margins);
void DrawElementBar(Bitmap& target, Rect rect, const Bitmap& strip, bool vertical, bool transparent, int count,
                    int frame, Margins margins);

// The cell of a horizontal strip stretched over the rectangle.
Bitmap RenderStripImage(Rect target, const Bitmap& strip, int count, int frame);
void RenderStripImageInto(Bitmap& out, Rect target, const Bitmap& strip, int count, int frame);
void DrawStripImage(Bitmap& target, Rect rect, const Bitmap& strip, bool transparent, int count, int frame);
// The cell at its own size, centred (offsets are the size differences halved toward zero).
Rect CenteredCellRect(Rect rect, Rect cell);
void DrawStripImageCentered(Bitmap& target, Rect rect, const Bitmap& strip, bool transparent, int count, int frame);

// Ends of leftWidth and rightWidth stretched to the height, the middle stretched over the
// rest; a rectangle narrower than the cell gets the whole cell stretched over it.
Bitmap RenderStretchStripBar(Rect target, const Bitmap& strip, bool vertical, int count, int frame, int leftWidth,
                             int rightWidth);
void RenderStretchStripBarInto(Bitmap& out, Rect target, const Bitmap& strip, bool vertical, int count, int frame,
                               int leftWidth, int rightWidth);
void StretchStripBar(Bitmap& target, Rect rect, const Bitmap& strip, bool vertical, int count, int frame,
                     int leftWidth, int rightWidth);

// The image at its own size at the rectangle's top-left corner (cut to the rectangle),
// pixels of the key colour left out. Nothing for an inverted rectangle.
void DrawTransparent(Bitmap& target, Rect rect, const Bitmap& image, Color key = kKeyColor);

// The source part repeated over the target rectangle from its top-left corner; nothing
// when the part is empty or inverted.
void TileImage(Bitmap& target, Rect targetRect, const Bitmap& image, Rect source);

}  // namespace raster
