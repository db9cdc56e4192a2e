#include <gtest/gtest.h>

#include "base/Text.h"
#include "wintools/tevhotkey.h"

namespace {
struct Target {
    HWND h = CreateWindowExW(0, L"STATIC", L"hotkey target", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ~Target() { DestroyWindow(h); }
};

ATOM FindAtom(int slot) {
    return GlobalFindAtomW(text::Widen(HotkeyAtomName(TTevhotkey::ExecutablePath(), slot)).c_str());
}
}  // namespace

TEST(HotkeyAtomName, CutsTheFileNameAtItsFirstDot) {
    EXPECT_EQ(HotkeyAtomName("C:\\Program Files\\app.exe", 1), "app1");
    EXPECT_EQ(HotkeyAtomName("C:\\dir.d\\a.b.exe", 12), "a12");
    EXPECT_EQ(HotkeyAtomName("Z:\\tools\\noext", 3), "3");
    EXPECT_EQ(HotkeyAtomName("plain.exe", 20), "plain20");
}

TEST(HotkeyModifiers, MapsEachKeyToItsFlag) {
    EXPECT_EQ(HotkeyModifiers(false, false, true, false), 4u);  // shift, though third in order
    EXPECT_EQ(HotkeyModifiers(false, true, false, false), 1u);  // alt
    EXPECT_EQ(HotkeyModifiers(true, false, false, false), 2u);
    EXPECT_EQ(HotkeyModifiers(false, false, false, true), 8u);
    EXPECT_EQ(HotkeyModifiers(true, true, false, false), 3u);
}

TEST(Tevhotkey, RegistersUnderAtomIdsAndReleasesOnDestroy) {
    Target target, rival;
    int id = -1;
    {
        TTevhotkey registry;
        registry.AddHotkey(target.h, true, true, false, false, 'S');
        ASSERT_EQ(registry.Count(), 1);
        const ATOM atom = FindAtom(1);
        ASSERT_NE(atom, 0);
        id = registry.Id(1);
        EXPECT_EQ(id, int(atom) - 0xC000);
        EXPECT_EQ(registry.Window(1), target.h);
        EXPECT_TRUE(registry.Keys(1).Ctrl && registry.Keys(1).Alt && !registry.Keys(1).Shift);
        EXPECT_EQ(registry.Keys(1).Key, 'S');
        // The combination is taken while the registry lives.
        EXPECT_FALSE(RegisterHotKey(rival.h, 7, MOD_CONTROL | MOD_ALT, 'S'));
    }
    EXPECT_EQ(FindAtom(1), 0);
    EXPECT_TRUE(RegisterHotKey(rival.h, 7, MOD_CONTROL | MOD_ALT, 'S'));
    UnregisterHotKey(rival.h, 7);
}

TEST(Tevhotkey, TwentySlotsAndTheTwentyFirstIsIgnored) {
    Target target;
    TTevhotkey registry;
    for (int i = 0; i < 21; ++i) registry.AddHotkey(target.h, true, false, true, false, std::uint16_t(VK_F1 + i));
    EXPECT_EQ(registry.Count(), 20);
    EXPECT_EQ(registry.Keys(20).Key, VK_F1 + 19);
    EXPECT_NE(FindAtom(20), 0);
    EXPECT_EQ(FindAtom(21), 0);
    for (int slot = 1; slot <= 20; ++slot) {
        EXPECT_GE(registry.Id(slot), 0);
        EXPECT_LE(registry.Id(slot), 0x3FFF);
    }
}

TEST(Tevhotkey, AWindowMadeAnewTakesOverTheHotkeysOfTheOldOne) {
    Target rival;
    TTevhotkey registry;
    int id = -1;
    {
        Target old, other;
        registry.AddHotkey(old.h, true, true, false, false, 'S');
        registry.AddHotkey(other.h, true, false, false, false, VK_F2);
        id = registry.Id(1);
        Target renewed;
        registry.MoveToWindow(old.h, renewed.h);
        EXPECT_EQ(registry.Window(1), renewed.h);
        EXPECT_EQ(registry.Window(2), other.h) << "another window's hotkey stays where it is";
        // Still taken, and now registered for the new window.
        EXPECT_FALSE(RegisterHotKey(rival.h, 7, MOD_CONTROL | MOD_ALT, 'S'));
        EXPECT_TRUE(UnregisterHotKey(renewed.h, id));
        EXPECT_TRUE(RegisterHotKey(rival.h, 7, MOD_CONTROL | MOD_ALT, 'S'));
        UnregisterHotKey(rival.h, 7);
    }
}

TEST(Tevhotkey, EmptyRegistryDestroysQuietly) {
    { TTevhotkey registry; EXPECT_EQ(registry.Count(), 0); }
    EXPECT_EQ(FindAtom(1), 0);
}
