// Draws the main window's animation and the tool bars' background picture at
// build time, the same pixels every time:
//   MakeClip <folder>  writes <folder>/5100.png (a turning torus, 30 frames
//   side by side) and <folder>/5110.png (the background tile).
// The torus is ray-marched with 4 x 4 samples per pixel, so its edge blends
// into a transparent background whatever the tool bar's colour.
#include <QColor>
#include <QDir>
#include <QImage>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

constexpr int FrameCount = 30;
constexpr int FrameSize = 56;
constexpr int Samples = 4;
constexpr double MajorRadius = 0.60;
constexpr double MinorRadius = 0.27;
constexpr double Pi = std::numbers::pi;

struct TVec {
    double X = 0, Y = 0, Z = 0;
};

TVec operator+(TVec a, TVec b) {
    return {a.X + b.X, a.Y + b.Y, a.Z + b.Z};
}
TVec operator-(TVec a, TVec b) {
    return {a.X - b.X, a.Y - b.Y, a.Z - b.Z};
}
TVec operator*(double s, TVec a) {
    return {s * a.X, s * a.Y, s * a.Z};
}
double Dot(TVec a, TVec b) {
    return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}
TVec Normalized(TVec a) {
    return (1.0 / std::sqrt(Dot(a, a))) * a;
}

// A rotation as its three rows.
using TRotation = std::array<TVec, 3>;

TVec Apply(const TRotation& r, TVec v) {
    return {Dot(r[0], v), Dot(r[1], v), Dot(r[2], v)};
}

TVec ApplyTransposed(const TRotation& r, TVec v) {
    return v.X * r[0] + v.Y * r[1] + v.Z * r[2];
}

// Rotation by `angle` about the unit `axis` (Rodrigues).
TRotation AxisRotation(TVec axis, double angle) {
    const double c = std::cos(angle), s = std::sin(angle), t = 1 - c;
    const double x = axis.X, y = axis.Y, z = axis.Z;
    return {TVec{t * x * x + c, t * x * y - s * z, t * x * z + s * y},
            TVec{t * x * y + s * z, t * y * y + c, t * y * z - s * x},
            TVec{t * x * z - s * y, t * y * z + s * x, t * z * z + c}};
}

// Signed distance to the torus lying in the x-z plane.
double TorusDistance(TVec p) {
    const double ring = std::hypot(p.X, p.Z) - MajorRadius;
    return std::hypot(ring, p.Y) - MinorRadius;
}

// The colour of the torus's surface: a checker of 16 x 8 patches, blue and
// gold, lit by one light with a white highlight.
QColor Shade(TVec local, const TRotation& turn, TVec toEye) {
    const double planar = std::hypot(local.X, local.Z);
    const TVec centre = (MajorRadius / planar) * TVec{local.X, 0, local.Z};
    const TVec normal = Apply(turn, Normalized(local - centre));
    const double u = std::atan2(local.Z, local.X) / (2 * Pi) + 0.5;
    const double v = std::atan2(local.Y, planar - MajorRadius) / (2 * Pi) + 0.5;
    const bool gold = (static_cast<int>(u * 16) + static_cast<int>(v * 8)) % 2 == 0;
    const TVec base = gold ? TVec{0.93, 0.68, 0.16} : TVec{0.16, 0.36, 0.78};
    const TVec light = Normalized({-0.5, 0.7, -0.6});
    const double diffuse = std::max(0.0, Dot(normal, light));
    const TVec reflected = 2 * Dot(normal, light) * normal - light;
    const double specular = std::pow(std::max(0.0, Dot(reflected, toEye)), 24.0);
    const TVec lit = (0.28 + 0.72 * diffuse) * base + 0.55 * specular * TVec{1, 1, 1};
    const auto channel = [](double c) {
        return std::clamp(static_cast<int>(c * 255 + 0.5), 0, 255);
    };
    return QColor(channel(lit.X), channel(lit.Y), channel(lit.Z));
}

// Marches the ray from `eye` along `direction` (world space); false when it
// misses the torus.
bool Trace(TVec eye, TVec direction, const TRotation& turn, QColor& colour) {
    const TVec start = ApplyTransposed(turn, eye);
    const TVec step = ApplyTransposed(turn, direction);
    double travelled = 0;
    for (int i = 0; i < 96 && travelled < 6.0; ++i) {
        const TVec p = start + travelled * step;
        const double d = TorusDistance(p);
        if (d < 1e-4) {
            colour = Shade(p, turn, -1.0 * direction);
            return true;
        }
        travelled += d;
    }
    return false;
}

QImage DrawFrame(int frame) {
    const TRotation tilt = AxisRotation(Normalized({1, 0, 0.35}), 1.05);
    const TRotation spin = AxisRotation(Normalized({0.25, 1, 0}), 2 * Pi * frame / FrameCount);
    TRotation turn;
    for (int row = 0; row < 3; ++row)
        turn[row] = {Dot(spin[row], {tilt[0].X, tilt[1].X, tilt[2].X}),
                     Dot(spin[row], {tilt[0].Y, tilt[1].Y, tilt[2].Y}),
                     Dot(spin[row], {tilt[0].Z, tilt[1].Z, tilt[2].Z})};
    const TVec eye{0, 0, -3.2};
    QImage image(FrameSize, FrameSize, QImage::Format_ARGB32);
    for (int y = 0; y < FrameSize; ++y)
        for (int x = 0; x < FrameSize; ++x) {
            double r = 0, g = 0, b = 0;
            int hits = 0;
            for (int sy = 0; sy < Samples; ++sy)
                for (int sx = 0; sx < Samples; ++sx) {
                    const double px = (x + (sx + 0.5) / Samples) / FrameSize * 2 - 1;
                    const double py = 1 - (y + (sy + 0.5) / Samples) / FrameSize * 2;
                    QColor c;
                    if (!Trace(eye, Normalized({px * 0.36, py * 0.36, 1}), turn, c))
                        continue;
                    ++hits;
                    r += c.red();
                    g += c.green();
                    b += c.blue();
                }
            const int alpha = 255 * hits / (Samples * Samples);
            image.setPixelColor(x, y,
                                hits == 0
                                    ? QColor(0, 0, 0, 0)
                                    : QColor(static_cast<int>(r / hits), static_cast<int>(g / hits),
                                             static_cast<int>(b / hits), alpha));
        }
    return image;
}

QImage DrawClip() {
    QImage strip(FrameSize * FrameCount, FrameSize, QImage::Format_ARGB32);
    for (int frame = 0; frame < FrameCount; ++frame) {
        const QImage picture = DrawFrame(frame);
        for (int y = 0; y < FrameSize; ++y)
            for (int x = 0; x < FrameSize; ++x)
                strip.setPixel(frame * FrameSize + x, y, picture.pixel(x, y));
    }
    return strip;
}

// A light tile for the tool bars: a soft vertical shade with the faint level
// lines of a response surface, repeating seamlessly in both directions.
QImage DrawBackground() {
    constexpr int width = 256, height = 64;
    QImage tile(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double shade = 246 - 10.0 * y / (height - 1);
            const double level = std::sin(2 * Pi * x / width) * std::cos(2 * Pi * y / height) +
                                 0.5 * std::sin(4 * Pi * (x + y * 2) / width);
            const double nearLine = std::abs(std::remainder(level * 4, 1.0));
            const double line = std::max(0.0, 1 - nearLine / 0.06);
            const int grey = static_cast<int>(shade - 14 * line);
            tile.setPixel(x, y, qRgb(grey - 6, grey - 2, std::min(255, grey + 6)));
        }
    return tile;
}

bool Save(const QImage& image, const QString& path) {
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!Save(DrawClip(), folder.filePath(QStringLiteral("5100.png"))) ||
        !Save(DrawBackground(), folder.filePath(QStringLiteral("5110.png")))) {
        std::fprintf(stderr, "%s: cannot write the pictures into %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
