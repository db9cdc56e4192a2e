// Skin description (INI-style) parser.
//
// The text is bytes; it ends at its last byte or its first NUL. CR LF, CR or
// LF end a line; each line is trimmed of bytes 0x00-0x20; empty lines and
// lines starting with ';' are dropped. "[name]" is a section header; any
// other line is "key = value" split at the first '='. Keys match without
// regard to ASCII case, section names without regard to case; the first
// section of a name and the first line of a key win; an empty value counts
// as missing.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "base/Error.h"

namespace skin {

// A caller broke a precondition (the runtime's assertion failure).
class EAssertionFailed : public base::Error {
public:
    using base::Error::Error;
};

class TQuickIni {
public:
    TQuickIni() = default;
    virtual ~TQuickIni() = default;

    // Replaces the contents with the text of `bytes`.
    void Load(std::span<const std::uint8_t> bytes);
    // The stream's bytes from `position` on; a null stream changes nothing.
    void Load(const std::vector<std::uint8_t>* stream, std::size_t position = 0);

    // Index in Lines() of the first header "[name]", or -1.
    int FindSection(const std::string& name) const;
    std::string GetString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
    std::int32_t GetInteger(const std::string& section, const std::string& key, std::int32_t defaultValue) const;
    // Every section's name, in text order, duplicates included. Throws
    // EAssertionFailed for a null list.
    void GetSectionNames(std::vector<std::string>* Strings) const;

    struct Section {
        std::string header;  // trimmed, brackets included
        int line;            // its index in Lines()
    };
    const std::vector<std::string>& Lines() const { return lines_; }
    const std::vector<Section>& Sections() const { return sections_; }

private:
    std::vector<std::string> lines_;
    std::vector<Section> sections_;
};

// The runtime's string-to-integer conversion: optional sign, then decimal
// digits or '$' and hexadecimal digits, nothing else. False when `text` is not
// such a number or does not fit in 32 bits (hexadecimal up to $FFFFFFFF wraps).
bool TryStrToInt(const std::string& text, std::int32_t& value);

}  // namespace skin
