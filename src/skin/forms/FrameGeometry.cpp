#include "skin/forms/FrameGeometry.h"

#include <algorithm>

#include "skin/core/SkinModel.h"

namespace skin {

namespace {

// A side's thickness: the strip's extent across the side over its frame count.
int SideExtent(const TDataSkinBorder* side, bool vertical) {
    if (!side || side->Bitmap.Empty()) return 0;
    const int extent = vertical ? side->Bitmap.Height() : side->Bitmap.Width();
    return std::max(0, extent / side->FrameCount());
}

}  // namespace

FrameMetrics MetricsFromSkin(const TSkinModel& skin, int borderKind) {
    FrameMetrics m;
    if (skin.SkinEmpty || borderKind == kBorderNone) return m;
    // Top and bottom stack their frames, the sides put them side by side.
    m.top = SideExtent(skin.BorderTop.get(), true);
    m.bottom = SideExtent(skin.BorderBottom.get(), true);
    m.left = SideExtent(skin.BorderLeft.get(), false);
    m.right = SideExtent(skin.BorderRight.get(), false);
    return m;
}

FrameLayout LayoutFrame(const FrameMetrics& m, int width, int height, bool minimized) {
    FrameLayout f;
    f.m = m;
    f.width = width;
    f.height = height;
    f.minimized = minimized;
    if (minimized) {
        f.caption = {0, 0, width, std::min(height, m.top)};
        return f;
    }
    f.left = {0, 0, m.left, height};
    f.right = {width - m.right, 0, width, height};
    f.caption = {m.left, 0, width - m.right, m.top};
    f.bottom = {m.left, height - m.bottom, width - m.right, height};
    f.menuBand = {m.left, m.top, width - m.right, m.top + m.menuBar};
    f.client = ClientFromWindow(m, RECT{0, 0, width, height});
    return f;
}

RECT ClientFromWindow(const FrameMetrics& m, const RECT& w) {
    RECT c{w.left + m.left, w.top + m.top + m.menuBar, w.right - m.right, w.bottom - m.bottom};
    // A window smaller than its frame has an empty client area, not an inverted one.
    c.right = std::max(c.right, c.left);
    c.bottom = std::max(c.bottom, c.top);
    return c;
}

int FrameHitTest(const FrameLayout& f, POINT p, bool sizeable, int buttonHit) {
    if (p.x < 0 || p.y < 0 || p.x >= f.width || p.y >= f.height) return HTNOWHERE;
    if (buttonHit != HTNOWHERE) return buttonHit;
    if (f.minimized) return HTCAPTION;
    if (Contains(f.client, p)) return HTCLIENT;
    const FrameMetrics& m = f.m;
    const bool onLeft = p.x < m.left, onRight = p.x >= f.width - m.right;
    const bool onBottom = p.y >= f.height - m.bottom;
    if (sizeable) {
        const bool onTop = p.y < std::min(kTopGrip, m.top);
        const bool nearLeft = p.x < kCornerGrip, nearRight = p.x >= f.width - kCornerGrip;
        const bool nearTop = p.y < kCornerGrip, nearBottom = p.y >= f.height - kCornerGrip;
        if ((onTop && nearLeft) || (onLeft && nearTop)) return HTTOPLEFT;
        if ((onTop && nearRight) || (onRight && nearTop)) return HTTOPRIGHT;
        if ((onBottom && nearLeft) || (onLeft && nearBottom)) return HTBOTTOMLEFT;
        if ((onBottom && nearRight) || (onRight && nearBottom)) return HTBOTTOMRIGHT;
        if (onTop) return HTTOP;
        if (onLeft) return HTLEFT;
        if (onRight) return HTRIGHT;
        if (onBottom) return HTBOTTOM;
    } else if (onLeft || onRight || onBottom) {
        return HTBORDER;
    }
    if (p.y < m.top) return HTCAPTION;
    if (Contains(f.menuBand, p)) return HTMENU;
    return HTBORDER;
}

RECT CaptionButtonBounds(const TDataSkinSysButton& e, int w, int h, const FrameLayout& f, const RECT& textRect,
                         int menuBarLeft) {
    int x = 0, y = e.Ycoord;
    switch (e.Align) {
        case 0: x = e.Xcoord; break;
        case 1: x = f.width - e.Xcoord; break;
        case 2:
        case 8: x = textRect.left - w - e.Xcoord; break;
        case 3:
        case 9: x = textRect.right + e.Xcoord; break;
        case 100:
            x = f.width - e.Xcoord - f.m.right - menuBarLeft;
            y = f.m.top + (f.m.menuBar - h) / 2;
            break;
        default: y = 0; break;
    }
    return RECT{x, y, x + w, y + h};
}

}  // namespace skin
