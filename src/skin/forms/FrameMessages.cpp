// The messages of a skinned window, in three stages: what every skinned window answers,
// what a skinned top-level window tracks (size, activation, placement), and the
// non-client work proper (size, hit test, painting, caption-button mouse).
#include <algorithm>
#include <utility>

#include "framework/MessageCrackers.h"
#include "skin/core/WinSkinData.h"
#include "skin/core/WinSkinDlg.h"
#include "skin/forms/ToolButtonMenus.h"
#include "skin/forms/WinSkinForm.h"

namespace skin {

namespace {

constexpr UINT WM_NCUAHDRAWCAPTION = 0x00AE;
constexpr UINT WM_NCUAHDRAWFRAME = 0x00AF;

bool IsSystemCommand(UINT id) {
    switch (id) {
        case SC_SIZE: case SC_MOVE: case SC_MINIMIZE: case SC_MAXIMIZE: case SC_NEXTWINDOW: case SC_PREVWINDOW:
        case SC_CLOSE: case SC_RESTORE: return true;
        default: return false;
    }
}

}  // namespace

void TWinSkinForm::FormWindowMethod(tv::TMessage& m) {
    if (!subclassed_) {
        if (oldWindowMethod_) oldWindowMethod_(m);
        return;
    }
    HandleMessage(m);
}

void TWinSkinForm::HandleMessage(tv::TMessage& m) {
    switch (m.Msg) {
        case WM_SETTEXT: OnSetText(m); return;
        case SKM_SKINCOLORSCHANGED: SkinChanged(); return;
        case SKM_PAINTFRAMEDC:
            if (m.LParam != kSkinMarker) break;
            if (m.WParam) PaintFrame(tv::HandleFromWParam<HDC>(m));
            m.Result = kSkinMarker;
            return;
        case SKM_FRAMEQUERY: m.Result = m.LParam == kSkinMarker ? kSkinMarker : 1; return;
        default: break;
    }
    if (HandleStage1(m)) return;
    if (!skinFrame_) {
        CallOld(m);
        return;
    }
    if (HandleStage2(m)) return;
    HandleStage3(m);
}

bool TWinSkinForm::HandleStage1(tv::TMessage& m) {
    switch (m.Msg) {
        case WM_NCPAINT:
            if (skinState_ != kSkinAttached) return false;
            m.Result = 0;  // nothing of the stock frame before the skin takes over
            return true;
        case WM_ERASEBKGND:
            CallOld(m);
            if (!form_.Get() && data_ && data_->FaceBrush() && activated_) {
                RECT client{};
                ::GetClientRect(handle_, &client);
                ::FillRect(tv::HandleFromWParam<HDC>(m), &client, data_->FaceBrush());
            }
            m.Result = 1;
            return true;
        case WM_NCDESTROY: {
            skinState_ = kSkinDetaching;
            DetachOnDestroy();
            CallOld(m);
            // Nothing held for this window outlives it.
            frameImage_.Clear();
            captionBack_.Clear();
            captionFont_.Reset();
            hasRegion_ = false;  // the system frees the region with the window
            skinState_ = kSkinWindowGone;
            return true;
        }
        case WM_NCACTIVATE:
            if (skinState_ != kSkinAttached || mdiKind_ == kMdiChild) return false;
            // TRUE lets the activation change go on; the frame is not painted yet.
            m.Result = TRUE;
            return true;
        case WM_NCUAHDRAWCAPTION:
        case WM_NCUAHDRAWFRAME:
            if (!skinFrame_) return false;
            m.Result = 0;
            return true;
        case WM_INITMENUPOPUP:
            if (TSkinManage* manager = SkinManager())
                manager->PopupKind = IsSystemMenu(reinterpret_cast<HMENU>(m.WParam)) ? kPopupSystemMenu : kPopupMenuBar;
            // A tool button's drop-down: its items are drawn by the skin while it is open.
            PrepareToolButtonPopup(*this, reinterpret_cast<HMENU>(m.WParam));
            CallOld(m);
            return true;
        case WM_EXITMENULOOP:
            EndToolButtonPopups(*this);
            CallOld(m);
            return true;
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
            CallOld(m);
            if (!form_.Get() && activated_) {
                ::SetBkMode(tv::HandleFromWParam<HDC>(m), TRANSPARENT);
                if (m.Msg == WM_CTLCOLORSTATIC && data_ && data_->FaceBrush()) {
                    m.Result = reinterpret_cast<LRESULT>(data_->FaceBrush());
                    // On the skin's face the system's text colour may not read (a dark skin).
                    ::SetTextColor(tv::HandleFromWParam<HDC>(m), tv::ColorToRGB(data_->SkinColors.ButtonText));
                }
            }
            return true;
        case SKM_ACTIVATESKIN:
            Activate();
            m.Result = 0;
            return true;
        case SKM_RESKINSCROLLBAR:
            ReskinScrollBar(reinterpret_cast<HWND>(m.WParam));
            m.Result = 0;
            return true;
        case SKM_ISSKINNED:
            m.Result = 1;
            ::PostMessageW(handle_, SKM_SKINAPPLIED, 0, kSkinMarker);
            return true;
        case WM_TIMER:
            if (m.WParam != kHoverTimerId || !timerOn_) return false;
            OnHoverTimer();
            m.Result = 0;
            return true;
        default: return false;
    }
}

bool TWinSkinForm::HandleStage2(tv::TMessage& m) {
    if (childWindow_ && mdiKind_ != kMdiChild) {
        CallOld(m);
        return true;
    }
    switch (m.Msg) {
        case WM_SIZE: OnSize(m); return true;
        case WM_ACTIVATE:
            active_ = tv::ActivateParams::From(m).state != WA_INACTIVE;
            return false;
        case WM_NCACTIVATE:
            active_ = m.WParam != 0;
            return false;
        case WM_GETMINMAXINFO: OnGetMinMaxInfo(m); return true;
        case WM_SYSCOMMAND:
            if (mdiKind_ != kMdiChild) return false;
            // Alt and a letter in a child are for its frame's (skinned) menu bar; Alt+'-' is
            // the child's own system menu.
            if ((m.WParam & 0xFFF0) == SC_KEYMENU && m.LParam != '-') {
                if (HWND frame = ::GetParent(::GetParent(handle_))) {
                    m.Result = ::SendMessageW(frame, WM_SYSCOMMAND, m.WParam, m.LParam);
                    return true;
                }
            }
            // A maximized child's commands skip the non-client stage: its state is kept here.
            OnMDIChildSysCommand(m.WParam);
            return false;
        case WM_WINDOWPOSCHANGED:
            ReadShowState();
            CallOld(m);
            return true;
        case WM_COMMAND: {
            // The skinned system menu sends its choices as commands.
            const tv::CommandParams c = tv::CommandParams::From(m);
            if (!c.control && IsSystemCommand(c.id)) {
                ::PostMessageW(handle_, WM_SYSCOMMAND, c.id, 0);
                return true;
            }
            CallOld(m);
            return true;
        }
        default: return false;  // the menu bar's messages keep their stock handling for now
    }
}

void TWinSkinForm::HandleStage3(tv::TMessage& m) {
    SyncMDIChildState();
    if ((mdiKind_ == kMdiChild && showState_ == kShowMaximized) || skinState_ == kSkinAttached) {
        CallOld(m);
        return;
    }
    switch (m.Msg) {
        case WM_NCCALCSIZE: OnNcCalcSize(m); return;
        case WM_NCHITTEST: {
            const int code = HitTest(tv::NcMouse::From(m).pt);
            if (code == HTCLIENT) CallOld(m);  // the client area is the window's own business
            else m.Result = code;
            return;
        }
        case WM_NCPAINT: {
            const LONG style = ::GetWindowLongW(handle_, GWL_STYLE);
            if (!keepSysMenuStyle_ && (style & WS_SYSMENU)) ::SetWindowLongW(handle_, GWL_STYLE, style & ~WS_SYSMENU);
            if (data_ && data_->FramePainting && borderKind_ == kBorderNone) CallOld(m);
            else {
                if (data_ && data_->FramePainting) PaintFrame();
                m.Result = 0;
            }
            return;
        }
        case WM_NCACTIVATE: OnNcActivate(m); return;
        case WM_NCMOUSEMOVE:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONUP:
        case WM_NCLBUTTONDBLCLK:
        case WM_NCRBUTTONDOWN:
            if (!OnNcMouse(m)) CallOld(m);
            return;
        case WM_SYSCOMMAND:
            // F10, Alt and Alt+letter open the skinned menu bar's items.
            if ((m.WParam & 0xFFF0) == SC_KEYMENU && OnKeyMenu(m)) return;
            // Alt+Space: the system would open nothing once the style lost WS_SYSMENU.
            if ((m.WParam & 0xFFF0) == SC_KEYMENU && m.LParam == ' ' && mdiKind_ != kMdiChild) {
                RECT r{};
                ::GetWindowRect(handle_, &r);
                ShowSystemMenu(POINT{r.left + metrics_.left, r.top + metrics_.top});
                m.Result = 0;
                return;
            }
            CallOld(m);
            return;
        case SKM_REPAINTFRAME: PaintFrame(); return;
        default:
            if (!OnMenuMessage(m)) CallOld(m);
            return;
    }
}

// ---- handlers ------------------------------------------------------------------------------

void TWinSkinForm::ReadShowState() {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (!::GetWindowPlacement(handle_, &wp)) return;
    if (wp.showCmd == SW_SHOWMINIMIZED || wp.showCmd == SW_MINIMIZE || wp.showCmd == SW_SHOWMINNOACTIVE)
        showState_ = kShowMinimized;
    else if (wp.showCmd == SW_SHOWMAXIMIZED) showState_ = kShowMaximized;
    else showState_ = kShowNormal;
}

void TWinSkinForm::OnSize(tv::TMessage& m) {
    CallOld(m);
    const tv::SizeParams s = tv::SizeParams::From(m);
    if (s.kind == SIZE_RESTORED) showState_ = kShowNormal;
    else if (s.kind == SIZE_MINIMIZED) showState_ = kShowMinimized;
    else if (s.kind == SIZE_MAXIMIZED) showState_ = kShowMaximized;
    if (mdiKind_ == kMdiChild) {
        TSkinManage* manager = SkinManager();
        BOOL maximized = FALSE;
        ::SendMessageW(::GetParent(handle_), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
        if (s.kind == SIZE_MAXIMIZED) {
            // The region cut for the normal size would clip the maximized child.
            ClearRegion();
            if (manager) manager->SetMergedMenuMode(true);
        } else if (s.kind == SIZE_RESTORED && manager && manager->MergedMenuMode && !maximized) {
            manager->SetMergedMenuMode(false);
        }
    }
    if (showState_ == kShowMinimized) return;
    if (mdiKind_ == kMdiChild) {
        TSkinManage* manager = SkinManager();
        if (showState_ != kShowNormal || (manager && manager->MergedMenuMode)) return;
    }
    if (skinState_ == kSkinSkinned || skinState_ == kSkinReapplying) UpdateRegion();
}

void TWinSkinForm::OnNcCalcSize(tv::TMessage& m) {
    if (borderKind_ == kBorderNone || ::IsIconic(handle_) || (mdiKind_ == kMdiChild && showState_ != kShowNormal)) {
        CallOld(m);
        return;
    }
    // Both forms of the message carry the proposed window rectangle first.
    RECT* proposed = m.WParam ? tv::StructFromLParam<NCCALCSIZE_PARAMS>(m)->rgrc : tv::StructFromLParam<RECT>(m);
    *proposed = ClientFromWindow(metrics_, *proposed);
    m.Result = 0;
}

void TWinSkinForm::OnNcActivate(tv::TMessage& m) {
    active_ = m.WParam != 0;
    SyncTimer();
    // The old procedure keeps its activation bookkeeping; -1 asks it not to paint.
    tv::TMessage quiet{m.Msg, m.WParam, -1, 0};
    CallOld(quiet);
    // The active child's caption follows its frame's.
    if (mdiKind_ == kMdiFrame && mdiClient_) ::SendMessageW(mdiClient_, WM_NCACTIVATE, m.WParam, 0);
    if (!(mdiKind_ == kMdiChild && showState_ == kShowMaximized)) PaintFrame();
    m.Result = TRUE;
}

void TWinSkinForm::OnGetMinMaxInfo(tv::TMessage& m) {
    CallOld(m);
    ReadShowState();
    if (mdiKind_ == kMdiChild || borderKind_ == kBorderNone || skinState_ == kSkinAttached) return;
    // Maximized, the skinned frame lies on the work area, not beyond it as the stock one does.
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (!::GetMonitorInfoW(::MonitorFromWindow(handle_, MONITOR_DEFAULTTONEAREST), &mi)) return;
    auto* info = tv::StructFromLParam<MINMAXINFO>(m);
    info->ptMaxPosition = {mi.rcWork.left - mi.rcMonitor.left, mi.rcWork.top - mi.rcMonitor.top};
    info->ptMaxSize = {mi.rcWork.right - mi.rcWork.left, mi.rcWork.bottom - mi.rcWork.top};
    m.Result = 0;
}

void TWinSkinForm::OnSetText(tv::TMessage& m) {
    CallOld(m);
    if (!skinFrame_ || !::IsWindowVisible(handle_)) return;
    // A maximized child's name shows in its frame's caption: the client redraws it all.
    if (mdiKind_ == kMdiChild && ::IsZoomed(handle_))
        ::PostMessageW(::GetParent(handle_), SKM_MDIREDRAW, reinterpret_cast<WPARAM>(handle_), 0);
    else PaintFrame();
}

void TWinSkinForm::OnHoverTimer() {
    if (!hotObject_) return;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    if (!Contains(hotObject_->Bounds, ScreenToFrame(cursor))) {
        TNCObject* hot = hotObject_;
        hotObject_ = nullptr;
        hot->MouseLeave();
    }
}

bool TWinSkinForm::OnNcMouse(tv::TMessage& m) {
    const tv::NcMouse nc = tv::NcMouse::From(m);
    const POINT p = ScreenToFrame(nc.pt);
    TWinSysButton* target = SysButtonAt(p);
    if (!target && m.Msg != WM_NCRBUTTONDOWN && OnMenuItemMouse(m, p)) return true;
    switch (m.Msg) {
        case WM_NCMOUSEMOVE:
            if (!active_) return false;
            if (target) {
                target->MouseMove();
                m.Result = 0;
                return true;
            }
            if (TNCObject* hot = hotObject_) {
                hotObject_ = nullptr;
                hot->MouseLeave();
            }
            return false;
        case WM_NCLBUTTONDOWN:
            pressedButton_ = target;
            if (!target) return false;
            if (!active_) ::SetForegroundWindow(handle_);
            target->MouseDown();
            m.Result = 0;
            return true;
        case WM_NCLBUTTONUP: {
            // Only the button the press began on acts: sliding off it onto another cancels the press.
            TWinSysButton* pressed = std::exchange(pressedButton_, nullptr);
            if (!target) return false;
            if (target == hotObject_ && target == pressed) {
                target->MouseUp();
                SysButtonAction(p.x, p.y);
            }
            m.Result = 0;
            return true;
        }
        case WM_NCLBUTTONDBLCLK:
            if (target) {
                if (target->ShowsIcon()) {
                    StopTimer();
                    ::PostMessageW(handle_, WM_SYSCOMMAND, SC_CLOSE, 0);
                }
                m.Result = 0;
                return true;
            }
            if (nc.hitTest != HTCAPTION) return false;
            if (showState_ != kShowNormal) DoRestore();
            else if (maxBox_) DoMaximize();
            else return false;
            m.Result = 0;
            return true;
        // As on a plain window: the caption's menu opens where the right button comes up,
        // if that is still the caption.
        case WM_NCRBUTTONDOWN: {
            if (nc.hitTest != HTCAPTION || mdiKind_ == kMdiChild) return false;
            m.Result = 0;
            POINT up = nc.pt;
            if (WaitForRightButtonUp(up) && HitTest(up) == HTCAPTION) ShowSystemMenu(up);
            return true;
        }
        default: return false;
    }
}

bool TWinSkinForm::WaitForRightButtonUp(POINT& screen) {
    // The window holds the mouse until the button comes up, as the system's own caption does.
    ::SetCapture(handle_);
    bool released = false;
    while (::GetCapture() == handle_) {
        MSG msg;
        if (::PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
            if (msg.message == WM_RBUTTONUP) {
                screen = msg.pt;
                released = true;
                break;
            }
            continue;
        }
        if (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) break;
        if (!(::GetAsyncKeyState(VK_RBUTTON) & 0x8000)) {  // released where we could not see it
            ::GetCursorPos(&screen);
            released = true;
            break;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_MOUSE);
    }
    if (::GetCapture() == handle_) ::ReleaseCapture();
    return released;
}


}  // namespace skin
