// How long a control skinner lives and what it leaves: freed with its control, freed on
// unskinning with the control's own procedure back, let go of a bare window when the window
// goes, never twice on one window, switched off and on by SKM_SKINENABLE; and cycles of
// all that hold no more handles than before.
#include <gtest/gtest.h>

#include <array>

#include "ControlsTestUtil.h"
#include "base/Handles.h"
#include "skin/controls/ButtonSkinners.h"
#include "skin/core/WinSkinData.h"
#include "skin/core/WinSkinDlg.h"
#include "skin/forms/ControlClassification.h"

using namespace skin;
using namespace skintest;

namespace {

std::array<long, 5> LiveHandles() {
    return {base::OwnedGdiObject<HBITMAP>::Live(), base::OwnedGdiObject<HRGN>::Live(),
            base::OwnedGdiObject<HFONT>::Live(), base::OwnedGdiObject<HBRUSH>::Live(),
            base::OwnedGdiObject<HPEN>::Live()};
}

struct ButtonForm {
    tv::TForm* form;
    tv::TButton* button;
    int clicks = 0;
    explicit ButtonForm(const char* caption) : form(MakeForm(caption, 300, 120)) {
        button = new tv::TButton(form);
        button->SetParent(form);
        button->SetBounds(20, 20, 100, 30);
        button->SetCaption("Press");
        button->OnClick = [this](tv::TObject*) { ++clicks; };
    }
    ~ButtonForm() { delete form; }
};

void PressAndRelease(HWND button) {
    ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ::SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Pump(40);
}

void ActivateNow(TWinSkinForm& skinner) {
    ::SendMessageW(skinner.Handle(), SKM_ACTIVATESKIN, 0, 1000);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

}  // namespace

TEST(SkinnerLifetime, AControlsSkinnerGoesWithTheControlAndLeavesTheListClean) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    ButtonForm f("Lifetime");
    auto* other = new tv::TButton(f.form);
    other->SetParent(f.form);
    other->SetBounds(140, 20, 100, 30);
    auto* skinner = new TWinSkinForm(f.form, f.form->Handle());
    skinner->AttachForm(data.get(), f.form);
    Activate(*skinner);
    const HWND button = f.button->Handle();
    ASSERT_EQ(skinner->SkinnerCount(), 2);
    tv::WeakPtr<TChildSkinner> weak(skinner->FindSkinner(button));
    ASSERT_TRUE(weak.Get());
    EXPECT_EQ(weak->Owner(), f.button) << "a framework control owns its skinner";
    EXPECT_EQ(weak->State(), kChildAttached);

    delete f.button;
    f.button = nullptr;
    EXPECT_FALSE(weak.Get());
    EXPECT_EQ(skinner->SkinnerCount(), 1);
    EXPECT_FALSE(skinner->FindSkinner(button));
    // The rest goes on working: the form repaints, the other button is still skinned.
    ::RedrawWindow(f.form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(::SendMessageW(other->Handle(), SKM_ISSKINNED, 0, 0), 1);
}

TEST(SkinnerLifetime, UnskinningFreesTheSkinnersAndTheButtonWorksAsStockAgain) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("slate");
    ASSERT_TRUE(data && !data->SkinEmpty);
    ButtonForm f("Unskin");
    const tv::TWndMethod stock = f.button->WindowProc;
    TWinSkinForm skinner(nullptr, f.form->Handle());
    skinner.AttachForm(data.get(), f.form);
    Activate(skinner);
    const HWND button = f.button->Handle();
    ASSERT_EQ(::SendMessageW(button, SKM_ISSKINNED, 0, 0), 1);
    EXPECT_FALSE(f.button->WindowProc == stock);
    tv::WeakPtr<TChildSkinner> weak(skinner.FindSkinner(button));

    skinner.Unskin();
    EXPECT_FALSE(weak.Get());
    EXPECT_EQ(skinner.SkinnerCount(), 0);
    EXPECT_TRUE(f.button->WindowProc == stock);
    EXPECT_EQ(::SendMessageW(button, SKM_ISSKINNED, 0, 0), 0);
    Pump(80);
    EXPECT_EQ(ShownButtonFrame(button, *data), 0) << "the stock look again";
    // The press reaches the stock button now, which clicks by itself: still one click.
    PressAndRelease(button);
    EXPECT_EQ(f.clicks, 1);
}

TEST(SkinnerLifetime, ABareWindowsSkinnerLetsGoWhenTheWindowGoes) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    const HWND dialog = MakeButtonDialog(L"Going", {
        {WS_TABSTOP | BS_DEFPUSHBUTTON, 20, 90, 60, 16, IDOK, L"OK"},
        {WS_TABSTOP | BS_PUSHBUTTON, 100, 90, 60, 16, IDCANCEL, L"Cancel"},
    });
    ASSERT_TRUE(dialog);
    TWinSkinForm skinner(nullptr, dialog);
    skinner.AttachWindow(data.get());
    Activate(skinner);
    const HWND cancel = ::GetDlgItem(dialog, IDCANCEL);
    TChildSkinner* s = skinner.FindSkinner(cancel);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->Owner(), &skinner) << "a bare window's skinner belongs to the form skinner";
    tv::WeakPtr<TChildSkinner> weak(s);

    ::DestroyWindow(cancel);
    ASSERT_TRUE(weak.Get());
    EXPECT_EQ(weak->State(), kChildWindowGone);
    EXPECT_FALSE(weak->SkinnedWindow()) << "nothing of the window is held";
    skinner.FreeDeadSkinners();
    EXPECT_FALSE(weak.Get());
    EXPECT_EQ(skinner.SkinnerCount(), 1);

    ::DestroyWindow(dialog);
    EXPECT_EQ(skinner.SkinnerCount(), 0);
}

TEST(SkinnerLifetime, NoWindowIsSkinnedTwice) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    ButtonForm f("Twice");
    TWinSkinForm skinner(nullptr, f.form->Handle());
    skinner.AttachForm(data.get(), f.form);
    Activate(skinner);
    ASSERT_EQ(skinner.SkinnerCount(), 1);
    {
        RequestLog log;
        SkinControl(skinner, *f.button, f.form);
        SkinFormControls(skinner, *f.form);
        EXPECT_TRUE(log.All().empty()) << "an already skinned control is not classified again";
    }
    EXPECT_EQ(skinner.SkinnerCount(), 1);

    // Another form skinner's skinner is turned away by the window itself.
    const HWND dialog = MakeButtonDialog(L"Twice", {{WS_TABSTOP | BS_DEFPUSHBUTTON, 20, 90, 60, 16, IDOK, L"OK"}});
    TWinSkinForm first(nullptr, dialog);
    first.AttachWindow(data.get());
    Activate(first);
    const HWND ok = ::GetDlgItem(dialog, IDOK);
    ASSERT_TRUE(first.FindSkinner(ok));
    TWinSkinForm second(nullptr, dialog);
    auto* late = new TSkinButton(&second);
    late->AttachWindow(ok, data.get(), &second, &second.ScratchCanvas());
    EXPECT_EQ(late->State(), kChildCreated);
    EXPECT_EQ(second.SkinnerCount(), 0);
    PressAndRelease(ok);
    EXPECT_EQ(CommandCount(dialog, IDOK), 1) << "one skinner, one command";
    ::DestroyWindow(dialog);
}

TEST(SkinnerLifetime, SwitchedOffTheButtonIsStockAndSwitchedOnItIsSkinnedAtOnce) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    ButtonForm f("Enable");
    TWinSkinForm skinner(nullptr, f.form->Handle());
    skinner.AttachForm(data.get(), f.form);
    Activate(skinner);
    const HWND button = f.button->Handle();
    ASSERT_EQ(ShownButtonFrame(button, *data), kLookNormal);

    ::SendMessageW(button, SKM_SKINENABLE, 0, 0);
    ::RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(60);
    EXPECT_EQ(ShownButtonFrame(button, *data), 0);
    PressAndRelease(button);
    EXPECT_EQ(f.clicks, 1) << "the stock button clicks by itself";

    ::SendMessageW(button, SKM_SKINENABLE, 1, 0);
    Pump(60);
    EXPECT_NE(ShownButtonFrame(button, *data), 0);
    PressAndRelease(button);
    EXPECT_EQ(f.clicks, 2);
}

TEST(SkinnerLifetime, CyclesOfSkinningPaintingAndDestroyingHoldNoMoreHandles) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    auto formCycle = [&](bool destroyForm) {
        ButtonForm f("Cycle");
        auto* skinner = new TWinSkinForm(f.form, f.form->Handle());
        skinner->AttachForm(data.get(), f.form);
        ActivateNow(*skinner);
        ::RedrawWindow(f.form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PressAndRelease(f.button->Handle());
        if (!destroyForm) skinner->Unskin();
    };
    auto dialogCycle = [&] {
        const HWND dialog = MakeButtonDialog(L"Cycle", {{WS_TABSTOP | BS_DEFPUSHBUTTON, 20, 90, 60, 16, IDOK, L"OK"}});
        auto* skinner = new TWinSkinForm(nullptr, dialog);
        skinner->AttachWindow(data.get());
        ActivateNow(*skinner);
        ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        ::DestroyWindow(dialog);
        delete skinner;
    };
    formCycle(true);
    formCycle(false);
    dialogCycle();
    Pump(20);
    const auto before = LiveHandles();
    for (int i = 0; i < 30; ++i) {
        formCycle(i % 2 == 0);
        dialogCycle();
    }
    Pump(20);
    EXPECT_EQ(LiveHandles(), before) << "bitmaps, regions, fonts, brushes, pens";
}

TEST(SkinnerLifetime, ASecondAttachChangesNothing) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    ButtonForm f("Again");
    TWinSkinForm skinner(nullptr, f.form->Handle());
    skinner.AttachForm(data.get(), f.form);
    Activate(skinner);
    auto* s = dynamic_cast<TSkinControl*>(skinner.FindSkinner(f.button->Handle()));
    ASSERT_TRUE(s);
    const tv::TWndMethod installed = f.button->WindowProc;
    const tv::TColor colour = f.button->Color();
    s->AttachControl(&skinner, data.get(), true, &skinner.ScratchCanvas());
    EXPECT_FALSE(s->Recolor);
    EXPECT_EQ(f.button->Color(), colour);
    EXPECT_TRUE(f.button->WindowProc == installed);
    EXPECT_EQ(skinner.SkinnerCount(), 1);
    PressAndRelease(f.button->Handle());
    EXPECT_EQ(f.clicks, 1);
}

TEST(SkinnerLifetime, WithOnlyTheControlsSkinnedUnskinningRepaintsThemStock) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    data->SkinControls.Exclude(TSkinControlType::xcMainMenu);  // no skinned frame
    MoveMouseTo({5, 5});
    ButtonForm f("Controls only");
    TWinSkinForm skinner(nullptr, f.form->Handle());
    skinner.AttachForm(data.get(), f.form);
    Activate(skinner);
    ASSERT_FALSE(skinner.SkinFrame());
    const HWND button = f.button->Handle();
    Pump(60);
    ASSERT_EQ(ShownButtonFrame(button, *data), kLookNormal);
    skinner.Unskin();
    Pump(80);
    EXPECT_EQ(ShownButtonFrame(button, *data), 0) << "still drawn from the skin";
}

TEST(SkinnerLifetime, AControlThatMakesItsWindowAnewIsSkinnedAgain) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("slate");
    ASSERT_TRUE(data && !data->SkinEmpty);
    MoveMouseTo({5, 5});
    ButtonForm f("Anew");
    TWinSkinForm skinner(nullptr, f.form->Handle());
    skinner.AttachForm(data.get(), f.form);
    Activate(skinner);
    const HWND old = f.button->Handle();
    f.button->RecreateWnd();
    ASSERT_TRUE(PumpUntil([&] { return f.button->HandleAllocated() && f.button->Handle() != old; }));
    const HWND now = f.button->Handle();
    Pump(80);
    EXPECT_EQ(::SendMessageW(now, SKM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(skinner.SkinnerCount(), 1);
    EXPECT_TRUE(skinner.FindSkinner(now));
    EXPECT_EQ(ShownButtonFrame(now, *data), kLookNormal);
    PressAndRelease(now);
    EXPECT_EQ(f.clicks, 1);
}
