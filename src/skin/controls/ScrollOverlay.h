// TWScrollbar: a small window laid exactly over one scroll bar (a control's built-in
// horizontal or vertical bar, or a scroll bar control) that paints the bar from the skin.
// It takes over nothing: a press on it is handed to the control as a press on its real
// bar, so the system's own tracking, auto-repeat and scroll messages run unchanged, and
// the overlay only follows what the bar reports.
//
// The overlay is a plain child window of the control's parent, not a framework control:
// it must stay out of the parent's list of controls, or the form skinner's walk and the
// tab order would meet it. It is owned by the skinner that made it.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/Controls.h"
#include "skin/controls/ScrollGeometry.h"

namespace skin {

class TSkinData;
class TSkinControl;

// Kind of an overlay.
enum : int {
    kBuiltinHorz = 0,  // a control's built-in horizontal bar
    kBuiltinVert = 1,  // a control's built-in vertical bar
    kBarControl = 2,   // a scroll bar control
};

// What the overlay knows of its bar at one moment.
struct ScrollBarData {
    RECT bar{};          // kinds 0 and 1: screen; kind 2: the parent's client coordinates
    int thumbTop = 0;    // thumb edges from the bar's start
    int thumbBottom = 0;
    DWORD state = 0;     // STATE_SYSTEM_* of the bar as a whole
    bool Enabled() const { return !(state & STATE_SYSTEM_UNAVAILABLE); }
    bool Invisible() const { return (state & STATE_SYSTEM_INVISIBLE) != 0; }
};

// How a bar is to be drawn.
struct BarLook {
    int width = 0, height = 0;
    bool vertical = true;
    bool enabled = true;
    int arrowSize = 0;
    scroll::ThumbSpan thumb;
    int hotPart = scroll::kNone;
    bool pressed = false;
};

// Composes the bar off-screen from the skin's strips and copies it to dc at (x, y) in one
// transfer; false (nothing drawn) when the skin has no glyph strip or the bar no area.
bool ComposeBar(HDC dc, int x, int y, const BarLook& look, const TSkinData& data);

class TWScrollbar {
public:
    TWScrollbar();
    ~TWScrollbar();
    TWScrollbar(const TWScrollbar&) = delete;
    TWScrollbar& operator=(const TWScrollbar&) = delete;

    // Over a framework control's bar (kinds 0, 1) or over a scroll bar control (kind 2).
    void AttachOverlay(TSkinControl* owner, TSkinData* data, tv::TWinControl* control, int kind);
    // Over a bare window's built-in bar.
    void AttachOverlayWindow(TSkinControl* owner, TSkinData* data, HWND window, int kind);
    void HideOverlay();
    // Places the overlay over the bar as it is now, or hides it when there is none.
    void Reposition();
    // The part under a point in overlay coordinates.
    int HitTest(POINT p) const;
    // Paints now (nothing while hidden).
    void Repaint();
    // The bar as it is now; false when it has none.
    bool QueryBar(ScrollBarData& data) const;
    void SetEnabled(bool enabled);
    // The skin changed (or the overlay moves to another container).
    void SetSkinData(TSkinData* data) { data_ = data; }

    HWND Handle() const { return hwnd_; }
    HWND Target() const { return target_; }
    int Kind() const { return kind_; }
    bool Vertical() const { return orientation_ == 1; }
    bool Shown() const { return shown_; }
    bool Pressed() const { return pressed_; }
    int HotPart() const { return hotPart_; }
    void SetHotPart(int part) { hotPart_ = part; }
    int Length() const { return length_; }
    int ArrowSize() const { return arrowSize_; }
    scroll::ThumbSpan Thumb() const { return {thumbStart_, thumbEnd_}; }
    // The bar in the target's client coordinates at the last placement.
    const RECT& BarRect() const { return barRect_; }
    TSkinControl* Owner() const { return owner_; }

    // Composes the bar into dc at (0, 0) as the overlay shows it (size of the bar); false
    // when there is nothing to draw (no skin strip, no bar, an invisible bar).
    bool PaintBar(HDC dc);

private:
    void Create(HWND parent);
    void Attach(TSkinControl* owner, TSkinData* data, HWND window, int kind);
    static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnMouseMove(POINT p);
    void OnMouseLeave();
    void OnButtonDown(POINT p);
    void OnButtonUp(POINT p);
    void OnPaint();
    WPARAM BarHitCode() const { return orientation_ == 1 ? HTVSCROLL : HTHSCROLL; }
    // The thumb where it is drawn now: under the pointer while it is dragged.
    scroll::ThumbSpan DrawnThumb(const ScrollBarData& data) const;

    // Order of the description's fields.
    int length_ = 0;
    int thumbStart_ = 0, thumbEnd_ = 0;
    POINT origin_{};
    POINT pressCursor_{};
    int pressThumbStart_ = 0;
    int orientation_ = 0;
    bool pressed_ = false;
    int hotPart_ = scroll::kNone;
    int arrowSize_ = 0;
    HWND target_ = nullptr;
    tv::WeakPtr<tv::TWinControl> targetControl_;
    TSkinControl* owner_ = nullptr;
    int kind_ = kBuiltinHorz;
    RECT barRect_{};
    bool shown_ = false;

    TSkinData* data_ = nullptr;
    HWND hwnd_ = nullptr;
    // Read after a forwarded press returns: the skinner may have freed the overlay meanwhile.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace skin
