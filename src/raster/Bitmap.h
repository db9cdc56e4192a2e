// Portable pixels: 24- or 32-bit BGR(A), rows top-down, each row 4-byte aligned.
// On Windows the memory is a DIB section, so Handle() is an HBITMAP over the
// very same scan lines.
#pragma once

#include <cstddef>
#include <cstdint>

#include "raster/PixelMemory.h"

namespace raster {

enum class PixelFormat { Bgr24 = 24, Bgra32 = 32 };

// Colours are COLORREF-like: red in bits 0-7, green 8-15, blue 16-23 (alpha 24-31 for 32 bpp).
using Color = std::uint32_t;
inline constexpr Color kKeyColor = 0xFF00FF;

constexpr Color Rgb(int r, int g, int b) { return Color(r & 0xFF) | Color(g & 0xFF) << 8 | Color(b & 0xFF) << 16; }
constexpr int RedOf(Color c) { return int(c & 0xFF); }
constexpr int GreenOf(Color c) { return int((c >> 8) & 0xFF); }
constexpr int BlueOf(Color c) { return int((c >> 16) & 0xFF); }

class Bitmap {
public:
    Bitmap() = default;
    Bitmap(int width, int height, PixelFormat format = PixelFormat::Bgr24);
    ~Bitmap();

    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;

    Bitmap Clone() const;

    // Reallocates; the new pixels are black (zero).
    void SetSize(int width, int height, PixelFormat format);
    void SetSize(int width, int height) { SetSize(width, height, format_); }
    void Clear();

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    PixelFormat Format() const { return format_; }
    int BytesPerPixel() const { return format_ == PixelFormat::Bgra32 ? 4 : 3; }
    std::size_t Stride() const { return stride_; }

    std::uint8_t* ScanLine(int y) { return memory_.Bits() + std::size_t(y) * stride_; }
    const std::uint8_t* ScanLine(int y) const { return memory_.Bits() + std::size_t(y) * stride_; }
    std::uint8_t* Bits() { return memory_.Bits(); }
    const std::uint8_t* Bits() const { return memory_.Bits(); }

    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    // Out-of-range reads give 0 and writes are ignored.
    Color GetPixel(int x, int y) const;
    void SetPixel(int x, int y, Color color);
    void Fill(Color color);

    // HBITMAP of the DIB section on Windows; null in the native build.
    void* Handle() const { return memory_.Handle(); }

private:
    int width_ = 0;
    int height_ = 0;
    PixelFormat format_ = PixelFormat::Bgr24;
    std::size_t stride_ = 0;
    PixelMemory memory_;
};

}  // namespace raster
