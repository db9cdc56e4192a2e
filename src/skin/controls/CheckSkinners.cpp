#include "skin/controls/CheckSkinners.h"

#include <algorithm>

#include "base/Ascii.h"
#include "framework/PropAccess.h"
#include "skin/core/WinSkinData.h"
#include "skin/forms/CanvasPrimitives.h"
#include "skin/forms/DrawPrimitives.h"

namespace skin {

namespace {

constexpr std::intptr_t kTransparentTag = 5555;
constexpr UINT kCaptionFlags = DT_WORDBREAK | DT_EXPANDTABS;

std::string LowerEnum(const tv::TObject* object, std::string_view name) {
    return base::AsciiLower(tv::GetEnumPropByName(object, name));
}

bool Contains(const std::string& s, std::string_view part) { return s.find(part) != std::string::npos; }

// The strip and its frame count; a count that does not divide sensibly falls back to 4.
const raster::Bitmap* StripOf(const TSkinData* data, bool radio, int& frames) {
    if (!data || !data->Buttons) return nullptr;
    const raster::Bitmap& strip = radio ? data->Buttons->RadioBitmap : data->Buttons->CheckBitmap;
    if (strip.Empty()) return nullptr;
    frames = radio ? data->Buttons->RadioFrames : data->Buttons->CheckFrames;
    if (frames <= 0 || frames > strip.Width()) frames = 4;
    return &strip;
}

bool WindowDisabled(const TSkinControl& s) { return s.Handle && (s.GetLong(s.Handle, GWL_STYLE) & WS_DISABLED); }

// Strips of 12 (check) and 8 (radio) frames hold normal, hot, pressed and disabled looks of
// each mark: an enabled control under the pointer or held down shows the hot or pressed one.
int WithMouseLook(const TSkinControl& s, int frame, int frames, int groups) {
    if (frames != groups * 4 || (frame - 1) % 4 != 0 || WindowDisabled(s) || !s.Handle) return frame;
    const LRESULT state = ::SendMessageW(s.Handle, BM_GETSTATE, 0, 0);
    if (state & BST_PUSHED) return frame + 2;
    if (s.MouseState.Contains(TSkinMouse::Hot)) return frame + 1;
    return frame;
}

// The caption's font (the control's, else the window's) and its colour. A control that
// keeps the default system text colour takes the skin's, so that it reads on a dark face.
HFONT CaptionFont(const TSkinControl& s, COLORREF& color) {
    const tv::TColor skinText = s.SkinData ? s.SkinData->SkinColors.ButtonText : tv::clBtnText;
    if (tv::TControl* control = s.Control())
        if (auto* font = dynamic_cast<tv::TFont*>(tv::GetObjectPropByName(control, "Font", "TFont"))) {
            color = tv::ColorToRGB(font->Color() < 0 ? skinText : font->Color());
            return font->Handle();
        }
    color = tv::ColorToRGB(skinText);
    HFONT font = s.Handle ? reinterpret_cast<HFONT>(::SendMessageW(s.Handle, WM_GETFONT, 0, 0)) : nullptr;
    return font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

struct GlyphLayout {
    RECT glyph;
    RECT caption;
};

GlyphLayout Layout(const RECT& rect, int frameWidth, int glyphHeight, bool leftText, int inset) {
    GlyphLayout l{};
    l.glyph.top = rect.top + (rect.bottom - rect.top - glyphHeight) / 2;
    l.glyph.bottom = l.glyph.top + glyphHeight;
    l.caption = rect;
    if (leftText) {
        l.glyph.left = rect.right - frameWidth - inset;
        l.glyph.right = rect.right - inset;
        l.caption.right = rect.right - frameWidth - 2 - inset;
    } else {
        l.glyph.left = rect.left;
        l.glyph.right = rect.left + frameWidth;
        l.caption.left = rect.left + frameWidth + 2;
    }
    return l;
}

// One picture of a check box or radio button: background, glyph, caption (framework
// controls), composed in image and copied to dc at once. A bare window has painted itself:
// only its glyph is laid over, on the background its parent gives it.
void DrawCheckLike(TSkinControl& s, HDC dc, const RECT& rect, const raster::Bitmap& strip, int frames, int frame,
                   bool transparent, tv::TBitmap& image, int leftTextInset) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return;
    const int frameWidth = strip.Width() / frames, glyphHeight = strip.Height();
    const bool leftText = s.Handle && (s.GetLong(s.Handle, GWL_STYLE) & BS_LEFTTEXT);
    UINT flags = TextFlags(s, kCaptionFlags);
    if ((flags & DT_RTLREADING) && leftText) flags |= DT_RIGHT;

    if (s.Variant == 0) {
        const GlyphLayout l = Layout(rect, frameWidth, glyphHeight, leftText, leftTextInset);
        if (HWND parent = s.Handle ? ::GetParent(s.Handle) : nullptr) {
            // The parent's brush for this control, borrowed: the stock glyph must not show
            // through the round corners of ours.
            auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(parent, WM_CTLCOLORSTATIC,
                                                                 reinterpret_cast<WPARAM>(dc),
                                                                 reinterpret_cast<LPARAM>(s.Handle)));
            ::FillRect(dc, &l.glyph, brush ? brush : ::GetSysColorBrush(COLOR_BTNFACE));
        }
        DrawStripFrame(s, dc, l.glyph, frames, frame, strip);
        return;
    }

    image.SetSize(w, h);
    HDC img = image.Canvas().Handle();
    const RECT local{0, 0, w, h};
    if (transparent) {
        if (tv::TControl* control = s.Control()) PaintParentBackground(*control, img);
        else s.FillParentColor(img, local);
    } else {
        s.FillSkinFace(img, local);
    }
    const GlyphLayout l = Layout(local, frameWidth, glyphHeight, leftText, leftTextInset);
    DrawStripFrame(s, img, l.glyph, frames, frame, strip);

    s.Text = GetWindowTextWide(s.Handle);
    if (tv::TControl* control = s.Control()) s.Text = GetTextPropWide(control, "Caption");
    COLORREF fontColor = 0;
    const tv::SelectScope font(img, CaptionFont(s, fontColor));
    const bool enabled = !WindowDisabled(s);
    const COLORREF oldColor = ::SetTextColor(img, enabled ? fontColor : tv::ColorToRGB(tv::clBtnShadow));
    const int oldMode = ::SetBkMode(img, TRANSPARENT);
    RECT caption = l.caption;
    if (!s.Text.empty()) {
        RECT measured = caption;
        DrawTextWide(img, s.Text, measured, flags | DT_CALCRECT | DT_NOCLIP);
        ::OffsetRect(&caption, 0, ((caption.bottom - caption.top) - measured.bottom) / 2);
        if (s.Handle && ::GetFocus() == s.Handle) s.DrawFocusFrame(img, flags, caption);
        DrawTextWide(img, s.Text, caption, flags);
    }
    ::SetBkMode(img, oldMode);
    ::SetTextColor(img, oldColor);
    ::BitBlt(dc, rect.left, rect.top, w, h, img, 0, 0, SRCCOPY);
}

// Repaints after what makes the stock control draw its state outside WM_PAINT.
bool ChangesLook(const tv::TMessage& m) {
    switch (m.Msg) {
        case BM_SETSTATE:
        case BM_SETSTYLE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_CAPTURECHANGED:
        case WM_UPDATEUISTATE:
        case tv::CM_EXIT:
        case 0xB0D0: return true;
        case WM_KEYDOWN:
        case WM_KEYUP: return m.WParam == VK_SPACE;
        default: return false;
    }
}

// Hot while the pointer is over an enabled control.
void TrackHot(TSkinControl& s, const tv::TMessage& m) {
    if (m.Msg == WM_MOUSEMOVE) {
        if (s.Handle && ::IsWindowEnabled(s.Handle) && !s.MouseState.Contains(TSkinMouse::Hot)) {
            s.MouseState.Include(TSkinMouse::Hot);
            s.InvalidateSkin();
        }
        TrackMouseLeave(s.Handle);
    } else if (m.Msg == WM_MOUSELEAVE && s.MouseState.Contains(TSkinMouse::Hot)) {
        s.MouseState.Exclude(TSkinMouse::Hot);
        s.InvalidateSkin();
    }
}

bool BeforeCheckLike(TSkinControl& s, bool transparent, tv::TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT:
        case WM_PRINT:
            if (s.Variant != 1) return true;
            PaintOnMessage(s, m);
            return false;
        case WM_ERASEBKGND:
            if (!transparent) return true;
            EraseWithParent(s, m);
            return false;
        default: return true;
    }
}

void AttachCheckLike(TSkinControl& s, bool radio, bool& transparent) {
    s.Variant = 0;
    tv::TControl* control = s.Control();
    if (!control) return;
    int frames = 0;
    if (StripOf(s.SkinData, radio, frames)) s.Variant = 1;
    transparent = control->Tag() == kTransparentTag ||
                  (s.SkinData && s.SkinData->Options.Contains(TSkinOption::xoTransparent));
}

}  // namespace

// ---- check box -----------------------------------------------------------------------------

const tv::TClassInfo& TSkinCheckBox::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinCheckBox>("TSkinCheckBox").Done();
    return info;
}

TSkinCheckBox::TSkinCheckBox(tv::TComponent* owner) : TSkinControl(owner) {}

TSkinCheckBox::~TSkinCheckBox() = default;

void TSkinCheckBox::AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachControl(formSkinner, data, recolor, canvas);
    LastCheckState = 0;
    AttachCheckLike(*this, false, Transparent);
}

bool TSkinCheckBox::BeforeMessage(tv::TMessage& m) {
    if (!TSkinControl::BeforeMessage(m)) return false;
    return BeforeCheckLike(*this, Transparent, m);
}

void TSkinCheckBox::AfterMessage(tv::TMessage& m) {
    TrackHot(*this, m);
    if (m.Msg == BM_SETCHECK) {
        LastCheckState = int(m.WParam) + 1;
        InvalidateSkin();
    } else if (ChangesLook(m)) {
        InvalidateSkin();
    } else {
        TSkinControl::AfterMessage(m);
    }
}

int TSkinCheckBox::GlyphFrame() {
    int frames = 0;
    if (!StripOf(SkinData, false, frames) || !Handle) return 0;
    const LRESULT state = ::SendMessageW(Handle, BM_GETSTATE, 0, 0);
    int frame = (state & BST_CHECKED) ? 2 : 1;
    tv::TControl* control = Control();
    if (control && tv::HasProperty(control, "State")) {
        const std::string id = LowerEnum(control, "State");
        if (Contains(id, "uncheck")) frame = 1;
        else if (Contains(id, "check")) frame = 2;
        else if (Contains(id, "gray")) frame = 4;
    } else if (control && tv::HasProperty(control, "Checked")) {
        frame = LowerEnum(control, "Checked") == "true" ? 2 : 1;
    }
    if (control && tv::HasProperty(control, "DataField") && LastCheckState != 0)
        frame = LastCheckState == 3 ? 4 : LastCheckState;
    if (control && tv::HasProperty(control, "DataBinding")) frame = 1;
    const bool disabled = WindowDisabled(*this);
    if (disabled) frame += 2;
    const bool indeterminate = (state & BST_INDETERMINATE) != 0;
    if (indeterminate) frame = 4;
    // A grayed, disabled control whose window does not say so would point past the four
    // looks; the grayed look is the nearest there is.
    frame = std::min(frame, 4);
    if (frames == 12) {
        if (frame == 2) frame = 5;
        else if (frame == 3) frame = 4;
        else if (frame == 4) frame = 8;
        if (indeterminate) frame = disabled ? 12 : 9;
        frame = WithMouseLook(*this, frame, frames, 3);
    }
    return frame;
}

void TSkinCheckBox::DrawSkin(HDC dc, const RECT& rect) {
    int frames = 0;
    const raster::Bitmap* strip = StripOf(SkinData, false, frames);
    if (!strip) {
        Variant = 0;
        return;
    }
    DrawCheckLike(*this, dc, rect, *strip, frames, GlyphFrame(), Transparent, Image, 0);
}

// ---- radio button --------------------------------------------------------------------------

const tv::TClassInfo& TSkinRadioButton::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinRadioButton>("TSkinRadioButton").Done();
    return info;
}

TSkinRadioButton::TSkinRadioButton(tv::TComponent* owner) : TSkinControl(owner) {}

TSkinRadioButton::~TSkinRadioButton() = default;

void TSkinRadioButton::AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachControl(formSkinner, data, recolor, canvas);
    AttachCheckLike(*this, true, Transparent);
}

bool TSkinRadioButton::BeforeMessage(tv::TMessage& m) {
    if (!TSkinControl::BeforeMessage(m)) return false;
    return BeforeCheckLike(*this, Transparent, m);
}

void TSkinRadioButton::AfterMessage(tv::TMessage& m) {
    TrackHot(*this, m);
    if (m.Msg == BM_SETCHECK || ChangesLook(m)) InvalidateSkin();
    else TSkinControl::AfterMessage(m);
}

int TSkinRadioButton::GlyphFrame() {
    int frames = 0;
    if (!StripOf(SkinData, true, frames) || !Handle) return 0;
    int frame = (::SendMessageW(Handle, BM_GETCHECK, 0, 0) & 1) ? 2 : 1;
    if (tv::TControl* control = Control(); control && tv::HasProperty(control, "Checked"))
        frame = LowerEnum(control, "Checked") == "true" ? 2 : 1;
    if (WindowDisabled(*this)) frame += 2;
    if (frames == 8) {
        if (frame == 2) frame = 5;
        else if (frame == 3) frame = 4;
        else if (frame == 4) frame = 8;
        frame = WithMouseLook(*this, frame, frames, 2);
    }
    return frame;
}

void TSkinRadioButton::DrawSkin(HDC dc, const RECT& rect) {
    int frames = 0;
    const raster::Bitmap* strip = StripOf(SkinData, true, frames);
    if (!strip) {
        Variant = 0;
        return;
    }
    DrawCheckLike(*this, dc, rect, *strip, frames, GlyphFrame(), Transparent, Image, 1);
}

}  // namespace skin
