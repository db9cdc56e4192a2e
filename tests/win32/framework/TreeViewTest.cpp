// The tree view: nodes added in code reach the window in order and at their level; opening
// and closing by code and by a real click on a node's button agree between the node and the
// window; a click on a caption selects it with one OnChange; a window made anew (after a
// style change) shows the same tree, open nodes and selection; deleting the selected node
// moves the selection.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "TestForms.h"
#include "framework/TreeViews.h"

using namespace tv;

namespace {

struct TreeForm {
    std::unique_ptr<TForm> form;
    TTreeView* tree = nullptr;
    std::vector<std::string> changes;
    std::vector<std::string> opened;

    TreeForm() : form(std::make_unique<TForm>(nullptr)) {
        form->SetBounds(150, 150, 320, 320);
        form->SetCaption("Tree");
        tree = new TTreeView(form.get());
        tree->SetParent(form.get());
        tree->SetBounds(10, 10, 280, 260);
        tree->OnChange = [this](TObject*, TTreeNode* n) { changes.push_back(n ? n->Text() : "-"); };
        tree->OnExpanded = [this](TObject*, TTreeNode* n) { opened.push_back("+" + n->Text()); };
        tree->OnCollapsed = [this](TObject*, TTreeNode* n) { opened.push_back("-" + n->Text()); };
        form->Show();
        BringToFrontAndWait(*form);
    }
};

std::wstring ItemText(HWND tree, HTREEITEM item) {
    wchar_t buffer[100] = {};
    TVITEMW it{};
    it.mask = TVIF_TEXT;
    it.hItem = item;
    it.pszText = buffer;
    it.cchTextMax = 100;
    ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it));
    return buffer;
}

// A press and release queued together, both carrying the place: a press on a caption
// enters the tree's own loop (it waits to see whether a drag begins), which must find
// the release already there.
void ClickQueued(POINT p) {
    MoveMouseTo(p);
    INPUT in[2] = {};
    for (INPUT& i : in) {
        i.type = INPUT_MOUSE;
        i.mi.dx = LONG((p.x * 65535.0) / (::GetSystemMetrics(SM_CXSCREEN) - 1) + 0.5);
        i.mi.dy = LONG((p.y * 65535.0) / (::GetSystemMetrics(SM_CYSCREEN) - 1) + 0.5);
    }
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(2, in, sizeof in[0]);
    Pump(150);
}

bool WindowExpanded(HWND tree, HTREEITEM item) {
    return (::SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
}

HTREEITEM Next(HWND tree, UINT how, HTREEITEM from) {
    return reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
}

}  // namespace

TEST(TreeView, NodesReachTheWindowAndOpenAndCloseByCodeAndByClicks) {
    TreeForm f;
    TTreeView& t = *f.tree;
    TTreeNode* fruit = t.AddChild(nullptr, "Fruit");
    TTreeNode* apple = t.AddChild(fruit, "Apple");
    t.AddChild(fruit, "Pear");
    t.AddChild(apple, "Cox");
    TTreeNode* veg = t.AddChild(nullptr, "Vegetables");
    t.AddChild(veg, "Leek");
    const HWND w = t.Handle();
    ASSERT_EQ(::SendMessageW(w, TVM_GETCOUNT, 0, 0), 6);
    const HTREEITEM root = Next(w, TVGN_ROOT, nullptr);
    EXPECT_EQ(ItemText(w, root), L"Fruit");
    EXPECT_EQ(ItemText(w, Next(w, TVGN_NEXT, root)), L"Vegetables");
    const HTREEITEM child = Next(w, TVGN_CHILD, root);
    EXPECT_EQ(ItemText(w, child), L"Apple");
    EXPECT_EQ(ItemText(w, Next(w, TVGN_NEXT, child)), L"Pear");
    EXPECT_EQ(ItemText(w, Next(w, TVGN_CHILD, child)), L"Cox");
    EXPECT_EQ(apple->Level(), 1);
    EXPECT_EQ(apple->ItemId(), child);

    // By code.
    EXPECT_FALSE(WindowExpanded(w, fruit->ItemId()));
    fruit->Expand();
    EXPECT_TRUE(WindowExpanded(w, fruit->ItemId()));
    EXPECT_TRUE(fruit->Expanded());
    EXPECT_GT(apple->DisplayRect().bottom, 0) << "a child of an open node shows";
    fruit->Collapse();
    EXPECT_FALSE(WindowExpanded(w, fruit->ItemId()));
    EXPECT_TRUE(f.opened.empty()) << "code's changes are not reported";

    // A real click on the button left of "Vegetables" opens it; the node knows.
    const RECT row = veg->DisplayRect(false);
    const RECT text = veg->DisplayRect(true);
    ASSERT_GT(text.left, row.left + 8);
    const POINT button = t.ClientToScreen(POINT{text.left - 10, (text.top + text.bottom) / 2});
    ClickQueued(button);
    if (!PumpUntil([&] { return veg->Expanded(); }, 1000)) ClickQueued(button);
    ASSERT_TRUE(PumpUntil([&] { return veg->Expanded(); }));
    EXPECT_TRUE(WindowExpanded(w, veg->ItemId()));
    EXPECT_EQ((std::vector<std::string>{"+Vegetables"}), f.opened);

    // A click on a caption selects the node, once.
    EXPECT_EQ(t.Selected(), nullptr);
    const RECT leek = veg->Item(0)->DisplayRect(true);
    const POINT at = t.ClientToScreen(POINT{(leek.left + leek.right) / 2, (leek.top + leek.bottom) / 2});
    EXPECT_EQ(t.GetNodeAt((leek.left + leek.right) / 2, (leek.top + leek.bottom) / 2), veg->Item(0));
    ClickQueued(at);
    if (!PumpUntil([&] { return t.Selected() == veg->Item(0); }, 1000)) ClickQueued(at);
    ASSERT_TRUE(PumpUntil([&] { return t.Selected() == veg->Item(0); }));
    Pump(100);
    EXPECT_EQ((std::vector<std::string>{"Leek"}), f.changes);
}

TEST(TreeView, AWindowMadeAnewShowsTheSameTreeAndDeletingTheSelectionMovesIt) {
    TreeForm f;
    TTreeView& t = *f.tree;
    TTreeNode* a = t.AddChild(nullptr, "A");
    TTreeNode* a1 = t.AddChild(a, "A1");
    TTreeNode* a2 = t.AddChild(a, "A2");
    t.AddChild(nullptr, "B");
    a->Expand();
    t.SetSelected(a2);
    EXPECT_EQ((std::vector<std::string>{"A2"}), f.changes);
    const LONG style = ::GetWindowLongW(t.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & TVS_HASLINES);
    EXPECT_TRUE(style & TVS_HASBUTTONS);

    t.SetShowLines(false);
    t.SetShowButtons(false);
    ASSERT_TRUE(PumpUntil([&] { return !(::GetWindowLongW(t.Handle(), GWL_STYLE) & TVS_HASLINES); }));
    const HWND w = t.Handle();
    EXPECT_FALSE(::GetWindowLongW(w, GWL_STYLE) & TVS_HASBUTTONS);
    EXPECT_EQ(::SendMessageW(w, TVM_GETCOUNT, 0, 0), 4);
    EXPECT_TRUE(WindowExpanded(w, a->ItemId()));
    EXPECT_EQ(Next(w, TVGN_CARET, nullptr), a2->ItemId());
    EXPECT_EQ(t.Selected(), a2);
    EXPECT_EQ(f.changes.size(), 1u) << "making the window again is no change of selection";

    // The selected node goes: the selection moves to what the window chose.
    t.Delete(a2);
    EXPECT_EQ(::SendMessageW(w, TVM_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(a->Count(), 1);
    ASSERT_NE(t.Selected(), nullptr);
    EXPECT_EQ(t.Selected()->ItemId(), Next(w, TVGN_CARET, nullptr));
    EXPECT_EQ(f.changes.size(), 2u);
    // Deleting a node with its children.
    t.SetSelected(a1);
    t.Delete(a);
    EXPECT_EQ(t.RootCount(), 1);
    EXPECT_EQ(::SendMessageW(w, TVM_GETCOUNT, 0, 0), 1);
    EXPECT_NE(t.Selected(), a1);
    t.ClearItems();
    EXPECT_EQ(t.Selected(), nullptr);
    EXPECT_EQ(::SendMessageW(w, TVM_GETCOUNT, 0, 0), 0);
}
