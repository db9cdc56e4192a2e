// What the form skinner knows of a control skinner, and where it gets one.
//
// The control skinners live above the form skinner (skin/controls); they make themselves
// known by class name ("TSkinButton", "TSkinScrollbar", ...) through RegisterChildSkinner.
// The classification asks for a skinner by that name and attaches it; a name nobody
// registered yields none, and the control keeps its own look.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "framework/Classes.h"

namespace tv {
class TCanvas;
class TControl;
class TWinControl;
}  // namespace tv

namespace skin {

class TChildSkinner;
class TSkinData;

// What a control skinner and the classification need of the form skinner that lists the
// skinners of one window (TWinSkinForm).
class TSkinnerHost {
public:
    virtual ~TSkinnerHost() = default;
    // The skinned top-level window.
    virtual HWND Handle() const = 0;
    virtual TSkinData* SkinData() const = 0;
    // The frame is skinned too (not only the controls).
    virtual bool SkinFrame() const = 0;
    // The framework form of the window, or null for a bare window.
    virtual tv::TWinControl* Form() const = 0;
    // The object itself: owner of bare windows' skinners, and what watches it go.
    virtual tv::TComponent* HostComponent() = 0;
    // True when skinner was already listed; otherwise it is appended.
    virtual bool RegisterSkinner(TChildSkinner* skinner) = 0;
    virtual void UnregisterSkinner(TChildSkinner* skinner) = 0;
    // The listed skinner of that window, or null.
    virtual TChildSkinner* FindSkinner(HWND window) const = 0;
    // The control answers SKM_ISSKINNED with 1, or a listed skinner has it as its control.
    virtual bool IsSkinnedControl(tv::TControl* control) const = 0;
    virtual int SkinnerCount() const = 0;
    virtual TChildSkinner* Skinners(int index) const = 0;
    // Frees the listed skinners whose windows are gone.
    virtual void FreeDeadSkinners() = 0;
    // Lent to the control skinners for one drawing at a time.
    virtual tv::TCanvas& ScratchCanvas() = 0;
};

// Lifecycle of a control skinner.
enum : int { kChildCreated = 0, kChildAttached = 1, kChildWindowGone = 6 };

class TChildSkinner : public tv::TComponent {
    TV_CLASS(TChildSkinner, tv::TComponent)
    using TComponent::TComponent;

    // To the owner control (a framework control).
    virtual void AttachControl(TSkinnerHost* formSkinner, TSkinData* data, bool recolor, tv::TCanvas* canvas) = 0;
    // To a bare window (no framework object, or one reached through its handle only).
    virtual void AttachWindow(HWND window, TSkinData* data, TSkinnerHost* formSkinner, tv::TCanvas* canvas) = 0;
    // The class's own attach operation where it has one (scroll bars, speed buttons);
    // else AttachControl without recolouring.
    virtual void AttachSpecial(tv::TControl* control, TSkinData* data, TSkinnerHost* formSkinner,
                               tv::TCanvas* canvas) {
        (void)control;
        AttachControl(formSkinner, data, false, canvas);
    }
    // Undoes what attaching changed on the control (its colour); the skinner is freed after.
    virtual void Detach() = 0;
    // The skin changed.
    virtual void RefreshSkin() = 0;

    virtual int State() const = 0;
    // The framework control skinned, or null for a bare window.
    virtual tv::TControl* SkinnedControl() const = 0;
    // The window skinned (null for a windowless control).
    virtual HWND SkinnedWindow() const = 0;
    // Whether the skinner replaced the control's colour.
    virtual bool Recolors() const = 0;
    // Descendant-specific switch (tab variant, scroll bar without border, ...).
    virtual void SetVariant(int variant) = 0;
    // The published graphic property that replaces Glyph (glyph buttons only).
    virtual void SetGraphicProperty(const std::string&) {}
};

// Makes a skinner owned by owner (the control, or the form skinner for a bare window).
using TChildSkinnerCreator = std::function<TChildSkinner*(tv::TComponent* owner)>;
void RegisterChildSkinner(const std::string& skinnerClass, TChildSkinnerCreator creator);
void UnregisterChildSkinners();
// Null when no creator has that name.
TChildSkinner* CreateChildSkinner(const std::string& skinnerClass, tv::TComponent* owner);
bool HasChildSkinner(const std::string& skinnerClass);

// Told of every skinner the classification asks for, made or not (tests watch it).
struct TSkinnerRequest {
    std::string skinnerClass;
    tv::TControl* control = nullptr;  // the framework control, or null
    HWND window = nullptr;            // the window to attach to
    int variant = 0;
};
using TSkinnerRequestObserver = std::function<void(const TSkinnerRequest&)>;
void SetSkinnerRequestObserver(TSkinnerRequestObserver observer);
const TSkinnerRequestObserver& SkinnerRequestObserver();

}  // namespace skin
