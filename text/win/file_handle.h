// Owns a file handle from CreateFileW; closed on every path out.
#pragma once

#include <windows.h>

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) noexcept : handle(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (IsOpen()) {
            CloseHandle(handle);
        }
    }
    [[nodiscard]] bool IsOpen() const noexcept { return handle != INVALID_HANDLE_VALUE; }
    [[nodiscard]] HANDLE Get() const noexcept { return handle; }

private:
    HANDLE handle;
};
