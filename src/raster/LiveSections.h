// How many DIB sections the pixel memories hold now (Win32): a count that grows with every
// cycle of some work is a leak of bitmaps.
#pragma once

namespace raster {

long LiveDibSections();

}  // namespace raster
