// Draws every image of a skin for a theme and writes its commented description.
#pragma once

#include <string>
#include <vector>

#include "Theme.h"
#include "raster/Bitmap.h"

namespace skingen {

struct SkinImage {
    std::string file;     // member name, lower case, ".bmp"
    std::string section;  // where the description names it
    std::string key;
    raster::Bitmap bitmap;
    int frames = 1;
    bool down = false;    // frames stacked vertically
};

struct Skin {
    std::string iniName;  // member name of the description
    std::string ini;      // CR LF lines
    std::vector<SkinImage> images;
};

Skin BuildSkin(const Theme& theme);

}  // namespace skingen
