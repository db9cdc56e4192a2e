#include "Sheet.h"

#include <algorithm>
#include <string>

#include "Paint.h"
#include "Preview.h"
#include "base/Ascii.h"

namespace skingen {
namespace {

struct Glyph {
    char c;
    const char* rows[7];
};

// clang-format off
constexpr Glyph kFont[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'J', {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
    {'.', {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."}},
    {',', {".....", ".....", ".....", ".....", ".##..", "..#..", ".#..."}},
    {':', {".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."}},
    {'-', {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
    {'_', {".....", ".....", ".....", ".....", ".....", ".....", "#####"}},
    {'[', {".###.", ".#...", ".#...", ".#...", ".#...", ".#...", ".###."}},
    {']', {".###.", "...#.", "...#.", "...#.", "...#.", "...#.", ".###."}},
    {'(', {"...#.", "..#..", ".#...", ".#...", ".#...", "..#..", "...#."}},
    {')', {".#...", "..#..", "...#.", "...#.", "...#.", "..#..", ".#..."}},
    {'/', {".....", "....#", "...#.", "..#..", ".#...", "#....", "....."}},
    {'=', {".....", ".....", "#####", ".....", "#####", ".....", "....."}},
    {'+', {".....", "..#..", "..#..", "#####", "..#..", "..#..", "....."}},
    {'#', {".#.#.", ".#.#.", "#####", ".#.#.", "#####", ".#.#.", ".#.#."}},
    {'\'', {"..#..", "..#..", ".#...", ".....", ".....", ".....", "....."}},
};
// clang-format on

const Glyph* Find(char c) {
    c = base::AsciiUpper(c);
    for (const Glyph& g : kFont)
        if (g.c == c) return &g;
    return nullptr;
}

void FillRect(raster::Bitmap& b, int x0, int y0, int x1, int y1, Color c) {
    for (int y = std::max(y0, 0); y < std::min(y1, b.Height()); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, b.Width()); ++x) b.SetPixel(x, y, c);
}

struct Tile {
    const SkinImage* image;
    int scale, x, y, w, h;  // the whole tile, label included
};

constexpr int kLabelScale = 2;
constexpr int kLineH = 7 * kLabelScale + 6;
constexpr int kGap = 3;      // between frames, in sheet pixels
constexpr int kMargin = 24;
constexpr int kSheetWidth = 1530;

int ScaleFor(const SkinImage& img) {
    const int longest = std::max(img.bitmap.Width(), img.bitmap.Height());
    return longest <= 60 ? 5 : longest <= 120 ? 4 : longest <= 260 ? 3 : 2;
}

std::string Caption1(const SkinImage& img) { return "[" + img.section + "] " + img.key; }
std::string Caption2(const SkinImage& img) {
    return img.file + "  " + std::to_string(img.bitmap.Width()) + "X" + std::to_string(img.bitmap.Height()) + "  " +
           std::to_string(img.frames) + (img.frames == 1 ? " FRAME" : img.down ? " FRAMES DOWN" : " FRAMES");
}

void ImageSize(const SkinImage& img, int scale, int& w, int& h) {
    const int n = std::max(img.frames, 1);
    w = img.bitmap.Width() * scale + (img.down ? 0 : (n - 1) * kGap);
    h = img.bitmap.Height() * scale + (img.down ? (n - 1) * kGap : 0);
}

}  // namespace

int LabelWidth(std::string_view text, int scale) { return int(text.size()) * 6 * scale; }

int DrawLabel(raster::Bitmap& target, int x, int y, std::string_view text, Color color, int scale) {
    int cx = x;
    for (char ch : text) {
        if (const Glyph* g = Find(ch))
            for (int r = 0; r < 7; ++r)
                for (int c = 0; c < 5; ++c)
                    if (g->rows[r][c] == '#') FillRect(target, cx + c * scale, y + r * scale, cx + (c + 1) * scale, y + (r + 1) * scale, color);
        cx += 6 * scale;
    }
    return cx - x;
}

raster::Bitmap ContactSheet(const Skin& skin, const Theme& theme) {
    const bool dark = theme.Dark();
    const Color paper = dark ? raster::Rgb(24, 25, 28) : raster::Rgb(226, 229, 234);
    const Color ink = dark ? raster::Rgb(220, 222, 226) : raster::Rgb(40, 44, 52);
    const Color faint = dark ? raster::Rgb(140, 144, 152) : raster::Rgb(105, 110, 120);
    const Color check1 = dark ? raster::Rgb(52, 54, 58) : raster::Rgb(255, 255, 255);
    const Color check2 = dark ? raster::Rgb(40, 42, 46) : raster::Rgb(236, 238, 241);

    // Flow the tiles into rows.
    const raster::Bitmap preview = Preview(skin);
    constexpr int kZoom = 2;
    const int previewY = kMargin + 3 * 7 * 3 + 30;
    std::vector<Tile> tiles;
    int x = kMargin, y = previewY + preview.Height() * kZoom + 40, rowH = 0;
    for (const SkinImage& img : skin.images) {
        const int scale = ScaleFor(img);
        int iw = 0, ih = 0;
        ImageSize(img, scale, iw, ih);
        const int w = std::max({iw, LabelWidth(Caption1(img), kLabelScale), LabelWidth(Caption2(img), kLabelScale)});
        const int h = 2 * kLineH + ih;
        if (x + w > kSheetWidth - kMargin && x > kMargin) {
            x = kMargin;
            y += rowH + 28;
            rowH = 0;
        }
        tiles.push_back({&img, scale, x, y, w, h});
        x += w + 36;
        rowH = std::max(rowH, h);
    }
    raster::Bitmap sheet(kSheetWidth, y + rowH + kMargin);
    sheet.Fill(paper);
    DrawLabel(sheet, kMargin, kMargin, theme.skinName, ink, 3);
    DrawLabel(sheet, kMargin, kMargin + 7 * 3 + 8,
              std::to_string(skin.images.size()) + " IMAGES. A MOCK-UP FROM THE SKIN, THEN EVERY IMAGE. CHECKERED PIXELS ARE THE KEY COLOUR.", faint, 2);

    for (int py = 0; py < preview.Height(); ++py)
        for (int px = 0; px < preview.Width(); ++px)
            FillRect(sheet, kMargin + px * kZoom, previewY + py * kZoom, kMargin + (px + 1) * kZoom, previewY + (py + 1) * kZoom,
                     preview.GetPixel(px, py));

    for (const Tile& t : tiles) {
        const SkinImage& img = *t.image;
        DrawLabel(sheet, t.x, t.y, Caption1(img), ink, kLabelScale);
        DrawLabel(sheet, t.x, t.y + kLineH, Caption2(img), faint, kLabelScale);
        const int n = std::max(img.frames, 1);
        const int fw = img.down ? img.bitmap.Width() : img.bitmap.Width() / n;
        const int fh = img.down ? img.bitmap.Height() / n : img.bitmap.Height();
        for (int py = 0; py < img.bitmap.Height(); ++py)
            for (int px = 0; px < img.bitmap.Width(); ++px) {
                const int frame = img.down ? py / std::max(fh, 1) : px / std::max(fw, 1);
                const int ox = t.x + px * t.scale + (img.down ? 0 : std::min(frame, n - 1) * kGap);
                const int oy = t.y + 2 * kLineH + py * t.scale + (img.down ? std::min(frame, n - 1) * kGap : 0);
                Color c = img.bitmap.GetPixel(px, py);
                if (c == raster::kKeyColor) {
                    for (int sy = 0; sy < t.scale; ++sy)
                        for (int sx = 0; sx < t.scale; ++sx)
                            sheet.SetPixel(ox + sx, oy + sy, (((ox + sx) / 4 + (oy + sy) / 4) & 1) ? check1 : check2);
                    continue;
                }
                FillRect(sheet, ox, oy, ox + t.scale, oy + t.scale, c);
            }
    }
    return sheet;
}

}  // namespace skingen
