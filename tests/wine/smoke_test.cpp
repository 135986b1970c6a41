#include <gtest/gtest.h>
#include <windows.h>

TEST(WineSmoke, DriverRuns) {
    EXPECT_NE(GetCurrentProcessId(), 0u);
}
