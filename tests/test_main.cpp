#include <gtest/gtest.h>

#include <cstdlib>

// Unit tests run headless unless the caller chose drivers of its own.
int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
