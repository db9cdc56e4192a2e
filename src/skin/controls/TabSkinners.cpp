#include "skin/controls/TabSkinners.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "base/CallbackGuard.h"
#include "base/Text.h"
#include "framework/PropAccess.h"
#include "framework/Tabs.h"
#include "skin/core/WinSkinData.h"
#include "skin/forms/DrawPrimitives.h"

namespace skin {

namespace {

constexpr std::intptr_t kCloseBoxTag = 7777;
// A tab with a close box is this much wider, so that the box sits beside its caption; the
// control's own padding is given back when the skin goes.
constexpr int kCloseBoxRoom = 10;
constexpr int kStockPaddingX = 6, kStockPaddingY = 3;

void SetTabPadding(HWND tabs, int x, int y) {
    ::SendMessageW(tabs, TCM_SETPADDING, 0, MAKELPARAM(x, y));
    // The control lays its tabs out again when its font is set.
    ::SendMessageW(tabs, WM_SETFONT, ::SendMessageW(tabs, WM_GETFONT, 0, 0), TRUE);
}
constexpr int kTabFrames = 5;
constexpr int kButtonFrames = 5;
constexpr int kHeaderFrames = 5;

bool WindowDisabled(const TSkinControl& s) { return s.Handle && (s.GetLong(s.Handle, GWL_STYLE) & WS_DISABLED); }

// The canvas takes the control's font (the framework's, else the window's).
void UseControlFont(const TSkinControl& s, tv::TCanvas& canvas) {
    if (tv::TControl* control = s.Control())
        if (auto* font = dynamic_cast<tv::TFont*>(tv::GetObjectPropByName(control, "Font", "TFont"))) {
            canvas.Font().Assign(*font);
            return;
        }
    HFONT font = s.Handle ? reinterpret_cast<HFONT>(::SendMessageW(s.Handle, WM_GETFONT, 0, 0)) : nullptr;
    if (!font) font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW lf{};
    if (!::GetObjectW(font, sizeof lf, &lf)) return;
    canvas.Font().SetName(text::Narrow(lf.lfFaceName));
    canvas.Font().SetHeight(lf.lfHeight);
    tv::TFontStyles styles;
    if (lf.lfWeight >= FW_BOLD) styles.Include(tv::TFontStyle::fsBold);
    if (lf.lfItalic) styles.Include(tv::TFontStyle::fsItalic);
    canvas.Font().SetStyle(styles);
}

// The framework control's windowless children, each painted where it sits.
void PaintWindowlessChildren(const TSkinControl& s, HDC dc) {
    auto* parent = dynamic_cast<tv::TWinControl*>(s.Control());
    if (!parent) return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        tv::TControl* c = parent->Controls(i);
        if (dynamic_cast<tv::TWinControl*>(c) || !c->Visible()) continue;
        tv::DCStateScope state(dc);
        POINT org;
        ::GetViewportOrgEx(dc, &org);
        ::SetViewportOrgEx(dc, org.x + c->Left(), org.y + c->Top(), nullptr);
        ::IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
        base::Guarded([&] { c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0); }, base::OnFailure::Swallow);
    }
}

// The tab control's display area for a window rectangle, as the skin draws it.
RECT DisplayArea(HWND tab, const RECT& rect, int side) {
    RECT d = rect;
    ::SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&d));
    ::InflateRect(&d, 4, 4);
    switch (side) {
        case 0: d.top += 1; break;
        case 1: d.bottom -= 1; break;
        case 2: d.left += 1; break;
        default: d.right -= 1; break;
    }
    return d;
}

std::wstring TabCaption(const TSkinControl& s, int index, int& image) {
    image = -1;
    if (s.Unicode) {
        wchar_t buffer[80] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
        item.pszText = buffer;
        item.cchTextMax = 80;
        if (!::SendMessageW(s.Handle, TCM_GETITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item))) return L"";
        image = item.iImage;
        return buffer;
    }
    char buffer[80] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
    item.pszText = buffer;
    item.cchTextMax = 80;
    if (!::SendMessageA(s.Handle, TCM_GETITEMA, WPARAM(index), reinterpret_cast<LPARAM>(&item))) return L"";
    image = item.iImage;
    wchar_t wide[80] = {};
    ::MultiByteToWideChar(CP_ACP, 0, buffer, -1, wide, 80);
    return wide;
}

// A bitmap's pixels onto dc at rect's top-left.
void BlitBitmap(HDC dc, const RECT& rect, raster::Bitmap&& pixels) {
    tv::TBitmap picture;
    picture.SetBitmap(std::move(pixels));
    ::BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, picture.Canvas().Handle(), 0, 0,
             SRCCOPY);
}

HIMAGELIST TabImages(HWND tab) { return reinterpret_cast<HIMAGELIST>(::SendMessageW(tab, TCM_GETIMAGELIST, 0, 0)); }

// The image of a tab (from the control's own image list) left of a centred caption.
void DrawTabCaption(const TSkinControl& s, tv::TCanvas& canvas, const RECT& r, const std::wstring& caption,
                    HIMAGELIST images, int image, COLORREF colour) {
    HDC dc = canvas.Handle();
    int cx = 0, cy = 0;
    if (images && image >= 0) ImageList_GetIconSize(images, &cx, &cy);
    RECT measured = r;
    canvas.Brush().SetStyle(tv::TBrushStyle::bsClear);
    dc = canvas.Handle();
    DrawTextWide(dc, caption, measured, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP);
    const int tw = measured.right - measured.left, th = measured.bottom - measured.top;
    int x = r.left + ((r.right - r.left) - tw - (cx ? cx + 3 : 0)) / 2;
    x = std::max<int>(x, r.left + 2);
    if (cx) {
        ImageList_Draw(images, image, dc, x, r.top + ((r.bottom - r.top) - cy) / 2, ILD_TRANSPARENT);
        x += cx + 3;
    }
    RECT t{x, r.top + ((r.bottom - r.top) - th) / 2, std::min<LONG>(r.right - 2, x + tw), 0};
    t.bottom = t.top + th;
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF old = ::SetTextColor(dc, WindowDisabled(s) ? tv::ColorToRGB(tv::clBtnShadow) : colour);
    DrawTextWide(dc, caption, t, TextFlags(s, DT_SINGLELINE | DT_END_ELLIPSIS));
    ::SetTextColor(dc, old);
    ::SetBkMode(dc, oldMode);
}

}  // namespace

// ---- tabs ----------------------------------------------------------------------------------

const tv::TClassInfo& TSkinTab::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinTab>("TSkinTab").Done();
    return info;
}

TSkinTab::TSkinTab(tv::TComponent* owner) : TSkinControl(owner) {}

TSkinTab::~TSkinTab() = default;

int TSkinTab::SideOfStyle(LONG style) {
    if ((style & TCS_VERTICAL) && (style & TCS_RIGHT)) return 3;
    if (style & TCS_VERTICAL) return 2;
    if (style & TCS_BOTTOM) return 1;
    return 0;
}

void TSkinTab::AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachControl(formSkinner, data, recolor, canvas);
    if (!Handle) return;
    Enabled = !WindowDisabled(*this);
    tv::TControl* control = Control();
    auto* pages = dynamic_cast<tv::TPageControl*>(control);
    CloseButtons = control && control->Tag() == kCloseBoxTag && pages &&
                   pages->TabPosition() == tv::TTabPosition::tpTop;
    if (CloseButtons) SetTabPadding(Handle, kStockPaddingX + kCloseBoxRoom / 2, kStockPaddingY);
    PrepareImages();
    SkinScrollArrows();
    Active = true;
    Unicode = ::IsWindowUnicode(Handle) != FALSE;
}

void TSkinTab::AttachWindow(HWND window, TSkinData* data, TSkinnerHost* formSkinner, tv::TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachWindow(window, data, formSkinner, canvas);
    if (!Handle) return;
    Focused = ::GetFocus() == Handle;
    Enabled = !WindowDisabled(*this);
    Text = GetWindowTextWide(Handle);
    PrepareImages();
    SkinScrollArrows();
}

void TSkinTab::Detach() {
    if (CloseButtons && Handle && ::IsWindow(Handle)) SetTabPadding(Handle, kStockPaddingX, kStockPaddingY);
    CloseButtons = false;
    TSkinControl::Detach();
}

void TSkinTab::RefreshSkin() {
    TSkinControl::RefreshSkin();
    PrepareImages();
}

void TSkinTab::PrepareImages() {
    Side = Handle ? SideOfStyle(GetLong(Handle, GWL_STYLE)) : 0;
    raster::Bitmap tab, pane;
    if (SkinData && SkinData->Tabs) {
        const TDataSkinBorder& tabs = *SkinData->Tabs;
        if (!tabs.Bitmap.Empty()) tab = tabs.Bitmap.Clone();
        if (tabs.Style == 0 && !tabs.Bitmap2.Empty()) pane = tabs.Bitmap2.Clone();
        else if (tabs.Style == 1 && SkinData->TabPane && !SkinData->TabPane->Bitmap.Empty())
            pane = SkinData->TabPane->Bitmap.Clone();
    }
    switch (Side) {
        case 1:
            if (!tab.Empty()) FlipVertical(tab);
            if (!pane.Empty()) FlipVertical(pane);
            break;
        case 2:
            if (!pane.Empty()) RotateLeft(pane);
            break;
        case 3:
            if (!pane.Empty()) RotateRight(pane);
            break;
        default: break;
    }
    TabImage.SetBitmap(std::move(tab));
    PaneImage.SetBitmap(std::move(pane));
}

bool TSkinTab::SkinScrollArrows() {
    if (!Handle) return false;
    HWND arrows = ::FindWindowExW(Handle, nullptr, UPDOWN_CLASSW, nullptr);
    if (!arrows) return false;
    if (!UpDown) {
        // Owned by the control's skinner, which goes with the control.
        UpDown = CreateChildSkinner("TSkinUpDown", this);
        if (UpDown) UpDown->AttachWindow(arrows, SkinData, FormSkinner(), Canvas);
    }
    return ::IsWindowVisible(arrows) != FALSE;
}

bool TSkinTab::BeforeMessage(tv::TMessage& m) {
    if (m.Msg == WM_PAINT) {
        PaintOnMessage(*this, m);
        return false;
    }
    if (m.Msg == WM_LBUTTONDOWN && CloseButtons) {
        const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        for (std::size_t i = 0; i < CloseRects.size(); ++i) {
            if (!::PtInRect(&CloseRects[i], p)) continue;
            HWND form = FormWindow();
            const LRESULT keep =
                form ? ::SendMessageW(form, SKM_CLOSETAB, reinterpret_cast<WPARAM>(Handle), LPARAM(i)) : 0;
            if (keep == 0)
                if (auto* pages = dynamic_cast<tv::TPageControl*>(Control())) {
                    // The sheet of the i-th tab.
                    int tab = -1;
                    for (int k = 0; k < pages->PageCount(); ++k)
                        if (pages->Pages(k)->TabVisible() && ++tab == int(i)) {
                            // Another window than the one whose message this is: it may go now.
                            delete pages->Pages(k);
                            break;
                        }
                }
            m.Result = 0;
            return false;
        }
    }
    return TSkinControl::BeforeMessage(m);
}

void TSkinTab::AfterMessage(tv::TMessage& m) {
    TSkinControl::AfterMessage(m);
    if (m.Msg == tv::CM_RECREATEWND) {
        // A new window may have its tabs on another side, and new scroll arrows.
        UpDown = nullptr;
        if (CloseButtons) SetTabPadding(Handle, kStockPaddingX + kCloseBoxRoom / 2, kStockPaddingY);
        PrepareImages();
        SkinScrollArrows();
        InvalidateSkin();
    }
}

void TSkinTab::DrawPane(HDC dc, const RECT& display) {
    if (PaneImage.Empty() || !SkinData || !SkinData->Tabs) return;
    const bool ownBorder = SkinData->Tabs->Style == 0;
    const raster::Margins margins =
        !ownBorder && SkinData->TabPane ? SkinData->TabPane->Margins() : raster::Margins{4, 5, 4, 4};
    base::Guarded(
        [&] { DrawElementImage(dc, display, PaneImage.Pixels(), false, false, false, 1, 1, margins); },
        ownBorder ? base::OnFailure::Swallow : base::OnFailure::Report);
}

void TSkinTab::DrawSkin(HDC dc, const RECT& rect) {
    if (!Handle || !SkinData) return;
    const RECT display = DisplayArea(Handle, rect, Side);
    const int count = int(::SendMessageW(Handle, TCM_GETITEMCOUNT, 0, 0));
    const int current = int(::SendMessageW(Handle, TCM_GETCURFOCUS, 0, 0));
    HIMAGELIST images = TabImages(Handle);
    CloseRects.assign(std::size_t(std::max(count, 0)), RECT{});

    if (!TabImage.Empty() && SkinData->Tabs) {
        const TDataSkinBorder& tabs = *SkinData->Tabs;
        RECT area = rect;
        switch (Side) {
            case 0: area.bottom = display.top; break;
            case 1: area.top = display.bottom; break;
            case 2: area.right = display.left; break;
            default: area.left = display.right; break;
        }
        const int aw = area.right - area.left, ah = area.bottom - area.top;
        if (aw > 0 && ah > 0) {
            const bool sideways = Side >= 2;
            const int length = sideways ? ah : aw, thickness = sideways ? aw : ah;
            Strip.SetPixelFormat(raster::PixelFormat::Bgr24);
            Strip.SetSize(length, thickness);
            tv::TCanvas& canvas = Strip.Canvas();
            HDC s = canvas.Handle();
            FillParentColor(s, RECT{0, 0, length, thickness});
            UseControlFont(*this, canvas);
            // The turned image keeps its margins turned as well.
            raster::Margins margins = tabs.Margins();
            if (Side == 1) std::swap(margins.top, margins.bottom);
            const int width = rect.right - rect.left;
            for (int i = 0; i < count; ++i) {
                RECT r{};
                if (!::SendMessageW(Handle, TCM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r))) continue;
                const RECT client = r;
                switch (Side) {
                    case 0: ::OffsetRect(&r, 0, 1); break;
                    case 1: ::OffsetRect(&r, 0, -(display.bottom + 1)); break;
                    case 2: r = RECT{length - client.bottom, client.left, length - client.top, client.right}; break;
                    default:
                        r = RECT{client.top - 1, width - client.right, client.bottom - 1, width - client.left};
                        break;
                }
                DrawElementImage(canvas.Handle(), r, TabImage.Pixels(), false, tabs.Tile != 0, tabs.Trans == 1,
                                 kTabFrames, i == current ? 2 : 1, margins);
                const tv::TColor colour = i == current ? tabs.MouseOverColour2 : tabs.NormalColour2;
                if (CloseButtons) {
                    // In the caption's colour, which the skin makes legible on its tab.
                    canvas.Pen().SetColor(colour);
                    const RECT box{r.right - 8, r.top + 2, r.right - 2, r.top + 8};
                    canvas.MoveTo(box.left, box.top);
                    canvas.LineTo(box.right, box.bottom);
                    canvas.MoveTo(box.right - 1, box.top);
                    canvas.LineTo(box.left - 1, box.bottom);
                    // Stored where the press will come: in the control's coordinates.
                    RECT hit = box;
                    ::OffsetRect(&hit, 0, client.top - r.top);
                    CloseRects[std::size_t(i)] = hit;
                }
                int image = -1;
                const std::wstring caption = TabCaption(*this, i, image);
                RECT captionRect = r;
                if (CloseButtons) captionRect.right -= kCloseBoxRoom;
                DrawTabCaption(*this, canvas, captionRect, caption, images, image, tv::ColorToRGB(colour));
            }
            raster::Bitmap pixels = Strip.Pixels().Clone();
            if (Side == 2) RotateLeft(pixels);
            else if (Side == 3) RotateRight(pixels);
            tv::DCStateScope state(dc);
            if (SkinScrollArrows()) {
                // The arrows paint themselves; the strip leaves their place alone.
                HWND arrows = ::FindWindowExW(Handle, nullptr, UPDOWN_CLASSW, nullptr);
                RECT a{};
                ::GetWindowRect(arrows, &a);
                ::MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&a), 2);
                ::ExcludeClipRect(dc, a.left, a.top, a.right, a.bottom);
            }
            BlitBitmap(dc, area, std::move(pixels));
        }
    }
    DrawPane(dc, display);
    if (Variant == 2) PaintWindowlessChildren(*this, dc);
}

// ---- button-style tabs ---------------------------------------------------------------------

const tv::TClassInfo& TSkinTabBtn::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinTabBtn>("TSkinTabBtn").Done();
    return info;
}

TSkinTabBtn::TSkinTabBtn(tv::TComponent* owner) : TSkinControl(owner) {}

bool TSkinTabBtn::BeforeMessage(tv::TMessage& m) {
    if (m.Msg == WM_PAINT) {
        PaintOnMessage(*this, m);
        return false;
    }
    return TSkinControl::BeforeMessage(m);
}

void TSkinTabBtn::DrawSkin(HDC dc, const RECT& rect) {
    if (!Handle || !SkinData) return;
    if (tv::TControl* control = Control()) Enabled = control->Enabled();
    const RECT display = DisplayArea(Handle, rect, 0);
    const RECT area{rect.left, rect.top, rect.right, display.top + 1};
    const int w = area.right - area.left, h = area.bottom - area.top;
    if (w <= 0 || h <= 0) return;
    tv::TBitmap image;
    image.SetPixelFormat(raster::PixelFormat::Bgr24);
    image.SetSize(w, h);
    tv::TCanvas& canvas = image.Canvas();
    FillSkinFace(canvas.Handle(), RECT{0, 0, w, h});
    UseControlFont(*this, canvas);
    const TDataSkinButton* buttons = SkinData->Buttons.get();
    const int count = int(::SendMessageW(Handle, TCM_GETITEMCOUNT, 0, 0));
    const int current = int(::SendMessageW(Handle, TCM_GETCURFOCUS, 0, 0));
    HIMAGELIST images = TabImages(Handle);
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (!::SendMessageW(Handle, TCM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r))) continue;
        ::OffsetRect(&r, 0, 1);
        COLORREF colour = RGB(0, 0, 0);
        if (buttons) {
            DrawElementFrame(*this, canvas.Handle(), r, buttons->Frame > 0 ? buttons->Frame : kButtonFrames,
                             i == current ? 2 : 1, *buttons);
            if (i != current && buttons->HasNormalColour2) colour = tv::ColorToRGB(buttons->NormalColour2);
            if (i == current && buttons->HasPressedColour2) colour = tv::ColorToRGB(buttons->PressedColour2);
        }
        int imageIndex = -1;
        const std::wstring caption = TabCaption(*this, i, imageIndex);
        DrawTabCaption(*this, canvas, r, caption, images, imageIndex, colour);
    }
    ::BitBlt(dc, area.left, area.top, w, h, canvas.Handle(), 0, 0, SRCCOPY);
    // Nothing else paints the rest (the skinner answers WM_PAINT): the face goes there.
    FillSkinFace(dc, RECT{rect.left, area.bottom, rect.right, rect.bottom});
}

// ---- sheets --------------------------------------------------------------------------------

const tv::TClassInfo& TSkinTabSheet::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinTabSheet>("TSkinTabSheet").Done();
    return info;
}

TSkinTabSheet::TSkinTabSheet(tv::TComponent* owner) : TSkinControl(owner) {}

bool TSkinTabSheet::BeforeMessage(tv::TMessage& m) {
    if (!TSkinControl::BeforeMessage(m)) return false;
    if (Variant != 0) return true;
    switch (m.Msg) {
        case WM_PAINT:
        case WM_PRINT:
            PaintOnMessage(*this, m);
            return false;
        case WM_ERASEBKGND: {
            RECT r{};
            ::GetClientRect(Handle, &r);
            FillSkinFace(reinterpret_cast<HDC>(m.WParam), r);
            m.Result = 1;
            return false;
        }
        default: return true;
    }
}

void TSkinTabSheet::DrawSkin(HDC dc, const RECT& rect) {
    FillSkinFace(dc, rect);
    PaintWindowlessChildren(*this, dc);
}

// ---- headers -------------------------------------------------------------------------------

const tv::TClassInfo& TSkinHeader::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinHeader>("TSkinHeader").Done();
    return info;
}

TSkinHeader::TSkinHeader(tv::TComponent* owner) : TSkinControl(owner) {}

TSkinHeader::~TSkinHeader() = default;

void TSkinHeader::AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachControl(formSkinner, data, recolor, canvas);
    HotItem = -1;
}

void TSkinHeader::AttachWindow(HWND window, TSkinData* data, TSkinnerHost* formSkinner, tv::TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachWindow(window, data, formSkinner, canvas);
    HotItem = -1;
}

bool TSkinHeader::BeforeMessage(tv::TMessage& m) {
    if (m.Msg == WM_PAINT) {
        PaintOnMessage(*this, m);
        return false;
    }
    if (m.Msg == WM_ERASEBKGND) {
        if (!SkinData || !SkinData->Headerbar || SkinData->Headerbar->Bitmap.Empty()) return true;
        m.Result = 1;
        return false;
    }
    return TSkinControl::BeforeMessage(m);
}

void TSkinHeader::AfterMessage(tv::TMessage& m) {
    if (m.Msg == WM_MOUSEMOVE) {
        const POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        for (std::size_t i = 0; i < ItemRects.size(); ++i)
            if (::PtInRect(&ItemRects[i], p) && int(i) != HotItem) {
                HotItem = int(i);
                InvalidateSkin();
            }
        TrackMouseLeave(Handle);
        return;
    }
    if (m.Msg == WM_MOUSELEAVE) {
        HotItem = -1;
        InvalidateSkin();
        return;
    }
    TSkinControl::AfterMessage(m);
}

void TSkinHeader::DrawSkin(HDC dc, const RECT& rect) {
    if (!Handle || !SkinData || !SkinData->Headerbar || SkinData->Headerbar->Bitmap.Empty()) return;
    const TDataSkinObject& bar = *SkinData->Headerbar;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return;
    tv::TBitmap image;
    image.SetPixelFormat(raster::PixelFormat::Bgr24);
    image.SetSize(w, h);
    tv::TCanvas& canvas = image.Canvas();
    UseControlFont(*this, canvas);
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(::SendMessageW(Handle, HDM_GETIMAGELIST, 0, 0));
    const int count = std::max(0, int(::SendMessageW(Handle, HDM_GETITEMCOUNT, 0, 0)));
    ItemRects.assign(std::size_t(count), RECT{});
    const int frames = bar.Frame > 0 ? bar.Frame : kHeaderFrames;
    int right = 0;
    for (int i = 0; i < count; ++i) {
        RECT r{};
        if (!::SendMessageW(Handle, HDM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r))) continue;
        wchar_t buffer[201] = {};
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
        item.pszText = buffer;
        item.cchTextMax = 201;
        ::SendMessageW(Handle, HDM_GETITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
        DrawElementImage(canvas.Handle(), r, bar.Bitmap, false, bar.Tile != 0, false, frames, i == HotItem ? 2 : 1,
                         bar.Margins());
        if (buffer[0]) {
            const int alignment = (item.fmt & HDF_RIGHT) ? 2 : (item.fmt & HDF_CENTER) ? 1 : 0;
            int imageIndex = (item.fmt & 0x8800) ? item.iImage : -1;
            int cx = 0, cy = 0;
            if (images && imageIndex >= 0) ImageList_GetIconSize(images, &cx, &cy);
            RECT t = r;
            ::InflateRect(&t, -4, 0);
            if (cx) {
                ImageList_Draw(images, imageIndex, canvas.Handle(), t.left, t.top + (h - cy) / 2, ILD_TRANSPARENT);
                t.left += cx + 3;
            }
            HDC c = canvas.Handle();
            const int oldMode = ::SetBkMode(c, TRANSPARENT);
            const COLORREF old = ::SetTextColor(c, tv::ColorToRGB(SkinData->SkinColors.ButtonText));
            const UINT align = alignment == 2 ? DT_RIGHT : alignment == 1 ? DT_CENTER : DT_LEFT;
            DrawTextWide(c, buffer, t, TextFlags(*this, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS));
            ::SetTextColor(c, old);
            ::SetBkMode(c, oldMode);
        }
        ItemRects[std::size_t(i)] = RECT{r.left + 3, r.top, r.right - 3, r.bottom};
        right = std::max<int>(right, r.right);
    }
    // The bar goes on past the last item.
    if (right < w)
        DrawElementImage(canvas.Handle(), RECT{right, 0, w, h}, bar.Bitmap, false, bar.Tile != 0, false, frames, 1,
                         bar.Margins());
    ::BitBlt(dc, rect.left, rect.top, w, h, canvas.Handle(), 0, 0, SRCCOPY);
}

void RegisterTabSkinners() {
    RegisterChildSkinner("TSkinTab", [](tv::TComponent* owner) -> TChildSkinner* { return new TSkinTab(owner); });
    RegisterChildSkinner("TSkinTabBtn", [](tv::TComponent* owner) -> TChildSkinner* { return new TSkinTabBtn(owner); });
    RegisterChildSkinner("TSkinTabSheet",
                         [](tv::TComponent* owner) -> TChildSkinner* { return new TSkinTabSheet(owner); });
    RegisterChildSkinner("TSkinHeader", [](tv::TComponent* owner) -> TChildSkinner* { return new TSkinHeader(owner); });
}

}  // namespace skin
