// The DPI awareness the program's manifest gives: this test program carries the same
// resources, so the system reads the same declarations for it.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(DpiAwareness, PerMonitorV2DeclaredWithPerMonitorAsFallbackAndInEffect) {
    struct Case {
        const wchar_t* space;
        const wchar_t* setting;
        const wchar_t* value;
    };
    const Case cases[] = {
        {L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness",
         L"PerMonitorV2, PerMonitor"},
        {L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware", L"true/pm"},
    };
    for (const Case& c : cases) {
        wchar_t value[64] = {};
        SIZE_T written = 0;
        EXPECT_TRUE(QueryActCtxSettingsW(0, nullptr, c.space, c.setting, value, 64, &written))
            << c.setting;
        EXPECT_STREQ(value, c.value);
    }
    // Windows 10 1703 and later run the thread per-monitor v2; Wine 8 knows no v2 and
    // runs every program per-monitor.
    EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()),
              DPI_AWARENESS_PER_MONITOR_AWARE);
}

} // namespace
