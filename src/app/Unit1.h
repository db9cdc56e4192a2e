// The main window: the list of top-level window titles and its commands.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Framework.h"
#include "skin/core/WinSkinData.h"
#include "wintools/tevhotkey.h"

// Where the two link labels lead.
inline constexpr const char* kMakerSite = "http://tovalin.example.com";

class TForm1 : public tv::TForm {
    TV_CLASS(TForm1, tv::TForm)
    using TForm::TForm;

    tv::TLabel* Label1 = nullptr;
    tv::TLabel* Label2 = nullptr;
    tv::TListBox* ListBox1 = nullptr;
    tv::TButton* Button1 = nullptr;
    tv::TButton* Button2 = nullptr;
    tv::TButton* Button3 = nullptr;
    tv::TButton* Button4 = nullptr;
    skin::TSkinData* SkinData1 = nullptr;

    void FormCreate(tv::TObject* Sender);
    void FormShow(tv::TObject* Sender);
    void FormClose(tv::TObject* Sender, tv::TCloseAction& Action);
    void Button1Click(tv::TObject* Sender);
    void Button2Click(tv::TObject* Sender);
    void Button3Click(tv::TObject* Sender);
    void Button4Click(tv::TObject* Sender);
    void Label1Click(tv::TObject* Sender);
    void Label2Click(tv::TObject* Sender);
    void WMhotkeyhandle(tv::TMessage& Msg);

protected:
    // Ctrl+Alt+S is registered for the window: a new window of the form takes it over.
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    HWND formerWindow_ = nullptr;
    // The window of the selected entry, or null when nothing is selected or it is gone.
    HWND SelectedWindow() const;
    // One handle per list entry, in list order: titles alone cannot tell twins apart.
    std::vector<HWND> entryWindows_;
};

extern TForm1* Form1;
// The hotkey registry, alive from FormCreate to FormClose.
extern std::unique_ptr<TTevhotkey> Hotkeys;
