// The gallery window: every control kind of the framework in the states worth seeing,
// a bare dialog and the system's common dialogs, and our skins switched at run time.
//
// To add a control: add its object to GalleryForm.dfm where the column has room (the
// description is the layout), and a field plus a .Field(...) line below only when code
// has to reach it (glyphs, lines, items). Classes the description names must be
// registered (tv::RegisterFrameworkClasses does the framework's own).
#pragma once

#include <string>
#include <vector>

#include "framework/Framework.h"
#include "skin/core/WinSkinData.h"

// What the command line asks for.
struct TGalleryOptions {
    std::string skin;      // one of the packed skins; empty: the stored one
    bool stock = false;    // no skin at all
    std::string shot;      // save a screenshot there, then close
    bool dialog = false;   // open the bare dialog first (it is in the screenshot)
    bool menu = false;     // the screenshot shows the menu bar's first drop-down open
    bool context = false;  // the screenshot shows the client area's context menu open
    bool combo = false;    // the screenshot shows the long combo box's list open
    bool toolMenu = false; // the screenshot shows the tool bar's Open menu, its Recent sub-menu open (tabs page)
    std::string system;    // "file", "colour" or "font": the screenshot shows that system dialog open
    std::string page;      // "controls", "tabs" or "containers": the page shown (the first when empty)
    std::string repaintTiming;  // time full repaints of the window, write the figure there, exit
    int skinCycles = 0;         // put a skin on and take it off that often, count handles, exit
    std::string report;         // where --skin-cycles writes its counts
    bool mdi = false;      // open the MDI window too (the screenshot shows it alone)
    bool mdiMax = false;   // ... with its active child maximized
    std::string error;     // what was wrong with the command line
};
TGalleryOptions ParseGalleryOptions(const std::vector<std::wstring>& args);

class TGalleryForm : public tv::TForm {
    TV_CLASS(TGalleryForm, tv::TForm)
    using TForm::TForm;

    tv::TButton* ButtonFocused = nullptr;
    tv::TBitBtn* BitBtnLeft = nullptr;
    tv::TBitBtn* BitBtnRight = nullptr;
    tv::TBitBtn* BitBtnTop = nullptr;
    tv::TBitBtn* BitBtnBottom = nullptr;
    tv::TBitBtn* BitBtnDisabled = nullptr;
    tv::TSpeedButton* SpeedFlat = nullptr;
    tv::TSpeedButton* SpeedFlatDown = nullptr;
    tv::TSpeedButton* SpeedPlain = nullptr;
    tv::TSpeedButton* SpeedDisabled = nullptr;
    tv::TMemo* Memo1 = nullptr;
    tv::TListBox* ListBoxBoth = nullptr;
    tv::TListBox* ListBoxPlain = nullptr;
    tv::TComboBox* ComboLong = nullptr;
    tv::TStatusBar* StatusBar1 = nullptr;
    skin::TSkinData* SkinData1 = nullptr;
    tv::TImageList* MenuImages = nullptr;
    tv::TMenuItem* ViewStatusItem = nullptr;
    tv::TMenuItem* PopupStatusItem = nullptr;
    tv::TPopupMenu* ClientPopup = nullptr;
    tv::TPageControl* Pages = nullptr;
    tv::TTabSheet* TabsSheet = nullptr;
    tv::THeaderControl* HeaderBar1 = nullptr;
    tv::TListView* ReportList = nullptr;
    tv::TTreeView* GalleryTree = nullptr;
    tv::TCoolBar* GalleryCoolBar = nullptr;
    tv::TToolBar* CoolToolBar = nullptr;
    tv::TEdit* CoolEdit = nullptr;
    tv::TTabSheet* ContainersSheet = nullptr;
    tv::TForm* InnerForm = nullptr;  // made in code: placed on ContainersSheet

    void FormCreate(tv::TObject* Sender);
    void FormShow(tv::TObject* Sender);
    void FormClose(tv::TObject* Sender, tv::TCloseAction& Action);
    void BareDialogButtonClick(tv::TObject* Sender);
    void OpenFileButtonClick(tv::TObject* Sender);
    void ColourButtonClick(tv::TObject* Sender);
    void FontButtonClick(tv::TObject* Sender);
    void MessageButtonClick(tv::TObject* Sender);
    void MDIItemClick(tv::TObject* Sender);
    void MenuItemClick(tv::TObject* Sender);
    void CheckItemClick(tv::TObject* Sender);
    void ExitItemClick(tv::TObject* Sender);
    void RefreshActionExecute(tv::TObject* Sender);
    // The first panel of the status bar: what happened last.
    void ShowStatus(const std::string& text);

    // Window properties of the gallery's window that tell a test which menu item ran
    // last (its Tag) and how many item clicks ran in all.
    static constexpr const wchar_t* kLastMenuItemProp = L"TovalinGalleryLastMenuItem";
    static constexpr const wchar_t* kMenuClicksProp = L"TovalinGalleryMenuClicks";

    // The packed skins compiled into the program, by name.
    static std::vector<std::string> SkinNames();
    // Puts on the named packed skin, or takes the skin off for "stock". False for an
    // unknown name or a skin that does not load.
    bool UseSkin(const std::string& name);
    const std::string& CurrentSkin() const { return current_; }

    // Set before the form is made.
    static TGalleryOptions Options;
    // The program's exit code: non-zero when a screenshot could not be saved.
    static int ExitCode;

private:
    void TakeShot();
    // Microseconds one full repaint of the window and all its controls takes (an average).
    double TimeRepaint(int rounds);
    // Skin on, skin off, cycles times (each packed skin in turn); then the handle counts
    // before and after go to Options.report.
    void CycleSkins(int cycles);
    void MakeMenuImages();
    void MakeBuiltInCodeParts();
    void MenuItemRan(const tv::TComponent& item, const std::string& caption);
    int menuClicks_ = 0;
    // Runs one of the system's modal dialogs unless one is open already: the gallery is
    // disabled meanwhile, but a script's posted click still reaches its buttons.
    template <class F>
    void Modal(F&& run);
    // The system's dialog the gallery has open (open-file, colour, font), or null.
    HWND SystemDialogWindow();
    bool inModal_ = false;
    bool closeAfterModal_ = false;  // a screenshot is taken: close once the dialog is gone
    std::string current_;
    std::string storedSkin_;  // the skin the description holds (the first of the list)
};

extern TGalleryForm* GalleryForm;
