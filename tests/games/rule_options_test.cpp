#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "rule_options.h"

namespace {

std::string saved_bytes() {
    FILE* f = std::tmpfile();
    save_rule_options(f);
    std::string out(static_cast<std::size_t>(std::ftell(f)), '\0');
    std::rewind(f);
    EXPECT_EQ(std::fread(&out[0], 1, out.size(), f), out.size());
    std::fclose(f);
    return out;
}

void read_bytes(std::string const& bytes) {
    FILE* f = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::rewind(f);
    read_rule_options(f);
    std::fclose(f);
}

class RuleOptions : public ::testing::Test {
protected:
    void SetUp() override { reset_rule_options(); }
    void TearDown() override { reset_rule_options(); }
};

std::string const defaults("\0\0\0\0\0\0" "\0\0\0\0" "\0\0\0\0" "\0\1\0\0\0" "\0\0\0\0" "\0\1\0\0\0", 28);

TEST_F(RuleOptions, TwentyEightBytesInGameOrderWithTheDefaults) {
    EXPECT_EQ(saved_bytes(), defaults);
    EXPECT_EQ(static_cast<long>(defaults.size()), rule_options_size);
}

TEST_F(RuleOptions, KlondikeWritesFlipRedealsPluckInThatOrder) {
    // The popup's boxes (on, off, on): pluck on, draw-one off, unlimited redeals on.
    KlondikeOptions::opt_may_pluck_from_foundation = true;
    KlondikeOptions::opt_flip_1 = false;
    KlondikeOptions::opt_unlimited_redeals = true;
    EXPECT_EQ(saved_bytes().substr(0, 6), std::string("\0\1\1\0\0\0", 6));
    SpiderOptions::opt_two_suits = true;
    GolfOptions::opt_may_turn_corner = true;
    std::string bytes = saved_bytes();
    EXPECT_EQ(bytes[10], 1);
    EXPECT_EQ(bytes[23], 1);
}

TEST_F(RuleOptions, AnyNonZeroByteReadsAsSetAndTheReservedBytesAreIgnored) {
    std::string bytes(28, '\0');
    bytes[0] = 2;          // Klondike draw-one
    bytes[5] = 9;          // reserved
    bytes[6] = '\xFF';     // FreeCell pluck
    bytes[15] = 0;         // TriPeaks single-click cleared
    bytes[19] = 1;         // Yukon pluck
    read_bytes(bytes);
    EXPECT_TRUE(KlondikeOptions::opt_flip_1);
    EXPECT_FALSE(KlondikeOptions::opt_unlimited_redeals);
    EXPECT_TRUE(FreeCellOptions::opt_may_pluck_from_foundation);
    EXPECT_FALSE(TriPeaksOptions::opt_single_click_activation);
    EXPECT_TRUE(YukonOptions::opt_may_pluck_from_foundation);
    EXPECT_FALSE(GolfOptions::opt_single_click_activation);
}

TEST_F(RuleOptions, AFileEndingAfterSpiderKeepsTriPeaksAndGolf) {
    TriPeaksOptions::opt_may_turn_corner = true;
    GolfOptions::opt_may_turn_corner = true;
    std::string bytes = defaults.substr(0, 14);
    bytes[0] = 1;
    read_bytes(bytes);
    EXPECT_TRUE(KlondikeOptions::opt_flip_1);
    EXPECT_TRUE(TriPeaksOptions::opt_single_click_activation);
    EXPECT_TRUE(TriPeaksOptions::opt_may_turn_corner);
    EXPECT_TRUE(GolfOptions::opt_single_click_activation);
    EXPECT_TRUE(GolfOptions::opt_may_turn_corner);
}

TEST_F(RuleOptions, AShortFileClearsTheByteOptionsItLacks) {
    SpiderOptions::opt_two_suits = true;
    YukonOptions::opt_may_pluck_from_foundation = true;
    read_bytes(defaults.substr(0, 6));  // Klondike only
    EXPECT_FALSE(SpiderOptions::opt_two_suits);
    EXPECT_FALSE(YukonOptions::opt_may_pluck_from_foundation);
    EXPECT_TRUE(TriPeaksOptions::opt_single_click_activation);
    EXPECT_TRUE(GolfOptions::opt_single_click_activation);
    // Ending after TriPeaks: Golf keeps its own.
    GolfOptions::opt_single_click_activation = false;
    read_bytes(defaults.substr(0, 23));
    EXPECT_FALSE(GolfOptions::opt_single_click_activation);
    EXPECT_TRUE(TriPeaksOptions::opt_single_click_activation);
}

}  // namespace
