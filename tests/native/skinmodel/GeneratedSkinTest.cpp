// Our own skins, drawn by the skin generator and packed as the build packs them, loaded
// into the model: every image the description names must land in its element.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

#include "SkinFixtures.h"
#include "Skin.h"
#include "Themes.h"
#include "base/Ascii.h"

namespace {
using namespace skinmodel_test;

struct LoadedSkin {
    skingen::Theme theme;
    skingen::Skin skin;
    std::unique_ptr<skin::TSkinModel> model = std::make_unique<skin::TSkinModel>(nullptr);
    bool loaded = false;
};

std::vector<LoadedSkin>& Skins() {
    static std::vector<LoadedSkin> all = [] {
        std::vector<LoadedSkin> v;
        for (const skingen::Theme& t : skingen_test::AllThemes()) {
            LoadedSkin s{t, skingen::BuildSkin(t)};
            std::map<std::string, Bytes> members;
            for (const auto& img : s.skin.images) members[img.file] = Bmp(img.bitmap);
            std::vector<lzhenc::ArchiveMember> archive;
            archive.push_back({s.skin.iniName, Bytes(s.skin.ini.begin(), s.skin.ini.end())});
            for (const auto& [name, data] : members) archive.push_back({name, data});
            s.loaded = Load(*s.model, lzhenc::Pack(lzhenc::BuildArchive(20000, archive)));
            v.push_back(std::move(s));
        }
        return v;
    }();
    return all;
}

std::string Upper(const std::string& s) { return base::AsciiUpper(s); }

// The "r g b" values of [section] in the description as written, by key.
std::map<std::string, skin::TColor> DescriptionColours(const std::string& ini, const std::string& section) {
    std::map<std::string, skin::TColor> colours;
    std::istringstream lines(ini);
    std::string line;
    bool inside = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() == '[') {
            inside = Upper(line) == "[" + Upper(section) + "]";
            continue;
        }
        const auto eq = line.find('=');
        if (!inside || line.empty() || line.front() == ';' || eq == std::string::npos) continue;
        int r = -1, g = -1, b = -1;
        std::istringstream(line.substr(eq + 1)) >> r >> g >> b;
        colours[line.substr(0, eq)] = skin::TColor(r | g << 8 | b << 16);
    }
    return colours;
}

// Where the model keeps the image that [section] key names; null when nowhere.
const raster::Bitmap* ModelImage(const skin::TSkinModel& m, const std::string& section, const std::string& key) {
    const std::string s = Upper(section), k = Upper(key);
    if (s == "PERSONALITY") {
        if (k == "TOP") return &m.BorderTop->Bitmap;
        if (k == "LEFT") return &m.BorderLeft->Bitmap;
        if (k == "RIGHT") return &m.BorderRight->Bitmap;
        if (k == "BOTTOM") return &m.BorderBottom->Bitmap;
        if (k == "TEXTBACK") return &m.Title->Bitmap;
        if (k == "MENUBAR") return m.MenuBar ? &m.MenuBar->Bitmap : nullptr;
        return nullptr;
    }
    if (s == "BUTTONS") {
        if (k == "BITMAP") return &m.Buttons->Bitmap;
        if (k == "CHECKBUTTON") return &m.Buttons->CheckBitmap;
        if (k == "RADIOBUTTON") return &m.Buttons->RadioBitmap;
        return nullptr;
    }
    if (k == "GLYPHIMAGE" || k == "BORDER") {
        const skin::TDataSkinBorder* b = s == "UPDOWN.HORZ" ? m.UpDownHorz.get()
                                         : s == "UPDOWN.VERT" ? m.UpDownVert.get()
                                         : s == "TABS"        ? m.Tabs.get()
                                                              : nullptr;
        return b ? &b->Bitmap2 : nullptr;
    }
    if (k == "BUTTONIMAGE") {
        for (const auto& b : m.SysButtons)
            if (b->Name == s) return &b->Bitmap;
        return nullptr;
    }
    static const std::map<std::string, std::string> kMembers = {
        {"PROGRESS", "Progress"},           {"PROGRESS.CHUNK", "ProgressChunk"},
        {"GROUPBOXEDGE", "GroupBoxEdge"},   {"GROUPBOX", "GroupBox"},
        {"TABS", "Tabs"},                   {"STATUSBAREDGES", "StatusBarEdges"},
        {"TAB.PANE", "TabPane"},            {"TOOLBARS", "ToolBars"},
        {"EXTRAIMAGES", "ExtraImages"},     {"HEADERBAR", "Headerbar"},
        {"MENUITEM", "MenuItem"},           {"MENUBACKGROUND", "MenuBackground"},
        {"SCROLLBAR", "Scrollbar"},         {"HORZSCROLL", "HorzScroll"},
        {"VERTSCROLL", "VertScroll"},       {"HORZSCROLLTHUMB", "HorzScrollThumb"},
        {"VERTSCROLLTHUMB", "VertScrollThumb"}, {"TRACKBAR.THUMBHORZ", "TrackThumbHorz"},
        {"TRACKBAR.THUMBVERT", "TrackThumbVert"}, {"TRACKBAR.THUMBLEFT", "TrackThumbLeft"},
        {"TRACKBAR.THUMBRIGHT", "TrackThumbRight"}, {"TRACKBAR.THUMBUP", "TrackThumbUp"},
        {"TRACKBAR.THUMBDOWN", "TrackThumbDown"}, {"UPDOWN.HORZ", "UpDownHorz"},
        {"UPDOWN.VERT", "UpDownVert"},      {"TRACK", "Track"},
        {"TRACKVERT", "TrackVert"},
    };
    const auto it = kMembers.find(s);
    if (it == kMembers.end()) return nullptr;
    for (const auto& [name, element] : m.Elements())
        if (it->second == name) return element ? &element->Bitmap : nullptr;
    return nullptr;
}

bool SameImage(const raster::Bitmap& a, const raster::Bitmap& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if ((a.GetPixel(x, y) & 0xFFFFFF) != (b.GetPixel(x, y) & 0xFFFFFF)) return false;
    return true;
}

TEST(GeneratedSkins, LoadCompletely) {
    ASSERT_FALSE(Skins().empty());
    for (const LoadedSkin& s : Skins()) {
        SCOPED_TRACE(s.theme.id);
        ASSERT_TRUE(s.loaded);
        const skin::TSkinModel& m = *s.model;
        EXPECT_FALSE(m.SkinEmpty);
        EXPECT_EQ(m.SkinName, s.theme.skinName);
        // Every colour is the skin's own, none left to the system.
        for (const auto& [key, member] : skin::TSkinColors::Keys()) EXPECT_GE(m.SkinColors.*member, 0) << key;
        EXPECT_FALSE(m.SectionColors.empty());
        EXPECT_EQ(m.FrameColor, m.BorderTop->Bitmap.GetPixel(m.BorderTop->Bitmap.Width() / 3,
                                                             m.BorderTop->Bitmap.Height() / m.BorderTop->Frame / 3) &
                                    0xFFFFFF);
    }
}

TEST(GeneratedSkins, CustomColoursAreTheDescriptionsOwn) {
    for (const LoadedSkin& s : Skins()) {
        SCOPED_TRACE(s.theme.id);
        const auto written = DescriptionColours(s.skin.ini, "Customcolors");
        ASSERT_EQ(written.size(), 10u) << "our skins offer ten";
        std::set<skin::TColor> distinct;
        for (int k = 0; k < 10; ++k) {
            const std::string key = "Color" + std::to_string(k);
            ASSERT_EQ(written.count(key), 1u) << key;
            EXPECT_EQ(s.model->CustomColors[k], written.at(key)) << key;
            distinct.insert(s.model->CustomColors[k]);
        }
        // White is what a colour the model could not read becomes.
        EXPECT_GE(distinct.size(), 5u) << "the colours are the theme's, not one default";
    }
}

TEST(GeneratedSkins, EveryNamedImageLandsInItsElement) {
    for (const LoadedSkin& s : Skins()) {
        SCOPED_TRACE(s.theme.id);
        const skin::TSkinModel& m = *s.model;
        int checked = 0;
        for (const auto& img : s.skin.images) {
            const std::string section = Upper(img.section);
            if (section == "MDICONTROLS") continue;  // split into the MDI buttons
            // Rebuilt into the combo composite; icon buttons without a frame key show the icon.
            if (section == "COMBOBUTTON" || section == "SUNKEDGE") continue;
            const raster::Bitmap* got = ModelImage(m, img.section, img.key);
            ASSERT_NE(got, nullptr) << "[" << img.section << "] " << img.key;
            EXPECT_TRUE(SameImage(*got, img.bitmap)) << "[" << img.section << "] " << img.key;
            ++checked;
        }
        EXPECT_GT(checked, 30);
    }
}

TEST(GeneratedSkins, CaptionButtonsAndDerivedImages) {
    for (const LoadedSkin& s : Skins()) {
        SCOPED_TRACE(s.theme.id);
        const skin::TSkinModel& m = *s.model;
        int captionSections = 0;
        for (const auto& img : s.skin.images)
            if (Upper(img.key) == "BUTTONIMAGE") ++captionSections;
        ASSERT_EQ(int(m.SysButtons.size()), captionSections + 3);
        for (std::size_t k = m.SysButtons.size() - 3; k < m.SysButtons.size(); ++k) {
            const auto& mdi = *m.SysButtons[k];
            EXPECT_FALSE(mdi.Bitmap.Empty());
            EXPECT_EQ(mdi.Bitmap.Width() % 4, 0);
        }
        ASSERT_TRUE(m.ComboButton && m.SunkEdge && m.ComboArrow && m.ToolbarFace);
        EXPECT_EQ(m.ComboButton->Style, 2);
        EXPECT_EQ(m.ComboButton->Bitmap.Width(), 50 * m.SunkEdge->Frame);
        EXPECT_EQ(m.ComboArrow->Bitmap.Width(), 17 * m.SunkEdge->Frame);
        EXPECT_EQ(m.ToolbarFace->Bitmap.Height(), 40);
        EXPECT_GE(m.Buttons->CheckFrames, 4);
        EXPECT_GE(m.Buttons->RadioFrames, 4);
    }
}

}  // namespace
