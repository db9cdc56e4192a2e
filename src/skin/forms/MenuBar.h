// The skinned menu bar: a skinned window shows no system menu bar; its items are drawn in
// the band under the caption from the skin, follow the mouse like caption buttons, and
// open their drop-downs with TrackPopupMenu, moving between bar items by mouse and arrow
// keys while one is open.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Menus.h"
#include "raster/Bitmap.h"
#include "skin/forms/CaptionButtons.h"

namespace skin {

class TSkinData;
class TWinSkinMenu;

// One top-level item of the bar.
class TMenuBtn : public TNCObject {
public:
    TMenuBtn(TNCHost& form, TWinSkinMenu& bar) : TNCObject(form), Bar(bar) {}
    void Paint() override;

    TWinSkinMenu& Bar;
    tv::TMenuItem* MenuItem = nullptr;
    int Index = 0;
    std::wstring Caption;
    bool ItemEnabled = true;
    HMENU SubMenu = nullptr;
    UINT Command = 0;
};

class TWinSkinMenu {
public:
    TWinSkinMenu(TNCHost& form, TSkinData* data);
    ~TWinSkinMenu();
    TWinSkinMenu(const TWinSkinMenu&) = delete;
    TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

    // Takes the items of the window's menu (and of the framework's main menu, which
    // gives captions, state and actions), then takes the menu off the window.
    void LoadItems(HMENU menu, tv::TMainMenu* framework);
    // The menu the window had, given back on unskinning.
    HMENU MenuHandle() const { return menu_; }
    void SetSkinData(TSkinData* data) { data_ = data; }

    // Draws the band into image (at band, window coordinates); dc has image selected.
    void PaintBar(raster::Bitmap& image, HDC dc, const RECT& band, bool active);
    // Item bounds for band without drawing.
    void LayoutItems(const RECT& band);
    // Redraws one item on the window from the saved band background.
    void PaintItem(const TMenuBtn& item);

    TMenuBtn* MenuItemAt(POINT p) const;
    // The enabled, visible item whose caption has accelerator c, or null.
    TMenuBtn* FindAccelItem(wchar_t c) const;
    TMenuBtn* Item(int index) const;
    int ItemCount() const { return int(items_.size()); }

    // Posts the item's command; with a sub-menu, shows it under the item until it closes
    // (returns true), following the mouse and arrow keys to other bar items.
    bool OpenMenuItem(TMenuBtn* item);
    // A bar drop-down is being tracked.
    static bool Tracking();
    // WM_MENUSELECT of the window while a drop-down is open: which item is highlighted.
    static void MenuSelected(WPARAM wParam, LPARAM lParam);
    // The drop-down of the bar being tracked, or null.
    static HMENU TrackedMenu();

    TNCHost& Form;

private:
    void DrawCaption(HDC dc, const TMenuBtn& item, const RECT& cell) const;
    int FirstItemX(int bandWidth) const;
    // Places the items from x on; returns nothing, bounds in window coordinates.
    void Place(HDC dc, const RECT& band);
    static LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam);
    bool FilterMessage(MSG& msg);
    void SwitchTo(TMenuBtn* target);

    TSkinData* data_ = nullptr;
    HMENU menu_ = nullptr;
    tv::TMainMenu* framework_ = nullptr;
    std::vector<std::unique_ptr<TMenuBtn>> items_;
    raster::Bitmap background_;  // the band without its captions, for single items
    RECT band_{};
};

}  // namespace skin
