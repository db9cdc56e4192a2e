#include "framework/Forms.h"

#include <algorithm>
#include <tuple>

#include "base/CallbackGuard.h"
#include "framework/MessageCrackers.h"
#include "framework/Streaming.h"
#include "base/Text.h"

namespace tv {

namespace {
TFormsHost* formsHost = nullptr;
std::vector<TCustomForm*>& Forms() {
    static auto* forms = new std::vector<TCustomForm*>;  // forms may go at static destruction
    return *forms;
}
}  // namespace

TFormsHost* FormsHost() { return formsHost; }
void SetFormsHost(TFormsHost* host) { formsHost = host; }
const std::vector<TCustomForm*>& FormList() { return Forms(); }

TCustomForm* GetParentForm(const TControl* control) {
    TCustomForm* form = nullptr;
    for (const TControl* c = control; c; c = c->Parent())
        if (auto* f = dynamic_cast<const TCustomForm*>(c)) form = const_cast<TCustomForm*>(f);
    return form;
}

const TEnumInfo& PositionType() {
    static const TEnumInfo info = TEnumInfo::Sequential(
        "TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                      "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"});
    return info;
}

const TEnumInfo& FormBorderStyleType() {
    static const TEnumInfo info = TEnumInfo::Sequential(
        "TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
    return info;
}

// ---- forms ----

const TClassInfo& TCustomForm::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TCustomForm>("TCustomForm")
            .Int("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth)
            .NotStored()
            .Int("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight)
            .NotStored()
            .Bool("Visible", &TCustomForm::Visible, &TCustomForm::SetVisible)  // forms start hidden
            .Default(0)
            .Obj<TMainMenu>("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu)
            .Enum("Position", PositionType(), &TCustomForm::Position, &TCustomForm::SetPosition)
            .Enum("BorderStyle", FormBorderStyleType(), &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle)
            .Default(int(TFormBorderStyle::bsSizeable))
            .Enum("FormStyle", FormStyleType(), &TCustomForm::FormStyle, &TCustomForm::SetFormStyle)
            .Default(int(TFormStyle::fsNormal))
            .Enum("TileMode", TileModeType(), &TCustomForm::TileMode)
            .Default(int(TTileMode::tbHorizontal))
            .Obj<TMenuItem>("WindowMenu", &TCustomForm::WindowMenu, &TCustomForm::SetWindowMenu)
            .Int("PixelsPerInch", &TCustomForm::PixelsPerInch)
            .Int("TextHeight", &TCustomForm::TextHeight)
            .Bool("OldCreateOrder", &TCustomForm::OldCreateOrder)
            .Bool("Scaled", &TCustomForm::Scaled)
            .Bool("KeyPreview", &TCustomForm::KeyPreview)
            .Default(0)
            .Event("OnCreate", &TCustomForm::OnCreate)
            .Event("OnDestroy", &TCustomForm::OnDestroy)
            .Event("OnShow", &TCustomForm::OnShow)
            .Event("OnHide", &TCustomForm::OnHide)
            .Event("OnActivate", &TCustomForm::OnActivate)
            .Event("OnDeactivate", &TCustomForm::OnDeactivate)
            .Event("OnClose", &TCustomForm::OnClose)
            .Event("OnCloseQuery", &TCustomForm::OnCloseQuery)
            .Event("OnPaint", &TCustomForm::OnPaint)
            .Done();
    return info;
}

TCustomForm::TCustomForm(TComponent* owner) : TCustomControl(owner) {
    SetVisibleField(false);
    SetBoundsFields(0, 0, 320, 240);
    InitColor(clBtnFace, false);
    Brush().SetColor(clBtnFace);
    SetParentFont(false);
    Forms().push_back(this);
}

TCustomForm::~TCustomForm() {
    ReleaseWeakRefs();
    // Still a form: the MDI client is asked to destroy a child, and its frame shows its own menu again.
    if (formStyle_ == TFormStyle::fsMDIChild && HandleAllocated()) DestroyHandle();
    // Owned menus go later, when this form is only a window control any more.
    if (TMainMenu* menu = std::exchange(menu_, nullptr)) {
        // The window would destroy the bar once more when it goes, after the menu freed it.
        if (HandleAllocated()) ::SetMenu(Handle(), nullptr);
        RemoveFreeNotification(menu);
        menu->SetHost(nullptr);
    }
    auto& forms = Forms();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

void TCustomForm::AfterConstruction() {
    if (constructed_) return;
    constructed_ = true;
    const std::string& cls = ClassName();
    if (!SameText(cls, "TForm") && !SameText(cls, "TCustomForm")) {
        std::wstring name = text::Widen(UpperCase(cls));
        HMODULE module = ::GetModuleHandleW(nullptr);
        HRSRC res = ::FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
        if (!res) throw Exception("Resource " + UpperCase(cls) + " not found: no stored description of " + cls);
        HGLOBAL data = ::LoadResource(module, res);
        const char* bytes = data ? static_cast<const char*>(::LockResource(data)) : nullptr;
        if (!bytes) throw Exception("Resource " + UpperCase(cls) + " cannot be loaded");
        ReadComponent(*this, std::string_view(bytes, ::SizeofResource(module, res)));
    }
    if (OnCreate) OnCreate(this);
    // An MDI child is on its frame from the start, as the system makes it.
    if (Visible() || formStyle_ == TFormStyle::fsMDIChild) {
        SetVisibleField(false);
        Show();
    }
}

void TCustomForm::SetParentComponent(TComponent*) {}

void TCustomForm::SetBorderStyle(TFormBorderStyle s) {
    if (s == borderStyle_) return;
    borderStyle_ = s;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomForm::CreateParams(TCreateParams& p) {
    TCustomControl::CreateParams(p);
    p.menuOrId = nullptr;
    TFormsHost* host = FormsHost();
    const bool embedded = Parent() != nullptr;
    p.parent = embedded ? Parent()->Handle() : host ? host->Handle() : nullptr;
    p.style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (embedded) {
        // Shown and hidden with its parent from the start, like any child control.
        p.style |= WS_CHILD | (Visible() ? WS_VISIBLE : 0);
        switch (borderStyle_) {
            case TFormBorderStyle::bsNone: break;
            case TFormBorderStyle::bsSingle:
            case TFormBorderStyle::bsDialog:
            case TFormBorderStyle::bsToolWindow: p.style |= WS_CAPTION | WS_BORDER; break;
            default: p.style |= WS_CAPTION | WS_THICKFRAME; break;
        }
        if (borderStyle_ == TFormBorderStyle::bsToolWindow || borderStyle_ == TFormBorderStyle::bsSizeToolWin)
            p.exStyle |= WS_EX_TOOLWINDOW;
        p.exStyle |= WS_EX_CONTROLPARENT;
        if (!Enabled()) p.style |= WS_DISABLED;
        return;
    }
    switch (borderStyle_) {
        case TFormBorderStyle::bsNone: p.style |= WS_POPUP; break;
        case TFormBorderStyle::bsSingle: p.style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_BORDER; break;
        case TFormBorderStyle::bsSizeable: p.style |= WS_OVERLAPPEDWINDOW; break;
        case TFormBorderStyle::bsDialog:
            p.style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
            p.exStyle |= WS_EX_DLGMODALFRAME;
            break;
        case TFormBorderStyle::bsToolWindow:
            p.style |= WS_CAPTION | WS_SYSMENU;
            p.exStyle |= WS_EX_TOOLWINDOW;
            break;
        case TFormBorderStyle::bsSizeToolWin:
            p.style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
            p.exStyle |= WS_EX_TOOLWINDOW;
            break;
    }
    if (!Enabled()) p.style |= WS_DISABLED;
    // Owned by the hidden application window, so the main form brings its own taskbar button.
    if (host && (!host->MainForm() || host->MainForm() == this) && formStyle_ != TFormStyle::fsMDIChild)
        p.exStyle |= WS_EX_APPWINDOW;
    if (formStyle_ == TFormStyle::fsStayOnTop) p.exStyle |= WS_EX_TOPMOST;
    if (formStyle_ == TFormStyle::fsMDIChild) {
        // Made by the MDI client (CreateWindowHandle): a child of it, with its own frame.
        p.style = (p.style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
        p.exStyle = (p.exStyle & ~(WS_EX_APPWINDOW | WS_EX_TOPMOST)) | WS_EX_MDICHILD;
        TCustomForm* frame = MDIParent();
        p.parent = frame ? frame->ClientHandle() : nullptr;
        p.menuOrId = nullptr;
        return;
    }
    if (position_ == TPosition::poDefault || position_ == TPosition::poDefaultPosOnly) p.x = p.y = CW_USEDEFAULT;
    if (menu_ && !(p.style & WS_CHILD)) p.menuOrId = menu_->Handle();
}

void TCustomForm::SetMenu(TMainMenu* menu) {
    if (menu == menu_) return;
    if (TMainMenu* old = std::exchange(menu_, nullptr)) {
        RemoveFreeNotification(old);
        old->SetHost(nullptr);
    }
    if (menu) {
        menu->SetHost(this);  // the form that showed it lets go
        menu_ = menu;
        FreeNotification(menu_);
    }
    MenuChanged();
}

void TCustomForm::MenuChanged() {
    if (!HandleAllocated() || HasState(TComponentState::Destroying)) return;
    if (formStyle_ == TFormStyle::fsMDIChild) {
        // A child has no menu bar: its menu shows in its frame's while it is active.
        if (TCustomForm* frame = MDIParent(); frame && frame->ActiveMDIChild() == this) frame->MergeChildMenu(this);
        return;
    }
    if (formStyle_ == TFormStyle::fsMDIForm && clientHandle_) {
        ShowFrameMenu();
        return;
    }
    ::SetMenu(Handle(), menu_ ? menu_->Handle() : nullptr);
    ::DrawMenuBar(Handle());
    Perform(CM_MENUCHANGED);
}

void TCustomForm::MainMenuReplaced(TMainMenu* menu) {
    if (menu == menu_) MenuChanged();
}

void TCustomForm::MainMenuLeaving(TMainMenu* menu) {
    if (menu != menu_) return;
    menu_ = nullptr;
    RemoveFreeNotification(menu);
    MenuChanged();
}

void TCustomForm::Notification(TComponent* c, TOperation op) {
    TCustomControl::Notification(c, op);
    if (op == TOperation::Remove && c == menu_) {
        menu_ = nullptr;
        MenuChanged();
    }
}

void TCustomForm::CreateWnd() {
    TCustomControl::CreateWnd();
    if (formStyle_ == TFormStyle::fsMDIForm) CreateClientWindow();
}

void TCustomForm::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    if (parent == this) throw Exception("A control cannot be its own parent");
    // A window cannot change between top level and child: the new parent makes it anew.
    if (parent && !Parent() && HandleAllocated()) DestroyHandle();
    TCustomControl::SetParent(parent);
}

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

bool TCustomForm::Showing() const { return HandleAllocated() && ::IsWindowVisible(const_cast<TCustomForm*>(this)->Handle()); }

void TCustomForm::BringToFront() {
    TCustomControl::BringToFront();
    if (!Parent() && HandleAllocated() && ::IsWindowVisible(Handle())) ::SetForegroundWindow(Handle());
}

void TCustomForm::PlaceOnFirstShow() {
    if (placed_) return;
    placed_ = true;
    if (Parent()) return;  // a placed-in form stays where its parent has it
    if (position_ == TPosition::poScreenCenter || position_ == TPosition::poDesktopCenter ||
        position_ == TPosition::poMainFormCenter || position_ == TPosition::poOwnerFormCenter) {
        RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        TCustomForm* main = FormsHost() ? FormsHost()->MainForm() : nullptr;
        if (position_ != TPosition::poScreenCenter && position_ != TPosition::poDesktopCenter && main && main != this &&
            main->HandleAllocated())
            ::GetWindowRect(main->Handle(), &area);
        else
            ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        SetBounds(area.left + (area.right - area.left - Width()) / 2, area.top + (area.bottom - area.top - Height()) / 2,
                  Width(), Height());
    }
}

void TCustomForm::DoShow() {
    if (OnShow) OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide) OnHide(this);
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose;
}

const TEnumInfo& ModalResultIdents() {
    static const TEnumInfo info{"TModalResult",
                                {{"mrNone", mrNone}, {"mrOk", mrOk}, {"mrCancel", mrCancel}, {"mrAbort", mrAbort},
                                 {"mrRetry", mrRetry}, {"mrIgnore", mrIgnore}, {"mrYes", mrYes}, {"mrNo", mrNo}}};
    return info;
}

namespace {
BOOL CALLBACK CollectEnabledWindow(HWND wnd, LPARAM list) {
    return base::Guarded(FALSE, [&] {
        if (::IsWindowVisible(wnd) && ::IsWindowEnabled(wnd)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
        return TRUE;
    });
}
}  // namespace

int TCustomForm::ShowModal() {
    if (modal_ || Visible()) throw Exception("Cannot make a visible window modal");
    HWND wnd = Handle();
    HWND previous = ::GetActiveWindow();
    std::vector<HWND> disabled;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled));
    disabled.erase(std::remove(disabled.begin(), disabled.end(), wnd), disabled.end());
    for (HWND w : disabled) ::EnableWindow(w, FALSE);
    modal_ = true;
    modalResult_ = mrNone;
    auto restore = [&] {
        for (HWND w : disabled)
            if (::IsWindow(w)) ::EnableWindow(w, TRUE);
        if (previous && ::IsWindow(previous)) ::SetActiveWindow(previous);
        modal_ = false;
    };
    try {
        Show();
        ::SetForegroundWindow(wnd);
        while (modalResult_ == mrNone && FormsHost() && !FormsHost()->Terminated()) FormsHost()->HandleMessage();
        if (HandleAllocated()) Hide();
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return modalResult_;
}

void TCustomForm::Close() {
    if (!CloseQuery()) return;
    TFormsHost* host = FormsHost();
    bool isMain = host && host->MainForm() == this;
    // A child on an MDI frame goes to an icon unless told otherwise, as in the frameworks this follows.
    TCloseAction action = formStyle_ == TFormStyle::fsMDIChild ? TCloseAction::caMinimize : TCloseAction::caHide;
    if (OnClose) OnClose(this, action);
    if (action == TCloseAction::caNone) return;
    if (modal_) {
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        return;
    }
    if (isMain) {
        host->Terminate();
        return;
    }
    switch (action) {
        case TCloseAction::caHide: Hide(); break;
        case TCloseAction::caMinimize:
            if (HandleAllocated()) ::ShowWindow(Handle(), SW_MINIMIZE);
            break;
        case TCloseAction::caFree: Release(); break;
        default: break;
    }
}

void TCustomForm::Release() {
    if (HandleAllocated())
        ::PostMessageW(Handle(), CM_RELEASE, 0, 0);
    else
        delete this;
}




void TCustomForm::HandleMessage(TMessage& m) {
    if (HandleMDIMessage(m)) return;
    // The menu bar's and popup menus' commands and owner-drawn items.
    if (DispatchMenuMessage(m)) return;
    switch (m.Msg) {
        case WM_CLOSE:
            Close();
            m.Result = 0;
            return;
        case WM_SHOWWINDOW:
            if (ShowWindowParams p = ShowWindowParams::From(m); p.status == 0) {
                SetVisibleField(p.shown);
                if (p.shown)
                    DoShow();
                else
                    DoHide();
            }
            break;
        case CM_VISIBLECHANGED:
            if (HasState(TComponentState::Loading)) return;
            if (m.WParam) {
                HWND wnd = Handle();
                PlaceOnFirstShow();
                ::ShowWindow(wnd, SW_SHOW);
            } else if (HandleAllocated()) {
                ::ShowWindow(Handle(), SW_HIDE);
            }
            return;
        case WM_ACTIVATE:
            if (ActivateParams a = ActivateParams::From(m); a.state != WA_INACTIVE) {
                TCustomControl::HandleMessage(m);
                if (!a.minimized) {
                    if (activeControl_ && activeControl_->CanFocus())
                        ::SetFocus(activeControl_->Handle());
                    else
                        SelectNext(nullptr, true);
                }
                if (OnActivate) OnActivate(this);
                m.Result = 0;
                return;
            }
            if (OnDeactivate) OnDeactivate(this);
            break;
        case WM_SETFOCUS:
            if (activeControl_ && activeControl_->CanFocus() && activeControl_->HandleAllocated()) {
                ::SetFocus(activeControl_->Handle());
                return;
            }
            break;
        case CM_DIALOGKEY:
        case CM_DIALOGCHAR:
            HandleDialogKey(m);
            return;
        case CM_RELEASE:
            if (OnDestroy) OnDestroy(this);
            delete this;
            return;
        default: break;
    }
    TCustomControl::HandleMessage(m);
}

const TClassInfo& TForm::StaticClass() {
    static const TClassInfo info = DescribeClass<TForm>("TForm").Done();
    return info;
}

TForm::TForm(TComponent* owner) : TCustomForm(owner) {}

}  // namespace tv
