// Media players under the skin: the overlay lies over the player (and follows it when it
// moves, hides or changes its buttons), its buttons show the skin's "Buttons" frame of
// their look with the program's glyphs, presses by real input reach the player as exactly
// one click of the button pressed and released, and unskinning (or the player's end)
// takes the overlay away.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "ControlsTestUtil.h"
#include "framework/MediaPlayer.h"
#include "skin/controls/MediaPlayerSkinners.h"
#include "skin/core/WinSkinData.h"

using namespace skin;
using namespace skintest;
using tv::TMPBtnType;

namespace {

constexpr raster::Color kOlive = 0x008080;

struct PlayerFixture {
    tv::TForm* form = nullptr;
    tv::TMediaPlayer* player = nullptr;
    tv::TMediaPlayer* twin = nullptr;  // never skinned: how the stock player looks
    std::unique_ptr<TWinSkinForm> skinner;
    std::vector<TMPBtnType> clicks;
    int presses = 0;

    explicit PlayerFixture(bool withTwin = false) {
        InstallControlsOnce();
        MoveMouseTo({5, 5});
        form = MakeForm("Players", 420, 200);
        player = Place(10, 10);
        // 9 buttons of 30 and 3 pixels over at the right end.
        player->SetWidth(273);
        player->SetEnabledButtons(tv::TButtonSet{TMPBtnType::btPlay, TMPBtnType::btPause, TMPBtnType::btStop,
                                                 TMPBtnType::btNext, TMPBtnType::btPrev, TMPBtnType::btEject});
        player->SetColoredButtons(tv::TButtonSet{TMPBtnType::btPlay, TMPBtnType::btRecord});
        player->OnClick = [this](tv::TObject*, TMPBtnType b) { clicks.push_back(b); };
        player->OnMouseDown = [this](tv::TObject*, tv::TMouseButton, tv::TShiftState, int, int) { ++presses; };
        if (withTwin) {
            twin = Place(10, 100);
            twin->SetWidth(273);
            twin->SetEnabledButtons(player->EnabledButtons());
            twin->SetColoredButtons(player->ColoredButtons());
            twin->SetTag(99);  // the container's DisableTag: left as it is
        }
        form->Handle();
        Pump(80);
    }
    tv::TMediaPlayer* Place(int x, int y) {
        auto* p = new tv::TMediaPlayer(form);
        p->SetBounds(x, y, 273, 30);
        p->SetParent(form);
        return p;
    }
    void Skin(TSkinData& data) {
        skinner = std::make_unique<TWinSkinForm>(nullptr, form->Handle());
        skinner->AttachForm(&data, form);
        Activate(*skinner);
        Pump(100);
    }
    TSkinMP* Skinner() const {
        return skinner ? dynamic_cast<TSkinMP*>(skinner->FindSkinner(player->Handle())) : nullptr;
    }
    TWMediaPlayer* Overlay() const {
        TSkinMP* s = Skinner();
        return s ? s->Overlay() : nullptr;
    }
    // Screen rectangle of the index-th visible button, as wide as the bar's share.
    RECT ButtonOnScreen(int index) const {
        const RECT w = WindowRectOf(player->Handle());
        const int bw = (w.right - w.left) / player->Layout().visibleCount;
        return {w.left + index * bw, w.top, w.left + (index + 1) * bw, w.bottom};
    }
    POINT Centre(int index) const {
        const RECT r = ButtonOnScreen(index);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    ~PlayerFixture() {
        skinner.reset();
        delete form;  // null when a test freed it
        Pump(20);
    }
};

HWND OverlayWindowOf(HWND parent) { return ::FindWindowExW(parent, nullptr, L"TWMediaPlayer", nullptr); }

// The glyph resource the test program carries, as the program's own copy.
std::unique_ptr<tv::TBitmap> GlyphResource(const char* name) {
    auto b = std::make_unique<tv::TBitmap>();
    EXPECT_TRUE(b->LoadFromResourceName(::GetModuleHandleW(nullptr), name)) << name;
    return b;
}

// The share of the glyph's drawn pixels (olive left out) that the screen shows with the
// glyph's top left at (x, y) of shot.
double GlyphMatch(const raster::Bitmap& shot, int x, int y, const tv::TBitmap& glyph) {
    int total = 0, same = 0;
    for (int gy = 0; gy < glyph.Height(); ++gy)
        for (int gx = 0; gx < glyph.Width(); ++gx) {
            const raster::Color c = glyph.Pixels().GetPixel(gx, gy) & 0xFFFFFF;
            if (c == kOlive) continue;
            ++total;
            same += Near(shot.GetPixel(x + gx, y + gy) & 0xFFFFFF, c, 8);
        }
    return total ? double(same) / total : 0;
}

// Where a glyph of the button at r (screen) starts in a shot of r.
POINT GlyphOrigin(const RECT& r, const tv::TBitmap& glyph, bool pressed) {
    const SIZE s = SizeOf(r);
    const int d = pressed ? 1 : 0;
    return {(s.cx - glyph.Width()) / 2 + d, (s.cy - glyph.Height()) / 2 + d};
}

// Presses the left button at p and waits for the overlay to show the press; one more try
// when the press landed elsewhere (a stale pointer event).
bool PressOn(PlayerFixture& f, POINT p, int kind) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        MoveMouseTo(p);
        MouseButton(MOUSEEVENTF_LEFTDOWN);
        if (PumpUntil([&] { return f.Overlay() && f.Overlay()->PressedButton() == kind; }, 1000)) return true;
        MouseButton(MOUSEEVENTF_LEFTUP);
        Pump(120);
        f.clicks.clear();
        f.presses = 0;
    }
    return false;
}

}  // namespace

TEST(MediaPlayerSkinner, OverlayCoversThePlayerAndFollowsItsPlaceVisibilityAndButtons) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    PlayerFixture f;
    f.Skin(*data);
    ASSERT_TRUE(f.Skinner());
    TWMediaPlayer* overlay = f.Overlay();
    ASSERT_TRUE(overlay && overlay->HandleAllocated());
    const HWND ov = overlay->Handle();
    EXPECT_EQ(::GetParent(ov), f.form->Handle());
    EXPECT_EQ(overlay->Tag(), data->DisableTag);
    // Never skinned itself, and on top: the pointer over the player finds the overlay.
    EXPECT_EQ(::SendMessageW(ov, SKM_ISSKINNED, 0, 0), 0);
    auto covers = [&] {
        const RECT a = WindowRectOf(ov), b = WindowRectOf(f.player->Handle());
        return ::EqualRect(&a, &b) && ::IsWindowVisible(ov);
    };
    EXPECT_TRUE(covers());
    EXPECT_EQ(::WindowFromPoint(f.Centre(4)), ov);

    // Moved by the framework and by the window itself, resized: the overlay keeps up.
    f.player->SetBounds(40, 50, 300, 36);
    EXPECT_TRUE(PumpUntil(covers, 500));
    ::MoveWindow(f.player->Handle(), 20, 70, 200, 28, TRUE);
    EXPECT_TRUE(PumpUntil(covers, 500));
    EXPECT_EQ(overlay->ButtonWidth(), 200 / 9);
    EXPECT_EQ(::WindowFromPoint(f.Centre(0)), ov);

    f.player->Hide();
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(ov); }, 500));
    f.player->Show();
    EXPECT_TRUE(PumpUntil(covers, 500));

    // The player's sets changed by code reach the overlay at once.
    f.player->SetVisibleButtons(tv::TButtonSet{TMPBtnType::btStop, TMPBtnType::btEject});
    Pump(60);
    EXPECT_EQ(overlay->VisibleCount(), 2);
    EXPECT_TRUE(overlay->ButtonVisible(int(TMPBtnType::btEject)));
    EXPECT_FALSE(overlay->ButtonVisible(int(TMPBtnType::btPlay)));
    EXPECT_EQ(ShownButtonFrameAt(f.ButtonOnScreen(1), *data), 1);
}

TEST(MediaPlayerSkinner, WidthIsSharedByTheVisibleButtonsLeftToRightWithInclusiveEdges) {
    // The layout alone: 273 pixels for 9 buttons are 30 each and 3 left over.
    const tv::TMediaButtonLayout nine{273, 9};
    EXPECT_EQ(nine.ButtonWidth(), 30);
    EXPECT_EQ(nine.IndexAt(0), 0);
    EXPECT_EQ(nine.IndexAt(29), 0);
    EXPECT_EQ(nine.IndexAt(30), 0) << "a shared edge is the left button's";
    EXPECT_EQ(nine.IndexAt(31), 1);
    EXPECT_EQ(nine.IndexAt(240), 7);
    EXPECT_EQ(nine.IndexAt(241), 8);
    EXPECT_EQ(nine.IndexAt(270), 8);
    EXPECT_EQ(nine.IndexAt(271), -1) << "past the last button";
    EXPECT_EQ(nine.IndexAt(272), -1);
    EXPECT_EQ(nine.IndexAt(-1), -1);
    EXPECT_EQ((tv::TMediaButtonLayout{273, 0}.IndexAt(10)), -1);
    EXPECT_EQ((tv::TMediaButtonLayout{5, 9}.IndexAt(0)), -1) << "buttons of no width";

    auto data = LoadPackedSkin("slate");
    ASSERT_TRUE(data && !data->SkinEmpty);
    PlayerFixture f;
    f.player->SetVisibleButtons(tv::TButtonSet{TMPBtnType::btPause, TMPBtnType::btNext, TMPBtnType::btEject});
    f.Skin(*data);
    TWMediaPlayer* overlay = f.Overlay();
    ASSERT_TRUE(overlay);
    overlay->ReadPlayer();
    EXPECT_EQ(overlay->VisibleCount(), 3);
    EXPECT_EQ(overlay->ButtonWidth(), 91);
    EXPECT_EQ(overlay->ButtonAt({0, 15}), int(TMPBtnType::btPause));
    EXPECT_EQ(overlay->ButtonAt({91, 15}), int(TMPBtnType::btPause));
    EXPECT_EQ(overlay->ButtonAt({92, 15}), int(TMPBtnType::btNext));
    EXPECT_EQ(overlay->ButtonAt({273, 15}), int(TMPBtnType::btEject));
    EXPECT_EQ(overlay->ButtonAt({100, -1}), -1) << "above the bar";
    EXPECT_EQ(overlay->ButtonAt({100, 30}), -1) << "below the bar";
    // The overlay and the player place every button alike, pixel for pixel.
    for (int x = -3; x <= 276; ++x) {
        TMPBtnType kind{};
        const int own = f.player->ButtonAtPos({x, 10}, kind) ? int(kind) : -1;
        ASSERT_EQ(overlay->ButtonAt({x, 10}), own) << x;
    }
}

TEST(MediaPlayerSkinner, ButtonsShowTheSkinFrameOfTheirLookWithTheProgramsGlyphs) {
    const auto playGlyph = GlyphResource("CL_MPPLAY");
    const auto stopGlyph = GlyphResource("EN_MPSTOP");
    const auto stepGlyph = GlyphResource("DI_MPSTEP");
    ASSERT_FALSE(playGlyph->Empty() || stopGlyph->Empty() || stepGlyph->Empty());
    const tv::TBitmap& playColoured = *playGlyph;
    const tv::TBitmap& stopPlain = *stopGlyph;
    const tv::TBitmap& stepDisabled = *stepGlyph;
    for (const char* name : kSkinNames) {
        SCOPED_TRACE(name);
        auto data = LoadPackedSkin(name);
        ASSERT_TRUE(data && !data->SkinEmpty && data->Buttons && !data->Buttons->Bitmap.Empty());
        PlayerFixture f;
        f.Skin(*data);
        ASSERT_TRUE(f.Overlay());
        const int play = 0, stop = 2, step = 5;
        EXPECT_EQ(ShownButtonFrameAt(f.ButtonOnScreen(play), *data), 1);
        EXPECT_EQ(ShownButtonFrameAt(f.ButtonOnScreen(stop), *data), 1);
        EXPECT_EQ(ShownButtonFrameAt(f.ButtonOnScreen(step), *data), 3) << "disabled";
        {
            const RECT r = f.ButtonOnScreen(play);
            const raster::Bitmap shot = CaptureScreen(r);
            const POINT g = GlyphOrigin(r, playColoured, false);
            EXPECT_GT(GlyphMatch(shot, g.x, g.y, playColoured), 0.95) << "coloured and enabled";
        }
        {
            const RECT r = f.ButtonOnScreen(step);
            const POINT g = GlyphOrigin(r, stepDisabled, false);
            EXPECT_GT(GlyphMatch(CaptureScreen(r), g.x, g.y, stepDisabled), 0.95) << "disabled";
        }

        // Held down: the pressed frame, the glyph one pixel right and down; the others stay.
        ASSERT_TRUE(PressOn(f, f.Centre(stop), int(TMPBtnType::btStop)));
        Pump(60);
        EXPECT_EQ(ShownButtonFrameAt(f.ButtonOnScreen(stop), *data), 2);
        EXPECT_EQ(ShownButtonFrameAt(f.ButtonOnScreen(play), *data), 1);
        {
            const RECT r = f.ButtonOnScreen(stop);
            const POINT g = GlyphOrigin(r, stopPlain, true);
            EXPECT_GT(GlyphMatch(CaptureScreen(r), g.x, g.y, stopPlain), 0.95);
        }
        MouseButton(MOUSEEVENTF_LEFTUP);
        EXPECT_TRUE(PumpUntil([&] { return f.Overlay()->PressedButton() == -1; }, 1000));
        Pump(60);
        EXPECT_EQ(ShownButtonFrameAt(f.ButtonOnScreen(stop), *data), 1);

        // The whole player disabled: every button disabled.
        f.player->SetEnabled(false);
        Pump(80);
        EXPECT_EQ(ShownButtonFrameAt(f.ButtonOnScreen(play), *data), 3);
    }
}

TEST(MediaPlayerSkinner, ARealClickGivesThePlayerOneClickOfThatButtonOnly) {
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    PlayerFixture f;
    f.Skin(*data);
    ASSERT_TRUE(f.Overlay());

    // Press and release on Pause.
    EXPECT_TRUE(ClickUntil(f.Centre(1), [&] { return !f.clicks.empty(); }));
    Pump(150);
    ASSERT_EQ(f.clicks.size(), 1u);
    EXPECT_EQ(f.clicks[0], TMPBtnType::btPause);
    EXPECT_GE(f.presses, 1) << "the press reached the player";

    // Pressed on Play, let go over Stop: no click, and nothing left pressed.
    f.clicks.clear();
    f.presses = 0;
    ASSERT_TRUE(PressOn(f, f.Centre(0), int(TMPBtnType::btPlay)));
    EXPECT_EQ(f.presses, 1);
    MoveMouseTo(f.Centre(2));
    MouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return f.Overlay()->PressedButton() == -1; }, 1000));
    Pump(150);
    EXPECT_TRUE(f.clicks.empty());
    EXPECT_EQ(ShownButtonFrameAt(f.ButtonOnScreen(0), *data), 1);

    // Pressed on Eject, let go in the strip past the last button, or below the bar.
    const RECT bar = WindowRectOf(f.player->Handle());
    for (POINT out : {POINT{bar.right - 1, (bar.top + bar.bottom) / 2}, POINT{f.Centre(8).x, bar.bottom + 12}}) {
        ASSERT_TRUE(PressOn(f, f.Centre(8), int(TMPBtnType::btEject)));
        MoveMouseTo(out);
        MouseButton(MOUSEEVENTF_LEFTUP);
        EXPECT_TRUE(PumpUntil([&] { return f.Overlay()->PressedButton() == -1; }, 1000));
        Pump(150);
        EXPECT_TRUE(f.clicks.empty());
    }

    // A disabled button takes no click.
    ASSERT_TRUE(PressOn(f, f.Centre(5), int(TMPBtnType::btStep)));
    MouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([&] { return f.Overlay()->PressedButton() == -1; }, 1000));
    Pump(150);
    EXPECT_TRUE(f.clicks.empty());

    // And once more a good one: still exactly one per click.
    EXPECT_TRUE(ClickUntil(f.Centre(8), [&] { return !f.clicks.empty(); }));
    Pump(150);
    ASSERT_EQ(f.clicks.size(), 1u);
    EXPECT_EQ(f.clicks[0], TMPBtnType::btEject);
}

TEST(MediaPlayerSkinner, WithoutItsGlyphResourcesAButtonIsDrawnBare) {
    auto data = LoadPackedSkin("daylight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    const auto playGlyph = GlyphResource("CL_MPPLAY");
    PlayerFixture f;
    f.Skin(*data);
    TWMediaPlayer* overlay = f.Overlay();
    ASSERT_TRUE(overlay);
    const RECT r = f.ButtonOnScreen(0);
    const POINT g = GlyphOrigin(r, *playGlyph, false);
    ASSERT_GT(GlyphMatch(CaptureScreen(r), g.x, g.y, *playGlyph), 0.95);
    // A module that has none of them: every button keeps its frame and loses its glyph.
    overlay->LoadGlyphs(::GetModuleHandleW(L"kernel32.dll"));
    Pump(80);
    for (int state = 0; state < 3; ++state) EXPECT_FALSE(overlay->Glyph(state, 0));
    EXPECT_EQ(ShownButtonFrameAt(r, *data), 1);
    EXPECT_LT(GlyphMatch(CaptureScreen(r), g.x, g.y, *playGlyph), 0.5);
    EXPECT_TRUE(ClickUntil(f.Centre(0), [&] { return !f.clicks.empty(); })) << "and still clicks";
    overlay->LoadGlyphs(::GetModuleHandleW(nullptr));
    Pump(80);
    EXPECT_GT(GlyphMatch(CaptureScreen(r), g.x, g.y, *playGlyph), 0.95);
}

TEST(MediaPlayerSkinner, NoVisibleButtonIsAPlainFace) {
    for (const char* name : kSkinNames) {
        SCOPED_TRACE(name);
        auto data = LoadPackedSkin(name);
        ASSERT_TRUE(data && !data->SkinEmpty);
        PlayerFixture f;
        f.player->SetVisibleButtons({});
        f.Skin(*data);
        ASSERT_TRUE(f.Overlay());
        const raster::Bitmap shot = CaptureScreen(WindowRectOf(f.player->Handle()));
        const raster::Color face = tv::ColorToRGB(data->SkinColors.ButtonFace);
        int off = 0;
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x) off += !Near(shot.GetPixel(x, y) & 0xFFFFFF, face, 2);
        EXPECT_EQ(off, 0);
        // A press there is no press on any button.
        const RECT bar = WindowRectOf(f.player->Handle());
        MoveMouseTo({bar.left + 20, (bar.top + bar.bottom) / 2});
        MouseButton(MOUSEEVENTF_LEFTDOWN);
        Pump(80);
        MouseButton(MOUSEEVENTF_LEFTUP);
        Pump(120);
        EXPECT_TRUE(f.clicks.empty());
    }
}

TEST(MediaPlayerSkinner, UnskinningOrThePlayersEndTakesTheOverlayAway) {
    auto data = LoadPackedSkin("midnight");
    ASSERT_TRUE(data && !data->SkinEmpty);
    {
        PlayerFixture f(true);
        f.Skin(*data);
        ASSERT_TRUE(f.Overlay());
        EXPECT_FALSE(f.skinner->FindSkinner(f.twin->Handle())) << "the twin carries the DisableTag";
        const RECT w = WindowRectOf(f.player->Handle());
        const raster::Bitmap skinned = CaptureScreen(w);
        f.skinner.reset();
        EXPECT_TRUE(PumpUntil([&] { return !OverlayWindowOf(f.form->Handle()); }, 1000));
        Pump(100);
        EXPECT_EQ(::WindowFromPoint(f.Centre(3)), f.player->Handle());
        // The player paints itself again: as its never skinned twin does.
        const raster::Bitmap own = CaptureScreen(w);
        const raster::Bitmap stock = CaptureScreen(WindowRectOf(f.twin->Handle()));
        int differ = 0, changed = 0;
        for (int y = 0; y < own.Height(); ++y)
            for (int x = 0; x < own.Width(); ++x) {
                differ += !Near(own.GetPixel(x, y), stock.GetPixel(x, y), 2);
                changed += !Near(own.GetPixel(x, y), skinned.GetPixel(x, y), 2);
            }
        EXPECT_EQ(differ, 0);
        EXPECT_GT(changed, own.Width() * own.Height() / 4) << "the dark skin's picture is gone";
        // Its clicks are its own again.
        EXPECT_TRUE(ClickUntil(f.Centre(2), [&] { return !f.clicks.empty(); }));
        Pump(120);
        ASSERT_EQ(f.clicks.size(), 1u);
        EXPECT_EQ(f.clicks[0], TMPBtnType::btStop);
    }
    {
        // A player freed while skinned leaves no overlay on the form.
        PlayerFixture f;
        f.Skin(*data);
        ASSERT_TRUE(f.Overlay());
        const tv::WeakPtr<TWMediaPlayer> overlay(f.Overlay());
        delete f.player;
        f.player = nullptr;
        Pump(80);
        EXPECT_FALSE(overlay.Get());
        EXPECT_FALSE(OverlayWindowOf(f.form->Handle()));
    }
    {
        // The form freed while skinned takes the player, its skinner and the overlay's
        // window; the form skinner goes last and frees what is left.
        PlayerFixture f;
        f.Skin(*data);
        ASSERT_TRUE(f.Overlay());
        const tv::WeakPtr<TWMediaPlayer> overlay(f.Overlay());
        delete f.form;
        f.form = nullptr;
        Pump(80);
        ASSERT_TRUE(overlay.Get()) << "owned by the form skinner until it goes";
        EXPECT_FALSE(overlay->Player());
        EXPECT_FALSE(overlay->HandleAllocated() && ::IsWindowVisible(overlay->Handle()));
        f.skinner.reset();
        EXPECT_FALSE(overlay.Get());
    }
}
