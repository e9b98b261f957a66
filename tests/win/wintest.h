// Helpers for the tests that run under Windows (or Wine).
#pragma once

#include <windows.h>

#include <string>

// A real TrueType file shipped with the machine's fonts, by file name
// (e.g. "DejaVuSans.ttf"), as a Windows path; empty when it is not there.
std::string HostFont(const char* fileName);

// Files in the temporary folder whose names start with the temporary-font
// prefix.
int CountTemporaryFontFiles();

// True when EnumFontFamiliesExA lists the face.
bool FaceIsListed(const char* face);

// A fresh folder for one test, as a Windows path without a trailing
// backslash.
std::string NewTestFolder();

// Copies a file; false on failure.
bool CopyInto(const std::string& from, const std::string& to);
