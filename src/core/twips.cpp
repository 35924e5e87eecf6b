#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace twips {

namespace {
constexpr double fallback = 15; // 96 dpi

double perPixel(bool horizontal) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return fallback;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return fallback;
    const double dpi = horizontal ? screen->logicalDotsPerInchX() : screen->logicalDotsPerInchY();
    return std::isfinite(dpi) && dpi > 0 ? 1440.0 / dpi : fallback;
}

int toPixels(double tw, double per) {
    if (!std::isfinite(tw))
        return 0;
    return static_cast<int>(std::clamp(std::round(tw / per), -1.0e9, 1.0e9));
}
} // namespace

double perPixelX() {
    return perPixel(true);
}

double perPixelY() {
    return perPixel(false);
}

int toPixelsX(double tw) {
    return toPixels(tw, perPixelX());
}

int toPixelsY(double tw) {
    return toPixels(tw, perPixelY());
}

double fromPixelsX(int px) {
    return px * perPixelX();
}

double fromPixelsY(int px) {
    return px * perPixelY();
}

} // namespace twips
