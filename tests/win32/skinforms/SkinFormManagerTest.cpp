// The form skinner as the skin manager makes and keeps it: through the factory, set up by
// the posted message, and gone from the registry when its window or its form goes.
#include <gtest/gtest.h>

#include "SkinFormTestUtil.h"
#include "skin/core/WinSkinDlg.h"

using namespace skin;
using namespace skintest;

TEST(FormSkinnerWithManager, FactoryMadeSkinnersFollowTheirWindows) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    InstallFormSkinning();
    TSkinManage& manager = EnsureSkinManager();
    manager.Enabled = true;
    manager.AddSkinData(data.get());
    const int before = manager.FormSkinnerCount();

    tv::TForm* form = MakeForm("Managed form");
    const HWND formWnd = form->Handle();
    const RECT client = ClientRectOf(formWnd);
    ASSERT_TRUE(manager.SkinWindow(formWnd));
    auto* formSkinner = dynamic_cast<TWinSkinForm*>(manager.FindFormSkinner(formWnd));
    ASSERT_NE(formSkinner, nullptr);
    EXPECT_EQ(formSkinner->Owner(), form) << "a form's skinner belongs to the form";
    EXPECT_TRUE(PumpUntil([&] { return formSkinner->SkinState() == kSkinSkinned; })) << "set up by the posted message";
    EXPECT_EQ(SizeOf(ClientRectOf(formWnd)).cx, SizeOf(client).cx);
    EXPECT_EQ(SizeOf(ClientRectOf(formWnd)).cy, SizeOf(client).cy);
    EXPECT_FALSE(manager.SkinWindow(formWnd)) << "nothing is skinned twice";

    HWND dialog = MakeDialog(L"Managed dialog");
    ASSERT_TRUE(manager.SkinWindow(dialog));
    auto* dialogSkinner = dynamic_cast<TWinSkinForm*>(manager.FindFormSkinner(dialog));
    ASSERT_NE(dialogSkinner, nullptr);
    EXPECT_EQ(dialogSkinner->WindowClassName, "#32770");
    EXPECT_TRUE(PumpUntil([&] { return dialogSkinner->SkinState() == kSkinSkinned; }));
    EXPECT_EQ(manager.FormSkinnerCount(), before + 2);

    ::DestroyWindow(dialog);
    EXPECT_EQ(dialogSkinner->SkinState(), kSkinWindowGone) << "left for the manager to free";
    delete form;  // its skinner goes with it and leaves the registry
    EXPECT_EQ(manager.FindFormSkinner(formWnd), nullptr);
    EXPECT_EQ(manager.FormSkinnerCount(), before + 1);
    // The next window the manager looks at purges the dead one.
    HWND later = MakeDialog(L"Later");
    manager.SkinWindow(later);
    EXPECT_EQ(manager.FindFormSkinner(dialog), nullptr);
    ::DestroyWindow(later);
    manager.RemoveSkinData(data.get());
    FreeSkinManager();
}
