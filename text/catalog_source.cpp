// Conversion of the catalogue source into the UTF-16LE text that is compressed.
#include "text/catalog_source.h"

#include "text/text.h"

std::optional<std::vector<std::uint8_t>> CatalogueTextFromSource(std::string_view utf8Source) {
    if (utf8Source.starts_with("\xEF\xBB\xBF")) {
        utf8Source.remove_prefix(3); // a BOM written by an editor is not part of the text
    }
    const auto text = Utf8ToText(utf8Source);
    if (!text) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text->size() * 2 + 64);
    const auto put = [&bytes](char16_t c) {
        bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(c >> 8));
    };
    put(u'\xFEFF');
    for (std::size_t i = 0; i < text->size(); ++i) {
        const char16_t c = (*text)[i];
        if (c == u'\r') {
            continue; // line ends are normalised below, whatever the source used
        }
        if (c == u'\n') {
            put(u'\r');
        }
        put(c);
    }
    return bytes;
}
