// The runs of non-key pixels that make a window region.
#pragma once

#include <vector>

#include "raster/Bitmap.h"
#include "raster/Geometry.h"

namespace raster {

// Per-channel tolerance: a pixel is the key colour when each channel lies between the key's
// value and that value plus the tolerance (capped at 255).
struct KeyTolerance {
    int blue = 0, green = 0, red = 0;
};

// One rectangle, one pixel high, per run of other pixels, shifted by (dx, dy); rows top to
// bottom, runs left to right; offsets are clamped to +-kMaxCoordinate. The bitmap is read,
// not changed.
std::vector<Rect> RegionRuns(const Bitmap& bitmap, int dx, int dy, KeyTolerance tolerance = {}, Color key = kKeyColor);

}  // namespace raster
