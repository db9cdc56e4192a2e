#include <gtest/gtest.h>

#include <windowsx.h>

#include <cstdio>

#include "TestForms.h"

using namespace tv;

TEST(Messages, WindowPropertyLinksEveryFrameworkWindowToItsControl) {
    FreshTestForm fresh;
    TTestForm1& form = *fresh;
    wchar_t expected[64];
    std::swprintf(expected, 64, L"ControlOfs%.8X%.8X",
                  unsigned(reinterpret_cast<std::uintptr_t>(::GetModuleHandleW(nullptr))), unsigned(::GetCurrentThreadId()));
    EXPECT_EQ(ControlPropertyName(), expected);
    for (TWinControl* c : {static_cast<TWinControl*>(&form), static_cast<TWinControl*>(form.Button1),
                           static_cast<TWinControl*>(form.ListBox1)}) {
        HWND wnd = c->Handle();
        EXPECT_EQ(::GetPropW(wnd, expected), static_cast<HANDLE>(static_cast<TControl*>(c))) << c->Name();
        EXPECT_EQ(FindControl(wnd), c) << c->Name();
    }
    EXPECT_EQ(FindControl(Application->Handle()), nullptr);
    EXPECT_EQ(FindControl(::GetDesktopWindow()), nullptr);
    EXPECT_EQ(FindControl(nullptr), nullptr);

    // A new window for the same control carries the property; the old one is gone.
    HWND old = form.Button2->Handle();
    form.Button2->Perform(CM_RECREATEWND);
    HWND renewed = form.Button2->Handle();
    EXPECT_NE(old, renewed);
    EXPECT_FALSE(::IsWindow(old));
    EXPECT_EQ(FindControl(renewed), form.Button2);
    EXPECT_EQ(::GetParent(renewed), form.Handle());
    wchar_t caption[64] = {};
    ::GetWindowTextW(renewed, caption, 64);
    EXPECT_EQ(std::wstring(caption), L"显示窗口") << "the caption survives the new window";
}

TEST(Messages, WindowProcIsReplacedAndRestoredExactly) {
    FreshTestForm fresh;
    TTestForm1& form = *fresh;
    TButton& button = *form.Button1;
    TWndMethod original = button.WindowProc;
    std::vector<UINT> intercepted;
    TWndMethod mine = [&](TMessage& m) {
        intercepted.push_back(m.Msg);
        if (m.Msg == WM_USER + 7) {
            m.Result = 42;  // swallowed: the button never sees it
            return;
        }
        original(m);
    };
    button.WindowProc = mine;
    EXPECT_TRUE(button.WindowProc == mine);
    EXPECT_FALSE(button.WindowProc == original);
    EXPECT_EQ(::SendMessageW(button.Handle(), WM_USER + 7, 0, 0), 42);
    ::SendMessageW(button.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Changed"));
    EXPECT_EQ(button.Caption(), "Changed") << "passed-on messages do their work";
    EXPECT_EQ(button.Perform(WM_USER + 7), 42) << "Perform goes through the replaced method too";
    ASSERT_GE(intercepted.size(), 3u);
    EXPECT_EQ(intercepted.front(), UINT(WM_USER + 7));

    button.WindowProc = original;
    EXPECT_TRUE(button.WindowProc == original);
    intercepted.clear();
    EXPECT_EQ(::SendMessageW(button.Handle(), WM_USER + 7, 0, 0), 0);
    button.SetCaption("隐藏窗口");
    EXPECT_TRUE(intercepted.empty()) << "a restored method leaves nothing of the old one";

    // Class message handlers still run behind a replaced method.
    MessageSpy spy(form);
    int before = form.hotkeys;
    ::SendMessageW(form.Handle(), WM_HOTKEY, 1, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'S'));
    EXPECT_EQ(form.hotkeys, before + 1);
    EXPECT_EQ(spy.Count(WM_HOTKEY), 1);
}

TEST(Messages, ParentsReflectNotificationsToTheControlThatCausedThem) {
    FreshTestForm fresh;
    TTestForm1& form = *fresh;
    form.events.clear();
    MessageSpy formSpy(form), one(*form.Button1), two(*form.Button2), list(*form.ListBox1);

    ::SendMessageW(form.Button1->Handle(), BM_CLICK, 0, 0);
    Pump(30);
    int clicked = 0;
    for (const auto& m : one.seen) clicked += m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED;
    EXPECT_EQ(clicked, 1);
    EXPECT_EQ(two.Count(CN_COMMAND), 0);
    // Every reflected message went to the control named in it (focus changes give
    // the list box notifications of its own).
    for (auto* spy : {&one, &two, &list})
        for (const auto& m : spy->seen)
            if (m.Msg == CN_COMMAND) {
                HWND from = reinterpret_cast<HWND>(m.LParam);
                EXPECT_TRUE((spy == &one && from == form.Button1->Handle()) ||
                            (spy == &list && from == form.ListBox1->Handle()));
            }
    int commands = 0;
    for (const auto& m : formSpy.seen) commands += m.Msg == WM_COMMAND && HIWORD(m.WParam) == BN_CLICKED;
    EXPECT_EQ(commands, 1);
    EXPECT_EQ(form.events, std::vector<std::string>{"button1:Button1"}) << "one click, one OnClick";

    NMHDR hdr{form.ListBox1->Handle(), 77, UINT(-12)};
    ::SendMessageW(form.Handle(), WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&hdr));
    ASSERT_EQ(list.Count(CN_NOTIFY), 1);
    EXPECT_EQ(CN_NOTIFY, 0xBC4Eu);
    EXPECT_EQ(list.Last(CN_NOTIFY)->LParam, reinterpret_cast<LPARAM>(&hdr));
    EXPECT_EQ(one.Count(CN_NOTIFY) + two.Count(CN_NOTIFY), 0);

    // A notification from a window that is no framework control stays with the parent.
    NMHDR foreign{Application->Handle(), 1, UINT(-2)};
    ::SendMessageW(form.Handle(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&foreign));
    EXPECT_EQ(list.Count(CN_NOTIFY), 1);

    // Colour requests come back with the control's own brush.
    HDC dc = ::GetDC(form.ListBox1->Handle());
    LRESULT brush = ::SendMessageW(form.Handle(), WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                                   reinterpret_cast<LPARAM>(form.ListBox1->Handle()));
    ::ReleaseDC(form.ListBox1->Handle(), dc);
    ASSERT_GE(list.Count(CN_CTLCOLORLISTBOX), 1);
    EXPECT_EQ(list.Last(CN_CTLCOLORLISTBOX)->LParam, reinterpret_cast<LPARAM>(form.ListBox1->Handle()));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), form.ListBox1->Brush().Handle());

    // A list box selection by the user arrives as CN_COMMAND LBN_SELCHANGE and OnClick.
    int clicks = 0;
    form.ListBox1->OnClick = [&](TObject*) { ++clicks; };
    BringToFrontAndWait(form);
    ClickAt(form.ListBox1->ClientToScreen(POINT{20, 7}));
    EXPECT_EQ(form.ListBox1->ItemIndex(), 0);
    EXPECT_GE(list.Count(CN_COMMAND), 1);
    EXPECT_EQ(clicks, 1);
    form.ListBox1->OnClick = TNotifyEvent{};
}

namespace {
// CM_MOUSEENTER and CM_MOUSELEAVE of one control alternate, beginning with an enter.
::testing::AssertionResult Alternates(const MessageSpy& spy) {
    UINT expected = CM_MOUSEENTER;
    std::string order;
    bool ok = true;
    for (const auto& m : spy.seen) {
        if (m.Msg != CM_MOUSEENTER && m.Msg != CM_MOUSELEAVE) continue;
        order += m.Msg == CM_MOUSEENTER ? "enter " : "leave ";
        if (m.Msg != expected) ok = false;
        expected = expected == CM_MOUSEENTER ? CM_MOUSELEAVE : CM_MOUSEENTER;
    }
    if (!ok) return ::testing::AssertionFailure() << "enter and leave out of turn: " << order;
    return ::testing::AssertionSuccess();
}
UINT LastHover(const MessageSpy& spy) {
    for (auto it = spy.seen.rbegin(); it != spy.seen.rend(); ++it)
        if (it->Msg == CM_MOUSEENTER || it->Msg == CM_MOUSELEAVE) return it->Msg;
    return 0;
}
}  // namespace

TEST(Messages, MouseEnterAndLeaveFollowThePointerAcrossControls) {
    FreshTestForm fresh;
    TTestForm1& form = *fresh;
    BringToFrontAndWait(form);
    MoveMouseTo(POINT{5, 5});  // away from everything
    ASSERT_TRUE(PumpUntil([] { return MouseControl() == nullptr; })) << "left what the pointer was over";
    MessageSpy formSpy(form), button(*form.Button1), label(*form.Label1);

    MoveMouseTo(ScreenCenterOf(*form.Button1));
    EXPECT_EQ(MouseControl(), form.Button1);
    EXPECT_EQ(LastHover(button), CM_MOUSEENTER);

    MoveMouseTo(ScreenCenterOf(*form.Label1));
    EXPECT_EQ(MouseControl(), form.Label1);
    EXPECT_EQ(LastHover(button), CM_MOUSELEAVE);
    EXPECT_EQ(LastHover(label), CM_MOUSEENTER) << "windowless controls are entered too";

    MoveMouseTo(form.ClientToScreen(POINT{form.ClientWidth() - 3, 30}));
    EXPECT_EQ(MouseControl(), &form);
    EXPECT_EQ(LastHover(label), CM_MOUSELEAVE);
    EXPECT_EQ(LastHover(formSpy), CM_MOUSEENTER);

    RECT r;
    ::GetWindowRect(form.Handle(), &r);
    MoveMouseTo(POINT{r.right + 20, r.top + 40});
    EXPECT_TRUE(PumpUntil([&] { return LastHover(formSpy) == CM_MOUSELEAVE; }));
    EXPECT_EQ(MouseControl(), nullptr);
    for (const MessageSpy* spy : {&formSpy, &button, &label}) EXPECT_TRUE(Alternates(*spy)) << spy - &formSpy;

    // A control freed under the mouse is forgotten.
    auto* extra = new TLabel(&form);
    extra->SetAutoSize(false);
    extra->SetBounds(300, 10, 60, 20);
    extra->SetParent(&form);
    Pump(20);
    MoveMouseTo(form.ClientToScreen(POINT{320, 15}));
    EXPECT_EQ(MouseControl(), extra);
    delete extra;
    EXPECT_EQ(MouseControl(), nullptr);
    MoveMouseTo(POINT{r.right + 20, r.top + 40});
}

TEST(Messages, AClickOnAWindowlessLabelReachesItsOnClick) {
    FreshTestForm fresh;
    TTestForm1& form = *fresh;
    BringToFrontAndWait(form);
    form.events.clear();
    MessageSpy label(*form.Label1);
    ClickAt(ScreenCenterOf(*form.Label1));
    EXPECT_EQ(form.events, std::vector<std::string>{"label1:Label1"});
    ASSERT_EQ(label.Count(WM_LBUTTONDOWN), 1);
    // The label sees its own coordinates.
    POINT local{GET_X_LPARAM(label.Last(WM_LBUTTONDOWN)->LParam), GET_Y_LPARAM(label.Last(WM_LBUTTONDOWN)->LParam)};
    EXPECT_EQ(local.x, form.Label1->Width() / 2);
    EXPECT_EQ(local.y, form.Label1->Height() / 2);

    // Pressed on the label, released elsewhere: no click.
    form.events.clear();
    MoveMouseTo(ScreenCenterOf(*form.Label1));
    INPUT down{};
    down.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(1, &down, sizeof down);
    Pump(40);
    MoveMouseTo(form.ClientToScreen(POINT{form.ClientWidth() - 5, 30}));
    INPUT up = down;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &up, sizeof up);
    Pump(60);
    EXPECT_TRUE(form.events.empty());
    EXPECT_GE(label.Count(WM_LBUTTONUP), 1) << "the release still went to the label that was pressed";

    // The hand cursor over the label.
    MoveMouseTo(ScreenCenterOf(*form.Label1));
    ::SendMessageW(form.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form.Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(::GetCursor(), CursorHandle(crHandPoint));
}

TEST(Messages, WindowlessControlsArePaintedThroughTheirWindowProc) {
    FreshTestForm fresh;
    TTestForm1& form = *fresh;
    MessageSpy label(*form.Label1);
    ::RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    ASSERT_GE(label.Count(WM_PAINT), 1);
    EXPECT_NE(label.Last(WM_PAINT)->WParam, 0u) << "the parent's DC comes in wParam";

    // The label's pixels: its purple text on the form's face colour.
    HDC screen = ::GetDC(form.Handle());
    bool purple = false;
    for (int y = form.Label1->Top(); y < form.Label1->Top() + form.Label1->Height(); ++y)
        for (int x = form.Label1->Left(); x < form.Label1->Left() + form.Label1->Width(); ++x)
            purple |= ::GetPixel(screen, x, y) == ColorToRGB(clPurple);
    COLORREF face = ::GetPixel(screen, form.Label1->Left() + form.Label1->Width() + 4, form.Label1->Top() + 2);
    ::ReleaseDC(form.Handle(), screen);
    EXPECT_TRUE(purple);
    EXPECT_EQ(face, ColorToRGB(clBtnFace));
}

TEST(Messages, ShowingAndHidingRunOnShowEveryTimeAndTheHotkeyHandlerShowsTheForm) {
    FreshTestForm fresh;
    TTestForm1& form = *fresh;
    form.events.clear();
    form.Hide();
    EXPECT_FALSE(::IsWindowVisible(form.Handle()));
    EXPECT_FALSE(form.Visible());
    form.Show();
    ::ShowWindow(form.Handle(), SW_HIDE);  // from outside the framework
    Pump(20);
    EXPECT_FALSE(form.Visible());
    // Another window in front first: the handler brings the form back to the front.
    auto* other = CreateComponent<TForm>(Application);
    other->Show();
    ::SetForegroundWindow(other->Handle());
    PumpUntil([&] { return ::GetForegroundWindow() == other->Handle(); });
    ::PostMessageW(form.Handle(), WM_HOTKEY, 1, 0);
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(form.Handle()) != FALSE; }));
    EXPECT_TRUE(form.Visible());
    EXPECT_TRUE(PumpUntil([&] { return ::GetForegroundWindow() == form.Handle(); }));
    delete other;
    EXPECT_EQ(form.events, (std::vector<std::string>{"show", "show"}));
}

TEST(Messages, StateChangesAreAnnouncedToTheControl) {
    FreshTestForm fresh;
    TTestForm1& form = *fresh;
    MessageSpy button(*form.Button2);
    form.Button2->SetEnabled(false);
    EXPECT_EQ(button.Count(CM_ENABLEDCHANGED), 1);
    EXPECT_FALSE(::IsWindowEnabled(form.Button2->Handle()));
    form.Button2->SetEnabled(true);
    EXPECT_TRUE(::IsWindowEnabled(form.Button2->Handle()));
    form.Button2->Hide();
    EXPECT_EQ(button.Count(CM_VISIBLECHANGED), 1);
    EXPECT_FALSE(::IsWindowVisible(form.Button2->Handle()));
    form.Button2->Show();
    EXPECT_TRUE(::IsWindowVisible(form.Button2->Handle()));
    EXPECT_EQ(button.Count(CM_VISIBLECHANGED), 2);

    BringToFrontAndWait(form);
    MessageSpy one(*form.Button1);
    form.Button1->SetFocus();
    Pump(20);
    MessageSpy two(*form.Button2);
    form.Button2->SetFocus();
    Pump(20);
    EXPECT_EQ(form.ActiveControl(), form.Button2);
    EXPECT_EQ(one.Count(CM_EXIT), 1);
    ASSERT_GE(two.Count(CM_FOCUSCHANGED), 1);
    EXPECT_EQ(two.Last(CM_FOCUSCHANGED)->LParam, reinterpret_cast<LPARAM>(static_cast<TControl*>(form.Button2)));
}

TEST(Messages, TabMovesTheFocusInTabOrder) {
    FreshTestForm fresh;
    TTestForm1& form = *fresh;
    BringToFrontAndWait(form);
    form.Button1->SetFocus();
    Pump(20);
    ASSERT_EQ(::GetFocus(), form.Button1->Handle());
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_TAB;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, keys, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == form.Button2->Handle(); }));
    ::SendInput(2, keys, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == form.ListBox1->Handle(); })) << "after the last comes the first";

    // A previewing form may take the key before its controls.
    form.KeyPreview = true;
    int previewed = 0;
    form.OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        if (key == VK_TAB) {
            ++previewed;
            key = 0;
        }
    };
    ::SendInput(2, keys, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return previewed == 1; }));
    Pump(30);
    EXPECT_EQ(::GetFocus(), form.ListBox1->Handle()) << "the key was taken";
    form.KeyPreview = false;
    form.OnKeyDown = TKeyEvent{};
}

TEST(Messages, ModalFormsDisableTheOthersUntilTheyHaveAResult) {
    FreshTestForm fresh;
    TTestForm1& main = *fresh;
    BringToFrontAndWait(main);
    auto* dialog = CreateComponent<TForm>(Application);
    dialog->SetBorderStyle(TFormBorderStyle::bsDialog);
    auto* ok = new TButton(dialog);
    ok->SetParent(dialog);
    ok->SetModalResult(mrOk);
    auto* other = new TButton(dialog);
    other->SetParent(dialog);
    other->SetLeft(100);
    bool mainDisabledMeanwhile = false;
    TTimer probe(nullptr);
    probe.SetInterval(30);
    probe.OnTimer = [&](TObject*) {
        mainDisabledMeanwhile = !::IsWindowEnabled(main.Handle());
        probe.SetEnabled(false);
        ::PostMessageW(ok->Handle(), BM_CLICK, 0, 0);
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(mainDisabledMeanwhile);
    EXPECT_TRUE(::IsWindowEnabled(main.Handle()));
    EXPECT_FALSE(::IsWindowVisible(dialog->Handle()));

    // Return clicks the focused button; closing gives mrCancel.
    int otherClicks = 0;
    other->OnClick = [&](TObject*) {
        ++otherClicks;
        dialog->Close();
    };
    probe.OnTimer = [&](TObject*) {
        probe.SetEnabled(false);
        other->SetFocus();
        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = VK_RETURN;
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, keys, sizeof(INPUT));
    };
    probe.SetEnabled(true);
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(otherClicks, 1);
    delete dialog;
}

TEST(Messages, PanelsPaintThemselvesAndPassClicksToTheirWindowlessChildren) {
    auto* form = CreateComponent<TForm>(Application);
    form->SetBounds(300, 200, 320, 200);
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(10, 10, 200, 80);
    panel->SetCaption("Panel");
    panel->Font().SetColor(clRed);
    auto* label = new TLabel(form);
    label->SetAutoSize(false);
    label->SetBounds(5, 5, 40, 15);
    label->SetCaption("x");
    label->SetParent(panel);
    int labelClicks = 0, panelClicks = 0;
    label->OnClick = [&](TObject*) { ++labelClicks; };
    panel->OnClick = [&](TObject*) { ++panelClicks; };
    form->Show();
    ::SetForegroundWindow(form->Handle());
    PumpUntil([&] { return ::GetForegroundWindow() == form->Handle(); });
    ::UpdateWindow(panel->Handle());
    Pump(50);

    wchar_t cls[32] = {};
    ::GetClassNameW(panel->Handle(), cls, 32);
    EXPECT_EQ(std::wstring(cls), L"TPanel");
    HDC dc = ::GetDC(panel->Handle());
    EXPECT_EQ(::GetPixel(dc, 0, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT)) << "raised bevel";
    EXPECT_EQ(::GetPixel(dc, 199, 79), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(::GetPixel(dc, 150, 20), ::GetSysColor(COLOR_BTNFACE));
    bool red = false;
    for (int x = 60; x < 140; ++x)
        for (int y = 30; y < 50; ++y) red |= ::GetPixel(dc, x, y) == RGB(255, 0, 0);
    ::ReleaseDC(panel->Handle(), dc);
    EXPECT_TRUE(red) << "the caption in the font colour";

    ClickAt(label->ClientToScreen(POINT{20, 7}));
    EXPECT_EQ(labelClicks, 1);
    EXPECT_EQ(panelClicks, 0);
    ClickAt(panel->ClientToScreen(POINT{150, 60}));
    EXPECT_EQ(panelClicks, 1);
    delete form;
}

TEST(Messages, ReleasedFormsGoAwayAndClosingTheMainFormEndsTheLoop) {
    FreshTestForm fresh;
    TTestForm1& form = *fresh;
    auto* other = CreateComponent<TForm>(Application);
    other->SetCaption("other");
    auto* b = new TButton(other);
    b->SetParent(other);
    other->Show();
    HWND otherWnd = other->Handle();
    HWND buttonWnd = b->Handle();
    int forms = Screen->FormCount();
    other->Close();  // not the main form: hidden only
    EXPECT_FALSE(::IsWindowVisible(otherWnd));
    other->Release();
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(otherWnd); }));
    EXPECT_FALSE(::IsWindow(buttonWnd));
    EXPECT_EQ(Screen->FormCount(), forms - 1);

    // The main form of an application of its own, so that the shared one keeps running.
    TApplication* shared = Application;
    {
        TApplication app(nullptr);
        Application = &app;
        TTestForm1* main = nullptr;
        app.CreateForm(main);
        EXPECT_EQ(app.MainForm(), main);
        main->Show();
        ::PostMessageW(main->Handle(), WM_CLOSE, 0, 0);
        EXPECT_TRUE(PumpUntil([&] { return app.Terminated(); })) << "the loop ends and takes its WM_QUIT";
        EXPECT_EQ(main->events, (std::vector<std::string>{"create", "show", "close"}));
        Application = shared;
    }
    EXPECT_FALSE(Application->Terminated());
    EXPECT_TRUE(::IsWindowVisible(form.Handle())) << "the shared main form is untouched";
}
