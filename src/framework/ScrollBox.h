// A scrolling container: its children may reach past its edges; the window's own
// scroll bars move them into view.
#pragma once

#include "framework/Controls.h"
#include "framework/StdCtrls.h"

namespace tv {

class TScrollBox;

// One of the two scroll bars of a scroll box.
class TControlScrollBar : public TPersistent {
    TV_CLASS(TControlScrollBar, TPersistent)
    TControlScrollBar(TScrollBox& box, int bar);  // bar: SB_HORZ or SB_VERT

    // Scrollable extent at least this large (the children's extent counts too).
    int Range() const { return range_; }
    void SetRange(int v);
    // How far the content is scrolled, in pixels.
    int Position() const { return position_; }
    void SetPosition(int v);
    // Pixels one arrow click scrolls.
    int Increment() const { return increment_; }
    void SetIncrement(int v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    // Whether the bar is on screen now (the content does not fit).
    bool IsScrollBarVisible() const { return shown_; }

private:
    friend class TScrollBox;
    TScrollBox& box_;
    int bar_;
    int range_ = 0;
    int position_ = 0;
    int increment_ = 8;
    bool visible_ = true;
    bool shown_ = false;
    int extent_ = 0;  // what the bar scrolls over, as last computed
    int pending_ = -1;  // a position asked for before the children could be measured
};

class TScrollBox : public TWinControl {
    TV_CLASS(TScrollBox, TWinControl)
    explicit TScrollBox(TComponent* owner);
    ~TScrollBox() override;

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle v);
    TControlScrollBar& HorzScrollBar() { return *horz_; }
    TControlScrollBar& VertScrollBar() { return *vert_; }
    TControlScrollBar* HorzScrollBarPtr() { return horz_.get(); }
    TControlScrollBar* VertScrollBarPtr() { return vert_.get(); }

    // Measures the children again and shows the bars they need; code that moves or
    // adds children calls it.
    void UpdateScrollBars();
    // Scrolls so that control is fully in view (as far as it fits).
    void ScrollInView(TControl* control);
    void Loaded() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    void HandleMessage(TMessage& m) override;

private:
    friend class TControlScrollBar;
    // Moves the content so that bar's position becomes pos (clamped).
    void ScrollTo(TControlScrollBar& bar, int pos);
    void Scroll(TControlScrollBar& bar, WORD request, int thumb);
    std::unique_ptr<TControlScrollBar> horz_, vert_;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    bool updating_ = false;
};

}  // namespace tv
