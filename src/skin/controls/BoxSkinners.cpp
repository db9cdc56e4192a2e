#include "skin/controls/BoxSkinners.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "base/Text.h"
#include "framework/CheckBoxes.h"
#include "framework/Forms.h"
#include "framework/PropAccess.h"
#include "framework/StatusBars.h"
#include "raster/Blit.h"
#include "skin/core/WinSkinData.h"
#include "skin/forms/DrawPrimitives.h"

namespace skin {

namespace {

// A font colour left at a system colour is the system's text colour, which may not read on
// the skin's face (a dark skin): the skin's text colour stands in for it.
tv::TColor TextColourOn(const TSkinData* data, tv::TColor fontColor) {
    if (fontColor >= 0 || !data) return fontColor;
    return data->SkinColors.ButtonText;
}

// The control's font (and its colour for the skin), else the window's.
HFONT FontOf(const TSkinControl& s, COLORREF& color) {
    if (tv::TControl* control = s.Control()) {
        color = tv::ColorToRGB(TextColourOn(s.SkinData, control->Font().Color()));
        return control->Font().Handle();
    }
    color = tv::ColorToRGB(s.SkinData ? s.SkinData->SkinColors.ButtonText : tv::clBtnText);
    HFONT font = s.Handle ? reinterpret_cast<HFONT>(::SendMessageW(s.Handle, WM_GETFONT, 0, 0)) : nullptr;
    return font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void Bevel(HDC dc, const RECT& r, bool raised) {
    if (r.right - r.left < 2 || r.bottom - r.top < 2) return;
    const COLORREF light = tv::ColorToRGB(tv::clBtnHighlight), dark = tv::ColorToRGB(tv::clBtnShadow);
    const COLORREF topLeft = raised ? light : dark, bottomRight = raised ? dark : light;
    tv::OwnedBrush tl(::CreateSolidBrush(topLeft)), br(::CreateSolidBrush(bottomRight));
    const RECT top{r.left, r.top, r.right, r.top + 1}, left{r.left, r.top, r.left + 1, r.bottom};
    const RECT bottom{r.left, r.bottom - 1, r.right, r.bottom}, right{r.right - 1, r.top, r.right, r.bottom};
    ::FillRect(dc, &top, tl.Get());
    ::FillRect(dc, &left, tl.Get());
    ::FillRect(dc, &bottom, br.Get());
    ::FillRect(dc, &right, br.Get());
}

// A status text in rect (already inset): vertically centred one pixel up, as the button
// captions are.
void DrawStatusText(const TSkinControl& s, HDC dc, const RECT& rect, UINT alignment, bool rtl,
                    const std::wstring& text) {
    RECT measured = rect;
    DrawTextWide(dc, text, measured, alignment | DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
    RECT r = rect;
    const int th = measured.bottom - measured.top;
    r.top = rect.top + (rect.bottom - rect.top - th) / 2 - 1;
    r.bottom = r.top + th;
    UINT flags = TextFlags(s, alignment | DT_EXPANDTABS | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (rtl) flags |= DT_RTLREADING;
    DrawTextWide(dc, text, r, flags);
}

UINT AlignmentFlags(tv::TAlignment a, bool rtl) {
    if (a == tv::TAlignment::taCenter) return DT_CENTER;
    const bool right = a == tv::TAlignment::taRightJustify;
    return right != rtl ? DT_RIGHT : DT_LEFT;
}

// A panel's background: its frame of "StatusBarEdges" (1 lowered, 2 raised, 3 flat), or
// the stock bevels without the element.
void PanelFace(const TSkinControl& s, HDC dc, const RECT& r, int frame) {
    const TDataSkinObject* edges = s.SkinData ? s.SkinData->StatusBarEdges.get() : nullptr;
    if (edges && !edges->Bitmap.Empty()) {
        if (r.right > r.left && r.bottom > r.top)
            DrawElementImage(dc, r, edges->Bitmap, false, edges->Tile != 0, false, 3, frame, edges->Margins());
    } else if (frame != 3) {
        Bevel(dc, r, frame == 2);
    }
}

// The panel's look as the stock bar keeps it for a bare window (SB_GETTEXTLENGTH's type).
int BareFrame(HWND bar, int index) {
    const LRESULT info = ::SendMessageW(bar, SB_GETTEXTLENGTHW, WPARAM(index), 0);
    const WORD type = HIWORD(info);
    if (type & SBT_NOBORDERS) return 3;
    if (type & SBT_POPOUT) return 2;
    return 1;
}

std::wstring BareText(HWND bar, int index) {
    const LRESULT info = ::SendMessageW(bar, SB_GETTEXTLENGTHW, WPARAM(index), 0);
    const int length = LOWORD(info);
    if (length <= 0) return {};
    std::wstring text(std::size_t(length) + 1, L'\0');
    ::SendMessageW(bar, SB_GETTEXTW, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::wcslen(text.c_str()));
    return text;
}

// The stock text of a panel keeps its alignment as leading tabs.
UINT TakeTabs(std::wstring& text) {
    int tabs = 0;
    while (tabs < 2 && tabs < int(text.size()) && text[std::size_t(tabs)] == L'\t') ++tabs;
    text.erase(0, std::size_t(tabs));
    return tabs == 1 ? DT_CENTER : tabs == 2 ? DT_RIGHT : DT_LEFT;
}

}  // namespace

// ---- panel ---------------------------------------------------------------------------------

const tv::TClassInfo& TSkinBox::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinBox>("TSkinBox").Done();
    return info;
}

TSkinBox::TSkinBox(tv::TComponent* owner) : TSkinControl(owner) {}

TSkinBox::~TSkinBox() = default;

void TSkinBox::AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) {
    if (Attached) return;
    auto* control = dynamic_cast<tv::TControl*>(Owner());
    if (!control) return;
    SkinData = data;
    Canvas = canvas;
    Recolor = recolor;
    BindControl(*control);
    if (auto* win = dynamic_cast<tv::TWinControl*>(control)) Handle = win->Handle();
    RegisterWith(formSkinner);
    if (Recolor && data) {
        SavedColor = control->Color();
        control->SetColor(data->SkinColors.ButtonFace);
        TakeSkinTextColour();
    }
    SetAttachedState();
}

void TSkinBox::TakeSkinTextColour() {
    tv::TControl* control = Control();
    if (!control || !SkinData || fontRecoloured_) return;
    const tv::TColor color = control->Font().Color();
    if (color >= 0) return;
    // A form placed inside another draws no caption, and its edits and lists, which take its
    // font, would show the skin's text colour on their own white: its labels are recoloured
    // one by one instead.
    if (dynamic_cast<tv::TCustomForm*>(control)) return;
    savedFontColor_ = color;
    savedParentFont_ = control->ParentFont();
    fontRecoloured_ = true;
    if (auto* box = dynamic_cast<tv::TWinControl*>(control))
        for (int i = 0; i < box->ControlCount(); ++i) {
            tv::TControl* child = box->Controls(i);
            if (!child->ParentFont() || child->Color() != tv::clWindow) continue;
            child->SetParentFont(false);
            pinnedFonts_.emplace_back(child);
        }
    control->Font().SetColor(SkinData->SkinColors.ButtonText);
}

void TSkinBox::Detach() {
    if (Recolor)
        if (tv::TControl* control = Control()) {
            control->SetColor(SavedColor);
            if (fontRecoloured_) {
                control->Font().SetColor(savedFontColor_);
                if (savedParentFont_) control->SetParentFont(true);
                for (auto& child : pinnedFonts_)
                    if (tv::TControl* c = child.Get()) c->SetParentFont(true);
                pinnedFonts_.clear();
                fontRecoloured_ = false;
            }
        }
    detached_ = true;
}

void TSkinBox::RefreshSkin() {
    if (Recolor && SkinData)
        if (tv::TControl* control = Control()) {
            control->SetColor(SkinData->SkinColors.ButtonFace);
            if (fontRecoloured_) control->Font().SetColor(SkinData->SkinColors.ButtonText);
        }
    if (tv::TControl* control = Control()) control->Invalidate();
}

int TSkinBox::State() const { return detached_ && TSkinControl::State() != kChildWindowGone ? kBoxDetached : TSkinControl::State(); }

HWND TSkinBox::SkinnedWindow() const {
    auto* win = dynamic_cast<tv::TWinControl*>(Control());
    return win && win->HandleAllocated() ? win->Handle() : Handle;
}

// ---- bare containers -----------------------------------------------------------------------

const tv::TClassInfo& TSkinBoxH::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinBoxH>("TSkinBoxH").Done();
    return info;
}

bool TSkinBoxH::BeforeMessage(tv::TMessage& m) {
    switch (m.Msg) {
        case WM_ERASEBKGND: {
            RECT r{};
            ::GetWindowRect(Handle, &r);
            ::OffsetRect(&r, -r.left, -r.top);
            FillSkinFace(reinterpret_cast<HDC>(m.WParam), r);
            m.Result = 0;
            return false;
        }
        case WM_CTLCOLORSTATIC:
            CallPrevious(m);
            if (SkinData && SkinData->FaceBrush()) m.Result = reinterpret_cast<LRESULT>(SkinData->FaceBrush());
            return false;
        default: return TSkinControl::BeforeMessage(m);
    }
}

// ---- sizers --------------------------------------------------------------------------------

const tv::TClassInfo& TSkinSizer::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinSizer>("TSkinSizer").Done();
    return info;
}

void TSkinSizer::DrawSkin(HDC dc, const RECT& rect) { FillSkinFace(dc, rect); }

// ---- group box -----------------------------------------------------------------------------

const tv::TClassInfo& TSkinGroupBox::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinGroupBox>("TSkinGroupBox").Done();
    return info;
}

TSkinGroupBox::TSkinGroupBox(tv::TComponent* owner) : TSkinControl(owner) {}

TSkinGroupBox::~TSkinGroupBox() = default;

void TSkinGroupBox::AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachControl(formSkinner, data, recolor, canvas);
    if (Attached && Control()) Variant = 1;
}

bool TSkinGroupBox::BeforeMessage(tv::TMessage& m) {
    if (!TSkinControl::BeforeMessage(m)) return false;
    if (Variant == 1 && m.Msg == WM_PAINT) {
        PaintOnMessage(*this, m);
        return false;
    }
    return true;
}

void TSkinGroupBox::DrawSkin(HDC target, const RECT& rect) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0) return;
    tv::TControl* control = Control();
    Text = GetWindowTextWide(Handle);
    if (Text.empty() && control) Text = GetTextPropWide(control, "Caption");
    // Composed off-screen and copied at once: no flicker between face and frame.
    Image.SetSize(w, h);
    HDC dc = Image.Canvas().Handle();
    const RECT local{0, 0, w, h};
    if (control) {
        FillSkinFace(dc, local);
    } else {
        // A bare group box draws on what its window showed: start from the face too.
        if (SkinData && SkinData->FaceBrush()) ::FillRect(dc, &local, SkinData->FaceBrush());
        else FillSkinFace(dc, local);
    }
    COLORREF textColor = 0;
    const tv::SelectScope font(dc, FontOf(*this, textColor));
    TEXTMETRICW tm{};
    SIZE zero{};
    ::GetTextExtentPoint32W(dc, L"0", 1, &zero);
    const int top = zero.cy / 2 - 1;
    (void)tm;
    const tv::TColor shadow = SkinData ? SkinData->SkinColors.ButtonShadow : tv::clBtnShadow;
    {
        tv::OwnedPen pen(::CreatePen(PS_SOLID, 1, tv::ColorToRGB(shadow)));
        const tv::SelectScope usePen(dc, pen.Get());
        const tv::SelectScope noFill(dc, ::GetStockObject(NULL_BRUSH));
        ::RoundRect(dc, 1, top, w - 1, h - 1, 5, 5);
    }
    if (!Text.empty()) {
        const tv::TColor face = SkinData ? SkinData->SkinColors.ButtonFace : tv::clBtnFace;
        const COLORREF oldBk = ::SetBkColor(dc, tv::ColorToRGB(face));
        const int oldMode = ::SetBkMode(dc, OPAQUE);
        const bool enabled = !(Handle && (GetLong(Handle, GWL_STYLE) & WS_DISABLED));
        const COLORREF oldText = ::SetTextColor(dc, enabled ? textColor : tv::ColorToRGB(tv::clBtnShadow));
        RECT r = local;
        UINT flags = DT_EXPANDTABS;
        if (Handle && (GetLong(Handle, GWL_EXSTYLE) & WS_EX_RIGHT)) {
            r.right -= 8;
            flags |= DT_RIGHT;
        } else {
            r.left += 8;
        }
        DrawTextWide(dc, Text, r, TextFlags(*this, flags));
        ::SetTextColor(dc, oldText);
        ::SetBkMode(dc, oldMode);
        ::SetBkColor(dc, oldBk);
    }
    if (Variant == 1)
        if (auto* win = dynamic_cast<tv::TWinControl*>(control)) win->PaintControls(dc, nullptr);
    ::BitBlt(target, rect.left, rect.top, w, h, dc, 0, 0, SRCCOPY);
}

// ---- status bar ----------------------------------------------------------------------------

const tv::TClassInfo& TSkinStatusBar::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinStatusBar>("TSkinStatusBar").Done();
    return info;
}

TSkinStatusBar::TSkinStatusBar(tv::TComponent* owner) : TSkinControl(owner) {}

TSkinStatusBar::~TSkinStatusBar() = default;

bool TSkinStatusBar::BeforeMessage(tv::TMessage& m) {
    switch (m.Msg) {
        case WM_PAINT:
            PaintOnMessage(*this, m);
            return false;
        case WM_ERASEBKGND:
            m.Result = 1;
            return false;
        default: return TSkinControl::BeforeMessage(m);
    }
}

void TSkinStatusBar::DrawSkin(HDC target, const RECT& rect) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0 || !Handle) return;
    Image.SetSize(w, h);
    HDC dc = Image.Canvas().Handle();
    const RECT local{0, 0, w, h};
    FillSkinFace(dc, local);

    COLORREF textColor = 0;
    HFONT font = FontOf(*this, textColor);
    // Plain style: a bold or underlined form font is not the bar's.
    tv::TFont plain;
    auto* control = dynamic_cast<tv::TCustomStatusBar*>(Control());
    if (control) {
        plain.Assign(control->Font());
        plain.SetStyle({});
        font = plain.Handle();
    }
    const TDataSkinObject* edges = SkinData ? SkinData->StatusBarEdges.get() : nullptr;
    if (edges && !edges->Bitmap.Empty()) textColor = tv::ColorToRGB(edges->NormalColour2);
    const tv::SelectScope useFont(dc, font);
    const COLORREF oldText = ::SetTextColor(dc, textColor);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);

    // Texts keep clear of the grip, as the stock bar's do.
    const LONG style = GetLong(Handle, GWL_STYLE);
    const TDataSkinObject* extra = SkinData ? SkinData->ExtraImages.get() : nullptr;
    const bool grip = (style & SBARS_SIZEGRIP) && extra && !extra->Bitmap.Empty();
    const int gripWidth = grip ? extra->Bitmap.Width() / extra->FrameCount() : 0;
    const auto clearOfGrip = [&](RECT& t) {
        if (grip) t.right = std::min<LONG>(t.right, w - 2 - gripWidth);
    };
    const bool simple = control ? (control->SimplePanel() || control->Panels().Count() == 0)
                                : ::SendMessageW(Handle, SB_ISSIMPLE, 0, 0) != 0;
    std::vector<std::pair<int, RECT>> ownerDrawn;
    if (simple) {
        const bool rtl = control && control->UseRightToLeftReading();
        std::wstring text = control ? ::text::Widen(control->SimpleText()) : BareText(Handle, SB_SIMPLEID);
        UINT align = rtl ? DT_RIGHT : DT_LEFT;
        if (!control) align = TakeTabs(text);
        PanelFace(*this, dc, local, 1);
        // An empty text still draws: one space.
        if (text.empty()) text = L" ";
        RECT t = local;
        ::InflateRect(&t, -2, 0);
        clearOfGrip(t);
        DrawStatusText(*this, dc, t, align, false, text);
    } else {
        const int count = control ? control->Panels().Count()
                                  : int(::SendMessageW(Handle, SB_GETPARTS, 0, 0));
        for (int i = 0; i < count; ++i) {
            RECT r{};
            if (!::SendMessageW(Handle, SB_GETRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r))) continue;
            r.right += 2;
            if (i == count - 1) r.right = w;
            int frame = 1;
            std::wstring text;
            UINT align = DT_LEFT;
            bool rtl = false, textStyle = true;
            if (control) {
                const tv::TStatusPanel* panel = control->Panels().Items(i);
                rtl = panel->BiDiMode() != tv::TBiDiMode::bdLeftToRight;
                align = AlignmentFlags(panel->Alignment(), rtl);
                frame = panel->Bevel() == tv::TStatusPanelBevel::pbRaised  ? 2
                        : panel->Bevel() == tv::TStatusPanelBevel::pbNone ? 3
                                                                          : 1;
                text = ::text::Widen(panel->Text());
                textStyle = panel->Style() == tv::TStatusPanelStyle::psText;
            } else {
                frame = BareFrame(Handle, i);
                text = BareText(Handle, i);
                align = TakeTabs(text);
                textStyle = !(HIWORD(::SendMessageW(Handle, SB_GETTEXTLENGTHW, WPARAM(i), 0)) & SBT_OWNERDRAW);
            }
            PanelFace(*this, dc, r, frame);
            if (textStyle) {
                RECT t = r;
                ::InflateRect(&t, -2, 0);
                if (i == count - 1) clearOfGrip(t);
                DrawStatusText(*this, dc, t, align, rtl, text.empty() ? L" " : text);
            } else {
                RECT inner = r;
                ::InflateRect(&inner, -2, -2);
                ownerDrawn.emplace_back(i, inner);
            }
        }
    }
    if (grip) {
        const int fw = gripWidth, fh = extra->Bitmap.Height();
        const RECT grip{w - 1 - fw, h - 1 - fh, w - 1, h - 1};
        DrawStripFrame(*this, dc, grip, extra->FrameCount(), std::min(5, extra->FrameCount()), extra->Bitmap);
    }
    ::SetBkMode(dc, oldMode);
    ::SetTextColor(dc, oldText);
    ::BitBlt(target, rect.left, rect.top, w, h, dc, 0, 0, SRCCOPY);
    if (control) {
        control->PaintControls(target, nullptr);
        // Owner-drawn panels are their owner's to draw, on the finished bar.
        if (control->OnDrawPanel)
            for (const auto& [index, r] : ownerDrawn) control->OnDrawPanel(control, control->Panels().Items(index), target, r);
    }
}

// ---- other sets' check and radio controls --------------------------------------------------

const tv::TClassInfo& TSkinObjImage::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinObjImage>("TSkinObjImage").Done();
    return info;
}

TSkinObjImage::TSkinObjImage(tv::TComponent* owner) : TSkinControl(owner) {}

TSkinObjImage::~TSkinObjImage() = default;

void TSkinObjImage::AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) {
    if (Attached) return;
    auto* control = dynamic_cast<tv::TControl*>(Owner());
    if (!control) return;
    SkinData = data;
    Canvas = canvas;
    Recolor = recolor;
    BindControl(*control);
    if (auto* win = dynamic_cast<tv::TWinControl*>(control)) Handle = win->Handle();
    RegisterWith(formSkinner);
    if (Recolor && data) {
        SavedColor = control->Color();
        control->SetColor(data->SkinColors.ButtonFace);
    }
    InjectGlyphs();
    SetAttachedState();
}

namespace {

// Frame n (from 1) of the logical looks [unchecked, checked, disabled unchecked, disabled
// checked, grayed] in a strip of `frames`: strips of 8 and 12 keep the hot and pressed looks
// of each mark between them.
int StripFrameOf(int look, int frames) {
    if (frames == 8 || frames == 12) {
        static const int map[] = {1, 5, 4, 8, 9};
        return map[look - 1];
    }
    return look;
}

// The glyph strip a control of another set expects, cut from the skin's strip: each entry
// a look (0: left empty, for looks the skin's strip does not have).
tv::TBitmap* BuildStrip(tv::TBitmap& out, const raster::Bitmap& strip, int frames, const std::vector<int>& looks) {
    if (strip.Empty() || frames <= 0 || strip.Width() < frames) return nullptr;
    const int fw = strip.Width() / frames, fh = strip.Height();
    raster::Bitmap pixels(fw * int(looks.size()), fh, strip.Format());
    pixels.Fill(raster::kKeyColor);
    for (std::size_t i = 0; i < looks.size(); ++i) {
        if (looks[i] == 0) continue;
        const int frame = StripFrameOf(looks[i], frames);
        if (frame > frames) continue;
        raster::Copy(pixels, int(i) * fw, 0, strip, {(frame - 1) * fw, 0, frame * fw, fh});
    }
    out.SetBitmap(std::move(pixels));
    return &out;
}

tv::TBitmap* BitmapProp(tv::TObject* object, std::string_view name) {
    return dynamic_cast<tv::TBitmap*>(tv::GetObjectPropByName(object, name, "TBitmap"));
}

}  // namespace

void TSkinObjImage::InjectGlyphs() {
    tv::TControl* control = Control();
    if (!control || !SkinData || !SkinData->Buttons) return;
    const TDataSkinButton& b = *SkinData->Buttons;
    const bool withGrayed = b.CheckFrames == 5 || b.CheckFrames == 12;
    const int g = withGrayed ? 5 : 0;
    tv::TBitmap strip;
    if (Kind == 1 || Kind == 2) {
        tv::TBitmap* target = BitmapProp(control, "CustomGlyphs");
        if (!target) return;
        const bool built = Kind == 2 ? BuildStrip(strip, b.RadioBitmap, b.RadioFrames, {1, 2, 1, 2, 3, 4})
                                     : BuildStrip(strip, b.CheckBitmap, b.CheckFrames, {1, 2, g, 1, 2, g, 3, 4, g});
        if (!built) return;
        target->Assign(strip);
        tv::SetPropByName(control, "transparentcolor", std::to_string(0xFF00FF));
        // Off and on again: the control reads its glyphs anew.
        tv::SetPropByName(control, "UseCustomGlyphs", "false");
        tv::SetPropByName(control, "UseCustomGlyphs", "true");
    } else if (Kind == 3) {
        tv::TObject* properties = tv::GetObjectPropByName(control, "Properties", "TPersistent");
        tv::TBitmap* target = BitmapProp(properties, "Glyph");
        if (!target || !BuildStrip(strip, b.CheckBitmap, b.CheckFrames, {1, 2, g, 1, 2, g})) return;
        target->Assign(strip);
    }
    control->Invalidate();
}

void TSkinObjImage::Detach() {
    TSkinControl::Detach();
    tv::TControl* control = Control();
    if (!control) return;
    if (Kind == 1 || Kind == 2) {
        tv::SetPropByName(control, "UseCustomGlyphs", "false");
    } else if (Kind == 3) {
        tv::TObject* properties = tv::GetObjectPropByName(control, "Properties", "TPersistent");
        if (tv::TBitmap* glyph = BitmapProp(properties, "Glyph")) glyph->SetBitmap(raster::Bitmap());
    }
    control->Invalidate();
}

void TSkinObjImage::RefreshSkin() {
    if (Recolor && SkinData)
        if (tv::TControl* control = Control()) control->SetColor(SkinData->SkinColors.ButtonFace);
    InjectGlyphs();
}

void RegisterBoxSkinners() {
    const auto add = [](const char* name, TChildSkinnerCreator creator) { RegisterChildSkinner(name, std::move(creator)); };
    add("TSkinBox", [](tv::TComponent* owner) -> TChildSkinner* { return new TSkinBox(owner); });
    add("TSkinBoxH", [](tv::TComponent* owner) -> TChildSkinner* { return new TSkinBoxH(owner); });
    add("TSkinSizer", [](tv::TComponent* owner) -> TChildSkinner* { return new TSkinSizer(owner); });
    add("TSkinGroupBox", [](tv::TComponent* owner) -> TChildSkinner* { return new TSkinGroupBox(owner); });
    add("TSkinStatusBar", [](tv::TComponent* owner) -> TChildSkinner* { return new TSkinStatusBar(owner); });
    add("TSkinObjImage", [](tv::TComponent* owner) -> TChildSkinner* { return new TSkinObjImage(owner); });
}

}  // namespace skin
