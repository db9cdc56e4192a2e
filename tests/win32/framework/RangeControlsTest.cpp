// Progress bars, track bars and up-down buttons: read from a description, their
// properties and their windows in step both ways (a message sent straight to the window
// is followed by the property), one OnChange per change of a track bar's position by
// keys, mouse or code, and an up-down that keeps its edit showing its position.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "TestForms.h"
#include "framework/ComCtrls.h"

using namespace tv;

class TRangeForm : public TForm {
    TV_CLASS(TRangeForm, TForm)
    using TForm::TForm;

    TProgressBar* Progress1 = nullptr;
    TProgressBar* Progress2 = nullptr;
    TTrackBar* Track1 = nullptr;
    TTrackBar* Track2 = nullptr;
    TEdit* Edit1 = nullptr;
    TUpDown* UpDown1 = nullptr;
    TUpDown* UpDown2 = nullptr;

    int changes = 0;
    std::vector<TUDBtnType> buttons;
    bool allowChange = true;
    void TrackChange(TObject*) { ++changes; }
    void UpDownClick(TObject*, TUDBtnType button) { buttons.push_back(button); }
    void UpDownChanging(TObject*, bool& allow) { allow = allowChange; }
};

const TClassInfo& TRangeForm::StaticClass() {
    static const TClassInfo info = DescribeClass<TRangeForm>("TRangeForm")
                                       .Field("Progress1", &TRangeForm::Progress1)
                                       .Field("Progress2", &TRangeForm::Progress2)
                                       .Field("Track1", &TRangeForm::Track1)
                                       .Field("Track2", &TRangeForm::Track2)
                                       .Field("Edit1", &TRangeForm::Edit1)
                                       .Field("UpDown1", &TRangeForm::UpDown1)
                                       .Field("UpDown2", &TRangeForm::UpDown2)
                                       .Handler("TrackChange", &TRangeForm::TrackChange)
                                       .Handler("UpDownClick", &TRangeForm::UpDownClick)
                                       .Handler("UpDownChanging", &TRangeForm::UpDownChanging)
                                       .Done();
    return info;
}

namespace {

struct RangeForm {
    TRangeForm* form = nullptr;
    RangeForm() {
        RegisterComponentClass(TRangeForm::StaticClass());
        form = CreateComponent<TRangeForm>(Application);
        BringToFrontAndWait(*form);
        form->changes = 0;
    }
    ~RangeForm() {
        delete form;
        Pump(10);
    }
    TRangeForm* operator->() const { return form; }
};

LRESULT Send(TWinControl& c, UINT msg, WPARAM w = 0, LPARAM l = 0) { return ::SendMessageW(c.Handle(), msg, w, l); }
LONG StyleOf(TWinControl& c) { return ::GetWindowLongW(c.Handle(), GWL_STYLE); }

// A style property makes the window anew, once the messages waiting are handled.
void SetAndRecreate(TWinControl& c, const std::string& prop, const std::string& value) {
    const HWND old = c.Handle();
    SetPropByName(&c, prop, value);
    EXPECT_TRUE(PumpUntil([&] { return c.HandleAllocated() && c.Handle() != old; })) << prop;
}

// A press and release on one half of an up-down: the upper (or right) one when up.
void ClickArrow(TUpDown& ud, bool up) {
    RECT r;
    ::GetClientRect(ud.Handle(), &r);
    const bool horz = ud.Orientation() == TUDOrientation::udHorizontal;
    const int x = horz ? (up ? r.right * 3 / 4 : r.right / 4) : r.right / 2;
    const int y = horz ? r.bottom / 2 : (up ? r.bottom / 4 : r.bottom * 3 / 4);
    ::SendMessageW(ud.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageW(ud.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Pump(20);
}

}  // namespace

TEST(RangeControls, ProgressBarPropertiesAndWindowAgreeBothWays) {
    RangeForm f;
    TProgressBar& p = *f->Progress1;
    EXPECT_EQ(Send(p, PBM_GETRANGE, TRUE), 50);
    EXPECT_EQ(Send(p, PBM_GETRANGE, FALSE), 100);
    EXPECT_EQ(Send(p, PBM_GETPOS), 75);
    EXPECT_EQ(GetIntPropByName(&p, "Position"), 75);
    EXPECT_EQ(GetIntPropByName(&p, "Step"), 5);

    // Code: kept inside the range, the window in step.
    p.StepIt();
    EXPECT_EQ(Send(p, PBM_GETPOS), 80);
    p.StepBy(50);
    EXPECT_EQ(p.Position(), 100);
    EXPECT_EQ(Send(p, PBM_GETPOS), 100);
    SetPropByName(&p, "Position", "10");
    EXPECT_EQ(p.Position(), 50);
    EXPECT_EQ(Send(p, PBM_GETPOS), 50);
    EXPECT_THROW(p.SetMax(40), EPropertyError);
    EXPECT_EQ(p.Max(), 100);

    // Messages straight to the window: the properties follow.
    Send(p, PBM_SETPOS, 64);
    EXPECT_EQ(GetIntPropByName(&p, "Position"), 64);
    Send(p, PBM_DELTAPOS, 6);
    EXPECT_EQ(p.Position(), 70);
    Send(p, PBM_SETRANGE32, 0, 200);
    EXPECT_EQ(p.Min(), 0);
    EXPECT_EQ(p.Max(), 200);
    Send(p, PBM_SETSTEP, 7);
    EXPECT_EQ(p.Step(), 7);
    Send(p, PBM_STEPIT);
    EXPECT_EQ(p.Position(), int(Send(p, PBM_GETPOS)));
    EXPECT_EQ(p.Position(), 77);

    // Orientation and Smooth are styles: a new window keeps range and position.
    TProgressBar& v = *f->Progress2;
    EXPECT_TRUE(StyleOf(v) & PBS_VERTICAL);
    EXPECT_TRUE(StyleOf(v) & PBS_SMOOTH);
    EXPECT_EQ(GetEnumPropByName(&v, "Orientation"), "pbVertical");
    SetAndRecreate(v, "Orientation", "pbHorizontal");
    EXPECT_FALSE(StyleOf(v) & PBS_VERTICAL);
    EXPECT_EQ(v.Width(), 120);
    EXPECT_EQ(v.Height(), 18);
    EXPECT_EQ(Send(v, PBM_GETPOS), 30);
    SetAndRecreate(v, "Smooth", "False");
    EXPECT_FALSE(StyleOf(v) & PBS_SMOOTH);
    EXPECT_EQ(Send(v, PBM_GETPOS), 30);
}

TEST(RangeControls, TrackBarDescriptionStylesAndRangeReachTheWindow) {
    RangeForm f;
    TTrackBar& t = *f->Track1;
    EXPECT_EQ(Send(t, TBM_GETRANGEMIN), 0);
    EXPECT_EQ(Send(t, TBM_GETRANGEMAX), 20);
    EXPECT_EQ(Send(t, TBM_GETPOS), 4);
    EXPECT_EQ(Send(t, TBM_GETPAGESIZE), 5);
    EXPECT_EQ(Send(t, TBM_GETLINESIZE), 2);
    EXPECT_TRUE(StyleOf(t) & TBS_AUTOTICKS);
    // Ticks every 5 between the ends: 5, 10, 15.
    EXPECT_EQ(Send(t, TBM_GETNUMTICS), 5);

    // A position beyond the range in the description ends at the range's end.
    TTrackBar& v = *f->Track2;
    EXPECT_EQ(v.Position(), 10);
    EXPECT_EQ(Send(v, TBM_GETPOS), 10);
    EXPECT_EQ(Send(v, TBM_GETRANGEMIN), -10);
    EXPECT_TRUE(StyleOf(v) & TBS_VERT);
    EXPECT_TRUE(StyleOf(v) & TBS_NOTICKS);
    EXPECT_TRUE(StyleOf(v) & TBS_BOTH);
    EXPECT_EQ(GetEnumPropByName(&v, "TickMarks"), "tmBoth");
    SetAndRecreate(v, "TickStyle", "tsAuto");
    EXPECT_TRUE(StyleOf(v) & TBS_AUTOTICKS);
    EXPECT_EQ(Send(v, TBM_GETPOS), 10);
    EXPECT_EQ(Send(v, TBM_GETRANGEMIN), -10);
    EXPECT_THROW(v.SetMin(11), EPropertyError);
}

TEST(RangeControls, TrackBarOnChangeOncePerChangeByKeysCodeAndMessages) {
    RangeForm f;
    TTrackBar& t = *f->Track1;
    t.SetFocus();
    Pump(20);
    ASSERT_EQ(::GetFocus(), t.Handle());
    f->changes = 0;
    PressKey(VK_RIGHT);  // a line: 2
    EXPECT_EQ(t.Position(), 6);
    EXPECT_EQ(f->changes, 1);
    PressKey(VK_NEXT);  // a page: 5
    EXPECT_EQ(t.Position(), 11);
    EXPECT_EQ(f->changes, 2);
    PressKey(VK_END);
    EXPECT_EQ(t.Position(), 20);
    PressKey(VK_END);  // already there: no change, no event
    EXPECT_EQ(f->changes, 3);
    EXPECT_EQ(Send(t, TBM_GETPOS), 20);

    t.SetPosition(20);
    EXPECT_EQ(f->changes, 3);
    t.SetPosition(7);
    EXPECT_EQ(f->changes, 4);
    EXPECT_EQ(Send(t, TBM_GETPOS), 7);
    Send(t, TBM_SETPOS, TRUE, 9);
    EXPECT_EQ(t.Position(), 9);
    EXPECT_EQ(f->changes, 5);
    // A narrower range moves the position into it: one change.
    Send(t, TBM_SETRANGEMAX, TRUE, 8);
    EXPECT_EQ(t.Max(), 8);
    EXPECT_EQ(t.Position(), 8);
    EXPECT_EQ(f->changes, 6);

    // A click beside the thumb moves it a page toward the click.
    RECT channel{}, thumb{};
    Send(t, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    Send(t, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const LPARAM at = MAKELPARAM(channel.left + 2, (thumb.top + thumb.bottom) / 2);
    Send(t, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Send(t, WM_LBUTTONUP, 0, at);
    Pump(20);
    EXPECT_EQ(t.Position(), 3);
    EXPECT_EQ(f->changes, 7);
}

TEST(RangeControls, UpDownKeepsItsEditShowingThePositionAndNamesTheButton) {
    RangeForm f;
    TUpDown& ud = *f->UpDown1;
    TEdit& edit = *f->Edit1;
    // Position wins over the edit's stored text; the buttons go to the edit's right.
    EXPECT_EQ(edit.Text(), "9");
    EXPECT_EQ(ud.Position(), 9);
    EXPECT_EQ(ud.Left(), edit.Left() + edit.Width());
    EXPECT_EQ(ud.Top(), edit.Top());
    EXPECT_EQ(ud.Height(), edit.Height());
    EXPECT_EQ(reinterpret_cast<HWND>(Send(ud, UDM_GETBUDDY)), edit.Handle());
    EXPECT_EQ(GetIntPropByName(&ud, "Max"), 10);

    ClickArrow(ud, true);
    EXPECT_EQ(ud.Position(), 10);
    EXPECT_EQ(edit.Text(), "10");
    // Wrapping past Max is still the next button, not the previous one.
    ClickArrow(ud, true);
    EXPECT_EQ(ud.Position(), 1);
    EXPECT_EQ(edit.Text(), "1");
    ClickArrow(ud, false);
    EXPECT_EQ(ud.Position(), 10);
    EXPECT_EQ(f->buttons, (std::vector<TUDBtnType>{TUDBtnType::btNext, TUDBtnType::btNext, TUDBtnType::btPrev}));

    // What the user typed is the position the next click starts from, and stays when
    // another property changes.
    edit.SetText("4");
    SetPropByName(&ud, "Increment", "1");
    EXPECT_EQ(edit.Text(), "4");
    EXPECT_EQ(ud.Position(), 4);
    ClickArrow(ud, true);
    EXPECT_EQ(edit.Text(), "5");
    // OnChanging can keep it.
    f->allowChange = false;
    ClickArrow(ud, true);
    EXPECT_EQ(edit.Text(), "5");
    EXPECT_EQ(f->buttons.size(), 4u);
    f->allowChange = true;

    // Arrow keys in the edit step it too.
    edit.SetFocus();
    Pump(20);
    PressKey(VK_DOWN);
    EXPECT_EQ(edit.Text(), "4");
    PressKey(VK_UP);
    EXPECT_EQ(edit.Text(), "5");
    EXPECT_EQ(f->buttons.size(), 6u);

    // A new window (another orientation) keeps edit, place and text.
    const int width = edit.Width();
    SetAndRecreate(ud, "Orientation", "udHorizontal");
    EXPECT_TRUE(StyleOf(ud) & UDS_HORZ);
    EXPECT_EQ(reinterpret_cast<HWND>(Send(ud, UDM_GETBUDDY)), edit.Handle());
    EXPECT_EQ(edit.Text(), "5");
    EXPECT_EQ(edit.Width(), width);
    EXPECT_EQ(ud.Left(), edit.Left() + edit.Width());
    ClickArrow(ud, true);
    EXPECT_EQ(edit.Text(), "6");

    // Position set by code shows in the edit at once; out of range it stops at the end.
    ud.SetPosition(42);
    EXPECT_EQ(edit.Text(), "10");
    EXPECT_EQ(ud.Position(), 10);

    // The edit freed: the up-down forgets it and keeps working alone.
    delete f->Edit1;
    f->Edit1 = nullptr;
    EXPECT_EQ(ud.Associate(), nullptr);
    ClickArrow(ud, false);
    EXPECT_EQ(ud.Position(), 9);
}

TEST(RangeControls, UpDownWithoutEditStylesAndArrowKeys) {
    RangeForm f;
    TUpDown& ud = *f->UpDown2;
    EXPECT_TRUE(StyleOf(ud) & UDS_HORZ);
    EXPECT_FALSE(StyleOf(ud) & UDS_ARROWKEYS);
    EXPECT_FALSE(StyleOf(ud) & UDS_WRAP);
    EXPECT_EQ(GetEnumPropByName(&ud, "ArrowKeys"), "False");
    ClickArrow(ud, true);
    ClickArrow(ud, true);
    EXPECT_EQ(ud.Position(), 2);
    ClickArrow(ud, false);
    ClickArrow(ud, false);
    ClickArrow(ud, false);
    EXPECT_EQ(ud.Position(), 0) << "no wrap below Min";
    SetPropByName(&ud, "Increment", "3");
    ClickArrow(ud, true);
    EXPECT_EQ(ud.Position(), 3);
    SetAndRecreate(ud, "Wrap", "True");
    EXPECT_TRUE(StyleOf(ud) & UDS_WRAP);
    EXPECT_EQ(ud.Position(), 3);
}
