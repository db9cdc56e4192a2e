#include "skin/controls/SkinControl.h"

#include <algorithm>

#include "base/CallbackGuard.h"
#include "base/Text.h"
#include "framework/PropAccess.h"
#include "skin/core/WinSkinData.h"
#include "skin/core/WinSkinDlg.h"
#include "skin/forms/CanvasPrimitives.h"
#include "skin/forms/DrawPrimitives.h"

namespace skin {

namespace {

// A bare window finds its skinner through the first property; the second keeps the
// procedure it had, for as long as someone else's subclass sits on top of ours.
const wchar_t kSkinnerProp[] = L"TovalinControlSkinner";
const wchar_t kOldProcProp[] = L"TovalinControlSkinnerOldProc";

bool Inverted(const RECT& r) { return r.right < r.left || r.bottom < r.top; }

bool IsPaintMessage(UINT msg) { return msg == WM_PAINT || msg == WM_ERASEBKGND || msg == WM_NCPAINT; }

}  // namespace

const tv::TClassInfo& TSkinControl::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinControl>("TSkinControl").Done();
    return info;
}

TSkinControl::TSkinControl(tv::TComponent* owner) : TChildSkinner(owner) {}

TSkinControl::~TSkinControl() {
    // From here the installed method hands every message to what was there before.
    ReleaseWeakRefs();
    UnhookControl();
    UnsubclassWindow();
    if (TSkinnerHost* host = FormSkinner()) host->UnregisterSkinner(this);
}

// ---- attachment ----------------------------------------------------------------------------

void TSkinControl::AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) {
    if (Attached) return;
    auto* control = dynamic_cast<tv::TControl*>(Owner());
    if (!control) return;
    HWND window = nullptr;
    if (auto* win = dynamic_cast<tv::TWinControl*>(control)) window = win->Handle();
    // Someone skins this window already: never twice.
    if (window && ::SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1) return;
    Recolor = recolor;
    SkinData = data;
    Canvas = canvas;
    control_ = control;
    Handle = window;
    Unicode = window && ::IsWindowUnicode(window);
    HookControl(*control);
    RegisterWith(formSkinner);
    if (Recolor && data) {
        SavedColor = control->Color();
        control->SetColor(data->SkinColors.ButtonFace);
    }
    control->Invalidate();
    SetAttachedState();
}

void TSkinControl::AttachWindow(HWND window, TSkinData* data, TSkinnerHost* formSkinner, tv::TCanvas* canvas) {
    if (Attached || !window || !::IsWindow(window)) return;
    if (::SendMessageW(window, SKM_ISSKINNED, 0, 0) == 1) return;
    SkinData = data;
    Canvas = canvas;
    Handle = window;
    Enabled = true;
    Variant = 0;
    RegisterWith(formSkinner);
    Unicode = ::IsWindowUnicode(window) != FALSE;
    Text = GetWindowTextWide(window);
    SubclassWindow();
    ::InvalidateRect(window, nullptr, TRUE);
    SetAttachedState();
}

bool TSkinControl::RegisterWith(TSkinnerHost* formSkinner) {
    host_ = formSkinner;
    hostAlive_ = formSkinner ? formSkinner->HostComponent() : nullptr;
    return formSkinner ? formSkinner->RegisterSkinner(this) : false;
}

HWND TSkinControl::FormWindow() const {
    const TSkinnerHost* host = FormSkinner();
    return host ? host->Handle() : nullptr;
}

void TSkinControl::HookControl(tv::TControl& control) {
    if (ownWindowMethod_) return;
    control_ = &control;
    oldWindowMethod_ = control.WindowProc;
    // The method may outlive this skinner (someone may have wrapped it): it then hands
    // every message to what was there before.
    ownWindowMethod_ = [self = tv::WeakPtr<TSkinControl>(this), old = oldWindowMethod_](tv::TMessage& m) {
        if (TSkinControl* s = self.Get()) {
            base::Guarded([&] { s->SkinWindowProc(m); },
                          IsPaintMessage(m.Msg) ? base::OnFailure::Swallow : base::OnFailure::Report);
        } else if (old) {
            old(m);
        }
    };
    control.WindowProc = ownWindowMethod_;
}

void TSkinControl::UnhookControl() {
    if (!ownWindowMethod_) return;
    // Only our own method is taken out; one installed on top of it keeps working.
    if (tv::TControl* control = control_.Get(); control && control->WindowProc == ownWindowMethod_)
        control->WindowProc = oldWindowMethod_;
    ownWindowMethod_ = {};
    oldWindowMethod_ = {};
}

void TSkinControl::SubclassWindow() {
    if (subclassed_ || !Handle) return;
    ::SetPropW(Handle, kSkinnerProp, this);
    const auto proc = reinterpret_cast<LONG_PTR>(&TSkinControl::BareWindowProc);
    oldWindowProc_ = reinterpret_cast<WNDPROC>(Unicode ? ::SetWindowLongPtrW(Handle, GWLP_WNDPROC, proc)
                                                       : ::SetWindowLongPtrA(Handle, GWLP_WNDPROC, proc));
    ::SetPropW(Handle, kOldProcProp, reinterpret_cast<HANDLE>(oldWindowProc_));
    subclassed_ = true;
}

void TSkinControl::UnsubclassWindow() {
    if (!subclassed_) return;
    subclassed_ = false;
    if (!Handle || !::IsWindow(Handle)) return;
    ::RemovePropW(Handle, kSkinnerProp);
    const auto ours = reinterpret_cast<LONG_PTR>(&TSkinControl::BareWindowProc);
    if (::GetWindowLongPtrW(Handle, GWLP_WNDPROC) == ours) {
        const auto old = reinterpret_cast<LONG_PTR>(oldWindowProc_);
        if (Unicode) ::SetWindowLongPtrW(Handle, GWLP_WNDPROC, old);
        else ::SetWindowLongPtrA(Handle, GWLP_WNDPROC, old);
        ::RemovePropW(Handle, kOldProcProp);
    }
}

LRESULT CALLBACK TSkinControl::BareWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TSkinControl*>(::GetPropW(wnd, kSkinnerProp));
    if (!self) {
        // Let go while another subclass still calls us: pass everything on.
        const auto old = reinterpret_cast<WNDPROC>(::GetPropW(wnd, kOldProcProp));
        if (msg == WM_NCDESTROY) ::RemovePropW(wnd, kOldProcProp);
        if (!old) return ::DefWindowProcW(wnd, msg, wParam, lParam);
        return ::IsWindowUnicode(wnd) ? ::CallWindowProcW(old, wnd, msg, wParam, lParam)
                                      : ::CallWindowProcA(old, wnd, msg, wParam, lParam);
    }
    tv::TMessage m{msg, wParam, lParam, 0};
    base::Guarded([&] { self->SkinWindowProc(m); },
                  IsPaintMessage(msg) ? base::OnFailure::Swallow : base::OnFailure::Report);
    return m.Result;
}

void TSkinControl::Detach() {
    if (Recolor)
        if (tv::TControl* control = control_.Get()) control->SetColor(SavedColor);
}

void TSkinControl::RefreshSkin() {
    if (Recolor && SkinData)
        if (tv::TControl* control = control_.Get()) control->SetColor(SkinData->SkinColors.ButtonFace);
    InvalidateSkin();
}

// ---- messages ------------------------------------------------------------------------------

void TSkinControl::SkinWindowProc(tv::TMessage& m) {
    if (m.Msg == SKM_SKINENABLE) {
        Active = static_cast<std::intptr_t>(m.WParam) > 0;
        if (Active) InvalidateSkin();
        m.Result = 0;
        return;
    }
    // The control's own handling may free the control and this skinner with it.
    const tv::WeakPtr<TSkinControl> alive(this);
    if (!Active) {
        CallPrevious(m);
        if (!alive.Get()) return;
        // Switched off, the skinner still has to let go of a window that goes.
        if (m.Msg == WM_NCDESTROY && state_ != kChildWindowGone) {
            SetWindowGone();
            Detach();
        }
    } else if (BeforeMessage(m)) {
        CallPrevious(m);
        if (!alive.Get()) return;
        AfterMessage(m);
    }
    if (!alive.Get()) return;
    if (m.Msg == WM_NCDESTROY) {
        // Nothing of the window outlives it: our procedure and properties go with it.
        UnsubclassWindow();
        oldWindowProc_ = nullptr;
        Handle = nullptr;
    }
}

void TSkinControl::CallPrevious(tv::TMessage& m) {
    if (oldWindowMethod_) {
        oldWindowMethod_(m);
    } else if (oldWindowProc_ && Handle) {
        m.Result = Unicode ? ::CallWindowProcW(oldWindowProc_, Handle, m.Msg, m.WParam, m.LParam)
                           : ::CallWindowProcA(oldWindowProc_, Handle, m.Msg, m.WParam, m.LParam);
    } else if (Handle) {
        m.Result = ::DefWindowProcW(Handle, m.Msg, m.WParam, m.LParam);
    }
}

bool TSkinControl::BeforeMessage(tv::TMessage& m) {
    switch (m.Msg) {
        case WM_NCDESTROY:
            CallPrevious(m);
            Active = false;
            SetWindowGone();
            Detach();
            return false;
        case SKM_ISSKINNED:
            m.Result = 1;
            return false;
        default: return true;
    }
}

void TSkinControl::AfterMessage(tv::TMessage& m) {
    switch (m.Msg) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
        case tv::CM_ENABLEDCHANGED: InvalidateSkin(); break;
        case WM_PAINT: PaintWindow(reinterpret_cast<HDC>(m.WParam)); break;
        case tv::CM_RECREATEWND: ReattachToNewWindow(); break;
        default: break;
    }
}

void TSkinControl::ReattachToNewWindow() {
    auto* win = dynamic_cast<tv::TWinControl*>(control_.Get());
    if (state_ != kChildWindowGone || !ownWindowMethod_ || !win || !win->HandleAllocated()) return;
    Handle = win->Handle();
    Unicode = ::IsWindowUnicode(Handle) != FALSE;
    Active = true;
    state_ = kChildAttached;
    if (Recolor && SkinData) win->SetColor(SkinData->SkinColors.ButtonFace);
    InvalidateSkin();
}

void TSkinControl::PaintWindow(HDC dc) {
    if (!Handle) return;
    RECT r{};
    if (!::GetWindowRect(Handle, &r)) return;
    WindowRect = r;
    const RECT local{0, 0, r.right - r.left, r.bottom - r.top};
    base::Guarded([&] {
        if (dc) {
            DrawSkin(dc, local);
        } else {
            tv::WindowDC windowDC(Handle, true);
            if (windowDC.Get()) DrawSkin(windowDC.Get(), local);
        }
    }, base::OnFailure::Swallow);
}

void TSkinControl::DrawSkin(HDC, const RECT&) {}

void TSkinControl::InvalidateSkin() {
    if (tv::TControl* paint = PaintControl.Get()) {
        paint->Invalidate();
    } else if (Handle) {
        ::InvalidateRect(Handle, nullptr, TRUE);
        ::UpdateWindow(Handle);
    }
}

// ---- small services ------------------------------------------------------------------------

tv::TColor TSkinControl::ParentColor(tv::TColor def) const {
    tv::TControl* control = control_.Get();
    tv::TWinControl* parent = control ? control->Parent() : nullptr;
    if (!parent || !tv::HasProperty(parent, "Color")) return def;
    return tv::TColor(tv::GetIntPropByName(parent, "Color"));
}

void TSkinControl::FillSkinFace(HDC dc, const RECT& r) const {
    if (SkinData && SkinData->FaceBrush()) {
        ::FillRect(dc, &r, SkinData->FaceBrush());
    } else {
        ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    }
}

void TSkinControl::FillParentColor(HDC dc, const RECT& r) const {
    const tv::TColor face = SkinData ? SkinData->SkinColors.ButtonFace : tv::clBtnFace;
    tv::OwnedBrush brush(::CreateSolidBrush(tv::ColorToRGB(ParentColor(face))));
    ::FillRect(dc, &r, brush.Get());
}

LONG TSkinControl::GetLong(HWND window, int index) const {
    return Unicode ? ::GetWindowLongW(window, index) : ::GetWindowLongA(window, index);
}

void TSkinControl::DrawFocusFrame(HDC dc, UINT flags, const RECT& rect) const {
    RECT t = rect;
    DrawTextWide(dc, Text, t, flags | DT_CALCRECT | DT_NOCLIP);
    const int tw = t.right - t.left, th = t.bottom - t.top;
    const int rw = rect.right - rect.left, rh = rect.bottom - rect.top;
    if (flags & DT_CENTER) ::OffsetRect(&t, (rw - tw) / 2, (rh - th) / 2 - 1);
    else if (flags & DT_RIGHT) ::OffsetRect(&t, rw - tw, 0);
    ::InflateRect(&t, 2, 1);
    t.left = std::max(t.left, rect.left);
    t.top = std::max(t.top, rect.top);
    t.right = std::min(t.right, rect.right);
    t.bottom = std::min(t.bottom, rect.bottom);
    ::DrawFocusRect(dc, &t);
}

void TSkinControl::ForwardMouseDown(const tv::TMessage& m) {
    tv::TControl* control = control_.Get();
    if (!control) return;
    POINT p{short(LOWORD(m.LParam)), short(HIWORD(m.LParam))};
    // Past 32768 pixels the packed coordinates wrap: ask where the pointer is.
    if (control->Width() > 0x8000 || control->Height() > 0x8000) {
        POINT screen{};
        ::GetCursorPos(&screen);
        p = control->ScreenToClient(screen);
    }
    control->MouseDown(tv::TMouseButton::mbLeft, tv::KeysToShiftState(m.WParam), p.x, p.y);
}

// ---- helpers -------------------------------------------------------------------------------

UINT TextFlags(const TSkinControl& skinner, UINT flags) {
    const tv::TControl* c = skinner.Control();
    const tv::TControl* p = skinner.PaintControl.Get();
    if ((c && c->UseRightToLeftReading()) || (p && p->UseRightToLeftReading())) flags |= DT_RTLREADING;
    return flags;
}

void PaintOnMessage(TSkinControl& skinner, tv::TMessage& m) {
    if (!skinner.Handle) return;
    const auto draw = [&](HDC dc) {
        RECT r{};
        ::GetWindowRect(skinner.Handle, &r);
        skinner.WindowRect = r;
        skinner.DrawSkin(dc, RECT{0, 0, r.right - r.left, r.bottom - r.top});
    };
    if (m.WParam) {
        draw(reinterpret_cast<HDC>(m.WParam));
    } else {
        tv::PaintDC paint(skinner.Handle);
        draw(paint.Get());
    }
    m.Result = 0;
}

void EraseWithParent(TSkinControl& skinner, tv::TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (tv::TControl* control = skinner.Control()) {
        PaintParentBackground(*control, dc);
    } else if (skinner.Handle) {
        RECT r{};
        ::GetClientRect(skinner.Handle, &r);
        skinner.FillParentColor(dc, r);
    }
    m.Result = 1;
}

void DrawElementFrame(const TSkinControl&, HDC dc, const RECT& rect, int frameCount, int frameIndex,
                      const TDataSkinObject& element) {
    if (Inverted(rect) || element.Bitmap.Empty()) return;
    DrawElementImage(dc, rect, element.Bitmap, false, element.Tile != 0, element.Trans == 1, frameCount, frameIndex,
                     element.Margins());
}

void DrawStripFrame(const TSkinControl&, HDC dc, const RECT& rect, int frameCount, int frameIndex,
                    const raster::Bitmap& strip) {
    if (Inverted(rect) || strip.Empty()) return;
    DrawStripImage(dc, rect, strip, true, frameCount, frameIndex);
}

void DrawStripFrame(const TSkinControl& skinner, tv::TCanvas& canvas, const RECT& rect, int frameCount,
                    int frameIndex, const raster::Bitmap& strip) {
    DrawStripFrame(skinner, canvas.Handle(), rect, frameCount, frameIndex, strip);
}

void DrawCaptionText(const TSkinControl& skinner, tv::TCanvas& canvas, const RECT& rect, UINT alignment,
                     bool enabled, const std::wstring& text) {
    canvas.Brush().SetStyle(tv::TBrushStyle::bsClear);
    canvas.Font().SetStyle({});
    HDC dc = canvas.Handle();
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    RECT t = rect;
    DrawTextWide(dc, text, t, alignment | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS);
    const int tw = t.right - t.left, th = t.bottom - t.top;
    RECT r = rect;
    if (alignment == DT_CENTER) {
        r.left = rect.left + (rect.right - rect.left - tw) / 2;
        r.right = r.left + tw;
    }
    r.top = rect.top + (rect.bottom - rect.top - th) / 2 - 1;
    r.bottom = r.top + th;
    COLORREF oldColor = CLR_INVALID;
    if (!enabled) oldColor = ::SetTextColor(dc, tv::ColorToRGB(tv::clBtnShadow));
    DrawTextWide(dc, text, r, TextFlags(skinner, alignment | DT_EXPANDTABS));
    if (oldColor != CLR_INVALID) ::SetTextColor(dc, oldColor);
    ::SetBkMode(dc, oldMode);
}

void DrawImageAndText(const TSkinControl& skinner, tv::TCanvas& canvas, const RECT& rect, int alignment,
                      const std::wstring& text, int imageIndex, const tv::TCustomImageList* imageList) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    int cx = 0, cy = 0;
    const bool image = imageList && imageIndex != -1 && imageList->Width() < width;
    if (image) {
        cx = imageList->Width();
        cy = imageList->Height();
    }
    HDC dc = canvas.Handle();
    RECT t = rect;
    if (image) t.right += cx + 2;
    int tw = 0, th = 0;
    if (!text.empty()) {
        DrawTextWide(dc, text, t, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK | DT_END_ELLIPSIS);
        tw = t.right - t.left;
        th = t.bottom - t.top;
    }
    int x = 3;
    if (alignment == 1) x = (width - cx - tw) / 2;
    else if (alignment == 2) x = width - cx - tw - 2;
    if (x < 2) x = 1;
    if (image) imageList->Draw(dc, rect.left + x, rect.top + (height - cy) / 2, imageIndex, ILD_TRANSPARENT);
    if (text.empty()) return;
    RECT r{rect.left + x + cx, rect.top + (height - th) / 2, rect.left + x + cx + tw, rect.top + (height - th) / 2 + th};
    r.left = std::max(r.left, rect.left);
    r.right = std::min(r.right, rect.right);
    canvas.Brush().SetStyle(tv::TBrushStyle::bsClear);
    canvas.Font().SetStyle({});
    dc = canvas.Handle();
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = CLR_INVALID;
    if (!skinner.Enabled) oldColor = ::SetTextColor(dc, tv::ColorToRGB(tv::clBtnShadow));
    DrawTextWide(dc, text, r, TextFlags(skinner, DT_END_ELLIPSIS | DT_EXPANDTABS | DT_WORDBREAK));
    if (oldColor != CLR_INVALID) ::SetTextColor(dc, oldColor);
    ::SetBkMode(dc, oldMode);
}

std::wstring ReplaceFirst(const std::wstring& text, const std::wstring& pattern, const std::wstring& replacement) {
    if (pattern.empty()) return text;
    const auto at = text.find(pattern);
    if (at == std::wstring::npos) return text;
    std::wstring out = text;
    out.replace(at, pattern.size(), replacement);
    return out;
}

std::wstring GetWindowTextWide(HWND window) {
    if (!window) return {};
    const int length = ::GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(std::size_t(length) + 1, L'\0');
    const int got = ::GetWindowTextW(window, text.data(), length + 1);
    text.resize(std::size_t(std::max(got, 0)));
    return text;
}

bool HasPopupStyle(HWND window) {
    return (::GetWindowLongW(window, GWL_STYLE) & WS_POPUP) != 0 ||
           ::GetParent(window) == reinterpret_cast<HWND>(std::uintptr_t(0x10014));
}

void CopyBitmap(const tv::TBitmap& source, tv::TBitmap& target) {
    target.SetPixelFormat(source.PixelFormat());
    target.SetSize(source.Width(), source.Height());
    if (source.Empty()) return;
    ::BitBlt(target.Canvas().Handle(), 0, 0, source.Width(), source.Height(),
             const_cast<tv::TBitmap&>(source).Canvas().Handle(), 0, 0, SRCCOPY);
}

void SendMouseLeave(const TSkinControl& skinner) {
    if (skinner.Handle) ::SendMessageW(skinner.Handle, tv::CM_MOUSELEAVE, 0, 0);
}

std::wstring GetTextPropWide(const tv::TObject* object, std::string_view name) {
    return text::Widen(tv::GetTextPropByName(object, name));
}

}  // namespace skin
