// The committed artwork: every picture at its size for both pixel ratios,
// opaque, compiled into the program, tiles that join without a seam, pieces
// that sit on the empty square's wood, and the two sides in their own inks.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "ui/presentation.h"

namespace zenko {
namespace {

QString source_dir() {
    if (const char* dir = std::getenv("ZENKO_SOURCE_DIR")) return QString::fromLocal8Bit(dir);
    return QStringLiteral(__FILE__).section(QLatin1Char('/'), 0, -4);
}

QImage picture_file(int code, int ratio) {
    const QString suffix = ratio == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png");
    QImage image(source_dir() + QStringLiteral("/ui/pictures/") +
                 QString::fromLatin1(picture_holder_name(code)) + suffix);
    return image.convertToFormat(QImage::Format_RGB32);
}

const std::vector<int> AllCodes = {0,  1,  2,  3,  4,  5,  6,  7,  -1, -2, -3,
                                   -4, -5, -6, -7, 11, 12, 13, 14, 15, 16};
const std::vector<int> TileCodes = {
    0, BackgroundGreen, BackgroundTatami, BackgroundBamboo, BackgroundSpace, BackgroundBrick};

int distance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

// Mean colour distance between column a and column b (or rows, when `rows`).
double line_difference(const QImage& image, int a, int b, bool rows) {
    const int length = rows ? image.width() : image.height();
    double sum = 0;
    for (int i = 0; i < length; ++i)
        sum += rows ? distance(image.pixel(i, a), image.pixel(i, b))
                    : distance(image.pixel(a, i), image.pixel(b, i));
    return sum / length;
}

TEST(Pictures, EveryHolderHasItsFilesAtBothRatiosAndIsCompiledIn) {
    for (int code : AllCodes) {
        const char* name = picture_holder_name(code);
        ASSERT_NE(name, nullptr) << code;
        SCOPED_TRACE(name);
        const int width = code == PictureTitle ? TitlePictureWidth : PictureSize;
        for (int ratio : {1, 2}) {
            QImage image(source_dir() + QStringLiteral("/ui/pictures/") + QString::fromLatin1(name) +
                         (ratio == 2 ? QStringLiteral("@2x.png") : QStringLiteral(".png")));
            ASSERT_FALSE(image.isNull()) << "ratio " << ratio;
            EXPECT_EQ(image.width(), width * ratio);
            EXPECT_EQ(image.height(), PictureSize * ratio);
            EXPECT_FALSE(image.hasAlphaChannel()) << "pictures are opaque copies";
        }
        const QImage compiled(QStringLiteral(":/pictures/") + QString::fromLatin1(name) +
                              QStringLiteral(".png"));
        EXPECT_EQ(compiled.width(), width) << "not among the program's resources";
    }
}

// A tile's right edge must run into its left edge (and bottom into top) no
// more abruptly than neighbouring pixels inside it do.
TEST(Pictures, TilesJoinWithoutASeam) {
    for (int code : TileCodes)
        for (int ratio : {1, 2}) {
            SCOPED_TRACE(std::string(picture_holder_name(code)) + " ratio " + std::to_string(ratio));
            const QImage tile = picture_file(code, ratio);
            ASSERT_FALSE(tile.isNull());
            const int last = tile.width() - 1;
            for (bool rows : {false, true}) {
                double inside = 0;
                for (int i = 0; i < last; ++i) inside += line_difference(tile, i, i + 1, rows);
                inside /= last;
                EXPECT_LE(line_difference(tile, last, 0, rows), 1.5 * inside + 4)
                    << (rows ? "rows" : "columns");
            }
        }
}

// Around the disc a piece picture is the empty square's wood, so the board
// reads as one surface whatever stands on it.
TEST(Pictures, PiecesStandOnTheEmptySquaresWood) {
    for (int ratio : {1, 2}) {
        const QImage empty = picture_file(0, ratio);
        const int size = PictureSize * ratio, margin = 3 * ratio;
        for (int code : AllCodes) {
            if (code == 0 || std::abs(code) > 7) continue;
            SCOPED_TRACE(std::string(picture_holder_name(code)) + " ratio " + std::to_string(ratio));
            const QImage piece = picture_file(code, ratio);
            int worst = 0;
            for (int a = 0; a < size; ++a)
                for (int b = 0; b < margin; ++b)
                    for (QPoint p : {QPoint(a, b), QPoint(b, a)})
                        worst = std::max(worst, distance(piece.pixel(p), empty.pixel(p)));
            EXPECT_LE(worst, 3) << "top and left border";
            int inside = 0, changed = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    if (std::hypot(x - size / 2.0, y - size / 2.0) < 12 * ratio) {
                        ++inside;
                        changed += distance(piece.pixel(x, y), empty.pixel(x, y)) > 30;
                    }
            EXPECT_GT(changed, inside / 2) << "no disc in the middle";
        }
    }
}

// The darkest pixels of a piece are its engraving: red for the bottom side's
// (MAN) pieces, near black for the top side's (COM).
TEST(Pictures, TheTwoSidesAreEngravedInTheirOwnInks) {
    for (int code : AllCodes) {
        if (code == 0 || std::abs(code) > 7) continue;
        SCOPED_TRACE(picture_holder_name(code));
        const QImage piece = picture_file(code, 2);
        QRgb darkest = qRgb(255, 255, 255);
        for (int y = 0; y < piece.height(); ++y)
            for (int x = 0; x < piece.width(); ++x)
                if (qGray(piece.pixel(x, y)) < qGray(darkest)) darkest = piece.pixel(x, y);
        if (code < 0) {
            EXPECT_GT(qRed(darkest), 120);
            EXPECT_LT(qGreen(darkest), 70);
        } else {
            EXPECT_LT(std::max({qRed(darkest), qGreen(darkest), qBlue(darkest)}), 70);
        }
    }
}

}  // namespace
}  // namespace zenko
