// Containers on a skinned form: a frame's own controls are skinned with the form while the
// frame itself shows the skinned background behind it; a form placed inside another is a
// child window, recoloured as a container with its own controls skinned, and never given a
// frame and caption of its own; unskinned, both are as they were.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

#include "ControlsTestUtil.h"
#include "framework/Frames.h"
#include "skin/core/WinSkinData.h"
#include "skin/forms/WinSkinForm.h"

using namespace skin;
using namespace skintest;

namespace {

raster::Color PixelAt(POINT screen) { return CaptureScreen(RECT{screen.x, screen.y, screen.x + 1, screen.y + 1}).GetPixel(0, 0) & 0xFFFFFF; }

std::string SkinnerOf(TWinSkinForm& fs, tv::TWinControl& c) {
    TChildSkinner* s = fs.FindSkinner(c.Handle());
    return s ? s->ClassName() : "";
}

}  // namespace

TEST(Containers, AFramesAndAnInnerFormsControlsAreSkinnedAndTheInnerFormHasNoFrameOfItsOwn) {
    for (const char* name : {"midnight", "daylight"}) {
        SCOPED_TRACE(name);
        auto data = LoadPackedSkin(name);
        ASSERT_TRUE(data);
        InstallControlsOnce();
        MoveMouseTo({5, 5});
        tv::TForm* form = MakeForm("Containers", 620, 260);
        // A frame holding controls of its own.
        auto* frame = new tv::TFrame(form);
        frame->SetParent(form);
        frame->SetBounds(10, 10, 280, 200);
        auto* frameButton = new tv::TButton(frame);
        frameButton->SetParent(frame);
        frameButton->SetBounds(10, 10, 120, 28);
        frameButton->SetCaption("In the frame");
        auto* frameCheck = new tv::TCheckBox(frame);
        frameCheck->SetParent(frame);
        frameCheck->SetBounds(10, 50, 200, 20);
        frameCheck->SetCaption("Checked in the frame");
        frameCheck->SetChecked(true);
        // A form inside the form, with a caption it may not keep, and controls of its own.
        auto* inner = new tv::TForm(form);
        inner->SetBorderStyle(tv::TFormBorderStyle::bsSingle);
        inner->SetParent(form);
        inner->SetBounds(310, 10, 290, 220);
        inner->SetColor(tv::clWindow);
        auto* innerButton = new tv::TButton(inner);
        innerButton->SetParent(inner);
        innerButton->SetBounds(10, 10, 120, 28);
        innerButton->SetCaption("Inner");
        auto* innerEdit = new tv::TEdit(inner);
        innerEdit->SetParent(inner);
        innerEdit->SetBounds(10, 50, 200, 23);
        inner->Show();
        Pump(30);
        const tv::TColor editText = innerEdit->Font().Color();

        const HWND innerWindow = inner->Handle();
        ASSERT_TRUE(::GetWindowLongW(innerWindow, GWL_STYLE) & WS_CHILD);
        EXPECT_EQ(::GetParent(innerWindow), form->Handle());
        EXPECT_FALSE(::GetWindowLongW(innerWindow, GWL_EXSTYLE) & WS_EX_APPWINDOW);
        EXPECT_TRUE(::IsWindowVisible(innerWindow));
        RECT innerRect = WindowRectOf(innerWindow);
        const POINT formOrigin = form->ClientToScreen(POINT{310, 10});
        EXPECT_EQ(innerRect.left, formOrigin.x);
        EXPECT_EQ(innerRect.top, formOrigin.y);

        auto* skinner = new TWinSkinForm(form, form->Handle());
        skinner->AttachForm(data.get(), form);
        Activate(*skinner);
        Pump(120);

        EXPECT_EQ(SkinnerOf(*skinner, *frameButton), "TSkinButton");
        EXPECT_EQ(SkinnerOf(*skinner, *frameCheck), "TSkinCheckBox");
        EXPECT_EQ(SkinnerOf(*skinner, *frame), "") << "the frame only hands on its controls";
        EXPECT_EQ(SkinnerOf(*skinner, *inner), "TSkinBox");
        EXPECT_EQ(inner->Color(), data->SkinColors.ButtonFace) << "the inner form takes the skin's face";
        EXPECT_EQ(SkinnerOf(*skinner, *innerButton), "TSkinButton");
        EXPECT_EQ(SkinnerOf(*skinner, *innerEdit), "TSkinEdit");
        EXPECT_EQ(innerEdit->Font().Color(), editText) << "the edit's text keeps its colour on its white";
        EXPECT_TRUE(::IsWindowEnabled(innerEdit->Handle()));
        EXPECT_TRUE(::IsWindowEnabled(innerWindow));
        // No skinned frame on the inner form: it does not answer the frame probe, and its
        // window was not handed a frame skinner's region or caption.
        EXPECT_NE(::SendMessageW(innerWindow, SKM_FRAMEQUERY, 0, 0x41A2), 0x41A2);
        EXPECT_EQ(::SendMessageW(form->Handle(), SKM_FRAMEQUERY, 0, 0x41A2), 0x41A2);
        EXPECT_TRUE(::GetWindowLongW(innerWindow, GWL_STYLE) & WS_CHILD);

        // The frame shows what is behind it: an empty part of it looks like the form's
        // empty client area, and that is the skin's face.
        inner->Invalidate();
        form->Invalidate();
        Pump(80);
        const raster::Color inFrame = PixelAt(frame->ClientToScreen(POINT{250, 180}));
        const raster::Color onForm = PixelAt(form->ClientToScreen(POINT{300, 240}));
        const raster::Color face = tv::ColorToRGB(data->SkinColors.ButtonFace) & 0xFFFFFF;
        EXPECT_LT(ColourDistance(onForm, face), 6);
        EXPECT_LT(ColourDistance(inFrame, onForm), 6);
        const raster::Color inInner = PixelAt(inner->ClientToScreen(POINT{250, 150}));
        EXPECT_LT(ColourDistance(inInner, face), 6) << "the inner form is painted in the skin's face";
        if (std::string(name) == "midnight")
            SavePng(CaptureScreen(WindowRectOf(form->Handle())), ScreenshotPath("containers-midnight.png"));

        // Unskinned: the inner form has its own colour back, nothing is skinned.
        delete skinner;
        Pump(40);
        EXPECT_EQ(inner->Color(), tv::clWindow);
        EXPECT_EQ(::SendMessageW(innerButton->Handle(), SKM_ISSKINNED, 0, 0), 0);
        EXPECT_EQ(::SendMessageW(frameButton->Handle(), SKM_ISSKINNED, 0, 0), 0);
        delete form;
        Pump(20);
    }
}

TEST(Containers, AFormGivenAParentAfterItsWindowWasMadeBecomesAChildAndFocusStaysWithTheOuterForm) {
    InstallControlsOnce();
    tv::TForm* outer = MakeForm("Outer", 400, 200);
    auto* outerEdit = new tv::TEdit(outer);
    outerEdit->SetParent(outer);
    outerEdit->SetBounds(10, 10, 150, 23);
    auto* inner = new tv::TForm(nullptr);
    inner->SetBorderStyle(tv::TFormBorderStyle::bsNone);
    inner->SetBounds(100, 100, 200, 100);
    const HWND topLevel = inner->Handle();
    ASSERT_FALSE(::GetWindowLongW(topLevel, GWL_STYLE) & WS_CHILD);
    auto* innerEdit = new tv::TEdit(inner);
    innerEdit->SetParent(inner);
    innerEdit->SetBounds(10, 10, 150, 23);
    inner->SetParent(outer);
    inner->SetBounds(180, 50, 200, 100);
    inner->Show();
    Pump(30);
    EXPECT_FALSE(::IsWindow(topLevel)) << "the top-level window went";
    ASSERT_TRUE(::GetWindowLongW(inner->Handle(), GWL_STYLE) & WS_CHILD);
    EXPECT_EQ(::GetParent(inner->Handle()), outer->Handle());
    EXPECT_EQ(::GetParent(innerEdit->Handle()), inner->Handle());
    // The outer form is the focus host: focusing the inner edit makes it the outer form's
    // active control.
    innerEdit->SetFocus();
    EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == innerEdit->Handle(); }));
    EXPECT_EQ(outer->ActiveControl(), innerEdit);
    EXPECT_EQ(tv::GetParentForm(innerEdit), outer);
    delete inner;
    delete outer;
    Pump(20);
}
