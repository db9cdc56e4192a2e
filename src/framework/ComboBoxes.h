// Combo boxes over the system COMBOBOX: an edit or a fixed field with a list that drops
// down (or stays open for csSimple).
#pragma once

#include <memory>

#include "framework/Controls.h"
#include "framework/Strings.h"

namespace tv {

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed };
const TEnumInfo& ComboBoxStyleType();

class TCustomComboBox;

// The items of a combo box: kept by the window when there is one, here otherwise.
class TComboBoxStrings : public TStrings {
    TV_CLASS(TComboBoxStrings, TStrings)
    explicit TComboBoxStrings(TCustomComboBox& owner) : owner_(owner) {}
    int Count() const override;
    std::string Get(int index) const override;
    TObject* Objects(int index) const override;
    void SetObject(int index, TObject* object) override;
    void Insert(int index, const std::string& s) override;
    void Delete(int index) override;
    void Clear() override;

private:
    friend class TCustomComboBox;
    HWND Window() const;
    void CheckIndex(int index, bool forInsert = false) const;
    TCustomComboBox& owner_;
    TStringList pending_;  // while there is no window
};

class TCustomComboBox : public TWinControl {
    TV_CLASS(TCustomComboBox, TWinControl)
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;

    TStrings& Items() { return *items_; }
    TStrings* ItemsPtr() { return items_.get(); }
    void SetItems(const TStrings& items) { items_->Assign(items); }
    int ItemIndex() const;
    void SetItemIndex(int index);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle v);
    // Items the open list shows before it needs a scroll bar.
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int v);
    bool Sorted() const { return sorted_; }
    void SetSorted(bool v);
    bool DroppedDown() const;
    void SetDroppedDown(bool v);
    // The list window (open or not), or null.
    HWND ListHandle() const;

    // A fixed-field combo (csDropDownList, csOwnerDrawFixed) shows the chosen item: its
    // text is that item's, and setting it chooses the item of that text (none if absent).
    std::string GetText() const override;
    void SetText(const std::string& v) override;

    // After the user changed the text or chose an item: once per choice.
    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void DestroyWnd() override;
    void HandleMessage(TMessage& m) override;
    bool ClicksOnMouseUp() const override { return false; }

private:
    friend class TComboBoxStrings;
    bool FixedField() const {
        return style_ == TComboBoxStyle::csDropDownList || style_ == TComboBoxStyle::csOwnerDrawFixed;
    }
    void FitDropDown();
    void DrawItem(const DRAWITEMSTRUCT& di);
    std::unique_ptr<TComboBoxStrings> items_;
    TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
    int dropDownCount_ = 8;
    bool sorted_ = false;
    int pendingIndex_ = -1;
    int indexAtDrop_ = -1;
    int reportedAtClose_ = -2;  // the choice OnChange told at the last close-up
    bool dropped_ = false;
    std::string pendingText_;
};

class TComboBox : public TCustomComboBox {
    TV_CLASS(TComboBox, TCustomComboBox)
    using TCustomComboBox::TCustomComboBox;
};

}  // namespace tv
