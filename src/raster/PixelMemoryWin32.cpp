#include <windows.h>

#include <atomic>
#include <utility>

#include "base/Handles.h"
#include "raster/LiveSections.h"
#include "raster/PixelMemory.h"

namespace raster {

namespace {
std::atomic<long> liveSections{0};
}  // namespace

long LiveDibSections() { return liveSections.load(); }

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
    ++liveSections;
}

void PixelMemory::Release() noexcept {
    // Taken over by the owner type at the last moment: the header stays free of windows.h.
    if (handle_) --liveSections;
    const base::OwnedGdiObject<HBITMAP> section(static_cast<HBITMAP>(std::exchange(handle_, nullptr)));
    bits_ = nullptr;
}

}  // namespace raster
