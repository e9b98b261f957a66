// qmfont: the TrueType core from the command line, for scripts and checks.
//
//   qmfont names FILE...          FILE<TAB>display name<TAB>notice per file
//   qmfont rename NEWNAME FILE... rewrite the family and full names
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

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

int Usage() {
    fputs("usage: qmfont names FILE...\n"
          "       qmfont rename NEWNAME FILE...\n",
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
    return Usage();
}
