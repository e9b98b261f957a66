// Any footer template with any clock text, hour, page and owner: the footer is terminated, below 260 characters,
// read from no further than the template's end, and equals a plain model.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "samples/pagefooter.h"

static std::string g_owner;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    const unsigned page = input.ConsumeIntegral<unsigned>(), hour = input.ConsumeIntegralInRange(0u, 23u);
    g_owner = input.ConsumeRandomLengthString(300).c_str();
    const std::string clock = input.ConsumeRandomLengthString(30), text = input.ConsumeRemainingBytesAsString();
    const std::unique_ptr<char[]> pattern(new char[text.size() + 1]);  // exact size: a read past the end is caught
    memcpy(pattern.get(), text.c_str(), text.size() + 1);
    auto pad = [](std::string s, size_t width) { return std::string(width - std::min(s.size(), width), ' ') + s; };
    const std::string when = clock.substr(0, std::min(clock.find('\0'), size_t(24)));
    std::string model;
    for (const char* c = pattern.get(); *c; ++c) {
        std::string piece(1, *c);
        if (*c == '%') {
            if (!*++c) break;
            const char code = *c | 0x20;
            piece = code == 'a' ? "Quillmere" : code == 'p' ? std::to_string(page) : code == 's' ? pad(when, 24)
                  : code == 'd' ? pad(when.substr(0, 10), 10) + " " + pad(when.size() > 20 ? when.substr(20) : "", 4)
                  : code == 't' ? std::to_string(hour % 12 ? hour % 12 : 12) + (hour < 12 ? ":07:03 AM" : ":07:03 PM")
                  : code == 'n' ? g_owner.substr(0, kFooterOwnerSize - 1) : std::string(1, *c);
        }
        if (model.size() + piece.size() < 260) model += piece;
    }
    const std::unique_ptr<char[]> out(new char[kPageFooterSize]);
    const FooterOwner owner{[](void*, char* out, size_t n) { snprintf(out, n, "%s", g_owner.c_str()); }, nullptr};
    const size_t length = ExpandPageFooter(pattern.get(), page, {clock.c_str(), int(hour), 7, 3}, owner, out.get());
    if (length >= kPageFooterSize || strlen(out.get()) != length || model != out.get()) __builtin_trap();
    return 0;
}
