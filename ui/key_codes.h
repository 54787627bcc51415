// The key codes the game handles, as the window passes them to Form_KeyDown.
#pragma once

namespace zenko {

inline constexpr int KeyEscape = 27;
inline constexpr int KeyF1 = 112;
inline constexpr int KeyF2 = 113;
inline constexpr int KeyEnd = 35;
inline constexpr int KeyHome = 36;
inline constexpr int KeyLeft = 37;
inline constexpr int KeyRight = 39;

}  // namespace zenko
