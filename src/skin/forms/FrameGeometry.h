// Where the parts of a skinned frame lie: border sizes from the skin, the caption, the
// menu band, the client area, caption-button places and what is under a point. The
// non-client size, the hit test and the painting all take their rectangles from here,
// so that what is drawn is what the mouse finds.
#pragma once

#include <windows.h>

namespace skin {

class TSkinModel;
class TDataSkinSysButton;

// BorderKind of a form skinner.
enum : int { kBorderSizeable = 0, kBorderSingle = 1, kBorderNone = 2, kBorderDialog = 3 };

// The skinned frame around the client area; top is the caption height.
struct FrameMetrics {
    int left = 0, top = 0, right = 0, bottom = 0;
    int menuBar = 0;  // the menu band under the caption, 0 without one
    bool operator==(const FrameMetrics&) const = default;
};

// Each side's extent divided by its frame count; all zero for a window without a
// caption (kBorderNone) or while the skin holds nothing.
FrameMetrics MetricsFromSkin(const TSkinModel& skin, int borderKind);

// Every part of a window of width x height, in window coordinates.
struct FrameLayout {
    FrameMetrics m;
    int width = 0, height = 0;
    bool minimized = false;
    RECT caption{}, left{}, right{}, bottom{}, menuBand{}, client{};
};
// A minimized window is all caption.
FrameLayout LayoutFrame(const FrameMetrics& m, int width, int height, bool minimized);

// The client rectangle of a window placed at window (WM_NCCALCSIZE), never inverted.
RECT ClientFromWindow(const FrameMetrics& m, const RECT& window);

// Height of the sizing strip along the top edge, and the length of a corner's grip
// along each edge it touches.
inline constexpr int kTopGrip = 4;
inline constexpr int kCornerGrip = 16;

// The HT* code at p (window coordinates). buttonHit is the code of a caption button
// under p, HTNOWHERE when there is none; sizeable windows get edges and corners.
int FrameHitTest(const FrameLayout& f, POINT p, bool sizeable, int buttonHit);

// Where a caption button of w x h goes by its Align and coordinates. textRect is where
// the caption text went (aligned buttons follow it); menuBarLeft is the skin menu bar's
// left end (maximized-MDI-child buttons sit in the menu band).
RECT CaptionButtonBounds(const TDataSkinSysButton& e, int w, int h, const FrameLayout& f, const RECT& textRect,
                         int menuBarLeft);

inline bool Contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace skin
