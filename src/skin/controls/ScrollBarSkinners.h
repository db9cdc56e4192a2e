// The scroll bar skinners. Scroll bars keep their own logic: the skinners lay overlays
// (TWScrollbar) over the bars, keep them placed as the control moves, resizes, shows and
// hides its bars, and repaint them when the control scrolls. The combo box's drop-down
// list is the one exception: its bar is painted straight into the list's frame and its
// thumb is tracked here.
//
// A control's window gets WS_CLIPSIBLINGS while it is skinned: the system draws a bar on
// every scroll step, and without the style it would draw over the overlay above it.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/controls/ScrollOverlay.h"
#include "skin/controls/SkinControl.h"

namespace skin {

// Makes the skinners below known to the classification by their class names.
void RegisterScrollBarSkinners();

// Shared by the skinners that hold overlays over a window's built-in bars.
class TOverlayPair {
public:
    TWScrollbar& Horz() { return *horz_; }
    TWScrollbar& Vert() { return *vert_; }
    bool Made() const { return horz_ != nullptr; }
    void Make();
    void Free();
    void Reposition();
    void Hide();
    void SetEnabled(bool enabled);
    void SetSkinData(TSkinData* data);
    // Repaints the shown ones; with reposition, places the hidden ones whose bar the window
    // style asks for.
    void Refresh(HWND window, bool repositionHidden);
    // The overlay whose bar a WM_HSCROLL / WM_VSCROLL is about, or null.
    TWScrollbar* ForScrollMessage(UINT msg);
    // Repaints an overlay whose bar's thumb moved without telling (keys, list messages).
    void FollowThumbs();
    // The corner between two shown bars, filled with the skin's face colour (window coordinates).
    void FillCorner(HDC dc, HWND window, TSkinData* data);

private:
    std::unique_ptr<TWScrollbar> horz_;
    std::unique_ptr<TWScrollbar> vert_;
};

// Keeps WS_CLIPSIBLINGS on a window for as long as it is held.
class TClipSiblings {
public:
    void Set(HWND window);
    void Restore();

private:
    HWND window_ = nullptr;
    bool added_ = false;
};

// A framework control with built-in scroll bars (list box, memo, grid, tree, scroll box).
class TSkinScrollbar : public TSkinControl {
    TV_CLASS(TSkinScrollbar, TSkinControl)
    explicit TSkinScrollbar(tv::TComponent* owner);
    ~TSkinScrollbar() override;

    // The classification attaches through this one.
    void AttachSpecial(tv::TControl* control, TSkinData* data, TSkinnerHost* formSkinner,
                       tv::TCanvas* canvas) override {
        AttachScrollControl(control, data, formSkinner, canvas);
    }
    virtual void AttachScrollControl(tv::TControl* control, TSkinData* data, TSkinnerHost* formSkinner,
                                     tv::TCanvas* canvas);
    void Detach() override;
    bool BeforeMessage(tv::TMessage& m) override;
    void AfterMessage(tv::TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    void RefreshSkin() override;

    bool Border = false;
    // Windows NT 5.1 and later.
    bool NewPlatform = false;
    TOverlayPair& Overlays() { return overlays_; }

protected:
    // The two-pixel frame: outer line in the button shadow colour, inner in the face colour.
    void DrawBorder(HDC windowDC);

private:
    TOverlayPair overlays_;
    TClipSiblings clip_;
};

// A list view: its bars as above, its header by the header skinner (when there is one).
class TSkinListView : public TSkinScrollbar {
    TV_CLASS(TSkinListView, TSkinScrollbar)
    using TSkinScrollbar::TSkinScrollbar;
    void AttachScrollControl(tv::TControl* control, TSkinData* data, TSkinnerHost* formSkinner,
                             tv::TCanvas* canvas) override;
};

// A bare window with built-in scroll bars.
class TSkinScrollbarH : public TSkinControl {
    TV_CLASS(TSkinScrollbarH, TSkinControl)
    explicit TSkinScrollbarH(tv::TComponent* owner);
    ~TSkinScrollbarH() override;
    void AttachWindow(HWND window, TSkinData* data, TSkinnerHost* formSkinner, tv::TCanvas* canvas) override;
    void Detach() override;
    void AfterMessage(tv::TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    void RefreshSkin() override;
    TOverlayPair& Overlays() { return overlays_; }

private:
    TOverlayPair overlays_;
    TClipSiblings clip_;
};

// A scroll bar control (the framework's TScrollBar).
class TSkinScControl : public TSkinControl {
    TV_CLASS(TSkinScControl, TSkinControl)
    explicit TSkinScControl(tv::TComponent* owner);
    ~TSkinScControl() override;
    void AttachSpecial(tv::TControl* control, TSkinData* data, TSkinnerHost* formSkinner,
                       tv::TCanvas* canvas) override {
        AttachScrollBarControl(control, data, formSkinner, canvas);
    }
    void AttachScrollBarControl(tv::TControl* control, TSkinData* data, TSkinnerHost* formSkinner,
                                tv::TCanvas* canvas);
    void Detach() override;
    void AfterMessage(tv::TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;
    void RefreshSkin() override;
    TWScrollbar* Overlay() { return overlay_.get(); }

private:
    std::unique_ptr<TWScrollbar> overlay_;
    TClipSiblings clip_;
};

// The drop-down list of a combo box: its vertical bar painted into the list's frame, its
// thumb tracked here.
class TComboxScrollBar : public TSkinControl {
    TV_CLASS(TComboxScrollBar, TSkinControl)
    explicit TComboxScrollBar(tv::TComponent* owner);
    ~TComboxScrollBar() override;
    void Detach() override;
    bool BeforeMessage(tv::TMessage& m) override;
    void AfterMessage(tv::TMessage& m) override;
    void DrawSkin(HDC dc, const RECT& rect) override;

    int ArrowSize = 0;
    int BarLength = 0;
    scroll::ThumbSpan Thumb;
    // Whether a thumb drag is being tracked now.
    bool Tracking() const { return tracking_; }

private:
    // Follows the pointer until the button comes up; false when the press missed the thumb.
    bool TrackThumb(POINT screen);
    bool tracking_ = false;
};

}  // namespace skin
