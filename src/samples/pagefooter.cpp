// The footer template's expansion. Every piece goes through one append that
// checks the room, so no code can write past the 260-byte output however
// long its replacement is.
#include "samples/pagefooter.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr char kProgramName[] = "Quillmere";
// Where the four-digit year starts in the ctime text.
constexpr size_t kCtimeYear = 20;

// The output so far and the rule that decides whether a piece goes in.
struct FooterText {
    char* out;
    size_t length;

    void Append(const char* piece, size_t pieceLength) {
        if (pieceLength + length >= kPageFooterSize) return;
        memcpy(out + length, piece, pieceLength);
        length += pieceLength;
    }
    void Append(const char* piece) { Append(piece, strlen(piece)); }
};

char UpperCode(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// "9:07:03 AM": hours 0 to 11 are before noon; midnight and noon show 12.
void FormatTimeOfDay(const FooterClock& clock, char* out, size_t size) {
    int hour = clock.hour;
    const bool afternoon = hour >= 12;
    if (hour == 0) {
        hour = 12;
    } else if (hour > 12) {
        hour -= 12;
    }
    // "%.2d" pads to two digits by its precision; a "0" flag beside a precision is ignored (and warned about).
    snprintf(out, size, afternoon ? "%d:%.2d:%.2d PM" : "%d:%.2d:%.2d AM", hour, clock.minute, clock.second);
}

}  // namespace

size_t ExpandPageFooter(const char* footerTemplate, unsigned page, const FooterClock& clock,
                        const FooterOwner& owner, char* out) {
    FooterText text{out, 0};
    // The clock's text copied into a zero-filled buffer, so that a short or
    // missing text reads as blanks instead of beyond its end.
    char ctimeText[kCtimeLength + 1] = {};
    if (clock.ctimeText) memcpy(ctimeText, clock.ctimeText, strnlen(clock.ctimeText, kCtimeLength));
    char ownerText[kFooterOwnerSize];
    bool ownerAsked = false;
    char piece[64];

    for (const char* at = footerTemplate; *at; ++at) {
        if (*at != '%') {
            text.Append(at, 1);
            continue;
        }
        if (at[1] == '\0') break;
        ++at;
        switch (UpperCode(*at)) {
        case 'A':
            text.Append(kProgramName);
            break;
        case 'D':
            snprintf(piece, sizeof piece, "%10.10s %4.4s", ctimeText, ctimeText + kCtimeYear);
            text.Append(piece);
            break;
        case 'N':
            if (!ownerAsked) {
                ownerAsked = true;
                ownerText[0] = '\0';
                if (owner.read) owner.read(owner.context, ownerText, sizeof ownerText);
                ownerText[sizeof ownerText - 1] = '\0';
            }
            text.Append(ownerText);
            break;
        case 'P':
            snprintf(piece, sizeof piece, "%u", page);
            text.Append(piece);
            break;
        case 'S':
            snprintf(piece, sizeof piece, "%24.24s", ctimeText);
            text.Append(piece);
            break;
        case 'T':
            FormatTimeOfDay(clock, piece, sizeof piece);
            text.Append(piece);
            break;
        default:
            text.Append(at, 1);
            break;
        }
    }
    out[text.length] = '\0';
    return text.length;
}
