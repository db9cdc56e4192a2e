// The contact sheet: every image of a skin enlarged and labelled, for review.
#pragma once

#include <string_view>

#include "Skin.h"

namespace skingen {

// 5 x 7 capitals, digits and a little punctuation, enlarged by scale; lower case is drawn
// as capitals, anything unknown as a blank. Returns the width drawn.
int DrawLabel(raster::Bitmap& target, int x, int y, std::string_view text, raster::Color color, int scale);
int LabelWidth(std::string_view text, int scale);

raster::Bitmap ContactSheet(const Skin& skin, const Theme& theme);

}  // namespace skingen
