// Standard controls: push button, list box, label.
#pragma once

#include <memory>

#include "framework/Controls.h"
#include "framework/Strings.h"

namespace tv {

class TButtonControl : public TWinControl {
    TV_CLASS(TButtonControl, TWinControl)
    explicit TButtonControl(TComponent* owner);

protected:
    bool ClicksOnMouseUp() const override { return false; }  // BN_CLICKED says it
};

class TButton : public TButtonControl {
    TV_CLASS(TButton, TButtonControl)
    explicit TButton(TComponent* owner);

    // Return presses the default button, Escape the cancel button of the form.
    bool Default() const { return default_; }
    void SetDefault(bool v);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }
    // Set on the form when clicked (a modal form then closes with it).
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int r) { modalResult_ = r; }

    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void HandleMessage(TMessage& m) override;

private:
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
};

class TCustomListBox;

// The items of a list box: kept by the window when there is one, here otherwise.
class TListBoxStrings : public TStrings {
    TV_CLASS(TListBoxStrings, TStrings)
    explicit TListBoxStrings(TCustomListBox& owner) : owner_(owner) {}
    int Count() const override;
    std::string Get(int index) const override;
    TObject* Objects(int index) const override;
    void SetObject(int index, TObject* object) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;

private:
    friend class TCustomListBox;
    HWND Window() const;
    void CheckIndex(int index, bool forInsert = false) const;
    TCustomListBox& owner_;
    TStringList pending_;  // while there is no window
};

class TCustomListBox : public TWinControl {
    TV_CLASS(TCustomListBox, TWinControl)
    explicit TCustomListBox(TComponent* owner);
    ~TCustomListBox() override;

    TStrings& Items() { return *items_; }
    TStrings* ItemsPtr() { return items_.get(); }
    void SetItems(const TStrings& items) { items_->Assign(items); }
    int ItemIndex() const;
    void SetItemIndex(int index);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int h);
    // Width in pixels the items can be scrolled across; wider than the box, it shows
    // a horizontal scroll bar. 0: none.
    int ScrollWidth() const { return scrollWidth_; }
    void SetScrollWidth(int w);
    void Clear() { items_->Clear(); }
    int Count() const { return items_->Count(); }

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void DestroyWnd() override;
    void HandleMessage(TMessage& m) override;
    bool ClicksOnMouseUp() const override { return false; }  // LBN_SELCHANGE says it

private:
    friend class TListBoxStrings;
    std::unique_ptr<TListBoxStrings> items_;
    int itemHeight_ = 16;
    int scrollWidth_ = 0;
    int pendingIndex_ = -1;
};

class TListBox : public TCustomListBox {
    TV_CLASS(TListBox, TCustomListBox)
    using TCustomListBox::TCustomListBox;
};

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
const TEnumInfo& AlignmentType();

// A control's own border: none, or the sunken client edge.
enum class TBorderStyle { bsNone, bsSingle };
const TEnumInfo& BorderStyleType();

// A windowless caption painted by its parent.
class TCustomLabel : public TGraphicControl {
    TV_CLASS(TCustomLabel, TGraphicControl)
    explicit TCustomLabel(TComponent* owner);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool v);

    void Loaded() override;

protected:
    void Paint() override;
    void HandleMessage(TMessage& m) override;
    UINT TextFlags() const;
    void AdjustBounds();

private:
    bool autoSize_ = true;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool transparent_ = false;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
};

class TLabel : public TCustomLabel {
    TV_CLASS(TLabel, TCustomLabel)
    using TCustomLabel::TCustomLabel;
};

}  // namespace tv
