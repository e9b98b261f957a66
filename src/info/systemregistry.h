// The registry reader of registeredowner.h over the system's own registry.
// Windows only.
#pragma once

#include "info/registeredowner.h"

// Reads string values under HKEY_LOCAL_MACHINE (RegOpenKeyExA with
// KEY_READ, RegQueryValueExA).
RegistryReader SystemRegistryReader();
