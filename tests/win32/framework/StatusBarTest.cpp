// Status bars, aligned controls and splitters: the panels the control keeps are the parts
// the system's window shows (edges, texts, bevels, alignment), simple mode, the bar kept at
// the bottom as its parent changes size, and a splitter dragged by the pointer resizing its
// neighbour within MinSize, with the rest of the layout following.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "TestForms.h"

using namespace tv;

namespace {

struct PlainForm {
    TForm* form = CreateComponent<TForm>(Application);
    PlainForm(int w = 400, int h = 240) {
        form->SetBounds(100, 100, w + 16, h + 40);
        form->SetClientSize(w, h);
        form->Show();
        PumpUntil([&] { return ::IsWindowVisible(form->Handle()) != FALSE; });
    }
    ~PlainForm() {
        delete form;
        Pump(10);
    }
};

std::vector<int> Parts(HWND bar) {
    const int n = int(::SendMessageW(bar, SB_GETPARTS, 0, 0));
    std::vector<int> edges(std::size_t(n > 0 ? n : 0));
    if (n > 0) ::SendMessageW(bar, SB_GETPARTS, WPARAM(n), reinterpret_cast<LPARAM>(edges.data()));
    return edges;
}

std::wstring PartText(HWND bar, int i) {
    wchar_t buffer[256] = {};
    ::SendMessageW(bar, SB_GETTEXTW, WPARAM(i), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

WORD PartType(HWND bar, int i) { return HIWORD(::SendMessageW(bar, SB_GETTEXTLENGTHW, WPARAM(i), 0)); }

// A press at `from`, moves to each of `path` and a release at the last, in the parent's
// client coordinates, as the system delivers them to the parent of a windowless control.
void Drag(HWND parent, POINT from, const std::vector<POINT>& path) {
    ::SendMessageW(parent, WM_MOUSEMOVE, 0, MAKELPARAM(from.x, from.y));
    ::SendMessageW(parent, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
    for (POINT p : path) ::SendMessageW(parent, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    const POINT last = path.empty() ? from : path.back();
    ::SendMessageW(parent, WM_LBUTTONUP, 0, MAKELPARAM(last.x, last.y));
    Pump(20);
}

}  // namespace

TEST(StatusBar, ThePanelsAreTheWindowsPartsWithTheirTextsBevelsAndAlignment) {
    PlainForm f;
    auto* bar = new TStatusBar(f.form);
    bar->SetParent(f.form);
    TStatusPanel* first = bar->Panels().Add();
    first->SetWidth(80);
    first->SetText("First");
    TStatusPanel* second = bar->Panels().Add();
    second->SetWidth(120);
    second->SetText("Middle");
    second->SetAlignment(TAlignment::taCenter);
    second->SetBevel(TStatusPanelBevel::pbRaised);
    TStatusPanel* third = bar->Panels().Add();
    third->SetText("Right");
    third->SetAlignment(TAlignment::taRightJustify);
    third->SetBevel(TStatusPanelBevel::pbNone);
    const HWND wnd = bar->Handle();
    wchar_t cls[64] = {};
    ::GetClassNameW(wnd, cls, 64);
    EXPECT_STREQ(cls, L"TStatusBar");
    EXPECT_TRUE(::GetWindowLongW(wnd, GWL_STYLE) & SBARS_SIZEGRIP) << "a size grip by default";

    EXPECT_EQ(Parts(wnd), (std::vector<int>{80, 200, -1})) << "the last part reaches the end";
    EXPECT_EQ(PartText(wnd, 0), L"First");
    EXPECT_EQ(PartText(wnd, 1), L"\tMiddle") << "one tab centres";
    EXPECT_EQ(PartText(wnd, 2), L"\t\tRight") << "two put it at the right";
    EXPECT_EQ(PartType(wnd, 0) & (SBT_POPOUT | SBT_NOBORDERS), 0);
    EXPECT_TRUE(PartType(wnd, 1) & SBT_POPOUT);
    EXPECT_TRUE(PartType(wnd, 2) & SBT_NOBORDERS);

    // Changes reach the window at once; so does a panel going.
    first->SetText("Changed");
    first->SetWidth(50);
    EXPECT_EQ(PartText(wnd, 0), L"Changed");
    EXPECT_EQ(Parts(wnd), (std::vector<int>{50, 170, -1}));
    bar->Panels().Delete(1);
    EXPECT_EQ(Parts(wnd), (std::vector<int>{50, -1}));
    EXPECT_EQ(PartText(wnd, 1), L"\t\tRight");
    EXPECT_EQ(third->Index(), 1);

    // Without the grip the window is made again, its panels with it.
    bar->SetSizeGrip(false);
    PumpUntil([&] { return !(::GetWindowLongW(bar->Handle(), GWL_STYLE) & SBARS_SIZEGRIP); });
    const HWND again = bar->Handle();
    EXPECT_FALSE(::GetWindowLongW(again, GWL_STYLE) & SBARS_SIZEGRIP);
    EXPECT_EQ(Parts(again), (std::vector<int>{50, -1}));
    EXPECT_EQ(PartText(again, 0), L"Changed");
}

TEST(StatusBar, SimpleModeShowsTheSimpleTextAndThePanelsComeBackAfter) {
    PlainForm f;
    auto* bar = new TStatusBar(f.form);
    bar->SetParent(f.form);
    bar->Panels().Add()->SetText("Panel");
    const HWND wnd = bar->Handle();
    EXPECT_EQ(::SendMessageW(wnd, SB_ISSIMPLE, 0, 0), 0);
    bar->SetSimpleText("Simple text");
    bar->SetSimplePanel(true);
    EXPECT_NE(::SendMessageW(wnd, SB_ISSIMPLE, 0, 0), 0);
    EXPECT_EQ(PartText(wnd, 0), L"Simple text");
    bar->SetSimpleText("Another");
    EXPECT_EQ(PartText(wnd, 0), L"Another");
    bar->SetSimplePanel(false);
    EXPECT_EQ(::SendMessageW(wnd, SB_ISSIMPLE, 0, 0), 0);
    EXPECT_EQ(PartText(wnd, 0), L"Panel");
    // A bar without panels shows its simple text.
    bar->Panels().Clear();
    EXPECT_NE(::SendMessageW(wnd, SB_ISSIMPLE, 0, 0), 0);
    EXPECT_EQ(PartText(wnd, 0), L"Another");
}

TEST(StatusBar, KeepsToTheBottomOfItsParentAcrossResizesAndBesideOtherAlignedControls) {
    PlainForm f(400, 240);
    auto* top = new TPanel(f.form);
    top->SetParent(f.form);
    top->SetHeight(30);
    top->SetAlign(TAlign::alTop);
    auto* bar = new TStatusBar(f.form);
    bar->SetParent(f.form);
    bar->SetHeight(22);
    auto* rest = new TPanel(f.form);
    rest->SetParent(f.form);
    rest->SetAlign(TAlign::alClient);
    Pump(20);
    EXPECT_EQ(bar->Align(), TAlign::alBottom);
    auto bounds = [](TControl* c) { return std::vector<int>{c->Left(), c->Top(), c->Width(), c->Height()}; };
    EXPECT_EQ(bounds(bar), (std::vector<int>{0, 218, 400, 22}));
    EXPECT_EQ(bounds(top), (std::vector<int>{0, 0, 400, 30}));
    EXPECT_EQ(bounds(rest), (std::vector<int>{0, 30, 400, 188}));
    RECT r{};
    ::GetWindowRect(bar->Handle(), &r);
    ::MapWindowPoints(nullptr, f.form->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.top, 218) << "the window is where the control says";

    f.form->SetClientSize(300, 180);
    Pump(20);
    EXPECT_EQ(bounds(bar), (std::vector<int>{0, 158, 300, 22}));
    EXPECT_EQ(bounds(rest), (std::vector<int>{0, 30, 300, 128}));
    // A hidden aligned control gives its room to the others.
    top->Hide();
    EXPECT_EQ(bounds(rest), (std::vector<int>{0, 0, 300, 158}));
}

TEST(Splitter, DraggingResizesTheNeighbourWithinMinSizeAndTheRestFollows) {
    PlainForm f(400, 200);
    ReadComponent(*f.form, R"(object Form: TForm
  object LeftPane: TPanel
    Left = 0
    Width = 120
    Align = alLeft
  end
  object Bar: TSplitter
    Left = 120
    Width = 5
    MinSize = 40
    ResizeStyle = rsUpdate
  end
  object RightPane: TPanel
    Align = alClient
  end
end
)");
    auto* left = dynamic_cast<TPanel*>(f.form->FindComponent("LeftPane"));
    auto* bar = dynamic_cast<TSplitter*>(f.form->FindComponent("Bar"));
    auto* right = dynamic_cast<TPanel*>(f.form->FindComponent("RightPane"));
    ASSERT_TRUE(left && bar && right);
    Pump(20);
    ASSERT_EQ(bar->Left(), 120);
    ASSERT_EQ(bar->Height(), 200) << "aligned left: the full height";
    EXPECT_EQ(bar->Neighbour(), left);
    int moved = 0;
    bar->OnMoved = [&](TObject*) { ++moved; };
    const HWND form = f.form->Handle();

    Drag(form, {122, 50}, {{140, 52}, {172, 60}});
    EXPECT_EQ(left->Width(), 170);
    EXPECT_EQ(bar->Left(), 170);
    EXPECT_EQ(right->Left(), 175);
    EXPECT_EQ(right->Width(), 400 - 175);
    EXPECT_GE(moved, 1);

    // Neither side below MinSize, however far the pointer goes.
    Drag(form, {172, 50}, {{-300, 50}});
    EXPECT_EQ(left->Width(), 40);
    Drag(form, {42, 50}, {{390, 50}, {900, 50}});
    EXPECT_EQ(right->Width(), 40);
    EXPECT_EQ(left->Width(), 400 - 5 - 40);

    // rsLine: nothing moves until the release.
    bar->SetResizeStyle(TResizeStyle::rsLine);
    const int before = left->Width();
    const POINT at{bar->Left() + 2, 50};
    ::SendMessageW(form, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    ::SendMessageW(form, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x - 100, at.y));
    EXPECT_EQ(left->Width(), before);
    ::SendMessageW(form, WM_LBUTTONUP, 0, MAKELPARAM(at.x - 100, at.y));
    EXPECT_EQ(left->Width(), before - 100);

    // A right-aligned splitter resizes the control at its right, the other way round.
    right->SetAlign(TAlign::alRight);
    right->SetWidth(100);
    bar->SetAlign(TAlign::alRight);
    left->SetAlign(TAlign::alClient);
    Pump(20);
    ASSERT_EQ(bar->Neighbour(), right);
    bar->SetResizeStyle(TResizeStyle::rsUpdate);
    const int barX = bar->Left() + 2;
    Drag(form, {barX, 30}, {{barX - 30, 30}});
    EXPECT_EQ(right->Width(), 130) << "dragged left: the right pane grows";
}

TEST(StatusBar, ReadFromADescriptionWithTheFrameworksClasses) {
    PlainForm f(300, 160);
    ReadComponent(*f.form, R"(object Form: TForm
  object Status: TStatusBar
    SimplePanel = True
    SimpleText = 'From the description'
    SizeGrip = False
  end
  object Parted: TStatusBar
    SizeGrip = False
    Panels = <
      item
        Width = 80
        Text = 'One'
      end
      item
        Text = 'Two'
        Bevel = pbRaised
      end>
  end
  object Framed: TPanel
    BorderStyle = bsSingle
    Caption = 'Framed'
  end
end
)");
    auto* bar = dynamic_cast<TStatusBar*>(f.form->FindComponent("Status"));
    auto* framed = dynamic_cast<TPanel*>(f.form->FindComponent("Framed"));
    ASSERT_TRUE(bar && framed);
    Pump(20);
    EXPECT_EQ(bar->Top() + bar->Height(), 160);
    EXPECT_EQ(PartText(bar->Handle(), 0), L"From the description");
    EXPECT_FALSE(::GetWindowLongW(bar->Handle(), GWL_STYLE) & SBARS_SIZEGRIP);
    // Panels stored as a collection become the window's parts.
    auto* parted = dynamic_cast<TStatusBar*>(f.form->FindComponent("Parted"));
    ASSERT_TRUE(parted);
    ASSERT_EQ(parted->Panels().Count(), 2);
    const std::vector<int> edges = Parts(parted->Handle());
    ASSERT_EQ(edges.size(), 2u);
    EXPECT_EQ(edges[0], 80);
    EXPECT_EQ(PartText(parted->Handle(), 1), L"Two");
    EXPECT_EQ(PartType(parted->Handle(), 1) & SBT_POPOUT, SBT_POPOUT);
    EXPECT_TRUE(::GetWindowLongW(framed->Handle(), GWL_STYLE) & WS_BORDER);
    framed->SetBorderStyle(TBorderStyle::bsNone);
    PumpUntil([&] { return !(::GetWindowLongW(framed->Handle(), GWL_STYLE) & WS_BORDER); });
    EXPECT_FALSE(::GetWindowLongW(framed->Handle(), GWL_STYLE) & WS_BORDER);
}
