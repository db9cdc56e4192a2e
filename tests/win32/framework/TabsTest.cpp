// Page controls and tab controls: sheets and tabs read from a description, switched by a
// real click on a tab, by Ctrl+Tab and by code, with one OnChange for each change the
// user makes and none for code's.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "TestForms.h"
#include "framework/Tabs.h"

using namespace tv;

class TTabsForm : public TForm {
    TV_CLASS(TTabsForm, TForm)
    using TForm::TForm;

    TPageControl* Pages = nullptr;
    TTabSheet* First = nullptr;
    TTabSheet* Second = nullptr;
    TTabSheet* Hidden = nullptr;
    TTabSheet* Third = nullptr;
    TEdit* FirstEdit = nullptr;
    TButton* SecondButton = nullptr;
    TTabControl* Tabs1 = nullptr;

    std::vector<std::string> events;
    bool allowChange = true;
    void PagesChange(TObject*) { events.push_back("change:" + Pages->ActivePage()->Name()); }
    void PagesChanging(TObject*, bool& allow) {
        events.push_back("changing:" + Pages->ActivePage()->Name());
        allow = allowChange;
    }
    void TabsChange(TObject*) { events.push_back("tabs:" + std::to_string(Tabs1->TabIndex())); }
};

const TClassInfo& TTabsForm::StaticClass() {
    static const TClassInfo info = DescribeClass<TTabsForm>("TTabsForm")
                                       .Field("Pages", &TTabsForm::Pages)
                                       .Field("First", &TTabsForm::First)
                                       .Field("Second", &TTabsForm::Second)
                                       .Field("Hidden", &TTabsForm::Hidden)
                                       .Field("Third", &TTabsForm::Third)
                                       .Field("FirstEdit", &TTabsForm::FirstEdit)
                                       .Field("SecondButton", &TTabsForm::SecondButton)
                                       .Field("Tabs1", &TTabsForm::Tabs1)
                                       .Handler("PagesChange", &TTabsForm::PagesChange)
                                       .Handler("PagesChanging", &TTabsForm::PagesChanging)
                                       .Handler("TabsChange", &TTabsForm::TabsChange)
                                       .Done();
    return info;
}

namespace {

struct TabsForm {
    TTabsForm* form = CreateComponent<TTabsForm>(Application);
    TabsForm() {
        BringToFrontAndWait(*form);
        form->events.clear();
    }
    ~TabsForm() {
        delete form;
        Pump(10);
    }
    TTabsForm* operator->() const { return form; }
};

// The screen point in the middle of tab index of a tab control.
POINT TabCentre(TWinControl& tabs, int index) {
    RECT r{};
    ::SendMessageW(tabs.Handle(), TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ::ClientToScreen(tabs.Handle(), &p);
    return p;
}

std::wstring TabText(TWinControl& tabs, int index) {
    wchar_t buffer[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 64;
    ::SendMessageW(tabs.Handle(), TCM_GETITEMW, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

int CurrentTab(TWinControl& tabs) { return int(::SendMessageW(tabs.Handle(), TCM_GETCURSEL, 0, 0)); }

// Ctrl+Tab (with Shift: backwards) typed on the keyboard.
void CtrlTab(bool shift) {
    std::vector<INPUT> in;
    auto key = [&](WORD vk, bool up) {
        INPUT i{};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = vk;
        i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        in.push_back(i);
    };
    key(VK_CONTROL, false);
    if (shift) key(VK_SHIFT, false);
    key(VK_TAB, false);
    key(VK_TAB, true);
    if (shift) key(VK_SHIFT, true);
    key(VK_CONTROL, true);
    ::SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
    Pump(150);
}

}  // namespace

TEST(PageControl, SheetsFromTheDescriptionBecomeTabsAndOnlyTheActiveOneShows) {
    TabsForm f;
    TPageControl& pages = *f->Pages;
    ASSERT_EQ(pages.PageCount(), 4);
    EXPECT_EQ(pages.Pages(2), f->Hidden);
    // The sheet without a tab has none; the tabs follow the other sheets' order.
    ASSERT_EQ(::SendMessageW(pages.Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(TabText(pages, 0), L"First");
    EXPECT_EQ(TabText(pages, 2), L"Third");
    // The stored active page, shown, the others hidden, over the display area.
    EXPECT_EQ(pages.ActivePage(), f->Second);
    EXPECT_EQ(CurrentTab(pages), 1);
    EXPECT_EQ(pages.TabIndex(), 1);
    EXPECT_TRUE(::IsWindowVisible(f->Second->Handle()));
    EXPECT_FALSE(::IsWindowVisible(f->First->Handle()));
    EXPECT_FALSE(f->Third->HandleAllocated() && ::IsWindowVisible(f->Third->Handle()));
    const RECT display = pages.DisplayRect();
    EXPECT_EQ(f->Second->Left(), display.left);
    EXPECT_EQ(f->Second->Top(), display.top);
    EXPECT_EQ(f->Second->Width(), display.right - display.left);
    EXPECT_GT(display.top, 10) << "tabs on top take room above the sheets";

    // By code: no OnChange; the index of a page counts the hidden one.
    pages.SetActivePageIndex(3);
    EXPECT_EQ(pages.ActivePage(), f->Third);
    EXPECT_EQ(CurrentTab(pages), 2);
    EXPECT_TRUE(f->events.empty());
    // A sheet whose tab goes away gives the place to the next one with a tab.
    f->Third->SetTabVisible(false);
    EXPECT_EQ(pages.ActivePage(), f->First);
    EXPECT_EQ(::SendMessageW(pages.Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
    f->Hidden->SetTabVisible(true);
    f->Hidden->SetPageIndex(0);
    EXPECT_EQ(TabText(pages, 0), L"Hidden");
    EXPECT_EQ(pages.ActivePage(), f->First);
    EXPECT_EQ(CurrentTab(pages), 1) << "the active sheet keeps its tab selected when tabs move";
    // A sheet freed while active: the control goes on with another, and its tab is gone.
    delete f->First;
    f->First = nullptr;
    EXPECT_EQ(pages.PageCount(), 3);
    ASSERT_NE(pages.ActivePage(), nullptr);
    EXPECT_EQ(::SendMessageW(pages.Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
}

TEST(PageControl, AClickOnATabAndCtrlTabSwitchPagesWithOneChangeEach) {
    TabsForm f;
    TPageControl& pages = *f->Pages;
    ClickAt(TabCentre(pages, 2));
    ASSERT_TRUE(PumpUntil([&] { return pages.ActivePage() == f->Third; })) << "the click chose no tab";
    Pump(100);
    EXPECT_EQ((std::vector<std::string>{"changing:Second", "change:Third"}), f->events);
    EXPECT_TRUE(::IsWindowVisible(f->Third->Handle()));
    EXPECT_FALSE(::IsWindowVisible(f->Second->Handle()));

    // Ctrl+Tab from a control on the sheet: the next sheet with a tab, wrapping round and
    // passing over the one without; the focus leaves the sheet that went out of sight.
    f->events.clear();
    pages.SetActivePage(f->Second);
    f->SecondButton->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return f->SecondButton->Focused(); }));
    CtrlTab(false);
    ASSERT_TRUE(PumpUntil([&] { return pages.ActivePage() == f->Third; })) << "Ctrl+Tab did not switch";
    EXPECT_FALSE(f->SecondButton->Focused()) << "the focus stayed on a hidden sheet";
    CtrlTab(false);
    EXPECT_TRUE(PumpUntil([&] { return pages.ActivePage() == f->First; })) << "wraps round past the hidden sheet";
    CtrlTab(true);
    EXPECT_TRUE(PumpUntil([&] { return pages.ActivePage() == f->Third; })) << "Ctrl+Shift+Tab goes back";
    EXPECT_EQ((std::vector<std::string>{"changing:Second", "change:Third", "changing:Third", "change:First",
                                        "changing:First", "change:Third"}),
              f->events);

    // OnChanging may refuse: neither a click nor Ctrl+Tab moves then, and no OnChange.
    f->events.clear();
    f->allowChange = false;
    ClickAt(TabCentre(pages, 0));
    Pump(200);
    CtrlTab(false);
    EXPECT_EQ(pages.ActivePage(), f->Third);
    EXPECT_EQ(CurrentTab(pages), 2);
    EXPECT_EQ((std::vector<std::string>{"changing:Third", "changing:Third"}), f->events);
}

TEST(TabControl, TabsFromStringsAndTheirPositionInTheWindow) {
    TabsForm f;
    TTabControl& tabs = *f->Tabs1;
    ASSERT_EQ(::SendMessageW(tabs.Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(TabText(tabs, 1), L"Two");
    EXPECT_EQ(CurrentTab(tabs), 1);
    EXPECT_TRUE(::GetWindowLongW(tabs.Handle(), GWL_STYLE) & TCS_BOTTOM);
    const RECT display = tabs.DisplayRect();
    EXPECT_LT(display.bottom, tabs.Height() - 10) << "tabs at the bottom take room below";

    tabs.Tabs().Add("Three");
    EXPECT_EQ(TabText(tabs, 2), L"Three");
    EXPECT_EQ(CurrentTab(tabs), 1) << "adding a tab keeps the selection";
    ClickAt(TabCentre(tabs, 0));
    EXPECT_TRUE(PumpUntil([&] { return tabs.TabIndex() == 0; }));
    Pump(100);
    EXPECT_EQ((std::vector<std::string>{"tabs:0"}), f->events);
    // An index out of range selects nothing; removing the selected tab moves to the first.
    tabs.SetTabIndex(7);
    EXPECT_EQ(tabs.TabIndex(), -1);
    tabs.SetTabIndex(2);
    tabs.Tabs().Delete(2);
    EXPECT_EQ(tabs.TabIndex(), 0);
    // Another side: the window is made again with the same tabs.
    tabs.SetTabPosition(TTabPosition::tpLeft);
    EXPECT_TRUE(PumpUntil([&] { return (::GetWindowLongW(tabs.Handle(), GWL_STYLE) & TCS_VERTICAL) != 0; }));
    EXPECT_EQ(::SendMessageW(tabs.Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_GT(tabs.DisplayRect().left, 10);
}
