#include "Icon.h"

#include <stdexcept>
#include <utility>

#include "Paint.h"

namespace skingen {
namespace {

constexpr Color kBlue = raster::Rgb(0x2f, 0x6f, 0xd6);
constexpr Color kWhite = raster::Rgb(0xff, 0xff, 0xff);

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

raster::Bitmap DrawProgramIcon(int size) {
    const int s = size;
    // The layout is in sixteenths of the side, rounded down, so every size keeps whole pixels.
    auto at = [s](int sixteenths) { return s * sixteenths / 16; };
    Canvas cv(s, s);
    cv.Fill(RoundRect(0, 0, float(s), float(s), float(s / 6)), kBlue);
    cv.FillPixels(at(3), at(4), at(11) + 1, at(12) + 1, kWhite);  // the window, caption on top
    cv.FillPixels(at(4), at(6), at(10) + 1, at(11) + 1, kBlue);    // its client area

    // The hidden window: one-pixel dashes, two on and two off, clockwise from its top-left.
    const int x0 = at(7), y0 = at(2), x1 = at(14), y1 = at(9);
    std::vector<std::pair<int, int>> ring;
    for (int x = x0; x < x1; ++x) ring.emplace_back(x, y0);
    for (int y = y0; y < y1; ++y) ring.emplace_back(x1, y);
    for (int x = x1; x > x0; --x) ring.emplace_back(x, y1);
    for (int y = y1; y > y0; --y) ring.emplace_back(x0, y);
    for (std::size_t i = 0; i < ring.size(); ++i)
        if (i / 2 % 2 == 0) cv.FillPixels(ring[i].first, ring[i].second, ring[i].first + 1, ring[i].second + 1, kWhite);
    return cv.FinishWithAlpha();
}

std::vector<std::uint8_t> EncodeIco(const std::vector<raster::Bitmap>& images) {
    if (images.empty() || images.size() > 0xFFFF) throw std::invalid_argument("an icon holds 1 to 65535 images");
    for (const raster::Bitmap& b : images)
        if (b.Width() < 1 || b.Height() < 1 || b.Width() > 256 || b.Height() > 256)
            throw std::invalid_argument("icon images are 1 to 256 pixels a side");

    std::vector<std::vector<std::uint8_t>> entries;
    for (const raster::Bitmap& b : images) {
        const int w = b.Width(), h = b.Height();
        const bool hasAlpha = b.Format() == raster::PixelFormat::Bgra32;
        const std::size_t maskStride = (std::size_t(w) + 31) / 32 * 4;
        const std::size_t colourBytes = std::size_t(w) * 4 * std::size_t(h);
        const std::size_t maskBytes = maskStride * std::size_t(h);
        std::vector<std::uint8_t> e;
        // BITMAPINFOHEADER; the height counts the colour rows and the mask rows.
        Put32(e, 40);
        Put32(e, std::uint32_t(w));
        Put32(e, std::uint32_t(2 * h));
        Put16(e, 1);
        Put16(e, 32);
        Put32(e, 0);
        Put32(e, std::uint32_t(colourBytes + maskBytes));
        for (int i = 0; i < 4; ++i) Put32(e, 0);
        const std::size_t maskAt = e.size() + colourBytes;
        e.resize(maskAt + maskBytes, 0);
        for (int y = 0; y < h; ++y) {
            const std::size_t row = std::size_t(h - 1 - y);  // bottom-up
            for (int x = 0; x < w; ++x) {
                const raster::Color c = b.GetPixel(x, y);
                const std::uint8_t alpha = hasAlpha ? std::uint8_t(c >> 24) : 0xFF;
                std::uint8_t* p = e.data() + 40 + (row * std::size_t(w) + std::size_t(x)) * 4;
                p[0] = std::uint8_t(raster::BlueOf(c));
                p[1] = std::uint8_t(raster::GreenOf(c));
                p[2] = std::uint8_t(raster::RedOf(c));
                p[3] = alpha;
                if (alpha == 0) e[maskAt + row * maskStride + std::size_t(x) / 8] |= std::uint8_t(0x80 >> (x % 8));
            }
        }
        entries.push_back(std::move(e));
    }

    std::vector<std::uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);  // an icon, not a cursor
    Put16(out, std::uint32_t(images.size()));
    std::size_t offset = 6 + 16 * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(std::uint8_t(images[i].Width() & 0xFF));  // 256 is written as 0
        out.push_back(std::uint8_t(images[i].Height() & 0xFF));
        out.push_back(0);  // no palette
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, std::uint32_t(entries[i].size()));
        Put32(out, std::uint32_t(offset));
        offset += entries[i].size();
    }
    for (const auto& e : entries) out.insert(out.end(), e.begin(), e.end());
    return out;
}

}  // namespace skingen
