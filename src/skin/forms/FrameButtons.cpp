// The skinned window's caption buttons and what the mouse finds on its frame: the
// layout of the moment, the hit test, and the buttons' actions.
#include <algorithm>

#include "skin/core/WinSkinData.h"
#include "skin/core/WinSkinDlg.h"
#include "skin/forms/WinSkinForm.h"

namespace skin {

FrameLayout TWinSkinForm::CurrentLayout() const {
    RECT window{};
    ::GetWindowRect(handle_, &window);
    return LayoutFrame(metrics_, window.right - window.left, window.bottom - window.top, ::IsIconic(handle_) != FALSE);
}

POINT TWinSkinForm::ScreenToFrame(POINT screen) const {
    RECT window{};
    ::GetWindowRect(handle_, &window);
    return {screen.x - window.left, screen.y - window.top};
}

int TWinSkinForm::HitTest(POINT screen) const {
    const FrameLayout f = CurrentLayout();
    const POINT p = ScreenToFrame(screen);
    const TWinSysButton* button = SysButtonAt(p);
    const bool sizeable = sizeable_ && showState_ == kShowNormal && !::IsZoomed(handle_);
    return FrameHitTest(f, p, sizeable, button ? button->HitCode() : HTNOWHERE);
}

ButtonFacts TWinSkinForm::Facts() const {
    ButtonFacts f;
    f.maximized = showState_ == kShowMaximized;
    f.active = active_;
    f.maxBox = maxBox_;
    f.minBox = minBox_;
    f.help = helpBox_;
    f.sysMenu = sysMenu_ || systemMenu_;
    f.dialogForm = dialogForm_;
    f.borderKind = borderKind_;
    // The menu band with a maximized MDI child's buttons comes with the skinned menu bar.
    bool childMaximized = false;
    if (mdiKind_ == kMdiFrame && menuBar_) ActiveMDIChild(&childMaximized);
    f.mdiChildMaximizedWithMenu = childMaximized;
    HWND wnd = handle_;
    f.askHost = [wnd](int visibility, int action) {
        return static_cast<long long>(::SendMessageW(wnd, SKM_SYSBUTTONVISIBLE, WPARAM(visibility), LPARAM(action)));
    };
    return f;
}

bool TWinSkinForm::IsSysButtonVisible(int index) {
    if (index < 0 || std::size_t(index) >= buttons_.size()) return false;
    TWinSysButton& b = *buttons_[std::size_t(index)];
    const ButtonFacts facts = Facts();
    b.Visible = ButtonVisible(b.Element, facts);
    if (b.Element.Action == kActionMaximize || b.Element.Action == kActionMinimize)
        b.Enabled = ButtonEnabled(b.Element, facts);
    return b.Visible;
}

void TWinSkinForm::LayoutSysButtons(const FrameLayout& f) {
    const int menuBarLeft = data_ && data_->MenuBar ? data_->MenuBar->LeftWidth : 0;
    for (const auto& b : buttons_) {
        const TDataSkinSysButton& e = b->Element;
        // Hidden buttons keep their last place; hit-testing skips them.
        if (!b->Visible || e.Bitmap.Empty()) continue;
        const int w = e.Bitmap.Width() / e.FrameCount(), h = e.Bitmap.Height();
        b->Bounds = CaptionButtonBounds(e, w, h, f, captionTextRect_, menuBarLeft);
    }
}

TWinSysButton* TWinSkinForm::SysButtonAt(POINT p) const {
    for (const auto& b : buttons_)
        if (b->Visible && b->Element.Action >= 0 && Contains(b->Bounds, p)) return b.get();
    return nullptr;
}

void TWinSkinForm::SysButtonAction(int x, int y) {
    auto* button = dynamic_cast<TWinSysButton*>(hotObject_);
    if (!button) return;
    switch (button->Element.Action) {
        case kActionClose: {
            // Taken at activation: without WS_SYSMENU the system may no longer hand it out.
            HMENU menu = systemMenu_ ? systemMenu_ : ::GetSystemMenu(handle_, FALSE);
            if (menu && ::GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) != UINT(-1)) {
                StopTimer();
                ::PostMessageW(handle_, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            break;
        }
        case kActionMaximize:
        case kActionMaximize2:
            if (button->Enabled) DoMaximize();
            break;
        case kActionMinimize:
        case kActionMinimize2:
            if (button->Enabled) DoMinimize();
            break;
        case kActionSysMenu:
        case kActionSysMenuIcon:
        case kActionSysMenuStrip: {
            RECT window{};
            ::GetWindowRect(handle_, &window);
            ShowSystemMenu(POINT{window.left + x + 1, window.top + y + 1});
            break;
        }
        case kActionHelp: ::PostMessageW(handle_, WM_SYSCOMMAND, SC_CONTEXTHELP, 0); break;
        case kActionMdiMinimize:
        case kActionMdiMinimize2:
        case kActionMdiRestore:
        case kActionMdiRestore2:
        case kActionMdiClose:
        case kActionMdiClose2: {
            // The buttons of a maximized child in the frame's menu bar act on the active child.
            HWND child = mdiKind_ == kMdiFrame ? ActiveMDIChild() : nullptr;
            if (!child) break;
            const int a = button->Element.Action;
            const WPARAM command = (a == kActionMdiMinimize || a == kActionMdiMinimize2) ? SC_MINIMIZE
                                   : (a == kActionMdiRestore || a == kActionMdiRestore2) ? SC_RESTORE
                                                                                         : SC_CLOSE;
            hotObject_ = nullptr;
            button->State = kStateNormal;
            ::SendMessageW(child, WM_SYSCOMMAND, command, 0);
            break;
        }
        default: ::PostMessageW(handle_, SKM_SYSBUTTONACTION, WPARAM(button->Element.Action), 0); break;
    }
}

void TWinSkinForm::DoMaximize() {
    if (showState_ == kShowMaximized) {
        DoRestore();
        return;
    }
    if (TSkinManage* manager = SkinManager(); manager && mdiKind_ == kMdiChild) manager->SetMergedMenuMode(true);
    showState_ = kShowMaximized;
    ::PostMessageW(handle_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    if (hotObject_) hotObject_->State = kStateNormal;
    hotObject_ = nullptr;
}

void TWinSkinForm::DoMinimize() {
    if (showState_ == kShowMinimized) {
        DoRestore();
        return;
    }
    showState_ = kShowMinimized;
    // A minimized window shows its system menu from the taskbar.
    const LONG style = ::GetWindowLongW(handle_, GWL_STYLE);
    if (!keepSysMenuStyle_ && (style_ & WS_SYSMENU) && !(style & WS_SYSMENU))
        ::SetWindowLongW(handle_, GWL_STYLE, style | WS_SYSMENU);
    ::PostMessageW(handle_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::DoRestore() {
    showState_ = kShowNormal;
    ::PostMessageW(handle_, WM_SYSCOMMAND, SC_RESTORE, 0);
}

}  // namespace skin
