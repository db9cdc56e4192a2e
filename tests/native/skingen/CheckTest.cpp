// skinpack check on our own skins, clean and with one fault put in at a time.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Paint.h"
#include "Skin.h"
#include "Skinpack.h"
#include "Themes.h"
#include "raster/BmpCodec.h"

namespace fs = std::filesystem;

namespace {

class SkinCheck : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tv-skincheck-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "src");
        const skingen::Theme theme = skingen_test::AllThemes().at(0);
        skin_ = skingen::BuildSkin(theme);
        Write("skin.ini", skin_.ini);
        for (const auto& img : skin_.images) WriteBmp(img.file, img.bitmap);
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Write(const std::string& name, const std::string& bytes) {
        std::ofstream out(dir_ / "src" / name, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    void WriteBmp(const std::string& name, const raster::Bitmap& bmp) {
        const auto bytes = raster::EncodeBmp24(bmp);
        Write(name, std::string(bytes.begin(), bytes.end()));
    }
    const raster::Bitmap& Image(const std::string& file) {
        for (const auto& img : skin_.images)
            if (img.file == file) return img.bitmap;
        throw std::runtime_error("no image " + file);
    }
    void EditIni(const std::string& from, const std::string& to) {
        const std::size_t at = skin_.ini.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        skin_.ini.replace(at, from.size(), to);
        Write("skin.ini", skin_.ini);
    }

    // Packs the folder and checks the result; the problem lines land in `lines`.
    int PackAndCheck(std::vector<std::string>& lines) {
        std::ostringstream out, err;
        const std::string skn = (dir_ / "test.skn").string();
        EXPECT_EQ(skinpack::Run({"pack", (dir_ / "src").string(), skn}, out, err), 0) << err.str();
        std::ostringstream checkOut, checkErr;
        const int status = skinpack::Run({"check", skn}, checkOut, checkErr);
        std::istringstream text(checkOut.str());
        for (std::string line; std::getline(text, line);) lines.push_back(line);
        return status;
    }

    // Exactly one problem, and it mentions every fragment.
    void ExpectOneProblem(const std::vector<std::string>& fragments) {
        std::vector<std::string> lines;
        EXPECT_EQ(PackAndCheck(lines), 1);
        ASSERT_EQ(lines.size(), 1u) << (lines.empty() ? std::string("no problem reported") : lines[0] + " ...");
        for (const auto& f : fragments) EXPECT_NE(lines[0].find(f), std::string::npos) << lines[0] << " lacks " << f;
    }

    fs::path dir_;
    skingen::Skin skin_;
};

TEST_F(SkinCheck, OurSkinsPass) {
    for (const skingen::Theme& theme : skingen_test::AllThemes()) {
        skin_ = skingen::BuildSkin(theme);
        fs::remove_all(dir_ / "src");
        fs::create_directories(dir_ / "src");
        Write("skin.ini", skin_.ini);
        for (const auto& img : skin_.images) WriteBmp(img.file, img.bitmap);
        std::vector<std::string> lines;
        EXPECT_EQ(PackAndCheck(lines), 0) << theme.id;
        EXPECT_TRUE(lines.empty()) << theme.id << ": " << lines.front();
    }
}

TEST_F(SkinCheck, AStripThatDoesNotDivideIntoItsFrames) {
    WriteBmp("scrollbar.bmp", skingen::Crop(Image("scrollbar.bmp"), 0, 0, Image("scrollbar.bmp").Width() - 1, 17));
    ExpectOneProblem({"[Scrollbar] Image", "23 frames"});
}

TEST_F(SkinCheck, AStackedStripIsMeasuredDown) {
    // Top is stacked: a width that does not divide by 2 is fine, a height that does not is not.
    const raster::Bitmap& top = Image("top.bmp");
    WriteBmp("top.bmp", skingen::Crop(top, 0, 0, top.Width() - 1, top.Height()));
    std::vector<std::string> lines;
    EXPECT_EQ(PackAndCheck(lines), 0);
    WriteBmp("top.bmp", skingen::Crop(top, 0, 0, top.Width(), top.Height() - 1));
    ExpectOneProblem({"[Personality] Top", "height"});
}

TEST_F(SkinCheck, TheFrameCountIsTheOneTheEngineUses) {
    // A Frame key does not change the scroll bar's 23 frames.
    EditIni("[Scrollbar]\r\n", "[Scrollbar]\r\nFrame=10\r\n");
    std::vector<std::string> lines;
    EXPECT_EQ(PackAndCheck(lines), 0);
    // A caption button 100 pixels wide makes 4 frames as its frame key says; without the
    // key the loader splits it by its proportions into 6, which 100 pixels do not make.
    WriteBmp("minimize.bmp", skingen::Crop(Image("minimize.bmp"), 0, 0, 100, Image("minimize.bmp").Height()));
    EXPECT_EQ(PackAndCheck(lines), 0);
    EditIni("ButtonImage=minimize.bmp\r\nframe=4", "ButtonImage=minimize.bmp");
    ExpectOneProblem({"ButtonImage=minimize.bmp", "6 frames"});
}

TEST_F(SkinCheck, AMissingMember) {
    fs::remove(dir_ / "src" / "radio.bmp");
    ExpectOneProblem({"[Buttons] RadioButton=radio.bmp", "no member"});
}

TEST_F(SkinCheck, ANameTheLoaderWouldNotLoad) {
    EditIni("Image=track.bmp", "Image=track.BMP");
    ExpectOneProblem({"[Track] Image=track.BMP", ".bmp"});
}

TEST_F(SkinCheck, AMemberThatIsNotABitmap) {
    Write("header.bmp", "BM this is not a bitmap");
    ExpectOneProblem({"[Headerbar] Image=header.bmp", "decode"});
}

TEST_F(SkinCheck, MagentaWhereTheEngineDrawsOpaquely) {
    raster::Bitmap header = Image("header.bmp").Clone();
    header.SetPixel(3, 3, raster::kKeyColor);
    header.SetPixel(4, 3, raster::kKeyColor);
    WriteBmp("header.bmp", header);
    ExpectOneProblem({"[Headerbar] Image=header.bmp", "2 magenta"});
}

TEST_F(SkinCheck, MagentaIsFineWhereTransLeavesItOut) {
    // The bottom border is opaque unless BottomTrans is 1.
    raster::Bitmap bottom = Image("bottom.bmp").Clone();
    bottom.SetPixel(0, 0, raster::kKeyColor);
    WriteBmp("bottom.bmp", bottom);
    EditIni("BottomTrans=0", "BottomTrans=1");
    std::vector<std::string> lines;
    EXPECT_EQ(PackAndCheck(lines), 0) << (lines.empty() ? "" : lines[0]);
    EditIni("BottomTrans=1", "BottomTrans=0");
    ExpectOneProblem({"[Personality] Bottom", "magenta"});
}

TEST_F(SkinCheck, TheMenuSeparatorFrameMayHoldMagentaEvenWhenItemsAreOpaque) {
    EditIni("[MenuItem]", "[MenuItem]\r\nTrans=0\r\n;");  // the first Trans key wins
    std::vector<std::string> lines;
    EXPECT_EQ(PackAndCheck(lines), 1);
    // Frames 1, 3, 4 and 5 hold magenta around their highlight; frame 2 is not counted.
    ASSERT_EQ(lines.size(), 1u);
    const raster::Bitmap& item = Image("menuitem.bmp");
    int outsideSeparator = 0;
    const int w = item.Width() / 5;
    for (int y = 0; y < item.Height(); ++y)
        for (int x = 0; x < item.Width(); ++x)
            if (x / w != 1 && item.GetPixel(x, y) == raster::kKeyColor) ++outsideSeparator;
    EXPECT_NE(lines[0].find(std::to_string(outsideSeparator) + " magenta"), std::string::npos) << lines[0];
}

TEST_F(SkinCheck, ProblemsOfSeveralKindsAreAllListedAndTheVerticalThumbFollowsTheHorizontal) {
    fs::remove(dir_ / "src" / "radio.bmp");
    EditIni("FrameCount=3", "FrameCount=5");  // the horizontal thumb's: now neither thumb divides
    std::vector<std::string> lines;
    EXPECT_EQ(PackAndCheck(lines), 1);
    EXPECT_EQ(lines.size(), 3u);
    std::string all;
    for (const auto& l : lines) all += l + "\n";
    EXPECT_NE(all.find("[HorzScrollThumb]"), std::string::npos) << all;
    EXPECT_NE(all.find("[VertScrollThumb]"), std::string::npos) << all;
    EXPECT_NE(all.find("[Buttons] RadioButton"), std::string::npos) << all;
}

TEST_F(SkinCheck, AFileThatIsNoSkinIsBadInput) {
    std::ofstream(dir_ / "junk.skn", std::ios::binary) << "not a skin at all";
    std::ostringstream out, err;
    EXPECT_EQ(skinpack::Run({"check", (dir_ / "junk.skn").string()}, out, err), 1);
    EXPECT_NE(err.str().find("junk.skn"), std::string::npos);
    EXPECT_EQ(skinpack::Run({"check"}, out, err), 2);
}

}  // namespace
