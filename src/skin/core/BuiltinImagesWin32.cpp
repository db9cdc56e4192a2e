// The built-in images on Windows: bitmap resources of the program (the resource
// script is added to every program that links the model).
#include <windows.h>

#include <cstring>

#include "skin/core/SkinModel.h"

namespace skin {

std::vector<std::uint8_t> BuiltinBitmapBytes(const std::string& name) {
    const std::wstring wide(name.begin(), name.end());
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC res = ::FindResourceW(module, wide.c_str(), MAKEINTRESOURCEW(2));  // RT_BITMAP
    if (!res) return {};
    HGLOBAL data = ::LoadResource(module, res);
    const auto* dib = data ? static_cast<const std::uint8_t*>(::LockResource(data)) : nullptr;
    const DWORD size = ::SizeofResource(module, res);
    if (!dib || size < sizeof(BITMAPINFOHEADER)) return {};
    // A bitmap resource is the file without its 14-byte header; the pixels follow the
    // header and the colour table.
    BITMAPINFOHEADER info;
    std::memcpy(&info, dib, sizeof info);
    DWORD colours = info.biClrUsed;
    if (colours == 0 && info.biBitCount <= 8) colours = 1u << info.biBitCount;
    const DWORD offset = 14 + info.biSize + colours * 4 + (info.biCompression == BI_BITFIELDS ? 12 : 0);
    std::vector<std::uint8_t> file(14 + size);
    const DWORD total = DWORD(file.size());
    file[0] = 'B';
    file[1] = 'M';
    std::memcpy(&file[2], &total, 4);
    std::memcpy(&file[10], &offset, 4);
    std::memcpy(&file[14], dib, size);
    return file;
}

}  // namespace skin
