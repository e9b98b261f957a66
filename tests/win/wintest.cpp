#include "wintest.h"

#include <cstdio>
#include <cstdlib>

std::string HostFont(const char* fileName) {
    static const char* const kFolders[] = {
        "Z:\\usr\\share\\fonts\\truetype\\dejavu\\",
        "Z:\\usr\\share\\fonts\\truetype\\liberation\\",
        "Z:\\usr\\share\\fonts\\truetype\\liberation2\\",
    };
    for (const char* folder : kFolders) {
        std::string path = std::string(folder) + fileName;
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return path;
    }
    return {};
}

int CountTemporaryFontFiles() {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    std::string pattern = std::string(folder) + "GLY*.tmp";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        ++count;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

static int CALLBACK NoteFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM seen) {
    *reinterpret_cast<bool*>(seen) = true;
    return 0;
}

bool FaceIsListed(const char* face) {
    LOGFONTA wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    bool seen = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExA(screen, &wanted, NoteFace, reinterpret_cast<LPARAM>(&seen), 0);
    ReleaseDC(nullptr, screen);
    return seen;
}

std::string NewTestFolder() {
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    static unsigned serial = 0;
    char name[MAX_PATH];
    snprintf(name, sizeof name, "%sqmwin-%lu-%u", folder, GetCurrentProcessId(), serial++);
    CreateDirectoryA(name, nullptr);
    return name;
}

bool CopyInto(const std::string& from, const std::string& to) { return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0; }
