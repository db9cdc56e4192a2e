#include "SkinLikeData.h"

#include <string>

#include "base/LittleEndian.h"

namespace benchdata {
namespace {
void PutInt(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes = 4) {
    if (bytes == 2) base::le::Append16(out, std::uint16_t(v));
    else base::le::Append32(out, v);
}

std::uint32_t Next(std::uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

std::vector<std::uint8_t> Bmp(int width, int height, int style, std::uint32_t& rng) {
    const int stride = (width * 3 + 3) & ~3;
    std::vector<std::uint8_t> b;
    b.push_back('B');
    b.push_back('M');
    PutInt(b, 54 + stride * height);
    PutInt(b, 0);
    PutInt(b, 54);
    PutInt(b, 40);
    PutInt(b, std::uint32_t(width));
    PutInt(b, std::uint32_t(height));
    PutInt(b, 1, 2);
    PutInt(b, 24, 2);
    for (int i = 0; i < 6; ++i) PutInt(b, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int r, g, bl;
            const bool edge = x == 0 || y == 0 || x == width - 1 || y == height - 1;
            switch (style % 4) {
                case 0:  // flat face with a bevel
                    r = g = bl = edge ? (x == 0 || y == height - 1 ? 255 : 128) : 212;
                    break;
                case 1:  // vertical gradient
                    r = 40 + y * 150 / height;
                    g = 80 + y * 120 / height;
                    bl = 160 + y * 80 / height;
                    break;
                case 2:  // magenta key corners around a face
                    if ((x < 4 || x >= width - 4) && (y < 4 || y >= height - 4)) {
                        r = 255, g = 0, bl = 255;
                    } else {
                        r = 90, g = 120, bl = 180;
                    }
                    break;
                default:  // textured: a gradient with noise
                    r = (x * 3 + int(Next(rng) % 8)) & 0xFF;
                    g = (y * 2 + int(Next(rng) % 8)) & 0xFF;
                    bl = 128;
                    break;
            }
            b.push_back(std::uint8_t(bl));
            b.push_back(std::uint8_t(g));
            b.push_back(std::uint8_t(r));
        }
        for (int p = width * 3; p < stride; ++p) b.push_back(0);
    }
    return b;
}
}  // namespace

std::vector<std::uint8_t> SkinLikeArchive() {
    std::uint32_t rng = 0x2545F491;
    std::vector<std::string> names;
    std::vector<std::vector<std::uint8_t>> members;

    std::string ini = "[Personality]\r\nName=Bench\r\nAuthor=Tovalin\r\n\r\n[Colours]\r\n";
    for (int i = 0; i < 40; ++i) ini += "Colour" + std::to_string(i) + "=" + std::to_string(i * 104729 % 16777216) + "\r\n";
    const char* elements[] = {"BorderTop", "BorderLeft", "BorderRight", "BorderBottom", "Title", "Buttons",
                              "CheckBox", "Radio", "Scrollbar", "MenuItem", "Tab", "Progress", "Trackbar"};
    for (const char* e : elements) {
        ini += std::string("\r\n[") + e + "]\r\nImage=" + e + ".bmp\r\nFrame=4\r\nLeftWidth=6\r\nTopHeight=5\r\n"
               "RightWidth=6\r\nBottomHeight=5\r\nTrans=1\r\nTile=0\r\n";
    }
    names.push_back("skin.ini");
    members.emplace_back(ini.begin(), ini.end());

    const int sizes[][2] = {{96, 24}, {24, 96}, {64, 21}, {100, 30}, {17, 68}, {48, 48}, {128, 26}, {30, 30}};
    for (int i = 0; i < 39; ++i) {
        const auto& s = sizes[i % 8];
        names.push_back("elem" + std::to_string(i) + ".bmp");
        members.push_back(Bmp(s[0], s[1], i, rng));
    }

    std::string text;
    for (const auto& n : names) text += n + "\r\n";
    std::vector<std::uint8_t> out;
    PutInt(out, 20000);
    PutInt(out, std::uint32_t(text.size()));
    PutInt(out, 0x12345678);
    PutInt(out, 0x9ABCDEF0);
    out.insert(out.end(), text.begin(), text.end());
    for (const auto& m : members) PutInt(out, std::uint32_t(m.size()));
    for (const auto& m : members) out.insert(out.end(), m.begin(), m.end());
    return out;
}

std::vector<std::uint8_t> RandomBytes(std::size_t count, std::uint32_t seed) {
    std::uint32_t state = seed ? seed : 1;
    std::vector<std::uint8_t> out(count);
    for (auto& b : out) b = std::uint8_t(Next(state) >> 24);
    return out;
}

}  // namespace benchdata
