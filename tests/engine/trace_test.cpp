#include <gtest/gtest.h>

#include <climits>
#include <unistd.h>

#include "temp_dir.h"
#include "trace.h"

namespace {

TEST(TraceTest, AppendsLinesInTheWorkingFolder) {
    TempDir dir;
    char old[PATH_MAX];
    ASSERT_NE(getcwd(old, sizeof old), nullptr);
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    E2::trace("start %d", 1);
    {
        E2::DBG_Trace scope("load");
        E2::trace("inside");
    }
    std::string text = read_file("e2_trace.txt");
    ASSERT_EQ(chdir(old), 0);
    EXPECT_EQ(text, "start 1\n> load\ninside\n< load\n");
}

}  // namespace
