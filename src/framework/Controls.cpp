// Controls: TControl, windowless controls and custom-painted windowed controls.
// The windowed control's window, its children, reflection, mouse routing and focus
// live in WinControl.cpp, ControlReflection.cpp, ControlMouse.cpp and ControlFocus.cpp.
#include "framework/Controls.h"

#include <algorithm>

#include "framework/MessageCrackers.h"

namespace tv {

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
            .Enum("Align", AlignType(), &TControl::Align, &TControl::SetAlign)
            .Default(int(TAlign::alNone))
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
            .Obj<TComponent>("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
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
    // A windowed control has left its parent already, while it was still one; a
    // windowless one leaves now (its parent gives back the mouse it held for it).
    if (parent_) parent_->RemoveControl(this);
    ReleaseWeakRefs();
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
        case WM_CONTEXTMENU:
            if (auto* menu = dynamic_cast<TPopupSource*>(PopupMenu())) {
                POINT at{short(LOWORD(m.LParam)), short(HIWORD(m.LParam))};
                if (m.LParam == -1) at = ClientToScreen(POINT{0, 0});  // from the keyboard
                menu->PopupFor(this, at.x, at.y);
                m.Result = 0;
                return;
            }
            break;
        default: break;
    }
    DefaultHandler(m);
}

void TControl::SetPopupMenu(TComponent* menu) {
    if (menu && !dynamic_cast<TPopupSource*>(menu)) throw Exception(menu->Name() + " is not a popup menu");
    popupMenu_ = menu;
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
    RealignInParent();
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
    if (align_ != TAlign::alNone && parent_) parent_->AlignControls();
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

TWinControl* TControl::TopParent() const {
    const TControl* c = this;
    while (c->parent_) c = c->parent_;
    return const_cast<TWinControl*>(dynamic_cast<const TWinControl*>(c));
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
        HDC dc = HandleFromWParam<HDC>(m);
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
