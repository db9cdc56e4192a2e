#include "framework/MediaPlayer.h"

#include "framework/Graphics.h"

namespace tv {

namespace {

constexpr TButtonSet kAllButtons = TButtonSet::FromBits((1u << kMediaButtonCount) - 1);

// Glyphs are drawn in a 16 x 12 box; the shapes are the ones the program's glyph bitmaps show.
constexpr int kGlyphW = 16, kGlyphH = 12;

struct Shape {
    enum Kind { Poly, Rect, Round } kind;
    int n;
    POINT pt[3];  // Poly: n corners; Rect, Round: pt[0] top left, pt[1] bottom right (exclusive)
};

int ShapesOf(TMPBtnType kind, Shape* out) {
    auto tri = [](POINT a, POINT b, POINT c) { return Shape{Shape::Poly, 3, {a, b, c}}; };
    auto rect = [](int l, int t, int r, int b) { return Shape{Shape::Rect, 2, {{l, t}, {r, b}, {}}}; };
    switch (kind) {
        case TMPBtnType::btPlay: out[0] = tri({5, 1}, {11, 6}, {5, 11}); return 1;
        case TMPBtnType::btPause: out[0] = rect(4, 2, 7, 11), out[1] = rect(9, 2, 12, 11); return 2;
        case TMPBtnType::btStop: out[0] = rect(4, 2, 12, 10); return 1;
        case TMPBtnType::btNext:
            out[0] = tri({2, 2}, {7, 6}, {2, 10}), out[1] = tri({7, 2}, {12, 6}, {7, 10}), out[2] = rect(12, 2, 14, 11);
            return 3;
        case TMPBtnType::btPrev:
            out[0] = rect(2, 2, 4, 11), out[1] = tri({9, 2}, {4, 6}, {9, 10}), out[2] = tri({14, 2}, {9, 6}, {14, 10});
            return 3;
        case TMPBtnType::btStep: out[0] = tri({4, 2}, {10, 6}, {4, 10}), out[1] = rect(11, 2, 13, 11); return 2;
        case TMPBtnType::btBack: out[0] = rect(3, 2, 5, 11), out[1] = tri({12, 2}, {6, 6}, {12, 10}); return 2;
        case TMPBtnType::btRecord: out[0] = Shape{Shape::Round, 2, {{4, 2}, {12, 10}, {}}}; return 1;
        case TMPBtnType::btEject: out[0] = tri({3, 7}, {8, 2}, {13, 7}), out[1] = rect(3, 9, 14, 11); return 2;
    }
    return 0;
}

COLORREF ColouredInk(TMPBtnType kind) {
    switch (kind) {
        case TMPBtnType::btPause: return RGB(224, 176, 0);
        case TMPBtnType::btStop:
        case TMPBtnType::btEject: return RGB(0, 64, 200);
        case TMPBtnType::btRecord: return RGB(208, 0, 0);
        default: return RGB(0, 160, 0);
    }
}

void FillShapes(HDC dc, int x, int y, TMPBtnType kind, COLORREF ink) {
    Shape shapes[3];
    const int n = ShapesOf(kind, shapes);
    OwnedBrush brush(::CreateSolidBrush(ink));
    OwnedPen pen(::CreatePen(PS_SOLID, 1, ink));
    const SelectScope useBrush(dc, brush.Get());
    const SelectScope usePen(dc, pen.Get());
    for (int i = 0; i < n; ++i) {
        const Shape& s = shapes[i];
        if (s.kind == Shape::Rect) {
            const RECT r{x + s.pt[0].x, y + s.pt[0].y, x + s.pt[1].x, y + s.pt[1].y};
            ::FillRect(dc, &r, brush.Get());
        } else if (s.kind == Shape::Round) {
            ::Ellipse(dc, x + s.pt[0].x, y + s.pt[0].y, x + s.pt[1].x, y + s.pt[1].y);
        } else {
            POINT p[3];
            for (int k = 0; k < s.n; ++k) p[k] = {x + s.pt[k].x, y + s.pt[k].y};
            ::Polygon(dc, p, s.n);
        }
    }
}

}  // namespace

const TEnumInfo& MPBtnType() {
    static const TEnumInfo info = TEnumInfo::Sequential(
        "TMPBtnType", {"btPlay", "btPause", "btStop", "btNext", "btPrev", "btStep", "btBack", "btRecord", "btEject"});
    return info;
}

int TMediaButtonLayout::IndexAt(int x) const {
    const int w = ButtonWidth();
    if (w <= 0 || x < 0) return -1;
    // Edges count as inside, the left button first: x on a shared edge is the left one's.
    for (int i = 0; i < visibleCount; ++i)
        if (x <= ButtonLeft(i) + w) return i;
    return -1;
}

const TClassInfo& TMediaPlayer::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TMediaPlayer>("TMediaPlayer")
            .Set("VisibleButtons", MPBtnType(), &TMediaPlayer::VisibleButtons, &TMediaPlayer::SetVisibleButtons)
            .Default(std::int64_t(kAllButtons.Bits()))
            .Set("EnabledButtons", MPBtnType(), &TMediaPlayer::EnabledButtons, &TMediaPlayer::SetEnabledButtons)
            .Default(std::int64_t(kAllButtons.Bits()))
            .Set("ColoredButtons", MPBtnType(), &TMediaPlayer::ColoredButtons, &TMediaPlayer::SetColoredButtons)
            .Default(std::int64_t(kAllButtons.Bits()))
            .Event("OnClick", &TMediaPlayer::OnClick)
            .Done();
    return info;
}

TMediaPlayer::TMediaPlayer(TComponent* owner)
    : TCustomControl(owner), visible_(kAllButtons), enabled_(kAllButtons), colored_(kAllButtons) {
    SetBoundsFields(0, 0, 253, 30);
    InitColor(clBtnFace, false);
    Brush().SetColor(clBtnFace);
}

TMediaPlayer::~TMediaPlayer() = default;

void TMediaPlayer::SetVisibleButtons(TButtonSet v) {
    v = v * kAllButtons;
    if (v == visible_) return;
    visible_ = v;
    ButtonsChanged();
}

void TMediaPlayer::SetEnabledButtons(TButtonSet v) {
    v = v * kAllButtons;
    if (v == enabled_) return;
    enabled_ = v;
    ButtonsChanged();
}

void TMediaPlayer::SetColoredButtons(TButtonSet v) {
    v = v * kAllButtons;
    if (v == colored_) return;
    colored_ = v;
    ButtonsChanged();
}

void TMediaPlayer::ButtonsChanged() {
    Invalidate();
    if (!HasState(TComponentState::Loading)) Perform(CM_BUTTONSCHANGED);
}

TMediaButtonLayout TMediaPlayer::Layout() const {
    int count = 0;
    for (int k = 0; k < kMediaButtonCount; ++k)
        if (visible_.Contains(TMPBtnType(k))) ++count;
    return {Width(), count};
}

bool TMediaPlayer::VisibleButtonAt(int index, TMPBtnType& kind) const {
    if (index < 0) return false;
    for (int k = 0; k < kMediaButtonCount; ++k) {
        if (!visible_.Contains(TMPBtnType(k))) continue;
        if (index-- == 0) {
            kind = TMPBtnType(k);
            return true;
        }
    }
    return false;
}

bool TMediaPlayer::ButtonAtPos(POINT p, TMPBtnType& kind) const {
    if (p.y < 0 || p.y >= Height()) return false;
    return VisibleButtonAt(Layout().IndexAt(p.x), kind);
}

RECT TMediaPlayer::ButtonRect(TMPBtnType kind) const {
    if (!visible_.Contains(kind)) return {};
    int index = 0;
    for (int k = 0; k < int(kind); ++k)
        if (visible_.Contains(TMPBtnType(k))) ++index;
    const TMediaButtonLayout layout = Layout();
    const int left = layout.ButtonLeft(index);
    return {left, 0, left + layout.ButtonWidth(), Height()};
}

void TMediaPlayer::Paint() {
    HDC dc = Canvas().Handle();
    const RECT client{0, 0, Width(), Height()};
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    const TMediaButtonLayout layout = Layout();
    // The look of a press only while it is ours: a skin's overlay takes the capture away.
    const bool holding = pressedButton_ >= 0 && HandleAllocated() && ::GetCapture() == Handle();
    for (int i = 0; i < layout.visibleCount; ++i) {
        TMPBtnType kind{};
        if (!VisibleButtonAt(i, kind)) break;
        RECT r{layout.ButtonLeft(i), 0, layout.ButtonLeft(i) + layout.ButtonWidth(), Height()};
        const bool down = holding && pressedButton_ == int(kind);
        ::DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
        RECT box{r.left + (r.right - r.left - kGlyphW) / 2, r.top + (r.bottom - r.top - kGlyphH) / 2, 0, 0};
        if (down) ::OffsetRect(&box, 1, 1);
        box.right = box.left + kGlyphW, box.bottom = box.top + kGlyphH;
        const bool on = Enabled() && enabled_.Contains(kind);
        DrawMediaGlyph(dc, box, kind, on, colored_.Contains(kind));
    }
}

void DrawMediaGlyph(HDC dc, const RECT& box, TMPBtnType kind, bool enabled, bool colored) {
    if (!enabled) {
        // Embossed, as disabled glyphs are.
        FillShapes(dc, box.left + 1, box.top + 1, kind, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        FillShapes(dc, box.left, box.top, kind, ::GetSysColor(COLOR_BTNSHADOW));
        return;
    }
    FillShapes(dc, box.left, box.top, kind, colored ? ColouredInk(kind) : ::GetSysColor(COLOR_BTNTEXT));
}

void TMediaPlayer::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    pressedButton_ = -1;
    TMPBtnType kind{};
    if (!Enabled() || !ButtonAtPos({x, y}, kind) || !enabled_.Contains(kind)) return;
    pressedButton_ = int(kind);
    // Held until the release, wherever the pointer goes meanwhile.
    if (HandleAllocated()) ::SetCapture(Handle());
    Invalidate();
}

void TMediaPlayer::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    const int pressed = pressedButton_;
    if (button == TMouseButton::mbLeft) {
        pressedButton_ = -1;
        if (HandleAllocated() && ::GetCapture() == Handle()) ::ReleaseCapture();
        if (pressed >= 0) Invalidate();
    }
    TCustomControl::MouseUp(button, shift, x, y);
    if (button != TMouseButton::mbLeft || pressed < 0) return;
    TMPBtnType kind{};
    // Released over the button it went down on, and that button still takes clicks.
    if (!ButtonAtPos({x, y}, kind) || int(kind) != pressed) return;
    if (!Enabled() || !visible_.Contains(kind) || !enabled_.Contains(kind)) return;
    if (OnClick) OnClick(this, kind);
}

void TMediaPlayer::HandleMessage(TMessage& m) {
    // The press no longer shows once another window took the mouse.
    if (m.Msg == WM_CAPTURECHANGED && pressedButton_ >= 0) Invalidate();
    TCustomControl::HandleMessage(m);
}

}  // namespace tv
