#include "sfntbuilder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

uint16_t ReadU16(const Bytes& b, size_t at) {
    return static_cast<uint16_t>((static_cast<unsigned char>(b[at]) << 8) | static_cast<unsigned char>(b[at + 1]));
}

uint32_t ReadU32(const Bytes& b, size_t at) { return (uint32_t{ReadU16(b, at)} << 16) | ReadU16(b, at + 2); }

void PatchU16(Bytes& b, size_t at, uint16_t v) {
    b[at] = static_cast<char>(v >> 8);
    b[at + 1] = static_cast<char>(v);
}

void PatchU32(Bytes& b, size_t at, uint32_t v) {
    PatchU16(b, at, static_cast<uint16_t>(v >> 16));
    PatchU16(b, at + 2, static_cast<uint16_t>(v));
}

static void AppendU16(Bytes& b, uint16_t v) {
    b.push_back(static_cast<char>(v >> 8));
    b.push_back(static_cast<char>(v));
}

static void AppendU32(Bytes& b, uint32_t v) {
    AppendU16(b, static_cast<uint16_t>(v >> 16));
    AppendU16(b, static_cast<uint16_t>(v));
}

Bytes Utf16Units(const std::vector<uint16_t>& units) {
    Bytes b;
    for (uint16_t u : units) AppendU16(b, u);
    return b;
}

Bytes Utf16Latin1(const std::string& text) {
    std::vector<uint16_t> units;
    for (unsigned char c : text) units.push_back(c);
    return Utf16Units(units);
}

Bytes BuildNameTable(const NameTableSpec& spec) {
    const size_t count = spec.records.size();
    Bytes storage;
    std::map<Bytes, size_t> shared;
    Bytes table;
    AppendU16(table, spec.format);
    AppendU16(table, static_cast<uint16_t>(spec.countOverride >= 0 ? spec.countOverride : count));
    AppendU16(table, static_cast<uint16_t>(spec.stringOffsetOverride >= 0 ? spec.stringOffsetOverride : 6 + 12 * count));
    for (const NameRec& r : spec.records) {
        size_t offset;
        auto found = shared.find(r.text);
        if (spec.shareEqualStrings && found != shared.end()) {
            offset = found->second;
        } else {
            offset = storage.size();
            storage += r.text;
            shared.emplace(r.text, offset);
        }
        AppendU16(table, r.platform);
        AppendU16(table, r.encoding);
        AppendU16(table, r.language);
        AppendU16(table, r.nameId);
        AppendU16(table, static_cast<uint16_t>(r.lengthOverride >= 0 ? r.lengthOverride : r.text.size()));
        AppendU16(table, static_cast<uint16_t>(r.offsetOverride >= 0 ? r.offsetOverride : offset));
    }
    return table + storage + spec.trailing;
}

uint32_t Checksum(const Bytes& data) {
    Bytes padded = data;
    while (padded.size() % 4) padded.push_back(0);
    uint32_t sum = 0;
    for (size_t i = 0; i < padded.size(); i += 4) sum += ReadU32(padded, i);
    return sum;
}

Bytes BuildSfnt(const std::vector<SfntTable>& tables, uint32_t version) {
    Bytes out;
    AppendU32(out, version);
    const uint16_t n = static_cast<uint16_t>(tables.size());
    uint16_t pow2 = 1, log2 = 0;
    while (pow2 * 2 <= n) pow2 *= 2, ++log2;
    AppendU16(out, n);
    AppendU16(out, static_cast<uint16_t>(16 * pow2));
    AppendU16(out, log2);
    AppendU16(out, static_cast<uint16_t>(16 * n - 16 * pow2));
    size_t offset = 12 + 16 * tables.size();
    Bytes body;
    for (const SfntTable& t : tables) {
        out += (t.tag + "    ").substr(0, 4);
        AppendU32(out, Checksum(t.data));
        AppendU32(out, static_cast<uint32_t>(offset + body.size()));
        AppendU32(out, static_cast<uint32_t>(t.data.size()));
        body += t.data;
        while (body.size() % 4) body.push_back(0);
    }
    return out + body;
}

Bytes BuildFont(const std::vector<NameRec>& records) {
    Bytes head(54, '\0');
    PatchU32(head, 0, 0x00010000);
    PatchU32(head, 12, 0x5F0F3CF5);  // magic
    PatchU16(head, 18, 2048);        // units per em
    Bytes hhea(36, '\x11');
    Bytes glyf;
    for (int i = 0; i < 37; ++i) glyf.push_back(static_cast<char>(i * 7 + 3));
    NameTableSpec names;
    names.records = records;
    return BuildSfnt({{"OS/2", Bytes(78, '\x22')}, {"glyf", glyf}, {"head", head}, {"hhea", hhea},
                      {"name", BuildNameTable(names)}, {"post", Bytes(32, '\x33')}});
}

std::vector<ParsedTable> ParseSfnt(const Bytes& font) {
    std::vector<ParsedTable> tables;
    if (font.size() < 12) return tables;
    const uint16_t n = ReadU16(font, 4);
    for (uint16_t i = 0; i < n && 12 + 16 * (i + 1) <= font.size(); ++i) {
        size_t e = 12 + 16 * size_t{i};
        ParsedTable t{font.substr(e, 4), ReadU32(font, e + 4), ReadU32(font, e + 8), ReadU32(font, e + 12), {}};
        if (uint64_t{t.offset} + t.length <= font.size()) t.data = font.substr(t.offset, t.length);
        tables.push_back(t);
    }
    return tables;
}

std::vector<ParsedName> ParseNameTable(const Bytes& table) {
    std::vector<ParsedName> names;
    if (table.size() < 6) return names;
    const uint16_t count = ReadU16(table, 2), storage = ReadU16(table, 4);
    for (uint16_t i = 0; i < count && 6 + 12 * (i + 1) <= table.size(); ++i) {
        size_t r = 6 + 12 * size_t{i};
        ParsedName p{ReadU16(table, r), ReadU16(table, r + 2), ReadU16(table, r + 4), ReadU16(table, r + 6),
                     ReadU16(table, r + 8), ReadU16(table, r + 10), {}};
        if (size_t{storage} + p.offset + p.length <= table.size()) p.text = table.substr(storage + p.offset, p.length);
        names.push_back(p);
    }
    return names;
}

// --- the reference model of the reader -----------------------------------

namespace {

struct ModelFile {
    const Bytes& bytes;
    uint64_t pos = 0;
    bool Seek(uint64_t to) {
        if (to > 0x7FFFFFFF) return false;
        pos = to;
        return true;
    }
    bool Read(size_t n, Bytes& out) {
        if (pos + n > bytes.size()) return false;
        out = bytes.substr(static_cast<size_t>(pos), n);
        pos += n;
        return true;
    }
};

unsigned char ModelMap(uint16_t u) {
    static const std::map<uint16_t, unsigned char> table = {
        {0x2013, 0x96}, {0x2014, 0x97}, {0x2017, 0x5F}, {0x2018, 0x91}, {0x2019, 0x92},
        {0x201C, 0x93}, {0x201D, 0x94}, {0x2020, 0x86}, {0x2021, 0x87}, {0x2022, 0x95},
        {0x2122, 0x99}, {0x201A, 0x82}, {0x2026, 0x85}, {0x2030, 0x89}};
    auto it = table.find(u);
    return it != table.end() ? it->second : static_cast<unsigned char>(u & 0xFF);
}

// Reads a string into target as a C string; false on a short read.
bool ModelString(ModelFile& f, uint64_t storage, uint16_t platform, uint16_t length, uint16_t offset,
                 std::string& target) {
    size_t n = std::min<size_t>(length, 1024);
    if (n == 0) {
        target.clear();
        return true;
    }
    if (!f.Seek(storage + offset)) return false;
    Bytes raw;
    std::string out;
    if (platform == 3) {
        for (size_t i = 0; i < n / 2; ++i) {
            if (!f.Read(2, raw)) return false;
            out.push_back(static_cast<char>(ModelMap(ReadU16(raw, 0))));
        }
    } else {
        if (!f.Read(n, raw)) return false;
        out = raw;
    }
    target = out.substr(0, out.find('\0'));  // as a C string
    return true;
}

}  // namespace

ModelNames ModelReadFontNames(const Bytes& font) {
    ModelNames result{false, "", ""};
    std::string slots[4];
    ModelFile f{font};
    Bytes b;
    if (!f.Read(12, b)) return result;
    const uint16_t numTables = ReadU16(b, 4);
    bool found = false;
    uint32_t nameOffset = 0;
    for (uint16_t i = 0; i < numTables; ++i) {
        if (!f.Read(16, b)) return result;
        if (b.compare(0, 4, "name") == 0) {
            nameOffset = ReadU32(b, 8);
            found = true;
            break;
        }
    }
    if (!found) return result;
    if (!f.Seek(nameOffset) || !f.Read(6, b)) return result;
    const uint16_t count = ReadU16(b, 2);
    const uint64_t storage = f.pos + 12ull * count;
    for (uint16_t i = 0; i < count; ++i) {
        if (!f.Read(12, b)) return result;
        const uint64_t after = f.pos;
        const uint16_t platform = ReadU16(b, 0), nameId = ReadU16(b, 6), length = ReadU16(b, 8), offset = ReadU16(b, 10);
        std::string& slot = slots[std::min<uint16_t>(platform, 3)];
        if (slot.empty() && nameId == 4 && !ModelString(f, storage, platform, length, offset, slot)) return result;
        if (result.notice.empty() && nameId == 0 && !ModelString(f, storage, platform, length, offset, result.notice)) {
            return result;
        }
        if (result.notice.empty() && nameId == 7 && !ModelString(f, storage, platform, length, offset, result.notice)) {
            return result;
        }
        f.Seek(after);
    }
    for (int s = 3; s >= 0; --s) {
        if (!slots[s].empty()) {
            result.display = slots[s];
            break;
        }
    }
    result.ok = !result.display.empty();
    return result;
}

// --- files -------------------------------------------------------------------

std::string TempDir() {
    static std::atomic<int> serial{0};
    std::ostringstream name;
    name << "qmtest-" << std::hex << static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count())
         << "-" << serial++;
    fs::path dir = fs::temp_directory_path() / name.str();
    fs::create_directories(dir);
    return dir.string();
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

Bytes ReadFileBytes(const std::string& path, bool* exists) {
    std::ifstream in(path, std::ios::binary);
    if (exists) *exists = static_cast<bool>(in);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool FileExists(const std::string& path) {
    std::error_code e;
    return fs::exists(path, e);
}

std::string JoinPath(const std::string& dir, const std::string& name) { return (fs::path(dir) / name).string(); }
