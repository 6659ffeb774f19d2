// Decoding of translation files and the completeness report of a loaded one.
#include "text/translation_import.h"

#include <utility>

namespace {

constexpr int kReportIds = 256;
constexpr int kListedMissing = 9; // missing texts shown in full before the id list

bool IsNonEmpty(const char16_t* text) {
    return text != nullptr && text[0] != 0;
}

} // namespace

DecodedTranslation DecodeTranslationFile(std::span<const std::uint8_t> bytes,
                                         const AnsiToText& ansiToText) {
    DecodedTranslation result;
    if (bytes.size() > kMaxTranslationFileBytes) {
        result.status = TranslationFileStatus::TooLarge;
        return result;
    }
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        const std::size_t units = (bytes.size() - 2) / 2; // an odd last byte is no unit
        result.text.resize(units);
        for (std::size_t i = 0; i < units; ++i) {
            result.text[i] = static_cast<char16_t>(bytes[2 + 2 * i] | bytes[3 + 2 * i] << 8);
        }
        result.status = TranslationFileStatus::Loaded;
        return result;
    }
    if (bytes.empty()) {
        result.status = TranslationFileStatus::Loaded;
        return result;
    }
    const std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    // Editors save UTF-8, with or without a mark. Without the mark a file is taken as
    // UTF-8 only when it holds well-formed non-ASCII characters and nothing ill-formed:
    // ANSI text in a single-byte or double-byte code page almost never does.
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    const bool marked = raw.starts_with(kUtf8Mark);
    Utf8Decoding utf8 = DecodeUtf8(marked ? raw.substr(kUtf8Mark.size()) : raw);
    if (marked || (utf8.replaced == 0 && utf8.nonAscii > 0)) {
        result.text = std::move(utf8.text);
        result.status = TranslationFileStatus::Loaded;
        return result;
    }
    std::optional<Text> converted = ansiToText(raw);
    if (!converted) {
        result.status = TranslationFileStatus::Unreadable;
        return result;
    }
    result.text = std::move(*converted);
    result.status = TranslationFileStatus::Loaded;
    return result;
}

Text TranslationFailureMessage(TranslationFileStatus status, TextView path) {
    switch (status) {
    case TranslationFileStatus::Loaded:
        return Text();
    case TranslationFileStatus::Unreadable:
        return FormatText(u"The file could not be read:\n%s\n\nThe texts stay as they were.",
                          {path});
    case TranslationFileStatus::TooLarge:
        return FormatText(u"The file is larger than %d MB and cannot be a translation "
                          u"file:\n%s\n\nThe texts stay as they were.",
                          {std::int64_t{kMaxTranslationFileBytes / (1024 * 1024)}, path});
    }
    return Text();
}

Text TranslationReport(const TextOfId& englishText, const TextOfId& loadedText) {
    int total = 0;
    int present = 0;
    int missing = 0;
    Text missingList;
    for (int id = 0; id < kReportIds; ++id) {
        const char16_t* english = englishText(id);
        if (!IsNonEmpty(english)) {
            continue;
        }
        ++total;
        if (IsNonEmpty(loadedText(id))) {
            ++present;
            continue;
        }
        ++missing;
        if (missing <= kListedMissing) {
            missingList += FormatText(u"%d=%s\n", {std::int64_t{id}, TextView(english)});
        } else {
            if (missing == kListedMissing + 1) {
                missingList += u"........\n";
            }
            missingList += FormatText(u"%d,", {std::int64_t{id}});
        }
    }
    // Without English texts there is nothing to be complete against.
    const int percent =
        total > 0 ? static_cast<int>(static_cast<double>(present) / total * 100.0) : 0;
    Text report = FormatText(u"%d %%", {std::int64_t{percent}});
    if (missing > 0) {
        report += u"\n\nmiss:\n";
        report += missingList;
    }
    return report;
}

ImportOutcome ImportTranslationBytes(TranslationFileStatus readStatus,
                                     std::span<const std::uint8_t> bytes, TextView path,
                                     const AnsiToText& ansiToText, const Catalogue& catalogue,
                                     TranslationSlot& slot) {
    ImportOutcome outcome;
    DecodedTranslation decoded;
    decoded.status = readStatus;
    if (readStatus == TranslationFileStatus::Loaded) {
        decoded = DecodeTranslationFile(bytes, ansiToText);
    }
    if (decoded.status != TranslationFileStatus::Loaded) {
        outcome.message = TranslationFailureMessage(decoded.status, path);
        return outcome;
    }
    const LoadedTranslation& loaded = slot.Load(std::move(decoded.text));
    outcome.loaded = true;
    outcome.message =
        TranslationReport([&catalogue](int id) { return catalogue.RowText(kEnglishIndex, id); },
                          [&loaded](int id) { return loaded.TextOf(id); });
    return outcome;
}
