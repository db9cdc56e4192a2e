// Every skin we generate, read back through the engine's own description parser.
#include <gtest/gtest.h>

#include "base/Ascii.h"

#include <algorithm>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "Skin.h"
#include "Themes.h"
#include "skin/resources/WinSkinIni.h"

namespace {

struct Generated {
    explicit Generated(const skingen::Theme& t) : theme(t), skin(skingen::BuildSkin(t)) {
        ini.Load(std::span(reinterpret_cast<const std::uint8_t*>(skin.ini.data()), skin.ini.size()));
    }

    skingen::Theme theme;
    skingen::Skin skin;
    skin::TQuickIni ini;

    std::string Get(const std::string& s, const std::string& k) const { return ini.GetString(s, k, ""); }
    int Int(const std::string& s, const std::string& k) const { return ini.GetInteger(s, k, -9999); }
    const raster::Bitmap& Image(const std::string& s, const std::string& k) const {
        const std::string file = Get(s, k);
        for (const auto& img : skin.images)
            if (img.file == file) return img.bitmap;
        ADD_FAILURE() << "[" << s << "] " << k << "=" << file << " is not one of the skin's images";
        static const raster::Bitmap none;
        return none;
    }
    // The caption-button section with this action (and visibility, when given).
    std::string CaptionButton(int action, int visibility = -1) const {
        std::vector<std::string> names;
        ini.GetSectionNames(&names);
        for (const auto& n : names) {
            std::string up = n;
            up = base::AsciiUpper(up);
            if (up.rfind("BUTTON", 0) != 0 || up == "BUTTONS" || up == "BUTTON" || up == "BUTTON.RADIO" || up == "BUTTON.CHECKBOX")
                continue;
            if (ini.GetInteger(n, "Action", 0) == action && (visibility < 0 || ini.GetInteger(n, "Visibility", 0) == visibility))
                return n;
        }
        return {};
    }
};

const std::deque<Generated>& AllSkins() {
    static const std::deque<Generated> skins = [] {
        std::deque<Generated> all;
        for (const skingen::Theme& t : skingen_test::AllThemes()) all.emplace_back(t);
        return all;
    }();
    return skins;
}

TEST(SkinContent, ThereAreALightAndADarkSkin) {
    const auto& skins = AllSkins();
    ASSERT_GE(skins.size(), 2u);
    EXPECT_TRUE(std::any_of(skins.begin(), skins.end(), [](const Generated& g) { return g.theme.Dark(); }));
    EXPECT_TRUE(std::any_of(skins.begin(), skins.end(), [](const Generated& g) { return !g.theme.Dark(); }));
    EXPECT_TRUE(std::any_of(skins.begin(), skins.end(), [](const Generated& g) { return g.theme.id == "daylight"; }))
        << "the main window stores the Daylight skin";
}

TEST(SkinContent, EverySectionAndKeyTheEngineReadsIsThere) {
    std::map<std::string, std::vector<std::string>> required = {
        {"TitlebarSkin", {"SkinName"}},
        {"Fonts", {"FontHeight"}},
        {"Personality",
         {"TextBack", "TXTBackleft", "TXTBackRight", "Textbackground", "TextAlignment", "TextShift", "TextShiftVert",
          "TextRightClip", "ActiveTextR", "ActiveTextG", "ActiveTextB", "InActiveTextR", "InActiveTextG", "InActiveTextB",
          "menuBar", "TileMenu", "TileLeftMenu", "TileRightMenu"}},
        {"MDICONTROLS", {"Image"}},
        {"Buttons",
         {"Bitmap", "CheckButton", "RadioButton", "LeftWidth", "TopHeight", "RightWidth", "BottomHeight", "Trans",
          "NormalColour", "MouseOverColour", "PressedColour", "NormalColour2", "MouseOverColour2", "PressedColour2"}},
        {"Colours",
         {"WindowText", "ButtonFace", "Scrollbar", "HilightText", "Hilight", "Menubar", "Menu", "MenuText", "ButtonText",
          "ButtonHilight", "Buttonlight", "ButtonShadow", "ButtonDkShadow", "MenuBarText", "TitleTextActive",
          "TitleTextNoActive"}},
        {"Customcolors", {"Color0", "Color1", "Color2", "Color3", "Color4", "Color5", "Color6", "Color7", "Color8", "Color9"}},
        {"Progress", {"Bitmap"}},
        {"Tabs", {"Image", "Border"}},
        {"UpDown.Horz", {"Image", "GlyphImage"}},
        {"UpDown.Vert", {"Image", "GlyphImage"}},
    };
    for (const char* side : {"Top", "Left", "Right", "Bottom"})
        for (const char* suffix : {"", "TopHeight", "BotHeight", "Frame", "Stretch", "Trans"})
            required["Personality"].push_back(std::string(side) + suffix);
    for (const char* s : {"Scrollbar", "HorzScroll", "VertScroll", "HorzScrollThumb", "VertScrollThumb", "Progress.Chunk",
                          "Tab.Pane", "Headerbar", "MenuItem", "MenuBackground", "ComboButton", "SunkEdge", "ExtraImages",
                          "GroupBox", "GroupBoxEdge", "StatusBarEdges", "ToolBars", "Trackbar.ThumbHorz",
                          "Trackbar.ThumbVert", "Trackbar.ThumbLeft", "Trackbar.ThumbRight", "Trackbar.ThumbUp",
                          "Trackbar.ThumbDown", "Track", "TRACKVERT"})
        required[s].push_back("Image");

    for (const Generated& g : AllSkins()) {
        SCOPED_TRACE(g.theme.id);
        for (const auto& [section, keys] : required) {
            EXPECT_GE(g.ini.FindSection(section), 0) << "[" << section << "] missing";
            for (const auto& key : keys) EXPECT_NE(g.Get(section, key), "") << "[" << section << "] " << key << " missing";
        }
        // The caption buttons, found the way the loader finds them: by section name prefix.
        const struct {
            const char* role;
            int action, visibility;
        } buttons[] = {{"close", 0, -1}, {"maximize", 1, 2}, {"restore", 1, 1}, {"minimize", 2, -1}, {"help", 4, -1}, {"system menu", 3, -1}};
        for (const auto& b : buttons) {
            const std::string s = g.CaptionButton(b.action, b.visibility);
            ASSERT_FALSE(s.empty()) << "no " << b.role << " button";
            for (const char* key : {"Action", "Align", "Xcoord", "Ycoord", "Visibility", "Visibility1", "ButtonImage", "frame"})
                EXPECT_NE(g.Get(s, key), "") << "[" << s << "] " << key << " missing";
        }
        // At least one named colour section besides [Colours].
        std::vector<std::string> names;
        g.ini.GetSectionNames(&names);
        EXPECT_TRUE(std::any_of(names.begin(), names.end(), [&](const std::string& n) {
            std::string up = n;
            up = base::AsciiUpper(up);
            return up.rfind("COLOUR", 0) == 0 && up != "COLOURS" && !g.Get(n, "color").empty();
        }));
    }
}

TEST(SkinContent, EveryImageIsNamedOnceWithALoadableNameAndNothingElseIsShipped) {
    for (const Generated& g : AllSkins()) {
        SCOPED_TRACE(g.theme.id);
        std::map<std::string, int> named;
        for (const std::string& line : g.ini.Lines()) {
            const std::size_t eq = line.find('=');
            if (eq != std::string::npos && line.size() > 4 && line.compare(line.size() - 4, 4, ".bmp") == 0)
                ++named[line.substr(eq + 1)];
        }
        for (const auto& img : g.skin.images) {
            EXPECT_EQ(named[img.file], 1) << img.file;
            EXPECT_EQ(img.file, [&] {
                std::string lower = img.file;
                lower = base::AsciiLower(lower);
                return lower;
            }()) << "member names are stored lower case";
            EXPECT_EQ((img.down ? img.bitmap.Height() : img.bitmap.Width()) % img.frames, 0) << img.file;
        }
        EXPECT_EQ(named.size(), g.skin.images.size());
    }
}

TEST(SkinContent, TopCornersAreCutOutAndTheRestOfTheFrameIsSolid) {
    for (const Generated& g : AllSkins()) {
        SCOPED_TRACE(g.theme.id);
        const raster::Bitmap& top = g.Image("Personality", "Top");
        const raster::Bitmap& left = g.Image("Personality", "Left");
        const raster::Bitmap& right = g.Image("Personality", "Right");
        const raster::Bitmap& bottom = g.Image("Personality", "Bottom");
        ASSERT_FALSE(top.Empty() || left.Empty() || right.Empty() || bottom.Empty());
        EXPECT_EQ(g.Int("Personality", "TopTrans"), 1);
        EXPECT_EQ(g.Int("Personality", "LeftTrans"), 1);
        EXPECT_EQ(g.Int("Personality", "RightTrans"), 1);
        const int th = top.Height() / g.Int("Personality", "TopFrame");
        EXPECT_EQ(th, g.theme.captionHeight);
        EXPECT_EQ(g.Int("Personality", "LeftTopHeight"), th) << "the side's fixed top part must span the caption";
        for (int frame = 0; frame < 2; ++frame) {
            // The outermost corner pixels are outside the region, the caption below them is not.
            EXPECT_EQ(left.GetPixel(left.Width() / 2 * frame, 0), raster::kKeyColor);
            EXPECT_EQ(right.GetPixel(right.Width() / 2 * (frame + 1) - 1, 0), raster::kKeyColor);
            EXPECT_NE(left.GetPixel(left.Width() / 2 * frame, th - 1), raster::kKeyColor);
            EXPECT_NE(top.GetPixel(top.Width() / 2, th * frame), raster::kKeyColor);
            EXPECT_NE(top.GetPixel(top.Width() - 1, th * frame + g.theme.cornerRadius), raster::kKeyColor);
        }
        for (int y = 0; y < bottom.Height(); ++y)
            for (int x = 0; x < bottom.Width(); ++x) ASSERT_NE(bottom.GetPixel(x, y), raster::kKeyColor);
    }
}

TEST(SkinContent, CaptionButtonsFitTheCaptionAndLeaveRoomForTheText) {
    const int width = 455;  // the main window
    for (const Generated& g : AllSkins()) {
        SCOPED_TRACE(g.theme.id);
        const int rightBorder = g.Image("Personality", "Right").Width() / g.Int("Personality", "RightFrame");
        const int leftBorder = g.Image("Personality", "Left").Width() / g.Int("Personality", "LeftFrame");
        struct Box {
            int x, y, w, h;
        };
        auto box = [&](const std::string& s) {
            const raster::Bitmap& img = g.Image(s, "ButtonImage");
            const int w = img.Width() / std::max(g.Int(s, "frame"), 1);
            const int x = g.Int(s, "Align") == 1 ? width - g.Int(s, "Xcoord") : g.Int(s, "Xcoord");
            return Box{x, g.Int(s, "Ycoord"), w, img.Height()};
        };
        const Box close = box(g.CaptionButton(0)), max = box(g.CaptionButton(1, 2)), min = box(g.CaptionButton(2));
        const Box restore = box(g.CaptionButton(1, 1)), icon = box(g.CaptionButton(3));
        for (const Box& b : {close, max, min, restore, icon}) {
            EXPECT_GE(b.y, 0);
            EXPECT_LE(b.y + b.h, g.theme.captionHeight);
            EXPECT_GE(b.x, leftBorder);
            EXPECT_LE(b.x + b.w, width - rightBorder);
        }
        EXPECT_LE(max.x + max.w, close.x);
        EXPECT_LE(min.x + min.w, max.x);
        EXPECT_EQ(restore.x, max.x);
        EXPECT_EQ(restore.y, max.y);
        // Caption text starts after the icon and is clipped before the leftmost button.
        const int textLeft = leftBorder + g.Int("Personality", "TextShift");
        const int textRight = width - rightBorder - g.Int("Personality", "TextRightClip");
        EXPECT_GE(textLeft, icon.x + icon.w);
        EXPECT_LE(textRight, min.x);
        // The help button takes the maximize button's place, as the loader arranges.
        EXPECT_EQ(g.Int(g.CaptionButton(4), "Visibility"), 10);
    }
}

// Rows and columns of a frame that hold anything but the key colour.
void InkBox(const raster::Bitmap& strip, int frames, int frame, int& x0, int& y0, int& x1, int& y1) {
    const int w = strip.Width() / frames;
    x0 = y0 = 1 << 20;
    x1 = y1 = -1;
    for (int y = 0; y < strip.Height(); ++y)
        for (int x = 0; x < w; ++x)
            if (strip.GetPixel(frame * w + x, y) != raster::kKeyColor) {
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
}

TEST(SkinContent, CaptionGlyphsSitOnWholePixels) {
    for (const Generated& g : AllSkins()) {
        SCOPED_TRACE(g.theme.id);
        int x0, y0, x1, y1;
        // Minimize: a one-pixel line, solid along its length.
        const std::string min = g.CaptionButton(2);
        const raster::Bitmap& minImg = g.Image(min, "ButtonImage");
        InkBox(minImg, 4, 0, x0, y0, x1, y1);
        EXPECT_EQ(y0, y1) << "the dash is blurred over two rows";
        for (int x = x0; x <= x1; ++x) EXPECT_EQ(minImg.GetPixel(x, y0), minImg.GetPixel(x0, y0));
        // Maximize: a square outline whose sides are solid single lines.
        const std::string max = g.CaptionButton(1, 2);
        const raster::Bitmap& maxImg = g.Image(max, "ButtonImage");
        InkBox(maxImg, 4, 0, x0, y0, x1, y1);
        ASSERT_GT(x1 - x0, 4);
        const raster::Color ink = maxImg.GetPixel((x0 + x1) / 2, y0);
        for (int y = y0 + 2; y <= y1 - 2; ++y) {
            EXPECT_EQ(maxImg.GetPixel(x0, y), ink) << y;
            EXPECT_EQ(maxImg.GetPixel(x1, y), ink) << y;
            EXPECT_EQ(maxImg.GetPixel(x0 + 1, y), raster::kKeyColor) << y;
        }
    }
}

TEST(SkinContent, ImagesPaintedOverTheFaceBlendIntoIt) {
    // Check and radio glyphs are drawn over the face colour: their anti-aliased rims must
    // lie between the glyph and the face, not fade into magenta.
    for (const Generated& g : AllSkins()) {
        SCOPED_TRACE(g.theme.id);
        const raster::Bitmap& radio = g.Image("Buttons", "RadioButton");
        const raster::Color face = g.theme.palette.face;
        int rim = 0;
        for (int y = 0; y < radio.Height(); ++y)
            for (int x = 0; x < radio.Width(); ++x) {
                const raster::Color c = radio.GetPixel(x, y);
                if (c == raster::kKeyColor) continue;
                // Magenta has green 0 and red = blue = 255; a rim tinted by it would show that.
                const int magentaPull = std::min(raster::RedOf(c), raster::BlueOf(c)) - raster::GreenOf(c);
                EXPECT_LE(magentaPull, std::min(raster::RedOf(face), raster::BlueOf(face)) - raster::GreenOf(face) + 40);
                ++rim;
            }
        EXPECT_GT(rim, 0);
    }
}

}  // namespace
