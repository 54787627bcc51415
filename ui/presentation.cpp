#include "ui/presentation.h"

#include <cmath>

namespace zenko {

Rgb palette_rgb(int index) {
    static constexpr Rgb palette[16] = {
        {0, 0, 0},     {0, 0, 128},     {0, 128, 0},     {0, 128, 128},   {128, 0, 0}, {128, 0, 128},
        {128, 128, 0}, {192, 192, 192}, {128, 128, 128}, {0, 0, 255},     {0, 255, 0}, {0, 255, 255},
        {255, 0, 0},   {255, 0, 255},   {255, 255, 0},   {255, 255, 255},
    };
    if (index < 0 || index > 15) return palette[0];
    return palette[index];
}

const char* picture_holder_name(int pictureCode) {
    struct Holder {
        int code;
        const char* name;
    };
    static constexpr Holder holders[] = {
        {0, "KARA_MASU"},
        {1, "UE_SOTU"},
        {2, "UE_SI"},
        {3, "UE_HOU"},
        {4, "UE_ZOU"},
        {5, "UE_SYA"},
        {6, "UE_UMA"},
        {7, "UE_SYOU"},
        {-1, "SITA_HEI"},
        {-2, "SITA_TUKAE"},
        {-3, "SITA_HOU"},
        {-4, "SITA_AI"},
        {-5, "SITA_SYA"},
        {-6, "SITA_UMA"},
        {-7, "SITA_SI"},
        {PictureTitle, "ZENKOSHOGI"},
        {BackgroundGreen, "HAIKEI_MIDORI"},
        {BackgroundTatami, "HAIKEI_TATAMI"},
        {BackgroundBamboo, "HAIKEI_TAKE"},
        {BackgroundSpace, "HAIKEI_UCHU"},
        {BackgroundBrick, "HAIKEI_RENGA"},
    };
    for (const Holder& h : holders)
        if (h.code == pictureCode) return h.name;
    return nullptr;
}

int grid_to_twips_x(double gx) { return static_cast<int>(std::lround(BoardOriginX + gx * SquareWidth)); }
int grid_to_twips_y(double gy) { return static_cast<int>(std::lround(BoardOriginY + gy * SquareHeight)); }

GridSquare square_at(double xTwips, double yTwips) {
    return {static_cast<int>(std::floor((xTwips - BoardOriginX) / SquareWidth)),
            static_cast<int>(std::floor((yTwips - BoardOriginY) / SquareHeight))};
}

}  // namespace zenko
