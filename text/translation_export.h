// The translation export: the English texts behind a short request to the translator,
// as the UTF-16LE bytes of the file that is opened in the user's editor.
#pragma once

#include <cstdint>
#include <vector>

#include "text/catalog.h"
#include "text/text.h"

// The export goes to "translate_" + the main window's title + ".txt".
inline constexpr char16_t kExportFileName[] = u"translate_Glimmerix.txt";

// The file's text: U+FEFF; the request line with the program name and " LNG:xxxx";
// a blank line; the request text; a blank line; the English lines. Every line ends with
// CR LF. `englishReference` may end its lines with LF or CR LF and may start with the
// LF that ended its marker line (left out); a missing value is empty.
[[nodiscard]] Text ComposeTranslationExport(const char16_t* programName, const char16_t* request,
                                            TextView englishReference);

// The same from the catalogue: program name (value 0), request (value 25), English lines.
[[nodiscard]] Text ComposeTranslationExport(const Catalogue& catalogue);

// The UTF-16LE bytes of a text, without a terminating NUL.
[[nodiscard]] std::vector<std::uint8_t> Utf16LeBytes(TextView text);
