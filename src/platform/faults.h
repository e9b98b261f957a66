// Internal to the platform layer: the fault-injection check every call makes.
#pragma once

#include "platform.h"

#ifdef QM_FAULT_INJECTION
// Counts a call of op; true when the test asked for this call to fail.
bool PlatFaultHit(PlatOp op);
// The error the failing call reports.
unsigned long PlatFaultError();
#else
inline bool PlatFaultHit(PlatOp) { return false; }
inline unsigned long PlatFaultError() { return 0; }
#endif
