// Fuzzes the id=text parser on arbitrary UTF-16 text: every entry it sets must point
// into the text, right behind an "=", and end inside it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/id_text.h"
#include "text/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Text text;
    text.reserve(size / 2);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
    }
    TextRow row;
    row.fill(nullptr);
    ParseIdTextLines(text.data(), row);
    const char16_t* const begin = text.data();
    const char16_t* const end = begin + text.size();
    for (int id = 0; id < kTextRowSize; ++id) {
        const char16_t* entry = row[static_cast<std::size_t>(id)];
        if (entry == nullptr) {
            continue;
        }
        if (id >= kTextIdCount || entry <= begin || entry > end || entry[-1] != u'=') {
            std::abort();
        }
        if (entry + std::char_traits<char16_t>::length(entry) > end) {
            std::abort();
        }
    }
    return 0;
}
