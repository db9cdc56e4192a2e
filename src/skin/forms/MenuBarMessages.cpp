// The form skinner's side of the skinned menu bar: taking the window's menu and giving it
// back, the mouse on the band, the keyboard (F10, Alt, Alt+letter), and the drawing of the
// drop-downs' items, which the bar makes owner-drawn while they are open.
#include "base/Text.h"
#include "framework/Forms.h"
#include "framework/MessageCrackers.h"
#include "skin/core/WinSkinData.h"
#include "skin/core/WinSkinDlg.h"
#include "skin/core/WinSkinMenu.h"
#include "skin/forms/MenuItemPainter.h"
#include "skin/forms/WinSkinForm.h"

namespace skin {

namespace {
tv::TMainMenu* MainMenuOf(tv::TWinControl* form) {
    auto* f = dynamic_cast<tv::TCustomForm*>(form);
    return f ? f->Menu() : nullptr;
}

// Where an item of a menu tree is: its menu and position, by command.
bool FindByCommand(HMENU menu, UINT command, HMENU& in, UINT& position, int depth = 0) {
    if (!menu || depth > 16) return false;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        HMENU sub = ::GetSubMenu(menu, i);
        if (!sub && ::GetMenuItemID(menu, i) == command) {
            in = menu;
            position = UINT(i);
            return true;
        }
        if (sub && FindByCommand(sub, command, in, position, depth + 1)) return true;
    }
    return false;
}
}  // namespace

void TWinSkinForm::TakeMenuBar() {
    menuBar_.reset();
    menuRemovedHeight_ = 0;
    if (!skinFrame_ || mdiKind_ == kMdiChild) return;
    HMENU menu = ::GetMenu(handle_);
    if (!menu) return;
    RECT before{}, after{};
    ::GetClientRect(handle_, &before);
    menuBar_ = std::make_unique<TWinSkinMenu>(*this, data_);
    menuBar_->LoadItems(menu, MainMenuOf(form_.Get()));
    metrics_.menuBar = ::GetSystemMetrics(SM_CYMENU);
    // The system draws no menu bar any more; the band under the caption is ours.
    ::SetMenu(handle_, nullptr);
    ::GetClientRect(handle_, &after);
    menuRemovedHeight_ = std::max(0, int(after.bottom - before.bottom));
}

void TWinSkinForm::GiveMenuBarBack() {
    if (!menuBar_) return;
    if (hotObject_ && dynamic_cast<TMenuBtn*>(hotObject_)) hotObject_ = nullptr;
    HMENU menu = menuBar_->MenuHandle();
    if (tv::TMainMenu* main = MainMenuOf(form_.Get())) menu = main->Handle();
    menuBar_.reset();
    metrics_.menuBar = 0;
    if (!menu || !::IsMenu(menu) || !::IsWindow(handle_)) return;
    ::SetMenu(handle_, menu);
    bool maximized = false;
    if (HWND child = ActiveMDIChild(&maximized); child && maximized) {
        // The system puts a maximized child's buttons into the frame's menu only as it maximizes.
        ::SendMessageW(mdiClient_, WM_MDIRESTORE, reinterpret_cast<WPARAM>(child), 0);
        ::SendMessageW(mdiClient_, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
    }
    ::DrawMenuBar(handle_);
}

bool TWinSkinForm::OnMenuItemMouse(tv::TMessage& m, POINT p) {
    if (!menuBar_) return false;
    TMenuBtn* item = menuBar_->MenuItemAt(p);
    switch (m.Msg) {
        case WM_NCMOUSEMOVE:
            if (!item) return false;
            item->MouseMove();
            m.Result = 0;
            return true;
        case WM_NCLBUTTONDOWN:
            if (!item) return false;
            if (!active_) ::SetForegroundWindow(handle_);
            item->MouseDown();
            menuBar_->OpenMenuItem(item);
            m.Result = 0;
            return true;
        case WM_NCLBUTTONUP:
        case WM_NCLBUTTONDBLCLK:
            if (tv::NcMouse::From(m).hitTest != HTMENU) return false;
            m.Result = 0;
            return true;
        default: return false;
    }
}

bool TWinSkinForm::OnKeyMenu(tv::TMessage& m) {
    if (!menuBar_ || TWinSkinMenu::Tracking() || ::GetCapture()) return false;
    const wchar_t key = wchar_t(m.LParam);
    if (key == L' ' || key == L'-') return false;
    TMenuBtn* item = nullptr;
    if (key == 0) {
        // F10, or Alt alone: the first item that can be shown.
        for (int i = 0; i < menuBar_->ItemCount() && !item; ++i)
            if (TMenuBtn* b = menuBar_->Item(i); b->Visible && !b->Caption.empty()) item = b;
    } else {
        item = menuBar_->FindAccelItem(key);
    }
    if (!item) return false;
    m.Result = 1;
    menuBar_->OpenMenuItem(item);
    return true;
}

bool TWinSkinForm::OnMenuMessage(tv::TMessage& m) {
    switch (m.Msg) {
        case WM_MENUSELECT:
            TWinSkinMenu::MenuSelected(m.WParam, m.LParam);
            CallOld(m);
            return true;
        case tv::CM_MENUCHANGED: {
            if (!menuBar_) return false;
            CallOld(m);
            HMENU menu = ::GetMenu(handle_);
            if (menu) {
                // While MDI children are made the bar is not read again (MenuUpdate off).
                const bool update = !data_ || data_->MenuUpdate;
                if (update) menuBar_->LoadItems(menu, MainMenuOf(form_.Get()));
                ::SetMenu(handle_, nullptr);
                if (update && skinState_ == kSkinSkinned) PaintFrame();
            }
            return true;
        }
        case SKM_OPENMENUITEM: {
            if (menuBar_)
                if (TMenuBtn* item = menuBar_->MenuItemAt(ScreenToFrame(POINT{short(LOWORD(m.LParam)), short(HIWORD(m.LParam))})))
                    menuBar_->OpenMenuItem(item);
            m.Result = 0;
            return true;
        }
        case tv::CM_DIALOGCHAR: {
            CallOld(m);
            if (m.Result) return true;
            if (menuBar_ && (::GetKeyState(VK_MENU) & 0x8000)) {
                if (TMenuBtn* item = menuBar_->FindAccelItem(wchar_t(m.WParam))) {
                    m.Result = 1;
                    menuBar_->OpenMenuItem(item);
                    return true;
                }
            }
            // Alt+letter in a child or a tool window means the menu of the window that has one.
            // Its answer is passed back, so that a key it used is not handled a second time.
            auto* form = dynamic_cast<tv::TCustomForm*>(form_.Get());
            if (!form) return true;
            tv::TCustomForm* to = nullptr;
            if (form->FormStyle() == tv::TFormStyle::fsMDIChild) {
                to = form->MDIParent();
            } else if (!form->Modal()) {
                if (tv::TFormsHost* host = tv::FormsHost()) to = host->MainForm();
            }
            if (to && to != form && to->HandleAllocated() && ::IsWindowEnabled(to->Handle()))
                m.Result = to->Perform(tv::CM_DIALOGCHAR, m.WParam, m.LParam);
            return true;
        }
        case WM_MEASUREITEM: {
            auto* mi = tv::StructFromLParam<MEASUREITEMSTRUCT>(m);
            if (!menuBar_ || !mi || mi->CtlType != ODT_MENU || !data_) return false;
            tv::TMainMenu* main = MainMenuOf(form_.Get());
            if (tv::TMenuItem* item = tv::TMenuItem::FromCommand(mi->itemID); item && main && item->GetParentMenu() == main) {
                tv::WindowDC dc(handle_, true);
                tv::OwnedFont font = MenuFont(item->Default());
                tv::SelectScope select(dc.Get(), font.Get());
                int w = 0, h = 0;
                tv::DefaultMeasureMenuItem(*item, dc.Get(), w, h);
                if (!item->IsLine()) AddSkinItemMargins(*data_, LookOf(*item), false, w);
                mi->itemWidth = UINT(std::max(w, 0));
                mi->itemHeight = UINT(std::max(h, 0));
                m.Result = TRUE;
                return true;
            }
            if (main && mi->itemID >= 1 && mi->itemID <= 4095) return false;
            HMENU in = nullptr;
            UINT position = 0;
            SIZE size{0, 8};
            if (mi->itemID && FindByCommand(TWinSkinMenu::TrackedMenu(), mi->itemID, in, position))
                size = MeasureMenuHandleItem(*data_, in, position);
            mi->itemWidth = UINT(size.cx);
            mi->itemHeight = UINT(size.cy);
            m.Result = TRUE;
            return true;
        }
        case WM_DRAWITEM: {
            auto* di = tv::StructFromLParam<DRAWITEMSTRUCT>(m);
            if (!menuBar_ || !di || di->CtlType != ODT_MENU || !data_) return false;
            const auto menu = reinterpret_cast<HMENU>(di->hwndItem);
            const raster::Bitmap* background = PopupBackgroundFor(menu);
            const bool selected = (di->itemState & ODS_SELECTED) != 0;
            tv::TMainMenu* main = MainMenuOf(form_.Get());
            if (tv::TMenuItem* item = tv::TMenuItem::FromCommand(di->itemID); item && main && item->GetParentMenu() == main) {
                DrawMenuItem(*data_, di->hDC, di->rcItem, selected, LookOf(*item), background);
                m.Result = TRUE;
                return true;
            }
            if (main && di->itemID >= 1 && di->itemID <= 4095) return false;
            // A bare menu: the item is found by its command in the menu being drawn.
            MenuItemLook look;
            look.caption = L"-";
            for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
                if (::GetMenuItemID(menu, i) == di->itemID && (di->itemID || ::GetSubMenu(menu, i) == nullptr)) {
                    look = LookOf(menu, UINT(i));
                    break;
                }
            DrawMenuItem(*data_, di->hDC, di->rcItem, selected, look, background);
            m.Result = TRUE;
            return true;
        }
        default: return false;
    }
}

}  // namespace skin
