#include "framework/Buttons.h"

#include <algorithm>

#include "base/Text.h"
#include "framework/Forms.h"
#include "framework/MessageCrackers.h"

namespace tv {

const TEnumInfo& ButtonLayoutType() {
    static const TEnumInfo info =
        TEnumInfo::Sequential("TButtonLayout", {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"});
    return info;
}

const TEnumInfo& BitBtnKindType() {
    static const TEnumInfo info = TEnumInfo::Sequential(
        "TBitBtnKind",
        {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort", "bkRetry", "bkIgnore", "bkAll"});
    return info;
}

// ---- layout ----

TButtonGlyphLayout CalcButtonLayout(const RECT& bounds, SIZE glyph, SIZE text, TButtonLayout layout, int margin,
                                    int spacing) {
    const bool horizontal = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
    const bool glyphFirst = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphTop;
    const int w = bounds.right - bounds.left, h = bounds.bottom - bounds.top;
    // Along the main axis (m) and across it (c).
    const int room = horizontal ? w : h, cross = horizontal ? h : w;
    const int gm = horizontal ? glyph.cx : glyph.cy, gc = horizontal ? glyph.cy : glyph.cx;
    const int tm = horizontal ? text.cx : text.cy, tc = horizontal ? text.cy : text.cx;
    // Nothing to keep apart when one of the two is missing.
    if (gm <= 0 || tm <= 0) spacing = 0;
    if (margin < 0) {
        if (spacing < 0) {
            margin = std::max(0, (room - gm - tm) / 3);
            spacing = margin;
        } else {
            margin = std::max(0, (room - gm - spacing - tm) / 2);
        }
    } else if (spacing < 0) {
        spacing = std::max(0, (room - margin - gm - tm) / 2);
    }
    int gPos, tPos;
    if (glyphFirst) {
        gPos = margin;
        tPos = gPos + gm + spacing;
    } else {
        gPos = room - margin - gm;
        tPos = gPos - spacing - tm;
    }
    const int gCross = (cross - gc) / 2, tCross = (cross - tc) / 2;
    TButtonGlyphLayout out;
    if (horizontal) {
        out.glyph = {gPos, gCross, gPos + gm, gCross + gc};
        out.text = {tPos, tCross, tPos + tm, tCross + tc};
    } else {
        out.glyph = {gCross, gPos, gCross + gc, gPos + gm};
        out.text = {tCross, tPos, tCross + tc, tPos + tm};
    }
    ::OffsetRect(&out.glyph, bounds.left, bounds.top);
    ::OffsetRect(&out.text, bounds.left, bounds.top);
    return out;
}

// ---- glyph strip ----

bool TButtonGlyph::SetNumGlyphs(int n) {
    if (n < 1 || n > 4) return false;
    numGlyphs_ = n;
    return true;
}

SIZE TButtonGlyph::ImageSize() const {
    if (glyph_.Empty()) return SIZE{0, 0};
    return SIZE{glyph_.Width() / numGlyphs_, glyph_.Height()};
}

namespace {
COLORREF KeyColour(const TBitmap& bitmap) {
    const raster::Bitmap& px = bitmap.Pixels();
    return COLORREF(px.GetPixel(0, px.Height() - 1)) & 0xFFFFFF;
}

int Luminance(COLORREF c) { return (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100; }
}  // namespace

void TButtonGlyph::Draw(HDC dc, int x, int y, TButtonState state) const {
    SIZE size = ImageSize();
    if (size.cx <= 0 || size.cy <= 0) return;
    auto& bitmap = const_cast<TBitmap&>(glyph_);
    const COLORREF key = KeyColour(bitmap);
    int index = 0;
    switch (state) {
        case TButtonState::bsDisabled: index = numGlyphs_ >= 2 ? 1 : -1; break;
        case TButtonState::bsDown: index = numGlyphs_ >= 3 ? 2 : 0; break;
        case TButtonState::bsExclusive: index = numGlyphs_ >= 4 ? 3 : 0; break;
        case TButtonState::bsUp: break;
    }
    if (index >= 0) {
        ::TransparentBlt(dc, x, y, size.cx, size.cy, bitmap.Canvas().Handle(), index * size.cx, 0, size.cx, size.cy,
                         key);
        return;
    }
    // No disabled image: the dark parts of the up image, embossed in the 3-D colours
    // (highlight one pixel down and right, shadow on top).
    const raster::Bitmap& src = bitmap.Pixels();
    const auto paper = raster::Color(key);
    for (int pass = 0; pass < 2; ++pass) {
        const auto colour = raster::Color(ColorToRGB(pass == 0 ? clBtnHighlight : clBtnShadow));
        TBitmap shape;
        shape.SetSize(size.cx, size.cy);
        raster::Bitmap& out = shape.Pixels();
        for (int py = 0; py < size.cy; ++py)
            for (int px = 0; px < size.cx; ++px) {
                COLORREF c = COLORREF(src.GetPixel(px, py)) & 0xFFFFFF;
                out.SetPixel(px, py, c != key && Luminance(c) < 192 ? colour : paper);
            }
        const int offset = pass == 0 ? 1 : 0;
        ::TransparentBlt(dc, x + offset, y + offset, size.cx, size.cy, shape.Canvas().Handle(), 0, 0, size.cx, size.cy,
                         key);
    }
}

void TButtonGlyph::DrawButtonContent(TCanvas& canvas, const RECT& bounds, const std::string& caption,
                                     const TFont& font, TButtonLayout layout, int margin, int spacing,
                                     TButtonState state, bool rightToLeft) const {
    canvas.Font().Assign(font);
    const UINT reading = rightToLeft ? DT_RTLREADING : 0;
    // Drawn unclipped: the rectangle is the measured text exactly.
    const UINT flags = DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOCLIP | reading;
    SIZE textSize{0, 0};
    if (!caption.empty()) {
        // Measured without centring, which would move the rectangle being measured.
        RECT measure{0, 0, 0, 0};
        canvas.DrawText(caption, measure, DT_SINGLELINE | DT_CALCRECT | reading);
        textSize = SIZE{measure.right - measure.left, measure.bottom - measure.top};
    }
    TButtonGlyphLayout at = CalcButtonLayout(bounds, ImageSize(), textSize, layout, margin, spacing);
    Draw(canvas.Handle(), at.glyph.left, at.glyph.top, state);
    if (caption.empty()) return;
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    if (state == TButtonState::bsDisabled) {
        RECT lit = at.text;
        ::OffsetRect(&lit, 1, 1);
        canvas.Font().SetColor(clBtnHighlight);
        canvas.DrawText(caption, lit, flags);
        canvas.Font().SetColor(clBtnShadow);
    }
    RECT r = at.text;
    canvas.DrawText(caption, r, flags);
}

// ---- TBitBtn ----

namespace {
struct KindFacts {
    const char* caption;
    int modalResult;
};

KindFacts FactsOf(TBitBtnKind kind) {
    switch (kind) {
        case TBitBtnKind::bkOK: return {"OK", mrOk};
        case TBitBtnKind::bkCancel: return {"Cancel", mrCancel};
        case TBitBtnKind::bkHelp: return {"&Help", mrNone};
        case TBitBtnKind::bkYes: return {"&Yes", mrYes};
        case TBitBtnKind::bkNo: return {"&No", mrNo};
        case TBitBtnKind::bkClose: return {"&Close", mrNone};
        case TBitBtnKind::bkAbort: return {"Abort", mrAbort};
        case TBitBtnKind::bkRetry: return {"&Retry", mrRetry};
        case TBitBtnKind::bkIgnore: return {"&Ignore", mrIgnore};
        case TBitBtnKind::bkAll: return {"&All", 8};  // mrAll
        case TBitBtnKind::bkCustom: break;
    }
    return {"", mrNone};
}

// The kind's own 16 x 16 picture, drawn here so that no image file is needed.
void DrawKindGlyph(TBitmap& bitmap, TBitBtnKind kind) {
    bitmap.SetSize(16, 16);
    bitmap.Pixels().Fill(raster::Rgb(255, 0, 255));  // the bottom-left pixel: transparent
    TCanvas& c = bitmap.Canvas();
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.Pen().SetWidth(2);
    auto lines = [&](TColor colour, std::initializer_list<POINT> points) {
        c.Pen().SetColor(colour);
        std::vector<POINT> p(points);
        c.Polyline(p.data(), int(p.size()));
    };
    const TColor green = TColor(0x008000), red = TColor(0x0000C0), blue = TColor(0x800000), dark = TColor(0x404040);
    switch (kind) {
        case TBitBtnKind::bkOK:
        case TBitBtnKind::bkYes: lines(green, {{2, 8}, {6, 12}, {13, 3}}); break;
        case TBitBtnKind::bkAll:
            lines(green, {{1, 7}, {4, 10}, {9, 3}});
            lines(green, {{6, 10}, {9, 13}, {14, 6}});
            break;
        case TBitBtnKind::bkCancel:
        case TBitBtnKind::bkAbort:
            lines(red, {{3, 3}, {12, 12}});
            lines(red, {{12, 3}, {3, 12}});
            break;
        case TBitBtnKind::bkNo:
            c.Pen().SetColor(red);
            c.Ellipse(RECT{2, 2, 14, 14});
            lines(red, {{4, 11}, {11, 4}});
            break;
        case TBitBtnKind::bkHelp:
            lines(blue, {{4, 5}, {5, 3}, {10, 3}, {11, 5}, {8, 8}, {8, 10}});
            lines(blue, {{8, 12}, {8, 14}});
            break;
        case TBitBtnKind::bkClose:
            lines(dark, {{4, 14}, {4, 2}, {12, 2}, {12, 14}});
            lines(dark, {{9, 8}, {10, 8}});
            break;
        case TBitBtnKind::bkRetry:
            lines(green, {{12, 5}, {9, 2}, {5, 2}, {2, 5}, {2, 10}, {5, 13}, {9, 13}, {12, 10}});
            lines(green, {{12, 2}, {12, 6}, {8, 6}});
            break;
        case TBitBtnKind::bkIgnore:
            lines(dark, {{2, 8}, {12, 8}});
            lines(dark, {{8, 4}, {12, 8}, {8, 12}});
            break;
        case TBitBtnKind::bkCustom: break;
    }
    bitmap.Pixels();  // flush the drawing
    // A pixel drawn into the corner would make the shape's own colour transparent.
    bitmap.Pixels().SetPixel(0, 15, raster::Rgb(255, 0, 255));
}
}  // namespace

const TClassInfo& TBitBtn::StaticClass() {
    static const TClassInfo info = DescribeClass<TBitBtn>("TBitBtn")
                                       .Obj<TBitmap>("Glyph", &TBitBtn::GlyphPtr, nullptr)
                                       .StoredIf([](const TBitBtn& b) { return !b.glyphFromKind_; })
                                       .Enum("Kind", BitBtnKindType(), &TBitBtn::Kind, &TBitBtn::SetKind)
                                       .Default(int(TBitBtnKind::bkCustom))
                                       .Enum("Layout", ButtonLayoutType(), &TBitBtn::Layout, &TBitBtn::SetLayout)
                                       .Default(int(TButtonLayout::blGlyphLeft))
                                       .Int("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin)
                                       .Default(-1)
                                       .Int("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs)
                                       .Default(1)
                                       .Int("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing)
                                       .Default(4)
                                       .Done();
    return info;
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), glyph_(std::make_unique<TButtonGlyph>()) {}

TBitBtn::~TBitBtn() = default;

void TBitBtn::SetGlyph(const TBitmap& bitmap) {
    glyph_->Bitmap().Assign(bitmap);
    glyphFromKind_ = false;
    Invalidate();
}

void TBitBtn::SetNumGlyphs(int n) {
    if (glyph_->SetNumGlyphs(n)) Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout v) {
    layout_ = v;
    Invalidate();
}

void TBitBtn::SetMargin(int v) {
    margin_ = std::max(-1, v);
    Invalidate();
}

void TBitBtn::SetSpacing(int v) {
    spacing_ = std::max(-1, v);
    Invalidate();
}

void TBitBtn::SetKind(TBitBtnKind v) {
    if (v == kind_) return;
    kind_ = v;
    if (v != TBitBtnKind::bkCustom) {
        SetDefault(v == TBitBtnKind::bkOK || v == TBitBtnKind::bkYes);
        SetCancel(v == TBitBtnKind::bkCancel || v == TBitBtnKind::bkNo);
        KindFacts facts = FactsOf(v);
        // A caption stored with the kind is the author's: it stays.
        if (!HasState(TComponentState::Loading) || Caption().empty()) SetCaption(facts.caption);
        SetModalResult(facts.modalResult);
        // Likewise a glyph read before the kind.
        if (!HasState(TComponentState::Loading) || glyph_->Bitmap().Empty()) {
            DrawKindGlyph(glyph_->Bitmap(), v);
            glyph_->SetNumGlyphs(1);
            glyphFromKind_ = true;
        } else {
            glyphFromKind_ = false;
        }
    }
    Invalidate();
}

void TBitBtn::Loaded() {
    TButton::Loaded();
    Invalidate();
}

void TBitBtn::Click() {
    if (kind_ == TBitBtnKind::bkClose) {
        if (TCustomForm* form = GetParentForm(this)) {
            form->Close();
            return;
        }
    }
    TButton::Click();
}

void TBitBtn::CreateParams(TCreateParams& p) {
    TButton::CreateParams(p);
    p.style = (p.style & ~DWORD(BS_TYPEMASK)) | BS_OWNERDRAW;
    defaultLook_ = Default();
}

void TBitBtn::HandleMessage(TMessage& m) {
    switch (m.Msg) {
        case BM_SETSTYLE:
            // The system makes the default button by its style; ours must stay owner-drawn.
            defaultLook_ = (m.WParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
            m.WParam = (m.WParam & ~WPARAM(BS_TYPEMASK)) | BS_OWNERDRAW;
            TButton::HandleMessage(m);
            Invalidate();
            return;
        case WM_LBUTTONDBLCLK:
            // An owner-drawn button reports a double click instead of a second click:
            // a second press is a second click, as on any push button.
            m.Msg = WM_LBUTTONDOWN;
            break;
        case CN_DRAWITEM:
            if (const auto* item = StructFromLParam<DRAWITEMSTRUCT>(m)) DrawItem(*item);
            m.Result = TRUE;
            return;
        default: break;
    }
    TButton::HandleMessage(m);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const bool dark = defaultLook_ || Default() || focused;
    if (dark) {
        ::FrameRect(dc, &r, ::GetSysColorBrush(COLOR_WINDOWFRAME));
        ::InflateRect(&r, -1, -1);
    }
    if (pressed && dark) {
        ::FrameRect(dc, &r, ::GetSysColorBrush(COLOR_BTNSHADOW));
        ::InflateRect(&r, -1, -1);
        ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    } else {
        ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    }
    RECT content = item.rcItem;
    if (pressed) ::OffsetRect(&content, 1, 1);
    TCanvas canvas;
    canvas.SetHandle(dc);
    struct Unbind {
        TCanvas& c;
        ~Unbind() { c.SetHandle(nullptr); }
    } unbind{canvas};
    TButtonState state = disabled ? TButtonState::bsDisabled : pressed ? TButtonState::bsDown : TButtonState::bsUp;
    glyph_->DrawButtonContent(canvas, content, Caption(), Font(), layout_, margin_, spacing_, state,
                                   UseRightToLeftReading());
    if (focused && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT f = item.rcItem;
        ::InflateRect(&f, -4, -4);
        ::DrawFocusRect(dc, &f);
    }
}

// ---- TSpeedButton ----

const TClassInfo& TSpeedButton::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TSpeedButton>("TSpeedButton")
            .Bool("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp)
            .Default(0)
            .Int("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex)
            .Default(0)
            .Bool("Down", &TSpeedButton::Down, &TSpeedButton::SetDown)
            .Default(0)
            .Bool("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat)
            .Default(0)
            .Obj<TBitmap>("Glyph", &TSpeedButton::GlyphPtr, nullptr)
            .Enum("Layout", ButtonLayoutType(), &TSpeedButton::Layout, &TSpeedButton::SetLayout)
            .Default(int(TButtonLayout::blGlyphLeft))
            .Int("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin)
            .Default(-1)
            .Int("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs)
            .Default(1)
            .Int("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing)
            .Default(4)
            .Done();
    return info;
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), glyph_(std::make_unique<TButtonGlyph>()) {
    SetBoundsFields(0, 0, 23, 22);
    InitColor(clBtnFace, true);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetFlat(bool v) {
    flat_ = v;
    Invalidate();
}

void TSpeedButton::SetDown(bool v) {
    if (HasState(TComponentState::Loading)) {
        down_ = v;  // the group is known once everything is read
        return;
    }
    if (groupIndex_ == 0) v = false;
    if (v == down_) return;
    // The one down button of a group that must keep one stays down.
    if (down_ && !allowAllUp_) return;
    down_ = v;
    if (v) UpdateExclusive();
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int v) {
    if (v == groupIndex_) return;
    groupIndex_ = v;
    if (groupIndex_ == 0) down_ = false;
    if (!HasState(TComponentState::Loading)) UpdateExclusive();
    Invalidate();
}

void TSpeedButton::SetAllowAllUp(bool v) {
    if (v == allowAllUp_) return;
    allowAllUp_ = v;
    if (!HasState(TComponentState::Loading)) UpdateExclusive();
}

void TSpeedButton::SetGlyph(const TBitmap& bitmap) {
    glyph_->Bitmap().Assign(bitmap);
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int n) {
    if (glyph_->SetNumGlyphs(n)) Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout v) {
    layout_ = v;
    Invalidate();
}

void TSpeedButton::SetMargin(int v) {
    margin_ = std::max(-1, v);
    Invalidate();
}

void TSpeedButton::SetSpacing(int v) {
    spacing_ = std::max(-1, v);
    Invalidate();
}

void TSpeedButton::Loaded() {
    TGraphicControl::Loaded();
    if (groupIndex_ == 0) down_ = false;
    if (down_ || allowAllUp_) UpdateExclusive();
    Invalidate();
}

void TSpeedButton::ForEachInGroup(const std::function<void(TSpeedButton&)>& fn) {
    TWinControl* parent = Parent();
    if (!parent || groupIndex_ == 0) return;
    for (int i = 0; i < parent->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TSpeedButton*>(parent->Controls(i));
            other && other != this && other->groupIndex_ == groupIndex_)
            fn(*other);
}

void TSpeedButton::UpdateExclusive() {
    ForEachInGroup([this](TSpeedButton& other) {
        if (down_ && other.down_) {
            other.down_ = false;
            other.Invalidate();
        }
        other.allowAllUp_ = allowAllUp_;
    });
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft && Enabled()) {
        dragging_ = true;
        pressedLook_ = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    if (dragging_) {
        RECT r = ClientRect();
        bool inside = ::PtInRect(&r, POINT{x, y}) != FALSE;
        if (inside != pressedLook_) {
            pressedLook_ = inside;
            Invalidate();
        }
    }
    TGraphicControl::MouseMove(shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == TMouseButton::mbLeft && dragging_) {
        dragging_ = false;
        pressedLook_ = false;
        RECT r = ClientRect();
        // The click itself follows from the framework's press-and-release rule.
        if (::PtInRect(&r, POINT{x, y}) && groupIndex_ != 0) SetDown(!down_);
        Invalidate();
    }
    TGraphicControl::MouseUp(button, shift, x, y);
}

void TSpeedButton::HandleMessage(TMessage& m) {
    switch (m.Msg) {
        case CM_MOUSEENTER:
            mouseInControl_ = true;
            if (flat_ && Enabled()) Invalidate();
            break;
        case CM_MOUSELEAVE:
            mouseInControl_ = false;
            if (flat_ && Enabled()) Invalidate();
            break;
        case CM_ENABLEDCHANGED:
            if (!Enabled()) dragging_ = pressedLook_ = false;
            break;
        default: break;
    }
    TGraphicControl::HandleMessage(m);
}

void TSpeedButton::Paint() {
    TCanvas& canvas = Canvas();
    HDC dc = canvas.Handle();
    RECT r = ClientRect();
    const bool sunk = down_ || pressedLook_;
    if (!flat_) {
        ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (sunk ? DFCS_PUSHED : 0));
    } else {
        canvas.Brush().SetStyle(TBrushStyle::bsSolid);
        canvas.Brush().SetColor(Color());
        canvas.FillRect(r);
        if (sunk)
            ::DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        else if (mouseInControl_ && Enabled())
            ::DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    }
    if (down_ && !pressedLook_) {
        // A latched button shows a dithered face, as the system's toolbars do.
        static const WORD pattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        OwnedBitmap bits(::CreateBitmap(8, 8, 1, 1, pattern));
        OwnedBrush dither(::CreatePatternBrush(bits.Get()));
        COLORREF oldText = ::SetTextColor(dc, ColorToRGB(clBtnFace));
        COLORREF oldBack = ::SetBkColor(dc, ColorToRGB(clBtnHighlight));
        ::FillRect(dc, &r, dither.Get());
        ::SetTextColor(dc, oldText);
        ::SetBkColor(dc, oldBack);
    }
    RECT content = ClientRect();
    if (sunk) ::OffsetRect(&content, 1, 1);
    TButtonState state = !Enabled()      ? TButtonState::bsDisabled
                         : pressedLook_ ? TButtonState::bsDown
                         : down_        ? TButtonState::bsExclusive
                                        : TButtonState::bsUp;
    glyph_->DrawButtonContent(canvas, content, Caption(), Font(), layout_, margin_, spacing_, state,
                              UseRightToLeftReading());
}

}  // namespace tv
