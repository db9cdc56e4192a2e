// A tool bar over the system's ToolbarWindow32 and its buttons. A button is a component of
// the tool bar, not a control: the system's bar draws and clicks it. A handler may draw the
// bar's background and each button (custom drawing), as skins do.
#pragma once

#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/Graphics.h"

namespace tv {

class TCustomImageList;
class TMenuItem;
class TPopupMenu;
class TToolBar;

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
const TEnumInfo& ToolButtonStyleType();

class TToolButton : public TComponent {
    TV_CLASS(TToolButton, TComponent)
    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;

    TToolBar* ToolBar() const { return toolBar_; }
    void SetToolBar(TToolBar* bar);
    // Place among the tool bar's buttons.
    int Index() const;

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& v);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle v);
    // A check button that is pressed in.
    bool Down() const;
    void SetDown(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    // Opened under the button by its arrow (drop-down style) or by a click (others).
    TPopupMenu* DropdownMenu() const { return dropdownMenu_.Get(); }
    void SetDropdownMenu(TPopupMenu* menu);
    // An item of a menu whose sub-items the button shows as its drop-down, where
    // DropdownMenu would be (a tool bar that mirrors the menu bar). DropdownMenu, when set
    // too, goes first.
    TMenuItem* MenuItem() const { return menuItem_.Get(); }
    void SetMenuItem(TMenuItem* item);
    // Whether the button has a drop-down to show (a menu, or an item with sub-items).
    bool HasDropDown() const;
    // The command the system's bar knows the button by.
    int CommandId() const { return id_; }

    TNotifyEvent OnClick;

    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    void Click();

private:
    friend class TToolBar;
    TToolBar* toolBar_ = nullptr;
    std::string caption_;
    int imageIndex_ = -1;
    TToolButtonStyle style_ = TToolButtonStyle::tbsButton;
    bool down_ = false;
    bool enabled_ = true;
    WeakPtr<TPopupMenu> dropdownMenu_;
    WeakPtr<TMenuItem> menuItem_;
    int id_ = 0;
};

enum class TCustomDrawStateItem {
    cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot, cdsMarked, cdsIndeterminate
};
using TCustomDrawState = TSet<TCustomDrawStateItem>;
using TTBCustomDrawEvent = TEvent<void(TToolBar* Sender, const RECT& ARect, bool& DefaultDraw)>;
using TTBCustomDrawBtnEvent =
    TEvent<void(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, bool& DefaultDraw)>;

class TToolBar : public TWinControl {
    TV_CLASS(TToolBar, TWinControl)
    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;

    int ButtonCount() const { return int(buttons_.size()); }
    TToolButton* Buttons(int index) const { return buttons_.at(std::size_t(index)); }
    TToolButton* FindButton(int commandId) const;
    // Where the button is, in the bar's client coordinates; empty when it is not shown.
    RECT ButtonRect(const TToolButton* button);

    TCustomImageList* Images() const { return images_.Get(); }
    void SetImages(TCustomImageList* images);
    // Buttons show no edge until the pointer is over them.
    bool Flat() const { return flat_; }
    void SetFlat(bool v);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool v);
    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int v);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int v);

    // Bound to the drawing DC while a custom-draw handler runs; its font colour becomes the
    // colour of the button's caption.
    TCanvas& Canvas() { return canvas_; }

    // Before the bar paints: the handler may draw the background of ARect.
    TTBCustomDrawEvent OnCustomDraw;
    // Before each button paints: the handler may draw its background; with DefaultDraw left
    // true the bar then draws only the button's image and caption over it.
    TTBCustomDrawBtnEvent OnCustomDrawButton;

    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void HandleMessage(TMessage& m) override;

private:
    friend class TToolButton;
    void InsertButton(TToolButton* button);
    void RemoveButton(TToolButton* button);
    // The buttons are written into the window again.
    void UpdateButtons();
    void UpdateButton(TToolButton* button);
    LRESULT CustomDraw(LPARAM customDraw);
    void DropDown(TToolButton* button);
    void TrackMenuItem(TToolButton* button, POINT at);
    std::vector<TToolButton*> buttons_;
    WeakPtr<TCustomImageList> images_;
    TCanvas canvas_;
    bool flat_ = false;
    bool showCaptions_ = false;
    int buttonWidth_ = 23, buttonHeight_ = 22;
    int nextId_ = 1;
    bool drawnByHandler_ = false;  // the current button's background came from the handler
};

}  // namespace tv
