// Whole-bitmap mirror, flip and quarter turns; the pixel format is kept.
#pragma once

#include "raster/Bitmap.h"

namespace raster {

void MirrorHorizontal(Bitmap& bitmap);  // left and right exchanged
void FlipVertical(Bitmap& bitmap);      // top and bottom exchanged
// Quarter turns exchange width and height. Left: the old top-right corner becomes the new
// top-left one. Right: the old top-left corner becomes the new top-right one.
void RotateLeft(Bitmap& bitmap);
void RotateRight(Bitmap& bitmap);

}  // namespace raster
