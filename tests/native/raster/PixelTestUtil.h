// Test images whose pixels say where they came from: red = x, green = y, blue = a tag.
#pragma once

#include "raster/Bitmap.h"

namespace testutil {

inline raster::Bitmap CoordinateImage(int w, int h, int tag = 0, raster::PixelFormat f = raster::PixelFormat::Bgr24) {
    raster::Bitmap b(w, h, f);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, raster::Rgb(x, y, tag));
    return b;
}

inline int SrcX(const raster::Bitmap& b, int x, int y) { return raster::RedOf(b.GetPixel(x, y)); }
inline int SrcY(const raster::Bitmap& b, int x, int y) { return raster::GreenOf(b.GetPixel(x, y)); }

}  // namespace testutil
