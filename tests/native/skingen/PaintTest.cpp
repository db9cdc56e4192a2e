#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "Paint.h"
#include "Theme.h"

namespace {

using raster::Rgb;
using skingen::Canvas;

constexpr raster::Color kRed = Rgb(200, 30, 40);
constexpr raster::Color kGrey = Rgb(100, 100, 100);

TEST(Paint, ShapesOnPixelEdgesAreCrispAndEverythingOutsideIsKey) {
    Canvas cv(6, 5);
    cv.Fill(skingen::Rect(1, 1, 4, 3), kRed);
    const raster::Bitmap b = cv.Finish(kGrey);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 1 && x < 4 && y >= 1 && y < 3;
            EXPECT_EQ(b.GetPixel(x, y), inside ? kRed : raster::kKeyColor) << x << "," << y;
        }
}

TEST(Paint, CurvedEdgesAreBlendedOverTheMatte) {
    Canvas cv(21, 21);
    cv.Fill(skingen::Circle(10.5f, 10.5f, 8), kRed);
    const raster::Bitmap b = cv.Finish(kGrey);
    EXPECT_EQ(b.GetPixel(10, 10), kRed);
    EXPECT_EQ(b.GetPixel(0, 0), raster::kKeyColor);
    // Edge pixels lie between the shape's colour and the matte, never near magenta.
    int blended = 0;
    for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x) {
            const raster::Color c = b.GetPixel(x, y);
            if (c == kRed || c == raster::kKeyColor) continue;
            ++blended;
            EXPECT_GE(raster::RedOf(c), 100);
            EXPECT_LE(raster::RedOf(c), 200);
            EXPECT_GE(raster::GreenOf(c), 30);
            EXPECT_LE(raster::GreenOf(c), 100);
        }
    EXPECT_GT(blended, 20);
}

TEST(Paint, HalfCoverageDecidesHardEdges) {
    Canvas cv(4, 1);
    cv.Fill(skingen::Rect(0, 0, 1.25f, 1), kRed);  // pixel 1 a quarter covered
    cv.Fill(skingen::Rect(2.25f, 0, 4, 1), kRed);  // pixel 2 three quarters covered
    const raster::Bitmap hard = cv.Finish(kGrey, 0.5f);
    EXPECT_EQ(hard.GetPixel(1, 0), raster::kKeyColor);
    EXPECT_NE(hard.GetPixel(2, 0), raster::kKeyColor);
    const raster::Bitmap soft = cv.Finish(kGrey);
    EXPECT_NE(soft.GetPixel(1, 0), raster::kKeyColor);
}

TEST(Paint, AnOpaquePixelNeverComesOutAsTheKeyColour) {
    Canvas cv(2, 1);
    cv.Fill(skingen::Rect(0, 0, 1, 1), raster::kKeyColor);
    const raster::Bitmap b = cv.Finish(kGrey);
    EXPECT_NE(b.GetPixel(0, 0), raster::kKeyColor);
    EXPECT_EQ(b.GetPixel(1, 0), raster::kKeyColor);
}

TEST(Paint, EraseCutsBackToTheMatteOrKey) {
    Canvas cv(4, 1);
    cv.FillPixels(0, 0, 4, 1, kRed);
    cv.Erase(skingen::Rect(1, 0, 3, 1));
    const raster::Bitmap b = cv.Finish(kGrey);
    EXPECT_EQ(b.GetPixel(0, 0), kRed);
    EXPECT_EQ(b.GetPixel(1, 0), raster::kKeyColor);
    EXPECT_EQ(b.GetPixel(3, 0), kRed);
}

TEST(Paint, StripsKeepFrameOrderAcrossAndDown) {
    raster::Bitmap a(2, 3), b(2, 3);
    a.Fill(kRed);
    b.Fill(kGrey);
    const raster::Bitmap across = skingen::Strip(a.Clone(), b.Clone());
    ASSERT_EQ(across.Width(), 4);
    ASSERT_EQ(across.Height(), 3);
    EXPECT_EQ(across.GetPixel(1, 2), kRed);
    EXPECT_EQ(across.GetPixel(2, 0), kGrey);
    const raster::Bitmap down = skingen::Strip(std::move(a), std::move(b), true);
    ASSERT_EQ(down.Width(), 2);
    ASSERT_EQ(down.Height(), 6);
    EXPECT_EQ(down.GetPixel(0, 2), kRed);
    EXPECT_EQ(down.GetPixel(0, 3), kGrey);
    const raster::Bitmap part = skingen::Crop(down, 1, 2, 1, 2);
    EXPECT_EQ(part.GetPixel(0, 0), kRed);
    EXPECT_EQ(part.GetPixel(0, 1), kGrey);
}

const char* kTheme = R"(; a comment
name = Test Skin
corner_radius = 6
caption_height = 28
font_height = 13
face = #F0F0F0
window = #FFFFFF
text = #101010
accent = #2060C0
accent_text = #FFFFFF
caption = #D0D8E0
caption_inactive = #E0E0E0
caption_text = #101010
caption_text_inactive = #808080
frame = #707070
frame_inactive = #A0A0A0
control = #F8F8F8
control_border = #B0B0B0
danger = #D03030
)";

TEST(Theme, ReadsNumbersAndColours) {
    const skingen::Theme t = skingen::ParseTheme(kTheme);
    EXPECT_EQ(t.skinName, "Test Skin");
    EXPECT_EQ(t.cornerRadius, 6);
    EXPECT_EQ(t.captionHeight, 28);
    EXPECT_EQ(t.fontHeight, 13);
    EXPECT_EQ(t.palette.accent, Rgb(0x20, 0x60, 0xC0));
    EXPECT_EQ(t.palette.danger, Rgb(0xD0, 0x30, 0x30));
    EXPECT_FALSE(t.Dark());
}

TEST(Theme, RefusesWhatItCannotUse) {
    auto withLine = [](const std::string& from, const std::string& to) {
        std::string text = kTheme;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    // A missing colour is named; a bad value names its line.
    try {
        skingen::ParseTheme(withLine("danger = #D03030\n", ""));
        FAIL() << "accepted a theme without danger";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("danger"), std::string::npos);
    }
    try {
        skingen::ParseTheme(withLine("accent = #2060C0", "accent = 2060C0"));
        FAIL() << "accepted a colour without #";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("line 9"), std::string::npos) << e.what();
    }
    EXPECT_THROW(skingen::ParseTheme(withLine("caption_height = 28", "caption_height = 4")), std::runtime_error);
    EXPECT_THROW(skingen::ParseTheme(withLine("corner_radius = 6", "corner_radius = 6px")), std::runtime_error);
    EXPECT_THROW(skingen::ParseTheme(withLine("font_height = 13", "font_heigth = 13")), std::runtime_error);
    EXPECT_THROW(skingen::ParseTheme(withLine("name = Test Skin", "name =")), std::runtime_error);
}

}  // namespace
