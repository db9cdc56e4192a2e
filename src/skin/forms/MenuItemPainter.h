// Menu items in the skin's look: the item strip over the popup's own background (so that
// items and the window they sit in match), separators, check marks, images, captions and
// short cuts in the skin's menu colours. Used for the items of framework popup menus, of
// the skinned system menu and of the drop-downs of a skinned menu bar.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Menus.h"
#include "raster/Bitmap.h"

namespace skin {

class TSkinData;

// What one item shows, from a framework item or from a bare menu handle.
struct MenuItemLook {
    std::wstring caption;   // "-" for a separator
    std::wstring shortCut;  // right-aligned, may be empty
    bool enabled = true, checked = false, isDefault = false;
    bool hasSubMenu = false;  // the item draws its own arrow; the system's is kept off
    int imageIndex = -1;
    tv::TCustomImageList* images = nullptr;
    bool IsLine() const { return caption == L"-"; }
};

// The system's menu font, bold for a default item; empty when the system gives none.
tv::OwnedFont MenuFont(bool bold = false);

MenuItemLook LookOf(const tv::TMenuItem& item);
// The item at position of a menu handle (its text, state and check).
MenuItemLook LookOf(HMENU menu, UINT position);

// Draws the item over r of dc. background is the popup window's background (the item
// takes the part under it, 3 pixels in from the window's corner); null gives the skin's
// menu colour.
void DrawMenuItem(const TSkinData& data, HDC dc, const RECT& r, bool selected, const MenuItemLook& look,
                  const raster::Bitmap* background);

// What an item needs beyond its plain measure: room for the skin's item edge and the glyph
// column; the system menu's items a little more.
void AddSkinItemMargins(const TSkinData& data, const MenuItemLook& look, bool systemItem, int& width);
// The size of an item known only by its menu handle, in the menu font.
SIZE MeasureMenuHandleItem(const TSkinData& data, HMENU menu, UINT position);

// The framework item's parent menu handle; the skin manager hands out the background of
// the popup showing it.
const raster::Bitmap* PopupBackgroundFor(HMENU menu);

// Switches the popup menus among owner's components (and those of its frames and forms
// inside) to drawing by the skin, or back. Main menus' drop-down items too with xcMenuItem.
void SetOwnerDrawMenus(TSkinData& data, tv::TComponent& owner, bool on);
// Gives one framework menu item and those below it the skin's draw and measure handlers.
void SkinMenuItems(TSkinData& data, tv::TMenuItem& item, bool systemMeasure);
// The skin's handlers for one item, named so that they are told apart from a program's own.
tv::TMenuDrawItemEvent SkinDrawHandler(TSkinData& data);
tv::TMenuMeasureItemEvent SkinMeasureHandler(TSkinData& data, bool systemMeasure);
bool IsSkinDrawHandler(const tv::TMenuDrawItemEvent& handler);
bool IsSkinMeasureHandler(const tv::TMenuMeasureItemEvent& handler);

}  // namespace skin
