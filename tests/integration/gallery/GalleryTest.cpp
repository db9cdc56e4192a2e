// Starts TovalinGallery.exe in its own process and drives it as a person would with
// the buttons it shows: skins switched while it runs, the bare dialog and the system's
// dialogs opened and closed, and a clean exit.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/Handles.h"
#include "base/Text.h"
#include "skin/core/FormSkinner.h"

namespace {

std::wstring HostPath(std::string p) {
    if (!p.empty() && p[0] == '/') p = "Z:" + p;  // built on Linux, run under Wine
    std::replace(p.begin(), p.end(), '/', '\\');
    return text::Widen(p);
}

void Pump(DWORD ms) {
    const DWORD until = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    } while (GetTickCount() < until);
}

template <typename Pred>
bool WaitFor(Pred pred, DWORD ms = 10000) {
    const DWORD until = GetTickCount() + ms;
    while (GetTickCount() < until) {
        if (pred()) return true;
        Pump(20);
    }
    return pred();
}

std::wstring ClassOf(HWND h) {
    wchar_t name[64] = {};
    GetClassNameW(h, name, 64);
    return name;
}

// What a window of the gallery answers, or -1 when it does not answer in time.
LRESULT Ask(HWND h, UINT msg) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(h, msg, 0, 0, SMTO_ABORTIFHUNG, 3000, &result)) return -1;
    return LRESULT(result);
}

// The gallery in its own process; closed (or ended) when the test is done with it.
class Gallery {
public:
    explicit Gallery(const std::wstring& args = L"") {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        std::wstring cmd = L"\"" + HostPath(TOVALIN_GALLERY_EXE) + L"\" " + args;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
        process_ = base::OwnedHandle(pi.hProcess);
        base::OwnedHandle thread(pi.hThread);
        pid_ = pi.dwProcessId;
        WaitForInputIdle(process_.Get(), 10000);
        WaitFor([&] { return (main_ = FindTopLevel(L"TGalleryForm")) != nullptr && IsWindowVisible(main_); }, 20000);
    }
    ~Gallery() {
        if (!process_) return;
        if (WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
            if (main_) PostMessageW(main_, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(process_.Get(), 5000) == WAIT_TIMEOUT) TerminateProcess(process_.Get(), 1);
        }
    }
    Gallery(const Gallery&) = delete;
    Gallery& operator=(const Gallery&) = delete;

    HWND Main() const { return main_; }
    bool Skinned() const { return Ask(main_, skin::SKM_ISSKINNED) == 1; }

    // A visible top-level window of the gallery's process of that class (other than but).
    HWND FindTopLevel(const std::wstring& cls, HWND but = nullptr) const {
        struct Search {
            const Gallery* self;
            const std::wstring* cls;
            HWND but;
            HWND found;
        } s{this, &cls, but, nullptr};
        EnumWindows(
            [](HWND h, LPARAM p) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(p);
                DWORD pid = 0;
                GetWindowThreadProcessId(h, &pid);
                if (pid != s.self->pid_ || h == s.but || !IsWindowVisible(h) || ClassOf(h) != *s.cls) return TRUE;
                s.found = h;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&s));
        return s.found;
    }

    // Clicks one of the gallery's buttons as the system does; posted, so that a modal
    // loop it opens cannot block the test.
    bool Click(const wchar_t* caption) const {
        HWND button = FindWindowExW(main_, nullptr, L"TButton", caption);
        if (!button) return false;
        PostMessageW(button, BM_CLICK, 0, 0);
        return true;
    }

    // Waits for the program to end; its exit code, or -1 when it does not end in time.
    long ExitCode(DWORD ms = 10000) const {
        if (WaitForSingleObject(process_.Get(), ms) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(process_.Get(), &code);
        return long(code);
    }
    bool Responds() const { return Ask(main_, WM_NULL) == 0; }

private:
    base::OwnedHandle process_;
    DWORD pid_ = 0;
    HWND main_ = nullptr;
};

// The colour of the caption bar's middle, read from the screen.
COLORREF CaptionColour(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, (r.left + r.right) / 2, r.top + 8);
    ReleaseDC(nullptr, screen);
    return c;
}

}  // namespace

TEST(Gallery, StartsSkinnedAndSwitchesSkinsWhileRunning) {
    Gallery g;
    ASSERT_NE(g.Main(), nullptr) << "the gallery window did not appear";
    EXPECT_TRUE(WaitFor([&] { return g.Skinned(); })) << "the stored skin is on";
    // Every packed skin has its button, and so has no skin at all.
    for (const wchar_t* name : {L"daylight", L"midnight", L"slate", L"stock"})
        EXPECT_NE(FindWindowExW(g.Main(), nullptr, L"TButton", name), nullptr) << text::Narrow(name);

    Pump(600);
    const COLORREF daylight = CaptionColour(g.Main());
    ASSERT_TRUE(g.Click(L"midnight"));
    EXPECT_TRUE(WaitFor([&] { return CaptionColour(g.Main()) != daylight; }, 5000)) << "the frame shows the new skin";
    EXPECT_TRUE(g.Skinned());

    ASSERT_TRUE(g.Click(L"stock"));
    EXPECT_TRUE(WaitFor([&] { return Ask(g.Main(), skin::SKM_ISSKINNED) == 0; }, 5000)) << "no skin: nobody answers";
    EXPECT_TRUE(g.Responds());

    ASSERT_TRUE(g.Click(L"slate"));
    EXPECT_TRUE(WaitFor([&] { return g.Skinned(); }, 5000)) << "skinned again after running stock";
    ASSERT_TRUE(g.Click(L"daylight"));
    Pump(800);
    EXPECT_TRUE(g.Skinned());
    EXPECT_TRUE(WaitFor([&] { return CaptionColour(g.Main()) == daylight; }, 5000)) << "back where it started";

    PostMessageW(g.Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(g.ExitCode(), 0);
}

TEST(Gallery, BareAndSystemDialogsOpenSkinnedAndStayUsable) {
    Gallery g;
    ASSERT_NE(g.Main(), nullptr);
    ASSERT_TRUE(WaitFor([&] { return g.Skinned(); }));

    // The bare dialog: modeless, of the system's class, closed by its own button.
    ASSERT_TRUE(g.Click(L"Bare dialog..."));
    HWND bare = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (bare = g.FindTopLevel(L"#32770")) != nullptr; }));
    EXPECT_EQ(GetWindow(bare, GW_OWNER), g.Main());
    EXPECT_TRUE(WaitFor([&] { return Ask(bare, skin::SKM_ISSKINNED) == 1; }, 5000)) << "a dialog we did not write is skinned";
    EXPECT_TRUE(IsWindowEnabled(g.Main())) << "modeless: the gallery goes on working";
    // Tab moves through its controls, as in any dialog.
    auto focusOf = [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(bare, nullptr), &info);
        return info.hwndFocus;
    };
    HWND first = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (first = focusOf()) != nullptr && IsChild(bare, first); })) << "no control has the focus";
    PostMessageW(first, WM_KEYDOWN, VK_TAB, 1);
    PostMessageW(first, WM_KEYUP, VK_TAB, 1 | (1u << 30) | (1u << 31));
    EXPECT_TRUE(WaitFor([&] { return focusOf() != first && IsChild(bare, focusOf()); }, 3000))
        << "Tab did not move the focus in the bare dialog";
    HWND close = FindWindowExW(bare, nullptr, L"Button", L"Close");
    ASSERT_NE(close, nullptr);
    PostMessageW(close, BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(bare); }));

    // The system's dialogs: each opens owned by the gallery, is skinned, and its own
    // button closes it; the gallery is usable again afterwards.
    struct Case {
        const wchar_t* button;
        int closeId;
    } cases[] = {{L"Open file...", IDCANCEL}, {L"Colour...", IDCANCEL}, {L"Font...", IDCANCEL}, {L"Message box...", IDOK}};
    for (const Case& c : cases) {
        const std::string name = text::Narrow(c.button);
        ASSERT_TRUE(g.Click(c.button)) << name;
        HWND dialog = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (dialog = g.FindTopLevel(L"#32770")) != nullptr; })) << name << " did not open";
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), g.Main()) << name;
        EXPECT_TRUE(WaitFor([&] { return Ask(dialog, skin::SKM_ISSKINNED) == 1; }, 5000)) << name << " is not skinned";
        EXPECT_FALSE(IsWindowEnabled(g.Main())) << name << ": modal, the gallery waits for it";
        // A script's click still reaches the disabled gallery's button: it opens no second one.
        ASSERT_TRUE(g.Click(c.button));
        Pump(500);
        EXPECT_EQ(g.FindTopLevel(L"#32770", dialog), nullptr) << name << " opened twice";
        HWND button = GetDlgItem(dialog, c.closeId);
        ASSERT_NE(button, nullptr) << name;
        ASSERT_TRUE(IsWindowVisible(button) && IsWindowEnabled(button)) << name << ": its button is usable";
        PostMessageW(button, BM_CLICK, 0, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); })) << name << " did not close by its button";
        EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(g.Main()) != FALSE; })) << name;
        EXPECT_TRUE(g.Responds()) << name;
    }

    PostMessageW(g.Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(g.ExitCode(), 0);
}

TEST(Gallery, CommandLineChoosesTheSkinOrRefusesAnUnknownOne) {
    {
        Gallery g(L"--stock");
        ASSERT_NE(g.Main(), nullptr);
        Pump(800);
        EXPECT_EQ(Ask(g.Main(), skin::SKM_ISSKINNED), 0) << "--stock runs without a skin";
        PostMessageW(g.Main(), WM_CLOSE, 0, 0);
        EXPECT_EQ(g.ExitCode(), 0);
    }
    {
        Gallery g(L"--skin midnight");
        ASSERT_NE(g.Main(), nullptr);
        EXPECT_TRUE(WaitFor([&] { return g.Skinned(); }));
        PostMessageW(g.Main(), WM_CLOSE, 0, 0);
        EXPECT_EQ(g.ExitCode(), 0);
    }
    // A wrong name in a script ends the program with a code instead of a window.
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring cmd = L"\"" + HostPath(TOVALIN_GALLERY_EXE) + L"\" --skin nosuch --shot nowhere.bmp";
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    base::OwnedHandle process(pi.hProcess), thread(pi.hThread);
    ASSERT_EQ(WaitForSingleObject(process.Get(), 20000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(process.Get(), &code);
    EXPECT_EQ(code, 2u);
}

TEST(Gallery, AScreenshotWithASystemDialogOpenClosesTheDialogAndTheGalleryCleanly) {
    auto run = [](const std::wstring& args) -> DWORD {
        STARTUPINFOW si{};
        si.cb = sizeof si;
        std::wstring cmd = L"\"" + HostPath(TOVALIN_GALLERY_EXE) + L"\" " + args;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 999;
        base::OwnedHandle process(pi.hProcess), thread(pi.hThread);
        if (WaitForSingleObject(process.Get(), 30000) != WAIT_OBJECT_0) return 998;
        DWORD code = 0;
        GetExitCodeProcess(process.Get(), &code);
        return code;
    };
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring shot = std::wstring(folder) + L"gallery-system-dialog.bmp";
    DeleteFileW(shot.c_str());
    // The colour dialog opens over the gallery, is in the picture, and its own Cancel ends it.
    EXPECT_EQ(run(L"--skin slate --system colour --shot \"" + shot + L"\""), 0u);
    WIN32_FILE_ATTRIBUTE_DATA info{};
    ASSERT_TRUE(GetFileAttributesExW(shot.c_str(), GetFileExInfoStandard, &info));
    EXPECT_GT(info.nFileSizeLow, 100000u);
    DeleteFileW(shot.c_str());
    EXPECT_EQ(run(L"--system printer --shot nowhere.bmp"), 2u) << "only the dialogs the gallery has";
    EXPECT_EQ(run(L"--system font --menu --shot nowhere.bmp"), 2u) << "one thing open at a time";
}

// ---- the menu bar and the context menu, by real input ----

namespace {

void Key(WORD vk, bool down) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof in);
    Pump(40);
}
void Tap(WORD vk) {
    Key(vk, true);
    Key(vk, false);
}
void AltWith(WORD vk) {
    Key(VK_MENU, true);
    Tap(vk);
    Key(VK_MENU, false);
}

// Where MoveTo last sent the pointer: presses and releases carry it, so that a stale
// pointer event under Wine cannot move a press to the pointer's previous place.
POINT g_pointerTarget{};

INPUT PointerInput(POINT p, DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = LONG((p.x * 65535 + (GetSystemMetrics(SM_CXSCREEN) - 1) / 2) / (GetSystemMetrics(SM_CXSCREEN) - 1));
    in.mi.dy = LONG((p.y * 65535 + (GetSystemMetrics(SM_CYSCREEN) - 1) / 2) / (GetSystemMetrics(SM_CYSCREEN) - 1));
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return in;
}

// Moves the pointer there and waits until it is there and stays (Wine moves it later, and
// now and then drops a move made while a menu holds the mouse: it is sent again then).
bool MoveTo(POINT p) {
    g_pointerTarget = p;
    auto there = [&] {
        POINT c;
        GetCursorPos(&c);
        return std::abs(c.x - p.x) <= 1 && std::abs(c.y - p.y) <= 1;
    };
    for (int attempt = 0; attempt < 5; ++attempt) {
        INPUT in = PointerInput(p, 0);
        SendInput(1, &in, sizeof in);
        if (!WaitFor(there, 800)) continue;
        Pump(60);
        if (there()) return true;
    }
    return false;
}
void Button(DWORD flags) {
    INPUT in = PointerInput(g_pointerTarget, flags);
    SendInput(1, &in, sizeof in);
    Pump(60);
}

INT_PTR Prop(HWND h, const wchar_t* name) { return reinterpret_cast<INT_PTR>(GetPropW(h, name)); }
constexpr const wchar_t* kLastItem = L"TovalinGalleryLastMenuItem";
constexpr const wchar_t* kClicks = L"TovalinGalleryMenuClicks";

RECT RectOf(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
}

}  // namespace

TEST(GalleryMenus, KeyboardOpensSwitchesAndChoosesOnTheSkinnedBar) {
    Gallery g;
    ASSERT_NE(g.Main(), nullptr);
    ASSERT_TRUE(WaitFor([&] { return g.Skinned(); }));
    SetForegroundWindow(g.Main());
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == g.Main(); })) << "the gallery must have the keyboard";
    Pump(500);
    auto popup = [&] { return g.FindTopLevel(L"#32768"); };
    auto waitClosed = [&] { return WaitFor([&] { return popup() == nullptr; }, 3000); };

    // Alt+F: File, its first item lit, so Return chooses New, whose OnClick runs once.
    AltWith('F');
    HWND file = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (file = popup()) != nullptr; }, 3000)) << "Alt+F opened nothing";
    EXPECT_EQ(Ask(file, skin::SKM_ISSKINNED), 1) << "the drop-down's window is skinned";
    const RECT fileRect = RectOf(file);
    Pump(300);
    Tap(VK_RETURN);
    ASSERT_TRUE(waitClosed());
    EXPECT_TRUE(WaitFor([&] { return Prop(g.Main(), kLastItem) == 11; }, 3000)) << "New did not run";
    Pump(500);
    EXPECT_EQ(Prop(g.Main(), kClicks), 1) << "the chosen item runs exactly once";

    // F10: the first bar item again; Right goes through Edit and View, skips the disabled
    // Tools and Help (no drop-down) and wraps to File; Left wraps back to View.
    auto dropDownLeft = [&](LONG notLeft) {
        LONG left = LONG_MIN;
        WaitFor([&] {
            HWND p = popup();
            return p && (left = RectOf(p).left) != notLeft;
        }, 3000);
        return left;
    };
    Tap(VK_F10);
    ASSERT_EQ(dropDownLeft(LONG_MIN), fileRect.left) << "F10 opens the first item";
    Pump(300);
    Tap(VK_RIGHT);
    const LONG edit = dropDownLeft(fileRect.left);
    EXPECT_GT(edit, fileRect.left) << "Right: Edit";
    Pump(300);
    Tap(VK_RIGHT);
    const LONG view = dropDownLeft(edit);
    EXPECT_GT(view, edit) << "Right: View";
    Pump(300);
    Tap(VK_RIGHT);
    EXPECT_EQ(dropDownLeft(view), fileRect.left) << "Right from View wraps around to File";
    Pump(300);
    Tap(VK_LEFT);
    EXPECT_EQ(dropDownLeft(fileRect.left), view) << "Left from File wraps around to View";
    Pump(300);
    Tap(VK_ESCAPE);
    EXPECT_TRUE(waitClosed()) << "Escape closes the drop-down";
    Tap(VK_ESCAPE);
    Pump(300);

    // Alt alone opens the first item as well.
    Tap(VK_MENU);
    EXPECT_EQ(dropDownLeft(LONG_MIN), fileRect.left) << "Alt alone opens File";
    Tap(VK_ESCAPE);
    EXPECT_TRUE(waitClosed());
    Tap(VK_ESCAPE);
    Pump(300);

    // The disabled Tools opens nothing and runs nothing; Help has no drop-down and only
    // runs its command.
    const INT_PTR before = Prop(g.Main(), kClicks);
    AltWith('T');
    Pump(800);
    EXPECT_EQ(popup(), nullptr) << "a disabled bar item opens nothing";
    EXPECT_EQ(Prop(g.Main(), kClicks), before);
    AltWith('H');
    EXPECT_TRUE(WaitFor([&] { return Prop(g.Main(), kLastItem) == 51; }, 3000)) << "Help's command did not run";
    Pump(500);
    EXPECT_EQ(popup(), nullptr);
    EXPECT_EQ(Prop(g.Main(), kClicks), before + 1);

    // Alt+Space: the skinned system menu; Escape closes it.
    AltWith(VK_SPACE);
    EXPECT_TRUE(WaitFor([&] { return popup() != nullptr; }, 3000)) << "Alt+Space opened no system menu";
    Tap(VK_ESCAPE);
    EXPECT_TRUE(waitClosed());
    EXPECT_TRUE(g.Responds());
    PostMessageW(g.Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(g.ExitCode(), 0);
}

TEST(GalleryMenus, MouseSwitchesBarItemsAndRightClickOpensTheContextMenu) {
    Gallery g;
    ASSERT_NE(g.Main(), nullptr);
    ASSERT_TRUE(WaitFor([&] { return g.Skinned(); }));
    SetForegroundWindow(g.Main());
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == g.Main(); }));
    Pump(500);
    auto popup = [&] { return g.FindTopLevel(L"#32768"); };

    // The drop-downs sit under their bar items: File's and Edit's tell where the items are.
    AltWith('E');
    HWND edit = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (edit = popup()) != nullptr; }, 3000));
    const RECT editRect = RectOf(edit);
    Tap(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return popup() == nullptr; }, 3000));
    Tap(VK_ESCAPE);
    Pump(300);
    AltWith('F');
    HWND file = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (file = popup()) != nullptr; }, 3000));
    const RECT fileRect = RectOf(file);
    ASSERT_GT(editRect.left, fileRect.left);
    // The pointer onto Edit while File is open: Edit's drop-down replaces File's.
    ASSERT_TRUE(MoveTo(POINT{editRect.left + 8, editRect.top - 6}));
    MoveTo(POINT{editRect.left + 10, editRect.top - 6});
    EXPECT_TRUE(WaitFor([&] {
        HWND p = popup();
        return p && RectOf(p).left == editRect.left;
    }, 3000)) << "the drop-down did not follow the pointer to Edit";
    Tap(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return popup() == nullptr; }, 3000));
    Tap(VK_ESCAPE);
    Pump(300);

    // A right click in the client area: the form's context menu; Down and Return choose
    // its first item, once.
    RECT client{};
    GetClientRect(g.Main(), &client);
    POINT at{client.right - 40, client.bottom - 12};
    ClientToScreen(g.Main(), &at);
    ASSERT_TRUE(MoveTo(at));
    Button(MOUSEEVENTF_RIGHTDOWN);
    Button(MOUSEEVENTF_RIGHTUP);
    HWND context = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (context = popup()) != nullptr; }, 3000)) << "no context menu";
    Pump(300);
    const INT_PTR before = Prop(g.Main(), kClicks);
    Tap(VK_DOWN);
    Tap(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return popup() == nullptr; }, 3000));
    EXPECT_TRUE(WaitFor([&] { return Prop(g.Main(), kLastItem) == 61; }, 3000)) << "Copy did not run";
    Pump(500);
    EXPECT_EQ(Prop(g.Main(), kClicks), before + 1);

    // Its item that follows an action: the action runs, once, by the item's letter.
    Pump(300);
    ASSERT_TRUE(MoveTo(at));
    Button(MOUSEEVENTF_RIGHTDOWN);
    Button(MOUSEEVENTF_RIGHTUP);
    ASSERT_TRUE(WaitFor([&] { return (context = popup()) != nullptr; }, 3000));
    EXPECT_EQ(Ask(context, skin::SKM_ISSKINNED), 1) << "the context menu's window is skinned";
    Pump(300);
    Tap('R');
    EXPECT_TRUE(WaitFor([&] { return popup() == nullptr; }, 3000));
    EXPECT_TRUE(WaitFor([&] { return Prop(g.Main(), kLastItem) == 71; }, 3000)) << "the Refresh action did not run";
    Pump(500);
    EXPECT_EQ(Prop(g.Main(), kClicks), before + 2) << "the action runs exactly once";
    PostMessageW(g.Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(g.ExitCode(), 0);
}

namespace {
// The first screen point along the top of the window where its own hit test answers want.
bool FindHit(HWND h, LRESULT want, POINT& at) {
    const RECT r = RectOf(h);
    for (int y = r.top + 2; y < r.top + 48; y += 2)
        for (int x = r.left + 2; x < r.right - 2; x += 2) {
            DWORD_PTR hit = 0;
            if (!SendMessageTimeoutW(h, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 2000, &hit)) return false;
            if (LRESULT(hit) == want) {
                at = {x + 3, y + 3};
                return true;
            }
        }
    return false;
}
}  // namespace

TEST(GalleryMenus, TheSkinnedSystemMenuActsAndOpensFromKeysCaptionAndButton) {
    Gallery g;
    ASSERT_NE(g.Main(), nullptr);
    ASSERT_TRUE(WaitFor([&] { return g.Skinned(); }));
    SetForegroundWindow(g.Main());
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == g.Main(); }));
    Pump(500);
    auto popup = [&] { return g.FindTopLevel(L"#32768"); };
    // Alt+Space, then the item's letter.
    auto choose = [&](WORD letter) {
        AltWith(VK_SPACE);
        if (!WaitFor([&] { return popup() != nullptr; }, 3000)) return false;
        Pump(300);
        Tap(letter);
        return true;
    };

    ASSERT_TRUE(choose('X')) << "Alt+Space opened no system menu";
    EXPECT_TRUE(WaitFor([&] { return IsZoomed(g.Main()) != FALSE; }, 3000)) << "Maximize did not act";
    Pump(500);
    ASSERT_TRUE(choose('R'));
    EXPECT_TRUE(WaitFor([&] { return !IsZoomed(g.Main()); }, 3000)) << "Restore did not act";
    Pump(500);
    // Move, by the keyboard as the system offers it: three steps right, then Return.
    const RECT before = RectOf(g.Main());
    ASSERT_TRUE(choose('M'));
    Pump(300);
    for (int i = 0; i < 3; ++i) Tap(VK_RIGHT);
    Tap(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return RectOf(g.Main()).left > before.left; }, 3000)) << "Move did not act";
    EXPECT_EQ(RectOf(g.Main()).right - RectOf(g.Main()).left, before.right - before.left);
    ASSERT_TRUE(WaitFor([&] { return popup() == nullptr; }, 3000));
    Pump(300);

    // A right click on the caption opens it too.
    POINT caption{};
    ASSERT_TRUE(FindHit(g.Main(), HTCAPTION, caption));
    caption.x += 200;  // clear of the icon and the caption's text
    ASSERT_TRUE(MoveTo(caption));
    Button(MOUSEEVENTF_RIGHTDOWN);
    Button(MOUSEEVENTF_RIGHTUP);
    EXPECT_TRUE(WaitFor([&] { return popup() != nullptr; }, 3000)) << "a right click on the caption opened nothing";
    Tap(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return popup() == nullptr; }, 3000));
    Pump(300);

    // Minimize acts; the test restores the window itself.
    ASSERT_TRUE(choose('N'));
    EXPECT_TRUE(WaitFor([&] { return IsIconic(g.Main()) != FALSE; }, 3000)) << "Minimize did not act";
    ShowWindow(g.Main(), SW_RESTORE);
    SetForegroundWindow(g.Main());
    ASSERT_TRUE(WaitFor([&] { return !IsIconic(g.Main()) && GetForegroundWindow() == g.Main(); }));
    // The restored window repaints all it shows first: the two clicks come after that.
    Pump(800);
    EXPECT_TRUE(g.Responds());
    Pump(800);

    // A double click on the system-menu button closes the window, within the system's time.
    POINT button{};
    ASSERT_TRUE(FindHit(g.Main(), HTSYSMENU, button)) << "no system-menu button on the caption";
    ASSERT_TRUE(MoveTo(button));
    Button(MOUSEEVENTF_LEFTDOWN);
    Button(MOUSEEVENTF_LEFTUP);
    Button(MOUSEEVENTF_LEFTDOWN);
    Button(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(g.ExitCode(), 0) << "the double click did not close the gallery";
}

// ---- the system's dialogs, used by real input: what is chosen there comes back ----

namespace {

std::wstring TextOf(HWND h) {
    wchar_t buffer[512] = {};
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 3000, &got))
        return L"";
    return buffer;
}

// The gallery's status line: the first panel of its status bar.
std::wstring StatusText(const Gallery& g) {
    HWND bar = FindWindowExW(g.Main(), nullptr, L"TStatusBar", nullptr);
    return bar ? TextOf(bar) : L"";
}

void TypeText(const std::wstring& s) {
    for (wchar_t c : s) {
        INPUT in[2]{};
        in[0].type = in[1].type = INPUT_KEYBOARD;
        in[0].ki.wScan = in[1].ki.wScan = c;
        in[0].ki.dwFlags = KEYEVENTF_UNICODE;
        in[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, in, sizeof in[0]);
        Pump(15);
    }
}

// A press and release in the middle of a dialog's control, made again (at most twice more)
// while done does not come true: under Wine a press may carry the pointer's previous place.
template <class Done>
bool ClickControlUntil(HWND control, Done done) {
    RECT r = RectOf(control);
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!IsWindow(control) || !MoveTo(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2})) return done();
        Button(MOUSEEVENTF_LEFTDOWN);
        Button(MOUSEEVENTF_LEFTUP);
        if (WaitFor(done, 3000)) return true;
    }
    return done();
}

// Opens one of the system's dialogs by its gallery button, with the gallery in front.
HWND OpenSystemDialog(const Gallery& g, const wchar_t* button) {
    SetForegroundWindow(g.Main());
    if (!WaitFor([&] { return GetForegroundWindow() == g.Main(); }, 3000)) return nullptr;
    if (!g.Click(button)) return nullptr;
    HWND dialog = nullptr;
    if (!WaitFor([&] { return (dialog = g.FindTopLevel(L"#32770")) != nullptr; })) return nullptr;
    WaitFor([&] { return Ask(dialog, skin::SKM_ISSKINNED) == 1 && GetForegroundWindow() == dialog; }, 5000);
    Pump(500);
    return dialog;
}

bool SameText(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

TEST(GallerySystemDialogs, AFileAColourAndAFontChosenByRealInputComeBackToTheGallery) {
    Gallery g;
    ASSERT_NE(g.Main(), nullptr);
    ASSERT_TRUE(WaitFor([&] { return g.Skinned(); }));
    ASSERT_NE(FindWindowExW(g.Main(), nullptr, L"TStatusBar", nullptr), nullptr) << "the gallery has a status bar";

    // The open-file dialog: a file's full name typed into its name box, then Return.
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring file = std::wstring(folder) + L"tovalin-chosen.txt";
    {
        base::OwnedHandle h(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(h) << "could not make the file to choose";
    }
    HWND open = OpenSystemDialog(g, L"Open file...");
    ASSERT_NE(open, nullptr) << "the open-file dialog did not come up in front";
    EXPECT_EQ(Ask(open, skin::SKM_ISSKINNED), 1);
    TypeText(file);
    Tap(VK_RETURN);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(open); })) << "Return did not choose the typed file";
    EXPECT_TRUE(WaitFor([&] { return SameText(StatusText(g), L"Chosen: " + file); }, 3000))
        << "the gallery shows " << text::Narrow(StatusText(g));
    DeleteFileW(file.c_str());

    // The colour dialog: a click on a basic colour, then a click on OK; the gallery gets
    // the colour the dialog's own red, green and blue boxes showed.
    HWND colour = OpenSystemDialog(g, L"Colour...");
    ASSERT_NE(colour, nullptr) << "the colour dialog did not come up in front";
    EXPECT_EQ(Ask(colour, skin::SKM_ISSKINNED), 1);
    constexpr int kBasicColours = 720, kRed = 706, kGreen = 707, kBlue = 708;
    auto shown = [&] {
        return TextOf(GetDlgItem(colour, kRed)) + L"," + TextOf(GetDlgItem(colour, kGreen)) + L"," +
               TextOf(GetDlgItem(colour, kBlue));
    };
    const std::wstring before = shown();
    HWND swatches = GetDlgItem(colour, kBasicColours);
    ASSERT_NE(swatches, nullptr) << "no basic colours in the colour dialog";
    // The swatches are eight across and six down; the first row's third one.
    const RECT s = RectOf(swatches);
    const POINT third{s.left + (s.right - s.left) * 5 / 16, s.top + (s.bottom - s.top) / 12};
    ASSERT_TRUE(MoveTo(third));
    Button(MOUSEEVENTF_LEFTDOWN);
    Button(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(WaitFor([&] { return shown() != before; }, 3000)) << "the click chose no other colour";
    const std::wstring chosen = shown();
    int r = 0, gr = 0, b = 0;
    ASSERT_EQ(swscanf(chosen.c_str(), L"%d,%d,%d", &r, &gr, &b), 3) << text::Narrow(chosen);
    EXPECT_TRUE(ClickControlUntil(GetDlgItem(colour, IDOK), [&] { return !IsWindow(colour); }))
        << "OK did not close the colour dialog";
    wchar_t expected[32];
    swprintf(expected, 32, L"Colour: #%02X%02X%02X", r, gr, b);
    EXPECT_TRUE(WaitFor([&] { return StatusText(g) == expected; }, 3000))
        << "expected " << text::Narrow(expected) << ", the gallery shows " << text::Narrow(StatusText(g));

    // The font dialog: a click on a face in its list of faces (not the current one), then
    // a click on OK; the gallery gets the face the dialog showed.
    HWND font = OpenSystemDialog(g, L"Font...");
    ASSERT_NE(font, nullptr) << "the font dialog did not come up in front";
    EXPECT_EQ(Ask(font, skin::SKM_ISSKINNED), 1);
    constexpr int kFaces = 0x470;
    HWND faces = GetDlgItem(font, kFaces);
    ASSERT_NE(faces, nullptr) << "no list of faces";
    HWND list = FindWindowExW(faces, nullptr, L"ComboLBox", nullptr);
    ASSERT_NE(list, nullptr) << "the list of faces is not a simple combo box's list";
    ASSERT_GE(Ask(faces, CB_GETCOUNT), 2) << "too few faces to choose from";
    const LRESULT current = Ask(faces, CB_GETCURSEL);
    const LRESULT top = Ask(list, LB_GETTOPINDEX);
    const LRESULT pick = current == top ? top + 1 : top;
    // The rows of the pick, asked of the list itself (its rows need not start at the top).
    RECT lr;
    GetClientRect(list, &lr);
    int first = -1, last = -1;
    for (int y = 0; y < lr.bottom; ++y) {
        DWORD_PTR hit = 0;
        SendMessageTimeoutW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(20, y), SMTO_ABORTIFHUNG, 2000, &hit);
        if (HIWORD(hit) == 0 && LOWORD(hit) == pick) {
            if (first < 0) first = y;
            last = y;
        }
    }
    ASSERT_GE(first, 0) << "the face to pick is not in sight";
    POINT at{lr.left + 20, (first + last) / 2};
    ClientToScreen(list, &at);
    // Under Wine a press may carry the pointer's previous place, or land a row off: it is
    // made again when nothing changed, and any other face than the current one will do.
    bool changed = false;
    for (int attempt = 0; attempt < 3 && !changed; ++attempt) {
        ASSERT_TRUE(MoveTo(at));
        Button(MOUSEEVENTF_LEFTDOWN);
        Button(MOUSEEVENTF_LEFTUP);
        changed = WaitFor([&] { return Ask(faces, CB_GETCURSEL) != current; }, 1500);
    }
    EXPECT_TRUE(changed) << "the click chose no other face";
    // The face the dialog shows now (the list may name one face twice, in two scripts).
    const std::wstring chosenFace = TextOf(faces);
    EXPECT_TRUE(ClickControlUntil(GetDlgItem(font, IDOK), [&] { return !IsWindow(font); }))
        << "OK did not close the font dialog";
    EXPECT_TRUE(WaitFor([&] { return StatusText(g) == L"Font: " + chosenFace; }, 3000))
        << "expected " << text::Narrow(chosenFace) << ", the gallery shows " << text::Narrow(StatusText(g));

    EXPECT_TRUE(g.Responds());
    PostMessageW(g.Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(g.ExitCode(), 0);
}

// ---- skins put on and taken off again and again: nothing piles up ----

TEST(GalleryLifetime, SkinOnSkinOffCyclesLeaveNoHandlesBehind) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring report = std::wstring(folder) + L"gallery-cycles.txt";
    DeleteFileW(report.c_str());
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring cmd =
        L"\"" + HostPath(TOVALIN_GALLERY_EXE) + L"\" --skin-cycles 12 --report \"" + report + L"\"";
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    base::OwnedHandle process(pi.hProcess), thread(pi.hThread);
    ASSERT_EQ(WaitForSingleObject(process.Get(), 240000), WAIT_OBJECT_0) << "the cycles did not end";
    DWORD code = 1;
    GetExitCodeProcess(process.Get(), &code);
    EXPECT_EQ(code, 0u);
    FILE* f = _wfopen(report.c_str(), L"r");
    ASSERT_NE(f, nullptr) << "no report";
    long cycles = 0, gdiBefore = 0, gdiAfter = 0, menusBefore = 0, menusAfter = 0, windowsBefore = 0, windowsAfter = 0,
         skinnedGdi = 0, skinnedRounds = 0, stockGdi = 0, stockRounds = 0;
    const int read = fscanf(f, "%ld %ld %ld %ld %ld %ld %ld %ld %ld %ld %ld", &cycles, &gdiBefore, &gdiAfter, &menusBefore,
                            &menusAfter, &windowsBefore, &windowsAfter, &skinnedGdi, &skinnedRounds, &stockGdi,
                            &stockRounds);
    fclose(f);
    DeleteFileW(report.c_str());
    ASSERT_EQ(read, 11);
    // Every round really went skinned and back: the skin held more while it was on.
    EXPECT_EQ(skinnedRounds, cycles + 3);
    EXPECT_EQ(stockRounds, cycles + 3);
    EXPECT_GT(skinnedGdi, gdiBefore);
    // And gave all of it back.
    EXPECT_LE(gdiAfter, gdiBefore) << "GDI objects (bitmaps, brushes, fonts, regions) left behind";
    EXPECT_LE(menusAfter, menusBefore) << "menus or icons left behind";
    EXPECT_LE(windowsAfter, windowsBefore) << "windows left behind";
    std::printf("[ info ] %ld cycles: GDI %ld -> %ld (%ld while skinned), menus %ld -> %ld, windows %ld -> %ld\n", cycles,
                gdiBefore, gdiAfter, skinnedGdi, menusBefore, menusAfter, windowsBefore, windowsAfter);
}

TEST(GalleryMDI, TheMDIWindowIsSkinnedWithItsChildrenAndClosesAlone) {
    Gallery gallery(L"--skin daylight --mdi-max");
    ASSERT_NE(gallery.Main(), nullptr);
    HWND frame = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (frame = gallery.FindTopLevel(L"TGalleryMDIForm")) != nullptr; }));
    ASSERT_TRUE(WaitFor([&] { return Ask(frame, skin::SKM_ISSKINNED) == 1; }));
    HWND client = FindWindowExW(frame, nullptr, L"MDIClient", nullptr);
    ASSERT_NE(client, nullptr);
    std::vector<HWND> children;
    for (HWND w = GetWindow(client, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_MDICHILD) children.push_back(w);
    ASSERT_EQ(children.size(), 3u);
    for (HWND child : children) EXPECT_EQ(Ask(child, skin::SKM_ISSKINNED), 1) << "children skinned through the hook";
    HWND active = reinterpret_cast<HWND>(SendMessageW(client, WM_MDIGETACTIVE, 0, 0));
    ASSERT_NE(active, nullptr);
    EXPECT_TRUE(IsZoomed(active));
    EXPECT_EQ(GetMenu(frame), nullptr) << "the skinned bar stands for the menu";
    EXPECT_FALSE(GetWindowLongW(client, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
    wchar_t title[128] = {};
    GetWindowTextW(frame, title, 128);
    EXPECT_NE(std::wstring(title).find(L"[Lists]"), std::wstring::npos) << "the maximized child names itself in the frame";

    // Arranged, nothing stays maximized.
    SendMessageW(client, WM_MDICASCADE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsZoomed(active); }));
    PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(frame); }));
    EXPECT_TRUE(gallery.Responds()) << "the gallery goes on without it";
}

namespace {

// The first window of that class at any depth below parent (with that caption, when given).
HWND FindDescendant(HWND parent, const std::wstring& cls, const std::wstring& caption = L"") {
    struct Search {
        const std::wstring* cls;
        const std::wstring* caption;
        HWND found;
    } s{&cls, &caption, nullptr};
    EnumChildWindows(
        parent,
        [](HWND h, LPARAM p) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(p);
            wchar_t text[128] = {};
            GetWindowTextW(h, text, 128);
            if (ClassOf(h) != *s.cls || (!s.caption->empty() && *s.caption != text)) return TRUE;
            s.found = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

}  // namespace

TEST(GalleryContainers, TheFormInsideTheGalleryIsAChildWithSkinnedControlsAndNoFrameOfItsOwn) {
    constexpr UINT kFrameQuery = 0xBC4D;  // answered 0x41A2 by a window with a skinned frame
    constexpr LPARAM kMarker = 0x41A2;
    Gallery g(L"--skin midnight --page containers");
    ASSERT_NE(g.Main(), nullptr);
    ASSERT_TRUE(WaitFor([&] { return g.Skinned(); }));
    Pump(600);
    const HWND inner = FindDescendant(g.Main(), L"TForm");
    ASSERT_NE(inner, nullptr) << "the inner form is a child window of the gallery";
    EXPECT_TRUE(GetWindowLongW(inner, GWL_STYLE) & WS_CHILD);
    EXPECT_TRUE(IsWindowVisible(inner));
    const HWND button = FindDescendant(inner, L"TButton", L"On the inner form");
    ASSERT_NE(button, nullptr);
    DWORD_PTR probe = 0;
    ASSERT_TRUE(SendMessageTimeoutW(inner, kFrameQuery, 0, kMarker, SMTO_ABORTIFHUNG, 3000, &probe));
    EXPECT_NE(LPARAM(probe), kMarker) << "the manager gave the inner form no frame of its own";
    ASSERT_TRUE(SendMessageTimeoutW(g.Main(), kFrameQuery, 0, kMarker, SMTO_ABORTIFHUNG, 3000, &probe));
    EXPECT_EQ(LPARAM(probe), kMarker);
    EXPECT_EQ(Ask(button, skin::SKM_ISSKINNED), 1) << "its controls are skinned with the gallery";
    const HWND frameButton = FindDescendant(g.Main(), L"TButton", L"In the frame");
    ASSERT_NE(frameButton, nullptr);
    EXPECT_EQ(Ask(frameButton, skin::SKM_ISSKINNED), 1);
    // No top-level window of the gallery other than the main one is a form.
    EXPECT_EQ(g.FindTopLevel(L"TForm"), nullptr);

    ASSERT_TRUE(g.Click(L"stock"));
    EXPECT_TRUE(WaitFor([&] { return Ask(button, skin::SKM_ISSKINNED) == 0; }, 5000));
    ASSERT_TRUE(g.Click(L"slate"));
    EXPECT_TRUE(WaitFor([&] { return Ask(button, skin::SKM_ISSKINNED) == 1; }, 5000)) << "skinned again";
    PostMessageW(g.Main(), WM_CLOSE, 0, 0);
    EXPECT_EQ(g.ExitCode(), 0);
}
