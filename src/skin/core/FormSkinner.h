// What the skin manager knows of a form skinner. The form skinner itself (TWinSkinForm)
// lives above the manager, in skin/forms, and makes itself known through
// SetFormSkinnerFactory; the manager creates, registers, commands and frees them
// through this interface only.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/Classes.h"

namespace tv {
class TWinControl;
}

namespace skin {

// Asked of a window before it is skinned; a skinned one answers 1.
inline constexpr UINT SKM_ISSKINNED = 0x3523;

class TSkinData;

// SkinState of a form skinner.
enum : int {
    kSkinAttached = 0,      // attached, not yet activated
    kSkinSkinned = 1,
    kSkinReapplying = 3,    // re-applying after a skin change
    kSkinDetaching = 4,
    kSkinResizing = 5,      // resizing during activation
    kSkinWindowGone = 6,    // the window was destroyed; the manager frees it at its next purge
};

// MDIKind of a form skinner.
enum : int { kMdiNone = 0, kMdiFrame = 1, kMdiChild = 2 };

// ShowState of a form skinner.
enum : int { kShowNormal = 0, kShowMaximized = 1, kShowMinimized = 2 };

class TFormSkinner : public tv::TComponent {
    TV_CLASS(TFormSkinner, tv::TComponent)
    using TComponent::TComponent;
    // Leaves the manager's registry, however it is freed (by the manager, or with its form).
    ~TFormSkinner() override;

    // The skinned window.
    virtual HWND Handle() const = 0;
    // Takes over a window that belongs to a framework control (a form, usually) ...
    virtual void AttachForm(TSkinData* data, tv::TWinControl* form) = 0;
    // ... or a bare window (a system dialog).
    virtual void AttachWindow(TSkinData* data) = 0;
    // Gives the window back its own frame and procedure; the skinner is freed after.
    virtual void Unskin() = 0;
    // The manager goes: let go of the window without repainting it.
    virtual void DetachOnDestroy() = 0;
    // The container's skin changed: re-read it and repaint.
    virtual void SkinChanged() = 0;
    virtual void ComputeFrameMetrics() = 0;
    virtual void FreeCaptionButtons() = 0;
    virtual void ClearRegion() = 0;
    virtual void UpdateRegion() = 0;
    // The frame's size changed (SetWindowPos with SWP_FRAMECHANGED).
    virtual void FrameChanged() = 0;
    // Repaints the whole window, frame and client.
    virtual void InvalidateWindow() = 0;
    // A child window (a size grip) gets a control skinner.
    virtual void AttachChildSkinner(HWND child) = 0;

    virtual TSkinData* SkinData() const = 0;
    virtual int SkinState() const = 0;
    virtual int MDIKind() const = 0;
    virtual int ShowState() const = 0;
    virtual void SetShowState(int state) = 0;
    virtual bool SkinFrame() const = 0;

    // Supplied by the manager when it creates the skinner.
    int ManagerId = 0;
    std::string WindowClassName;
};

// Makes a form skinner for window (class name windowClass), owned by owner (the
// window's framework control, or none).
using TFormSkinnerFactory = std::function<TFormSkinner*(tv::TComponent* owner, HWND window, const std::string& windowClass)>;
void SetFormSkinnerFactory(TFormSkinnerFactory factory);
const TFormSkinnerFactory& FormSkinnerFactory();

}  // namespace skin
