// Composition of the translation export. The text grows as needed: the catalogue
// decides how long it is, not a buffer size.
#include "text/translation_export.h"

namespace {

constexpr char16_t kLineEnd[] = u"\r\n";

TextView ValueOrEmpty(const char16_t* value) {
    return value != nullptr ? TextView(value) : TextView();
}

} // namespace

Text ComposeTranslationExport(const char16_t* programName, const char16_t* request,
                              TextView englishReference) {
    const TextView name = ValueOrEmpty(programName);
    const TextView requestText = ValueOrEmpty(request);
    Text text;
    text.reserve(128 + name.size() + requestText.size() + englishReference.size() * 2);
    text += u'\xFEFF';
    text += u"!!!! Please don't forget !!!! Write in e-mail subject: Strings for: ";
    text += name;
    text += u" LNG:xxxx\r\n\r\n";
    text += requestText;
    text += u"\r\n\r\n";

    // Line by line, so that every line leaves with CR LF whatever ended it here. A
    // leading LF is the end of the section's marker line, not a line of the section.
    std::size_t start = !englishReference.empty() && englishReference[0] == u'\n' ? 1 : 0;
    while (start < englishReference.size()) {
        std::size_t end = englishReference.find(u'\n', start);
        const std::size_t next = end == TextView::npos ? englishReference.size() : end + 1;
        if (end == TextView::npos) {
            end = englishReference.size();
        }
        if (end > start && englishReference[end - 1] == u'\r') {
            --end;
        }
        text += englishReference.substr(start, end - start);
        text += kLineEnd;
        start = next;
    }
    return text;
}

Text ComposeTranslationExport(const Catalogue& catalogue) {
    return ComposeTranslationExport(catalogue.SectionZeroValue(0), catalogue.SectionZeroValue(25),
                                    catalogue.EnglishReference());
}

std::vector<std::uint8_t> Utf16LeBytes(TextView text) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}
