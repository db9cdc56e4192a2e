#include "framework/Forms.h"

#include <algorithm>
#include <tuple>

#include "framework/ExtCtrls.h"
#include "framework/ImgList.h"
#include "framework/StdCtrls.h"
#include "framework/Streaming.h"
#include "raster/Text.h"

namespace tv {

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

void HandleCallbackException(const char* what) noexcept {
    try {
        if (Application) Application->ShowException(what ? what : "unknown error");
    } catch (...) {
        // nothing more can be done at a callback boundary
    }
}

void RegisterFrameworkClasses() {
    for (const TClassInfo* info :
         {&TForm::StaticClass(), &TButton::StaticClass(), &TListBox::StaticClass(), &TLabel::StaticClass(),
          &TTimer::StaticClass(), &TStringList::StaticClass(), &TImageList::StaticClass(),
          &TPanel::StaticClass(), &TMainMenu::StaticClass(), &TPopupMenu::StaticClass(), &TMenuItem::StaticClass()})
        RegisterComponentClass(*info);
}

void InitFramework() {
    if (Application) return;
    RegisterFrameworkClasses();
    Application = new TApplication(nullptr);
    Screen = new TScreen(nullptr);
}

void DoneFramework() {
    TApplication* app = Application;
    delete app;
    Application = nullptr;
    delete Screen;
    Screen = nullptr;
}

namespace {
struct FrameworkLifetime {
    FrameworkLifetime() { InitFramework(); }
    ~FrameworkLifetime() { DoneFramework(); }
} frameworkLifetime;
}  // namespace

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
    InitFramework();
    SetVisibleField(false);
    SetBoundsFields(0, 0, 320, 240);
    InitColor(clBtnFace, false);
    Brush().SetColor(clBtnFace);
    SetParentFont(false);
    if (Screen) Screen->forms_.push_back(this);
}

TCustomForm::~TCustomForm() {
    // Owned menus go later, when this form is only a window control any more.
    if (menu_) {
        // The window would destroy the bar once more when it goes, after the menu freed it.
        if (HandleAllocated()) ::SetMenu(Handle(), nullptr);
        menu_->form_ = nullptr;
        menu_ = nullptr;
    }
    if (Screen) {
        auto& forms = Screen->forms_;
        forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    }
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
    if (Visible()) {
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
    p.parent = Application ? Application->Handle() : nullptr;
    p.style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
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
    if (Application && (!Application->MainForm() || Application->MainForm() == this)) p.exStyle |= WS_EX_APPWINDOW;
    if (position_ == TPosition::poDefault || position_ == TPosition::poDefaultPosOnly) p.x = p.y = CW_USEDEFAULT;
    if (menu_ && !(p.style & WS_CHILD)) p.menuOrId = menu_->Handle();
}

void TCustomForm::SetMenu(TMainMenu* menu) {
    if (menu == menu_) return;
    if (menu_) {
        menu_->form_ = nullptr;
        RemoveFreeNotification(menu_);
    }
    menu_ = menu;
    if (menu_) {
        if (menu_->form_ && menu_->form_ != this) menu_->form_->SetMenu(nullptr);
        menu_->form_ = this;
        FreeNotification(menu_);
    }
    MenuChanged();
}

void TCustomForm::MenuChanged() {
    if (!HandleAllocated() || HasState(TComponentState::Destroying)) return;
    ::SetMenu(Handle(), menu_ ? menu_->Handle() : nullptr);
    ::DrawMenuBar(Handle());
    Perform(CM_MENUCHANGED);
}

void TCustomForm::Notification(TComponent* c, TOperation op) {
    TCustomControl::Notification(c, op);
    if (op == TOperation::Remove && c == menu_) {
        menu_ = nullptr;
        if (HandleAllocated() && !HasState(TComponentState::Destroying)) {
            ::SetMenu(Handle(), nullptr);
            Perform(CM_MENUCHANGED);
        }
    }
}

void TCustomForm::CreateWnd() { TCustomControl::CreateWnd(); }

void TCustomForm::Paint() {
    if (OnPaint) OnPaint(this);
}

bool TCustomForm::Showing() const { return HandleAllocated() && ::IsWindowVisible(const_cast<TCustomForm*>(this)->Handle()); }

void TCustomForm::BringToFront() {
    TCustomControl::BringToFront();
    if (HandleAllocated() && ::IsWindowVisible(Handle())) ::SetForegroundWindow(Handle());
}

void TCustomForm::PlaceOnFirstShow() {
    if (placed_) return;
    placed_ = true;
    if (position_ == TPosition::poScreenCenter || position_ == TPosition::poDesktopCenter ||
        position_ == TPosition::poMainFormCenter || position_ == TPosition::poOwnerFormCenter) {
        RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        TCustomForm* main = Application ? Application->MainForm() : nullptr;
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
    if (::IsWindowVisible(wnd) && ::IsWindowEnabled(wnd)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
    return TRUE;
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
        while (modalResult_ == mrNone && Application && !Application->Terminated()) Application->HandleMessage();
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
    bool isMain = Application && Application->MainForm() == this;
    TCloseAction action = TCloseAction::caHide;
    if (OnClose) OnClose(this, action);
    if (action == TCloseAction::caNone) return;
    if (modal_) {
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        return;
    }
    if (isMain) {
        Application->Terminate();
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

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control && control->ParentForm() != this) throw Exception("The control is not on this form");
    // On the active form the focus moves now, and WM_SETFOCUS records it (with CM_EXIT
    // and CM_ENTER); otherwise the control gets the focus when the form is activated.
    if (control && HandleAllocated() && ::GetActiveWindow() == Handle() && control->CanFocus())
        ::SetFocus(control->Handle());
    else
        activeControl_ = control;
}

void TCustomForm::FocusMovedTo(TWinControl* control) {
    if (activeControl_ != control) {
        TWinControl* old = activeControl_;
        activeControl_ = control;
        if (old) {
            old->Perform(CM_EXIT);
            if (old->OnExit) old->OnExit(old);
        }
        if (control) {
            control->Perform(CM_ENTER);
            if (control->OnEnter) control->OnEnter(control);
        }
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

void TCustomForm::HandleMessage(TMessage& m) {
    switch (m.Msg) {
        case WM_CLOSE:
            Close();
            m.Result = 0;
            return;
        case WM_SHOWWINDOW:
            if (m.LParam == 0) {
                SetVisibleField(m.WParam != 0);
                if (m.WParam)
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
            if (LOWORD(m.WParam) != WA_INACTIVE) {
                TCustomControl::HandleMessage(m);
                if (HIWORD(m.WParam) == 0) {  // not while minimized
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
        case CM_DIALOGKEY: {
            WORD key = WORD(m.WParam);
            bool ctrlOrAlt = ::GetKeyState(VK_CONTROL) < 0 || ::GetKeyState(VK_MENU) < 0;
            if (key == VK_TAB && !ctrlOrAlt) {
                SelectNext(activeControl_, ::GetKeyState(VK_SHIFT) >= 0);
                m.Result = 1;
                return;
            }
            if ((key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN) && !ctrlOrAlt && activeControl_) {
                SelectNext(activeControl_, key == VK_RIGHT || key == VK_DOWN);
                m.Result = 1;
                return;
            }
            if (key == VK_RETURN || key == VK_ESCAPE) {
                // The focused control first (a focused button takes Return), then the others.
                if (activeControl_ && activeControl_->Perform(CM_DIALOGKEY, m.WParam, m.LParam) != 0) {
                    m.Result = 1;
                    return;
                }
                for (TWinControl* c : TabList(true))
                    if (c->Perform(CM_DIALOGKEY, m.WParam, m.LParam) != 0) {
                        m.Result = 1;
                        return;
                    }
            }
            m.Result = 0;
            return;
        }
        case CM_DIALOGCHAR:
            for (TWinControl* c : TabList(true))
                if (c->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) {
                    m.Result = 1;
                    return;
                }
            m.Result = 0;
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

// ---- application ----

namespace {
LRESULT CALLBACK ApplicationWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        // Popup menus it owns are measured and drawn by their items.
        if (msg == WM_MEASUREITEM && TMenu::MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
        if (msg == WM_DRAWITEM && TMenu::DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam))) return TRUE;
        if (msg == WM_COMMAND && lParam == 0 && HIWORD(wParam) == 0)
            if (TMenuItem* item = TMenuItem::FromCommand(LOWORD(wParam))) {
                item->Click();
                return 0;
            }
        if (msg == WM_CLOSE && Application && Application->MainForm()) {
            Application->MainForm()->Close();
            return 0;
        }
    } catch (const std::exception& e) {
        HandleCallbackException(e.what());
        return 0;
    } catch (...) {
        HandleCallbackException("unknown error");
        return 0;
    }
    return ::DefWindowProcW(wnd, msg, wParam, lParam);
}

std::string ModuleTitle() {
    wchar_t path[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path, n);
    std::size_t slash = p.find_last_of(L"\\/");
    if (slash != std::wstring::npos) p = p.substr(slash + 1);
    std::size_t dot = p.find_last_of(L'.');
    if (dot != std::wstring::npos) p = p.substr(0, dot);
    return text::Narrow(p);
}
}  // namespace

const TClassInfo& TApplication::StaticClass() {
    static const TClassInfo info = DescribeClass<TApplication>("TApplication").Done();
    return info;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner), title_(ModuleTitle()) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ApplicationWndProc;
    wc.hInstance = instance;
    wc.hIcon = ::LoadIconW(instance, L"MAINICON");
    wc.lpszClassName = L"TApplication";
    ::RegisterClassExW(&wc);
    handle_ = ::CreateWindowExW(0, L"TApplication", text::Widen(title_).c_str(),
                                WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                                nullptr, nullptr, instance, nullptr);
    // The program's icon, in both sizes, answers WM_GETICON on the application window.
    for (auto [which, cx, cy] : {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON}, std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}})
        if (HANDLE icon = ::LoadImageW(instance, L"MAINICON", IMAGE_ICON, ::GetSystemMetrics(cx), ::GetSystemMetrics(cy),
                                       LR_SHARED))
            ::SendMessageW(handle_, WM_SETICON, WPARAM(which), reinterpret_cast<LPARAM>(icon));
}

TApplication::~TApplication() {
    SetState(TComponentState::Destroying, true);
    // Forms hear of their end while they are whole.
    for (int i = ComponentCount() - 1; i >= 0; --i)
        if (auto* f = dynamic_cast<TCustomForm*>(Components(i)); f && f->OnDestroy) {
            try {
                f->OnDestroy(f);
            } catch (...) {
            }
        }
    DestroyComponents();
    if (handle_) ::DestroyWindow(handle_);
}

void TApplication::SetTitle(const std::string& t) {
    title_ = t;
    if (handle_) ::SetWindowTextW(handle_, text::Widen(t).c_str());
}

void TApplication::Notification(TComponent* c, TOperation op) {
    TComponent::Notification(c, op);
    if (op == TOperation::Remove && c == mainForm_) mainForm_ = nullptr;
}

void TApplication::ShowException(const std::string& what) {
    if (OnException) {
        OnException(what);
        return;
    }
    ::MessageBoxW(handle_, text::Widen(what).c_str(), text::Widen(title_).c_str(), MB_OK | MB_ICONERROR);
}

bool TApplication::IsKeyMsg(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    HWND wnd = msg.hwnd;
    TWinControl* c = FindControl(wnd);
    while (!c && wnd) {
        wnd = ::GetParent(wnd);
        c = FindControl(wnd);
    }
    if (!c) return false;
    try {
        return c->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
    } catch (const std::exception& e) {
        ShowException(e.what());
        return true;
    }
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return false;
    }
    if (!IsKeyMsg(msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return true;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        if (!ProcessMessage(msg)) break;
}

void TApplication::HandleMessage() {
    MSG msg;
    BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
        terminated_ = true;
        return;
    }
    ProcessMessage(msg);
}

void TApplication::Run() {
    if (mainForm_ && !mainForm_->Visible()) mainForm_->Show();
    while (!terminated_) HandleMessage();
}

void TApplication::Terminate() {
    if (!terminated_) ::PostQuitMessage(0);
    terminated_ = true;
}

// ---- screen ----

const TClassInfo& TScreen::StaticClass() {
    static const TClassInfo info = DescribeClass<TScreen>("TScreen").Done();
    return info;
}

TCustomForm* TScreen::ActiveForm() const {
    HWND active = ::GetActiveWindow();
    for (TCustomForm* f : forms_)
        if (f->HandleAllocated() && f->Handle() == active) return f;
    return nullptr;
}

int TScreen::PixelsPerInch() const {
    HDC dc = ::GetDC(nullptr);
    int ppi = dc ? ::GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) ::ReleaseDC(nullptr, dc);
    return ppi;
}

}  // namespace tv
