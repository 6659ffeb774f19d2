// Wine prefixes for the end-to-end tests: the shared template and per-test copies.
#include "tests/e2e/wine_prefix.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/e2e/x_display.h"

namespace e2e {

namespace {

constexpr const char* kCompleteMark = ".glimmerix-e2e-complete";

// An exclusive lock on a file, held for the owner's lifetime.
class FileLock {
public:
    static std::optional<FileLock> Acquire(const fs::path& file, std::chrono::seconds timeout,
                                           std::string* error) {
        const int fd = open(file.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0644);
        if (fd < 0) {
            *error = "cannot open lock file " + file.string() + ": " + std::strerror(errno);
            return std::nullopt;
        }
        FileLock lock(fd);
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (std::chrono::steady_clock::now() >= deadline) {
                *error = "another test process held " + file.string() + " for too long";
                return std::nullopt;
            }
            std::this_thread::sleep_for(100ms);
        }
        return lock;
    }
    FileLock(FileLock&& other) noexcept : fd(std::exchange(other.fd, -1)) {}
    FileLock& operator=(FileLock&&) = delete;
    ~FileLock() {
        if (fd >= 0) {
            close(fd); // releases the lock
        }
    }

private:
    explicit FileLock(int fd) : fd(fd) {}
    int fd;
};

std::optional<fs::path> FindOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path != nullptr ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        std::error_code ec;
        const fs::path candidate = fs::path(dir.empty() ? "." : dir) / program;
        if (fs::is_regular_file(candidate, ec) && access(candidate.c_str(), X_OK) == 0) {
            return fs::canonical(candidate, ec);
        }
    }
    return std::nullopt;
}

// A prefix records the modification time of the wine.inf it was made from and is
// brought up to date by the next Wine start when they differ. That update rewrites
// the prefix's system files, which a copy shares with the template (hard links), so
// the template must match the installed Wine.
std::optional<long long> WineInfTime() {
    std::vector<fs::path> candidates;
    if (const auto server = FindOnPath("wineserver")) {
        candidates.push_back(server->parent_path().parent_path() / "share/wine/wine.inf");
        candidates.push_back(server->parent_path().parent_path().parent_path() /
                             "share/wine/wine.inf");
    }
    candidates.emplace_back("/usr/share/wine/wine.inf");
    candidates.emplace_back("/usr/local/share/wine/wine.inf");
    for (const auto& candidate : candidates) {
        struct stat info {};
        if (stat(candidate.c_str(), &info) == 0) {
            return static_cast<long long>(info.st_mtime);
        }
    }
    return std::nullopt;
}

std::optional<long long> PrefixUpdateTime(const fs::path& prefix) {
    std::ifstream in(prefix / ".update-timestamp");
    long long value = 0;
    if (in >> value) {
        return value;
    }
    return std::nullopt;
}

// Fonts for the catalogue's scripts (Debian packages, scripts/install-packages).
// Wine's GDI takes a character that the selected face lacks from the faces linked to
// it (FontLink\SystemLink, looked up under the face's full name, and for the choice of
// a face for a code page under its family name), but only for text that needs no
// shaping: Thai and Persian are shaped with the selected face alone, so for them the
// face itself must hold the script, which Wine chooses when the system locale asks for
// that code page. The links Wine sets up name Windows fonts, absent here.
// - Liberation Sans (Arial's substitute): its family takes the CJK font, so a Chinese,
//   Korean or Japanese system locale keeps it for the Latin texts; its Bold Italic
//   face (the overlay's) draws Chinese and Korean from the CJK font. Thai and Arabic
//   stay off the family, or a Thai or Persian locale would choose Arial for shaping.
// - System, the font of the info line, is Loma first (Latin and Thai), then the CJK
//   font; Loma Bold (the face it gets) draws Chinese, Korean and Persian from those.
// - The CJK font draws Persian from Nazli; Wine gives it to Tahoma and MS Shell Dlg
//   (the menu and dialog fonts) through SimSun, PMingLiU, Gulim and MS UI Gothic,
//   the names it links them to under each system locale.
struct FontLink {
    const char* face;
    std::vector<const char*> linked; // "file,family"
};

const std::vector<FontLink>& FontLinks() {
    static const std::vector<FontLink> links = {
        {"Liberation Sans", {"wqy-microhei.ttc,WenQuanYi Micro Hei"}},
        {"Liberation Sans Bold Italic",
         {"wqy-microhei.ttc,WenQuanYi Micro Hei", "nazli.ttf,Nazli"}},
        {"System", {"Loma.ttf,Loma", "wqy-microhei.ttc,WenQuanYi Micro Hei", "nazli.ttf,Nazli"}},
        {"Loma Bold", {"wqy-microhei.ttc,WenQuanYi Micro Hei", "nazli.ttf,Nazli"}},
        {"WenQuanYi Micro Hei", {"nazli.ttf,Nazli"}},
    };
    return links;
}

constexpr const char* kReplacements[][2] = {
    {"SimSun", "WenQuanYi Micro Hei"},
    {"PMingLiU", "WenQuanYi Micro Hei"},
    {"Gulim", "WenQuanYi Micro Hei"},
    {"MS UI Gothic", "WenQuanYi Micro Hei"},
};

// The fonts' registry entries in the text of a registry file (ASCII); a multi-string
// value is written as its UTF-16LE bytes (hex(7)).
std::string FontRegistryText() {
    std::string text = "Windows Registry Editor Version 5.00\r\n\r\n"
                       "[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n";
    for (const auto& [face, replacement] : kReplacements) {
        text += std::string("\"") + face + "\"=\"" + replacement + "\"\r\n";
    }
    text += "\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows "
            "NT\\CurrentVersion\\FontLink\\SystemLink]\r\n";
    for (const FontLink& link : FontLinks()) {
        std::string bytes;
        for (const char* entry : link.linked) {
            bytes += entry;
            bytes.push_back('\0');
        }
        bytes.push_back('\0');
        text += std::string("\"") + link.face + "\"=hex(7):";
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "%s%02x,00", i == 0 ? "" : ",",
                          static_cast<unsigned char>(bytes[i]));
            text += hex;
        }
        text += "\r\n";
    }
    return text;
}

// The mark holds the font set-up the template was made with.
std::string CompleteMarkText() {
    return "complete\n" + FontRegistryText();
}

bool TemplateIsComplete(const fs::path& root) {
    std::error_code ec;
    if (!fs::exists(root / kCompleteMark, ec) || !fs::exists(root / "system.reg", ec) ||
        !fs::exists(root / "user.reg", ec)) {
        return false;
    }
    std::ifstream mark(root / kCompleteMark, std::ios::binary);
    const std::string made((std::istreambuf_iterator<char>(mark)),
                           std::istreambuf_iterator<char>());
    if (made != CompleteMarkText()) {
        return false;
    }
    const auto wine = WineInfTime();
    return !wine || PrefixUpdateTime(root) == wine;
}

// Clears the immutable attribute that MakeUnwritable may have set (root only).
void ClearImmutable(const fs::path& file) {
    const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        return;
    }
    int flags = 0;
    if (ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_IMMUTABLE_FL) != 0) {
        flags &= ~FS_IMMUTABLE_FL;
        ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    close(fd);
}

// Removes a folder tree even where a test took away write permissions or made a
// file immutable.
void RemoveTree(const fs::path& root) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(root, ec))) {
        return;
    }
    const bool rootUser = geteuid() == 0;
    for (auto it = fs::recursive_directory_iterator(root, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_symlink(ec)) {
            continue;
        }
        if (it->is_directory(ec)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        } else if (rootUser && it->is_regular_file(ec)) {
            ClearImmutable(it->path());
        }
    }
    fs::permissions(root, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root, ec);
}

// Wine links Desktop, Documents, Templates and the like in the profiles to the
// user's home folder; in a test prefix they become plain folders, so that no test
// can write into the home.
void CutLinksToHome(const fs::path& prefix) {
    std::error_code ec;
    std::vector<fs::path> links;
    for (auto it = fs::recursive_directory_iterator(prefix / "drive_c" / "users", ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_symlink(ec)) {
            links.push_back(it->path());
        }
    }
    for (const auto& link : links) {
        fs::remove(link, ec);
        fs::create_directory(link, ec);
    }
}

bool IsSharedModule(const fs::path& relative) {
    // Program and library images under windows/ are only read by Wine once the
    // prefix is current; everything else (registry, ini files, profiles) is copied.
    auto it = relative.begin();
    if (it == relative.end() || *it != "drive_c" || ++it == relative.end() || *it != "windows") {
        return false;
    }
    std::string extension = relative.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    static const char* const kModules[] = {".dll", ".exe", ".drv", ".sys", ".acm",     ".ocx",
                                           ".cpl", ".ax",  ".tlb", ".ds",  ".msstyles"};
    return std::any_of(std::begin(kModules), std::end(kModules),
                       [&](const char* m) { return extension == m; });
}

bool CopyFilePreserving(const fs::path& from, const fs::path& to, std::string* error) {
    std::error_code ec;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
    if (ec) {
        *error = "cannot copy " + from.string() + ": " + ec.message();
        return false;
    }
    struct stat info {};
    if (stat(from.c_str(), &info) == 0) {
        chmod(to.c_str(), info.st_mode & 07777);
        const timespec times[2] = {info.st_atim, info.st_mtim};
        utimensat(AT_FDCWD, to.c_str(), times, 0);
    }
    return true;
}

// `cp -a`, except that the template's program images are hard-linked when allowed.
bool CopyPrefix(const fs::path& from, const fs::path& to, bool linkModules, std::string* error) {
    std::error_code ec;
    fs::create_directories(to, ec);
    for (auto it = fs::recursive_directory_iterator(from, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        // Lexically: the prefix links to / and to the home folder.
        const fs::path relative = it->path().lexically_relative(from);
        const fs::path target = to / relative;
        if (relative == kCompleteMark) {
            continue;
        }
        if (it->is_symlink(ec)) {
            fs::copy_symlink(it->path(), target, ec);
        } else if (it->is_directory(ec)) {
            fs::create_directory(target, ec);
        } else if (linkModules && IsSharedModule(relative) &&
                   link(it->path().c_str(), target.c_str()) == 0) {
            continue;
        } else if (!CopyFilePreserving(it->path(), target, error)) {
            return false;
        }
        if (ec) {
            *error = "cannot copy " + it->path().string() + ": " + ec.message();
            return false;
        }
    }
    if (ec) {
        *error = "cannot read the template " + from.string() + ": " + ec.message();
        return false;
    }
    return true;
}

void EndWineServer(const fs::path& prefix) {
    const Environment env = BaseWineEnvironment(prefix, "", "C.UTF-8");
    std::string ignored;
    (void)RunCommand({"wineserver", "-k"}, env, 15s, &ignored);
    (void)RunCommand({"wineserver", "-w"}, env, 15s, &ignored);
}

// Folders of test processes that died without cleaning up ("run-<pid>-XXXXXX").
void RemoveAbandonedRuns(const fs::path& workDir) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(workDir, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("run-", 0) != 0) {
            continue;
        }
        const long pid = std::strtol(name.c_str() + 4, nullptr, 10);
        if (pid <= 0 || pid == getpid() || kill(static_cast<pid_t>(pid), 0) == 0 ||
            errno != ESRCH) {
            continue; // its owner is still running, or cannot be told
        }
        if (fs::exists(entry.path() / "prefix", ec)) {
            EndWineServer(entry.path() / "prefix");
        }
        RemoveTree(entry.path());
    }
}

} // namespace

Environment BaseWineEnvironment(const fs::path& prefix, const std::string& displayName,
                                const std::string& locale) {
    Environment env = Environment::Inherited();
    env.Set("WINEPREFIX", prefix.string());
    env.Set("WINEDEBUG", "-all");
    env.Set("WINEDLLOVERRIDES", "mscoree,mshtml=");
    env.Set("LC_ALL", locale);
    env.Unset("LANGUAGE");
    env.Unset("WINEARCH");
    env.Unset("WAYLAND_DISPLAY");
    // The profile's own temporary folder, not one inherited from the host.
    env.Unset("TEMP");
    env.Unset("TMP");
    if (displayName.empty()) {
        env.Unset("DISPLAY");
    } else {
        env.Set("DISPLAY", displayName);
    }
    return env;
}

fs::path WinePrefix::TemplateFolder(const fs::path& folder) {
    const auto wine = WineInfTime();
    return folder / ("e2e-prefix-template-" + (wine ? std::to_string(*wine) : "unknown"));
}

std::string WinePrefix::EnsureTemplate(const fs::path& root) {
    std::string error;
    std::error_code ec;
    fs::create_directories(root.parent_path(), ec);
    const auto lock = FileLock::Acquire(root.string() + ".lock", 600s, &error);
    if (!lock) {
        return error;
    }
    if (TemplateIsComplete(root)) {
        return {};
    }
    RemoveTree(root);
    // wineboot opens windows of its own; they go to a private server too.
    const std::string xLog = root.string() + ".xvfb.log";
    auto server = XServer::Start(640, 480, xLog, &error);
    if (!server) {
        return error;
    }
    const Environment env = BaseWineEnvironment(root, server->DisplayName(), "C.UTF-8");
    const std::string log = root.string() + ".log";
    const auto boot = RunCommand({"wineboot", "-i"}, env, 300s, &error, log);
    // The registry reaches the disk only when the server ends.
    const auto wait = RunCommand({"wineserver", "-w"}, env, 120s, &error, log);
    if (!boot || !wait) {
        EndWineServer(root);
        return "preparing the Wine prefix failed: " + error + " (see " + log + ")";
    }
    if (!boot->Succeeded() || !fs::exists(root / "system.reg", ec)) {
        EndWineServer(root);
        return "wineboot -i failed with " + boot->Describe() + " (see " + log + ")";
    }
    // A registry file in UTF-16, as the editor writes it; in an ANSI one Wine takes
    // the bytes of a hex(7) value for ANSI characters.
    const fs::path fonts = root / "drive_c" / "glimmerix-fonts.reg";
    {
        std::ofstream out(fonts, std::ios::binary);
        out << "\xFF\xFE";
        for (const char c : FontRegistryText()) {
            out << c << '\0';
        }
    }
    const auto import =
        RunCommand({"wine", "reg", "import", "C:\\glimmerix-fonts.reg"}, env, 60s, &error, log);
    const auto saved = RunCommand({"wineserver", "-w"}, env, 120s, &error, log);
    fs::remove(fonts, ec);
    if (!import || !saved || !import->Succeeded()) {
        EndWineServer(root);
        return "importing the font links failed: " + (import ? import->Describe() : error) +
               " (see " + log + ")";
    }
    CutLinksToHome(root);
    std::ofstream(root / kCompleteMark, std::ios::binary) << CompleteMarkText();
    if (!TemplateIsComplete(root)) {
        return "the prepared prefix " + root.string() + " does not match the installed Wine";
    }
    return {};
}

std::unique_ptr<WinePrefix> WinePrefix::CopyOf(const fs::path& templateDir, const fs::path& workDir,
                                               std::string* error) {
    std::error_code ec;
    fs::create_directories(workDir, ec);
    RemoveAbandonedRuns(workDir);
    std::string pattern = (workDir / ("run-" + std::to_string(getpid()) + "-XXXXXX")).string();
    if (mkdtemp(pattern.data()) == nullptr) {
        *error = "cannot create a folder under " + workDir.string() + ": " + std::strerror(errno);
        return nullptr;
    }
    const fs::path folder = pattern;
    std::unique_ptr<WinePrefix> prefix(new WinePrefix(folder, folder / "prefix"));
    // Hard links only where the template cannot be updated through them.
    const bool linkModules = WineInfTime().has_value();
    if (!CopyPrefix(templateDir, prefix->prefix, linkModules, error)) {
        return nullptr;
    }
    return prefix;
}

void WinePrefix::EndServer() const {
    EndWineServer(prefix);
}

WinePrefix::~WinePrefix() {
    EndWineServer(prefix);
    RemoveTree(folder);
}

fs::path WinePrefix::UserProfile() const {
    // Wine names the profile after the Unix user; take the one profile it made
    // rather than guessing that name.
    std::error_code ec;
    std::vector<fs::path> profiles;
    for (const auto& entry : fs::directory_iterator(DriveC() / "users", ec)) {
        if (entry.is_directory(ec) && entry.path().filename() != "Public" &&
            fs::is_directory(entry.path() / "AppData", ec)) {
            profiles.push_back(entry.path());
        }
    }
    std::sort(profiles.begin(), profiles.end());
    return profiles.empty() ? DriveC() / "users" / "unknown-user" : profiles.front();
}

std::string WinePrefix::UserName() const {
    return UserProfile().filename().string();
}

fs::path WinePrefix::TemporaryFolder() const {
    std::ifstream in(prefix / "user.reg", std::ios::binary);
    const std::string userReg((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    const auto value = UserEnvironmentValue(userReg, "TEMP", "C:\\users\\" + UserName());
    if (value) {
        if (auto host = HostPath(*value)) {
            return *host;
        }
    }
    return UserProfile() / "Temp";
}

std::optional<std::string> UserEnvironmentValue(std::string_view userReg, std::string_view name,
                                                std::string_view userProfile) {
    bool inEnvironment = false;
    std::size_t start = 0;
    while (start < userReg.size()) {
        std::size_t end = userReg.find('\n', start);
        if (end == std::string_view::npos) {
            end = userReg.size();
        }
        std::string_view line = userReg.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!line.empty() && line.front() == '[') {
            // Key names are escaped like values; "Environment" has nothing to escape.
            inEnvironment = line.rfind("[Environment]", 0) == 0;
            continue;
        }
        const std::string quotedName = "\"" + std::string(name) + "\"=";
        if (!inEnvironment || line.size() < quotedName.size() ||
            line.compare(0, quotedName.size(), quotedName) != 0) {
            continue;
        }
        std::string_view raw = line.substr(quotedName.size());
        // Expandable strings are written as str(2):"...".
        if (raw.rfind("str(2):", 0) == 0) {
            raw.remove_prefix(7);
        }
        if (raw.size() < 2 || raw.front() != '"' || raw.back() != '"') {
            return std::nullopt;
        }
        raw = raw.substr(1, raw.size() - 2);
        std::string value;
        for (std::size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '\\' && i + 1 < raw.size()) {
                ++i;
            }
            value.push_back(raw[i]);
        }
        const std::string variable = "%USERPROFILE%";
        for (auto at = value.find(variable); at != std::string::npos;
             at = value.find(variable, at + userProfile.size())) {
            value.replace(at, variable.size(), userProfile);
        }
        return value;
    }
    return std::nullopt;
}

std::optional<fs::path> HostPathOnDriveC(const fs::path& driveC, std::string_view windowsPath) {
    if (windowsPath.size() < 2 || windowsPath[1] != ':' ||
        (windowsPath[0] != 'C' && windowsPath[0] != 'c') ||
        (windowsPath.size() > 2 && windowsPath[2] != '\\')) {
        return std::nullopt; // another drive, or relative to the drive's current folder
    }
    fs::path host = driveC;
    std::string_view rest = windowsPath.substr(2);
    while (!rest.empty()) {
        const auto separator = rest.find('\\');
        const std::string_view part = rest.substr(0, separator);
        if (part == "..") {
            return std::nullopt;
        }
        if (!part.empty() && part != ".") {
            host /= std::string(part);
        }
        if (separator == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(separator + 1);
    }
    return host;
}

std::optional<fs::path> WinePrefix::HostPath(std::string_view windowsPath) const {
    return HostPathOnDriveC(DriveC(), windowsPath);
}

Environment WinePrefix::WineEnvironment(const std::string& displayName,
                                        const std::string& locale) const {
    return BaseWineEnvironment(prefix, displayName, locale);
}

bool WinePrefix::MakeUnwritable(const fs::path& file, std::string* error) {
    std::error_code ec;
    fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove, ec);
    if (ec) {
        *error = "cannot clear the write bits of " + file.string() + ": " + ec.message();
        return false;
    }
    if (geteuid() == 0) {
        const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
        int flags = 0;
        if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            ioctl(fd, FS_IOC_SETFLAGS, &flags); // the probe below tells whether it took
        }
        if (fd >= 0) {
            close(fd);
        }
    }
    // Wine runs as this same user, so what this process may write, it may too.
    const int probe = open(file.c_str(), O_WRONLY | O_CLOEXEC);
    if (probe >= 0) {
        close(probe);
        *error = file.string() + " stays writable for this user (root without the "
                                 "immutable attribute on this file system?)";
        return false;
    }
    return true;
}

} // namespace e2e
