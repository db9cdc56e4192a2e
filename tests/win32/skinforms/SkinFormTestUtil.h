// Shared by the form skinner tests: our packed skins, framework forms and system dialogs
// to skin, the screen read back, real mouse input.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Framework.h"
#include "raster/Bitmap.h"
#include "skin/core/WinSkinData.h"
#include "skin/forms/WinSkinForm.h"

namespace skintest {

inline const char* const kSkinNames[] = {"daylight", "midnight", "slate"};

// A container holding one of our packed skins (loaded, not active: no manager involved).
std::unique_ptr<skin::TSkinData> LoadPackedSkin(const std::string& name);

bool PumpUntil(const std::function<bool()>& pred, int milliseconds = 2000);
void Pump(int milliseconds = 50);

// A sizeable framework form, shown and in front.
tv::TForm* MakeForm(const std::string& caption, int clientWidth = 360, int clientHeight = 220,
                    tv::TFormBorderStyle border = tv::TFormBorderStyle::bsSizeable);
// A system dialog (window class "#32770") with one OK button, shown and in front; OK and
// closing destroy it.
HWND MakeDialog(const std::wstring& caption);

// Attaches and completes the set-up as the manager's posted message would.
void Activate(skin::TWinSkinForm& skinner);

RECT WindowRectOf(HWND wnd);
RECT ClientRectOf(HWND wnd);
SIZE SizeOf(const RECT& r);
// What the screen shows at r.
raster::Bitmap CaptureScreen(const RECT& r);
// Writes a PNG into the test's working folder; answers its name.
// Where screenshots for people go: build/screenshots of the source tree.
std::string ScreenshotPath(const std::string& file);
std::string SavePng(const raster::Bitmap& image, const std::string& name);

// Real input: the pointer moved to p (screen), then a left click there.
void MoveMouseTo(POINT p);
void ClickAt(POINT p);
// A button event (MOUSEEVENTF_LEFTDOWN, ...) where MoveMouseTo last put the pointer.
void MouseButton(DWORD flags);
// The left button pressed at the first point, held through the others, let go at the last.
void DragThrough(const std::vector<POINT>& path);
// A click at p, and one more should done not come true: under Wine a pointer event now
// and then still carries the pointer's previous place, so a click can land where it was.
bool ClickUntil(POINT p, const std::function<bool()>& done);

// The visible drop-down ("#32768") of this process, or null.
HWND VisiblePopup();
// What form makes of the character a control hands it with Alt held (this thread's key state).
LRESULT AltLetter(tv::TWinControl& form, wchar_t letter);

// HT code the window answers at a window-relative point.
int HitAt(HWND wnd, int x, int y);

}  // namespace skintest

namespace skintest {
// Runs xdotool (outside Wine, on our X display) with args while this thread handles
// messages, so that a drag can enter and leave the system's move and size loops. False
// when it could not be started.
bool RunXdotool(const std::wstring& args, int milliseconds = 2500);
}  // namespace skintest
