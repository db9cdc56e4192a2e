// Pixel memory for raster::Bitmap: zeroed, rows 4-byte aligned, top-down. On Windows it is
// a DIB section, so GDI draws the very same scan lines through Handle().
#pragma once

#include <cstdint>
#include <utility>

namespace raster {

// Owns its memory and releases it once.
class PixelMemory {
public:
    PixelMemory() = default;
    // Empty (null Bits) when a side is not positive or the system has no memory for it.
    PixelMemory(int width, int height, int bitsPerPixel);
    ~PixelMemory() { Release(); }

    PixelMemory(PixelMemory&& other) noexcept
        : bits_(std::exchange(other.bits_, nullptr)), handle_(std::exchange(other.handle_, nullptr)) {}
    PixelMemory& operator=(PixelMemory&& other) noexcept {
        if (this != &other) {
            Release();
            bits_ = std::exchange(other.bits_, nullptr);
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    PixelMemory(const PixelMemory&) = delete;
    PixelMemory& operator=(const PixelMemory&) = delete;

    std::uint8_t* Bits() const { return bits_; }
    // The DIB section's HBITMAP on Windows; null in the native build.
    void* Handle() const { return handle_; }

private:
    void Release() noexcept;
    std::uint8_t* bits_ = nullptr;
    void* handle_ = nullptr;
};

}  // namespace raster
