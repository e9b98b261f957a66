// Each input costs the fuzzers a few small allocations. With ASan's default 256 MB quarantine every one of them lands
// on pages never touched before, and the page faults cost more than the reading itself; 16 MB still holds the memory
// of the last few thousand inputs to catch a use after free.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }
