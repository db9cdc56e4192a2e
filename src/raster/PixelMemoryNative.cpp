#include <cstddef>
#include <cstdlib>

#include "raster/PixelMemory.h"

namespace raster {

PixelMemory::PixelMemory(int width, int height, int bitsPerPixel) {
    if (width <= 0 || height <= 0) return;
    const std::size_t stride = ((std::size_t(width) * std::size_t(bitsPerPixel) + 31) / 32) * 4;
    bits_ = static_cast<std::uint8_t*>(std::calloc(stride * std::size_t(height), 1));
}

void PixelMemory::Release() noexcept {
    std::free(bits_);
    bits_ = nullptr;
}

}  // namespace raster
