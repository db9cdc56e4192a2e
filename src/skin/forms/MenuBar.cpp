#include "skin/forms/MenuBar.h"

#include <algorithm>

#include "base/CallbackGuard.h"
#include "base/Text.h"
#include "raster/Blit.h"
#include "raster/Slices.h"
#include "skin/core/WinSkinData.h"
#include "skin/core/WinSkinDlg.h"
#include "skin/forms/DrawPrimitives.h"
#include "skin/forms/FrameGeometry.h"
#include "skin/forms/MenuItemPainter.h"

namespace skin {

namespace {

// One bar drop-down at a time in the process: what the message filter works on.
struct TrackingState {
    TWinSkinMenu* bar = nullptr;
    int index = -1;           // the bar item whose drop-down is open
    HMENU tracked = nullptr;  // its drop-down
    HMENU selectedIn = nullptr;  // the menu of the highlighted item, null when none
    bool selectedHasSubMenu = false;
    bool firstKeySent = false;
    int switchTo = -1;        // the bar item to open once this drop-down has closed
    POINT cursor{};
    HHOOK hook = nullptr;
};
TrackingState tracking;

COLORREF Rgb(tv::TColor c) { return ResolveColour(Colour(c)); }

// Every item of menu and the menus below it drawn by their owner, as the bar's items are
// drawn by the skin; the previous types are noted so that they can be given back.
struct TypeChange {
    HMENU menu;
    UINT position;
    UINT type;
};
void MakeOwnerDrawn(HMENU menu, std::vector<TypeChange>& changes, int depth = 0) {
    if (!menu || depth > 16) return;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!::GetMenuItemInfoW(menu, UINT(i), TRUE, &mii)) continue;
        if (!(mii.fType & MFT_OWNERDRAW)) {
            changes.push_back({menu, UINT(i), mii.fType});
            MENUITEMINFOW set{};
            set.cbSize = sizeof set;
            set.fMask = MIIM_FTYPE;
            set.fType = mii.fType | MFT_OWNERDRAW;
            ::SetMenuItemInfoW(menu, UINT(i), TRUE, &set);
        }
        MakeOwnerDrawn(mii.hSubMenu, changes, depth + 1);
    }
}

void GiveTypesBack(const std::vector<TypeChange>& changes) {
    for (auto it = changes.rbegin(); it != changes.rend(); ++it) {
        if (!::IsMenu(it->menu)) continue;
        MENUITEMINFOW set{};
        set.cbSize = sizeof set;
        set.fMask = MIIM_FTYPE;
        set.fType = it->type;
        ::SetMenuItemInfoW(it->menu, it->position, TRUE, &set);
    }
}

wchar_t LowerChar(wchar_t c) {
    wchar_t one[2] = {c, 0};
    ::CharLowerW(one);
    return one[0];
}

// The character after the first single '&' of a caption, lower-cased; 0 when none.
wchar_t Accelerator(const std::wstring& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i)
        if (caption[i] == L'&') {
            if (caption[i + 1] == L'&') {
                ++i;
                continue;
            }
            return LowerChar(caption[i + 1]);
        }
    return 0;
}

}  // namespace

void TMenuBtn::Paint() { Bar.PaintItem(*this); }

TWinSkinMenu::TWinSkinMenu(TNCHost& form, TSkinData* data) : Form(form), data_(data) {}

TWinSkinMenu::~TWinSkinMenu() {
    if (tracking.bar == this) tracking.bar = nullptr;
    if (Form.HotObject())
        for (const auto& i : items_)
            if (Form.HotObject() == i.get()) Form.SetHotObject(nullptr);
}

bool TWinSkinMenu::Tracking() { return tracking.bar != nullptr; }

HMENU TWinSkinMenu::TrackedMenu() { return tracking.tracked; }

void TWinSkinMenu::MenuSelected(WPARAM wParam, LPARAM lParam) {
    if (!tracking.bar) return;
    if (HIWORD(wParam) == 0xFFFF && !lParam) {
        tracking.selectedIn = nullptr;
        return;
    }
    tracking.selectedIn = reinterpret_cast<HMENU>(lParam);
    tracking.selectedHasSubMenu = (HIWORD(wParam) & MF_POPUP) != 0;
}

void TWinSkinMenu::LoadItems(HMENU menu, tv::TMainMenu* framework) {
    if (Form.HotObject())
        for (const auto& i : items_)
            if (Form.HotObject() == i.get()) Form.SetHotObject(nullptr);
    items_.clear();
    menu_ = menu;
    framework_ = framework;
    if (!menu) return;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING | MIIM_FTYPE;
        mii.dwTypeData = text;
        mii.cch = 127;
        if (!::GetMenuItemInfoW(menu, UINT(i), TRUE, &mii)) continue;
        auto item = std::make_unique<TMenuBtn>(Form, *this);
        item->Index = int(items_.size());
        item->Visible = true;
        item->SubMenu = mii.hSubMenu;
        item->ItemEnabled = !(mii.fState & (MFS_GRAYED | MFS_DISABLED));
        item->Command = mii.wID;
        item->Caption = text;
        // The framework's item knows better: its action's state, its own caption.
        if (tv::TMenuItem* f = tv::TMenuItem::FromCommand(mii.wID); f && framework && f->GetParentMenu() == framework) {
            if (tv::TBasicAction* action = f->Action()) action->Update();
            item->MenuItem = f;
            item->Caption = text::Widen(f->Caption());
            item->ItemEnabled = f->Enabled();
            item->SubMenu = f->Count() > 0 ? f->Handle() : nullptr;
        }
        item->Enabled = item->ItemEnabled;
        items_.push_back(std::move(item));
    }
}

int TWinSkinMenu::FirstItemX(int bandWidth) const {
    const TDataSkinObject* bar = data_ ? data_->MenuBar.get() : nullptr;
    if (!bar || bar->Bitmap.Empty()) return 6;
    const int x = bar->LeftWidth + 4;
    return bandWidth < x ? 12 : x;
}

void TWinSkinMenu::Place(HDC dc, const RECT& band) {
    band_ = band;
    int x = FirstItemX(band.right - band.left);
    tv::OwnedFont font = MenuFont();
    tv::SelectScope select(dc, font.Get());
    for (const auto& item : items_) {
        if (!item->Visible) {
            item->Bounds = {};
            continue;
        }
        RECT measure{};
        ::DrawTextW(dc, item->Caption.c_str(), int(item->Caption.size()), &measure, DT_CALCRECT | DT_SINGLELINE);
        int w = measure.right - measure.left;
        if (w > 0) w += 10;
        item->Bounds = {band.left + x, band.top, band.left + x + w, band.bottom - 1};
        x += w;
    }
}

void TWinSkinMenu::LayoutItems(const RECT& band) {
    if (band.right <= band.left || band.bottom <= band.top) return;
    tv::WindowDC screen(nullptr);
    Place(screen.Get(), band);
}

void TWinSkinMenu::DrawCaption(HDC dc, const TMenuBtn& item, const RECT& cell) const {
    if (!data_) return;
    tv::OwnedFont font = MenuFont();
    tv::SelectScope select(dc, font.Get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, Rgb(item.ItemEnabled ? data_->SkinColors.MenuBarText : data_->SkinColors.ButtonShadow));
    RECT r = cell;
    ::DrawTextW(dc, item.Caption.c_str(), int(item.Caption.size()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TWinSkinMenu::PaintBar(raster::Bitmap& image, HDC dc, const RECT& band, bool active) {
    if (!data_ || band.right <= band.left || band.bottom <= band.top) return;
    const raster::Rect target{band.left, band.top, band.right, band.bottom};
    const TDataSkinObject* bar = data_->MenuBar.get();
    if (bar && !bar->Bitmap.Empty()) {
        const raster::Margins sides{bar->LeftWidth, 0, bar->RightWidth, 0};
        const int frame = active ? 1 : 2;
        if (bar->Tile == 1) raster::RenderElementInto(image, target, bar->Bitmap, sides, true, false, 2, frame);
        else raster::RenderElementBarInto(image, target, bar->Bitmap, true, 2, frame, sides);
    } else {
        raster::FillRect(image, target, Rgb(data_->SkinColors.Menubar));
    }
    background_ = raster::CopyPart(image, target);
    ::GdiFlush();
    Place(dc, band);
    for (const auto& item : items_)
        if (item->Visible && item->Bounds.right > item->Bounds.left)
            DrawCaption(dc, *item, {item->Bounds.left, band.top, item->Bounds.right, band.bottom});
}

void TWinSkinMenu::PaintItem(const TMenuBtn& item) {
    if (background_.Empty() || !::IsWindow(Form.Handle())) return;
    const RECT cell{item.Bounds.left, band_.top, item.Bounds.right, band_.bottom};
    const int w = cell.right - cell.left, h = cell.bottom - cell.top;
    if (w <= 0 || h <= 0) return;
    raster::Bitmap image(w, h);
    raster::Copy(image, 0, 0, background_, {cell.left - band_.left, 0, cell.right - band_.left, h});
    tv::WindowDC window(Form.Handle(), true);
    tv::OwnedDC memory(::CreateCompatibleDC(window.Get()));
    if (!memory.Get()) return;
    tv::SelectScope select(memory.Get(), static_cast<HBITMAP>(image.Handle()));
    const RECT local{0, 0, w, h};
    if (item.State == kStateHot || item.State == kStatePressed) {
        RECT edge{0, item.Bounds.top - band_.top, w, item.Bounds.bottom - band_.top};
        tv::OwnedBrush hilight(::CreateSolidBrush(Rgb(data_ ? data_->SkinColors.ButtonHilight : 0)));
        ::FrameRect(memory.Get(), &edge, hilight.Get());
    }
    DrawCaption(memory.Get(), item, local);
    ::BitBlt(window.Get(), cell.left, cell.top, w, h, memory.Get(), 0, 0, SRCCOPY);
}

TMenuBtn* TWinSkinMenu::MenuItemAt(POINT p) const {
    for (const auto& item : items_)
        if (item->Visible && !item->Caption.empty() && Contains(item->Bounds, p)) return item.get();
    return nullptr;
}

TMenuBtn* TWinSkinMenu::FindAccelItem(wchar_t c) const {
    const wchar_t want = LowerChar(c);
    for (const auto& item : items_)
        if (item->Visible && item->ItemEnabled && Accelerator(item->Caption) == want) return item.get();
    return nullptr;
}

TMenuBtn* TWinSkinMenu::Item(int index) const {
    return index >= 0 && index < int(items_.size()) ? items_[std::size_t(index)].get() : nullptr;
}

bool TWinSkinMenu::OpenMenuItem(TMenuBtn* item) {
    // A disabled bar item neither opens nor runs anything.
    if (!item || tracking.bar || !item->ItemEnabled) return false;
    const HWND window = Form.Handle();
    ::PostMessageW(window, WM_COMMAND, item->Command, 0);
    if (!item->SubMenu) return false;
    // Switching to another bar item closes this drop-down and opens that one, in a loop
    // here rather than one drop-down inside another.
    for (TMenuBtn* open = item; open;) {
        tracking = TrackingState{};
        tracking.bar = this;
        tracking.index = open->Index;
        tracking.tracked = open->SubMenu;
        ::GetCursorPos(&tracking.cursor);
        std::vector<TypeChange> changes;
        MakeOwnerDrawn(open->SubMenu, changes);
        RECT r{};
        ::GetWindowRect(window, &r);
        const bool rtl = (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
        const int x = r.left + (rtl ? open->Bounds.right : open->Bounds.left);
        const int y = r.top + open->Bounds.bottom;
        if (TSkinManage* manager = SkinManager()) {
            manager->PopupKind = kPopupMenuBar;
            manager->MenuBarPopup = true;
        }
        tracking.hook = ::SetWindowsHookExW(WH_MSGFILTER, &TWinSkinMenu::MessageFilter, nullptr, ::GetCurrentThreadId());
        open->State = kStatePressed;
        PaintItem(*open);
        UINT command = 0;
        // The command comes back here and is posted once: choosing runs the item once.
        if (open->ItemEnabled)
            command = UINT(::TrackPopupMenu(open->SubMenu, TPM_RIGHTBUTTON | TPM_RETURNCMD | (rtl ? TPM_RIGHTALIGN : 0), x, y,
                                            0, window, nullptr));
        if (tracking.hook) ::UnhookWindowsHookEx(tracking.hook);
        const int next = tracking.switchTo;
        tracking = TrackingState{};
        if (!::IsWindow(window)) return true;
        GiveTypesBack(changes);
        if (open->State == kStatePressed) {
            open->State = kStateNormal;
            if (Form.HotObject() == open) Form.SetHotObject(nullptr);
            PaintItem(*open);
        }
        if (command) ::PostMessageW(window, WM_COMMAND, command, 0);
        open = command ? nullptr : Item(next);
        if (open) ::PostMessageW(window, WM_COMMAND, open->Command, 0);
    }
    return true;
}

void TWinSkinMenu::SwitchTo(TMenuBtn* target) {
    if (!target || target->Index == tracking.index || !target->Visible) return;
    tracking.switchTo = target->Index;
    ::EndMenu();
}

LRESULT CALLBACK TWinSkinMenu::MessageFilter(int code, WPARAM wParam, LPARAM lParam) {
    const LRESULT next = ::CallNextHookEx(tracking.hook, code, wParam, lParam);
    if (next || code != MSGF_MENU || !tracking.bar || !lParam) return next;
    auto* msg = reinterpret_cast<MSG*>(lParam);
    return base::Guarded(LRESULT(0), [&] { return LRESULT(tracking.bar->FilterMessage(*msg)); });
}

bool TWinSkinMenu::FilterMessage(MSG& msg) {
    if (!tracking.firstKeySent) {
        // The drop-down opens with its first item highlighted, as a keyboard user expects.
        tracking.firstKeySent = true;
        ::PostMessageW(msg.hwnd, WM_KEYDOWN, VK_DOWN, 0);
    }
    const int count = int(items_.size());
    auto neighbour = [&](int step) -> TMenuBtn* {
        for (int k = 1; k <= count; ++k) {
            TMenuBtn* b = Item(((tracking.index + step * k) % count + count) % count);
            // Only an item with a drop-down to show: landing on any other would end the menu.
            if (b && b->Visible && !b->Caption.empty() && b->ItemEnabled && b->SubMenu) return b;
        }
        return nullptr;
    };
    switch (msg.message) {
        case WM_KEYDOWN:
            if (msg.wParam == VK_LEFT && (!tracking.selectedIn || tracking.selectedIn == tracking.tracked)) {
                SwitchTo(neighbour(-1));
                return tracking.switchTo >= 0;
            }
            if (msg.wParam == VK_RIGHT && (!tracking.selectedIn || !tracking.selectedHasSubMenu)) {
                SwitchTo(neighbour(1));
                return tracking.switchTo >= 0;
            }
            return false;
        case WM_MOUSEMOVE: {
            POINT cursor{};
            ::GetCursorPos(&cursor);
            if (cursor.x == tracking.cursor.x && cursor.y == tracking.cursor.y) return false;
            tracking.cursor = cursor;
            SwitchTo(MenuItemAt(Form.ScreenToFrame(cursor)));
            return false;
        }
        default: return false;
    }
}

}  // namespace skin
