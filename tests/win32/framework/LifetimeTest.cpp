// Controls freed while their form lives: nothing may keep reaching them (tab lists,
// the active control, capture), and the form goes on working by keyboard and window.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestForms.h"

using namespace tv;

namespace {
bool InTabList(const TWinControl& parent, const TControl* control) {
    auto list = parent.TabList(true);
    return std::find(list.begin(), list.end(), control) != list.end();
}

bool Focus(TWinControl& control) {
    control.SetFocus();
    return PumpUntil([&] { return ::GetFocus() == control.Handle(); });
}

// Return, Escape, Tab, leaving and coming back, and a new window: the usual life of
// a form, which must only meet controls that still exist.
void ExerciseForm(TTestForm1& form) {
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);
    PressKey(VK_TAB);
    TForm other(nullptr);
    other.SetBounds(700, 600, 200, 100);
    BringToFrontAndWait(other);
    BringToFrontAndWait(form);
    HWND old = form.Handle();
    form.Perform(CM_RECREATEWND);
    ASSERT_NE(form.Handle(), old);
    for (TWinControl* c : form.TabList(true)) {
        if (!c->HandleAllocated()) continue;
        EXPECT_TRUE(::IsChild(form.Handle(), c->Handle())) << c->Name();
    }
    BringToFrontAndWait(form);
    PressKey(VK_TAB);
}
}  // namespace

TEST(Lifetime, AFreedFocusedControlLeavesTheTabListAndTheActiveControl) {
    FreshTestForm fresh;
    TTestForm1& form = *fresh;
    BringToFrontAndWait(form);
    ASSERT_TRUE(Focus(*form.Button1));
    EXPECT_EQ(form.ActiveControl(), form.Button1);
    TButton* gone = form.Button1;
    HWND goneWnd = gone->Handle();
    int controls = form.ControlCount();

    delete gone;
    form.Button1 = nullptr;
    EXPECT_EQ(form.ActiveControl(), nullptr);
    EXPECT_FALSE(InTabList(form, gone));
    EXPECT_EQ(form.ControlCount(), controls - 1);
    EXPECT_FALSE(::IsWindow(goneWnd));
    EXPECT_EQ(::GetFocus(), form.Handle()) << "the focus stays on the form";

    // Tab goes on among the living: the first tab stop.
    PressKey(VK_TAB);
    EXPECT_EQ(form.ActiveControl(), form.TabList(true).front());
    ExerciseForm(form);
}

TEST(Lifetime, AFreedControlThatHadNoFocusLeavesTheFocusWhereItWas) {
    FreshTestForm fresh;
    TTestForm1& form = *fresh;
    BringToFrontAndWait(form);
    ASSERT_TRUE(Focus(*form.ListBox1));
    delete form.Button2;
    form.Button2 = nullptr;
    EXPECT_EQ(form.ActiveControl(), form.ListBox1);
    EXPECT_EQ(::GetFocus(), form.ListBox1->Handle());
    ExerciseForm(form);
}

TEST(Lifetime, APanelFreedWithTheFocusInsideLetsGoOfItsChildren) {
    FreshTestForm fresh;
    TTestForm1& form = *fresh;
    auto* panel = new TPanel(&form);
    panel->SetBounds(200, 300, 200, 100);
    panel->SetParent(&form);
    // One child owned by the panel, one by the form (it outlives the panel).
    auto* inner = new TButton(panel);
    inner->SetBounds(10, 10, 80, 25);
    inner->SetTabStop(true);
    inner->SetParent(panel);
    auto* kept = new TButton(&form);
    kept->SetBounds(100, 10, 80, 25);
    kept->SetTabStop(true);
    kept->SetParent(panel);
    BringToFrontAndWait(form);
    ASSERT_TRUE(Focus(*kept));
    EXPECT_TRUE(InTabList(form, kept));

    // A child inside the panel goes: the panel's list forgets it.
    delete inner;
    EXPECT_EQ(panel->ControlCount(), 1);
    EXPECT_FALSE(InTabList(*panel, inner));
    EXPECT_EQ(form.ActiveControl(), kept);

    HWND keptWnd = kept->Handle();
    delete panel;
    EXPECT_EQ(form.ActiveControl(), nullptr) << "the active control was inside the panel";
    EXPECT_EQ(kept->Parent(), nullptr);
    EXPECT_FALSE(kept->HandleAllocated());
    EXPECT_FALSE(::IsWindow(keptWnd));
    EXPECT_FALSE(InTabList(form, kept));
    EXPECT_EQ(::GetFocus(), form.Handle());
    ExerciseForm(form);

    // Given a new parent, it is a control like any other.
    kept->SetParent(&form);
    ASSERT_TRUE(Focus(*kept));
    delete kept;
    EXPECT_EQ(form.ActiveControl(), nullptr);
}

TEST(Lifetime, AWindowlessControlFreedWhileItHoldsTheMouseIsForgotten) {
    FreshTestForm fresh;
    TTestForm1& form = *fresh;
    auto* label = new TLabel(&form);
    label->SetAutoSize(false);
    label->SetBounds(300, 20, 60, 20);
    label->SetParent(&form);
    int clicks = 0;
    label->OnClick = [&](TObject*) { ++clicks; };
    HWND wnd = form.Handle();
    ::SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(310, 25));
    EXPECT_EQ(::GetCapture(), wnd) << "the press is held for the label";
    delete label;
    ::SendMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(320, 25));
    ::SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(310, 25));
    EXPECT_EQ(clicks, 0);
    EXPECT_NE(::GetCapture(), wnd) << "freeing the label gave the mouse back";
}

TEST(Lifetime, AWindowMethodFailingAtTheWindowsEndStillLetsGoOfTheWindow) {
    FreshTestForm fresh;
    TTestForm1& form = *fresh;
    TButton& button = *form.Button2;
    HWND wnd = button.Handle();
    TWndMethod original = button.WindowProc;
    button.WindowProc = [&](TMessage& m) {
        original(m);
        if (m.Msg == WM_NCDESTROY) throw Exception("failed at the end");
    };
    {
        ReportedErrors errors;
        ::DestroyWindow(wnd);  // not through the control: the system's doing
        EXPECT_EQ(errors.what, std::vector<std::string>{"failed at the end"});
    }
    button.WindowProc = original;
    EXPECT_FALSE(button.HandleAllocated()) << "no dead window kept";
    EXPECT_EQ(FindControl(wnd), nullptr);
    HWND again = button.Handle();
    EXPECT_TRUE(::IsWindow(again));
    EXPECT_EQ(FindControl(again), &button);
    EXPECT_EQ(::GetParent(again), form.Handle());
}
