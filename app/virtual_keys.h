// Key codes the command logic tests for: the Windows virtual-key values as plain
// integers, so the Windows layer passes wParam and GetAsyncKeyState codes through
// unchanged. Digits and letters are their upper-case ASCII characters ('0', 'H').
#pragma once

namespace vkey {

inline constexpr int kBack = 0x08;
inline constexpr int kReturn = 0x0D;
inline constexpr int kEscape = 0x1B;
inline constexpr int kAdd = 0x6B;      // numeric-pad plus
inline constexpr int kSubtract = 0x6D; // numeric-pad minus
inline constexpr int kF1 = 0x70;
inline constexpr int kF2 = 0x71;
inline constexpr int kF3 = 0x72;
inline constexpr int kF4 = 0x73;
inline constexpr int kF5 = 0x74;
inline constexpr int kF6 = 0x75;
inline constexpr int kF7 = 0x76;
inline constexpr int kF8 = 0x77;
inline constexpr int kLeftAlt = 0xA4; // VK_LMENU

} // namespace vkey
