// Stored descriptions: parsing never reads past the text, formatting what was parsed
// gives a text that parses to the same tree, and reading into a component fails cleanly.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "framework/Streaming.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    tv::TObjectNode node;
    try {
        node = tv::ParseDescription(text);
    } catch (const tv::EReadError&) {
        return 0;
    }
    std::string once = tv::FormatDescription(node);
    std::string twice;
    try {
        twice = tv::FormatDescription(tv::ParseDescription(once));
    } catch (const tv::EReadError&) {
        std::abort();  // what we wrote must read back
    }
    if (once != twice) std::abort();
    tv::TComponent root(nullptr);
    try {
        node.className = "TComponent";
        tv::ReadComponent(root, node);
    } catch (const tv::Exception&) {
    }
    return 0;
}
