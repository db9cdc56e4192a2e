// The few numbers and colours that make a skin. Everything else is derived from them.
#pragma once

#include <string>
#include <string_view>

#include "raster/Bitmap.h"

namespace skingen {

using raster::Color;

struct Palette {
    Color face = 0;             // dialogs, borders, button face of the colour table
    Color window = 0;           // edit fields, lists, menus
    Color text = 0;
    Color accent = 0;           // selection, focus, progress, checked marks
    Color accentText = 0;       // text on the accent
    Color caption = 0;          // caption bar, active window
    Color captionInactive = 0;
    Color captionText = 0;
    Color captionTextInactive = 0;
    Color frame = 0;            // window outline, active
    Color frameInactive = 0;
    Color control = 0;          // push-button surface
    Color controlBorder = 0;
    Color danger = 0;           // close button under the mouse
};

struct Theme {
    std::string id;          // file-name stem of the theme and of the packed skin
    std::string skinName;    // what [TitlebarSkin] SkinName says
    int cornerRadius = 8;    // top corners of the window
    int captionHeight = 30;
    int fontHeight = 14;
    Palette palette;

    bool Dark() const;
};

// Reads "key = value" lines; ";" starts a comment line; colours are #RRGGBB. The id is
// left to the caller (it is the theme file's name).
// Throws std::runtime_error naming the line for anything it does not understand.
Theme ParseTheme(std::string_view text);

}  // namespace skingen
