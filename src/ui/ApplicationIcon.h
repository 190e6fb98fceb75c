#pragma once

#include <array>
#include <span>

#include <QIcon>
#include <QRgb>

class QPainter;

namespace pellaquin {

// The icon is laid out on a square this many units a side, and scaled to any pixel size from there.
constexpr double ICON_UNITS = 64;

// The pixel sizes the program draws its icon at, which are also the sizes installed in the icon theme.
constexpr std::array<int, 8> APPLICATION_ICON_SIZES = {16, 22, 24, 32, 48, 64, 128, 256};

// One filled shape of the icon, in icon units: a rectangle whose corners are rounded by
// `cornerRadius` (half its side makes a circle).
struct IconShape {
    double x;
    double y;
    double width;
    double height;
    double cornerRadius;
    QRgb color;
};

// The icon's shapes, back to front: a joystick on an arcade cabinet's panel. The program paints them
// and the build writes them as the installed SVG, so the two pictures cannot drift apart.
std::span<const IconShape> ApplicationIconShapes();

// Paints the icon over the square of `size` pixels at the painter's origin.
void DrawApplicationIcon(QPainter& painter, int size);

// The window icon, painted at each of APPLICATION_ICON_SIZES.
QIcon ApplicationIcon();

} // namespace pellaquin
