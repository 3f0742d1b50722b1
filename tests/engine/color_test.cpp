#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "color.h"

namespace {

struct Keyword {
    char const* name;
    E2::Color const* color;
};

Keyword const keywords[] = {
#define E2_COLOR_KEYWORD(name, rgb) {#name, &E2::Color::name},
#include "color_keywords.inc"
#undef E2_COLOR_KEYWORD
};

TEST(ColorTest, KeywordConstants) {
    EXPECT_EQ(sizeof keywords / sizeof keywords[0], 147u);
    std::set<std::string> names;
    for (auto const& k : keywords) {
        names.insert(k.name);
        EXPECT_EQ(k.color->a(), 0xFF) << k.name;
    }
    EXPECT_EQ(names.size(), 147u);
    EXPECT_EQ(E2::Color::aliceblue.value(), 0xF0F8FFFFu);
    EXPECT_EQ(E2::Color::antiquewhite.value(), 0xFAEBD7FFu);
    EXPECT_EQ(E2::Color::black.value(), 0x000000FFu);
    EXPECT_EQ(E2::Color::lightgoldenrodyellow.value(), 0xFAFAD2FFu);
    EXPECT_EQ(E2::Color::yellowgreen.value(), 0x9ACD32FFu);
    EXPECT_EQ(E2::Color::gray, E2::Color::grey);
}

TEST(ColorTest, ChannelsAndTween) {
    E2::Color c(0x11, 0x22, 0x33, 0x44);
    EXPECT_EQ(c.value(), 0x11223344u);
    EXPECT_EQ(c.r(), 0x11);
    EXPECT_EQ(c.a(), 0x44);

    E2::Color from(0x00000000u), to(0xFF804020u);
    EXPECT_EQ(E2::tween(from, to, 0.0f), from);
    EXPECT_EQ(E2::tween(from, to, 1.0f), to);
    EXPECT_EQ(E2::tween(from, to, 0.5f).value(), 0x80402010u);
    EXPECT_EQ(E2::tween(to, from, 0.5f).value(), 0x80402010u);
    EXPECT_EQ(E2::tween(from, to, -3.0f), from);  // clamped
    EXPECT_EQ(E2::tween(from, to, 7.0f), to);
}

TEST(ColorTest, DistanceIgnoresAlpha) {
    EXPECT_FLOAT_EQ(E2::distance(E2::Color(0, 0, 0, 0), E2::Color(3, 4, 0, 255)), 5.0f);
    EXPECT_FLOAT_EQ(E2::distance(E2::Color::white, E2::Color::white), 0.0f);
    EXPECT_FLOAT_EQ(E2::distance(E2::Color::black, E2::Color::white), 255.0f * std::sqrt(3.0f));
}

}  // namespace
