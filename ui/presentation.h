// Palette, picture codes and board geometry shared by the drawing code and
// the Qt shell.
#pragma once

#include <cstdint>

#include "rules/types.h"

namespace zenko {

// The fixed 16-colour palette.
inline constexpr int ColorBlack = 0;
inline constexpr int ColorGreen = 2;
inline constexpr int ColorLightCyan = 11;
inline constexpr int ColorLightRed = 12;
inline constexpr int ColorYellow = 14;
inline constexpr int ColorWhite = 15;
inline constexpr int LineColor = ColorGreen;  // ruled lines, window background
inline constexpr int SquareLineColor = LineColor;
inline constexpr int MoveTextColor = ColorWhite;

struct Rgb {
    std::uint8_t r, g, b;
};
Rgb palette_rgb(int index);  // black for an index outside 0..15

// Picture codes beyond the piece codes (0 is the empty square).
inline constexpr int PictureTitle = 11;
inline constexpr int BackgroundGreen = 12;
inline constexpr int BackgroundTatami = 13;
inline constexpr int BackgroundBamboo = 14;
inline constexpr int BackgroundSpace = 15;
inline constexpr int BackgroundBrick = 16;

// Name of the picture holder (and its file under ui/pictures/) for a picture
// code, or nullptr when the code names no picture.
const char* picture_holder_name(int pictureCode);
// Size of a picture in pixels at device pixel ratio 1.
inline constexpr int PictureSize = 39;
inline constexpr int TitlePictureWidth = 121;

// Board geometry, in twips.
inline constexpr int BoardOriginX = 450;
inline constexpr int BoardOriginY = 30;
inline constexpr int SquareWidth = 580;
inline constexpr int SquareHeight = 580;
inline constexpr int TwipsPerPixel = 15;

// The client area the drawing is laid out for (pixels at ratio 1).
inline constexpr int ClientWidthPixels = 592;
inline constexpr int ClientHeightPixels = 476;
// The move list right of it, which the window adds to its width when shown.
inline constexpr int MoveListWidthPixels = 200;

// Window point (twips) of grid position (gx, gy), rounded to whole twips.
int grid_to_twips_x(double gx);
int grid_to_twips_y(double gy);

// Square under a window point; columns and rows outside 1..9 / 1..10 are off the board.
struct GridSquare {
    int x, y;
    bool on_board() const { return zenko::on_board(x, y); }
};
GridSquare square_at(double xTwips, double yTwips);

}  // namespace zenko
