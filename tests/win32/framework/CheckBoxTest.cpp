// Check boxes, radio buttons and radio groups: read from a description, their state by
// name, driven by the mouse and the keyboard as a user would, one OnClick for each change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestForms.h"

using namespace tv;

class TCheckForm : public TForm {
    TV_CLASS(TCheckForm, TForm)
    using TForm::TForm;

    TCheckBox* CheckBox1 = nullptr;
    TCheckBox* CheckBox2 = nullptr;
    TRadioButton* Radio1 = nullptr;
    TRadioButton* Radio2 = nullptr;
    TRadioButton* Radio3 = nullptr;
    TRadioButton* Radio4 = nullptr;
    TRadioGroup* RadioGroup1 = nullptr;

    std::vector<std::string> clicks;
    void BoxClick(TObject* Sender) { clicks.push_back(static_cast<TComponent*>(Sender)->Name()); }
    void RadioClick(TObject* Sender) { clicks.push_back(static_cast<TComponent*>(Sender)->Name()); }
    void GroupClick(TObject*) { clicks.push_back("group:" + std::to_string(RadioGroup1->ItemIndex())); }
};

const TClassInfo& TCheckForm::StaticClass() {
    static const TClassInfo info = DescribeClass<TCheckForm>("TCheckForm")
                                       .Field("CheckBox1", &TCheckForm::CheckBox1)
                                       .Field("CheckBox2", &TCheckForm::CheckBox2)
                                       .Field("Radio1", &TCheckForm::Radio1)
                                       .Field("Radio2", &TCheckForm::Radio2)
                                       .Field("Radio3", &TCheckForm::Radio3)
                                       .Field("Radio4", &TCheckForm::Radio4)
                                       .Field("RadioGroup1", &TCheckForm::RadioGroup1)
                                       .Handler("BoxClick", &TCheckForm::BoxClick)
                                       .Handler("RadioClick", &TCheckForm::RadioClick)
                                       .Handler("GroupClick", &TCheckForm::GroupClick)
                                       .Done();
    return info;
}

namespace {

struct CheckForm {
    TCheckForm* form = CreateComponent<TCheckForm>(Application);
    CheckForm() {
        BringToFrontAndWait(*form);
        form->clicks.clear();
    }
    ~CheckForm() {
        delete form;
        Pump(10);
    }
    TCheckForm* operator->() const { return form; }
};

// A press and release in the middle of a window, as the mouse gives them.
void ClickWindow(HWND wnd) {
    RECT r;
    ::GetClientRect(wnd, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    ::SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(wnd, WM_LBUTTONUP, 0, at);
    Pump(20);
}

LRESULT WindowCheck(TWinControl& c) { return ::SendMessageW(c.Handle(), BM_GETCHECK, 0, 0); }

}  // namespace

TEST(CheckBoxes, DescriptionStatesReadByNameAndShownByTheWindows) {
    CheckForm f;
    EXPECT_EQ(GetEnumPropByName(f->CheckBox2, "State"), "cbGrayed");
    EXPECT_EQ(GetEnumPropByName(f->CheckBox2, "Checked"), "False");
    EXPECT_EQ(GetEnumPropByName(f->CheckBox2, "Alignment"), "taLeftJustify");
    EXPECT_EQ(WindowCheck(*f->CheckBox2), BST_INDETERMINATE);
    EXPECT_TRUE(::GetWindowLongW(f->CheckBox2->Handle(), GWL_STYLE) & BS_LEFTTEXT);
    EXPECT_EQ(WindowCheck(*f->CheckBox1), BST_UNCHECKED);
    EXPECT_EQ(GetEnumPropByName(f->Radio1, "Checked"), "True");
    EXPECT_EQ(WindowCheck(*f->Radio1), BST_CHECKED);

    SetPropByName(f->CheckBox1, "State", "cbChecked");
    EXPECT_TRUE(f->CheckBox1->Checked());
    EXPECT_EQ(WindowCheck(*f->CheckBox1), BST_CHECKED);
    SetPropByName(f->CheckBox1, "Checked", "False");
    EXPECT_EQ(f->CheckBox1->State(), TCheckBoxState::cbUnchecked);
    EXPECT_EQ(WindowCheck(*f->CheckBox1), BST_UNCHECKED);
    // A program that sets the window's check directly is followed by the property.
    ::SendMessageW(f->CheckBox1->Handle(), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(GetEnumPropByName(f->CheckBox1, "State"), "cbChecked");
    EXPECT_EQ(f->clicks, (std::vector<std::string>{"CheckBox1", "CheckBox1", "CheckBox1"}));
}

TEST(CheckBoxes, EachClickAndSpaceMovesTheStateOnOnceWithOneOnClick) {
    CheckForm f;
    // Two states without AllowGrayed.
    ClickWindow(f->CheckBox1->Handle());
    EXPECT_EQ(f->CheckBox1->State(), TCheckBoxState::cbChecked);
    ClickWindow(f->CheckBox1->Handle());
    EXPECT_EQ(f->CheckBox1->State(), TCheckBoxState::cbUnchecked);
    EXPECT_EQ(f->clicks, (std::vector<std::string>{"CheckBox1", "CheckBox1"}));
    // Three with it: grayed -> checked -> unchecked -> grayed, the window in step.
    f->clicks.clear();
    std::vector<LRESULT> shown;
    for (int i = 0; i < 3; ++i) {
        ClickWindow(f->CheckBox2->Handle());
        shown.push_back(WindowCheck(*f->CheckBox2));
    }
    EXPECT_EQ(shown, (std::vector<LRESULT>{BST_CHECKED, BST_UNCHECKED, BST_INDETERMINATE}));
    EXPECT_EQ(f->clicks.size(), 3u);
    // Space on the focused box, through the message loop.
    f->clicks.clear();
    f->CheckBox1->SetFocus();
    Pump(20);
    PressKey(VK_SPACE);
    EXPECT_EQ(f->CheckBox1->State(), TCheckBoxState::cbChecked);
    EXPECT_EQ(f->clicks, (std::vector<std::string>{"CheckBox1"}));
    // A real click by the mouse.
    f->clicks.clear();
    ClickAt(ScreenCenterOf(*f->CheckBox1));
    PumpUntil([&] { return !f->clicks.empty(); }, 1000);
    EXPECT_EQ(f->CheckBox1->State(), TCheckBoxState::cbUnchecked);
    EXPECT_EQ(f->clicks, (std::vector<std::string>{"CheckBox1"}));
}

TEST(RadioButtons, CheckingOneUnchecksItsNeighboursAndArrowsMoveTheCheck) {
    CheckForm f;
    ClickWindow(f->Radio2->Handle());
    EXPECT_TRUE(f->Radio2->Checked());
    EXPECT_FALSE(f->Radio1->Checked());
    EXPECT_EQ(WindowCheck(*f->Radio1), BST_UNCHECKED);
    EXPECT_EQ(WindowCheck(*f->Radio2), BST_CHECKED);
    // Clicking the checked one changes nothing and says nothing.
    ClickWindow(f->Radio2->Handle());
    EXPECT_EQ(f->clicks, (std::vector<std::string>{"Radio2"}));
    // The group's own buttons are not the form's neighbours.
    EXPECT_EQ(f->RadioGroup1->ItemIndex(), 1);

    // Down from the second skips the disabled third; up from the first wraps to the last.
    f->clicks.clear();
    f->Radio2->SetFocus();
    Pump(20);
    PressKey(VK_DOWN);
    EXPECT_TRUE(f->Radio4->Checked());
    EXPECT_FALSE(f->Radio2->Checked());
    EXPECT_FALSE(f->Radio3->Checked());
    EXPECT_EQ(::GetFocus(), f->Radio4->Handle());
    PressKey(VK_RIGHT);
    EXPECT_TRUE(f->Radio1->Checked());
    PressKey(VK_UP);
    EXPECT_TRUE(f->Radio4->Checked());
    EXPECT_EQ(f->clicks, (std::vector<std::string>{"Radio4", "Radio1", "Radio4"}));
    int checked = 0;
    for (TRadioButton* r : {f->Radio1, f->Radio2, f->Radio3, f->Radio4}) checked += WindowCheck(*r) == BST_CHECKED;
    EXPECT_EQ(checked, 1);
}

TEST(RadioGroups, ItemIndexAndTheButtonsFollowEachOther) {
    CheckForm f;
    TRadioGroup& g = *f->RadioGroup1;
    ASSERT_EQ(g.ButtonCount(), 4);
    EXPECT_EQ(GetIntPropByName(&g, "ItemIndex"), 1);
    EXPECT_EQ(WindowCheck(*g.Buttons(1)), BST_CHECKED);
    EXPECT_EQ(GetTextPropByName(g.Buttons(3), "Caption"), "West");
    // Two columns: the third item starts the second column, beside the first.
    EXPECT_GT(g.Buttons(2)->Left(), g.Buttons(0)->Left());
    EXPECT_EQ(g.Buttons(2)->Top(), g.Buttons(0)->Top());
    EXPECT_GT(g.Buttons(1)->Top(), g.Buttons(0)->Top());

    // The buttons set ItemIndex, once per change.
    ClickWindow(g.Buttons(3)->Handle());
    EXPECT_EQ(g.ItemIndex(), 3);
    EXPECT_FALSE(g.Buttons(1)->Checked());
    ClickWindow(g.Buttons(3)->Handle());
    EXPECT_EQ(f->clicks, (std::vector<std::string>{"group:3"}));
    // ItemIndex sets the buttons; an index past the items checks none.
    f->clicks.clear();
    SetPropByName(&g, "ItemIndex", "0");
    EXPECT_TRUE(g.Buttons(0)->Checked());
    EXPECT_EQ(WindowCheck(*g.Buttons(3)), BST_UNCHECKED);
    g.SetItemIndex(9);
    EXPECT_EQ(g.ItemIndex(), -1);
    for (int i = 0; i < g.ButtonCount(); ++i) EXPECT_FALSE(g.Buttons(i)->Checked()) << i;
    EXPECT_EQ(f->clicks, (std::vector<std::string>{"group:0", "group:-1"}));
    // Arrow keys inside the group move its index.
    g.SetItemIndex(0);
    g.Buttons(0)->SetFocus();
    Pump(20);
    PressKey(VK_DOWN);
    EXPECT_EQ(g.ItemIndex(), 1);
    // Items added later get buttons; removed items take theirs away and the index with them.
    g.Items().Add("Centre");
    EXPECT_EQ(g.ButtonCount(), 5);
    EXPECT_EQ(g.ItemIndex(), 1);
    while (g.Items().Count() > 1) g.Items().Delete(g.Items().Count() - 1);
    EXPECT_EQ(g.ButtonCount(), 1);
    EXPECT_EQ(g.ItemIndex(), -1);
    // A disabled group disables its buttons.
    g.SetEnabled(false);
    EXPECT_FALSE(::IsWindowEnabled(g.Buttons(0)->Handle()));
}
