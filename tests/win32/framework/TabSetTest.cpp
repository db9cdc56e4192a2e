// The tab set: tabs laid side by side from the start margin, as wide as their captions
// and a little more; those that do not fit left out with the scroller shown; a real click
// on a tab selecting it with one OnChange, and the scroller's arrows moving the first tab.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "TestForms.h"
#include "framework/TabSets.h"

using namespace tv;

namespace {

struct TabSetForm {
    std::unique_ptr<TForm> form;
    TTabSet* tabs = nullptr;
    int changes = 0;

    explicit TabSetForm(int width) : form(std::make_unique<TForm>(nullptr)) {
        form->SetBounds(120, 120, width + 60, 140);
        form->SetCaption("Tab set");
        tabs = new TTabSet(form.get());
        tabs->SetParent(form.get());
        tabs->SetBounds(10, 20, width, 24);
        for (const char* t : {"Alpha", "Beta", "Gamma", "Delta", "Epsilon", "Zeta"}) tabs->Tabs().Add(t);
        tabs->OnChange = [this](TObject*) { ++changes; };
        form->Show();
        BringToFrontAndWait(*form);
        Pump(50);
    }
    POINT ScreenCentreOfTab(int i) {
        const RECT r = tabs->TabRect(i);
        return tabs->ClientToScreen(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
};

int CaptionWidth(TTabSet& tabs, const std::string& text) {
    WindowDC dc(tabs.Handle());
    SelectScope font(dc.Get(), tabs.Font().Handle());
    SIZE size{};
    const std::wstring wide(text.begin(), text.end());
    ::GetTextExtentPoint32W(dc.Get(), wide.c_str(), int(wide.size()), &size);
    return size.cx;
}

}  // namespace

TEST(TabSet, TabsSitSideBySideAndThoseThatDoNotFitAreLeftOutWithTheScrollerShowing) {
    // Wide enough for all.
    TabSetForm wide(500);
    TTabSet& t = *wide.tabs;
    EXPECT_FALSE(t.ScrollerVisible());
    int x = t.StartMargin();
    for (int i = 0; i < 6; ++i) {
        const RECT r = t.TabRect(i);
        EXPECT_EQ(r.left, x) << i;
        EXPECT_EQ(r.right - r.left, CaptionWidth(t, t.Tabs().Get(i)) + TTabSet::kTabPadding) << i;
        EXPECT_EQ(r.bottom, t.Height());
        x = r.right;
    }

    // Too narrow: the scroller shows and the tabs keep its room free.
    TabSetForm narrow(200);
    TTabSet& n = *narrow.tabs;
    EXPECT_TRUE(n.ScrollerVisible());
    ASSERT_NE(n.Scroller(), nullptr);
    EXPECT_EQ(n.ComponentCount() > 0 ? n.Components(0) : nullptr, n.Scroller()) << "the scroller is owned first";
    int shown = 0;
    while (shown < 6 && n.TabRect(shown).right > n.TabRect(shown).left) ++shown;
    ASSERT_GT(shown, 0);
    ASSERT_LT(shown, 6);
    for (int i = shown; i < 6; ++i) EXPECT_EQ(n.TabRect(i).right, 0) << "tab " << i << " is left out";
    const RECT last = n.TabRect(shown - 1);
    EXPECT_LE(last.right - TTabSet::kTabPadding + TTabSet::kScrollerRoom, n.Width() - n.EndMargin());
    // The next would not have fitted.
    EXPECT_GT(last.right + CaptionWidth(n, n.Tabs().Get(shown)) + TTabSet::kScrollerRoom, n.Width() - n.EndMargin());
    RECT scroller{};
    ::GetWindowRect(n.Scroller()->Handle(), &scroller);
    const POINT lastRight = n.ClientToScreen(POINT{last.right, 0});
    EXPECT_GE(scroller.left, lastRight.x) << "the scroller covers no tab";

    // The scroller's right arrow moves the first tab on by one; code can move it back.
    const POINT arrow{scroller.right - 3, (scroller.top + scroller.bottom) / 2};
    MoveMouseTo(arrow);
    ClickAt(arrow);
    if (!PumpUntil([&] { return n.FirstIndex() == 1; }, 1000)) ClickAt(arrow);
    ASSERT_TRUE(PumpUntil([&] { return n.FirstIndex() == 1; }));
    EXPECT_EQ(n.TabRect(0).right, 0);
    EXPECT_EQ(n.TabRect(1).left, n.StartMargin());
    n.SetFirstIndex(0);
    EXPECT_EQ(n.TabRect(0).left, n.StartMargin());
    // Selecting a tab out of view by code scrolls it in, without OnChange.
    n.SetTabIndex(5);
    EXPECT_GT(n.TabRect(5).right, 0);
    EXPECT_GT(n.FirstIndex(), 0);
    EXPECT_EQ(narrow.changes, 0);
    n.SetTabIndex(9);
    EXPECT_EQ(n.TabIndex(), -1) << "an index out of range selects nothing";
}

TEST(TabSet, AClickOnATabSelectsItWithOneChange) {
    TabSetForm f(500);
    TTabSet& t = *f.tabs;
    t.SetTabIndex(0);
    EXPECT_EQ(f.changes, 0);
    const POINT third = f.ScreenCentreOfTab(2);
    MoveMouseTo(third);
    ClickAt(third);
    if (!PumpUntil([&] { return t.TabIndex() == 2; }, 1000)) ClickAt(third);
    ASSERT_TRUE(PumpUntil([&] { return t.TabIndex() == 2; }));
    Pump(100);
    EXPECT_EQ(f.changes, 1);
    // The same tab again changes nothing.
    ClickAt(third);
    Pump(150);
    EXPECT_EQ(t.TabIndex(), 2);
    EXPECT_EQ(f.changes, 1);
    // Past the last tab nothing is chosen.
    const RECT last = t.TabRect(5);
    const POINT beyond = t.ClientToScreen(POINT{last.right + 5, 10});
    ClickAt(beyond);
    Pump(150);
    EXPECT_EQ(t.TabIndex(), 2);
    // Removing tabs keeps the selection in range.
    while (t.Tabs().Count() > 2) t.Tabs().Delete(t.Tabs().Count() - 1);
    EXPECT_EQ(t.TabIndex(), 1);
}
