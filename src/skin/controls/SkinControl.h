// The base of every control skinner: one object bound to one child control of a skinned
// window. It takes over the control's messages, lets the control do its own work and then
// draws it (or only its border) from the skin.
//
// It attaches in one of two ways:
// - to a framework control (AttachControl): the control's WindowProc is replaced and put
//   back when the skinner goes; the skinner is owned by the control and freed with it;
// - to a bare window (AttachWindow): the window procedure is subclassed and the skinner
//   found through a window property; the skinner belongs to the form skinner. At
//   WM_NCDESTROY it lets go of everything and reads State 6.
// Every skinner registers with its form skinner, which frees all of them on unskinning.
//
// A family file (ButtonSkinners.cpp, ...) overrides BeforeMessage (true: pass the message
// on), AfterMessage (after the control had it) and DrawSkin (the picture of the whole
// window, origin 0,0), and draws with the helpers below.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/Controls.h"
#include "framework/Graphics.h"
#include "framework/ImgList.h"
#include "skin/forms/ChildSkinner.h"

namespace skin {

class TDataSkinObject;
class TSkinData;

// wParam > 0 switches a skinner on (and repaints), otherwise off; the control never sees it.
inline constexpr UINT SKM_SKINENABLE = 0x3506;

enum class TSkinMouse { Hot, Pressed };
using TSkinMouseState = tv::TSet<TSkinMouse>;

// Registers the control skinners with the classification (call once at start-up).
void InstallControlSkinning();

class TSkinControl : public TChildSkinner {
    TV_CLASS(TSkinControl, TChildSkinner)
    explicit TSkinControl(tv::TComponent* owner);
    ~TSkinControl() override;

    // Attachment and lifetime. A second attach changes nothing.
    void AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) override;
    void AttachWindow(HWND window, TSkinData* data, TSkinnerHost* formSkinner, tv::TCanvas* canvas) override;
    // Puts back the control's colour when the skinner replaced it.
    void Detach() override;
    // The control's colour follows the new skin; repaint.
    void RefreshSkin() override;
    int State() const override { return state_; }
    tv::TControl* SkinnedControl() const override { return control_.Get(); }
    HWND SkinnedWindow() const override { return Handle; }
    bool Recolors() const override { return Recolor; }
    void SetVariant(int variant) override { Variant = variant; }

    // Messages: true passes the message on to the control (then AfterMessage); false means
    // the filter answered it. The base answers SKM_ISSKINNED and lets go at WM_NCDESTROY.
    virtual bool BeforeMessage(tv::TMessage& m);
    // Repaints after focus, enabling and text changes; WM_PAINT: PaintWindow on wParam's DC.
    virtual void AfterMessage(tv::TMessage& m);
    // The whole window on dc (the window DC when null); failures leave it unpainted.
    virtual void PaintWindow(HDC dc);
    // The picture of the window on dc; rect is the window at origin 0,0. Empty here.
    virtual void DrawSkin(HDC dc, const RECT& rect);
    virtual bool AcceptsSkin() const { return true; }

    // The dispatcher that stands in for the control's window method or procedure.
    void SkinWindowProc(tv::TMessage& m);
    // What the control would have done with m.
    void CallPrevious(tv::TMessage& m);
    // Repaints the control now (PaintControl when set, else the window).
    void InvalidateSkin();
    // The parent control's Color, else def.
    tv::TColor ParentColor(tv::TColor def) const;
    void FillSkinFace(HDC dc, const RECT& r) const;
    void FillParentColor(HDC dc, const RECT& r) const;
    LONG GetLong(HWND window, int index) const;
    // Focus rectangle around Text measured with flags inside rect.
    void DrawFocusFrame(HDC dc, UINT flags, const RECT& rect) const;
    // A swallowed left press handed to the control's own mouse-down reaction.
    void ForwardMouseDown(const tv::TMessage& m);

    // The owner control (framework attachment), or null; cleared when it goes.
    tv::TControl* Control() const { return control_.Get(); }
    // The form skinner that listed this skinner, or null once it is gone.
    TSkinnerHost* FormSkinner() const { return hostAlive_.Get() ? host_ : nullptr; }
    // Its window (SKM_RESKINSCROLLBAR goes there), or null.
    HWND FormWindow() const;

    TSkinMouseState MouseState;
    tv::TCanvas* Canvas = nullptr;  // the form skinner's scratch canvas, borrowed
    bool Enabled = false;
    bool Focused = false;
    std::wstring Text;
    bool Active = true;
    bool Unicode = false;
    TSkinData* SkinData = nullptr;
    HWND Handle = nullptr;
    RECT WindowRect{};
    // Invalidated instead of Handle (a windowless control).
    tv::WeakPtr<tv::TControl> PaintControl;
    bool Recolor = false;
    tv::TColor SavedColor = 0;
    bool Attached = false;
    int Variant = 0;
    std::uint8_t Flag = 0;  // free for descendants

protected:
    // For descendants with their own attach operation: take over control's WindowProc ...
    void HookControl(tv::TControl& control);
    // ... and give it back (only when ours is still the current one).
    void UnhookControl();
    bool ControlHooked() const { return bool(ownWindowMethod_); }
    // Binds the owner control without taking over its messages (skinners that only recolour).
    void BindControl(tv::TControl& control) { control_ = &control; }
    // Joins the form skinner's list; true when it was there already.
    bool RegisterWith(TSkinnerHost* formSkinner);
    void SetAttachedState() {
        Attached = true;
        state_ = kChildAttached;
    }
    void SetWindowGone() { state_ = kChildWindowGone; }

private:
    static LRESULT CALLBACK BareWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The control made its window anew: the new one is skinned as the old one was.
    void ReattachToNewWindow();
    void SubclassWindow();
    void UnsubclassWindow();

    tv::WeakPtr<tv::TControl> control_;
    TSkinnerHost* host_ = nullptr;
    tv::WeakPtr<tv::TComponent> hostAlive_;
    tv::TWndMethod oldWindowMethod_;
    tv::TWndMethod ownWindowMethod_;
    WNDPROC oldWindowProc_ = nullptr;
    bool subclassed_ = false;
    int state_ = kChildCreated;
};

// ---- helpers shared by the families ----------------------------------------------------------

// flags plus DT_RTLREADING when the control reads right to left.
UINT TextFlags(const TSkinControl& skinner, UINT flags);
// WM_PAINT answered by the skinner alone: DrawSkin on wParam's DC or on BeginPaint's.
void PaintOnMessage(TSkinControl& skinner, tv::TMessage& m);
// WM_ERASEBKGND: the parent's background (framework control) or its colour (bare window).
void EraseWithParent(TSkinControl& skinner, tv::TMessage& m);
// Frame frameIndex (from 1) of element's horizontal strip, nine-sliced over rect with the
// element's margins; magenta left out when the element's Trans is 1.
void DrawElementFrame(const TSkinControl& skinner, HDC dc, const RECT& rect, int frameCount, int frameIndex,
                      const TDataSkinObject& element);
// Frame frameIndex of a horizontal strip stretched over rect, magenta left out.
void DrawStripFrame(const TSkinControl& skinner, HDC dc, const RECT& rect, int frameCount, int frameIndex,
                    const raster::Bitmap& strip);
void DrawStripFrame(const TSkinControl& skinner, tv::TCanvas& canvas, const RECT& rect, int frameCount,
                    int frameIndex, const raster::Bitmap& strip);
// A caption in rect: alignment 1 centres it, any other keeps rect's width; disabled text
// is drawn in the button shadow colour.
void DrawCaptionText(const TSkinControl& skinner, tv::TCanvas& canvas, const RECT& rect, UINT alignment,
                     bool enabled, const std::wstring& text);
// An image of imageList (when imageIndex is not -1) followed by text, vertically centred;
// alignment 0 left, 1 centre, 2 right.
void DrawImageAndText(const TSkinControl& skinner, tv::TCanvas& canvas, const RECT& rect, int alignment,
                      const std::wstring& text, int imageIndex, const tv::TCustomImageList* imageList);
// text with the first pattern replaced; unchanged when there is none.
std::wstring ReplaceFirst(const std::wstring& text, const std::wstring& pattern, const std::wstring& replacement);
std::wstring GetWindowTextWide(HWND window);
// WS_POPUP, or the parent is the desktop's message-only stand-in.
bool HasPopupStyle(HWND window);
// target takes source's size and format, then its pixels.
void CopyBitmap(const tv::TBitmap& source, tv::TBitmap& target);
void SendMouseLeave(const TSkinControl& skinner);
// A string property of a framework object as wide text; empty when there is none.
std::wstring GetTextPropWide(const tv::TObject* object, std::string_view name);

}  // namespace skin
