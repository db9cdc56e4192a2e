#include <gtest/gtest.h>

#include <cstdlib>

#include "TestForms.h"
#include "base/Text.h"

using namespace tv;

namespace {
std::string WindowClass(HWND wnd) {
    wchar_t name[256] = {};
    ::GetClassNameW(wnd, name, 256);
    return text::Narrow(name);
}
std::string WindowText(HWND wnd) {
    wchar_t t[256] = {};
    ::GetWindowTextW(wnd, t, 256);
    return text::Narrow(t);
}
}  // namespace

TEST(Form, CreatedFromItsStoredDescriptionResource) {
    // Another instance when the main one exists already.
    TTestForm1*& ref = Form1 ? Form2 : Form1;
    bool first = !Form1;
    int before = Screen->FormCount();
    Application->CreateForm<TTestForm1>(ref);
    ASSERT_NE(ref, nullptr);
    TTestForm1* Form1 = ref;  // the checks below read like the application's
    EXPECT_TRUE(Form1->formPointerSetAtCreate) << "the global is set before OnCreate runs";
    EXPECT_EQ(Form1->events, std::vector<std::string>{"create"});
    EXPECT_EQ(Application->MainForm() == Form1, first) << "the first form created is the main form";
    EXPECT_EQ(Form1->Name(), first ? "Form1" : "Form1_1");
    ASSERT_EQ(Screen->FormCount(), before + 1);
    EXPECT_EQ(Screen->Forms(before), Form1) << "forms in creation order";

    ASSERT_NE(Form1->Button1, nullptr);
    ASSERT_NE(Form1->ListBox1, nullptr);
    ASSERT_NE(Form1->Label1, nullptr);
    EXPECT_EQ(Form1->Caption(), "Tovalin");
    EXPECT_EQ(Form1->Color(), clBtnFace);
    EXPECT_EQ(Form1->Font().Name(), "宋体");
    EXPECT_EQ(Form1->Font().Height(), -15);
    EXPECT_EQ(Form1->Font().Charset(), GB2312_CHARSET);
    EXPECT_EQ(Form1->Button1->Font().Name(), "宋体") << "buttons take the form's font";
    EXPECT_TRUE(Form1->Button1->ParentFont());
    EXPECT_FALSE(Form1->Label1->ParentFont());
    EXPECT_EQ(Form1->Label1->Font().Height(), -16);
    EXPECT_EQ(Form1->Label1->Font().Color(), clPurple);
    EXPECT_TRUE(Form1->Label1->Font().Style().Contains(TFontStyle::fsUnderline));
    EXPECT_EQ(Form1->Label1->Cursor(), crHandPoint);
    EXPECT_EQ(Form1->Button1->Parent(), Form1);
    EXPECT_EQ(Form1->Button1->Owner(), Form1);
    EXPECT_EQ(Form1->ListBox1->TabOrder(), 0);
    EXPECT_EQ(Form1->Button2->TabOrder(), 2);
    EXPECT_EQ(Form1->ListBox1->Items().Count(), 2);
    EXPECT_EQ(Form1->ListBox1->Items()[1], "第二");
    EXPECT_FALSE(Form1->HandleAllocated()) << "windows are made when first needed";

    Form1->Show();
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(Form1->Handle()) != FALSE; }));
    EXPECT_EQ(Form1->events.back(), "show");
    HWND form = Form1->Handle();
    EXPECT_EQ(WindowClass(form), "TTestForm1");
    EXPECT_EQ(WindowText(form), "Tovalin");
    EXPECT_EQ(::GetWindow(form, GW_OWNER), Application->Handle());
    EXPECT_EQ(WindowClass(Application->Handle()), "TApplication");
    EXPECT_FALSE(::IsWindowVisible(Application->Handle()));
    HWND button = Form1->Button1->Handle();
    EXPECT_EQ(WindowClass(button), "TButton");
    EXPECT_EQ(WindowText(button), "隐藏窗口");
    EXPECT_EQ(::GetParent(button), form);
    EXPECT_EQ(WindowClass(Form1->ListBox1->Handle()), "TListBox");
    EXPECT_EQ(::SendMessageW(Form1->ListBox1->Handle(), LB_GETCOUNT, 0, 0), 2);
    RECT r;
    ::GetWindowRect(button, &r);
    ::MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 127);
    EXPECT_EQ(r.top, 399);
    EXPECT_EQ(r.right - r.left, 85);
    EXPECT_EQ(::GetWindowLongPtrW(form, GWL_EXSTYLE) & WS_EX_APPWINDOW, first ? WS_EX_APPWINDOW : 0);
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(button, WM_GETFONT, 0, 0)), Form1->Button1->Font().Handle());
    LOGFONTW lf{};
    ::GetObjectW(Form1->Button1->Font().Handle(), sizeof lf, &lf);
    EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(lf.lfHeight, -15);
}

TEST(Form, DeletingAFormDestroysItsControlsAndWindows) {
    auto* form = CreateComponent<TForm>(Application);
    auto* button = new TButton(form);
    button->SetParent(form);
    auto* label = new TLabel(form);
    label->SetParent(form);
    form->Show();
    HWND formWnd = form->Handle(), buttonWnd = button->Handle();
    ASSERT_TRUE(::IsWindow(buttonWnd));
    delete button;  // early: the form forgets it
    EXPECT_FALSE(::IsWindow(buttonWnd));
    EXPECT_EQ(form->ControlCount(), 1);
    EXPECT_EQ(form->ComponentCount(), 1);
    int forms = Screen->FormCount();
    delete form;
    EXPECT_FALSE(::IsWindow(formWnd));
    EXPECT_EQ(Screen->FormCount(), forms - 1);
}

TEST(Form, BinaryValuesFilledInByTheBuildArriveByteForByte) {
    TBlobForm* form = CreateComponent<TBlobForm>(Application);
    ASSERT_NE(form->Holder, nullptr);
    HRSRC res = ::FindResourceW(nullptr, L"BLOBDATA", MAKEINTRESOURCEW(10));
    ASSERT_NE(res, nullptr);
    const auto* bytes = static_cast<const std::uint8_t*>(::LockResource(::LoadResource(nullptr, res)));
    std::vector<std::uint8_t> file(bytes, bytes + ::SizeofResource(nullptr, res));
    ASSERT_GT(file.size(), 64u);
    EXPECT_EQ(form->Holder->data, file);
    delete form;
}

TEST(Form, TheApplicationWindowAnswersWithTheProgramIcon) {
    HICON small = reinterpret_cast<HICON>(::SendMessageW(Application->Handle(), WM_GETICON, ICON_SMALL, 0));
    HICON big = reinterpret_cast<HICON>(::SendMessageW(Application->Handle(), WM_GETICON, ICON_BIG, 0));
    ASSERT_NE(small, nullptr);
    ASSERT_NE(big, nullptr);
    // Drawn, the icon shows its own pixels (red with a green diagonal).
    TBitmap bmp;
    bmp.SetSize(16, 16);
    ::DrawIconEx(bmp.Canvas().Handle(), 0, 0, small, 16, 16, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(bmp.Pixels().GetPixel(3, 8), raster::Rgb(255, 0, 0));
    EXPECT_EQ(bmp.Pixels().GetPixel(5, 5), raster::Rgb(0, 255, 0));
}

TEST(Form, ClientSizePositionAndBorderFromADescription) {
    auto* form = CreateComponent<TForm>(Application);
    ReadComponent(*form, "object Dialog1: TForm\n"
                         "  BorderStyle = bsDialog\n"
                         "  Position = poScreenCenter\n"
                         "  ClientWidth = 300\n"
                         "  ClientHeight = 140\n"
                         "  Caption = 'Centred'\n"
                         "end\n");
    form->Show();
    HWND wnd = form->Handle();
    RECT client;
    ::GetClientRect(wnd, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 140);
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_FALSE(::GetWindowLongPtrW(wnd, GWL_STYLE) & WS_THICKFRAME) << "a dialog frame is not sizeable";
    EXPECT_TRUE(::GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    RECT area, r;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    ::GetWindowRect(wnd, &r);
    EXPECT_LE(std::abs((r.left + r.right) / 2 - (area.left + area.right) / 2), 1);
    EXPECT_LE(std::abs((r.top + r.bottom) / 2 - (area.top + area.bottom) / 2), 1);
    EXPECT_EQ(form->Left(), r.left) << "the control knows where its window is";
    EXPECT_EQ(form->Width(), r.right - r.left);
    delete form;
}

TEST(Form, OnPaintDrawsOnTheFormCanvasAndOnResizeFollowsTheSize) {
    auto* form = CreateComponent<TForm>(Application);
    form->SetBounds(50, 50, 200, 150);
    int resized = 0;
    form->OnResize = [&](TObject*) { ++resized; };
    form->OnPaint = [&](TObject*) {
        form->Canvas().Brush().SetColor(clTeal);
        form->Canvas().FillRect(RECT{10, 10, 30, 30});
    };
    form->Show();
    ::UpdateWindow(form->Handle());
    HDC dc = ::GetDC(form->Handle());
    EXPECT_EQ(::GetPixel(dc, 20, 20), COLORREF(ColorToRGB(clTeal)));
    EXPECT_EQ(::GetPixel(dc, 40, 40), ::GetSysColor(COLOR_BTNFACE));
    ::ReleaseDC(form->Handle(), dc);
    int before = resized;
    form->SetWidth(260);
    EXPECT_EQ(resized, before + 1);
    form->SetLeft(70);
    EXPECT_EQ(resized, before + 1) << "a move is no resize";
    delete form;
}

namespace {
// Runs a check when its owner frees it.
class GoneProbe : public TComponent {
public:
    using TComponent::TComponent;
    ~GoneProbe() override {
        if (onGone) onGone();
    }
    std::function<void()> onGone;
};
}  // namespace

TEST(Form, AFormsWindowNeverKeepsAMenuBarThatWasFreed) {
    auto* form = CreateComponent<TForm>(Application);
    auto* probe = new GoneProbe(form);  // freed after the menu: owned components go last first
    auto* menu = new TMainMenu(form);
    auto* item = new TMenuItem(nullptr);
    item->SetCaption("&File");
    menu->Items().Add(item);
    form->SetMenu(menu);
    form->Show();
    HWND wnd = form->Handle();
    ASSERT_EQ(::GetMenu(wnd), menu->Handle());
    bool checked = false;
    HMENU seen = nullptr;
    probe->onGone = [&] {
        checked = true;
        seen = ::GetMenu(wnd);
        if (seen && ::IsMenu(seen)) seen = nullptr;  // a living menu would be fine
    };
    delete form;
    EXPECT_TRUE(checked);
    EXPECT_EQ(seen, nullptr) << "the window still pointed at a destroyed menu, which it would destroy again";
    EXPECT_FALSE(::IsWindow(wnd));
}
