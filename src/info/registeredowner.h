// The machine's registered owner and organisation, as the system information
// box shows them and as a printed footer's %N names them.
//
// The values live in the registry under HKEY_LOCAL_MACHINE, in the Windows
// key on the Windows 95 family and in the Windows NT key on the NT family,
// and a machine may carry a half-filled copy of one beside the other. Which
// key wins is decided here; the reading itself is the caller's, through a
// reader, so that the choice can be checked without a registry.
#pragma once

#include <cstddef>

// Bytes of each text: at most 259 characters and the terminator, as a value
// read into 260 bytes.
inline constexpr size_t kRegisteredTextSize = 260;

inline constexpr char kWindowsVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
inline constexpr char kWindowsNTVersionKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

// Reads one string value: read(context, key, value, out, size) opens key
// under HKEY_LOCAL_MACHINE for reading and puts the value's text into out
// (size bytes). It returns false, whatever it did to out, when the key or the
// value is missing or cannot be read.
struct RegistryReader {
    bool (*read)(void* context, const char* key, const char* value, char* out, size_t size);
    void* context;
};

struct RegisteredOwner {
    char owner[kRegisteredTextSize];         // "RegisteredOwner"
    char organization[kRegisteredTextSize];  // "RegisteredOrganization"
};

// Both values from the Windows key; when either is still empty, both again
// from the Windows NT key, where a value found replaces the first one and a
// missing value leaves it. Values that cannot be read stay empty.
void ReadRegisteredOwner(const RegistryReader& reader, RegisteredOwner& out);

// The owner when there is one, else the organisation (possibly empty).
const char* OwnerOrOrganization(const RegisteredOwner& registered);

// The owner text of a printed footer (FooterOwner's read, pagefooter.h): the
// context is the RegistryReader to use.
void ReadFooterOwner(void* context, char* out, size_t size);
