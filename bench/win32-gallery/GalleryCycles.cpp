// Skin on and off the whole gallery many times (1,000 unless given) and print what the
// program held before and after: nothing may pile up. Takes about 2 s a cycle under Wine.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/Handles.h"
#include "base/Text.h"
#include "HostPath.h"

int main(int argc, char** argv) {
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 1000;
    if (cycles <= 0) {
        std::fprintf(stderr, "usage: gallery_cycles [CYCLES]\n");
        return 2;
    }
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    const std::wstring report = std::wstring(folder) + L"gallery-cycles-bench.txt";
    ::DeleteFileW(report.c_str());
    std::wstring cmd = L"\"" + HostPath(TOVALIN_GALLERY_EXE) + L"\" --skin-cycles " + std::to_wstring(cycles) +
                       L" --report \"" + report + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "the gallery did not start\n");
        return 1;
    }
    base::OwnedHandle process(pi.hProcess), thread(pi.hThread);
    const DWORD start = ::GetTickCount();
    ::WaitForSingleObject(process.Get(), INFINITE);
    const double seconds = double(::GetTickCount() - start) / 1000.0;
    FILE* f = _wfopen(report.c_str(), L"r");
    if (!f) {
        std::fprintf(stderr, "no report\n");
        return 1;
    }
    long n = 0, gdi0 = 0, gdi1 = 0, menus0 = 0, menus1 = 0, windows0 = 0, windows1 = 0, skinnedGdi = 0, skinnedRounds = 0,
         stockGdi = 0, stockRounds = 0;
    const int read = std::fscanf(f, "%ld %ld %ld %ld %ld %ld %ld %ld %ld %ld %ld", &n, &gdi0, &gdi1, &menus0, &menus1,
                                 &windows0, &windows1, &skinnedGdi, &skinnedRounds, &stockGdi, &stockRounds);
    std::fclose(f);
    if (read != 11) {
        std::fprintf(stderr, "the report could not be read\n");
        return 1;
    }
    std::printf("%ld cycles in %.0f s: GDI %ld -> %ld (at most %ld skinned), menus %ld -> %ld, windows %ld -> %ld, "
                "rounds skinned %ld, stock %ld\n",
                n, seconds, gdi0, gdi1, skinnedGdi, menus0, menus1, windows0, windows1, skinnedRounds, stockRounds);
    return gdi1 <= gdi0 && menus1 <= menus0 && windows1 <= windows0 ? 0 : 1;
}
