// Forms, the application object and the screen.
//
// A form class of an application:
//
//   class TForm1 : public tv::TForm {
//       TV_CLASS(TForm1, tv::TForm)
//       using TForm::TForm;
//       tv::TButton* Button1 = nullptr;           // bound by component name
//       void FormCreate(tv::TObject* Sender);     // bound by handler name
//       void WMhotkeyhandle(tv::TMessage& Msg);   // message handler
//   };
//   const tv::TClassInfo& TForm1::StaticClass() {
//       static const tv::TClassInfo info = tv::DescribeClass<TForm1>("TForm1")
//           .Field("Button1", &TForm1::Button1)
//           .Handler("FormCreate", &TForm1::FormCreate)
//           .Message(WM_HOTKEY, &TForm1::WMhotkeyhandle)
//           .Done();
//       return info;
//   }
//
// and Application->CreateForm<TForm1>(Form1) reads the RCDATA resource "TFORM1"
// (tovalin_add_form_resources in CMake) into it, then runs OnCreate.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Controls.h"
#include "framework/Menus.h"

namespace tv {

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TPosition {
    poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter, poMainFormCenter,
    poOwnerFormCenter
};
enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
const TEnumInfo& PositionType();
const TEnumInfo& FormBorderStyleType();

// Results of a modal form (the dialog box command identifiers).
inline constexpr int mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
                     mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO;
const TEnumInfo& ModalResultIdents();

using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TCustomControl {
    TV_CLASS(TCustomForm, TCustomControl)
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // Reads the form's stored description (when its class has one) and runs OnCreate.
    // Application->CreateForm and the class registry call it right after construction.
    virtual void AfterConstruction();
    bool Constructed() const { return constructed_; }

    void Close();
    // Shows the form and handles messages, with the program's other windows disabled,
    // until ModalResult is set (Close sets mrCancel); answers it.
    int ShowModal();
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int r) { modalResult_ = r; }
    bool Modal() const { return modal_; }
    // Frees the form once the messages being handled now are done.
    void Release();
    bool CloseQuery();

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Moves the focus to the next (or previous) control in tab order.
    void SelectNext(TWinControl* current, bool forward);
    // Told by a control of this form that got the keyboard focus.
    void FocusMovedTo(TWinControl* control);

    // The menu bar; null for none.
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);
    // The menu bar's items changed: the window gets the new menu and CM_MENUCHANGED.
    void MenuChanged();
    void Notification(TComponent* c, TOperation op) override;

    TPosition Position() const { return position_; }
    void SetPosition(TPosition p) { position_ = p; }
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle s);
    int PixelsPerInch = 96;
    int TextHeight = 0;
    bool OldCreateOrder = false;
    bool Scaled = true;
    bool KeyPreview = false;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    // Paints on Canvas after the background, before the windowless controls.
    TNotifyEvent OnPaint;
    TCloseQueryEvent OnCloseQuery;

    bool Showing() const override;
    // On top of the other windows and active.
    void BringToFront() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void HandleMessage(TMessage& m) override;
    void SetParentComponent(TComponent* parent) override;
    virtual void DoShow();
    virtual void DoHide();
    void Paint() override;

private:
    void PlaceOnFirstShow();
    bool constructed_ = false;
    bool placed_ = false;
    bool modal_ = false;
    int modalResult_ = mrNone;
    TWinControl* activeControl_ = nullptr;
    TMainMenu* menu_ = nullptr;
    TPosition position_ = TPosition::poDesigned;
    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
};

class TForm : public TCustomForm {
    TV_CLASS(TForm, TCustomForm)
    explicit TForm(TComponent* owner);
};

// Creates a component the way descriptions do: construction, then (for forms) the
// stored description and OnCreate.
template <class T>
T* CreateComponent(TComponent* owner) {
    T* c = new T(owner);
    if constexpr (std::is_base_of_v<TCustomForm, T>) {
        try {
            c->AfterConstruction();
        } catch (...) {
            delete c;
            throw;
        }
    }
    return c;
}

class TApplication : public TComponent {
    TV_CLASS(TApplication, TComponent)
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // The hidden top-level window of class "TApplication" that owns the forms.
    HWND Handle() const { return handle_; }
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
    TCustomForm* MainForm() const { return mainForm_; }
    // Shows the main form and handles messages until Terminate or WM_QUIT.
    void Run();
    // Handles the messages waiting now, then returns.
    void ProcessMessages();
    // Waits for one message and handles it.
    void HandleMessage();
    void Terminate();
    bool Terminated() const { return terminated_; }
    std::string Title() const { return title_; }
    void SetTitle(const std::string& t);
    // Shows an error that a handler raised; tests may replace it.
    std::function<void(const std::string&)> OnException;
    void ShowException(const std::string& what);

    void Notification(TComponent* c, TOperation op) override;

private:
    bool ProcessMessage(MSG& msg);
    bool IsKeyMsg(MSG& msg);
    HWND handle_ = nullptr;
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    std::string title_;
};

class TScreen : public TComponent {
    TV_CLASS(TScreen, TComponent)
    explicit TScreen(TComponent* owner) : TComponent(owner) {}

    int FormCount() const { return int(forms_.size()); }
    TCustomForm* Forms(int index) const { return forms_.at(std::size_t(index)); }
    TCustomForm* ActiveForm() const;
    int Width() const { return ::GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return ::GetSystemMetrics(SM_CYSCREEN); }
    int PixelsPerInch() const;

private:
    friend class TCustomForm;
    std::vector<TCustomForm*> forms_;
};

extern TApplication* Application;
extern TScreen* Screen;

// Creates Application and Screen once (also done on first use by forms).
void InitFramework();
// Frees Application (and with it every form) and Screen now, while the rest of the
// program still stands; otherwise that happens at static destruction.
void DoneFramework();
// Makes every framework class known to stored descriptions.
void RegisterFrameworkClasses();

}  // namespace tv
