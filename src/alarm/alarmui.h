#pragma once

#include <QRect>

class QFont;
class QWidget;

// Small helpers the alarm windows share: their controls are placed in twips as designed, with a font
// small enough for the designed control heights.
namespace alarmui {
// A rectangle given in twips (left, top, width, height), in pixels of the screen.
QRect twipsRect(double left, double top, double width, double height);
// The application font at the largest size (not above its own) whose line fits into `heightTw` twips.
QFont fittedFont(double heightTw);
// Background of a text box or label as a palette colour (0..15).
void setBackColor(QWidget* w, int paletteIndex);
} // namespace alarmui
