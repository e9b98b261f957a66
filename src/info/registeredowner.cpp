// The registered owner lookup. Each value is read into a scratch buffer and
// copied only when the read succeeded, so that a failed read can neither
// clear a value found before nor leave a half-written one.
#include "info/registeredowner.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr char kOwnerValue[] = "RegisteredOwner";
constexpr char kOrganizationValue[] = "RegisteredOrganization";

void ReadValue(const RegistryReader& reader, const char* key, const char* value, char (&field)[kRegisteredTextSize]) {
    char text[kRegisteredTextSize] = {};
    if (!reader.read || !reader.read(reader.context, key, value, text, sizeof text)) return;
    text[sizeof text - 1] = '\0';
    memcpy(field, text, sizeof text);
}

}  // namespace

void ReadRegisteredOwner(const RegistryReader& reader, RegisteredOwner& out) {
    out.owner[0] = out.organization[0] = '\0';
    const char* const keys[] = {kWindowsVersionKey, kWindowsNTVersionKey};
    for (const char* key : keys) {
        if (out.owner[0] && out.organization[0]) break;
        ReadValue(reader, key, kOwnerValue, out.owner);
        ReadValue(reader, key, kOrganizationValue, out.organization);
    }
}

const char* OwnerOrOrganization(const RegisteredOwner& registered) {
    return registered.owner[0] ? registered.owner : registered.organization;
}

void ReadFooterOwner(void* context, char* out, size_t size) {
    RegisteredOwner registered;
    ReadRegisteredOwner(*static_cast<const RegistryReader*>(context), registered);
    snprintf(out, size, "%s", OwnerOrOrganization(registered));
}
