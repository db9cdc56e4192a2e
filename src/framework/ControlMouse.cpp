// Mouse routing: a windowed control hands the mouse messages of its client area to
// the windowless child under the pointer (or the one that took the left press), and
// tells controls when the pointer enters and leaves them.
#include "framework/Controls.h"
#include "framework/MessageCrackers.h"

namespace tv {

namespace {
WeakPtr<TControl> mouseControl;  // the control under the pointer, as CM_MOUSEENTER told it

bool IsMouseClientMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK; }
}  // namespace

TControl* MouseControl() { return mouseControl; }

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c)) continue;
        if (!c->Visible() || (!allowDisabled && !c->Enabled())) continue;
        RECT r = c->BoundsRect();
        if (::PtInRect(&r, p)) return c;
    }
    return nullptr;
}

void TWinControl::UpdateMouseControl(TControl* target) {
    if (mouseControl == target) return;
    TControl* old = mouseControl;
    mouseControl = target;
    if (old) old->Perform(CM_MOUSELEAVE);
    if (target && mouseControl == target) target->Perform(CM_MOUSEENTER);
}

bool TWinControl::RouteMouseToChild(TMessage& m) {
    POINT pt = PointFromLParam(m.LParam);
    TControl* target = captureControl_ ? captureControl_.Get() : ControlAtPos(pt);
    if (m.Msg == WM_MOUSEMOVE) {
        // Asked again at every move: the system drops the request on capture changes.
        if (handle_) {
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, handle_, 0};
            trackingLeave_ = ::TrackMouseEvent(&tme) != FALSE;
        }
        RECT client = ClientRect();
        TControl* hover = captureControl_ ? (::PtInRect(&client, pt) ? ControlAtPos(pt) : nullptr) : target;
        UpdateMouseControl(hover ? hover : this);
        // Entering or leaving may have freed the target.
        target = captureControl_ ? captureControl_.Get() : ControlAtPos(pt);
    }
    if (!target) return false;
    LPARAM local = LParamFromPoint(POINT{pt.x - target->Left(), pt.y - target->Top()});
    if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) {
        captureControl_ = target;
        ::SetCapture(handle_);
    }
    m.Result = target->Perform(m.Msg, m.WParam, local);
    if (m.Msg == WM_LBUTTONUP && captureControl_) {
        captureControl_ = nullptr;
        if (::GetCapture() == handle_) ::ReleaseCapture();
    }
    return true;
}

bool TWinControl::HandleMouseRouting(TMessage& m) {
    switch (m.Msg) {
        case WM_MOUSELEAVE: {
            trackingLeave_ = false;
            // A leave posted earlier may arrive after the pointer came back.
            POINT pt;
            ::GetCursorPos(&pt);
            if (::WindowFromPoint(pt) == handle_) return false;
            // Leaving the window leaves it and its windowless children.
            TControl* old = mouseControl;
            if (old == this || (old && old->Parent() == this && !dynamic_cast<TWinControl*>(old))) {
                mouseControl = nullptr;
                old->Perform(CM_MOUSELEAVE);
            }
            return false;
        }
        case WM_CAPTURECHANGED:
            if (HandleFromLParam<HWND>(m) != handle_) captureControl_ = nullptr;
            return false;
        case WM_SETCURSOR: {
            SetCursorParams p = SetCursorParams::From(m);
            if (p.window != handle_ || p.hitTest != HTCLIENT) return false;
            POINT pt;
            ::GetCursorPos(&pt);
            ::ScreenToClient(handle_, &pt);
            TControl* c = captureControl_ ? captureControl_.Get() : ControlAtPos(pt);
            TCursor cursor = c && c->Cursor() != crDefault ? c->Cursor() : Cursor();
            if (cursor == crDefault) return false;
            ::SetCursor(CursorHandle(cursor));
            m.Result = 1;
            return true;
        }
        default: return IsMouseClientMessage(m.Msg) && RouteMouseToChild(m);
    }
}

}  // namespace tv
