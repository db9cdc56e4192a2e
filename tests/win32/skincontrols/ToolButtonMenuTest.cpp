// A tool button's menu item on a skinned form: the item and every item below it are drawn
// and measured by the skin while its drop-down is open (items added later too), the
// drop-down opens by a real click and runs the chosen item once, and when the skin goes
// every item has exactly its own handlers and menu type again. Buttons without a menu
// item, with the disabling tag, or on a form whose frame is not skinned are left alone.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ControlsTestUtil.h"
#include "framework/Menus.h"
#include "framework/PropAccess.h"
#include "framework/ToolBars.h"
#include "skin/forms/MenuItemPainter.h"
#include "skin/forms/ToolButtonMenus.h"
#include "skin/resources/ImgUtil.h"

using namespace skin;
using namespace skintest;

namespace {

const char* kToolForm = R"(object ToolMenuForm: TForm
  Caption = 'Tool button menus'
  object Bar: TToolBar
    Left = 0
    Top = 0
    Width = 420
    Height = 36
    ButtonHeight = 30
    ButtonWidth = 90
    ShowCaptions = True
    object DropButton: TToolButton
      Caption = 'Tools'
      MenuItem = ToolsItem
      Style = tbsDropDown
    end
    object TaggedButton: TToolButton
      Caption = 'Spare'
      MenuItem = SpareItem
      Style = tbsDropDown
      Tag = 99
    end
    object PlainButton: TToolButton
      Caption = 'Plain'
    end
  end
  object Commands: TMainMenu
    object ToolsItem: TMenuItem
      Caption = '&Tools'
      object AlphaItem: TMenuItem
        Caption = '&Alpha'
      end
      object BetaItem: TMenuItem
        Caption = '&Beta'
        Enabled = False
      end
      object GammaItem: TMenuItem
        Caption = '&Gamma'
        Checked = True
      end
      object LineItem: TMenuItem
        Caption = '-'
      end
      object MoreItem: TMenuItem
        Caption = '&More'
        object DeepItem: TMenuItem
          Caption = '&Deep'
        end
      end
    end
    object SpareItem: TMenuItem
      Caption = '&Spare'
      object SpareFirstItem: TMenuItem
        Caption = 'First'
      end
    end
    object ExtraItem: TMenuItem
      Caption = '&Extra'
      object ExtraFirstItem: TMenuItem
        Caption = 'Extra first'
      end
    end
  end
end
)";

struct ToolForm {
    ToolForm() {
        form = tv::CreateComponent<tv::TForm>(tv::Application);
        tv::ReadComponent(*form, kToolForm);
        form->SetBounds(160, 140, 440, 260);
        form->Show();
        ::SetForegroundWindow(form->Handle());
        PumpUntil([&] { return ::GetForegroundWindow() == form->Handle(); });
    }
    ~ToolForm() {
        skinner.reset();
        delete form;
        Pump(10);
    }
    template <class T>
    T* Get(const char* name) const {
        return dynamic_cast<T*>(form->FindComponent(name));
    }
    tv::TMenuItem* Item(const char* name) const { return Get<tv::TMenuItem>(name); }
    void Skin(TSkinData& data) {
        skinner = std::make_unique<TWinSkinForm>(nullptr, form->Handle());
        skinner->AttachForm(&data, form);
        Activate(*skinner);
        Pump(60);
    }
    tv::TForm* form = nullptr;
    std::unique_ptr<TWinSkinForm> skinner;
};

// Every item of a menu tree, the tree's own item first.
void Collect(tv::TMenuItem& item, std::vector<tv::TMenuItem*>& out) {
    out.push_back(&item);
    for (int i = 0; i < item.Count(); ++i) Collect(*item.Items(i), out);
}

UINT TypeAt(HMENU menu, int position) {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoW(menu, UINT(position), TRUE, &mii);
    return mii.fType;
}

// What an open drop-down showed once its first item was lit.
struct Seen {
    HMENU menu = nullptr;
    std::vector<UINT> types;
    std::vector<RECT> rows;  // in the screenshot's coordinates
    raster::Bitmap shot;
};

std::function<void()> g_tick;
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (g_tick) g_tick();
}

// Opens the button's drop-down by a real click on its arrow, looks at it, then chooses
// the lit first item by keyboard (choose) or closes the menu.
bool LookAtDropDown(tv::TToolBar& bar, tv::TToolButton& button, bool choose, Seen& seen) {
    bool looked = false, busy = false, downSent = false;
    int ticks = 0;
    g_tick = [&] {
        HWND popup = VisiblePopup();
        if (!popup || looked || busy) return;
        busy = true;
        HMENU menu = reinterpret_cast<HMENU>(::SendMessageW(popup, MN_GETHMENU, 0, 0));
        if (++ticks > 80) {
            ::EndMenu();  // never left open, whatever went wrong
            looked = true;
        } else if (!(::GetMenuState(menu, 0, MF_BYPOSITION) & MF_HILITE)) {
            if (!downSent) ::PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
            downSent = true;
        } else {
            ::UpdateWindow(popup);
            Pump(40);
            const RECT pr = WindowRectOf(popup);
            seen.menu = menu;
            seen.shot = CaptureScreen(pr);
            for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
                seen.types.push_back(TypeAt(menu, i));
                RECT r{};
                ::GetMenuItemRect(nullptr, menu, UINT(i), &r);
                ::OffsetRect(&r, -pr.left, -pr.top);
                seen.rows.push_back(r);
            }
            looked = true;
            if (choose) ::PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
            else ::EndMenu();
        }
        busy = false;
    };
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, Tick);
    RECT r = bar.ButtonRect(&button);
    ::MapWindowPoints(bar.Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    const bool done = ClickUntil(POINT{r.right - 5, (r.top + r.bottom) / 2}, [&] { return looked && !VisiblePopup(); });
    ::KillTimer(nullptr, timer);
    g_tick = {};
    MoveMouseTo({5, 5});
    return done && seen.menu && !seen.rows.empty();
}

// Whether a pixel near colour lies in r of the screenshot.
bool AreaShows(const Seen& s, const RECT& r, raster::Color colour, int tolerance) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (s.shot.Contains(x, y) && Near(s.shot.GetPixel(x, y), colour, tolerance)) return true;
    return false;
}

// The same for a row of the menu, inside by inset.
bool RowShows(const Seen& s, int row, raster::Color colour, int tolerance, int inset = 0) {
    RECT r = s.rows.at(std::size_t(row));
    ::InflateRect(&r, -inset, -inset);
    return AreaShows(s, r, colour, tolerance);
}

raster::Color SkinRgb(tv::TColor c) { return ResolveColour(Colour(c)); }

raster::Color SysRgb(int index) {
    const COLORREF c = ::GetSysColor(index);
    return raster::Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

SIZE Measured(tv::TMenuItem& item) {
    tv::WindowDC dc(nullptr);
    tv::TCanvas canvas;
    canvas.SetHandle(dc.Get());
    int w = 0, h = 0;
    item.OnMeasureItem(&item, &canvas, w, h);
    canvas.SetHandle(nullptr);
    return {w, h};
}

}  // namespace

TEST(ToolButtonMenus, TheMenuItemIsDrawnByTheSkinAndGivenBackExactly) {
    auto data = LoadPackedSkin("slate");
    ASSERT_TRUE(data && !data->SkinEmpty && data->MenuItem && !data->MenuItem->Bitmap.Empty());
    InstallControlsOnce();
    MoveMouseTo({5, 5});
    ToolForm f;
    auto* bar = f.Get<tv::TToolBar>("Bar");
    auto* drop = f.Get<tv::TToolButton>("DropButton");
    tv::TMenuItem* tools = f.Item("ToolsItem");
    ASSERT_TRUE(bar && drop && tools);
    // Read from the description, and by name.
    EXPECT_EQ(drop->MenuItem(), tools);
    EXPECT_EQ(tv::GetObjectPropByName(drop, "MenuItem", "TMenuItem"), tools);
    const tv::TPropInfo* prop = drop->ClassInfo().FindProp("MenuItem");
    ASSERT_TRUE(prop && prop->setObj);
    prop->setObj(*drop, f.Item("SpareItem"));
    EXPECT_EQ(drop->MenuItem(), f.Item("SpareItem"));
    prop->setObj(*drop, tools);
    EXPECT_NE(tv::WriteComponent(*f.form).find("MenuItem = ToolsItem"), std::string::npos);

    // The program's own measuring of one item, to be found again afterwards.
    int ownMeasures = 0;
    tv::TMenuItem* alpha = f.Item("AlphaItem");
    alpha->OnMeasureItem = [&](tv::TObject*, tv::TCanvas*, int& w, int& h) {
        ++ownMeasures;
        w = 50;
        h = 30;
    };
    alpha->OnMeasureItem.name = "AlphaMeasure";
    int alphaClicks = 0;
    alpha->OnClick = [&](tv::TObject*) { ++alphaClicks; };
    const std::wstring alphaText = L"&Alpha";

    f.Skin(*data);
    ASSERT_TRUE(f.skinner->SkinFrame());
    EXPECT_TRUE(HasToolButtonMenu(*f.skinner, *drop));
    std::vector<tv::TMenuItem*> items;
    Collect(*tools, items);
    for (tv::TMenuItem* i : items) {
        EXPECT_TRUE(IsSkinDrawHandler(i->OnDrawItem)) << i->Caption();
        EXPECT_TRUE(IsSkinMeasureHandler(i->OnMeasureItem)) << i->Caption();
    }
    // The menu itself is as the program made it until a drop-down opens.
    HMENU toolsMenu = tools->Handle();
    for (int i = 0; i < ::GetMenuItemCount(toolsMenu); ++i) EXPECT_FALSE(TypeAt(toolsMenu, i) & MFT_OWNERDRAW) << i;

    // An item added now is drawn like the others.
    auto* late = new tv::TMenuItem(f.form);
    late->SetCaption("&Late");
    tools->Add(late);

    Seen seen;
    ASSERT_TRUE(LookAtDropDown(*bar, *drop, true, seen)) << "the arrow opened no drop-down";
    SavePng(seen.shot, ScreenshotPath("toolbutton-menu-slate.png"));
    Pump(200);
    EXPECT_EQ(alphaClicks, 1) << "the chosen item runs once";
    EXPECT_EQ(ownMeasures, 0) << "the skin measures the item, not the program's handler";
    ASSERT_EQ(seen.types.size(), 6u);
    for (std::size_t i = 0; i < seen.types.size(); ++i) EXPECT_TRUE(seen.types[i] & MFT_OWNERDRAW) << i;
    EXPECT_TRUE(IsSkinDrawHandler(late->OnDrawItem));
    EXPECT_TRUE(IsSkinMeasureHandler(late->OnMeasureItem));

    // Measured by the skin: each row as high as it says, the popup at least as wide.
    int widest = 0;
    for (int i : {0, 1, 2, 4, 5}) {
        const SIZE m = Measured(*tools->Items(i));
        widest = std::max(widest, int(m.cx));
        EXPECT_EQ(seen.rows[std::size_t(i)].bottom - seen.rows[std::size_t(i)].top, m.cy) << i;
    }
    for (const RECT& r : seen.rows) EXPECT_GE(r.right - r.left, widest);

    // Drawn by it: the lit row on the strip's selection frame with the lit text colour,
    // the disabled one in the disabled colour, the check mark and arrow in the text colour.
    const raster::Bitmap& strip = data->MenuItem->Bitmap;
    const int cell = strip.Width() / 5;
    const raster::Color selection = strip.GetPixel(3 * cell + cell / 2, strip.Height() / 2);
    ASSERT_NE(selection, raster::kKeyColor);
    ASSERT_GT(ColourDistance(selection, SysRgb(COLOR_HIGHLIGHT)), 60) << "the skin must differ from the system here";
    EXPECT_TRUE(RowShows(seen, 0, selection, 24, 2)) << "the lit row shows the skin's selection";
    EXPECT_TRUE(RowShows(seen, 0, SkinRgb(data->SkinColors.HilightText), 16));
    const raster::Color disabled = data->SkinColors.ButtonShadow == data->SkinColors.MenuText
                                       ? SysRgb(COLOR_GRAYTEXT)
                                       : SkinRgb(data->SkinColors.ButtonShadow);
    EXPECT_TRUE(RowShows(seen, 1, disabled, 16)) << "Beta is disabled";
    const raster::Color text = SkinRgb(data->SkinColors.MenuText);
    const RECT gamma = seen.rows[2], more = seen.rows[4];
    const int glyph = gamma.left + 1 + data->MenuItem->LeftWidth;
    EXPECT_TRUE(AreaShows(seen, RECT{glyph, gamma.top, glyph + 16, gamma.bottom}, text, 16)) << "Gamma's check mark";
    EXPECT_TRUE(AreaShows(seen, RECT{more.right - 14, more.top, more.right - 4, more.bottom}, text, 16)) << "More's arrow";
    // The types went back when the drop-down closed.
    toolsMenu = tools->Handle();
    for (int i = 0; i < ::GetMenuItemCount(toolsMenu); ++i) EXPECT_FALSE(TypeAt(toolsMenu, i) & MFT_OWNERDRAW) << i;

    // Unskinned: every item has exactly its own handlers, and the system draws the menu.
    f.skinner->Unskin();
    f.skinner.reset();
    for (tv::TMenuItem* i : items) {
        EXPECT_FALSE(bool(i->OnDrawItem)) << i->Caption();
        if (i != alpha) {
            EXPECT_FALSE(bool(i->OnMeasureItem)) << i->Caption();
        }
    }
    EXPECT_FALSE(bool(late->OnDrawItem));
    EXPECT_FALSE(bool(late->OnMeasureItem));
    ASSERT_TRUE(bool(alpha->OnMeasureItem));
    EXPECT_EQ(alpha->OnMeasureItem.name, "AlphaMeasure");
    EXPECT_EQ(Measured(*alpha).cy, 30) << "the program's own handler is back";
    Seen after;
    ASSERT_TRUE(LookAtDropDown(*bar, *drop, false, after));
    for (std::size_t i = 0; i < after.types.size(); ++i) EXPECT_FALSE(after.types[i] & MFT_OWNERDRAW) << i;
    wchar_t caption[32] = {};
    ::GetMenuStringW(after.menu, 0, caption, 32, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(caption), alphaText);
    EXPECT_TRUE(RowShows(after, 0, SysRgb(COLOR_HIGHLIGHT), 8, 2)) << "the system's own selection";
    EXPECT_FALSE(RowShows(after, 0, selection, 24, 2));
    EXPECT_EQ(alphaClicks, 1);
    // The button does not keep an item that is gone.
    delete tools;
    EXPECT_EQ(drop->MenuItem(), nullptr);
    EXPECT_FALSE(drop->HasDropDown());
}

TEST(ToolButtonMenus, ButtonsWithoutAnItemTaggedOrOnAnUnskinnedFrameAreLeftAlone) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty && data->MenuItem);
    InstallControlsOnce();
    MoveMouseTo({5, 5});
    {
        // The tagged button's item and the plain button keep their own drawing.
        ToolForm f;
        f.Skin(*data);
        auto* drop = f.Get<tv::TToolButton>("DropButton");
        auto* tagged = f.Get<tv::TToolButton>("TaggedButton");
        auto* plain = f.Get<tv::TToolButton>("PlainButton");
        EXPECT_TRUE(HasToolButtonMenu(*f.skinner, *drop));
        EXPECT_FALSE(HasToolButtonMenu(*f.skinner, *tagged)) << "Tag equals DisableTag";
        EXPECT_FALSE(HasToolButtonMenu(*f.skinner, *plain));
        std::vector<tv::TMenuItem*> spare;
        Collect(*f.Item("SpareItem"), spare);
        for (tv::TMenuItem* i : spare) {
            EXPECT_FALSE(bool(i->OnDrawItem)) << i->Caption();
            EXPECT_FALSE(bool(i->OnMeasureItem)) << i->Caption();
        }
        Seen seen;
        ASSERT_TRUE(LookAtDropDown(*f.Get<tv::TToolBar>("Bar"), *tagged, false, seen));
        for (std::size_t i = 0; i < seen.types.size(); ++i) EXPECT_FALSE(seen.types[i] & MFT_OWNERDRAW) << i;

        // Given an item later, the plain button opens it by a click on its face, drawn by
        // the skin; the chosen item runs once; the skin's end gives the items back.
        tv::TMenuItem* extra = f.Item("ExtraItem");
        tv::TMenuItem* extraFirst = f.Item("ExtraFirstItem");
        int extraClicks = 0;
        extraFirst->OnClick = [&](tv::TObject*) { ++extraClicks; };
        plain->SetMenuItem(extra);
        Seen late;
        ASSERT_TRUE(LookAtDropDown(*f.Get<tv::TToolBar>("Bar"), *plain, true, late)) << "no drop-down from the face";
        ASSERT_EQ(late.types.size(), 1u);
        EXPECT_TRUE(late.types[0] & MFT_OWNERDRAW);
        Pump(200);
        EXPECT_EQ(extraClicks, 1);
        EXPECT_TRUE(IsSkinDrawHandler(extraFirst->OnDrawItem));
        f.skinner->Unskin();
        f.skinner.reset();
        EXPECT_FALSE(bool(extraFirst->OnDrawItem));
        EXPECT_FALSE(bool(extraFirst->OnMeasureItem));
    }
    {
        // Only the controls skinned, not the frame: the items stay the program's.
        data->SkinControls.Exclude(TSkinControlType::xcMainMenu);
        ToolForm f;
        f.Skin(*data);
        ASSERT_FALSE(f.skinner->SkinFrame());
        auto* drop = f.Get<tv::TToolButton>("DropButton");
        EXPECT_FALSE(HasToolButtonMenu(*f.skinner, *drop));
        std::vector<tv::TMenuItem*> items;
        Collect(*f.Item("ToolsItem"), items);
        for (tv::TMenuItem* i : items) EXPECT_FALSE(bool(i->OnDrawItem)) << i->Caption();
        int clicks = 0;
        f.Item("AlphaItem")->OnClick = [&](tv::TObject*) { ++clicks; };
        Seen seen;
        ASSERT_TRUE(LookAtDropDown(*f.Get<tv::TToolBar>("Bar"), *drop, true, seen));
        for (std::size_t i = 0; i < seen.types.size(); ++i) EXPECT_FALSE(seen.types[i] & MFT_OWNERDRAW) << i;
        EXPECT_TRUE(RowShows(seen, 0, SysRgb(COLOR_HIGHLIGHT), 8, 2)) << "the system draws the lit row";
        Pump(200);
        EXPECT_EQ(clicks, 1);
    }
}
