// The key codes the game handles, as the window passes them to Form_KeyDown.
#pragma once

namespace zenko {

inline constexpr int KeyEscape = 27;
inline constexpr int KeyF1 = 112;
inline constexpr int KeyF2 = 113;

}  // namespace zenko
