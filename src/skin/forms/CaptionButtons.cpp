#include "skin/forms/CaptionButtons.h"

#include "framework/Graphics.h"
#include "raster/Blit.h"
#include "raster/Slices.h"
#include "skin/core/SkinObjects.h"

namespace skin {

// ---- mouse states --------------------------------------------------------------------------

// Takes the hover (the previous hot object leaves first) and shows state.
void TNCObject::BecomeHot(int state) {
    if (TNCObject* hot = Form.HotObject(); hot && hot != this) hot->MouseLeave();
    if (!Visible) return;
    Form.SetHotObject(this);
    State = state;
    Paint();
}

void TNCObject::MouseDown() { BecomeHot(kStatePressed); }

void TNCObject::MouseUp() {
    if (!Visible) return;
    State = kStateHot;
    Paint();
}

void TNCObject::MouseMove() {
    if (Form.HotObject() == this) return;
    BecomeHot(kStateHot);
}

void TNCObject::MouseLeave() {
    if (!Visible) return;
    if (Form.HotObject() == this) Form.SetHotObject(nullptr);
    State = kStateNormal;
    Paint();
}

// ---- visibility ----------------------------------------------------------------------------

namespace {

bool DialogLike(const ButtonFacts& f) { return !f.dialogForm && f.borderKind == 3; }

bool FirstRule(int v, int action, const ButtonFacts& f) {
    switch (v) {
        case 0: return true;
        case 1: return f.maximized;
        case 2: return !f.maximized;
        case 3: return f.active;
        case 4: return !f.active;
        case 6:
        case 8: return (f.minBox || f.maxBox) && f.sysMenu;
        case 7: return !f.maxBox;
        case 9: return !f.minBox;
        case 10: return f.help && !f.minBox && !f.maxBox;
        case kVisibilityMdiBand: return f.mdiChildMaximizedWithMenu;
        case 200: return DialogLike(f);
        default: break;
    }
    if (v >= 201 && v <= 999) return true;
    if (v >= 1000 && v <= 2000) return f.askHost && f.askHost(v, action) > 0;
    return false;  // -1 and anything unknown: a button nobody asked for stays hidden
}

bool SecondRule(int v, bool first, const ButtonFacts& f) {
    switch (v) {
        case 0: return true;
        case 1: return f.maximized;
        case 2: return !f.maximized;
        case 3: return f.active;
        case 4: return !f.active;
        case 6:
        case 8: return f.minBox || f.maxBox;
        case 7: return !f.maxBox;
        case 9: return !f.minBox;
        case 10: return f.help;
        case kVisibilityMdiBand: return first;
        case 200: return DialogLike(f);
        default: break;
    }
    return v >= 201 && v <= 2000;
}

}  // namespace

bool ButtonVisible(const TDataSkinSysButton& e, const ButtonFacts& f) {
    const bool first = FirstRule(e.Visibility, e.Action, f);
    if (!first || !SecondRule(e.Visibility1, first, f)) return false;
    switch (e.Action) {
        case kActionClose: return f.sysMenu;
        case kActionSysMenu:
        case kActionSysMenuIcon:
        case kActionSysMenuStrip: return f.borderKind != 3;  // dialogs show no icon
        default: return true;
    }
}

bool ButtonEnabled(const TDataSkinSysButton& e, const ButtonFacts& f) {
    if (e.Action == kActionMaximize) return f.maxBox && f.sysMenu;
    if (e.Action == kActionMinimize) return f.minBox && f.sysMenu;
    return true;
}

// ---- drawing -------------------------------------------------------------------------------

int TWinSysButton::Action() const { return Element.Action; }

bool TWinSysButton::ShowsIcon() const {
    return Element.Action == kActionSysMenu || Element.Action == kActionSysMenuIcon;
}

int TWinSysButton::HitCode() const {
    switch (Element.Action) {
        case kActionClose: return HTCLOSE;
        case kActionMaximize:
        case kActionMaximize2: return HTMAXBUTTON;
        case kActionMinimize:
        case kActionMinimize2: return HTMINBUTTON;
        case kActionSysMenu:
        case kActionSysMenuIcon:
        case kActionSysMenuStrip: return HTSYSMENU;
        case kActionHelp: return HTHELP;
        default: return HTCAPTION;
    }
}

int TWinSysButton::FrameFor(int state, bool windowActive) const {
    const int frames = Element.FrameCount();
    if (!Enabled) return frames > 3 ? kStateDisabled : kStateNormal;
    if (state == kStateNormal && !windowActive && frames > 3) return kStateDisabled;
    if (state == kStateHot && Element.Visibility == kVisibilityMdiBand) return kStateDisabled;
    return state >= 1 && state <= frames ? state : kStateNormal;
}

void TWinSysButton::PaintInto(raster::Bitmap& image, HDC dc, bool windowActive) const {
    if (!Visible || Element.Bitmap.Empty()) return;
    if (Element.Visibility == kVisibilityMdiBand) {
        // In the menu band, always in its first look.
        raster::DrawStripImage(image, {Bounds.left, Bounds.top, Bounds.right, Bounds.bottom}, Element.Bitmap, true,
                               Element.FrameCount(), kStateNormal);
        return;
    }
    if (ShowsIcon() && Form.DrawCaptionIcon(dc, Bounds)) return;
    ::GdiFlush();
    raster::DrawStripImage(image, {Bounds.left, Bounds.top, Bounds.right, Bounds.bottom}, Element.Bitmap, true,
                           Element.FrameCount(), FrameFor(kStateNormal, windowActive));
}

void TWinSysButton::Paint() {
    const int w = Bounds.right - Bounds.left, h = Bounds.bottom - Bounds.top;
    const raster::Bitmap& back = Form.CaptionBackground();
    if (!Visible || w <= 0 || h <= 0 || back.Empty() || Element.Bitmap.Empty()) return;
    // The cell is composed apart, over the caption as it was, and copied in one transfer.
    raster::Bitmap cell(w, h);
    raster::Copy(cell, 0, 0, back, {Bounds.left, Bounds.top, Bounds.right, Bounds.bottom});
    tv::OwnedDC memory(::CreateCompatibleDC(nullptr));
    if (!memory.Get()) return;
    tv::SelectScope select(memory.Get(), static_cast<HBITMAP>(cell.Handle()));
    if (!ShowsIcon() || !Form.DrawCaptionIcon(memory.Get(), RECT{0, 0, w, h})) {
        ::GdiFlush();
        raster::DrawStripImage(cell, {0, 0, w, h}, Element.Bitmap, true, Element.FrameCount(),
                               FrameFor(State, Form.DrawnActive()));
    }
    tv::WindowDC dc(Form.Handle(), true);
    if (dc.Get()) ::BitBlt(dc.Get(), Bounds.left, Bounds.top, w, h, memory.Get(), 0, 0, SRCCOPY);
}

}  // namespace skin
