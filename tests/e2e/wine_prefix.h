// Wine prefixes for the end-to-end tests: one template per build tree, prepared once
// (guarded by a lock file against parallel test processes), and a fresh copy of it for
// every test, ended (wineserver -k) and removed on destruction.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/process.h"

namespace e2e {

namespace fs = std::filesystem;

class WinePrefix {
public:
    // Makes sure `root` holds a complete template prefix for the installed Wine; a
    // template left half-done or made by another Wine version is made again.
    // Blocks while another process prepares it. Empty on success, else the reason.
    static std::string EnsureTemplate(const fs::path& root);
    // The template's folder under `folder` for the installed Wine: each runtime keeps
    // its own, so that running the tests under one does not unmake the other's.
    static fs::path TemplateFolder(const fs::path& folder);

    // A fresh copy of the template in a new folder under `workDir`.
    static std::unique_ptr<WinePrefix> CopyOf(const fs::path& templateDir, const fs::path& workDir,
                                              std::string* error);

    ~WinePrefix();
    WinePrefix(const WinePrefix&) = delete;
    WinePrefix& operator=(const WinePrefix&) = delete;

    [[nodiscard]] const fs::path& Path() const { return prefix; }
    // Ends this prefix's wineserver and its desktop, the registry saved to its files.
    void EndServer() const;
    // A folder of the test's own beside the prefix, removed with it (logs, scratch).
    [[nodiscard]] const fs::path& ScratchFolder() const { return folder; }
    [[nodiscard]] fs::path DriveC() const { return prefix / "drive_c"; }
    // drive_c/users/<name>: the Windows user's profile, whatever Wine named it.
    [[nodiscard]] fs::path UserProfile() const;
    [[nodiscard]] std::string UserName() const;
    // The user's temporary folder as Wine hands it to programs (TEMP in the user's
    // environment), else the profile's Temp folder.
    [[nodiscard]] fs::path TemporaryFolder() const;
    // CSIDL_APPDATA of that user.
    [[nodiscard]] fs::path RoamingAppData() const { return UserProfile() / "AppData" / "Roaming"; }
    // The host path of a "C:\..." path (backslashes become folder separators).
    [[nodiscard]] std::optional<fs::path> HostPath(std::string_view windowsPath) const;

    // The environment Wine runs with here: this prefix, the given X display and
    // locale, no debug output, no Mono or Gecko installers.
    [[nodiscard]] Environment WineEnvironment(const std::string& displayName,
                                              const std::string& locale) const;

    // Makes a file read-only for the Windows program, the way Wine understands it:
    // its write bits go (that is what the read-only attribute is to Wine). A root
    // user writes whatever the bits say, and Wine then does too, so under root the
    // file is also made immutable. False (with the reason) when the file is still
    // writable afterwards.
    bool MakeUnwritable(const fs::path& file, std::string* error);

private:
    WinePrefix(fs::path folder, fs::path prefix)
        : folder(std::move(folder)), prefix(std::move(prefix)) {}

    fs::path folder;
    fs::path prefix;
};

// The host path of the "C:\..." path `windowsPath` in a prefix whose drive C is
// `driveC`; nothing for another drive, a relative path or one that climbs out.
std::optional<fs::path> HostPathOnDriveC(const fs::path& driveC, std::string_view windowsPath);

// The value of `name` in the [Environment] key of a Wine user.reg text, unescaped,
// with %USERPROFILE% replaced by `userProfile`; nothing when the key has no such value.
std::optional<std::string> UserEnvironmentValue(std::string_view userReg, std::string_view name,
                                                std::string_view userProfile);

// The environment of every Wine command: nothing from the developer's own Wine set-up
// or display.
Environment BaseWineEnvironment(const fs::path& prefix, const std::string& displayName,
                                const std::string& locale);

} // namespace e2e
