// The device-context form of FillGradient; Windows only.
#ifdef _WIN32
#include <windows.h>

#include "skin/resources/ImgUtil.h"

namespace skin {

void FillGradient(HDC dc, raster::Rect rect, Colour colour1, Colour colour2, bool vertical) {
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    if (!::RectVisible(dc, &r) || !raster::Sane(rect)) return;
    colour1 = ResolveColour(colour1) & 0xFFFFFF;
    colour2 = ResolveColour(colour2) & 0xFFFFFF;
    RECT clip{};
    ::GetClipBox(dc, &clip);
    const GradientBands b = VisibleGradientBands(rect, {clip.left, clip.top, clip.right, clip.bottom}, vertical);
    if (b.count <= 0) return;
    const int first = b.first, last = b.last, start = b.start;
    const std::vector<Colour>& entries = GradientEntries(GetGradient(b.count, colour1, colour2));
    RECT band = vertical ? RECT{rect.left, start + first, rect.right, start + first + 1}
                         : RECT{start + first, rect.top, start + first + 1, rect.bottom};
    for (int i = first; i <= last; ++i) {
        HBRUSH brush = ::CreateSolidBrush(entries[std::size_t(i)]);
        ::FillRect(dc, &band, brush);
        ::DeleteObject(brush);  // one brush per band, released at once
        if (vertical) ::OffsetRect(&band, 0, 1);
        else ::OffsetRect(&band, 1, 0);
    }
}

}  // namespace skin
#endif
