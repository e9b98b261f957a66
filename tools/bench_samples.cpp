// Benchmark (Windows): RenderFileSample for real font files, with the name
// fix on and off, against a bare AddFontResourceA + CreateFontA + DrawTextA
// + RemoveFontResourceA of the same files, in the same run.
//
//   qmbench_samples FOLDER [COUNT]   (TrueType files under FOLDER; default 30)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "config/settings.h"
#include "samples/filesample.h"
#include "truetype/fontnames.h"
#include "truetype/namerewrite.h"

namespace {

void FindFonts(const std::string& folder, std::vector<std::string>& out) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            FindFonts(path, out);
        } else if (name.size() > 4 && lstrcmpiA(name.c_str() + name.size() - 4, ".ttf") == 0) {
            out.push_back(path);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: qmbench_samples FOLDER [COUNT]\n");
        return 2;
    }
    const size_t want = argc > 2 ? static_cast<size_t>(atoi(argv[2])) : 30;
    std::vector<std::string> sources;
    FindFonts(argv[1], sources);
    std::sort(sources.begin(), sources.end());
    if (sources.size() > want) sources.resize(want);
    if (sources.empty()) {
        fprintf(stderr, "qmbench_samples: no .ttf files under %s\n", argv[1]);
        return 1;
    }

    // Copies in a folder of their own, which becomes current, as the file
    // list's rows are names in the current directory.
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "qmbench-samples";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::vector<std::string> rows, names;
    double bytes = 0;
    for (size_t i = 0; i < sources.size(); ++i) {
        std::string row = "f" + std::to_string(i) + ".ttf";
        CopyFileA(sources[i].c_str(), (folder + "\\" + row).c_str(), FALSE);
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (GetFileAttributesExA(sources[i].c_str(), GetFileExInfoStandard, &data)) bytes += data.nFileSizeLow;
        static char display[kFontNameCapacity], notice[kFontNameCapacity];
        ReadFontNames(display, notice, sources[i].c_str());
        rows.push_back(row);
        names.push_back(display);
    }
    SetCurrentDirectoryA(folder.c_str());
    const int width = 300, height = static_cast<int>(g_settings.DisplayFontSize) + 3;

    auto render = [&](uint32_t fix) {
        g_settings.WindowsFontNameFix = fix;
        auto t0 = std::chrono::steady_clock::now();
        for (const auto& row : rows) {
            HGLOBAL block = RenderFileSample(row.c_str(), width, height);
            if (block != SampleFailed()) GlobalFree(block);
        }
        return Seconds(t0);
    };
    auto bare = [&] {
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateBitmap(width, height, 1, 1, nullptr);
        HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
        auto t0 = std::chrono::steady_clock::now();
        for (size_t i = 0; i < rows.size(); ++i) {
            AddFontResourceA(rows[i].c_str());
            HFONT font = CreateFontA(height - 3, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, names[i].c_str());
            HGDIOBJ oldFont = SelectObject(memory, font);
            RECT area = {8, 0, width, height};
            DrawTextA(memory, names[i].c_str(), -1, &area, DT_NOPREFIX | DT_END_ELLIPSIS);
            SelectObject(memory, oldFont);
            DeleteObject(font);
            RemoveFontResourceA(rows[i].c_str());
        }
        double s = Seconds(t0);
        SelectObject(memory, oldBitmap);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return s;
    };

    render(1);  // warm up
    double on = 1e30, off = 1e30, floor = 1e30;
    for (int round = 0; round < 5; ++round) {
        on = std::min(on, render(1));
        off = std::min(off, render(0));
        floor = std::min(floor, bare());
    }
    const double n = static_cast<double>(rows.size());
    printf("samples: %zu font files of %.2f MB on average, row %d x %d pixels\n", rows.size(), bytes / n / 1e6, width,
           height);
    printf("RenderFileSample, name fix on:   %8.2f ms per file\n", 1000 * on / n);
    printf("RenderFileSample, name fix off:  %8.2f ms per file\n", 1000 * off / n);
    printf("bare add + create + draw + remove: %6.2f ms per file\n", 1000 * floor / n);
    printf("ratio name fix on / bare:        %8.2f  (target: at most 3.00)\n", on / floor);
    printf("ratio name fix off / bare:       %8.2f\n", off / floor);

    // Where the name fix's time goes: each step of a temporary copy on its
    // own, and a plain copy of the same bytes in 256 KiB pieces, the least
    // that any copy on disk costs.
    double steps[5] = {};
    std::vector<char> piece(256 << 10);
    for (int round = 0; round < 5; ++round) {
        for (const auto& row : rows) {
            char copy[MAX_PATH];
            auto t0 = std::chrono::steady_clock::now();
            const UINT unique = GetTempFileNameA(temp, "GLYT", 0, copy);
            steps[0] += Seconds(t0);
            char face[16];
            snprintf(face, sizeof face, "FONT%u", unique);
            t0 = std::chrono::steady_clock::now();
            RewriteFontNameInto(face, row.c_str(), copy);
            steps[1] += Seconds(t0);
            t0 = std::chrono::steady_clock::now();
            AddFontResourceA(copy);
            RemoveFontResourceA(copy);
            steps[2] += Seconds(t0);
            t0 = std::chrono::steady_clock::now();
            DeleteFileA(copy);
            steps[3] += Seconds(t0);
            GetTempFileNameA(temp, "GLYT", 0, copy);
            t0 = std::chrono::steady_clock::now();
            HFILE in = _lopen(row.c_str(), OF_READ), out = _lopen(copy, OF_WRITE);
            for (;;) {
                const UINT got = _lread(in, piece.data(), static_cast<UINT>(piece.size()));
                if (got == 0 || got == static_cast<UINT>(HFILE_ERROR)) break;
                _lwrite(out, piece.data(), got);
            }
            _lclose(in);
            _lclose(out);
            steps[4] += Seconds(t0);
            DeleteFileA(copy);
        }
    }
    const double runs = 5 * n;
    printf("name fix steps, ms per file: temporary name %.2f, renamed copy %.2f, add + remove %.2f, delete %.2f;\n"
           "  a plain copy of the same bytes %.2f (%.2f x bare)\n",
           1000 * steps[0] / runs, 1000 * steps[1] / runs, 1000 * steps[2] / runs, 1000 * steps[3] / runs,
           1000 * steps[4] / runs, steps[4] / runs / (floor / n));
    for (const auto& row : rows) DeleteFileA(row.c_str());
    SetCurrentDirectoryA(temp);
    RemoveDirectoryA(folder.c_str());
    return 0;
}
