// MDI frames and children under the skin: children skinned through the manager's hook,
// a maximized child's three buttons in the frame's skinned menu bar (clicked for real),
// merged-menu mode, arranging, the frame's own menu back after the last child, children
// keeping the system frame with xoMDIChildBorder, the client's scroll bars, and
// unskinning that gives back the frame and every child as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <cstdio>
#include <vector>

#include "SkinFormTestUtil.h"
#include "base/CallbackGuard.h"
#include "base/Text.h"
#include "skin/core/WinSkinDlg.h"

using namespace skin;
using namespace skintest;

namespace {

const char* kFrame = R"(object MdiFrame: TForm
  Left = 60
  Top = 60
  Width = 720
  Height = 520
  Caption = 'MDI frame'
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
      object Tile1: TMenuItem
        Caption = '&Tile'
      end
    end
  end
end
)";

const char* kChildMenu = R"(object DocChild: TForm
  FormStyle = fsMDIChild
  Menu = ChildMenu
  object ChildMenu: TMainMenu
    object Doc1: TMenuItem
      Caption = '&Document'
      object Save1: TMenuItem
        Caption = '&Save'
      end
    end
  end
end
)";

std::vector<std::wstring> BarCaptions(TWinSkinForm& s) {
    std::vector<std::wstring> out;
    if (TWinSkinMenu* bar = s.MenuBarSkin())
        for (int i = 0; i < bar->ItemCount(); ++i) out.push_back(bar->Item(i)->Caption);
    return out;
}

POINT ScreenCentre(HWND wnd, const RECT& windowRelative) {
    const RECT w = WindowRectOf(wnd);
    return {w.left + (windowRelative.left + windowRelative.right) / 2, w.top + (windowRelative.top + windowRelative.bottom) / 2};
}

class MDISkin : public ::testing::Test {
protected:
    void SetUp() override { Start({}); }
    void Start(tv::TSet<TSkinOption> extra) {
        data = LoadPackedSkin("daylight");
        ASSERT_TRUE(data && !data->SkinEmpty);
        data->Options = data->Options + extra;
        InstallFormSkinning();
        manager = &EnsureSkinManager();
        manager->InstallHook();
        manager->Enabled = true;
        manager->StartState = kManagerStarted;
        manager->AddSkinData(data.get());
        frame = tv::CreateComponent<tv::TForm>(tv::Application);
        tv::ReadComponent(*frame, kFrame);
        frame->Show();
        ::SetForegroundWindow(frame->Handle());
        Pump(100);
        frameSkinner = dynamic_cast<TWinSkinForm*>(manager->FindFormSkinner(frame->Handle()));
        if (!frameSkinner && manager->SkinWindow(frame->Handle()))
            frameSkinner = dynamic_cast<TWinSkinForm*>(manager->FindFormSkinner(frame->Handle()));
        ASSERT_NE(frameSkinner, nullptr);
        ASSERT_TRUE(PumpUntil([&] { return frameSkinner->SkinState() == kSkinSkinned; }));
    }
    void TearDown() override {
        delete frame;
        Pump();
        if (manager) manager->RemoveSkinData(data.get());
        FreeSkinManager();
    }
    tv::TForm* AddChild(const std::string& caption, int x, int y, const char* description = nullptr) {
        auto* child = new tv::TForm(frame);
        if (description) tv::ReadComponent(*child, description);
        else child->SetFormStyle(tv::TFormStyle::fsMDIChild);
        child->SetText(caption);
        child->SetBounds(x, y, 280, 190);
        child->OnClose = [](tv::TObject*, tv::TCloseAction& action) { action = tv::TCloseAction::caFree; };
        child->Show();
        PumpUntil([&] {
            auto* s = dynamic_cast<TWinSkinForm*>(manager->FindFormSkinner(child->Handle()));
            return s && s->SkinState() == kSkinSkinned;
        });
        return child;
    }
    TWinSkinForm* SkinnerOf(tv::TCustomForm* form) {
        return dynamic_cast<TWinSkinForm*>(manager->FindFormSkinner(form->Handle()));
    }
    // The frame's button with action, shown in its menu band; null when hidden.
    const TWinSysButton* BandButton(int action) {
        frameSkinner->PaintFrame();
        for (const auto& b : frameSkinner->CaptionButtons())
            if (b->Element.Action == action && b->Visible && b->Element.Visibility == kVisibilityMdiBand) return b.get();
        return nullptr;
    }
    const TWinSysButton* CaptionButton(TWinSkinForm& s, int action) {
        s.PaintFrame();
        for (const auto& b : s.CaptionButtons())
            if (b->Element.Action == action && b->Visible) return b.get();
        return nullptr;
    }
    // A child moved past the client's right and bottom edges, and the client showing its
    // scroll bars for it, as the system's client does on Windows (Wine's does not by itself).
    void PushBeyondTheClient(tv::TForm* child) {
        ::SetWindowPos(child->Handle(), nullptr, 600, 400, 300, 220, SWP_NOZORDER | SWP_NOACTIVATE);
        ::ShowScrollBar(frame->ClientHandle(), SB_BOTH, TRUE);
        Pump(100);
    }
    void Maximize(tv::TForm* child) {
        ::SendMessageW(frame->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child->Handle()), 0);
        PumpUntil([&] { return ::IsZoomed(child->Handle()) && BandButton(kActionMdiClose) != nullptr; });
        Pump(100);
    }
    // Clicks the band button of action for child (maximized first) until done holds. Under
    // Wine a press may land where the pointer was before, on a neighbouring button: the
    // child is then maximized again and the click made once more.
    bool ClickBandButton(tv::TForm* child, int action, const std::function<bool()>& done) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (!::IsZoomed(child->Handle())) Maximize(child);
            const TWinSysButton* button = BandButton(action);
            if (!button) return false;
            const POINT at = ScreenCentre(frame->Handle(), button->Bounds);
            MoveMouseTo(at);
            Pump(50);
            ClickAt(at);
            if (PumpUntil(done, 1500)) return true;
        }
        return false;
    }
    std::unique_ptr<TSkinData> data;
    TSkinManage* manager = nullptr;
    tv::TForm* frame = nullptr;
    TWinSkinForm* frameSkinner = nullptr;
};

class MDISkinChildBorder : public MDISkin {
protected:
    void SetUp() override { Start({TSkinOption::xoMDIChildBorder}); }
};

class MDISkinScrollBars : public MDISkin {
protected:
    void SetUp() override { Start({TSkinOption::xoMDIScrollbar}); }
};

}  // namespace

TEST_F(MDISkin, ChildrenAreSkinnedThroughTheHookAndTheClientShowsNoStockScrollBars) {
    EXPECT_EQ(frameSkinner->MDIKind(), kMdiFrame);
    EXPECT_EQ(frameSkinner->MDIClient(), frame->ClientHandle());
    EXPECT_EQ(manager->MDIClientWindow, frame->ClientHandle());
    EXPECT_EQ(manager->MDIMainForm, frame);
    tv::TForm* a = AddChild("Alpha", 10, 10);
    tv::TForm* b = AddChild("Beta", 60, 50);
    for (tv::TForm* child : {a, b}) {
        TWinSkinForm* s = SkinnerOf(child);
        ASSERT_NE(s, nullptr) << child->GetText();
        EXPECT_EQ(s->MDIKind(), kMdiChild);
        EXPECT_TRUE(s->SkinFrame());
        EXPECT_EQ(s->Owner(), child) << "the child's skinner belongs to its form";
        // The skinned frame: the client sits inside the skin's borders.
        const RECT w = WindowRectOf(child->Handle());
        POINT origin{0, 0};
        ::ClientToScreen(child->Handle(), &origin);
        EXPECT_EQ(origin.x - w.left, s->Metrics().left);
    }
    // A child pushed past the client's edges would bring the client's stock scroll bars.
    PushBeyondTheClient(b);
    Pump(200);
    const LONG style = ::GetWindowLongW(frame->ClientHandle(), GWL_STYLE);
    EXPECT_FALSE(style & (WS_HSCROLL | WS_VSCROLL));
    RECT window = WindowRectOf(frame->ClientHandle()), client{};
    ::GetClientRect(frame->ClientHandle(), &client);
    const int edge = ::GetSystemMetrics(SM_CXEDGE);
    EXPECT_EQ(client.right, SizeOf(window).cx - 2 * edge) << "no room kept for a scroll bar";
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof sbi;
    if (::GetScrollBarInfo(frame->ClientHandle(), OBJID_VSCROLL, &sbi))
        EXPECT_TRUE(sbi.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE));
}

TEST_F(MDISkin, AMaximizedChildsButtonsInTheMenuBarMinimizeRestoreAndCloseIt) {
    tv::TForm* a = AddChild("Alpha", 10, 10);
    tv::TForm* b = AddChild("Beta", 50, 40);
    EXPECT_EQ(BandButton(kActionMdiRestore), nullptr) << "no child maximized, no buttons in the band";
    const RECT band = frameSkinner->CurrentLayout().menuBand;
    const raster::Bitmap bandBefore = CaptureScreen(
        {WindowRectOf(frame->Handle()).left + band.left, WindowRectOf(frame->Handle()).top + band.top,
         WindowRectOf(frame->Handle()).left + band.right, WindowRectOf(frame->Handle()).top + band.bottom});

    // Maximized by its own skinned caption button, clicked.
    TWinSkinForm* bs = SkinnerOf(b);
    ASSERT_NE(bs, nullptr);
    const TWinSysButton* max = CaptionButton(*bs, kActionMaximize);
    ASSERT_NE(max, nullptr);
    ASSERT_TRUE(ClickUntil(ScreenCentre(b->Handle(), max->Bounds), [&] { return ::IsZoomed(b->Handle()) != FALSE; }));
    EXPECT_TRUE(PumpUntil([&] { return manager->MergedMenuMode && BandButton(kActionMdiClose) != nullptr; }));
    // No second caption: the child's client area is the whole MDI client.
    RECT clientArea{}, childClient{};
    ::GetClientRect(frame->ClientHandle(), &clientArea);
    ::GetClientRect(b->Handle(), &childClient);
    EXPECT_EQ(childClient.right, clientArea.right);
    EXPECT_EQ(childClient.bottom, clientArea.bottom);
    for (int action : {kActionMdiMinimize, kActionMdiRestore, kActionMdiClose}) {
        const TWinSysButton* button = BandButton(action);
        ASSERT_NE(button, nullptr) << action;
        EXPECT_GE(button->Bounds.top, band.top);
        EXPECT_LE(button->Bounds.bottom, band.bottom);
        EXPECT_GT(button->Bounds.left, (band.left + band.right) / 2) << "at the right end of the band";
    }
    EXPECT_LT(BandButton(kActionMdiMinimize)->Bounds.left, BandButton(kActionMdiClose)->Bounds.left);
    const RECT close = BandButton(kActionMdiClose)->Bounds;
    auto changedPixels = [&] {
        const raster::Bitmap bandAfter = CaptureScreen(
            {WindowRectOf(frame->Handle()).left + band.left, WindowRectOf(frame->Handle()).top + band.top,
             WindowRectOf(frame->Handle()).left + band.right, WindowRectOf(frame->Handle()).top + band.bottom});
        int changed = 0;
        if (bandAfter.Width() != bandBefore.Width() || bandAfter.Height() != bandBefore.Height()) return changed;
        for (int y = close.top - band.top; y < close.bottom - band.top; ++y)
            for (int x = close.left - band.left; x < close.right - band.left; ++x)
                if (bandAfter.GetPixel(x, y) != bandBefore.GetPixel(x, y)) ++changed;
        return changed;
    };
    EXPECT_TRUE(PumpUntil([&] { return changedPixels() > 10; })) << "the close button is drawn in the band";

    // Restore.
    ASSERT_TRUE(ClickBandButton(b, kActionMdiRestore, [&] { return !::IsZoomed(b->Handle()) && !::IsIconic(b->Handle()); }));
    EXPECT_TRUE(PumpUntil([&] { return !manager->MergedMenuMode; })) << "restoring leaves merged-menu mode";
    EXPECT_EQ(BandButton(kActionMdiRestore), nullptr);

    // Minimize.
    ASSERT_TRUE(ClickBandButton(b, kActionMdiMinimize, [&] { return ::IsIconic(b->Handle()) != FALSE; }));
    ::SendMessageW(frame->ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(b->Handle()), 0);
    Pump(100);

    // Close: the child goes.
    const int before = frame->MDIChildCount();
    ASSERT_TRUE(ClickBandButton(a, kActionMdiClose, [&] { return frame->MDIChildCount() == before - 1; }));
    EXPECT_EQ(frame->ActiveMDIChild(), b);
}

TEST_F(MDISkin, CascadeAndTileArrangeTheChildrenAndLeaveMergedMode) {
    AddChild("One", 0, 0);
    AddChild("Two", 30, 30);
    tv::TForm* c = AddChild("Three", 200, 20);
    Maximize(c);
    ASSERT_TRUE(manager->MergedMenuMode);
    frame->Cascade();
    Pump(150);
    EXPECT_FALSE(manager->MergedMenuMode);
    EXPECT_FALSE(::IsZoomed(c->Handle()));
    std::vector<RECT> rects;
    for (int i = 0; i < frame->MDIChildCount(); ++i) rects.push_back(WindowRectOf(frame->MDIChildren(i)->Handle()));
    std::sort(rects.begin(), rects.end(), [](const RECT& x, const RECT& y) { return x.top < y.top; });
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_GT(rects[1].left, rects[0].left);
    EXPECT_GT(rects[2].top, rects[1].top);
    for (int i = 0; i < frame->MDIChildCount(); ++i) {
        TWinSkinForm* s = SkinnerOf(frame->MDIChildren(i));
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->ShowState(), kShowNormal);
        EXPECT_TRUE(s->HasRegion()) << "restored children get their outline back";
    }

    Maximize(c);
    ASSERT_TRUE(manager->MergedMenuMode);
    frame->Tile();
    Pump(150);
    EXPECT_FALSE(manager->MergedMenuMode);
    RECT area{};
    ::GetClientRect(frame->ClientHandle(), &area);
    ::MapWindowPoints(frame->ClientHandle(), nullptr, reinterpret_cast<POINT*>(&area), 2);
    for (int i = 0; i < frame->MDIChildCount(); ++i) {
        const RECT r = WindowRectOf(frame->MDIChildren(i)->Handle());
        EXPECT_GE(r.left, area.left);
        EXPECT_LE(r.right, area.right);
        EXPECT_LE(r.bottom, area.bottom);
    }
}

TEST_F(MDISkin, TheLastChildGoneTheFramesOwnMenuIsBack) {
    const std::vector<std::wstring> own = BarCaptions(*frameSkinner);
    ASSERT_EQ(own, (std::vector<std::wstring>{L"&File", L"&Window"}));
    const bool saved = data->MenuUpdate;
    tv::TForm* doc = AddChild("Doc", 10, 10, kChildMenu);
    EXPECT_FALSE(data->MenuUpdate) << "off while children are made";
    EXPECT_EQ(BarCaptions(*frameSkinner), (std::vector<std::wstring>{L"&Document", L"&Window"}))
        << "the child's menu merged, read again from WM_MDISETMENU";
    EXPECT_EQ(::GetMenu(frame->Handle()), nullptr) << "the system draws no menu bar";
    tv::TForm* plain = AddChild("Plain", 40, 40);
    EXPECT_EQ(BarCaptions(*frameSkinner), own);
    Maximize(doc);
    EXPECT_EQ(BarCaptions(*frameSkinner).front(), L"&Document") << "no system buttons among the items";
    ::PostMessageW(doc->Handle(), WM_CLOSE, 0, 0);
    ::PostMessageW(plain->Handle(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return frame->MDIChildCount() == 0; }));
    Pump(100);
    EXPECT_EQ(BarCaptions(*frameSkinner), own);
    EXPECT_EQ(data->MenuUpdate, saved);
    EXPECT_FALSE(manager->MergedMenuMode);
}

TEST_F(MDISkin, ChildrenMinimizeAndRestoreByTheirSkinnedCaptionButtons) {
    tv::TForm* a = AddChild("Alpha", 20, 20);
    TWinSkinForm* s = SkinnerOf(a);
    ASSERT_NE(s, nullptr);
    const TWinSysButton* min = CaptionButton(*s, kActionMinimize);
    ASSERT_NE(min, nullptr);
    ASSERT_TRUE(ClickUntil(ScreenCentre(a->Handle(), min->Bounds), [&] { return ::IsIconic(a->Handle()) != FALSE; }));
    Pump(150);
    EXPECT_EQ(s->ShowState(), kShowMinimized);
    // Minimized, the button brings it back.
    min = CaptionButton(*s, kActionMinimize);
    ASSERT_NE(min, nullptr);
    ASSERT_TRUE(ClickUntil(ScreenCentre(a->Handle(), min->Bounds), [&] { return !::IsIconic(a->Handle()); }));
    Pump(150);
    EXPECT_EQ(s->ShowState(), kShowNormal);
    EXPECT_TRUE(s->HasRegion());
}

TEST_F(MDISkin, AChildClosedByItsSkinnedCloseButtonGoesAndTheOtherTakesOver) {
    tv::TForm* a = AddChild("Alpha", 20, 20);
    tv::TForm* b = AddChild("Beta", 120, 90);
    ASSERT_EQ(frame->ActiveMDIChild(), b);
    const HWND gone = b->Handle();
    TWinSkinForm* s = SkinnerOf(b);
    ASSERT_NE(s, nullptr);
    const TWinSysButton* close = CaptionButton(*s, kActionClose);
    ASSERT_NE(close, nullptr);
    ASSERT_TRUE(ClickUntil(ScreenCentre(gone, close->Bounds), [&] { return !::IsWindow(gone); }))
        << "the close button did not close the child";
    Pump(150);
    EXPECT_EQ(frame->MDIChildCount(), 1);
    EXPECT_EQ(manager->FindFormSkinner(gone), nullptr) << "the skinner outlived its window";
    EXPECT_EQ(frame->ActiveMDIChild(), a);
    TWinSkinForm* left = SkinnerOf(a);
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->SkinState(), kSkinSkinned);
    EXPECT_EQ(frameSkinner->SkinState(), kSkinSkinned);
    EXPECT_TRUE(::IsWindowVisible(a->Handle()));
}

TEST_F(MDISkinScrollBars, WithTheOptionTheClientKeepsItsScrollBars) {
    AddChild("Alpha", 10, 10);
    tv::TForm* b = AddChild("Beta", 60, 50);
    PushBeyondTheClient(b);
    EXPECT_TRUE(PumpUntil([&] {
        return (::GetWindowLongW(frame->ClientHandle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) == (WS_HSCROLL | WS_VSCROLL);
    })) << "a child beyond both edges brings both scroll bars";
}

TEST_F(MDISkin, AChildDraggedByItsSkinnedCaptionMovesInsideTheClient) {
    tv::TForm* a = AddChild("Alpha", 20, 20);
    TWinSkinForm* s = SkinnerOf(a);
    ASSERT_NE(s, nullptr);
    const RECT start = WindowRectOf(a->Handle());
    const int grabX = start.left + SizeOf(start).cx / 3, grabY = start.top + s->Metrics().top / 2;
    ASSERT_EQ(HitAt(a->Handle(), grabX - start.left, grabY - start.top), HTCAPTION);
    wchar_t args[256];
    std::swprintf(args, 256, L"mousemove %d %d sleep 0.2 mousedown 1 sleep 0.2 mousemove %d %d sleep 0.2 mousemove %d %d "
                             L"sleep 0.3 mouseup 1 sleep 0.2",
                  grabX, grabY, grabX + 20, grabY + 10, grabX + 60, grabY + 40);
    ASSERT_TRUE(RunXdotool(args)) << "xdotool did not run";
    Pump(100);
    const RECT moved = WindowRectOf(a->Handle());
    EXPECT_EQ(moved.left - start.left, 60);
    EXPECT_EQ(moved.top - start.top, 40);
    EXPECT_EQ(SizeOf(moved).cx, SizeOf(start).cx);
    POINT origin{0, 0};
    ::ClientToScreen(a->Handle(), &origin);
    EXPECT_EQ(origin.x - moved.left, s->Metrics().left) << "still in its skinned frame";
    EXPECT_TRUE(s->HasRegion());
}

TEST_F(MDISkinChildBorder, ChildrenKeepTheSystemFrame) {
    tv::TForm* a = AddChild("Alpha", 20, 20);
    TWinSkinForm* s = SkinnerOf(a);
    ASSERT_NE(s, nullptr);
    EXPECT_FALSE(s->SkinFrame());
    const RECT w = WindowRectOf(a->Handle());
    POINT origin{0, 0};
    ::ClientToScreen(a->Handle(), &origin);
    RECT stock{0, 0, 0, 0};
    ::AdjustWindowRectEx(&stock, DWORD(::GetWindowLongW(a->Handle(), GWL_STYLE)), FALSE,
                         DWORD(::GetWindowLongW(a->Handle(), GWL_EXSTYLE)));
    EXPECT_EQ(origin.x - w.left, -stock.left);
    EXPECT_EQ(origin.y - w.top, -stock.top);
    Maximize(a);
    EXPECT_TRUE(frameSkinner->SkinFrame()) << "the frame itself is skinned";
    ::SendMessageW(frame->ClientHandle(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(a->Handle()), 0);
    Pump(100);
    EXPECT_FALSE(s->HasRegion());
}

TEST_F(MDISkin, UnskinningGivesBackTheFrameAndEveryChild) {
    tv::TForm* a = AddChild("Alpha", 10, 10);
    tv::TForm* b = AddChild("Beta", 80, 60);
    (void)a;
    (void)b;
    // What the unskinned windows look like, for comparison: the skin off and on again.
    manager->PostCommand(kCommandUnskin, 0, data.get());
    manager->RunCommand();
    Pump(100);
    struct Look {
        HWND wnd;
        SIZE client;
        LONG style;
        RECT inParent;
    };
    auto looks = [&] {
        std::vector<Look> out;
        for (HWND w : {frame->Handle(), a->Handle(), b->Handle()}) {
            RECT r = WindowRectOf(w);
            if (::GetParent(w)) ::MapWindowPoints(nullptr, ::GetParent(w), reinterpret_cast<POINT*>(&r), 2);
            out.push_back({w, SizeOf(ClientRectOf(w)), ::GetWindowLongW(w, GWL_STYLE), r});
        }
        return out;
    };
    const std::vector<Look> stock = looks();
    const HMENU stockMenu = ::GetMenu(frame->Handle());
    const LONG_PTR clientProc = ::GetWindowLongPtrW(frame->ClientHandle(), GWLP_WNDPROC);
    ASSERT_NE(stockMenu, nullptr);

    manager->PostCommand(kCommandSkin, 0, data.get());
    manager->RunCommand();
    Pump(200);
    ASSERT_NE(manager->FindFormSkinner(b->Handle()), nullptr);
    EXPECT_NE(::GetWindowLongPtrW(frame->ClientHandle(), GWLP_WNDPROC), clientProc);
    manager->PostCommand(kCommandUnskin, 0, data.get());
    manager->RunCommand();
    Pump(200);
    const std::vector<Look> again = looks();
    for (std::size_t i = 0; i < stock.size(); ++i) {
        EXPECT_EQ(again[i].client.cx, stock[i].client.cx) << i;
        EXPECT_EQ(again[i].client.cy, stock[i].client.cy) << i;
        EXPECT_EQ(again[i].style, stock[i].style) << i;
        EXPECT_EQ(again[i].inParent.left, stock[i].inParent.left) << i;
        EXPECT_EQ(again[i].inParent.top, stock[i].inParent.top) << i;
        EXPECT_EQ(again[i].inParent.right, stock[i].inParent.right) << i;
        EXPECT_EQ(again[i].inParent.bottom, stock[i].inParent.bottom) << i;
        HRGN probe = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(::GetWindowRgn(again[i].wnd, probe), ERROR) << "no region left on " << i;
        tv::OwnedRegion owned(probe);
    }
    EXPECT_EQ(::GetMenu(frame->Handle()), stockMenu);
    EXPECT_EQ(::GetWindowLongPtrW(frame->ClientHandle(), GWLP_WNDPROC), clientProc);
}

namespace {
HMENU menuSeenOpen = nullptr;
void CALLBACK LookAtTheOpenMenu(HWND, UINT, UINT_PTR id, DWORD) {
    base::Guarded([&] {
        ::KillTimer(nullptr, id);
        menuSeenOpen = TWinSkinMenu::TrackedMenu();
        ::EndMenu();
    });
}
}  // namespace

TEST_F(MDISkin, AltAndALetterInAChildOpenTheFramesSkinnedMenu) {
    tv::TForm* a = AddChild("Alpha", 20, 20);
    auto* file = dynamic_cast<tv::TMenuItem*>(frame->FindComponent("File1"));
    ASSERT_NE(file, nullptr);
    // The drop-down runs until the timer ends it.
    auto openedBy = [&](const std::function<void()>& press) {
        menuSeenOpen = nullptr;
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 300, LookAtTheOpenMenu);
        EXPECT_NE(timer, 0u);
        press();
        ::KillTimer(nullptr, timer);
        return menuSeenOpen;
    };
    // What Alt+F in the child's window becomes.
    EXPECT_EQ(openedBy([&] { ::SendMessageW(a->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f'); }), file->Handle())
        << "the frame's File drop-down, from its skinned bar";
    EXPECT_FALSE(TWinSkinMenu::Tracking());
    // What a control of the child hands its form for Alt+F. The child has no menu bar of
    // its own: it passes the character on to its frame, whose bar opens File.
    LRESULT used = 0;
    EXPECT_EQ(openedBy([&] { used = AltLetter(*a, 'f'); }), file->Handle())
        << "the frame's File drop-down, from its skinned bar";
    EXPECT_EQ(used, 1) << "the key was used by the frame";
    // A letter the frame's bar does not know is nobody's.
    EXPECT_EQ(AltLetter(*a, 'q'), 0);
}
