// Non-visual helpers: timers.
#pragma once

#include "framework/Classes.h"

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

}  // namespace tv
