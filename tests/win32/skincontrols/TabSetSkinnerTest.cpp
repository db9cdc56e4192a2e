// Tab sets drawn from the skin's "Tabs" strip turned upside down (their outer edge is at
// the bottom), the selected tab in the selected frame, the scroller skinned as a
// horizontal up-down, tabs that do not fit left out; a real click still chooses a tab.
// Page controls of other sets get the skin's tab frames as their tab backgrounds.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "ControlsTestUtil.h"
#include "framework/PropAccess.h"
#include "framework/TabSets.h"
#include "skin/controls/TabSetSkinners.h"
#include "skin/core/WinSkinData.h"

using namespace skin;
using namespace skintest;

namespace {

raster::Color StripPixel(const TSkinData& data, int frame, int x, int y) {
    const raster::Bitmap& strip = data.Tabs->Bitmap;
    const int fw = strip.Width() / 5;
    return strip.GetPixel((frame - 1) * fw + x, y) & 0xFFFFFF;
}

// The middle of a frame (its stretched centre) and its outer edge (the top row).
raster::Color FrameFill(const TSkinData& data, int frame) {
    return StripPixel(data, frame, data.Tabs->Bitmap.Width() / 10, data.Tabs->Bitmap.Height() / 2);
}
raster::Color FrameEdge(const TSkinData& data, int frame) {
    return StripPixel(data, frame, data.Tabs->Bitmap.Width() / 10, 1);
}

RECT ScreenTab(tv::TTabSet& tabs, int i) {
    RECT r = tabs.TabRect(i);
    ::MapWindowPoints(tabs.Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Which of the two frames a tab's face is nearer to.
int ShownTabFrame(const TSkinData& data, const RECT& screen) {
    RECT inner = screen;
    ::InflateRect(&inner, -3, -3);
    const raster::Color c = MostCommonColour(CaptureScreen(inner));
    return ColourDistance(c, FrameFill(data, 2)) < ColourDistance(c, FrameFill(data, 1)) ? 2 : 1;
}

}  // namespace

TEST(TabSetSkinner, TabsHangDownFromTheSkinAndAClickStillChoosesOne) {
    for (const char* name : kSkinNames) {
        SCOPED_TRACE(name);
        auto data = LoadPackedSkin(name);
        ASSERT_TRUE(data && data->Tabs && !data->Tabs->Bitmap.Empty());
        ASSERT_GT(ColourDistance(FrameFill(*data, 1), FrameFill(*data, 2)), 12) << "the skin's two tab frames must differ";
        InstallControlsOnce();
        MoveMouseTo({5, 5});
        tv::TForm* form = MakeForm("Tab set", 420, 120);
        auto* tabs = new tv::TTabSet(form);
        tabs->SetParent(form);
        tabs->SetBounds(10, 20, 400, 26);
        for (const char* t : {"First", "Second", "Third", "Fourth"}) tabs->Tabs().Add(t);
        tabs->SetTabIndex(1);
        int changes = 0;
        tabs->OnChange = [&](tv::TObject*) { ++changes; };
        // A second, narrow tab set whose tabs do not all fit.
        auto* narrow = new tv::TTabSet(form);
        narrow->SetParent(form);
        narrow->SetBounds(10, 70, 150, 26);
        for (const char* t : {"January", "February", "March", "April"}) narrow->Tabs().Add(t);
        narrow->SetTabIndex(0);
        auto* skinner = new TWinSkinForm(form, form->Handle());
        skinner->AttachForm(data.get(), form);
        Activate(*skinner);
        Pump(150);

        TChildSkinner* s = skinner->FindSkinner(tabs->Handle());
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->ClassName(), "TSkinTab31");
        for (int i = 0; i < 4; ++i) EXPECT_EQ(ShownTabFrame(*data, ScreenTab(*tabs, i)), i == 1 ? 2 : 1) << "tab " << i;
        // The frame's outer edge is turned down: down the selected tab's middle, the pixel
        // nearest to the strip's top row lies in the lower third.
        const RECT sel = ScreenTab(*tabs, 1);
        const int length = sel.bottom - sel.top;
        const raster::Bitmap line = CaptureScreen(RECT{(sel.left + sel.right) / 2, sel.top, (sel.left + sel.right) / 2 + 1, sel.bottom});
        int nearest = -1, best = 1 << 30;
        for (int k = 0; k < length; ++k) {
            const int d = ColourDistance(line.GetPixel(0, k) & 0xFFFFFF, FrameEdge(*data, 2));
            if (d < best) best = d, nearest = k;
        }
        EXPECT_GE(nearest, length - length / 3) << "the outer edge is at " << nearest << " of " << length;
        // Right of the last tab the face shows, not the stock look.
        const RECT last = ScreenTab(*tabs, 3);
        const raster::Color face = tv::ColorToRGB(data->SkinColors.ButtonFace) & 0xFFFFFF;
        const raster::Color rest = MostCommonColour(CaptureScreen(RECT{last.right + 4, last.top + 2, last.right + 60, last.bottom - 2}));
        EXPECT_LT(ColourDistance(rest, face), 6);

        // The narrow one: its scroller shows, skinned as a horizontal up-down; the tabs
        // that do not fit are not drawn, the face shows up to the scroller.
        ASSERT_TRUE(narrow->ScrollerVisible());
        TChildSkinner* arrows = skinner->FindSkinner(narrow->Scroller()->Handle());
        ASSERT_NE(arrows, nullptr);
        EXPECT_EQ(arrows->ClassName(), "TSkinUpDown");
        int shown = 0;
        while (shown < 4 && narrow->TabRect(shown).right > 0) ++shown;
        ASSERT_GT(shown, 0);
        ASSERT_LT(shown, 4);
        EXPECT_EQ(ShownTabFrame(*data, ScreenTab(*narrow, 0)), 2);
        RECT scroller{};
        ::GetWindowRect(narrow->Scroller()->Handle(), &scroller);
        const RECT lastShown = ScreenTab(*narrow, shown - 1);
        if (scroller.left - lastShown.right > 4) {
            const raster::Color gap =
                MostCommonColour(CaptureScreen(RECT{lastShown.right + 1, lastShown.top + 3, scroller.left - 1, lastShown.bottom - 3}));
            EXPECT_LT(ColourDistance(gap, face), 6)
                << "a tab that does not fit is left out";
        }
        if (std::string(name) == "midnight") SavePng(CaptureScreen(WindowRectOf(form->Handle())), ScreenshotPath("tabset-midnight.png"));

        // Painted into a DC of the caller's (as a page renders its children off screen), the
        // skin is what lands there: the control's own painting must not follow over it.
        {
            RECT own{};
            ::GetWindowRect(tabs->Handle(), &own);
            tv::TBitmap offscreen;
            offscreen.SetPixelFormat(raster::PixelFormat::Bgr24);
            offscreen.SetSize(own.right - own.left, own.bottom - own.top);
            ::SendMessageW(tabs->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(offscreen.Canvas().Handle()), 0);
            RECT tab = tabs->TabRect(1);
            ::InflateRect(&tab, -3, -3);
            const raster::Bitmap& px = offscreen.Pixels();
            std::map<raster::Color, int> seen;
            for (int y = tab.top; y < tab.bottom; ++y)
                for (int x = tab.left; x < tab.right; ++x) ++seen[px.GetPixel(x, y) & 0xFFFFFF];
            ASSERT_FALSE(seen.empty());
            const raster::Color middle =
                std::max_element(seen.begin(), seen.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
            EXPECT_LT(ColourDistance(middle, FrameFill(*data, 2)), ColourDistance(middle, FrameFill(*data, 1)))
                << "the selected tab off screen is not the skin's";
        }

        // A real click chooses a tab, once; the skin follows.
        const RECT third = ScreenTab(*tabs, 2);
        const POINT at{(third.left + third.right) / 2, (third.top + third.bottom) / 2};
        ASSERT_TRUE(ClickUntil(at, [&] { return tabs->TabIndex() == 2; })) << "the click chose no tab";
        Pump(100);
        EXPECT_EQ(changes, 1);
        EXPECT_EQ(ShownTabFrame(*data, ScreenTab(*tabs, 2)), 2);
        EXPECT_EQ(ShownTabFrame(*data, ScreenTab(*tabs, 1)), 1);

        // Switched off, the tab set paints itself again; on, the skin is back at once.
        const raster::Color skinned = MostCommonColour(CaptureScreen(ScreenTab(*tabs, 0)));
        ::SendMessageW(tabs->Handle(), SKM_SKINENABLE, 0, 0);
        tabs->Invalidate();
        tabs->Update();
        Pump(60);
        EXPECT_GT(ColourDistance(MostCommonColour(CaptureScreen(ScreenTab(*tabs, 0))), skinned), 12);
        ::SendMessageW(tabs->Handle(), SKM_SKINENABLE, 1, 0);
        Pump(60);
        EXPECT_EQ(ShownTabFrame(*data, ScreenTab(*tabs, 0)), 1);
        EXPECT_EQ(ShownTabFrame(*data, ScreenTab(*tabs, 2)), 2);
        delete form;
    }
}

namespace {

// Stand-ins for page controls of another component set: what the skinner reads and
// writes of them is their class name and two bitmap properties.
class TAdvPageControl : public tv::TCustomControl {
    TV_CLASS(TAdvPageControl, tv::TCustomControl)
    explicit TAdvPageControl(tv::TComponent* owner) : TCustomControl(owner) {}
    tv::TBitmap* Normal() { return &normal_; }
    tv::TBitmap* Active() { return &active_; }

private:
    tv::TBitmap normal_, active_;
};

const tv::TClassInfo& TAdvPageControl::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TAdvPageControl>("TAdvPageControl")
                                           .Obj<tv::TBitmap>("TabBackGround", &TAdvPageControl::Normal, nullptr)
                                           .Obj<tv::TBitmap>("TabBackGroundActive", &TAdvPageControl::Active, nullptr)
                                           .Done();
    return info;
}

// One without the properties: nothing to write, and nothing breaks.
class TPlainAdvPages : public tv::TCustomControl {
    TV_CLASS(TPlainAdvPages, tv::TCustomControl)
    explicit TPlainAdvPages(tv::TComponent* owner) : TCustomControl(owner) {}
};

const tv::TClassInfo& TPlainAdvPages::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TPlainAdvPages>("TPlainAdvPages").Done();
    return info;
}

}  // namespace

TEST(AdvPageSkinner, TheSkinsTabFramesBecomeTheTabBackgroundsAndGoWithTheSkin) {
    auto data = LoadPackedSkin("slate");
    ASSERT_TRUE(data && data->Tabs);
    InstallControlsOnce();
    data->Skin3rd().Add("TAdvPageControl=advpagecontrol");
    data->Skin3rd().Add("TPlainAdvPages=advpagecontrol");
    tv::TForm* form = MakeForm("Other pages", 300, 200);
    auto* pages = new TAdvPageControl(form);
    pages->SetParent(form);
    pages->SetBounds(10, 10, 200, 120);
    pages->SetColor(tv::clWindow);
    auto* plain = new TPlainAdvPages(form);
    plain->SetParent(form);
    plain->SetBounds(10, 140, 200, 40);
    // Scroll arrows inside, as such controls make them.
    HWND arrows = ::CreateWindowExW(0, UPDOWN_CLASSW, L"", WS_CHILD | WS_VISIBLE | UDS_HORZ, 160, 4, 30, 18,
                                    pages->Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(arrows, nullptr);
    auto* skinner = new TWinSkinForm(form, form->Handle());
    skinner->AttachForm(data.get(), form);
    Activate(*skinner);
    Pump(100);

    auto* s = dynamic_cast<TSkinAdvPage*>(skinner->FindSkinner(pages->Handle()));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->Kind, 4);
    EXPECT_EQ(pages->Color(), data->SkinColors.ButtonFace) << "recoloured";
    ASSERT_EQ(pages->Normal()->Width(), TSkinAdvPage::kTabWidth);
    ASSERT_EQ(pages->Normal()->Height(), TSkinAdvPage::kTabHeight);
    ASSERT_EQ(pages->Active()->Width(), TSkinAdvPage::kTabWidth);
    // Each is its frame of the strip: the middles match frames 1 and 2.
    const int mx = TSkinAdvPage::kTabWidth / 2, my = TSkinAdvPage::kTabHeight / 2;
    EXPECT_LT(ColourDistance(pages->Normal()->Pixels().GetPixel(mx, my) & 0xFFFFFF, FrameFill(*data, 1)), 6);
    EXPECT_LT(ColourDistance(pages->Active()->Pixels().GetPixel(mx, my) & 0xFFFFFF, FrameFill(*data, 2)), 6);
    // Its scroll arrows are skinned when it paints.
    pages->Invalidate();
    pages->Update();
    Pump(60);
    TChildSkinner* a = skinner->FindSkinner(arrows);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->ClassName(), "TSkinUpDown");
    // The one without the properties is skinned all the same.
    EXPECT_NE(dynamic_cast<TSkinAdvPage*>(skinner->FindSkinner(plain->Handle())), nullptr);

    // Unskinned: the backgrounds are cleared and the colour is the program's again.
    delete skinner;
    Pump(30);
    EXPECT_TRUE(pages->Normal()->Empty());
    EXPECT_TRUE(pages->Active()->Empty());
    EXPECT_EQ(pages->Color(), tv::clWindow);
    delete form;
}
