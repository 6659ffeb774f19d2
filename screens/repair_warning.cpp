// The warning's texts and its place under the repair texts.
#include "screens/repair_warning.h"

#include <cstdlib>

#include "screens/own_texts.h"

namespace {

constexpr int kInset = 30;
constexpr int kEnglish = 1;

} // namespace

Text RepairWarningText(int languageIndex, bool translationLoaded) {
    return OwnTextsOf(translationLoaded ? kEnglish : languageIndex).repairWarning;
}

TextBox RepairWarningBox(const TextBox& client, int textsBottom, int fontHeight) noexcept {
    // The white copy lies an eighth of the font height above its shadow at most, so
    // half a line keeps it clear of the texts' last shadows.
    TextBox box = client;
    box.left += kInset;
    box.right -= kInset;
    box.top = textsBottom + std::abs(fontHeight) / 2;
    return box;
}

bool RepairWarningFits(const TextBox& client, const TextBox& drawn) noexcept {
    return drawn.left >= client.left && drawn.right <= client.right &&
           drawn.bottom <= client.bottom - kInset;
}
