// MDI frames and children under the skin: the frame finds its MDI client and subclasses
// it (scroll bars, menu reloads, leaving merged-menu mode when children are arranged or
// destroyed); the three buttons of a maximized child live in the frame's skinned menu bar
// and act on the active child.
#include <utility>

#include "base/CallbackGuard.h"
#include "framework/Forms.h"
#include "skin/core/WinSkinData.h"
#include "skin/core/WinSkinDlg.h"
#include "skin/forms/WinSkinForm.h"

namespace skin {

namespace {

const wchar_t kClientSkinnerProp[] = L"TovalinMDIClientSkinner";

bool IsMDIClientClass(HWND wnd) {
    wchar_t name[16] = {};
    ::GetClassNameW(wnd, name, 16);
    return ::lstrcmpiW(name, L"MDIClient") == 0;
}

// The maximized child's system menu and buttons, which the system adds to the frame's
// menu when it holds one: the skinned bar draws its own, and the menu is given back
// without them.
void StripChildButtons(HMENU menu, HWND child) {
    if (!menu || !::IsMenu(menu)) return;
    for (int i = ::GetMenuItemCount(menu) - 1; i >= 0; --i) {
        const UINT id = ::GetMenuItemID(menu, i);
        if (id == SC_MINIMIZE || id == SC_RESTORE || id == SC_CLOSE) ::DeleteMenu(menu, UINT(i), MF_BYPOSITION);
    }
    // The child's icon: a drop-down shown as a bitmap, without text. It may be the system
    // menu of a child that was maximized before this one.
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_SUBMENU | MIIM_BITMAP | MIIM_STRING;
    if (::GetMenuItemCount(menu) > 0 && ::GetMenuItemInfoW(menu, 0, TRUE, &mii) && mii.hSubMenu &&
        ((mii.fType & MFT_BITMAP) || (mii.hbmpItem && mii.cch == 0) || (child && mii.hSubMenu == ::GetSystemMenu(child, FALSE))))
        ::RemoveMenu(menu, 0, MF_BYPOSITION);
}

}  // namespace

void TWinSkinForm::FindMDIClient() {
    mdiClient_ = nullptr;
    for (HWND w = ::GetTopWindow(handle_); w; w = ::GetWindow(w, GW_HWNDNEXT))
        if (IsMDIClientClass(w)) {
            mdiClient_ = w;
            break;
        }
    if (!mdiClient_) return;
    mdiKind_ = kMdiFrame;
    if (TSkinManage* manager = SkinManager()) {
        manager->MDIClientWindow = mdiClient_;
        manager->MDIMainForm = form_.Get();
    }
}

HWND TWinSkinForm::ActiveMDIChild(bool* maximized) const {
    BOOL zoomed = FALSE;
    HWND child = mdiClient_ && ::IsWindow(mdiClient_)
                     ? reinterpret_cast<HWND>(::SendMessageW(mdiClient_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&zoomed)))
                     : nullptr;
    if (maximized) *maximized = child && zoomed;
    return child;
}

void TWinSkinForm::SubclassMDIClient() {
    if (!mdiClient_ || mdiClientOldProc_) return;
    menuUpdateSaved_ = data_ ? data_->MenuUpdate : true;
    mdiClientScrollStyle_ = ::GetWindowLongW(mdiClient_, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL);
    ::SetPropW(mdiClient_, kClientSkinnerProp, this);
    mdiClientOldProc_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(mdiClient_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinSkinForm::MDIClientProc)));
    // The client's frame is calculated anew: its stock scroll bars go.
    if (skinFrame_)
        ::SetWindowPos(mdiClient_, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::RestoreMDIClient() {
    if (TSkinManage* manager = SkinManager(); manager && mdiKind_ == kMdiFrame && manager->MDIClientWindow == mdiClient_) {
        // The manager's links to this frame would outlive it.
        manager->MDIClientWindow = nullptr;
        manager->MDIMainForm = nullptr;
    }
    if (!mdiClient_ || !mdiClientOldProc_) return;
    const WNDPROC old = std::exchange(mdiClientOldProc_, nullptr);
    if (!::IsWindow(mdiClient_)) return;
    ::RemovePropW(mdiClient_, kClientSkinnerProp);
    if (::GetWindowLongPtrW(mdiClient_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&TWinSkinForm::MDIClientProc))
        ::SetWindowLongPtrW(mdiClient_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    if (data_ && skinState_ != kSkinDetaching) data_->MenuUpdate = menuUpdateSaved_;
    // The scroll bars the client had; it shows or hides them itself from the next change on.
    const LONG style = ::GetWindowLongW(mdiClient_, GWL_STYLE);
    if ((style & (WS_HSCROLL | WS_VSCROLL)) != mdiClientScrollStyle_) {
        ::SetWindowLongW(mdiClient_, GWL_STYLE, (style & ~(WS_HSCROLL | WS_VSCROLL)) | mdiClientScrollStyle_);
        ::SetWindowPos(mdiClient_, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

LRESULT TWinSkinForm::CallMDIClientOld(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) const {
    return mdiClientOldProc_ ? ::CallWindowProcW(mdiClientOldProc_, wnd, msg, wParam, lParam)
                             : ::DefWindowProcW(wnd, msg, wParam, lParam);
}

LRESULT CALLBACK TWinSkinForm::MDIClientProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TWinSkinForm*>(::GetPropW(wnd, kClientSkinnerProp));
    if (!self) return ::DefWindowProcW(wnd, msg, wParam, lParam);  // never: the property goes with the procedure
    LRESULT result = 0;
    const bool painting = msg == WM_NCPAINT || msg == WM_PAINT || msg == WM_ERASEBKGND;
    base::Guarded([&] { result = self->HandleMDIClientMessage(wnd, msg, wParam, lParam); },
                  painting ? base::OnFailure::Swallow : base::OnFailure::Report);
    return result;
}

LRESULT TWinSkinForm::HandleMDIClientMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TSkinManage* manager = SkinManager();
    switch (msg) {
        case WM_NCDESTROY: {
            const LRESULT r = CallMDIClientOld(wnd, msg, wParam, lParam);
            RestoreMDIClient();
            if (manager && manager->MDIClientWindow == wnd) manager->MDIClientWindow = nullptr;
            mdiClient_ = nullptr;
            return r;
        }
        case WM_NCCALCSIZE:
            // Children beyond the edges make the client show stock scroll bars; not on a skinned frame.
            if (skinFrame_ && data_ && !data_->Options.Contains(TSkinOption::xoMDIScrollbar)) {
                const LONG style = ::GetWindowLongW(wnd, GWL_STYLE);
                if (style & (WS_HSCROLL | WS_VSCROLL)) ::SetWindowLongW(wnd, GWL_STYLE, style & ~(WS_HSCROLL | WS_VSCROLL));
            }
            return CallMDIClientOld(wnd, msg, wParam, lParam);
        case WM_MDICREATE:
            // The bar is not read again while children come and go; the last one's end does it.
            if (data_) data_->MenuUpdate = false;
            return CallMDIClientOld(wnd, msg, wParam, lParam);
        case WM_MDIDESTROY: {
            const LRESULT r = CallMDIClientOld(wnd, msg, wParam, lParam);
            if (skinFrame_) {
                bool maximized = false;
                HWND active = ActiveMDIChild(&maximized);
                if (manager) manager->SetMergedMenuMode(maximized);
                if (!active && menuBar_) {
                    if (data_) data_->MenuUpdate = menuUpdateSaved_;
                    ReloadMenuBar(menuBar_->MenuHandle());
                }
            }
            return r;
        }
        case WM_MDITILE:
        case WM_MDICASCADE:
            if (skinFrame_ && manager && manager->MergedMenuMode) manager->SetMergedMenuMode(false);
            return CallMDIClientOld(wnd, msg, wParam, lParam);
        case WM_MDISETMENU: {
            const LRESULT r = CallMDIClientOld(wnd, msg, wParam, lParam);
            if (skinFrame_ && wParam && menuBar_) {
                auto menu = reinterpret_cast<HMENU>(wParam);
                StripChildButtons(menu, ActiveMDIChild());
                ReloadMenuBar(menu);
            }
            if (skinFrame_ && menuBar_) ::SetMenu(handle_, nullptr);
            return r;
        }
        case SKM_MDIREDRAW:
            ::RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
            return 0;
        default: return CallMDIClientOld(wnd, msg, wParam, lParam);
    }
}

void TWinSkinForm::SkinMDIChildren() {
    TSkinManage* manager = SkinManager();
    if (!manager || !mdiClient_) return;
    // Children made before the skin came on (or while it was off) never passed the hook.
    for (HWND w = ::GetWindow(mdiClient_, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT))
        if (::GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_MDICHILD) manager->SkinWindow(w);
}

void TWinSkinForm::ReloadMenuBar(HMENU menu) {
    if (!menuBar_ || !menu) return;
    auto* form = dynamic_cast<tv::TCustomForm*>(form_.Get());
    menuBar_->LoadItems(menu, form ? form->Menu() : nullptr);
    if (skinState_ == kSkinSkinned || skinState_ == kSkinReapplying) {
        menuBar_->LayoutItems(CurrentLayout().menuBand);
        PaintFrame();
    }
}

void TWinSkinForm::OnMDIChildSysCommand(WPARAM command) {
    switch (command & 0xFFF0) {
        case SC_MINIMIZE: showState_ = kShowMinimized; break;
        case SC_MAXIMIZE: showState_ = kShowMaximized; break;
        case SC_RESTORE:
            showState_ = kShowNormal;
            if (TSkinManage* manager = SkinManager(); manager && mdiKind_ == kMdiChild) manager->SetMergedMenuMode(false);
            break;
        default: break;
    }
}

void TWinSkinForm::SyncMDIChildState() {
    if (mdiKind_ != kMdiChild) return;
    if (::IsZoomed(handle_)) showState_ = kShowMaximized;
    else if (::IsIconic(handle_)) showState_ = kShowMinimized;
    else if (showState_ != kShowNormal) showState_ = kShowNormal;
}

}  // namespace skin
