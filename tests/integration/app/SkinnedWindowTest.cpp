// The skinned program as a user meets it: the frame around the client area its
// description asks for, caption buttons and the caption answering real clicks, the
// skinned message box, and a caption that shows whether the window is active.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "AppDriver.h"
#include "raster/BmpCodec.h"
#include "raster/Slices.h"

using namespace apptest;

namespace {

constexpr UINT kIsSkinned = 0x3523;  // the skin manager's question to a window

std::string Show(const RECT& r) {
    std::ostringstream s;
    s << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
    return s.str();
}

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

// The main form's own properties in its stored description (not its children's).
std::map<std::string, std::string> StoredFormProperties() {
    std::map<std::string, std::string> props;
    std::ifstream in(HostPath(TOVALIN_FORM_DESCRIPTION).c_str());
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind("  object ", 0) == 0) break;  // the first child: the form's own part is over
        if (line.size() < 3 || line.compare(0, 2, "  ") != 0 || line[2] == ' ') continue;
        std::istringstream fields(line);
        std::string name, equals, value;
        if (fields >> name >> equals >> value && equals == "=") props[name] = value;
    }
    return props;
}

int Number(const std::map<std::string, std::string>& props, const char* name) {
    const auto it = props.find(name);
    if (it == props.end()) return -1;
    try {
        return std::stoi(it->second);
    } catch (const std::exception&) {
        return -1;
    }
}

// The client size the description asks for: given outright, or what the stored outer size
// leaves inside the stock frame of a sizeable form. {-1, -1} when it cannot tell.
SIZE StoredClientSize() {
    const auto props = StoredFormProperties();
    SIZE want{Number(props, "ClientWidth"), Number(props, "ClientHeight")};
    if (want.cx >= 0 && want.cy >= 0) return want;
    const auto border = props.find("BorderStyle");
    if (border != props.end() && border->second != "bsSizeable") return SIZE{-1, -1};
    const int width = Number(props, "Width"), height = Number(props, "Height");
    if (width < 0 || height < 0) return SIZE{-1, -1};
    // The framework's sizeable form: an overlapped window with its own taskbar button.
    Probe stock(L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_APPWINDOW);
    SetWindowPos(stock.h, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT c{};
    GetClientRect(stock.h, &c);
    if (want.cx < 0) want.cx = c.right;
    if (want.cy < 0) want.cy = c.bottom;
    return want;
}

bool HasRegion(HWND h) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const bool has = GetWindowRgn(h, rgn) != ERROR;
    DeleteObject(rgn);
    return has;
}

// The skin goes on at the window's first activation; its region comes last.
bool AwaitSkin(HWND h) {
    BringToFront(h);
    const bool skinned = WaitFor([&] { return Ask(h, kIsSkinned) == 1 && HasRegion(h); });
    Pump(200);  // and the repaint that follows
    return skinned;
}

RECT WorkArea() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

// Height of the caption: the client area starts below it (Tovalin has no menu bar).
int CaptionHeight(HWND h) { return ClientInWindow(h).top; }

// A caption point (screen) away from the buttons and the window's edges.
POINT CaptionPoint(HWND h) {
    const RECT w = WindowRect(h);
    return POINT{w.left + (w.right - w.left) / 3, w.top + CaptionHeight(h) / 2};
}

// Where each caption button answers the hit test (screen points near the middle of each),
// found as the system finds them: by asking the window along the caption's rows.
std::map<int, POINT> FindCaptionButtons(HWND h) {
    const RECT w = WindowRect(h);
    const int height = CaptionHeight(h);
    std::map<int, POINT> found;
    auto wanted = [](int code) { return code == HTMINBUTTON || code == HTMAXBUTTON || code == HTCLOSE; };
    for (int step = 0; step < height && found.size() < 3; ++step) {
        // The middle row first, then outwards.
        const int y = w.top + height / 2 + (step % 2 ? -(step + 1) / 2 : step / 2);
        if (y < w.top || y >= w.top + height) continue;
        int runCode = HTNOWHERE, runStart = 0;
        for (int x = w.left; x <= w.right; ++x) {
            const int code = x < w.right ? HitAt(h, POINT{x, y}) : HTNOWHERE;
            if (code == runCode) continue;
            if (wanted(runCode) && !found.count(runCode)) {
                const int cx = (runStart + x - 1) / 2;
                // Its middle row too, at that column.
                int top = y, bottom = y;
                while (top > w.top && HitAt(h, POINT{cx, top - 1}) == runCode) --top;
                while (bottom + 1 < w.top + height && HitAt(h, POINT{cx, bottom + 1}) == runCode) ++bottom;
                found[runCode] = POINT{cx, (top + bottom) / 2};
            }
            runCode = code;
            runStart = x;
        }
    }
    return found;
}

void ExpectButtonsFound(const std::map<int, POINT>& b) {
    EXPECT_TRUE(b.count(HTMINBUTTON)) << "no minimize button answers in the caption";
    EXPECT_TRUE(b.count(HTMAXBUTTON)) << "no maximize button answers in the caption";
    EXPECT_TRUE(b.count(HTCLOSE)) << "no close button answers in the caption";
}

// The window's region leaves all of the client area on screen.
bool ClientInsideRegion(HWND h) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const RECT c = ClientInWindow(h);
    const bool inside = GetWindowRgn(h, rgn) != ERROR && PtInRegion(rgn, c.left, c.top) &&
                        PtInRegion(rgn, c.right - 1, c.top) && PtInRegion(rgn, c.left, c.bottom - 1) &&
                        PtInRegion(rgn, c.right - 1, c.bottom - 1);
    DeleteObject(rgn);
    return inside;
}

bool Maximized(HWND h) { return IsZoomed(h) && SameRect(WindowRect(h), WorkArea()); }
bool RestoredTo(HWND h, const RECT& r) { return !IsZoomed(h) && !IsIconic(h) && SameRect(WindowRect(h), r); }

}  // namespace

TEST(SkinnedTovalin, KeepsTheStoredClientSizeInsideARoundedFrame) {
    const SIZE want = StoredClientSize();
    ASSERT_GT(want.cx, 0) << "the stored description gives no size this test can read";
    ASSERT_GT(want.cy, 0);
    Tovalin app;
    HWND main = app.Main();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(AwaitSkin(main)) << "the main window was never skinned";
    EXPECT_EQ(Ask(main, kIsSkinned), 1);

    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, want.cx);
    EXPECT_EQ(client.bottom, want.cy);

    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(main, rgn), ERROR);
    const RECT w = WindowRect(main);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0)) << "the top-left corner is not cut away";
    const POINT captionMiddle{(w.right - w.left) / 2, CaptionHeight(main) / 2};
    EXPECT_TRUE(PtInRegion(rgn, captionMiddle.x, captionMiddle.y)) << "the caption is cut away";
    DeleteObject(rgn);
    EXPECT_TRUE(ClientInsideRegion(main)) << "the region cuts into the client area";
    EXPECT_EQ(HitAt(main, POINT{w.left + captionMiddle.x, w.top + captionMiddle.y}), HTCAPTION);
}

TEST(SkinnedTovalin, CaptionButtonsMaximizeRestoreMinimizeAndCloseByRealClicks) {
    Tovalin app;
    HWND main = app.Main();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(AwaitSkin(main));
    const RECT normal = WindowRect(main);
    const SIZE want = StoredClientSize();
    auto buttons = FindCaptionButtons(main);
    ExpectButtonsFound(buttons);
    ASSERT_EQ(buttons.size(), 3u);

    LeftClickAt(buttons[HTMAXBUTTON]);
    EXPECT_TRUE(WaitFor([&] { return Maximized(main); }, 5000))
        << "maximized to " << Show(WindowRect(main)) << ", the work area is " << Show(WorkArea());
    EXPECT_TRUE(WaitFor([&] { return ClientInsideRegion(main); }, 3000)) << "the region still has the former size";
    // The same button, where it is now, puts the window back.
    ASSERT_TRUE(BringToFront(main));
    auto zoomed = FindCaptionButtons(main);
    ASSERT_TRUE(zoomed.count(HTMAXBUTTON)) << "no maximize button on the maximized caption";
    LeftClickAt(zoomed[HTMAXBUTTON]);
    EXPECT_TRUE(WaitFor([&] { return RestoredTo(main, normal); }, 5000))
        << "restored to " << Show(WindowRect(main)) << ", was " << Show(normal);

    ASSERT_TRUE(BringToFront(main));
    buttons = FindCaptionButtons(main);
    ASSERT_TRUE(buttons.count(HTMINBUTTON));
    LeftClickAt(buttons[HTMINBUTTON]);
    EXPECT_TRUE(WaitFor([&] { return IsIconic(main) != FALSE; }, 5000)) << "not minimized";
    ShowWindowAsync(main, SW_RESTORE);
    EXPECT_TRUE(WaitFor([&] { return RestoredTo(main, normal); }, 5000))
        << "restored to " << Show(WindowRect(main)) << ", was " << Show(normal);
    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, want.cx);
    EXPECT_EQ(client.bottom, want.cy);
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(main, rgn), ERROR);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0)) << "the rounded corner was lost on the way";
    DeleteObject(rgn);
    EXPECT_TRUE(WaitFor([&] { return ClientInsideRegion(main); }, 3000));

    ASSERT_TRUE(BringToFront(main));
    buttons = FindCaptionButtons(main);
    ASSERT_TRUE(buttons.count(HTCLOSE));
    LeftClickAt(buttons[HTCLOSE]);
    ASSERT_EQ(WaitForSingleObject(app.Process(), 10000), WAIT_OBJECT_0) << "still running after close";
    DWORD code = 1;
    GetExitCodeProcess(app.Process(), &code);
    EXPECT_EQ(code, 0u);
}

TEST(SkinnedTovalin, DoubleClickingTheCaptionMaximizesAndRestores) {
    Tovalin app;
    HWND main = app.Main();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(AwaitSkin(main));
    const RECT normal = WindowRect(main);

    const POINT at = CaptionPoint(main);
    ASSERT_EQ(HitAt(main, at), HTCAPTION);
    DoubleClickAt(at);
    EXPECT_TRUE(WaitFor([&] { return Maximized(main); }, 5000))
        << "after a double click: " << Show(WindowRect(main)) << ", the work area is " << Show(WorkArea());
    EXPECT_TRUE(WaitFor([&] { return ClientInsideRegion(main); }, 3000)) << "the region still has the former size";

    const POINT again = CaptionPoint(main);
    ASSERT_EQ(HitAt(main, again), HTCAPTION);
    DoubleClickAt(again);
    EXPECT_TRUE(WaitFor([&] { return RestoredTo(main, normal); }, 5000))
        << "after a second double click: " << Show(WindowRect(main)) << ", was " << Show(normal);
}

TEST(SkinnedTovalin, TheMessageBoxIsSkinnedHoldsItsTextAndClosesByARealClickOnOk) {
    Tovalin app;
    HWND main = app.Main();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(AwaitSkin(main));
    app.Click(L"隐  藏");
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = app.MessageBox()) != nullptr; }));
    EXPECT_EQ(WindowText(box), "提示");
    EXPECT_TRUE(WaitFor([&] { return Ask(box, kIsSkinned) == 1 && HasRegion(box); }, 5000))
        << "the message box was not skinned";
    Pump(200);

    // Every part of the box, its text above all, lies within its client area.
    RECT client{};
    GetClientRect(box, &client);
    bool textSeen = false;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!IsWindowVisible(c)) continue;
        RECT r = WindowRect(c);
        MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
        const std::string name = WindowText(c);
        if (name == "用Ctrl+Alt+S显示窗口") textSeen = true;
        EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right &&
                    r.bottom <= client.bottom)
            << "\"" << name << "\" at " << Show(r) << " outside the client area " << Show(client);
    }
    EXPECT_TRUE(textSeen);

    HWND ok = GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr);
    const RECT r = WindowRect(ok);
    LeftClickAt(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000)) << "OK did not close the box";
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }, 5000)) << "the main window stayed";
}

TEST(SkinnedTovalin, AnInactiveCaptionLooksDifferentFromAnActiveOne) {
    Tovalin app;
    HWND main = app.Main();
    ASSERT_NE(main, nullptr);
    Probe other(L"Probe in front");
    SetWindowPos(other.h, nullptr, 900, 700, 200, 120, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(AwaitSkin(main));
    const RECT w = WindowRect(main);
    const RECT caption{w.left, w.top, w.right, w.top + CaptionHeight(main)};
    const RECT probe = WindowRect(other.h);
    RECT overlap{};
    ASSERT_FALSE(IntersectRect(&overlap, &caption, &probe)) << "the probe covers the caption";
    // The pointer rests away from both windows: no button shows a hover look.
    const POINT away{1200, 40};
    ASSERT_FALSE(PtInRect(&w, away) || PtInRect(&probe, away));
    MovePointerTo(away);
    Pump(500);  // the hover check runs every 250 ms
    const std::vector<DWORD> active = CaptureScreen(caption);
    ASSERT_FALSE(active.empty());

    ASSERT_TRUE(BringToFront(other.h));
    EXPECT_TRUE(WaitFor([&] { return CaptureScreen(caption) != active; }, 3000))
        << "the caption looks the same when the window is inactive";

    ASSERT_TRUE(BringToFront(main));
    EXPECT_TRUE(WaitFor([&] { return CaptureScreen(caption) == active; }, 3000))
        << "active again, the caption does not look as it did";
}

// As with the system's own caption buttons, a press acts only where it began: letting go
// elsewhere cancels it, and no other button takes it over.
TEST(SkinnedTovalin, APressCountsOnlyOnTheCaptionButtonItBeganOn) {
    Tovalin app;
    HWND main = app.Main();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(AwaitSkin(main));
    const RECT normal = WindowRect(main);
    auto buttons = FindCaptionButtons(main);
    ExpectButtonsFound(buttons);
    ASSERT_EQ(buttons.size(), 3u);

    // Pressed at the first point, moved through the others with the button held, let go at the last.
    auto pressSlideRelease = [&](std::initializer_list<POINT> path) {
        MovePointerTo(*path.begin());
        MouseAt(*path.begin(), MOUSEEVENTF_LEFTDOWN);
        for (const POINT& p : path) {
            Pump(100);
            MovePointerTo(p);
        }
        Pump(100);
        MouseAt(*(path.end() - 1), MOUSEEVENTF_LEFTUP);
        Pump(100);
        app.Settle();
    };
    // What the program posts itself takes a moment: a window closing would be gone by then.
    auto stillThere = [&] { return WaitForSingleObject(app.Process(), 1000) == WAIT_TIMEOUT && IsWindowVisible(main); };

    pressSlideRelease({buttons[HTMAXBUTTON], buttons[HTCLOSE]});
    ASSERT_TRUE(stillThere()) << "closed by a press that began on maximize";
    EXPECT_TRUE(RestoredTo(main, normal)) << Show(WindowRect(main));

    pressSlideRelease({buttons[HTCLOSE], CaptionPoint(main)});
    ASSERT_TRUE(stillThere()) << "closed by a press let go of on the caption";
    EXPECT_TRUE(RestoredTo(main, normal)) << Show(WindowRect(main));

    pressSlideRelease({buttons[HTMINBUTTON], buttons[HTMAXBUTTON]});
    ASSERT_TRUE(stillThere());
    EXPECT_TRUE(RestoredTo(main, normal)) << "a press that began on minimize changed the window to "
                                          << Show(WindowRect(main)) << (IsIconic(main) ? ", minimized" : "");

    // Slid off and back onto the button it began on, the press still counts.
    pressSlideRelease({buttons[HTMAXBUTTON], CaptionPoint(main), buttons[HTMAXBUTTON]});
    EXPECT_TRUE(WaitFor([&] { return Maximized(main); }, 5000)) << Show(WindowRect(main));
}

namespace {

// The push button element of the skin the program stores: its strip of five frames and
// its edges, as the skin's folder (the one packed into the program) holds them.
struct ButtonElement {
    raster::Bitmap strip;
    raster::Margins margins;
    bool tile = false;
};

std::unique_ptr<ButtonElement> StoredButtonElement() {
    const std::string folder = TOVALIN_STORED_SKIN_FOLDER;
    std::ifstream ini(HostPath(folder + "/skin.ini").c_str());
    std::map<std::string, std::string> keys;
    bool inButtons = false;
    for (std::string line; std::getline(ini, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] == '[') inButtons = line == "[Buttons]";
        else if (inButtons && line.find('=') != std::string::npos)
            keys[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
    }
    if (!keys.count("Bitmap")) return nullptr;
    std::ifstream bmp(HostPath(folder + "/" + keys["Bitmap"]).c_str(), std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(bmp)), std::istreambuf_iterator<char>());
    auto e = std::make_unique<ButtonElement>();
    try {
        e->strip = raster::DecodeBmp(bytes);
    } catch (const std::exception&) {
        return nullptr;
    }
    const auto number = [&](const char* key) { return keys.count(key) ? std::atoi(keys[key].c_str()) : 0; };
    e->margins = {number("LeftWidth"), number("TopHeight"), number("RightWidth"), number("BottomHeight")};
    e->tile = number("Tile") != 0;
    return e;
}

// The frame (1..5) of the skin's button strip a button shows, judged by the element's
// edges; 0 when none matches nearly everywhere.
int ShownButtonFrame(HWND button, const ButtonElement& e) {
    const RECT r = WindowRect(button);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const std::vector<DWORD> shot = CaptureScreen(r);
    if (shot.size() != std::size_t(w) * std::size_t(h)) return 0;
    const raster::Margins m = e.margins;
    int best = 0;
    double bestScore = 0;
    for (int frame = 1; frame <= 5; ++frame) {
        const raster::Bitmap want =
            raster::RenderElementImage(raster::Rect{0, 0, w, h}, e.strip, m, false, e.tile, 5, frame);
        int total = 0, same = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (x >= m.left && y >= m.top && x < w - m.right && y < h - m.bottom) continue;
                const raster::Color c = want.GetPixel(x, y);
                if (c == raster::kKeyColor) continue;
                const DWORD s = shot[std::size_t(y) * std::size_t(w) + std::size_t(x)];
                const int dr = int((s >> 16) & 0xFF) - raster::RedOf(c), dg = int((s >> 8) & 0xFF) - raster::GreenOf(c),
                          db = int(s & 0xFF) - raster::BlueOf(c);
                ++total;
                if (std::abs(dr) <= 3 && std::abs(dg) <= 3 && std::abs(db) <= 3) ++same;
            }
        const double score = total ? double(same) / total : 0;
        if (score > bestScore) bestScore = score, best = frame;
    }
    return bestScore > 0.95 ? best : 0;
}

}  // namespace

TEST(SkinnedTovalin, TheButtonsWearTheSkinsButtonAndOneClickDoesOneThing) {
    const auto element = StoredButtonElement();
    ASSERT_TRUE(element && !element->strip.Empty());
    Tovalin app;
    HWND main = app.Main();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(AwaitSkin(main));
    MovePointerTo(POINT{1200, 40});
    Pump(300);
    for (const wchar_t* caption : {L"刷新", L"隐藏窗口", L"显示窗口", L"隐  藏"}) {
        HWND b = app.Child(L"TButton", caption);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(Ask(b, kIsSkinned), 1);
        const int frame = ShownButtonFrame(b, *element);
        EXPECT_TRUE(frame == 1 || frame == 5) << "shows frame " << frame << " of the skin's buttons";
    }

    // Under the pointer the button shows the hot frame.
    HWND hide = app.Child(L"TButton", L"隐  藏");
    const RECT r = WindowRect(hide);
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ASSERT_TRUE(MovePointerTo(centre));
    EXPECT_TRUE(WaitFor([&] { return ShownButtonFrame(hide, *element) == 4; }, 3000));

    // One real click: one message box, and no second one once it is closed.
    LeftClickAt(centre);
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = app.MessageBox()) != nullptr; }));
    Pump(500);
    HWND ok = GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(Ask(ok, kIsSkinned), 1) << "the message box's button";
    const RECT o = WindowRect(ok);
    LeftClickAt(POINT{(o.left + o.right) / 2, (o.top + o.bottom) / 2});
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5000));
    Pump(800);
    EXPECT_EQ(app.MessageBox(), nullptr) << "a second message box: the click was taken twice";
    EXPECT_FALSE(IsWindowVisible(main));
}

TEST(SkinnedTovalin, TheIconButtonOpensTheSkinnedSystemMenuAndItsDoubleClickCloses) {
    Tovalin app;
    HWND main = app.Main();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(AwaitSkin(main));
    ASSERT_TRUE(BringToFront(main));
    // The button is where the window's own hit test says HTSYSMENU along the caption.
    const RECT r = WindowRect(main);
    POINT button{-1, -1};
    for (int y = r.top + 2; y < r.top + 48 && button.x < 0; y += 2)
        for (int x = r.left + 2; x < r.left + 80; x += 2)
            if (HitAt(main, POINT{x, y}) == HTSYSMENU) {
                button = {x + 3, y + 3};
                break;
            }
    ASSERT_GE(button.x, 0) << "no system-menu button on the caption";

    LeftClickAt(button);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = OpenMenuOf(app.Pid())) != nullptr; }, 5000)) << "a click opened no menu";
    EXPECT_EQ(Ask(menu, kIsSkinned), 1) << "the system menu's window is skinned";
    SendKeys({VK_ESCAPE});
    ASSERT_TRUE(WaitFor([&] { return OpenMenuOf(app.Pid()) == nullptr; }, 5000));
    Sleep(GetDoubleClickTime() + 100);  // the next click starts a new pair

    DoubleClickAt(button);
    ASSERT_EQ(WaitForSingleObject(app.Process(), 10000), WAIT_OBJECT_0) << "a double click on the button did not close";
    DWORD code = 1;
    GetExitCodeProcess(app.Process(), &code);
    EXPECT_EQ(code, 0u);
}
