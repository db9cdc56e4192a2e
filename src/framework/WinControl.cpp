// The windowed control and its window: the window class, the window procedure,
// creation and destruction, children and bounds.
#include "framework/Controls.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "base/CallbackGuard.h"
#include "framework/MessageCrackers.h"
#include "base/Text.h"

namespace tv {

namespace {
TWinControl* creatingControl = nullptr;  // the control whose CreateWindowEx is running
int nextControlId = 100;

ATOM ControlAtom() {
    static const ATOM atom = ::GlobalAddAtomW(ControlPropertyName().c_str());
    return atom;
}

std::map<std::wstring, WNDPROC>& ClassProcs() {
    static auto* procs = new std::map<std::wstring, WNDPROC>;  // lives as long as the windows
    return *procs;
}

// Registers the framework class once; answers the procedure its windows default to.
WNDPROC EnsureWindowClass(const TCreateParams& p) {
    auto& procs = ClassProcs();
    auto it = procs.find(p.winClassName);
    if (it != procs.end()) return it->second;
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    WNDPROC def;
    if (!p.sysClassName.empty()) {
        if (!::GetClassInfoExW(nullptr, p.sysClassName.c_str(), &wc))
            throw Exception("System window class " + text::Narrow(p.sysClassName) + " not found");
        def = wc.lpfnWndProc;
        wc.style &= ~UINT(CS_GLOBALCLASS);
        wc.cbSize = sizeof wc;
    } else {
        def = ::DefWindowProcW;
        wc.style = p.classStyle;
        wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        wc.hIcon = ::LoadIconW(instance, L"MAINICON");
        if (!wc.hIcon) wc.hIcon = ::LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
    }
    wc.lpfnWndProc = TWinControl::InitWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = p.winClassName.c_str();
    if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw Exception("Cannot register window class " + text::Narrow(p.winClassName));
    procs[p.winClassName] = def;
    return def;
}
}  // namespace

const std::wstring& ControlPropertyName() {
    static const std::wstring name = [] {
        wchar_t buf[64];
        std::swprintf(buf, 64, L"ControlOfs%.8X%.8X", unsigned(reinterpret_cast<std::uintptr_t>(::GetModuleHandleW(nullptr))),
                      unsigned(::GetCurrentThreadId()));
        return std::wstring(buf);
    }();
    return name;
}

TWinControl* FindControl(HWND wnd) {
    if (!wnd) return nullptr;
    auto* c = static_cast<TControl*>(::GetPropW(wnd, MAKEINTATOM(ControlAtom())));
    return static_cast<TWinControl*>(c);
}


const TClassInfo& TWinControl::StaticClass() {
    static const TClassInfo info = DescribeClass<TWinControl>("TWinControl")
                                       .Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
                                       .Default(-1)
                                       .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
                                       .Event("OnEnter", &TWinControl::OnEnter)
                                       .Event("OnExit", &TWinControl::OnExit)
                                       .Event("OnKeyDown", &TWinControl::OnKeyDown)
            .Event("OnResize", &TWinControl::OnResize)
                                       .Done();
    return info;
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
    brush_.SetColor(Color());
}

TWinControl::~TWinControl() {
    ReleaseWeakRefs();
    // Whatever replaced the window method may be gone already, and the derived
    // classes are: the window's last messages see this class's handling only.
    WindowProc = [this](TMessage& m) { TWinControl::HandleMessage(m); };
    SetState(TComponentState::Destroying, true);
    // Leave the parent's lists and its host's focus while still a windowed control.
    if (parent_) parent_->RemoveControl(this);
    // Owned controls go first, while this window still exists for them.
    DestroyComponents();
    for (TControl* c : controls_) c->parent_ = nullptr;
    controls_.clear();
    tabList_.clear();
    DestroyHandle();
}

LRESULT CALLBACK TWinControl::InitWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* c = FindControl(wnd);
    if (!c) {
        c = creatingControl;
        if (!c) return ::DefWindowProcW(wnd, msg, wParam, lParam);
        creatingControl = nullptr;
        c->handle_ = wnd;
        ::SetPropW(wnd, MAKEINTATOM(ControlAtom()), static_cast<TControl*>(c));
    }
    TMessage m{msg, wParam, lParam, 0};
    // Painting failures are swallowed: a dialog from inside WM_PAINT would only repaint again.
    const bool painting = msg == WM_PAINT || msg == WM_NCPAINT || msg == WM_ERASEBKGND || msg == WM_PRINTCLIENT;
    base::Guarded([&] { c->MainWndProc(m); }, painting ? base::OnFailure::Swallow : base::OnFailure::Report);
    return m.Result;
}

void TWinControl::MainWndProc(TMessage& m) {
    // A copy keeps the method alive should the message free the control (CM_RELEASE).
    TWndMethod method = WindowProc;
    if (m.Msg != WM_NCDESTROY) {
        method(m);
        return;
    }
    // The window is gone whatever its last message does: the control lets go of it.
    struct Unlink {
        TWinControl* control;
        HWND wnd;
        ~Unlink() {
            ::RemovePropW(wnd, MAKEINTATOM(ControlAtom()));
            if (control->handle_ == wnd) control->handle_ = nullptr;
            control->trackingLeave_ = false;
        }
    } unlink{this, handle_};
    method(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
    // Framework notifications end here; the window class never sees them.
    if (m.Msg >= CM_BASE && m.Msg < CN_BASE + 0x400) return;
    if (handle_ && defWndProc_) m.Result = ::CallWindowProcW(defWndProc_, handle_, m.Msg, m.WParam, m.LParam);
}

HWND TWinControl::Handle() {
    if (!handle_) CreateHandle();
    return handle_;
}

void TWinControl::CreateHandle() {
    if (handle_) return;
    CreateWnd();
    if (!handle_) return;
    ::SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), FALSE);
    for (TWinControl* c : tabList_) c->Handle();
    // Z order follows the tab order, as dialogs have it.
    for (TWinControl* c : tabList_)
        if (c->handle_) ::SetWindowPos(c->handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::CreateParams(TCreateParams& p) {
    p.caption = text::Widen(text_);
    p.style = WS_CHILD | WS_CLIPSIBLINGS;
    if (Visible()) p.style |= WS_VISIBLE;
    if (!Enabled()) p.style |= WS_DISABLED;
    if (tabStop_) p.style |= WS_TABSTOP;
    p.x = Left(), p.y = Top(), p.width = Width(), p.height = Height();
    if (parent_ && !measuring_) p.parent = parent_->Handle();
    p.menuOrId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(++nextControlId));
    p.winClassName = text::Widen(ClassName());
}

void TWinControl::CreateWnd() {
    TCreateParams p;
    CreateParams(p);
    // Making the parent's window made ours already, with the parent's other children.
    if (handle_) return;
    if ((p.style & WS_CHILD) && !p.parent) throw Exception("Control " + Name() + " has no parent window");
    defWndProc_ = EnsureWindowClass(p);
    hasOwnPaint_ = p.sysClassName.empty();
    CreateWindowHandle(p);
    if (!handle_) throw Exception("Cannot create the window of " + ClassName() + " " + Name());
    // The frame was only estimated: now the client area gets exactly the size asked for.
    if (pendingClientW_ >= 0) {
        int w = pendingClientW_, h = pendingClientH_;
        pendingClientW_ = pendingClientH_ = -1;
        RECT client;
        ::GetClientRect(handle_, &client);
        int dw = w - client.right, dh = h - client.bottom;
        if (dw || dh) SetBounds(Left(), Top(), Width() + dw, Height() + dh);
    }
}

TWinControl* ControlBeingCreated() { return creatingControl; }

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
    CreateLinkedWindow([&] {
        return ::CreateWindowExW(p.exStyle, p.winClassName.c_str(), p.caption.c_str(), p.style, p.x, p.y, p.width,
                                 p.height, p.parent, p.menuOrId, ::GetModuleHandleW(nullptr), nullptr);
    });
}

void TWinControl::CreateLinkedWindow(const std::function<HWND()>& create) {
    TWinControl* previous = creatingControl;
    creatingControl = this;
    HWND wnd = nullptr;
    try {
        wnd = create();
    } catch (...) {
        creatingControl = previous;
        throw;
    }
    creatingControl = previous;
    if (wnd && !handle_) {
        // Created without passing our procedure (should not happen): link it now.
        handle_ = wnd;
        ::SetPropW(wnd, MAKEINTATOM(ControlAtom()), static_cast<TControl*>(this));
    }
}

void TWinControl::DestroyWnd() {
    if (handle_) {
        text_ = GetText();
        // The window's end is no change of the control's visibility.
        destroyingWnd_ = true;
        DestroyWindowHandle(handle_);
        destroyingWnd_ = false;
    }
}

void TWinControl::DestroyHandle() {
    if (!handle_) return;
    for (TWinControl* c : tabList_) c->DestroyHandle();
    DestroyWnd();
    handle_ = nullptr;
}

void TWinControl::RecreateWnd() {
    if (handle_) ::PostMessageW(handle_, CM_RECREATEWND, 0, 0);
}

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        tabList_.push_back(w);
        if (w->tabOrder_ >= 0) w->SetTabOrder(w->tabOrder_);
    }
    control->ApplyParentFont();
    control->ApplyParentColor();
    if (control->Align() != TAlign::alNone) AlignControls();
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        if (handle_ && !HasState(TComponentState::Loading)) w->Handle();
    } else {
        control->Invalidate();
    }
}

void TWinControl::Loaded() {
    TControl::Loaded();
    AlignControls();
    // Read into a parent that has its window already: ours is due now.
    if (!handle_ && parent_ && parent_->handle_ && Visible()) Handle();
}

void TWinControl::RemoveControl(TControl* control) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) return;
    if (captureControl_ == control) {
        captureControl_ = nullptr;
        if (handle_ && ::GetCapture() == handle_) ::ReleaseCapture();
    }
    auto* w = dynamic_cast<TWinControl*>(control);
    if (w) ChildLeaving(w);  // the focus host lets go of it (and its children) first
    else control->Invalidate();
    if (auto again = std::find(controls_.begin(), controls_.end(), control); again != controls_.end())
        controls_.erase(again);
    if (w) {
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), w), tabList_.end());
        // The window cannot stay a child of ours.
        if (w->handle_ && !w->HasState(TComponentState::Destroying)) w->DestroyHandle();
    }
    control->parent_ = nullptr;
}

void TWinControl::Broadcast(TMessage& m) {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        TControl* c = controls_[i];
        TMessage copy = m;
        if (c->WindowProc) c->WindowProc(copy);
        if (copy.Result != 0) {
            m.Result = copy.Result;
            return;
        }
    }
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (handle_) {
        ::SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        // WM_WINDOWPOSCHANGED has updated the fields; keep what was asked if it was refused.
        if (Left() != left || Top() != top || Width() != width || Height() != height) ApplyBounds();
    } else {
        if (width != Width() || height != Height()) pendingClientW_ = pendingClientH_ = -1;
        const bool changed = Width() != width || Height() != height;
        SetBoundsFields(left, top, width, height);
        if (changed) AlignControls();
    }
    RealignInParent();
}

void TWinControl::ApplyBounds() {
    RECT r;
    if (!handle_ || !::GetWindowRect(handle_, &r)) return;
    if (HWND p = ::GetParent(handle_); p && (::GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD))
        ::MapWindowPoints(nullptr, p, reinterpret_cast<POINT*>(&r), 2);
    SetBoundsFields(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

RECT TWinControl::ClientRect() const {
    RECT r{0, 0, Width(), Height()};
    if (handle_) {
        ::GetClientRect(handle_, &r);
    } else if (pendingClientW_ >= 0) {
        r = {0, 0, pendingClientW_, pendingClientH_};
    } else {
        SIZE frame = EstimatedFrame();
        r.right = std::max<LONG>(0, r.right - frame.cx);
        r.bottom = std::max<LONG>(0, r.bottom - frame.cy);
    }
    return r;
}

SIZE TWinControl::EstimatedFrame() const {
    auto* self = const_cast<TWinControl*>(this);
    TCreateParams p;
    self->measuring_ = true;
    try {
        self->CreateParams(p);
    } catch (...) {
        self->measuring_ = false;
        throw;
    }
    self->measuring_ = false;
    RECT r{0, 0, 0, 0};
    ::AdjustWindowRectEx(&r, p.style, FALSE, p.exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void TWinControl::SetClientSize(int width, int height) {
    SIZE frame;
    if (handle_) {
        RECT now = ClientRect();
        frame = SIZE{Width() - (now.right - now.left), Height() - (now.bottom - now.top)};
    } else {
        frame = EstimatedFrame();
    }
    SetBounds(Left(), Top(), width + frame.cx, height + frame.cy);
    if (!handle_) pendingClientW_ = width, pendingClientH_ = height;
}

bool TWinControl::Showing() const {
    if (handle_) return ::IsWindowVisible(handle_) != FALSE;
    return Visible() && (!parent_ || parent_->Showing());
}

void TWinControl::SetEnabled(bool v) { TControl::SetEnabled(v); }

std::string TWinControl::GetText() const {
    if (!handle_) return TControl::GetText();
    int n = ::GetWindowTextLengthW(handle_);
    std::wstring w(std::size_t(n) + 1, L'\0');
    n = ::GetWindowTextW(handle_, w.data(), n + 1);
    w.resize(std::size_t(std::max(n, 0)));
    return text::Narrow(w);
}

void TWinControl::SetText(const std::string& v) {
    if (handle_) {
        if (v == GetText()) return;
        ::SetWindowTextW(handle_, text::Widen(v).c_str());
        TControl::SetText(v);
        return;
    }
    TControl::SetText(v);
}

void TWinControl::Invalidate() {
    if (handle_) ::InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
    if (handle_) ::UpdateWindow(handle_);
}

void TWinControl::BringToFront() {
    TControl::BringToFront();
    if (handle_) ::SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TWinControl::SendToBack() {
    TControl::SendToBack();
    if (handle_) ::SetWindowPos(handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    if (handle_) ::SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
    TMessage m{CM_PARENTFONTCHANGED, 0, 0, 0};
    for (TControl* c : controls_) c->Perform(m.Msg);
}

void TWinControl::ColorChanged() {
    brush_.SetColor(Color());
    TControl::ColorChanged();
    for (TControl* c : controls_) c->Perform(CM_PARENTCOLORCHANGED);
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC dc, TControl* first) {
    bool started = first == nullptr;
    for (TControl* c : controls_) {
        if (!started) {
            started = c == first;
            if (!started) continue;
        }
        if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
        RECT r = c->BoundsRect();
        if (!::RectVisible(dc, &r)) continue;
        DCStateScope state(dc);
        POINT org;
        ::GetViewportOrgEx(dc, &org);
        ::SetViewportOrgEx(dc, org.x + c->Left(), org.y + c->Top(), nullptr);
        ::IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        // A control that fails to paint leaves its area as it was; the others still paint.
        base::Guarded([&] { c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0); }, base::OnFailure::Swallow);
    }
}

void TWinControl::HandleMessage(TMessage& m) {
    if (HandleReflection(m) || HandleMouseRouting(m) || HandleKeys(m)) return;
    switch (m.Msg) {
        case WM_PAINT:
            if (hasOwnPaint_) {
                if (HDC dc = HandleFromWParam<HDC>(m)) {
                    PaintWindow(dc);
                    PaintControls(dc, nullptr);
                } else {
                    PaintDC paint(handle_);
                    PaintWindow(paint.Get());
                    PaintControls(paint.Get(), nullptr);
                }
                m.Result = 0;
                return;
            }
            break;
        case WM_PRINTCLIENT:
            if (hasOwnPaint_) {
                HDC dc = HandleFromWParam<HDC>(m);
                RECT r = ClientRect();
                ::FillRect(dc, &r, brush_.Handle());
                PaintWindow(dc);
                PaintControls(dc, nullptr);
                return;
            }
            break;
        case WM_ERASEBKGND:
            if (hasOwnPaint_) {
                RECT r = ClientRect();
                ::FillRect(HandleFromWParam<HDC>(m), &r, brush_.Handle());
                m.Result = 1;
                return;
            }
            break;
        case WM_WINDOWPOSCHANGED: {
            auto* wp = StructFromLParam<WINDOWPOS>(m);
            if (wp && (!(wp->flags & SWP_NOSIZE) || !(wp->flags & SWP_NOMOVE))) {
                int w = Width(), h = Height();
                ApplyBounds();
                if ((w != Width() || h != Height()) && OnResize) OnResize(this);
            }
            if (wp && (wp->flags & SWP_SHOWWINDOW) && !destroyingWnd_) SetVisibleField(true);
            if (wp && (wp->flags & SWP_HIDEWINDOW) && !destroyingWnd_) SetVisibleField(false);
            break;
        }
        case WM_SIZE:
            // The client area changes without the window doing so too (a menu bar, a frame
            // drawn anew): aligned children follow the client area.
            AlignControls();
            break;
        case CM_ENABLEDCHANGED:
            if (handle_) ::EnableWindow(handle_, Enabled());
            break;
        case CM_VISIBLECHANGED:
            if (handle_)
                ::SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                                   (m.WParam ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
            else if (m.WParam && parent_ && parent_->HandleAllocated())
                Handle();
            break;
        case CM_RECREATEWND:
            if (handle_) {
                // A window that was on screen is on screen again (forms are made hidden).
                const bool shown = ::IsWindowVisible(handle_) != FALSE;
                DestroyHandle();
                if (Handle() && shown && !::IsWindowVisible(handle_)) ::ShowWindow(handle_, SW_SHOW);
            }
            return;
        default: break;
    }
    TControl::HandleMessage(m);
}

}  // namespace tv
