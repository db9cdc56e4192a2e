// The Windows path of a file named at build time on Linux, for programs run under Wine.
#pragma once

#include <algorithm>
#include <string>

#include "base/Text.h"

inline std::wstring HostPath(std::string p) {
    if (!p.empty() && p[0] == '/') p = "Z:" + p;
    std::replace(p.begin(), p.end(), '/', '\\');
    return text::Widen(p);
}
