// MDI forms: the client window, children made through it and listed, the active child,
// arranging, maximising, closing, and the active child's menu merged into the frame's.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "TestForms.h"
#include "base/Text.h"

using namespace tv;

namespace {

const char* kFrame = R"(object MdiFrame: TForm
  Left = 40
  Top = 40
  Width = 640
  Height = 480
  Caption = 'Frame'
  FormStyle = fsMDIForm
  Menu = FrameMenu
  WindowMenu = Window1
  object FrameMenu: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      object New1: TMenuItem
        Caption = '&New'
      end
    end
    object Window1: TMenuItem
      Caption = '&Window'
      GroupIndex = 9
      object Cascade1: TMenuItem
        Caption = '&Cascade'
      end
    end
    object Help1: TMenuItem
      Caption = '&Help'
      GroupIndex = 10
      object About1: TMenuItem
        Caption = '&About'
      end
    end
  end
end
)";

const char* kChildWithMenu = R"(object DocChild: TForm
  Width = 300
  Height = 200
  Caption = 'Document'
  FormStyle = fsMDIChild
  Menu = ChildMenu
  object ChildMenu: TMainMenu
    object Doc1: TMenuItem
      Caption = '&Document'
      object Save1: TMenuItem
        Caption = '&Save'
      end
    end
    object Edit1: TMenuItem
      Caption = '&Edit'
      GroupIndex = 1
      object Copy1: TMenuItem
        Caption = '&Copy'
      end
    end
  end
end
)";

std::string MenuText(HMENU menu, int position) {
    wchar_t t[128] = {};
    ::GetMenuStringW(menu, UINT(position), t, 128, MF_BYPOSITION);
    return text::Narrow(t);
}

std::vector<std::string> BarCaptions(HMENU bar) {
    std::vector<std::string> out;
    for (int i = 0; i < ::GetMenuItemCount(bar); ++i) out.push_back(MenuText(bar, i));
    return out;
}

RECT RectInParent(HWND wnd) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    ::MapWindowPoints(nullptr, ::GetParent(wnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class MDIFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        frame = CreateComponent<TForm>(Application);
        ReadComponent(*frame, kFrame);
        frame->Show();
        Pump();
    }
    void TearDown() override {
        delete frame;
        Pump();
    }
    // A child owned by the frame; with a description, read from it.
    TForm* AddChild(const std::string& caption, const char* description = nullptr) {
        auto* child = new TForm(frame);
        if (description) ReadComponent(*child, description);
        else child->SetFormStyle(TFormStyle::fsMDIChild);
        child->SetText(caption);
        child->SetBounds(0, 0, 260, 180);
        child->Show();
        Pump();
        return child;
    }
    TForm* frame = nullptr;
};

}  // namespace

TEST_F(MDIFormTest, TheFrameHasAClientAndItsChildrenAreMadeThroughIt) {
    EXPECT_EQ(GetEnumPropByName(frame, "FormStyle"), "fsMDIForm");
    HWND client = frame->ClientHandle();
    ASSERT_NE(client, nullptr);
    wchar_t cls[64] = {};
    ::GetClassNameW(client, cls, 64);
    EXPECT_EQ(text::Narrow(cls), "MDIClient");
    EXPECT_EQ(::GetParent(client), frame->Handle());
    RECT frameClient{}, clientRect = RectInParent(client);
    ::GetClientRect(frame->Handle(), &frameClient);
    EXPECT_EQ(clientRect.right - clientRect.left, frameClient.right) << "the client fills the frame's client area";

    TForm* a = AddChild("Alpha");
    TForm* b = AddChild("Beta");
    TForm* c = AddChild("Gamma");
    EXPECT_EQ(frame->MDIChildCount(), 3);
    for (TForm* child : {a, b, c}) {
        EXPECT_EQ(::GetParent(child->Handle()), client);
        EXPECT_TRUE(::GetWindowLongW(child->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
        EXPECT_EQ(child->MDIParent(), frame);
        bool listed = false;
        for (int i = 0; i < frame->MDIChildCount(); ++i) listed = listed || frame->MDIChildren(i) == child;
        EXPECT_TRUE(listed) << child->GetText();
    }
    EXPECT_EQ(frame->ActiveMDIChild(), c) << "the newest child is active";
    EXPECT_EQ(frame->MDIChildren(0), c) << "the active child heads the list";

    frame->Next();
    Pump();
    EXPECT_NE(frame->ActiveMDIChild(), c);
    frame->Previous();
    Pump();
    EXPECT_EQ(frame->ActiveMDIChild(), c);

    // Set by name too, as a description does.
    auto* plain = CreateComponent<TForm>(Application);
    SetPropByName(plain, "FormStyle", "fsStayOnTop");
    EXPECT_EQ(plain->FormStyle(), TFormStyle::fsStayOnTop);
    plain->Show();
    EXPECT_TRUE(::GetWindowLongW(plain->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(plain->ClientHandle(), nullptr);
    delete plain;
}

TEST_F(MDIFormTest, CascadeStaggersAndTileSharesTheClient) {
    std::vector<TForm*> children{AddChild("One"), AddChild("Two"), AddChild("Three")};
    frame->Cascade();
    Pump();
    std::vector<RECT> rects;
    for (int i = 0; i < frame->MDIChildCount(); ++i) rects.push_back(RectInParent(frame->MDIChildren(i)->Handle()));
    std::sort(rects.begin(), rects.end(), [](const RECT& x, const RECT& y) { return x.top < y.top; });
    ASSERT_EQ(rects.size(), 3u);
    const int dx = rects[1].left - rects[0].left, dy = rects[1].top - rects[0].top;
    EXPECT_GT(dx, 0);
    EXPECT_GT(dy, 0);
    EXPECT_EQ(rects[2].left - rects[1].left, dx) << "one step between each";
    EXPECT_EQ(rects[2].top - rects[1].top, dy);

    RECT area{};
    ::GetClientRect(frame->ClientHandle(), &area);
    frame->Tile();
    Pump();
    long covered = 0;
    rects.clear();
    for (int i = 0; i < frame->MDIChildCount(); ++i) rects.push_back(RectInParent(frame->MDIChildren(i)->Handle()));
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const RECT& r = rects[i];
        EXPECT_GE(r.left, area.left);
        EXPECT_GE(r.top, area.top);
        EXPECT_LE(r.right, area.right);
        EXPECT_LE(r.bottom, area.bottom);
        covered += (r.right - r.left) * (r.bottom - r.top);
        for (std::size_t j = i + 1; j < rects.size(); ++j) {
            RECT overlap{};
            EXPECT_FALSE(::IntersectRect(&overlap, &r, &rects[j])) << "tiled children do not overlap";
        }
    }
    EXPECT_GT(covered, long(area.right) * area.bottom * 9 / 10) << "tiled children fill the client";

    // Icons moved anywhere line up along the client's bottom again.
    for (TForm* child : children) ::ShowWindow(child->Handle(), SW_MINIMIZE);
    Pump();
    ::SetWindowPos(children[0]->Handle(), nullptr, 150, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    frame->ArrangeIcons();
    Pump();
    const RECT first = RectInParent(children[0]->Handle());
    for (TForm* child : children) {
        ASSERT_TRUE(::IsIconic(child->Handle()));
        const RECT r = RectInParent(child->Handle());
        EXPECT_EQ(r.top, first.top) << "one row of icons";
        EXPECT_GT(r.top, area.bottom / 2) << "at the bottom of the client";
    }
}

TEST_F(MDIFormTest, MaximisedChildFillsTheClientAndRestoresToItsPlace) {
    TForm* a = AddChild("Alpha");
    TForm* b = AddChild("Beta");
    const RECT before = RectInParent(b->Handle());
    ::SendMessageW(frame->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(b->Handle()), 0);
    Pump();
    EXPECT_TRUE(::IsZoomed(b->Handle()));
    BOOL maximized = FALSE;
    ::SendMessageW(frame->ClientHandle(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    EXPECT_TRUE(maximized);
    RECT client{}, inner{};
    ::GetClientRect(frame->ClientHandle(), &client);
    ::GetClientRect(b->Handle(), &inner);
    EXPECT_EQ(inner.right, client.right) << "the maximised child's client area is the MDI client's";
    EXPECT_EQ(inner.bottom, client.bottom);
    // Another child activated while one is maximised is maximised in its turn.
    ::SendMessageW(frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(a->Handle()), 0);
    Pump();
    EXPECT_EQ(frame->ActiveMDIChild(), a);
    EXPECT_TRUE(::IsZoomed(a->Handle()));
    ::SendMessageW(frame->ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(a->Handle()), 0);
    ::SendMessageW(frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(b->Handle()), 0);
    ::SendMessageW(frame->ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(b->Handle()), 0);
    Pump();
    EXPECT_FALSE(::IsZoomed(b->Handle()));
    const RECT after = RectInParent(b->Handle());
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
}

TEST_F(MDIFormTest, ClosingAChildMinimisesItUnlessFreedAndTheClientForgetsIt) {
    TForm* a = AddChild("Alpha");
    TForm* b = AddChild("Beta");
    b->Close();
    Pump();
    EXPECT_TRUE(::IsIconic(b->Handle())) << "closed without a handler, a child goes to an icon";
    EXPECT_EQ(frame->MDIChildCount(), 2);

    b->OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caFree; };
    ::PostMessageW(b->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return frame->MDIChildCount() == 1; }));
    EXPECT_EQ(frame->ActiveMDIChild(), a);
    delete a;
    Pump();
    EXPECT_EQ(frame->MDIChildCount(), 0);
    EXPECT_EQ(frame->ActiveMDIChild(), nullptr);
}

TEST_F(MDIFormTest, TheActiveChildsMenuMergesByGroupIndexAndGoesWithIt) {
    HWND wnd = frame->Handle();
    const std::vector<std::string> own{"&File", "&Window", "&Help"};
    EXPECT_EQ(BarCaptions(::GetMenu(wnd)), own);

    TForm* doc = AddChild("Doc", kChildWithMenu);
    EXPECT_EQ(frame->ActiveMDIChild(), doc);
    EXPECT_EQ(BarCaptions(::GetMenu(wnd)), (std::vector<std::string>{"&Document", "&Edit", "&Window", "&Help"}))
        << "group 0 replaced, group 1 inserted in order";
    // The merged items work from the frame's bar.
    int saved = 0;
    auto* save = static_cast<TMenuItem*>(doc->FindComponent("Save1"));
    ASSERT_NE(save, nullptr);
    save->OnClick = [&](TObject*) { ++saved; };
    ::SendMessageW(wnd, WM_COMMAND, save->Command(), 0);
    EXPECT_EQ(saved, 1);

    // A child without a menu shows the frame's own; back to the child, its menu again.
    TForm* plain = AddChild("Plain");
    EXPECT_EQ(BarCaptions(::GetMenu(wnd)), own);
    ::SendMessageW(frame->ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(doc->Handle()), 0);
    Pump();
    EXPECT_EQ(BarCaptions(::GetMenu(wnd)).front(), "&Document");

    // A change to the child's menu shows at once.
    auto* edit = static_cast<TMenuItem*>(doc->FindComponent("Edit1"));
    edit->SetCaption("&Modify");
    EXPECT_EQ(MenuText(::GetMenu(wnd), 1), "&Modify");

    delete plain;
    delete doc;
    Pump();
    EXPECT_EQ(BarCaptions(::GetMenu(wnd)), own) << "the last child gone, the frame's own menu is back";
}

TEST_F(MDIFormTest, TheWindowMenuListsTheChildrenAndActivatesTheChosenOne) {
    TForm* a = AddChild("Alpha");
    TForm* b = AddChild("Beta");
    HMENU bar = ::GetMenu(frame->Handle());
    ASSERT_NE(bar, nullptr);
    HMENU list = ::GetSubMenu(bar, 1);
    ASSERT_NE(list, nullptr);
    std::vector<std::string> texts;
    UINT alphaId = 0;
    for (int i = 0; i < ::GetMenuItemCount(list); ++i) {
        const UINT id = ::GetMenuItemID(list, i);
        if (id < kFirstMDIChildCommand) continue;
        texts.push_back(MenuText(list, i));
        if (texts.back().find("Alpha") != std::string::npos) alphaId = id;
    }
    ASSERT_EQ(texts.size(), 2u) << "one entry per child after the menu's own items";
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const std::string& t) { return t.find("Beta") != std::string::npos; }));
    ASSERT_NE(alphaId, 0u);
    EXPECT_EQ(frame->ActiveMDIChild(), b);
    ::SendMessageW(frame->Handle(), WM_COMMAND, alphaId, 0);
    Pump();
    EXPECT_EQ(frame->ActiveMDIChild(), a) << "choosing the entry activates its child";
}
