// The language index that the user's Windows language selects when no language has
// been stored yet.
#pragma once

// langId is a Windows LANGID: primary language in the low 10 bits, sublanguage in the
// top 6 bits of its 16. Languages without a translation of their own give English (1).
[[nodiscard]] int DefaultLanguageIndex(int langId) noexcept;
