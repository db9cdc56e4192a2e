#include "framework/Controls.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/MessageCrackers.h"
#include "raster/Text.h"

namespace tv {

namespace {
TWinControl* creatingControl = nullptr;  // the control whose CreateWindowEx is running
TControl* mouseControl = nullptr;
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

bool IsMouseClientMessage(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK; }
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

TControl* MouseControl() { return mouseControl; }

HCURSOR CursorHandle(TCursor cursor) {
    int id = 32512;  // IDC_ARROW
    switch (cursor) {
        case crCross: id = 32515; break;
        case crIBeam: id = 32513; break;
        case crSizeNESW: id = 32643; break;
        case crSizeNS: id = 32645; break;
        case crSizeNWSE: id = 32642; break;
        case crSizeWE: id = 32644; break;
        case crUpArrow: id = 32516; break;
        case crHourGlass:
        case crSQLWait: id = 32514; break;
        case crNo:
        case crNoDrop: id = 32648; break;
        case crAppStart: id = 32650; break;
        case crHelp: id = 32651; break;
        case crHandPoint: id = 32649; break;
        case crSizeAll: id = 32646; break;
        case crNone: return nullptr;
        default: break;
    }
    return ::LoadCursorW(nullptr, MAKEINTRESOURCEW(id));
}

TShiftState KeysToShiftState(WPARAM keys) {
    TShiftState s;
    if (keys & MK_SHIFT) s.Include(TShiftStateItem::ssShift);
    if (keys & MK_CONTROL) s.Include(TShiftStateItem::ssCtrl);
    if (keys & MK_LBUTTON) s.Include(TShiftStateItem::ssLeft);
    if (keys & MK_RBUTTON) s.Include(TShiftStateItem::ssRight);
    if (keys & MK_MBUTTON) s.Include(TShiftStateItem::ssMiddle);
    if (::GetKeyState(VK_MENU) < 0) s.Include(TShiftStateItem::ssAlt);
    return s;
}

TShiftState KeyboardShiftState() {
    TShiftState s;
    if (::GetKeyState(VK_SHIFT) < 0) s.Include(TShiftStateItem::ssShift);
    if (::GetKeyState(VK_CONTROL) < 0) s.Include(TShiftStateItem::ssCtrl);
    if (::GetKeyState(VK_MENU) < 0) s.Include(TShiftStateItem::ssAlt);
    return s;
}

MouseParams MouseParams::From(const TMessage& m) {
    MouseParams p;
    p.pt = PointFromLParam(m.LParam);
    p.shift = KeysToShiftState(m.WParam);
    if (m.Msg == WM_LBUTTONDBLCLK || m.Msg == WM_RBUTTONDBLCLK || m.Msg == WM_MBUTTONDBLCLK)
        p.shift.Include(TShiftStateItem::ssDouble);
    return p;
}

// ---- TControl ----

static const TEnumInfo& ShiftIdents() {
    static const TEnumInfo info = TEnumInfo::Sequential(
        "TShiftState", {"ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle", "ssDouble"});
    return info;
}

const TClassInfo& TControl::StaticClass() {
    (void)ShiftIdents;
    static const TClassInfo info =
        DescribeClass<TControl>("TControl")
            .Int("Left", &TControl::Left, &TControl::SetLeft)
            .Int("Top", &TControl::Top, &TControl::SetTop)
            .Int("Width", &TControl::Width, &TControl::SetWidth)
            .Int("Height", &TControl::Height, &TControl::SetHeight)
            .Int("Cursor", &TControl::Cursor, &TControl::SetCursor, &CursorType())
            .Default(crDefault)
            .Str("Hint", &TControl::Hint)
            .Enum("BiDiMode", BiDiModeType(), &TControl::BiDiMode, &TControl::SetBiDiMode)
            .Default(int(TBiDiMode::bdLeftToRight))
            .Str("Caption", &TControl::Caption, &TControl::SetCaption)
            .Str("Text", &TControl::Text, &TControl::SetTextProp)
            .NotStored()  // the same as Caption
            .Int("Color", &TControl::Color, &TControl::SetColor, &ColorIdents())
            .StoredIf([](const TControl& c) { return !c.ParentColor(); })
            .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
            .Obj<TFont>("Font", &TControl::FontPtr, nullptr)
            .StoredIf([](const TControl& c) { return !c.ParentFont(); })
            .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
            .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled)
            .Default(1)
            .Bool("Visible", &TControl::Visible, &TControl::SetVisible)
            .Default(1)
            .Event("OnClick", &TControl::OnClick)
            .Event("OnDblClick", &TControl::OnDblClick)
            .Event("OnMouseDown", &TControl::OnMouseDown)
            .Event("OnMouseUp", &TControl::OnMouseUp)
            .Event("OnMouseMove", &TControl::OnMouseMove)
            .Done();
    return info;
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
    WindowProc = [this](TMessage& m) { WndProc(m); };
    font_->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
    if (mouseControl == this) mouseControl = nullptr;
    if (parent_) parent_->RemoveControl(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    if (WindowProc) WindowProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& m) {
    if (const TMessageEntry* entry = ClassInfo().FindMessage(m.Msg)) {
        entry->handler(*this, m);
        return;
    }
    HandleMessage(m);
}

void TControl::HandleMessage(TMessage& m) {
    switch (m.Msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            auto p = MouseParams::From(m);
            pressed_ = true;
            if (m.Msg == WM_LBUTTONDBLCLK && OnDblClick) OnDblClick(this);
            MouseDown(TMouseButton::mbLeft, p.shift, p.pt.x, p.pt.y);
            break;
        }
        case WM_LBUTTONUP: {
            auto p = MouseParams::From(m);
            bool wasPressed = pressed_;
            pressed_ = false;
            MouseUp(TMouseButton::mbLeft, p.shift, p.pt.x, p.pt.y);
            RECT r = ClientRect();
            if (wasPressed && ClicksOnMouseUp() && ::PtInRect(&r, p.pt)) Click();
            break;
        }
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            auto p = MouseParams::From(m);
            MouseDown(m.Msg == WM_RBUTTONDOWN ? TMouseButton::mbRight : TMouseButton::mbMiddle, p.shift, p.pt.x,
                      p.pt.y);
            break;
        }
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            auto p = MouseParams::From(m);
            MouseUp(m.Msg == WM_RBUTTONUP ? TMouseButton::mbRight : TMouseButton::mbMiddle, p.shift, p.pt.x, p.pt.y);
            break;
        }
        case WM_MOUSEMOVE: {
            auto p = MouseParams::From(m);
            MouseMove(p.shift, p.pt.x, p.pt.y);
            break;
        }
        case CM_ENABLEDCHANGED:
        case CM_TEXTCHANGED:
        case CM_FONTCHANGED:
        case CM_COLORCHANGED: Invalidate(); break;
        case CM_PARENTFONTCHANGED: ApplyParentFont(); break;
        case CM_PARENTCOLORCHANGED: ApplyParentColor(); break;
        default: break;
    }
    DefaultHandler(m);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent == this) throw Exception("A control cannot be its own parent");
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* w = dynamic_cast<TWinControl*>(parent)) SetParent(w);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    bool graphic = !dynamic_cast<TWinControl*>(this);
    if (graphic) Invalidate();  // the old place
    left_ = left, top_ = top, width_ = width, height_ = height;
    if (graphic) Invalidate();
}

int TControl::ClientWidth() const {
    RECT r = ClientRect();
    return r.right - r.left;
}

int TControl::ClientHeight() const {
    RECT r = ClientRect();
    return r.bottom - r.top;
}

void TControl::SetClientSize(int width, int height) { SetBounds(left_, top_, width, height); }

POINT TControl::ClientToScreen(POINT p) const {
    if (auto* w = dynamic_cast<const TWinControl*>(this); w && w->HandleAllocated()) {
        ::ClientToScreen(const_cast<TWinControl*>(w)->Handle(), &p);
        return p;
    }
    p.x += left_;
    p.y += top_;
    return parent_ ? parent_->ClientToScreen(p) : p;
}

POINT TControl::ScreenToClient(POINT p) const {
    if (auto* w = dynamic_cast<const TWinControl*>(this); w && w->HandleAllocated()) {
        ::ScreenToClient(const_cast<TWinControl*>(w)->Handle(), &p);
        return p;
    }
    if (parent_) p = parent_->ScreenToClient(p);
    p.x -= left_;
    p.y -= top_;
    return p;
}

void TControl::SetVisible(bool v) {
    if (v == visible_) return;
    if (!dynamic_cast<TWinControl*>(this)) Invalidate();
    visible_ = v;
    Perform(CM_VISIBLECHANGED, v);
    if (!dynamic_cast<TWinControl*>(this)) Invalidate();
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const std::string& v) {
    if (v == text_) return;
    text_ = v;
    Perform(CM_TEXTCHANGED);
}

void TControl::SetColor(TColor v) {
    if (v == color_) return;
    color_ = v;
    ColorChanged();
}

void TControl::ColorChanged() {
    if (!applyingParent_) parentColor_ = false;
    Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v) {
    parentColor_ = v;
    if (v) ApplyParentColor();
}

void TControl::ApplyParentColor() {
    if (!parentColor_ || !parent_) return;
    applyingParent_ = true;
    SetColor(parent_->Color());
    applyingParent_ = false;
}

void TControl::FontChanged() {
    if (!applyingParent_) parentFont_ = false;
    Perform(CM_FONTCHANGED);
}

void TControl::SetParentFont(bool v) {
    parentFont_ = v;
    if (v) ApplyParentFont();
}

void TControl::ApplyParentFont() {
    if (!parentFont_ || !parent_) return;
    applyingParent_ = true;
    try {
        font_->Assign(parent_->Font());
    } catch (...) {
        applyingParent_ = false;
        throw;
    }
    applyingParent_ = false;
}

void TControl::SetCursor(TCursor v) {
    if (v == cursor_) return;
    cursor_ = v;
    Perform(CM_CURSORCHANGED);
}

const TEnumInfo& BiDiModeType() {
    static const TEnumInfo info = TEnumInfo::Sequential(
        "TBiDiMode", {"bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly"});
    return info;
}

void TControl::SetBiDiMode(TBiDiMode v) {
    if (v == biDiMode_) return;
    biDiMode_ = v;
    Invalidate();
}

void TControl::Invalidate() {
    if (parent_ && parent_->HandleAllocated() && !parent_->HasState(TComponentState::Destroying)) {
        RECT r = BoundsRect();
        ::InvalidateRect(parent_->Handle(), &r, TRUE);
    }
}

void TControl::Update() {
    if (parent_) parent_->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

void TControl::BringToFront() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    list.erase(std::find(list.begin(), list.end(), this));
    list.push_back(this);
    Invalidate();
}

void TControl::SendToBack() {
    if (!parent_) return;
    auto& list = parent_->controls_;
    list.erase(std::find(list.begin(), list.end(), this));
    list.insert(list.begin(), this);
    Invalidate();
}

TCustomForm* TControl::ParentForm() const {
    TCustomForm* form = nullptr;
    for (const TControl* c = this; c; c = c->parent_)
        if (auto* f = dynamic_cast<const TCustomForm*>(c)) form = const_cast<TCustomForm*>(f);
    return form;
}

// ---- TGraphicControl ----

const TClassInfo& TGraphicControl::StaticClass() {
    static const TClassInfo info = DescribeClass<TGraphicControl>("TGraphicControl").Done();
    return info;
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), canvas_(std::make_unique<TCanvas>()) {}

TGraphicControl::~TGraphicControl() { canvas_->SetHandle(nullptr); }

void TGraphicControl::HandleMessage(TMessage& m) {
    if (m.Msg == WM_PAINT) {
        // Painted by the parent with the DC in wParam, origin at our top left.
        HDC dc = reinterpret_cast<HDC>(m.WParam);
        if (!dc) return;
        canvas_->SetHandle(dc);
        try {
            Paint();
        } catch (...) {
            canvas_->SetHandle(nullptr);
            throw;
        }
        canvas_->SetHandle(nullptr);
        return;
    }
    TControl::HandleMessage(m);
}

void TGraphicControl::Invalidate() { TControl::Invalidate(); }

void TGraphicControl::Update() { TControl::Update(); }

// ---- TWinControl ----

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
    SetState(TComponentState::Destroying, true);
    // Owned controls go first, while this window still exists for them.
    DestroyComponents();
    for (TControl* c : controls_) c->parent_ = nullptr;
    controls_.clear();
    tabList_.clear();
    // Whatever replaced the window method may be gone already.
    WindowProc = [this](TMessage& m) { TWinControl::HandleMessage(m); };
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
    try {
        c->MainWndProc(m);
    } catch (const std::exception& e) {
        if (!painting) HandleCallbackException(e.what());
    } catch (...) {
        if (!painting) HandleCallbackException("unknown error");
    }
    return m.Result;
}

void TWinControl::MainWndProc(TMessage& m) {
    HWND wnd = handle_;
    // A copy keeps the method alive should the message free the control (CM_RELEASE).
    TWndMethod method = WindowProc;
    method(m);
    if (m.Msg == WM_NCDESTROY && wnd) {
        ::RemovePropW(wnd, MAKEINTATOM(ControlAtom()));
        if (handle_ == wnd) handle_ = nullptr;
        trackingLeave_ = false;
    }
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

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
    TWinControl* previous = creatingControl;
    creatingControl = this;
    HWND wnd = ::CreateWindowExW(p.exStyle, p.winClassName.c_str(), p.caption.c_str(), p.style, p.x, p.y, p.width,
                                 p.height, p.parent, p.menuOrId, ::GetModuleHandleW(nullptr), nullptr);
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
        ::DestroyWindow(handle_);
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
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        if (handle_ && !HasState(TComponentState::Loading)) w->Handle();
    } else {
        control->Invalidate();
    }
}

void TWinControl::Loaded() {
    TControl::Loaded();
    // Read into a parent that has its window already: ours is due now.
    if (!handle_ && parent_ && parent_->handle_ && Visible()) Handle();
}

void TWinControl::RemoveControl(TControl* control) {
    auto it = std::find(controls_.begin(), controls_.end(), control);
    if (it == controls_.end()) return;
    if (captureControl_ == control) captureControl_ = nullptr;
    if (!dynamic_cast<TWinControl*>(control)) control->Invalidate();
    controls_.erase(it);
    if (auto* w = dynamic_cast<TWinControl*>(control)) {
        tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), w), tabList_.end());
        // The window cannot stay a child of ours.
        if (w->handle_ && !w->HasState(TComponentState::Destroying)) w->DestroyHandle();
    }
    control->parent_ = nullptr;
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* c = *it;
        if (dynamic_cast<TWinControl*>(c)) continue;
        if (!c->Visible() || (!allowDisabled && !c->Enabled())) continue;
        RECT r = c->BoundsRect();
        if (::PtInRect(&r, p)) return c;
    }
    return nullptr;
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
    if (TCustomForm* form = ParentForm(); form && form != this) form->SetActiveControl(this);
    else if (Handle()) ::SetFocus(handle_);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (handle_) {
        ::SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        // WM_WINDOWPOSCHANGED has updated the fields; keep what was asked if it was refused.
        if (Left() != left || Top() != top || Width() != width || Height() != height) ApplyBounds();
    } else {
        if (width != Width() || height != Height()) pendingClientW_ = pendingClientH_ = -1;
        SetBoundsFields(left, top, width, height);
    }
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

bool TWinControl::ReflectToChild(HWND child, TMessage& m) {
    TWinControl* c = FindControl(child);
    if (!c || c == this) return false;
    m.Result = c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
    return true;
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
        try {
            c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        } catch (...) {
            // a control that fails to paint leaves its area as it was
        }
    }
}

void TWinControl::UpdateMouseControl(TControl* target) {
    if (mouseControl == target) return;
    TControl* old = mouseControl;
    mouseControl = target;
    if (old) old->Perform(CM_MOUSELEAVE);
    if (target && mouseControl == target) target->Perform(CM_MOUSEENTER);
}

bool TWinControl::RouteMouseToChild(TMessage& m) {
    if (!IsMouseClientMessage(m.Msg)) return false;
    POINT pt = PointFromLParam(m.LParam);
    TControl* target = captureControl_ ? captureControl_ : ControlAtPos(pt);
    if (m.Msg == WM_MOUSEMOVE) {
        // Asked again at every move: the system drops the request on capture changes.
        if (handle_) {
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, handle_, 0};
            trackingLeave_ = ::TrackMouseEvent(&tme) != FALSE;
        }
        RECT client = ClientRect();
        TControl* hover = captureControl_ ? (::PtInRect(&client, pt) ? ControlAtPos(pt) : nullptr) : target;
        UpdateMouseControl(hover ? hover : this);
    }
    if (!target) return false;
    LPARAM local = LParamFromPoint(POINT{pt.x - target->Left(), pt.y - target->Top()});
    if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) {
        captureControl_ = target;
        ::SetCapture(handle_);
    }
    m.Result = target->Perform(m.Msg, m.WParam, local);
    if (m.Msg == WM_LBUTTONUP && captureControl_) {
        captureControl_ = nullptr;
        if (::GetCapture() == handle_) ::ReleaseCapture();
    }
    return true;
}

void TWinControl::HandleMessage(TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT:
            if (hasOwnPaint_) {
                if (HDC dc = reinterpret_cast<HDC>(m.WParam)) {
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
                HDC dc = reinterpret_cast<HDC>(m.WParam);
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
                ::FillRect(reinterpret_cast<HDC>(m.WParam), &r, brush_.Handle());
                m.Result = 1;
                return;
            }
            break;
        case WM_COMMAND:
            if (m.LParam && ReflectToChild(reinterpret_cast<HWND>(m.LParam), m)) return;
            if (!m.LParam && HIWORD(m.WParam) == 0)  // from a menu
                if (TMenuItem* item = TMenuItem::FromCommand(LOWORD(m.WParam))) {
                    item->Click();
                    m.Result = 0;
                    return;
                }
            break;
        case WM_NOTIFY: {
            auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
            if (hdr && ReflectToChild(hdr->hwndFrom, m)) return;
            break;
        }
        case WM_DRAWITEM: {
            auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
            if (di && di->CtlType != ODT_MENU && ReflectToChild(di->hwndItem, m)) return;
            if (di && TMenu::DrawItem(*di)) {
                m.Result = TRUE;
                return;
            }
            break;
        }
        case WM_MEASUREITEM: {
            auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
            if (mi && TMenu::MeasureItem(*mi)) {
                m.Result = TRUE;
                return;
            }
            if (mi && mi->CtlType != ODT_MENU && handle_ &&
                ReflectToChild(::GetDlgItem(handle_, int(mi->CtlID)), m))
                return;
            break;
        }
        case WM_DELETEITEM: {
            auto* di = reinterpret_cast<DELETEITEMSTRUCT*>(m.LParam);
            if (di && ReflectToChild(di->hwndItem, m)) return;
            break;
        }
        case WM_COMPAREITEM: {
            auto* ci = reinterpret_cast<COMPAREITEMSTRUCT*>(m.LParam);
            if (ci && ReflectToChild(ci->hwndItem, m)) return;
            break;
        }
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CHARTOITEM:
        case WM_VKEYTOITEM:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            if (m.LParam && ReflectToChild(reinterpret_cast<HWND>(m.LParam), m)) return;
            break;
        case CN_CTLCOLORMSGBOX:
        case CN_CTLCOLOREDIT:
        case CN_CTLCOLORLISTBOX:
        case CN_CTLCOLORBTN:
        case CN_CTLCOLORDLG:
        case CN_CTLCOLORSCROLLBAR:
        case CN_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(m.WParam);
            ::SetTextColor(dc, ColorToRGB(Font().Color()));
            ::SetBkColor(dc, ColorToRGB(Color()));
            m.Result = reinterpret_cast<LRESULT>(brush_.Handle());
            return;
        }
        case CN_KEYDOWN:
        case CN_SYSKEYDOWN: {
            WORD key = WORD(m.WParam);
            // A form that previews keys sees them before its controls.
            if (TCustomForm* form = ParentForm(); form && form != this && form->KeyPreview && form->OnKeyDown) {
                form->OnKeyDown(form, key, KeyboardShiftState());
                if (key == 0) {
                    m.Result = 1;
                    return;
                }
            }
            if (OnKeyDown) {
                OnKeyDown(this, key, KeyboardShiftState());
                if (key == 0) {
                    m.Result = 1;
                    return;
                }
            }
            if (!WantsKey(key))
                if (TCustomForm* form = ParentForm(); form && form->Perform(CM_DIALOGKEY, key, m.LParam) != 0) {
                    m.Result = 1;
                    return;
                }
            m.Result = 0;
            return;
        }
        case CN_SYSCHAR:
            if (TCustomForm* form = ParentForm()) m.Result = form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
            return;
        case CN_CHAR:
            if (handle_ && !(::SendMessageW(handle_, WM_GETDLGCODE, m.WParam, 0) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)))
                if (TCustomForm* form = ParentForm()) {
                    m.Result = form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam);
                    return;
                }
            m.Result = 0;
            return;
        case WM_SETFOCUS:
            if (TCustomForm* form = ParentForm(); form && form != this) form->FocusMovedTo(this);
            break;
        case WM_MOUSELEAVE: {
            trackingLeave_ = false;
            // A leave posted earlier may arrive after the pointer came back.
            POINT pt;
            ::GetCursorPos(&pt);
            if (::WindowFromPoint(pt) == handle_) break;
            // Leaving the window leaves it and its windowless children.
            if (mouseControl == this ||
                (mouseControl && mouseControl->Parent() == this && !dynamic_cast<TWinControl*>(mouseControl))) {
                TControl* old = mouseControl;
                mouseControl = nullptr;
                old->Perform(CM_MOUSELEAVE);
            }
            break;
        }
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(m.LParam) != handle_) captureControl_ = nullptr;
            break;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(m.WParam) == handle_ && LOWORD(m.LParam) == HTCLIENT) {
                POINT pt;
                ::GetCursorPos(&pt);
                ::ScreenToClient(handle_, &pt);
                TControl* c = captureControl_ ? captureControl_ : ControlAtPos(pt);
                TCursor cursor = c && c->Cursor() != crDefault ? c->Cursor() : Cursor();
                if (cursor != crDefault) {
                    ::SetCursor(CursorHandle(cursor));
                    m.Result = 1;
                    return;
                }
            }
            break;
        case WM_WINDOWPOSCHANGED: {
            auto* wp = reinterpret_cast<WINDOWPOS*>(m.LParam);
            if (wp && (!(wp->flags & SWP_NOSIZE) || !(wp->flags & SWP_NOMOVE))) {
                int w = Width(), h = Height();
                ApplyBounds();
                if ((w != Width() || h != Height()) && OnResize) OnResize(this);
            }
            if (wp && (wp->flags & SWP_SHOWWINDOW) && !destroyingWnd_) SetVisibleField(true);
            if (wp && (wp->flags & SWP_HIDEWINDOW) && !destroyingWnd_) SetVisibleField(false);
            break;
        }
        case WM_ENABLE: break;
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
                DestroyHandle();
                Handle();
            }
            return;
        default:
            if (RouteMouseToChild(m)) return;
            break;
    }
    TControl::HandleMessage(m);
}

// ---- TCustomControl ----

const TClassInfo& TCustomControl::StaticClass() {
    static const TClassInfo info = DescribeClass<TCustomControl>("TCustomControl").Done();
    return info;
}

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), canvas_(std::make_unique<TCanvas>()) {}

TCustomControl::~TCustomControl() { canvas_->SetHandle(nullptr); }

void TCustomControl::PaintWindow(HDC dc) {
    canvas_->SetHandle(dc);
    try {
        Paint();
    } catch (...) {
        canvas_->SetHandle(nullptr);
        throw;
    }
    canvas_->SetHandle(nullptr);
}

}  // namespace tv
