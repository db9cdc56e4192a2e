// The media player's button bar: its three button sets by name and in stored
// descriptions, its click event bound by name, exactly one click per press and release on
// one visible enabled button (none for another button, a disabled or hidden one, or the
// room past the last button), and its own painting of pressed and disabled buttons.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "TestForms.h"
#include "framework/MediaPlayer.h"

using namespace tv;

class TPlayerForm : public TForm {
    TV_CLASS(TPlayerForm, TForm)
    using TForm::TForm;

    TMediaPlayer* Player1 = nullptr;
    std::vector<TMPBtnType> clicks;
    void PlayerClick(TObject*, TMPBtnType button) { clicks.push_back(button); }
};

const TClassInfo& TPlayerForm::StaticClass() {
    static const TClassInfo info = DescribeClass<TPlayerForm>("TPlayerForm")
                                       .Field("Player1", &TPlayerForm::Player1)
                                       .Handler("PlayerClick", &TPlayerForm::PlayerClick)
                                       .Done();
    return info;
}

namespace {

const char* const kDescription = R"(object PlayerForm: TPlayerForm
  Left = 120
  Top = 90
  Width = 360
  Height = 160
  Caption = 'Player'
  object Player1: TMediaPlayer
    Left = 8
    Top = 8
    Width = 183
    Height = 30
    VisibleButtons = [btPlay, btPause, btStop, btNext, btEject, btRecord]
    EnabledButtons = [btPlay, btStop, btNext, btEject, btRecord]
    ColoredButtons = [btRecord]
    OnClick = PlayerClick
  end
end
)";

struct PlayerForm {
    TPlayerForm* form = nullptr;
    PlayerForm() {
        RegisterComponentClass(TPlayerForm::StaticClass());
        RegisterFrameworkClasses();
        form = new TPlayerForm(Application);
        ReadComponent(*form, kDescription);
        BringToFrontAndWait(*form);
    }
    ~PlayerForm() {
        delete form;
        Pump(10);
    }
    TPlayerForm* operator->() const { return form; }
};

void Press(TMediaPlayer& p, int x, int y) {
    ::SendMessageW(p.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}
void Release(TMediaPlayer& p, int x, int y) {
    ::SendMessageW(p.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(WORD(short(x)), WORD(short(y))));
    Pump(10);
}

// What the player's window paints, read back through WM_PRINTCLIENT.
raster::Bitmap Picture(TMediaPlayer& p) {
    raster::Bitmap b(p.Width(), p.Height());
    WindowDC screen(nullptr);
    OwnedDC mem(::CreateCompatibleDC(screen.Get()));
    SelectScope select(mem.Get(), static_cast<HBITMAP>(b.Handle()));
    ::SendMessageW(p.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem.Get()), PRF_CLIENT);
    ::GdiFlush();
    return b;
}

int DifferingPixels(const raster::Bitmap& a, const raster::Bitmap& b, const RECT& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) n += (a.GetPixel(x, y) & 0xFFFFFF) != (b.GetPixel(x, y) & 0xFFFFFF);
    return n;
}

}  // namespace

TEST(MediaPlayer, ButtonSetsByNameAndInStoredDescriptions) {
    PlayerForm f;
    TMediaPlayer& p = *f->Player1;
    const auto bit = [](TMPBtnType t) { return std::uint64_t(1) << int(t); };
    EXPECT_EQ(GetSetPropByName(&p, "VisibleButtons"),
              bit(TMPBtnType::btPlay) | bit(TMPBtnType::btPause) | bit(TMPBtnType::btStop) | bit(TMPBtnType::btNext) |
                  bit(TMPBtnType::btEject) | bit(TMPBtnType::btRecord));
    EXPECT_FALSE(p.EnabledButtons().Contains(TMPBtnType::btPause));
    EXPECT_EQ(p.ColoredButtons(), TButtonSet{TMPBtnType::btRecord});

    // A fresh player shows, enables and colours all nine.
    std::unique_ptr<TMediaPlayer> fresh(new TMediaPlayer(nullptr));
    EXPECT_EQ(GetSetPropByName(fresh.get(), "VisibleButtons"), 0x1FFu);
    EXPECT_EQ(GetSetPropByName(fresh.get(), "EnabledButtons"), 0x1FFu);
    EXPECT_EQ(GetSetPropByName(fresh.get(), "ColoredButtons"), 0x1FFu);

    SetPropByName(&p, "VisibleButtons", "[btStop, btBack]");
    EXPECT_EQ(p.VisibleButtons(), (TButtonSet{TMPBtnType::btStop, TMPBtnType::btBack}));
    EXPECT_EQ(p.Layout().visibleCount, 2);
    SetPropByName(&p, "VisibleButtons", "[btStop, btNoSuchButton]");
    EXPECT_EQ(p.VisibleButtons(), (TButtonSet{TMPBtnType::btStop, TMPBtnType::btBack})) << "an unknown name changes nothing";

    // Written and read back: sets that differ from all nine are stored, the others not.
    std::string text = WriteComponent(p);
    EXPECT_NE(text.find("VisibleButtons = [btStop, btBack]"), std::string::npos) << text;
    // The handler binding is written back too; a lone player has no form to bind it in.
    const std::size_t handler = text.find("  OnClick = PlayerClick\n");
    ASSERT_NE(handler, std::string::npos) << text;
    text.erase(handler, std::string("  OnClick = PlayerClick\n").size());
    EXPECT_NE(text.find("ColoredButtons = [btRecord]"), std::string::npos) << text;
    EXPECT_EQ(WriteComponent(*fresh).find("Buttons ="), std::string::npos);
    std::unique_ptr<TMediaPlayer> copy(new TMediaPlayer(nullptr));
    ReadComponent(*copy, text);
    EXPECT_EQ(copy->VisibleButtons(), p.VisibleButtons());
    EXPECT_EQ(copy->EnabledButtons(), p.EnabledButtons());
    EXPECT_EQ(copy->ColoredButtons(), p.ColoredButtons());
    std::unique_ptr<TMediaPlayer> none(new TMediaPlayer(nullptr));
    ReadComponent(*none, "object P: TMediaPlayer\n  VisibleButtons = []\nend\n");
    EXPECT_TRUE(none->VisibleButtons().Empty());
}

TEST(MediaPlayer, OnePressAndReleaseOnOneEnabledButtonIsOneClick) {
    PlayerForm f;
    TMediaPlayer& p = *f->Player1;
    auto& clicks = f->clicks;
    // Six visible buttons of 30 pixels (183 wide: 3 left over): play, pause, stop, next,
    // record, eject from the left.
    ASSERT_EQ(p.Layout().ButtonWidth(), 30);
    Press(p, 15, 15);
    Release(p, 20, 10);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], TMPBtnType::btPlay);

    clicks.clear();
    Press(p, 100, 15);  // next
    Release(p, 130, 15);  // record
    EXPECT_TRUE(clicks.empty()) << "released over another button";
    Press(p, 45, 15);  // pause: disabled
    Release(p, 45, 15);
    EXPECT_TRUE(clicks.empty()) << "a disabled button";
    Press(p, 175, 15);  // eject
    Release(p, 181, 15);  // past the last button
    Release(p, 175, 40);  // below the bar, in case the first release counted
    EXPECT_TRUE(clicks.empty());
    Release(p, 175, 15);
    EXPECT_TRUE(clicks.empty()) << "a release without its press";

    // A shared edge is the left button's: x = 90 is stop's, 91 next's.
    Press(p, 90, 5);
    Release(p, 90, 5);
    Press(p, 91, 5);
    Release(p, 91, 5);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0], TMPBtnType::btStop);
    EXPECT_EQ(clicks[1], TMPBtnType::btNext);

    // A whole disabled player takes no click; a button hidden meanwhile neither.
    clicks.clear();
    p.SetEnabled(false);
    Press(p, 15, 15);
    Release(p, 15, 15);
    p.SetEnabled(true);
    Press(p, 135, 15);  // record
    p.SetVisibleButtons(TButtonSet{TMPBtnType::btPlay});
    Release(p, 135, 15);
    EXPECT_TRUE(clicks.empty());

    // By real input too.
    p.SetVisibleButtons(TButtonSet{TMPBtnType::btPlay, TMPBtnType::btStop});
    Pump(30);
    const RECT w = [&] {
        RECT r;
        ::GetWindowRect(p.Handle(), &r);
        return r;
    }();
    const POINT stop{w.left + 91 + 45, w.top + 15};
    ClickAt(stop);
    if (clicks.empty()) ClickAt(stop);  // a click Wine delivered at the pointer's old place
    Pump(60);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], TMPBtnType::btStop);
}

TEST(MediaPlayer, PaintsPressedAndDisabledButtonsApart) {
    PlayerForm f;
    TMediaPlayer& p = *f->Player1;
    p.SetEnabledButtons(TButtonSet{TMPBtnType::btPlay, TMPBtnType::btStop, TMPBtnType::btNext});
    p.SetColoredButtons({});
    Pump(30);
    const raster::Bitmap before = Picture(p);
    // Play and stop are drawn alike but for their glyphs; pause (disabled) differs from
    // play in its glyph only.
    const RECT play = p.ButtonRect(TMPBtnType::btPlay);
    EXPECT_EQ(play.left, 0);
    EXPECT_EQ(play.right, 30);
    const RECT record = p.ButtonRect(TMPBtnType::btRecord);
    EXPECT_EQ(record.left, 120);
    const RECT back = p.ButtonRect(TMPBtnType::btBack);
    EXPECT_TRUE(::IsRectEmpty(&back)) << "hidden";
    // The left edge column is the raised button's light edge on every button.
    const raster::Color edge = before.GetPixel(0, 15) & 0xFFFFFF;
    for (int i = 0; i < 6; ++i) EXPECT_EQ(before.GetPixel(i * 30, 15) & 0xFFFFFF, edge) << i;

    // Held down: play's picture changes, the rest stays; let go, it is back.
    Press(p, 15, 15);
    const raster::Bitmap held = Picture(p);
    EXPECT_GT(DifferingPixels(before, held, play), 30);
    EXPECT_EQ(DifferingPixels(before, held, RECT{30, 0, 183, 30}), 0);
    Release(p, 15, 15);
    EXPECT_EQ(DifferingPixels(before, Picture(p), RECT{0, 0, 183, 30}), 0);

    // Disabling a button changes its glyph.
    p.SetEnabledButtons(TButtonSet{TMPBtnType::btStop, TMPBtnType::btNext});
    Pump(20);
    EXPECT_GT(DifferingPixels(before, Picture(p), play), 10);
}
