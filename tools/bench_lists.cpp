// Benchmark (Windows): filling the two lists against the bare system calls
// underneath them, in the same run.
//
//   qmbench_lists   folders of 1,000 and 10,000 generated font names (with a
//                   few hundred subfolders) in the temporary folder, and the
//                   installed families of this system
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "config/settings.h"
#include "lists/filelist.h"
#include "lists/installedlist.h"
#include "lists/rowdata.h"
#include "resources/resource.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

template <typename F>
double Best(int rounds, F&& pass) {
    double best = 1e30;
    for (int r = 0; r < rounds; ++r) {
        auto t0 = std::chrono::steady_clock::now();
        pass();
        best = std::min(best, Seconds(t0));
    }
    return best;
}

// Makes files named like real font collections: mixed case, long and short.
void MakeFolder(const std::string& folder, int files, int folders) {
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = 0; i < files; ++i) {
        char name[MAX_PATH];
        snprintf(name, sizeof name, i % 3 ? "%s\\Font Family %05d Bold.ttf" : "%s\\F%05d.TTF", folder.c_str(), i);
        HANDLE h = CreateFileA(name, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
    for (int i = 0; i < folders; ++i) {
        char name[MAX_PATH];
        snprintf(name, sizeof name, "%s\\Collection %03d", folder.c_str(), i);
        CreateDirectoryA(name, nullptr);
    }
}

int BareWalk(const char* pattern) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int n = 0;
    do ++n;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return n;
}

int CALLBACK CountFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return 1;
}

}  // namespace

int main() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "QuillmereListsBench";
    RegisterClassA(&wc);
    HWND main = CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 600, 420, nullptr, nullptr, nullptr, nullptr);
    for (int id : {IDC_INSTALLED_LIST, IDC_FILE_LIST}) {
        CreateWindowExA(0, "listbox", "", 0x50A008DB, 8, 8, 250, 300, main, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        nullptr, nullptr);
    }
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    HWND fileList = GetDlgItem(main, IDC_FILE_LIST);

    double perFile[2] = {};
    const int sizes[2] = {1000, 10000};
    for (int s = 0; s < 2; ++s) {
        const std::string folder = std::string(temp) + "qmbench-list-" + std::to_string(sizes[s]);
        MakeFolder(folder, sizes[s], sizes[s] / 40);
        SetCurrentDirectoryA(folder.c_str());
        FillFileList(main, IDC_FILE_LIST);
        const double fill = Best(5, [&] { FillFileList(main, IDC_FILE_LIST); });
        const double walk = Best(5, [&] {
            BareWalk("*.TTF");
            BareWalk("*.*");
        });
        const LRESULT rows = SendMessageA(fileList, LB_GETCOUNT, 0, 0);
        perFile[s] = fill / sizes[s];
        printf("FillFileList, %5d files + %3d folders: %8.1f ms (%ld rows); bare FindFirstFileA walk %7.1f ms; ratio %.2f "
               "(target: at most 3.00)\n",
               sizes[s], sizes[s] / 40, 1000 * fill, static_cast<long>(rows), 1000 * walk, fill / walk);
    }
    printf("FillFileList per file: %.2f us at 1,000, %.2f us at 10,000 (ratio %.2f; flat is 1.00)\n", 1e6 * perFile[0],
           1e6 * perFile[1], perFile[1] / perFile[0]);

    HWND installed = GetDlgItem(main, IDC_INSTALLED_LIST);
    const double fill = Best(5, [&] {
        FreeInstalledEntries(installed);
        FillInstalledList(main, IDC_INSTALLED_LIST);
    });
    int reports = 0;
    const double bare = Best(5, [&] {
        HDC dc = GetDC(main);
        LOGFONTA request = {};
        request.lfCharSet = DEFAULT_CHARSET;
        reports = 0;
        EnumFontFamiliesExA(dc, &request, CountFamily, reinterpret_cast<LPARAM>(&reports), 0);
        ReleaseDC(main, dc);
    });
    printf("FillInstalledList: %.1f ms for %ld families; bare EnumFontFamiliesExA %.1f ms (%d reports); ratio %.2f\n",
           1000 * fill, static_cast<long>(SendMessageA(installed, LB_GETCOUNT, 0, 0)), 1000 * bare, reports, fill / bare);
    FreeInstalledEntries(installed);
    DestroyWindow(main);
    return 0;
}
