#include "alarmui.h"

#include "core/palette.h"
#include "core/twips.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QWidget>

namespace alarmui {

QRect twipsRect(double left, double top, double width, double height) {
    return {twips::toPixelsX(left), twips::toPixelsY(top), twips::toPixelsX(width), twips::toPixelsY(height)};
}

QFont fittedFont(double heightTw) {
    QFont f = QApplication::font();
    const double limit = twips::toPixelsY(heightTw);
    double size = f.pointSizeF() > 0 ? f.pointSizeF() : 9.0;
    for (; size > 6.0; size -= 0.5) {
        f.setPointSizeF(size);
        if (QFontMetricsF(f).height() <= limit)
            break;
    }
    f.setPointSizeF(size);
    return f;
}

void setBackColor(QWidget* w, int paletteIndex) {
    if (!w)
        return;
    QPalette p = w->palette();
    const QColor c = palette::color(paletteIndex);
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Window, c);
    w->setPalette(p);
}

} // namespace alarmui
