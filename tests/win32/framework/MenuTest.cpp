#include <gtest/gtest.h>

#include <algorithm>

#include "TestForms.h"

using namespace tv;

namespace {
const char* kMenuForm = R"(object MenuForm: TForm
  Caption = 'Menus'
  Menu = MainMenu1
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      object Open1: TMenuItem
        Caption = '&Open'
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object Exit1: TMenuItem
        Caption = 'E&xit'
        Enabled = False
      end
    end
    object Help1: TMenuItem
      Caption = '&Help'
    end
  end
end
)";
}  // namespace

TEST(Menus, AMainMenuFromADescriptionBecomesTheWindowsMenuBar) {
    auto* form = CreateComponent<TForm>(Application);
    ReadComponent(*form, kMenuForm);
    auto* menu = static_cast<TMainMenu*>(form->FindComponent("MainMenu1"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(form->Menu(), menu);
    ASSERT_EQ(menu->Items().Count(), 2);
    TMenuItem* file = menu->Items().Items(0);
    ASSERT_EQ(file->Count(), 3);
    EXPECT_EQ(menu->Items().Find("file"), file) << "captions compare without '&' and case";
    EXPECT_EQ(file->Items(2)->GetParentMenu(), menu);

    form->Show();
    HMENU bar = ::GetMenu(form->Handle());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar, menu->Handle());
    EXPECT_EQ(::GetMenuItemCount(bar), 2);
    HMENU sub = ::GetSubMenu(bar, 0);
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(::GetMenuItemCount(sub), 3);
    EXPECT_EQ(::GetMenuItemID(sub, 0), file->Items(0)->Command());
    EXPECT_TRUE(::GetMenuState(sub, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(::GetMenuState(sub, 2, MF_BYPOSITION) & MF_GRAYED);
    wchar_t text[32] = {};
    ::GetMenuStringW(bar, 1, text, 32, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), L"&Help");

    // Menu commands reach the item; a changed item gives a new menu and CM_MENUCHANGED.
    int opened = 0;
    file->Items(0)->OnClick = [&](TObject* sender) { opened += sender == file->Items(0); };
    ::SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(file->Items(0)->Command(), 0), 0);
    EXPECT_EQ(opened, 1);
    {
        MessageSpy spy(*form);
        file->Items(2)->SetEnabled(true);
        EXPECT_EQ(spy.Count(CM_MENUCHANGED), 1);
    }
    bar = ::GetMenu(form->Handle());
    EXPECT_EQ(bar, menu->Handle());
    EXPECT_FALSE(::GetMenuState(::GetSubMenu(bar, 0), 2, MF_BYPOSITION) & MF_GRAYED);

    // Freeing an item takes it out of the menu; freeing the menu takes the bar away.
    delete file->Items(1);
    EXPECT_EQ(::GetMenuItemCount(::GetSubMenu(::GetMenu(form->Handle()), 0)), 2);
    UINT gone = file->Items(1)->Command();
    delete menu;
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(::GetMenu(form->Handle()), nullptr);
    EXPECT_EQ(TMenuItem::FromCommand(gone), nullptr) << "the items went with their menu";
    delete form;
}

TEST(Menus, PopupMenusAreDrawnByTheirItemsAndChosenByKeyboard) {
    FreshTestForm fresh;
    TTestForm1& owner = *fresh;
    owner.Show();
    ::SetForegroundWindow(owner.Handle());
    PumpUntil([&] { return ::GetForegroundWindow() == owner.Handle(); });
    TPopupMenu popup(nullptr);
    popup.SetOwnerDraw(true);
    auto* first = new TMenuItem(nullptr);
    first->SetCaption("First");
    auto* second = new TMenuItem(nullptr);
    second->SetCaption("Second");
    popup.Items().Add(first);
    popup.Items().Add(second);
    int measured = 0, drawn = 0, chosen = 0, popped = 0;
    for (TMenuItem* item : {first, second}) {
        item->OnMeasureItem = [&](TObject*, TCanvas*, int& w, int& h) {
            ++measured;
            w = 120;
            h = 24;
        };
        item->OnDrawItem = [&](TObject*, TCanvas* canvas, RECT r, bool) {
            ++drawn;
            canvas->Brush().SetColor(clYellow);
            canvas->FillRect(r);
        };
    }
    second->OnClick = [&](TObject*) { ++chosen; };
    popup.OnPopup = [&](TObject*) { ++popped; };
    TTimer keys(nullptr);
    keys.SetInterval(150);
    keys.OnTimer = [&](TObject*) {
        keys.SetEnabled(false);
        INPUT in[4] = {};
        for (auto& i : in) i.type = INPUT_KEYBOARD;
        in[0].ki.wVk = in[1].ki.wVk = VK_DOWN;
        in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, in, sizeof(INPUT));
        ::SendInput(2, in, sizeof(INPUT));
        in[2].ki.wVk = in[3].ki.wVk = VK_RETURN;
        in[3].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, in + 2, sizeof(INPUT));
    };
    // Should the keys go elsewhere (another window in front), the menu is closed after a
    // while: the test fails instead of waiting for ever.
    TTimer failsafe(nullptr);
    failsafe.SetInterval(5000);
    failsafe.OnTimer = [&](TObject*) {
        failsafe.SetEnabled(false);
        ::EndMenu();
    };
    POINT at = owner.ClientToScreen(POINT{100, 100});
    popup.Popup(at.x, at.y);
    EXPECT_EQ(popped, 1);
    EXPECT_GE(measured, 2);
    EXPECT_GE(drawn, 2);
    EXPECT_EQ(chosen, 1) << "Down, Down, Return chose the second item";
}

// A popup's commands arrive at the application window when no form is active; whatever an
// item's handler throws must be reported there and never unwind through the system.
TEST(Menus, EveryFailureOfACommandHandlerIsReportedAtTheApplicationWindow) {
    ASSERT_NE(Application, nullptr);
    TPopupMenu popup(nullptr);
    auto* item = new TMenuItem(nullptr);
    item->SetCaption("Fails");
    popup.Items().Add(item);
    ASSERT_NE(popup.Handle(), nullptr);
    std::vector<std::string> reported;
    auto previous = Application->OnException;
    Application->OnException = [&](const std::string& what) { reported.push_back(what); };
    struct NotAStdException {};
    int thrown = 0;
    item->OnClick = [&](TObject*) {
        ++thrown;
        if (thrown == 1) throw Exception("first");
        throw NotAStdException{};
    };
    bool escaped = false;
    for (int i = 0; i < 2; ++i) {
        try {
            ::SendMessageW(Application->Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
        } catch (...) {
            escaped = true;
        }
    }
    Application->OnException = previous;
    EXPECT_EQ(thrown, 2);
    EXPECT_FALSE(escaped);
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_EQ(reported[0], "first");
    EXPECT_FALSE(reported[1].empty());
}

// Measuring borrows a screen DC; a handler that fails must not keep it from the cache.
TEST(Menus, AFailingMeasureHandlerGivesTheScreenDcBack) {
    TPopupMenu popup(nullptr);
    popup.SetOwnerDraw(true);
    auto* item = new TMenuItem(nullptr);
    item->SetCaption("Measured");
    popup.Items().Add(item);
    ASSERT_NE(popup.Handle(), nullptr);
    auto previous = Application->OnException;
    int reported = 0;
    Application->OnException = [&](const std::string&) { ++reported; };
    HDC held = nullptr;
    item->OnMeasureItem = [&](TObject*, TCanvas* canvas, int&, int&) {
        held = canvas->Handle();
        throw Exception("cannot measure");
    };
    MEASUREITEMSTRUCT mi{};
    mi.CtlType = ODT_MENU;
    mi.itemID = item->Command();
    mi.itemData = reinterpret_cast<ULONG_PTR>(item);
    ::SendMessageW(Application->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi));
    Application->OnException = previous;
    EXPECT_EQ(reported, 1);
    ASSERT_NE(held, nullptr);
    // A DC still checked out of the cache is never handed out a second time; a returned one
    // is among the next few handed out, before the cache makes new ones.
    std::vector<HDC> taken;
    for (int i = 0; i < 16; ++i) taken.push_back(::GetDC(nullptr));
    EXPECT_NE(std::find(taken.begin(), taken.end(), held), taken.end());
    for (HDC dc : taken)
        if (dc) ::ReleaseDC(nullptr, dc);
}

// ---- short cuts and actions ----------------------------------------------------------------

TEST(Menus, ShortCutsReadAndWriteAsPeopleTypeThem) {
    struct Case {
        TShortCut key;
        const char* text;
    } cases[] = {
        {ShortCut('S', scCtrl), "Ctrl+S"},       {ShortCut(VK_F2, scShift), "Shift+F2"},
        {ShortCut(VK_F4, scAlt), "Alt+F4"},      {ShortCut(VK_DELETE, 0), "Del"},
        {ShortCut('Z', scCtrl | scShift), "Ctrl+Shift+Z"}, {ShortCut('0', scCtrl), "Ctrl+0"},
        {ShortCut(VK_F12, 0), "F12"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ShortCutToText(c.key), c.text);
        EXPECT_EQ(TextToShortCut(c.text), c.key) << c.text;
    }
    EXPECT_EQ(TextToShortCut("ctrl+shift+z"), ShortCut('Z', scCtrl | scShift)) << "case does not matter";
    EXPECT_EQ(ShortCutToText(0), "");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_LBUTTON, scCtrl)), "") << "not a key one can name";
    EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
    EXPECT_EQ(TextToShortCut("Hyper+Q"), 0);
}

namespace {
const char* kActionForm = R"(object ActionForm: TForm
  Caption = 'Actions'
  Menu = MainMenu1
  object ActionList1: TActionList
  end
  object SaveAction: TAction
    Caption = '&Save'
    ShortCut = 16467
  end
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      object Save1: TMenuItem
        Action = SaveAction
      end
      object Quit1: TMenuItem
        Caption = '&Quit'
        ShortCut = 32883
      end
    end
  end
end
)";

std::wstring MenuText(HMENU menu, int position) {
    wchar_t text[64] = {};
    ::GetMenuStringW(menu, UINT(position), text, 64, MF_BYPOSITION);
    return text;
}
}  // namespace

TEST(Menus, ItemsShowTheirShortCutAndFollowTheirAction) {
    auto* form = CreateComponent<TForm>(Application);
    ReadComponent(*form, kActionForm);
    auto* save = static_cast<TAction*>(form->FindComponent("SaveAction"));
    auto* item = static_cast<TMenuItem*>(form->FindComponent("Save1"));
    ASSERT_TRUE(save && item);
    EXPECT_EQ(item->Action(), save);
    EXPECT_EQ(item->Caption(), "&Save") << "the action's caption";
    EXPECT_EQ(item->ShortCut(), ShortCut('S', scCtrl));
    form->Show();
    HMENU file = ::GetSubMenu(::GetMenu(form->Handle()), 0);
    EXPECT_EQ(MenuText(file, 0), L"&Save\tCtrl+S");
    EXPECT_EQ(MenuText(file, 1), L"&Quit\tAlt+F4");

    // Clicked, the item runs its action; a disabled action does not run.
    int saved = 0;
    save->OnExecute = [&](TObject*) { ++saved; };
    ::SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
    EXPECT_EQ(saved, 1);
    save->SetEnabled(false);
    EXPECT_FALSE(item->Enabled());
    EXPECT_TRUE(::GetMenuState(::GetSubMenu(::GetMenu(form->Handle()), 0), 0, MF_BYPOSITION) & MF_GRAYED);
    item->Click();
    EXPECT_EQ(saved, 1);

    // The program's update handler sets the state; only a real change rebuilds the menu.
    save->OnUpdate = [&](TObject* a) { static_cast<TAction*>(a)->SetEnabled(true); };
    {
        MessageSpy spy(*form);
        item->GetParentMenu()->Items().InitiateActions();
        EXPECT_TRUE(item->Enabled());
        EXPECT_EQ(spy.Count(CM_MENUCHANGED), 1);
        item->GetParentMenu()->Items().InitiateActions();
        EXPECT_EQ(spy.Count(CM_MENUCHANGED), 1);
    }
    save->SetCaption("Save &As");
    EXPECT_EQ(MenuText(::GetSubMenu(::GetMenu(form->Handle()), 0), 0), L"Save &As\tCtrl+S");

    // The action may go before its items: they keep what they showed and click harmlessly.
    delete save;
    EXPECT_EQ(item->Action(), nullptr);
    EXPECT_EQ(item->Caption(), "Save &As");
    item->Click();
    delete form;
}

TEST(Menus, APopupMenuUpdatesItsActionsBeforeItShows) {
    auto* form = CreateComponent<TForm>(Application);
    ReadComponent(*form, kActionForm);
    auto* save = static_cast<TAction*>(form->FindComponent("SaveAction"));
    auto* popup = new TPopupMenu(form);
    auto* item = new TMenuItem(popup);
    item->SetAction(save);
    popup->Items().Add(item);
    int updates = 0;
    bool enabledWhenShown = true;
    save->OnUpdate = [&](TObject*) {
        ++updates;
        save->SetEnabled(false);
    };
    form->Show();
    static bool* shown = nullptr;
    shown = &enabledWhenShown;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND menuWindow = ::FindWindowW(L"#32768", nullptr);
        if (!menuWindow) return;
        ::KillTimer(nullptr, id);
        HMENU shownMenu = reinterpret_cast<HMENU>(::SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
        *shown = !(::GetMenuState(shownMenu, 0, MF_BYPOSITION) & MF_GRAYED);
        ::EndMenu();
    });
    popup->Popup(100, 100);
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(updates, 1);
    EXPECT_FALSE(enabledWhenShown) << "the update came before the menu was shown";
    delete form;
}

namespace {
const char* kContextForm = R"(object ContextForm: TForm
  Caption = 'Context menus'
  PopupMenu = FormPopup
  object OwnButton: TButton
    Left = 10
    Top = 10
    Width = 80
    Height = 24
    Caption = 'Own'
    PopupMenu = ButtonPopup
  end
  object PlainButton: TButton
    Left = 10
    Top = 50
    Width = 80
    Height = 24
    Caption = 'Plain'
  end
  object FormPopup: TPopupMenu
    object FormItem: TMenuItem
      Caption = 'Form item'
    end
  end
  object ButtonPopup: TPopupMenu
    object ButtonItem: TMenuItem
      Caption = 'Button item'
    end
  end
end
)";

// The menu shown by a WM_CONTEXTMENU sent to target, and where its window was; null when
// none showed.
HMENU ContextMenuOf(HWND target, LPARAM at, POINT* where = nullptr) {
    static HMENU shown;
    static POINT topLeft;
    shown = nullptr;
    topLeft = {};
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND menuWindow = ::FindWindowW(L"#32768", nullptr);
        if (!menuWindow || !::IsWindowVisible(menuWindow)) return;
        ::KillTimer(nullptr, id);
        shown = reinterpret_cast<HMENU>(::SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
        RECT r;
        ::GetWindowRect(menuWindow, &r);
        topLeft = {r.left, r.top};
        ::EndMenu();
    });
    ::SendMessageW(target, WM_CONTEXTMENU, WPARAM(target), at);
    ::KillTimer(nullptr, timer);
    if (where) *where = topLeft;
    return shown;
}
}  // namespace

TEST(Menus, AControlShowsItsPopupMenuOnContextMenuElseItsParentDoes) {
    auto* form = CreateComponent<TForm>(Application);
    ReadComponent(*form, kContextForm);
    auto* formPopup = static_cast<TPopupMenu*>(form->FindComponent("FormPopup"));
    auto* buttonPopup = static_cast<TPopupMenu*>(form->FindComponent("ButtonPopup"));
    auto* own = static_cast<TButton*>(form->FindComponent("OwnButton"));
    auto* plain = static_cast<TButton*>(form->FindComponent("PlainButton"));
    ASSERT_TRUE(formPopup && buttonPopup && own && plain);
    EXPECT_EQ(form->PopupMenu(), formPopup);
    EXPECT_EQ(own->PopupMenu(), buttonPopup);
    EXPECT_EQ(plain->PopupMenu(), nullptr);
    EXPECT_THROW(plain->SetPopupMenu(own), Exception) << "only a menu can pop up";
    EXPECT_EQ(plain->PopupMenu(), nullptr);
    form->Show();
    ::SetForegroundWindow(form->Handle());
    PumpUntil([&] { return ::GetForegroundWindow() == form->Handle(); });

    const POINT p = form->ClientToScreen(POINT{200, 120});
    EXPECT_EQ(ContextMenuOf(own->Handle(), MAKELPARAM(p.x, p.y)), buttonPopup->Handle()) << "the control's own menu";
    EXPECT_EQ(buttonPopup->PopupComponent, own);
    EXPECT_EQ(ContextMenuOf(plain->Handle(), MAKELPARAM(p.x, p.y)), formPopup->Handle())
        << "a control without one leaves it to the form";
    EXPECT_EQ(formPopup->PopupComponent, form);
    // The menu key: no point comes with it, the menu opens at the control's corner.
    POINT where{};
    EXPECT_EQ(ContextMenuOf(own->Handle(), LPARAM(-1), &where), buttonPopup->Handle());
    const POINT corner = own->ClientToScreen(POINT{0, 0});
    EXPECT_EQ(where.x, corner.x);
    EXPECT_EQ(where.y, corner.y);

    // A freed menu is forgotten: the request goes on to the form's.
    delete buttonPopup;
    EXPECT_EQ(own->PopupMenu(), nullptr);
    EXPECT_EQ(ContextMenuOf(own->Handle(), MAKELPARAM(p.x, p.y)), formPopup->Handle());
    delete form;
}
