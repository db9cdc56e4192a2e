#include "framework/ExtCtrls.h"

#include <windows.h>

#include <map>

#include "framework/Controls.h"

namespace tv {

namespace {
// Never freed: timers owned by forms may go at static destruction time.
std::map<unsigned, TTimer*>& Timers() {
    static auto* timers = new std::map<unsigned, TTimer*>;
    return *timers;
}

LRESULT CALLBACK TimerWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
        auto it = Timers().find(unsigned(wParam));
        if (it != Timers().end()) {
            try {
                it->second->Timer();
            } catch (const std::exception& e) {
                HandleCallbackException(e.what());
            } catch (...) {
                HandleCallbackException("unknown error");
            }
        }
        return 0;
    }
    return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

// A message-only window: no one enumerating top-level windows sees it.
HWND TimerWindow() {
    static HWND wnd = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = TimerWndProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TTimerWindow";
        ::RegisterClassExW(&wc);
        return ::CreateWindowExW(0, L"TTimerWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }();
    return wnd;
}

unsigned nextTimerId = 1;
}  // namespace

const TClassInfo& TTimer::StaticClass() {
    static const TClassInfo info = DescribeClass<TTimer>("TTimer")
                                       .Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
                                       .Default(1)
                                       .Int("Interval", &TTimer::Interval, &TTimer::SetInterval)
                                       .Default(1000)
                                       .Event("OnTimer", &TTimer::OnTimer)
                                       .Done();
    return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner), id_(nextTimerId++) {
    Timers()[id_] = this;
    UpdateTimer();
}

TTimer::~TTimer() {
    if (running_) ::KillTimer(TimerWindow(), id_);
    Timers().erase(id_);
}

void TTimer::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned ms) {
    if (ms == interval_) return;
    interval_ = ms;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (running_) ::KillTimer(TimerWindow(), id_);
    running_ = false;
    if (!enabled_ || interval_ == 0 || HasState(TComponentState::Loading)) return;
    running_ = ::SetTimer(TimerWindow(), id_, interval_, nullptr) != 0;
}

void TTimer::Timer() {
    if (enabled_ && OnTimer) OnTimer(this);
}

}  // namespace tv
