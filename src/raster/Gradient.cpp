#include "raster/Gradient.h"

#include <algorithm>

#include "raster/Blit.h"

namespace raster {

std::vector<Color> GradientEntries(int count, Color c1, Color c2) {
    std::vector<Color> out;
    if (count < 1) return out;
    out.resize(std::size_t(count));
    const int s[3] = {RedOf(c1), GreenOf(c1), BlueOf(c1)};
    const int d[3] = {RedOf(c2) - s[0], GreenOf(c2) - s[1], BlueOf(c2) - s[2]};
    if (count == 1) {
        out[0] = Rgb(s[0] + d[0] / 2, s[1] + d[1] / 2, s[2] + d[2] / 2);
        return out;
    }
    const int m = count - 1, h = m / 2;
    for (int i = 0; i <= m; ++i) {
        int c[3];
        for (int k = 0; k < 3; ++k) c[k] = s[k] + int((std::int64_t(i) * d[k] + h) / m);
        out[std::size_t(i)] = Rgb(c[0], c[1], c[2]);
    }
    return out;
}

void FillGradientBands(Bitmap& bitmap, Rect rect, std::span<const Color> entries, bool vertical, int first, int last) {
    if (rect.Empty()) return;
    first = std::max(first, 0);
    last = std::min(last, int(entries.size()) - 1);
    for (int i = first; i <= last; ++i) {
        const Rect band = vertical ? Rect{rect.left, rect.top + i, rect.right, rect.top + i + 1}
                                   : Rect{rect.left + i, rect.top, rect.left + i + 1, rect.bottom};
        FillRect(bitmap, band, entries[std::size_t(i)]);
    }
}

}  // namespace raster
