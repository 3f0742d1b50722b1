#pragma once
// Shared pieces of the widget tests: a clean display list per test and a look at the
// jobs that were submitted.

#include <gtest/gtest.h>

#include <vector>

#include "app_options.h"
#include "blit_job_manager.h"
#include "screen_hacks.h"

namespace test {

// This frame's jobs, then a fresh frame.
inline std::vector<BlitJob> take_jobs() {
    std::vector<BlitJob> out;
    for (BlitJob const* j : bjmgr.jobs()) out.push_back(*j);
    bjmgr.clear();
    return out;
}

// Every test starts with an empty display list, the identity screen view and full
// effects quality, and leaves them so.
class Widgets : public ::testing::Test {
protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset() {
        bjmgr.clear();
        ScreenHacks::set_screen_view({1024, 768});
        app_options().effects_quality = 1.0f;
    }
};

}  // namespace test
