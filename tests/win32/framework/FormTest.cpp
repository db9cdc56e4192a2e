#include <gtest/gtest.h>

#include "TestForms.h"
#include "raster/Text.h"

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
    Application->CreateForm<TTestForm1>(Form1);
    ASSERT_NE(Form1, nullptr);
    EXPECT_TRUE(Form1->formPointerSetAtCreate) << "the global is set before OnCreate runs";
    EXPECT_EQ(Form1->events, std::vector<std::string>{"create"});
    EXPECT_EQ(Application->MainForm(), Form1);
    ASSERT_GE(Screen->FormCount(), 1);
    EXPECT_EQ(Screen->Forms(0), Form1);

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
    EXPECT_TRUE(PumpUntil([] { return ::IsWindowVisible(Form1->Handle()) != FALSE; }));
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
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageW(button, WM_GETFONT, 0, 0)), Form1->Button1->Font().Handle());
    LOGFONTW lf{};
    ::GetObjectW(Form1->Button1->Font().Handle(), sizeof lf, &lf);
    EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(lf.lfHeight, -15);
}
