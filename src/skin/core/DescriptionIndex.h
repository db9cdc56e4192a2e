// A skin description's values by section and key, found exactly as TQuickIni finds them
// (first section of a name, first line of a key, case-insensitive, empty counts as
// missing) but indexed once: a load asks a few hundred questions of a few hundred lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "skin/resources/WinSkinIni.h"

namespace skin {

class TDescriptionIndex {
public:
    TDescriptionIndex() = default;
    explicit TDescriptionIndex(const TQuickIni& ini) { Build(ini); }
    void Build(const TQuickIni& ini);

    std::string GetString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
    std::int32_t GetInteger(const std::string& section, const std::string& key, std::int32_t defaultValue) const;

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    // "section\nkey", lower case; the section without its brackets.
    std::unordered_map<std::string, std::string, Hash, std::equal_to<>> values_;
};

}  // namespace skin
