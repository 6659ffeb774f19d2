// Scratch folders and whole-file access for the tests (see scratch_files.h).
#include "tests/windows/support/scratch_files.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "screens/win/gdi_owners.h"
#include "text/win/wide.h"

namespace {

void RemoveTree(const Text& path) {
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileW(Wide(JoinPath(path, u"*")), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const Text name = FromWide(entry.cFileName);
            if (name == u"." || name == u"..") {
                continue;
            }
            const Text child = JoinPath(path, name);
            SetFileAttributesW(Wide(child), FILE_ATTRIBUTE_NORMAL);
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveTree(child);
            } else {
                DeleteFileW(Wide(child));
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(Wide(path));
}

Text SystemTempFolder() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    Text folder = FromWide(buffer, length);
    while (!folder.empty() && folder.back() == u'\\') {
        folder.pop_back();
    }
    return folder;
}

} // namespace

Text JoinPath(const Text& folder, const Text& name) {
    return folder + u'\\' + name;
}

void WriteFileBytes(const Text& path, std::span<const std::uint8_t> bytes) {
    const UniqueHandle file(CreateFileW(Wide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << TextToUtf8(path);
    DWORD written = 0;
    ASSERT_TRUE(
        WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ASSERT_EQ(written, bytes.size());
}

std::optional<Bytes> ReadFileBytes(const Text& path) {
    const UniqueHandle file(CreateFileW(Wide(path), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return std::nullopt;
    }
    Bytes bytes;
    std::uint8_t chunk[4096];
    DWORD read = 0;
    while (ReadFile(file.Get(), chunk, sizeof(chunk), &read, nullptr) && read > 0) {
        bytes.insert(bytes.end(), chunk, chunk + read);
    }
    return bytes;
}

ScratchFolder::ScratchFolder() {
    static int counter = 0;
    path = JoinPath(SystemTempFolder(),
                    FormatText(u"glimmerix_test_%d_%d",
                               {std::int64_t{GetCurrentProcessId()}, std::int64_t{++counter}}));
    RemoveTree(path);
    CreateDirectoryW(Wide(path), nullptr);
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(path);
}

Text ScratchFolder::Make(const Text& name) const {
    const Text folder = File(name);
    CreateDirectoryW(Wide(folder), nullptr);
    return folder;
}
