#include "sfntbuilder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>

namespace fs = std::filesystem;

uint16_t ReadU16(const Bytes& b, size_t at) {
    return static_cast<uint16_t>((static_cast<unsigned char>(b[at]) << 8) | static_cast<unsigned char>(b[at + 1]));
}
static uint32_t ReadU32(const Bytes& b, size_t at) { return (uint32_t{ReadU16(b, at)} << 16) | ReadU16(b, at + 2); }
void PatchU16(Bytes& b, size_t at, uint16_t v) { b[at] = static_cast<char>(v >> 8), b[at + 1] = static_cast<char>(v); }
void PatchU32(Bytes& b, size_t at, uint32_t v) { PatchU16(b, at, uint16_t(v >> 16)), PatchU16(b, at + 2, uint16_t(v)); }
static void Add16(Bytes& b, size_t v) { b += {static_cast<char>(v >> 8), static_cast<char>(v)}; }
static void Add32(Bytes& b, size_t v) { Add16(b, v >> 16), Add16(b, v & 0xFFFF); }

Bytes Utf16Units(const std::vector<uint16_t>& units) {
    Bytes b;
    for (uint16_t u : units) Add16(b, u);
    return b;
}
Bytes Utf16Latin1(const std::string& text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    return Utf16Units({p, p + text.size()});
}

Bytes BuildNameTable(const NameTableSpec& spec) {
    const size_t count = spec.records.size();
    Bytes table, storage;
    std::map<Bytes, size_t> shared;
    Add16(table, 0), Add16(table, count);
    Add16(table, spec.stringOffsetOverride >= 0 ? size_t(spec.stringOffsetOverride) : 6 + 12 * count);
    for (const NameRec& r : spec.records) {
        const auto found = shared.emplace(r.text, storage.size());
        const size_t offset = spec.shareEqualStrings ? found.first->second : storage.size();
        if (offset == storage.size()) storage += r.text;
        for (size_t v : {size_t{r.platform}, size_t{r.encoding}, size_t{r.language}, size_t{r.nameId}}) Add16(table, v);
        Add16(table, r.lengthOverride >= 0 ? size_t(r.lengthOverride) : r.text.size());
        Add16(table, r.offsetOverride >= 0 ? size_t(r.offsetOverride) : offset);
    }
    return table + storage;
}

uint32_t Checksum(const Bytes& data) {
    const Bytes padded = data + Bytes(-data.size() % 4, '\0');
    uint32_t sum = 0;
    for (size_t i = 0; i < padded.size(); i += 4) sum += ReadU32(padded, i);
    return sum;
}

Bytes BuildSfnt(const std::vector<SfntTable>& tables) {
    const size_t n = tables.size();
    size_t pow2 = 1, log2 = 0;
    while (pow2 * 2 <= n) pow2 *= 2, ++log2;
    Bytes out, body;
    Add32(out, 0x00010000), Add16(out, n), Add16(out, 16 * pow2), Add16(out, log2), Add16(out, 16 * (n - pow2));
    for (const SfntTable& t : tables) {
        out += (t.tag + "    ").substr(0, 4);
        Add32(out, Checksum(t.data)), Add32(out, 12 + 16 * n + body.size()), Add32(out, t.data.size());
        body += t.data + Bytes(-t.data.size() % 4, '\0');
    }
    return out + body;
}

Bytes BuildFont(const std::vector<NameRec>& records) {
    Bytes head(54, '\0'), glyf;
    PatchU32(head, 0, 0x00010000), PatchU32(head, 12, 0x5F0F3CF5), PatchU16(head, 18, 2048);  // magic, units per em
    for (int i = 0; i < 37; ++i) glyf.push_back(static_cast<char>(i * 7 + 3));
    return BuildSfnt({{"OS/2", Bytes(78, '\x22')}, {"glyf", glyf}, {"head", head}, {"hhea", Bytes(36, '\x11')},
                      {"name", BuildNameTable({records})}, {"post", Bytes(32, '\x33')}});
}

std::vector<ParsedTable> ParseSfnt(const Bytes& font) {
    std::vector<ParsedTable> tables;
    for (size_t i = 0, e = 12; font.size() >= 12 && i < ReadU16(font, 4) && e + 16 <= font.size(); ++i, e += 16) {
        ParsedTable t{font.substr(e, 4), ReadU32(font, e + 4), ReadU32(font, e + 8), ReadU32(font, e + 12), {}};
        if (uint64_t{t.offset} + t.length <= font.size()) t.data = font.substr(t.offset, t.length);
        tables.push_back(t);
    }
    return tables;
}

std::vector<ParsedName> ParseNameTable(const Bytes& table) {
    std::vector<ParsedName> names;
    for (size_t i = 0, r = 6; table.size() >= 6 && i < ReadU16(table, 2) && r + 12 <= table.size(); ++i, r += 12) {
        ParsedName p{ReadU16(table, r), ReadU16(table, r + 2), ReadU16(table, r + 4), ReadU16(table, r + 6),
                     ReadU16(table, r + 8), ReadU16(table, r + 10), {}};
        const size_t at = ReadU16(table, 4) + p.offset;
        if (at + p.length <= table.size()) p.text = table.substr(at, p.length);
        names.push_back(p);
    }
    return names;
}

namespace {  // the model of the reader

// The n bytes at at, each structure read on its own; false when they are not all in the font.
bool ModelRead(const Bytes& font, uint64_t at, size_t n, Bytes& out) {
    out = at + n <= font.size() ? font.substr(at, n) : Bytes();
    return n == 0 || at + n <= font.size();
}

unsigned char ModelMap(uint16_t u) {
    static const std::map<uint16_t, unsigned char> marks = {
        {0x2013, 0x96}, {0x2014, 0x97}, {0x2017, 0x5F}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94},
        {0x2020, 0x86}, {0x2021, 0x87}, {0x2022, 0x95}, {0x2122, 0x99}, {0x201A, 0x82}, {0x2026, 0x85}, {0x2030, 0x89}};
    const auto it = marks.find(u);
    return it != marks.end() ? it->second : static_cast<unsigned char>(u & 0xFF);
}

// Reads at most 1024 bytes of a string into target as a C string; false on a short read.
bool ModelString(const Bytes& font, uint64_t at, uint16_t platform, size_t length, std::string& target) {
    const size_t n = std::min<size_t>(length, 1024);
    Bytes raw;
    if (!ModelRead(font, at, platform == 3 ? n / 2 * 2 : n, raw)) return false;
    target.clear();
    for (size_t i = 0; i < raw.size(); i += platform == 3 ? 2 : 1)
        target.push_back(platform == 3 ? static_cast<char>(ModelMap(ReadU16(raw, i))) : raw[i]);
    target = target.substr(0, target.find('\0'));
    return true;
}

}  // namespace

ModelNames ModelReadFontNames(const Bytes& font) {
    ModelNames result{false, "", ""};
    std::string slots[4];
    Bytes b;
    if (!ModelRead(font, 0, 12, b)) return result;
    for (uint16_t i = 0, numTables = ReadU16(b, 4);; ++i) {
        if (i == numTables || !ModelRead(font, 12 + 16 * i, 16, b)) return result;
        if (b.compare(0, 4, "name") == 0) break;
    }
    const uint64_t records = ReadU32(b, 8) + 6ull;
    if (!ModelRead(font, records - 6, 6, b)) return result;
    const uint16_t count = ReadU16(b, 2);
    for (uint16_t i = 0; i < count; ++i) {
        if (!ModelRead(font, records + 12 * i, 12, b)) return result;
        const uint16_t platform = ReadU16(b, 0), id = ReadU16(b, 6);
        std::string& slot = slots[std::min<uint16_t>(platform, 3)];
        std::string* target = id == 4 && slot.empty()                          ? &slot
                              : (id == 0 || id == 7) && result.notice.empty() ? &result.notice
                                                                              : nullptr;
        const uint64_t storage = records + 12 * count + ReadU16(b, 10);
        if (target && !ModelString(font, storage, platform, ReadU16(b, 8), *target)) return result;
    }
    for (int s = 3; s >= 0 && result.display.empty(); --s) result.display = slots[s];
    result.ok = !result.display.empty();
    return result;
}

std::string TempDir() {
    const fs::path dir = fs::temp_directory_path() / ("qmtest-" + std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    return dir.string();
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
    return static_cast<bool>(std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size())));
}

Bytes ReadFileBytes(const std::string& path, bool* exists) {
    std::ifstream in(path, std::ios::binary);
    if (exists) *exists = static_cast<bool>(in);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

std::string JoinPath(const std::string& dir, const std::string& name) { return (fs::path(dir) / name).string(); }
