#include "framework/ExtCtrls.h"

#include <windows.h>

#include <map>

#include "base/CallbackGuard.h"
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
        // Only the map lookup and the guarded handler run here: nothing else can throw.
        auto it = Timers().find(unsigned(wParam));
        // A failing handler is reported; the timer keeps running.
        if (it != Timers().end()) base::Guarded([&] { it->second->Timer(); });
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

namespace tv {

const TEnumInfo& BevelCutType() {
    static const TEnumInfo info = TEnumInfo::Sequential("TBevelCut", {"bvNone", "bvLowered", "bvRaised", "bvSpace"});
    return info;
}

const TClassInfo& TCustomPanel::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TCustomPanel>("TCustomPanel")
            .Enum("Alignment", AlignmentType(), &TCustomPanel::Alignment, &TCustomPanel::SetAlignment)
            .Default(int(TAlignment::taCenter))
            .Enum("BevelInner", BevelCutType(), &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner)
            .Default(int(TBevelCut::bvNone))
            .Enum("BevelOuter", BevelCutType(), &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter)
            .Default(int(TBevelCut::bvRaised))
            .Int("BevelWidth", &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth)
            .Default(1)
            .Done();
    return info;
}

const TClassInfo& TPanel::StaticClass() {
    static const TClassInfo info = DescribeClass<TPanel>("TPanel").Done();
    return info;
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
    SetBoundsFields(0, 0, 185, 41);
    InitColor(clBtnFace, false);
    Brush().SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.style |= WS_CLIPCHILDREN;
    p.classStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;  // the caption is centred
}

void TCustomPanel::SetBevelOuter(TBevelCut v) {
    bevelOuter_ = v;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut v) {
    bevelInner_ = v;
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int v) {
    if (v < 1) return;
    bevelWidth_ = v;
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment v) {
    alignment_ = v;
    Invalidate();
}

void TCustomPanel::Paint() {
    TCanvas& canvas = Canvas();
    RECT r = ClientRect();
    auto bevel = [&](TBevelCut cut) {
        if (cut == TBevelCut::bvNone) return;
        for (int i = 0; i < bevelWidth_; ++i) {
            if (cut != TBevelCut::bvSpace) {
                UINT edge = cut == TBevelCut::bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER;
                ::DrawEdge(canvas.Handle(), &r, edge, BF_RECT | BF_ADJUST);
            } else {
                ::InflateRect(&r, -1, -1);
            }
        }
    };
    bevel(bevelOuter_);
    bevel(bevelInner_);
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(r);
    std::string caption = Caption();
    if (caption.empty()) return;
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.Font().Assign(Font());
    if (!Enabled()) canvas.Font().SetColor(clGrayText);
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS |
                 (alignment_ == TAlignment::taCenter ? DT_CENTER : alignment_ == TAlignment::taRightJustify ? DT_RIGHT : DT_LEFT);
    canvas.DrawText(caption, r, flags);
}

}  // namespace tv
