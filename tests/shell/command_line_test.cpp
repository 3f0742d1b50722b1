#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include <string>
#include <vector>

#include "command_line.h"

namespace {

CommandLine parse(std::vector<std::string> args) {
    args.insert(args.begin(), "lunerra");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    return parse_command_line(static_cast<int>(args.size()), argv.data());
}

TEST(CommandLineRead, DefaultsAndSwitches) {
    CommandLine none = parse({});
    EXPECT_FALSE(none.window || none.fullscreen || none.redraw_view || none.no_sound || none.perf);
    EXPECT_EQ(none.grid, 8u);
    CommandLine all = parse({"-wfdhRAPm"});
    EXPECT_TRUE(all.window && all.fullscreen && all.hw_surface && all.double_buf && all.redraw_view &&
                all.no_sound && all.no_parachute && all.perf);
}

TEST(CommandLineRead, GridSizeTakesAnyBase) {
    EXPECT_EQ(parse({"-r", "0x10"}).grid, 16u);
    EXPECT_EQ(parse({"-r010"}).grid, 8u);  // octal
    EXPECT_EQ(parse({"-r", "12"}).grid, 12u);
    EXPECT_EQ(parse({"-r", "64"}).grid, 64u);
    EXPECT_EQ(parse({"-r", "1"}).grid, 1u);
    EXPECT_TRUE(parse({"-r", "12"}).warning.empty());
    // No upper bound: the display list fits the grid to the screen.
    EXPECT_EQ(parse({"-r", "65"}).grid, 65u);
    EXPECT_EQ(parse({"-r", "100000"}).grid, 100000u);
    CommandLine huge = parse({"-r", "99999999999999999999"});
    EXPECT_EQ(huge.grid, UINT_MAX);
    EXPECT_TRUE(huge.warning.empty()) << huge.warning;
}

TEST(CommandLineRead, UnusableGridSizeKeepsTheDefault) {
    for (char const* bad : {"0", "-3", "abc", "12abc", "", "-99999999999999999999"}) {
        CommandLine cl = parse({"-r", bad});
        EXPECT_EQ(cl.grid, 8u) << bad;
        EXPECT_NE(cl.warning.find(bad), std::string::npos) << bad;
    }
}

TEST(CommandLineRead, GarbageGeometryIsNamedAndEveryRefusalKept) {
    CommandLine cl = parse({"-G", "huge", "-r", "0"});
    EXPECT_NE(cl.warning.find("'huge'"), std::string::npos) << cl.warning;
    EXPECT_NE(cl.warning.find("'0'"), std::string::npos) << cl.warning;
    EXPECT_EQ(cl.geometry_w, 1024);
    EXPECT_TRUE(parse({"-G", "800x600x16"}).warning.empty());
}

TEST(CommandLineRead, AHugeRefusedValueIsQuotedOnlyInPart) {
    std::string const huge(100000, '7');
    for (char const* opt : {"-r", "-G"}) {
        std::string const value = std::string(opt) == "-r" ? "x" + huge : huge;
        CommandLine cl = parse({opt, value.c_str()});
        EXPECT_LT(cl.warning.size(), 200u) << opt;
        EXPECT_NE(cl.warning.find(value.substr(0, max_quoted_chars)), std::string::npos) << cl.warning;
    }
}

TEST(CommandLineRead, AcceptedOptionsWithoutEffectAndUnknownLetters) {
    CommandLine cl = parse({"-p", "-G", "800x600x16", "-z", "-w"});
    EXPECT_TRUE(cl.window);
    EXPECT_EQ(cl.geometry_w, 800);
    EXPECT_EQ(cl.geometry_d, 16);
    EXPECT_EQ(cl.grid, 8u);
    EXPECT_FALSE(cl.fullscreen);
    // One line for each argument; one that begins with "--" is never read as letters.
    CommandLine odd = parse({"--fullscreen", "-wzq", "-" + std::string(100000, 'x'), "-r"});
    EXPECT_TRUE(odd.window && !odd.fullscreen && odd.grid == 8u);
    EXPECT_EQ(std::count(odd.warning.begin(), odd.warning.end(), '\n'), 3) << odd.warning;
    EXPECT_LT(odd.warning.size(), 500u);
}

TEST(CommandLineRead, StopsAtTheFirstOtherArgument) {
    CommandLine cl = parse({"-w", "file", "-f"});
    EXPECT_TRUE(cl.window);
    EXPECT_FALSE(cl.fullscreen);
}

TEST(CommandLineRead, CanBeReadTwice) {
    EXPECT_TRUE(parse({"-A"}).no_sound);
    EXPECT_TRUE(parse({"-A"}).no_sound);
    // Led by a long option, a read looks at nothing of the last one's (since changed) arguments.
    char prog[] = "lunerra", w[] = "-w\0f", opt[] = "--fullscreen";
    char *first[] = {prog, w, nullptr}, *later[] = {prog, opt, nullptr};
    EXPECT_TRUE(parse_command_line(2, first).window);
    w[2] = 'f';
    EXPECT_FALSE(parse_command_line(2, later).fullscreen);
}

}  // namespace
