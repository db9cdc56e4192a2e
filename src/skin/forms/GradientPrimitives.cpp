// Gradients onto a device context: the bands the DC can show, one brush per band.
#include "skin/forms/DrawPrimitives.h"

namespace skin {

void FillGradient(HDC dc, raster::Rect rect, Colour colour1, Colour colour2, bool vertical) {
    RECT r = ToRECT(rect);
    if (!::RectVisible(dc, &r) || !raster::Sane(rect)) return;
    colour1 = ResolveColour(colour1) & 0xFFFFFF;
    colour2 = ResolveColour(colour2) & 0xFFFFFF;
    RECT clip{};
    ::GetClipBox(dc, &clip);
    const GradientBands b = VisibleGradientBands(rect, ToRect(clip), vertical);
    if (b.count <= 0) return;
    const std::vector<Colour>& entries = GradientEntries(GetGradient(b.count, colour1, colour2));
    RECT band = vertical ? RECT{rect.left, b.start + b.first, rect.right, b.start + b.first + 1}
                         : RECT{b.start + b.first, rect.top, b.start + b.first + 1, rect.bottom};
    for (int i = b.first; i <= b.last; ++i) {
        const tv::OwnedBrush brush(::CreateSolidBrush(entries[std::size_t(i)]));
        if (brush) ::FillRect(dc, &band, brush.Get());
        if (vertical) ::OffsetRect(&band, 0, 1);
        else ::OffsetRect(&band, 1, 0);
    }
}

}  // namespace skin
