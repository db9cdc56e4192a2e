#include "skin/core/WinSkinMenu.h"

#include "base/CallbackGuard.h"
#include "framework/Graphics.h"
#include "raster/Slices.h"
#include "skin/core/WinSkinData.h"
#include "skin/core/FormSkinner.h"

namespace skin {

namespace {
const wchar_t* const kPopupProp = L"TovalinPopupSkinner";
const wchar_t* const kPopupOldProcProp = L"TovalinPopupOldProc";

void CopyToDC(HDC dc, const raster::Bitmap& image, const RECT& at) {
    tv::OwnedDC memory(::CreateCompatibleDC(dc));
    if (!memory.Get()) return;
    tv::SelectScope select(memory.Get(), static_cast<HBITMAP>(image.Handle()));
    ::BitBlt(dc, at.left, at.top, image.Width(), image.Height(), memory.Get(), 0, 0, SRCCOPY);
}
}  // namespace

TWinSkinPopMenu::~TWinSkinPopMenu() { Detach(); }

void TWinSkinPopMenu::Attach(HWND window, TSkinData* data, HMENU menu, const bool* skinning) {
    if (attached_ || !window) return;
    skinning_ = skinning;
    window_ = window;
    data_ = data;
    menu_ = menu;
    ::SetPropW(window_, kPopupProp, this);
    oldWndProc_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinSkinPopMenu::PopupWndProc)));
    ::SetPropW(window_, kPopupOldProcProp, reinterpret_cast<HANDLE>(oldWndProc_));
    attached_ = true;
}

void TWinSkinPopMenu::Detach() {
    if (!attached_) return;
    attached_ = false;
    background_ = raster::Bitmap();
    if (!::IsWindow(window_)) return;
    ::RemovePropW(window_, kPopupProp);
    // Someone who subclassed after us keeps our procedure, which then passes everything on.
    if (::GetWindowLongPtrW(window_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&TWinSkinPopMenu::PopupWndProc)) {
        ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldWndProc_));
        ::RemovePropW(window_, kPopupOldProcProp);
    }
}

LRESULT CALLBACK TWinSkinPopMenu::PopupWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TWinSkinPopMenu*>(::GetPropW(wnd, kPopupProp));
    if (!self) {
        const auto old = reinterpret_cast<WNDPROC>(::GetPropW(wnd, kPopupOldProcProp));
        if (msg == WM_NCDESTROY) ::RemovePropW(wnd, kPopupOldProcProp);
        return old ? ::CallWindowProcW(old, wnd, msg, wParam, lParam) : ::DefWindowProcW(wnd, msg, wParam, lParam);
    }
    tv::TMessage m{msg, wParam, lParam, 0};
    const bool painting = msg == WM_NCPAINT || msg == WM_ERASEBKGND || msg == WM_PRINT;
    const bool done = base::Guarded(false, [&] {
        self->HandleMessage(m);
        return true;
    }, painting ? base::OnFailure::Swallow : base::OnFailure::Report);
    // A failed paint still lets the system draw the menu.
    if (!done && painting) self->CallOld(m);
    return m.Result;
}

void TWinSkinPopMenu::CallOld(tv::TMessage& m) {
    m.Result = oldWndProc_ ? ::CallWindowProcW(oldWndProc_, window_, m.Msg, m.WParam, m.LParam)
                           : ::DefWindowProcW(window_, m.Msg, m.WParam, m.LParam);
}

void TWinSkinPopMenu::HandleMessage(tv::TMessage& m) {
    if (m.Msg == SKM_ISSKINNED) {
        m.Result = 1;
        return;
    }
    if (!skinning_ || !*skinning_) {
        CallOld(m);
        return;
    }
    if (m.Msg == WM_DESTROY) Detach();
    switch (m.Msg) {
        case WM_ERASEBKGND: EraseBackground(m); return;
        case WM_NCPAINT: PaintPopupFrame(m); return;
        case WM_PRINT: PrintPopup(m); return;
        default: CallOld(m); return;
    }
}

bool TWinSkinPopMenu::CanPaint() const {
    return data_ && !data_->SkinEmpty && data_->MenuBackground && !data_->MenuBackground->Bitmap.Empty();
}

bool TWinSkinPopMenu::RenderBackground(const RECT& r) {
    const TDataSkinObject& e = *data_->MenuBackground;
    background_ = raster::RenderElementImage({0, 0, r.right - r.left, r.bottom - r.top}, e.Bitmap, e.Margins(), false,
                                             e.Tile == 1, 1, 1);
    return !background_.Empty();
}

void TWinSkinPopMenu::EraseBackground(tv::TMessage& m) {
    // With xoMenuBG the background the frame painting left stays.
    if (!data_ || !data_->Options.Contains(TSkinOption::xoMenuBG)) CallOld(m);
    m.Result = 1;
}

void TWinSkinPopMenu::PaintPopupFrame(tv::TMessage& m) {
    if (!CanPaint() || !::IsWindow(window_)) {
        CallOld(m);
        return;
    }
    // The whole window at once: frame and client share one background image, and the
    // system's own menu border is never drawn.
    RECT r{};
    ::GetWindowRect(window_, &r);
    ::OffsetRect(&r, -r.left, -r.top);
    if (!RenderBackground(r)) {
        CallOld(m);
        return;
    }
    tv::WindowDC dc(window_, true);
    if (dc.Get()) CopyToDC(dc.Get(), background_, r);
    m.Result = 0;
}

void TWinSkinPopMenu::PrintPopup(tv::TMessage& m) {
    RECT r{};
    const HDC target = reinterpret_cast<HDC>(m.WParam);
    if (!CanPaint() || !target || !::GetWindowRect(window_, &r)) {
        CallOld(m);
        return;
    }
    ::OffsetRect(&r, -r.left, -r.top);
    if (!RenderBackground(r)) {
        CallOld(m);
        return;
    }
    CopyToDC(target, background_, r);
    // The menu prints its items over the background, inside the frame.
    tv::DCStateScope state(target);
    ::SetBkMode(target, TRANSPARENT);
    ::IntersectClipRect(target, r.left + kPopupFrame, r.top + kPopupFrame, r.right - kPopupFrame,
                        r.bottom - kPopupFrame);
    CallOld(m);
}

}  // namespace skin
