#include "framework/ExtCtrls.h"

#include <windows.h>

#include <algorithm>
#include <map>

#include "base/CallbackGuard.h"
#include "framework/Controls.h"
#include "framework/Graphics.h"

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
            .Enum("BorderStyle", BorderStyleType(), &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle)
            .Default(int(TBorderStyle::bsNone))
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
    if (borderStyle_ == TBorderStyle::bsSingle) p.style |= WS_BORDER;
}

void TCustomPanel::SetBorderStyle(TBorderStyle v) {
    if (v == borderStyle_) return;
    borderStyle_ = v;
    RecreateWnd();
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

namespace tv {

// ---- splitter ----

const TEnumInfo& ResizeStyleType() {
    static const TEnumInfo info = TEnumInfo::Sequential("TResizeStyle", {"rsNone", "rsLine", "rsUpdate", "rsPattern"});
    return info;
}

const TClassInfo& TSplitter::StaticClass() {
    static const TClassInfo info = DescribeClass<TSplitter>("TSplitter")
                                       .Int("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize)
                                       .Default(30)
                                       .Enum("ResizeStyle", ResizeStyleType(), &TSplitter::ResizeStyle,
                                             &TSplitter::SetResizeStyle)
                                       .Default(int(TResizeStyle::rsPattern))
                                       .Event("OnMoved", &TSplitter::OnMoved)
                                       .Done();
    return info;
}

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
    SetBoundsFields(0, 0, 3, 100);
    InitColor(clBtnFace, true);
    SetAlign(TAlign::alLeft);
    SetCursor(crHSplit);
}

TSplitter::~TSplitter() {
    if (lineShown_) DrawLine();
}

TControl* TSplitter::Neighbour() const {
    TWinControl* parent = Parent();
    if (!parent) return nullptr;
    const RECT me = BoundsRect();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c == this || !c->Visible() || c->Align() != Align()) continue;
        const RECT r = c->BoundsRect();
        // The one whose edge touches the splitter's side facing the parent's edge.
        switch (Align()) {
            case TAlign::alLeft: if (r.right == me.left) return c; break;
            case TAlign::alRight: if (r.left == me.right) return c; break;
            case TAlign::alTop: if (r.bottom == me.top) return c; break;
            case TAlign::alBottom: if (r.top == me.bottom) return c; break;
            default: return nullptr;
        }
    }
    return nullptr;
}

int TSplitter::NewSize(int delta) const {
    TControl* n = neighbour_.Get();
    TWinControl* parent = Parent();
    if (!n || !parent) return startSize_;
    if (Align() == TAlign::alRight || Align() == TAlign::alBottom) delta = -delta;
    // What the other aligned controls leave: the neighbour may take it all but MinSize.
    const RECT client = parent->ClientRect();
    int room = Vertical() ? client.right - client.left : client.bottom - client.top;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c == n || !c->Visible()) continue;
        const TAlign a = c->Align();
        if (Vertical() && (a == TAlign::alLeft || a == TAlign::alRight)) room -= c->Width();
        if (!Vertical() && (a == TAlign::alTop || a == TAlign::alBottom)) room -= c->Height();
    }
    const int most = std::max(minSize_, room - minSize_);
    return std::clamp(startSize_ + delta, minSize_, most);
}

void TSplitter::Apply(int size) {
    TControl* n = neighbour_.Get();
    if (!n) return;
    const int before = Vertical() ? n->Width() : n->Height();
    if (Vertical()) n->SetWidth(size);
    else n->SetHeight(size);
    if (TWinControl* parent = Parent()) parent->Update();
    if ((Vertical() ? n->Width() : n->Height()) != before && OnMoved) OnMoved(this);
}

void TSplitter::DrawLine() {
    TWinControl* parent = Parent();
    if (!parent || !parent->HandleAllocated()) return;
    WindowDC dc(parent->Handle());
    if (!dc.Get()) return;
    ::PatBlt(dc.Get(), line_.left, line_.top, line_.right - line_.left, line_.bottom - line_.top, DSTINVERT);
    lineShown_ = !lineShown_;
}

void TSplitter::Paint() {
    // The pointer tells which way it drags.
    SetCursor(Vertical() ? crHSplit : crVSplit);
    TCanvas& canvas = Canvas();
    canvas.Brush().SetStyle(TBrushStyle::bsSolid);
    canvas.Brush().SetColor(Color());
    canvas.FillRect(RECT{0, 0, Width(), Height()});
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    neighbour_ = Neighbour();
    TControl* n = neighbour_.Get();
    if (!n) return;
    dragging_ = true;
    downAt_ = {Left() + x, Top() + y};
    startSize_ = newSize_ = Vertical() ? n->Width() : n->Height();
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
    TGraphicControl::MouseMove(shift, x, y);
    if (!dragging_) return;
    const POINT at{Left() + x, Top() + y};
    const int size = NewSize(Vertical() ? at.x - downAt_.x : at.y - downAt_.y);
    if (size == newSize_) return;
    newSize_ = size;
    if (resizeStyle_ == TResizeStyle::rsUpdate) {
        Apply(size);
        return;
    }
    if (resizeStyle_ == TResizeStyle::rsNone) return;
    if (lineShown_) DrawLine();
    // Where the splitter would sit with the neighbour at that size.
    const int shift_ = size - startSize_;
    line_ = BoundsRect();
    const int d = (Align() == TAlign::alRight || Align() == TAlign::alBottom) ? -shift_ : shift_;
    if (Vertical()) ::OffsetRect(&line_, d, 0);
    else ::OffsetRect(&line_, 0, d);
    DrawLine();
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (dragging_ && button == TMouseButton::mbLeft) {
        dragging_ = false;
        if (lineShown_) DrawLine();
        const POINT at{Left() + x, Top() + y};
        Apply(NewSize(Vertical() ? at.x - downAt_.x : at.y - downAt_.y));
        neighbour_ = nullptr;
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

}  // namespace tv
