// Test fonts from a description: tables, name records with any IDs and raw bytes, shared strings, and deliberate
// damage. Also a small parser so that tests can look at what ended up on disk, and a model of the name reader.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::string;

struct NameRec {
    uint16_t platform = 3, encoding = 1, language = 0x409, nameId = 4;
    Bytes text;               // stored bytes, as they go into string storage
    int offsetOverride = -1;  // damage: record offset field as written
    int lengthOverride = -1;  // damage: record length field as written
};

struct NameTableSpec {
    std::vector<NameRec> records;
    bool shareEqualStrings = false;  // store identical strings once
    int stringOffsetOverride = -1;   // damage or oddity: header field as written
};

struct SfntTable { std::string tag; Bytes data; };  // tag: four characters

Bytes BuildNameTable(const NameTableSpec& spec);
// Lays the tables out in order, 4-byte aligned, with correct directory offsets, lengths and checksums.
Bytes BuildSfnt(const std::vector<SfntTable>& tables);
// A plausible font: tables before and after a naming table from the records, one of odd length.
Bytes BuildFont(const std::vector<NameRec>& records);

// UTF-16BE of Latin-1 bytes (each byte its own code unit), or of explicit code units.
Bytes Utf16Latin1(const std::string& text);
Bytes Utf16Units(const std::vector<uint16_t>& units);
// Name records of the Microsoft platform (Unicode, US English) and the Macintosh platform (Roman, English).
inline NameRec Ms(uint16_t id, const std::string& latin1) { return {3, 1, 0x409, id, Utf16Latin1(latin1)}; }
inline NameRec Mac(uint16_t id, const std::string& bytes) { return {1, 0, 0, id, bytes}; }

uint16_t ReadU16(const Bytes& b, size_t at);
void PatchU16(Bytes& b, size_t at, uint16_t v);
void PatchU32(Bytes& b, size_t at, uint32_t v);

struct ParsedTable { std::string tag; uint32_t checksum, offset, length; Bytes data; };
struct ParsedName { uint16_t platform, encoding, language, nameId, length, offset; Bytes text; };
// Parses a well-formed font; tables whose bytes lie outside the file come back with empty data.
std::vector<ParsedTable> ParseSfnt(const Bytes& font);
std::vector<ParsedName> ParseNameTable(const Bytes& table);
uint32_t Checksum(const Bytes& data);

// Straightforward model of the reader, on bytes in memory: every structure and code unit read on its own.
struct ModelNames { bool ok; std::string display, notice; };
ModelNames ModelReadFontNames(const Bytes& font);

std::string TempDir();  // a fresh directory for test files, removed by the OS temp cleaner
bool WriteFile(const std::string& path, const Bytes& bytes);
Bytes ReadFileBytes(const std::string& path, bool* exists = nullptr);
std::string JoinPath(const std::string& dir, const std::string& name);
