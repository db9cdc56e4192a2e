// Focus and keys of a windowed control: tab order, the keyboard focus, and keys the
// control does not want handed to its focus host (the form) for dialog navigation.
#include <algorithm>

#include "framework/Controls.h"
#include "framework/MessageCrackers.h"

namespace tv {

int TWinControl::TabOrder() const {
    if (!parent_) return -1;
    auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    tabOrder_ = order;
    if (!parent_ || order < 0) return;
    auto& list = parent_->tabList_;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    list.erase(it);
    std::size_t at = std::min<std::size_t>(std::size_t(order), list.size());
    list.insert(list.begin() + std::ptrdiff_t(at), this);
}

void TWinControl::SetTabStop(bool v) {
    if (v == tabStop_) return;
    tabStop_ = v;
    if (handle_) {
        LONG_PTR style = ::GetWindowLongPtrW(handle_, GWL_STYLE);
        ::SetWindowLongPtrW(handle_, GWL_STYLE, v ? style | WS_TABSTOP : style & ~LONG_PTR(WS_TABSTOP));
    }
}

std::vector<TWinControl*> TWinControl::TabList(bool nested) const {
    std::vector<TWinControl*> out;
    for (TWinControl* c : tabList_) {
        out.push_back(c);
        if (nested) {
            auto inner = c->TabList(true);
            out.insert(out.end(), inner.begin(), inner.end());
        }
    }
    return out;
}

bool TWinControl::Focused() const { return handle_ && ::GetFocus() == handle_; }

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled()) return false;
    return true;
}

void TWinControl::SetFocus() {
    if (parent_) parent_->FocusChild(this);
    else if (Handle()) ::SetFocus(handle_);
}

bool TWinControl::WantsKey(WORD key) const {
    if (!handle_) return true;
    LRESULT code = ::SendMessageW(handle_, WM_GETDLGCODE, key, 0);
    if (code & DLGC_WANTALLKEYS) return true;
    switch (key) {
        case VK_TAB: return (code & DLGC_WANTTAB) != 0;
        case VK_LEFT:
        case VK_RIGHT:
        case VK_UP:
        case VK_DOWN: return (code & DLGC_WANTARROWS) != 0;
        case VK_RETURN:
        case VK_ESCAPE: return (code & DLGC_WANTMESSAGE) != 0;
        default: return true;
    }
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this) return true;
    return false;
}

// A windowed control that is not a focus host passes these on; the topmost one
// without a host does the plain thing.
void TWinControl::FocusChild(TWinControl* child) {
    if (parent_) parent_->FocusChild(child);
    else if (child->Handle()) ::SetFocus(child->handle_);
}

void TWinControl::ChildFocused(TWinControl* child) {
    if (parent_) parent_->ChildFocused(child);
}

void TWinControl::ChildLeaving(TWinControl* control) {
    if (parent_) {
        parent_->ChildLeaving(control);
        return;
    }
    HWND focus = ::GetFocus();
    if (handle_ && control->handle_ && focus && (focus == control->handle_ || ::IsChild(control->handle_, focus)))
        ::SetFocus(handle_);
}

void TWinControl::PreviewChildKey(WORD& key) {
    if (parent_) parent_->PreviewChildKey(key);
}

bool TWinControl::HandleKeys(TMessage& m) {
    switch (m.Msg) {
        case CN_KEYDOWN:
        case CN_SYSKEYDOWN: {
            KeyParams p = KeyParams::From(m);
            WORD key = p.key;
            TWinControl* host = TopParent();
            // A host that previews keys sees them before its controls.
            if (parent_) parent_->PreviewChildKey(key);
            if (key != 0 && OnKeyDown) OnKeyDown(this, key, KeyboardShiftState());
            if (key == 0) {
                m.Result = 1;
                return true;
            }
            m.Result = !WantsKey(key) && host && host->Perform(CM_DIALOGKEY, key, m.LParam) != 0 ? 1 : 0;
            return true;
        }
        case CN_SYSCHAR: {
            TWinControl* host = TopParent();
            m.Result = host ? host->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) : 0;
            return true;
        }
        case CN_CHAR:
            m.Result = 0;
            if (handle_ && !(::SendMessageW(handle_, WM_GETDLGCODE, m.WParam, 0) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)))
                if (TWinControl* host = TopParent()) m.Result = host->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
            return true;
        case WM_SETFOCUS:
            if (parent_) parent_->ChildFocused(this);
            return false;
        default: return false;
    }
}

}  // namespace tv
