#include "skin/controls/ButtonSkinners.h"

#include <algorithm>

#include "base/Ascii.h"
#include "base/CallbackGuard.h"
#include "base/Text.h"
#include "framework/ImgList.h"
#include "framework/PropAccess.h"
#include "skin/core/WinSkinData.h"
#include "skin/forms/CanvasPrimitives.h"
#include "skin/forms/DrawPrimitives.h"
#include "skin/resources/ImgUtil.h"

namespace skin {

namespace {

constexpr int kButtonFrames = 5;
constexpr std::intptr_t kTransparentTag = 5555;

bool PropIsTrue(const tv::TObject* object, std::string_view name) {
    return base::AsciiLower(tv::GetEnumPropByName(object, name)) == "true";
}

// Glyph position along one axis: left/top, right/bottom.
enum class Layout { Left, Right, Top, Bottom };

Layout ReadLayout(const tv::TObject* object) {
    const std::string v = base::AsciiLower(tv::GetEnumPropByName(object, "Layout"));
    if (v == "blglyphright") return Layout::Right;
    if (v == "blglyphtop") return Layout::Top;
    if (v == "blglyphbottom") return Layout::Bottom;
    return Layout::Left;
}

// Frame k (from 1) of count glyph frames side by side; frame 1 when k is past the end.
raster::Bitmap CutGlyph(const raster::Bitmap& glyph, int count, int k) {
    count = std::max(count, 1);
    if (k > count || k < 1) k = 1;
    const int w = glyph.Width() / count, h = glyph.Height();
    raster::Bitmap out(std::max(w, 0), h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) out.SetPixel(x, y, glyph.GetPixel((k - 1) * w + x, y));
    return out;
}

struct GlyphPlan {
    POINT glyph{};
    RECT text{};
    UINT flags = DT_WORDBREAK;
};

// Where glyph (size g) and caption (size t) go in a client of size c.
GlyphPlan PlanGlyphAndText(SIZE c, SIZE g, SIZE t, Layout layout, int margin, int spacing, bool centre,
                           bool speedRule) {
    const bool horizontal = layout == Layout::Left || layout == Layout::Right;
    GlyphPlan p;
    // Across the layout axis both are centred.
    if (horizontal) {
        p.glyph.y = (c.cy - g.cy + 1) / 2;
        p.text.top = (c.cy - t.cy + 1) / 2;
    } else {
        p.glyph.x = (c.cx - g.cx + 1) / 2;
        p.text.left = (c.cx - t.cx + 1) / 2;
    }
    if (t.cx == 0 || g.cx == 0) spacing = 0;
    const int cAxis = horizontal ? c.cx : c.cy, gAxis = horizontal ? g.cx : g.cy, tAxis = horizontal ? t.cx : t.cy;
    if (margin == -1 || centre) {
        if (spacing == -1) {
            margin = (cAxis - (gAxis + tAxis)) / 3;
            spacing = margin;
        } else {
            margin = (cAxis - (gAxis + spacing + tAxis)) / 2 + (speedRule ? 1 : 0);
        }
    } else if (spacing == -1) {
        spacing = ((cAxis - (margin + gAxis)) - tAxis) / 2;
    }
    switch (layout) {
        case Layout::Left:
            p.glyph.x = margin;
            p.text.left = margin + g.cx + spacing;
            break;
        case Layout::Right:
            p.glyph.x = c.cx - margin - g.cx;
            p.text.left = p.glyph.x - spacing - t.cx;
            p.flags |= DT_RIGHT;
            break;
        case Layout::Top:
            p.glyph.y = margin;
            p.text.top = margin + g.cy + spacing;
            p.flags |= DT_CENTER;
            break;
        case Layout::Bottom:
            p.glyph.y = c.cy - margin - g.cy;
            p.text.top = p.glyph.y - spacing - t.cy;
            p.flags |= DT_CENTER;
            break;
    }
    p.text.right = p.text.left + t.cx;
    p.text.bottom = p.text.top + t.cy;
    return p;
}

// The caption with its first "||" as a line break.
std::wstring CaptionOf(const std::wstring& text) { return ReplaceFirst(text, L"||", L"\r\n"); }

SIZE MeasureText(HDC dc, const std::wstring& text, RECT box, UINT flags) {
    if (text.empty()) return {0, 0};
    DrawTextWide(dc, text, box, flags | DT_CALCRECT);
    return {box.right - box.left, box.bottom - box.top};
}

}  // namespace

// ---- TSkinButton ---------------------------------------------------------------------------

const tv::TClassInfo& TSkinButton::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinButton>("TSkinButton").Done();
    return info;
}

TSkinButton::TSkinButton(tv::TComponent* owner) : TSkinControl(owner) {}

TSkinButton::~TSkinButton() = default;

void TSkinButton::AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachControl(formSkinner, data, recolor, canvas);
    Variant = 0;
    tv::TControl* control = Control();
    if (!control) return;
    // Those libraries' buttons react to presses themselves: they are not handed a second one.
    const std::string cls = base::AsciiLower(control->ClassName());
    if (cls.rfind("trz", 0) == 0 || cls.rfind("tel", 0) == 0) Variant = 1;
    Transparent = control->Tag() == kTransparentTag || (data && data->Options.Contains(TSkinOption::xoTransparent));
}

const TDataSkinButton* TSkinButton::Element() const {
    if (!SkinData || !SkinData->Buttons || SkinData->Buttons->Bitmap.Empty()) return nullptr;
    return SkinData->Buttons.get();
}

bool TSkinButton::IsDefault() const {
    if (tv::TControl* control = Control()) return PropIsTrue(control, "Default");
    // A bare button says it by its style.
    return Handle && (GetLong(Handle, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

int TSkinButton::LookIndex() const {
    if (!Enabled) return kLookDisabled;
    if (MouseState.Contains(TSkinMouse::Pressed)) return kLookPressed;
    if (MouseState.Contains(TSkinMouse::Hot)) return kLookHot;
    if (Focused || IsDefault()) return kLookFocused;
    return kLookNormal;
}

void TSkinButton::ReadState() {
    Focused = Handle && ::GetFocus() == Handle;
    Enabled = Handle ? !(GetLong(Handle, GWL_STYLE) & WS_DISABLED) : true;
    if (tv::TControl* control = Control()) Text = GetTextPropWide(control, "Caption");
    else Text = GetWindowTextWide(Handle);
}

void TSkinButton::ComposeBackground(const RECT& rect, int look) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    Image.SetSize(w, h);
    HDC dc = Image.Canvas().Handle();
    const RECT local{0, 0, w, h};
    if (Transparent) {
        if (tv::TControl* control = PaintControl.Get() ? PaintControl.Get() : Control())
            PaintParentBackground(*control, dc);
        else if (Handle) PaintParentBackground(Handle, dc);
    } else {
        FillSkinFace(dc, local);
    }
    if (const TDataSkinButton* e = Element()) {
        const int frames = e->Frame > 0 ? e->Frame : kButtonFrames;
        DrawElementFrame(*this, dc, local, frames, look, *e);
    }
}

COLORREF TSkinButton::TextColor(int look, COLORREF fontColor) const {
    const TDataSkinButton* e = Element();
    if (look == kLookDisabled) return tv::ColorToRGB(tv::clBtnShadow);
    if (!e) return fontColor;
    // The focused or default button is a normal one with a mark: same text colour, so that
    // it stays legible on a dark skin whatever the control's font says.
    if ((look == kLookNormal || look == kLookFocused) && e->HasNormalColour2) return tv::ColorToRGB(e->NormalColour2);
    if (look == kLookHot && e->HasMouseOverColour2) return tv::ColorToRGB(e->MouseOverColour2);
    if (look == kLookPressed && e->HasPressedColour2) return tv::ColorToRGB(e->PressedColour2);
    return fontColor;
}

HFONT TSkinButton::CaptionFont(COLORREF& color) const {
    tv::TControl* control = PaintControl.Get() ? PaintControl.Get() : Control();
    if (control)
        if (auto* font = dynamic_cast<tv::TFont*>(tv::GetObjectPropByName(control, "Font", "TFont"))) {
            color = tv::ColorToRGB(font->Color());
            return font->Handle();
        }
    color = tv::ColorToRGB(SkinData ? SkinData->SkinColors.ButtonText : tv::clBtnText);
    HFONT font = Handle ? reinterpret_cast<HFONT>(::SendMessageW(Handle, WM_GETFONT, 0, 0)) : nullptr;
    return font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

RECT TSkinButton::DrawCenteredCaption(HDC dc, const RECT& rect) {
    Text = CaptionOf(Text);
    RECT box = rect;
    ::InflateRect(&box, -2, -2);
    const SIZE t = MeasureText(dc, Text, box, DT_CENTER | DT_NOCLIP | DT_EXPANDTABS | DT_WORDBREAK);
    RECT r{};
    r.left = box.left + ((box.right - box.left) - t.cx) / 2;
    r.top = rect.top + ((rect.bottom - rect.top) - t.cy) / 2 - 1;
    r.right = r.left + t.cx;
    r.bottom = r.top + t.cy;
    if (!Text.empty()) DrawTextWide(dc, Text, r, TextFlags(*this, DT_CENTER | DT_EXPANDTABS | DT_WORDBREAK));
    return r;
}

void TSkinButton::DrawFocusIfWanted(HDC dc, RECT textRect) const {
    if (!Focused || (SkinData && SkinData->Options.Contains(TSkinOption::xoNoFocusRect))) return;
    ::InflateRect(&textRect, 2, 2);
    ::DrawFocusRect(dc, &textRect);
}

void TSkinButton::DrawSkin(HDC dc, const RECT& rect) {
    if (!Element() || rect.right <= rect.left || rect.bottom <= rect.top) return;
    ReadState();
    const int look = LookIndex();
    ComposeBackground(rect, look);
    HDC image = Image.Canvas().Handle();
    COLORREF fontColor = 0;
    const tv::SelectScope font(image, CaptionFont(fontColor));
    const COLORREF oldColor = ::SetTextColor(image, TextColor(look, fontColor));
    const int oldMode = ::SetBkMode(image, TRANSPARENT);
    const RECT local{0, 0, rect.right - rect.left, rect.bottom - rect.top};
    const RECT textRect = DrawCenteredCaption(image, local);
    DrawFocusIfWanted(image, textRect);
    ::SetBkMode(image, oldMode);
    ::SetTextColor(image, oldColor);
    ::BitBlt(dc, rect.left, rect.top, local.right, local.bottom, image, 0, 0, SRCCOPY);
}

void TSkinButton::Click() {
    if (tv::TControl* control = Control()) {
        control->Click();
        return;
    }
    if (!Handle) return;
    wchar_t name[32] = {};
    ::GetClassNameW(Handle, name, 31);
    HWND parent = ::GetParent(Handle);
    if (base::AsciiLower(text::Narrow(name)) == "tbutton") {
        ::PostMessageW(parent, WM_COMMAND, 0, reinterpret_cast<LPARAM>(Handle));
    } else {
        ::PostMessageW(parent, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(Handle), BN_CLICKED),
                       reinterpret_cast<LPARAM>(Handle));
    }
}

bool TSkinButton::BeforeMessage(tv::TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT: PaintOnMessage(*this, m); return false;
        case WM_ERASEBKGND: m.Result = 1; return false;
        case tv::CN_DRAWITEM:
            // An owner-drawn button (a glyph button) would draw its stock look over ours.
            m.Result = TRUE;
            return false;
        case WM_TIMER:
            ::KillTimer(Handle, 1);
            m.Result = 0;
            return false;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // The button's own procedure never sees the press: the click is ours alone.
            if (Handle && ::GetFocus() != Handle) ::SetFocus(Handle);
            MouseState.Include(TSkinMouse::Pressed);
            PaintWindow(nullptr);
            if (Variant != 1 && Control()) ForwardMouseDown(m);
            m.Result = 0;
            return false;
        default: return TSkinControl::BeforeMessage(m);
    }
}

void TSkinButton::AfterMessage(tv::TMessage& m) {
    switch (m.Msg) {
        case WM_SETTEXT: PaintWindow(nullptr); break;
        case WM_KEYDOWN:
            if (m.WParam == VK_SPACE) {
                MouseState.Include(TSkinMouse::Pressed);
                InvalidateSkin();
            }
            break;
        case WM_KEYUP:
            // The button's own procedure has clicked already.
            if (m.WParam == VK_SPACE) {
                MouseState.Exclude(TSkinMouse::Pressed);
                InvalidateSkin();
            }
            break;
        case WM_MOUSEMOVE:
            if (Handle && ::IsWindowEnabled(Handle) && !MouseState.Contains(TSkinMouse::Hot)) {
                MouseState.Include(TSkinMouse::Hot);
                InvalidateSkin();
            }
            TrackMouseLeave(Handle);
            break;
        case WM_LBUTTONUP:
            if (MouseState.Contains(TSkinMouse::Pressed)) {
                MouseState.Exclude(TSkinMouse::Pressed);
                InvalidateSkin();
                Click();
            }
            break;
        case WM_MOUSELEAVE:
            MouseState.Exclude(TSkinMouse::Hot);
            MouseState.Exclude(TSkinMouse::Pressed);
            InvalidateSkin();
            break;
        case WM_KILLFOCUS:
            // Space held down while the focus goes: the button comes up without a click,
            // and so does its look.
            MouseState.Exclude(TSkinMouse::Pressed);
            TSkinControl::AfterMessage(m);
            break;
        case tv::CM_DIALOGKEY:
        case tv::CM_FOCUSCHANGED: InvalidateSkin(); break;
        default: TSkinControl::AfterMessage(m); break;
    }
}

// ---- TSkinBitButton ------------------------------------------------------------------------

const tv::TClassInfo& TSkinBitButton::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinBitButton>("TSkinBitButton").Done();
    return info;
}

int TSkinBitButton::LookIndex() const {
    // A button drawn from a graphic property has no default mark.
    if (GraphicProperty.empty()) return TSkinButton::LookIndex();
    if (!Enabled) return kLookDisabled;
    if (MouseState.Contains(TSkinMouse::Pressed)) return kLookPressed;
    if (MouseState.Contains(TSkinMouse::Hot)) return kLookHot;
    if (Focused) return kLookFocused;
    return kLookNormal;
}

void TSkinBitButton::DrawSkin(HDC dc, const RECT& rect) {
    if (!Element() || rect.right <= rect.left || rect.bottom <= rect.top) return;
    ReadState();
    const int look = LookIndex();
    ComposeBackground(rect, look);
    HDC image = Image.Canvas().Handle();
    COLORREF fontColor = 0;
    const tv::SelectScope font(image, CaptionFont(fontColor));

    tv::TControl* control = Control();
    tv::TObject* graphicObject = nullptr;
    tv::TBitmap* glyph = nullptr;
    tv::TCustomImageList* images = nullptr;
    if (!GraphicProperty.empty()) {
        graphicObject = tv::GetObjectPropByName(control, GraphicProperty, "TBitmap");
        glyph = dynamic_cast<tv::TBitmap*>(graphicObject);
    } else {
        glyph = dynamic_cast<tv::TBitmap*>(tv::GetObjectPropByName(control, "Glyph", "TBitmap"));
        images = dynamic_cast<tv::TCustomImageList*>(tv::GetObjectPropByName(control, "Images", "TCustomImageList"));
    }
    int numGlyphs = GraphicProperty.empty() ? int(tv::GetIntPropByName(control, "NumGlyphs")) : 1;
    if (numGlyphs <= 0) numGlyphs = 1;
    const int imageIndex = int(tv::GetIntPropByName(control, "ImageIndex"));
    const int disabledIndex = int(tv::GetIntPropByName(control, "DisabledIndex"));
    const int margin = tv::HasProperty(control, "Margin") ? int(tv::GetIntPropByName(control, "Margin")) : -1;
    const int spacing = tv::HasProperty(control, "Spacing") ? int(tv::GetIntPropByName(control, "Spacing")) : -1;
    const Layout layout = ReadLayout(control);
    const bool centre = base::AsciiLower(tv::GetEnumPropByName(control, "Alignment")) == "tacenter";

    const SIZE c{rect.right - rect.left, rect.bottom - rect.top};
    SIZE g{0, 0};
    if (glyph && !glyph->Empty()) g = {glyph->Width() / numGlyphs, glyph->Height()};
    else if (images && imageIndex != -1) g = {images->Width(), images->Height()};

    Text = CaptionOf(Text);
    RECT box{2, 2, c.cx - 2, c.cy - 2};
    if (layout == Layout::Left || layout == Layout::Right) box.right -= g.cx + 2;
    else box.bottom -= g.cy + 2;
    const SIZE t = MeasureText(image, Text, box, DT_WORDBREAK);
    const GlyphPlan plan = PlanGlyphAndText(c, g, t, layout, margin, spacing, centre, false);

    if (glyph && !glyph->Empty()) {
        const int k = look == kLookPressed ? 3 : look == kLookDisabled ? 2 : 1;
        raster::Bitmap cell = CutGlyph(glyph->Pixels(), GraphicProperty.empty() ? numGlyphs : 1,
                                       GraphicProperty.empty() ? k : 1);
        if (GraphicProperty.empty() && k == 2) Grayscale(cell);
        if (!cell.Empty()) {
            const RECT at{plan.glyph.x, plan.glyph.y, plan.glyph.x + cell.Width(), plan.glyph.y + cell.Height()};
            DrawTransparent(image, at, cell, cell.GetPixel(0, cell.Height() - 1));
        }
    } else if (images && imageIndex != -1) {
        if (Enabled) images->Draw(image, plan.glyph.x, plan.glyph.y, imageIndex, ILD_TRANSPARENT);
        else if (disabledIndex != -1) images->Draw(image, plan.glyph.x, plan.glyph.y, disabledIndex, ILD_TRANSPARENT);
        else ::ImageList_DrawEx(images->Handle(), imageIndex, image, plan.glyph.x, plan.glyph.y, 0, 0, CLR_NONE,
                                CLR_NONE, ILD_TRANSPARENT | ILD_BLEND50);
    }

    if (!Text.empty()) {
        const COLORREF oldColor = ::SetTextColor(image, TextColor(look, fontColor));
        const int oldMode = ::SetBkMode(image, TRANSPARENT);
        RECT r = plan.text;
        DrawTextWide(image, Text, r, TextFlags(*this, plan.flags));
        DrawFocusIfWanted(image, plan.text);
        ::SetBkMode(image, oldMode);
        ::SetTextColor(image, oldColor);
    }
    ::BitBlt(dc, rect.left, rect.top, c.cx, c.cy, image, 0, 0, SRCCOPY);
}

// ---- TSkinMenuButton -----------------------------------------------------------------------

const tv::TClassInfo& TSkinMenuButton::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinMenuButton>("TSkinMenuButton").Done();
    return info;
}

int TSkinMenuButton::LookIndex() const {
    if (!Enabled) return kLookDisabled;
    if (MouseState.Contains(TSkinMouse::Pressed)) return kLookPressed;
    if (Focused || MouseState.Contains(TSkinMouse::Hot)) return kLookHot;
    return kLookNormal;
}

void TSkinMenuButton::DrawSkin(HDC dc, const RECT& rect) {
    if (!Element() || rect.right <= rect.left || rect.bottom <= rect.top) return;
    ReadState();
    const int look = LookIndex();
    ComposeBackground(rect, look);
    HDC image = Image.Canvas().Handle();
    COLORREF fontColor = 0;
    const tv::SelectScope font(image, CaptionFont(fontColor));
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;

    Text = CaptionOf(Text);
    RECT box{2, 2, w - 17 - 2, h - 2};
    const SIZE t = MeasureText(image, Text, box, DT_WORDBREAK);
    RECT r{(w - 17 - t.cx) / 2 + 2, (h - t.cy + 1) / 2, 0, 0};
    r.right = r.left + t.cx;
    r.bottom = r.top + t.cy;

    // The arrow: a small filled triangle pointing down, right of the caption.
    const int mid = h / 2 + 2;
    const POINT arrow[3] = {{w - 12, mid}, {w - 15, mid - 3}, {w - 9, mid - 3}};
    const COLORREF arrowColor = tv::ColorToRGB(Enabled ? tv::clWindowText : tv::clBtnShadow);
    tv::OwnedBrush brush(::CreateSolidBrush(arrowColor));
    tv::OwnedPen pen(::CreatePen(PS_SOLID, 1, arrowColor));
    {
        tv::SelectScope b(image, brush.Get());
        tv::SelectScope p(image, pen.Get());
        ::Polygon(image, arrow, 3);
    }

    if (!Text.empty()) {
        const COLORREF oldColor = ::SetTextColor(image, TextColor(look, fontColor));
        const int oldMode = ::SetBkMode(image, TRANSPARENT);
        RECT drawn = r;
        DrawTextWide(image, Text, drawn, TextFlags(*this, DT_WORDBREAK));
        ::SetBkMode(image, oldMode);
        ::SetTextColor(image, oldColor);
    }
    DrawFocusIfWanted(image, r);
    ::BitBlt(dc, rect.left, rect.top, w, h, image, 0, 0, SRCCOPY);
}

// ---- TSkinSpeedButton ----------------------------------------------------------------------

const tv::TClassInfo& TSkinSpeedButton::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinSpeedButton>("TSkinSpeedButton").Done();
    return info;
}

TSkinSpeedButton::TSkinSpeedButton(tv::TComponent* owner) : TSkinBitButton(owner) {}

TSkinSpeedButton::~TSkinSpeedButton() { UnhookControl(); }

void TSkinSpeedButton::AttachGraphic(TSkinnerHost* formSkinner, TSkinData* data, tv::TCanvas* canvas) {
    if (Attached) return;
    auto* control = dynamic_cast<tv::TControl*>(Owner());
    if (!control) return;
    SkinData = data;
    Canvas = canvas;
    PaintControl = control;
    HookControl(*control);
    RegisterWith(formSkinner);
    SetAttachedState();
    Transparent = control->Tag() == kTransparentTag || (data && data->Options.Contains(TSkinOption::xoTransparent));
    control->Invalidate();
}

void TSkinSpeedButton::AttachSpecial(tv::TControl*, TSkinData* data, TSkinnerHost* formSkinner, tv::TCanvas* canvas) {
    AttachGraphic(formSkinner, data, canvas);
}

int TSkinSpeedButton::LookIndex() const {
    tv::TControl* control = Control();
    if (PropIsTrue(control, "Down")) return kLookPressed;
    if (control && !PropIsTrue(control, "Enabled")) return kLookDisabled;
    if (MouseState.Contains(TSkinMouse::Pressed)) return kLookPressed;
    if (MouseState.Contains(TSkinMouse::Hot)) return kLookHot;
    return kLookNormal;
}

bool TSkinSpeedButton::BeforeMessage(tv::TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT:
            if (m.WParam) PaintWindow(reinterpret_cast<HDC>(m.WParam));
            m.Result = 1;
            return false;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // The speed button does its own press handling.
            CallPrevious(m);
            MouseState.Include(TSkinMouse::Pressed);
            PaintWindow(nullptr);
            return false;
        case WM_LBUTTONUP: return true;
        default: return TSkinButton::BeforeMessage(m);
    }
}

void TSkinSpeedButton::AfterMessage(tv::TMessage& m) {
    tv::TControl* control = Control();
    switch (m.Msg) {
        case WM_LBUTTONUP:
            MouseState.Exclude(TSkinMouse::Pressed);
            PaintWindow(nullptr);
            break;
        case WM_ENABLE:
        case tv::CM_FOCUSCHANGED:
        case tv::CM_ENABLEDCHANGED: break;
        case tv::CM_RELEASE: UnhookControl(); break;
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (m.WParam == VK_SPACE) {
                if (m.Msg == WM_KEYDOWN) MouseState.Include(TSkinMouse::Pressed);
                else MouseState.Exclude(TSkinMouse::Pressed);
                PaintWindow(nullptr);
            }
            break;
        case tv::CM_MOUSEENTER:
            MouseState.Include(TSkinMouse::Hot);
            PaintWindow(nullptr);
            break;
        case tv::CM_MOUSELEAVE:
            MouseState.Exclude(TSkinMouse::Hot);
            MouseState.Exclude(TSkinMouse::Pressed);
            if (control && control->Visible()) PaintWindow(nullptr);
            break;
        default: TSkinButton::AfterMessage(m); break;
    }
}

void TSkinSpeedButton::PaintWindow(HDC dc) {
    tv::TControl* control = Control();
    if (!control) return;
    if (!dc) {
        // Outside the parent's painting there is no DC of ours: the parent repaints us.
        control->Invalidate();
        return;
    }
    const RECT r{0, 0, control->Width(), control->Height()};
    base::Guarded([&] { DrawButton(dc, r); }, base::OnFailure::Swallow);
}

void TSkinSpeedButton::DrawButton(HDC dc, const RECT& rect) {
    if (Painting || !Element() || rect.right <= rect.left || rect.bottom <= rect.top) return;
    Painting = true;
    struct Clear {
        bool& flag;
        ~Clear() { flag = false; }
    } clear{Painting};
    tv::TControl* control = Control();
    Enabled = PropIsTrue(control, "Enabled") || !tv::HasProperty(control, "Enabled");
    Text = CaptionOf(GetTextPropWide(control, "Caption"));
    const int look = LookIndex();
    const bool down = PropIsTrue(control, "Down");
    const bool flat = PropIsTrue(control, "Flat");

    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    Image.SetSize(w, h);
    HDC image = Image.Canvas().Handle();
    const RECT local{0, 0, w, h};
    if (Transparent) PaintParentBackground(*control, image);
    else FillSkinFace(image, local);
    // A flat button shows its frame only while hovered or pressed.
    if (look == kLookPressed || look == kLookHot || !flat) {
        const TDataSkinButton* e = Element();
        DrawElementFrame(*this, image, local, e->Frame > 0 ? e->Frame : kButtonFrames, look, *e);
    }
    COLORREF fontColor = 0;
    const tv::SelectScope font(image, CaptionFont(fontColor));
    const COLORREF oldColor = ::SetTextColor(image, TextColor(look, fontColor));
    const int oldMode = ::SetBkMode(image, TRANSPARENT);

    auto* glyph = dynamic_cast<tv::TBitmap*>(tv::GetObjectPropByName(control, "Glyph", "TBitmap"));
    int numGlyphs = int(tv::GetIntPropByName(control, "NumGlyphs"));
    if (numGlyphs < 1) numGlyphs = 1;
    if (glyph && glyph->Width() > 0 && glyph->Height() > 0) {
        const int margin = tv::HasProperty(control, "Margin") ? int(tv::GetIntPropByName(control, "Margin")) : -1;
        const int spacing = tv::HasProperty(control, "Spacing") ? int(tv::GetIntPropByName(control, "Spacing")) : -1;
        const Layout layout = ReadLayout(control);
        const SIZE c{w, h}, g{glyph->Width() / numGlyphs, glyph->Height()};
        RECT box{2, 2, w - 2, h - 2};
        if (layout == Layout::Left || layout == Layout::Right) box.right -= g.cx + 2;
        else box.bottom -= g.cy + 2;
        const SIZE t = MeasureText(image, Text, box, DT_WORDBREAK);
        const GlyphPlan plan = PlanGlyphAndText(c, g, t, layout, margin, spacing, false, true);
        const int k = down ? 4 : look == kLookPressed ? 3 : look == kLookDisabled ? 2 : 1;
        raster::Bitmap cell = CutGlyph(glyph->Pixels(), numGlyphs, k);
        if (k == 2) Grayscale(cell);
        if (!cell.Empty()) {
            const RECT at{plan.glyph.x, plan.glyph.y, plan.glyph.x + cell.Width(), plan.glyph.y + cell.Height()};
            DrawTransparent(image, at, cell, cell.GetPixel(0, cell.Height() - 1));
        }
        if (!Text.empty()) {
            RECT r = plan.text;
            DrawTextWide(image, Text, r, TextFlags(*this, plan.flags));
        }
    } else {
        DrawCenteredCaption(image, local);
    }
    ::SetBkMode(image, oldMode);
    ::SetTextColor(image, oldColor);
    ::BitBlt(dc, rect.left, rect.top, w, h, image, 0, 0, SRCCOPY);
}

}  // namespace skin
