// Files, dialog, code page and message box of the translation tools.
#include "text/win/translation_files.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <utility>

#include "text/text_lookup.h"
#include "text/translation_export.h"
#include "text/win/unique_owner.h"
#include "text/win/wide.h"

namespace {

constexpr DWORD kReadChunk = 64 * 1024;

} // namespace

TranslationFileBytes ReadTranslationFile(const Text& path) {
    TranslationFileBytes result;
    // Others may keep the file open, an editor for instance; reading must not stop them.
    UniqueHandle file(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) {
        return result;
    }
    if (static_cast<unsigned long long>(size.QuadPart) > kMaxTranslationFileBytes) {
        result.status = TranslationFileStatus::TooLarge;
        return result;
    }
    result.bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t filled = 0;
    while (filled < result.bytes.size()) {
        const DWORD wanted =
            static_cast<DWORD>(std::min<std::size_t>(kReadChunk, result.bytes.size() - filled));
        DWORD read = 0;
        if (!ReadFile(file.Get(), result.bytes.data() + filled, wanted, &read, nullptr)) {
            result.bytes.clear();
            return result;
        }
        if (read == 0) {
            break; // the file became shorter since its size was read
        }
        filled += read;
    }
    result.bytes.resize(filled);
    result.status = TranslationFileStatus::Loaded;
    return result;
}

std::optional<Text> AnsiCodePageToText(std::string_view ansi) {
    if (ansi.empty()) {
        return Text();
    }
    // The caller bounds the input far below INT_MAX.
    const int length = static_cast<int>(ansi.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    if (units <= 0) {
        return std::nullopt;
    }
    Text text(static_cast<std::size_t>(units), u'\0');
    if (MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, Wide(text.data()), units) != units) {
        return std::nullopt;
    }
    return text;
}

Text TemporaryFolder() {
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0) {
        return Text();
    }
    if (length <= MAX_PATH) {
        return FromWide(folder, length);
    }
    // A longer folder: the result was the size needed, terminator included.
    Text longFolder(length, u'\0');
    const DWORD written = GetTempPathW(length, Wide(longFolder.data()));
    if (written == 0 || written >= length) {
        return Text();
    }
    longFolder.resize(written);
    return longFolder;
}

bool WriteWholeFile(const Text& path, const std::vector<std::uint8_t>& bytes) {
    DeleteFileW(Wide(path));
    UniqueHandle file(CreateFileW(Wide(path), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const DWORD wanted =
            static_cast<DWORD>(std::min<std::size_t>(kReadChunk, bytes.size() - written));
        DWORD done = 0;
        if (!WriteFile(file.Get(), bytes.data() + written, wanted, &done, nullptr) || done == 0) {
            return false;
        }
        written += done;
    }
    // Had the old file survived the delete (open elsewhere), its longer tail would
    // otherwise stay behind the new text.
    return SetEndOfFile(file.Get()) != FALSE;
}

std::optional<Text> ChooseTranslationFile() {
    wchar_t fileName[MAX_PATH] = {};
    wchar_t fileTitle[MAX_PATH] = {};
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.lpstrFile = fileName;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrFileTitle = fileTitle;
    dialog.nMaxFileTitle = MAX_PATH;
    if (!GetOpenFileNameW(&dialog)) {
        return std::nullopt;
    }
    return FromWide(fileName);
}

void OpenWithShell(const Text& path) {
    ShellExecuteW(nullptr, L"open", Wide(path), nullptr, nullptr, SW_SHOWNORMAL);
}

void ShowTranslateMessage(const Text& message) {
    MessageBoxW(GetActiveWindow(), Wide(message), L"Translate", MB_OK);
}

Text TranslationExportPath() {
    Text folder = TemporaryFolder();
    if (folder.empty()) {
        return Text();
    }
    return folder + kExportFileName;
}

bool WriteTranslationExport(const Catalogue& catalogue, const Text& path) {
    return WriteWholeFile(path, Utf16LeBytes(ComposeTranslationExport(catalogue)));
}

ImportOutcome ImportTranslationFromFile(const Text& path, const Catalogue& catalogue,
                                        TranslationSlot& slot) {
    const TranslationFileBytes file = ReadTranslationFile(path);
    return ImportTranslationBytes(file.status, file.bytes, path, AnsiCodePageToText, catalogue,
                                  slot);
}

void ExportTranslation() {
    const Text path = TranslationExportPath();
    if (path.empty()) {
        return; // nowhere to write, nothing to open
    }
    // The shell opens the path even when writing failed: an older export may be there.
    (void)WriteTranslationExport(TheCatalogue(), path);
    OpenWithShell(path);
}

void ImportTranslation() {
    const std::optional<Text> path = ChooseTranslationFile();
    if (!path) {
        return;
    }
    ShowTranslateMessage(
        ImportTranslationFromFile(*path, TheCatalogue(), TheTranslation()).message);
}
