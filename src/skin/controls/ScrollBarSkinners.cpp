#include "skin/controls/ScrollBarSkinners.h"

#include <algorithm>

#include "base/Ascii.h"
#include "base/CallbackGuard.h"
#include "framework/Graphics.h"
#include "framework/MessageCrackers.h"
#include "framework/PropAccess.h"
#include "skin/core/WinSkinData.h"
#include "skin/forms/WinSkinForm.h"

namespace skin {
namespace {

constexpr UINT kLvmGetHeader = 0x101F;
// The combo list's message after which its bar is drawn again.
constexpr UINT kComboListRedraw = 0x1AE;

std::string Lower(std::string s) {
    for (char& c : s) c = base::AsciiLower(c);
    return s;
}

RECT ScreenToWindow(HWND window, RECT r) {
    RECT w{};
    ::GetWindowRect(window, &w);
    ::OffsetRect(&r, -w.left, -w.top);
    return r;
}

void Fill(HDC dc, const RECT& r, tv::TColor colour) {
    const tv::OwnedBrush brush(::CreateSolidBrush(tv::ColorToRGB(colour)));
    ::FillRect(dc, &r, brush.Get());
}

// An integer colour property the control publishes ("FixedColor"), or none.
bool HasIntProperty(const tv::TObject* object, const char* name) {
    return tv::HasProperty(object, name) && tv::GetIntPropByName(object, name) != -1;
}

}  // namespace

// ---- overlays of a window's two built-in bars -----------------------------------------------

void TOverlayPair::Make() {
    if (!horz_) horz_ = std::make_unique<TWScrollbar>();
    if (!vert_) vert_ = std::make_unique<TWScrollbar>();
}

void TOverlayPair::Free() {
    horz_.reset();
    vert_.reset();
}

void TOverlayPair::Reposition() {
    if (horz_) horz_->Reposition();
    if (vert_) vert_->Reposition();
}

void TOverlayPair::Hide() {
    if (horz_) horz_->HideOverlay();
    if (vert_) vert_->HideOverlay();
}

void TOverlayPair::SetEnabled(bool enabled) {
    if (horz_) horz_->SetEnabled(enabled);
    if (vert_) vert_->SetEnabled(enabled);
}

void TOverlayPair::SetSkinData(TSkinData* data) {
    if (horz_) horz_->SetSkinData(data);
    if (vert_) vert_->SetSkinData(data);
}

void TOverlayPair::Refresh(HWND window, bool repositionHidden) {
    const LONG style = window ? ::GetWindowLongW(window, GWL_STYLE) : 0;
    for (TWScrollbar* o : {horz_.get(), vert_.get()}) {
        if (!o) continue;
        if (o->Shown()) {
            // A bar that went away or moved since the overlay was placed: place it anew.
            ScrollBarData data;
            RECT placed{};
            ::GetWindowRect(o->Handle(), &placed);
            if (!o->QueryBar(data) || data.Invisible() || !::EqualRect(&placed, &data.bar))
                o->Reposition();
            else
                o->Repaint();
        } else if (repositionHidden && (style & (o->Vertical() ? WS_VSCROLL : WS_HSCROLL))) {
            o->Reposition();
        }
    }
}

TWScrollbar* TOverlayPair::ForScrollMessage(UINT msg) {
    if (msg == WM_HSCROLL) return horz_.get();
    if (msg == WM_VSCROLL) return vert_.get();
    return nullptr;
}

void TOverlayPair::FillCorner(HDC dc, HWND window, TSkinData* data) {
    if (!horz_ || !vert_ || !data || !horz_->Shown() || !vert_->Shown()) return;
    ScrollBarData h, v;
    if (!horz_->QueryBar(h) || !vert_->QueryBar(v)) return;
    const RECT corner = ScreenToWindow(window, RECT{v.bar.left, h.bar.top, v.bar.right, h.bar.bottom});
    if (corner.right > corner.left && corner.bottom > corner.top) Fill(dc, corner, data->SkinColors.ButtonFace);
}

void TClipSiblings::Set(HWND window) {
    Restore();
    if (!window) return;
    const LONG style = ::GetWindowLongW(window, GWL_STYLE);
    window_ = window;
    added_ = !(style & WS_CLIPSIBLINGS);
    if (added_) ::SetWindowLongW(window, GWL_STYLE, style | WS_CLIPSIBLINGS);
}

void TClipSiblings::Restore() {
    if (added_ && window_ && ::IsWindow(window_))
        ::SetWindowLongW(window_, GWL_STYLE, ::GetWindowLongW(window_, GWL_STYLE) & ~LONG(WS_CLIPSIBLINGS));
    window_ = nullptr;
    added_ = false;
}

// ---- TSkinScrollbar -------------------------------------------------------------------------

const tv::TClassInfo& TSkinScrollbar::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinScrollbar>("TSkinScrollbar").Done();
    return info;
}

TSkinScrollbar::TSkinScrollbar(tv::TComponent* owner) : TSkinControl(owner) {
    const DWORD version = ::GetVersion();
    NewPlatform = LOBYTE(LOWORD(version)) > 4 && HIBYTE(LOWORD(version)) > 0;
}

TSkinScrollbar::~TSkinScrollbar() {
    overlays_.Free();
    clip_.Restore();
}

void TSkinScrollbar::AttachScrollControl(tv::TControl* control, TSkinData* data, TSkinnerHost* formSkinner,
                                         tv::TCanvas* canvas) {
    auto* win = dynamic_cast<tv::TWinControl*>(control);
    if (Attached || !win || control != Owner()) return;
    AttachControl(formSkinner, data, false, canvas);
    if (!Attached) return;
    const std::string borderStyle = Lower(tv::GetEnumPropByName(control, "BorderStyle"));
    Border = borderStyle != "bsnone" && control->ClassName() != "TImageScrollBox" && Variant != 1;
    if (HasIntProperty(control, "FixedColor") && data) {
        SavedColor = tv::TColor(tv::GetIntPropByName(control, "FixedColor"));
        Recolor = true;
        tv::SetPropByName(control, "FixedColor", std::to_string(data->SkinColors.ButtonFace));
    }
    clip_.Set(Handle);
    overlays_.Make();
    overlays_.Horz().AttachOverlay(this, data, win, kBuiltinHorz);
    overlays_.Vert().AttachOverlay(this, data, win, kBuiltinVert);
    overlays_.SetEnabled(control->Enabled());
    if (!control->Visible()) overlays_.Hide();
    if (Border) ::RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

void TSkinScrollbar::Detach() {
    if (Recolor) {
        if (tv::TControl* control = Control()) tv::SetPropByName(control, "FixedColor", std::to_string(SavedColor));
        Recolor = false;
    }
    TSkinControl::Detach();
    if (State() != kChildWindowGone) {
        overlays_.Free();
        clip_.Restore();
    } else {
        // The control's window is gone, its parent may not be: nothing may show over it.
        overlays_.Hide();
    }
}

void TSkinScrollbar::DrawBorder(HDC dc) {
    if (!SkinData || !Handle) return;
    RECT r{};
    ::GetWindowRect(Handle, &r);
    ::OffsetRect(&r, -r.left, -r.top);
    const tv::OwnedBrush shadow(::CreateSolidBrush(tv::ColorToRGB(SkinData->SkinColors.ButtonShadow)));
    const tv::OwnedBrush face(::CreateSolidBrush(tv::ColorToRGB(SkinData->SkinColors.ButtonFace)));
    ::FrameRect(dc, &r, shadow.Get());
    ::InflateRect(&r, -1, -1);
    ::FrameRect(dc, &r, face.Get());
}

bool TSkinScrollbar::BeforeMessage(tv::TMessage& m) {
    if (m.Msg == WM_NCPAINT && Border) {
        CallPrevious(m);
        base::Guarded([&] {
            tv::WindowDC dc(Handle, true);
            if (dc.Get()) DrawBorder(dc.Get());
        }, base::OnFailure::Swallow);
        return false;
    }
    return TSkinControl::BeforeMessage(m);
}

void TSkinScrollbar::AfterMessage(tv::TMessage& m) {
    switch (m.Msg) {
        case WM_SIZE:
        case WM_WINDOWPOSCHANGED:
            Flag = 1;
            overlays_.Reposition();
            break;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (TWScrollbar* o = overlays_.ForScrollMessage(m.Msg)) {
                o->SetHotPart(LOWORD(m.WParam));
                o->Repaint();
            }
            break;
        case WM_MOUSEWHEEL:
            overlays_.Refresh(Handle, false);
            break;
        case tv::CM_VISIBLECHANGED:
            if (m.WParam) overlays_.Reposition();
            else overlays_.Hide();
            break;
        case tv::CM_ENABLEDCHANGED:
            if (tv::TControl* control = Control()) overlays_.SetEnabled(control->Enabled());
            TSkinControl::AfterMessage(m);
            break;
        case tv::CM_RECREATEWND:
            // The old window is gone by now: name the new one, which the form skinner then
            // finds this skinner by and replaces it with a fresh one.
            if (auto* win = dynamic_cast<tv::TWinControl*>(Control()); win && FormWindow()) {
                if (win->HandleAllocated()) Handle = win->Handle();
                if (Handle) ::PostMessageW(FormWindow(), SKM_RESKINSCROLLBAR, WPARAM(Handle), 0);
            }
            break;
        case SKM_PAINTFRAMEDC:
            if (m.LParam == kSkinMarker) {
                const HDC dc = reinterpret_cast<HDC>(m.WParam);
                const DWORD type = dc ? ::GetObjectType(dc) : 0;
                if (Border && (type == OBJ_DC || type == OBJ_MEMDC))
                    base::Guarded([&] { DrawBorder(dc); }, base::OnFailure::Swallow);
                m.Result = kSkinMarker;
            }
            break;
        default:
            TSkinControl::AfterMessage(m);
            break;
    }
}

void TSkinScrollbar::DrawSkin(HDC dc, const RECT&) {
    overlays_.Refresh(Handle, true);
    overlays_.FillCorner(dc, Handle, SkinData);
}

void TSkinScrollbar::RefreshSkin() {
    if (tv::TControl* control = Control(); control && SkinData && HasIntProperty(control, "FixedColor")) {
        SavedColor = tv::TColor(tv::GetIntPropByName(control, "FixedColor"));
        Recolor = true;
        tv::SetPropByName(control, "FixedColor", std::to_string(SkinData->SkinColors.ButtonFace));
    }
    overlays_.SetSkinData(SkinData);
    overlays_.Reposition();
    InvalidateSkin();
    if (Border && Handle) ::RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

// ---- TSkinListView --------------------------------------------------------------------------

const tv::TClassInfo& TSkinListView::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinListView>("TSkinListView").Done();
    return info;
}

void TSkinListView::AttachScrollControl(tv::TControl* control, TSkinData* data, TSkinnerHost* formSkinner,
                                        tv::TCanvas* canvas) {
    TSkinScrollbar::AttachScrollControl(control, data, formSkinner, canvas);
    if (!Attached || !Handle) return;
    HWND header = reinterpret_cast<HWND>(::SendMessageW(Handle, kLvmGetHeader, 0, 0));
    if (!header) return;
    // The header skinner belongs to the list view, like this one.
    if (TChildSkinner* skinner = CreateChildSkinner("TSkinHeader", control))
        skinner->AttachWindow(header, data, formSkinner, canvas);
}

// ---- TSkinScrollbarH ------------------------------------------------------------------------

const tv::TClassInfo& TSkinScrollbarH::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinScrollbarH>("TSkinScrollbarH").Done();
    return info;
}

TSkinScrollbarH::TSkinScrollbarH(tv::TComponent* owner) : TSkinControl(owner) {}

TSkinScrollbarH::~TSkinScrollbarH() {
    overlays_.Free();
    clip_.Restore();
}

void TSkinScrollbarH::AttachWindow(HWND window, TSkinData* data, TSkinnerHost* formSkinner, tv::TCanvas* canvas) {
    TSkinControl::AttachWindow(window, data, formSkinner, canvas);
    if (!Attached) return;
    clip_.Set(Handle);
    overlays_.Make();
    overlays_.Horz().AttachOverlayWindow(this, data, Handle, kBuiltinHorz);
    overlays_.Vert().AttachOverlayWindow(this, data, Handle, kBuiltinVert);
}

void TSkinScrollbarH::Detach() {
    TSkinControl::Detach();
    if (State() != kChildWindowGone) {
        overlays_.Free();
        clip_.Restore();
    } else {
        overlays_.Hide();
    }
}

void TSkinScrollbarH::AfterMessage(tv::TMessage& m) {
    if (!Handle) return;
    // Both bars go with a hidden window.
    if (!(::GetWindowLongW(Handle, GWL_STYLE) & WS_VISIBLE)) overlays_.Hide();
    switch (m.Msg) {
        case WM_SIZE:
        case WM_NCPAINT:
        case WM_WINDOWPOSCHANGED:  // a move without a size change leaves the frame unpainted
            overlays_.Reposition();
            if (m.Msg != WM_WINDOWPOSCHANGED) InvalidateSkin();
            break;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (TWScrollbar* o = overlays_.ForScrollMessage(m.Msg)) {
                o->SetHotPart(LOWORD(m.WParam));
                o->Repaint();
            }
            break;
        default:
            TSkinControl::AfterMessage(m);
            break;
    }
}

void TSkinScrollbarH::DrawSkin(HDC dc, const RECT&) {
    overlays_.Refresh(Handle, false);
    overlays_.FillCorner(dc, Handle, SkinData);
}

void TSkinScrollbarH::RefreshSkin() {
    overlays_.SetSkinData(SkinData);
    overlays_.Reposition();
    TSkinControl::RefreshSkin();
}

// ---- TSkinScControl -------------------------------------------------------------------------

const tv::TClassInfo& TSkinScControl::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinScControl>("TSkinScControl").Done();
    return info;
}

TSkinScControl::TSkinScControl(tv::TComponent* owner) : TSkinControl(owner) {}

TSkinScControl::~TSkinScControl() {
    overlay_.reset();
    clip_.Restore();
}

void TSkinScControl::AttachScrollBarControl(tv::TControl* control, TSkinData* data, TSkinnerHost* formSkinner,
                                            tv::TCanvas* canvas) {
    auto* win = dynamic_cast<tv::TWinControl*>(control);
    if (Attached || !win || control != Owner()) return;
    AttachControl(formSkinner, data, false, canvas);
    if (!Attached) return;
    clip_.Set(Handle);
    overlay_ = std::make_unique<TWScrollbar>();
    overlay_->AttachOverlay(this, data, win, kBarControl);
    if (!control->Visible()) overlay_->HideOverlay();
}

void TSkinScControl::Detach() {
    TSkinControl::Detach();
    if (State() != kChildWindowGone) {
        overlay_.reset();
        clip_.Restore();
    } else if (overlay_) {
        overlay_->HideOverlay();
    }
}

void TSkinScControl::AfterMessage(tv::TMessage& m) {
    if (!overlay_) {
        TSkinControl::AfterMessage(m);
        return;
    }
    switch (m.Msg) {
        case WM_NCPAINT:
            if (auto* win = dynamic_cast<tv::TWinControl*>(Control()); win && win->HandleAllocated())
                Handle = win->Handle();
            overlay_->Reposition();
            break;
        case WM_WINDOWPOSCHANGED:
            overlay_->Reposition();
            break;
        case tv::CM_VISIBLECHANGED:
            if (m.WParam) overlay_->Reposition();
            else overlay_->HideOverlay();
            break;
        case tv::CM_RECREATEWND:
            // A new kind (orientation) makes a new window: skin that one in place.
            if (auto* win = dynamic_cast<tv::TWinControl*>(Control());
                win && win->HandleAllocated() && State() == kChildWindowGone) {
                Handle = win->Handle();
                Unicode = ::IsWindowUnicode(Handle) != FALSE;
                Active = true;
                SetAttachedState();
                clip_.Set(Handle);
                overlay_->AttachOverlay(this, SkinData, win, kBarControl);
            }
            break;
        case SBM_SETSCROLLINFO:
        case SBM_SETPOS:
        case SBM_SETRANGE:
        case tv::CN_VSCROLL:
        case tv::CN_HSCROLL:  // a horizontal bar scrolls as much as a vertical one
            overlay_->Repaint();
            break;
        default:
            TSkinControl::AfterMessage(m);
            break;
    }
}

void TSkinScControl::DrawSkin(HDC, const RECT&) {
    if (overlay_) overlay_->Repaint();
}

void TSkinScControl::RefreshSkin() {
    if (overlay_) {
        overlay_->SetSkinData(SkinData);
        overlay_->Reposition();
    }
    TSkinControl::RefreshSkin();
}

// ---- TComboxScrollBar -----------------------------------------------------------------------

const tv::TClassInfo& TComboxScrollBar::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TComboxScrollBar>("TComboxScrollBar").Done();
    return info;
}

TComboxScrollBar::TComboxScrollBar(tv::TComponent* owner) : TSkinControl(owner) {
    ArrowSize = ::GetSystemMetrics(SM_CXHSCROLL);
}

TComboxScrollBar::~TComboxScrollBar() = default;

void TComboxScrollBar::Detach() {
    TSkinControl::Detach();
    // The stock bar comes back at the next frame paint.
    if (State() != kChildWindowGone && Handle)
        ::RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

bool TComboxScrollBar::BeforeMessage(tv::TMessage& m) {
    switch (m.Msg) {
        case WM_NCMOUSEMOVE:
            // The stock bar would draw its hot parts over ours.
            if (m.WParam == HTHSCROLL || m.WParam == HTVSCROLL) return false;
            break;
        case WM_NCLBUTTONDOWN:
            if (m.WParam == HTVSCROLL && !tracking_ && TrackThumb(tv::PointFromLParam(m.LParam))) {
                m.Result = 0;
                return false;
            }
            break;
        default:
            break;
    }
    return TSkinControl::BeforeMessage(m);
}

void TComboxScrollBar::AfterMessage(tv::TMessage& m) {
    switch (m.Msg) {
        case WM_NCPAINT:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case kComboListRedraw:
            PaintWindow(nullptr);
            break;
        default:
            TSkinControl::AfterMessage(m);
            break;
    }
}

void TComboxScrollBar::DrawSkin(HDC dc, const RECT&) {
    if (!Handle || !SkinData) return;
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (!QueryScrollBarInfo(Handle, OBJID_VSCROLL, info) || (info.rgstate[0] & STATE_SYSTEM_INVISIBLE)) return;
    const RECT bar = ScreenToWindow(Handle, info.rcScrollBar);
    BarLook look;
    look.vertical = true;
    look.enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    look.width = bar.right - bar.left;
    look.height = bar.bottom - bar.top;
    look.arrowSize = ArrowSize;
    BarLength = look.height;
    if (!tracking_) Thumb = {info.xyThumbTop, info.xyThumbBottom};
    look.thumb = Thumb;
    ComposeBar(dc, bar.left, bar.top, look, *SkinData);
}

bool TComboxScrollBar::TrackThumb(POINT press) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (!Handle || !QueryScrollBarInfo(Handle, OBJID_VSCROLL, info)) return false;
    const int at = press.y - info.rcScrollBar.top;
    if (at < info.xyThumbTop || at >= info.xyThumbBottom) return false;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (!::GetScrollInfo(Handle, SB_VERT, &si)) return false;

    HWND window = Handle;
    const HWND previousCapture = ::GetCapture();
    ::SetCapture(window);
    const int offset0 = info.xyThumbTop - ArrowSize;
    const int track = (info.rcScrollBar.bottom - info.rcScrollBar.top) - 2 * ArrowSize;
    const int length = info.xyThumbBottom - info.xyThumbTop;
    int pos = si.nPos;
    const tv::WeakPtr<TSkinControl> alive(this);
    tracking_ = true;
    Thumb = {info.xyThumbTop, info.xyThumbBottom};
    for (;;) {
        MSG msg{};
        if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            // The list went away, or someone took the mouse: the drag is over.
            if (!::IsWindow(window) || ::GetCapture() != window) break;
            ::WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(int(msg.wParam));
            break;
        }
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
            ::DispatchMessageW(&msg);
            if (!alive.Get() || !::IsWindow(window)) break;
            // Where this move happened (its own point, not wherever the pointer is by now).
            POINT cursor = tv::PointFromLParam(msg.lParam);
            if (msg.message == WM_MOUSEMOVE) ::ClientToScreen(window, &cursor);
            const int offset = std::max(0, offset0 + int(cursor.y - press.y));
            const int next = scroll::TrackedPosition(offset, track, length, si.nMin, si.nMax, si.nPage);
            const int shown = std::clamp(offset, 0, std::max(0, int(track - length)));
            Thumb = {ArrowSize + shown, ArrowSize + shown + length};
            if (next != pos) {
                pos = next;
                ::SendMessageW(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, WORD(pos)), 0);
                if (!alive.Get() || !::IsWindow(window)) break;
            }
            PaintWindow(nullptr);
            continue;
        }
        if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) {
            ::SendMessageW(window, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, WORD(pos)), 0);
            if (::IsWindow(window)) ::PostMessageW(window, WM_VSCROLL, SB_ENDSCROLL, 0);
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
        if (!alive.Get() || !::IsWindow(window)) break;
    }
    if (!alive.Get()) return true;
    tracking_ = false;
    if (::GetCapture() == window) ::ReleaseCapture();
    // A drop-down list holds the mouse while it is open: give it back.
    if (previousCapture == window && ::IsWindow(window)) ::SetCapture(window);
    if (::IsWindow(window)) PaintWindow(nullptr);
    return true;
}

// ---- registration ---------------------------------------------------------------------------

void RegisterScrollBarSkinners() {
    RegisterChildSkinner("TSkinScrollbar", [](tv::TComponent* owner) { return new TSkinScrollbar(owner); });
    RegisterChildSkinner("TSkinListView", [](tv::TComponent* owner) { return new TSkinListView(owner); });
    RegisterChildSkinner("TSkinScrollbarH", [](tv::TComponent* owner) { return new TSkinScrollbarH(owner); });
    RegisterChildSkinner("TSkinScControl", [](tv::TComponent* owner) { return new TSkinScControl(owner); });
    RegisterChildSkinner("TComboxScrollBar", [](tv::TComponent* owner) { return new TComboxScrollBar(owner); });
}

}  // namespace skin
