#pragma once

// Positions and sizes are kept in twips (1440 per inch); the screen decides how many make a pixel
// (15 at 96 dpi).
namespace twips {
double perPixelX();
double perPixelY();
int toPixelsX(double tw);
int toPixelsY(double tw);
double fromPixelsX(int px);
double fromPixelsY(int px);
} // namespace twips
