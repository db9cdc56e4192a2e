// Shared by the scroll bar tests: list boxes to scroll, the bar as the system reports it,
// and the colours a skin's strip cells hold.
#pragma once

#include <windows.h>

#include <set>
#include <string>

#include "framework/Framework.h"
#include "raster/Bitmap.h"
#include "skin/core/WinSkinData.h"

namespace skintest {

// Loads our packed skin name into a container that already holds one (a skin change).
bool ReloadSkin(skin::TSkinData& data, const std::string& name);

// A list box of count numbered rows on form at (left, top), width x height.
tv::TListBox* MakeList(tv::TForm& form, int count, int left = 20, int top = 20, int width = 180, int height = 200);
void FillList(tv::TListBox& list, int count);

// The system's report of a built-in bar; rcScrollBar empty when there is none.
SCROLLBARINFO BarInfo(HWND wnd, LONG objectId = OBJID_VSCROLL);
bool BarVisible(HWND wnd, LONG objectId = OBJID_VSCROLL);
int TopIndex(HWND list);

// A left click whose press and release are both queued before anything handles them: a
// press on a scroll bar enters the system's tracking loop, which must find the release.
void ClickQueued(POINT p);

// Distinct colours (0xBBGGRR) of a bitmap's part, magenta left out.
std::set<raster::Color> ColoursIn(const raster::Bitmap& image, const RECT& part);
// Distinct colours of frame (1-based) of a strip of count frames side by side.
std::set<raster::Color> CellColours(const raster::Bitmap& strip, int count, int frame);
// The colour at the centre of a strip's frame.
raster::Color CellCentre(const raster::Bitmap& strip, int count, int frame);
bool Within(const std::set<raster::Color>& part, const std::set<raster::Color>& allowed);

// Child windows of parent (at any depth) with that window class, counted.
int CountChildren(HWND parent, const wchar_t* className);

}  // namespace skintest
