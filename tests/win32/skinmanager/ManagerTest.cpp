#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>

#include "base/Handles.h"
#include "base/Text.h"
#include "framework/Framework.h"
#include "skin/core/WinSkinData.h"
#include "skin/core/WinSkinDlg.h"
#include "raster/Slices.h"

using namespace skin;

namespace {
std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

// Stands in for the form skinner: records what the manager asks of it.
class TFakeSkinner : public TFormSkinner {
    TV_CLASS(TFakeSkinner, TFormSkinner)
    TFakeSkinner(tv::TComponent* owner, HWND window) : TFormSkinner(owner), window_(window) { ++alive; }
    ~TFakeSkinner() override { --alive; }
    HWND Handle() const override { return window_; }
    void AttachForm(TSkinData* data, tv::TWinControl* form) override {
        data_ = data;
        form_ = form;
        Note("attach-form");
    }
    void AttachWindow(TSkinData* data) override {
        data_ = data;
        Note("attach-window");
    }
    void Unskin() override { Note("unskin"); }
    void DetachOnDestroy() override { Note("detach"); }
    void SkinChanged() override { Note("changed"); }
    void ComputeFrameMetrics() override { Note("metrics"); }
    void FreeCaptionButtons() override { Note("buttons"); }
    void ClearRegion() override { Note("clear-region"); }
    void UpdateRegion() override { Note("update-region"); }
    void FrameChanged() override { Note("frame-changed"); }
    void InvalidateWindow() override { Note("invalidate"); }
    void AttachChildSkinner(HWND) override { Note("child"); }
    TSkinData* SkinData() const override { return data_; }
    int SkinState() const override { return state; }
    int MDIKind() const override { return mdiKind; }
    int ShowState() const override { return showState; }
    void SetShowState(int s) override { showState = s; }
    bool SkinFrame() const override { return true; }

    tv::TWinControl* Form() const { return form_; }
    int state = kSkinAttached, mdiKind = kMdiNone, showState = kShowNormal;
    static inline int alive = 0;

private:
    void Note(const char* what) { Log().push_back(std::string(what) + ":" + WindowClassName); }
    HWND window_;
    TSkinData* data_ = nullptr;
    tv::TWinControl* form_ = nullptr;
};
const tv::TClassInfo& TFakeSkinner::StaticClass() {
    static const tv::TClassInfo info = tv::DescribeClass<TFakeSkinner>("TFakeSkinner").Done();
    return info;
}

TFakeSkinner* Fake(HWND window) { return dynamic_cast<TFakeSkinner*>(SkinManager()->FindFormSkinner(window)); }

std::string PackedSkinHex() {
    std::string path = TOVALIN_SKIN_FILE;
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_FALSE(bytes.empty()) << path;
    std::string hex;
    char b[3];
    const auto n = std::uint32_t(bytes.size());
    for (int i = 0; i < 4; ++i) {
        std::snprintf(b, sizeof b, "%02X", unsigned((n >> (8 * i)) & 0xFF));
        hex += b;
    }
    for (char c : bytes) {
        std::snprintf(b, sizeof b, "%02X", unsigned(std::uint8_t(c)));
        hex += b;
    }
    return hex;
}

// A container as a description makes it: settings, the packed skin, then Loaded.
TSkinData* Container(tv::TComponent* owner, const std::string& type, bool active = true, bool withSkin = true) {
    static const std::string hex = PackedSkinHex();
    auto* data = new TSkinData(owner);
    std::string body = "object SkinDataX: TSkinData\n  Active = " + std::string(active ? "True" : "False") +
                       "\n  SkinFormtype = " + type + "\n";
    if (withSkin) body += "  SkinStream = {" + hex + "}\n";
    tv::ReadComponent(*data, body + "end\n");
    return data;
}

// A fresh manager with the stand-in skinners for every test.
class Manager : public ::testing::Test {
protected:
    void SetUp() override {
        FreeSkinManager();
        Log().clear();
        SetFormSkinnerFactory([](tv::TComponent* owner, HWND window, const std::string&) -> TFormSkinner* {
            return new TFakeSkinner(owner, window);
        });
    }
    void TearDown() override {
        for (TSkinData* d : containers_) delete d;
        FreeSkinManager();
        SetFormSkinnerFactory(nullptr);
        EXPECT_EQ(TFakeSkinner::alive, 0) << "every skinner freed exactly once";
    }
    TSkinData* Own(TSkinData* d) {
        containers_.push_back(d);
        return d;
    }
    std::vector<TSkinData*> containers_;
};

struct Window {
    HWND h;
    Window(const wchar_t* cls, DWORD style, DWORD ex = 0, HINSTANCE instance = ::GetModuleHandleW(nullptr),
           int size = 100, HWND parent = nullptr)
        : h(::CreateWindowExW(ex, cls, L"probe", style, 10, 10, size, size, parent, nullptr, instance, nullptr)) {}
    ~Window() { ::DestroyWindow(h); }
};

const wchar_t* RegisterClassNamed(const wchar_t* name, WNDPROC proc = ::DefWindowProcW) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = name;
    ::RegisterClassW(&wc);
    return name;
}

LRESULT CALLBACK AnswersSkinned(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return msg == SKM_ISSKINNED ? 1 : ::DefWindowProcW(w, msg, wp, lp);
}

void Pump(int ms) {
    const DWORD until = ::GetTickCount() + DWORD(ms);
    while (LONG(::GetTickCount() - until) < 0) {
        tv::Application->ProcessMessages();
        ::Sleep(5);
    }
}
}  // namespace

TEST_F(Manager, OnlyTopLevelWindowsOfOursQualify) {
    Own(Container(nullptr, "sfMainform"));
    TSkinManage& m = *SkinManager();
    Window plain(L"Static", WS_POPUP);
    m.Enabled = false;
    EXPECT_FALSE(m.SkinWindow(plain.h)) << "nothing while skinning is off";
    m.Enabled = true;
    EXPECT_TRUE(m.SkinWindow(plain.h));
    EXPECT_FALSE(m.SkinWindow(plain.h)) << "never twice";
    ASSERT_NE(Fake(plain.h), nullptr);
    EXPECT_EQ(Fake(plain.h)->WindowClassName, "Static");

    Window foreign(L"Static", WS_POPUP, 0, ::GetModuleHandleW(L"user32.dll"));
    EXPECT_FALSE(m.SkinWindow(foreign.h)) << "another module's window";
    Window foreignDialog(L"#32770", WS_POPUP, 0, ::GetModuleHandleW(L"user32.dll"));
    EXPECT_TRUE(m.SkinWindow(foreignDialog.h)) << "a system dialog is ours to skin";
    Window foregroundDialog(L"#32770", WS_POPUP | DS_SETFOREGROUND);
    EXPECT_FALSE(m.SkinWindow(foregroundDialog.h));
    Window empty(L"Static", WS_POPUP, 0, ::GetModuleHandleW(nullptr), 0);
    EXPECT_FALSE(m.SkinWindow(empty.h)) << "a window of no size";
    Window child(L"Static", WS_CHILD, 0, ::GetModuleHandleW(nullptr), 50, plain.h);
    EXPECT_FALSE(m.SkinWindow(child.h)) << "part of another window";
    Window skinned(RegisterClassNamed(L"TvAnswersSkinned", AnswersSkinned), WS_POPUP);
    EXPECT_FALSE(m.SkinWindow(skinned.h)) << "skinned by someone else already";

    Window preview(RegisterClassNamed(L"TPrintPREVIEWForm"), WS_POPUP);
    m.MainSkin()->Options.Exclude(TSkinOption::xoPreview);
    EXPECT_FALSE(m.SkinWindow(preview.h));
    m.MainSkin()->Options.Include(TSkinOption::xoPreview);
    EXPECT_TRUE(m.SkinWindow(preview.h));
    Window month(RegisterClassNamed(L"SysMonthCal32"), WS_POPUP);
    EXPECT_FALSE(m.SkinWindow(month.h)) << "the container's last word";

    tv::TForm form(nullptr);
    form.SetTag(99);
    EXPECT_FALSE(m.SkinWindow(form.Handle())) << "tag 99 is never skinned";
    form.SetTag(0);
    EXPECT_TRUE(m.SkinWindow(form.Handle()));
    EXPECT_EQ(Fake(form.Handle())->Form(), &form);
    EXPECT_EQ(Fake(form.Handle())->Owner(), &form) << "owned by its form";
    EXPECT_EQ(Log().back(), "attach-form:TForm");
    EXPECT_EQ(m.FormSkinnerCount(), 4);
}

TEST_F(Manager, DialogsGetTheDialogSkinAndAFormItsOwnSkin) {
    TSkinData* main = Own(Container(nullptr, "sfMainform"));
    TSkinData* dialogs = Own(Container(nullptr, "sfDialog"));
    tv::TForm own(nullptr), other(nullptr);
    TSkinData* mine = Container(&own, "sfOnlyThisForm", false);
    TSkinManage& m = *SkinManager();
    EXPECT_EQ(m.MainSkin(), main);
    m.Enabled = true;
    Window dialog(L"#32770", WS_POPUP);
    Window plain(L"Static", WS_POPUP);
    ASSERT_TRUE(m.SkinWindow(dialog.h));
    ASSERT_TRUE(m.SkinWindow(plain.h));
    ASSERT_TRUE(m.SkinWindow(own.Handle()));
    ASSERT_TRUE(m.SkinWindow(other.Handle()));
    EXPECT_EQ(Fake(dialog.h)->SkinData(), dialogs);
    EXPECT_EQ(Fake(plain.h)->SkinData(), main);
    EXPECT_EQ(Fake(own.Handle())->SkinData(), mine);
    EXPECT_EQ(Fake(other.Handle())->SkinData(), main);

    // A container that goes leaves the list, and a command about it is dropped.
    m.StartState = kManagerStarted;
    m.PostCommand(kCommandSkinChanged, 250, mine);
    ASSERT_TRUE(m.CommandScheduled());
    EXPECT_EQ(m.SkinDataList().size(), 3u);
    delete mine;
    EXPECT_EQ(m.SkinDataList().size(), 2u);
    EXPECT_FALSE(m.CommandScheduled());
}

TEST_F(Manager, CommandsWaitForTheFirstActivationThenRunOnceTheLatestAfterTheDelay) {
    TSkinData* main = Own(Container(nullptr, "sfMainform"));
    TSkinManage& m = *SkinManager();
    EXPECT_TRUE(m.HookInstalled());
    EXPECT_TRUE(m.Enabled) << "an active main skin asked to skin everything";
    EXPECT_FALSE(m.CommandScheduled()) << "no window was activated yet";
    m.PostCommand(kCommandUnskin, 250, main);
    EXPECT_FALSE(m.Enabled);
    m.PostCommand(kCommandSkin, 250, main);
    EXPECT_TRUE(m.Enabled);

    int notified = 0;
    main->OnSkinChanged = [&](tv::TObject*) { ++notified; };
    m.PostCommand(kCommandUnskin, 250, main);
    m.StartState = kManagerStarted;
    tv::TForm shown(nullptr), hidden(nullptr);
    shown.SetBounds(50, 50, 200, 150);
    shown.Show();  // activated while skinning is off: left alone
    Pump(50);
    EXPECT_EQ(m.FormSkinnerCount(), 0);
    m.PostCommand(kCommandUnskin, 250, main);
    m.PostCommand(kCommandSkin, 250, main);  // before the first ran: only this one runs
    EXPECT_TRUE(m.CommandScheduled());
    Pump(150);
    EXPECT_EQ(m.FormSkinnerCount(), 0) << "not before the delay";
    Pump(400);
    EXPECT_EQ(notified, 1);
    ASSERT_NE(Fake(shown.Handle()), nullptr);
    EXPECT_EQ(Fake(hidden.HandleAllocated() ? hidden.Handle() : nullptr), nullptr) << "hidden forms wait";
    EXPECT_EQ(std::count(Log().begin(), Log().end(), "unskin:TForm"), 0);

    // The skin changed: buttons and metrics everywhere first, then the repaint.
    Window plain(L"Static", WS_POPUP);
    ASSERT_TRUE(m.SkinWindow(plain.h));
    Log().clear();
    main->ApplyNewSkin();
    EXPECT_EQ(Log(), (std::vector<std::string>{"buttons:TForm", "buttons:Static"})) << "buttons go at once";
    Pump(400);
    EXPECT_EQ(Log(), (std::vector<std::string>{"buttons:TForm", "buttons:Static", "buttons:TForm", "metrics:TForm",
                                               "buttons:Static", "metrics:Static", "changed:TForm", "changed:Static"}));
    EXPECT_EQ(notified, 2);

    // Off: every skinner gives its window back and goes.
    Log().clear();
    main->SetActive(false);
    Pump(400);
    EXPECT_EQ(m.FormSkinnerCount(), 0);
    EXPECT_FALSE(m.Enabled);
    EXPECT_EQ(std::count(Log().begin(), Log().end(), "unskin:TForm"), 1);
    EXPECT_EQ(std::count(Log().begin(), Log().end(), "invalidate:Static"), 1);
    EXPECT_EQ(TFakeSkinner::alive, 0);
}

TEST_F(Manager, TheRegistryFollowsWindowsAndFormsThatGo) {
    Own(Container(nullptr, "sfMainform"));
    TSkinManage& m = *SkinManager();
    m.Enabled = true;
    auto* form = new tv::TForm(nullptr);
    Window plain(L"Static", WS_POPUP);
    Window gone(L"Static", WS_POPUP);
    ASSERT_TRUE(m.SkinWindow(form->Handle()));
    ASSERT_TRUE(m.SkinWindow(plain.h));
    ASSERT_TRUE(m.SkinWindow(gone.h));
    EXPECT_EQ(TFakeSkinner::alive, 3);
    delete form;  // frees its skinner with it: the registry forgets it, nothing is freed twice
    EXPECT_EQ(m.FormSkinnerCount(), 2);
    EXPECT_EQ(TFakeSkinner::alive, 2);

    Fake(gone.h)->state = kSkinWindowGone;
    Window another(L"Static", WS_POPUP);
    ASSERT_TRUE(m.SkinWindow(another.h));  // purges first
    EXPECT_EQ(m.FormSkinnerCount(), 2);
    EXPECT_EQ(Fake(gone.h), nullptr);

    Log().clear();
    FreeSkinManager();
    EXPECT_EQ(TFakeSkinner::alive, 0);
    EXPECT_EQ(Log(), (std::vector<std::string>{"detach:Static", "detach:Static"}));
}

TEST_F(Manager, TheHookSkinsAFormWhenItIsActivated) {
    Own(Container(nullptr, "sfMainform"));
    TSkinManage& m = *SkinManager();
    ASSERT_TRUE(m.HookInstalled());
    EXPECT_EQ(m.StartState, kManagerWaiting);
    tv::TForm form(nullptr);
    form.SetBounds(100, 100, 240, 160);
    form.Show();
    ::SetForegroundWindow(form.Handle());
    Pump(100);
    EXPECT_EQ(m.StartState, kManagerStarted);
    EXPECT_NE(Fake(form.Handle()), nullptr);
    MSG msg;
    // The set-up is completed by a posted message, after the hook returned.
    EXPECT_FALSE(::PeekMessageW(&msg, form.Handle(), SKM_ACTIVATESKIN, SKM_ACTIVATESKIN, PM_NOREMOVE));
}

TEST_F(Manager, AMainSkinWithoutASkinStaysOffAndSkinsNothing) {
    TSkinData* empty = Own(Container(nullptr, "sfMainform", true, false));
    EXPECT_FALSE(empty->Active());
    TSkinManage& m = *SkinManager();
    m.Enabled = true;
    Window plain(L"Static", WS_POPUP);
    EXPECT_FALSE(m.SkinWindow(plain.h));
    EXPECT_EQ(m.FormSkinnerCount(), 0);
}

TEST_F(Manager, TheHookAsksOneClassNamePerCreatedWindow) {
    Own(Container(nullptr, "sfMainform"));
    TSkinManage& m = *SkinManager();
    ASSERT_TRUE(m.HookInstalled());
    m.Enabled = true;
    Window parent(L"Static", WS_POPUP);
    // Children, buttons and hidden top-level windows are none of the hook's special cases:
    // each may cost it one class-name query and nothing more.
    const long before = TSkinManage::ClassNameQueries();
    {
        Window child(L"Static", WS_CHILD | WS_VISIBLE, 0, ::GetModuleHandleW(nullptr), 20, parent.h);
        Window button(L"Button", WS_CHILD | BS_PUSHBUTTON, 0, ::GetModuleHandleW(nullptr), 20, parent.h);
        Window edit(L"Edit", WS_CHILD | ES_MULTILINE | WS_VSCROLL, 0, ::GetModuleHandleW(nullptr), 40, parent.h);
        Window hidden(L"Static", WS_POPUP);
        Window tool(L"Static", WS_POPUP, WS_EX_TOOLWINDOW);
        EXPECT_EQ(TSkinManage::ClassNameQueries() - before, 5);
    }
    // A size grip is one of them, and still costs a single query.
    const long grip = TSkinManage::ClassNameQueries();
    Window sizeGrip(L"ScrollBar", WS_CHILD | SBS_SIZEGRIP, 0, ::GetModuleHandleW(nullptr), 20, parent.h);
    EXPECT_EQ(TSkinManage::ClassNameQueries() - grip, 1);
}

// ---- popup menus ---------------------------------------------------------------------------

namespace {

// What a check made while a popup menu was open found; the check runs from a timer inside
// the menu's own loop, then closes the menu.
struct PopupVisit {
    std::function<void(HWND popup)> check;
    bool seen = false;
};
PopupVisit* visit = nullptr;

void CALLBACK VisitPopup(HWND, UINT, UINT_PTR id, DWORD) {
    HWND popup = ::FindWindowW(L"#32768", nullptr);
    if (!popup || !::IsWindowVisible(popup) || !visit) return;
    ::KillTimer(nullptr, id);
    visit->seen = true;
    visit->check(popup);
    ::EndMenu();
}

// Opens a context menu of two items on owner and runs check while it is open.
bool WithOpenPopup(HWND owner, const std::function<void(HWND)>& check) {
    base::OwnedMenu menu(::CreatePopupMenu());
    ::AppendMenuW(menu.Get(), MF_STRING, 101, L"First");
    ::AppendMenuW(menu.Get(), MF_STRING, 102, L"Second");
    PopupVisit v{check};
    visit = &v;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, VisitPopup);
    ::SetForegroundWindow(owner);
    RECT r{};
    ::GetWindowRect(owner, &r);
    ::TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_NONOTIFY, r.left + 10, r.top + 10, 0, owner, nullptr);
    ::KillTimer(nullptr, timer);
    visit = nullptr;
    return v.seen;
}

COLORREF PixelOf(HDC dc, int x, int y) { return ::GetPixel(dc, x, y); }

COLORREF ToColorRef(raster::Color c) { return RGB(raster::RedOf(c), raster::GreenOf(c), raster::BlueOf(c)); }

// What the popup prints into a bitmap of its size.
struct Printed {
    tv::OwnedDC dc;
    tv::OwnedBitmap bitmap;
    HGDIOBJ old = nullptr;
    SIZE size{};
    explicit Printed(HWND popup, LRESULT* result = nullptr) : dc(::CreateCompatibleDC(nullptr)) {
        RECT r{};
        ::GetWindowRect(popup, &r);
        size = {r.right - r.left, r.bottom - r.top};
        tv::WindowDC screen(nullptr);
        bitmap = tv::OwnedBitmap(::CreateCompatibleBitmap(screen.Get(), size.cx, size.cy));
        old = ::SelectObject(dc.Get(), bitmap.Get());
        RECT all{0, 0, size.cx, size.cy};
        tv::OwnedBrush marker(::CreateSolidBrush(RGB(1, 2, 3)));
        ::FillRect(dc.Get(), &all, marker.Get());
        const LRESULT res = ::SendMessageW(popup, WM_PRINT, WPARAM(dc.Get()), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
        if (result) *result = res;
    }
    ~Printed() { ::SelectObject(dc.Get(), old); }
};

}  // namespace

TEST_F(Manager, PopupMenusWearTheMenuBackgroundFromBirthToEnd) {
    TSkinData* data = Own(Container(nullptr, "sfMainform"));
    ASSERT_TRUE(data->MenuBackground && !data->MenuBackground->Bitmap.Empty());
    TSkinManage& m = *SkinManager();
    m.Enabled = true;
    Window owner(L"Static", WS_POPUP | WS_VISIBLE, 0, ::GetModuleHandleW(nullptr), 200);
    m.PopupKind = kPopupSystemMenu;  // the kind comes back to 0 with the last popup
    const bool opened = WithOpenPopup(owner.h, [&](HWND popup) {
        EXPECT_TRUE(m.IsPopupSkinned(popup));
        EXPECT_EQ(m.PopupSkinnerCount(), 1);
        EXPECT_EQ(::SendMessageW(popup, SKM_ISSKINNED, 0, 0), 1);
        EXPECT_FALSE(m.SkinPopupMenu(popup)) << "never a second skinner";

        // Printed: the background over the whole window, the items only inside the frame.
        Printed p(popup);
        const auto& e = *data->MenuBackground;
        const raster::Bitmap back = raster::RenderElementImage({0, 0, p.size.cx, p.size.cy}, e.Bitmap, e.Margins(),
                                                              false, e.Tile == 1, 1, 1);
        for (POINT q : {POINT{0, 0}, POINT{1, 1}, POINT{p.size.cx - 1, p.size.cy - 1}, POINT{2, p.size.cy / 2}})
            EXPECT_EQ(PixelOf(p.dc.Get(), q.x, q.y), ToColorRef(back.GetPixel(q.x, q.y))) << q.x << "," << q.y;

        // Items draw their background from the popup's image once they name their menu.
        HMENU menu = reinterpret_cast<HMENU>(::SendMessageW(popup, MN_GETHMENU, 0, 0));
        EXPECT_EQ(m.PopupBackground(menu), nullptr);
        m.AssignPopupMenu(menu);
        const raster::Bitmap* background = m.PopupBackground(menu);
        ASSERT_NE(background, nullptr);
        EXPECT_EQ(background->Width(), p.size.cx);
        EXPECT_EQ(background->Height(), p.size.cy);
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(m.PopupSkinnerCount(), 0) << "the popup's end takes its skinner";
    EXPECT_EQ(m.PopupKind, kPopupContext);
    EXPECT_FALSE(m.MenuBarPopup);
}

TEST_F(Manager, PopupMenusAreSkinnedOnlyWhenTheirKindIsWanted) {
    TSkinData* data = Own(Container(nullptr, "sfMainform"));
    TSkinManage& m = *SkinManager();
    m.Enabled = true;
    Window owner(L"Static", WS_POPUP | WS_VISIBLE, 0, ::GetModuleHandleW(nullptr), 200);
    struct Case {
        int kind;
        TSkinControlType off;
        bool skinned;
    } cases[] = {
        {kPopupContext, TSkinControlType::xcPopupMenu, false},
        {kPopupSystemMenu, TSkinControlType::xcSystemMenu, false},
        {kPopupSystemMenu, TSkinControlType::xcPopupMenu, true},
    };
    const auto all = data->SkinControls;
    for (const Case& c : cases) {
        data->SkinControls = all;
        data->SkinControls.Exclude(c.off);
        m.PopupKind = c.kind;
        bool skinned = false;
        EXPECT_TRUE(WithOpenPopup(owner.h, [&](HWND popup) { skinned = m.IsPopupSkinned(popup); }));
        EXPECT_EQ(skinned, c.skinned) << "kind " << c.kind;
    }
    // The menu-bar kind needs one of its two members.
    data->SkinControls = all;
    data->SkinControls.Exclude(TSkinControlType::xcMainMenu).Include(TSkinControlType::xcMenuItem);
    m.PopupKind = kPopupMenuBar;
    bool skinnedByItems = false;
    EXPECT_TRUE(WithOpenPopup(owner.h, [&](HWND popup) { skinnedByItems = m.IsPopupSkinned(popup); }));
    EXPECT_TRUE(skinnedByItems);
    data->SkinControls = all;
    data->SkinControls.Exclude(TSkinControlType::xcMainMenu);
    data->SkinControls.Exclude(TSkinControlType::xcMenuItem);
    m.PopupKind = kPopupMenuBar;
    bool skinned = true;
    EXPECT_TRUE(WithOpenPopup(owner.h, [&](HWND popup) { skinned = m.IsPopupSkinned(popup); }));
    EXPECT_FALSE(skinned);
    // Switched off, the manager skins no popup at all.
    data->SkinControls = all;
    m.Enabled = false;
    EXPECT_TRUE(WithOpenPopup(owner.h, [&](HWND popup) { skinned = m.IsPopupSkinned(popup); }));
    EXPECT_FALSE(skinned);
}

TEST_F(Manager, APopupWithoutAMenuBackgroundOrWithTheSkinOffIsDrawnByTheSystem) {
    TSkinData* data = Own(Container(nullptr, "sfMainform"));
    TSkinManage& m = *SkinManager();
    m.Enabled = true;
    Window owner(L"Static", WS_POPUP | WS_VISIBLE, 0, ::GetModuleHandleW(nullptr), 200);
    // The frame's pixels as the popup prints them.
    auto frame = [](HWND popup) {
        Printed p(popup);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < p.size.cx; ++x) pixels.push_back(PixelOf(p.dc.Get(), x, y));
        for (int y = 3; y < p.size.cy; ++y) pixels.push_back(PixelOf(p.dc.Get(), 1, y));
        return pixels;
    };
    std::vector<COLORREF> stock, skinned, switchedOff;
    EXPECT_TRUE(WithOpenPopup(owner.h, [&](HWND popup) { skinned = frame(popup); }));
    auto saved = std::move(data->MenuBackground);
    EXPECT_TRUE(WithOpenPopup(owner.h, [&](HWND popup) {
        EXPECT_TRUE(m.IsPopupSkinned(popup)) << "subclassed all the same";
        stock = frame(popup);
    }));
    data->MenuBackground = std::move(saved);
    EXPECT_FALSE(stock.empty());
    EXPECT_NE(stock, skinned);
    // Skinned, then the manager switched off while it is open: the system draws it again.
    EXPECT_TRUE(WithOpenPopup(owner.h, [&](HWND popup) {
        m.Enabled = false;
        switchedOff = frame(popup);
        m.Enabled = true;
    }));
    EXPECT_EQ(switchedOff, stock);
}

TEST_F(Manager, WithTheMenuBackgroundOptionErasingLeavesThePaintedBackground) {
    TSkinData* data = Own(Container(nullptr, "sfMainform"));
    data->Options.Include(TSkinOption::xoMenuBG);
    TSkinManage& m = *SkinManager();
    m.Enabled = true;
    Window owner(L"Static", WS_POPUP | WS_VISIBLE, 0, ::GetModuleHandleW(nullptr), 200);
    EXPECT_TRUE(WithOpenPopup(owner.h, [&](HWND popup) {
        tv::OwnedDC dc(::CreateCompatibleDC(nullptr));
        tv::WindowDC screen(nullptr);
        tv::OwnedBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), 20, 20));
        tv::SelectScope select(dc.Get(), bitmap.Get());
        ::SetPixel(dc.Get(), 5, 5, RGB(9, 8, 7));
        EXPECT_EQ(::SendMessageW(popup, WM_ERASEBKGND, WPARAM(dc.Get()), 0), 1);
        EXPECT_EQ(::GetPixel(dc.Get(), 5, 5), RGB(9, 8, 7));
    }));
}
