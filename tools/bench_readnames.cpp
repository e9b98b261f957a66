// Benchmark: ReadFontNames over a folder of fonts against the bare I/O floor
// (open, one 4 KiB read, close) of the same files, in the same run.
//
//   qmbench [FOLDER]   (default: /usr/share/fonts)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "truetype/fontnames.h"

namespace {

std::vector<std::string> FindFonts(const char* folder) {
    std::vector<std::string> files;
    std::error_code error;
    std::filesystem::recursive_directory_iterator it(folder, error), end;
    for (; !error && it != end; it.increment(error)) {
        std::string ext = it->path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(tolower(c)); });
        if (ext == ".ttf" && it->is_regular_file(error)) files.push_back(it->path().string());
    }
    return files;
}

template <typename F>
double BestSeconds(int rounds, F&& pass) {
    double best = 1e30;
    for (int r = 0; r < rounds; ++r) {
        auto t0 = std::chrono::steady_clock::now();
        pass();
        std::chrono::duration<double> d = std::chrono::steady_clock::now() - t0;
        best = std::min(best, d.count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const char* folder = argc > 1 ? argv[1] : "/usr/share/fonts";
    std::vector<std::string> files = FindFonts(folder);
    if (files.empty()) {
        fprintf(stderr, "qmbench: no .ttf files under %s\n", folder);
        return 1;
    }
    static char display[kFontNameCapacity], notice[kFontNameCapacity];
    static unsigned char block[4096];
    size_t named = 0;
    auto readNames = [&] {
        named = 0;
        for (const auto& f : files) named += ReadFontNames(display, notice, f.c_str());
    };
    auto bareIo = [&] {
        for (const auto& f : files) {
            PlatFile h = PlatOpenRead(f.c_str());
            if (h == kPlatBadFile) continue;
            PlatRead(h, block, sizeof block);
            PlatClose(h);
        }
    };
    // Warm the cache, then interleave so both see the same machine.
    readNames();
    bareIo();
    double names = 1e30, bare = 1e30;
    for (int i = 0; i < 5; ++i) {
        names = std::min(names, BestSeconds(3, readNames));
        bare = std::min(bare, BestSeconds(3, bareIo));
    }
    const double n = static_cast<double>(files.size());
    printf("fonts: %zu files under %s (%zu with a full name)\n", files.size(), folder, named);
    printf("ReadFontNames:          %10.0f files/s\n", n / names);
    printf("open+4KiB read+close:   %10.0f files/s\n", n / bare);
    printf("ratio (floor / names):  %10.2f  (target: at most 2.00)\n", names / bare);
    return 0;
}
