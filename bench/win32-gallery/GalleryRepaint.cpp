// A full repaint of the gallery (the window and every control on its page), stock and in
// each skin, for each page: the gallery itself times 40 repaints after 5 to warm up and
// writes the average here; this program runs it and prints the figures side by side.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "base/Handles.h"
#include "base/Text.h"
#include "HostPath.h"

namespace {

// Microseconds of one repaint, or a negative value when the gallery did not tell.
double Repaint(const std::wstring& args) {
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    const std::wstring out = std::wstring(folder) + L"gallery-repaint.txt";
    ::DeleteFileW(out.c_str());
    std::wstring cmd = L"\"" + HostPath(TOVALIN_GALLERY_EXE) + L"\" " + args + L" --repaint-timing \"" + out + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    base::OwnedHandle process(pi.hProcess), thread(pi.hThread);
    if (::WaitForSingleObject(process.Get(), 60000) != WAIT_OBJECT_0) return -2;
    FILE* f = _wfopen(out.c_str(), L"r");
    if (!f) return -3;
    char skin[64] = {};
    double us = -4;
    if (std::fscanf(f, "%63s %lf", skin, &us) != 2) us = -4;
    std::fclose(f);
    return us;
}

}  // namespace

int main() {
    for (const wchar_t* page : {L"controls", L"tabs"}) {
        const double stock = Repaint(std::wstring(L"--stock --page ") + page);
        std::printf("page %ls: stock %.0f us", page, stock);
        for (const wchar_t* skin : {L"daylight", L"midnight", L"slate"}) {
            const double skinned = Repaint(std::wstring(L"--skin ") + skin + L" --page " + page);
            std::printf(", %ls %.0f us (x%.2f)", skin, skinned, stock > 0 ? skinned / stock : 0.0);
        }
        std::printf("\n");
    }
    return 0;
}
