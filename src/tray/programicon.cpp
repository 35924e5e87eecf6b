#include "programicon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace {
QString drawing(int grid) {
    return grid == 32 ? QStringLiteral(":/icons/app/zovuzor.svg")
                      : QStringLiteral(":/icons/app/zovuzor-%1.svg").arg(grid);
}

// The drawing whose pixel grid fits the size: an exact multiple first, else the nearest smaller grid.
QString drawingFor(int size) {
    for (int grid : {32, 22, 16})
        if (size % grid == 0)
            return drawing(grid);
    return drawing(size < 22 ? 16 : size < 32 ? 22 : 32);
}
} // namespace

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 20, 22, 24, 32, 40, 44, 48, 64, 96, 128, 256}) {
        QSvgRenderer renderer(drawingFor(size));
        if (!renderer.isValid())
            continue;
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter painter(&pm);
        renderer.render(&painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pm);
    }
    return icon;
}
