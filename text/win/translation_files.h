// The translation tools on Windows: the export file in the temporary folder opened by
// the shell, and the import through the open-file dialog with its report.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "text/catalog.h"
#include "text/loaded_translation.h"
#include "text/text.h"
#include "text/translation_import.h"

struct TranslationFileBytes {
    TranslationFileStatus status = TranslationFileStatus::Unreadable;
    std::vector<std::uint8_t> bytes;
};

// The whole file, or why not: Unreadable when it cannot be opened or read, TooLarge
// (read no further) when it is above kMaxTranslationFileBytes.
[[nodiscard]] TranslationFileBytes ReadTranslationFile(const Text& path);

// Text in the system's ANSI code page as UTF-16, converted in one call.
[[nodiscard]] std::optional<Text> AnsiCodePageToText(std::string_view ansi);

// The user's temporary folder with its trailing backslash; empty when the system has none.
[[nodiscard]] Text TemporaryFolder();

// Deletes the file, creates it anew (shared for reading) and writes `bytes`; false when
// it could not be created or written.
[[nodiscard]] bool WriteWholeFile(const Text& path, const std::vector<std::uint8_t>& bytes);

// The file the user picks in the open-file dialog; nothing when the dialog is cancelled.
[[nodiscard]] std::optional<Text> ChooseTranslationFile();

// Opens the file with the shell's "open" verb, in the program the user has for it.
void OpenWithShell(const Text& path);

// Shows `message` in the box of the translation tools, owned by the active window.
void ShowTranslateMessage(const Text& message);

// The export file: the temporary folder and "translate_Glimmerix.txt"; empty when the
// system has no temporary folder.
[[nodiscard]] Text TranslationExportPath();

// Writes the export of `catalogue` to `path`; false when it could not be written.
[[nodiscard]] bool WriteTranslationExport(const Catalogue& catalogue, const Text& path);

// Reads the file at `path` and loads it into `slot` when it is readable and within the
// bound; the outcome's message is the report or why nothing changed.
[[nodiscard]] ImportOutcome ImportTranslationFromFile(const Text& path, const Catalogue& catalogue,
                                                      TranslationSlot& slot);

// The key T and the menu's "Translate": writes the export of the program's catalogue
// and opens it with the shell, also when it could not be written.
void ExportTranslation();

// The menu's "Load from File (Unicode)": asks for a file, loads it as the program's
// translation and shows the report. A cancelled dialog does nothing.
void ImportTranslation();
