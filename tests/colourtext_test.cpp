// The colour depth rule, the colour count and its thousands text.
#include <gtest/gtest.h>

#include "info/colourtext.h"

TEST(ColourText, DepthCountAndItsText) {
    const struct { int bits, planes; unsigned depth, count; const char* text; } cases[] = {
        {1, 1, 1, 2, "2"}, {4, 1, 4, 16, "16"}, {1, 4, 4, 16, "16"}, {8, 1, 8, 256, "256"}, {9, 1, 24, 512, "512"},
        {15, 1, 24, 32768, "32,768"}, {16, 1, 24, 65536, "65,536"}, {24, 1, 24, 16777216, "16,777,216"},
        {32, 1, 24, 16777216, "16,777,216"}, {8, 3, 24, 16777216, "16,777,216"}, {0, 1, 0, 1, "1"},
        {8, 0, 0, 1, "1"}, {-8, 1, 0, 1, "1"}, {0x7FFFFFFF, 0x7FFFFFFF, 24, 16777216, "16,777,216"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits, " << c.planes << " planes");
        EXPECT_EQ(c.depth, ColourDepthOf(c.bits, c.planes));
        EXPECT_EQ(c.count, ColourCountOf(c.bits, c.planes));
        EXPECT_STREQ(c.text, ThousandsText(ColourCountOf(c.bits, c.planes)));
    }
    const struct { unsigned n; const char* text; } numbers[] = {
        {0, "0"}, {10, "10"}, {999, "999"}, {1000, "1,000"}, {10001, "10,001"}, {100000, "100,000"},
        {1000000, "1,000,000"}, {12345678, "12,345,678"}, {100000000, "100,000,000"}, {4294967295u, "4,294,967,295"}};
    for (const auto& c : numbers) EXPECT_STREQ(c.text, ThousandsText(c.n)) << c.n;
}
