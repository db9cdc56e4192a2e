// The framework's other scrolling controls on a skinned form: a scroll bar control gets its
// overlay through the classification and moves exactly as its stock twin when clicked, in
// either orientation; a memo's bar is skinned like a list box's.
#include <gtest/gtest.h>

#include "../skinforms/SkinFormTestUtil.h"
#include "ScrollTestUtil.h"
#include "framework/Edits.h"
#include "framework/Framework.h"
#include "framework/ScrollBars.h"
#include "framework/ScrollBox.h"
#include "skin/controls/ScrollBarSkinners.h"
#include "skin/controls/SkinControl.h"
#include "skin/core/WinSkinDlg.h"
#include "skin/forms/WinSkinForm.h"

namespace {

using namespace skintest;
namespace scroll = skin::scroll;

void InstallOnce() {
    static const bool installed = [] {
        skin::InstallControlSkinning();
        return true;
    }();
    (void)installed;
}

tv::TScrollBar* MakeBar(tv::TForm& form, tv::TScrollBarKind kind, int left, int top, int length) {
    auto* bar = new tv::TScrollBar(&form);
    bar->SetParent(&form);
    bar->SetKind(kind);
    const int thick = ::GetSystemMetrics(SM_CXVSCROLL);
    if (kind == tv::TScrollBarKind::sbVertical) bar->SetBounds(left, top, thick, length);
    else bar->SetBounds(left, top, length, thick);
    bar->SetParams(0, 0, 100);
    bar->SetPageSize(10);
    bar->SetSmallChange(1);
    bar->SetLargeChange(10);
    bar->Handle();
    return bar;
}

class SkinnedBarsTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallOnce();
        data = LoadPackedSkin("daylight");
        ASSERT_TRUE(data && !data->SkinEmpty);
        form = MakeForm("Bars", 460, 320);
    }
    void Skin() {
        skinner = new skin::TWinSkinForm(form, form->Handle());
        skinner->AttachForm(data.get(), form);
        Activate(*skinner);
        Pump(60);
    }
    void TearDown() override {
        delete form;
        Pump(20);
    }
    std::unique_ptr<skin::TSkinData> data;
    tv::TForm* form = nullptr;
    skin::TWinSkinForm* skinner = nullptr;
};

TEST_F(SkinnedBarsTest, AScrollBarControlMovesAsItsStockTwinInEitherOrientation) {
    for (auto kind : {tv::TScrollBarKind::sbVertical, tv::TScrollBarKind::sbHorizontal}) {
        const bool vertical = kind == tv::TScrollBarKind::sbVertical;
        SCOPED_TRACE(vertical ? "vertical" : "horizontal");
        tv::TScrollBar* bar = MakeBar(*form, kind, 20, 20, 220);
        tv::TScrollBar* twin = MakeBar(*form, kind, vertical ? 80 : 20, vertical ? 20 : 120, 220);
        twin->SetTag(data->DisableTag);
        Skin();
        skin::TChildSkinner* found = skinner->FindSkinner(bar->Handle());
        auto* s = dynamic_cast<skin::TSkinScControl*>(found);
        ASSERT_NE(s, nullptr);
        ASSERT_NE(s->Overlay(), nullptr);
        skin::TWScrollbar& overlay = *s->Overlay();
        ASSERT_TRUE(overlay.Shown());
        EXPECT_EQ(overlay.Vertical(), vertical);
        const RECT placed = WindowRectOf(overlay.Handle()), control = WindowRectOf(bar->Handle());
        EXPECT_TRUE(::EqualRect(&placed, &control));
        EXPECT_EQ(skinner->FindSkinner(twin->Handle()), nullptr);

        // The second arrow twice, then the track after the thumb, on both.
        const int a = overlay.ArrowSize();
        auto at = [&](HWND w, int along) {
            const RECT r = WindowRectOf(w);
            return vertical ? POINT{(r.left + r.right) / 2, along < 0 ? r.bottom + along : r.top + along}
                            : POINT{along < 0 ? r.right + along : r.left + along, (r.top + r.bottom) / 2};
        };
        for (int along : {-a / 2, -a / 2, -(a + 6)}) {
            ClickQueued(at(twin->Handle(), along));
            ClickQueued(at(overlay.Handle(), along));
            EXPECT_TRUE(PumpUntil([&] { return bar->Position() == twin->Position(); }))
                << along << ": " << bar->Position() << " / " << twin->Position();
        }
        EXPECT_GT(twin->Position(), 2);
        // The overlay shows the thumb where the control has it.
        Pump(40);
        const scroll::ThumbSpan expected = scroll::ThumbFromScrollInfo(
            vertical ? control.bottom - control.top : control.right - control.left, a, bar->Min(), bar->Max(),
            unsigned(bar->PageSize()), bar->Position());
        EXPECT_EQ(overlay.Thumb().start, expected.start);
        EXPECT_EQ(overlay.Thumb().end, expected.end);
        // Moved by code: the overlay follows.
        bar->SetPosition(0);
        Pump(40);
        EXPECT_EQ(overlay.Thumb().start, a);
        // A new orientation makes the control a new window: still skinned, overlay turned.
        bar->SetKind(vertical ? tv::TScrollBarKind::sbHorizontal : tv::TScrollBarKind::sbVertical);
        Pump(60);
        EXPECT_EQ(skinner->FindSkinner(bar->Handle()), s);
        EXPECT_EQ(::SendMessageW(bar->Handle(), skin::SKM_ISSKINNED, 0, 0), 1);
        EXPECT_EQ(overlay.Vertical(), !vertical);
        const RECT turned = WindowRectOf(overlay.Handle()), now = WindowRectOf(bar->Handle());
        EXPECT_TRUE(::EqualRect(&turned, &now));
        EXPECT_TRUE(overlay.Shown());
        skinner->Unskin();
        delete bar;
        delete twin;
        Pump(20);
        EXPECT_EQ(CountChildren(form->Handle(), L"TWScrollbar"), 0);
    }
}

TEST_F(SkinnedBarsTest, AMemosBarIsSkinnedLikeAListBoxs) {
    auto* memo = new tv::TMemo(form);
    memo->SetParent(form);
    memo->SetBounds(20, 20, 240, 160);
    memo->SetScrollBars(tv::TScrollStyle::ssVertical);
    for (int i = 0; i < 60; ++i) memo->Lines().Add("Line " + std::to_string(i));
    memo->Handle();
    Skin();
    auto* s = dynamic_cast<skin::TSkinScrollbar*>(skinner->FindSkinner(memo->Handle()));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->ClassName(), "TSkinScrollbar");
    ASSERT_TRUE(s->Overlays().Vert().Shown());
    const RECT bar = BarInfo(memo->Handle()).rcScrollBar;
    const RECT placed = WindowRectOf(s->Overlays().Vert().Handle());
    EXPECT_TRUE(::EqualRect(&bar, &placed));
    ::SendMessageW(memo->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    Pump(40);
    EXPECT_EQ(s->Overlays().Vert().Thumb().start, BarInfo(memo->Handle()).xyThumbTop);
    EXPECT_EQ(s->Overlays().Vert().HotPart(), SB_PAGEDOWN);
}

TEST_F(SkinnedBarsTest, AScrollBoxScrollsItsChildrenThroughTheOverlayAsItsTwin) {
    auto makeBox = [&](int left) {
        auto* box = new tv::TScrollBox(form);
        box->SetParent(form);
        box->SetBounds(left, 20, 180, 160);
        auto* tall = new tv::TPanel(form);
        tall->SetParent(box);
        tall->SetBounds(0, 0, 140, 600);
        box->Handle();
        box->UpdateScrollBars();
        return box;
    };
    tv::TScrollBox* box = makeBox(20);
    tv::TScrollBox* twin = makeBox(240);
    twin->SetTag(data->DisableTag);
    Pump(30);
    ASSERT_TRUE(BarVisible(box->Handle()));
    Skin();
    auto* s = dynamic_cast<skin::TSkinScrollbar*>(skinner->FindSkinner(box->Handle()));
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(s->Overlays().Vert().Shown());
    const RECT bar = BarInfo(box->Handle()).rcScrollBar;
    const RECT placed = WindowRectOf(s->Overlays().Vert().Handle());
    EXPECT_TRUE(::EqualRect(&bar, &placed));
    const RECT stock = BarInfo(twin->Handle()).rcScrollBar;
    const int a = s->Overlays().Vert().ArrowSize();
    for (int i = 0; i < 3; ++i) {
        ClickQueued({(stock.left + stock.right) / 2, stock.bottom - a / 2});
        ClickQueued({(placed.left + placed.right) / 2, placed.bottom - a / 2});
    }
    EXPECT_TRUE(PumpUntil([&] { return box->VertScrollBar().Position() == twin->VertScrollBar().Position(); }))
        << box->VertScrollBar().Position() << " / " << twin->VertScrollBar().Position();
    EXPECT_GT(twin->VertScrollBar().Position(), 0);
    Pump(40);
    EXPECT_EQ(s->Overlays().Vert().Thumb().start, BarInfo(box->Handle()).xyThumbTop);
}

}  // namespace
