// Loads a skin whose description is the fuzzer's input and whose images are those of
// our default skin: every key, number and name the description holds is untrusted.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/core/SkinModel.h"
#include "skin/resources/SkinRead.h"
#include "lzhenc/SkinArchive.h"

namespace {
std::vector<lzhenc::ArchiveMember> gImages;

void CheckElement(const skin::TDataSkinObject& e) {
    // Whatever the description said, a loaded image is a whole bitmap.
    const raster::Bitmap& b = e.Bitmap;
    if (!b.Empty() && (b.Width() <= 0 || b.Height() <= 0 || b.Stride() < std::size_t(b.Width()) * 3)) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    for (const auto& entry : std::filesystem::directory_iterator(TV_FUZZ_SKIN_DIR)) {
        if (entry.path().extension() != ".bmp") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        gImages.push_back({entry.path().filename().string(),
                           std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {})});
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<lzhenc::ArchiveMember> members = gImages;
    members.push_back({"skin.ini", std::vector<std::uint8_t>(data, data + size)});
    // The packing layer has a fuzzer of its own; this one starts at the archive.
    const auto archive = lzhenc::BuildArchive(20000, members);
    skin::TSkinReader reader;
    if (!reader.LoadUnpacked(archive)) std::abort();

    skin::TSkinModel model(nullptr);
    try {
        model.LoadFromArchive(reader);
    } catch (const skin::ESkinLoadError&) {
        if (!model.SkinEmpty) std::abort();  // a load that ended early leaves no skin
        return 0;
    }
    for (const auto& [name, element] : model.Elements())
        if (element) CheckElement(*element);
    for (const auto& button : model.SysButtons)
        if (button) CheckElement(*button);
    return 0;
}
