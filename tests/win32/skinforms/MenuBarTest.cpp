// The skinned menu bar on a framework form: the band takes the system menu bar's place
// without changing the client area, and the items open, switch and run by keyboard.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "SkinFormTestUtil.h"
#include "framework/Menus.h"
#include "skin/forms/MenuItemPainter.h"
#include "skin/resources/ImgUtil.h"

using namespace skin;
using namespace skintest;

namespace {

const char* kMenuForm = R"(object MenuBarForm: TForm
  Caption = 'Menu bar'
  Menu = MainMenu1
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      object Open1: TMenuItem
        Caption = '&Open'
        ShortCut = 16463
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object Exit1: TMenuItem
        Caption = 'E&xit'
      end
    end
    object Edit1: TMenuItem
      Caption = '&Edit'
      object Copy1: TMenuItem
        Caption = '&Copy'
      end
    end
    object View1: TMenuItem
      Caption = '&View'
      Enabled = False
      object Zoom1: TMenuItem
        Caption = '&Zoom'
      end
    end
    object Help1: TMenuItem
      Caption = '&Help'
    end
  end
end
)";

// Each step runs while a drop-down is open and may post keys to it; the last one closes it.
std::vector<std::function<void(HWND popup, HMENU menu)>> steps;
std::size_t stepAt = 0;

void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) {
    HWND popup = ::FindWindowW(L"#32768", nullptr);
    if (!popup || !::IsWindowVisible(popup) || stepAt >= steps.size()) return;
    HMENU menu = reinterpret_cast<HMENU>(::SendMessageW(popup, MN_GETHMENU, 0, 0));
    steps[stepAt++](popup, menu);
}

struct MenuForm {
    explicit MenuForm(skin::TSkinData& data) {
        form = tv::CreateComponent<tv::TForm>(tv::Application);
        tv::ReadComponent(*form, kMenuForm);
        form->SetBounds(140, 120, 420, 300);
        form->Show();
        ::SetForegroundWindow(form->Handle());
        PumpUntil([&] { return ::GetForegroundWindow() == form->Handle(); });
        wnd = form->Handle();
        menu = static_cast<tv::TMainMenu*>(form->FindComponent("MainMenu1"));
        clientBefore = ClientRectOf(wnd);
        skinner = std::make_unique<TWinSkinForm>(nullptr, wnd);
        skinner->AttachForm(&data, form);
        Activate(*skinner);
    }
    ~MenuForm() {
        skinner.reset();
        delete form;
        Pump(10);
    }
    tv::TMenuItem* Item(const char* name) const { return static_cast<tv::TMenuItem*>(form->FindComponent(name)); }
    tv::TForm* form = nullptr;
    HWND wnd = nullptr;
    tv::TMainMenu* menu = nullptr;
    RECT clientBefore{};
    std::unique_ptr<TWinSkinForm> skinner;
};

bool Highlighted(HMENU menu, int position) { return (::GetMenuState(menu, UINT(position), MF_BYPOSITION) & MF_HILITE) != 0; }

}  // namespace

TEST(MenuBar, TheBandTakesTheMenuBarsPlaceAndGivesItBack) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    MenuForm f(*data);
    ASSERT_NE(f.skinner->MenuBarSkin(), nullptr);
    EXPECT_EQ(::GetMenu(f.wnd), nullptr) << "the system draws no menu bar";
    EXPECT_EQ(SizeOf(ClientRectOf(f.wnd)).cx, SizeOf(f.clientBefore).cx);
    EXPECT_EQ(SizeOf(ClientRectOf(f.wnd)).cy, SizeOf(f.clientBefore).cy) << "the client area keeps its size";
    const TWinSkinMenu& bar = *f.skinner->MenuBarSkin();
    ASSERT_EQ(bar.ItemCount(), 4);
    const FrameMetrics& m = f.skinner->Metrics();
    EXPECT_GT(m.menuBar, 0);
    int right = 0;
    for (int i = 0; i < bar.ItemCount(); ++i) {
        const RECT& b = bar.Item(i)->Bounds;
        EXPECT_GE(b.left, right) << "items side by side, in menu order";
        EXPECT_GT(b.right, b.left);
        EXPECT_GE(b.top, m.top);
        EXPECT_LE(b.bottom, m.top + m.menuBar);
        EXPECT_EQ(HitAt(f.wnd, (b.left + b.right) / 2, (b.top + b.bottom) / 2), HTMENU);
        right = b.right;
    }
    EXPECT_FALSE(bar.Item(2)->ItemEnabled) << "View is disabled";
    // The disabled item's caption is in the skin's shadow colour.
    const RECT view = bar.Item(2)->Bounds;
    const RECT wr = WindowRectOf(f.wnd);
    const raster::Bitmap shot = CaptureScreen({wr.left + view.left, wr.top + view.top, wr.left + view.right, wr.top + view.bottom});
    const raster::Color shadow = raster::Color(::GetNearestColor(::GetDC(nullptr), ResolveColour(Colour(data->SkinColors.ButtonShadow))));
    int shadowPixels = 0;
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x) shadowPixels += shot.GetPixel(x, y) == shadow;
    EXPECT_GT(shadowPixels, 3);

    f.skinner->Unskin();
    EXPECT_EQ(::GetMenu(f.wnd), f.menu->Handle()) << "the real menu bar is back";
    EXPECT_EQ(SizeOf(ClientRectOf(f.wnd)).cy, SizeOf(f.clientBefore).cy);
}

TEST(MenuBar, KeyboardOpensSwitchesAndChoosesOnce) {
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    MenuForm f(*data);
    int opened = 0, copied = 0;
    f.Item("Open1")->OnClick = [&](tv::TObject*) { ++opened; };
    f.Item("Copy1")->OnClick = [&](tv::TObject*) { ++copied; };
    HMENU fileMenu = f.Item("File1")->Handle(), editMenu = f.Item("Edit1")->Handle();
    std::vector<HMENU> shown;
    bool firstHighlighted = false;
    steps = {
        // Alt+F: File, its first item highlighted.
        [&](HWND popup, HMENU menu) {
            shown.push_back(menu);
            if (!Highlighted(menu, 0)) {
                --stepAt;  // the highlight is on its way: look again
                return;
            }
            firstHighlighted = true;
            ::UpdateWindow(popup);
            Pump(30);
            RECT area = WindowRectOf(f.wnd), popupRect = WindowRectOf(popup);
            ::UnionRect(&area, &area, &popupRect);
            ::InflateRect(&area, 8, 8);
            SavePng(CaptureScreen(area), ScreenshotPath("frame-menubar-midnight.png"));
            ::PostMessageW(popup, WM_KEYDOWN, VK_RIGHT, 0);
        },
        // Right: Edit; Right again skips the disabled View and goes to Help, which has no
        // drop-down, so Left from Edit wraps back to File instead.
        [&](HWND popup, HMENU menu) {
            if (menu == fileMenu) {
                --stepAt;
                return;
            }
            shown.push_back(menu);
            ::PostMessageW(popup, WM_KEYDOWN, VK_LEFT, 0);
        },
        [&](HWND popup, HMENU menu) {
            if (menu != fileMenu) {
                --stepAt;
                return;
            }
            shown.push_back(menu);
            if (!Highlighted(menu, 0)) {
                --stepAt;
                return;
            }
            ::PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);  // Open
        },
    };
    stepAt = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, RunStep);
    ::SendMessageW(f.wnd, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    Pump(100);
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(stepAt, steps.size());
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown[0], fileMenu);
    EXPECT_EQ(shown[1], editMenu);
    EXPECT_EQ(shown[2], fileMenu);
    EXPECT_TRUE(firstHighlighted);
    EXPECT_EQ(opened, 1) << "a chosen item runs once";
    EXPECT_EQ(copied, 0);
    EXPECT_FALSE(TWinSkinMenu::Tracking());
}

TEST(MenuBar, ItemsWithoutDropDownOnlyCommandAndDisabledOnesOpenNothing) {
    auto data = LoadPackedSkin("slate");
    ASSERT_TRUE(data && !data->SkinEmpty);
    MenuForm f(*data);
    int help = 0;
    f.Item("Help1")->OnClick = [&](tv::TObject*) { ++help; };
    const TWinSkinMenu& bar = *f.skinner->MenuBarSkin();
    const RECT wr = WindowRectOf(f.wnd);
    auto at = [&](int index) {
        const RECT& b = bar.Item(index)->Bounds;
        return MAKELPARAM(wr.left + (b.left + b.right) / 2, wr.top + (b.top + b.bottom) / 2);
    };
    bool anyPopup = false;
    steps = {[&](HWND, HMENU) { anyPopup = true; }};
    stepAt = 0;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, RunStep);
    ::SendMessageW(f.wnd, SKM_OPENMENUITEM, 0, at(3));  // Help
    Pump(80);
    EXPECT_EQ(help, 1) << "its command, once";
    ::SendMessageW(f.wnd, SKM_OPENMENUITEM, 0, at(2));  // View, disabled
    Pump(80);
    ::KillTimer(nullptr, timer);
    if (anyPopup) ::EndMenu();
    EXPECT_FALSE(anyPopup) << "neither opens a drop-down";
}

namespace {
// Draws one item into a fresh bitmap of the menu colour; after draws more into the same
// DC (what the system does after its owner has drawn).
raster::Bitmap DrawnItem(const TSkinData& data, int w, int h, bool selected, const MenuItemLook& look,
                         const std::function<void(HDC)>& after = {}) {
    raster::Bitmap image(w, h);
    tv::OwnedDC dc(::CreateCompatibleDC(nullptr));
    tv::SelectScope select(dc.Get(), static_cast<HBITMAP>(image.Handle()));
    DrawMenuItem(data, dc.Get(), RECT{0, 0, w, h}, selected, look, nullptr);
    if (after) after(dc.Get());
    ::GdiFlush();
    return image;
}

bool HasColour(const raster::Bitmap& image, RECT area, raster::Color colour) {
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (image.Contains(x, y) && image.GetPixel(x, y) == colour) return true;
    return false;
}
}  // namespace

TEST(MenuItems, SeparatorsArrowsAndCheckMarksDrawInTheSkinsColours) {
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty && data->MenuItem);
    const raster::Color text = ResolveColour(Colour(data->SkinColors.MenuText));
    const raster::Color lit = ResolveColour(Colour(data->SkinColors.HilightText));
    const int w = 140;

    // A separator lower than the item strip (the measure gives 8 rows) shows the strip's
    // separator line rather than nothing.
    const raster::Bitmap& strip = data->MenuItem->Bitmap;
    const int cell = strip.Width() / 5;
    std::vector<raster::Color> line;
    for (int y = 0; y < strip.Height(); ++y)
        if (const raster::Color c = strip.GetPixel(cell + cell / 2, y); c != raster::kKeyColor) line.push_back(c);
    ASSERT_FALSE(line.empty()) << "the skin's separator frame has a line";
    MenuItemLook separator;
    separator.caption = L"-";
    const raster::Bitmap sep = DrawnItem(*data, w, 8, false, separator);
    bool lineShown = false;
    for (raster::Color c : line) lineShown = lineShown || HasColour(sep, {w / 4, 0, 3 * w / 4, 8}, c);
    EXPECT_TRUE(lineShown) << "the separator is drawn";

    // An item with a sub-menu: its own arrow in the text colour at the right, and what is
    // drawn into its area afterwards (the system's arrow) does not land.
    MenuItemLook more;
    more.caption = L"&More";
    more.hasSubMenu = true;
    auto paintOver = [](HDC dc) {
        tv::OwnedBrush red(::CreateSolidBrush(RGB(255, 0, 0)));
        const RECT all{0, 0, 1000, 100};
        ::FillRect(dc, &all, red.Get());
    };
    const raster::Bitmap sub = DrawnItem(*data, w, 20, false, more, paintOver);
    EXPECT_TRUE(HasColour(sub, {w - 14, 4, w - 4, 16}, text)) << "the arrow, in the skin's text colour";
    EXPECT_FALSE(HasColour(sub, {0, 0, w, 20}, raster::Rgb(255, 0, 0))) << "the system's arrow was kept off";
    more.hasSubMenu = false;
    const raster::Bitmap plain = DrawnItem(*data, w, 20, false, more, paintOver);
    EXPECT_TRUE(HasColour(plain, {0, 0, w, 20}, raster::Rgb(255, 0, 0))) << "other items stay open to drawing";

    // A check mark without an image takes the item's text colour, lit or not.
    MenuItemLook checked;
    checked.caption = L"Status";
    checked.checked = true;
    const int glyphLeft = 1 + data->MenuItem->LeftWidth;
    const RECT box{glyphLeft, 0, glyphLeft + 16, 20};
    EXPECT_TRUE(HasColour(DrawnItem(*data, w, 20, false, checked), box, text));
    EXPECT_TRUE(HasColour(DrawnItem(*data, w, 20, true, checked), box, lit));
}

namespace {
HMENU openSeen = nullptr;
void CALLBACK NoteOpenMenuAndEnd(HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    openSeen = TWinSkinMenu::TrackedMenu();
    ::EndMenu();
}
}  // namespace

TEST(MenuBar, AnAltLetterInAToolWindowOpensTheMainFormsSkinnedMenu) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    tv::TForm* main = nullptr;
    tv::Application->CreateForm(main);
    ASSERT_EQ(tv::Application->MainForm(), main) << "another test left a main form behind";
    tv::ReadComponent(*main, kMenuForm);
    main->SetBounds(140, 120, 420, 300);
    main->Show();
    auto mainSkin = std::make_unique<TWinSkinForm>(nullptr, main->Handle());
    mainSkin->AttachForm(data.get(), main);
    Activate(*mainSkin);
    auto* tool = tv::CreateComponent<tv::TForm>(tv::Application);
    tool->SetBounds(600, 120, 240, 160);
    tool->Show();
    auto toolSkin = std::make_unique<TWinSkinForm>(nullptr, tool->Handle());
    toolSkin->AttachForm(data.get(), tool);
    Activate(*toolSkin);
    Pump(50);
    ASSERT_EQ(toolSkin->MenuBarSkin(), nullptr) << "the tool window has no bar of its own";

    openSeen = nullptr;
    ::SetTimer(nullptr, 0, 300, NoteOpenMenuAndEnd);
    EXPECT_EQ(AltLetter(*tool, 'e'), 1) << "the key was used";
    auto* edit = static_cast<tv::TMenuItem*>(main->FindComponent("Edit1"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(openSeen, edit->Handle()) << "the main form's Edit drop-down";
    EXPECT_EQ(AltLetter(*tool, 'q'), 0) << "a letter no item has is nobody's";

    toolSkin.reset();
    mainSkin.reset();
    delete tool;
    delete main;
    Pump(10);
    EXPECT_EQ(tv::Application->MainForm(), nullptr);
}
