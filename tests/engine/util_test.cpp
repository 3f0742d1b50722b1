#include <gtest/gtest.h>

#include <iomanip>
#include <memory>
#include <sstream>

#include "util.h"

namespace {

using E2::util::MS_TO_HMS;

std::string hms(unsigned ms) {
    std::ostringstream out;
    out << MS_TO_HMS(ms);
    return out.str();
}

TEST(MsToHmsTest, Formats) {
    EXPECT_EQ(hms(0), "00:00:00");
    EXPECT_EQ(hms(999), "00:00:00");
    EXPECT_EQ(hms(61000), "00:01:01");
    EXPECT_EQ(hms(3599999), "00:59:59");
    EXPECT_EQ(hms(3600000), "01:00:00");
    EXPECT_EQ(hms(360000000), "100:00:00");
    EXPECT_EQ(static_cast<std::string>(MS_TO_HMS(45296000)), "12:34:56");
}

TEST(MsToHmsTest, RestoresFillAndFlags) {
    std::ostringstream out;
    out << std::hex << std::left << std::setfill('*');
    out << MS_TO_HMS(3723000);
    EXPECT_EQ(out.str(), "01:02:03");  // decimal, zero-filled, right-aligned
    EXPECT_EQ(out.fill(), '*');
    out << std::setw(4) << 255;
    EXPECT_EQ(out.str(), "01:02:03ff**");
}

struct Counted {
    explicit Counted(int& n) : live(n) { ++live; }
    ~Counted() { --live; }
    int& live;
};

TEST(UtilTest, DeleteAllValues) {
    int live = 0;
    std::map<int, Counted*> m{{1, new Counted(live)}, {2, nullptr}, {3, new Counted(live)}};
    EXPECT_EQ(live, 2);
    E2::util::delete_all_values(m);
    EXPECT_EQ(live, 0);
    EXPECT_TRUE(m.empty());
}

TEST(UtilTest, StringHelpers) {
    std::unique_ptr<char[]> c(E2::util::dupc_str(std::string("a\0b", 3)));
    EXPECT_EQ(std::string(c.get(), 4), std::string("a\0b\0", 4));

    EXPECT_TRUE(E2::util::starts_with("options.dat", "options"));
    EXPECT_TRUE(E2::util::starts_with("x", ""));
    EXPECT_FALSE(E2::util::starts_with("op", "options"));
    EXPECT_TRUE(E2::util::ends_with("options.dat", ".dat"));
    EXPECT_FALSE(E2::util::ends_with("dat", ".dat"));

    EXPECT_TRUE(E2::util::eq_nocase('a', 'A'));
    EXPECT_FALSE(E2::util::eq_nocase('a', 'b'));
    EXPECT_TRUE(E2::util::eq_nocase(std::string("Klondike"), std::string("KLONDIKE")));
    EXPECT_FALSE(E2::util::eq_nocase(std::string("Klondike"), std::string("Klondik")));
    EXPECT_TRUE(E2::util::eq_nocase(std::string("\xE9"), std::string("\xE9")));

    EXPECT_EQ(E2::util::mkvec("a"), std::vector<std::string>{"a"});
    EXPECT_EQ(E2::util::mkvec("a", "b", "c", "d"), (std::vector<std::string>{"a", "b", "c", "d"}));
}

}  // namespace
