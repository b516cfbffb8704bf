#pragma once
// The check every end-to-end suite makes of a picture the program draws:
// lit, only fire colours, and moving between two screenshots 300 ms apart.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "e2e_support.h"

namespace cindral::e2e {

inline void ExpectMovingFire(const XServer& x, const std::string& window, int w, int h) {
    Picture a = Screenshot(x, window, w, h);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    Picture b = Screenshot(x, window, w, h);
    ASSERT_FALSE(a.rgb.empty()) << window;
    ASSERT_FALSE(b.rgb.empty()) << window;
    EXPECT_GT(LitFraction(a, 0, w), 0.3) << window;
    EXPECT_TRUE(FireColoursOnly(a, 0, w)) << window << ": part of it is not drawn";
    EXPECT_TRUE(FireColoursOnly(b, 0, w)) << window << ": part of it is not drawn";
    EXPECT_GT(DifferingFraction(a, b, 0, w), 0.05) << window << ": no motion";
}

}  // namespace cindral::e2e
