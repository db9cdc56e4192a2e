#include "skin/core/DescriptionIndex.h"

#include <unordered_set>

#include "base/Ascii.h"

namespace skin {

namespace {

std::string Trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
    return s.substr(b, e - b);
}

// Writes the lower-case "section\nkey" into buffer; false when it does not fit.
bool LookupKey(std::string_view section, std::string_view key, char* buffer, std::size_t capacity,
               std::size_t& length) {
    length = section.size() + 1 + key.size();
    if (length > capacity) return false;
    char* out = buffer;
    for (char c : section) *out++ = base::AsciiLower(c);
    *out++ = '\n';  // never inside a line
    for (char c : key) *out++ = base::AsciiLower(c);
    return true;
}

}  // namespace

void TDescriptionIndex::Build(const TQuickIni& ini) {
    values_.clear();
    const auto& lines = ini.Lines();
    const auto& sections = ini.Sections();
    std::unordered_set<std::string> seen;
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const std::string header = base::AsciiLower(sections[s].header);
        if (!seen.insert(header).second) continue;  // only the first section of a name is searched
        const std::string name = header.substr(1, header.size() - 2);  // FindSection matches "[" + name + "]"

        const std::size_t end = s + 1 < sections.size() ? std::size_t(sections[s + 1].line) : lines.size();
        for (std::size_t i = std::size_t(sections[s].line) + 1; i < end && i < lines.size(); ++i) {
            const std::string& line = lines[i];
            const std::size_t eq = line.find('=');
            if (eq == std::string::npos) continue;
            values_.emplace(name + '\n' + base::AsciiLower(Trim(line.substr(0, eq))), Trim(line.substr(eq + 1)));  // first wins
        }
    }
}

std::string TDescriptionIndex::GetString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue) const {
    char buffer[256];
    std::size_t length = 0;
    std::string longKey;
    std::string_view wanted;
    if (LookupKey(section, key, buffer, sizeof buffer, length)) {
        wanted = std::string_view(buffer, length);
    } else {
        longKey = base::AsciiLower(section + '\n' + key);
        wanted = longKey;
    }
    const auto it = values_.find(wanted);
    return it == values_.end() || it->second.empty() ? defaultValue : it->second;
}

std::int32_t TDescriptionIndex::GetInteger(const std::string& section, const std::string& key,
                                           std::int32_t defaultValue) const {
    std::string text = GetString(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
    std::int32_t value;
    return TryStrToInt(text, value) ? value : defaultValue;
}

}  // namespace skin
