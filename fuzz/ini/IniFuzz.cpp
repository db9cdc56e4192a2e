// Parses arbitrary text and asks for every key it holds in every section.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "skin/resources/WinSkinIni.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    skin::TQuickIni ini;
    ini.Load({data, size});
    std::vector<std::string> sections;
    ini.GetSectionNames(&sections);
    if (sections.size() != ini.Sections().size()) std::abort();
    for (const auto& section : sections) {
        const int at = ini.FindSection(section);
        if (at >= 0 && at >= int(ini.Lines().size())) std::abort();
        for (const auto& line : ini.Lines()) {
            const auto eq = line.find('=');
            const std::string key = eq == std::string::npos ? line : line.substr(0, eq);
            ini.GetString(section, key, "default");
            ini.GetInteger(section, key, -1);
        }
    }
    std::int32_t value;
    skin::TryStrToInt(std::string(reinterpret_cast<const char*>(data), size), value);
    return 0;
}
