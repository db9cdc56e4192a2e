// Push buttons drawn from the skin: the frame of the skin's button strip each state shows,
// one click for one press and release (framework OnClick, WM_COMMAND of a dialog), and the
// keyboard as a stock button has it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ControlsTestUtil.h"
#include "raster/Slices.h"
#include "skin/controls/ButtonSkinners.h"
#include "skin/core/WinSkinData.h"

using namespace skin;
using namespace skintest;

namespace {

struct SkinnedForm {
    tv::TForm* form = nullptr;
    TWinSkinForm* skinner = nullptr;
    std::vector<tv::TButton*> buttons;
    tv::TListBox* list = nullptr;
    std::vector<int> clicks;

    SkinnedForm(TSkinData& data, const std::vector<std::string>& captions) {
        InstallControlsOnce();
        MoveMouseTo({5, 5});  // where the pointer rests no button is hot
        form = MakeForm("Buttons", 420, 160);
        list = new tv::TListBox(form);
        list->SetParent(form);
        list->SetBounds(10, 70, 200, 80);
        clicks.resize(captions.size());
        for (std::size_t i = 0; i < captions.size(); ++i) {
            auto* b = new tv::TButton(form);
            b->SetParent(form);
            b->SetBounds(10 + int(i) * 100, 14, 90, 34);
            b->SetCaption(captions[i]);
            b->OnClick = [this, i](tv::TObject*) { ++clicks[i]; };
            buttons.push_back(b);
        }
        skinner = new TWinSkinForm(form, form->Handle());  // freed with its form
        skinner->AttachForm(&data, form);
        Activate(*skinner);
        list->SetFocus();
        Pump(80);
    }
    ~SkinnedForm() { delete form; }
    HWND Button(int i) const { return buttons.at(std::size_t(i))->Handle(); }
};

void PressAndRelease(HWND button) {
    ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ::SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Pump(60);
}

POINT CentreOf(HWND wnd) {
    const RECT r = WindowRectOf(wnd);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace

TEST(ButtonSkinner, EveryStateShowsItsFrameOfTheSkinsStripInEachSkin) {
    for (const char* name : kSkinNames) {
        SCOPED_TRACE(name);
        auto data = LoadPackedSkin(name);
        ASSERT_TRUE(data && !data->SkinEmpty);
        SkinnedForm f(*data, {"Normal", "Default", "Disabled", "Mouse"});
        f.buttons[1]->SetDefault(true);
        f.buttons[2]->SetEnabled(false);
        Pump(80);
        ASSERT_EQ(::GetFocus(), f.list->Handle());
        EXPECT_EQ(ShownButtonFrame(f.Button(0), *data), kLookNormal);
        EXPECT_EQ(ShownButtonFrame(f.Button(1), *data), kLookFocused) << "the default button";
        EXPECT_EQ(ShownButtonFrame(f.Button(2), *data), kLookDisabled);

        // Hot while the pointer is over it, pressed while the left button is down on it.
        const HWND mouse = f.Button(3);
        MoveMouseTo(CentreOf(mouse));
        EXPECT_TRUE(PumpUntil([&] { return ShownButtonFrame(mouse, *data) == kLookHot; }));
        ::SendMessageW(mouse, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
        Pump(30);
        EXPECT_EQ(ShownButtonFrame(mouse, *data), kLookPressed);
        ::SendMessageW(mouse, WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
        Pump(30);
        EXPECT_EQ(f.clicks[3], 1);
        // Focused by the press, it keeps the focus mark once the pointer has gone.
        MoveMouseTo({5, 5});
        EXPECT_TRUE(PumpUntil([&] { return ShownButtonFrame(mouse, *data) == kLookFocused; }));
        EXPECT_EQ(ShownButtonFrame(f.Button(0), *data), kLookNormal);

        const RECT area = WindowRectOf(f.form->Handle());
        SavePng(CaptureScreen(area), ScreenshotPath(std::string("buttons-") + name + ".png"));
    }
}

TEST(ButtonSkinner, APressAndReleaseOnTheButtonClicksOnceAndAPressThatLeavesDoesNot) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    SkinnedForm f(*data, {"One", "Two"});
    const HWND one = f.Button(0);

    PressAndRelease(one);
    EXPECT_EQ(f.clicks[0], 1);
    // A double click is two presses: two clicks, as a stock button gives.
    ::SendMessageW(one, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
    ::SendMessageW(one, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Pump(60);
    EXPECT_EQ(f.clicks[0], 2);

    // Pressed, then the pointer leaves: releasing gives nothing.
    ::SendMessageW(one, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ::SendMessageW(one, WM_MOUSELEAVE, 0, 0);
    ::SendMessageW(one, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Pump(60);
    EXPECT_EQ(f.clicks[0], 2);
    EXPECT_EQ(f.clicks[1], 0);

    // BM_CLICK (what a dialog's mnemonic sends) is one click too.
    ::SendMessageW(one, BM_CLICK, 0, 0);
    Pump(60);
    EXPECT_EQ(f.clicks[0], 3);

    // And by real input.
    ClickAt(CentreOf(f.Button(1)));
    PumpUntil([&] { return f.clicks[1] > 0; }, 1500);
    Pump(200);
    EXPECT_EQ(f.clicks[1], 1);
}

TEST(ButtonSkinner, TheKeyboardWorksAsOnAStockButton) {
    auto data = LoadPackedSkin("slate");
    ASSERT_TRUE(data && !data->SkinEmpty);
    MoveMouseTo({5, 5});  // no button is hot
    SkinnedForm f(*data, {"First", "Second", "Default"});
    f.buttons[2]->SetDefault(true);
    Pump(60);

    // Space on the focused button: pressed while down, one click when it comes up.
    f.buttons[0]->SetFocus();
    Pump(60);
    const HWND first = f.Button(0);
    ::SendMessageW(first, WM_KEYDOWN, VK_SPACE, 0x00390001);
    Pump(30);
    EXPECT_EQ(ShownButtonFrame(first, *data), kLookPressed);
    EXPECT_EQ(f.clicks[0], 0);
    ::SendMessageW(first, WM_KEYUP, VK_SPACE, LPARAM(0xC0390001u));
    Pump(60);
    EXPECT_EQ(f.clicks[0], 1);
    EXPECT_EQ(ShownButtonFrame(first, *data), kLookFocused);

    // Space down, then the focus goes elsewhere: the button comes up without a click.
    ::SendMessageW(first, WM_KEYDOWN, VK_SPACE, 0x00390001);
    Pump(30);
    ASSERT_EQ(ShownButtonFrame(first, *data), kLookPressed);
    f.list->SetFocus();
    Pump(60);
    EXPECT_EQ(ShownButtonFrame(first, *data), kLookNormal);
    EXPECT_EQ(f.clicks[0], 1);

    // Tab moves the focus, and the focus mark with it.
    f.buttons[0]->SetFocus();
    Pump(60);
    ::SetForegroundWindow(f.form->Handle());
    PumpUntil([&] { return ::GetForegroundWindow() == f.form->Handle(); });
    PressKey(VK_TAB, true);
    PressKey(VK_TAB, false);
    EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == f.Button(1); }));
    EXPECT_TRUE(PumpUntil([&] { return ShownButtonFrame(f.Button(1), *data) == kLookFocused; }));
    EXPECT_EQ(ShownButtonFrame(first, *data), kLookNormal);

    // Enter with the focus in the list presses the default button, once.
    f.list->SetFocus();
    Pump(60);
    PressKey(VK_RETURN, true);
    PressKey(VK_RETURN, false);
    PumpUntil([&] { return f.clicks[2] > 0; }, 1500);
    EXPECT_EQ(f.clicks[2], 1);
    EXPECT_EQ(f.clicks[1], 0);
}

TEST(ButtonSkinner, ADialogsButtonsAreSkinnedAndEachPressGivesOneCommand) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    const HWND dialog = MakeButtonDialog(L"Commands", {
        {WS_TABSTOP | BS_DEFPUSHBUTTON, 20, 90, 60, 16, IDOK, L"OK"},
        {WS_TABSTOP | BS_PUSHBUTTON, 100, 90, 60, 16, IDCANCEL, L"Cancel"},
    });
    ASSERT_TRUE(dialog);
    TWinSkinForm skinner(nullptr, dialog);
    skinner.AttachWindow(data.get());
    Activate(skinner);
    const HWND ok = ::GetDlgItem(dialog, IDOK), cancel = ::GetDlgItem(dialog, IDCANCEL);
    EXPECT_EQ(::SendMessageW(ok, SKM_ISSKINNED, 0, 0), 1);
    ASSERT_TRUE(skinner.FindSkinner(cancel));
    EXPECT_EQ(skinner.FindSkinner(cancel)->ClassName(), "TSkinButton");

    PressAndRelease(ok);
    EXPECT_EQ(CommandCount(dialog, IDOK), 1);
    PressAndRelease(cancel);
    EXPECT_EQ(CommandCount(dialog, IDCANCEL), 1);
    EXPECT_EQ(CommandCount(dialog, IDOK), 1);
    ::SendMessageW(cancel, BM_CLICK, 0, 0);
    Pump(60);
    EXPECT_EQ(CommandCount(dialog, IDCANCEL), 2);

    ::SetFocus(ok);
    Pump(60);
    EXPECT_EQ(ShownButtonFrame(ok, *data), kLookFocused);
    EXPECT_EQ(ShownButtonFrame(cancel, *data), kLookNormal);
    SavePng(CaptureScreen(WindowRectOf(dialog)), ScreenshotPath("buttons-dialog.png"));
    ::DestroyWindow(dialog);
    EXPECT_EQ(skinner.SkinnerCount(), 0);
}

namespace {

bool SamePixels(const raster::Bitmap& a, const raster::Bitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.GetPixel(x, y) != b.GetPixel(x, y)) return false;
    return true;
}

raster::Bitmap Shot(HWND wnd) { return CaptureScreen(WindowRectOf(wnd)); }

int Luma(raster::Color c) { return (raster::RedOf(c) * 3 + raster::GreenOf(c) * 6 + raster::BlueOf(c)) / 10; }

// Bands of rows with text in them, inside the button's edges: the caption's lines.
int TextLines(const raster::Bitmap& shot, int margin) {
    int lines = 0;
    bool inLine = false;
    for (int y = margin; y < shot.Height() - margin; ++y) {
        const int background = Luma(shot.GetPixel(margin, y));
        bool ink = false;
        for (int x = margin; x < shot.Width() - margin && !ink; ++x)
            ink = std::abs(Luma(shot.GetPixel(x, y)) - background) > 60;
        if (ink && !inLine) ++lines;
        inLine = ink;
    }
    return lines;
}

}  // namespace

TEST(ButtonSkinner, ACaptionBreaksAtItsFirstDoubleBarOnly) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    MoveMouseTo({5, 5});
    SkinnedForm f(*data, {"AB||CD||EF", "AB||CD\r\nEF", "AB CD EF"});
    for (tv::TButton* b : f.buttons) b->SetHeight(60);
    Pump(100);
    const int margin = data->Buttons->LeftWidth + 2;
    EXPECT_EQ(TextLines(Shot(f.Button(0)), margin), 2) << "a break at the first || only";
    EXPECT_EQ(TextLines(Shot(f.Button(1)), margin), 3);
    EXPECT_EQ(TextLines(Shot(f.Button(2)), margin), 1);
}

TEST(ButtonSkinner, ATransparentButtonShowsItsParentThroughTheSkinsKeyColour) {
    auto data = LoadPackedSkin("slate");
    ASSERT_TRUE(data && !data->SkinEmpty);
    MoveMouseTo({5, 5});
    InstallControlsOnce();
    tv::TForm* form = MakeForm("Transparent", 300, 100);
    auto* plain = new tv::TButton(form);
    plain->SetParent(form);
    plain->SetBounds(10, 10, 100, 34);
    auto* seeThrough = new tv::TButton(form);
    seeThrough->SetParent(form);
    seeThrough->SetBounds(130, 10, 100, 34);
    seeThrough->SetTag(5555);
    auto* skinner = new TWinSkinForm(form, form->Handle());
    skinner->AttachForm(data.get(), form);
    Activate(*skinner);
    const tv::TColor parentColour = tv::clRed;
    form->SetColor(parentColour);
    ::RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(80);

    // A corner pixel the skin leaves out (key colour) in the normal frame.
    const SIZE size = SizeOf(WindowRectOf(plain->Handle()));
    const TDataSkinButton& e = *data->Buttons;
    const raster::Bitmap frame = raster::RenderElementImage(raster::Rect{0, 0, size.cx, size.cy}, e.Bitmap,
                                                            e.Margins(), false, e.Tile != 0, 5, kLookNormal);
    POINT key{-1, -1};
    for (int x = 0; x < size.cx && key.x < 0; ++x)
        if (frame.GetPixel(x, 0) == raster::kKeyColor) key = {x, 0};
    ASSERT_GE(key.x, 0) << "the skin's button has no transparent corner";
    EXPECT_EQ(Shot(seeThrough->Handle()).GetPixel(key.x, key.y), tv::ColorToRGB(parentColour));
    EXPECT_EQ(Shot(plain->Handle()).GetPixel(key.x, key.y), tv::ColorToRGB(data->SkinColors.ButtonFace));
    delete form;
}

TEST(ButtonSkinner, TheNoFocusRectOptionLeavesTheFocusedButtonWithoutItsDottedFrame) {
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    MoveMouseTo({5, 5});
    SkinnedForm f(*data, {"Same", "Same"});
    f.buttons[1]->SetDefault(true);  // the focus mark's frame without the focus
    f.buttons[0]->SetFocus();
    Pump(80);
    const auto repaint = [&] {
        ::RedrawWindow(f.form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Pump(60);
    };
    data->Options.Exclude(TSkinOption::xoNoFocusRect);
    repaint();
    ASSERT_EQ(ShownButtonFrame(f.Button(0), *data), kLookFocused);
    ASSERT_EQ(ShownButtonFrame(f.Button(1), *data), kLookFocused);
    EXPECT_FALSE(SamePixels(Shot(f.Button(0)), Shot(f.Button(1)))) << "the focused one has its dotted frame";
    data->Options.Include(TSkinOption::xoNoFocusRect);
    repaint();
    EXPECT_TRUE(SamePixels(Shot(f.Button(0)), Shot(f.Button(1))));
}

namespace standin {
// A button of another library that opens a menu, mapped by Skin3rd.
class TDropButton : public tv::TButton {
    TV_CLASS(TDropButton, tv::TButton)
    using TButton::TButton;
};
const tv::TClassInfo& TDropButton::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TDropButton>("TDropButton").Done();
    return info;
}
}  // namespace standin

TEST(ButtonSkinner, AMenuButtonShowsItsArrowAndTheHotFrameWhenFocused) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    data->Skin3rd().Add("TDropButton=menubtn");
    InstallControlsOnce();
    MoveMouseTo({5, 5});
    tv::TForm* form = MakeForm("Menu button", 300, 100);
    auto* drop = new standin::TDropButton(form);
    drop->SetParent(form);
    drop->SetBounds(10, 10, 120, 34);
    drop->SetCaption("More");
    auto* skinner = new TWinSkinForm(form, form->Handle());
    skinner->AttachForm(data.get(), form);
    Activate(*skinner);
    const HWND wnd = drop->Handle();
    ASSERT_TRUE(skinner->FindSkinner(wnd));
    EXPECT_EQ(skinner->FindSkinner(wnd)->ClassName(), "TSkinMenuButton");
    EXPECT_EQ(ShownButtonFrame(wnd, *data), kLookNormal);
    // The arrow: a filled triangle pointing down near the right edge.
    const raster::Bitmap shot = Shot(wnd);
    const int w = shot.Width(), m = shot.Height() / 2 + 2;
    EXPECT_EQ(shot.GetPixel(w - 12, m - 1), tv::ColorToRGB(tv::clWindowText));
    EXPECT_EQ(shot.GetPixel(w - 12, m - 2), tv::ColorToRGB(tv::clWindowText));
    // Focused, a menu button shows the hot frame, not the focus mark.
    drop->SetFocus();
    Pump(80);
    EXPECT_EQ(ShownButtonFrame(wnd, *data), kLookHot);
    delete form;
}
