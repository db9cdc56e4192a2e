#include "app/OpenDocument.h"

#include <windows.h>
#include <shellapi.h>

#include "base/Text.h"

std::string DocumentDirectory(const std::string& fileName) {
    const auto last = fileName.find_last_of("\\:");
    return last == std::string::npos ? std::string() : fileName.substr(0, last + 1);
}

bool OpenDocument(const std::string& fileName, const std::string& parameters) {
    const std::wstring file = text::Widen(fileName);
    const std::wstring params = text::Widen(parameters);
    const std::wstring dir = text::Widen(DocumentDirectory(fileName));
    const HINSTANCE result = ::ShellExecuteW(::GetActiveWindow(), nullptr, file.c_str(), params.c_str(),
                                             dir.c_str(), SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
