// Shared by the control skinner tests: a skinned framework form or system dialog with
// its form skinner, the skinners the classification asked for, and which frame of the
// skin's button strip a window shows on the screen.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "SkinFormTestUtil.h"
#include "skin/forms/ChildSkinner.h"

namespace skintest {

// Every skinner the classification asks for while it lives, made or not.
class RequestLog {
public:
    RequestLog();
    ~RequestLog();
    RequestLog(const RequestLog&) = delete;
    RequestLog& operator=(const RequestLog&) = delete;
    const std::vector<skin::TSkinnerRequest>& All() const { return requests_; }
    // The skinner class names asked for window (or for control when window is null).
    std::vector<std::string> For(HWND window) const;
    std::vector<std::string> For(const tv::TControl* control) const;

private:
    std::vector<skin::TSkinnerRequest> requests_;
};

// The control skinners registered once for the whole program.
void InstallControlsOnce();

struct DialogItem {
    DWORD style;
    short x, y, cx, cy;
    WORD id;
    std::wstring text;
};
// A system dialog of buttons (window class "#32770"), shown and in front. Every
// WM_COMMAND it receives is counted by control id; it is not closed by its buttons.
HWND MakeButtonDialog(const std::wstring& caption, const std::vector<DialogItem>& items);
int CommandCount(HWND dialog, WORD id);

// The frame (1..5) of the skin's "Buttons" strip that window shows on the screen, judged by
// the element's edges (the caption is left out); 0 when none matches well.
int ShownButtonFrame(HWND window, const skin::TSkinData& data);
// The same for a part of the screen (a windowless button).
int ShownButtonFrameAt(const RECT& screen, const skin::TSkinData& data);

// Colours: every channel within tolerance; the sum of the channel differences; the colour
// most pixels of image show.
bool Near(raster::Color a, raster::Color b, int tolerance);
int ColourDistance(raster::Color a, raster::Color b);
raster::Color MostCommonColour(const raster::Bitmap& image);

// Real keys to the focused window.
void PressKey(WORD vk, bool down);

}  // namespace skintest
