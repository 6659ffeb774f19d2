// Test aid: a private folder under the system's temporary folder that is removed with
// everything in it, and whole-file reads and writes through the Windows file API.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "text/text.h"

using Bytes = std::vector<std::uint8_t>;

[[nodiscard]] inline Bytes BytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

// folder + '\' + name.
[[nodiscard]] Text JoinPath(const Text& folder, const Text& name);

// Creates or replaces the file; a failure is reported to the running test.
void WriteFileBytes(const Text& path, std::span<const std::uint8_t> bytes);
inline void WriteFileBytes(const Text& path, std::string_view bytes) {
    WriteFileBytes(path,
                   std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}
// The whole file, or nothing when it cannot be opened (a missing file is not empty).
[[nodiscard]] std::optional<Bytes> ReadFileBytes(const Text& path);

class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // A path inside the folder; nothing is created.
    [[nodiscard]] Text File(const Text& name) const { return JoinPath(path, name); }
    // A subfolder, created.
    [[nodiscard]] Text Make(const Text& name) const;

    Text path; // without a closing backslash
};
