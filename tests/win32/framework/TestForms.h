// A form like an application's, read from its stored description resource.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/Framework.h"

class TTestForm1 : public tv::TForm {
    TV_CLASS(TTestForm1, tv::TForm)
    using TForm::TForm;

    tv::TLabel* Label1 = nullptr;
    tv::TListBox* ListBox1 = nullptr;
    tv::TButton* Button1 = nullptr;
    tv::TButton* Button2 = nullptr;

    std::vector<std::string> events;
    bool formPointerSetAtCreate = false;
    int hotkeys = 0;
    tv::TCloseAction closeAction = tv::TCloseAction::caHide;

    void FormCreate(tv::TObject* Sender);
    void FormShow(tv::TObject* Sender);
    void FormClose(tv::TObject* Sender, tv::TCloseAction& Action);
    void Button1Click(tv::TObject* Sender);
    void Button2Click(tv::TObject* Sender);
    void Label1Click(tv::TObject* Sender);
    void WMhotkeyhandle(tv::TMessage& Msg);
};

extern TTestForm1* Form1;
extern TTestForm1* Form2;

// Handles messages until pred holds or the time is up.
bool PumpUntil(const std::function<bool()>& pred, int milliseconds = 2000);
void Pump(int milliseconds = 50);

// A test form of its own for one test, created from its description, shown and in
// front; freed when the test ends, so that no test sees another's state.
class FreshTestForm {
public:
    FreshTestForm();
    ~FreshTestForm();
    FreshTestForm(const FreshTestForm&) = delete;
    FreshTestForm& operator=(const FreshTestForm&) = delete;
    TTestForm1& operator*() const { return *form_; }
    TTestForm1* operator->() const { return form_; }
    TTestForm1* Get() const { return form_; }

private:
    TTestForm1* form_ = nullptr;
};

// Errors stopped at callback boundaries, collected instead of failing the test;
// the previous reporter is back when it goes.
class ReportedErrors {
public:
    ReportedErrors();
    ~ReportedErrors();
    std::vector<std::string> what;

private:
    std::function<void(const std::string&)> previous_;
};

// Shows the form on top and waits until it is the foreground window, so that real
// input and keyboard focus reach it.
void BringToFrontAndWait(tv::TCustomForm& form);
// A key pressed on the window with the focus, through the application's message loop.
void PressKey(WORD key);

// Real input: moves the mouse to a screen point, clicks there.
void MoveMouseTo(POINT screen);
void ClickAt(POINT screen);
POINT ScreenCenterOf(tv::TControl& control);

// Records the messages a control's window method sees, then passes them on;
// puts the previous method back when it goes.
class MessageSpy {
public:
    explicit MessageSpy(tv::TControl& control);
    ~MessageSpy();
    std::vector<tv::TMessage> seen;
    int Count(UINT msg) const;
    const tv::TMessage* Last(UINT msg) const;

private:
    tv::TControl& control_;
    tv::TWndMethod previous_;
};

// A component with a binary property of its own (count + bytes, as stream properties are stored).
class TBlobHolder : public tv::TComponent {
    TV_CLASS(TBlobHolder, tv::TComponent)
    using TComponent::TComponent;
    std::vector<std::uint8_t> data;
    void DefineProperties(tv::TFiler& filer) override;
};

class TBlobForm : public tv::TForm {
    TV_CLASS(TBlobForm, tv::TForm)
    using TForm::TForm;
    TBlobHolder* Holder = nullptr;
};
