// qmfont: the window-less core from the command line, for scripts and checks.
//
//   qmfont names FILE...          FILE<TAB>display name<TAB>notice per file
//   qmfont rename NEWNAME FILE... rewrite the family and full names
//   qmfont settings [FILE]        the key lines of a settings file as read
//                                 (default: the program's own settings file)
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "config/settings.h"
#include "platform/platform.h"
#include "truetype/fontnames.h"
#include "truetype/namerewrite.h"

namespace {

// Writes a name as raw ANSI bytes, with the bytes that would break a line
// of tab-separated output escaped.
void PutEscaped(const char* text) {
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        switch (*p) {
        case '\t': fputs("\\t", stdout); break;
        case '\n': fputs("\\n", stdout); break;
        case '\r': fputs("\\r", stdout); break;
        case '\\': fputs("\\\\", stdout); break;
        default:
            if (*p < 32) {
                printf("\\x%02x", *p);
            } else {
                putchar(*p);
            }
        }
    }
}

int Names(int count, char** files) {
    static char display[kFontNameCapacity];
    static char notice[kFontNameCapacity];
    int status = 0;
    for (int i = 0; i < count; ++i) {
        if (!ReadFontNames(display, notice, files[i])) {
            fprintf(stderr, "qmfont: %s: no font name could be read (not a TrueType file, or damaged)\n", files[i]);
            status = 1;
            continue;
        }
        fputs(files[i], stdout);
        putchar('\t');
        PutEscaped(display);
        putchar('\t');
        PutEscaped(notice);
        putchar('\n');
    }
    return status;
}

int Rename(const char* newName, int count, char** files) {
    if (strlen(newName) > 1024) {
        fprintf(stderr, "qmfont: the new name is longer than 1024 characters\n");
        return 1;
    }
    int status = 0;
    for (int i = 0; i < count; ++i) {
        if (!RewriteFontName(newName, files[i])) {
            fprintf(stderr,
                    "qmfont: %s: the name could not be changed (unreadable, damaged or in use); the file is as it was\n",
                    files[i]);
            status = 1;
        }
    }
    return status;
}

// Reads a settings file the way the program does at start-up and prints
// the key lines the program would write back, CR LF and all. A file that
// cannot be read leaves the defaults, as it does in the program; only a
// file named on the command line earns a note.
int Settings(const char* file) {
    static SettingsRecord record;
    ResetSettings(record);
    char path[kPlatMaxPath];
    if (file) {
        if (!ReadSettingsFile(file, record)) {
            fprintf(stderr, "qmfont: %s: not readable; these are the defaults\n", file);
        }
    } else if (SettingsFilePath(path, sizeof path)) {
        ReadSettingsFile(path, record);
    }
    static char text[kSettingsTextCapacity];
    const size_t length = FormatSettingsKeyLines(record, text, sizeof text);
    fwrite(text, 1, length, stdout);
    fflush(stdout);
    return 0;
}

int Usage() {
    fputs("usage: qmfont names FILE...\n"
          "       qmfont rename NEWNAME FILE...\n"
          "       qmfont settings [FILE]\n",
          stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Names are raw bytes: no CR added before the line feeds.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (argc >= 3 && strcmp(argv[1], "names") == 0) {
        int status = Names(argc - 2, argv + 2);
        fflush(stdout);
        return status;
    }
    if (argc >= 4 && strcmp(argv[1], "rename") == 0) return Rename(argv[2], argc - 3, argv + 3);
    if ((argc == 2 || argc == 3) && strcmp(argv[1], "settings") == 0) return Settings(argc == 3 ? argv[2] : nullptr);
    return Usage();
}
