// A tree view on a skinned form gets the scroll bar skinner: its bar is covered by an
// overlay that lies exactly over it, scrolls the tree as far as the stock twin's bar
// scrolls its own, hides when the tree fits after collapsing and comes back when it is
// opened again; unskinned, the overlays are gone and the tree is its own again.
#include <gtest/gtest.h>

#include "../skinforms/SkinFormTestUtil.h"
#include "ScrollTestUtil.h"
#include "framework/Framework.h"
#include "framework/TreeViews.h"
#include "skin/controls/ScrollBarSkinners.h"
#include "skin/controls/SkinControl.h"
#include "skin/forms/WinSkinForm.h"

namespace {

using namespace skintest;

tv::TTreeView* MakeTree(tv::TForm& form, int left) {
    auto* tree = new tv::TTreeView(&form);
    tree->SetParent(&form);
    tree->SetBounds(left, 20, 200, 180);
    for (int g = 0; g < 6; ++g) {
        tv::TTreeNode* group = tree->AddChild(nullptr, "Group " + std::to_string(g));
        for (int i = 0; i < 5; ++i) tree->AddChild(group, "Node " + std::to_string(g) + "." + std::to_string(i));
    }
    tree->FullExpand();
    // Opening the nodes scrolled the last ones into view: back to the top.
    ::SendMessageW(tree->Handle(), TVM_SELECTITEM, TVGN_FIRSTVISIBLE, reinterpret_cast<LPARAM>(tree->Root(0)->ItemId()));
    return tree;
}

HTREEITEM FirstVisible(HWND tree) {
    return reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_FIRSTVISIBLE, 0));
}

}  // namespace

TEST(TreeViewScroll, TheBarIsSkinnedScrollsAsItsTwinFollowsTheTreeAndGoesWithTheSkin) {
    static const bool installed = [] {
        skin::InstallControlSkinning();
        return true;
    }();
    (void)installed;
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    tv::TForm* form = MakeForm("Trees", 460, 230);
    tv::TTreeView* tree = MakeTree(*form, 20);
    tv::TTreeView* twin = MakeTree(*form, 240);
    twin->SetTag(data->DisableTag);
    Pump(40);
    ASSERT_TRUE(BarVisible(tree->Handle()));
    auto* skinner = new skin::TWinSkinForm(form, form->Handle());
    skinner->AttachForm(data.get(), form);
    Activate(*skinner);
    Pump(80);

    auto* s = dynamic_cast<skin::TSkinScrollbar*>(skinner->FindSkinner(tree->Handle()));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->ClassName(), "TSkinScrollbar");
    EXPECT_EQ(skinner->FindSkinner(twin->Handle()), nullptr) << "the tagged twin stays stock";
    EXPECT_EQ(::SendMessageW(tree->Handle(), skin::SKM_ISSKINNED, 0, 0), 1);
    ASSERT_TRUE(s->Overlays().Vert().Shown());
    const RECT bar = BarInfo(tree->Handle()).rcScrollBar;
    const RECT placed = WindowRectOf(s->Overlays().Vert().Handle());
    EXPECT_TRUE(::EqualRect(&bar, &placed));
    // The overlay shows the skin, not the stock bar: its colours are the skin's.
    const raster::Bitmap skinnedBar = CaptureScreen(placed);
    const raster::Bitmap stockBar = CaptureScreen(BarInfo(twin->Handle()).rcScrollBar);
    EXPECT_NE(ColoursIn(skinnedBar, RECT{0, 0, skinnedBar.Width(), skinnedBar.Height()}),
              ColoursIn(stockBar, RECT{0, 0, stockBar.Width(), stockBar.Height()}));

    // Presses on the lower arrow of each: the trees scroll alike, the overlay's thumb follows.
    const RECT stock = BarInfo(twin->Handle()).rcScrollBar;
    const int a = s->Overlays().Vert().ArrowSize();
    const HTREEITEM before = FirstVisible(tree->Handle());
    ASSERT_EQ(before, tree->Root(0)->ItemId());
    ASSERT_EQ(FirstVisible(twin->Handle()), twin->Root(0)->ItemId());
    for (int i = 0; i < 3; ++i) {
        ClickQueued({(stock.left + stock.right) / 2, stock.bottom - a / 2});
        ClickQueued({(placed.left + placed.right) / 2, placed.bottom - a / 2});
    }
    auto offset = [](tv::TTreeView& t) {
        int n = 0;
        for (HTREEITEM i = FirstVisible(t.Handle()); i;
             i = reinterpret_cast<HTREEITEM>(::SendMessageW(t.Handle(), TVM_GETNEXTITEM, TVGN_PREVIOUSVISIBLE,
                                                            reinterpret_cast<LPARAM>(i))))
            ++n;
        return n;
    };
    EXPECT_TRUE(PumpUntil([&] { return offset(*tree) == offset(*twin) && offset(*twin) > 1; }))
        << offset(*tree) << " / " << offset(*twin);
    EXPECT_NE(FirstVisible(tree->Handle()), before);
    Pump(40);
    EXPECT_EQ(s->Overlays().Vert().Thumb().start, BarInfo(tree->Handle()).xyThumbTop);

    // Collapsed, the tree fits: no bar and no overlay; opened again, both are back.
    tree->FullCollapse();
    EXPECT_TRUE(PumpUntil([&] { return !BarVisible(tree->Handle()) && !s->Overlays().Vert().Shown(); }));
    EXPECT_FALSE(::IsWindowVisible(s->Overlays().Vert().Handle()));
    tree->FullExpand();
    EXPECT_TRUE(PumpUntil([&] { return BarVisible(tree->Handle()) && s->Overlays().Vert().Shown(); }));
    const RECT again = BarInfo(tree->Handle()).rcScrollBar;
    EXPECT_TRUE(PumpUntil([&] {
        const RECT now = WindowRectOf(s->Overlays().Vert().Handle());
        return ::EqualRect(&again, &now) != FALSE;
    }));

    // Unskinned: no overlay is left, the tree answers as an unskinned window.
    delete skinner;
    Pump(40);
    EXPECT_EQ(CountChildren(form->Handle(), L"TWScrollbar"), 0);
    EXPECT_EQ(::SendMessageW(tree->Handle(), skin::SKM_ISSKINNED, 0, 0), 0);
    ASSERT_TRUE(BarVisible(tree->Handle()));
    delete form;
    Pump(20);
}
