// BMP files to and from raster::Bitmap.
//
// Reading accepts 1, 4, 8, 16, 24 and 32 bits per pixel, bottom-up and top-down rows,
// BI_RGB and BI_BITFIELDS. Every header field, palette size, offset and row is checked
// against the buffer first; a damaged file raises BmpError and is never read out of bounds.
// Writing produces a 24-bit bottom-up BI_RGB file.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "base/Error.h"
#include "raster/Bitmap.h"

namespace raster {

class BmpError : public base::Error {
public:
    using base::Error::Error;
};

// Pixels come out as 24 bits, or 32 when the file has an alpha channel.
Bitmap DecodeBmp(std::span<const std::uint8_t> file);

std::vector<std::uint8_t> EncodeBmp24(const Bitmap& bitmap);

}  // namespace raster
