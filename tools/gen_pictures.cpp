// Draws the game's 21 pictures and its window icon into a folder (default:
// ui/pictures): the empty board square, the 14 pieces, the title and the five
// background tiles, each as NAME.png at its own size and NAME@2x.png at twice
// that size for high-DPI screens. The same icon art also goes into
// OUTPUT_DIR/icons/zenko-SIZE.png at the sizes of the desktop's icon theme;
// its 32-pixel file equals ICON.png, the window's icon. Textures are computed per pixel from
// periodic noise with fixed seeds, so tiles join seamlessly and every run
// writes the same files.
//
//   gen_pictures [OUTPUT_DIR]

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <iterator>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr double Pi = std::numbers::pi;
constexpr double TwoPi = 2 * Pi;
constexpr int TileSize = 39;     // every picture but the title, at ratio 1
constexpr int TitleWidth = 121;  // the title picture is TitleWidth x TileSize
constexpr int IconSize = 32;
constexpr int ThemeIconSizes[] = {16, 32, 48, 64, 128, 256};
constexpr int Supersample = 4;  // samples per pixel and axis for computed textures
constexpr const char* FontFile = "/usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf";
constexpr const char* FontFamily = "IPAPMincho";

// ---------------------------------------------------------------- colour

struct Colour {
    double r, g, b;  // 0..255
};

Colour operator*(Colour c, double k) { return {c.r * k, c.g * k, c.b * k}; }
Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Colour mix(Colour a, Colour b, double t) { return a * (1 - t) + b * t; }

QColor to_qcolor(Colour c, double alpha = 1.0) {
    auto channel = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 255.0))); };
    return QColor(channel(c.r), channel(c.g), channel(c.b), channel(alpha * 255));
}

double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
double smoothstep(double edge0, double edge1, double x) {
    const double t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3 - 2 * t);
}
double fract(double v) { return v - std::floor(v); }

// ---------------------------------------------------------------- periodic noise

std::uint32_t hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B9u ^ x * 0x85EBCA6Bu ^ y * 0xC2B2AE35u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

// Uniform value in [0, 1) for a lattice point; the lattice wraps with the given periods.
double lattice(int x, int y, int periodX, int periodY, std::uint32_t seed) {
    const int wx = ((x % periodX) + periodX) % periodX;
    const int wy = ((y % periodY) + periodY) % periodY;
    return hash(static_cast<std::uint32_t>(wx), static_cast<std::uint32_t>(wy), seed) / 4294967296.0;
}

// Smooth value noise in [0, 1) over the unit tile, with periodX x periodY cells:
// it repeats exactly when u or v grows by 1.
double noise(double u, double v, int periodX, int periodY, std::uint32_t seed) {
    const double x = u * periodX, y = v * periodY;
    const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    auto quintic = [](double t) { return t * t * t * (t * (t * 6 - 15) + 10); };
    const double tx = quintic(x - x0), ty = quintic(y - y0);
    const double a = lattice(x0, y0, periodX, periodY, seed), b = lattice(x0 + 1, y0, periodX, periodY, seed);
    const double c = lattice(x0, y0 + 1, periodX, periodY, seed);
    const double d = lattice(x0 + 1, y0 + 1, periodX, periodY, seed);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

// Sum of octaves, each with twice the cells and half the weight; about [0, 1).
double fbm(double u, double v, int periodX, int periodY, int octaves, std::uint32_t seed) {
    double sum = 0, weight = 0.5, total = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * noise(u, v, periodX << o, periodY << o, seed + o);
        total += weight;
        weight *= 0.5;
    }
    return sum / total;
}

// ---------------------------------------------------------------- computed textures

using Shader = std::function<Colour(double u, double v)>;

// Evaluates the shader over a width x height picture, u and v running 0..1
// across it, averaging Supersample^2 samples a pixel.
QImage render(int width, int height, const Shader& shade) {
    QImage image(width, height, QImage::Format_RGB888);
    constexpr int n = Supersample;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            Colour sum{0, 0, 0};
            for (int j = 0; j < n; ++j)
                for (int i = 0; i < n; ++i)
                    sum = sum + shade((x + (i + 0.5) / n) / width, (y + (j + 0.5) / n) / height);
            image.setPixelColor(x, y, to_qcolor(sum * (1.0 / (n * n))));
        }
    return image;
}

// Light board wood with long horizontal grain, calm enough to carry the lines.
Colour board_wood(double u, double v) {
    const Colour light{236, 202, 146}, dark{206, 158, 98};
    const double wave = 0.012 * std::sin(TwoPi * (u + 0.2)) + 0.08 * fbm(u, v, 2, 3, 2, 11);
    const double grain = v + wave;
    const double rings =
        std::pow(0.5 + 0.5 * std::sin(TwoPi * (3 * grain + 0.4 * fbm(u, v, 3, 3, 2, 12))), 4);
    const double fibres = fbm(u, v, 2, 26, 3, 13);
    const double blotch = fbm(u, v, 2, 2, 2, 14);
    const double darkness = 0.10 * rings + 0.26 * fibres + 0.14 * blotch;
    return mix(light, dark, darkness);
}

// Green baize: fine fibres in two directions over a slightly clouded ground.
Colour felt(double u, double v) {
    const Colour base{36, 104, 58};
    const double cloud = fbm(u, v, 3, 3, 3, 21) - 0.5;
    const double fibre = fbm(u, v, 13, 39, 2, 22) + fbm(u, v, 39, 13, 2, 23) - 1.0;
    const double speck = lattice(static_cast<int>(u * 78), static_cast<int>(v * 78), 78, 78, 24) - 0.5;
    return base * (1 + 0.16 * cloud + 0.18 * fibre + 0.10 * speck);
}

// A fence of green bamboo culms: two round culms a tile, each with one node.
// The culms are a deep, shaded green so that light texts stay readable on them.
Colour bamboo(double u, double v) {
    const int culm = u < 0.5 ? 0 : 1;
    const double w = fract(u * 2);  // across the culm, 0..1
    const double n = (w - 0.5) * 2;
    const double round = std::sqrt(std::max(0.0, 1 - n * n));
    const Colour green{78, 114, 40}, deep{36, 62, 20};
    Colour c = mix(deep, green, 0.35 + 0.65 * round) * (1.0 - 0.18 * n);
    c = c + Colour{26, 30, 16} * std::exp(-std::pow((n + 0.42) / 0.12, 2));  // sheen where the light falls
    c = c * (1 + 0.08 * (fbm(u, v, 40, 2, 2, 31 + culm) - 0.5));             // long fibres
    const double node = culm == 0 ? 0.28 : 0.78;
    double dv = v - node;
    dv -= std::round(dv);
    c = c * (1 - 0.45 * std::exp(-std::pow(dv / 0.012, 2)));                   // the node's groove
    c = c + Colour{20, 22, 10} * std::exp(-std::pow((dv + 0.03) / 0.015, 2));  // its raised ring
    const double gap = smoothstep(0.0, 0.07, std::min(w, 1 - w));
    return mix(Colour{22, 28, 12}, c, gap);
}

// Woven rush of a tatami mat: rows of rush stems, each stem bulging between
// the warp threads that hold it; neighbouring rows are staggered. The rush is
// an aged, shaded straw, dark enough for light texts.
Colour tatami(double u, double v) {
    constexpr int Rows = 13, Warps = 3;
    const int row = static_cast<int>(std::floor(v * Rows));
    const double inRow = fract(v * Rows);
    const double betweenWarps = fract(u * Warps + (row % 2) * 0.5);
    const Colour straw{124, 114, 64}, shade{66, 64, 30};
    const double swell = std::pow(std::sin(Pi * inRow), 0.7) * std::pow(std::sin(Pi * betweenWarps), 0.35);
    const double rowTone = lattice(row, 0, Rows, 1, 41) - 0.5;
    Colour c = mix(shade, straw, 0.15 + 0.85 * swell) * (1 + 0.08 * rowTone);
    c = c + Colour{12, 12, 6} * std::exp(-std::pow((inRow - 0.35) / 0.12, 2)) * swell;  // sheen on each stem
    c = c * (1 + 0.10 * (fbm(u, v, 26, 2, 2, 42) - 0.5));
    return c;
}

// A star field: a dark sky with faint clouds of gas and stars of every brightness.
struct Star {
    double u, v, size, brightness;
    Colour tint;
};

const std::vector<Star>& stars() {
    static const std::vector<Star> field = [] {
        std::vector<Star> list;
        const Colour tints[] = {{255, 255, 255}, {200, 220, 255}, {255, 236, 200}, {255, 210, 200}};
        for (int i = 0; i < 22; ++i) {
            const double b = lattice(i, 2, 64, 64, 51);
            list.push_back({lattice(i, 0, 64, 64, 51), lattice(i, 1, 64, 64, 51), 0.011 + 0.009 * b,
                            0.22 + 0.9 * b * b * b, tints[i % 4]});
        }
        list.push_back({0.30, 0.62, 0.020, 1.3, {255, 255, 255}});  // and two bright ones
        list.push_back({0.74, 0.18, 0.015, 0.9, {210, 225, 255}});
        return list;
    }();
    return field;
}

double wrapped(double d) { return d - std::round(d); }

Colour space(double u, double v) {
    // Small, faint clouds: large ones would show the tile's repeat as a grid.
    const double gas = std::pow(fbm(u, v, 4, 4, 3, 52), 2.0);
    const double hue = fbm(u, v, 2, 2, 2, 53);
    Colour c = Colour{8, 10, 26} + mix(Colour{60, 28, 96}, Colour{26, 56, 120}, hue) * (0.45 * gas);
    for (const Star& s : stars()) {
        const double dx = wrapped(u - s.u), dy = wrapped(v - s.v);
        const double r2 = (dx * dx + dy * dy) / (s.size * s.size);
        double light = s.brightness * std::exp(-r2 * 2.5);
        if (s.brightness > 1.2)  // a faint cross of light on the brightest star
            light += 0.25 * (std::exp(-std::pow(dx / 0.005, 2) - std::pow(dy / 0.045, 2)) +
                             std::exp(-std::pow(dy / 0.005, 2) - std::pow(dx / 0.045, 2)));
        c = c + s.tint * light;
    }
    return c;
}

// Dark brown-red bricks in running bond: four courses a tile, two bricks a
// course; darker than the red title plaque so that it stands apart.
Colour brick(double u, double v) {
    constexpr int Courses = 4, BricksPerCourse = 2;
    constexpr double Mortar = 0.035;  // joint width, tile units
    const int course = static_cast<int>(std::floor(v * Courses));
    const double along = u * BricksPerCourse + (course % 2) * 0.5;
    const int index = static_cast<int>(std::floor(along)) % BricksPerCourse;
    const double x = fract(along) / BricksPerCourse,
                 y = fract(v * Courses) / Courses;  // tile units in the brick
    const double edge = std::min({x, 1.0 / BricksPerCourse - x, y, 1.0 / Courses - y});
    const Colour mortar = Colour{92, 86, 78} * (0.9 + 0.2 * fbm(u, v, 20, 20, 2, 61));
    if (edge < Mortar / 2) return mortar;
    const double tone = lattice(course, index, Courses, BricksPerCourse, 62);
    Colour c = mix(Colour{92, 44, 32}, Colour{118, 62, 44}, tone);
    c = c * (1 + 0.22 * (fbm(u, v, 13, 13, 2, 63) - 0.5));
    c = c * (1 + 0.12 * (lattice(static_cast<int>(u * 78), static_cast<int>(v * 78), 78, 78, 64) - 0.5));
    const double bevel = clamp01((edge - Mortar / 2) / 0.03);
    const double lit = y < 0.5 / Courses ? 0.12 : -0.10;  // the upper half catches the light
    return c * (1 + lit * (1 - bevel));
}

// ---------------------------------------------------------------- pieces

struct PieceArt {
    const char* name;
    const char* character;
    bool red;  // MAN pieces in red, COM pieces in dark ink
};

const PieceArt Pieces[] = {
    {"UE_SOTU", "卒", false},   {"UE_SI", "士", false},   {"UE_HOU", "砲", false},  {"UE_ZOU", "象", false},
    {"UE_SYA", "車", false},    {"UE_UMA", "馬", false},  {"UE_SYOU", "将", false}, {"SITA_HEI", "兵", true},
    {"SITA_TUKAE", "仕", true}, {"SITA_HOU", "炮", true}, {"SITA_AI", "相", true},  {"SITA_SYA", "車", true},
    {"SITA_UMA", "馬", true},   {"SITA_SI", "師", true},
};

const Colour RedInk{184, 28, 22};
const Colour BlackInk{30, 28, 34};

// Where a disc sits, in pixels of a 39-pixel square at ratio 1. The ruled
// lines cross at pixel 20; the disc is centred on that line's middle and
// reaches just to the short line stubs drawn beside an occupied square.
struct DiscPlacement {
    double scale;   // device pixels per square pixel
    double cx, cy;  // centre of the top face
    double radius;
};

DiscPlacement square_disc(int ratio) { return {double(ratio), 20 + 0.5 / ratio, 20 - 0.2, 16.3}; }

// Pale boxwood of the piece's top face: fine, faint grain.
Colour piece_wood(double x, double y) {
    const double u = x / TileSize, v = y / TileSize;
    const double fibres = fbm(u, v, 3, 40, 2, 71);
    const double rings = std::pow(0.5 + 0.5 * std::sin(TwoPi * (3 * v + 0.15 * fbm(u, v, 2, 2, 2, 72))), 6);
    return mix(Colour{248, 230, 190}, Colour{222, 188, 136}, 0.30 * fibres + 0.25 * rings);
}

// Straight alpha "over" for one premultiplied pixel.
void over(QRgb& dst, Colour c, double alpha) {
    if (alpha <= 0) return;
    const double keep = 1 - alpha;
    c = {std::clamp(c.r, 0.0, 255.0), std::clamp(c.g, 0.0, 255.0), std::clamp(c.b, 0.0, 255.0)};
    auto blend = [&](int d, double s) {
        return static_cast<int>(std::lround(std::clamp(s * alpha + d * keep, 0.0, 255.0)));
    };
    dst = qRgba(blend(qRed(dst), c.r), blend(qGreen(dst), c.g), blend(qBlue(dst), c.b),
                static_cast<int>(std::lround(255 * alpha + qAlpha(dst) * keep)));
}

// Shadow, side and lit top face of the disc, computed per pixel of an
// oversampled premultiplied image (coordinates in square pixels).
void paint_disc_body(QImage& layer, const DiscPlacement& d, double oversample) {
    const double thickness = 1.0, r = d.radius;
    const double perPixel = 1.0 / (d.scale * oversample);
    for (int py = 0; py < layer.height(); ++py) {
        QRgb* line = reinterpret_cast<QRgb*>(layer.scanLine(py));
        for (int px = 0; px < layer.width(); ++px) {
            const double x = (px + 0.5) * perPixel, y = (py + 0.5) * perPixel;
            const double shadowDist = std::hypot(x - d.cx - 0.6, y - d.cy - thickness - 0.6);
            over(line[px], Colour{40, 24, 8}, 0.38 * (1 - smoothstep(r - 0.8, r + 0.9, shadowDist)));
            const double sideDist = std::hypot(x - d.cx, y - d.cy - thickness);
            const double sideShade = clamp01((y - d.cy) / r);
            over(line[px], mix(Colour{176, 124, 66}, Colour{128, 84, 40}, sideShade),
                 clamp01((r - sideDist) / perPixel + 0.5));
            const double dx = x - d.cx, dy = y - d.cy, dist = std::hypot(dx, dy);
            const double faceCover = clamp01((r - dist) / perPixel + 0.5);
            if (faceCover <= 0) continue;
            // Light from the upper left: a gentle slope over the face, a bevel at the rim.
            const double slope = -(dx + dy) / (2 * r);
            const double rim = smoothstep(r - 1.4, r, dist);
            const double bevel = rim * (-(dx + dy) / (dist * std::numbers::sqrt2 + 1e-9));
            const Colour face = piece_wood(x, y) * (1 + 0.05 * slope + 0.16 * bevel);
            over(line[px], face, faceCover);
        }
    }
}

QPainterPath glyph_path(const char* character, double emPixels) {
    QFont font(QString::fromLatin1(FontFamily));
    font.setPixelSize(static_cast<int>(std::lround(emPixels * 16)));  // large, then scaled: no hinting steps
    font.setHintingPreference(QFont::PreferNoHinting);
    QPainterPath path;
    path.addText(0, 0, font, QString::fromUtf8(character));
    return QTransform::fromScale(1.0 / 16, 1.0 / 16).map(path);
}

// The engraved double ring and character, drawn with QPainter in square pixels.
void paint_engraving(QPainter& p, const DiscPlacement& d, const char* character, Colour ink) {
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(d.cx, d.cy);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(to_qcolor(ink), 1.0));
    p.drawEllipse(centre, d.radius - 2.0, d.radius - 2.0);
    p.setPen(QPen(to_qcolor(ink), 0.6));
    p.drawEllipse(centre, d.radius - 3.75, d.radius - 3.75);

    QPainterPath glyph = glyph_path(character, 40);
    const QRectF box = glyph.boundingRect();
    const double size = 17.6;  // the character's larger side, square pixels
    const double k = size / std::max(box.width(), box.height());
    QTransform place;
    place.translate(d.cx, d.cy - 0.2);
    place.scale(k, k);
    place.translate(-box.center().x(), -box.center().y());
    glyph = place.map(glyph);
    // The lower edge of a cut catches the light: a pale rim below right, then the ink.
    p.setPen(Qt::NoPen);
    p.setBrush(to_qcolor(Colour{255, 248, 228}, 0.7));
    p.drawPath(glyph.translated(0.45, 0.5));
    p.setPen(QPen(to_qcolor(ink), 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(to_qcolor(ink));
    p.drawPath(glyph);
}

// The whole piece as a transparent layer of the given size in device pixels.
QImage piece_layer(int width, int height, const DiscPlacement& d, const PieceArt& art) {
    constexpr int Oversample = 4;
    QImage layer(width * Oversample, height * Oversample, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    paint_disc_body(layer, d, Oversample);
    QPainter p(&layer);
    p.scale(d.scale * Oversample, d.scale * Oversample);
    paint_engraving(p, d, art.character, art.red ? RedInk : BlackInk);
    p.end();
    return layer.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QImage piece_picture(const PieceArt& art, int ratio) {
    const int size = TileSize * ratio;
    QImage image = render(size, size, board_wood);
    QPainter p(&image);
    p.drawImage(0, 0, piece_layer(size, size, square_disc(ratio), art));
    return image;
}

// The window icon: the red general's disc alone, on a transparent ground.
QImage icon_at_size(int size) {
    const double scale = size / 34.0;  // the disc and its side fill the icon
    const DiscPlacement d{scale, 17.0, 16.5, 16.3};
    const PieceArt& general = *std::find_if(std::begin(Pieces), std::end(Pieces), [](const PieceArt& a) {
        return std::string(a.name) == "SITA_SI";
    });
    return piece_layer(size, size, d, general);
}

QImage icon_picture(int ratio) { return icon_at_size(IconSize * ratio); }

// ---------------------------------------------------------------- title

// 中国象棋 in gold on a red lacquer plaque with a double gold frame.
QImage title_picture(int ratio) {
    QImage image = render(TitleWidth * ratio, TileSize * ratio, [](double u, double v) {
        const double grain = fbm(u, v, 6, 2, 3, 81) - 0.5;
        return Colour{150, 24, 20} * (1.08 - 0.28 * v + 0.10 * grain + 0.06 * std::sin(Pi * u));
    });
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(ratio, ratio);
    const QColor gold = to_qcolor(Colour{228, 186, 92});
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(gold, 1.2));
    p.drawRect(QRectF(1.1, 1.1, TitleWidth - 2.2, TileSize - 2.2));
    p.setPen(QPen(gold, 0.6));
    p.drawRect(QRectF(3.3, 3.3, TitleWidth - 6.6, TileSize - 6.6));

    const char* title[] = {"中", "国", "象", "棋"};
    const double slot = (TitleWidth - 12.0) / 4;
    QLinearGradient goldFill(0, 8, 0, 31);
    goldFill.setColorAt(0, to_qcolor(Colour{255, 236, 160}));
    goldFill.setColorAt(1, to_qcolor(Colour{206, 146, 46}));
    for (int i = 0; i < 4; ++i) {
        QPainterPath glyph = glyph_path(title[i], 40);
        const QRectF box = glyph.boundingRect();
        const double k = 23.0 / box.height();
        QTransform place;
        place.translate(6 + slot * (i + 0.5), TileSize / 2.0);
        place.scale(std::min(k, 23.0 / box.width()), k);
        place.translate(-box.center().x(), -box.center().y());
        glyph = place.map(glyph);
        p.setPen(Qt::NoPen);
        p.setBrush(to_qcolor(Colour{50, 6, 4}, 0.8));
        p.drawPath(glyph.translated(0.8, 0.9));
        p.setPen(QPen(QBrush(goldFill), 0.5));
        p.setBrush(goldFill);
        p.drawPath(glyph);
    }
    return image;
}

// ---------------------------------------------------------------- output

bool save(const QImage& image, const std::string& dir, const std::string& name) {
    const std::string path = dir + "/" + name + ".png";
    const QImage out = image.hasAlphaChannel() ? image : image.convertToFormat(QImage::Format_RGB888);
    if (!out.save(QString::fromStdString(path))) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

// The icon for the desktop's hicolor theme, one file per size.
bool save_theme_icons(const std::string& dir) {
    const std::string icons = dir + "/icons";
    if (!QDir().mkpath(QString::fromStdString(icons))) {
        std::fprintf(stderr, "cannot make %s\n", icons.c_str());
        return false;
    }
    bool ok = true;
    for (int size : ThemeIconSizes) ok &= save(icon_at_size(size), icons, "zenko-" + std::to_string(size));
    return ok;
}

// One picture at ratio 1 and 2, as NAME.png and NAME@2x.png.
bool save_both(const std::string& dir, const std::string& name, const std::function<QImage(int)>& make) {
    return save(make(1), dir, name) && save(make(2), dir, name + "@2x");
}

struct TileArt {
    const char* name;
    Shader shade;
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (QFontDatabase::addApplicationFont(QString::fromLatin1(FontFile)) < 0) {
        std::fprintf(stderr, "cannot load the font %s\n", FontFile);
        return 1;
    }
    const std::string dir = argc > 1 ? argv[1] : "ui/pictures";
    const TileArt tiles[] = {
        {"KARA_MASU", board_wood}, {"HAIKEI_MIDORI", felt}, {"HAIKEI_TAKE", bamboo},
        {"HAIKEI_TATAMI", tatami}, {"HAIKEI_UCHU", space},  {"HAIKEI_RENGA", brick},
    };
    bool ok = true;
    for (const TileArt& t : tiles)
        ok &= save_both(dir, t.name, [&](int r) { return render(TileSize * r, TileSize * r, t.shade); });
    for (const PieceArt& art : Pieces)
        ok &= save_both(dir, art.name, [&](int r) { return piece_picture(art, r); });
    ok &= save_both(dir, "ZENKOSHOGI", title_picture);
    ok &= save_both(dir, "ICON", icon_picture);
    ok &= save_theme_icons(dir);
    return ok ? 0 : 1;
}
