// pack, unpack, list: whole skins.
#include <algorithm>
#include <ostream>
#include <set>

#include "Skinpack.h"
#include "base/Ascii.h"
#include "lzhenc/LzhEncode.h"
#include "lzhenc/SkinArchive.h"
#include "skin/resources/SkinRead.h"

namespace skinpack {
namespace fs = std::filesystem;

namespace {
skin::TSkinReader LoadSkin(const std::string& file) {
    skin::TSkinReader reader;
    if (!reader.LoadSkinFile(ReadFile(file))) {
        if (reader.LastResult() == skin::TSkinReader::LoadResult::UnknownTag)
            throw InputError(file + ": unknown format tag " + std::to_string(reader.Tag()));
        throw InputError(file + ": damaged or not a packed skin");
    }
    return reader;
}

// A member name that cannot leave DIR or name something odd there.
bool IsPlainFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == '/' || c == '\\' || c == ':') return false;
    return true;
}
}  // namespace

int RunPack(Context& context) {
    std::vector<std::string> positional;
    std::int32_t tag = 20000;
    for (std::size_t i = 0; i < context.args.size(); ++i) {
        const std::string& a = context.args[i];
        if (a == "--tag") {
            if (i + 1 >= context.args.size()) throw UsageError("--tag needs a value");
            const std::string& v = context.args[++i];
            if (v != "20000" && v != "30000" && v != "40000" && v != "50000")
                throw UsageError("--tag must be 20000, 30000, 40000 or 50000");
            tag = std::stoi(v);
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 2) throw UsageError("wrong number of arguments (see skinpack --help)");
    const fs::path dir = positional[0];
    if (!fs::is_directory(dir)) throw InputError(dir.string() + ": not a directory");

    std::vector<std::string> names;
    int inis = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().filename().string();
        const std::string ext = base::AsciiLower(entry.path().extension().string());
        if (ext == ".ini") ++inis;
        if (ext == ".ini" || ext == ".bmp") names.push_back(name);
    }
    if (inis != 1)
        throw InputError(dir.string() + ": needs exactly one .ini file, found " + std::to_string(inis));
    std::sort(names.begin(), names.end());

    std::vector<lzhenc::ArchiveMember> members;
    for (const auto& name : names) {
        if (!IsPlainFileName(name)) throw InputError(dir.string() + ": unusable file name '" + name + "'");
        members.push_back({name, ReadFile(dir / name)});
    }
    const auto archive = lzhenc::BuildArchive(tag, members);
    WriteFile(positional[1], lzhenc::Pack(archive));
    return kExitOk;
}

int RunUnpack(Context& context) {
    ExpectArgs(context, 2);
    const auto reader = LoadSkin(context.args[0]);
    const fs::path dir = context.args[1];
    for (const auto& name : reader.Names())
        if (!IsPlainFileName(name))
            throw InputError(context.args[0] + ": member name '" + name + "' is not a plain file name");
    fs::create_directories(dir);
    // Lookups find the first of equal names, so that is the one written.
    std::set<std::string> written;
    std::vector<std::uint8_t> bytes;
    for (const auto& name : reader.Names()) {
        if (!written.insert(name).second) {
            context.err << "skinpack unpack: skipped a second member named '" << name << "'\n";
            continue;
        }
        reader.ExtractFile(name, bytes);
        WriteFile(dir / name, bytes);
    }
    return kExitOk;
}

int RunList(Context& context) {
    ExpectArgs(context, 1);
    const auto reader = LoadSkin(context.args[0]);
    context.out << "tag " << reader.Tag() << ", " << reader.Count() << " members\n";
    for (int i = 0; i < reader.Count(); ++i) context.out << reader.Sizes()[i] << '\t' << reader.Names()[i] << '\n';
    return kExitOk;
}

}  // namespace skinpack
