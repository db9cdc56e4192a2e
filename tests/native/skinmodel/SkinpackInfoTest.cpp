// skinpack info: the model as JSON, read back with a small strict JSON reader.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <variant>

#include "SkinFixtures.h"
#include "Skinpack.h"

namespace {
using namespace skinmodel_test;
namespace fs = std::filesystem;

struct Json {
    std::variant<std::nullptr_t, bool, double, std::string, std::vector<Json>, std::map<std::string, Json>> v;
    bool IsNull() const { return std::holds_alternative<std::nullptr_t>(v); }
    double Num() const { return std::get<double>(v); }
    const std::string& Str() const { return std::get<std::string>(v); }
    const std::vector<Json>& Arr() const { return std::get<std::vector<Json>>(v); }
    const std::map<std::string, Json>& Obj() const { return std::get<std::map<std::string, Json>>(v); }
    const Json& operator[](const std::string& k) const { return Obj().at(k); }
};

class JsonReader {
public:
    explicit JsonReader(const std::string& s) : s_(s) {}
    Json Document() {
        Json j = Value();
        Space();
        if (i_ != s_.size()) throw std::runtime_error("text after the value");
        return j;
    }

private:
    void Space() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\n' || s_[i_] == '\r' || s_[i_] == '\t')) ++i_;
    }
    void Expect(char c) {
        Space();
        if (i_ >= s_.size() || s_[i_] != c) throw std::runtime_error(std::string("expected ") + c + " at " + std::to_string(i_));
        ++i_;
    }
    bool Peek(char c) {
        Space();
        return i_ < s_.size() && s_[i_] == c;
    }
    std::string String() {
        Expect('"');
        std::string out;
        while (i_ < s_.size() && s_[i_] != '"') {
            if (static_cast<unsigned char>(s_[i_]) < 0x20) throw std::runtime_error("control character in a string");
            if (s_[i_] == '\\') {
                ++i_;
                if (s_.at(i_) == 'u') {
                    out += char(std::stoi(s_.substr(i_ + 1, 4), nullptr, 16));
                    i_ += 4;
                } else {
                    out += s_.at(i_);
                }
            } else {
                out += s_[i_];
            }
            ++i_;
        }
        Expect('"');
        return out;
    }
    Json Value() {
        Space();
        if (Peek('{')) {
            ++i_;
            std::map<std::string, Json> o;
            if (!Peek('}'))
                do {
                    std::string k = String();
                    if (o.count(k)) throw std::runtime_error("duplicate key " + k);
                    Expect(':');
                    o[k] = Value();
                } while (Peek(',') && ++i_);
            Expect('}');
            return {o};
        }
        if (Peek('[')) {
            ++i_;
            std::vector<Json> a;
            if (!Peek(']'))
                do a.push_back(Value());
                while (Peek(',') && ++i_);
            Expect(']');
            return {a};
        }
        if (Peek('"')) return {String()};
        for (const auto& [word, value] : {std::pair<const char*, Json>{"null", Json{nullptr}}, {"true", Json{true}}, {"false", Json{false}}})
            if (s_.compare(i_, std::strlen(word), word) == 0) {
                i_ += std::strlen(word);
                return value;
            }
        std::size_t used = 0;
        const double d = std::stod(s_.substr(i_), &used);
        if (used == 0) throw std::runtime_error("no value at " + std::to_string(i_));
        i_ += used;
        return {d};
    }
    const std::string& s_;
    std::size_t i_ = 0;
};

struct Result {
    int status;
    std::string out, err;
};

class SkinpackInfo : public ::testing::Test {
protected:
    void SetUp() override {
        path = fs::temp_directory_path() /
               (std::string("tv-info-") + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".skn");
    }
    void TearDown() override { fs::remove(path); }
    void Write(const Bytes& bytes) {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    Result Info(bool json) {
        std::ostringstream out, err;
        std::vector<std::string> args = {"info", path.string()};
        if (json) args.push_back("--json");
        const int status = skinpack::Run(args, out, err);
        return {status, out.str(), err.str()};
    }
    fs::path path;
};

const std::string kIni =
    "[TitlebarSkin]\r\nSkinName=Q\"uote\\d\r\n[Colours]\r\nButtonFace=1 2 3\r\n[COLOUR1]\r\ncolor=4 5 6\r\n"
    "[Tabs]\r\nImage=a.bmp\r\nBorder=b.bmp\r\nLeftWidth=-3\r\n[GroupBox]\r\nImage=a.bmp\r\nBackgroundLeftShift=9\r\n"
    "[ButtonClose]\r\nAction=0\r\nButtonImage=a.bmp\r\nXcoord=36\r\n";

TEST_F(SkinpackInfo, JsonHoldsTheModel) {
    Write(PackSkin(kIni, {{"a.bmp", Bmp(Solid(12, 7, 0xFF))}, {"b.bmp", Bmp(Solid(3, 2, 0xFF))}}));
    const Result r = Info(true);
    ASSERT_EQ(r.status, 0) << r.err;
    Json j;
    ASSERT_NO_THROW(j = JsonReader(r.out).Document()) << r.out;
    EXPECT_EQ(j["SkinName"].Str(), "Q\"uote\\d");
    EXPECT_EQ(j["Colors"].Obj().size(), 16u);
    EXPECT_EQ(j["Colors"]["ButtonFace"].Num(), 0x030201);
    EXPECT_EQ(j["Colors"]["WindowText"].Num(), double(std::int32_t(0x80000008))) << "signed";
    ASSERT_EQ(j["SectionColors"].Arr().size(), 1u);
    EXPECT_EQ(j["SectionColors"].Arr()[0].Num(), 0x060504);
    EXPECT_EQ(j["CustomColors"].Arr().size(), 10u);
    EXPECT_EQ(j["FrameColor"].Num(), 0x030201);

    const auto& buttons = j["SysButtons"].Arr();
    ASSERT_EQ(buttons.size(), 4u) << "MDI buttons included";
    EXPECT_EQ(buttons[0]["Name"].Str(), "BUTTONCLOSE");
    EXPECT_EQ(buttons[0]["Xcoord"].Num(), 36);
    EXPECT_EQ(buttons[0]["Frame"].Num(), 3);
    EXPECT_EQ(buttons[0]["Bitmap"].Arr()[0].Num(), 12);
    EXPECT_EQ(buttons[3]["Action"].Num(), 9);

    const auto& e = j["Elements"];
    EXPECT_EQ(e.Obj().size(), 38u);
    EXPECT_TRUE(e["Progress"].IsNull());
    EXPECT_TRUE(e["MenuItem"].IsNull());
    EXPECT_EQ(e["Tabs"]["LeftWidth"].Num(), -3);
    EXPECT_EQ(e["Tabs"]["Bitmap2"].Arr()[0].Num(), 3);
    EXPECT_EQ(e["Tabs"]["Bitmap2"].Arr()[1].Num(), 2);
    EXPECT_EQ(e["Tabs"]["NormalColour"].Num(), -1);
    EXPECT_EQ(e["GroupBox"]["BackgroundLeftShift"].Num(), 9);
    EXPECT_EQ(e["Title"]["ActiveText"].Num(), 0x1FFFFFFF);
    EXPECT_FALSE(std::get<bool>(e["Buttons"]["HasNormalColour2"].v));
    EXPECT_EQ(e["Buttons"]["CheckBitmap"].Arr()[0].Num(), 0);
    EXPECT_EQ(e["Track"]["Bitmap"].Arr()[0].Num(), 16);
    EXPECT_EQ(e["ComboArrow"]["Name"].Str(), "ComboxArrow");
    EXPECT_EQ(e["ToolbarFace"]["Bitmap"].Arr()[1].Num(), 40);
}

TEST_F(SkinpackInfo, StoredLengthSummaryAndFailures) {
    Bytes packed = PackSkin("[TitlebarSkin]\r\nSkinName=Plain\r\n", {});
    Bytes stored(4);
    const auto n = std::uint32_t(packed.size());
    for (int k = 0; k < 4; ++k) stored[std::size_t(k)] = std::uint8_t(n >> (8 * k));
    stored.insert(stored.end(), packed.begin(), packed.end());
    Write(stored);
    Result r = Info(false);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Skin: Plain"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("not in this skin:"), std::string::npos);

    const std::string text = "garbage";
    Write(PackSkin("[MenuItem]\r\nImage=x.bmp\r\n", {{"x.bmp", Bytes(text.begin(), text.end())}}));
    r = Info(true);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("x.bmp"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());

    Write(Bytes{1, 2, 3});
    r = Info(true);
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(r.err.empty());
}

}  // namespace
