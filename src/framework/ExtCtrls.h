// Non-visual helpers and simple containers: timers, panels.
#pragma once

#include "framework/Classes.h"
#include "framework/Controls.h"
#include "framework/StdCtrls.h"

namespace tv {

// Fires OnTimer every Interval milliseconds while Enabled, from the message loop.
class TTimer : public TComponent {
    TV_CLASS(TTimer, TComponent)
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned ms);
    TNotifyEvent OnTimer;

    void Loaded() override;
    // Runs OnTimer now (the timer window calls it).
    void Timer();

private:
    void UpdateTimer();
    bool enabled_ = true;
    unsigned interval_ = 1000;
    unsigned id_ = 0;
    bool running_ = false;
};

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
const TEnumInfo& BevelCutType();

// A container with a bevelled edge and a centred caption.
class TCustomPanel : public TCustomControl {
    TV_CLASS(TCustomPanel, TCustomControl)
    explicit TCustomPanel(TComponent* owner);

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut v);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut v);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle v);

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;

private:
    TBorderStyle borderStyle_ = TBorderStyle::bsNone;
    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
    TBevelCut bevelInner_ = TBevelCut::bvNone;
    int bevelWidth_ = 1;
    TAlignment alignment_ = TAlignment::taCenter;
};

class TPanel : public TCustomPanel {
    TV_CLASS(TPanel, TCustomPanel)
    using TCustomPanel::TCustomPanel;
};

enum class TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
const TEnumInfo& ResizeStyleType();

// A windowless bar between an aligned control and the rest of its parent: dragging it
// resizes that neighbour. rsUpdate resizes while dragging; rsLine and rsPattern show a line
// and resize on release; rsNone resizes on release only. Neither side gets below MinSize.
class TSplitter : public TGraphicControl {
    TV_CLASS(TSplitter, TGraphicControl)
    explicit TSplitter(TComponent* owner);
    ~TSplitter() override;

    int MinSize() const { return minSize_; }
    void SetMinSize(int v) { minSize_ = v < 1 ? 1 : v; }
    TResizeStyle ResizeStyle() const { return resizeStyle_; }
    void SetResizeStyle(TResizeStyle v) { resizeStyle_ = v; }
    // The control this splitter resizes now (the aligned one touching its near side), or null.
    TControl* Neighbour() const;
    // After a drag changed the neighbour's size.
    TNotifyEvent OnMoved;

protected:
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    bool Vertical() const { return Align() == TAlign::alLeft || Align() == TAlign::alRight; }
    // The neighbour's size for a pointer moved by delta since the press, kept in bounds.
    int NewSize(int delta) const;
    void Apply(int size);
    void DrawLine();
    int minSize_ = 30;
    TResizeStyle resizeStyle_ = TResizeStyle::rsPattern;
    WeakPtr<TControl> neighbour_;
    bool dragging_ = false;
    POINT downAt_{};   // the press, in the parent's client coordinates
    int startSize_ = 0;
    int newSize_ = 0;
    bool lineShown_ = false;
    RECT line_{};
};

}  // namespace tv
