// Fuzzes the translation import on arbitrary file bytes: decoding (UTF-16, UTF-8 or a
// stand-in ANSI code page), loading into a translation slot, lookups and the report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "text/catalog.h"
#include "text/embedded_catalog.h"
#include "text/loaded_translation.h"
#include "text/text.h"
#include "text/text_lookup.h"
#include "text/translation_import.h"

namespace {

// A double-byte code page in miniature: a byte from 0x81 takes the next byte with it,
// so that splitting a file in the wrong place would show.
std::optional<Text> FakeAnsi(std::string_view ansi) {
    Text text;
    for (std::size_t i = 0; i < ansi.size(); ++i) {
        const auto lead = static_cast<unsigned char>(ansi[i]);
        if (lead >= 0x81 && i + 1 < ansi.size()) {
            text.push_back(
                static_cast<char16_t>(lead << 8 | static_cast<unsigned char>(ansi[++i])));
        } else {
            text.push_back(static_cast<char16_t>(lead));
        }
    }
    return text;
}

const Catalogue& EmbeddedCatalogue() {
    static const Catalogue* const catalogue = [] {
        auto* built = new Catalogue;
        if (!built->BuildFromBlock(EmbeddedCatalogBlock())) {
            std::abort();
        }
        return built;
    }();
    return *catalogue;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Catalogue& catalogue = EmbeddedCatalogue();
    TranslationSlot slot; // per input, so memory stays flat over the run
    const std::span<const std::uint8_t> bytes(data, size);
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    const Utf8Decoding utf8 = DecodeUtf8(raw);
    if (utf8.text.size() > size ||
        (utf8.replaced == 0 && !utf8.cutShort && TextToUtf8(utf8.text) != raw)) {
        std::abort(); // well-formed UTF-8 comes back byte for byte
    }
    const ImportOutcome outcome = ImportTranslationBytes(TranslationFileStatus::Loaded, bytes,
                                                         u"fuzz.txt", FakeAnsi, catalogue, slot);
    if (!outcome.loaded || slot.Current() == nullptr || outcome.message.empty()) {
        std::abort(); // every file within the bound loads
    }
    for (int id = -1; id <= 256; ++id) {
        const char16_t* text = LookupText(catalogue, slot.Current(), 1, id);
        if ((id >= 0 && id < 128) != (text != nullptr)) {
            std::abort(); // a loaded translation answers every id, with "str:n?" at worst
        }
    }
    return 0;
}
