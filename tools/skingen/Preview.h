// A mock-up of a skinned window, composed from a skin's own description and images the
// way the engine reads them, so a reviewer sees the parts together rather than one by one.
#pragma once

#include "Skin.h"

namespace skingen {

// Throws std::runtime_error when the description names something the skin does not hold.
raster::Bitmap Preview(const Skin& skin);

}  // namespace skingen
