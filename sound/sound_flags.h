// Buffer flags of the sound library's dsCreateDSB, shared by the library and
// the game that asks it for buffers (ds.h says what each one does).
#pragma once

inline constexpr int DS_FLAG_MUSIC = 1;
inline constexpr int DS_FLAG_EFFECT = 3;
inline constexpr int DS_FLAG_OVERLAP = 2;
