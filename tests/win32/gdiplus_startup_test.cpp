// GdiplusStartup and GdiplusShutdown: version 1 only, a token of its own for each
// startup, shutdowns of unknown or used tokens ignored, and a count of the active
// startups that GDI+ objects rely on.
#include <gtest/gtest.h>

#include "gdiplus.h"
#include "gdiplus/startup.h"

using namespace Gdiplus;

TEST(GdiplusStartup, EachStartupHasItsOwnTokenUntilItShutsDown)
{
    GdiplusStartupInput input;
    EXPECT_EQ(input.GdiplusVersion, 1u);
    ULONG_PTR first = 0, second = 0;
    ASSERT_EQ(GdiplusStartup(&first, &input, nullptr), Ok);
    ASSERT_EQ(GdiplusStartup(&second, &input, nullptr), Ok);
    EXPECT_NE(first, 0u);
    EXPECT_NE(first, second);
    EXPECT_EQ(win32::gdiplus::activeStartups(), 2);

    GdiplusShutdown(first);
    EXPECT_EQ(win32::gdiplus::activeStartups(), 1);
    GdiplusShutdown(first);  // a second shutdown must not end the other startup
    GdiplusShutdown(first + second + 1000);
    EXPECT_EQ(win32::gdiplus::activeStartups(), 1);
    GdiplusShutdown(second);
    EXPECT_EQ(win32::gdiplus::activeStartups(), 0);

    ULONG_PTR third = 0;
    ASSERT_EQ(GdiplusStartup(&third, &input, nullptr), Ok);
    EXPECT_NE(third, first);  // tokens are never handed out twice
    EXPECT_NE(third, second);
    GdiplusShutdown(third);
}

TEST(GdiplusStartup, RefusesOtherVersionsAndMissingArguments)
{
    GdiplusStartupInput input;
    ULONG_PTR token = 0;
    input.GdiplusVersion = 2;
    EXPECT_EQ(GdiplusStartup(&token, &input, nullptr), UnsupportedGdiplusVersion);
    input.GdiplusVersion = 0;
    EXPECT_EQ(GdiplusStartup(&token, &input, nullptr), UnsupportedGdiplusVersion);
    input.GdiplusVersion = 1;
    EXPECT_EQ(GdiplusStartup(nullptr, &input, nullptr), InvalidParameter);
    EXPECT_EQ(GdiplusStartup(&token, nullptr, nullptr), InvalidParameter);
    EXPECT_EQ(win32::gdiplus::activeStartups(), 0);
}

TEST(GdiplusStartup, ASuppressedBackgroundThreadNeedsTheHooks)
{
    GdiplusStartupInput input(nullptr, TRUE);
    ULONG_PTR token = 0;
    EXPECT_EQ(GdiplusStartup(&token, &input, nullptr), InvalidParameter);
    GdiplusStartupOutput output{};
    ASSERT_EQ(GdiplusStartup(&token, &input, &output), Ok);
    ASSERT_NE(output.NotificationHook, nullptr);
    ASSERT_NE(output.NotificationUnhook, nullptr);
    ULONG_PTR hookToken = 0;
    EXPECT_EQ(output.NotificationHook(&hookToken), Ok);
    output.NotificationUnhook(hookToken);
    GdiplusShutdown(token);
    EXPECT_EQ(win32::gdiplus::activeStartups(), 0);
}
