#include "framework/Application.h"

#include <tuple>

#include "framework/Registration.h"
#include "base/Text.h"

namespace tv {

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

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

// ---- application ----

namespace {
LRESULT CALLBACK ApplicationWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return base::Guarded(LRESULT(0), [&]() -> LRESULT {
        // Popup menus it owns: their commands and owner-drawn items.
        TMessage m{msg, wParam, lParam, 0};
        if (DispatchMenuMessage(m)) return m.Result;
        if (msg == WM_CLOSE && Application && Application->MainForm()) {
            Application->MainForm()->Close();
            return 0;
        }
        return ::DefWindowProcW(wnd, msg, wParam, lParam);
    });
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
    // The newest application serves the forms until it goes; then the one before it again.
    previousHost_ = FormsHost();
    previousPopupOwner_ = PopupMenuOwner();
    previousSink_ = base::CallbackErrorSinkSlot();
    SetFormsHost(this);
    SetPopupMenuOwner(handle_);
    base::SetCallbackErrorSink([this](const std::string& what) { ShowException(what); });
    // The program's icon, in both sizes, answers WM_GETICON on the application window.
    for (auto [which, cx, cy] : {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON}, std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}})
        if (HANDLE icon = ::LoadImageW(instance, L"MAINICON", IMAGE_ICON, ::GetSystemMetrics(cx), ::GetSystemMetrics(cy),
                                       LR_SHARED))
            ::SendMessageW(handle_, WM_SETICON, WPARAM(which), reinterpret_cast<LPARAM>(icon));
}

TApplication::~TApplication() {
    SetState(TComponentState::Destroying, true);
    base::SetCallbackErrorSink(previousSink_);
    // Forms hear of their end while they are whole.
    for (int i = ComponentCount() - 1; i >= 0; --i)
        if (auto* f = dynamic_cast<TCustomForm*>(Components(i)); f && f->OnDestroy) {
            try {
                f->OnDestroy(f);
            } catch (...) {
            }
        }
    DestroyComponents();
    SetPopupMenuOwner(previousPopupOwner_);
    SetFormsHost(previousHost_);
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
    // Up through parents only: an owned window of another kind (a dialog of the
    // system's) is no part of its owner form, and its keys are not the form's.
    while (!c && wnd && (::GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CHILD)) {
        wnd = ::GetParent(wnd);
        c = FindControl(wnd);
    }
    if (!c) return false;
    // A key whose handling failed is reported and not handled once more.
    return base::Guarded(true, [&] { return c->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0; });
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return false;
    }
    if (OnMessage) {
        bool handled = false;
        // A failing handler is reported; the message then goes its usual way.
        base::Guarded([&] { OnMessage(msg, handled); });
        if (handled) return true;
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
    for (TCustomForm* f : FormList())
        if (f->HandleAllocated() && f->Handle() == active) return f;
    return nullptr;
}

int TScreen::PixelsPerInch() const {
    WindowDC screen(nullptr);
    return screen.Get() ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
}

}  // namespace tv
