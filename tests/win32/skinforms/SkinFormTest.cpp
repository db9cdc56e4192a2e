// The form skinner on a framework form and on a system dialog: frame size, hit testing,
// the pixels on the screen, the region, unskinning, re-skinning and the window's end.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "FailingAllocation.h"
#include "base/CallbackGuard.h"
#include "framework/LiveHandles.h"
#include "SkinFormTestUtil.h"
#include "raster/Blit.h"
#include "raster/Slices.h"
#include "skin/core/WinSkinDlg.h"
#include "skin/resources/ImgUtil.h"
#include "skin/core/SkinModel.h"
#include "skin/forms/FrameGeometry.h"

using namespace skin;
using namespace skintest;

namespace {

int Thickness(const TDataSkinBorder& side, bool vertical) {
    return (vertical ? side.Bitmap.Height() : side.Bitmap.Width()) / side.FrameCount();
}

// A side of the frame as the skin draws it at w x h, in the given state's frame.
raster::Bitmap SideImage(const TDataSkinBorder& side, bool vertical, int w, int h, int frame) {
    return raster::RenderElementImage({0, 0, w, h}, side.Bitmap, side.Margins(), vertical, side.Tile != 1,
                                      side.FrameCount(), frame);
}

// Pixels of want that are not the key colour and differ on the screen at (dx, dy).
int Mismatches(const raster::Bitmap& screen, int dx, int dy, const raster::Bitmap& want) {
    int bad = 0;
    for (int y = 0; y < want.Height(); ++y)
        for (int x = 0; x < want.Width(); ++x) {
            const raster::Color c = want.GetPixel(x, y);
            if (c != raster::kKeyColor && screen.GetPixel(dx + x, dy + y) != c) ++bad;
        }
    return bad;
}

const TDataSkinSysButton* ButtonWithAction(const TSkinData& data, int action, int visibility = -1) {
    for (const auto& b : data.SysButtons)
        if (b && b->Action == action && (visibility < 0 || b->Visibility == visibility)) return b.get();
    return nullptr;
}

// Where the skin puts a button of a window w wide (the alignments our skins use).
RECT ButtonPlace(const TDataSkinSysButton& b, int w) {
    const int bw = b.Bitmap.Width() / b.FrameCount(), bh = b.Bitmap.Height();
    const int x = b.Align == 1 ? w - b.Xcoord : b.Xcoord;
    return {x, b.Ycoord, x + bw, b.Ycoord + bh};
}

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

bool SameRect(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

bool SameSize(const RECT& a, const RECT& b) { return SizeOf(a).cx == SizeOf(b).cx && SizeOf(a).cy == SizeOf(b).cy; }

// A skinned framework form, freed skinner first.
struct SkinnedForm {
    explicit SkinnedForm(TSkinData& data, const std::string& caption = "Skinned form") {
        form = MakeForm(caption);
        wnd = form->Handle();
        clientBefore = ClientRectOf(wnd);
        skinner = std::make_unique<TWinSkinForm>(nullptr, wnd);
        skinner->AttachForm(&data, form);
        Activate(*skinner);
    }
    ~SkinnedForm() {
        skinner.reset();
        delete form;
        Pump(10);
    }
    tv::TForm* form = nullptr;
    HWND wnd = nullptr;
    RECT clientBefore{};
    std::unique_ptr<TWinSkinForm> skinner;
};

}  // namespace

TEST(FrameGeometry, HitTestOfEdgesCornersCaptionAndButtons) {
    const FrameMetrics m{4, 30, 5, 6, 0};
    const FrameLayout f = LayoutFrame(m, 200, 150, false);
    const RECT client{4, 30, 195, 144};
    EXPECT_TRUE(EqualRect(&f.client, &client));
    EXPECT_EQ(FrameHitTest(f, {100, 80}, true, HTNOWHERE), HTCLIENT);
    EXPECT_EQ(FrameHitTest(f, {100, 15}, true, HTNOWHERE), HTCAPTION);
    EXPECT_EQ(FrameHitTest(f, {100, 15}, true, HTCLOSE), HTCLOSE) << "a button wins over the caption";
    EXPECT_EQ(FrameHitTest(f, {100, 1}, true, HTNOWHERE), HTTOP);
    EXPECT_EQ(FrameHitTest(f, {100, 1}, false, HTNOWHERE), HTCAPTION) << "no sizing without a sizing frame";
    EXPECT_EQ(FrameHitTest(f, {0, 80}, true, HTNOWHERE), HTLEFT);
    EXPECT_EQ(FrameHitTest(f, {195, 80}, true, HTNOWHERE), HTRIGHT);
    EXPECT_EQ(FrameHitTest(f, {194, 80}, true, HTNOWHERE), HTCLIENT);
    EXPECT_EQ(FrameHitTest(f, {100, 144}, true, HTNOWHERE), HTBOTTOM);
    EXPECT_EQ(FrameHitTest(f, {100, 144}, false, HTNOWHERE), HTBORDER);
    EXPECT_EQ(FrameHitTest(f, {2, 10}, true, HTNOWHERE), HTTOPLEFT) << "the side's grip reaches down the corner";
    EXPECT_EQ(FrameHitTest(f, {10, 2}, true, HTNOWHERE), HTTOPLEFT) << "the top's grip reaches along the corner";
    EXPECT_EQ(FrameHitTest(f, {199, 0}, true, HTNOWHERE), HTTOPRIGHT);
    EXPECT_EQ(FrameHitTest(f, {1, 149}, true, HTNOWHERE), HTBOTTOMLEFT);
    EXPECT_EQ(FrameHitTest(f, {190, 148}, true, HTNOWHERE), HTBOTTOMRIGHT);
    EXPECT_EQ(FrameHitTest(f, {200, 80}, true, HTNOWHERE), HTNOWHERE);
    EXPECT_EQ(FrameHitTest(f, {-1, 80}, true, HTNOWHERE), HTNOWHERE);

    const FrameLayout withMenu = LayoutFrame({4, 30, 5, 6, 19}, 200, 150, false);
    EXPECT_EQ(FrameHitTest(withMenu, {100, 35}, true, HTNOWHERE), HTMENU);
    EXPECT_EQ(withMenu.client.top, 49);

    const FrameLayout tiny = LayoutFrame(m, 6, 20, false);
    EXPECT_LE(tiny.client.left, tiny.client.right) << "a window smaller than its frame has no inverted client area";
    EXPECT_LE(tiny.client.top, tiny.client.bottom);
    EXPECT_EQ(FrameHitTest(LayoutFrame(m, 200, 30, true), {100, 20}, true, HTNOWHERE), HTCAPTION)
        << "a minimized window is all caption";
}

TEST(FrameGeometry, ButtonVisibilityRules) {
    TDataSkinSysButton e("b");
    ButtonFacts f;
    f.maxBox = f.minBox = f.sysMenu = true;
    e.Action = kActionMaximize;
    e.Visibility = 2;  // not maximized
    EXPECT_TRUE(ButtonVisible(e, f));
    f.maximized = true;
    EXPECT_FALSE(ButtonVisible(e, f));
    e.Visibility = 1;
    EXPECT_TRUE(ButtonVisible(e, f));
    e.Visibility1 = 6;
    f.minBox = f.maxBox = false;
    EXPECT_FALSE(ButtonVisible(e, f)) << "both rules must hold";
    EXPECT_FALSE(ButtonEnabled(e, f));

    e.Visibility = e.Visibility1 = 0;
    e.Action = kActionClose;
    EXPECT_TRUE(ButtonVisible(e, f));
    f.sysMenu = false;
    EXPECT_FALSE(ButtonVisible(e, f)) << "no close button without a system menu";

    e.Action = kActionSysMenu;
    f.borderKind = kBorderDialog;
    EXPECT_FALSE(ButtonVisible(e, f)) << "dialogs show no icon";
    f.borderKind = kBorderSizeable;
    EXPECT_TRUE(ButtonVisible(e, f));

    e.Action = 40;
    e.Visibility = 1500;
    int asked = 0;
    f.askHost = [&](int visibility, int action) {
        ++asked;
        EXPECT_EQ(visibility, 1500);
        EXPECT_EQ(action, 40);
        return asked == 1 ? 1LL : 0LL;
    };
    EXPECT_TRUE(ButtonVisible(e, f));
    EXPECT_FALSE(ButtonVisible(e, f)) << "an answer of 0 hides it";
    e.Visibility = -1;
    EXPECT_FALSE(ButtonVisible(e, f));
    e.Visibility = 0;
    e.Visibility1 = 100;
    EXPECT_TRUE(ButtonVisible(e, f)) << "Visibility1 100 repeats the first rule";
}

TEST(FormSkinner, FrameworkFormKeepsItsClientAreaInsideTheSkinsFrame) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty) << (data ? data->LoadError : "no skin resource");
    tv::TForm* form = MakeForm("Client size");
    const HWND wnd = form->Handle();
    const RECT client = ClientRectOf(wnd);
    auto skinner = std::make_unique<TWinSkinForm>(nullptr, wnd);
    skinner->AttachForm(data.get(), form);
    EXPECT_TRUE(skinner->Subclassed());
    EXPECT_EQ(skinner->SkinState(), kSkinAttached);
    EXPECT_EQ(::SendMessageW(wnd, SKM_FRAMEQUERY, 0, kSkinMarker), kSkinMarker);
    EXPECT_EQ(::SendMessageW(wnd, SKM_ISSKINNED, 0, 0), 1);
    const RECT before = WindowRectOf(wnd);
    Pump(30);
    EXPECT_TRUE(SameSize(WindowRectOf(wnd), before)) << "nothing changes before the set-up completes";

    Activate(*skinner);
    EXPECT_EQ(skinner->SkinState(), kSkinSkinned);
    EXPECT_TRUE(skinner->Activated());
    const RECT after = ClientRectOf(wnd);
    EXPECT_EQ(SizeOf(after).cx, SizeOf(client).cx);
    EXPECT_EQ(SizeOf(after).cy, SizeOf(client).cy);
    const SIZE window = SizeOf(WindowRectOf(wnd));
    const int l = Thickness(*data->BorderLeft, false), r = Thickness(*data->BorderRight, false);
    const int t = Thickness(*data->BorderTop, true), b = Thickness(*data->BorderBottom, true);
    EXPECT_EQ(window.cx, SizeOf(client).cx + l + r);
    EXPECT_EQ(window.cy, SizeOf(client).cy + t + b);
    POINT origin{0, 0};
    ::ClientToScreen(wnd, &origin);
    EXPECT_EQ(origin.x - WindowRectOf(wnd).left, l);
    EXPECT_EQ(origin.y - WindowRectOf(wnd).top, t);

    // Resizing by the program keeps the skinned proportions.
    ::SetWindowPos(wnd, nullptr, 0, 0, window.cx + 50, window.cy + 30, SWP_NOMOVE | SWP_NOZORDER);
    Pump(30);
    EXPECT_EQ(SizeOf(ClientRectOf(wnd)).cx, window.cx + 50 - l - r);
    EXPECT_EQ(SizeOf(ClientRectOf(wnd)).cy, window.cy + 30 - t - b);
    skinner.reset();
    delete form;
}

TEST(FormSkinner, HitTestingFindsWhatIsPaintedThere) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    SkinnedForm s(*data);
    const SIZE size = SizeOf(WindowRectOf(s.wnd));
    const int w = size.cx, h = size.cy;
    const FrameMetrics& m = s.skinner->Metrics();
    EXPECT_EQ(HitAt(s.wnd, 1, h / 2), HTLEFT);
    EXPECT_EQ(HitAt(s.wnd, w - 2, h / 2), HTRIGHT);
    EXPECT_EQ(HitAt(s.wnd, w / 2, h - 2), HTBOTTOM);
    EXPECT_EQ(HitAt(s.wnd, w / 2, 1), HTTOP);
    EXPECT_EQ(HitAt(s.wnd, 3, 3), HTTOPLEFT);
    EXPECT_EQ(HitAt(s.wnd, w - 3, h - 3), HTBOTTOMRIGHT);
    EXPECT_EQ(HitAt(s.wnd, w / 2, m.top / 2), HTCAPTION);
    EXPECT_EQ(HitAt(s.wnd, w / 2, h / 2), HTCLIENT);

    const raster::Bitmap screen = CaptureScreen(WindowRectOf(s.wnd));
    const struct {
        int action, visibility, code;
    } shown[] = {{kActionClose, -1, HTCLOSE}, {kActionMaximize, 2, HTMAXBUTTON}, {kActionMinimize, -1, HTMINBUTTON}};
    for (const auto& want : shown) {
        const TDataSkinSysButton* b = ButtonWithAction(*data, want.action, want.visibility);
        ASSERT_NE(b, nullptr) << "action " << want.action;
        const RECT place = ButtonPlace(*b, w);
        const POINT c = Centre(place);
        EXPECT_EQ(HitAt(s.wnd, c.x, c.y), want.code) << "action " << want.action;
        // The button's normal frame is on the screen at that very place.
        const raster::Bitmap normal = raster::RenderStripImage({0, 0, SizeOf(place).cx, SizeOf(place).cy}, b->Bitmap,
                                                               b->FrameCount(), 1);
        EXPECT_EQ(Mismatches(screen, place.left, place.top, normal), 0) << "action " << want.action;
    }
    const TDataSkinSysButton* icon = ButtonWithAction(*data, kActionSysMenu);
    ASSERT_NE(icon, nullptr);
    const POINT c = Centre(ButtonPlace(*icon, w));
    EXPECT_EQ(HitAt(s.wnd, c.x, c.y), HTSYSMENU);
    const TDataSkinSysButton* help = ButtonWithAction(*data, kActionHelp);
    ASSERT_NE(help, nullptr);
    const TWinSysButton* helpButton = nullptr;
    for (const auto& button : s.skinner->CaptionButtons())
        if (&button->Element == help) helpButton = button.get();
    ASSERT_NE(helpButton, nullptr);
    EXPECT_FALSE(helpButton->Visible) << "a form with minimize and maximize boxes shows no help button";
}

TEST(FormSkinner, FramePixelsComeFromTheSkinActiveAndInactive) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    SkinnedForm s(*data);
    const FrameMetrics& m = s.skinner->Metrics();
    for (int frame : {1, 2}) {
        SCOPED_TRACE(frame == 1 ? "active" : "inactive");
        tv::TForm* other = nullptr;
        if (frame == 2) {
            other = MakeForm("In front", 120, 60);
            ::SetWindowPos(other->Handle(), HWND_TOP, 700, 600, 0, 0, SWP_NOSIZE);
            Pump(100);
            EXPECT_FALSE(s.skinner->DrawnActive());
        }
        const SIZE size = SizeOf(WindowRectOf(s.wnd));
        const raster::Bitmap screen = CaptureScreen(WindowRectOf(s.wnd));
        EXPECT_EQ(Mismatches(screen, 0, 0, SideImage(*data->BorderLeft, false, m.left, size.cy, frame)), 0);
        EXPECT_EQ(Mismatches(screen, size.cx - m.right, 0, SideImage(*data->BorderRight, false, m.right, size.cy, frame)), 0);
        EXPECT_EQ(Mismatches(screen, m.left, size.cy - m.bottom,
                             SideImage(*data->BorderBottom, true, size.cx - m.left - m.right, m.bottom, frame)), 0);
        // The caption between the text and the buttons shows the top side itself.
        const raster::Bitmap top = SideImage(*data->BorderTop, true, size.cx - m.left - m.right, m.top, frame);
        const raster::Bitmap column = raster::CopyPart(top, {size.cx / 2 - m.left, 0, size.cx / 2 - m.left + 1, m.top});
        EXPECT_EQ(Mismatches(screen, size.cx / 2, 0, column), 0);
        delete other;
    }
}

TEST(FormSkinner, RegionLeavesOutTheKeyColouredPartsOfTheFrame) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    SkinnedForm s(*data);
    EXPECT_TRUE(s.skinner->HasRegion());
    for (int grow : {0, 40}) {
        if (grow) {
            const SIZE size = SizeOf(WindowRectOf(s.wnd));
            ::SetWindowPos(s.wnd, nullptr, 0, 0, size.cx + grow, size.cy + grow, SWP_NOMOVE | SWP_NOZORDER);
            Pump(30);
        }
        const SIZE size = SizeOf(WindowRectOf(s.wnd));
        tv::OwnedRegion rgn(::CreateRectRgn(0, 0, 0, 0));
        ASSERT_EQ(::GetWindowRgn(s.wnd, rgn.Get()), COMPLEXREGION);
        const raster::Bitmap left = SideImage(*data->BorderLeft, false, s.skinner->Metrics().left, size.cy, 1);
        const raster::Bitmap right = SideImage(*data->BorderRight, false, s.skinner->Metrics().right, size.cy, 1);
        int cut = 0;
        for (int y : {0, 1, 2, int(size.cy / 2), int(size.cy - 1)})
            for (int x = 0; x < left.Width(); ++x) {
                const bool key = left.GetPixel(x, y) == raster::kKeyColor;
                cut += key;
                EXPECT_EQ(::PtInRegion(rgn.Get(), x, y) == FALSE, key) << x << "," << y;
                const bool keyRight = right.GetPixel(x, y) == raster::kKeyColor;
                EXPECT_EQ(::PtInRegion(rgn.Get(), size.cx - right.Width() + x, y) == FALSE, keyRight) << "right " << x << "," << y;
            }
        EXPECT_GT(cut, 0) << "the rounded top corners are key-coloured in our skins";
        EXPECT_TRUE(::PtInRegion(rgn.Get(), size.cx / 2, size.cy / 2));
        EXPECT_TRUE(::PtInRegion(rgn.Get(), size.cx / 2, 0)) << "the top edge between the corners stays";
    }
}

TEST(FormSkinner, UnskinGivesBackTheStockFrameExactly) {
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    tv::TForm* form = MakeForm("Unskin");
    const HWND wnd = form->Handle();
    const tv::TWndMethod method = form->WindowProc;
    const LONG style = ::GetWindowLongW(wnd, GWL_STYLE), ex = ::GetWindowLongW(wnd, GWL_EXSTYLE);
    const RECT window = WindowRectOf(wnd), client = ClientRectOf(wnd);
    const tv::TColor colour = form->Color();
    {
        TWinSkinForm skinner(nullptr, wnd);
        skinner.AttachForm(data.get(), form);
        Activate(skinner);
        EXPECT_FALSE(form->WindowProc == method);
        EXPECT_NE(form->Color(), colour) << "the form takes the skin's face colour";
        ::RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        skinner.Unskin();
        EXPECT_FALSE(skinner.Subclassed());
        EXPECT_TRUE(form->WindowProc == method);
        EXPECT_EQ(::GetWindowLongW(wnd, GWL_STYLE), style);
        EXPECT_EQ(::GetWindowLongW(wnd, GWL_EXSTYLE), ex);
        EXPECT_TRUE(SameRect(window, WindowRectOf(wnd)));
        EXPECT_TRUE(SameRect(client, ClientRectOf(wnd)));
        tv::OwnedRegion rgn(::CreateRectRgn(0, 0, 0, 0));
        EXPECT_EQ(::GetWindowRgn(wnd, rgn.Get()), ERROR) << "no region left";
        EXPECT_EQ(form->Color(), colour);
        EXPECT_EQ(::SendMessageW(wnd, SKM_FRAMEQUERY, 0, kSkinMarker), 0) << "nobody answers for the skin any more";
    }
    EXPECT_TRUE(form->WindowProc == method);
    delete form;

    HWND dialog = MakeDialog(L"Unskin dialog");
    ASSERT_NE(dialog, nullptr);
    const LONG_PTR proc = ::GetWindowLongPtrW(dialog, GWLP_WNDPROC);
    const RECT dialogWindow = WindowRectOf(dialog), dialogClient = ClientRectOf(dialog);
    const LONG dialogStyle = ::GetWindowLongW(dialog, GWL_STYLE);
    {
        TWinSkinForm skinner(nullptr, dialog);
        skinner.AttachWindow(data.get());
        Activate(skinner);
        EXPECT_NE(::GetWindowLongPtrW(dialog, GWLP_WNDPROC), proc);
        EXPECT_EQ(skinner.BorderKind(), kBorderDialog);
        skinner.Unskin();
        EXPECT_EQ(::GetWindowLongPtrW(dialog, GWLP_WNDPROC), proc);
        EXPECT_EQ(::GetPropW(dialog, L"TovalinFormSkinner"), nullptr);
        EXPECT_EQ(::GetWindowLongW(dialog, GWL_STYLE), dialogStyle);
        EXPECT_TRUE(SameRect(dialogWindow, WindowRectOf(dialog)));
        EXPECT_TRUE(SameRect(dialogClient, ClientRectOf(dialog)));
    }
    ::DestroyWindow(dialog);
}

TEST(FormSkinner, ANewSkinRepaintsWithItsOwnMetrics) {
    auto data = LoadPackedSkin("daylight");
    auto other = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && other && !data->SkinEmpty && !other->SkinEmpty);
    SkinnedForm s(*data);
    const int topBefore = s.skinner->Metrics().top;
    // The container takes the other skin, as a skin change does: buttons go first.
    s.skinner->FreeCaptionButtons();
    tv::TMemoryStream stored;
    stored.WriteInt32(std::int32_t(other->SkinStream.Bytes().size()));
    stored.WriteBuffer(other->SkinStream.Bytes().data(), other->SkinStream.Bytes().size());
    stored.Seek(0, 0);
    data->ReadSkinStream(stored);
    ASSERT_FALSE(data->SkinEmpty);
    s.skinner->SkinChanged();
    Pump(60);
    EXPECT_EQ(s.skinner->SkinState(), kSkinSkinned);
    const FrameMetrics& m = s.skinner->Metrics();
    EXPECT_EQ(m.top, Thickness(*data->BorderTop, true));
    EXPECT_NE(m.top, topBefore) << "our two skins have captions of different heights";
    EXPECT_EQ(SizeOf(ClientRectOf(s.wnd)).cx, SizeOf(s.clientBefore).cx);
    EXPECT_EQ(SizeOf(ClientRectOf(s.wnd)).cy, SizeOf(s.clientBefore).cy);
    const SIZE size = SizeOf(WindowRectOf(s.wnd));
    EXPECT_EQ(size.cy, SizeOf(s.clientBefore).cy + m.top + m.bottom);
    const raster::Bitmap screen = CaptureScreen(WindowRectOf(s.wnd));
    EXPECT_EQ(Mismatches(screen, 0, 0, SideImage(*data->BorderLeft, false, m.left, size.cy, 1)), 0);
    EXPECT_FALSE(s.skinner->CaptionButtons().empty());
}

TEST(FormSkinner, SystemDialogIsSkinnedAsADialog) {
    auto data = LoadPackedSkin("slate");
    ASSERT_TRUE(data && !data->SkinEmpty);
    HWND dialog = MakeDialog(L"Dialog");
    ASSERT_NE(dialog, nullptr);
    const RECT client = ClientRectOf(dialog);
    TWinSkinForm skinner(nullptr, dialog);
    skinner.AttachWindow(data.get());
    EXPECT_EQ(skinner.BorderKind(), kBorderDialog);
    Activate(skinner);
    EXPECT_EQ(SizeOf(ClientRectOf(dialog)).cx, SizeOf(client).cx);
    EXPECT_EQ(SizeOf(ClientRectOf(dialog)).cy, SizeOf(client).cy);
    const SIZE size = SizeOf(WindowRectOf(dialog));
    EXPECT_EQ(HitAt(dialog, 1, size.cy / 2), HTBORDER) << "a dialog frame does not size";
    EXPECT_EQ(HitAt(dialog, size.cx / 2, 1), HTCAPTION);
    const TDataSkinSysButton* icon = ButtonWithAction(*data, kActionSysMenu);
    ASSERT_NE(icon, nullptr);
    const POINT c = Centre(ButtonPlace(*icon, size.cx));
    EXPECT_EQ(HitAt(dialog, c.x, c.y), HTCAPTION) << "no icon button on a dialog";
    const TDataSkinSysButton* close = ButtonWithAction(*data, kActionClose);
    const POINT cc = Centre(ButtonPlace(*close, size.cx));
    EXPECT_EQ(HitAt(dialog, cc.x, cc.y), HTCLOSE);
    const raster::Bitmap screen = CaptureScreen(WindowRectOf(dialog));
    const FrameMetrics& m = skinner.Metrics();
    EXPECT_EQ(Mismatches(screen, 0, 0, SideImage(*data->BorderLeft, false, m.left, size.cy, 1)), 0);
    ::DestroyWindow(dialog);
    EXPECT_EQ(skinner.SkinState(), kSkinWindowGone);
}

TEST(FormSkinner, AWindowThatGoesTakesTheSkinnersHoldWithIt) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    const tv::TLiveHandles before = tv::CountLiveHandles();

    // By DestroyWindow.
    HWND dialog = MakeDialog(L"Goes");
    auto byCall = std::make_unique<TWinSkinForm>(nullptr, dialog);
    byCall->AttachWindow(data.get());
    Activate(*byCall);
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    ::DestroyWindow(dialog);
    EXPECT_EQ(byCall->SkinState(), kSkinWindowGone);
    EXPECT_FALSE(byCall->Subclassed());
    EXPECT_FALSE(byCall->HasRegion());
    EXPECT_TRUE(byCall->CaptionButtons().empty());
    EXPECT_TRUE(byCall->CaptionBackground().Empty());
    byCall.reset();

    // By the user's OK.
    dialog = MakeDialog(L"OK goes");
    auto byOk = std::make_unique<TWinSkinForm>(nullptr, dialog);
    byOk->AttachWindow(data.get());
    Activate(*byOk);
    ::SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_EQ(byOk->SkinState(), kSkinWindowGone);
    byOk.reset();

    // With its owner.
    tv::TForm* owner = MakeForm("Owner");
    dialog = MakeDialog(L"Owned");
    ::SetWindowLongPtrW(dialog, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner->Handle()));
    auto owned = std::make_unique<TWinSkinForm>(nullptr, dialog);
    owned->AttachWindow(data.get());
    Activate(*owned);
    auto ofOwner = std::make_unique<TWinSkinForm>(nullptr, owner->Handle());
    ofOwner->AttachForm(data.get(), owner);
    Activate(*ofOwner);
    delete owner;  // the form's window goes, and the dialog it owns with it
    EXPECT_FALSE(::IsWindow(dialog));
    EXPECT_EQ(owned->SkinState(), kSkinWindowGone);
    EXPECT_EQ(ofOwner->SkinState(), kSkinWindowGone) << "the form went while its skinner lives on";
    owned.reset();
    ofOwner.reset();

    // A skinner owned by its form goes with the form.
    tv::TForm* form = MakeForm("Owning form");
    auto* formOwned = new TWinSkinForm(form, form->Handle());
    tv::WeakPtr<TWinSkinForm> watch(formOwned);
    formOwned->AttachForm(data.get(), form);
    Activate(*formOwned);
    delete form;
    EXPECT_EQ(watch.Get(), nullptr);
    Pump(30);

    const tv::TLiveHandles after = tv::CountLiveHandles();
    EXPECT_LE(after.gdi, before.gdi) << "GDI objects left behind";
    EXPECT_LE(after.menus, before.menus) << "menus or icons left behind";
    EXPECT_LE(after.windows, before.windows) << "windows left behind";
    std::printf("[ info ] GDI objects %ld -> %ld, menus and icons %ld -> %ld, windows %ld -> %ld\n", before.gdi,
                after.gdi, before.menus, after.menus, before.windows, after.windows);
}

TEST(FormSkinner, ScreenshotOfEachSkin) {
    for (const char* name : kSkinNames) {
        SCOPED_TRACE(name);
        auto data = LoadPackedSkin(name);
        ASSERT_TRUE(data && !data->SkinEmpty);
        SkinnedForm s(*data, std::string("Tovalin ") + name);
        HWND dialog = MakeDialog(L"A message");
        ::SetWindowPos(dialog, HWND_TOP, 560, 140, 0, 0, SWP_NOSIZE);
        TWinSkinForm dialogSkinner(nullptr, dialog);
        dialogSkinner.AttachWindow(data.get());
        Activate(dialogSkinner);
        ::SetForegroundWindow(s.wnd);
        Pump(150);
        RECT area = WindowRectOf(s.wnd);
        const RECT dialogRect = WindowRectOf(dialog);
        ::UnionRect(&area, &area, &dialogRect);
        ::InflateRect(&area, 12, 12);
        const raster::Bitmap shot = CaptureScreen(area);
        // Beside the other screenshots of the build, for people to look at.
        SavePng(shot, ScreenshotPath(std::string("frame-") + name + ".png"));
        // The caption text is drawn in the skin's colour.
        const raster::Color text = raster::Color(ResolveColour(Colour(data->SkinColors.TitleTextActive)));
        const RECT caption = WindowRectOf(s.wnd);
        int textPixels = 0;
        for (int y = caption.top - area.top; y < caption.top - area.top + s.skinner->Metrics().top; ++y)
            for (int x = caption.left - area.left; x < caption.right - area.left; ++x)
                textPixels += shot.GetPixel(x, y) == text;
        EXPECT_GT(textPixels, 10);
        // The client areas moved inside their windows: nothing stale of the stock frame is left there.
        const raster::Color face = raster::Color(ResolveColour(Colour(data->SkinColors.ButtonFace)));
        auto stale = [&](HWND wnd, int rows) {
            RECT c = ClientRectOf(wnd);
            ::MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&c), 2);
            int bad = 0;
            for (int y = c.top; y < c.bottom; ++y)
                for (int x = c.left; x < c.right; ++x)
                    if (y >= c.bottom - rows || x >= c.right - rows || rows == 0)
                        bad += shot.GetPixel(x - area.left, y - area.top) != face;
            return bad;
        };
        EXPECT_EQ(stale(s.wnd, 0), 0) << "the whole client area of the form is its face colour";
        EXPECT_EQ(stale(dialog, 4), 0) << "the dialog's client edges are its face colour";
        ::DestroyWindow(dialog);
    }
}

TEST(FormSkinner, AButtonHeldDownOutlivesARepaint) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    SkinnedForm s(*data);
    const TDataSkinSysButton* close = ButtonWithAction(*data, kActionClose);
    ASSERT_NE(close, nullptr);
    const RECT w = WindowRectOf(s.wnd);
    const POINT c = Centre(ButtonPlace(*close, SizeOf(w).cx));
    const LPARAM at = MAKELPARAM(WORD(short(w.left + c.x)), WORD(short(w.top + c.y)));
    ::SendMessageW(s.wnd, WM_NCLBUTTONDOWN, HTCLOSE, at);
    ASSERT_NE(s.skinner->HotObject(), nullptr);
    EXPECT_EQ(s.skinner->HotObject()->State, kStatePressed);
    // Activation and size changes repaint the whole frame while the button is held.
    ::SendMessageW(s.wnd, WM_NCPAINT, 1, 0);
    ::SendMessageW(s.wnd, WM_NCACTIVATE, TRUE, 0);
    ASSERT_NE(s.skinner->HotObject(), nullptr);
    EXPECT_EQ(s.skinner->HotObject()->State, kStatePressed);
    ::SendMessageW(s.wnd, WM_NCLBUTTONUP, HTCLOSE, at);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(s.wnd); })) << "the release still closes";
}

TEST(FormSkinner, NewCaptionTextIsPaintedAtOnce) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    SkinnedForm s(*data, "A");
    const int top = s.skinner->Metrics().top;
    RECT caption = WindowRectOf(s.wnd);
    caption.bottom = caption.top + top;
    const raster::Bitmap before = CaptureScreen(caption);
    ::SetWindowTextW(s.wnd, L"A much longer caption than before");
    Pump(30);
    const raster::Bitmap after = CaptureScreen(caption);
    const raster::Color text = raster::Color(ResolveColour(Colour(data->SkinColors.TitleTextActive)));
    auto count = [&](const raster::Bitmap& b) {
        int n = 0;
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x) n += b.GetPixel(x, y) == text;
        return n;
    };
    EXPECT_GT(count(after), 2 * count(before)) << "the longer text is on the caption";
    EXPECT_GT(s.skinner->CaptionTextRect().right - s.skinner->CaptionTextRect().left, 100);
}

TEST(FormSkinner, AFailureWhilePaintingLeavesTheWindowWorking) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    // A caption long enough that reading it takes memory of its own.
    SkinnedForm s(*data, std::string(200, 'x'));
    const SIZE size = SizeOf(WindowRectOf(s.wnd));
    const FrameMetrics& m = s.skinner->Metrics();
    // Paint the left side over, so that a repaint that did nothing would show.
    {
        tv::WindowDC dc(s.wnd, true);
        const RECT left{0, m.top, m.left, size.cy - m.bottom};
        ::FillRect(dc.Get(), &left, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
    int refused = 0, reports = 0;
    const base::CallbackErrorSink previous = base::CallbackErrorSinkSlot();
    base::SetCallbackErrorSink([&reports](const std::string&) { ++reports; });  // allocates nothing when called
    {
        FailingAllocation noMemory(256);
        ::SendMessageW(s.wnd, SKM_REPAINTFRAME, 0, 0);
        refused = noMemory.Refused();
    }
    base::SetCallbackErrorSink(previous);
    EXPECT_GT(refused, 0) << "the paint met the failure";
    EXPECT_EQ(reports, 0) << "a painting failure is swallowed, not reported";
    EXPECT_EQ(::SendMessageW(s.wnd, SKM_FRAMEQUERY, 0, kSkinMarker), kSkinMarker) << "still skinned and answering";
    EXPECT_EQ(HitAt(s.wnd, 1, size.cy / 2), HTLEFT);
    ::SendMessageW(s.wnd, SKM_REPAINTFRAME, 0, 0);
    const raster::Bitmap screen = CaptureScreen(WindowRectOf(s.wnd));
    EXPECT_EQ(Mismatches(screen, 0, 0, SideImage(*data->BorderLeft, false, m.left, size.cy, 1)), 0)
        << "painted again once it can be";
}

TEST(FormSkinner, CaptionMouseMessages) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    // A decoration: the skin's help button made one that never reacts.
    TDataSkinSysButton* help = const_cast<TDataSkinSysButton*>(ButtonWithAction(*data, kActionHelp));
    ASSERT_NE(help, nullptr);
    help->Action = -1;
    help->Visibility = help->Visibility1 = 0;
    help->Align = 0;
    help->Xcoord = 60;
    SkinnedForm s(*data);
    const RECT w = WindowRectOf(s.wnd);
    auto at = [&](POINT p) { return MAKELPARAM(WORD(short(w.left + p.x)), WORD(short(w.top + p.y))); };
    const POINT deco = Centre(ButtonPlace(*help, SizeOf(w).cx));
    EXPECT_EQ(HitAt(s.wnd, deco.x, deco.y), HTCAPTION) << "a negative action is never hit";
    const raster::Bitmap screen = CaptureScreen(w);
    const RECT place = ButtonPlace(*help, SizeOf(w).cx);
    EXPECT_EQ(Mismatches(screen, place.left, place.top,
                         raster::RenderStripImage({0, 0, SizeOf(place).cx, SizeOf(place).cy}, help->Bitmap,
                                                  help->FrameCount(), 1)), 0)
        << "but it is drawn";

    // Inactive, the mouse over a button changes nothing.
    const POINT close = Centre(ButtonPlace(*ButtonWithAction(*data, kActionClose), SizeOf(w).cx));
    ::SendMessageW(s.wnd, WM_NCACTIVATE, FALSE, 0);
    ::SendMessageW(s.wnd, WM_NCMOUSEMOVE, HTCLOSE, at(close));
    EXPECT_EQ(s.skinner->HotObject(), nullptr);
    ::SendMessageW(s.wnd, WM_NCACTIVATE, TRUE, 0);
    ::SendMessageW(s.wnd, WM_NCMOUSEMOVE, HTCLOSE, at(close));
    EXPECT_NE(s.skinner->HotObject(), nullptr);

    // A double click on the caption maximizes and restores.
    const POINT caption{SizeOf(w).cx / 2, s.skinner->Metrics().top / 2};
    ::SendMessageW(s.wnd, WM_NCLBUTTONDBLCLK, HTCAPTION, at(caption));
    EXPECT_TRUE(PumpUntil([&] { return ::IsZoomed(s.wnd) != FALSE; }));
    const RECT zoomed = WindowRectOf(s.wnd);
    ::SendMessageW(s.wnd, WM_NCLBUTTONDBLCLK, HTCAPTION,
                   MAKELPARAM(WORD(short(zoomed.left + caption.x)), WORD(short(zoomed.top + caption.y))));
    EXPECT_TRUE(PumpUntil([&] { return !::IsZoomed(s.wnd); }));
    EXPECT_TRUE(SameRect(WindowRectOf(s.wnd), w));

    // A double click on the icon closes.
    const POINT icon = Centre(ButtonPlace(*ButtonWithAction(*data, kActionSysMenu), SizeOf(w).cx));
    ::SendMessageW(s.wnd, WM_NCLBUTTONDBLCLK, HTSYSMENU, at(icon));
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(s.wnd); }));
}

TEST(FormSkinner, AskedWhetherItIsSkinnedTheWindowSaysSoAndAnnouncesIt) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    tv::TForm* form = MakeForm("Asked");
    const HWND wnd = form->Handle();
    EXPECT_EQ(::SendMessageW(wnd, SKM_ISSKINNED, 0, 0), 0) << "not before it is skinned";
    {
        TWinSkinForm skinner(nullptr, wnd);
        skinner.AttachForm(data.get(), form);
        Activate(skinner);
        MSG msg;
        while (::PeekMessageW(&msg, wnd, SKM_SKINAPPLIED, SKM_SKINAPPLIED, PM_REMOVE)) {
        }
        EXPECT_EQ(::SendMessageW(wnd, SKM_ISSKINNED, 0, 0), 1);
        ASSERT_TRUE(::PeekMessageW(&msg, wnd, SKM_SKINAPPLIED, SKM_SKINAPPLIED, PM_REMOVE)) << "announced";
        EXPECT_EQ(msg.wParam, 0u);
        EXPECT_EQ(msg.lParam, kSkinMarker) << "the marker tells it from a reflected notification";
        skinner.Unskin();
    }
    EXPECT_EQ(::SendMessageW(wnd, SKM_ISSKINNED, 0, 0), 0) << "nobody answers for the skin any more";
    delete form;
}
