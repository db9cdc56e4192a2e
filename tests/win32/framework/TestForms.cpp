#include "TestForms.h"

using namespace tv;

TTestForm1* Form1 = nullptr;

const TClassInfo& TTestForm1::StaticClass() {
    static const TClassInfo info = DescribeClass<TTestForm1>("TTestForm1")
                                       .Field("Label1", &TTestForm1::Label1)
                                       .Field("ListBox1", &TTestForm1::ListBox1)
                                       .Field("Button1", &TTestForm1::Button1)
                                       .Field("Button2", &TTestForm1::Button2)
                                       .Handler("FormCreate", &TTestForm1::FormCreate)
                                       .Handler("FormShow", &TTestForm1::FormShow)
                                       .Handler("FormClose", &TTestForm1::FormClose)
                                       .Handler("Button1Click", &TTestForm1::Button1Click)
                                       .Handler("Button2Click", &TTestForm1::Button2Click)
                                       .Handler("Label1Click", &TTestForm1::Label1Click)
                                       .Message(WM_HOTKEY, &TTestForm1::WMhotkeyhandle)
                                       .Done();
    return info;
}

void TTestForm1::FormCreate(TObject* Sender) {
    formPointerSetAtCreate = Form1 == Sender;
    events.push_back("create");
}
void TTestForm1::FormShow(TObject*) { events.push_back("show"); }
void TTestForm1::FormClose(TObject*, TCloseAction& Action) {
    events.push_back("close");
    Action = closeAction;
}
void TTestForm1::Button1Click(TObject* Sender) { events.push_back("button1:" + static_cast<TComponent*>(Sender)->Name()); }
void TTestForm1::Button2Click(TObject* Sender) { events.push_back("button2:" + static_cast<TComponent*>(Sender)->Name()); }
void TTestForm1::Label1Click(TObject* Sender) { events.push_back("label1:" + static_cast<TComponent*>(Sender)->Name()); }
void TTestForm1::WMhotkeyhandle(TMessage& Msg) {
    ++hotkeys;
    Show();
    BringToFront();
    Msg.Result = 0;
}

bool PumpUntil(const std::function<bool()>& pred, int milliseconds) {
    DWORD end = ::GetTickCount() + DWORD(milliseconds);
    while (!pred()) {
        if (LONG(::GetTickCount() - end) > 0) return false;
        Application->ProcessMessages();
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void Pump(int milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}
