// skinpack's commands run in-process on temporary folders.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Skinpack.h"
#include "lzhenc/LzhEncode.h"
#include "lzhenc/SkinArchive.h"

namespace {
namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct Result {
    int status;
    std::string out, err;
};

Result Skinpack(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = skinpack::Run(args, out, err);
    return {status, out.str(), err.str()};
}

class SkinpackTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root = fs::temp_directory_path() / (std::string("tv-skinpack-") + info->name());
        fs::remove_all(root);
        fs::create_directories(root / "src");
    }
    void TearDown() override { fs::remove_all(root); }

    void Write(const fs::path& path, const std::string& content) {
        std::ofstream(path, std::ios::binary) << content;
    }
    std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::string P(const std::string& name) { return (root / name).string(); }

    fs::path root;
};

TEST_F(SkinpackTest, PackListUnpackRoundTrip) {
    Write(root / "src" / "Skin.ini", "[Personality]\r\nName=Test\r\n");
    Write(root / "src" / "b.bmp", std::string(3000, 'B'));
    Write(root / "src" / "A.BMP", "BM-a");
    Write(root / "src" / "empty.bmp", "");
    Write(root / "src" / "notes.txt", "not packed");
    fs::create_directories(root / "src" / "sub.bmp");

    auto r = Skinpack({"pack", P("src"), P("out.skn")});
    ASSERT_EQ(r.status, 0) << r.err;
    r = Skinpack({"list", P("out.skn")});
    EXPECT_EQ(r.status, 0);
    // Sorted by name as they are, listed as stored (lower-cased).
    EXPECT_EQ(r.out, "tag 20000, 4 members\n4\ta.bmp\n26\tskin.ini\n3000\tb.bmp\n0\tempty.bmp\n");

    r = Skinpack({"unpack", P("out.skn"), P("dest")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Read(root / "dest" / "skin.ini"), "[Personality]\r\nName=Test\r\n");
    EXPECT_EQ(Read(root / "dest" / "b.bmp"), std::string(3000, 'B'));
    EXPECT_EQ(Read(root / "dest" / "a.bmp"), "BM-a");
    EXPECT_TRUE(fs::exists(root / "dest" / "empty.bmp"));
    EXPECT_FALSE(fs::exists(root / "dest" / "notes.txt"));

    for (const char* tag : {"30000", "40000", "50000"}) {
        r = Skinpack({"pack", P("src"), P("t.skn"), "--tag", tag});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(Skinpack({"list", P("t.skn")}).out.substr(0, 20), std::string("tag ") + tag + ", 4 members");
    }
}

TEST_F(SkinpackTest, ListAcceptsAStoredLengthInFront) {
    Write(root / "src" / "skin.ini", "x=1");
    ASSERT_EQ(Skinpack({"pack", P("src"), P("bare.skn")}).status, 0);
    const std::string bare = Read(root / "bare.skn");
    const std::uint32_t n = std::uint32_t(bare.size());
    Write(root / "stored.skn", std::string{char(n), char(n >> 8), char(n >> 16), char(n >> 24)} + bare);
    const auto r = Skinpack({"list", P("stored.skn")});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "tag 20000, 1 members\n3\tskin.ini\n");
}

TEST_F(SkinpackTest, CompressAndDecompressTheCodecLayer) {
    std::string data;
    for (int i = 0; i < 5000; ++i) data += "line " + std::to_string(i % 37) + "\n";
    Write(root / "in", data);
    ASSERT_EQ(Skinpack({"compress", P("in"), P("c")}).status, 0);
    const std::string packed = Read(root / "c");
    EXPECT_LT(packed.size(), data.size() / 3);
    EXPECT_EQ(std::uint8_t(packed[0]) | std::uint8_t(packed[1]) << 8 | std::uint8_t(packed[2]) << 16, int(data.size()));
    ASSERT_EQ(Skinpack({"decompress", P("c"), P("d")}).status, 0);
    EXPECT_EQ(Read(root / "d"), data);
}

TEST_F(SkinpackTest, WrongUsageExitsWith2) {
    Write(root / "src" / "skin.ini", "");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {},
             {"frobnicate"},
             {"list"},
             {"list", "a", "b"},
             {"pack", P("src")},
             {"pack", P("src"), P("o.skn"), "--tag"},
             {"pack", P("src"), P("o.skn"), "--tag", "12345"},
             {"unpack", "x"},
             {"compress", "x"},
             {"decompress", "x", "y", "z"},
         }) {
        const auto r = Skinpack(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "" : args[0]);
        EXPECT_FALSE(r.err.empty());
        EXPECT_TRUE(r.out.empty());
    }
    const auto help = Skinpack({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* c : {"pack", "unpack", "list", "compress", "decompress"})
        EXPECT_NE(help.out.find(std::string("skinpack ") + c + " "), std::string::npos) << c;
}

TEST_F(SkinpackTest, BadInputExitsWith1AndOneLine) {
    Write(root / "junk.skn", "this is not a skin at all, just some text");
    Write(root / "src" / "a.bmp", "x");  // no .ini
    const Bytes old = lzhenc::Pack(Bytes{0x10, 0x27, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});  // tag 10000
    Write(root / "old.skn", std::string(old.begin(), old.end()));
    const std::vector<lzhenc::ArchiveMember> evil = {{"../escape.bmp", {'x'}}};
    const Bytes evilPacked = lzhenc::Pack(lzhenc::BuildArchive(20000, evil));
    Write(root / "evil.skn", std::string(evilPacked.begin(), evilPacked.end()));
    Write(root / "absurd", std::string("\xff\xff\xff\x7f" "abc", 7));

    struct Case {
        std::vector<std::string> args;
        const char* says;
    };
    const Case cases[] = {
        {{"list", P("missing.skn")}, "cannot read"},
        {{"list", P("junk.skn")}, "damaged"},
        {{"list", P("old.skn")}, "unknown format tag 10000"},
        {{"unpack", P("evil.skn"), P("out")}, "not a plain file name"},
        {{"pack", P("src"), P("o.skn")}, "exactly one .ini"},
        {{"pack", P("nodir"), P("o.skn")}, "not a directory"},
        {{"decompress", P("absurd"), P("o")}, "impossible size"},
        {{"compress", P("missing"), P("o")}, "cannot read"},
    };
    for (const auto& c : cases) {
        const auto r = Skinpack(c.args);
        EXPECT_EQ(r.status, 1) << c.args[0] << ": " << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_FALSE(fs::exists(root / "escape.bmp"));
}
}  // namespace
