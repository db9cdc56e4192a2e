#include "skin/controls/EditSkinners.h"

#include <algorithm>
#include <string>

#include "base/Ascii.h"
#include "base/CallbackGuard.h"
#include "base/Text.h"
#include "framework/Graphics.h"
#include "framework/MessageCrackers.h"
#include "skin/controls/ScrollBarSkinners.h"
#include "skin/core/WinSkinData.h"
#include "skin/forms/DrawPrimitives.h"

#include <commctrl.h>

namespace skin {

namespace {

constexpr UINT SKM_PAINTCLIENTDC = 0xBC4A;
constexpr LPARAM kPaintMarker = 0x41A2;
const wchar_t kArrowClass[] = L"TArrowButton";

COLORREF Shadow(const TSkinData* data) {
    return tv::ColorToRGB(data ? data->SkinColors.ButtonShadow : tv::clBtnShadow);
}

void FrameWith(HDC dc, const RECT& r, COLORREF colour) {
    const tv::OwnedBrush brush(::CreateSolidBrush(colour));
    ::FrameRect(dc, &r, brush.Get());
}

RECT Inset(RECT r, int by) {
    ::InflateRect(&r, -by, -by);
    return r;
}

// The window has a border of its own: its client area is smaller both ways.
bool HasBorder(HWND window, const RECT& rect, int extra = 0) {
    RECT client{};
    if (!::GetClientRect(window, &client)) return false;
    return client.right + extra < rect.right - rect.left && client.bottom + extra < rect.bottom - rect.top;
}

// The brush the edit fills its background with: a read-only or disabled edit asks its
// parent as static text does, any other as an edit.
HBRUSH EditBackground(HWND edit, HDC dc) {
    const bool grey = (::GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) || !::IsWindowEnabled(edit);
    HBRUSH brush = nullptr;
    if (HWND parent = ::GetParent(edit)) {
        const int saved = ::SaveDC(dc);
        brush = reinterpret_cast<HBRUSH>(::SendMessageW(parent, grey ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT,
                                                        reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit)));
        ::RestoreDC(dc, saved);
    }
    return brush ? brush : ::GetSysColorBrush(grey ? COLOR_BTNFACE : COLOR_WINDOW);
}

std::string LowerClassName(HWND window) {
    wchar_t name[101] = {};
    return base::AsciiLower(text::Narrow(std::wstring(name, std::size_t(::GetClassNameW(window, name, 100)))));
}

bool HasFocusIn(HWND window) {
    const HWND focus = ::GetFocus();
    return focus && (focus == window || ::IsChild(window, focus));
}

}  // namespace

// ---- edit ------------------------------------------------------------------------------------

const tv::TClassInfo& TSkinEdit::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinEdit>("TSkinEdit").Done();
    return info;
}

TSkinEdit::TSkinEdit(tv::TComponent* owner) : TSkinControl(owner) {}

TSkinEdit::~TSkinEdit() = default;

void TSkinEdit::AfterMessage(tv::TMessage& m) {
    switch (m.Msg) {
        case WM_NCPAINT:
            // The system has drawn its own border again (a window moved off only the frame).
            PaintWindow(nullptr);
            break;
        case WM_PRINT: {
            HDC dc = reinterpret_cast<HDC>(m.WParam);
            base::Guarded([&] {
                RECT r{};
                if (!Handle || !::GetWindowRect(Handle, &r)) return;
                ::OffsetRect(&r, -r.left, -r.top);
                tv::WindowDC own(dc ? nullptr : Handle, true);
                HDC target = dc ? dc : own.Get();
                if (!target || !HasBorder(Handle, r, 2)) return;
                const RECT inner = Inset(r, 1);
                ::FrameRect(target, &inner, static_cast<HBRUSH>(::GetCurrentObject(target, OBJ_BRUSH)));
                FrameWith(target, r, Shadow(SkinData));
            }, base::OnFailure::Swallow);
            break;
        }
        case SKM_PAINTCLIENTDC:
            if (m.LParam == kPaintMarker) {
                if (m.WParam && ::GetObjectType(reinterpret_cast<HGDIOBJ>(m.WParam)) != 0) {
                    tv::TMessage paint{WM_PAINT, m.WParam, 0, 0};
                    CallPrevious(paint);
                }
                m.Result = kPaintMarker;
            }
            break;
        default: TSkinControl::AfterMessage(m); break;
    }
}

void TSkinEdit::DrawSkin(HDC dc, const RECT& rect) {
    if (!Handle) return;
    if (SkinData && SkinData->SkinControls.Contains(TSkinControlType::xcSpin) && !UpDown.Get()) {
        for (HWND child = ::GetWindow(Handle, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            const std::string c = LowerClassName(child);
            if (c != "msctls_updown32" && c.find("spin") == std::string::npos && c.find("updown") == std::string::npos)
                continue;
            // Whoever skins up-down buttons registers that skinner; without one it stays stock.
            if (TChildSkinner* s = CreateChildSkinner("TSkinUpDown", this)) {
                s->AttachWindow(child, SkinData, FormSkinner(), Canvas);
                if (s->State() == kChildCreated) delete s;
                else UpDown = s;
            }
            break;
        }
    }
    if (!HasBorder(Handle, rect)) return;
    FrameWith(dc, rect, Shadow(SkinData));
    HBRUSH inside = EditBackground(Handle, dc);
    for (int ring = 1; ring <= 2; ++ring) {
        const RECT r = Inset(rect, ring);
        ::FrameRect(dc, &r, inside);
    }
}

// ---- the combo box's own edit ----------------------------------------------------------------

// Follows the edit inside an editable combo box: its painting and presses concern the
// combo's frame and button.
class TComboEditHook : public TSkinControl {
    TV_CLASS(TComboEditHook, TSkinControl)
    explicit TComboEditHook(tv::TComponent* owner) : TSkinControl(owner) {}
    tv::WeakPtr<TSkinComBox> Combo;

    void AfterMessage(tv::TMessage& m) override {
        TSkinComBox* combo = Combo.Get();
        if (!combo) return;
        switch (m.Msg) {
            case WM_PAINT:
            case WM_SETFOCUS:
            case WM_KILLFOCUS: combo->EditPainted(); break;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK: combo->EditPressed(true); break;
            case WM_LBUTTONUP: combo->EditPressed(false); break;
            default: break;
        }
    }
};

const tv::TClassInfo& TComboEditHook::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TComboEditHook>("TComboEditHook").Done();
    return info;
}

// ---- combo box -------------------------------------------------------------------------------

const tv::TClassInfo& TSkinComBox::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinComBox>("TSkinComBox").Done();
    return info;
}

TSkinComBox::TSkinComBox(tv::TComponent* owner) : TSkinControl(owner) {}

// The helpers are components of this skinner and go with it; their windows get their
// procedures back as they go.
TSkinComBox::~TSkinComBox() = default;

bool TSkinComBox::ComboInfo(COMBOBOXINFO& info) const {
    const auto get = User32Entries().GetComboBoxInfo;
    if (!get || !Handle) return false;
    info = COMBOBOXINFO{};
    info.cbSize = sizeof info;
    return get(Handle, &info) != FALSE;
}

void TSkinComBox::AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachControl(formSkinner, data, recolor, canvas);
    if (Attached) AttachHelpers(true);
}

void TSkinComBox::AttachHelpers(bool lists) {
    if (!Handle) return;
    Style = GetLong(Handle, GWL_STYLE);
    COMBOBOXINFO info{};
    if ((Style & 3) != CBS_SIMPLE) {
        if (lists && (Style & CBS_DROPDOWN) && ComboInfo(info) && info.hwndList) {
            ListWindow = info.hwndList;
            auto* bar = new TComboxScrollBar(this);
            bar->AttachWindow(ListWindow, SkinData, FormSkinner(), Canvas);
            if (bar->State() == kChildCreated) delete bar;
            else ListBar = bar;
        }
        HookEdit();
    } else if (lists && ComboInfo(info) && info.hwndList) {
        ListWindow = info.hwndList;
        if (!HasPopupStyle(ListWindow) && (::GetWindowLongW(ListWindow, GWL_STYLE) & WS_CHILD)) {
            auto* scroll = new TSkinScrollbarH(this);
            scroll->AttachWindow(ListWindow, SkinData, FormSkinner(), Canvas);
            if (scroll->State() == kChildCreated) delete scroll;
            else ListScroll = scroll;
        }
    }
}

void TSkinComBox::AttachWindow(HWND window, TSkinData* data, TSkinnerHost* formSkinner, tv::TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachWindow(window, data, formSkinner, canvas);
    if (Attached) AttachHelpers(false);
}

void TSkinComBox::HookEdit() {
    // The combo's own edit (an editable combo's first child); a fixed field has none.
    COMBOBOXINFO info{};
    HWND edit = ComboInfo(info) ? info.hwndItem : nullptr;
    if (!edit || edit == Handle) {
        edit = ::GetWindow(Handle, GW_CHILD);
        if (edit && LowerClassName(edit) != "edit") edit = nullptr;
    }
    if (!edit) return;
    EditWindow = edit;
    auto* hook = new TComboEditHook(this);
    hook->Combo = this;
    hook->AttachWindow(edit, SkinData, FormSkinner(), Canvas);
    if (hook->State() == kChildCreated) delete hook;
    else editHook_ = hook;
}

void TSkinComBox::FreeHelpers() {
    for (TSkinControl* helper : {static_cast<TSkinControl*>(editHook_.Get()), static_cast<TSkinControl*>(ListBar.Get()),
                                 static_cast<TSkinControl*>(ListScroll.Get())}) {
        if (!helper) continue;
        if (helper->State() != kChildWindowGone) helper->Detach();
        delete helper;
    }
    editHook_ = nullptr;
    ListBar = nullptr;
    ListScroll = nullptr;
}

void TSkinComBox::Detach() {
    TSkinControl::Detach();
    FreeHelpers();
    Active = false;
    // The stock frame and button come back at the next paint.
    if (State() != kChildWindowGone && Handle && ::IsWindow(Handle))
        ::RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TSkinComBox::EditPainted() {
    if (Active) PaintWindow(nullptr);
}

void TSkinComBox::EditPressed(bool down) {
    if (down) MouseState.Include(TSkinMouse::Pressed);
    else MouseState.Exclude(TSkinMouse::Pressed);
    if (Active) PaintWindow(nullptr);
}

void TSkinComBox::AfterMessage(tv::TMessage& m) {
    switch (m.Msg) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            // The stock combo repaints only a fixed field on focus changes; the frame's look
            // follows the focus in every style.
            PaintWindow(nullptr);
            break;
        case WM_MOUSEMOVE: {
            const POINT p = tv::PointFromLParam(m.LParam);
            const bool over = ::PtInRect(&ButtonRect, p) != FALSE;
            const bool enabled = Handle && ::IsWindowEnabled(Handle);
            if (MouseState.Contains(TSkinMouse::Hot) && !over && enabled) {
                MouseState.Exclude(TSkinMouse::Hot);
                InvalidateSkin();
            } else if (!MouseState.Contains(TSkinMouse::Hot) && over && enabled) {
                MouseState.Include(TSkinMouse::Hot);
                TrackMouseLeave(Handle);
                InvalidateSkin();
            }
            break;
        }
        case WM_DRAWITEM:
        case WM_NCPAINT: InvalidateSkin(); break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            MouseState.Include(TSkinMouse::Pressed);
            InvalidateSkin();
            break;
        case WM_LBUTTONUP:
        case WM_CAPTURECHANGED:
            if (MouseState.Contains(TSkinMouse::Pressed)) {
                MouseState.Exclude(TSkinMouse::Pressed);
                InvalidateSkin();
            }
            break;
        case tv::CM_RECREATEWND:
            TSkinControl::AfterMessage(m);
            // A new window has a new list and edit: the old helpers went with the old one.
            FreeHelpers();
            ListWindow = EditWindow = nullptr;
            if (State() == kChildAttached) AttachHelpers(true);
            break;
        case tv::CN_COMMAND:
            // The list closed somewhere the button's release never reached us.
            if (HIWORD(m.WParam) == CBN_CLOSEUP && MouseState.Contains(TSkinMouse::Pressed)) {
                MouseState.Exclude(TSkinMouse::Pressed);
                InvalidateSkin();
            }
            break;
        case WM_MOUSELEAVE:
        case tv::CM_MOUSELEAVE:
            if (MouseState.Contains(TSkinMouse::Hot)) {
                MouseState.Exclude(TSkinMouse::Hot);
                InvalidateSkin();
            }
            break;
        default: TSkinControl::AfterMessage(m); break;
    }
}

int TSkinComBox::Look() const {
    int look = 1;
    if (MouseState.Contains(TSkinMouse::Pressed)) look = 2;
    else if (MouseState.Contains(TSkinMouse::Hot) || (Handle && HasFocusIn(Handle))) look = 4;
    if (Handle && !::IsWindowEnabled(Handle)) look = 3;
    return look;
}

void TSkinComBox::DrawSkin(HDC dc, const RECT& rect) {
    if (!SkinData || !SkinData->ComboButton || SkinData->ComboButton->Bitmap.Empty() || !Handle) return;
    const TDataSkinBorder& button = *SkinData->ComboButton;
    Style = GetLong(Handle, GWL_STYLE);
    ExStyle = GetLong(Handle, GWL_EXSTYLE);
    COMBOBOXINFO info{};
    if (ComboInfo(info)) {
        ButtonRect = info.rcButton;
        if (info.stateButton & STATE_SYSTEM_INVISIBLE) return;
    }
    const int look = Look();
    const bool left = (ExStyle & WS_EX_LEFTSCROLLBAR) != 0;
    const int a = ::GetSystemMetrics(SM_CXHSCROLL);
    const COLORREF shadow = Shadow(SkinData);

    if (button.Style == 1) {
        HBRUSH current = static_cast<HBRUSH>(::GetCurrentObject(dc, OBJ_BRUSH));
        const RECT ring = Inset(rect, 1);
        ::FrameRect(dc, &ring, current);
        const RECT inner = Inset(rect, 2);
        const int band = ::GetSystemMetrics(SM_CYVTHUMB);
        RECT side = inner;
        if (left) side.right = side.left + band;
        else side.left = side.right - band;
        ::FillRect(dc, &side, current);
        const int frameWidth = button.Bitmap.Width() / button.FrameCount();
        RECT b = inner;
        if (left) b.right = b.left + frameWidth;
        else b.left = b.right - frameWidth;
        if (button.Bitmap.Height() < band) b.bottom = b.top + button.Bitmap.Height();
        FrameWith(dc, rect, shadow);
        ButtonRect = b;
        DrawStripFrame(*this, dc, b, button.FrameCount(), look, button.Bitmap);
        return;
    }
    if (button.Style == 2) {
        // The composite strip: frame, button and arrow of a whole combo per state, the
        // field left transparent for the control's own text.
        const TDataSkinObject* element = &button;
        if (left && SkinData->SunkEdge && !SkinData->SunkEdge->Bitmap.Empty()) element = SkinData->SunkEdge.get();
        const int count = SkinData->SunkEdge ? SkinData->SunkEdge->FrameCount() : element->FrameCount();
        DrawElementImage(dc, rect, element->Bitmap, false, element->Tile != 0, true, count, look, element->Margins());
        return;
    }
    const int saved = ::SaveDC(dc);
    if (left) ::ExcludeClipRect(dc, a + 4, 2, rect.right - 2, rect.bottom - 2);
    else ::ExcludeClipRect(dc, 2, 2, rect.right - a - 4, rect.bottom - 2);
    if (SkinData->SunkEdge && !SkinData->SunkEdge->Bitmap.Empty())
        DrawElementFrame(*this, dc, rect, SkinData->SunkEdge->FrameCount(), look, *SkinData->SunkEdge);
    RECT band = rect;
    if (left) band.right = rect.left + a + 2;
    else band.left = rect.right - a - 2;
    const raster::Bitmap& strip = left && !button.Bitmap2.Empty() ? button.Bitmap2 : button.Bitmap;
    DrawStripFrame(*this, dc, band, button.FrameCount(), look, strip);
    ButtonRect = band;
    if (SkinData->ExtraImages && !SkinData->ExtraImages->Bitmap.Empty()) {
        RECT glyph = band;
        if (left) glyph.left += 2;
        else glyph.right -= 2;
        DrawStripImageCentered(dc, glyph, SkinData->ExtraImages->Bitmap, true, SkinData->ExtraImages->FrameCount(), look);
    }
    ::RestoreDC(dc, saved);
}

// ---- the picker's arrow button ---------------------------------------------------------------

TArrowButton::TArrowButton() { ArrowSize = ::GetSystemMetrics(SM_CXHSCROLL); }

TArrowButton::~TArrowButton() {
    if (hwnd_ && ::IsWindow(hwnd_)) {
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
    if (addedClipChildren_ && picker_ && ::IsWindow(picker_))
        ::SetWindowLongW(picker_, GWL_STYLE, ::GetWindowLongW(picker_, GWL_STYLE) & ~WS_CLIPCHILDREN);
}

void TArrowButton::BindPicker(TSkinDateTime* skinner, HWND picker) {
    skinner_ = skinner;
    picker_ = picker;
    if (!picker || hwnd_) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!::GetClassInfoExW(::GetModuleHandleW(nullptr), kArrowClass, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = WndProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        wc.lpszClassName = kArrowClass;
        if (!::RegisterClassExW(&wc)) return;
    }
    // Its own painting over the stock button must not be painted over by the picker.
    const LONG style = ::GetWindowLongW(picker, GWL_STYLE);
    if (!(style & WS_CLIPCHILDREN)) {
        ::SetWindowLongW(picker, GWL_STYLE, style | WS_CLIPCHILDREN);
        addedClipChildren_ = true;
    }
    ::CreateWindowExW(0, kArrowClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, picker, nullptr,
                      ::GetModuleHandleW(nullptr), this);
    Place();
    if (hwnd_) ::ShowWindow(hwnd_, SW_SHOWNA);
}

void TArrowButton::Place() {
    if (!hwnd_ || !picker_) return;
    RECT w{};
    ::GetWindowRect(picker_, &w);
    const int width = w.right - w.left, height = w.bottom - w.top;
    const bool left = (::GetWindowLongW(picker_, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    const int x = left ? 2 : width - ArrowSize - 4;
    ::SetWindowPos(hwnd_, HWND_TOP, x, 0, ArrowSize, std::max(0, height - 4), SWP_NOACTIVATE);
}

void TArrowButton::RefreshHot() {
    if (!hwnd_) return;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    hot_ = picker_ && ::IsWindowEnabled(picker_) && ::WindowFromPoint(cursor) == hwnd_;
    if (hot_) TrackMouseLeave(hwnd_);
    Repaint();
}

void TArrowButton::Repaint() {
    if (hwnd_) ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT CALLBACK TArrowButton::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        if (auto* created = static_cast<TArrowButton*>(cs->lpCreateParams)) created->hwnd_ = wnd;
    }
    auto* self = reinterpret_cast<TArrowButton*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(wnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        self->hwnd_ = nullptr;
        ::SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
        return ::DefWindowProcW(wnd, msg, wParam, lParam);
    }
    return base::Guarded<LRESULT>(0, [&] { return self->Dispatch(msg, wParam, lParam); },
                                  msg == WM_PAINT ? base::OnFailure::Swallow : base::OnFailure::Report);
}

LRESULT TArrowButton::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: {
            tv::PaintDC paint(hwnd_);
            Paint(paint.Get());
            return 0;
        }
        case WM_MOUSEMOVE:
            // Asked again on every move: opening the calendar ends the system's tracking.
            TrackMouseLeave(hwnd_);
            if (!hot_ && picker_ && ::IsWindowEnabled(picker_)) {
                hot_ = true;
                Repaint();
            }
            return 0;
        case WM_MOUSELEAVE:
            if (hot_) {
                hot_ = false;
                Repaint();
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            if (!picker_) return 0;
            // At the same place of the picker, where its own button lies under ours.
            POINT p = tv::PointFromLParam(lParam);
            ::MapWindowPoints(hwnd_, picker_, &p, 1);
            ::PostMessageW(picker_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
            ::PostMessageW(picker_, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
            // The calendar comes up over the pointer's way out: lit again by the next move.
            hot_ = false;
            Repaint();
            return 0;
        }
        case WM_LBUTTONUP: {
            if (!picker_) return 0;
            // An open calendar has the focus: taking it back would close it.
            const auto calendar = reinterpret_cast<HWND>(::SendMessageW(picker_, DTM_GETMONTHCAL, 0, 0));
            if (!calendar || !::IsWindowVisible(calendar)) ::SetFocus(picker_);
            return 0;
        }
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        default: return ::DefWindowProcW(hwnd_, msg, wParam, lParam);
    }
}

void TArrowButton::Paint(HDC dc) {
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    const int w = client.right, h = client.bottom;
    if (w <= 0 || h <= 0 || !skinner_) return;
    tv::TBitmap image;
    image.SetSize(w, h);
    HDC img = image.Canvas().Handle();
    skinner_->FillSkinFace(img, client);
    // The calendar may have taken the pointer's leaving away from us.
    if (hot_) {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        if (::WindowFromPoint(cursor) != hwnd_) hot_ = false;
    }
    const TSkinData* data = skinner_->SkinData;
    if (data && data->ComboArrow && !data->ComboArrow->Bitmap.Empty()) {
        const int frame = picker_ && !::IsWindowEnabled(picker_) ? 3 : hot_ ? 4 : 1;
        DrawStripFrame(*skinner_, img, client, data->ComboArrow->FrameCount(),
                       std::min(frame, data->ComboArrow->FrameCount()), data->ComboArrow->Bitmap);
    }
    ::BitBlt(dc, 0, 0, w, h, img, 0, 0, SRCCOPY);
}

// ---- date-time picker ------------------------------------------------------------------------

const tv::TClassInfo& TSkinDateTime::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinDateTime>("TSkinDateTime").Done();
    return info;
}

TSkinDateTime::TSkinDateTime(tv::TComponent* owner) : TSkinControl(owner) {}

TSkinDateTime::~TSkinDateTime() = default;

void TSkinDateTime::MakeArrow() {
    if (arrow_ || !Handle) return;
    arrow_ = std::make_unique<TArrowButton>();
    arrow_->BindPicker(this, Handle);
}

void TSkinDateTime::AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachControl(formSkinner, data, recolor, canvas);
    if (Attached) MakeArrow();
}

void TSkinDateTime::AttachWindow(HWND window, TSkinData* data, TSkinnerHost* formSkinner, tv::TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachWindow(window, data, formSkinner, canvas);
    if (Attached) MakeArrow();
}

void TSkinDateTime::Detach() {
    TSkinControl::Detach();
    arrow_.reset();
    Active = false;
    if (State() != kChildWindowGone && Handle && ::IsWindow(Handle))
        ::RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TSkinDateTime::AfterMessage(tv::TMessage& m) {
    switch (m.Msg) {
        case WM_SIZE:
            if (arrow_) {
                arrow_->Place();
                arrow_->Repaint();
            }
            break;
        case WM_NCPAINT: PaintWindow(nullptr); break;
        case tv::CN_NOTIFY:
            // The calendar held the pointer while it was open.
            if (const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
                arrow_ && hdr && (hdr->code == DTN_CLOSEUP || hdr->code == DTN_DROPDOWN))
                arrow_->RefreshHot();
            break;
        case WM_ENABLE:
        case tv::CM_ENABLEDCHANGED:
            TSkinControl::AfterMessage(m);
            if (arrow_) arrow_->Repaint();
            break;
        case tv::CM_RECREATEWND:
            TSkinControl::AfterMessage(m);
            // The new window needs its own button.
            arrow_.reset();
            if (State() == kChildAttached) MakeArrow();
            break;
        default: TSkinControl::AfterMessage(m); break;
    }
}

void TSkinDateTime::DrawSkin(HDC dc, const RECT& rect) {
    if (!Handle) return;
    if (arrow_ && arrow_->Handle()) {
        const bool left = (GetLong(Handle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
        RECT now{};
        ::GetWindowRect(arrow_->Handle(), &now);
        ::MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&now), 2);
        const int x = left ? 2 : rect.right - arrow_->ArrowSize - 4;
        if (now.left != x) arrow_->Place();
    }
    if (!HasBorder(Handle, rect)) return;
    FrameWith(dc, rect, Shadow(SkinData));
    const RECT inner = Inset(rect, 1);
    FrameWith(dc, inner, ::GetSysColor(::IsWindowEnabled(Handle) ? COLOR_WINDOW : COLOR_BTNFACE));
}

// ---- registration ----------------------------------------------------------------------------

void RegisterEditSkinners() {
    RegisterChildSkinner("TSkinEdit", [](tv::TComponent* owner) -> TChildSkinner* { return new TSkinEdit(owner); });
    RegisterChildSkinner("TSkinComBox", [](tv::TComponent* owner) -> TChildSkinner* { return new TSkinComBox(owner); });
    RegisterChildSkinner("TSkinDateTime",
                         [](tv::TComponent* owner) -> TChildSkinner* { return new TSkinDateTime(owner); });
}

}  // namespace skin
