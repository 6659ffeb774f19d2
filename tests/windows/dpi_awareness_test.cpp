// This test program carries the program's resources, so the system reads the same
// manifest for it: the DPI awareness declared there, and the one in effect.
#include <windows.h>

#include <gtest/gtest.h>

TEST(DpiAwareness, PerMonitorV2DeclaredWithPerMonitorAsFallback) {
    wchar_t value[64] = {};
    EXPECT_TRUE(QueryActCtxSettingsW(0, nullptr,
                                     L"http://schemas.microsoft.com/SMI/2016/WindowsSettings",
                                     L"dpiAwareness", value, 64, nullptr));
    EXPECT_STREQ(value, L"PerMonitorV2, PerMonitor");
    // Per-monitor v2 on Windows 10 1703 and later; Wine 8 knows no v2 and runs every
    // program per-monitor, whatever its manifest says.
    EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()),
              DPI_AWARENESS_PER_MONITOR_AWARE);
}
