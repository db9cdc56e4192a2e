#include "skin/controls/ScrollOverlay.h"

#include <algorithm>
#include <optional>

#include "base/Ascii.h"
#include "base/CallbackGuard.h"
#include "framework/Graphics.h"
#include "framework/MessageCrackers.h"
#include "framework/PropAccess.h"
#include "raster/Bitmap.h"
#include "skin/core/WinSkinData.h"
#include "skin/forms/DrawPrimitives.h"

namespace skin {
namespace {

constexpr wchar_t kClassName[] = L"TWScrollbar";

// Frames of the 23-frame glyph strip: first arrow, second arrow, grip (normal; pressed and
// hot follow as the strip lays them out).
struct Glyphs {
    int first, second, grip;
};
Glyphs GlyphsFor(bool vertical) { return vertical ? Glyphs{9, 13, 20} : Glyphs{1, 5, 17}; }

// Arrow frame: normal, +1 pressed, +3 hot.
int ArrowFrame(int normal, bool hot, bool pressed) { return normal + (hot ? (pressed ? 1 : 3) : 0); }

bool Usable(const TDataSkinObject* e) { return e && !e->Bitmap.Empty(); }

// A screen rectangle in a window's client coordinates.
RECT ScreenToClientRect(HWND wnd, RECT r) {
    ::MapWindowPoints(nullptr, wnd, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

TWScrollbar::TWScrollbar() { arrowSize_ = ::GetSystemMetrics(SM_CXHSCROLL); }

TWScrollbar::~TWScrollbar() {
    *alive_ = false;
    if (hwnd_ && ::IsWindow(hwnd_)) {
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        ::DestroyWindow(hwnd_);
    }
    hwnd_ = nullptr;
}

void TWScrollbar::AttachOverlay(TSkinControl* owner, TSkinData* data, tv::TWinControl* control, int kind) {
    if (!control) return;
    targetControl_ = control;
    HWND window = control->Handle();
    kind_ = kind;
    orientation_ = kind;
    if (kind == kBarControl)
        orientation_ = base::EqualsIgnoreCase(tv::GetEnumPropByName(control, "Kind"), "sbhorizontal") ? 0 : 1;
    Attach(owner, data, window, kind);
}

void TWScrollbar::AttachOverlayWindow(TSkinControl* owner, TSkinData* data, HWND window, int kind) {
    kind_ = kind;
    orientation_ = kind;
    if (kind == kBarControl) orientation_ = (::GetWindowLongW(window, GWL_STYLE) & SBS_VERT) ? 1 : 0;
    Attach(owner, data, window, kind);
}

void TWScrollbar::Attach(TSkinControl* owner, TSkinData* data, HWND window, int kind) {
    owner_ = owner;
    data_ = data;
    target_ = window;
    kind_ = kind;
    if (!hwnd_) Create(::GetParent(window));
    Reposition();
}

void TWScrollbar::Create(HWND parent) {
    if (!parent) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!::GetClassInfoExW(::GetModuleHandleW(nullptr), kClassName, &wc)) {
        wc = WNDCLASSEXW{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = WndProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        wc.lpszClassName = kClassName;
        if (!::RegisterClassExW(&wc)) return;
    }
    hwnd_ = ::CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                              nullptr, ::GetModuleHandleW(nullptr), this);
}

void TWScrollbar::HideOverlay() {
    if (hwnd_) ::ShowWindow(hwnd_, SW_HIDE);
    shown_ = false;
}

void TWScrollbar::SetEnabled(bool enabled) {
    if (hwnd_) ::EnableWindow(hwnd_, enabled);
}

bool TWScrollbar::QueryBar(ScrollBarData& out) const {
    if (!target_ || !::IsWindow(target_)) return false;
    if (kind_ != kBarControl) {
        SCROLLBARINFO info{};
        info.cbSize = sizeof info;
        if (!QueryScrollBarInfo(target_, kind_ == kBuiltinVert ? OBJID_VSCROLL : OBJID_HSCROLL, info)) return false;
        out.bar = info.rcScrollBar;
        out.thumbTop = info.xyThumbTop;
        out.thumbBottom = info.xyThumbBottom;
        out.state = info.rgstate[0];
        // A disabled window's bars are disabled too, whether or not the system says so.
        if (!::IsWindowEnabled(target_)) out.state |= STATE_SYSTEM_UNAVAILABLE;
        return true;
    }
    // A scroll bar control: its bounds in the parent, the thumb from its scroll information.
    RECT r{};
    if (!::GetWindowRect(target_, &r)) return false;
    HWND parent = ::GetParent(target_);
    if (parent) r = ScreenToClientRect(parent, r);
    out.bar = r;
    const int length = orientation_ == 1 ? r.bottom - r.top : r.right - r.left;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    if (!::GetScrollInfo(target_, SB_CTL, &si)) return false;
    const scroll::ThumbSpan t = scroll::ThumbFromScrollInfo(length, arrowSize_, si.nMin, si.nMax, si.nPage, si.nPos);
    out.thumbTop = t.start;
    out.thumbBottom = t.end;
    const LONG style = ::GetWindowLongW(target_, GWL_STYLE);
    out.state = 0;
    if (!(style & WS_VISIBLE)) out.state |= STATE_SYSTEM_INVISIBLE;
    if (style & WS_DISABLED) out.state |= STATE_SYSTEM_UNAVAILABLE;
    return true;
}

void TWScrollbar::Reposition() {
    ScrollBarData data;
    // No bar, a hidden target or bar, or a skin without the glyph strip: the stock bar shows.
    if (!hwnd_ || !QueryBar(data) || !(::GetWindowLongW(target_, GWL_STYLE) & WS_VISIBLE) || data.Invisible() ||
        !data_ || !Usable(data_->Scrollbar.get())) {
        HideOverlay();
        return;
    }
    HWND parent = ::GetParent(hwnd_);
    RECT inParent{};
    if (kind_ == kBarControl) {
        inParent = data.bar;
        ::GetClientRect(target_, &barRect_);
        origin_ = POINT{data.bar.left, data.bar.top};
        ::ClientToScreen(parent, &origin_);
    } else {
        barRect_ = ScreenToClientRect(target_, data.bar);
        origin_ = POINT{data.bar.left, data.bar.top};
        inParent = ScreenToClientRect(parent, data.bar);
    }
    length_ = orientation_ == 1 ? data.bar.bottom - data.bar.top : data.bar.right - data.bar.left;
    if (data.bar.right <= data.bar.left || data.bar.bottom <= data.bar.top) {
        HideOverlay();
        return;
    }
    // Right above the target: what covers the target covers the overlay too.
    HWND before = ::GetWindow(target_, GW_HWNDPREV);
    UINT flags = SWP_NOACTIVATE | SWP_SHOWWINDOW;
    if (before == hwnd_) flags |= SWP_NOZORDER;
    ::SetWindowPos(hwnd_, before ? before : HWND_TOP, inParent.left, inParent.top, inParent.right - inParent.left,
                   inParent.bottom - inParent.top, flags);
    shown_ = true;
    ::InvalidateRect(hwnd_, nullptr, FALSE);
    ::UpdateWindow(hwnd_);
}

int TWScrollbar::HitTest(POINT p) const {
    const int a = orientation_ == 1 ? p.y : p.x;
    return scroll::HitTest(a, length_, arrowSize_, {thumbStart_, thumbEnd_});
}

void TWScrollbar::Repaint() {
    if (!hwnd_ || !shown_) return;
    ::InvalidateRect(hwnd_, nullptr, FALSE);
    ::UpdateWindow(hwnd_);
}

scroll::ThumbSpan TWScrollbar::DrawnThumb(const ScrollBarData& data) const {
    scroll::ThumbSpan thumb{data.thumbTop, data.thumbBottom};
    if (pressed_ && hotPart_ == scroll::kThumbTrack && kind_ != kBarControl && !thumb.Empty()) {
        POINT cursor{};
        ::GetCursorPos(&cursor);
        const int travel = orientation_ == 1 ? cursor.y - pressCursor_.y : cursor.x - pressCursor_.x;
        const int start = scroll::DragThumbStart(pressThumbStart_, travel, length_, arrowSize_, thumb.Length());
        thumb = {start, start + thumb.Length()};
    }
    return thumb;
}

bool ComposeBar(HDC target, int x, int y, const BarLook& look, const TSkinData& data) {
    if (!Usable(data.Scrollbar.get()) || look.width <= 0 || look.height <= 0) return false;
    const bool vertical = look.vertical;
    const int w = look.width, h = look.height, arrow = look.arrowSize;
    const int length = vertical ? h : w;
    const raster::Bitmap& strip = data.Scrollbar->Bitmap;
    const int thickness = scroll::Thickness(strip.Height(), arrow);
    const int across = vertical ? w : h;

    raster::Bitmap image(w, h, raster::PixelFormat::Bgra32);
    tv::OwnedDC mem(::CreateCompatibleDC(target));
    if (!mem.Get() || !image.Handle()) return false;
    tv::SelectScope selected(mem.Get(), static_cast<HBITMAP>(image.Handle()));
    HDC dc = mem.Get();
    ::SetStretchBltMode(dc, COLORONCOLOR);
    const RECT all{0, 0, w, h};
    {
        const tv::OwnedBrush face(::CreateSolidBrush(tv::ColorToRGB(data.SkinColors.ButtonFace)));
        ::FillRect(dc, &all, face.Get());
    }

    // Track.
    const TDataSkinObject* track = vertical ? data.VertScroll.get() : data.HorzScroll.get();
    if (Usable(track)) {
        const RECT r = vertical ? RECT{0, arrow, w, h - arrow} : RECT{arrow, 0, w - arrow, h};
        const bool tile = data.HorzScroll && data.HorzScroll->Tile != 0;
        DrawElementImage(dc, r, track->Bitmap, false, tile, track->Trans != 0, 4, look.enabled ? 1 : 3,
                         track->Margins());
    }

    // Arrows: half the bar each when it is shorter than two.
    const Glyphs g = GlyphsFor(vertical);
    const scroll::ArrowSpans arrows = scroll::Arrows(length, arrow);
    const RECT first = vertical ? RECT{0, 0, w, arrows.first} : RECT{0, 0, arrows.first, h};
    const RECT second = vertical ? RECT{0, h - arrows.second, w, h} : RECT{w - arrows.second, 0, w, h};
    DrawStripImage(dc, first, strip, true, 23, ArrowFrame(g.first, look.hotPart == scroll::kLineUp, look.pressed));
    DrawStripImage(dc, second, strip, true, 23, ArrowFrame(g.second, look.hotPart == scroll::kLineDown, look.pressed));

    // Thumb, with its grip centred on it.
    const scroll::ThumbSpan thumb = look.thumb;
    if (look.enabled && !thumb.Empty() && thumb.start >= 0 && thumb.end <= length) {
        const RECT r = vertical ? RECT{0, thumb.start, thickness, thumb.end} : RECT{thumb.start, 0, thumb.end, thickness};
        const bool hot = look.hotPart == scroll::kThumbTrack;
        const TDataSkinObject* element = vertical ? data.VertScrollThumb.get() : data.HorzScrollThumb.get();
        const TDataSkinObject* counts = data.HorzScrollThumb.get();
        if (Usable(element) && counts) {
            const int frame = hot ? (look.pressed ? 2 : 3) : 1;
            DrawElementImage(dc, r, element->Bitmap, false, false, counts->Trans != 0, counts->FrameCount(), frame,
                             element->Margins());
        } else {
            // A skin without thumbs still shows where the thumb is.
            RECT edge = r;
            ::DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
        }
        const int gripLength = strip.Height();
        if (gripLength < thumb.Length() + 2) {
            const int gripStart = thumb.start + (thumb.Length() - gripLength) / 2;
            const RECT grip = vertical ? RECT{0, gripStart, across, gripStart + gripLength}
                                       : RECT{gripStart, 0, gripStart + gripLength, across};
            if (grip.left >= 0 && grip.top >= 0 && grip.right <= w && grip.bottom <= h)
                DrawStripImage(dc, grip, strip, true, 23, g.grip + (hot ? (look.pressed ? 1 : 2) : 0));
        }
    }
    ::BitBlt(target, x, y, w, h, dc, 0, 0, SRCCOPY);
    return true;
}

bool TWScrollbar::PaintBar(HDC target) {
    ScrollBarData data;
    if (!data_ || !Usable(data_->Scrollbar.get()) || !QueryBar(data) || data.Invisible()) return false;
    BarLook look;
    look.vertical = orientation_ == 1;
    look.enabled = data.Enabled();
    look.width = data.bar.right - data.bar.left;
    look.height = data.bar.bottom - data.bar.top;
    if (look.width <= 0 || look.height <= 0) return false;
    // The bar must fit the overlay as placed (a bar that moved waits for Reposition).
    if (hwnd_ && shown_) {
        RECT client{};
        ::GetClientRect(hwnd_, &client);
        if (look.width > client.right || look.height > client.bottom) return false;
    }
    length_ = look.vertical ? look.height : look.width;
    look.arrowSize = arrowSize_;
    look.hotPart = hotPart_;
    look.pressed = pressed_;
    look.thumb = DrawnThumb(data);
    thumbStart_ = look.thumb.start;
    thumbEnd_ = look.thumb.end;
    return ComposeBar(target, 0, 0, look, *data_);
}

LRESULT CALLBACK TWScrollbar::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        // Messages of the creation come before CreateWindowEx returns the handle.
        if (auto* created = static_cast<TWScrollbar*>(cs->lpCreateParams)) created->hwnd_ = wnd;
    }
    auto* self = reinterpret_cast<TWScrollbar*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(wnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        self->hwnd_ = nullptr;
        self->shown_ = false;
        ::SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
        return ::DefWindowProcW(wnd, msg, wParam, lParam);
    }
    const bool painting = msg == WM_PAINT;
    return base::Guarded<LRESULT>(0, [&] { return self->Dispatch(msg, wParam, lParam); },
                                  painting ? base::OnFailure::Swallow : base::OnFailure::Report);
}

LRESULT TWScrollbar::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(tv::PointFromLParam(lParam));
        return 0;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown(tv::PointFromLParam(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(tv::PointFromLParam(lParam));
        return 0;
    default:
        return ::DefWindowProcW(hwnd_, msg, wParam, lParam);
    }
}

void TWScrollbar::OnPaint() {
    tv::PaintDC paint(hwnd_);
    PaintBar(paint.Get());
}

void TWScrollbar::OnMouseMove(POINT p) {
    const int part = HitTest(p);
    if (part != hotPart_) {
        hotPart_ = part;
        Repaint();
    }
    TrackMouseLeave(hwnd_);
}

void TWScrollbar::OnMouseLeave() {
    if (pressed_) return;
    hotPart_ = scroll::kNone;
    Repaint();
}

void TWScrollbar::OnButtonDown(POINT p) {
    ::GetCursorPos(&pressCursor_);
    // The thumb as it was drawn last may be stale: take it from the bar now.
    ScrollBarData data;
    if (kind_ != kBarControl && QueryBar(data)) {
        thumbStart_ = data.thumbTop;
        thumbEnd_ = data.thumbBottom;
    } else if (kind_ == kBarControl) {
        if (tv::TWinControl* c = targetControl_.Get()) {
            const scroll::ThumbSpan t = scroll::ThumbFromProperties(
                length_, arrowSize_, int(tv::GetIntPropByName(c, "Min")), int(tv::GetIntPropByName(c, "Max")),
                int(tv::GetIntPropByName(c, "Position")), int(tv::GetIntPropByName(c, "PageSize")));
            thumbStart_ = t.start;
            thumbEnd_ = t.end;
        } else if (QueryBar(data)) {
            thumbStart_ = data.thumbTop;
            thumbEnd_ = data.thumbBottom;
        }
    }
    pressThumbStart_ = thumbStart_;
    hotPart_ = HitTest(p);
    POINT forward = p;
    if (kind_ != kBarControl) {
        if (QueryBar(data)) origin_ = POINT{data.bar.left, data.bar.top};
        ::ClientToScreen(hwnd_, &forward);
    }
    pressed_ = true;
    Repaint();
    ::ReleaseCapture();
    const std::shared_ptr<bool> alive = alive_;
    HWND target = target_;
    // Returns when the control's own tracking has ended.
    if (kind_ != kBarControl)
        ::SendMessageW(target, WM_NCLBUTTONDOWN, BarHitCode(), tv::LParamFromPoint(forward));
    else
        ::SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, tv::LParamFromPoint(forward));
    if (!*alive) return;
    pressed_ = false;
    ::ReleaseCapture();
    Repaint();
}

void TWScrollbar::OnButtonUp(POINT p) {
    POINT forward = p;
    if (kind_ != kBarControl) ::ClientToScreen(hwnd_, &forward);
    pressed_ = false;
    ::ReleaseCapture();
    if (kind_ != kBarControl)
        ::PostMessageW(target_, WM_NCLBUTTONUP, BarHitCode(), tv::LParamFromPoint(forward));
    else
        ::PostMessageW(target_, WM_LBUTTONUP, MK_LBUTTON, tv::LParamFromPoint(forward));
    if (kind_ == kBarControl) Repaint();
}

}  // namespace skin
