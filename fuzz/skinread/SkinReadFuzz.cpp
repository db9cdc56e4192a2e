// Loads arbitrary bytes as a packed skin, a skin file and an unpacked
// archive, then runs every lookup on whatever was accepted.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/System.h"
#include "skin/resources/SkinRead.h"

namespace {
void Lookups(const skin::TSkinReader& reader) {
    std::vector<std::uint8_t> out;
    std::string found;
    std::size_t offset = 0;
    for (int i = 0; i < reader.Count(); ++i) {
        const std::string& name = reader.Names()[std::size_t(i)];
        reader.ExtractFile(name, out);
        // The first of equal names answers; its size is what the directory says.
        int first = 0;
        while (reader.Names()[std::size_t(first)] != name) ++first;
        if (out.size() != std::size_t(reader.Sizes()[std::size_t(first)])) std::abort();
        std::string upper = name;
        for (char& c : upper)
            if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
        reader.ExtractFile(upper, out);
        reader.ExtractFirstMatching(name, out, found);
        offset += std::size_t(reader.Sizes()[std::size_t(i)]);
    }
    if (offset > reader.Data().size()) std::abort();
    for (const char* fragment : {".ini", ".bmp", "", "a", ".INI"}) reader.ExtractFirstMatching(fragment, out, found);
    reader.ExtractFile("skin.ini", out);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = [] {
        sys::SetMessageObserver([](const std::string&, const std::string&, sys::MessageKind) {});
        return true;
    }();
    (void)quiet;
    if (size < 1) return 0;
    const std::span<const std::uint8_t> rest(data + 1, size - 1);
    skin::TSkinReader reader;
    switch (data[0] % 3) {
        case 0: reader.LoadArchive(rest); break;
        case 1: reader.LoadSkinFile(rest); break;
        default: reader.LoadUnpacked(rest); break;
    }
    Lookups(reader);
    return 0;
}
