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

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;

private:
    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
    TBevelCut bevelInner_ = TBevelCut::bvNone;
    int bevelWidth_ = 1;
    TAlignment alignment_ = TAlignment::taCenter;
};

class TPanel : public TCustomPanel {
    TV_CLASS(TPanel, TCustomPanel)
    using TCustomPanel::TCustomPanel;
};

}  // namespace tv
