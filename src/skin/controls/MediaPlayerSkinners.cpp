#include "skin/controls/MediaPlayerSkinners.h"

#include <windowsx.h>

#include <cstdio>

#include "framework/PropAccess.h"
#include "skin/core/WinSkinData.h"
#include "skin/forms/DrawPrimitives.h"

namespace skin {

namespace {

constexpr int kButtonFrames = 5;
enum : int { kLookNormal = 1, kLookPressed = 2, kLookDisabled = 3 };
enum : int { kGlyphEnabled = 0, kGlyphDisabled = 1, kGlyphColoured = 2 };
constexpr Colour kGlyphKey = 0x008080;  // clOlive

const char* const kStatePrefix[3] = {"EN", "DI", "CL"};
const char* const kKindName[tv::kMediaButtonCount] = {"MPPLAY", "MPPAUSE", "MPSTOP",  "MPNEXT", "MPPREV",
                                                      "MPSTEP", "MPBACK",  "MPRECORD", "MPEJECT"};

bool IsLeftPress(UINT msg) { return msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK; }

}  // namespace

// ---- overlay -------------------------------------------------------------------------------

const tv::TClassInfo& TWMediaPlayer::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TWMediaPlayer>("TWMediaPlayer").Done();
    return info;
}

TWMediaPlayer::TWMediaPlayer(tv::TComponent* owner) : tv::TPanel(owner) {
    SetBevelOuter(tv::TBevelCut::bvNone);
    LoadGlyphs(::GetModuleHandleW(nullptr));
}

TWMediaPlayer::~TWMediaPlayer() = default;

void TWMediaPlayer::LoadGlyphs(HINSTANCE module) {
    for (int state = 0; state < 3; ++state)
        for (int kind = 0; kind < tv::kMediaButtonCount; ++kind) {
            char name[32];
            std::snprintf(name, sizeof name, "%s_%s", kStatePrefix[state], kKindName[kind]);
            auto glyph = std::make_unique<tv::TBitmap>();
            bool loaded = false;
            // A program without the glyph (or with a damaged one) draws that button bare.
            try {
                loaded = glyph->LoadFromResourceName(module, name) && !glyph->Empty();
            } catch (const std::exception&) {
                loaded = false;
            }
            glyphs_[std::size_t(state)][std::size_t(kind)] = loaded ? std::move(glyph) : nullptr;
        }
    Invalidate();
}

const tv::TBitmap* TWMediaPlayer::Glyph(int state, int kind) const {
    if (state < 0 || state >= 3 || kind < 0 || kind >= tv::kMediaButtonCount) return nullptr;
    return glyphs_[std::size_t(state)][std::size_t(kind)].get();
}

void TWMediaPlayer::Bind(tv::TControl* player, TSkinData* data) {
    player_ = player;
    data_ = data;
    ReadPlayer();
    Invalidate();
}

bool TWMediaPlayer::PlayerEnabled() const {
    tv::TControl* player = player_.Get();
    if (!player || !player->Enabled()) return false;
    auto* win = dynamic_cast<tv::TWinControl*>(player);
    return !(win && win->HandleAllocated() && !::IsWindowEnabled(win->Handle()));
}

void TWMediaPlayer::ReadPlayer() {
    tv::TControl* player = player_.Get();
    const std::uint64_t visible = tv::GetSetPropByName(player, "VisibleButtons");
    const std::uint64_t enabled = tv::GetSetPropByName(player, "EnabledButtons");
    const std::uint64_t colored = tv::GetSetPropByName(player, "ColoredButtons");
    visibleCount_ = 0;
    for (int k = 0; k < tv::kMediaButtonCount; ++k) {
        const std::uint64_t bit = std::uint64_t(1) << k;
        visible_[std::size_t(k)] = (visible & bit) != 0;
        enabled_[std::size_t(k)] = (enabled & bit) != 0;
        colored_[std::size_t(k)] = (colored & bit) != 0;
        if (visible_[std::size_t(k)]) ++visibleCount_;
    }
    buttonWidth_ = tv::TMediaButtonLayout{ClientWidth(), visibleCount_}.ButtonWidth();
}

int TWMediaPlayer::ButtonAt(POINT p) const {
    // Only over the bar: a release below a button is no release on it.
    if (p.y < 0 || p.y >= ClientHeight()) return -1;
    int index = tv::TMediaButtonLayout{ClientWidth(), visibleCount_}.IndexAt(p.x);
    if (index < 0) return -1;
    for (int k = 0; k < tv::kMediaButtonCount; ++k)
        if (visible_[std::size_t(k)] && index-- == 0) return k;
    return -1;
}

void TWMediaPlayer::Paint() {
    const int w = ClientWidth(), h = ClientHeight();
    if (w <= 0 || h <= 0) return;
    ReadPlayer();
    // Composed off-screen and copied at once: no flicker between face, frames and glyphs.
    image_.SetSize(w, h);
    HDC dc = image_.Canvas().Handle();
    Compose(dc, w, h);
    ::BitBlt(Canvas().Handle(), 0, 0, w, h, dc, 0, 0, SRCCOPY);
}

void TWMediaPlayer::Compose(HDC dc, int w, int h) {
    const tv::TColor face = data_ ? data_->SkinColors.ButtonFace : tv::clBtnFace;
    {
        tv::OwnedBrush brush(::CreateSolidBrush(tv::ColorToRGB(face)));
        const RECT all{0, 0, w, h};
        ::FillRect(dc, &all, brush.Get());
    }
    if (visibleCount_ == 0 || buttonWidth_ <= 0) return;
    const tv::TMediaButtonLayout layout{w, visibleCount_};
    int index = 0;
    for (int k = 0; k < tv::kMediaButtonCount; ++k) {
        if (!visible_[std::size_t(k)]) continue;
        const int left = layout.ButtonLeft(index++);
        DrawButton(dc, RECT{left, 0, left + buttonWidth_, h}, k);
    }
}

void TWMediaPlayer::DrawButton(HDC dc, const RECT& r, int kind) {
    const bool on = enabled_[std::size_t(kind)] && PlayerEnabled();
    int look = PressedButton() == kind ? kLookPressed : kLookNormal;
    if (!on) look = kLookDisabled;
    const TDataSkinObject* e = data_ && data_->Buttons && !data_->Buttons->Bitmap.Empty() ? data_->Buttons.get() : nullptr;
    if (e) {
        const int frames = e->Frame > 0 ? e->Frame : kButtonFrames;
        DrawElementImage(dc, r, e->Bitmap, false, e->Tile != 0, e->Trans != 0, frames, look, e->Margins());
    } else {
        RECT plain = r;
        ::DrawFrameControl(dc, &plain, DFC_BUTTON, DFCS_BUTTONPUSH | (look == kLookPressed ? DFCS_PUSHED : 0));
    }
    const int state = !on ? kGlyphDisabled : colored_[std::size_t(kind)] ? kGlyphColoured : kGlyphEnabled;
    const tv::TBitmap* glyph = Glyph(state, kind);
    if (!glyph) return;
    const int gw = glyph->Width(), gh = glyph->Height();
    int x = r.left + (r.right - r.left - gw) / 2, y = r.top + (r.bottom - r.top - gh) / 2;
    if (look == kLookPressed) ++x, ++y;
    // A button narrower than its glyph shows the glyph's middle, never its neighbour's room.
    const int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    DrawTransparent(dc, RECT{x, y, x + gw, y + gh}, glyph->Pixels(), kGlyphKey);
    ::RestoreDC(dc, saved);
}

void TWMediaPlayer::Pressed(tv::TMessage& m) {
    ReadPlayer();
    const POINT pt{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    pressed_ = true;
    pressedKind_ = ButtonAt(pt);
    auto* win = dynamic_cast<tv::TWinControl*>(player_.Get());
    // A disabled player takes no press, as its own window would not.
    if (win && win->HandleAllocated() && PlayerEnabled())
        ::SendMessageW(win->Handle(), m.Msg, m.WParam, m.LParam);
    // The player took the mouse for itself; the overlay holds it instead, so that the
    // release comes here wherever the pointer is let go.
    if (HandleAllocated()) ::SetCapture(Handle());
    Invalidate();
}

void TWMediaPlayer::Released(tv::TMessage& m) {
    const bool wasPressed = pressed_;
    const int pressedKind = pressedKind_;
    pressed_ = false;
    pressedKind_ = -1;
    if (HandleAllocated() && ::GetCapture() == Handle()) ::ReleaseCapture();
    ReadPlayer();
    const POINT pt{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    const int kind = ButtonAt(pt);
    auto* win = dynamic_cast<tv::TWinControl*>(player_.Get());
    if (wasPressed && kind >= 0 && kind == pressedKind && win && win->HandleAllocated() && PlayerEnabled())
        ::SendMessageW(win->Handle(), WM_LBUTTONUP, m.WParam, m.LParam);
    Invalidate();
}

void TWMediaPlayer::HandleMessage(tv::TMessage& m) {
    if (IsLeftPress(m.Msg)) {
        Pressed(m);
        return;
    }
    if (m.Msg == WM_LBUTTONUP) {
        Released(m);
        return;
    }
    // Another window took the mouse (a dialog, a switch away): the press is over.
    if (m.Msg == WM_CAPTURECHANGED && pressed_ && reinterpret_cast<HWND>(m.LParam) != Handle()) {
        pressed_ = false;
        pressedKind_ = -1;
        Invalidate();
    }
    if (m.Msg == WM_ERASEBKGND) {
        m.Result = 1;  // Paint covers every pixel
        return;
    }
    tv::TPanel::HandleMessage(m);
}

// ---- skinner -------------------------------------------------------------------------------

const tv::TClassInfo& TSkinMP::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TSkinMP>("TSkinMP").Done();
    return info;
}

TSkinMP::TSkinMP(tv::TComponent* owner) : TSkinControl(owner) {}

TSkinMP::~TSkinMP() { ReleaseOverlay(); }

void TSkinMP::AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachControl(formSkinner, data, recolor, canvas);
    tv::TControl* player = Control();
    if (!Attached || !player || !player->Parent() || !formSkinner) return;
    auto* overlay = new TWMediaPlayer(formSkinner->HostComponent());
    overlay_ = overlay;
    // Never skinned itself: the classification passes over it.
    overlay->SetTag(data ? data->DisableTag : 99);
    overlay->SetVisible(player->Visible());
    const RECT b = player->BoundsRect();
    overlay->SetBounds(b.left, b.top, b.right - b.left, b.bottom - b.top);
    overlay->SetParent(player->Parent());
    overlay->Bind(player, data);
    FollowPlayer();
}

void TSkinMP::FollowPlayer() {
    TWMediaPlayer* overlay = overlay_.Get();
    tv::TControl* player = Control();
    if (!overlay || !player) return;
    const RECT b = player->BoundsRect();
    overlay->SetBounds(b.left, b.top, b.right - b.left, b.bottom - b.top);
    overlay->SetVisible(player->Visible());
    overlay->ReadPlayer();
    if (!overlay->HandleAllocated() || !Handle || !::IsWindow(Handle)) return;
    // Directly above the player: whatever lay above it still does.
    HWND above = ::GetWindow(Handle, GW_HWNDPREV);
    if (above == overlay->Handle()) return;
    ::SetWindowPos(overlay->Handle(), above ? above : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TSkinMP::ReleaseOverlay() {
    TWMediaPlayer* overlay = overlay_.Get();
    overlay_ = nullptr;
    if (!overlay) return;
    tv::TWinControl* parent = overlay->Parent();
    if (parent && !parent->HasState(tv::TComponentState::Destroying)) {
        delete overlay;
        return;
    }
    // The parent window is going down with the player and takes the overlay's window with
    // it; the control itself goes with the form skinner that owns it.
    overlay->Bind(nullptr, nullptr);
    if (overlay->HandleAllocated() && ::IsWindow(overlay->Handle())) ::ShowWindow(overlay->Handle(), SW_HIDE);
}

void TSkinMP::Detach() {
    TSkinControl::Detach();
    ReleaseOverlay();
}

void TSkinMP::RefreshSkin() {
    TSkinControl::RefreshSkin();
    if (TWMediaPlayer* overlay = overlay_.Get()) overlay->Bind(Control(), SkinData);
}

void TSkinMP::AfterMessage(tv::TMessage& m) {
    TSkinControl::AfterMessage(m);
    TWMediaPlayer* overlay = overlay_.Get();
    if (!overlay) return;
    switch (m.Msg) {
        case WM_WINDOWPOSCHANGED:
        case tv::CM_VISIBLECHANGED: FollowPlayer(); break;
        case WM_ENABLE:
        case tv::CM_ENABLEDCHANGED:
        case tv::CM_BUTTONSCHANGED:
            overlay->ReadPlayer();
            overlay->Invalidate();
            break;
        default: break;
    }
}

void RegisterMediaPlayerSkinners() {
    RegisterChildSkinner("TSkinMP", [](tv::TComponent* owner) -> TChildSkinner* { return new TSkinMP(owner); });
}

}  // namespace skin
