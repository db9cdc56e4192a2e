#include "raster/Bitmap.h"

#include <cstring>
#include <new>
#include <utility>

namespace raster {

Bitmap::Bitmap(int width, int height, PixelFormat format) { SetSize(width, height, format); }

Bitmap::~Bitmap() = default;

Bitmap::Bitmap(Bitmap&& other) noexcept
    : width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      format_(other.format_),
      stride_(std::exchange(other.stride_, 0)),
      memory_(std::move(other.memory_)) {}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this != &other) {
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        format_ = other.format_;
        stride_ = std::exchange(other.stride_, 0);
        memory_ = std::move(other.memory_);
    }
    return *this;
}

Bitmap Bitmap::Clone() const {
    Bitmap copy(width_, height_, format_);
    if (!Empty()) std::memcpy(copy.memory_.Bits(), memory_.Bits(), stride_ * std::size_t(height_));
    return copy;
}

void Bitmap::SetSize(int width, int height, PixelFormat format) {
    memory_ = PixelMemory();
    width_ = height_ = 0;
    stride_ = 0;
    format_ = format;
    if (width <= 0 || height <= 0) return;
    memory_ = PixelMemory(width, height, int(format));
    if (!memory_.Bits()) throw std::bad_alloc();
    width_ = width;
    height_ = height;
    stride_ = ((std::size_t(width) * int(format) + 31) / 32) * 4;
}

void Bitmap::Clear() { SetSize(0, 0, format_); }

Color Bitmap::GetPixel(int x, int y) const {
    if (!Contains(x, y)) return 0;
    const std::uint8_t* p = ScanLine(y) + std::size_t(x) * BytesPerPixel();
    Color c = Color(p[2]) | Color(p[1]) << 8 | Color(p[0]) << 16;
    if (format_ == PixelFormat::Bgra32) c |= Color(p[3]) << 24;
    return c;
}

void Bitmap::SetPixel(int x, int y, Color color) {
    if (!Contains(x, y)) return;
    std::uint8_t* p = ScanLine(y) + std::size_t(x) * BytesPerPixel();
    p[0] = std::uint8_t(color >> 16);
    p[1] = std::uint8_t(color >> 8);
    p[2] = std::uint8_t(color);
    if (format_ == PixelFormat::Bgra32) p[3] = std::uint8_t(color >> 24);
}

void Bitmap::Fill(Color color) {
    if (Empty()) return;
    for (int x = 0; x < width_; ++x) SetPixel(x, 0, color);
    for (int y = 1; y < height_; ++y) std::memcpy(ScanLine(y), ScanLine(0), stride_);
}

}  // namespace raster
