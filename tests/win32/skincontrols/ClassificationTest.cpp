// Which skinner each child control is given: by class and inheritance for framework
// controls, by window class and style for a bare dialog's windows, steered by SkinControls,
// DisableTag and the Skin3rd mapping. The names asked for are watched, whether or not a
// skinner of that name exists yet.
#include <gtest/gtest.h>

#include <algorithm>

#include "ControlsTestUtil.h"
#include "framework/Buttons.h"
#include "framework/Edits.h"
#include "framework/ScrollBars.h"
#include "framework/ScrollBox.h"
#include "skin/controls/ButtonSkinners.h"
#include "skin/core/WinSkinData.h"
#include "skin/core/WinSkinDlg.h"
#include "skin/forms/ControlClassification.h"

using namespace skin;
using namespace skintest;
using X = TSkinControlType;

// Classes of other kinds, named as the classification knows them.
namespace standin {

class TCustomRadioGroup : public tv::TCustomPanel {
    TV_CLASS(TCustomRadioGroup, tv::TCustomPanel)
    using TCustomPanel::TCustomPanel;
};
class TRadioGroup : public TCustomRadioGroup {
    TV_CLASS(TRadioGroup, TCustomRadioGroup)
    using TCustomRadioGroup::TCustomRadioGroup;
};
class TRadioButton : public tv::TButton {
    TV_CLASS(TRadioButton, tv::TButton)
    using TButton::TButton;
};
class TGridList : public tv::TListBox {
    TV_CLASS(TGridList, tv::TListBox)
    using TListBox::TListBox;
};
class TFancyPanel : public tv::TPanel {
    TV_CLASS(TFancyPanel, tv::TPanel)
    using TPanel::TPanel;
};

#define STANDIN_CLASS(T)                                                                    \
    const tv::TClassInfo& T::StaticClass() {                                                \
        static const tv::TClassInfo info = tv::DescribeClass<T>(#T).Done();                 \
        return info;                                                                        \
    }
STANDIN_CLASS(TCustomRadioGroup)
STANDIN_CLASS(TRadioGroup)
STANDIN_CLASS(TRadioButton)
STANDIN_CLASS(TGridList)
STANDIN_CLASS(TFancyPanel)
#undef STANDIN_CLASS

}  // namespace standin

namespace {

template <class T>
T* Place(tv::TWinControl* parent, tv::TComponent* owner, int left, int top, int width = 90, int height = 30) {
    auto* c = new T(owner);
    c->SetParent(parent);
    c->SetBounds(left, top, width, height);
    return c;
}

bool Skinned(tv::TWinControl* c) { return ::SendMessageW(c->Handle(), SKM_ISSKINNED, 0, 0) == 1; }

using Names = std::vector<std::string>;

bool Contains(const Names& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

TEST(Classification, EachButtonSkinnerNameMakesThatClass) {
    InstallControlsOnce();
    for (const char* name : {"TSkinButton", "TSkinBitButton", "TSkinMenuButton", "TSkinSpeedButton"}) {
        std::unique_ptr<TChildSkinner> s(CreateChildSkinner(name, nullptr));
        ASSERT_TRUE(s) << name;
        EXPECT_EQ(s->ClassName(), name);
    }
    EXPECT_FALSE(CreateChildSkinner("TSkinNothing", nullptr));
}

TEST(Classification, ARadioGroupWithTheDisableTagKeepsItselfAndItsButtonsStock) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    tv::TForm* form = MakeForm("Groups", 420, 200);
    auto* off = Place<standin::TRadioGroup>(form, form, 10, 10, 180, 120);
    off->SetTag(data->DisableTag);
    auto* offA = Place<standin::TRadioButton>(off, form, 10, 20);
    auto* offB = Place<standin::TRadioButton>(off, form, 10, 60);
    auto* on = Place<standin::TRadioGroup>(form, form, 210, 10, 180, 120);
    auto* onA = Place<standin::TRadioButton>(on, form, 10, 20);
    RequestLog log;
    auto* skinner = new TWinSkinForm(form, form->Handle());
    skinner->AttachForm(data.get(), form);
    Activate(*skinner);

    EXPECT_TRUE(log.For(off).empty());
    EXPECT_TRUE(log.For(offA).empty());
    EXPECT_TRUE(log.For(offB).empty());
    EXPECT_EQ(offA->Tag(), data->DisableTag);
    EXPECT_FALSE(Skinned(offA));
    EXPECT_TRUE(Contains(log.For(on), "TSkinGroupBox"));
    EXPECT_FALSE(Contains(log.For(on), "TSkinBox")) << "a radio group is no plain panel";
    EXPECT_TRUE(Contains(log.For(onA), "TSkinRadioButton"));
    EXPECT_FALSE(Contains(log.For(onA), "TSkinButton"));
    delete form;
}

TEST(Classification, ASkin3rdLineBeatsInheritanceAndNilKeepsTheControlStock) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    data->Skin3rd().Add("TGridList=NIL");
    data->Skin3rd().Add("tfancypanel=Button");
    tv::TForm* form = MakeForm("Mapping", 420, 200);
    auto* mapped = Place<standin::TGridList>(form, form, 10, 10, 120, 100);
    auto* plain = Place<tv::TListBox>(form, form, 140, 10, 120, 100);
    auto* fancy = Place<standin::TFancyPanel>(form, form, 270, 10, 120, 40);
    RequestLog log;
    auto* skinner = new TWinSkinForm(form, form->Handle());
    skinner->AttachForm(data.get(), form);
    Activate(*skinner);

    EXPECT_TRUE(log.For(mapped).empty()) << "mapped to nil though it is a list box";
    // Asked for in the walk of the form's controls and, not skinned then, again in tab order.
    const Names forPlain = log.For(plain);
    EXPECT_FALSE(forPlain.empty());
    EXPECT_EQ(std::count(forPlain.begin(), forPlain.end(), "TSkinScrollbar"), std::ptrdiff_t(forPlain.size()));
    EXPECT_EQ(log.For(fancy), Names{"TSkinButton"}) << "the mapping, not the panel row";
    EXPECT_TRUE(Skinned(fancy));
    delete form;
}

TEST(Classification, AGlyphButtonNeverGetsThePlainButtonSkinner) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("slate");
    ASSERT_TRUE(data && !data->SkinEmpty);
    for (bool bitBtns : {false, true}) {
        SCOPED_TRACE(bitBtns);
        if (bitBtns) data->SkinControls.Include(X::xcBitBtn);
        else data->SkinControls.Exclude(X::xcBitBtn);
        tv::TForm* form = MakeForm("Glyphs", 300, 120);
        auto* glyph = Place<tv::TBitBtn>(form, form, 10, 10);
        auto* plain = Place<tv::TButton>(form, form, 110, 10);
        auto* speed = Place<tv::TSpeedButton>(form, form, 210, 10);
        RequestLog log;
        auto* skinner = new TWinSkinForm(form, form->Handle());
        skinner->AttachForm(data.get(), form);
        Activate(*skinner);
        EXPECT_EQ(log.For(glyph), bitBtns ? Names{"TSkinBitButton"} : Names{});
        EXPECT_EQ(Skinned(glyph), bitBtns);
        EXPECT_EQ(log.For(plain), Names{"TSkinButton"});
        EXPECT_TRUE(Skinned(plain));
        // The windowless tool button gets its own skinner, attached without a window.
        EXPECT_EQ(log.For(speed), Names{"TSkinSpeedButton"});
        bool listed = false;
        for (int i = 0; i < skinner->SkinnerCount(); ++i)
            listed = listed || skinner->Skinners(i)->SkinnedControl() == speed;
        EXPECT_TRUE(listed);
        delete form;
    }
}

TEST(Classification, ABareDialogsButtonsByTheirStyle) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    enum : WORD { kOwner = 101, kGroup, kCheck, kThreeState, kRadio, kSplit, kPush };
    const std::vector<DialogItem> items = {
        {BS_OWNERDRAW, 10, 10, 60, 14, kOwner, L"Owner"},
        {BS_GROUPBOX, 80, 4, 90, 50, kGroup, L"Group"},
        {WS_TABSTOP | BS_AUTOCHECKBOX, 10, 30, 60, 12, kCheck, L"Check"},
        {WS_TABSTOP | BS_AUTO3STATE, 10, 46, 60, 12, kThreeState, L"Three"},
        {WS_TABSTOP | BS_AUTORADIOBUTTON, 10, 62, 60, 12, kRadio, L"Radio"},
        {WS_TABSTOP | BS_SPLITBUTTON, 80, 62, 70, 16, kSplit, L"Split"},
        {WS_TABSTOP | BS_DEFPUSHBUTTON, 80, 90, 60, 16, kPush, L"Push"},
    };
    for (bool checkBoxes : {true, false}) {
        SCOPED_TRACE(checkBoxes);
        if (checkBoxes) data->SkinControls.Include(X::xcCheckBox);
        else data->SkinControls.Exclude(X::xcCheckBox);
        const HWND dialog = MakeButtonDialog(L"Styles", items);
        ASSERT_TRUE(dialog);
        RequestLog log;
        TWinSkinForm skinner(nullptr, dialog);
        skinner.AttachWindow(data.get());
        Activate(skinner);
        auto asked = [&](WORD id) { return log.For(::GetDlgItem(dialog, id)); };
        EXPECT_EQ(asked(kOwner), Names{});
        EXPECT_EQ(asked(kGroup), Names{});
        EXPECT_EQ(asked(kCheck), checkBoxes ? Names{"TSkinCheckBox"} : Names{});
        EXPECT_EQ(asked(kThreeState), checkBoxes ? Names{"TSkinCheckBox"} : Names{});
        EXPECT_EQ(asked(kRadio), Names{"TSkinRadioButton"});
        EXPECT_EQ(asked(kSplit), Names{"TSkinButton"}) << "a split button is a push button";
        EXPECT_EQ(asked(kPush), Names{"TSkinButton"});
        EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog, kPush), SKM_ISSKINNED, 0, 0), 1);
        EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog, kOwner), SKM_ISSKINNED, 0, 0), 0);

        // A button made after the set-up is classified alone, as the manager's hook asks.
        const HWND late = ::CreateWindowExW(0, L"BUTTON", L"Late", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 200, 10,
                                            70, 24, dialog, nullptr, nullptr, nullptr);
        skinner.AttachChildSkinner(late);
        EXPECT_EQ(log.For(late), Names{"TSkinButton"});
        EXPECT_EQ(::SendMessageW(late, SKM_ISSKINNED, 0, 0), 1);
        ::DestroyWindow(dialog);
    }
}

TEST(Classification, TheHostsOwnSkinnerFromOnSkinControlTakesThePlaceOfTheTables) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    tv::TForm* form = MakeForm("Own skinner", 300, 120);
    auto* panel = Place<tv::TPanel>(form, form, 10, 10, 120, 40);
    std::vector<std::string> asked;
    data->OnSkinControl = [&](tv::TComponent* sender, TSkinData*, tv::TControl*, tv::TControl* control,
                              const std::string& cls, tv::TComponent*& skinned) {
        asked.push_back(cls);
        EXPECT_TRUE(dynamic_cast<TWinSkinForm*>(sender));
        if (control == panel) skinned = new TSkinButton(panel);
    };
    RequestLog log;
    auto* skinner = new TWinSkinForm(form, form->Handle());
    skinner->AttachForm(data.get(), form);
    Activate(*skinner);
    EXPECT_TRUE(std::find(asked.begin(), asked.end(), "TPANEL") != asked.end()) << "the class name in capitals";
    EXPECT_TRUE(log.For(panel).empty()) << "no table row was asked";
    EXPECT_TRUE(Skinned(panel));
    ASSERT_TRUE(skinner->FindSkinner(panel->Handle()));
    EXPECT_EQ(skinner->FindSkinner(panel->Handle())->ClassName(), "TSkinButton");
    data->OnSkinControl = {};
    delete form;
}

TEST(Classification, MemosScrollBarsAndEditsByTheFirstRowThatHolds) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    for (bool scrollBars : {true, false}) {
        SCOPED_TRACE(scrollBars);
        if (scrollBars) data->SkinControls.Include(X::xcScrollbar);
        else data->SkinControls.Exclude(X::xcScrollbar);
        tv::TForm* form = MakeForm("Rows", 420, 200);
        auto* memo = Place<tv::TMemo>(form, form, 10, 10, 120, 80);
        auto* edit = Place<tv::TEdit>(form, form, 140, 10, 120, 24);
        auto* bar = Place<tv::TScrollBar>(form, form, 270, 10, 120, 18);
        auto* box = Place<tv::TScrollBox>(form, form, 10, 100, 120, 80);
        RequestLog log;
        auto* skinner = new TWinSkinForm(form, form->Handle());
        skinner->AttachForm(data.get(), form);
        Activate(*skinner);
        const auto first = [&](tv::TControl* c) {
            const Names n = log.For(c);
            return n.empty() ? std::string() : n.front();
        };
        // With scroll bars skinned a memo's bars come first; without, it is an edit like any other.
        EXPECT_EQ(first(memo), scrollBars ? "TSkinScrollbar" : "TSkinEdit");
        EXPECT_EQ(first(edit), "TSkinEdit");
        EXPECT_EQ(first(bar), scrollBars ? "TSkinScControl" : "");
        EXPECT_EQ(first(box), scrollBars ? "TSkinScrollbar" : "");
        delete form;
    }
}
