#include <gtest/gtest.h>

#include <sstream>
#include <unistd.h>

#include "perfmon.h"

namespace {

using E2::PerfMon;

// Leaves the process-wide enable stack as it found it.
class PerfMonTest : public ::testing::Test {
protected:
    void TearDown() override {
        for (; pushed > 0; --pushed) PerfMon::pop_enabled();
    }
    void push(bool on) {
        PerfMon::push_enabled(on);
        ++pushed;
    }
    int pushed = 0;
};

TEST_F(PerfMonTest, DisabledStopwatchNeverCounts) {
    ASSERT_FALSE(PerfMon::is_enabled());
    PerfMon m("frame", true);
    EXPECT_FALSE(m.running);
    m.tick(5);
    EXPECT_EQ(m.ticks, 0u);
    EXPECT_FALSE(m.running);
    push(false);
    m.tick();
    m.start();
    EXPECT_EQ(m.ticks, 0u);
    EXPECT_FALSE(m.running);
    EXPECT_EQ(m.ms_per_tick(), 0.0);
}

TEST_F(PerfMonTest, TopOfStackDecides) {
    push(true);
    push(false);
    EXPECT_FALSE(PerfMon::is_enabled());
    PerfMon::pop_enabled();
    --pushed;
    EXPECT_TRUE(PerfMon::is_enabled());
    PerfMon m("draw");
    m.tick(2);
    EXPECT_EQ(m.ticks, 2u);
    EXPECT_TRUE(m.running);  // the first tick starts it
}

TEST_F(PerfMonTest, AccumulatesTime) {
    push(true);
    PerfMon m("sleep", true);
    EXPECT_TRUE(m.running);
    usleep(20000);
    m.stop();
    EXPECT_FALSE(m.running);
    EXPECT_GE(m.seconds(), 0.015);
    EXPECT_LT(m.us, 1000000);
    double total = m.seconds();
    usleep(5000);
    m.sync();  // stopped: nothing added
    EXPECT_EQ(m.seconds(), total);
    m.tick(4);
    m.stop();
    EXPECT_NEAR(m.ms_per_tick(), m.seconds() * 1000.0 / 4, 1e-9);
    std::ostringstream out;
    out << m;
    EXPECT_EQ(out.str().rfind("sleep 4 ticks in ", 0), 0u) << out.str();
    EXPECT_NE(out.str().find(" ms/tick)"), std::string::npos);
}

TEST_F(PerfMonTest, PopOnEmptyStackIsHarmless) {
    PerfMon::pop_enabled();
    EXPECT_FALSE(PerfMon::is_enabled());
}

}  // namespace
