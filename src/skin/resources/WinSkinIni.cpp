#include "skin/resources/WinSkinIni.h"

#include "base/Ascii.h"

namespace skin {
namespace {
bool IsBlank(unsigned char c) { return c <= 0x20; }

std::string Trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && IsBlank(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}

bool IsHeader(const std::string& trimmed) {
    return trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
}  // namespace

bool TryStrToInt(const std::string& text, std::int32_t& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i < text.size() && text[i] == '$') {
        ++i;
        if (i == text.size()) return false;
        std::uint64_t v = 0;
        for (; i < text.size(); ++i) {
            const int d = HexDigit(text[i]);
            if (d < 0) return false;
            v = v * 16 + unsigned(d);
            if (v > 0xFFFFFFFFu) return false;
        }
        const std::uint32_t bits = negative ? std::uint32_t(0u - std::uint32_t(v)) : std::uint32_t(v);
        value = std::int32_t(bits);
        return true;
    }
    if (i == text.size()) return false;
    std::int64_t v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        v = v * 10 + (text[i] - '0');
        if (v > std::int64_t(0x80000000)) return false;
    }
    if (negative) v = -v;
    if (v > 0x7FFFFFFF) return false;
    value = std::int32_t(v);
    return true;
}

void TQuickIni::Load(const std::vector<std::uint8_t>* stream, std::size_t position) {
    if (!stream) return;
    if (position > stream->size()) position = stream->size();
    Load(std::span<const std::uint8_t>(*stream).subspan(position));
}

void TQuickIni::Load(std::span<const std::uint8_t> bytes) {
    lines_.clear();
    sections_.clear();
    const char* text = reinterpret_cast<const char*>(bytes.data());
    std::size_t n = 0;
    while (n < bytes.size() && bytes[n] != 0) ++n;
    std::size_t i = 0;
    while (i < n) {
        const std::size_t start = i;
        while (i < n && text[i] != '\r' && text[i] != '\n') ++i;
        std::string line = Trim(std::string(text + start, i - start));
        if (i < n && text[i] == '\r') ++i;
        if (i < n && text[i] == '\n') ++i;
        if (line.empty() || line.front() == ';') continue;
        if (IsHeader(line)) sections_.push_back({line, int(lines_.size())});
        lines_.push_back(std::move(line));
    }
}

int TQuickIni::FindSection(const std::string& name) const {
    const std::string header = "[" + name + "]";
    for (const auto& s : sections_)
        if (base::EqualsIgnoreCase(s.header, header)) return s.line;
    return -1;
}

std::string TQuickIni::GetString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
    if (lines_.empty()) return defaultValue;
    const int header = FindSection(section);
    if (header < 0) return defaultValue;
    for (std::size_t i = std::size_t(header) + 1; i < lines_.size(); ++i) {
        const std::string& line = lines_[i];
        if (IsHeader(line)) break;
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) continue;  // no key: never matches
        if (!base::EqualsIgnoreCase(Trim(line.substr(0, eq)), key)) continue;
        const std::string value = Trim(line.substr(eq + 1));
        return value.empty() ? defaultValue : value;
    }
    return defaultValue;
}

std::int32_t TQuickIni::GetInteger(const std::string& section, const std::string& key,
                                   std::int32_t defaultValue) const {
    std::string text = GetString(section, key, "");
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.replace(0, 2, "$");
    std::int32_t value;
    return TryStrToInt(text, value) ? value : defaultValue;
}

void TQuickIni::GetSectionNames(std::vector<std::string>* Strings) const {
    if (!Strings) throw EAssertionFailed("The parameter Strings is unassigned!");
    Strings->clear();
    for (const auto& s : sections_) {
        const std::string header = Trim(s.header);
        Strings->push_back(Trim(header.substr(1, header.size() - 2)));
    }
}

}  // namespace skin
