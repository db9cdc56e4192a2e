// Check boxes and radio buttons drawn from the skin: the frame of the skin's check or radio
// strip that each state shows in each skin, a caption that reads on the skin's face, and the
// behaviour of the stock control kept (one click, one change and one OnClick or WM_COMMAND;
// Space; radio buttons unchecking each other; arrow keys), for framework controls and for
// a system dialog's own buttons.
#include <gtest/gtest.h>

#include <cstdlib>

#include "ControlsTestUtil.h"
#include "framework/CheckBoxes.h"
#include "skin/controls/CheckSkinners.h"
#include "skin/core/WinSkinData.h"

using namespace skin;
using namespace skintest;

namespace {

const char* const kCheckSkins[] = {"daylight", "midnight", "slate"};

// The frame of the check (or radio) strip that a control shows where its glyph goes: at the
// left edge (the right edge with leftText), centred vertically. 0 when no frame matches
// nearly everywhere and clearly better than the others.
int ShownGlyphFrame(HWND window, const TSkinData& data, bool radio, bool leftText = false) {
    const raster::Bitmap& strip = radio ? data.Buttons->RadioBitmap : data.Buttons->CheckBitmap;
    const int frames = radio ? data.Buttons->RadioFrames : data.Buttons->CheckFrames;
    if (strip.Empty() || frames <= 0) return 0;
    const RECT r = WindowRectOf(window);
    const SIZE s = SizeOf(r);
    const int fw = strip.Width() / frames, fh = strip.Height();
    const raster::Bitmap shot = CaptureScreen(r);
    const int left = leftText ? s.cx - fw - (radio ? 1 : 0) : 0, top = (s.cy - fh) / 2;
    int best = 0;
    double bestScore = 0, secondScore = 0;
    for (int frame = 1; frame <= frames; ++frame) {
        int total = 0, same = 0;
        for (int y = 0; y < fh; ++y)
            for (int x = 0; x < fw; ++x) {
                const raster::Color c = strip.GetPixel((frame - 1) * fw + x, y) & 0xFFFFFF;
                if (c == raster::kKeyColor) continue;
                ++total;
                if (Near(shot.GetPixel(left + x, top + y) & 0xFFFFFF, c, 3)) ++same;
            }
        const double score = total ? double(same) / total : 0;
        if (score > bestScore) {
            secondScore = bestScore;
            bestScore = score;
            best = frame;
        } else if (score > secondScore) {
            secondScore = score;
        }
    }
    return bestScore > 0.95 && bestScore - secondScore > 0.02 ? best : 0;
}

// Pixels of the caption area (right of the glyph) inked in the text colour: much nearer
// to it than the face is. Smoothed glyph edges fall in between and are not counted.
int TextPixels(HWND window, raster::Color text, raster::Color face, int glyphWidth) {
    const RECT r = WindowRectOf(window);
    const raster::Bitmap shot = CaptureScreen(r);
    const int limit = ColourDistance(text, face) / 3;
    int n = 0;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = glyphWidth + 2; x < shot.Width(); ++x) n += ColourDistance(shot.GetPixel(x, y) & 0xFFFFFF, text) < limit;
    return n;
}

POINT CentreOf(HWND wnd) {
    const RECT r = WindowRectOf(wnd);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void PressAndRelease(HWND wnd) {
    ::SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 8));
    ::SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(6, 8));
    Pump(40);
}

template <class T>
T* Place(tv::TWinControl* parent, tv::TComponent* owner, int x, int y, const std::string& caption) {
    auto* c = new T(owner);
    c->SetParent(parent);
    c->SetBounds(x, y, 130, 20);
    c->SetCaption(caption);
    return c;
}

struct CheckFormFixture {
    tv::TForm* form = nullptr;
    TWinSkinForm* skinner = nullptr;
    tv::TListBox* list = nullptr;
    tv::TCheckBox *plain = nullptr, *checked = nullptr, *grayed = nullptr, *offChecked = nullptr,
                  *offGrayed = nullptr;
    tv::TRadioButton *radioA = nullptr, *radioB = nullptr, *radioOff = nullptr, *radioC = nullptr;
    tv::TRadioGroup* group = nullptr;
    std::vector<std::string> clicks;

    explicit CheckFormFixture(TSkinData& data) {
        InstallControlsOnce();
        MoveMouseTo({5, 5});
        form = MakeForm("Checks", 460, 240);
        auto note = [this](tv::TControl* c, const std::string& name) {
            c->OnClick = [this, name](tv::TObject*) { clicks.push_back(name); };
        };
        plain = Place<tv::TCheckBox>(form, form, 10, 10, "Plain");
        checked = Place<tv::TCheckBox>(form, form, 10, 34, "Checked");
        checked->SetChecked(true);
        grayed = Place<tv::TCheckBox>(form, form, 10, 58, "Grayed");
        grayed->SetAllowGrayed(true);
        grayed->SetState(tv::TCheckBoxState::cbGrayed);
        offChecked = Place<tv::TCheckBox>(form, form, 10, 82, "Off, checked");
        offChecked->SetChecked(true);
        offChecked->SetEnabled(false);
        offGrayed = Place<tv::TCheckBox>(form, form, 10, 106, "Off, grayed");
        offGrayed->SetState(tv::TCheckBoxState::cbGrayed);
        offGrayed->SetEnabled(false);
        radioA = Place<tv::TRadioButton>(form, form, 160, 10, "Radio A");
        radioB = Place<tv::TRadioButton>(form, form, 160, 34, "Radio B");
        radioOff = Place<tv::TRadioButton>(form, form, 160, 58, "Radio off");
        radioOff->SetChecked(true);
        radioOff->SetEnabled(false);
        radioC = Place<tv::TRadioButton>(form, form, 160, 82, "Radio C");
        group = new tv::TRadioGroup(form);
        group->SetParent(form);
        group->SetBounds(300, 10, 150, 110);
        group->SetCaption("Group");
        group->Items().Add("One");
        group->Items().Add("Two");
        group->Items().Add("Three");
        group->SetItemIndex(0);
        list = new tv::TListBox(form);
        list->SetParent(form);
        list->SetBounds(10, 150, 200, 80);
        for (auto [c, name] : std::initializer_list<std::pair<tv::TControl*, const char*>>{
                 {plain, "plain"}, {grayed, "grayed"}, {radioA, "A"}, {radioB, "B"}, {radioC, "C"}, {group, "group"}})
            note(c, name);
        skinner = new TWinSkinForm(form, form->Handle());
        skinner->AttachForm(&data, form);
        Activate(*skinner);
        list->SetFocus();
        Pump(80);
        clicks.clear();
    }
    ~CheckFormFixture() { delete form; }
};

}  // namespace

TEST(CheckSkinner, EachStateShowsItsFrameOfTheSkinsStripsInEachSkin) {
    for (const char* name : kCheckSkins) {
        SCOPED_TRACE(name);
        auto data = LoadPackedSkin(name);
        ASSERT_TRUE(data && !data->SkinEmpty && data->Buttons);
        ASSERT_EQ(data->Buttons->CheckFrames, 12);
        ASSERT_EQ(data->Buttons->RadioFrames, 8);
        CheckFormFixture f(*data);
        for (tv::TWinControl* c : std::initializer_list<tv::TWinControl*>{f.plain, f.grayed, f.radioA})
            ASSERT_TRUE(f.skinner->FindSkinner(c->Handle())) << c->Caption();
        EXPECT_EQ(f.skinner->FindSkinner(f.plain->Handle())->ClassName(), "TSkinCheckBox");
        EXPECT_EQ(f.skinner->FindSkinner(f.radioA->Handle())->ClassName(), "TSkinRadioButton");
        EXPECT_EQ(f.skinner->FindSkinner(f.group->Buttons(1)->Handle())->ClassName(), "TSkinRadioButton");

        // unchecked, checked, grayed; each normal, hot, pressed, disabled.
        EXPECT_EQ(ShownGlyphFrame(f.plain->Handle(), *data, false), 1);
        EXPECT_EQ(ShownGlyphFrame(f.checked->Handle(), *data, false), 5);
        EXPECT_EQ(ShownGlyphFrame(f.grayed->Handle(), *data, false), 9);
        EXPECT_EQ(ShownGlyphFrame(f.offChecked->Handle(), *data, false), 8);
        EXPECT_EQ(ShownGlyphFrame(f.offGrayed->Handle(), *data, false), 12);
        EXPECT_EQ(ShownGlyphFrame(f.radioA->Handle(), *data, true), 1);
        EXPECT_EQ(ShownGlyphFrame(f.radioOff->Handle(), *data, true), 8);
        EXPECT_EQ(ShownGlyphFrame(f.group->Buttons(0)->Handle(), *data, true), 5);
        EXPECT_EQ(ShownGlyphFrame(f.group->Buttons(1)->Handle(), *data, true), 1);

        // Hot under the pointer, pressed while held down, then the new state.
        const HWND hot = f.plain->Handle();
        MoveMouseTo(CentreOf(hot));
        EXPECT_TRUE(PumpUntil([&] { return ShownGlyphFrame(hot, *data, false) == 2; }));
        ::SendMessageW(hot, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 8));
        Pump(30);
        EXPECT_EQ(ShownGlyphFrame(hot, *data, false), 3);
        ::SendMessageW(hot, WM_LBUTTONUP, 0, MAKELPARAM(6, 8));
        Pump(30);
        EXPECT_TRUE(f.plain->Checked());
        EXPECT_EQ(ShownGlyphFrame(hot, *data, false), 6) << "checked, still under the pointer";
        MoveMouseTo({5, 5});
        EXPECT_TRUE(PumpUntil([&] { return ShownGlyphFrame(hot, *data, false) == 5; }));
        const HWND radio = f.radioB->Handle();
        MoveMouseTo(CentreOf(radio));
        EXPECT_TRUE(PumpUntil([&] { return ShownGlyphFrame(radio, *data, true) == 2; }));
        MoveMouseTo({5, 5});
        EXPECT_TRUE(PumpUntil([&] { return ShownGlyphFrame(radio, *data, true) == 1; }));

        // The caption reads on the skin's face: it is drawn in the skin's text colour.
        const int glyph = data->Buttons->CheckBitmap.Width() / 12;
        const raster::Color text = tv::ColorToRGB(data->SkinColors.ButtonText);
        const raster::Color face = tv::ColorToRGB(data->SkinColors.ButtonFace);
        ASSERT_GT(ColourDistance(text, face), 200);
        EXPECT_GT(TextPixels(f.plain->Handle(), text, face, glyph), 20);
        EXPECT_GT(TextPixels(f.radioA->Handle(), text, face, glyph), 20);
        // The focused control shows the focus mark around its caption (dotted: it changes
        // pixels that were the face colour).
        const raster::Bitmap before = CaptureScreen(WindowRectOf(f.radioA->Handle()));
        f.radioA->SetFocus();
        Pump(60);
        const raster::Bitmap after = CaptureScreen(WindowRectOf(f.radioA->Handle()));
        int changed = 0;
        for (int y = 0; y < after.Height(); ++y)
            for (int x = glyph + 2; x < after.Width(); ++x) changed += before.GetPixel(x, y) != after.GetPixel(x, y);
        EXPECT_GT(changed, 20);
        const RECT area = WindowRectOf(f.form->Handle());
        SavePng(CaptureScreen(area), ScreenshotPath(std::string("checks-") + name + ".png"));
        f.list->SetFocus();
        Pump(30);
    }
}

TEST(CheckSkinner, ClicksSpaceAndTheGrayedCycleWorkAsOnTheStockControl) {
    auto data = LoadPackedSkin("slate");
    ASSERT_TRUE(data && !data->SkinEmpty);
    CheckFormFixture f(*data);
    // One press and release: one change, one OnClick; a double click is two of them.
    PressAndRelease(f.plain->Handle());
    EXPECT_TRUE(f.plain->Checked());
    EXPECT_EQ(f.clicks, (std::vector<std::string>{"plain"}));
    ::SendMessageW(f.plain->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(6, 8));
    ::SendMessageW(f.plain->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(6, 8));
    Pump(40);
    EXPECT_FALSE(f.plain->Checked());
    EXPECT_EQ(f.clicks.size(), 2u);
    // BM_CLICK, as a mnemonic gives it.
    ::SendMessageW(f.plain->Handle(), BM_CLICK, 0, 0);
    Pump(40);
    EXPECT_TRUE(f.plain->Checked());
    EXPECT_EQ(f.clicks.size(), 3u);

    // Space on the focused box: one toggle when the key comes up.
    f.clicks.clear();
    f.plain->SetFocus();
    Pump(40);
    ::SendMessageW(f.plain->Handle(), WM_KEYDOWN, VK_SPACE, 0x00390001);
    Pump(30);
    EXPECT_EQ(ShownGlyphFrame(f.plain->Handle(), *data, false), 7) << "checked and pressed";
    ::SendMessageW(f.plain->Handle(), WM_KEYUP, VK_SPACE, LPARAM(0xC0390001u));
    Pump(40);
    EXPECT_FALSE(f.plain->Checked());
    EXPECT_EQ(ShownGlyphFrame(f.plain->Handle(), *data, false), 1);
    EXPECT_EQ(f.clicks, (std::vector<std::string>{"plain"}));

    // The three states in turn, each shown at once.
    f.clicks.clear();
    std::vector<int> shown;
    for (int i = 0; i < 3; ++i) {
        PressAndRelease(f.grayed->Handle());
        shown.push_back(ShownGlyphFrame(f.grayed->Handle(), *data, false));
    }
    EXPECT_EQ(shown, (std::vector<int>{5, 1, 9}));
    EXPECT_EQ(f.clicks.size(), 3u);
    // The program setting the state is shown too.
    f.grayed->SetState(tv::TCheckBoxState::cbChecked);
    Pump(30);
    EXPECT_EQ(ShownGlyphFrame(f.grayed->Handle(), *data, false), 5);
}

TEST(CheckSkinner, RadioButtonsUncheckEachOtherAndArrowsMoveTheCheck) {
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    CheckFormFixture f(*data);
    PressAndRelease(f.radioB->Handle());
    EXPECT_TRUE(f.radioB->Checked());
    EXPECT_FALSE(f.radioOff->Checked());
    EXPECT_EQ(ShownGlyphFrame(f.radioB->Handle(), *data, true), 5);
    EXPECT_EQ(ShownGlyphFrame(f.radioOff->Handle(), *data, true), 4) << "disabled, unchecked now";
    PressAndRelease(f.radioB->Handle());
    EXPECT_EQ(f.clicks, (std::vector<std::string>{"B"}));

    // Down skips the disabled one; the check and the look follow.
    f.clicks.clear();
    ::SetForegroundWindow(f.form->Handle());
    PumpUntil([&] { return ::GetForegroundWindow() == f.form->Handle(); });
    f.radioB->SetFocus();
    Pump(40);
    PressKey(VK_DOWN, true);
    PressKey(VK_DOWN, false);
    EXPECT_TRUE(PumpUntil([&] { return f.radioC->Checked(); }));
    EXPECT_EQ(::GetFocus(), f.radioC->Handle());
    EXPECT_EQ(ShownGlyphFrame(f.radioC->Handle(), *data, true), 5);
    EXPECT_EQ(ShownGlyphFrame(f.radioB->Handle(), *data, true), 1);
    EXPECT_EQ(f.clicks, (std::vector<std::string>{"C"}));

    // In the radio group, the arrows move ItemIndex.
    f.clicks.clear();
    f.group->Buttons(0)->SetFocus();
    Pump(40);
    PressKey(VK_DOWN, true);
    PressKey(VK_DOWN, false);
    EXPECT_TRUE(PumpUntil([&] { return f.group->ItemIndex() == 1; }));
    EXPECT_EQ(ShownGlyphFrame(f.group->Buttons(1)->Handle(), *data, true), 5);
    EXPECT_EQ(ShownGlyphFrame(f.group->Buttons(0)->Handle(), *data, true), 1);
    EXPECT_EQ(f.clicks, (std::vector<std::string>{"group"}));
}

TEST(CheckSkinner, ADialogsOwnCheckBoxAndRadioButtonsAreSkinnedAndKeepWorking) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    enum : WORD { kCheck = 201, kThree, kRadioA, kRadioB };
    const HWND dialog = MakeButtonDialog(L"Bare checks", {
        {WS_TABSTOP | BS_AUTOCHECKBOX, 10, 10, 100, 12, kCheck, L"Check"},
        {WS_TABSTOP | BS_AUTO3STATE, 10, 26, 100, 12, kThree, L"Three"},
        {WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 10, 46, 100, 12, kRadioA, L"Radio A"},
        {BS_AUTORADIOBUTTON, 10, 62, 100, 12, kRadioB, L"Radio B"},
    });
    ASSERT_TRUE(dialog);
    TWinSkinForm skinner(nullptr, dialog);
    skinner.AttachWindow(data.get());
    Activate(skinner);
    const HWND check = ::GetDlgItem(dialog, kCheck), three = ::GetDlgItem(dialog, kThree);
    const HWND a = ::GetDlgItem(dialog, kRadioA), b = ::GetDlgItem(dialog, kRadioB);
    for (HWND w : {check, three, a, b}) {
        ASSERT_TRUE(skinner.FindSkinner(w));
        EXPECT_EQ(::SendMessageW(w, SKM_ISSKINNED, 0, 0), 1);
    }
    EXPECT_EQ(skinner.FindSkinner(check)->ClassName(), "TSkinCheckBox");
    EXPECT_EQ(skinner.FindSkinner(a)->ClassName(), "TSkinRadioButton");
    Pump(60);
    EXPECT_EQ(ShownGlyphFrame(check, *data, false), 1);
    EXPECT_EQ(ShownGlyphFrame(a, *data, true), 1);
    // Their own captions read on the dark face.
    const raster::Color text = tv::ColorToRGB(data->SkinColors.ButtonText);
    const raster::Color face = tv::ColorToRGB(data->SkinColors.ButtonFace);
    const int glyph = data->Buttons->CheckBitmap.Width() / data->Buttons->CheckFrames;
    EXPECT_GT(TextPixels(check, text, face, glyph), 20);
    EXPECT_GT(TextPixels(b, text, face, glyph), 20);

    // One click: one WM_COMMAND, the check moved on once, the glyph with it.
    PressAndRelease(check);
    EXPECT_EQ(CommandCount(dialog, kCheck), 1);
    EXPECT_EQ(::SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(ShownGlyphFrame(check, *data, false), 5);
    // The automatic three-state box passes through indeterminate.
    PressAndRelease(three);
    PressAndRelease(three);
    EXPECT_EQ(::SendMessageW(three, BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_EQ(ShownGlyphFrame(three, *data, false), 9);
    EXPECT_EQ(CommandCount(dialog, kThree), 2);
    // BM_SETCHECK from the program is shown.
    ::SendMessageW(check, BM_SETCHECK, BST_UNCHECKED, 0);
    Pump(30);
    EXPECT_EQ(ShownGlyphFrame(check, *data, false), 1);

    // Automatic radio buttons uncheck each other.
    PressAndRelease(a);
    PressAndRelease(b);
    EXPECT_EQ(::SendMessageW(a, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(::SendMessageW(b, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(ShownGlyphFrame(a, *data, true), 1);
    EXPECT_EQ(ShownGlyphFrame(b, *data, true), 5);
    EXPECT_EQ(CommandCount(dialog, kRadioA), 1);
    EXPECT_EQ(CommandCount(dialog, kRadioB), 1);
    ::DestroyWindow(dialog);
    Pump(30);
}

TEST(CheckSkinner, ARadioGroupWithTheDisableTagKeepsTheStockLookAndSoDoItsButtons) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    tv::TForm* form = MakeForm("Stock group", 360, 160);
    auto* off = new tv::TRadioGroup(form);
    off->SetParent(form);
    off->SetBounds(10, 10, 160, 100);
    off->SetTag(data->DisableTag);
    off->Items().Add("Kept");
    off->Items().Add("Stock");
    off->SetItemIndex(0);
    auto* on = new tv::TRadioGroup(form);
    on->SetParent(form);
    on->SetBounds(180, 10, 160, 100);
    on->Items().Add("Skinned");
    on->SetItemIndex(0);
    auto* skinner = new TWinSkinForm(form, form->Handle());
    skinner->AttachForm(data.get(), form);
    Activate(*skinner);
    Pump(60);
    for (int i = 0; i < off->ButtonCount(); ++i) {
        const HWND w = off->Buttons(i)->Handle();
        EXPECT_FALSE(skinner->FindSkinner(w)) << i;
        EXPECT_NE(::SendMessageW(w, SKM_ISSKINNED, 0, 0), 1) << i;
        EXPECT_EQ(off->Buttons(i)->Tag(), data->DisableTag) << i;
    }
    EXPECT_EQ(ShownGlyphFrame(off->Buttons(0)->Handle(), *data, true), 0) << "the system's own glyph";
    EXPECT_TRUE(skinner->FindSkinner(on->Buttons(0)->Handle()));
    EXPECT_EQ(ShownGlyphFrame(on->Buttons(0)->Handle(), *data, true), 5);
    delete form;
}
