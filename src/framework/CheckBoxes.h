// Check boxes, radio buttons, group boxes and radio groups.
//
// The check state lives here, not in the window: the windows are the system's plain
// (non-automatic) check and radio buttons, and a click (BN_CLICKED) moves the state on
// once, so the picture, the property and OnClick never disagree.
#pragma once

#include <memory>
#include <vector>

#include "framework/Controls.h"
#include "framework/StdCtrls.h"
#include "framework/Strings.h"

namespace tv {

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
const TEnumInfo& CheckBoxStateType();

class TCustomCheckBox : public TButtonControl {
    TV_CLASS(TCustomCheckBox, TButtonControl)
    explicit TCustomCheckBox(TComponent* owner);

    TCheckBoxState State() const { return state_; }
    // Fires OnClick when the state changes (not while loading).
    void SetState(TCheckBoxState s);
    bool Checked() const { return state_ == TCheckBoxState::cbChecked; }
    void SetChecked(bool v) { SetState(v ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool v) { allowGrayed_ = v; }
    // taRightJustify: caption right of the box (the usual); taLeftJustify: left of it.
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);

    // What a click does: unchecked, (grayed when allowed,) checked, unchecked ...
    virtual void Toggle();

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void HandleMessage(TMessage& m) override;

private:
    TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = TAlignment::taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
    TV_CLASS(TCheckBox, TCustomCheckBox)
    using TCustomCheckBox::TCustomCheckBox;
};

// Checking one unchecks the radio buttons beside it (same parent).
class TRadioButton : public TButtonControl {
    TV_CLASS(TRadioButton, TButtonControl)
    explicit TRadioButton(TComponent* owner);

    bool Checked() const { return checked_; }
    // Checking fires OnClick (not while loading); unchecking does not.
    void SetChecked(bool v);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment a);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void HandleMessage(TMessage& m) override;

private:
    // The next (or previous) enabled, visible radio button beside this one, wrapping.
    TRadioButton* Neighbour(bool forward) const;
    bool checked_ = false;
    TAlignment alignment_ = TAlignment::taRightJustify;
};

// A frame with a caption on its top edge, holding other controls.
class TCustomGroupBox : public TCustomControl {
    TV_CLASS(TCustomGroupBox, TCustomControl)
    explicit TCustomGroupBox(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;
    void HandleMessage(TMessage& m) override;
};

class TGroupBox : public TCustomGroupBox {
    TV_CLASS(TGroupBox, TCustomGroupBox)
    using TCustomGroupBox::TCustomGroupBox;
};

// A group box that makes one radio button per line of Items, laid out in Columns;
// ItemIndex is the checked one (-1 none).
class TCustomRadioGroup : public TCustomGroupBox {
    TV_CLASS(TCustomRadioGroup, TCustomGroupBox)
    explicit TCustomRadioGroup(TComponent* owner);
    ~TCustomRadioGroup() override;

    TStrings& Items() { return *items_; }
    TStrings* ItemsPtr() { return items_.get(); }
    int ItemIndex() const { return itemIndex_; }
    // Checks that button; -1 unchecks all. Fires OnClick when it changes (not while loading).
    void SetItemIndex(int index);
    int Columns() const { return columns_; }
    void SetColumns(int n);
    int ButtonCount() const { return int(buttons_.size()); }
    TRadioButton* Buttons(int index) const { return buttons_.at(std::size_t(index)); }

    void Loaded() override;

protected:
    void HandleMessage(TMessage& m) override;

private:
    void UpdateButtons();
    void ArrangeButtons();
    void ButtonClicked(TRadioButton* button);
    std::unique_ptr<TStringList> items_;
    std::vector<TRadioButton*> buttons_;  // children, owned by this group
    int itemIndex_ = -1;
    int columns_ = 1;
    bool updating_ = false;
};

class TRadioGroup : public TCustomRadioGroup {
    TV_CLASS(TRadioGroup, TCustomRadioGroup)
    using TCustomRadioGroup::TCustomRadioGroup;
};

}  // namespace tv
