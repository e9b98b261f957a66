// Changing the name a TrueType file carries inside it, in place on disk.
#pragma once

// Replaces the family name (ID 1) and full name (ID 4) of every naming-table
// record with newName (ANSI, at most 1024 characters), lays the tables out
// again with fresh offsets and checksums, and writes the file back while a
// "<path>.bak" copy guards the original. False leaves the file as it was.
bool RewriteFontName(const char* newName, const char* path);
