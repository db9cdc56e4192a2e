// Edits, combo boxes and date-time pickers skinned: the frames and buttons the skin's
// colours and strips give in each state and each skin, and the stock behaviour kept by
// real input (typing, mouse selection, the clipboard; the list opened by a click and by
// Alt+Down, a choice told once, the list's bar dragged to the stock's positions; the
// picker's calendar). Unskinning gives every window its procedure and its look back.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "ControlsTestUtil.h"
#include "framework/ComboBoxes.h"
#include "framework/DateTimePickers.h"
#include "raster/Blit.h"
#include "raster/Slices.h"
#include "skin/controls/EditSkinners.h"
#include "skin/controls/ScrollBarSkinners.h"
#include "skin/core/WinSkinData.h"

using namespace skin;
using namespace skintest;

namespace {

raster::Color At(const raster::Bitmap& b, int x, int y) { return b.GetPixel(x, y) & 0xFFFFFF; }

// Of several expected pictures (frame 1, 2, ...), the one the screen shows nearly
// everywhere and clearly better than the others; 0 when none does. Magenta in an
// expected picture is left out.
int BestMatch(const raster::Bitmap& shot, const std::vector<raster::Bitmap>& expected, int tolerance,
              double need = 0.95) {
    int best = 0;
    double bestScore = 0, secondScore = 0;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        int total = 0, same = 0;
        const raster::Bitmap& e = expected[i];
        for (int y = 0; y < std::min(e.Height(), shot.Height()); ++y)
            for (int x = 0; x < std::min(e.Width(), shot.Width()); ++x) {
                const raster::Color c = At(e, x, y);
                if (c == raster::kKeyColor) continue;
                ++total;
                same += Near(At(shot, x, y), c, tolerance);
            }
        const double score = total ? double(same) / total : 0;
        if (score > bestScore) {
            secondScore = bestScore;
            bestScore = score;
            best = int(i) + 1;
        } else if (score > secondScore) {
            secondScore = score;
        }
    }
    return bestScore >= need && bestScore - secondScore > 0.01 ? best : 0;
}

// The frame (1 normal, 2 pressed, 3 disabled, 4 hot or focused) of the skin's combo strip
// that the combo box shows over its whole window.
int ShownComboFrame(HWND combo, const TSkinData& data) {
    const TDataSkinBorder& b = *data.ComboButton;
    const int count = data.SunkEdge ? data.SunkEdge->FrameCount() : b.FrameCount();
    const RECT r = WindowRectOf(combo);
    const SIZE s = SizeOf(r);
    std::vector<raster::Bitmap> expected;
    for (int frame = 1; frame <= count; ++frame)
        expected.push_back(
            raster::RenderElementImage({0, 0, s.cx, s.cy}, b.Bitmap, b.Margins(), false, b.Tile != 0, count, frame));
    return BestMatch(CaptureScreen(r), expected, 3);
}

// The frame of the skin's picker arrow strip that the arrow window shows.
int ShownArrowFrame(HWND arrow, const TSkinData& data) {
    const raster::Bitmap& strip = data.ComboArrow->Bitmap;
    const int count = data.ComboArrow->FrameCount(), fw = strip.Width() / count;
    const RECT r = WindowRectOf(arrow);
    const SIZE s = SizeOf(r);
    std::vector<raster::Bitmap> expected;
    for (int frame = 1; frame <= count; ++frame) {
        raster::Bitmap e(s.cx, s.cy);
        raster::Stretch(e, {0, 0, s.cx, s.cy}, strip, {(frame - 1) * fw, 0, frame * fw, strip.Height()});
        expected.push_back(std::move(e));
    }
    return BestMatch(CaptureScreen(r), expected, 8, 0.85);
}

struct EditRing {
    raster::Color outer[4];  // left, top, right, bottom middles of the outermost ring
    raster::Color ring1, ring2, inside;
};

EditRing RingOf(HWND edit) {
    const RECT r = WindowRectOf(edit);
    const SIZE s = SizeOf(r);
    const raster::Bitmap shot = CaptureScreen(r);
    EditRing e{};
    e.outer[0] = At(shot, 0, s.cy / 2);
    e.outer[1] = At(shot, s.cx / 2, 0);
    e.outer[2] = At(shot, s.cx - 1, s.cy / 2);
    e.outer[3] = At(shot, s.cx / 2, s.cy - 1);
    e.ring1 = At(shot, 1, s.cy / 2);
    e.ring2 = At(shot, s.cx / 2, 2);
    e.inside = At(shot, s.cx - 6, s.cy / 2);  // right of the short text
    return e;
}

void Chord(WORD modifier, WORD key) {
    PressKey(modifier, true);
    PressKey(key, true);
    PressKey(key, false);
    PressKey(modifier, false);
}

POINT ScreenPoint(HWND wnd, int x, int y) {
    POINT p{x, y};
    ::ClientToScreen(wnd, &p);
    return p;
}

tv::TEdit* MakeEdit(tv::TForm* form, int x, int y, const std::string& text) {
    auto* e = new tv::TEdit(form);
    e->SetParent(form);
    e->SetBounds(x, y, 200, 23);
    e->SetText(text);
    return e;
}

tv::TComboBox* MakeCombo(tv::TForm* form, int x, int y, tv::TComboBoxStyle style, int items) {
    auto* c = new tv::TComboBox(form);
    c->SetParent(form);
    c->SetStyle(style);
    c->SetBounds(x, y, 160, 23);
    for (int i = 1; i <= items; ++i) c->Items().Add("Choice " + std::to_string(i));
    return c;
}

struct EditFormFixture {
    tv::TForm* form = nullptr;
    TWinSkinForm* skinner = nullptr;
    tv::TEdit *normal = nullptr, *readOnly = nullptr, *disabled = nullptr, *focused = nullptr, *bare = nullptr;
    tv::TComboBox *longList = nullptr, *shortList = nullptr, *fixed = nullptr, *offCombo = nullptr;
    tv::TDateTimePicker *date = nullptr, *time = nullptr;
    tv::TListBox* list = nullptr;
    int changes = 0;

    explicit EditFormFixture(TSkinData* data, bool skin = true) {
        InstallControlsOnce();
        MoveMouseTo({5, 5});
        form = MakeForm("Edits", 460, 300);
        normal = MakeEdit(form, 10, 10, "Normal");
        readOnly = MakeEdit(form, 10, 40, "Read-only");
        readOnly->SetReadOnly(true);
        disabled = MakeEdit(form, 10, 70, "Off");
        disabled->SetEnabled(false);
        focused = MakeEdit(form, 10, 100, "Focus");
        bare = MakeEdit(form, 10, 130, "");
        bare->SetBorderStyle(tv::TBorderStyle::bsNone);
        longList = MakeCombo(form, 230, 10, tv::TComboBoxStyle::csDropDownList, 30);
        longList->SetItemIndex(0);
        longList->OnChange = [this](tv::TObject*) { ++changes; };
        shortList = MakeCombo(form, 230, 40, tv::TComboBoxStyle::csDropDownList, 3);
        fixed = MakeCombo(form, 230, 70, tv::TComboBoxStyle::csDropDown, 5);
        offCombo = MakeCombo(form, 230, 100, tv::TComboBoxStyle::csDropDownList, 2);
        offCombo->SetItemIndex(0);
        offCombo->SetEnabled(false);
        date = new tv::TDateTimePicker(form);
        date->SetParent(form);
        date->SetBounds(230, 140, 160, 23);
        time = new tv::TDateTimePicker(form);
        time->SetParent(form);
        time->SetKind(tv::TDateTimeKind::dtkTime);
        time->SetBounds(230, 170, 160, 23);
        list = new tv::TListBox(form);
        list->SetParent(form);
        list->SetBounds(10, 200, 150, 60);
        if (skin && data) {
            skinner = new TWinSkinForm(form, form->Handle());
            skinner->AttachForm(data, form);
            Activate(*skinner);
        }
        list->SetFocus();
        Pump(80);
    }
    ~EditFormFixture() { delete form; }
};

}  // namespace

TEST(EditSkinners, FramesAndTheComboButtonShowTheSkinInEachStateAndEachSkin) {
    for (const char* name : kSkinNames) {
        SCOPED_TRACE(name);
        auto data = LoadPackedSkin(name);
        ASSERT_TRUE(data && !data->SkinEmpty && data->ComboButton && data->SunkEdge);
        ASSERT_EQ(data->ComboButton->Style, 2) << "the composite combo strip";
        EditFormFixture f(data.get());
        EXPECT_EQ(f.skinner->FindSkinner(f.normal->Handle())->ClassName(), "TSkinEdit");
        EXPECT_EQ(f.skinner->FindSkinner(f.longList->Handle())->ClassName(), "TSkinComBox");
        EXPECT_EQ(f.skinner->FindSkinner(f.date->Handle())->ClassName(), "TSkinDateTime");
        EXPECT_EQ(f.skinner->FindSkinner(f.time->Handle())->ClassName(), "TSkinEdit") << "a time picker is an edit";
        ASSERT_NE(f.longList->ListHandle(), nullptr);
        EXPECT_EQ(f.skinner->FindSkinner(f.longList->ListHandle())->ClassName(), "TComboxScrollBar");

        // Edits: the outer line in the skin's shadow colour, the rings inside in the
        // edit's own background, in every state.
        f.focused->SetFocus();
        Pump(60);
        const raster::Color shadow = tv::ColorToRGB(data->SkinColors.ButtonShadow);
        for (tv::TEdit* e : {f.normal, f.readOnly, f.disabled, f.focused}) {
            SCOPED_TRACE(e->Text());
            const EditRing ring = RingOf(e->Handle());
            for (raster::Color c : ring.outer) EXPECT_EQ(c, shadow);
            EXPECT_EQ(ring.ring1, ring.inside);
            EXPECT_EQ(ring.ring2, ring.inside);
        }
        // An edit without a border is left as it is.
        EXPECT_NE(RingOf(f.bare->Handle()).outer[0], shadow);

        // Combo boxes: the whole strip frame for the state.
        EXPECT_EQ(ShownComboFrame(f.longList->Handle(), *data), 1);
        EXPECT_EQ(ShownComboFrame(f.offCombo->Handle(), *data), 3);
        EXPECT_EQ(ShownComboFrame(f.fixed->Handle(), *data), 1);
        f.fixed->SetFocus();
        Pump(60);
        EXPECT_EQ(ShownComboFrame(f.fixed->Handle(), *data), 4) << "focused (its edit has the focus)";
        f.list->SetFocus();
        Pump(60);
        EXPECT_EQ(ShownComboFrame(f.fixed->Handle(), *data), 1);
        // Hot over the button only, not elsewhere in the combo.
        const HWND combo = f.shortList->Handle();
        const RECT w = WindowRectOf(combo);
        MoveMouseTo({w.left + 20, (w.top + w.bottom) / 2});
        Pump(60);
        EXPECT_EQ(ShownComboFrame(combo, *data), 1) << "over the field";
        // Under Wine a pointer event may still carry the previous place: moved once more
        // within the button when the first move is not seen there.
        bool hot = false;
        for (int attempt = 0; attempt < 3 && !hot; ++attempt) {
            MoveMouseTo({w.right - 8 + attempt, (w.top + w.bottom) / 2});
            hot = PumpUntil([&] { return ShownComboFrame(combo, *data) == 4; }, 800);
        }
        EXPECT_TRUE(hot) << "over the button";
        MoveMouseTo({5, 5});
        EXPECT_TRUE(PumpUntil([&] { return ShownComboFrame(combo, *data) == 1; }, 1500));
        // Pressed while the button is held (the list opens with the press).
        ::SendMessageW(combo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(w.right - w.left - 8, 8));
        Pump(60);
        EXPECT_EQ(ShownComboFrame(combo, *data), 2);
        ::SendMessageW(combo, WM_LBUTTONUP, 0, MAKELPARAM(w.right - w.left - 8, 8));
        Pump(60);
        EXPECT_EQ(ShownComboFrame(combo, *data), 4) << "released: focused";
        ::SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
        f.list->SetFocus();
        Pump(60);

        // The picker's arrow: the skin's arrow strip, hot under the pointer.
        const HWND arrow = ::FindWindowExW(f.date->Handle(), nullptr, L"TArrowButton", nullptr);
        ASSERT_TRUE(arrow);
        EXPECT_EQ(ShownArrowFrame(arrow, *data), 1);
        const RECT a = WindowRectOf(arrow);
        MoveMouseTo({(a.left + a.right) / 2, (a.top + a.bottom) / 2});
        EXPECT_TRUE(PumpUntil([&] { return ShownArrowFrame(arrow, *data) == 4; }, 1500));
        MoveMouseTo({5, 5});
        EXPECT_TRUE(PumpUntil([&] { return ShownArrowFrame(arrow, *data) == 1; }, 1500));

        RECT area = WindowRectOf(f.form->Handle());
        SavePng(CaptureScreen(area), ScreenshotPath(std::string("edits-") + name + ".png"));
    }
}

TEST(EditSkinners, TypingMouseSelectionAndTheClipboardWorkAsOnTheStockEdit) {
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    EditFormFixture f(data.get());
    ::SetForegroundWindow(f.form->Handle());
    PumpUntil([&] { return ::GetForegroundWindow() == f.form->Handle(); });
    f.normal->SetText("");
    // A click gives the focus; keys type.
    ClickAt(ScreenPoint(f.normal->Handle(), 20, 8));
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == f.normal->Handle(); }));
    for (WORD key : {WORD('S'), WORD('K'), WORD('I'), WORD('N')}) {
        PressKey(key, true);
        PressKey(key, false);
    }
    EXPECT_TRUE(PumpUntil([&] { return f.normal->Text() == "skin"; })) << f.normal->Text();

    // Selected by the mouse: pressed left of the text, dragged past its end.
    DragThrough({ScreenPoint(f.normal->Handle(), 1, 8), ScreenPoint(f.normal->Handle(), 150, 8)});
    DWORD from = 0, to = 0;
    ::SendMessageW(f.normal->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 4u);

    // Copied, then pasted into another edit twice.
    Chord(VK_CONTROL, 'C');
    f.bare->SetText("");
    ClickAt(ScreenPoint(f.bare->Handle(), 20, 8));
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == f.bare->Handle(); }));
    Chord(VK_CONTROL, 'V');
    Chord(VK_CONTROL, 'V');
    EXPECT_TRUE(PumpUntil([&] { return f.bare->Text() == "skinskin"; })) << f.bare->Text();
    // The frame is still the skin's after all that.
    EXPECT_EQ(RingOf(f.normal->Handle()).outer[0], tv::ColorToRGB(data->SkinColors.ButtonShadow));
}

TEST(EditSkinners, TheComboOpensByClickAndAltDownAndAChoiceIsToldOnce) {
    auto data = LoadPackedSkin("slate");
    ASSERT_TRUE(data && !data->SkinEmpty);
    EditFormFixture f(data.get());
    ::SetForegroundWindow(f.form->Handle());
    PumpUntil([&] { return ::GetForegroundWindow() == f.form->Handle(); });
    const HWND combo = f.longList->Handle();
    const RECT w = WindowRectOf(combo);
    const POINT button{w.right - 8, (w.top + w.bottom) / 2};

    // A click on the button opens the list; Escape closes it.
    ASSERT_TRUE(ClickUntil(button, [&] { return f.longList->DroppedDown(); }));
    PressKey(VK_ESCAPE, true);
    PressKey(VK_ESCAPE, false);
    EXPECT_TRUE(PumpUntil([&] { return !f.longList->DroppedDown(); }));
    // Alt+Down opens it from the keyboard.
    ASSERT_EQ(::GetFocus(), combo);
    Chord(VK_MENU, VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return f.longList->DroppedDown(); }));
    Pump(80);

    // The long list has a bar, painted by the skin.
    const HWND list = f.longList->ListHandle();
    SCROLLBARINFO bar{};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(::GetScrollBarInfo(list, OBJID_VSCROLL, &bar));
    ASSERT_FALSE(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE);
    {
        const SIZE s = SizeOf(bar.rcScrollBar);
        raster::Bitmap expected(s.cx, s.cy);
        {
            tv::OwnedDC memory(::CreateCompatibleDC(nullptr));
            tv::SelectScope select(memory.Get(), static_cast<HBITMAP>(expected.Handle()));
            BarLook look;
            look.vertical = true;
            look.width = s.cx;
            look.height = s.cy;
            look.arrowSize = ::GetSystemMetrics(SM_CXHSCROLL);
            look.thumb = {bar.xyThumbTop, bar.xyThumbBottom};
            ASSERT_TRUE(ComposeBar(memory.Get(), 0, 0, look, *data));
            ::GdiFlush();
        }
        const raster::Bitmap shown = CaptureScreen(bar.rcScrollBar);
        int same = 0;
        for (int y = 0; y < s.cy; ++y)
            for (int x = 0; x < s.cx; ++x) same += Near(At(shown, x, y), At(expected, x, y), 3);
        EXPECT_GT(same, s.cx * s.cy * 95 / 100) << "the skin's bar, not the stock one";
    }

    // A click on an item chooses it: one change, the list closed. Under Wine a press now and
    // then carries the pointer's previous place, outside the list: that closes the list and
    // chooses nothing, so the list is opened again and the click made once more.
    f.changes = 0;
    for (int attempt = 0; attempt < 3 && f.longList->ItemIndex() != 2; ++attempt) {
        if (!f.longList->DroppedDown()) {
            Chord(VK_MENU, VK_DOWN);
            ASSERT_TRUE(PumpUntil([&] { return f.longList->DroppedDown(); }));
            Pump(80);
        }
        RECT item{};
        ::SendMessageW(list, LB_GETITEMRECT, WPARAM(::SendMessageW(list, LB_GETTOPINDEX, 0, 0) + 2),
                       reinterpret_cast<LPARAM>(&item));
        const POINT pick = ScreenPoint(list, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
        ClickAt(pick);
        EXPECT_TRUE(PumpUntil([&] { return !f.longList->DroppedDown(); }));
        Pump(80);
    }
    EXPECT_EQ(f.longList->ItemIndex(), 2);
    EXPECT_EQ(f.changes, 1);

    // A short list has no bar at all, skinned or stock.
    f.shortList->SetDroppedDown(true);
    ASSERT_TRUE(PumpUntil([&] { return f.shortList->DroppedDown(); }));
    SCROLLBARINFO none{};
    none.cbSize = sizeof none;
    const HWND shortList = f.shortList->ListHandle();
    EXPECT_TRUE(!::GetScrollBarInfo(shortList, OBJID_VSCROLL, &none) || (none.rgstate[0] & STATE_SYSTEM_INVISIBLE));
    RECT lw{}, lc{};
    ::GetWindowRect(shortList, &lw);
    ::GetClientRect(shortList, &lc);
    EXPECT_LE((lw.right - lw.left) - lc.right, 4) << "no room taken by a bar";
    SavePng(CaptureScreen(WindowRectOf(f.form->Handle())), ScreenshotPath("edits-combo-short.png"));
    f.shortList->SetDroppedDown(false);
    Pump(40);
}

TEST(EditSkinners, DraggingTheListsSkinnedThumbScrollsAsTheStockListDoes) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    // The same drag, by real input, on a skinned list and on a stock one.
    int topIndex[2] = {-1, -1};
    for (int skinned = 1; skinned >= 0; --skinned) {
        SCOPED_TRACE(skinned ? "skinned" : "stock");
        EditFormFixture f(data.get(), skinned != 0);
        ::SetForegroundWindow(f.form->Handle());
        PumpUntil([&] { return ::GetForegroundWindow() == f.form->Handle(); });
        f.longList->SetFocus();
        f.longList->SetDroppedDown(true);
        ASSERT_TRUE(PumpUntil([&] { return f.longList->DroppedDown(); }));
        Pump(80);
        const HWND list = f.longList->ListHandle();
        if (skinned) ASSERT_TRUE(f.skinner->FindSkinner(list));
        SCROLLBARINFO bar{};
        bar.cbSize = sizeof bar;
        ASSERT_TRUE(::GetScrollBarInfo(list, OBJID_VSCROLL, &bar));
        // The thumb's own loop (ours or the system's) runs while xdotool, outside Wine,
        // moves the pointer.
        const int x = (bar.rcScrollBar.left + bar.rcScrollBar.right) / 2;
        const int y = bar.rcScrollBar.top + (bar.xyThumbTop + bar.xyThumbBottom) / 2;
        wchar_t args[200];
        std::swprintf(args, 200, L"mousemove %d %d sleep 0.2 mousedown 1 sleep 0.2 mousemove %d %d sleep 0.2 "
                                 L"mousemove %d %d sleep 0.3 mouseup 1", x, y, x, y + 20, x, y + 40);
        if (!RunXdotool(args, 4000)) GTEST_SKIP() << "xdotool cannot be started";
        Pump(100);
        topIndex[skinned] = int(::SendMessageW(list, LB_GETTOPINDEX, 0, 0));
        EXPECT_GT(topIndex[skinned], 0);
        EXPECT_TRUE(f.longList->DroppedDown()) << "a drag of the bar leaves the list open";
        f.longList->SetDroppedDown(false);
        Pump(40);
        MoveMouseTo({5, 5});
    }
    EXPECT_EQ(topIndex[1], topIndex[0]);
}

TEST(EditSkinners, ThePickersButtonOpensItsCalendarAndFollowsTheSize) {
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    EditFormFixture f(data.get());
    ::SetForegroundWindow(f.form->Handle());
    PumpUntil([&] { return ::GetForegroundWindow() == f.form->Handle(); });
    const HWND picker = f.date->Handle();
    const HWND arrow = ::FindWindowExW(picker, nullptr, L"TArrowButton", nullptr);
    ASSERT_TRUE(arrow);
    EXPECT_FALSE(::GetWindowLongW(arrow, GWL_STYLE) & WS_TABSTOP);
    auto rightGap = [&] {
        RECT client{}, a = WindowRectOf(arrow);
        ::GetClientRect(picker, &client);
        const POINT right = ScreenPoint(picker, client.right, 0);
        return right.x - a.right;
    };
    EXPECT_EQ(rightGap(), 0) << "over the stock button at the right edge";

    const RECT a = WindowRectOf(arrow);
    auto calendar = [&] {
        const auto mc = reinterpret_cast<HWND>(::SendMessageW(picker, DTM_GETMONTHCAL, 0, 0));
        return mc && ::IsWindowVisible(mc);
    };
    ASSERT_TRUE(ClickUntil({(a.left + a.right) / 2, (a.top + a.bottom) / 2}, calendar));
    Pump(200);
    EXPECT_TRUE(calendar()) << "still open once the click is over";
    SavePng(CaptureScreen(WindowRectOf(f.form->Handle())), ScreenshotPath("edits-calendar.png"));
    // A second click on the button closes it.
    EXPECT_TRUE(ClickUntil({(a.left + a.right) / 2, (a.top + a.bottom) / 2}, [&] { return !calendar(); }));
    MoveMouseTo({5, 5});
    Pump(60);

    // Wider: the button moves with the right edge.
    f.date->SetBounds(f.date->Left(), f.date->Top(), 210, 23);
    Pump(60);
    EXPECT_EQ(rightGap(), 0);
    EXPECT_EQ(ShownArrowFrame(arrow, *data), 1);
}

TEST(EditSkinners, UnskinningGivesBackTheProceduresAndTheStockLook) {
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    EditFormFixture f(data.get(), false);
    // What the stock controls look like and which procedures they have.
    const HWND edit = f.normal->Handle(), combo = f.fixed->Handle(), picker = f.date->Handle();
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetComboBoxInfo(combo, &info));
    const HWND comboEdit = info.hwndItem, comboList = info.hwndList;
    const LONG_PTR procs[] = {::GetWindowLongPtrW(comboEdit, GWLP_WNDPROC), ::GetWindowLongPtrW(comboList, GWLP_WNDPROC)};
    const tv::TWndMethod methods[] = {f.normal->WindowProc, f.fixed->WindowProc, f.date->WindowProc};
    const LONG pickerStyle = ::GetWindowLongW(picker, GWL_STYLE);
    const raster::Bitmap stockEdit = CaptureScreen(WindowRectOf(edit));
    const raster::Bitmap stockCombo = CaptureScreen(WindowRectOf(combo));

    auto* skinner = new TWinSkinForm(f.form, f.form->Handle());
    skinner->AttachForm(data.get(), f.form);
    Activate(*skinner);
    Pump(60);
    EXPECT_EQ(::SendMessageW(comboEdit, SKM_ISSKINNED, 0, 0), 1);
    EXPECT_NE(::GetWindowLongPtrW(comboList, GWLP_WNDPROC), procs[1]);
    EXPECT_TRUE(::FindWindowExW(picker, nullptr, L"TArrowButton", nullptr));
    EXPECT_NE(ShownComboFrame(combo, *data), 0);

    skinner->Unskin();
    Pump(100);
    EXPECT_EQ(skinner->SkinnerCount(), 0);
    EXPECT_EQ(::GetWindowLongPtrW(comboEdit, GWLP_WNDPROC), procs[0]);
    EXPECT_EQ(::GetWindowLongPtrW(comboList, GWLP_WNDPROC), procs[1]);
    EXPECT_TRUE(f.normal->WindowProc == methods[0]);
    EXPECT_TRUE(f.fixed->WindowProc == methods[1]);
    EXPECT_TRUE(f.date->WindowProc == methods[2]);
    EXPECT_EQ(::SendMessageW(comboEdit, SKM_ISSKINNED, 0, 0), 0);
    EXPECT_FALSE(::FindWindowExW(picker, nullptr, L"TArrowButton", nullptr));
    EXPECT_EQ(::GetWindowLongW(picker, GWL_STYLE), pickerStyle);
    // The stock pictures again, pixel for pixel.
    auto same = [](const raster::Bitmap& a, const raster::Bitmap& b) {
        if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                if (At(a, x, y) != At(b, x, y)) return false;
        return true;
    };
    EXPECT_TRUE(same(CaptureScreen(WindowRectOf(edit)), stockEdit));
    EXPECT_TRUE(same(CaptureScreen(WindowRectOf(combo)), stockCombo));
    delete skinner;
}

TEST(EditSkinners, ADialogsOwnEditComboAndPickersAreSkinnedAndSwitchOffAndOn) {
    InstallControlsOnce();
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    const HWND dialog = MakeDialog(L"Bare edits");
    ASSERT_TRUE(dialog);
    ::SetWindowPos(dialog, nullptr, 0, 0, 420, 320, SWP_NOMOVE | SWP_NOZORDER);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&icc);
    auto child = [&](DWORD ex, const wchar_t* cls, DWORD style, int y, int h) {
        return ::CreateWindowExW(ex, cls, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 230, y, 170, h, dialog,
                                 nullptr, ::GetModuleHandleW(nullptr), nullptr);
    };
    const HWND edit = child(WS_EX_CLIENTEDGE, L"EDIT", ES_AUTOHSCROLL, 10, 23);
    const HWND combo = child(0, L"COMBOBOX", WS_VSCROLL | CBS_DROPDOWN, 45, 200);
    for (const wchar_t* item : {L"First", L"Second", L"Third"})
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    const HWND picker = child(WS_EX_CLIENTEDGE, DATETIMEPICK_CLASSW, 0, 80, 23);
    const HWND upPicker = child(WS_EX_CLIENTEDGE, DATETIMEPICK_CLASSW, DTS_UPDOWN, 115, 23);
    ASSERT_TRUE(edit && combo && picker && upPicker);
    TWinSkinForm skinner(nullptr, dialog);
    skinner.AttachWindow(data.get());
    Activate(skinner);
    Pump(80);

    ASSERT_TRUE(skinner.FindSkinner(edit) && skinner.FindSkinner(combo) && skinner.FindSkinner(picker) &&
                skinner.FindSkinner(upPicker));
    EXPECT_EQ(skinner.FindSkinner(edit)->ClassName(), "TSkinEdit");
    EXPECT_EQ(skinner.FindSkinner(combo)->ClassName(), "TSkinComBox");
    EXPECT_EQ(skinner.FindSkinner(picker)->ClassName(), "TSkinDateTime");
    EXPECT_EQ(skinner.FindSkinner(upPicker)->ClassName(), "TSkinEdit") << "up-down fields have no calendar";
    EXPECT_TRUE(::FindWindowExW(picker, nullptr, L"TArrowButton", nullptr));
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(::GetComboBoxInfo(combo, &info));
    EXPECT_EQ(::SendMessageW(info.hwndItem, SKM_ISSKINNED, 0, 0), 1) << "the combo's edit is followed";

    const raster::Color shadow = tv::ColorToRGB(data->SkinColors.ButtonShadow);
    EXPECT_EQ(RingOf(edit).outer[0], shadow);
    EXPECT_EQ(RingOf(upPicker).outer[1], shadow);
    EXPECT_EQ(ShownComboFrame(combo, *data), 1);
    // Typing into the combo's edit repaints the frame it sits in, still the skin's.
    ::SendMessageW(info.hwndItem, WM_CHAR, 'x', 1);
    Pump(40);
    EXPECT_EQ(ShownComboFrame(combo, *data), 1);

    // Switched off, the stock look; on again, the skin's at once.
    ::SendMessageW(edit, SKM_SKINENABLE, 0, 0);
    ::RedrawWindow(edit, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(40);
    EXPECT_NE(RingOf(edit).outer[0], shadow);
    ::SendMessageW(edit, SKM_SKINENABLE, 1, 0);
    Pump(40);
    EXPECT_EQ(RingOf(edit).outer[0], shadow);
    SavePng(CaptureScreen(WindowRectOf(dialog)), ScreenshotPath("edits-dialog.png"));

    // The dialog goes: every skinner lets go of its window, and none is left behind.
    ::DestroyWindow(dialog);
    Pump(40);
    skinner.FreeDeadSkinners();
    EXPECT_EQ(skinner.SkinnerCount(), 0);
}
