// Changing the name a TrueType file carries inside it: in place on disk, or
// into a renamed copy.
#pragma once

// Replaces the family name (ID 1) and full name (ID 4) of every naming-table
// record with newName (ANSI, at most 1024 characters), lays the tables out
// again with fresh offsets and checksums, and writes the file back while a
// "<path>.bak" copy guards the original. False leaves the file as it was.
bool RewriteFontName(const char* newName, const char* path);

// Writes the font at source, with its naming table rebuilt as
// RewriteFontName would, into destination: the source's bytes as they are,
// the new naming table appended and its directory entry pointing there
// (the old table stays, unreferenced, and the whole-file checksum is not
// recomputed: this is for a private copy that only a font loader reads).
// source is only read. destination is best an empty file (as GetTempFileNameA leaves one);
// any other file there is replaced. The hourglass is left to the caller.
// False when source cannot be read, its tables are damaged (then nothing is
// written and destination stays as it was) or writing fails (then
// destination is deleted).
bool RewriteFontNameInto(const char* newName, const char* source, const char* destination);
