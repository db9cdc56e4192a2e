// Skin numbers are untrusted: any frame count, frame, margins and rectangles must stay
// inside the bitmaps (ASan watches) and never divide by zero (UBSan watches).
#include <cstring>

#include "raster/Blit.h"
#include "raster/RegionRuns.h"
#include "raster/Slices.h"

namespace {
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    int Int(int lo, int hi) {  // a value in [lo, hi], extremes included
        std::uint16_t v = 0;
        if (pos_ + 2 <= size_) std::memcpy(&v, data_ + pos_, 2);
        pos_ += 2;
        return lo + int(v % unsigned(hi - lo + 1));
    }
    int Wild() {  // anything a damaged skin could hold, extremes likely
        static const int kEdges[] = {0, 1, -1, 2, 3, 255, 256, 1 << 20, -(1 << 20), 0x7FFFFFFF, int(0x80000000u)};
        const int pick = Int(0, 31);
        return pick < 11 ? kEdges[pick] : Int(-40, 120);
    }

private:
    const std::uint8_t* data_;
    std::size_t size_, pos_ = 0;
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    using namespace raster;
    Bitmap strip(in.Int(0, 64), in.Int(0, 40), in.Int(0, 1) ? PixelFormat::Bgra32 : PixelFormat::Bgr24);
    for (int y = 0; y < strip.Height(); ++y)
        for (int x = 0; x < strip.Width(); ++x) strip.SetPixel(x, y, in.Int(0, 3) == 0 ? kKeyColor : Rgb(x, y, 7));
    const int count = in.Wild(), frame = in.Wild();
    const Margins m{in.Wild(), in.Wild(), in.Wild(), in.Wild()};
    const bool vertical = in.Int(0, 1), tile = in.Int(0, 1), transparent = in.Int(0, 1);
    const bool wild = in.Int(0, 7) == 0;  // now and then a rectangle from damaged numbers
    const Rect rect = wild ? Rect{in.Wild(), in.Wild(), in.Wild(), in.Wild()}
                           : Rect{in.Int(-50, 150), in.Int(-50, 150), in.Int(-50, 150), in.Int(-50, 150)};
    const Rect source{in.Wild(), in.Wild(), in.Wild(), in.Wild()};

    Bitmap target(in.Int(0, 100), in.Int(0, 100), in.Int(0, 1) ? PixelFormat::Bgra32 : PixelFormat::Bgr24);
    DrawElementImage(target, rect, strip, vertical, tile, transparent, count, frame, m);
    DrawElementBar(target, rect, strip, vertical, transparent, count, frame, m);
    DrawStripImage(target, rect, strip, transparent, count, frame);
    DrawStripImageCentered(target, rect, strip, transparent, count, frame);
    StretchStripBar(target, rect, strip, vertical, count, frame, m.left, m.right);
    DrawTransparent(target, rect, strip);
    TileImage(target, rect, strip, source);
    Stretch(target, rect, strip, source);
    RenderElementInto(target, rect, strip, m, vertical, tile, count, frame);
    const Bitmap image =
        wild ? Bitmap() : RenderElementImage(rect, strip, m, vertical, tile, count, frame);  // wild ones may be huge
    if (!image.Empty() && (image.Width() != rect.Width() || image.Height() != rect.Height())) __builtin_trap();
    RegionRuns(target, in.Wild(), in.Wild(), {in.Wild(), in.Wild(), in.Wild()});
    return 0;
}
