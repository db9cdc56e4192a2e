// Two-colour gradients, one colour per pixel step.
#pragma once

#include <span>
#include <vector>

#include "raster/Bitmap.h"
#include "raster/Geometry.h"

namespace raster {

// count >= 1 entries from c1 to c2 (explicit RGB colours). One entry is the midpoint; with
// m = count - 1, entry i is c1 + (i * (c2 - c1) + m div 2) div m per channel, the divisions
// truncating toward zero, so a falling channel may stop one short of c2.
std::vector<Color> GradientEntries(int count, Color c1, Color c2);

// Paints bands first..last of a gradient spanning rect: band i is row rect.top + i (vertical)
// or column rect.left + i, entries[i] its colour. Bands are cut to the bitmap and to entries.
void FillGradientBands(Bitmap& bitmap, Rect rect, std::span<const Color> entries, bool vertical, int first, int last);

}  // namespace raster
