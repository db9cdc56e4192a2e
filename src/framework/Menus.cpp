#include "framework/Menus.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "framework/Controls.h"
#include "framework/ImgList.h"
#include "framework/MessageCrackers.h"
#include "base/Text.h"

namespace tv {

namespace {
// Command numbers of living items; never freed (items may go at static destruction).
std::map<UINT, TMenuItem*>& Commands() {
    static auto* commands = new std::map<UINT, TMenuItem*>;
    return *commands;
}

// Above this the system has its own: 0xF000 on are system commands (a skinned system menu
// sends them as WM_COMMAND), 0xFF00 on the children an MDI frame lists in its window menu.
constexpr UINT kLastCommand = 0xEFFF;

UINT NewCommand(TMenuItem* item) {
    static UINT next = 1;
    auto& commands = Commands();
    for (UINT tries = 0; tries < kLastCommand; ++tries) {
        UINT c = next;
        next = next >= kLastCommand ? 1 : next + 1;
        if (!commands.count(c)) {
            commands[c] = item;
            return c;
        }
    }
    throw Exception("Out of menu command numbers");
}
}  // namespace

// ---- items ----

const TClassInfo& TMenuItem::StaticClass() {
    static const TClassInfo info = DescribeClass<TMenuItem>("TMenuItem")
                                       .Str("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
                                       .Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
                                       .Default(0)
                                       .Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault)
                                       .Default(0)
                                       .Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
                                       .Default(1)
                                       .Int("GroupIndex", &TMenuItem::GroupIndex)
                                       .Default(0)
                                       .Str("Hint", &TMenuItem::Hint)
                                       .Int("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
                                       .Default(-1)
                                       .Obj<TBasicAction>("Action", &TMenuItem::Action, &TMenuItem::SetAction)
                                       .Int("ShortCut", &TMenuItem::ShortCutValue, &TMenuItem::SetShortCutValue)
                                       .Default(0)
                                       .Bool("RadioItem", &TMenuItem::RadioItem)
                                       .Default(0)
                                       .Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
                                       .Default(1)
                                       .Event("OnClick", &TMenuItem::OnClick)
                                       .Event("OnDrawItem", &TMenuItem::OnDrawItem)
                                       .Event("OnMeasureItem", &TMenuItem::OnMeasureItem)
                                       .Done();
    return info;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NewCommand(this)) {}

TMenuItem::~TMenuItem() {
    if (TBasicAction* a = action_.Get()) a->UnregisterClient(this);
    while (!items_.empty()) delete items_.back();  // a sub-item goes with its item
    if (parent_) parent_->Remove(this);
    Commands().erase(command_);
}

TMenuItem* TMenuItem::FromCommand(UINT command) {
    auto it = Commands().find(command);
    return it == Commands().end() ? nullptr : it->second;
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* i = this;
    while (i->parent_) i = i->parent_;
    return i->menu_;
}

void TMenuItem::Changed() {
    if (TMenu* m = GetParentMenu()) m->MenuChanged();
}

void TMenuItem::SetCaption(const std::string& v) {
    if (v == caption_) return;
    caption_ = v;
    Changed();
}

void TMenuItem::SetChecked(bool v) {
    if (v == checked_) return;
    checked_ = v;
    Changed();
}

void TMenuItem::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    Changed();
}

void TMenuItem::SetVisible(bool v) {
    if (v == visible_) return;
    visible_ = v;
    Changed();
}

void TMenuItem::SetDefault(bool v) {
    if (v == default_) return;
    default_ = v;
    Changed();
}

void TMenuItem::SetImageIndex(int v) {
    if (v == imageIndex_) return;
    imageIndex_ = v;
    Changed();
}

void TMenuItem::SetShortCut(TShortCut v) {
    if (v == shortCut_) return;
    shortCut_ = v;
    Changed();
}

int TMenuItem::ShortCutValue() const { return shortCut_; }

void TMenuItem::SetShortCutValue(int v) {
    if (v < 0 || v > 0xFFFF) throw EPropertyError("ShortCut out of range: " + std::to_string(v));
    SetShortCut(TShortCut(v));
}

void TMenuItem::SetAction(TBasicAction* action) {
    if (action_.Get() == action) return;
    if (TBasicAction* old = action_.Get()) old->UnregisterClient(this);
    action_ = action;
    if (action) {
        action->RegisterClient(this);
        ActionChanged(action);
    }
}

void TMenuItem::ActionChanged(TBasicAction* action) {
    auto* a = dynamic_cast<TAction*>(action);
    if (!a || a != action_.Get()) return;
    const auto before = std::tie(caption_, checked_, enabled_, visible_, imageIndex_, shortCut_);
    const auto old = std::make_tuple(caption_, checked_, enabled_, visible_, imageIndex_, shortCut_);
    caption_ = a->Caption();
    checked_ = a->Checked();
    enabled_ = a->Enabled();
    visible_ = a->Visible();
    imageIndex_ = a->ImageIndex();
    shortCut_ = TShortCut(a->ShortCutValue());
    // Only a real change rebuilds the menu (an update runs before every popup).
    if (before != old) Changed();
}

void TMenuItem::ActionFreed(TBasicAction* action) {
    if (action_.Get() == action || !action_) action_.Reset();
}

void TMenuItem::InitiateActions() {
    if (TBasicAction* a = action_.Get()) a->Update();
    for (TMenuItem* i : items_) i->InitiateActions();
}

int TMenuItem::MenuIndex() const {
    if (!parent_) return -1;
    auto& list = parent_->items_;
    return int(std::find(list.begin(), list.end(), this) - list.begin());
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item || item == this) return;
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (p == item) throw Exception("A menu item cannot hold itself");
    if (item->parent_) item->parent_->Remove(item);
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    Changed();
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
    item->FreeHandle();  // its submenu belonged to the menu's HMENU, which goes now
    Changed();
}

TMenuItem* TMenuItem::Find(std::string_view caption) const {
    auto strip = [](std::string s) {
        s.erase(std::remove(s.begin(), s.end(), '&'), s.end());
        return s;
    };
    for (TMenuItem* i : items_)
        if (SameText(strip(i->caption_), strip(std::string(caption)))) return i;
    return nullptr;
}

HMENU TMenuItem::Handle() {
    if (TMenu* m = GetParentMenu()) m->ShownIn()->Handle();
    return handle_;
}

void TMenuItem::Click() {
    if (TBasicAction* a = action_.Get(); a && !OnClick) {
        a->Execute();
        return;
    }
    if (OnClick) OnClick(this);
}

TComponent* TMenuItem::GetParentComponent() const {
    if (!parent_) return nullptr;
    if (parent_->menu_) return parent_->menu_;
    return parent_;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (auto* item = dynamic_cast<TMenuItem*>(parent))
        item->Add(this);
    else if (auto* menu = dynamic_cast<TMenu*>(parent))
        menu->Items().Add(this);
}

void TMenuItem::FreeHandle() {
    handle_ = nullptr;
    for (TMenuItem* i : items_) i->FreeHandle();
}

void TMenuItem::AppendTo(HMENU menu, bool ownerDraw) {
    handle_ = nullptr;
    if (!visible_) {
        for (TMenuItem* i : items_) i->FreeHandle();
        return;
    }
    // Owned here until the menu holds it: a sub-item that fails leaks nothing.
    base::OwnedMenu submenu;
    if (!items_.empty()) {
        submenu.Reset(::CreatePopupMenu());
        if (!submenu) throw Exception("Cannot create a submenu");
        for (TMenuItem* i : items_) i->AppendTo(submenu.Get(), ownerDraw);
    }
    std::wstring text = text::Widen(caption_);
    // Drawn by the system, the short cut follows a tab, right-aligned in its column.
    if (shortCut_ && !ownerDraw) text += L"\t" + text::Widen(ShortCutToText(shortCut_));
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
    // An owner-drawn menu draws its separators too: the system's own would show its
    // colours in the middle of the owner's.
    mii.fType = IsLine() ? (MFT_SEPARATOR | (ownerDraw ? MFT_OWNERDRAW : 0)) : (ownerDraw ? MFT_OWNERDRAW : MFT_STRING);
    if (RadioItem) mii.fType |= MFT_RADIOCHECK;
    mii.fState = (checked_ ? MFS_CHECKED : 0) | (enabled_ ? 0 : MFS_GRAYED) | (default_ ? MFS_DEFAULT : 0);
    mii.wID = command_;
    mii.hSubMenu = submenu.Get();
    mii.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    mii.dwTypeData = text.data();
    mii.cch = UINT(text.size());
    if (!::InsertMenuItemW(menu, UINT(::GetMenuItemCount(menu)), TRUE, &mii)) {
        for (TMenuItem* i : items_) i->FreeHandle();
        throw Exception("Cannot add the menu item " + caption_);
    }
    handle_ = submenu.Release();  // destroyed with the menu that holds it
}

// ---- menus ----

const TClassInfo& TMenu::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TMenu>("TMenu")
            .Obj<TCustomImageList>("Images", &TMenu::Images, &TMenu::SetImages)
            .Bool("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw)
            .Default(0)
            .Done();
    return info;
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
    items_->menu_ = this;
}

TMenu::~TMenu() {
    handle_.Reset();
    items_->menu_ = nullptr;  // the items' changes no longer reach us
}

HMENU TMenu::Handle() {
    if (!handle_) {
        base::OwnedMenu menu(CreateMenuHandle());
        if (!menu) throw Exception("Cannot create a menu");
        try {
            for (TMenuItem* i : ShownItems()) i->AppendTo(menu.Get(), ownerDraw_);
        } catch (...) {
            items_->FreeHandle();
            throw;
        }
        handle_ = std::move(menu);
    }
    return handle_.Get();
}

std::vector<TMenuItem*> TMenu::ShownItems() { return items_->items_; }

void TMenu::MenuChanged() {
    // Shown in another menu's handle: that one is made anew.
    if (TMenu* shown = ShownIn(); shown != this) shown->MenuChanged();
    if (!handle_) return;
    base::OwnedMenu old = std::move(handle_);  // destroyed with its submenus when the host let go
    items_->FreeHandle();
    HandleReplaced();
}

void TMenu::SetOwnerDraw(bool v) {
    if (v == ownerDraw_) return;
    ownerDraw_ = v;
    MenuChanged();
}

void TMenu::SetImages(TCustomImageList* images) {
    if (images_.Get() == images) return;
    if (TCustomImageList* old = images_.Get()) RemoveFreeNotification(old);
    images_ = images;
    if (images) FreeNotification(images);
    MenuChanged();
}

void TMenu::Notification(TComponent* c, TOperation op) {
    TComponent::Notification(c, op);
    if (op == TOperation::Remove && c == images_.Get()) images_.Reset();
}

bool TMenu::DispatchCommand(UINT command) {
    TMenuItem* item = TMenuItem::FromCommand(command);
    if (!item || item->GetParentMenu() != this) return false;
    item->Click();
    return true;
}

namespace {
HFONT MenuFont(OwnedFont& holder) {
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
        holder.Reset(::CreateFontIndirectW(&ncm.lfMenuFont));
    return holder.Get();
}
}  // namespace

void DefaultMeasureMenuItem(const TMenuItem& item, HDC dc, int& width, int& height) {
    height = item.IsLine() ? 8 : ::GetSystemMetrics(SM_CYMENU);
    width = 0;
    if (item.IsLine()) return;
    std::wstring text = text::Widen(item.Caption());
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
    width = size.cx + 2 * ::GetSystemMetrics(SM_CXMENUCHECK) + 8;
    if (item.ShortCut()) {
        const std::wstring keys = text::Widen(ShortCutToText(item.ShortCut()));
        ::GetTextExtentPoint32W(dc, keys.c_str(), int(keys.size()), &size);
        width += size.cx + 16;
    }
}

bool TMenu::MeasureItem(MEASUREITEMSTRUCT& mi) {
    if (mi.CtlType != ODT_MENU) return false;
    TMenuItem* item = TMenuItem::FromCommand(mi.itemID);
    if (!item || reinterpret_cast<ULONG_PTR>(item) != mi.itemData) return false;
    WindowDC screenDC(nullptr);  // given back even when the handler throws
    HDC screen = screenDC.Get();
    OwnedFont font;
    int width = 0, height = item->IsLine() ? 8 : ::GetSystemMetrics(SM_CYMENU);
    {
        SelectScope select(screen, MenuFont(font));
        TCanvas canvas;
        canvas.SetHandle(screen);
        if (item->OnMeasureItem) {
            item->OnMeasureItem(item, &canvas, width, height);
        } else {
            DefaultMeasureMenuItem(*item, screen, width, height);
        }
        canvas.SetHandle(nullptr);
    }
    mi.itemWidth = UINT(std::max(width, 0));
    mi.itemHeight = UINT(std::max(height, 0));
    return true;
}

bool TMenu::DrawItem(const DRAWITEMSTRUCT& di) {
    if (di.CtlType != ODT_MENU) return false;
    TMenuItem* item = TMenuItem::FromCommand(di.itemID);
    if (!item || reinterpret_cast<ULONG_PTR>(item) != di.itemData) return false;
    TCanvas canvas;
    canvas.SetHandle(di.hDC);
    bool selected = (di.itemState & ODS_SELECTED) != 0;
    if (item->OnDrawItem) {
        item->OnDrawItem(item, &canvas, di.rcItem, selected);
    } else {
        RECT r = di.rcItem;
        canvas.Brush().SetColor(selected ? clHighlight : clMenu);
        canvas.FillRect(r);
        if (item->IsLine()) {
            RECT line{r.left, (r.top + r.bottom) / 2 - 1, r.right, (r.top + r.bottom) / 2 + 1};
            ::DrawEdge(canvas.Handle(), &line, EDGE_ETCHED, BF_TOP);
        } else {
            OwnedFont font;
            SelectScope select(di.hDC, MenuFont(font));
            ::SetBkMode(di.hDC, TRANSPARENT);
            ::SetTextColor(di.hDC, ::GetSysColor(!item->Enabled() ? COLOR_GRAYTEXT
                                                 : selected        ? COLOR_HIGHLIGHTTEXT
                                                                   : COLOR_MENUTEXT));
            r.left += ::GetSystemMetrics(SM_CXMENUCHECK) + 4;
            std::wstring text = text::Widen(item->Caption());
            ::DrawTextW(di.hDC, text.c_str(), int(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
            if (item->ShortCut()) {
                const std::wstring keys = text::Widen(ShortCutToText(item->ShortCut()));
                r.right -= 8;
                ::DrawTextW(di.hDC, keys.c_str(), int(keys.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
            }
        }
    }
    canvas.SetHandle(nullptr);
    return true;
}

// ---- main and popup menus ----

const TClassInfo& TMainMenu::StaticClass() {
    static const TClassInfo info = DescribeClass<TMainMenu>("TMainMenu").Done();
    return info;
}

TMainMenu::~TMainMenu() {
    if (mergedInto_) mergedInto_->Unmerge(this);
    if (merged_) merged_->mergedInto_ = nullptr;
    merged_ = nullptr;
    SetHost(nullptr);
}

void TMainMenu::Merge(TMainMenu* menu) {
    if (menu == merged_ || menu == this) return;
    if (merged_) {
        merged_->mergedInto_ = nullptr;
        merged_->items_->FreeHandle();  // their submenus go with our handle
    }
    merged_ = nullptr;
    if (menu) {
        if (menu->mergedInto_) menu->mergedInto_->Unmerge(menu);
        // Its own handle (if any) no longer stands for its items.
        menu->items_->FreeHandle();
        menu->handle_.Reset();
        merged_ = menu;
        menu->mergedInto_ = this;
    }
    MenuChanged();
}

void TMainMenu::Unmerge(TMainMenu* menu) {
    if (!menu || menu != merged_) return;
    Merge(nullptr);
}

std::vector<TMenuItem*> TMainMenu::ShownItems() {
    std::vector<TMenuItem*> shown = TMenu::ShownItems();
    if (!merged_) return shown;
    const std::vector<TMenuItem*> others = merged_->TMenu::ShownItems();
    // Each group index the merged menu brings replaces ours of that index.
    for (TMenuItem* o : others)
        shown.erase(std::remove_if(shown.begin(), shown.end(),
                                   [&](TMenuItem* i) { return i->GroupIndex == o->GroupIndex && i->GetParentMenu() == this; }),
                    shown.end());
    for (TMenuItem* o : others) {
        auto at = std::find_if(shown.begin(), shown.end(), [&](TMenuItem* i) { return i->GroupIndex > o->GroupIndex; });
        shown.insert(at, o);
    }
    return shown;
}

void TMainMenu::SetHost(TMenuHost* host) {
    if (host == host_) return;
    TMenuHost* old = std::exchange(host_, host);
    if (old) old->MainMenuLeaving(this);
}

void TMainMenu::HandleReplaced() {
    if (host_) host_->MainMenuReplaced(this);
}

const TClassInfo& TPopupMenu::StaticClass() {
    static const TClassInfo info = DescribeClass<TPopupMenu>("TPopupMenu").Event("OnPopup", &TPopupMenu::OnPopup).Done();
    return info;
}

namespace {
HWND popupOwner = nullptr;
}  // namespace

void SetPopupMenuOwner(HWND owner) { popupOwner = owner; }
HWND PopupMenuOwner() { return popupOwner; }

bool DispatchMenuMessage(TMessage& m) {
    switch (m.Msg) {
        case WM_COMMAND: {
            CommandParams p = CommandParams::From(m);
            if (p.control || p.code != 0) return false;  // a control's notification, an accelerator
            TMenuItem* item = TMenuItem::FromCommand(p.id);
            if (!item) return false;
            item->Click();
            m.Result = 0;
            return true;
        }
        case WM_MEASUREITEM:
            if (auto* mi = StructFromLParam<MEASUREITEMSTRUCT>(m); mi && TMenu::MeasureItem(*mi)) {
                m.Result = TRUE;
                return true;
            }
            return false;
        case WM_DRAWITEM:
            if (auto* di = StructFromLParam<DRAWITEMSTRUCT>(m); di && TMenu::DrawItem(*di)) {
                m.Result = TRUE;
                return true;
            }
            return false;
        default: return false;
    }
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    Items().InitiateActions();
    // Our active window owns it (it draws owner-drawn items), else the application's.
    HWND owner = popupOwner;
    if (HWND active = ::GetActiveWindow(); active && FindControl(active)) owner = active;
    UINT command = UINT(::TrackPopupMenu(Handle(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, owner,
                                         nullptr));
    if (command) DispatchCommand(command);
}

}  // namespace tv
