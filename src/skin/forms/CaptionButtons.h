// The objects of a skinned non-client area that follow the mouse (caption buttons now,
// menu bar items later), and the caption buttons themselves: which are shown, where, how
// they are drawn and what they do. The skin decides all of it, not the window's style.
#pragma once

#include <windows.h>

#include <functional>

#include "raster/Bitmap.h"

namespace skin {

class TDataSkinSysButton;
class TNCObject;

// What non-client objects need of the skinner that owns them.
class TNCHost {
public:
    virtual HWND Handle() const = 0;
    // The object under the mouse or pressed; at most one per window.
    virtual TNCObject* HotObject() const = 0;
    virtual void SetHotObject(TNCObject* object) = 0;
    // The frame is drawn in its active look.
    virtual bool DrawnActive() const = 0;
    // Draws the window's small icon at r (the system-menu button); false when it has none.
    virtual bool DrawCaptionIcon(HDC dc, const RECT& r) const = 0;
    // The caption as last painted without its buttons (window coordinates), so that
    // one button can be redrawn in another state without a trace of the old one.
    virtual const raster::Bitmap& CaptionBackground() const = 0;
    // A screen point in window coordinates.
    virtual POINT ScreenToFrame(POINT screen) const = 0;

protected:
    ~TNCHost() = default;
};

// Mouse states of a non-client object; they are also its frame numbers in a strip.
enum : int { kStateNormal = 1, kStatePressed = 2, kStateHot = 3, kStateDisabled = 4 };

class TNCObject {
public:
    explicit TNCObject(TNCHost& form) : Form(form) {}
    virtual ~TNCObject() = default;
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;

    virtual void MouseDown();
    virtual void MouseUp();
    virtual void MouseMove();
    virtual void MouseLeave();
    // Repaints the object on the window after a state change.
    virtual void Paint() {}

    TNCHost& Form;
    RECT Bounds{};  // window coordinates
    bool Visible = false;
    int State = kStateNormal;
    bool Enabled = true;

private:
    void BecomeHot(int state);
};

// Caption button actions with a meaning of their own; any other is the host's.
enum : int {
    kActionClose = 0, kActionMaximize = 1, kActionMinimize = 2, kActionSysMenu = 3, kActionHelp = 4,
    kActionMdiMinimize = 7, kActionMdiRestore = 8, kActionMdiClose = 9, kActionSysMenuIcon = 11,
    kActionSysMenuStrip = 12, kActionMaximize2 = 22, kActionMinimize2 = 23, kActionMdiMinimize2 = 60,
    kActionMdiRestore2 = 61, kActionMdiClose2 = 62,
};
// Visibility of the buttons a maximized MDI child shows in the menu band.
inline constexpr int kVisibilityMdiBand = 100;

// What the visibility rules of a caption button look at.
struct ButtonFacts {
    bool maximized = false, active = true;
    bool maxBox = false, minBox = false, help = false, sysMenu = false;
    bool mdiChildMaximizedWithMenu = false;  // an MDI frame whose active child is maximized, with a skinned menu bar
    bool dialogForm = false;
    int borderKind = 0;
    // The host's answer for Visibility 1000..2000 (SKM_SYSBUTTONVISIBLE).
    std::function<long long(int visibility, int action)> askHost;
};

// Whether the element is shown (both Visibility rules and the overrides by action).
bool ButtonVisible(const TDataSkinSysButton& e, const ButtonFacts& facts);
// Whether a shown maximize or minimize button can act; others always can.
bool ButtonEnabled(const TDataSkinSysButton& e, const ButtonFacts& facts);

class TWinSysButton : public TNCObject {
public:
    TWinSysButton(TNCHost& form, const TDataSkinSysButton& element) : TNCObject(form), Element(element) {}

    void Paint() override;
    // The frame number to show: by state, the window's activation and Enabled.
    int FrameFor(int state, bool windowActive) const;
    // Draws the resting look into the composed frame image (dc has image selected).
    void PaintInto(raster::Bitmap& image, HDC dc, bool windowActive) const;
    // Shows the window's icon instead of the strip.
    bool ShowsIcon() const;
    // The HT* code of the button's place, so the system knows it as what it does.
    int HitCode() const;
    int Action() const;

    const TDataSkinSysButton& Element;  // the skin's; buttons are made anew when the skin changes
};

}  // namespace skin
