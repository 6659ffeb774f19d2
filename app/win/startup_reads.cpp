// The start-up reads on their own thread.
#include "app/win/startup_reads.h"

#include "app/win/stored_settings.h"
#include "app/win/user_language.h"
#include "settings/win/ini2017.h"
#include "state/app_state.h"
#include "text/embedded_catalog.h"

namespace {

DWORD WINAPI ReadAll(void* parameter) {
    bool& catalogueBuilt = *static_cast<bool*>(parameter);
    catalogueBuilt = BuildCatalogue();
    const int defaultLanguage = UserDefaultLanguageIndex();
    CIni2017::Setup();
    ReadStoredSettings(TheAppState(), defaultLanguage);
    return 0;
}

} // namespace

StartupReads::StartupReads() noexcept
    : thread(CreateThread(nullptr, 0, ReadAll, &catalogueBuilt, 0, nullptr)) {
    if (!thread) {
        ReadAll(&catalogueBuilt);
    }
}

StartupReads::~StartupReads() {
    static_cast<void>(Finish());
}

bool StartupReads::Finish() noexcept {
    if (thread) {
        // The thread's writes (the catalogue, the settings file's path, AppState) are
        // visible to this thread once the wait returns.
        WaitForSingleObject(thread.Get(), INFINITE);
        thread.Reset();
    }
    return catalogueBuilt;
}
