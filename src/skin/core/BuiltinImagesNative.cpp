// The built-in images of the native build: the same files, compiled in.
#include "skin/core/SkinModel.h"

namespace skin {

namespace {
struct Builtin {
    const char* name;
    const unsigned char* bytes;
    std::size_t size;
};
#include "BuiltinImages.inc"
}  // namespace

std::vector<std::uint8_t> BuiltinBitmapBytes(const std::string& name) {
    for (const Builtin& b : kBuiltins)
        if (name == b.name) return std::vector<std::uint8_t>(b.bytes, b.bytes + b.size);
    return {};
}

}  // namespace skin
