// Menus: items in a tree, main menus of forms and popup menus, built into real HMENUs.
// Every item has a process-wide command number; WM_COMMAND from a menu reaches the
// item's OnClick, and owner-drawn items are measured and drawn by their own events.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/ActnList.h"
#include "framework/Classes.h"
#include "framework/Controls.h"
#include "framework/Graphics.h"
#include "framework/TypInfo.h"
#include "base/Handles.h"

namespace tv {

class TMenu;
class TCustomImageList;

using TMenuDrawItemEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, RECT ARect, bool Selected)>;
using TMenuMeasureItemEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;

class TMenuItem : public TComponent, public TActionClient {
    TV_CLASS(TMenuItem, TComponent)
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    // "-" makes a separator.
    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& v);
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    bool Default() const { return default_; }
    void SetDefault(bool v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    // Shown after the caption, right-aligned ("Ctrl+S"); 0 for none.
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut v);
    int ShortCutValue() const;  // the stored form
    void SetShortCutValue(int v);
    // The item shows the action's caption, state, image and short cut, and runs it when clicked.
    TBasicAction* Action() const { return action_.Get(); }
    void SetAction(TBasicAction* action);
    // Asks the item's action, and those of the items below it, to update themselves.
    void InitiateActions();
    int GroupIndex = 0;
    bool RadioItem = false;
    std::string Hint;
    bool IsLine() const { return caption_ == "-"; }

    int Count() const { return int(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(std::size_t(index)); }
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);
    TMenuItem* Find(std::string_view caption) const;
    // The menu this item belongs to, through its parents.
    TMenu* GetParentMenu() const;

    // The number WM_COMMAND carries for this item.
    UINT Command() const { return command_; }
    // The submenu of an item with children (null otherwise), built on demand.
    HMENU Handle();

    // Runs the action when there is one, else OnClick.
    virtual void Click();
    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

    // The item of a command number, or null.
    static TMenuItem* FromCommand(UINT command);

    void ActionChanged(TBasicAction* action) override;
    void ActionFreed(TBasicAction* action) override;

private:
    friend class TMenu;
    friend class TMainMenu;
    void Changed();
    void AppendTo(HMENU menu, bool ownerDraw);
    void FreeHandle();
    std::string caption_;
    bool checked_ = false, enabled_ = true, visible_ = true, default_ = false;
    int imageIndex_ = -1;
    TShortCut shortCut_ = 0;
    WeakPtr<TBasicAction> action_;
    UINT command_ = 0;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on the root item of a menu
    std::vector<TMenuItem*> items_;
    HMENU handle_ = nullptr;
};

class TMenu : public TComponent {
    TV_CLASS(TMenu, TComponent)
    explicit TMenu(TComponent* owner);
    ~TMenu() override;

    // The invisible root whose children are the menu's items.
    TMenuItem& Items() { return *items_; }
    TMenuItem* ItemsPtr() { return items_.get(); }
    HMENU Handle();
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool v);
    TCustomImageList* Images() const { return images_.Get(); }
    void SetImages(TCustomImageList* images);

    // Finds the item of a WM_COMMAND number in this menu and clicks it; false when none.
    bool DispatchCommand(UINT command);
    // WM_MEASUREITEM / WM_DRAWITEM of an owner-drawn item of any menu; false when not ours.
    static bool MeasureItem(MEASUREITEMSTRUCT& mi);
    static bool DrawItem(const DRAWITEMSTRUCT& di);

    void Notification(TComponent* c, TOperation op) override;

protected:
    virtual HMENU CreateMenuHandle() = 0;
    // The top-level items the handle shows, in order (a main menu adds a merged one's).
    virtual std::vector<TMenuItem*> ShownItems();
    // The menu whose handle shows this one's items: this one, or the one it is merged into.
    virtual TMenu* ShownIn() { return this; }
    // The HMENU is rebuilt at next use. The old one is destroyed only after
    // HandleReplaced, so that a window never holds a destroyed menu.
    void MenuChanged();
    virtual void HandleReplaced() {}

private:
    friend class TMenuItem;
    friend class TMainMenu;
    std::unique_ptr<TMenuItem> items_;
    base::OwnedMenu handle_;
    bool ownerDraw_ = false;
    WeakPtr<TCustomImageList> images_;  // also told by FreeNotification
};

class TMainMenu;

// What shows a main menu (a form's menu bar): told when the menu's handle was
// replaced, and when the menu leaves it (freed, or shown by another host now).
class TMenuHost {
public:
    virtual void MainMenuReplaced(TMainMenu* menu) = 0;
    virtual void MainMenuLeaving(TMainMenu* menu) = 0;

protected:
    ~TMenuHost() = default;
};

// The menu bar of a form (the form's Menu property).
class TMainMenu : public TMenu {
    TV_CLASS(TMainMenu, TMenu)
    using TMenu::TMenu;
    ~TMainMenu() override;

    TMenuHost* Host() const { return host_; }
    // Moves the menu to host (null: none); the previous host is told it left.
    void SetHost(TMenuHost* host);

    // Shows menu's items among this one's, by GroupIndex: an item of menu replaces every
    // item of this menu with the same group index; the others go in by group index
    // order. One menu is merged at a time; Unmerge (or Merge(nullptr)) brings back the
    // menu's own items.
    void Merge(TMainMenu* menu);
    void Unmerge(TMainMenu* menu);
    TMainMenu* Merged() const { return merged_; }
    TMainMenu* MergedInto() const { return mergedInto_; }

protected:
    HMENU CreateMenuHandle() override { return ::CreateMenu(); }
    void HandleReplaced() override;
    std::vector<TMenuItem*> ShownItems() override;
    TMenu* ShownIn() override { return mergedInto_ ? static_cast<TMenu*>(mergedInto_) : this; }

private:
    TMenuHost* host_ = nullptr;
    TMainMenu* merged_ = nullptr;      // the menu merged into this one
    TMainMenu* mergedInto_ = nullptr;  // the menu this one is merged into
};

// The size an owner-drawn item takes when it has no measure handler of its own: its
// caption (and short cut) in the font selected into dc, with room for a check mark.
void DefaultMeasureMenuItem(const TMenuItem& item, HDC dc, int& width, int& height);

// WM_COMMAND of a menu item, WM_MEASUREITEM and WM_DRAWITEM of an owner-drawn one,
// for whichever window owns the menu; false when the message is not a menu's.
bool DispatchMenuMessage(TMessage& m);

// The window that owns popup menus while no window of ours is active (the application's).
void SetPopupMenuOwner(HWND owner);
HWND PopupMenuOwner();

class TPopupMenu : public TMenu, public TPopupSource {
    TV_CLASS(TPopupMenu, TMenu)
    using TMenu::TMenu;
    // A control's right click: PopupComponent is the control, then Popup.
    void PopupFor(TComponent* component, int x, int y) override {
        PopupComponent = component;
        Popup(x, y);
    }
    // Shows the menu at a screen point until the user chooses or cancels; the chosen
    // item's OnClick runs before it returns.
    void Popup(int x, int y);
    TNotifyEvent OnPopup;
    TComponent* PopupComponent = nullptr;

protected:
    HMENU CreateMenuHandle() override { return ::CreatePopupMenu(); }
};

}  // namespace tv
