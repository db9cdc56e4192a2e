// Failures inside handlers stop at the system's callback boundaries: reported once
// (painting: silently), and the program goes on.
#include <gtest/gtest.h>

#include "TestForms.h"

using namespace tv;

TEST(Callbacks, AFailingClickHandlerIsReportedOnce) {
    FreshTestForm fresh;
    TTestForm1& form = *fresh;
    struct NotAStdException {};
    int clicks = 0;
    form.Button1->OnClick = [&](TObject*) {
        if (++clicks == 1) throw Exception("click failed");
        throw NotAStdException{};
    };
    ReportedErrors errors;
    ::SendMessageW(form.Button1->Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(errors.what, std::vector<std::string>{"click failed"});
    ::SendMessageW(form.Button1->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(errors.what.size(), 2u) << "anything thrown is reported, once";
}

TEST(Callbacks, AFailingPaintHandlerIsSwallowedAndTheWindowStaysUsable) {
    FreshTestForm fresh;
    TTestForm1& form = *fresh;
    int paints = 0;
    form.OnPaint = [&](TObject*) {
        ++paints;
        throw Exception("cannot paint");
    };
    ReportedErrors errors;
    ::InvalidateRect(form.Handle(), nullptr, TRUE);
    ::UpdateWindow(form.Handle());
    Pump(50);
    EXPECT_GE(paints, 1);
    EXPECT_TRUE(errors.what.empty()) << "a dialog from a paint would only paint again";
    form.SetCaption("still here");
    wchar_t caption[32] = {};
    ::GetWindowTextW(form.Handle(), caption, 32);
    EXPECT_EQ(std::wstring(caption), L"still here");
}

TEST(Callbacks, AFailingTimerHandlerIsReportedAndTheTimerKeepsRunning) {
    TTimer timer(nullptr);
    timer.SetInterval(15);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) {
        ++ticks;
        throw Exception("tick failed");
    };
    ReportedErrors errors;
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    EXPECT_EQ(errors.what.size(), std::size_t(ticks));
    EXPECT_EQ(errors.what.front(), "tick failed");
}

TEST(Callbacks, AKeyHandlerFailingWithAnythingIsReportedAndTheKeyIsTaken) {
    FreshTestForm fresh;
    TTestForm1& form = *fresh;
    BringToFrontAndWait(form);
    form.ListBox1->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == form.ListBox1->Handle(); }));
    form.ListBox1->SetItemIndex(0);
    form.ListBox1->OnKeyDown = [](TObject*, WORD&, TShiftState) { throw 42; };
    ReportedErrors errors;
    bool escaped = false;
    try {
        PressKey(VK_DOWN);
    } catch (...) {
        escaped = true;
    }
    EXPECT_FALSE(escaped);
    EXPECT_EQ(errors.what.size(), 1u);
    EXPECT_EQ(form.ListBox1->ItemIndex(), 0) << "a key whose handling failed is not handled again";
}
