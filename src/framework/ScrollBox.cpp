#include "framework/ScrollBox.h"

#include <algorithm>

#include "framework/MessageCrackers.h"

namespace tv {

// ---- one bar ----

const TClassInfo& TControlScrollBar::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TControlScrollBar>("TControlScrollBar")
            .Int("Increment", &TControlScrollBar::Increment, &TControlScrollBar::SetIncrement)
            .Default(8)
            .Int("Range", &TControlScrollBar::Range, &TControlScrollBar::SetRange)
            .Default(0)
            .Int("Position", &TControlScrollBar::Position, &TControlScrollBar::SetPosition)
            .Default(0)
            .Bool("Visible", &TControlScrollBar::Visible, &TControlScrollBar::SetVisible)
            .Default(1)
            .Done();
    return info;
}

TControlScrollBar::TControlScrollBar(TScrollBox& box, int bar) : box_(box), bar_(bar) {}

void TControlScrollBar::SetRange(int v) {
    range_ = std::max(0, v);
    box_.UpdateScrollBars();
}

void TControlScrollBar::SetPosition(int v) {
    if (!box_.HandleAllocated() || box_.HasState(TComponentState::Loading)) {
        pending_ = std::max(0, v);
        return;
    }
    box_.ScrollTo(*this, v);
}

void TControlScrollBar::SetIncrement(int v) { increment_ = std::max(1, v); }

void TControlScrollBar::SetVisible(bool v) {
    visible_ = v;
    box_.UpdateScrollBars();
}

// ---- the box ----

const TClassInfo& TScrollBox::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TScrollBox>("TScrollBox")
            .Enum("BorderStyle", BorderStyleType(), &TScrollBox::BorderStyle, &TScrollBox::SetBorderStyle)
            .Default(int(TBorderStyle::bsSingle))
            .Obj<TControlScrollBar>("HorzScrollBar", &TScrollBox::HorzScrollBarPtr, nullptr)
            .Obj<TControlScrollBar>("VertScrollBar", &TScrollBox::VertScrollBarPtr, nullptr)
            .Done();
    return info;
}

TScrollBox::TScrollBox(TComponent* owner)
    : TWinControl(owner),
      horz_(std::make_unique<TControlScrollBar>(*this, SB_HORZ)),
      vert_(std::make_unique<TControlScrollBar>(*this, SB_VERT)) {
    SetBoundsFields(0, 0, 185, 41);
    InitColor(clBtnFace, false);
    Brush().SetColor(clBtnFace);
}

TScrollBox::~TScrollBox() = default;

void TScrollBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.style |= WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL;
    if (borderStyle_ == TBorderStyle::bsSingle) p.exStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::CreateHandle() {
    TWinControl::CreateHandle();
    UpdateScrollBars();
}

void TScrollBox::Loaded() {
    TWinControl::Loaded();
    UpdateScrollBars();
}

void TScrollBox::SetBorderStyle(TBorderStyle v) {
    if (v == borderStyle_) return;
    borderStyle_ = v;
    RecreateWnd();
}

void TScrollBox::UpdateScrollBars() {
    if (updating_ || !HandleAllocated() || HasState(TComponentState::Loading)) return;
    updating_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{updating_};
    // The children's extent as if nothing were scrolled.
    int contentW = 0, contentH = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible()) continue;
        contentW = std::max(contentW, c->Left() + c->Width() + horz_->position_);
        contentH = std::max(contentH, c->Top() + c->Height() + vert_->position_);
    }
    // Showing one bar takes room from the other direction: settle in a few rounds.
    for (int round = 0; round < 3; ++round) {
        bool changed = false;
        for (TControlScrollBar* bar : {horz_.get(), vert_.get()}) {
            RECT client;
            ::GetClientRect(Handle(), &client);
            const bool horizontal = bar == horz_.get();
            const int page = horizontal ? client.right : client.bottom;
            const int extent = std::max(bar->range_, horizontal ? contentW : contentH);
            const bool show = bar->visible_ && extent > page && page > 0;
            const int pos = show ? std::clamp(bar->position_, 0, extent - page) : 0;
            bar->extent_ = extent;
            if (pos != bar->position_) ScrollTo(*bar, pos);
            SCROLLINFO si{};
            si.cbSize = sizeof si;
            si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
            if (show) {
                si.nMax = extent - 1;
                si.nPage = UINT(page);
                si.nPos = pos;
            }
            ::SetScrollInfo(Handle(), bar->bar_, &si, TRUE);
            changed = changed || show != bar->shown_;
            bar->shown_ = show;
        }
        if (!changed && round > 0) break;
    }
    for (TControlScrollBar* bar : {horz_.get(), vert_.get()})
        if (bar->pending_ >= 0) {
            const int pos = bar->pending_;
            bar->pending_ = -1;
            ScrollTo(*bar, pos);
        }
}

void TScrollBox::ScrollTo(TControlScrollBar& bar, int pos) {
    if (!HandleAllocated()) {
        bar.pending_ = std::max(0, pos);
        return;
    }
    RECT client;
    ::GetClientRect(Handle(), &client);
    const bool horizontal = &bar == horz_.get();
    const int page = horizontal ? client.right : client.bottom;
    pos = std::clamp(pos, 0, std::max(0, bar.extent_ - page));
    const int delta = bar.position_ - pos;
    if (delta == 0) return;
    bar.position_ = pos;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (horizontal)
            c->SetBounds(c->Left() + delta, c->Top(), c->Width(), c->Height());
        else
            c->SetBounds(c->Left(), c->Top() + delta, c->Width(), c->Height());
    }
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    si.nPos = pos;
    ::SetScrollInfo(Handle(), bar.bar_, &si, TRUE);
    ::InvalidateRect(Handle(), nullptr, TRUE);
}

void TScrollBox::ScrollInView(TControl* control) {
    if (!control || !HandleAllocated() || !ContainsControl(control) || control == this) return;
    // Where the control sits in our client area (it may be nested deeper).
    POINT topLeft = ScreenToClient(control->ClientToScreen(POINT{0, 0}));
    RECT client;
    ::GetClientRect(Handle(), &client);
    auto fit = [&](TControlScrollBar& bar, int start, int size, int page) {
        if (start < 0)
            ScrollTo(bar, bar.position_ + start);
        else if (start + size > page)
            ScrollTo(bar, bar.position_ + std::min(start, start + size - page));
    };
    fit(*horz_, topLeft.x, control->Width(), client.right);
    fit(*vert_, topLeft.y, control->Height(), client.bottom);
}

void TScrollBox::Scroll(TControlScrollBar& bar, WORD request, int thumb) {
    RECT client;
    ::GetClientRect(Handle(), &client);
    const int page = &bar == horz_.get() ? client.right : client.bottom;
    int pos = bar.position_;
    switch (request) {
        case SB_LINEUP: pos -= bar.increment_; break;
        case SB_LINEDOWN: pos += bar.increment_; break;
        case SB_PAGEUP: pos -= page; break;
        case SB_PAGEDOWN: pos += page; break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK: {
            pos = thumb;
            // The message carries 16 bits only; a longer extent asks the bar.
            if (bar.extent_ > 0xFFFF) {
                SCROLLINFO si{};
                si.cbSize = sizeof si;
                si.fMask = SIF_TRACKPOS;
                if (::GetScrollInfo(Handle(), bar.bar_, &si)) pos = si.nTrackPos;
            }
            break;
        }
        case SB_TOP: pos = 0; break;
        case SB_BOTTOM: pos = bar.extent_; break;
        default: return;
    }
    ScrollTo(bar, pos);
}

void TScrollBox::HandleMessage(TMessage& m) {
    switch (m.Msg) {
        case WM_HSCROLL:
        case WM_VSCROLL:
            // Our own bars (a child scroll bar control is reflected to its control instead).
            if (m.LParam == 0) {
                Scroll(m.Msg == WM_HSCROLL ? *horz_ : *vert_, LOWORD(m.WParam), HIWORD(m.WParam));
                m.Result = 0;
                return;
            }
            break;
        case WM_MOUSEWHEEL:
            if (vert_->shown_) {
                const int notches = GET_WHEEL_DELTA_WPARAM(m.WParam) / WHEEL_DELTA;
                ScrollTo(*vert_, vert_->position_ - notches * 3 * vert_->increment_);
                m.Result = 0;
                return;
            }
            break;
        case WM_SIZE:
            TWinControl::HandleMessage(m);
            UpdateScrollBars();
            return;
        default: break;
    }
    TWinControl::HandleMessage(m);
}

}  // namespace tv
