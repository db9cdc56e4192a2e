// The form as the focus host of its controls: the active control, tab order
// navigation, Return/Escape for default and cancel buttons, accelerator characters,
// and letting go of controls that leave.
#include <algorithm>

#include "framework/Forms.h"
#include "framework/MessageCrackers.h"

namespace tv {

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control && GetParentForm(control) != this) throw Exception("The control is not on this form");
    // On the active form the focus moves now, and WM_SETFOCUS records it (with CM_EXIT
    // and CM_ENTER); otherwise the control gets the focus when the form is activated.
    if (control && HandleAllocated() && ::GetActiveWindow() == Handle() && control->CanFocus())
        ::SetFocus(control->Handle());
    else
        activeControl_ = control;
}

// A form placed inside another is no focus host of its own: the outer form is.
void TCustomForm::FocusChild(TWinControl* child) {
    if (Parent()) return TCustomControl::FocusChild(child);
    SetActiveControl(child);
}

void TCustomForm::ChildFocused(TWinControl* child) {
    if (Parent()) return TCustomControl::ChildFocused(child);
    FocusMovedTo(child);
}

void TCustomForm::ChildLeaving(TWinControl* control) {
    if (Parent()) return TCustomControl::ChildLeaving(control);
    // The focus goes to the form itself until the user moves on; the control is no
    // longer active (it may be freed right after).
    if (TWinControl* active = activeControl_.Get(); active && control->ContainsControl(active)) activeControl_ = nullptr;
    HWND focus = ::GetFocus();
    if (HandleAllocated() && control->HandleAllocated() && focus &&
        (focus == control->Handle() || ::IsChild(control->Handle(), focus)))
        ::SetFocus(Handle());
}

void TCustomForm::PreviewChildKey(WORD& key) {
    if (Parent()) TCustomControl::PreviewChildKey(key);
    if (key == 0) return;
    if (KeyPreview && OnKeyDown) OnKeyDown(this, key, KeyboardShiftState());
}

void TCustomForm::FocusMovedTo(TWinControl* control) {
    if (activeControl_ != control) {
        WeakPtr<TWinControl> old = activeControl_;
        activeControl_ = control;
        // Each handler may free controls: the weak links say who is still there.
        WeakPtr<TWinControl> now = control;
        if (old) {
            old->Perform(CM_EXIT);
            if (old && old->OnExit) old->OnExit(old);
        }
        if (now) {
            now->Perform(CM_ENTER);
            if (now && now->OnEnter) now->OnEnter(now);
        }
        control = now;
    }
    TMessage m{CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(static_cast<TControl*>(control)), 0};
    Perform(m.Msg, m.WParam, m.LParam);
    for (TWinControl* c : TabList(true)) c->Perform(m.Msg, m.WParam, m.LParam);
}

void TCustomForm::SelectNext(TWinControl* current, bool forward) {
    std::vector<TWinControl*> list;
    for (TWinControl* c : TabList(true))
        if (c == current || (c->TabStop() && c->CanFocus())) list.push_back(c);
    if (list.empty()) return;
    auto it = std::find(list.begin(), list.end(), current);
    TWinControl* next;
    if (it == list.end())
        next = forward ? list.front() : list.back();
    else if (forward)
        next = std::next(it) == list.end() ? list.front() : *std::next(it);
    else
        next = it == list.begin() ? list.back() : *std::prev(it);
    if (next && next != current) ::SetFocus(next->Handle());
}

bool TCustomForm::HandleDialogKey(TMessage& m) {
    m.Result = 0;
    if (m.Msg == CM_DIALOGCHAR) {
        for (TWinControl* c : TabList(true))
            if (c->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) {
                m.Result = 1;
                break;
            }
        return true;
    }
    WORD key = KeyParams::From(m).key;
    bool ctrlOrAlt = ::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0;
    TWinControl* active = activeControl_;
    if (key == VK_TAB && ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_MENU) >= 0) {
        // Ctrl+Tab belongs to the nearest container of the focus that takes it (a page control).
        for (TWinControl* c = active; c && c != this; c = c->Parent())
            if (c->Perform(CM_DIALOGKEY, m.WParam, m.LParam) != 0) {
                m.Result = 1;
                return true;
            }
    } else if (key == VK_TAB && !ctrlOrAlt) {
        SelectNext(active, ::GetKeyState(VK_SHIFT) >= 0);
        m.Result = 1;
    } else if ((key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN) && !ctrlOrAlt && active) {
        SelectNext(active, key == VK_RIGHT || key == VK_DOWN);
        m.Result = 1;
    } else if (key == VK_RETURN || key == VK_ESCAPE) {
        // The focused control first (a focused button takes Return), then the others.
        if (active && active->Perform(CM_DIALOGKEY, m.WParam, m.LParam) != 0) {
            m.Result = 1;
            return true;
        }
        for (TWinControl* c : TabList(true))
            if (c->Perform(CM_DIALOGKEY, m.WParam, m.LParam) != 0) {
                m.Result = 1;
                break;
            }
    }
    return true;
}

}  // namespace tv
