// A cool bar on a skinned form: its bands' backgrounds take the skin's face, so that the
// bar shows the skin around its controls; the tool bar and the edit in its bands are
// skinned as anywhere else; without tool bar skinning the bands keep their own colour.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

#include "ControlsTestUtil.h"
#include "framework/CoolBars.h"
#include "framework/Edits.h"
#include "framework/ToolBars.h"
#include "skin/core/WinSkinData.h"

using namespace skin;
using namespace skintest;

namespace {

COLORREF BandBack(tv::TCoolBar& bar, int index) {
    REBARBANDINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_COLORS;
    ::SendMessageW(bar.Handle(), RB_GETBANDINFOW, WPARAM(index), reinterpret_cast<LPARAM>(&info));
    return info.clrBack;
}

struct CoolForm {
    tv::TForm* form = nullptr;
    tv::TCoolBar* bar = nullptr;
    tv::TToolBar* tools = nullptr;
    tv::TEdit* edit = nullptr;

    CoolForm() {
        form = MakeForm("Cool bar", 460, 120);
        bar = new tv::TCoolBar(form);
        bar->SetParent(form);
        bar->SetBounds(0, 10, 460, 40);
        tools = new tv::TToolBar(form);
        tools->SetBounds(0, 0, 150, 26);
        for (const char* c : {"One", "Two"}) {
            auto* b = new tv::TToolButton(form);
            b->SetCaption(c);
            b->SetToolBar(tools);
        }
        edit = new tv::TEdit(form);
        edit->SetBounds(0, 0, 150, 23);
        edit->SetText("In a band");
        bar->AddBand(tools, "Tools", 200);
        bar->AddBand(edit, "Find", 240);
        Pump(40);
    }
    ~CoolForm() { delete form; }
};

}  // namespace

TEST(CoolBar, TheBandsTakeTheSkinsFaceAndTheirControlsAreSkinned) {
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data);
    InstallControlsOnce();
    CoolForm f;
    ASSERT_EQ(::SendMessageW(f.bar->Handle(), RB_GETBANDCOUNT, 0, 0), 2);
    EXPECT_EQ(::GetParent(f.tools->Handle()), f.bar->Handle());
    EXPECT_EQ(::GetParent(f.edit->Handle()), f.bar->Handle());
    EXPECT_EQ(BandBack(*f.bar, 0), tv::ColorToRGB(tv::clBtnFace));

    auto* skinner = new TWinSkinForm(f.form, f.form->Handle());
    skinner->AttachForm(data.get(), f.form);
    Activate(*skinner);
    Pump(120);
    const COLORREF face = tv::ColorToRGB(data->SkinColors.ButtonFace);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(BandBack(*f.bar, i), face) << "band " << i;
        EXPECT_EQ(f.bar->Bands(i)->Color(), data->SkinColors.ButtonFace);
    }
    ASSERT_NE(skinner->FindSkinner(f.tools->Handle()), nullptr);
    EXPECT_EQ(skinner->FindSkinner(f.tools->Handle())->ClassName(), "TSkinBox");
    ASSERT_NE(skinner->FindSkinner(f.edit->Handle()), nullptr);
    EXPECT_EQ(skinner->FindSkinner(f.edit->Handle())->ClassName(), "TSkinEdit");
    // On the screen: the band around the edit shows the skin's face, not the stock one.
    f.bar->Invalidate();
    f.bar->Update();
    Pump(60);
    const RECT edit = WindowRectOf(f.edit->Handle());
    RECT band = f.bar->BandRect(1);
    ::MapWindowPoints(f.bar->Handle(), nullptr, reinterpret_cast<POINT*>(&band), 2);
    const int x = (edit.left + edit.right) / 2;
    const int y = band.bottom - edit.bottom >= 2 ? edit.bottom : edit.top - 1;
    ASSERT_TRUE(y >= band.top && y < band.bottom) << "the band leaves room around the edit";
    const raster::Bitmap shot = CaptureScreen(RECT{x, y, x + 1, y + 1});
    EXPECT_LT(ColourDistance(shot.GetPixel(0, 0) & 0xFFFFFF, face & 0xFFFFFF), 6);
    // The band's caption reads on it: light text on the dark face.
    REBARBANDINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_COLORS;
    ::SendMessageW(f.bar->Handle(), RB_GETBANDINFOW, 1, reinterpret_cast<LPARAM>(&info));
    EXPECT_GT(GetRValue(info.clrFore) + GetGValue(info.clrFore) + GetBValue(info.clrFore), 3 * 160);
    SavePng(CaptureScreen(WindowRectOf(f.form->Handle())), ScreenshotPath("coolbar-midnight.png"));
    // A band the program colours while skinned keeps that colour; the others get their own back.
    f.bar->Bands(1)->SetColor(tv::clYellow);
    skinner->Unskin();
    Pump(20);
    EXPECT_EQ(f.bar->Bands(0)->Color(), tv::clBtnFace);
    EXPECT_EQ(BandBack(*f.bar, 0), tv::ColorToRGB(tv::clBtnFace));
    EXPECT_EQ(f.bar->Bands(1)->Color(), tv::clYellow);
    delete skinner;
    Pump(20);
}

TEST(CoolBar, WithoutToolBarSkinningTheBandsKeepTheirColour) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data);
    InstallControlsOnce();
    data->SkinControls.Exclude(TSkinControlType::xcToolbar);
    CoolForm f;
    f.bar->Bands(1)->SetColor(tv::clWindow);
    auto* skinner = new TWinSkinForm(f.form, f.form->Handle());
    skinner->AttachForm(data.get(), f.form);
    Activate(*skinner);
    Pump(80);
    EXPECT_EQ(BandBack(*f.bar, 0), tv::ColorToRGB(tv::clBtnFace));
    EXPECT_EQ(BandBack(*f.bar, 1), tv::ColorToRGB(tv::clWindow));
    EXPECT_EQ(skinner->FindSkinner(f.tools->Handle()), nullptr);
    delete skinner;
    Pump(20);
}
