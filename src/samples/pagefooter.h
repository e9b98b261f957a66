// The footer line of a printed sample sheet: the user's footer template
// with its % codes replaced by the page number, the date, the time, the
// program's name and the machine's owner.
//
// The expansion is pure text. Whatever it needs from the system comes in
// from the caller: the clock as the C library's texts and numbers, and the
// owner through a callback that is asked only when the template wants it
// (so the registry is read only then). Shortening the line to the page
// width is the caller's next step, with FitWithEllipsis (ellipsisfit.h).
#pragma once

#include <cstddef>

// Bytes of an expanded footer: at most 259 characters and the terminator.
// A caller that goes on to fit the line to a width with FitWithEllipsis
// should give kPageFooterSize + 3 bytes, so that nothing has to be cut to
// make room for the "...".
inline constexpr size_t kPageFooterSize = 260;
// Bytes the owner callback may fill: at most 259 characters and the
// terminator, as a registry value read into 260 bytes.
inline constexpr size_t kFooterOwnerSize = 260;
// Characters of the C library's ctime text that are used (without its line
// end), e.g. "Sat Dec 05 09:45:00 2026" as the Windows runtime writes it.
inline constexpr size_t kCtimeLength = 24;

// The moment the footer tells.
struct FooterClock {
    // The C library's ctime text of the current time; only its first 24
    // characters are read, and fewer when it ends sooner. May be null.
    const char* ctimeText;
    // The local time of day: hour 0..23, minute 0..59, second 0..59.
    int hour;
    int minute;
    int second;
};

// Where %N's text comes from: read(context, out, size) writes the owner's
// name (or the organisation, or nothing) into out, terminated, at most size
// bytes with size == kFooterOwnerSize. Asked at most once per expansion and
// only when the template holds %N; a null read gives no owner.
struct FooterOwner {
    void (*read)(void* context, char* out, size_t size);
    void* context;
};

// Expands footerTemplate into out (at least kPageFooterSize bytes), always
// terminated, and returns the length. The template is read from the left;
// every character other than "%" is copied, and "%" with the character
// after it is a code, whatever the letter case:
//   %A  "Quillmere"
//   %D  the ctime text's first 10 characters and its year, "%10.10s %4.4s"
//   %N  the owner text
//   %P  page, "%u"
//   %S  the ctime text, "%24.24s"
//   %T  the time of day on the 12-hour clock, "9:07:03 AM", "12:30:00 PM"
//   %x  any other character x, as typed ("%%" gives "%")
// A "%" at the very end is dropped. Each piece (a copied character or a
// replacement) is appended only when the output then stays below 260
// characters, so that it fits kPageFooterSize with its terminator; a piece
// that does not fit is dropped and the later ones are still tried.
size_t ExpandPageFooter(const char* footerTemplate, unsigned page, const FooterClock& clock,
                        const FooterOwner& owner, char* out);
