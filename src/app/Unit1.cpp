#include "app/Unit1.h"

#include "app/InfoMessage.h"
#include "app/OpenDocument.h"
#include "base/Text.h"
#include "wintools/jincheng.h"

TForm1* Form1 = nullptr;
std::unique_ptr<TTevhotkey> Hotkeys;

const tv::TClassInfo& TForm1::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TForm1>("TForm1")
        .Field("Label1", &TForm1::Label1)
        .Field("Label2", &TForm1::Label2)
        .Field("ListBox1", &TForm1::ListBox1)
        .Field("Button1", &TForm1::Button1)
        .Field("Button2", &TForm1::Button2)
        .Field("Button3", &TForm1::Button3)
        .Field("Button4", &TForm1::Button4)
        .Field("SkinData1", &TForm1::SkinData1)
        .Handler("FormCreate", &TForm1::FormCreate)
        .Handler("FormShow", &TForm1::FormShow)
        .Handler("FormClose", &TForm1::FormClose)
        .Handler("Button1Click", &TForm1::Button1Click)
        .Handler("Button2Click", &TForm1::Button2Click)
        .Handler("Button3Click", &TForm1::Button3Click)
        .Handler("Button4Click", &TForm1::Button4Click)
        .Handler("Label1Click", &TForm1::Label1Click)
        .Handler("Label2Click", &TForm1::Label2Click)
        .Message(WM_HOTKEY, &TForm1::WMhotkeyhandle)
        .Done();
    return info;
}

void TForm1::FormCreate(tv::TObject*) {
    Hotkeys = std::make_unique<TTevhotkey>();
    Hotkeys->AddHotkey(Form1, true, true, false, false, 0x53);  // Ctrl+Alt+S
}

void TForm1::FormShow(tv::TObject* Sender) { Button4Click(Sender); }

void TForm1::DestroyWnd() {
    if (HandleAllocated()) formerWindow_ = Handle();
    tv::TForm::DestroyWnd();
}

void TForm1::CreateWnd() {
    tv::TForm::CreateWnd();
    if (Hotkeys && formerWindow_ && HandleAllocated()) Hotkeys->MoveToWindow(formerWindow_, Handle());
    formerWindow_ = nullptr;
}

void TForm1::FormClose(tv::TObject*, tv::TCloseAction&) { Hotkeys.reset(); }

void TForm1::Button4Click(tv::TObject*) {
    ListBox1->Clear();
    entryWindows_.clear();
    TWindowList windows;
    EnumerateWindows(0, 0, false, windows);
    // The list box redraws once, and is never left frozen should an item fail.
    struct Update {
        tv::TStrings& items;
        explicit Update(tv::TStrings& i) : items(i) { items.BeginUpdate(); }
        ~Update() { items.EndUpdate(); }
    } update(ListBox1->Items());
    for (const WindowRecord& w : windows) {
        if (w.Title.empty()) continue;
        ListBox1->Items().Add(w.Title);
        entryWindows_.push_back(w.Handle);
    }
}

HWND TForm1::SelectedWindow() const {
    const int index = ListBox1->ItemIndex();
    if (index < 0 || index >= ListBox1->Items().Count()) return nullptr;
    const std::string title = ListBox1->Items()[index];
    // The entry's own window while it still bears the entry's title; else the first of that title.
    if (std::size_t(index) < entryWindows_.size()) {
        HWND own = entryWindows_[std::size_t(index)];
        if (::IsWindow(own) && WindowTitle(own) == title) return own;
    }
    return ::FindWindowW(nullptr, text::Widen(title).c_str());
}

void TForm1::Button1Click(tv::TObject*) {
    if (HWND w = SelectedWindow()) ::ShowWindow(w, SW_HIDE);
}

void TForm1::Button2Click(tv::TObject*) {
    if (HWND w = SelectedWindow()) ::ShowWindow(w, SW_SHOW);
}

void TForm1::Button3Click(tv::TObject*) {
    ShowInfoMessage("用Ctrl+Alt+S显示窗口");
    Hide();
}

void TForm1::Label1Click(tv::TObject*) { OpenDocument(std::string(kMakerSite) + "/ku_type.asp?Ku_ID=6", ""); }

void TForm1::Label2Click(tv::TObject*) { OpenDocument(kMakerSite, ""); }

void TForm1::WMhotkeyhandle(tv::TMessage&) {
    Show();
    BringToFront();
}
