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
// and Application->CreateForm<TForm1>(Form1) (framework/Application.h) reads the RCDATA resource "TFORM1"
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
// fsMDIForm: a frame whose client area is an MDI client ("MDIClient") holding fsMDIChild forms.
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TTileMode { tbHorizontal, tbVertical };
const TEnumInfo& PositionType();
const TEnumInfo& FormBorderStyleType();
const TEnumInfo& FormStyleType();
const TEnumInfo& TileModeType();
// The command number of the first child the system lists in an MDI frame's window menu;
// menu items never get numbers this high.
inline constexpr UINT kFirstMDIChildCommand = 0xFF00;

// Results of a modal form (the dialog box command identifiers).
inline constexpr int mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
                     mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO;
const TEnumInfo& ModalResultIdents();

using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TCustomControl, public TMenuHost {
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

    TWinControl* ActiveControl() const { return activeControl_.Get(); }
    void SetActiveControl(TWinControl* control);
    // Moves the focus to the next (or previous) control in tab order.
    void SelectNext(TWinControl* current, bool forward);

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

    // MDI (FormMDI.cpp). An fsMDIChild form lives in the MDI client of the MDI frame
    // (its owner when that is an fsMDIForm, else the main form, else the first frame).
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle s);
    // The MDI client window of an fsMDIForm; null for other forms.
    HWND ClientHandle() const { return clientHandle_; }
    // The item under which the system lists the children (a top-level item of Menu).
    TMenuItem* WindowMenu() const { return windowMenu_.Get(); }
    void SetWindowMenu(TMenuItem* item);
    TTileMode TileMode = TTileMode::tbHorizontal;
    void Cascade();
    void Tile();
    void ArrangeIcons();
    // Activates the next (previous) child.
    void Next();
    void Previous();
    TCustomForm* ActiveMDIChild() const;
    int MDIChildCount() const;
    // The children in the client's order (top of the z order first).
    TCustomForm* MDIChildren(int index) const;
    // The frame an MDI child form belongs to, or null.
    TCustomForm* MDIParent() const;
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
    // A form with a parent is a child window of that control (a form placed inside
    // another), without taskbar button, menu bar or activation of its own; its window is
    // made anew when it moves between the desktop and a parent.
    void SetParent(TWinControl* parent) override;
    // On top of the other windows and active.
    void BringToFront() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void HandleMessage(TMessage& m) override;
    void SetParentComponent(TComponent* parent) override;
    // The form is the focus host of its controls.
    void FocusChild(TWinControl* child) override;
    void ChildFocused(TWinControl* child) override;
    void ChildLeaving(TWinControl* control) override;
    void PreviewChildKey(WORD& key) override;
    void CreateWindowHandle(const TCreateParams& params) override;
    void DestroyWindowHandle(HWND wnd) override;
    void DefaultHandler(TMessage& m) override;
    // Its menu bar tells it of new handles and of its end.
    void MainMenuReplaced(TMainMenu* menu) override;
    void MainMenuLeaving(TMainMenu* menu) override;
    virtual void DoShow();
    virtual void DoHide();
    void Paint() override;

private:
    // Moves the active control to control, with CM_EXIT/OnExit and CM_ENTER/OnEnter.
    void FocusMovedTo(TWinControl* control);
    bool HandleDialogKey(TMessage& m);
    void PlaceOnFirstShow();
    // MDI (FormMDI.cpp).
    bool HandleMDIMessage(TMessage& m);
    void CreateClientWindow();
    void PlaceClientWindow();
    // The frame shows the menu of child merged into its own (null: its own alone).
    void MergeChildMenu(TCustomForm* child);
    void ShowFrameMenu();
    std::vector<TCustomForm*> ChildForms() const;
    TFormStyle formStyle_ = TFormStyle::fsNormal;
    HWND clientHandle_ = nullptr;
    WeakPtr<TMenuItem> windowMenu_;
    WeakPtr<TMainMenu> mergedMenu_;  // the active child's menu, merged into ours
    bool constructed_ = false;
    bool placed_ = false;
    bool modal_ = false;
    int modalResult_ = mrNone;
    WeakPtr<TWinControl> activeControl_;
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

// The program object as forms see it: the application, which lives above them.
class TFormsHost {
public:
    // The hidden window that owns the top-level forms.
    virtual HWND Handle() const = 0;
    virtual TCustomForm* MainForm() const = 0;
    virtual void Terminate() = 0;
    virtual bool Terminated() const = 0;
    // Waits for one message and handles it (modal loops).
    virtual void HandleMessage() = 0;

protected:
    ~TFormsHost() = default;
};
TFormsHost* FormsHost();
void SetFormsHost(TFormsHost* host);

// Every living form, in the order of creation.
const std::vector<TCustomForm*>& FormList();
// The form a control sits on (the outermost one), or null.
TCustomForm* GetParentForm(const TControl* control);

}  // namespace tv
