#include "ui/ApplicationIcon.h"

#include <QPainter>
#include <QPixmap>

namespace pellaquin {

namespace {

constexpr IconShape SHAPES[] = {
    {4, 30, 56, 28, 6, qRgb(40, 44, 110)},   // the panel
    {30, 14, 4, 26, 0, qRgb(230, 230, 230)}, // the stick
    {23, 5, 18, 18, 9, qRgb(220, 40, 40)},   // the ball on top
    {9, 39, 10, 10, 5, qRgb(250, 200, 30)},  // the buttons
    {45, 39, 10, 10, 5, qRgb(250, 200, 30)},
};

} // namespace

std::span<const IconShape> ApplicationIconShapes() {
    return SHAPES;
}

void DrawApplicationIcon(QPainter& painter, int size) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / ICON_UNITS, size / ICON_UNITS);
    painter.setPen(Qt::NoPen);
    for (const IconShape& shape : SHAPES) {
        painter.setBrush(QColor::fromRgb(shape.color));
        painter.drawRoundedRect(QRectF(shape.x, shape.y, shape.width, shape.height), shape.cornerRadius,
                                shape.cornerRadius);
    }
    painter.restore();
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : APPLICATION_ICON_SIZES) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        DrawApplicationIcon(painter, size);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace pellaquin
