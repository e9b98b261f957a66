// Big-endian field access and the table checksum shared by the TrueType code.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr size_t kSfntHeaderSize = 12;
inline constexpr size_t kSfntEntrySize = 16;
inline constexpr size_t kNameHeaderSize = 6;
inline constexpr size_t kNameRecordSize = 12;

inline uint16_t GetU16(const unsigned char* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }

inline uint32_t GetU32(const unsigned char* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | p[3];
}

inline void PutU16(unsigned char* p, uint16_t v) {
    p[0] = static_cast<unsigned char>(v >> 8);
    p[1] = static_cast<unsigned char>(v);
}

inline void PutU32(unsigned char* p, uint32_t v) {
    p[0] = static_cast<unsigned char>(v >> 24);
    p[1] = static_cast<unsigned char>(v >> 16);
    p[2] = static_cast<unsigned char>(v >> 8);
    p[3] = static_cast<unsigned char>(v);
}

// The naming table's tag, compared byte for byte (so "NAME" is not it).
inline bool IsNameTag(const unsigned char* tag) {
    return tag[0] == 'n' && tag[1] == 'a' && tag[2] == 'm' && tag[3] == 'e';
}

// Sum of the bytes as big-endian 32-bit words, the last word padded with
// zeros, modulo 2^32.
uint32_t SfntTableChecksum(const unsigned char* data, size_t length);
