// Combo boxes and date-time pickers: what a description says reaches the windows and
// comes back from them, both ways; OnChange once for each choice a user makes; values
// that are no date or time refused.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include <commctrl.h>

#include "TestForms.h"
#include "base/Text.h"

using namespace tv;

class TComboForm : public TForm {
    TV_CLASS(TComboForm, TForm)
    using TForm::TForm;

    TComboBox* Combo1 = nullptr;
    TComboBox* Combo2 = nullptr;
    TDateTimePicker* Picker1 = nullptr;
    TDateTimePicker* Picker2 = nullptr;

    std::vector<std::string> events;
    void ComboChange(TObject* Sender) {
        auto* c = static_cast<TComboBox*>(Sender);
        events.push_back(c->Name() + "=" + c->Text());
    }
    void ComboDropDown(TObject*) { events.push_back("drop"); }
    void ComboCloseUp(TObject*) { events.push_back("close"); }
    void PickerChange(TObject* Sender) { events.push_back("picker=" + static_cast<TDateTimePicker*>(Sender)->Date()); }
};

const TClassInfo& TComboForm::StaticClass() {
    static const TClassInfo info = DescribeClass<TComboForm>("TComboForm")
                                       .Field("Combo1", &TComboForm::Combo1)
                                       .Field("Combo2", &TComboForm::Combo2)
                                       .Field("Picker1", &TComboForm::Picker1)
                                       .Field("Picker2", &TComboForm::Picker2)
                                       .Handler("ComboChange", &TComboForm::ComboChange)
                                       .Handler("ComboDropDown", &TComboForm::ComboDropDown)
                                       .Handler("ComboCloseUp", &TComboForm::ComboCloseUp)
                                       .Handler("PickerChange", &TComboForm::PickerChange)
                                       .Done();
    return info;
}

namespace {

struct ComboForm {
    TComboForm* form = CreateComponent<TComboForm>(Application);
    ComboForm() {
        BringToFrontAndWait(*form);
        form->events.clear();
    }
    ~ComboForm() {
        delete form;
        Pump(10);
    }
    TComboForm* operator->() const { return form; }
};

std::vector<std::string> WindowItems(HWND combo) {
    std::vector<std::string> items;
    const int n = int(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        wchar_t text[64] = {};
        ::SendMessageW(combo, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text::Narrow(text));
    }
    return items;
}

std::string WindowText(HWND wnd) {
    wchar_t text[128] = {};
    ::GetWindowTextW(wnd, text, 128);
    return text::Narrow(text);
}

SYSTEMTIME WindowTime(HWND picker) {
    SYSTEMTIME st{};
    EXPECT_EQ(::SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)), GDT_VALID);
    return st;
}

}  // namespace

TEST(ComboBoxes, ItemsIndexAndTextGoFromTheDescriptionToTheWindowAndBack) {
    ComboForm f;
    // Sorted: the window keeps them in order, and so do Items read back.
    const HWND c1 = f->Combo1->Handle(), c2 = f->Combo2->Handle();
    EXPECT_EQ(WindowItems(c1), (std::vector<std::string>{"Alpha", "Beta", "Gamma"}));
    EXPECT_EQ(f->Combo1->Items().Get(2), "Gamma");
    EXPECT_EQ(f->Combo1->Text(), "typed");
    EXPECT_EQ(WindowText(c1), "typed");
    EXPECT_EQ(f->Combo1->ItemIndex(), -1);
    EXPECT_TRUE(::GetWindowLongW(c1, GWL_STYLE) & CBS_SORT);
    // A fixed field's Text chose the item of that text.
    EXPECT_EQ((::GetWindowLongW(c2, GWL_STYLE) & 3), CBS_DROPDOWNLIST);
    EXPECT_EQ(::SendMessageW(c2, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(f->Combo2->Text(), "Two");
    EXPECT_EQ(GetIntPropByName(f->Combo2, "ItemIndex"), 1);
    EXPECT_EQ(GetEnumPropByName(f->Combo2, "Style"), "csDropDownList");

    // The program and the window, both ways.
    f->Combo2->SetItemIndex(4);
    EXPECT_EQ(::SendMessageW(c2, CB_GETCURSEL, 0, 0), 4);
    EXPECT_EQ(f->Combo2->Text(), "Five");
    ::SendMessageW(c2, CB_SETCURSEL, 0, 0);
    EXPECT_EQ(f->Combo2->ItemIndex(), 0);
    EXPECT_EQ(f->Combo2->Text(), "One");
    SetPropByName(f->Combo2, "Text", "Three");
    EXPECT_EQ(::SendMessageW(c2, CB_GETCURSEL, 0, 0), 2);
    f->Combo2->SetText("None of them");
    EXPECT_EQ(f->Combo2->ItemIndex(), -1);
    EXPECT_EQ(f->Combo2->Text(), "");
    f->Combo2->SetItemIndex(99);
    EXPECT_EQ(f->Combo2->ItemIndex(), -1) << "an index past the items chooses none";
    f->Combo1->Items().Add("Aardvark");
    EXPECT_EQ(WindowItems(c1).front(), "Aardvark");
    f->Combo1->Items().Delete(1);
    EXPECT_EQ(WindowItems(c1), (std::vector<std::string>{"Aardvark", "Beta", "Gamma"}));
    ::SetWindowTextW(c1, L"from the window");
    EXPECT_EQ(f->Combo1->Text(), "from the window");
    EXPECT_THROW(f->Combo1->Items().Get(7), EStringListError);
    // Nothing of this was a user's change.
    EXPECT_TRUE(f->events.empty());

    // A new window (another style) keeps items, choice and text.
    f->Combo2->SetItemIndex(3);
    f->Combo2->SetStyle(TComboBoxStyle::csDropDown);
    EXPECT_TRUE(PumpUntil([&] { return f->Combo2->Handle() != c2; }, 1000));
    EXPECT_EQ((::GetWindowLongW(f->Combo2->Handle(), GWL_STYLE) & 3), CBS_DROPDOWN);
    EXPECT_EQ(WindowItems(f->Combo2->Handle()).size(), 5u);
    EXPECT_EQ(f->Combo2->ItemIndex(), 3);
    EXPECT_EQ(f->Combo2->Text(), "Four");
}

TEST(ComboBoxes, OnChangeOnceForEachChoiceAUserMakes) {
    ComboForm f;
    f->Combo2->SetFocus();
    Pump(30);
    // A key on the closed field moves the choice: one change each.
    PressKey(VK_DOWN);
    PumpUntil([&] { return !f->events.empty(); }, 500);
    EXPECT_EQ(f->events, (std::vector<std::string>{"Combo2=Three"}));
    f->events.clear();

    // Opened, moved through by keys, chosen by Return: one change, once it closes.
    f->Combo2->SetDroppedDown(true);
    PumpUntil([&] { return f->Combo2->DroppedDown(); }, 500);
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    PumpUntil([&] { return !f->Combo2->DroppedDown(); }, 1000);
    Pump(50);
    ASSERT_FALSE(f->Combo2->DroppedDown());
    EXPECT_EQ(f->Combo2->ItemIndex(), 4);
    EXPECT_EQ(f->events, (std::vector<std::string>{"drop", "close", "Combo2=Five"}));
    f->events.clear();

    // Chosen by the mouse in the open list: one change. DropDownCount 2 of 5 items makes
    // a list with a bar.
    f->Combo2->SetDroppedDown(true);
    PumpUntil([&] { return f->Combo2->DroppedDown(); }, 500);
    const HWND list = f->Combo2->ListHandle();
    ASSERT_TRUE(list);
    ::SendMessageW(list, LB_SETTOPINDEX, 0, 0);
    Pump(30);
    RECT item{};
    ::SendMessageW(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ::ClientToScreen(list, &at);
    RECT client{};
    ::GetClientRect(list, &client);
    EXPECT_LT(client.bottom, 5 * (item.bottom - item.top)) << "the list shows fewer than all items";
    EXPECT_TRUE(::GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL);
    ClickAt(at);
    PumpUntil([&] { return !f->Combo2->DroppedDown() && f->events.size() >= 3; }, 1500);
    Pump(80);
    EXPECT_EQ(f->Combo2->ItemIndex(), 1);
    EXPECT_EQ(f->events, (std::vector<std::string>{"drop", "close", "Combo2=Two"}));
    f->events.clear();

    // Opened and closed without a new choice: no change.
    f->Combo2->SetDroppedDown(true);
    PumpUntil([&] { return f->Combo2->DroppedDown(); }, 500);
    PressKey(VK_ESCAPE);
    PumpUntil([&] { return !f->Combo2->DroppedDown(); }, 1000);
    Pump(50);
    EXPECT_EQ(f->Combo2->ItemIndex(), 1);
    EXPECT_EQ(f->events, (std::vector<std::string>{"drop", "close"}));
    f->events.clear();

    // Typing into an editable combo: one change per character.
    f->Combo1->SetFocus();
    Pump(30);
    ::SendMessageW(::GetFocus(), WM_CHAR, 'q', 1);
    Pump(30);
    ASSERT_EQ(f->events.size(), 1u);
    EXPECT_EQ(f->events[0].substr(0, 7), "Combo1=");
    EXPECT_NE(f->Combo1->Text().find('q'), std::string::npos);
}

TEST(DateTimePickers, DateAndTimeRoundTripAndRefuseWhatIsNoDateOrTime) {
    ComboForm f;
    const HWND p1 = f->Picker1->Handle();
    SYSTEMTIME st = WindowTime(p1);
    EXPECT_EQ(st.wYear, 2024);
    EXPECT_EQ(st.wMonth, 2);
    EXPECT_EQ(st.wDay, 29);
    EXPECT_EQ(st.wHour, 13);
    EXPECT_EQ(st.wMinute, 45);
    EXPECT_EQ(st.wSecond, 30);
    EXPECT_EQ(f->Picker1->Date(), "2024-02-29");
    EXPECT_EQ(GetTextPropByName(f->Picker1, "Time"), "13:45:30");
    EXPECT_FALSE(::GetWindowLongW(p1, GWL_STYLE) & DTS_UPDOWN);
    EXPECT_EQ(::GetWindowLongW(f->Picker2->Handle(), GWL_STYLE) & DTS_TIMEFORMAT, DTS_TIMEFORMAT);
    EXPECT_EQ(f->Picker2->Time(), "07:05:09");

    // The window set by someone else is read back.
    st.wYear = 2031;
    st.wMonth = 7;
    st.wDay = 4;
    ::SendMessageW(p1, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    EXPECT_EQ(f->Picker1->Date(), "2031-07-04");
    // Setting the date keeps the time, and the other way round.
    f->Picker1->SetDate("2000-01-31");
    EXPECT_EQ(f->Picker1->Time(), "13:45:30");
    f->Picker1->SetTime("23:59:59");
    EXPECT_EQ(f->Picker1->Date(), "2000-01-31");
    st = WindowTime(p1);
    EXPECT_EQ(st.wHour, 23);
    EXPECT_EQ(st.wDay, 31);

    // No such date or time: refused, the value kept.
    for (const char* bad : {"2023-02-29", "2024-13-01", "2024-00-10", "2024-04-31", "24-1-1x", "", "1500-01-01"})
        EXPECT_THROW(f->Picker1->SetDate(bad), EDateTimeError) << bad;
    for (const char* bad : {"24:00:00", "12:60:00", "12:00:60", "7:5", "-1:00:00"})
        EXPECT_THROW(f->Picker1->SetTime(bad), EDateTimeError) << bad;
    EXPECT_EQ(f->Picker1->Date(), "2000-01-31");
    EXPECT_EQ(f->Picker1->Time(), "23:59:59");
    EXPECT_NO_THROW(f->Picker1->SetDate("2000-02-29"));

    // Another kind makes another window, with the same value.
    f->Picker1->SetKind(TDateTimeKind::dtkTime);
    EXPECT_TRUE(PumpUntil([&] { return f->Picker1->Handle() != p1; }, 1000));
    EXPECT_EQ(f->Picker1->Date(), "2000-02-29");
    EXPECT_EQ(f->Picker1->Time(), "23:59:59");
    EXPECT_TRUE(f->events.empty()) << "no change of the program's is a user's";
}

TEST(DateTimePickers, AUserChangeOfAFieldIsOneOnChange) {
    ComboForm f;
    f->Picker1->SetFocus();
    Pump(30);
    const std::string before = f->Picker1->Date();
    PressKey(VK_RIGHT);
    PressKey(VK_UP);
    PumpUntil([&] { return !f->events.empty(); }, 500);
    Pump(50);
    ASSERT_EQ(f->events.size(), 1u);
    EXPECT_NE(f->Picker1->Date(), before);
    EXPECT_EQ(f->events[0], "picker=" + f->Picker1->Date());
    // The value the event read is the window's.
    const SYSTEMTIME st = WindowTime(f->Picker1->Handle());
    char shown[16];
    std::snprintf(shown, sizeof shown, "%04d-%02d-%02d", st.wYear, st.wMonth, st.wDay);
    EXPECT_EQ(f->Picker1->Date(), shown);
}
