#include "skin/forms/ToolButtonMenus.h"

#include <algorithm>
#include <vector>

#include "framework/Menus.h"
#include "framework/ToolBars.h"
#include "skin/core/WinSkinData.h"
#include "skin/forms/ChildSkinner.h"
#include "skin/forms/MenuItemPainter.h"

namespace skin {

namespace {

// An item as it was before the skin took over its drawing.
struct SavedItem {
    tv::WeakPtr<tv::TMenuItem> item;
    tv::TMenuDrawItemEvent draw;
    tv::TMenuMeasureItemEvent measure;
};

struct Button {
    tv::WeakPtr<tv::TToolButton> button;
    tv::WeakPtr<tv::TMenuItem> root;  // the MenuItem it had when skinned
};

// An item of an open drop-down made owner-drawn, with the type it had.
struct TypeChange {
    HMENU menu;
    UINT position;
    UINT id;
    UINT type;
};

struct HostState {
    const TSkinnerHost* host = nullptr;
    tv::WeakPtr<TSkinData> data;
    std::vector<Button> buttons;
    std::vector<SavedItem> items;
    std::vector<TypeChange> types;
};

// The form skinners' skinned buttons, on the thread that skins them.
std::vector<HostState>& States() {
    static std::vector<HostState> states;
    return states;
}

HostState* StateOf(const TSkinnerHost& host) {
    for (HostState& s : States())
        if (s.host == &host) return &s;
    return nullptr;
}

bool Saved(const HostState& s, const tv::TMenuItem& item) {
    return std::any_of(s.items.begin(), s.items.end(), [&](const SavedItem& i) { return i.item.Get() == &item; });
}

// The item and those below it not yet taken get the skin's handlers; their own are kept.
void TakeItems(HostState& s, TSkinData& data, tv::TMenuItem& item) {
    if (!Saved(s, item)) {
        s.items.push_back({tv::WeakPtr<tv::TMenuItem>(&item), item.OnDrawItem, item.OnMeasureItem});
        item.OnDrawItem = SkinDrawHandler(data);
        item.OnMeasureItem = SkinMeasureHandler(data, false);
    }
    for (int i = 0; i < item.Count(); ++i) TakeItems(s, data, *item.Items(i));
}

void GiveTypesBack(HostState& s) {
    for (auto it = s.types.rbegin(); it != s.types.rend(); ++it) {
        if (!::IsMenu(it->menu)) continue;
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_ID | MIIM_FTYPE;
        // Only the very item we changed: the menu may have been made anew meanwhile.
        if (!::GetMenuItemInfoW(it->menu, it->position, TRUE, &mii) || mii.wID != it->id) continue;
        MENUITEMINFOW set{};
        set.cbSize = sizeof set;
        set.fMask = MIIM_FTYPE;
        set.fType = it->type;
        ::SetMenuItemInfoW(it->menu, it->position, TRUE, &set);
    }
    s.types.clear();
}

// The framework item whose sub-items menu shows: the parent of its first item; null for a
// menu that is not the framework's.
tv::TMenuItem* ShownParent(HMENU menu) {
    if (!menu || ::GetMenuItemCount(menu) <= 0) return nullptr;
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID | MIIM_DATA;
    if (!::GetMenuItemInfoW(menu, 0, TRUE, &mii)) return nullptr;
    tv::TMenuItem* item = tv::TMenuItem::FromCommand(mii.wID);
    if (!item || reinterpret_cast<ULONG_PTR>(item) != mii.dwItemData) return nullptr;
    return item->Parent();
}

bool Below(const tv::TMenuItem* item, const tv::TMenuItem* root) {
    for (; item; item = item->Parent())
        if (item == root) return true;
    return false;
}

}  // namespace

void SkinToolButtonMenu(TSkinnerHost& host, TSkinData& data, tv::TToolButton& button) {
    tv::TMenuItem* root = button.MenuItem();
    HostState* s = StateOf(host);
    if (!s) {
        States().push_back(HostState{&host, tv::WeakPtr<TSkinData>(&data), {}, {}, {}});
        s = &States().back();
    }
    for (const Button& e : s->buttons)
        if (e.button.Get() == &button && e.root.Get() == root) return;
    // Noted even without an item: one given to it later is drawn by the skin too.
    s->buttons.push_back({tv::WeakPtr<tv::TToolButton>(&button), tv::WeakPtr<tv::TMenuItem>(root)});
    if (root) TakeItems(*s, data, *root);
}

bool PrepareToolButtonPopup(TSkinnerHost& host, HMENU menu) {
    HostState* s = StateOf(host);
    TSkinData* data = s ? s->data.Get() : nullptr;
    if (!data) return false;
    tv::TMenuItem* shown = ShownParent(menu);
    if (!shown) return false;
    // A button given another MenuItem since it was skinned has that one's items drawn too.
    for (std::size_t i = 0; i < s->buttons.size(); ++i) {
        tv::TToolButton* b = s->buttons[i].button.Get();
        tv::TMenuItem* now = b ? b->MenuItem() : nullptr;
        if (now && std::none_of(s->buttons.begin(), s->buttons.end(), [&](const Button& e) { return e.root.Get() == now; }))
            s->buttons.push_back({tv::WeakPtr<tv::TToolButton>(b), tv::WeakPtr<tv::TMenuItem>(now)});
    }
    tv::TMenuItem* root = nullptr;
    for (const Button& e : s->buttons)
        if (tv::TMenuItem* r = e.root.Get(); r && e.button.Get() && Below(shown, r)) root = r;
    if (!root) return false;
    // Items added after skinning are drawn like the others.
    TakeItems(*s, *data, *root);
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_ID | MIIM_FTYPE;
        if (!::GetMenuItemInfoW(menu, UINT(i), TRUE, &mii) || (mii.fType & MFT_OWNERDRAW)) continue;
        s->types.push_back({menu, UINT(i), mii.wID, mii.fType});
        MENUITEMINFOW set{};
        set.cbSize = sizeof set;
        set.fMask = MIIM_FTYPE;
        set.fType = mii.fType | MFT_OWNERDRAW;
        ::SetMenuItemInfoW(menu, UINT(i), TRUE, &set);
    }
    return true;
}

void EndToolButtonPopups(TSkinnerHost& host) {
    if (HostState* s = StateOf(host)) GiveTypesBack(*s);
}

void RemoveToolButtonMenus(TSkinnerHost& host) {
    auto& states = States();
    auto it = std::find_if(states.begin(), states.end(), [&](const HostState& s) { return s.host == &host; });
    if (it == states.end()) return;
    HostState s = std::move(*it);
    states.erase(it);
    GiveTypesBack(s);
    // Last taken first; a handler the program put there meanwhile stays.
    for (auto i = s.items.rbegin(); i != s.items.rend(); ++i) {
        tv::TMenuItem* item = i->item.Get();
        if (!item) continue;
        if (IsSkinDrawHandler(item->OnDrawItem)) item->OnDrawItem = std::move(i->draw);
        if (IsSkinMeasureHandler(item->OnMeasureItem)) item->OnMeasureItem = std::move(i->measure);
    }
}

bool HasToolButtonMenu(const TSkinnerHost& host, const tv::TToolButton& button) {
    const HostState* s = nullptr;
    for (const HostState& state : States())
        if (state.host == &host) s = &state;
    return s && std::any_of(s->buttons.begin(), s->buttons.end(), [&](const Button& e) {
               return e.button.Get() == &button && e.root.Get() && e.root.Get() == button.MenuItem();
           });
}

}  // namespace skin
