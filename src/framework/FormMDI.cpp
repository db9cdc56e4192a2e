// MDI forms: the frame's MDI client window, children made and destroyed through it, the
// window menu where the system lists them, arranging them, and the active child's menu
// merged into the frame's menu bar.
#include <algorithm>

#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/MessageCrackers.h"

namespace tv {

const TEnumInfo& FormStyleType() {
    static const TEnumInfo info =
        TEnumInfo::Sequential("TFormStyle", {"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"});
    return info;
}

const TEnumInfo& TileModeType() {
    static const TEnumInfo info = TEnumInfo::Sequential("TTileMode", {"tbHorizontal", "tbVertical"});
    return info;
}

void TCustomForm::SetFormStyle(TFormStyle s) {
    if (s == formStyle_) return;
    formStyle_ = s;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomForm::SetWindowMenu(TMenuItem* item) {
    if (item == windowMenu_.Get()) return;
    windowMenu_ = item;
    if (formStyle_ == TFormStyle::fsMDIForm && clientHandle_) ShowFrameMenu();
}

TCustomForm* TCustomForm::MDIParent() const {
    if (formStyle_ != TFormStyle::fsMDIChild) return nullptr;
    if (auto* owner = dynamic_cast<TCustomForm*>(Owner()); owner && owner->formStyle_ == TFormStyle::fsMDIForm)
        return owner;
    if (TFormsHost* host = FormsHost(); host && host->MainForm() && host->MainForm()->formStyle_ == TFormStyle::fsMDIForm)
        return host->MainForm();
    for (TCustomForm* f : FormList())
        if (f->formStyle_ == TFormStyle::fsMDIForm) return f;
    return nullptr;
}

void TCustomForm::CreateClientWindow() {
    if (clientHandle_ && ::IsWindow(clientHandle_)) return;
    CLIENTCREATESTRUCT ccs{};
    ccs.hWindowMenu = nullptr;  // given with the frame's menu (WM_MDISETMENU)
    ccs.idFirstChild = kFirstMDIChildCommand;
    RECT r = ClientRect();
    // The scroll bars come and go with children beyond the client's edges.
    clientHandle_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_HSCROLL | WS_VSCROLL,
                                      0, 0, r.right, r.bottom, Handle(), nullptr, ::GetModuleHandleW(nullptr), &ccs);
    if (!clientHandle_) throw Exception("Cannot create the MDI client of " + Name());
    PlaceClientWindow();
    if (menu_) ShowFrameMenu();
}

void TCustomForm::PlaceClientWindow() {
    if (!clientHandle_ || !HandleAllocated()) return;
    // What the aligned controls (tool bars, status bars) leave of the client area.
    RECT rest = ClientRect();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible()) continue;
        switch (c->Align()) {
            case TAlign::alTop: rest.top = std::max<LONG>(rest.top, c->Top() + c->Height()); break;
            case TAlign::alBottom: rest.bottom = std::min<LONG>(rest.bottom, c->Top()); break;
            case TAlign::alLeft: rest.left = std::max<LONG>(rest.left, c->Left() + c->Width()); break;
            case TAlign::alRight: rest.right = std::min<LONG>(rest.right, c->Left()); break;
            default: break;
        }
    }
    ::SetWindowPos(clientHandle_, nullptr, rest.left, rest.top, std::max<LONG>(0, rest.right - rest.left),
                   std::max<LONG>(0, rest.bottom - rest.top), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomForm::ShowFrameMenu() {
    if (!clientHandle_ || !HandleAllocated()) return;
    HWND wnd = Handle();
    if (menu_) {
        HMENU bar = menu_->Handle();
        TMenuItem* window = windowMenu_.Get();
        // Only an item of the bar as it shows now, with a submenu, can list the children.
        HMENU list = window && window->Count() > 0 ? window->Handle() : nullptr;
        // The list first and alone: a client that holds this bar already ignores the whole message.
        if (list) ::SendMessageW(clientHandle_, WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(list));
        ::SendMessageW(clientHandle_, WM_MDISETMENU, reinterpret_cast<WPARAM>(bar), 0);
        ::SendMessageW(clientHandle_, WM_MDIREFRESHMENU, 0, 0);
    } else {
        ::SetMenu(wnd, nullptr);
    }
    ::DrawMenuBar(wnd);
    Perform(CM_MENUCHANGED);
}

void TCustomForm::MergeChildMenu(TCustomForm* child) {
    if (!menu_) return;
    TMainMenu* childMenu = child ? child->Menu() : nullptr;
    if (childMenu == menu_->Merged()) return;
    mergedMenu_ = childMenu;
    menu_->Merge(childMenu);  // the new handle reaches the window through MainMenuReplaced
}

void TCustomForm::CreateWindowHandle(const TCreateParams& p) {
    if (formStyle_ != TFormStyle::fsMDIChild) {
        TCustomControl::CreateWindowHandle(p);
        return;
    }
    TCustomForm* frame = MDIParent();
    HWND client = frame ? (frame->Handle(), frame->ClientHandle()) : nullptr;
    if (!client) throw Exception("No MDI frame form for the MDI child " + Name());
    MDICREATESTRUCTW mcs{};
    mcs.szClass = p.winClassName.c_str();
    mcs.szTitle = p.caption.c_str();
    mcs.hOwner = ::GetModuleHandleW(nullptr);
    mcs.x = p.x;
    mcs.y = p.y;
    mcs.cx = p.width;
    mcs.cy = p.height;
    mcs.style = p.style | WS_VISIBLE;
    CreateLinkedWindow([&] {
        return reinterpret_cast<HWND>(::SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    });
}

void TCustomForm::DestroyWindowHandle(HWND wnd) {
    TCustomForm* frame = MDIParent();
    HWND client = ::GetParent(wnd);
    if (formStyle_ != TFormStyle::fsMDIChild || !frame || !client || client != frame->clientHandle_) {
        TCustomControl::DestroyWindowHandle(wnd);
        return;
    }
    // Through the client: it lists, activates and restores what the child leaves behind.
    ::SendMessageW(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(wnd), 0);
    if (::IsWindow(wnd)) ::DestroyWindow(wnd);
    if (!frame->HasState(TComponentState::Destroying)) frame->MergeChildMenu(frame->ActiveMDIChild());
}

void TCustomForm::DefaultHandler(TMessage& m) {
    if (m.Msg >= CM_BASE && m.Msg < CN_BASE + 0x400) return;
    if (HandleAllocated()) {
        if (formStyle_ == TFormStyle::fsMDIForm && clientHandle_) {
            m.Result = ::DefFrameProcW(Handle(), clientHandle_, m.Msg, m.WParam, m.LParam);
            return;
        }
        if (formStyle_ == TFormStyle::fsMDIChild && (::GetWindowLongW(Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD)) {
            m.Result = ::DefMDIChildProcW(Handle(), m.Msg, m.WParam, m.LParam);
            return;
        }
    }
    TCustomControl::DefaultHandler(m);
}

bool TCustomForm::HandleMDIMessage(TMessage& m) {
    if (formStyle_ == TFormStyle::fsMDIForm && clientHandle_) {
        switch (m.Msg) {
            case WM_SIZE:
                // The client fills what the aligned controls leave; the default would give it all.
                AlignControls();
                PlaceClientWindow();
                m.Result = 0;
                return true;
            case WM_NCDESTROY: clientHandle_ = nullptr; return false;
            default: return false;
        }
    }
    if (formStyle_ != TFormStyle::fsMDIChild) return false;
    switch (m.Msg) {
        case WM_MDIACTIVATE: {
            TCustomForm* frame = MDIParent();
            const HWND activated = reinterpret_cast<HWND>(m.LParam);
            if (frame && HandleAllocated() && activated == Handle()) {
                frame->MergeChildMenu(this);
                if (OnActivate) OnActivate(this);
            } else if (frame && HandleAllocated() && reinterpret_cast<HWND>(m.WParam) == Handle()) {
                if (!activated) frame->MergeChildMenu(nullptr);
                if (OnDeactivate) OnDeactivate(this);
            }
            DefaultHandler(m);
            return true;
        }
        case WM_SETFOCUS:
            // The client makes the child active first; then its control gets the focus.
            DefaultHandler(m);
            if (TWinControl* c = ActiveControl(); c && c->CanFocus() && c->HandleAllocated()) ::SetFocus(c->Handle());
            else SelectNext(nullptr, true);
            return true;
        default: return false;
    }
}

TCustomForm* TCustomForm::ActiveMDIChild() const {
    if (!clientHandle_) return nullptr;
    auto active = reinterpret_cast<HWND>(::SendMessageW(clientHandle_, WM_MDIGETACTIVE, 0, 0));
    return dynamic_cast<TCustomForm*>(FindControl(active));
}

std::vector<TCustomForm*> TCustomForm::ChildForms() const {
    std::vector<TCustomForm*> children;
    if (!clientHandle_) return children;
    for (HWND w = ::GetWindow(clientHandle_, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT))
        if (auto* f = dynamic_cast<TCustomForm*>(FindControl(w)); f && f->formStyle_ == TFormStyle::fsMDIChild)
            children.push_back(f);
    return children;
}

int TCustomForm::MDIChildCount() const { return int(ChildForms().size()); }

TCustomForm* TCustomForm::MDIChildren(int index) const {
    const std::vector<TCustomForm*> children = ChildForms();
    return index >= 0 && index < int(children.size()) ? children[std::size_t(index)] : nullptr;
}

void TCustomForm::Cascade() {
    if (clientHandle_) ::SendMessageW(clientHandle_, WM_MDICASCADE, 0, 0);
}

void TCustomForm::Tile() {
    if (clientHandle_)
        ::SendMessageW(clientHandle_, WM_MDITILE,
                       TileMode == TTileMode::tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL, 0);
}

void TCustomForm::ArrangeIcons() {
    if (clientHandle_) ::SendMessageW(clientHandle_, WM_MDIICONARRANGE, 0, 0);
}

void TCustomForm::Next() {
    if (clientHandle_) ::SendMessageW(clientHandle_, WM_MDINEXT, 0, 0);
}

void TCustomForm::Previous() {
    if (clientHandle_) ::SendMessageW(clientHandle_, WM_MDINEXT, 0, 1);
}

}  // namespace tv
