// Setup page values, and the palette with the built resource checked against its rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <iterator>

#include "config/palette.h"
#include "config/setupvalues.h"

namespace {

TEST(Inches, EveryValueThePageWritesReadsBackAsItself) {
    char text[kInchesTextSize];
    for (uint32_t v = 0; v <= 0xFFFF; ++v) ASSERT_EQ((FormatInches(v, text, sizeof text), ParseInches(text)), v);
    for (auto [v, size, want] : {std::tuple{50u, 16, "0.50\""}, {5u, 16, "0.05\""}, {3000u, 16, "30.00\""},
                                 {~0u, 16, "42949672.95\""}, {3000u, 6, ""}})
        EXPECT_EQ((FormatInches(v, text, size), std::string(text)), want);
}

TEST(Inches, TypedTextReadsAsHundredthsAndClamps) {
    const std::pair<const char*, uint32_t> typed[] = {{"1.5", 150}, {"40", 4000}, {"40\"", 4000}, {"0.29", 29},
        {"0.005", 0}, {"2.999", 299}, {"-1", 0u - 100}, {"-0.5", 0u - 50}, {"-0.005", 0}, {"abc", 0}, {"", 0},
        {" \t1.5", 150}, {"+2", 200}, {".5", 50}, {"5.", 500}, {"1.2.3", 120}, {"1,5", 100}, {"4\"5", 400},
        {"42949673", ~0u}, {"99999999999999999999", ~0u}, {"-21474836.48", 1u << 31}, {"-9999999999", 1u << 31}};
    for (auto [text, want] : typed) EXPECT_EQ(ParseInches(text), want) << '"' << text << '"';
    const std::array<uint32_t, 3> clamps[] = {{9, SettingsRange(1, 5), 5}, {0, SettingsRange(1, 5), 1},
        {~0u, SettingsRange(1, 5), 5}, {3, SettingsRange(1, 5), 3}, {9, 0, 9}, {~0u, 0, ~0u}};
    for (auto [value, range, want] : clamps) EXPECT_EQ(ClampToRange(value, range), want) << value << " " << range;
}

using Rgb = std::array<int, 3>;
Rgb At(const uint8_t* palette, int i) { return {palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]}; }

// Entry i of the palette resource, from its rule.
Rgb RuleEntry(int i) {
    const int grey = std::clamp(static_cast<int>(std::floor((i - 112) * 255.0 / 31)), 1, 254);
    if (i >= 112 && i < 144) return {grey, grey, grey};
    static const int kRed[8] = {0, 43, 85, 128, 128, 170, 213, 255};
    return {kRed[i / 32], static_cast<int>(std::lround(i / 4 % 8 * 255.0 / 7)), i % 4 * 85};
}

TEST(Palette, GeneratedResourceFollowsTheRule) {
    std::string bytes{std::istreambuf_iterator<char>(std::ifstream(QM_PALETTE_FILE, std::ios::binary).rdbuf()), {}};
    ASSERT_EQ(bytes.size(), 853u);
    const auto header = "ZEPHRSRC256 colour palette" + std::string(46, 0) + std::string("\0\1\0CMAP\1\0\0\0\0\3", 13);
    EXPECT_EQ(bytes.substr(0, 85), header);
    uint8_t palette[kPaletteBytes];
    ASSERT_TRUE(FillPalette(palette, bytes.data(), bytes.size()));
    for (int i = 0; i < 256; ++i) ASSERT_EQ(At(palette, i), RuleEntry(i)) << i;
    for (auto [i, g] : {std::pair{0, 0}, {112, 1}, {113, 8}, {142, 246}, {143, 254}, {255, 255}})
        EXPECT_EQ(At(palette, i), (Rgb{g, g, g})) << i;
    const std::array<int, 5> nearest[] = {{248, 248, 248, 256, 142}, {0, 0, 0, 256, 0}, {1, 1, 2, 256, 112},
        {85, 102, 119, 256, 124} /* tie: 125 */, {255, 255, 255, 256, 255}, {255, 255, 255, 255, 143}, {9, 9, 9, 0, 0}};
    for (auto [r, g, b, count, want] : nearest) EXPECT_EQ(NearestPaletteEntry(r, g, b, palette, count), want) << r;
    EXPECT_EQ(NearestPaletteEntry(0, 0, 0, std::array<uint8_t, 6>{0, 0, 1, 0, 0, 0}.data(), 2), 1) << "exact after near";
}

TEST(Palette, ShortOrMissingResourceGivesTheCube) {
    uint8_t palette[kPaletteBytes], copy[kPaletteBytes] = {};
    EXPECT_FALSE(FillPalette(palette, std::vector<uint8_t>(852, 0xAB).data(), 852));  // one byte short
    for (auto [i, want] : {std::pair{24, Rgb{32, 224, 64}}, {97, {128, 32, 128}}, {255, {255, 255, 255}}})
        EXPECT_EQ(At(palette, i), want) << i;
    const uint8_t* shared = LoadPalette(nullptr, kPaletteResourceSize, copy);  // no resource: the cube as well
    EXPECT_TRUE(std::equal(palette, std::end(palette), shared) && std::equal(palette, std::end(palette), copy));
}

}  // namespace
