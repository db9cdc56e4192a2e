// The themes of skins/, as the build compiled them in.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Theme.h"

namespace skingen_test {

inline std::vector<std::pair<std::string, std::string>> ThemeTexts() {
    return {
#include "Themes.inc"
    };
}

inline std::vector<skingen::Theme> AllThemes() {
    std::vector<skingen::Theme> themes;
    for (const auto& [id, text] : ThemeTexts()) {
        themes.push_back(skingen::ParseTheme(text));
        themes.back().id = id;
    }
    return themes;
}

}  // namespace skingen_test
