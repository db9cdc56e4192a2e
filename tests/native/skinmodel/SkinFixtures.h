// Packed skins made in the test: a description and the images it names.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "lzhenc/LzhEncode.h"
#include "lzhenc/SkinArchive.h"
#include "raster/Bitmap.h"
#include "raster/BmpCodec.h"
#include "skin/core/SkinModel.h"

namespace skinmodel_test {

using Bytes = std::vector<std::uint8_t>;

// A packed skin (size + LZH stream) of skin.ini and the given members.
inline Bytes PackSkin(const std::string& ini, const std::map<std::string, Bytes>& members) {
    std::vector<lzhenc::ArchiveMember> all;
    all.push_back({"skin.ini", Bytes(ini.begin(), ini.end())});
    for (const auto& [name, data] : members) all.push_back({name, data});
    return lzhenc::Pack(lzhenc::BuildArchive(20000, all));
}

// A strip of `frames` cells side by side (or stacked), cell k filled with colours[k].
inline raster::Bitmap Strip(int cellW, int cellH, const std::vector<raster::Color>& colours, bool down = false) {
    const int n = int(colours.size());
    raster::Bitmap b(down ? cellW : cellW * n, down ? cellH * n : cellH);
    for (int k = 0; k < n; ++k)
        for (int y = 0; y < cellH; ++y)
            for (int x = 0; x < cellW; ++x)
                b.SetPixel(down ? x : k * cellW + x, down ? k * cellH + y : y, colours[std::size_t(k)]);
    return b;
}

inline raster::Bitmap Solid(int w, int h, raster::Color c) { return Strip(w, h, {c}); }

inline Bytes Bmp(const raster::Bitmap& b) { return raster::EncodeBmp24(b); }

// Loads the skin into the model; the result of LoadSkin.
inline bool Load(skin::TSkinModel& model, const Bytes& packed) {
    model.SkinStream.Clear();
    model.SkinStream.LoadFromBytes(packed.data(), packed.size());
    return model.LoadSkin();
}

inline bool Load(skin::TSkinModel& model, const std::string& ini, const std::map<std::string, Bytes>& members = {}) {
    return Load(model, PackSkin(ini, members));
}

}  // namespace skinmodel_test
