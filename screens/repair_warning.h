// The repair screen's photosensitivity warning: the next key starts the flasher, so
// the screen says so in the language it shows, below its other texts.
#pragma once

#include "screens/overlay_text.h"
#include "text/text.h"

// The warning in `languageIndex`; English outside the table and whenever a loaded
// translation replaces the catalogue, whose language the table cannot know.
[[nodiscard]] Text RepairWarningText(int languageIndex, bool translationLoaded);

// The rectangle the warning is word-wrapped in: below `textsBottom` (the measured
// bottom of the repair texts) by half a line and the shadow's reach, with the
// overlay's inset on the left and the same inset on the right.
[[nodiscard]] TextBox RepairWarningBox(const TextBox& client, int textsBottom,
                                       int fontHeight) noexcept;

// Whether a warning measured at `drawn` stays inside the client with the inset at the
// bottom as well; a smaller font is tried when it does not.
[[nodiscard]] bool RepairWarningFits(const TextBox& client, const TextBox& drawn) noexcept;
