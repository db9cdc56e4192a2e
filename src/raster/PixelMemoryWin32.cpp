#include <windows.h>

#include <utility>

#include "base/Handles.h"
#include "raster/PixelMemory.h"

namespace raster {

PixelMemory::PixelMemory(int width, int height, int bitsPerPixel) {
    if (width <= 0 || height <= 0) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(bitsPerPixel);
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return;
    bits_ = static_cast<std::uint8_t*>(bits);  // DIB sections start zeroed
    handle_ = bitmap;
}

void PixelMemory::Release() noexcept {
    // Taken over by the owner type at the last moment: the header stays free of windows.h.
    const base::OwnedGdiObject<HBITMAP> section(static_cast<HBITMAP>(std::exchange(handle_, nullptr)));
    bits_ = nullptr;
}

}  // namespace raster
