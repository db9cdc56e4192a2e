// The application object (the hidden owner window, the message loop, the forms it
// creates) and the screen (the forms and the display).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "base/CallbackGuard.h"
#include "framework/Forms.h"

namespace tv {

class TApplication : public TComponent, public TFormsHost {
    TV_CLASS(TApplication, TComponent)
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // The hidden top-level window of class "TApplication" that owns the forms.
    HWND Handle() const override { return handle_; }
    void Initialize() {}
    // Creates a form, storing it in ref before its OnCreate runs; the first is the main form.
    template <class T>
    void CreateForm(T*& ref) {
        T* form = new T(this);
        ref = form;
        try {
            form->AfterConstruction();
        } catch (...) {
            ref = nullptr;
            delete form;
            throw;
        }
        if (!mainForm_) mainForm_ = form;
    }
    TCustomForm* MainForm() const override { return mainForm_; }
    // Shows the main form and handles messages until Terminate or WM_QUIT.
    void Run();
    // Handles the messages waiting now, then returns.
    void ProcessMessages();
    // Waits for one message and handles it.
    void HandleMessage() override;
    void Terminate() override;
    bool Terminated() const override { return terminated_; }
    std::string Title() const { return title_; }
    void SetTitle(const std::string& t);
    // Sees every message the loop takes before it is handled; a handler that took one
    // (a modeless dialog's keys for IsDialogMessage) sets handled, and it goes no further.
    std::function<void(MSG& msg, bool& handled)> OnMessage;
    // Shows an error that a handler raised; tests may replace it.
    std::function<void(const std::string&)> OnException;
    void ShowException(const std::string& what);

    void Notification(TComponent* c, TOperation op) override;

private:
    bool ProcessMessage(MSG& msg);
    bool IsKeyMsg(MSG& msg);
    HWND handle_ = nullptr;
    TFormsHost* previousHost_ = nullptr;
    HWND previousPopupOwner_ = nullptr;
    base::CallbackErrorSink previousSink_;
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    std::string title_;
};

class TScreen : public TComponent {
    TV_CLASS(TScreen, TComponent)
    explicit TScreen(TComponent* owner) : TComponent(owner) {}

    int FormCount() const { return int(FormList().size()); }
    TCustomForm* Forms(int index) const { return FormList().at(std::size_t(index)); }
    TCustomForm* ActiveForm() const;
    int Width() const { return ::GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return ::GetSystemMetrics(SM_CYSCREEN); }
    int PixelsPerInch() const;
};

extern TApplication* Application;
extern TScreen* Screen;

// Creates Application and Screen once (done at program start).
void InitFramework();
// Frees Application (and with it every form) and Screen now, while the rest of the
// program still stands; otherwise that happens at static destruction.
void DoneFramework();

}  // namespace tv
