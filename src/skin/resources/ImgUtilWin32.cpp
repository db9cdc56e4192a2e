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
    const int start = vertical ? rect.top : rect.left, end = vertical ? rect.bottom : rect.right;
    const int clipStart = vertical ? clip.top : clip.left, clipEnd = vertical ? clip.bottom : clip.right;
    const int n = end - start;
    if (n <= 0) return;
    const int first = clipStart > start ? clipStart - start : 0;
    const int last = clipEnd < end ? clipEnd - start - 1 : n - 1;
    const std::vector<Colour>& entries = GradientEntries(GetGradient(n, colour1, colour2));
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
