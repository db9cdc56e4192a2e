// Which control skinner each child control of a skinned window gets.
//
// A framework form is walked by its objects and decided by class (inheritance, then class
// names of other libraries); a bare window (a system dialog) by its child windows, decided
// by window class and style. The skin container steers it: SkinControls switches kinds,
// a control whose Tag is DisableTag is left alone, Skin3rd maps further class names to
// kinds, and OnSkinControl may hand over a skinner of the host's own.
//
// Skinners are asked for by class name (ChildSkinner.h); a kind whose skinner is not
// registered leaves its controls with their own look.
#pragma once

#include <windows.h>

#include <string>

namespace tv {
class TComponent;
class TControl;
class TWinControl;
}  // namespace tv

namespace skin {

class TSkinnerHost;

// The owned controls of the form, then its windowed controls in tab order not yet skinned.
void SkinFormControls(TSkinnerHost& formSkinner, tv::TWinControl& form);
// Every control that container owns.
void SkinComponents(TSkinnerHost& formSkinner, tv::TComponent& container);
// Every child control of control.
void SkinChildren(TSkinnerHost& formSkinner, tv::TControl& control);
// Classifies one framework control placed in container and attaches its skinner.
void SkinControl(TSkinnerHost& formSkinner, tv::TControl& control, tv::TControl* container);
// The Skin3rd step for a class name in upper case; true when a mapping line decided.
bool SkinByMapping(TSkinnerHost& formSkinner, const std::string& upperClass, tv::TControl& control);
// Every direct child window of window that has WS_CHILD.
void SkinChildWindows(TSkinnerHost& formSkinner, HWND window);
// Classifies one bare child window and attaches its skinner.
void SkinChildWindow(TSkinnerHost& formSkinner, HWND window);

}  // namespace skin
