// The skinned system menu: a framework popup made from the window's own system menu, its
// items drawn by the skin with the skin's menu glyphs, enabled as the window's state says,
// each choice posted back to the window as the system command it stands for.
#include <algorithm>

#include "base/Text.h"
#include "skin/core/WinSkinData.h"
#include "skin/core/WinSkinDlg.h"
#include "skin/forms/MenuItemPainter.h"
#include "skin/forms/WinSkinForm.h"

namespace skin {

namespace {
// Tag of the popup, so that it is known as the system menu wherever it turns up.
constexpr int kSystemMenuTag = 33333;
// Images of the skin's menu glyphs.
enum : int { kGlyphRestore = 0, kGlyphMaximize = 1, kGlyphMinimize = 2, kGlyphClose = 3 };
}  // namespace

bool TWinSkinForm::IsSystemMenu(HMENU menu) const {
    if (!menu) return false;
    if (menu == systemMenu_) return true;
    return systemMenuPopup_ && menu == systemMenuPopup_->Handle();
}

void TWinSkinForm::BuildSystemMenu() {
    systemMenuPopup_.reset();
    HMENU source = systemMenu_ ? systemMenu_ : ::GetSystemMenu(handle_, FALSE);
    if (!source || !data_) return;
    auto popup = std::make_unique<tv::TPopupMenu>(nullptr);
    popup->SetTag(kSystemMenuTag);
    popup->SetOwnerDraw(true);
    popup->SetImages(&data_->MenuGlyphs());
    const bool maximized = showState_ == kShowMaximized, minimized = showState_ == kShowMinimized;
    const int count = ::GetMenuItemCount(source);
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_FTYPE;
        mii.dwTypeData = text;
        mii.cch = 127;
        if (!::GetMenuItemInfoW(source, UINT(i), TRUE, &mii)) continue;
        auto* item = new tv::TMenuItem(popup.get());
        std::wstring caption = text;
        if (const auto tab = caption.find(L'\t'); tab != std::wstring::npos) {
            item->SetShortCut(tv::TextToShortCut(text::Narrow(caption.substr(tab + 1))));
            caption.erase(tab);
        }
        item->SetCaption(caption.empty() || (mii.fType & MFT_SEPARATOR) ? "-" : text::Narrow(caption));
        item->SetTag(std::intptr_t(mii.wID));
        bool enabled = !(mii.fState & (MFS_DISABLED | MFS_GRAYED));
        int image = -1;
        // The window's state decides these, not what the system last wrote into its menu.
        switch (mii.wID & 0xFFF0) {
            case SC_SIZE: enabled = !maximized && !minimized && sizeable_; break;
            case SC_MOVE: enabled = !maximized; break;
            case SC_MINIMIZE:
                enabled = !minimized && minBox_;
                image = kGlyphMinimize;
                break;
            case SC_MAXIMIZE:
                enabled = !maximized && maxBox_;
                image = kGlyphMaximize;
                break;
            case SC_RESTORE:
                enabled = showState_ != kShowNormal;
                image = kGlyphRestore;
                break;
            case SC_CLOSE: image = kGlyphClose; break;
            default: break;
        }
        item->SetEnabled(enabled);
        item->SetImageIndex(image);
        item->SetChecked((mii.fState & MFS_CHECKED) != 0);
        item->SetDefault((mii.fState & MFS_DEFAULT) != 0);
        const HWND window = handle_;
        item->OnClick = [window](tv::TObject* sender) {
            ::PostMessageW(window, WM_SYSCOMMAND, WPARAM(static_cast<tv::TMenuItem*>(sender)->Tag()), 0);
        };
        popup->Items().Add(item);
    }
    SkinMenuItems(*data_, popup->Items(), true);
    systemMenuPopup_ = std::move(popup);
}

void TWinSkinForm::ShowSystemMenu(POINT screen) {
    const DWORD now = ::GetTickCount();
    // The second click of a double click on the system-menu button closes the window. Only
    // the button's: Alt+Space or the caption's menu opened twice in a row just open it again.
    if (menuTickSet_ && now - lastMenuTick_ <= ::GetDoubleClickTime() && hotObject_) {
        menuTickSet_ = false;
        StopTimer();
        ::PostMessageW(handle_, WM_CLOSE, 0, 0);
        return;
    }
    if (TSkinManage* manager = SkinManager()) manager->PopupKind = kPopupSystemMenu;
    lastMenuTick_ = now;
    menuTickSet_ = true;
    BuildSystemMenu();
    // Choices are posted to the window, so it is still whole when the popup returns.
    if (systemMenuPopup_) systemMenuPopup_->Popup(screen.x, screen.y);
}

}  // namespace skin
