// Start-up reads of the settings file.
#include "app/win/stored_settings.h"

#include "app/monitor_choice.h"
#include "settings/win/ini2017.h"
#include "text/text.h"

void ReadStoredSettings(AppState& state, int defaultLanguage) {
    state.languageIndex = CIni2017::ReadProgramInt(u"lng", defaultLanguage);
    for (int n = 0; n < kTestFlagCount; ++n) {
        state.testEnabled[static_cast<std::size_t>(n)] =
            CIni2017::ReadProgramInt(FormatText(u"use_test_%d", {n}), 0);
    }
    state.cycleIntervalMs = CIni2017::ReadInt(u"Program", u"test_millisecond", 1000, 10, 10000);
    IniBuffer screen{};
    CIni2017::ReadProgramString(kScreenSettingKey, screen);
    state.screenSetting = screen.data();
}
