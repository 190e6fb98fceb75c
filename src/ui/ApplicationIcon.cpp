#include "ui/ApplicationIcon.h"

#include <QPainter>
#include <QPixmap>

namespace pellaquin {

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 64.0, size / 64.0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(40, 44, 110));
        painter.drawRoundedRect(4, 30, 56, 28, 6, 6);
        painter.setBrush(QColor(230, 230, 230));
        painter.drawRect(30, 14, 4, 26);
        painter.setBrush(QColor(220, 40, 40));
        painter.drawEllipse(QPointF(32, 14), 9, 9);
        painter.setBrush(QColor(250, 200, 30));
        painter.drawEllipse(QPointF(14, 44), 5, 5);
        painter.drawEllipse(QPointF(50, 44), 5, 5);
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace pellaquin
