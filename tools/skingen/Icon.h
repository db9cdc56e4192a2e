// The program icon, drawn like the skins: a rounded blue square holding a white window with a
// blue inside, and the dashed outline of a second window, the one it hides.
#pragma once

#include <cstdint>
#include <vector>

#include "raster/Bitmap.h"

namespace skingen {

// 32-bit with straight alpha: the rounded corners fade out, the rest is opaque.
raster::Bitmap DrawProgramIcon(int size);

// The sizes Tovalin.exe carries: the small and large system icons and Explorer's tiles.
inline constexpr int kProgramIconSizes[] = {16, 32, 48};

// An .ico file holding the images in the order given, each as a 32-bit BMP entry with its
// AND mask (set where alpha is zero) for readers that ignore alpha. Images of any other
// format are taken as opaque. Throws std::invalid_argument for no images or a side outside 1..256.
std::vector<std::uint8_t> EncodeIco(const std::vector<raster::Bitmap>& images);

}  // namespace skingen
