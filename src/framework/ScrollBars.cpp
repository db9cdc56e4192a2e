#include "framework/ScrollBars.h"

#include <algorithm>

namespace tv {

const TEnumInfo& ScrollBarKindType() {
    static const TEnumInfo info = TEnumInfo::Sequential("TScrollBarKind", {"sbHorizontal", "sbVertical"});
    return info;
}

const TClassInfo& TScrollBar::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TScrollBar>("TScrollBar")
            .Enum("Kind", ScrollBarKindType(), &TScrollBar::Kind, &TScrollBar::SetKind)
            .Default(int(TScrollBarKind::sbHorizontal))
            .Int("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange)
            .Default(1)
            .Int("Max", &TScrollBar::Max, &TScrollBar::SetMax)
            .Default(100)
            .Int("Min", &TScrollBar::Min, &TScrollBar::SetMin)
            .Default(0)
            .Int("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize)
            .Default(0)
            .Int("Position", &TScrollBar::Position, &TScrollBar::SetPosition)
            .Default(0)
            .Int("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange)
            .Default(1)
            .Event("OnChange", &TScrollBar::OnChange)
            .Event("OnScroll", &TScrollBar::OnScroll)
            .Done();
    return info;
}

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
    SetBoundsFields(0, 0, 121, ::GetSystemMetrics(SM_CYHSCROLL));
    SetTabStop(true);
    InitColor(clBtnFace, false);
    Brush().SetColor(clBtnFace);
}

void TScrollBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.sysClassName = L"SCROLLBAR";
    p.style |= kind_ == TScrollBarKind::sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::CreateWindowHandle(const TCreateParams& p) {
    TWinControl::CreateWindowHandle(p);
    UpdateScrollInfo();
}

void TScrollBar::SetKind(TScrollBarKind v) {
    if (v == kind_) return;
    kind_ = v;
    // A new orientation swaps the long and the short side.
    if (!HasState(TComponentState::Loading)) SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
}

int TScrollBar::MaxPosition() const { return std::max(min_, max_ - std::max(pageSize_ - 1, 0)); }

void TScrollBar::SetPageSize(int v) {
    v = std::max(0, v);
    if (v == pageSize_) return;
    pageSize_ = v;
    if (HasState(TComponentState::Loading)) return;
    SetParams(position_, min_, max_);
    UpdateScrollInfo();
}

void TScrollBar::SetParams(int position, int min, int max) {
    if (HasState(TComponentState::Loading)) {
        // Properties come in any order: the checks wait for Loaded.
        position_ = position, min_ = min, max_ = max;
        return;
    }
    if (max < min) throw EPropertyError("Scroll bar: Max must not be less than Min");
    min_ = min, max_ = max;
    const int old = position_;
    position_ = std::clamp(position, min_, MaxPosition());
    UpdateScrollInfo();
    if (position_ != old && OnChange) OnChange(this);
}

void TScrollBar::Loaded() {
    TWinControl::Loaded();
    if (max_ < min_) max_ = min_;
    position_ = std::clamp(position_, min_, MaxPosition());
    UpdateScrollInfo();
}

void TScrollBar::UpdateScrollInfo() {
    if (!HandleAllocated()) return;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = min_;
    si.nMax = max_;
    si.nPage = UINT(pageSize_);
    si.nPos = position_;
    ::SetScrollInfo(Handle(), SB_CTL, &si, TRUE);
}

void TScrollBar::Scroll(WORD request, int thumb) {
    int pos = position_;
    TScrollCode code = TScrollCode::scEndScroll;
    switch (request) {
        case SB_LINEUP: code = TScrollCode::scLineUp, pos -= smallChange_; break;
        case SB_LINEDOWN: code = TScrollCode::scLineDown, pos += smallChange_; break;
        case SB_PAGEUP: code = TScrollCode::scPageUp, pos -= largeChange_; break;
        case SB_PAGEDOWN: code = TScrollCode::scPageDown, pos += largeChange_; break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: {
            code = request == SB_THUMBTRACK ? TScrollCode::scTrack : TScrollCode::scPosition;
            pos = thumb;
            // The message carries 16 bits only; a wider range asks the bar for all 32.
            if (min_ < 0 || max_ > 0xFFFF) {
                SCROLLINFO si{};
                si.cbSize = sizeof si;
                si.fMask = SIF_TRACKPOS;
                if (::GetScrollInfo(Handle(), SB_CTL, &si)) pos = si.nTrackPos;
            }
            break;
        }
        case SB_TOP: code = TScrollCode::scTop, pos = min_; break;
        case SB_BOTTOM: code = TScrollCode::scBottom, pos = MaxPosition(); break;
        case SB_ENDSCROLL: break;
        default: return;
    }
    pos = std::clamp(pos, min_, MaxPosition());
    if (OnScroll) OnScroll(this, code, pos);
    SetPosition(pos);
}

void TScrollBar::HandleMessage(TMessage& m) {
    switch (m.Msg) {
        case CN_HSCROLL:
        case CN_VSCROLL:
            Scroll(LOWORD(m.WParam), HIWORD(m.WParam));
            m.Result = 0;
            return;
        case CN_CTLCOLORSCROLLBAR:
            // The system's own colours: the control's brush would paint the track flat.
            m.Result = LRESULT(::DefWindowProcW(Handle(), WM_CTLCOLORSCROLLBAR, m.WParam, m.LParam));
            return;
        default: break;
    }
    TWinControl::HandleMessage(m);
}

}  // namespace tv
