// Tab and page controls, their sheets and header bars drawn from the skin: the selected
// tab in the skin's selected frame and the others in the normal one, on every side with
// the tab's outer edge turned outwards; the close boxes of a page control tagged for them
// asking the form's window first; a header's hot column following the pointer; and the
// controls' own logic (a click still selects a tab) kept.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

#include "ControlsTestUtil.h"
#include "framework/ListViews.h"
#include "framework/Tabs.h"
#include "skin/controls/TabSkinners.h"
#include "skin/core/WinSkinData.h"

using namespace skin;
using namespace skintest;

namespace {

// The colour of frame's middle in the "Tabs" strip (its stretched centre).
raster::Color FrameFill(const TSkinData& data, int frame) {
    const raster::Bitmap& strip = data.Tabs->Bitmap;
    const int fw = strip.Width() / 5;
    return strip.GetPixel((frame - 1) * fw + fw / 2, strip.Height() / 2) & 0xFFFFFF;
}

// The colour of the frame's outer edge (its top row, a little inside, mid-width).
raster::Color FrameEdge(const TSkinData& data, int frame) {
    const raster::Bitmap& strip = data.Tabs->Bitmap;
    const int fw = strip.Width() / 5;
    return strip.GetPixel((frame - 1) * fw + fw / 2, 1) & 0xFFFFFF;
}

// The colour most pixels of r (screen) show.

// Which of the two frames a tab's face is nearer to: 1 or 2.
int ShownTabFrame(const TSkinData& data, const RECT& screen) {
    RECT inner = screen;
    ::InflateRect(&inner, -3, -3);
    const raster::Color c = MostCommonColour(CaptureScreen(inner));
    return ColourDistance(c, FrameFill(data, 2)) < ColourDistance(c, FrameFill(data, 1)) ? 2 : 1;
}

RECT TabScreenRect(tv::TWinControl& tabs, int index) {
    RECT r{};
    ::SendMessageW(tabs.Handle(), TCM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
    ::MapWindowPoints(tabs.Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct TabFormFixture {
    tv::TForm* form = nullptr;
    TWinSkinForm* skinner = nullptr;
    tv::TPageControl* pages[4] = {};
    tv::TTabSheet* sheets[4][3] = {};

    explicit TabFormFixture(TSkinData& data) {
        InstallControlsOnce();
        MoveMouseTo({5, 5});
        form = MakeForm("Tabs", 620, 420);
        const tv::TTabPosition sides[] = {tv::TTabPosition::tpTop, tv::TTabPosition::tpBottom,
                                          tv::TTabPosition::tpLeft, tv::TTabPosition::tpRight};
        for (int i = 0; i < 4; ++i) {
            auto* p = new tv::TPageControl(form);
            p->SetTabPosition(sides[i]);
            p->SetParent(form);
            p->SetBounds(10 + (i % 2) * 305, 10 + (i / 2) * 205, 295, 195);
            for (int k = 0; k < 3; ++k) {
                auto* s = new tv::TTabSheet(form);
                s->SetCaption(std::string("Sheet ") + char('A' + k));
                s->SetPageControl(p);
                sheets[i][k] = s;
            }
            p->SetActivePageIndex(1);
            pages[i] = p;
        }
        skinner = new TWinSkinForm(form, form->Handle());
        skinner->AttachForm(&data, form);
        Activate(*skinner);
        Pump(150);
    }
    ~TabFormFixture() { delete form; }
};

}  // namespace

TEST(TabSkinner, TheSelectedTabIsRaisedOnEverySideWithItsOuterEdgeOutwards) {
    for (const char* name : kSkinNames) {
        SCOPED_TRACE(name);
        auto data = LoadPackedSkin(name);
        ASSERT_TRUE(data && data->Tabs && !data->Tabs->Bitmap.Empty());
        ASSERT_GT(ColourDistance(FrameFill(*data, 1), FrameFill(*data, 2)), 12) << "the skin's two tab frames must differ";
        TabFormFixture f(*data);
        for (int side = 0; side < 4; ++side) {
            SCOPED_TRACE(side);
            tv::TPageControl& p = *f.pages[side];
            TChildSkinner* s = f.skinner->FindSkinner(p.Handle());
            ASSERT_NE(s, nullptr);
            EXPECT_EQ(s->ClassName(), "TSkinTab");
            EXPECT_EQ(static_cast<TSkinTab*>(s)->Side, side);
            TChildSkinner* sheet = f.skinner->FindSkinner(f.sheets[side][1]->Handle());
            ASSERT_NE(sheet, nullptr);
            EXPECT_EQ(sheet->ClassName(), "TSkinTabSheet");
            for (int tab = 0; tab < 3; ++tab)
                EXPECT_EQ(ShownTabFrame(*data, TabScreenRect(p, tab)), tab == 1 ? 2 : 1) << "tab " << tab;
            // The frame's top row (its outer edge) is turned to the side: across the selected
            // tab's middle, the pixel nearest to that colour lies in the outer third.
            const RECT r = TabScreenRect(p, 1);
            const bool across = side < 2;
            const int length = across ? r.bottom - r.top : r.right - r.left;
            const raster::Bitmap line = CaptureScreen(across ? RECT{(r.left + r.right) / 2, r.top, (r.left + r.right) / 2 + 1, r.bottom}
                                                             : RECT{r.left, (r.top + r.bottom) / 2, r.right, (r.top + r.bottom) / 2 + 1});
            int nearest = -1, best = 1 << 30;
            for (int k = 0; k < length; ++k) {
                const int d = ColourDistance(line.GetPixel(across ? 0 : k, across ? k : 0) & 0xFFFFFF, FrameEdge(*data, 2));
                if (d < best) best = d, nearest = k;
            }
            const bool outerAtStart = side == 0 || side == 2;
            EXPECT_TRUE(outerAtStart ? nearest < length / 3 : nearest >= length - length / 3)
                << "the outer edge is at " << nearest << " of " << length;
        }
        if (std::string(name) == "midnight") SavePng(CaptureScreen(WindowRectOf(f.form->Handle())), ScreenshotPath("tabs-midnight.png"));

        // A real click still selects a tab; the skin follows.
        tv::TPageControl& top = *f.pages[0];
        ClickAt(POINT{(TabScreenRect(top, 2).left + TabScreenRect(top, 2).right) / 2, TabScreenRect(top, 2).top + 6});
        ASSERT_TRUE(PumpUntil([&] { return top.ActivePage() == f.sheets[0][2]; })) << "the click chose no tab";
        Pump(100);
        EXPECT_EQ(ShownTabFrame(*data, TabScreenRect(top, 2)), 2);
        EXPECT_EQ(ShownTabFrame(*data, TabScreenRect(top, 1)), 1);
    }
}

TEST(TabSkinner, CloseBoxesAskTheFormWindowBeforeAPageGoes) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data);
    InstallControlsOnce();
    tv::TForm* form = MakeForm("Close boxes", 400, 220);
    auto* pages = new tv::TPageControl(form);
    pages->SetParent(form);
    pages->SetBounds(10, 10, 380, 200);
    pages->SetTag(7777);
    tv::TTabSheet* sheets[3];
    for (int k = 0; k < 3; ++k) {
        sheets[k] = new tv::TTabSheet(form);
        sheets[k]->SetCaption(std::string("Page ") + char('1' + k));
        sheets[k]->SetPageControl(pages);
    }
    // The form's window answers the question: the first time keep the page, then let it go.
    static int asked = 0;
    static LPARAM askedTab = -1;
    static LRESULT answer = 1;
    asked = 0;
    struct Hook {
        static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
            if (m == SKM_CLOSETAB) {
                ++asked;
                askedTab = lp;
                return answer;
            }
            return ::DefSubclassProc(w, m, wp, lp);
        }
    };
    ::SetWindowSubclass(form->Handle(), &Hook::Proc, 1, 0);
    auto tabWidth = [&](int k) {
        RECT r{};
        ::SendMessageW(pages->Handle(), TCM_GETITEMRECT, WPARAM(k), reinterpret_cast<LPARAM>(&r));
        return int(r.right - r.left);
    };
    const int stockWidth = tabWidth(0);
    auto* skinner = new TWinSkinForm(form, form->Handle());
    skinner->AttachForm(data.get(), form);
    Activate(*skinner);
    Pump(150);
    auto* tab = static_cast<TSkinTab*>(skinner->FindSkinner(pages->Handle()));
    ASSERT_NE(tab, nullptr);
    EXPECT_TRUE(tab->CloseButtons);
    ASSERT_EQ(tab->CloseRects.size(), 3u);
    EXPECT_EQ(tabWidth(0), stockWidth + 10) << "a tab with a box has room for it beside the caption";
    // Each tab's box sits in its top-right corner.
    for (int k = 0; k < 3; ++k) {
        RECT r{};
        ::SendMessageW(pages->Handle(), TCM_GETITEMRECT, WPARAM(k), reinterpret_cast<LPARAM>(&r));
        const RECT box = tab->CloseRects[std::size_t(k)];
        EXPECT_TRUE(box.right <= r.right && box.right >= r.right - 4 && box.top <= r.top + 4) << k;
    }
    auto pressBox = [&](int k) {
        const RECT box = tab->CloseRects[std::size_t(k)];
        const LPARAM at = MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2);
        ::SendMessageW(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageW(pages->Handle(), WM_LBUTTONUP, 0, at);
        Pump(60);
    };
    pressBox(2);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(askedTab, 2);
    EXPECT_EQ(pages->PageCount(), 3) << "a non-zero answer keeps the page";
    EXPECT_EQ(pages->ActivePage(), sheets[0]) << "the press on the box does not select the tab";
    answer = 0;
    pressBox(2);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(pages->PageCount(), 2) << "0 lets the page go";
    EXPECT_EQ(::SendMessageW(pages->Handle(), TCM_GETITEMCOUNT, 0, 0), 2);
    // Anywhere else on a tab selects it as usual.
    RECT r{};
    ::SendMessageW(pages->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    ::SendMessageW(pages->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 5, r.bottom - 4));
    ::SendMessageW(pages->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(r.left + 5, r.bottom - 4));
    EXPECT_TRUE(PumpUntil([&] { return pages->ActivePage() == sheets[1]; }));
    EXPECT_EQ(asked, 2);
    skinner->Unskin();
    Pump(60);
    EXPECT_EQ(tabWidth(0), stockWidth) << "unskinned, the tabs have their own width again";
    ::RemoveWindowSubclass(form->Handle(), &Hook::Proc, 1);
    delete form;
}

TEST(TabSkinner, TheScrollerOfTabsThatDoNotFitIsSkinnedAndScrollsThemByRealClicks) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && data->Tabs);
    InstallControlsOnce();
    MoveMouseTo({5, 5});
    tv::TForm* form = MakeForm("Many tabs", 320, 160);
    auto* tabs = new tv::TTabControl(form);
    tabs->SetParent(form);
    tabs->SetBounds(10, 10, 240, 120);
    for (int i = 0; i < 12; ++i) tabs->Tabs().Add("Tab number " + std::to_string(i + 1));
    auto* skinner = new TWinSkinForm(form, form->Handle());
    skinner->AttachForm(data.get(), form);
    Activate(*skinner);
    Pump(150);

    const HWND arrows = ::FindWindowExW(tabs->Handle(), nullptr, UPDOWN_CLASSW, nullptr);
    ASSERT_NE(arrows, nullptr) << "twelve tabs in 240 pixels need the scroller";
    ASSERT_TRUE(::IsWindowVisible(arrows));
    EXPECT_EQ(::SendMessageW(arrows, SKM_ISSKINNED, 0, 0), 1) << "the scroller is the tab skinner's up-down";
    const RECT before0 = TabScreenRect(*tabs, 0);
    const int chosen = tabs->TabIndex();
    // The right-hand arrow shows the next tab first, as the stock scroller does.
    const RECT a = WindowRectOf(arrows);
    EXPECT_TRUE(ClickUntil({a.right - (a.right - a.left) / 4, (a.top + a.bottom) / 2},
                           [&] { return TabScreenRect(*tabs, 1).left == before0.left; }))
        << "tab 1 is at " << TabScreenRect(*tabs, 1).left << ", tab 0 was at " << before0.left;
    EXPECT_EQ(tabs->TabIndex(), chosen) << "scrolling chooses no tab";
    // The tab now first is drawn from the skin's strip where it stands.
    EXPECT_EQ(ShownTabFrame(*data, TabScreenRect(*tabs, 1)), 1);
    MoveMouseTo({5, 5});
    delete form;
}

namespace {

// The colour of the middle of frame of the skin's "Headerbar" strip.
raster::Color HeaderFill(const TSkinData& data, int frame) {
    const raster::Bitmap& strip = data.Headerbar->Bitmap;
    const int frames = data.Headerbar->Frame > 0 ? data.Headerbar->Frame : 5;
    const int fw = strip.Width() / frames;
    return strip.GetPixel((frame - 1) * fw + fw / 2, strip.Height() / 2) & 0xFFFFFF;
}

RECT HeaderItemScreen(HWND header, int index) {
    RECT r{};
    ::SendMessageW(header, HDM_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r));
    ::MapWindowPoints(header, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int ShownHeaderFrame(const TSkinData& data, HWND header, int index) {
    RECT r = HeaderItemScreen(header, index);
    ::InflateRect(&r, -3, -3);
    const raster::Color c = MostCommonColour(CaptureScreen(r));
    return ColourDistance(c, HeaderFill(data, 2)) < ColourDistance(c, HeaderFill(data, 1)) ? 2 : 1;
}

}  // namespace

TEST(HeaderSkinner, OneColumnIsHotAtATimeAndTheListViewsHeaderFollowsItsColumns) {
    auto data = LoadPackedSkin("slate");
    ASSERT_TRUE(data && data->Headerbar && !data->Headerbar->Bitmap.Empty());
    ASSERT_GT(ColourDistance(HeaderFill(*data, 1), HeaderFill(*data, 2)), 12) << "the skin's two header frames must differ";
    InstallControlsOnce();
    MoveMouseTo({5, 5});
    tv::TForm* form = MakeForm("Headers", 420, 260);
    auto* header = new tv::THeaderControl(form);
    header->SetParent(form);
    header->SetBounds(10, 10, 400, 24);
    header->AddSection("Name", 120);
    header->AddSection("Size", 80, tv::TAlignment::taRightJustify);
    header->AddSection("Kind", 100, tv::TAlignment::taCenter);
    auto* list = new tv::TListView(form);
    list->SetViewStyle(tv::TViewStyle::vsReport);
    list->SetParent(form);
    list->SetBounds(10, 50, 400, 200);
    list->AddColumn("File", 150);
    list->AddColumn("Bytes", 90, tv::TAlignment::taRightJustify);
    for (int i = 0; i < 5; ++i) list->AddItem("item " + std::to_string(i), {std::to_string(i * 100)});
    auto* skinner = new TWinSkinForm(form, form->Handle());
    skinner->AttachForm(data.get(), form);
    Activate(*skinner);
    Pump(150);

    const HWND bar = header->Handle();
    auto* hs = dynamic_cast<TSkinHeader*>(skinner->FindSkinner(bar));
    ASSERT_NE(hs, nullptr);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(ShownHeaderFrame(*data, bar, i), 1) << i;
    // The pointer over a column lights that one only; over the next, the next; away, none.
    auto over = [&](int i) {
        const RECT r = HeaderItemScreen(bar, i);
        MoveMouseTo({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    };
    over(1);
    EXPECT_TRUE(PumpUntil([&] { return hs->HotItem == 1 && ShownHeaderFrame(*data, bar, 1) == 2; }));
    EXPECT_EQ(ShownHeaderFrame(*data, bar, 0), 1);
    over(2);
    EXPECT_TRUE(PumpUntil([&] { return hs->HotItem == 2 && ShownHeaderFrame(*data, bar, 2) == 2; }));
    EXPECT_EQ(ShownHeaderFrame(*data, bar, 1), 1);
    MoveMouseTo({5, 5});
    EXPECT_TRUE(PumpUntil([&] { return hs->HotItem == -1 && ShownHeaderFrame(*data, bar, 2) == 1; }));

    // The list view's own header is skinned by a header skinner the list view owns; after
    // its first column is widened, the skin is drawn at the new width.
    EXPECT_EQ(skinner->FindSkinner(list->Handle())->ClassName(), "TSkinListView");
    const HWND lvHeader = reinterpret_cast<HWND>(::SendMessageW(list->Handle(), LVM_GETHEADER, 0, 0));
    ASSERT_NE(lvHeader, nullptr);
    auto* ls = dynamic_cast<TSkinHeader*>(skinner->FindSkinner(lvHeader));
    ASSERT_NE(ls, nullptr);
    EXPECT_EQ(ls->Owner(), list);
    EXPECT_EQ(ShownHeaderFrame(*data, lvHeader, 1), 1);
    ::SendMessageW(list->Handle(), LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(210, 0));
    Pump(100);
    ASSERT_EQ(ls->ItemRects.size(), 2u);
    EXPECT_EQ(ls->ItemRects[0].right, 210 - 3);
    EXPECT_EQ(ShownHeaderFrame(*data, lvHeader, 1), 1);

    // The divider dragged by real input widens the column as on the stock header, and the
    // skin is drawn at the width the column ends with.
    const RECT first = HeaderItemScreen(lvHeader, 0);
    const POINT grip{first.right - 1, (first.top + first.bottom) / 2};
    DragThrough({grip, {grip.x + 15, grip.y}, {grip.x + 30, grip.y}});
    auto width0 = [&] { return int(::SendMessageW(list->Handle(), LVM_GETCOLUMNWIDTH, 0, 0)); };
    EXPECT_TRUE(PumpUntil([&] { return std::abs(width0() - 240) <= 1; })) << "the column is " << width0() << " wide";
    EXPECT_TRUE(PumpUntil([&] { return ls->ItemRects.size() == 2 && ls->ItemRects[0].right == width0() - 3; }));
    EXPECT_EQ(ShownHeaderFrame(*data, lvHeader, 1), 1);
    MoveMouseTo({5, 5});
    SavePng(CaptureScreen(WindowRectOf(form->Handle())), ScreenshotPath("headers-slate.png"));
    delete form;
}

TEST(LabelColours, LabelsWithTheSystemsTextColourReadOnTheSkinAndGetTheirOwnBack) {
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data);
    InstallControlsOnce();
    tv::TForm* form = MakeForm("Labels", 300, 120);
    auto* plain = new tv::TLabel(form);
    plain->SetParent(form);
    plain->SetBounds(10, 10, 200, 20);
    plain->SetCaption("Plain");
    ASSERT_TRUE(plain->ParentFont());
    auto* red = new tv::TLabel(form);
    red->SetParent(form);
    red->SetBounds(10, 40, 200, 20);
    red->SetCaption("Red");
    red->Font().SetColor(tv::clRed);
    // A label on a sheet of a page control is the form's too.
    auto* pages = new tv::TPageControl(form);
    pages->SetParent(form);
    pages->SetBounds(10, 60, 200, 50);
    auto* sheet = new tv::TTabSheet(form);
    sheet->SetPageControl(pages);
    auto* inner = new tv::TLabel(form);
    inner->SetParent(sheet);
    inner->SetCaption("Inner");
    const tv::TColor before = plain->Font().Color();

    auto* skinner = new TWinSkinForm(form, form->Handle());
    skinner->AttachForm(data.get(), form);
    Activate(*skinner);
    Pump(60);
    EXPECT_EQ(plain->Font().Color(), data->SkinColors.ButtonText);
    EXPECT_EQ(inner->Font().Color(), data->SkinColors.ButtonText);
    EXPECT_EQ(red->Font().Color(), tv::clRed) << "a colour of the program's own stays";
    delete skinner;
    Pump(30);
    EXPECT_EQ(plain->Font().Color(), before);
    EXPECT_TRUE(plain->ParentFont()) << "it follows its parent's font again";
    EXPECT_EQ(red->Font().Color(), tv::clRed);
    delete form;
}
