#include "gallery/GalleryForm.h"

#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwctype>

#include "base/CallbackGuard.h"
#include "base/Handles.h"
#include "base/Text.h"
#include "framework/LiveHandles.h"
#include "gallery/BareDialog.h"
#include "gallery/GalleryMDI.h"
#include "raster/BmpCodec.h"
#include "skin/core/FormSkinner.h"

#ifndef TOVALIN_GALLERY_STORED_SKIN
#define TOVALIN_GALLERY_STORED_SKIN "daylight"
#endif

TGalleryForm* GalleryForm = nullptr;
TGalleryOptions TGalleryForm::Options;
int TGalleryForm::ExitCode = 0;

namespace {

constexpr const char* kStock = "stock";

// ---- glyphs, drawn here so that the gallery needs no image files ----

constexpr raster::Color kKey = raster::Rgb(255, 0, 255);  // bottom-left pixel: transparent

enum class Direction { Left, Right, Up, Down };

// A filled arrow in a 16 x 16 cell at x0 of bitmap.
void DrawArrow(raster::Bitmap& px, int x0, Direction d, raster::Color colour) {
    for (int i = 0; i < 6; ++i)  // the head: a triangle 6 deep
        for (int j = -i; j <= i; ++j) {
            int x = 0, y = 0;
            switch (d) {
                case Direction::Left: x = 2 + i, y = 8 + j; break;
                case Direction::Right: x = 13 - i, y = 8 + j; break;
                case Direction::Up: x = 8 + j, y = 2 + i; break;
                case Direction::Down: x = 8 + j, y = 13 - i; break;
            }
            px.SetPixel(x0 + x, y, colour);
        }
    for (int a = 0; a < 7; ++a)  // the shaft
        for (int b = -1; b <= 1; ++b) {
            int x = 0, y = 0;
            switch (d) {
                case Direction::Left: x = 8 + a, y = 8 + b; break;
                case Direction::Right: x = 7 - a, y = 8 + b; break;
                case Direction::Up: x = 8 + b, y = 8 + a; break;
                case Direction::Down: x = 8 + b, y = 7 - a; break;
            }
            px.SetPixel(x0 + x, y, colour);
        }
}

void MakeArrowGlyph(tv::TBitmap& glyph, Direction d, raster::Color colour, bool withDisabled = false) {
    glyph.SetSize(withDisabled ? 32 : 16, 16);
    raster::Bitmap& px = glyph.Pixels();
    px.Fill(kKey);
    DrawArrow(px, 0, d, colour);
    if (withDisabled) DrawArrow(px, 16, d, raster::Rgb(160, 160, 160));
}

// A small square with a darker rim.
void MakeSquareGlyph(tv::TBitmap& glyph, raster::Color fill, raster::Color rim) {
    glyph.SetSize(12, 12);
    raster::Bitmap& px = glyph.Pixels();
    px.Fill(kKey);
    for (int y = 2; y < 11; ++y)
        for (int x = 2; x < 11; ++x) px.SetPixel(x, y, x == 2 || y == 2 || x == 10 || y == 10 ? rim : fill);
}

// A 16 x 16 menu image: a framed square, or an arrow.
void SquareImage(tv::TBitmap& image, raster::Color fill, raster::Color rim) {
    image.SetSize(16, 16);
    raster::Bitmap& px = image.Pixels();
    px.Fill(kKey);
    for (int y = 2; y < 14; ++y)
        for (int x = 3; x < 13; ++x) px.SetPixel(x, y, x == 3 || y == 2 || x == 12 || y == 13 ? rim : fill);
}

std::string WithoutAccel(const std::string& caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i)
        if (caption[i] != '&' || (i + 1 < caption.size() && caption[i + 1] == '&')) out += caption[i];
    return out;
}

std::wstring ResourceName(const std::string& skin) {
    std::wstring name = L"SKIN_";
    for (char c : skin) name += wchar_t(std::towupper(wchar_t(static_cast<unsigned char>(c))));
    return name;
}

BOOL CALLBACK CollectSkin(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) {
    return base::Guarded(FALSE, [&] {
        if (IS_INTRESOURCE(name)) return TRUE;
        std::wstring n = name;
        if (n.rfind(L"SKIN_", 0) != 0) return TRUE;
        std::string skin;
        for (wchar_t c : n.substr(5)) skin += char(std::towlower(c));
        reinterpret_cast<std::vector<std::string>*>(param)->push_back(skin);
        return TRUE;
    });
}

bool WriteFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    base::OwnedHandle file(::CreateFileW(text::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return ::WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
}

}  // namespace

TGalleryOptions ParseGalleryOptions(const std::vector<std::wstring>& args) {
    TGalleryOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& a = args[i];
        auto value = [&](const char* what) -> std::string {
            if (i + 1 >= args.size()) {
                o.error = std::string(what) + " needs a value";
                return {};
            }
            return text::Narrow(args[++i]);
        };
        if (a == L"--skin")
            o.skin = value("--skin");
        else if (a == L"--stock")
            o.stock = true;
        else if (a == L"--shot")
            o.shot = value("--shot");
        else if (a == L"--dialog")
            o.dialog = true;
        else if (a == L"--menu")
            o.menu = true;
        else if (a == L"--context")
            o.context = true;
        else if (a == L"--combo")
            o.combo = true;
        else if (a == L"--tool-menu")
            o.toolMenu = true;
        else if (a == L"--page")
            o.page = value("--page");
        else if (a == L"--repaint-timing")
            o.repaintTiming = value("--repaint-timing");
        else if (a == L"--skin-cycles")
            o.skinCycles = std::atoi(value("--skin-cycles").c_str());
        else if (a == L"--report")
            o.report = value("--report");
        else if (a == L"--system")
            o.system = value("--system");
        else if (a == L"--mdi")
            o.mdi = true;
        else if (a == L"--mdi-max")
            o.mdi = o.mdiMax = true;
        else
            o.error = "unknown option " + text::Narrow(a);
    }
    if (o.stock && !o.skin.empty()) o.error = "--skin and --stock exclude each other";
    if (!o.page.empty() && o.page != "controls" && o.page != "tabs" && o.page != "containers")
        o.error = "--page takes controls, tabs or containers";
    if (!o.repaintTiming.empty() && !o.shot.empty()) o.error = "--repaint-timing and --shot exclude each other";
    if ((o.skinCycles > 0) != !o.report.empty() || o.skinCycles < 0) o.error = "--skin-cycles N goes with --report FILE";
    if (o.skinCycles > 0 && (!o.shot.empty() || !o.repaintTiming.empty()))
        o.error = "--skin-cycles goes without --shot and --repaint-timing";
    if (o.combo && !o.page.empty() && o.page != "controls") o.error = "--combo shows a control of the first page";
    if ((o.menu || o.context) && o.shot.empty()) o.error = "--menu and --context go with --shot";
    if (o.menu && o.context) o.error = "--menu and --context exclude each other";
    if (o.combo && (o.shot.empty() || o.menu || o.context))
        o.error = "--combo goes with --shot, without --menu and --context";
    if (o.toolMenu && (o.shot.empty() || o.menu || o.context || o.combo || !o.system.empty()))
        o.error = "--tool-menu goes with --shot, without the other open menus and lists";
    if (o.toolMenu && !o.page.empty() && o.page != "tabs") o.error = "--tool-menu shows a control of the tabs page";
    if (o.toolMenu && o.page.empty()) o.page = "tabs";
    if (!o.system.empty() && o.system != "file" && o.system != "colour" && o.system != "font")
        o.error = "--system takes file, colour or font";
    if (!o.system.empty() && (o.shot.empty() || o.menu || o.context))
        o.error = "--system goes with --shot, without --menu and --context";
    return o;
}

const tv::TClassInfo& TGalleryForm::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TGalleryForm>("TGalleryForm")
                                           .Field("ButtonFocused", &TGalleryForm::ButtonFocused)
                                           .Field("BitBtnLeft", &TGalleryForm::BitBtnLeft)
                                           .Field("BitBtnRight", &TGalleryForm::BitBtnRight)
                                           .Field("BitBtnTop", &TGalleryForm::BitBtnTop)
                                           .Field("BitBtnBottom", &TGalleryForm::BitBtnBottom)
                                           .Field("BitBtnDisabled", &TGalleryForm::BitBtnDisabled)
                                           .Field("SpeedFlat", &TGalleryForm::SpeedFlat)
                                           .Field("SpeedFlatDown", &TGalleryForm::SpeedFlatDown)
                                           .Field("SpeedPlain", &TGalleryForm::SpeedPlain)
                                           .Field("SpeedDisabled", &TGalleryForm::SpeedDisabled)
                                           .Field("Memo1", &TGalleryForm::Memo1)
                                           .Field("ListBoxBoth", &TGalleryForm::ListBoxBoth)
                                           .Field("ListBoxPlain", &TGalleryForm::ListBoxPlain)
                                           .Field("ComboLong", &TGalleryForm::ComboLong)
                                           .Field("StatusBar1", &TGalleryForm::StatusBar1)
                                           .Field("SkinData1", &TGalleryForm::SkinData1)
                                           .Field("MenuImages", &TGalleryForm::MenuImages)
                                           .Field("ViewStatusItem", &TGalleryForm::ViewStatusItem)
                                           .Field("PopupStatusItem", &TGalleryForm::PopupStatusItem)
                                           .Field("ClientPopup", &TGalleryForm::ClientPopup)
                                           .Field("Pages", &TGalleryForm::Pages)
                                           .Field("TabsSheet", &TGalleryForm::TabsSheet)
                                           .Field("HeaderBar1", &TGalleryForm::HeaderBar1)
                                           .Field("ReportList", &TGalleryForm::ReportList)
                                           .Field("GalleryTree", &TGalleryForm::GalleryTree)
                                           .Field("GalleryCoolBar", &TGalleryForm::GalleryCoolBar)
                                           .Field("CoolToolBar", &TGalleryForm::CoolToolBar)
                                           .Field("CoolEdit", &TGalleryForm::CoolEdit)
                                           .Field("ContainersSheet", &TGalleryForm::ContainersSheet)
                                           .Handler("FormCreate", &TGalleryForm::FormCreate)
                                           .Handler("FormShow", &TGalleryForm::FormShow)
                                           .Handler("FormClose", &TGalleryForm::FormClose)
                                           .Handler("BareDialogButtonClick", &TGalleryForm::BareDialogButtonClick)
                                           .Handler("OpenFileButtonClick", &TGalleryForm::OpenFileButtonClick)
                                           .Handler("ColourButtonClick", &TGalleryForm::ColourButtonClick)
                                           .Handler("FontButtonClick", &TGalleryForm::FontButtonClick)
                                           .Handler("MessageButtonClick", &TGalleryForm::MessageButtonClick)
                                           .Handler("MDIItemClick", &TGalleryForm::MDIItemClick)
                                           .Handler("MenuItemClick", &TGalleryForm::MenuItemClick)
                                           .Handler("CheckItemClick", &TGalleryForm::CheckItemClick)
                                           .Handler("ExitItemClick", &TGalleryForm::ExitItemClick)
                                           .Handler("RefreshActionExecute", &TGalleryForm::RefreshActionExecute)
                                           .Done();
    return info;
}

void TGalleryForm::MakeBuiltInCodeParts() {
    // Nodes on three levels, some open, with lines and buttons; more than the view shows.
    static const char* const groups[] = {"Desktop", "Documents", "Pictures", "Music", "Programs"};
    for (const char* g : groups) {
        tv::TTreeNode* group = GalleryTree->AddChild(nullptr, g);
        for (int i = 1; i <= 4; ++i) {
            tv::TTreeNode* child = GalleryTree->AddChild(group, std::string(g) + " item " + std::to_string(i));
            if (i == 2)
                for (int k = 1; k <= 3; ++k) GalleryTree->AddChild(child, "Detail " + std::to_string(k));
        }
    }
    GalleryTree->Root(0)->Expand();
    GalleryTree->Root(0)->Item(1)->Expand();
    GalleryTree->Root(1)->Expand();
    GalleryTree->SetSelected(GalleryTree->Root(0)->Item(1));
    GalleryCoolBar->AddBand(CoolToolBar, "Edit", 300);
    GalleryCoolBar->AddBand(CoolEdit, "Find", 320);

    // A borderless form whose parent is the containers page: skinned as a container of
    // this form, never with a caption and frame of its own.
    InnerForm = new tv::TForm(this);
    InnerForm->SetName("InnerForm");
    InnerForm->SetBorderStyle(tv::TFormBorderStyle::bsNone);
    InnerForm->Font().Assign(Font());
    InnerForm->SetParent(ContainersSheet);
    InnerForm->SetBounds(500, 216, 472, 190);
    auto* title = new tv::TLabel(InnerForm);
    title->SetParent(InnerForm);
    title->SetBounds(10, 10, 400, 18);
    title->SetCaption("This is a TForm whose parent is a page of the gallery");
    auto* edit = new tv::TEdit(InnerForm);
    edit->SetParent(InnerForm);
    edit->SetBounds(10, 36, 250, 23);
    edit->SetText("An edit on the inner form");
    auto* radio = new tv::TRadioButton(InnerForm);
    radio->SetParent(InnerForm);
    radio->SetBounds(10, 70, 250, 20);
    radio->SetCaption("A radio button on the inner form");
    radio->SetChecked(true);
    auto* button = new tv::TButton(InnerForm);
    button->SetParent(InnerForm);
    button->SetBounds(10, 100, 140, 28);
    button->SetCaption("On the inner form");
    InnerForm->Show();
}

void TGalleryForm::ShowStatus(const std::string& text) {
    if (StatusBar1 && StatusBar1->Panels().Count() > 0) StatusBar1->Panels().Items(0)->SetText(text);
}

std::vector<std::string> TGalleryForm::SkinNames() {
    std::vector<std::string> names;
    ::EnumResourceNamesW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(10), CollectSkin,  // RT_RCDATA
                         reinterpret_cast<LONG_PTR>(&names));
    std::sort(names.begin(), names.end());
    return names;
}

void TGalleryForm::FormCreate(tv::TObject*) {
    storedSkin_ = TOVALIN_GALLERY_STORED_SKIN;
    current_ = SkinData1->SkinEmpty ? kStock : storedSkin_;

    // One button per packed skin, and one for none, left of the dialog buttons.
    std::vector<std::string> choices = SkinNames();
    choices.push_back(kStock);
    int x = 56;
    for (const std::string& name : choices) {
        auto* button = new tv::TButton(this);
        button->SetName("Skin_" + name);
        button->SetBounds(x, 10, 84, 26);
        button->SetCaption(name);
        button->OnClick = [this, name](tv::TObject*) { UseSkin(name); };
        button->SetParent(this);
        x += 90;
    }

    MakeMenuImages();
    MakeArrowGlyph(BitBtnLeft->Glyph(), Direction::Left, raster::Rgb(0, 128, 0));
    MakeArrowGlyph(BitBtnRight->Glyph(), Direction::Right, raster::Rgb(0, 128, 0));
    MakeArrowGlyph(BitBtnTop->Glyph(), Direction::Up, raster::Rgb(0, 64, 192));
    MakeArrowGlyph(BitBtnBottom->Glyph(), Direction::Down, raster::Rgb(0, 64, 192));
    MakeArrowGlyph(BitBtnDisabled->Glyph(), Direction::Right, raster::Rgb(192, 0, 0), true);
    MakeSquareGlyph(SpeedFlat->Glyph(), raster::Rgb(255, 200, 0), raster::Rgb(128, 96, 0));
    MakeSquareGlyph(SpeedFlatDown->Glyph(), raster::Rgb(0, 160, 255), raster::Rgb(0, 64, 128));
    MakeSquareGlyph(SpeedPlain->Glyph(), raster::Rgb(0, 192, 0), raster::Rgb(0, 96, 0));
    MakeSquareGlyph(SpeedDisabled->Glyph(), raster::Rgb(192, 0, 0), raster::Rgb(96, 0, 0));

    // Enough lines, and long enough ones, that both scroll bars show.
    tv::TStrings& lines = Memo1->Lines();
    lines.BeginUpdate();
    lines.Clear();
    lines.Add("A memo with both scroll bars: this first line is long enough to reach past the right edge.");
    for (int i = 2; i <= 40; ++i) lines.Add("Line " + std::to_string(i) + (i % 5 == 0 ? " is a longer one, to scroll sideways to" : ""));
    lines.EndUpdate();
    tv::TStrings& items = ListBoxBoth->Items();
    items.BeginUpdate();
    for (int i = 1; i <= 40; ++i)
        items.Add("Item " + std::to_string(i) + (i % 4 == 1 ? ": wider than the box, so it scrolls sideways" : ""));
    items.EndUpdate();

    // The header bar's sections and the report list's columns and rows: enough rows that
    // the list scrolls.
    HeaderBar1->AddSection("Name", 180);
    HeaderBar1->AddSection("Size", 90, tv::TAlignment::taRightJustify);
    HeaderBar1->AddSection("Kind", 140, tv::TAlignment::taCenter);
    HeaderBar1->AddSection("Changed", 160);
    ReportList->AddColumn("Window", 240);
    ReportList->AddColumn("Class", 180);
    ReportList->AddColumn("Size", 90, tv::TAlignment::taRightJustify);
    static const char* const kinds[] = {"TForm", "#32770", "Notepad", "ConsoleWindowClass"};
    for (int i = 1; i <= 30; ++i)
        ReportList->AddItem("Window number " + std::to_string(i), {kinds[i % 4], std::to_string(i * 37) + " KB"});
    MakeBuiltInCodeParts();
    if (Options.page == "tabs") Pages->SetActivePage(TabsSheet);
    if (Options.page == "containers") Pages->SetActivePage(ContainersSheet);
    ListBoxBoth->SetItemIndex(2);
    ListBoxPlain->SetItemIndex(1);
    // More choices than the open list shows: it gets a scroll bar.
    for (int i = 1; i <= 30; ++i) ComboLong->Items().Add("Choice " + std::to_string(i));

    if (Options.stock) {
        UseSkin(kStock);
    } else if (!Options.skin.empty() && !UseSkin(Options.skin)) {
        std::string known;
        for (const std::string& n : SkinNames()) known += (known.empty() ? "" : ", ") + n;
        Options.error = "no skin named \"" + Options.skin + "\" (there are: " + known + ")";
    }
    ShowStatus("Skin: " + current_);
}

void TGalleryForm::FormShow(tv::TObject*) {
    // The bare dialog is modeless: its keys (Tab, arrows, Return) go through the dialog manager.
    tv::Application->OnMessage = [](MSG& msg, bool& handled) {
        if (HWND dialog = BareDialogWindow()) handled = ::IsDialogMessageW(dialog, &msg) != FALSE;
    };
    if (ButtonFocused->CanFocus()) ButtonFocused->SetFocus();
    if (Options.dialog) {
        if (HWND dialog = OpenBareDialog(Handle())) {
            // Over the gallery's middle, where a screenshot of the gallery shows it.
            RECT g, d;
            ::GetWindowRect(Handle(), &g);
            ::GetWindowRect(dialog, &d);
            ::SetWindowPos(dialog, nullptr, g.left + (g.right - g.left - (d.right - d.left)) / 2,
                           g.top + (g.bottom - g.top - (d.bottom - d.top)) / 2, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (Options.mdi) {
        TGalleryMDIForm* mdi = TGalleryMDIForm::Open(this);
        if (Options.mdiMax)
            if (tv::TCustomForm* child = mdi->ActiveMDIChild())
                ::SendMessageW(mdi->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
    }
    if (Options.skinCycles > 0) {
        auto* timer = new tv::TTimer(this);
        timer->SetInterval(1500);
        timer->OnTimer = [this, timer](tv::TObject*) {
            timer->SetEnabled(false);
            CycleSkins(Options.skinCycles);
            Close();
        };
        return;
    }
    if (!Options.repaintTiming.empty()) {
        // Once the skin is on and everything has painted: the figure, then the end.
        auto* timer = new tv::TTimer(this);
        timer->SetInterval(2000);
        timer->OnTimer = [this, timer](tv::TObject*) {
            timer->SetEnabled(false);
            TimeRepaint(5);  // warm: caches, fonts, the skin's bitmaps
            const double us = TimeRepaint(40);
            if (FILE* f = _wfopen(text::Widen(Options.repaintTiming).c_str(), L"w")) {
                std::fprintf(f, "%s %.0f\n", current_.c_str(), us);
                std::fclose(f);
            } else {
                ExitCode = 1;
            }
            Close();
        };
        return;
    }
    if (!Options.shot.empty()) {
        // The skin is put on by posted commands: the screenshot waits for them, then
        // for one more full repaint.
        auto* timer = new tv::TTimer(this);
        timer->SetInterval(1500);
        timer->OnTimer = [this, timer, step = 0](tv::TObject*) mutable {
            if (step == 0 && !Options.system.empty()) {
                // The system's dialog runs its own loop, which this timer keeps running in.
                ::SetForegroundWindow(Handle());
                const char* name = Options.system == "file" ? "OpenFileButton"
                                   : Options.system == "colour" ? "ColourButton" : "FontButton";
                if (auto* button = dynamic_cast<tv::TWinControl*>(FindComponent(name)))
                    ::PostMessageW(button->Handle(), BM_CLICK, 0, 0);
                ++step;
                return;
            }
            if (step == 0 && Options.combo) {
                // Focused first, as a user's click leaves it: the list closes when the combo
                // loses the focus.
                ::SetForegroundWindow(Handle());
                ComboLong->SetFocus();
                ComboLong->SetDroppedDown(true);
                ++step;
                return;
            }
            if (step == 0 && (Options.menu || Options.context)) {
                // The menu opens in a loop of its own, which this timer keeps running in.
                ::SetForegroundWindow(Handle());
                if (Options.menu) {
                    ::PostMessageW(Handle(), WM_SYSCOMMAND, SC_KEYMENU, 0);
                } else {
                    POINT at = ClientToScreen(POINT{ClientWidth() / 2, 120});
                    ::PostMessageW(Handle(), WM_CONTEXTMENU, WPARAM(Handle()), MAKELPARAM(at.x, at.y));
                }
                ++step;
                return;
            }
            if (step == 0 && Options.toolMenu) {
                // Pressed on its arrow, the button opens its menu in a loop of its own.
                ::SetForegroundWindow(Handle());
                auto* bar = dynamic_cast<tv::TToolBar*>(FindComponent("GalleryToolBar"));
                auto* open = dynamic_cast<tv::TToolButton*>(FindComponent("ToolOpen"));
                if (bar && open) {
                    const RECT r = bar->ButtonRect(open);
                    ::PostMessageW(bar->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right - 5, (r.top + r.bottom) / 2));
                }
                ++step;
                return;
            }
            if (step == 1 && Options.toolMenu) {
                // Down to Recent (past the line) and into its sub-menu.
                if (HWND popup = ::FindWindowW(L"#32768", nullptr)) {
                    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT}) ::PostMessageW(popup, WM_KEYDOWN, key, 1);
                }
            }
            if (step == 1 && Options.context) {
                // Down: the first item is lit, as a keyboard user sees it.
                if (HWND popup = ::FindWindowW(L"#32768", nullptr)) {
                    ::PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 1);
                    ::PostMessageW(popup, WM_KEYUP, VK_DOWN, 1 | (1u << 30) | (1u << 31));
                }
            }
            if (step++ == 0) {
                HWND front = BareDialogWindow() ? BareDialogWindow() : Handle();
                if (TGalleryMDIForm* mdi = TGalleryMDIForm::Current()) front = mdi->Handle();
                ::SetForegroundWindow(front);
                if (TGalleryMDIForm* mdi = TGalleryMDIForm::Current())
                    ::RedrawWindow(mdi->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
                for (HWND w : {Handle(), BareDialogWindow()})
                    if (w) ::RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
                timer->SetInterval(700);
                return;
            }
            if (step < 3 && (Options.menu || Options.context || Options.toolMenu || Options.combo || !Options.system.empty()))
                return;
            timer->SetEnabled(false);
            TakeShot();
            if (Options.menu || Options.context || Options.toolMenu) ::EndMenu();
            if (Options.combo) ComboLong->SetDroppedDown(false);
            if (HWND dialog = SystemDialogWindow()) {
                // Closed by its own Cancel; the gallery closes once the dialog's call returned.
                closeAfterModal_ = true;
                ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            Close();
        };
    }
}

void TGalleryForm::FormClose(tv::TObject*, tv::TCloseAction&) {
    tv::Application->OnMessage = nullptr;
    ::RemovePropW(Handle(), kLastMenuItemProp);
    ::RemovePropW(Handle(), kMenuClicksProp);
    if (HWND dialog = BareDialogWindow()) ::DestroyWindow(dialog);
}

bool TGalleryForm::UseSkin(const std::string& name) {
    if (name == kStock) {
        SkinData1->SetActive(false);
        current_ = kStock;
    } else {
        HRSRC info = ::FindResourceW(nullptr, ResourceName(name).c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
        if (!info) return false;
        const auto* bytes = static_cast<const std::uint8_t*>(::LockResource(::LoadResource(nullptr, info)));
        const DWORD size = ::SizeofResource(nullptr, info);
        if (!bytes || size == 0) return false;
        tv::TMemoryStream stored;
        stored.WriteInt32(std::int32_t(size));
        stored.WriteBuffer(bytes, size);
        stored.Seek(0, 0);
        SkinData1->ReadSkinStream(stored);
        if (SkinData1->SkinEmpty) {
            // The previous skin is gone from the container: off rather than half on.
            SkinData1->SetActive(false);
            current_ = kStock;
            ShowStatus("Skin: " + current_ + " (" + name + " did not load)");
            return false;
        }
        SkinData1->ApplyNewSkin();
        SkinData1->SetActive(true);
        current_ = name;
    }
    ShowStatus("Skin: " + current_);
    return true;
}

namespace {

void PumpAll() {
    MSG msg;
    for (int i = 0; i < 4; ++i) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(1);
    }
}

}  // namespace

void TGalleryForm::CycleSkins(int cycles) {
    const std::vector<std::string> skins = SkinNames();
    long skinnedGdi = 0;  // what the skin holds while it is on: shows that it was
    int skinnedRounds = 0, stockRounds = 0;
    long stockGdi = 1L << 30;
    // Until the window answers as skinned (or not), for at most five seconds.
    auto settle = [&](bool skinned) {
        const DWORD until = ::GetTickCount() + 5000;
        do {
            PumpAll();
            if ((::SendMessageW(Handle(), skin::SKM_ISSKINNED, 0, 0) == 1) == skinned) return;
        } while (::GetTickCount() < until);
    };
    auto cycle = [&](int i) {
        // A skin read anew now and then (each of ours in turn), switched on and off between.
        if (i % 50 == 0) {
            UseSkin(skins[std::size_t(i / 50) % skins.size()]);
        } else {
            SkinData1->SetActive(true);
        }
        settle(true);
        // Painted, so that every skinner makes what it draws with.
        ::RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        skinnedGdi = std::max(skinnedGdi, tv::CountLiveHandles().gdi);
        if (::SendMessageW(Handle(), skin::SKM_ISSKINNED, 0, 0) == 1) ++skinnedRounds;
        SkinData1->SetActive(false);
        settle(false);
        if (::SendMessageW(Handle(), skin::SKM_ISSKINNED, 0, 0) != 1) ++stockRounds;
        stockGdi = std::min(stockGdi, tv::CountLiveHandles().gdi);
    };
    // The first rounds make what is made once (caches, classes, the image lists).
    for (int i = 0; i < 3; ++i) cycle(i);
    const tv::TLiveHandles before = tv::CountLiveHandles();
    for (int i = 0; i < cycles; ++i) cycle(i);
    const tv::TLiveHandles after = tv::CountLiveHandles();
    if (FILE* f = _wfopen(text::Widen(Options.report).c_str(), L"w")) {
        std::fprintf(f, "%d %ld %ld %ld %ld %ld %ld %ld %d %ld %d\n", cycles, before.gdi, after.gdi, before.menus, after.menus,
                     before.windows, after.windows, skinnedGdi, skinnedRounds, stockGdi, stockRounds);
        std::fclose(f);
    } else {
        ExitCode = 1;
    }
}

double TGalleryForm::TimeRepaint(int rounds) {
    LARGE_INTEGER f, a, b;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&a);
    for (int i = 0; i < rounds; ++i)
        ::RedrawWindow(Handle(), nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::GdiFlush();
    ::QueryPerformanceCounter(&b);
    return double(b.QuadPart - a.QuadPart) * 1e6 / double(f.QuadPart) / rounds;
}

void TGalleryForm::TakeShot() {
    RECT r;
    ::GetWindowRect(Handle(), &r);
    // The MDI window is shown alone (it stands over the gallery).
    if (TGalleryMDIForm* mdi = TGalleryMDIForm::Current()) ::GetWindowRect(mdi->Handle(), &r);
    if (HWND dialog = BareDialogWindow()) {
        RECT d;
        ::GetWindowRect(dialog, &d);
        ::UnionRect(&r, &r, &d);
    }
    // An open system dialog is in the picture too, and so are open menus (and their sub-menus).
    if (HWND dialog = SystemDialogWindow()) {
        RECT d;
        ::GetWindowRect(dialog, &d);
        ::UnionRect(&r, &r, &d);
    }
    // So is the open list of a combo box.
    if (Options.combo)
        if (HWND list = ComboLong->ListHandle(); list && ::IsWindowVisible(list)) {
            RECT d;
            ::GetWindowRect(list, &d);
            ::UnionRect(&r, &r, &d);
        }
    for (HWND popup = ::FindWindowW(L"#32768", nullptr); popup; popup = ::FindWindowExW(nullptr, popup, L"#32768", nullptr))
        if (::IsWindowVisible(popup)) {
            RECT d;
            ::GetWindowRect(popup, &d);
            ::UnionRect(&r, &r, &d);
        }
    // The virtual desktop's edges bound what can be read.
    r.left = std::max<LONG>(r.left, 0);
    r.top = std::max<LONG>(r.top, 0);
    r.right = std::min<LONG>(r.right, ::GetSystemMetrics(SM_CXSCREEN));
    r.bottom = std::min<LONG>(r.bottom, ::GetSystemMetrics(SM_CYSCREEN));
    if (r.right <= r.left || r.bottom <= r.top) {
        ExitCode = 2;
        return;
    }
    raster::Bitmap image(r.right - r.left, r.bottom - r.top);
    {
        tv::OwnedDC memory(::CreateCompatibleDC(nullptr));
        tv::SelectScope select(memory.Get(), static_cast<HBITMAP>(image.Handle()));
        tv::WindowDC screen(nullptr);
        ::BitBlt(memory.Get(), 0, 0, image.Width(), image.Height(), screen.Get(), r.left, r.top, SRCCOPY);
        ::GdiFlush();
    }
    if (!WriteFileBytes(Options.shot, raster::EncodeBmp24(image))) ExitCode = 2;
}

template <class F>
void TGalleryForm::Modal(F&& run) {
    if (inModal_) return;
    inModal_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{inModal_};
    run();
    if (closeAfterModal_) ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

HWND TGalleryForm::SystemDialogWindow() {
    // A visible dialog window the gallery owns that is not its bare dialog.
    struct Search {
        HWND owner, bare, found;
    } search{Handle(), BareDialogWindow(), nullptr};
    ::EnumWindows(
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            if (w != s->bare && ::GetWindow(w, GW_OWNER) == s->owner && ::IsWindowVisible(w)) {
                wchar_t cls[16] = {};
                ::GetClassNameW(w, cls, 16);
                if (std::wstring(cls) == L"#32770") {
                    s->found = w;
                    return FALSE;
                }
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void TGalleryForm::BareDialogButtonClick(tv::TObject*) { OpenBareDialog(Handle()); }

void TGalleryForm::MDIItemClick(tv::TObject*) { TGalleryMDIForm::Open(this); }

void TGalleryForm::OpenFileButtonClick(tv::TObject*) {
    Modal([&] {
        wchar_t file[MAX_PATH] = {};
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = Handle();
        ofn.lpstrFilter = L"All files\0*.*\0Text files\0*.txt\0";
        ofn.lpstrFile = file;
        ofn.nMaxFile = MAX_PATH;
        ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
        if (::GetOpenFileNameW(&ofn)) ShowStatus("Chosen: " + text::Narrow(file));
    });
}

void TGalleryForm::ColourButtonClick(tv::TObject*) {
    Modal([&] {
        static COLORREF custom[16] = {};
        CHOOSECOLORW cc{};
        cc.lStructSize = sizeof cc;
        cc.hwndOwner = Handle();
        cc.rgbResult = RGB(0, 128, 192);
        cc.lpCustColors = custom;
        cc.Flags = CC_FULLOPEN | CC_RGBINIT;
        if (::ChooseColorW(&cc)) {
            char text[32];
            std::snprintf(text, sizeof text, "Colour: #%02X%02X%02X", GetRValue(cc.rgbResult), GetGValue(cc.rgbResult),
                          GetBValue(cc.rgbResult));
            ShowStatus(text);
        }
    });
}

void TGalleryForm::FontButtonClick(tv::TObject*) {
    Modal([&] {
        LOGFONTW lf{};
        ::GetObjectW(Font().Handle(), sizeof lf, &lf);
        CHOOSEFONTW cf{};
        cf.lStructSize = sizeof cf;
        cf.hwndOwner = Handle();
        cf.lpLogFont = &lf;
        cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
        if (::ChooseFontW(&cf)) ShowStatus("Font: " + text::Narrow(lf.lfFaceName));
    });
}

void TGalleryForm::MessageButtonClick(tv::TObject*) {
    Modal([&] {
        ::MessageBoxW(Handle(), L"A message box of the system's own, skinned by the engine.", L"Gallery message",
                      MB_OK | MB_ICONINFORMATION);
    });
}

void TGalleryForm::MakeMenuImages() {
    MenuImages->SetSize(16, 16);
    MenuImages->Clear();
    const tv::TColor key = tv::TColor(RGB(255, 0, 255));
    tv::TBitmap image;
    auto square = [&](raster::Color fill, raster::Color rim) {
        SquareImage(image, fill, rim);
        MenuImages->AddMasked(image, key);
    };
    auto arrow = [&](Direction d, raster::Color colour) {
        MakeArrowGlyph(image, d, colour);
        MenuImages->AddMasked(image, key);
    };
    square(raster::Rgb(255, 255, 255), raster::Rgb(64, 64, 64));  // 0 new
    square(raster::Rgb(255, 208, 64), raster::Rgb(160, 112, 0));  // 1 open
    square(raster::Rgb(64, 96, 224), raster::Rgb(16, 32, 112));   // 2 save
    arrow(Direction::Down, raster::Rgb(192, 0, 0));               // 3 cut
    square(raster::Rgb(96, 208, 96), raster::Rgb(0, 96, 0));      // 4 copy
    arrow(Direction::Up, raster::Rgb(160, 96, 32));               // 5 paste
    arrow(Direction::Right, raster::Rgb(0, 128, 0));              // 6 refresh
}

void TGalleryForm::MenuItemRan(const tv::TComponent& item, const std::string& caption) {
    ++menuClicks_;
    ::SetPropW(Handle(), kLastMenuItemProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(item.Tag())));
    ::SetPropW(Handle(), kMenuClicksProp, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(menuClicks_)));
    ShowStatus("Menu: " + WithoutAccel(caption) + " (" + std::to_string(menuClicks_) + ")");
}

void TGalleryForm::MenuItemClick(tv::TObject* Sender) {
    if (auto* item = dynamic_cast<tv::TMenuItem*>(Sender)) MenuItemRan(*item, item->Caption());
}

void TGalleryForm::CheckItemClick(tv::TObject* Sender) {
    auto* item = dynamic_cast<tv::TMenuItem*>(Sender);
    if (!item) return;
    // The status line items of the bar and of the context menu are one setting.
    if (item == ViewStatusItem || item == PopupStatusItem) {
        const bool on = !item->Checked();
        ViewStatusItem->SetChecked(on);
        PopupStatusItem->SetChecked(on);
    } else {
        item->SetChecked(!item->Checked());
    }
    MenuItemRan(*item, item->Caption());
}

void TGalleryForm::ExitItemClick(tv::TObject*) { Close(); }

void TGalleryForm::RefreshActionExecute(tv::TObject* Sender) {
    if (auto* action = dynamic_cast<tv::TAction*>(Sender)) MenuItemRan(*action, action->Caption());
    Invalidate();
}
