// skingen THEME OUTDIR [--sheet SHEET.png]
// skingen --icon ICON.ico
//
// Draws the skin a theme file describes into OUTDIR (its description and bitmaps, ready for
// "skinpack pack") and, on request, a contact sheet of all its images; or the program icon.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "Icon.h"
#include "Sheet.h"
#include "Skin.h"
#include "raster/BmpCodec.h"
#include "raster/PngEncode.h"

namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& path, const void* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), std::streamsize(size));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

void WriteFile(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    if (path.has_parent_path()) fs::create_directories(path.parent_path());
    WriteFile(path, bytes.data(), bytes.size());
}

int Usage() {
    std::fputs("usage: skingen THEME OUTDIR [--sheet SHEET.png]\n"
               "       skingen --icon ICON.ico\n",
               stderr);
    return 2;
}

int IconMain(const fs::path& path) {
    try {
        std::vector<raster::Bitmap> images;
        for (int size : skingen::kProgramIconSizes) images.push_back(skingen::DrawProgramIcon(size));
        WriteFile(path, skingen::EncodeIco(images));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skingen: %s\n", e.what());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--icon") return IconMain(argv[2]);
    if (argc != 3 && argc != 5) return Usage();
    const fs::path themePath = argv[1], outDir = argv[2];
    fs::path sheetPath;
    if (argc == 5) {
        if (std::string(argv[3]) != "--sheet") return Usage();
        sheetPath = argv[4];
    }
    try {
        std::ifstream in(themePath, std::ios::binary);
        if (!in) throw std::runtime_error("cannot read " + themePath.string());
        std::stringstream text;
        text << in.rdbuf();
        skingen::Theme theme = skingen::ParseTheme(text.str());
        theme.id = themePath.stem().string();
        const skingen::Skin skin = skingen::BuildSkin(theme);

        fs::create_directories(outDir);
        // The packer takes every bitmap of the folder: leave nothing of an older run behind.
        for (const fs::directory_entry& e : fs::directory_iterator(outDir)) {
            const std::string ext = e.path().extension().string();
            if (e.is_regular_file() && (ext == ".bmp" || ext == ".ini")) fs::remove(e.path());
        }
        WriteFile(outDir / skin.iniName, skin.ini.data(), skin.ini.size());
        for (const skingen::SkinImage& img : skin.images) WriteFile(outDir / img.file, raster::EncodeBmp24(img.bitmap));
        if (!sheetPath.empty()) WriteFile(sheetPath, raster::EncodePng(skingen::ContactSheet(skin, theme)));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skingen: %s\n", e.what());
        return 1;
    }
    return 0;
}
