#include "framework/ToolBars.h"

#include <commctrl.h>

#include <algorithm>

#include "base/CallbackGuard.h"
#include "base/Text.h"
#include "framework/ComCtrls.h"
#include "framework/ImgList.h"
#include "framework/Menus.h"

namespace tv {

namespace {

bool Loading(const TComponent& c) { return c.HasState(TComponentState::Loading); }

BYTE SystemStyle(TToolButtonStyle s) {
    switch (s) {
        case TToolButtonStyle::tbsCheck: return BTNS_CHECK;
        case TToolButtonStyle::tbsDropDown: return BTNS_DROPDOWN;
        case TToolButtonStyle::tbsSeparator:
        case TToolButtonStyle::tbsDivider: return BTNS_SEP;
        default: return BTNS_BUTTON;
    }
}

}  // namespace

const TEnumInfo& ToolButtonStyleType() {
    static const TEnumInfo info = TEnumInfo::Sequential(
        "TToolButtonStyle", {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider"});
    return info;
}

// ---- buttons -------------------------------------------------------------------------------

const TClassInfo& TToolButton::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TToolButton>("TToolButton")
            .Str("Caption", &TToolButton::Caption, &TToolButton::SetCaption)
            .Bool("Down", &TToolButton::Down, &TToolButton::SetDown)
            .Default(0)
            .Obj<TPopupMenu>("DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu)
            .Bool("Enabled", &TToolButton::Enabled, &TToolButton::SetEnabled)
            .Default(1)
            .Int("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex)
            .Default(-1)
            .Obj<TMenuItem>("MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem)
            .Enum("Style", ToolButtonStyleType(), &TToolButton::Style, &TToolButton::SetStyle)
            .Default(int(TToolButtonStyle::tbsButton))
            .Event("OnClick", &TToolButton::OnClick)
            .Done();
    return info;
}

TToolButton::TToolButton(TComponent* owner) : TComponent(owner) {}

TToolButton::~TToolButton() {
    if (toolBar_) toolBar_->RemoveButton(this);
}

TComponent* TToolButton::GetParentComponent() const { return toolBar_; }

void TToolButton::SetParentComponent(TComponent* parent) {
    if (auto* bar = dynamic_cast<TToolBar*>(parent)) SetToolBar(bar);
}

void TToolButton::SetToolBar(TToolBar* bar) {
    if (bar == toolBar_) return;
    if (toolBar_) toolBar_->RemoveButton(this);
    if (bar) bar->InsertButton(this);
}

int TToolButton::Index() const {
    if (!toolBar_) return -1;
    const auto& list = toolBar_->buttons_;
    return int(std::find(list.begin(), list.end(), this) - list.begin());
}

void TToolButton::SetCaption(const std::string& v) {
    caption_ = v;
    if (toolBar_) toolBar_->UpdateButtons();
}

void TToolButton::SetImageIndex(int v) {
    imageIndex_ = v;
    if (toolBar_) toolBar_->UpdateButton(this);
}

void TToolButton::SetStyle(TToolButtonStyle v) {
    if (v == style_) return;
    style_ = v;
    if (toolBar_) toolBar_->UpdateButtons();
}

bool TToolButton::Down() const {
    if (toolBar_ && toolBar_->HandleAllocated() && id_)
        return ::SendMessageW(toolBar_->Handle(), TB_ISBUTTONCHECKED, WPARAM(id_), 0) != 0;
    return down_;
}

void TToolButton::SetDown(bool v) {
    down_ = v;
    if (toolBar_) toolBar_->UpdateButton(this);
}

void TToolButton::SetEnabled(bool v) {
    enabled_ = v;
    if (toolBar_) toolBar_->UpdateButton(this);
}

void TToolButton::SetDropdownMenu(TPopupMenu* menu) { dropdownMenu_ = WeakPtr<TPopupMenu>(menu); }

void TToolButton::SetMenuItem(TMenuItem* item) { menuItem_ = WeakPtr<TMenuItem>(item); }

bool TToolButton::HasDropDown() const {
    if (DropdownMenu()) return true;
    const TMenuItem* item = MenuItem();
    return item && item->Count() > 0;
}

void TToolButton::Click() {
    if (OnClick) OnClick(this);
}

// ---- the bar -------------------------------------------------------------------------------

const TClassInfo& TToolBar::StaticClass() {
    static const TClassInfo info =
        DescribeClass<TToolBar>("TToolBar")
            .Int("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight)
            .Default(22)
            .Int("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth)
            .Default(23)
            .Bool("Flat", &TToolBar::Flat, &TToolBar::SetFlat)
            .Default(0)
            .Obj<TCustomImageList>("Images", &TToolBar::Images, &TToolBar::SetImages)
            .Bool("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions)
            .Default(0)
            .Done();
    return info;
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
    SetBoundsFields(0, 0, 150, 29);
    InitColor(clBtnFace, false);
    Brush().SetColor(clBtnFace);
}

TToolBar::~TToolBar() {
    for (TToolButton* b : buttons_) b->toolBar_ = nullptr;
    buttons_.clear();
}

void TToolBar::CreateParams(TCreateParams& p) {
    EnsureCommonControls();
    TWinControl::CreateParams(p);
    p.sysClassName = TOOLBARCLASSNAMEW;
    // Placed by the framework like any control, not by the system at the parent's top.
    p.style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_TOOLTIPS;
    if (flat_) p.style |= TBSTYLE_FLAT;
    if (!showCaptions_) p.style |= TBSTYLE_LIST;
}

void TToolBar::CreateWindowHandle(const TCreateParams& p) {
    TWinControl::CreateWindowHandle(p);
    ::SendMessageW(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(Handle(), TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    UpdateButtons();
}

void TToolBar::Loaded() {
    TWinControl::Loaded();
    UpdateButtons();
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::Remove && component == images_.Get()) SetImages(nullptr);
}

void TToolBar::SetImages(TCustomImageList* images) {
    images_ = WeakPtr<TCustomImageList>(images);
    UpdateButtons();
}

void TToolBar::SetFlat(bool v) {
    if (v == flat_) return;
    flat_ = v;
    if (HandleAllocated()) {
        const LONG style = ::GetWindowLongW(Handle(), GWL_STYLE);
        ::SetWindowLongW(Handle(), GWL_STYLE, v ? style | TBSTYLE_FLAT : style & ~TBSTYLE_FLAT);
        ::InvalidateRect(Handle(), nullptr, TRUE);
    }
}

void TToolBar::SetShowCaptions(bool v) {
    if (v == showCaptions_) return;
    showCaptions_ = v;
    RecreateWnd();
}

void TToolBar::SetButtonWidth(int v) {
    buttonWidth_ = std::max(1, v);
    UpdateButtons();
}

void TToolBar::SetButtonHeight(int v) {
    buttonHeight_ = std::max(1, v);
    UpdateButtons();
}

TToolButton* TToolBar::FindButton(int commandId) const {
    for (TToolButton* b : buttons_)
        if (b->id_ == commandId) return b;
    return nullptr;
}

void TToolBar::InsertButton(TToolButton* button) {
    button->toolBar_ = this;
    button->id_ = nextId_++;
    buttons_.push_back(button);
    UpdateButtons();
}

void TToolBar::RemoveButton(TToolButton* button) {
    auto it = std::find(buttons_.begin(), buttons_.end(), button);
    if (it == buttons_.end()) return;
    buttons_.erase(it);
    button->toolBar_ = nullptr;
    if (!HasState(TComponentState::Destroying)) UpdateButtons();
}

void TToolBar::UpdateButtons() {
    if (!HandleAllocated() || Loading(*this)) return;
    HWND h = Handle();
    while (::SendMessageW(h, TB_DELETEBUTTON, 0, 0)) {
    }
    ::SendMessageW(h, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
    if (images_) ::SendMessageW(h, TB_SETBITMAPSIZE, 0, MAKELPARAM(images_->Width(), images_->Height()));
    for (TToolButton* b : buttons_) {
        // Kept alive for the call: the bar copies the text.
        std::wstring text = text::Widen(b->caption_);
        TBBUTTON tb{};
        tb.iBitmap = b->style_ == TToolButtonStyle::tbsSeparator || b->style_ == TToolButtonStyle::tbsDivider
                         ? 6
                         : (images_ ? b->imageIndex_ : I_IMAGENONE);
        tb.idCommand = b->id_;
        tb.fsState = BYTE((b->enabled_ ? TBSTATE_ENABLED : 0) | (b->down_ ? TBSTATE_CHECKED : 0));
        tb.fsStyle = BYTE(SystemStyle(b->style_) | (showCaptions_ || !text.empty() ? BTNS_SHOWTEXT : 0) | BTNS_AUTOSIZE);
        tb.iString = text.empty() ? -1 : reinterpret_cast<INT_PTR>(text.c_str());
        ::SendMessageW(h, TB_INSERTBUTTONW, WPARAM(b->Index()), reinterpret_cast<LPARAM>(&tb));
    }
    ::SendMessageW(h, TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
    ::SendMessageW(h, TB_AUTOSIZE, 0, 0);
    ::InvalidateRect(h, nullptr, TRUE);
}

void TToolBar::UpdateButton(TToolButton* b) {
    if (!HandleAllocated() || Loading(*this)) return;
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_STATE | TBIF_IMAGE;
    info.fsState = BYTE((b->enabled_ ? TBSTATE_ENABLED : 0) | (b->down_ ? TBSTATE_CHECKED : 0));
    info.iImage = images_ ? b->imageIndex_ : I_IMAGENONE;
    ::SendMessageW(Handle(), TB_SETBUTTONINFOW, WPARAM(b->id_), reinterpret_cast<LPARAM>(&info));
}

RECT TToolBar::ButtonRect(const TToolButton* button) {
    RECT r{};
    if (HandleAllocated() && button && button->toolBar_ == this)
        ::SendMessageW(Handle(), TB_GETRECT, WPARAM(button->id_), reinterpret_cast<LPARAM>(&r));
    return r;
}

void TToolBar::DropDown(TToolButton* button) {
    RECT r = ButtonRect(button);
    POINT p{r.left, r.bottom};
    ::ClientToScreen(Handle(), &p);
    if (TPopupMenu* menu = button->DropdownMenu()) {
        menu->PopupComponent = button;
        menu->Popup(p.x, p.y);
        return;
    }
    TrackMenuItem(button, p);
}

void TToolBar::TrackMenuItem(TToolButton* button, POINT at) {
    TMenuItem* item = button->MenuItem();
    if (!item || item->Count() == 0) return;
    TMenu* menu = item->GetParentMenu();
    // The sub-items live in their menu's handle; an item of no menu has none to show.
    if (!menu) return;
    item->InitiateActions();
    // The item's own sub-menu; the invisible root of a menu stands for the whole menu.
    HMENU shown = item->Parent() ? item->Handle() : menu->Handle();
    if (!shown) return;
    // The bar's form owns the menu and so draws owner-drawn items: the outermost control,
    // not the top-level window (an MDI child's is its frame's).
    TWinControl* form = TopParent();
    HWND owner = form && form->HandleAllocated() ? form->Handle() : ::GetAncestor(Handle(), GA_ROOT);
    // The chosen item runs once, here: no WM_COMMAND reaches any window.
    const UINT command =
        UINT(::TrackPopupMenu(shown, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr));
    if (!command) return;
    TMenuItem* chosen = TMenuItem::FromCommand(command);
    for (const TMenuItem* p = chosen; p; p = p->Parent())
        if (p == item) {
            chosen->Click();
            return;
        }
}

LRESULT TToolBar::CustomDraw(LPARAM lParam) {
    auto& cd = *reinterpret_cast<NMTBCUSTOMDRAW*>(lParam);
    const DWORD stage = cd.nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT) {
        LRESULT result = OnCustomDrawButton ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
        if (OnCustomDraw) {
            bool defaultDraw = true;
            canvas_.SetHandle(cd.nmcd.hdc);
            base::Guarded([&] { OnCustomDraw(this, cd.nmcd.rc, defaultDraw); });
            canvas_.SetHandle(nullptr);
            if (!defaultDraw) return CDRF_SKIPDEFAULT;
        }
        return result;
    }
    if (stage == CDDS_ITEMPREPAINT && OnCustomDrawButton) {
        TToolButton* button = FindButton(int(cd.nmcd.dwItemSpec));
        if (!button) return CDRF_DODEFAULT;
        TCustomDrawState state;
        const UINT s = cd.nmcd.uItemState;
        if (s & CDIS_SELECTED) state.Include(TCustomDrawStateItem::cdsSelected);
        if (s & CDIS_GRAYED) state.Include(TCustomDrawStateItem::cdsGrayed);
        if (s & CDIS_DISABLED) state.Include(TCustomDrawStateItem::cdsDisabled);
        if (s & CDIS_CHECKED) state.Include(TCustomDrawStateItem::cdsChecked);
        if (s & CDIS_FOCUS) state.Include(TCustomDrawStateItem::cdsFocused);
        if (s & CDIS_DEFAULT) state.Include(TCustomDrawStateItem::cdsDefault);
        if (s & CDIS_HOT) state.Include(TCustomDrawStateItem::cdsHot);
        if (s & CDIS_MARKED) state.Include(TCustomDrawStateItem::cdsMarked);
        if (s & CDIS_INDETERMINATE) state.Include(TCustomDrawStateItem::cdsIndeterminate);
        bool defaultDraw = true;
        canvas_.Font().SetColor(clBtnText);
        canvas_.SetHandle(cd.nmcd.hdc);
        base::Guarded([&] { OnCustomDrawButton(this, button, state, defaultDraw); });
        canvas_.SetHandle(nullptr);
        if (!defaultDraw) return CDRF_SKIPDEFAULT;
        cd.clrText = ColorToRGB(canvas_.Font().Color());
        // The handler gave the button its background: the bar adds image and caption only.
        return CDRF_DODEFAULT | TBCDRF_NOEDGES | TBCDRF_NOOFFSET | TBCDRF_NOBACKGROUND | TBCDRF_NOETCHEDEFFECT;
    }
    return CDRF_DODEFAULT;
}

void TToolBar::HandleMessage(TMessage& m) {
    switch (m.Msg) {
        case CN_COMMAND:
            if (TToolButton* b = FindButton(LOWORD(m.WParam))) {
                if (b->style_ == TToolButtonStyle::tbsCheck)
                    b->down_ = ::SendMessageW(Handle(), TB_ISBUTTONCHECKED, WPARAM(b->id_), 0) != 0;
                // A button that is only a way to its menu opens it.
                if (!b->OnClick && b->style_ != TToolButtonStyle::tbsDropDown && b->HasDropDown()) DropDown(b);
                else b->Click();
                m.Result = 0;
                return;
            }
            break;
        case CN_NOTIFY: {
            const auto* hdr = reinterpret_cast<const NMHDR*>(m.LParam);
            if (hdr->code == UINT(NM_CUSTOMDRAW)) {
                m.Result = CustomDraw(m.LParam);
                return;
            }
            if (hdr->code == UINT(TBN_DROPDOWN)) {
                const auto* n = reinterpret_cast<const NMTOOLBARW*>(m.LParam);
                if (TToolButton* b = FindButton(n->iItem)) DropDown(b);
                m.Result = TBDDRET_DEFAULT;
                return;
            }
            break;
        }
        default: break;
    }
    TWinControl::HandleMessage(m);
}

}  // namespace tv
