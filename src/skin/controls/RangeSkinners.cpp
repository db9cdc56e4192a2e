#include "skin/controls/RangeSkinners.h"

#include <algorithm>
#include <cstdint>
#include <cwctype>
#include <functional>
#include <iterator>

#include "base/CallbackGuard.h"
#include "raster/Slices.h"
#include "skin/core/WinSkinData.h"
#include "skin/forms/DrawPrimitives.h"
#include "skin/resources/ImgUtil.h"

namespace skin {

namespace {

// The skin's colour as a COLORREF (system colours resolved).
COLORREF SkinRgb(const TSkinData* data, tv::TColor TSkinColors::*member, tv::TColor fallback) {
    return tv::ColorToRGB(data ? data->SkinColors.*member : fallback);
}

bool HasBitmap(const TDataSkinObject* e) { return e && !e->Bitmap.Empty(); }

// The raster image onto a DC at (x, y), in one transfer.
void BlitImage(HDC dc, int x, int y, const raster::Bitmap& image) {
    if (image.Empty() || !image.Handle()) return;
    tv::OwnedDC memory(::CreateCompatibleDC(dc));
    const tv::SelectScope select(memory.Get(), static_cast<HBITMAP>(image.Handle()));
    ::BitBlt(dc, x, y, image.Width(), image.Height(), memory.Get(), 0, 0, SRCCOPY);
}

// Part (sx, sy, sw, sh) of a skin bitmap stretched over (x, y, w, h) of the DC.
void StretchPart(HDC dc, int x, int y, int w, int h, const raster::Bitmap& image, int sx, int sy, int sw, int sh) {
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0 || !image.Handle()) return;
    tv::OwnedDC memory(::CreateCompatibleDC(dc));
    const tv::SelectScope select(memory.Get(), static_cast<HBITMAP>(image.Handle()));
    const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    ::StretchBlt(dc, x, y, w, h, memory.Get(), sx, sy, sw, sh, SRCCOPY);
    ::SetStretchBltMode(dc, oldMode);
}

// Two ends of a skin margin wide and a middle stretched between them, along one axis:
// for the groove of a track bar. Margins of a damaged skin are kept inside the image and
// the target.
struct Span {
    int at, length;
};
void ThreeSlices(int imageLength, int startMargin, int endMargin, int targetLength,
                 const std::function<void(Span image, Span target)>& copy) {
    int a = std::clamp(startMargin, 0, imageLength), b = std::clamp(endMargin, 0, imageLength - a);
    if (a + b > targetLength) a = b = 0;
    copy({0, a}, {0, a});
    copy({a, imageLength - a - b}, {a, targetLength - a - b});
    copy({imageLength - b, b}, {targetLength - b, b});
}

}  // namespace

// ---- progress bar --------------------------------------------------------------------------

const tv::TClassInfo& TSkinProgress::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinProgress>("TSkinProgress").Done();
    return info;
}

TSkinProgress::TSkinProgress(tv::TComponent* owner) : TSkinControl(owner) {}

TSkinProgress::~TSkinProgress() = default;

bool TSkinProgress::BeforeMessage(tv::TMessage& m) {
    if (!TSkinControl::BeforeMessage(m)) return false;
    switch (m.Msg) {
        case WM_PAINT:
        case WM_PRINTCLIENT:
            // Without the element the control paints itself.
            if (!SkinData || !HasBitmap(SkinData->Progress.get())) return true;
            if (m.Msg == WM_PRINTCLIENT && !m.WParam) return true;
            PaintOnMessage(*this, m);
            return false;
        case WM_ERASEBKGND:
            if (!SkinData || !HasBitmap(SkinData->Progress.get())) return true;
            m.Result = 1;
            return false;
        default: return true;
    }
}

int TSkinProgress::FilledLength(int length) const {
    if (!Handle || length <= 0) return 0;
    // The filled part is the position's share of the range from Min to Max: a range that
    // does not start at 0 must not fill past the position.
    const std::int64_t low = int(::SendMessageW(Handle, PBM_GETRANGE, TRUE, 0));
    const std::int64_t high = int(::SendMessageW(Handle, PBM_GETRANGE, FALSE, 0));
    const std::int64_t pos = int(::SendMessageW(Handle, PBM_GETPOS, 0, 0));
    if (high <= low || pos <= low) return 0;
    if (pos >= high) return length;
    return int(std::int64_t(length) * (pos - low) / (high - low));
}

void TSkinProgress::DrawSkin(HDC dc, const RECT& rect) {
    const TDataSkinBorder* progress = SkinData ? SkinData->Progress.get() : nullptr;
    if (!HasBitmap(progress) || !Handle) return;
    const bool chunks = progress->Style == 1;
    const TDataSkinObject* chunk = SkinData->ProgressChunk.get();
    if (chunks && !HasBitmap(chunk)) return;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return;
    // A vertical bar is drawn lying and turned at the end.
    const bool vertical = (GetLong(Handle, GWL_STYLE) & PBS_VERTICAL) != 0;
    const int rw = vertical ? h : w, rh = vertical ? w : h;
    raster::Bitmap image(rw, rh);
    image.Fill(SkinRgb(SkinData, &TSkinColors::ButtonFace, tv::clBtnFace));
    const raster::Rect whole{0, 0, rw, rh};
    const raster::Margins margins = progress->Margins();
    const int filled = FilledLength(rw);

    if (!chunks) {
        raster::DrawElementImage(image, whole, progress->Bitmap, false, progress->Tile != 0, true, 2, 1, margins);
        if (filled > 0)
            raster::DrawElementImage(image, {0, 0, filled, rh}, progress->Bitmap, false, progress->Tile != 0, true, 2,
                                     2, margins);
    } else {
        raster::DrawElementImage(image, whole, progress->Bitmap, false, false, true, 1, 1, margins);
        if (filled > 0) {
            const raster::Bitmap& cb = chunk->Bitmap;
            const int ch = cb.Height(), cw = cb.Width();
            const int y = (rh - ch) / 2;
            if (chunk->Tile == 1) {
                raster::Bitmap row(filled, ch);
                raster::TileImage(row, {0, 0, filled, ch}, cb, {0, 0, cw, ch});
                raster::DrawTransparent(image, {chunk->LeftWidth + 2, y, chunk->LeftWidth + 2 + filled, y + ch}, row);
            } else if (rh > 4) {
                raster::Bitmap bar(filled, rh - 4);
                raster::RenderElementBarInto(bar, {0, 0, filled, rh - 4}, cb, false, 1, 1, chunk->Margins());
                raster::DrawTransparent(image, {2, 2, 2 + filled, rh - 2}, bar);
            }
        }
    }
    // Turned counter-clockwise: the filled end is at the bottom.
    if (vertical) RotateLeft(image);
    BlitImage(dc, rect.left, rect.top, image);
}

// ---- track bar -----------------------------------------------------------------------------

const tv::TClassInfo& TSkinTrackBar::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinTrackBar>("TSkinTrackBar").Done();
    return info;
}

TSkinTrackBar::TSkinTrackBar(tv::TComponent* owner) : TSkinControl(owner) {}

TSkinTrackBar::~TSkinTrackBar() { ReleaseParent(); }

void TSkinTrackBar::AttachWindow(HWND window, TSkinData* data, TSkinnerHost* formSkinner, tv::TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachWindow(window, data, formSkinner, canvas);
    if (!Attached) return;
    // A bare track bar asks its parent how to draw; no framework reflects that to us.
    parent_ = ::GetParent(Handle);
    if (parent_ && !::SetWindowSubclass(parent_, &TSkinTrackBar::ParentProc, reinterpret_cast<UINT_PTR>(this),
                                        reinterpret_cast<DWORD_PTR>(this)))
        parent_ = nullptr;
    ::InvalidateRect(Handle, nullptr, TRUE);
}

void TSkinTrackBar::Detach() {
    ReleaseParent();
    TSkinControl::Detach();
    if (Handle && ::IsWindow(Handle)) ::InvalidateRect(Handle, nullptr, TRUE);
}

void TSkinTrackBar::ReleaseParent() {
    if (!parent_) return;
    if (::IsWindow(parent_))
        ::RemoveWindowSubclass(parent_, &TSkinTrackBar::ParentProc, reinterpret_cast<UINT_PTR>(this));
    parent_ = nullptr;
}

LRESULT CALLBACK TSkinTrackBar::ParentProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR data) {
    auto* self = reinterpret_cast<TSkinTrackBar*>(data);
    if (msg == WM_NOTIFY && lParam) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr->code == UINT(NM_CUSTOMDRAW) && hdr->hwndFrom == self->Handle && self->Active)
            return base::Guarded(LRESULT(CDRF_DODEFAULT),
                                 [&] { return self->CustomDraw(*reinterpret_cast<NMCUSTOMDRAW*>(lParam)); },
                                 base::OnFailure::Swallow);
    }
    return ::DefSubclassProc(wnd, msg, wParam, lParam);
}

bool TSkinTrackBar::BeforeMessage(tv::TMessage& m) {
    if (!TSkinControl::BeforeMessage(m)) return false;
    switch (m.Msg) {
        case WM_NOTIFY:
        case tv::CN_NOTIFY: {
            auto* hdr = reinterpret_cast<NMHDR*>(m.LParam);
            // Only the control's own questions: its tooltip asks too.
            if (!hdr || hdr->code != UINT(NM_CUSTOMDRAW) || hdr->hwndFrom != Handle) return true;
            m.Result = CustomDraw(*reinterpret_cast<NMCUSTOMDRAW*>(m.LParam));
            return false;
        }
        case tv::CN_CTLCOLORSTATIC:
            // The control's background and ticks: the skin's face and text, not the
            // control's own colour, which is the system's.
            if (!SkinData || !SkinData->FaceBrush()) return true;
            ::SetTextColor(reinterpret_cast<HDC>(m.WParam), SkinRgb(SkinData, &TSkinColors::ButtonText, tv::clBtnText));
            ::SetBkColor(reinterpret_cast<HDC>(m.WParam), SkinRgb(SkinData, &TSkinColors::ButtonFace, tv::clBtnFace));
            m.Result = reinterpret_cast<LRESULT>(SkinData->FaceBrush());
            return false;
        default: return true;
    }
}

void TSkinTrackBar::RefreshSkin() {
    // A whole repaint asks the custom-draw questions again. (Moving the focus there and
    // back would too, but would run the form's OnExit and OnEnter for nothing.)
    if (Handle) ::RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

LRESULT TSkinTrackBar::CustomDraw(NMCUSTOMDRAW& cd) {
    if (cd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (cd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    switch (cd.dwItemSpec) {
        case TBCD_THUMB: DrawThumb(cd.hdc); return CDRF_SKIPDEFAULT;
        case TBCD_CHANNEL: DrawGroove(cd.hdc); return CDRF_SKIPDEFAULT;
        default: return CDRF_DODEFAULT;  // ticks: the control's own
    }
}

int TSkinTrackBar::ThumbFrame() const {
    // The strip's second frame is the thumb as the control shows it; a disabled control
    // shows the disabled one (the third), as every other skinned control does.
    return Handle && (GetLong(Handle, GWL_STYLE) & WS_DISABLED) ? 3 : 2;
}

void TSkinTrackBar::DrawThumb(HDC dc) {
    if (!Handle || !::IsWindow(Handle)) return;
    RECT r{};
    ::SendMessageW(Handle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
    const bool vertical = (GetLong(Handle, GWL_STYLE) & TBS_VERT) != 0;
    const TDataSkinObject* image = nullptr;
    if (vertical && HasBitmap(SkinData->TrackThumbVert.get())) image = SkinData->TrackThumbVert.get();
    else if (HasBitmap(SkinData->TrackThumbHorz.get())) image = SkinData->TrackThumbHorz.get();
    if (image) {
        DrawStripFrame(*this, dc, r, 5, ThumbFrame(), image->Bitmap);
        return;
    }
    tv::OwnedPen pen(::CreatePen(PS_SOLID, 1, SkinRgb(SkinData, &TSkinColors::ButtonShadow, tv::clBtnShadow)));
    const tv::SelectScope usePen(dc, pen.Get());
    const tv::SelectScope useBrush(dc, ::GetStockObject(WHITE_BRUSH));
    ::Rectangle(dc, r.left, r.top, r.right, r.bottom);
}

void TSkinTrackBar::DrawGroove(HDC dc) {
    if (!Handle || !::IsWindow(Handle) || !SkinData) return;
    RECT c{};
    ::SendMessageW(Handle, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&c));
    const bool vertical = (GetLong(Handle, GWL_STYLE) & TBS_VERT) != 0;
    const TDataSkinObject* trackVert = SkinData->TrackVert.get();
    if (vertical && HasBitmap(trackVert)) {
        // The control may report a vertical channel lying: turned upright here.
        RECT r = c;
        if (c.right - c.left > c.bottom - c.top) r = {c.top, c.left, c.bottom, c.right};
        const raster::Bitmap& b = trackVert->Bitmap;
        const int bw = b.Width(), bh = b.Height(), rw = r.right - r.left, rh = r.bottom - r.top;
        const int x = bw < rw ? (rw - bw) / 2 : 0;
        ThreeSlices(bh, trackVert->TopHeight, trackVert->BottomHeight, rh, [&](Span image, Span target) {
            StretchPart(dc, r.left + x, r.top + target.at, bw, target.length, b, 0, image.at, bw, image.length);
        });
        return;
    }
    const TDataSkinObject* track = SkinData->Track.get();
    if (!HasBitmap(track)) return;
    const raster::Bitmap& b = track->Bitmap;
    const int bw = b.Width(), bh = b.Height(), rw = c.right - c.left, rh = c.bottom - c.top;
    // Centred across the channel, as the vertical groove is.
    const int y = bh < rh ? (rh - bh) / 2 : 0;
    ThreeSlices(bw, track->LeftWidth, track->RightWidth, rw, [&](Span image, Span target) {
        StretchPart(dc, c.left + target.at, c.top + y, target.length, bh, b, image.at, 0, image.length, bh);
    });
}

// ---- up-down -------------------------------------------------------------------------------

const tv::TClassInfo& TSkinUpDown::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinUpDown>("TSkinUpDown").Done();
    return info;
}

TSkinUpDown::TSkinUpDown(tv::TComponent* owner) : TSkinControl(owner) {}

TSkinUpDown::~TSkinUpDown() = default;

void TSkinUpDown::AttachWindow(HWND window, TSkinData* data, TSkinnerHost* formSkinner, tv::TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachWindow(window, data, formSkinner, canvas);
    if (!Attached) return;
    wchar_t name[64] = {};
    if (HWND parent = ::GetParent(Handle); parent && ::GetClassNameW(parent, name, 63) > 0) {
        std::wstring c(name);
        std::transform(c.begin(), c.end(), c.begin(), [](wchar_t ch) { return wchar_t(std::towlower(ch)); });
        Embedded = c.find(L"edit") != std::wstring::npos;
    }
}

int TSkinUpDown::ButtonFrame(int direction, int look) {
    return direction < 2 ? look + 4 * direction : look + 4 * (direction - 2);
}

bool TSkinUpDown::HorizontalNow() const { return Horizontal || (Handle && (GetLong(Handle, GWL_STYLE) & UDS_HORZ)); }

int TSkinUpDown::HalfUnderPointer() const {
    if (!Handle) return -1;
    POINT p{};
    ::GetCursorPos(&p);
    ::ScreenToClient(Handle, &p);
    RECT r{};
    ::GetClientRect(Handle, &r);
    if (!::PtInRect(&r, p)) return -1;
    return HorizontalNow() ? (p.x >= r.right / 2 ? 1 : 0) : (p.y >= r.bottom / 2 ? 1 : 0);
}

bool TSkinUpDown::BeforeMessage(tv::TMessage& m) {
    if (!TSkinControl::BeforeMessage(m)) return false;
    switch (m.Msg) {
        case WM_PAINT:
            PaintOnMessage(*this, m);
            return false;
        case WM_PRINTCLIENT:
            if (!m.WParam) return true;
            PaintOnMessage(*this, m);
            return false;
        case WM_ERASEBKGND:
            if (!Control() && Handle) {
                RECT r{};
                ::GetClientRect(Handle, &r);
                ::FillRect(reinterpret_cast<HDC>(m.WParam), &r, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
            }
            m.Result = 1;
            return false;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const tv::WeakPtr<TSkinControl> alive(this);
            CallPrevious(m);
            if (!alive.Get()) return false;
            MouseState.Include(TSkinMouse::Pressed);
            PaintWindow(nullptr);
            return false;
        }
        case WM_LBUTTONUP: {
            MouseState.Exclude(TSkinMouse::Pressed);
            const tv::WeakPtr<TSkinControl> alive(this);
            CallPrevious(m);
            if (!alive.Get()) return false;
            PaintWindow(nullptr);
            return false;
        }
        default: return true;
    }
}

void TSkinUpDown::AfterMessage(tv::TMessage& m) {
    switch (m.Msg) {
        case WM_MOUSEMOVE: {
            // Hot follows the pointer from one button to the other.
            const int half = HalfUnderPointer();
            if (!MouseState.Contains(TSkinMouse::Hot)) {
                MouseState.Include(TSkinMouse::Hot);
                TrackMouseLeave(Handle);
                lastHalf_ = half;
                InvalidateSkin();
            } else if (half != lastHalf_) {
                lastHalf_ = half;
                InvalidateSkin();
            }
            break;
        }
        case WM_MOUSELEAVE:
            MouseState.Exclude(TSkinMouse::Hot);
            lastHalf_ = -1;
            InvalidateSkin();
            break;
        case WM_CAPTURECHANGED:
        case WM_CANCELMODE:
            // The press ends with the capture, whether or not the button came up here.
            if (MouseState.Contains(TSkinMouse::Pressed)) {
                MouseState.Exclude(TSkinMouse::Pressed);
                InvalidateSkin();
            }
            break;
        default: TSkinControl::AfterMessage(m); break;
    }
}

void TSkinUpDown::DrawSkin(HDC dc, const RECT& rect) {
    if (!Handle) return;
    RECT r = rect;
    if (Embedded) {
        RECT client{};
        ::GetClientRect(Handle, &client);
        ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        // Clear of the edit's frame: 3 pixels from its edges.
        RECT p{}, s{};
        if (HWND parent = ::GetParent(Handle)) ::GetWindowRect(parent, &p);
        ::GetWindowRect(Handle, &s);
        if (s.top - p.top < 3) r.top += 3 - (s.top - p.top);
        if (p.bottom - s.bottom < 3) r.bottom -= 3 - (p.bottom - s.bottom);
        if (p.right - s.right < 3) r.right -= 3 - (p.right - s.right);
    }
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return;
    Image.SetSize(w, h);
    HDC img = Image.Canvas().Handle();
    const RECT local{0, 0, w, h};
    FillSkinFace(img, local);

    POINT p{};
    ::GetCursorPos(&p);
    ::ScreenToClient(Handle, &p);
    const bool enabled = !(GetLong(Handle, GWL_STYLE) & WS_DISABLED);
    const int look = MouseState.Contains(TSkinMouse::Pressed) ? 2 : MouseState.Contains(TSkinMouse::Hot) ? 4 : 1;
    // The look belongs to the button under the pointer; the other one is normal.
    if (HorizontalNow()) {
        const int half = w / 2;
        const int leftLook = !enabled ? 3 : p.x >= half ? 1 : look;
        const int rightLook = !enabled ? 3 : p.x < half ? 1 : look;
        DrawButton(img, {0, 0, half, h}, 2, leftLook);
        DrawButton(img, {half, 0, w, h}, 3, rightLook);
    } else {
        const int half = h / 2;
        const int upLook = !enabled ? 3 : p.y >= half ? 1 : look;
        const int downLook = !enabled ? 3 : p.y < half ? 1 : look;
        DrawButton(img, {0, 0, w, half}, 0, upLook);
        DrawButton(img, {0, half, w, h}, 1, downLook);
    }
    ::BitBlt(dc, r.left, r.top, w, h, img, 0, 0, SRCCOPY);
}

void TSkinUpDown::DrawButton(HDC dc, const RECT& b, int direction, int look) {
    const TDataSkinBorder* e = nullptr;
    if (SkinData) e = direction >= 2 ? SkinData->UpDownHorz.get() : SkinData->UpDownVert.get();
    const int frame = ButtonFrame(direction, look);
    if (HasBitmap(e)) {
        const int frames = e->FrameCount();
        DrawStripImage(dc, b, e->Bitmap, true, frames, frame);
        if (!e->Bitmap2.Empty()) {
            const int gw = e->Bitmap2.Width() / frames, gh = e->Bitmap2.Height();
            const int x = b.left + (b.right - b.left - gw) / 2, y = b.top + (b.bottom - b.top - gh) / 2;
            DrawStripImage(dc, {x, y, x + gw, y + gh}, e->Bitmap2, true, frames, frame);
        }
        return;
    }
    // The plain button: a framed face and a small arrow.
    const bool dark = look == 2 || look == 4;
    tv::OwnedBrush brush(::CreateSolidBrush(dark ? SkinRgb(SkinData, &TSkinColors::ButtonShadow, tv::clBtnShadow)
                                                 : SkinRgb(SkinData, &TSkinColors::ButtonFace, tv::clBtnFace)));
    tv::OwnedPen pen(::CreatePen(PS_SOLID, 1, SkinRgb(SkinData, &TSkinColors::ButtonDkShadow, tv::cl3DDkShadow)));
    const tv::SelectScope useBrush(dc, brush.Get());
    const tv::SelectScope usePen(dc, pen.Get());
    ::Rectangle(dc, b.left, b.top, b.right, b.bottom);
    const int x = b.left + (b.right - b.left) / 2;
    const int y = b.top + (b.bottom - b.top) / 2 - (direction < 2 ? 2 : 0);
    struct Step {
        bool move;
        int dx, dy;
    };
    static const Step kUp[] = {{true, 0, 0}, {false, 0, -1}, {true, 1, 1}, {false, 4, 4}, {true, 0, 1},
                               {false, 3, 4}, {true, 0, 2},  {false, 2, 4}, {true, -1, 1}, {false, -4, 4},
                               {true, 0, 2},  {false, -3, 4}, {true, 0, 1}, {false, -2, 4}};
    static const Step kDown[] = {{true, 0, 3}, {false, 0, 4},  {true, 1, 2},  {false, 4, -1}, {true, 0, 2},
                                 {false, 3, -1}, {true, 0, 1}, {false, 2, 0}, {true, -1, 2}, {false, -4, -1},
                                 {true, 0, 2},  {false, -3, -1}, {true, 0, 1}, {false, -2, 0}};
    static const Step kLeft[] = {{true, 0, 0}, {false, 1, 2}, {false, 1, -2}, {false, -1, 0}, {false, 1, 2}};
    static const Step kRight[] = {{true, 0, 0}, {false, -1, 2}, {false, -1, -2}, {false, 1, 0}, {false, -1, 2}};
    const Step* steps = kUp;
    std::size_t count = std::size(kUp);
    switch (direction) {
        case 1: steps = kDown, count = std::size(kDown); break;
        case 2: steps = kLeft, count = std::size(kLeft); break;
        case 3: steps = kRight, count = std::size(kRight); break;
        default: break;
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (steps[i].move) ::MoveToEx(dc, x + steps[i].dx, y + steps[i].dy, nullptr);
        else ::LineTo(dc, x + steps[i].dx, y + steps[i].dy);
    }
}

}  // namespace skin
