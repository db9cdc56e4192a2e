#include "TestForms.h"

#include <gtest/gtest.h>

using namespace tv;

TTestForm1* Form1 = nullptr;
TTestForm1* Form2 = nullptr;

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
    formPointerSetAtCreate = Form1 == Sender || Form2 == Sender;
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

FreshTestForm::FreshTestForm() : form_(CreateComponent<TTestForm1>(Application)) {
    form_->Show();
    ::SetForegroundWindow(form_->Handle());
    PumpUntil([this] { return ::IsWindowVisible(form_->Handle()) != FALSE; });
}

FreshTestForm::~FreshTestForm() {
    delete form_;
    Pump(10);
}

ReportedErrors::ReportedErrors() : previous_(Application->OnException) {
    Application->OnException = [this](const std::string& w) { what.push_back(w); };
}

ReportedErrors::~ReportedErrors() { Application->OnException = previous_; }

void BringToFrontAndWait(TCustomForm& form) {
    form.Show();
    ::SetForegroundWindow(form.Handle());
    ::SetWindowPos(form.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    PumpUntil([&] { return ::GetForegroundWindow() == form.Handle(); });
    Pump(50);
}

void PressKey(WORD key) {
    HWND target = ::GetFocus();
    ::PostMessageW(target, WM_KEYDOWN, key, 1);
    ::PostMessageW(target, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
    Pump(30);
}

namespace {
// Absolute input: the system maps dx to dx * width / 65536, so round up.
void SendMouse(DWORD flags, POINT screen) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = LONG((screen.x * 65536 + w - 1) / w);
    in.mi.dy = LONG((screen.y * 65536 + h - 1) / h);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
}
}  // namespace

void MoveMouseTo(POINT screen) {
    // Under X the pointer may briefly snap back to where it was; send again until it stays.
    auto at = [&] {
        POINT p;
        ::GetCursorPos(&p);
        return p.x == screen.x && p.y == screen.y;
    };
    for (int attempt = 0; attempt < 10; ++attempt) {
        SendMouse(MOUSEEVENTF_MOVE, screen);
        PumpUntil(at, 500);
        Pump(80);
        if (at()) return;
    }
}

void ClickAt(POINT screen) {
    MoveMouseTo(screen);
    SendMouse(MOUSEEVENTF_LEFTDOWN, screen);
    Pump(30);
    SendMouse(MOUSEEVENTF_LEFTUP, screen);
    Pump(60);
}

POINT ScreenCenterOf(TControl& control) {
    return control.ClientToScreen(POINT{control.Width() / 2, control.Height() / 2});
}

MessageSpy::MessageSpy(TControl& control) : control_(control), previous_(control.WindowProc) {
    TWndMethod previous = previous_;
    control.WindowProc = [this, previous](TMessage& m) {
        seen.push_back(m);
        previous(m);
    };
}

MessageSpy::~MessageSpy() { control_.WindowProc = previous_; }

int MessageSpy::Count(UINT msg) const {
    int n = 0;
    for (const auto& m : seen) n += m.Msg == msg;
    return n;
}

const TMessage* MessageSpy::Last(UINT msg) const {
    for (auto it = seen.rbegin(); it != seen.rend(); ++it)
        if (it->Msg == msg) return &*it;
    return nullptr;
}

namespace {
// An error at a window procedure boundary fails the test instead of waiting for a click.
struct FailOnCallbackErrors {
    FailOnCallbackErrors() {
        InitFramework();
        Application->OnException = [](const std::string& what) { ADD_FAILURE() << "callback error: " << what; };
    }
} failOnCallbackErrors;
}  // namespace

const TClassInfo& TBlobHolder::StaticClass() {
    static const TClassInfo info = DescribeClass<TBlobHolder>("TBlobHolder").Done();
    return info;
}

void TBlobHolder::DefineProperties(TFiler& filer) {
    filer.DefineBinaryProperty(
        "Data",
        [this](TStream& s) {
            std::int32_t n = s.ReadInt32();
            data.assign(std::size_t(std::max(n, 0)), 0);
            if (n > 0) s.ReadBuffer(data.data(), data.size());
        },
        [this](TStream& s) {
            s.WriteInt32(std::int32_t(data.size()));
            if (!data.empty()) s.WriteBuffer(data.data(), data.size());
        },
        true);
}

const TClassInfo& TBlobForm::StaticClass() {
    static const TClassInfo info = DescribeClass<TBlobForm>("TBlobForm").Field("Holder", &TBlobForm::Holder).Done();
    return info;
}
