// Glyph buttons, speed buttons, scroll bars, memos, edits and scroll boxes: read from
// a description, driven by real messages and input, checked by what they show.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "TestForms.h"

using namespace tv;

class TControlsForm : public TForm {
    TV_CLASS(TControlsForm, TForm)
    using TForm::TForm;

    TBitBtn* BitBtn1 = nullptr;
    TBitBtn* BitBtn2 = nullptr;
    TSpeedButton* SpeedButton1 = nullptr;
    TSpeedButton* SpeedButton2 = nullptr;
    TSpeedButton* SpeedButton3 = nullptr;
    TSpeedButton* SpeedButton4 = nullptr;
    TScrollBar* ScrollBar1 = nullptr;
    TMemo* Memo1 = nullptr;
    TListBox* ListBox1 = nullptr;
    TScrollBox* ScrollBox1 = nullptr;
    TPanel* Panel1 = nullptr;
    TEdit* Edit1 = nullptr;

    std::vector<std::string> clicks;
    int changes = 0;
    std::vector<TScrollCode> scrolls;
    int snapTo = 0;  // when set, OnScroll rounds the new position down to a multiple

    void SpeedClick(TObject* Sender) { clicks.push_back(static_cast<TComponent*>(Sender)->Name()); }
    void ScrollBar1Change(TObject*) { ++changes; }
    void ScrollBar1Scroll(TObject*, TScrollCode code, int& pos) {
        scrolls.push_back(code);
        if (snapTo) pos = pos / snapTo * snapTo;
    }
};

const TClassInfo& TControlsForm::StaticClass() {
    static const TClassInfo info = DescribeClass<TControlsForm>("TControlsForm")
                                       .Field("BitBtn1", &TControlsForm::BitBtn1)
                                       .Field("BitBtn2", &TControlsForm::BitBtn2)
                                       .Field("SpeedButton1", &TControlsForm::SpeedButton1)
                                       .Field("SpeedButton2", &TControlsForm::SpeedButton2)
                                       .Field("SpeedButton3", &TControlsForm::SpeedButton3)
                                       .Field("SpeedButton4", &TControlsForm::SpeedButton4)
                                       .Field("ScrollBar1", &TControlsForm::ScrollBar1)
                                       .Field("Memo1", &TControlsForm::Memo1)
                                       .Field("ListBox1", &TControlsForm::ListBox1)
                                       .Field("ScrollBox1", &TControlsForm::ScrollBox1)
                                       .Field("Panel1", &TControlsForm::Panel1)
                                       .Field("Edit1", &TControlsForm::Edit1)
                                       .Handler("SpeedClick", &TControlsForm::SpeedClick)
                                       .Handler("ScrollBar1Change", &TControlsForm::ScrollBar1Change)
                                       .Handler("ScrollBar1Scroll", &TControlsForm::ScrollBar1Scroll)
                                       .Done();
    return info;
}

namespace {

// A fresh controls form, shown in front; freed at the end of the test.
struct ControlsForm {
    TControlsForm* form = CreateComponent<TControlsForm>(Application);
    ControlsForm() { BringToFrontAndWait(*form); }
    ~ControlsForm() {
        delete form;
        Pump(10);
    }
    TControlsForm* operator->() const { return form; }
};

std::wstring WindowClass(HWND wnd) {
    wchar_t name[64] = {};
    ::GetClassNameW(wnd, name, 64);
    return name;
}

std::string WindowText(HWND wnd) {
    std::wstring w(std::size_t(::GetWindowTextLengthW(wnd)) + 1, L'\0');
    w.resize(std::size_t(::GetWindowTextW(wnd, w.data(), int(w.size()))));
    return std::string(w.begin(), w.end());  // ASCII in these tests
}

SCROLLINFO ScrollInfoOf(HWND wnd, int bar) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ::GetScrollInfo(wnd, bar, &si);
    return si;
}

// Whether a window's own scroll bar is on screen.
bool BarShown(HWND wnd, LONG which) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (!::GetScrollBarInfo(wnd, which, &info)) return false;
    return !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE);
}

// Sends a mouse message to a form at a point of one of its windowless controls.
void MouseMessage(TControlsForm& form, UINT msg, TControl& control, POINT local) {
    ::SendMessageW(form.Handle(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                   MAKELPARAM(control.Left() + local.x, control.Top() + local.y));
}

// What a window shows, read back from the screen.
raster::Bitmap Capture(HWND wnd) {
    RECT r;
    ::GetWindowRect(wnd, &r);
    raster::Bitmap image(r.right - r.left, r.bottom - r.top);
    OwnedDC memory(::CreateCompatibleDC(nullptr));
    {
        SelectScope select(memory.Get(), static_cast<HBITMAP>(image.Handle()));
        WindowDC screen(nullptr);
        ::BitBlt(memory.Get(), 0, 0, image.Width(), image.Height(), screen.Get(), r.left, r.top, SRCCOPY);
        ::GdiFlush();
    }
    return image;
}

// Bounding box of the pixels of one colour (empty when there are none).
RECT BoxOf(const raster::Bitmap& image, raster::Color colour) {
    RECT box{image.Width(), image.Height(), -1, -1};
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if ((image.GetPixel(x, y) & 0xFFFFFF) == colour) {
                box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1), box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    if (box.right < 0) box = RECT{0, 0, 0, 0};
    return box;
}

// Bounding box of dark (caption) pixels, leaving out a border of the given width.
RECT DarkBox(const raster::Bitmap& image, int border) {
    RECT box{image.Width(), image.Height(), -1, -1};
    for (int y = border; y < image.Height() - border; ++y)
        for (int x = border; x < image.Width() - border; ++x) {
            raster::Color c = image.GetPixel(x, y);
            if (raster::RedOf(c) < 60 && raster::GreenOf(c) < 60 && raster::BlueOf(c) < 60) {
                box.left = std::min<LONG>(box.left, x), box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1), box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
        }
    if (box.right < 0) box = RECT{0, 0, 0, 0};
    return box;
}

constexpr raster::Color kRed = raster::Rgb(255, 0, 0), kBlue = raster::Rgb(0, 0, 255);

// images side by side, 16 x 16 each: a 14 x 14 square of its colour in a fuchsia frame.
std::unique_ptr<TBitmap> SquareGlyphs(std::initializer_list<raster::Color> colours) {
    auto made = std::make_unique<TBitmap>();
    TBitmap& glyph = *made;
    glyph.SetSize(16 * int(colours.size()), 16);
    raster::Bitmap& px = glyph.Pixels();
    px.Fill(raster::Rgb(255, 0, 255));
    int i = 0;
    for (raster::Color c : colours) {
        for (int y = 1; y < 15; ++y)
            for (int x = 1; x < 15; ++x) px.SetPixel(16 * i + x, y, c);
        ++i;
    }
    return made;
}

}  // namespace

TEST(Controls, DescriptionCreatesEveryControlWithItsProperties) {
    ControlsForm f;
    // Class names for classification and for bare-window walks.
    EXPECT_EQ(f->BitBtn1->ClassName(), "TBitBtn");
    EXPECT_NE(dynamic_cast<TButton*>(f->BitBtn1), nullptr);
    EXPECT_NE(dynamic_cast<TGraphicControl*>(f->SpeedButton1), nullptr);
    EXPECT_NE(dynamic_cast<TCustomEdit*>(f->Memo1), nullptr);
    EXPECT_EQ(f->Memo1->ClassName(), "TMemo");
    EXPECT_EQ(WindowClass(f->BitBtn1->Handle()), L"TBitBtn");
    EXPECT_EQ(WindowClass(f->ScrollBar1->Handle()), L"TScrollBar");
    EXPECT_EQ(WindowClass(f->Memo1->Handle()), L"TMemo");
    EXPECT_EQ(WindowClass(f->Edit1->Handle()), L"TEdit");
    EXPECT_EQ(WindowClass(f->ScrollBox1->Handle()), L"TScrollBox");

    // A kind fills in default, modal result and glyph, but keeps the stored caption.
    EXPECT_EQ(GetEnumPropByName(f->BitBtn1, "Kind"), "bkOK");
    EXPECT_EQ(f->BitBtn1->Caption(), "Accept");
    EXPECT_EQ(f->BitBtn1->ModalResult(), mrOk);
    EXPECT_TRUE(f->BitBtn1->Default());
    EXPECT_EQ(GetEnumPropByName(f->BitBtn1, "Layout"), "blGlyphTop");
    EXPECT_EQ(GetIntPropByName(f->BitBtn1, "Margin"), 3);
    EXPECT_EQ(GetIntPropByName(f->BitBtn1, "Spacing"), 2);
    EXPECT_EQ(::GetWindowLongPtrW(f->BitBtn1->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW)
        << "a default glyph button stays owner-drawn";
    EXPECT_EQ(f->BitBtn2->Glyph().Width(), 64);
    EXPECT_EQ(f->BitBtn2->Glyph().Height(), 16);
    EXPECT_EQ(GetIntPropByName(f->BitBtn2, "NumGlyphs"), 4);

    // Down came before GroupIndex in the description and still counts.
    EXPECT_TRUE(f->SpeedButton2->Down());
    EXPECT_FALSE(f->SpeedButton1->Down());
    EXPECT_EQ(GetEnumPropByName(f->SpeedButton1, "Flat"), "True");
    EXPECT_EQ(GetIntPropByName(f->SpeedButton3, "GroupIndex"), 1);

    // Position came before Min and Max and is still taken.
    EXPECT_EQ(GetEnumPropByName(f->ScrollBar1, "Kind"), "sbVertical");
    EXPECT_EQ(f->ScrollBar1->Position(), 30);
    SCROLLINFO si = ScrollInfoOf(f->ScrollBar1->Handle(), SB_CTL);
    EXPECT_EQ(si.nMin, 10);
    EXPECT_EQ(si.nMax, 200);
    EXPECT_EQ(si.nPage, 20u);
    EXPECT_EQ(si.nPos, 30);
    EXPECT_TRUE(::GetWindowLongPtrW(f->ScrollBar1->Handle(), GWL_STYLE) & SBS_VERT);
    EXPECT_TRUE(::GetWindowLongPtrW(f->ScrollBar1->Handle(), GWL_STYLE) & WS_TABSTOP);

    ASSERT_EQ(f->Memo1->Lines().Count(), 3);
    EXPECT_EQ(f->Memo1->Lines()[1], "");
    EXPECT_EQ(WindowText(f->Memo1->Handle()), "first line\r\n\r\nthird line\r\n");
    LONG_PTR memoStyle = ::GetWindowLongPtrW(f->Memo1->Handle(), GWL_STYLE);
    EXPECT_TRUE(memoStyle & ES_MULTILINE);
    EXPECT_TRUE(memoStyle & ES_READONLY);
    EXPECT_TRUE(memoStyle & ES_AUTOHSCROLL) << "no word wrap: lines scroll sideways";
    EXPECT_EQ(::SendMessageW(f->Memo1->Handle(), EM_GETLIMITTEXT, 0, 0), 500);

    EXPECT_EQ(::SendMessageW(f->ListBox1->Handle(), LB_GETHORIZONTALEXTENT, 0, 0), 400);
    EXPECT_TRUE(BarShown(f->ListBox1->Handle(), OBJID_HSCROLL)) << "items wider than the box";
    f->ListBox1->SetScrollWidth(0);
    EXPECT_FALSE(BarShown(f->ListBox1->Handle(), OBJID_HSCROLL)) << "nothing to scroll sideways";

    EXPECT_EQ(f->Edit1->Text(), "hello");
    EXPECT_FALSE(::GetWindowLongPtrW(f->Edit1->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(f->Panel1->Parent(), f->ScrollBox1);
}

TEST(Controls, PropertiesByNameRoundTripAndRefuseWhatDoesNotFit) {
    ControlsForm f;
    TBitBtn& bit = *f->BitBtn2;
    for (const char* layout : {"blGlyphRight", "blGlyphTop", "blGlyphBottom", "blGlyphLeft"}) {
        SetPropByName(&bit, "Layout", layout);
        EXPECT_EQ(GetEnumPropByName(&bit, "Layout"), layout);
    }
    SetPropByName(&bit, "NumGlyphs", "2");
    EXPECT_EQ(GetIntPropByName(&bit, "NumGlyphs"), 2);
    SetPropByName(&bit, "NumGlyphs", "9");
    EXPECT_EQ(GetIntPropByName(&bit, "NumGlyphs"), 2) << "a glyph strip holds 1 to 4 images";
    SetPropByName(&bit, "Kind", "bkCancel");
    EXPECT_EQ(GetEnumPropByName(&bit, "Kind"), "bkCancel");
    EXPECT_EQ(bit.Caption(), "Cancel") << "a kind chosen in code gives its caption";
    EXPECT_TRUE(bit.Cancel());
    EXPECT_EQ(GetIntPropByName(&bit, "ModalResult"), mrCancel);
    SetPropByName(&bit, "Margin", "7");
    SetPropByName(&bit, "Spacing", "-1");
    EXPECT_EQ(GetIntPropByName(&bit, "Margin"), 7);
    EXPECT_EQ(GetIntPropByName(&bit, "Spacing"), -1);

    TSpeedButton& speed = *f->SpeedButton4;
    SetPropByName(&speed, "Down", "True");
    EXPECT_EQ(GetEnumPropByName(&speed, "Down"), "False") << "outside a group a speed button does not latch";
    SetPropByName(&speed, "GroupIndex", "7");
    SetPropByName(&speed, "Down", "True");
    EXPECT_EQ(GetEnumPropByName(&speed, "Down"), "True");
    SetPropByName(&speed, "AllowAllUp", "True");
    SetPropByName(&speed, "Down", "False");
    EXPECT_EQ(GetEnumPropByName(&speed, "Down"), "False");

    TScrollBar& bar = *f->ScrollBar1;
    SetPropByName(&bar, "Position", "500");
    EXPECT_EQ(bar.Position(), 200 - 20 + 1) << "as far as the thumb can go";
    EXPECT_EQ(ScrollInfoOf(bar.Handle(), SB_CTL).nPos, 181);
    SetPropByName(&bar, "Max", "100");
    EXPECT_EQ(bar.Position(), 81) << "a smaller range pulls the position in";
    SetPropByName(&bar, "Min", "300");
    EXPECT_EQ(bar.Min(), 300);
    EXPECT_GE(bar.Max(), 300) << "Max follows a larger Min";
    EXPECT_EQ(bar.Position(), 300);
    EXPECT_THROW(bar.SetParams(0, 50, 10), EPropertyError);

    TMemo& memo = *f->Memo1;
    SetPropByName(&memo, "ReadOnly", "False");
    EXPECT_FALSE(::GetWindowLongPtrW(memo.Handle(), GWL_STYLE) & ES_READONLY);
    SetPropByName(&memo, "ScrollBars", "ssVertical");
    EXPECT_EQ(GetEnumPropByName(&memo, "ScrollBars"), "ssVertical");
    SetPropByName(&f->ScrollBox1->HorzScrollBar(), "Increment", "0");
    EXPECT_EQ(f->ScrollBox1->HorzScrollBar().Increment(), 1);
}

TEST(Controls, StoredDescriptionsWriteAndReadGlyphsAndSettings) {
    ControlsForm f;
    std::string text = WriteComponent(*f->BitBtn2);
    EXPECT_NE(text.find("Glyph.Data"), std::string::npos) << text;
    EXPECT_NE(text.find("NumGlyphs = 4"), std::string::npos) << text;
    std::unique_ptr<TBitBtn> copy(new TBitBtn(nullptr));
    ReadComponent(*copy, text);
    EXPECT_EQ(copy->NumGlyphs(), 4);
    ASSERT_EQ(copy->Glyph().Width(), 64);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(copy->Glyph().Pixels().GetPixel(x, y) & 0xFFFFFF,
                      f->BitBtn2->Glyph().Pixels().GetPixel(x, y) & 0xFFFFFF)
                << x << "," << y;

    // A kind's own picture is in Glyph for whoever draws the button, and is not stored.
    EXPECT_EQ(f->BitBtn1->Glyph().Width(), 16);
    EXPECT_EQ(WriteComponent(*f->BitBtn1).find("Glyph.Data"), std::string::npos);
    std::unique_ptr<TBitBtn> ok(new TBitBtn(nullptr));
    ReadComponent(*ok, WriteComponent(*f->BitBtn1));
    EXPECT_EQ(ok->Glyph().Width(), 16) << "the kind brings it back";
    f->BitBtn2->SetKind(TBitBtnKind::bkCancel);
    EXPECT_EQ(f->BitBtn2->Glyph().Width(), 16) << "a kind chosen in code brings its picture";
    EXPECT_EQ(f->BitBtn2->NumGlyphs(), 1);

    // A memo's lines and a scroll bar's settings survive the same way.
    std::string memoText = WriteComponent(*f->Memo1);
    std::unique_ptr<TMemo> memo(new TMemo(nullptr));
    ReadComponent(*memo, memoText);
    EXPECT_TRUE(memo->Lines().Equals(f->Memo1->Lines())) << memoText;
    EXPECT_EQ(memo->ScrollBars(), TScrollStyle::ssBoth);
    // (a lone control has no form whose handlers its events could name)
    f->ScrollBar1->OnChange = {};
    f->ScrollBar1->OnScroll = {};
    std::unique_ptr<TScrollBar> bar(new TScrollBar(nullptr));
    ReadComponent(*bar, WriteComponent(*f->ScrollBar1));
    EXPECT_EQ(bar->Min(), 10);
    EXPECT_EQ(bar->Max(), 200);
    EXPECT_EQ(bar->Position(), 30);
    EXPECT_EQ(bar->LargeChange(), 15);

    // Damaged bitmap data is refused, not read past its end.
    const char* bad = "object B: TBitBtn\n  Glyph.Data = {FFFFFF7F424D}\nend\n";
    std::unique_ptr<TBitBtn> victim(new TBitBtn(nullptr));
    EXPECT_THROW(ReadComponent(*victim, bad), Exception);
}

TEST(Controls, ScrollBarFollowsTheScrollMessagesItSends) {
    ControlsForm f;
    TScrollBar& bar = *f->ScrollBar1;
    bar.SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == bar.Handle(); }));
    f->changes = 0;
    PressKey(VK_DOWN);
    EXPECT_EQ(bar.Position(), 32) << "a line is SmallChange";
    EXPECT_EQ(f->changes, 1);
    PressKey(VK_NEXT);
    EXPECT_EQ(bar.Position(), 47) << "a page is LargeChange";
    PressKey(VK_END);
    EXPECT_EQ(bar.Position(), 181);
    EXPECT_EQ(ScrollInfoOf(bar.Handle(), SB_CTL).nPos, 181) << "the thumb shows the position";
    PressKey(VK_DOWN);
    EXPECT_EQ(bar.Position(), 181) << "nothing past the end";
    PressKey(VK_HOME);
    EXPECT_EQ(bar.Position(), 10);
    EXPECT_EQ(f->changes, 4) << "a key at the end changes nothing and says nothing";
    // The system may end each key with an end-of-scroll notice; those change nothing.
    std::vector<TScrollCode> codes;
    for (TScrollCode c : f->scrolls)
        if (c != TScrollCode::scEndScroll) codes.push_back(c);
    ASSERT_GE(codes.size(), 5u);
    EXPECT_EQ(codes[0], TScrollCode::scLineDown);
    EXPECT_EQ(codes[1], TScrollCode::scPageDown);
    EXPECT_EQ(codes[2], TScrollCode::scBottom);

    // The thumb: its position comes with the message.
    ::SendMessageW(f.form->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 123),
                   reinterpret_cast<LPARAM>(bar.Handle()));
    EXPECT_EQ(bar.Position(), 123);
    EXPECT_EQ(f->scrolls.back(), TScrollCode::scTrack);
    // OnScroll may correct the position about to be taken.
    f->snapTo = 10;
    PressKey(VK_DOWN);
    EXPECT_EQ(bar.Position(), 120);

    // A real click on the lower arrow. The bar tracks the button in a loop of its own
    // from the press on: the release must be queued before the press is handled.
    f->snapTo = 0;
    RECT r;
    ::GetWindowRect(bar.Handle(), &r);
    const int before = bar.Position();
    const POINT arrow{(r.left + r.right) / 2, r.bottom - 4};
    MoveMouseTo(arrow);
    INPUT press[2] = {};
    for (INPUT& in : press) {
        in.type = INPUT_MOUSE;
        in.mi.dx = LONG((arrow.x * 65536 + ::GetSystemMetrics(SM_CXSCREEN) - 1) / ::GetSystemMetrics(SM_CXSCREEN));
        in.mi.dy = LONG((arrow.y * 65536 + ::GetSystemMetrics(SM_CYSCREEN) - 1) / ::GetSystemMetrics(SM_CYSCREEN));
    }
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(2, press, sizeof(INPUT));
    PumpUntil([&] { return bar.Position() != before; }, 1000);
    EXPECT_EQ(bar.Position(), before + 2);
}

TEST(Controls, SpeedButtonsOfAGroupLatchOneAtATimeAndClickOncePerPress) {
    ControlsForm f;
    TSpeedButton &one = *f->SpeedButton1, &two = *f->SpeedButton2, &three = *f->SpeedButton3,
                 &free = *f->SpeedButton4;
    // A flat button shows an edge only while the pointer is over it.
    auto edgePixels = [&](TSpeedButton& b) {
        RECT r;
        ::GetWindowRect(f.form->Handle(), &r);
        POINT origin = b.ClientToScreen(POINT{0, 0});
        raster::Bitmap image = Capture(f.form->Handle());
        const raster::Color face = ColorToRGB(b.Color()) & 0xFFFFFF;
        int n = 0;
        for (int x = 0; x < b.Width(); ++x)
            n += (image.GetPixel(origin.x - r.left + x, origin.y - r.top) & 0xFFFFFF) != face;
        return n;
    };
    TSpeedButton& flat = *f->SpeedButton1;
    flat.Perform(CM_MOUSELEAVE);
    ::UpdateWindow(f.form->Handle());
    Pump(50);
    EXPECT_EQ(edgePixels(flat), 0) << "no edge while the pointer is elsewhere";
    flat.Perform(CM_MOUSEENTER);
    ::UpdateWindow(f.form->Handle());
    Pump(50);
    EXPECT_GE(edgePixels(flat), flat.Width() - 2) << "a raised edge while hot";
    flat.Perform(CM_MOUSELEAVE);
    ::UpdateWindow(f.form->Handle());
    Pump(50);
    EXPECT_EQ(edgePixels(flat), 0);

    ClickAt(ScreenCenterOf(three));
    PumpUntil([&] { return !f->clicks.empty(); });
    EXPECT_EQ(f->clicks, std::vector<std::string>{"SpeedButton3"});
    EXPECT_TRUE(three.Down());
    EXPECT_FALSE(two.Down());
    EXPECT_FALSE(one.Down());

    // The down button of a group that keeps one down stays down, and still clicks.
    f->clicks.clear();
    MouseMessage(*f.form, WM_LBUTTONDOWN, three, {5, 5});
    MouseMessage(*f.form, WM_LBUTTONUP, three, {5, 5});
    EXPECT_EQ(f->clicks, std::vector<std::string>{"SpeedButton3"});
    EXPECT_TRUE(three.Down());

    // A press slid off the button before it comes up is no click and changes nothing.
    f->clicks.clear();
    MouseMessage(*f.form, WM_LBUTTONDOWN, one, {5, 5});
    MouseMessage(*f.form, WM_MOUSEMOVE, one, {5, 200});
    MouseMessage(*f.form, WM_LBUTTONUP, one, {5, 200});
    EXPECT_TRUE(f->clicks.empty());
    EXPECT_FALSE(one.Down());
    EXPECT_TRUE(three.Down());

    // AllowAllUp is shared by the group: now the down one comes up when clicked.
    one.SetAllowAllUp(true);
    EXPECT_TRUE(three.AllowAllUp());
    MouseMessage(*f.form, WM_LBUTTONDOWN, three, {5, 5});
    MouseMessage(*f.form, WM_LBUTTONUP, three, {5, 5});
    EXPECT_FALSE(three.Down());
    EXPECT_FALSE(one.Down() || two.Down());

    // Down set by code still leaves one of the group down.
    two.SetDown(true);
    one.SetDown(true);
    EXPECT_TRUE(one.Down());
    EXPECT_FALSE(two.Down());

    // A double click is two presses: two clicks, not three and not one.
    f->clicks.clear();
    MouseMessage(*f.form, WM_LBUTTONDOWN, free, {5, 5});
    MouseMessage(*f.form, WM_LBUTTONUP, free, {5, 5});
    MouseMessage(*f.form, WM_LBUTTONDBLCLK, free, {5, 5});
    MouseMessage(*f.form, WM_LBUTTONUP, free, {5, 5});
    EXPECT_EQ(f->clicks, (std::vector<std::string>{"SpeedButton4", "SpeedButton4"}));
    EXPECT_FALSE(free.Down());

    // A disabled one gets no clicks.
    f->clicks.clear();
    free.SetEnabled(false);
    MouseMessage(*f.form, WM_LBUTTONDOWN, free, {5, 5});
    MouseMessage(*f.form, WM_LBUTTONUP, free, {5, 5});
    EXPECT_TRUE(f->clicks.empty());
}

TEST(Controls, GlyphButtonLaysOutGlyphAndCaptionAsAsked) {
    ControlsForm f;
    auto* button = new TBitBtn(f.form);
    button->SetBounds(300, 250, 140, 70);
    button->SetCaption("Go");
    button->SetGlyph(*SquareGlyphs({kRed}));
    button->SetMargin(5);
    button->SetSpacing(6);
    button->SetParent(f.form);
    HWND wnd = button->Handle();
    const int w = 140, h = 70;
    struct Case {
        TButtonLayout layout;
        RECT red;  // where the red square must be: 1 pixel inside the glyph
    } cases[] = {
        {TButtonLayout::blGlyphLeft, {5 + 1, (h - 16) / 2 + 1, 5 + 15, (h - 16) / 2 + 15}},
        {TButtonLayout::blGlyphRight, {w - 5 - 15, (h - 16) / 2 + 1, w - 5 - 1, (h - 16) / 2 + 15}},
        {TButtonLayout::blGlyphTop, {(w - 16) / 2 + 1, 5 + 1, (w - 16) / 2 + 15, 5 + 15}},
        {TButtonLayout::blGlyphBottom, {(w - 16) / 2 + 1, h - 5 - 15, (w - 16) / 2 + 15, h - 5 - 1}},
    };
    for (const Case& c : cases) {
        button->SetLayout(c.layout);
        ::UpdateWindow(wnd);
        Pump(30);
        raster::Bitmap image = Capture(wnd);
        RECT red = BoxOf(image, kRed);
        const std::string name = GetEnumPropByName(button, "Layout");
        EXPECT_EQ(red.left, c.red.left) << name;
        EXPECT_EQ(red.top, c.red.top) << name;
        EXPECT_EQ(red.right, c.red.right) << name;
        EXPECT_EQ(red.bottom, c.red.bottom) << name;
        EXPECT_EQ(image.GetPixel(c.red.left - 1, c.red.top) & 0xFFFFFF, ColorToRGB(clBtnFace))
            << name << ": the glyph's frame colour is transparent";
        // The caption sits beside the glyph, Spacing away, on the side the layout says.
        RECT text = DarkBox(image, 6);
        ASSERT_LT(text.left, text.right) << name << ": no caption drawn";
        switch (c.layout) {
            case TButtonLayout::blGlyphLeft: EXPECT_GE(text.left, red.right + 1 + 6) << name; break;
            case TButtonLayout::blGlyphRight: EXPECT_LE(text.right, red.left - 1 - 6) << name; break;
            case TButtonLayout::blGlyphTop: EXPECT_GE(text.top, red.bottom + 1 + 6) << name; break;
            case TButtonLayout::blGlyphBottom: EXPECT_LE(text.bottom, red.top - 1 - 6) << name; break;
        }
    }

    // Margin -1 centres glyph and caption together.
    button->SetLayout(TButtonLayout::blGlyphLeft);
    button->SetMargin(-1);
    ::UpdateWindow(wnd);
    Pump(30);
    raster::Bitmap centred = Capture(wnd);
    RECT red = BoxOf(centred, kRed);
    SIZE caption{};
    {
        WindowDC screen(nullptr);
        SelectScope font(screen.Get(), button->Font().Handle());
        ::GetTextExtentPoint32W(screen.Get(), L"Go", 2, &caption);
    }
    EXPECT_NEAR(red.left - 1, (w - 16 - 6 - caption.cx) / 2, 1) << "equal room left and right";

    // Disabled: the second image of the strip; with one image an embossed copy without its colour.
    auto countIn = [](const raster::Bitmap& image, const RECT& box, raster::Color colour) {
        int n = 0;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x) n += (image.GetPixel(x, y) & 0xFFFFFF) == colour;
        return n;
    };
    button->SetGlyph(*SquareGlyphs({kRed, kBlue}));
    button->SetNumGlyphs(2);
    button->SetEnabled(false);
    ::UpdateWindow(wnd);
    Pump(30);
    raster::Bitmap disabled = Capture(wnd);
    EXPECT_EQ(BoxOf(disabled, kRed).right, 0) << "no up image while disabled";
    EXPECT_EQ(countIn(disabled, red, kBlue), 14 * 14) << "the disabled image where the up image was";
    button->SetNumGlyphs(1);
    button->SetGlyph(*SquareGlyphs({kRed}));
    ::UpdateWindow(wnd);
    Pump(30);
    raster::Bitmap grey = Capture(wnd);
    EXPECT_EQ(BoxOf(grey, kRed).right, 0);
    EXPECT_EQ(countIn(grey, red, ColorToRGB(clBtnShadow) & 0xFFFFFF), 14 * 14)
        << "the square embossed in the shadow colour";
}

TEST(Controls, GlyphButtonClicksOncePerPressAndKeepsOwnerDrawnWhenMadeDefault) {
    ControlsForm f;
    TBitBtn& button = *f->BitBtn2;
    int clicks = 0;
    button.OnClick = [&](TObject*) { ++clicks; };
    ClickAt(ScreenCenterOf(button));
    PumpUntil([&] { return clicks > 0; });
    EXPECT_EQ(clicks, 1);
    POINT local{10, 10};
    ::SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(local.x, local.y));
    ::SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(local.x, local.y));
    ::SendMessageW(button.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(local.x, local.y));
    ::SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(local.x, local.y));
    Pump(30);
    EXPECT_EQ(clicks, 3) << "the second press of a double click is a click too";
    button.SetDefault(true);
    EXPECT_EQ(::GetWindowLongPtrW(button.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    ::SendMessageW(button.Handle(), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_EQ(::GetWindowLongPtrW(button.Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);

    // A Close kind closes its form instead of setting a result.
    bool closed = false;
    f->OnClose = [&](TObject*, TCloseAction& action) {
        closed = true;
        action = TCloseAction::caNone;
    };
    button.SetKind(TBitBtnKind::bkClose);
    button.Click();
    EXPECT_TRUE(closed);
}

TEST(Controls, MemoLinesAndWindowTextAreOneThing) {
    ControlsForm f;
    TMemo& memo = *f->Memo1;
    TStrings& lines = memo.Lines();
    HWND wnd = memo.Handle();
    lines.Add("fourth");
    EXPECT_EQ(WindowText(wnd), "first line\r\n\r\nthird line\r\nfourth\r\n");
    ::SetWindowTextW(wnd, L"a\r\nb");
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines[1], "b");
    lines.Insert(1, "mid");
    EXPECT_EQ(WindowText(wnd), "a\r\nmid\r\nb\r\n");
    lines.Put(0, "A");
    lines.Delete(2);
    EXPECT_EQ(WindowText(wnd), "A\r\nmid\r\n");
    lines.Add("");
    EXPECT_EQ(lines.Count(), 3) << "an empty last line is a line";
    EXPECT_THROW(lines.Get(3), EStringListError);
    EXPECT_THROW(lines.Delete(-1), EStringListError);
    lines.Insert(0, "x\r\ny");
    EXPECT_EQ(lines.Count(), 5) << "a line with a break is two lines, as the window shows it";
    lines.Clear();
    EXPECT_EQ(WindowText(wnd), "");

    // Many lines inside one update set the text once.
    MessageSpy spy(memo);
    lines.BeginUpdate();
    for (int i = 0; i < 100; ++i) lines.Add("line " + std::to_string(i));
    EXPECT_EQ(WindowText(wnd), "") << "nothing shown before the update ends";
    lines.EndUpdate();
    EXPECT_EQ(spy.Count(WM_SETTEXT), 1);
    EXPECT_EQ(lines.Count(), 100);
    EXPECT_EQ(lines[99], "line 99");

    // The lines outlive a new window (a changed scroll bar style makes one).
    memo.SetWordWrap(true);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(wnd); }));
    EXPECT_FALSE(::GetWindowLongPtrW(memo.Handle(), GWL_STYLE) & ES_AUTOHSCROLL);
    EXPECT_EQ(lines.Count(), 100);
    EXPECT_EQ(lines[42], "line 42");
    int changes = 0;
    memo.OnChange = [&](TObject*) { ++changes; };
    lines.Add("more");
    EXPECT_EQ(changes, 1);
}

TEST(Controls, ScrollBoxScrollsItsChildrenIntoView) {
    ControlsForm f;
    TScrollBox& box = *f->ScrollBox1;
    TPanel& panel = *f->Panel1;
    HWND wnd = box.Handle();
    EXPECT_TRUE(box.HorzScrollBar().IsScrollBarVisible());
    EXPECT_TRUE(box.VertScrollBar().IsScrollBarVisible());
    EXPECT_TRUE(BarShown(wnd, OBJID_HSCROLL) && BarShown(wnd, OBJID_VSCROLL)) << "content larger than the box both ways";
    RECT client;
    ::GetClientRect(wnd, &client);
    SCROLLINFO v = ScrollInfoOf(wnd, SB_VERT);
    EXPECT_EQ(v.nMax, 340 - 1) << "the panel's bottom";
    EXPECT_EQ(int(v.nPage), client.bottom);

    ::SendMessageW(wnd, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(panel.Top(), 300 - 10) << "one line is the increment";
    EXPECT_EQ(box.VertScrollBar().Position(), 10);
    ::SendMessageW(wnd, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(panel.Top() + panel.Height(), client.bottom) << "scrolled to the end shows the panel's bottom edge";
    ::SendMessageW(wnd, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), 0);
    EXPECT_EQ(panel.Left(), 250 - 40);
    ::SendMessageW(wnd, WM_VSCROLL, SB_TOP, 0);
    ::SendMessageW(wnd, WM_HSCROLL, SB_TOP, 0);
    EXPECT_EQ(panel.Top(), 300);
    EXPECT_EQ(panel.Left(), 250);

    box.ScrollInView(&panel);
    EXPECT_EQ(panel.Left() + panel.Width(), client.right);
    EXPECT_EQ(panel.Top() + panel.Height(), client.bottom);

    // Large enough for its content, the box needs no bars and puts everything back.
    box.SetBounds(box.Left(), box.Top(), 400, 400);
    Pump(20);
    EXPECT_FALSE(box.HorzScrollBar().IsScrollBarVisible());
    EXPECT_FALSE(box.VertScrollBar().IsScrollBarVisible());
    EXPECT_FALSE(BarShown(wnd, OBJID_HSCROLL) || BarShown(wnd, OBJID_VSCROLL));
    EXPECT_EQ(panel.Left(), 250);
    EXPECT_EQ(panel.Top(), 300);
}

TEST(Controls, ApplicationOnMessageSeesMessagesFirstAndKeepsThoseItTakes) {
    ControlsForm f;
    MessageSpy spy(*f.form);
    std::vector<UINT> seen;
    Application->OnMessage = [&](MSG& msg, bool& handled) {
        if (msg.hwnd != f.form->Handle()) return;
        seen.push_back(msg.message);
        handled = msg.message == WM_USER + 9;
    };
    ::PostMessageW(f.form->Handle(), WM_USER + 9, 0, 0);
    ::PostMessageW(f.form->Handle(), WM_USER + 10, 0, 0);
    Pump(50);
    Application->OnMessage = nullptr;
    EXPECT_NE(std::find(seen.begin(), seen.end(), UINT(WM_USER + 9)), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), UINT(WM_USER + 10)), seen.end());
    EXPECT_EQ(spy.Count(WM_USER + 9), 0) << "taken: the window never sees it";
    EXPECT_EQ(spy.Count(WM_USER + 10), 1);
}

TEST(Controls, KeysOfAWindowTheFormOwnsAreNotTheFormsDialogKeys) {
    ControlsForm f;
    int clicks = 0;
    f->BitBtn1->OnClick = [&](TObject*) { ++clicks; };  // the form's default button
    ASSERT_TRUE(f->BitBtn1->Default());
    // A plain popup of the system's classes owned by the form, as a modeless dialog is.
    HWND popup = ::CreateWindowExW(0, L"#32770", L"Owned", WS_POPUP | WS_CAPTION | WS_VISIBLE, 50, 50, 200, 100,
                                   f.form->Handle(), nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(popup, nullptr);
    HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 5, 5, 150, 20, popup, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    ::PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
    ::PostMessageW(edit, WM_KEYUP, VK_RETURN, 1 | (1u << 30) | (1u << 31));
    Pump(50);
    ::DestroyWindow(popup);
    EXPECT_EQ(clicks, 0) << "Return in the owned window pressed the form's default button";
    // The same key in the form itself still does.
    f->Memo1->SetFocus();
    f->BitBtn1->SetFocus();
    PumpUntil([&] { return ::GetFocus() == f->BitBtn1->Handle(); });
    PressKey(VK_RETURN);
    EXPECT_EQ(clicks, 1);
}
