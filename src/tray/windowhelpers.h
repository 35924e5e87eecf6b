#pragma once

class QWidget;

// Puts a window into / out of the band of always-on-top windows without moving, sizing or activating it;
// a hidden window is shown. The on-top state is set on the native window (QWindow flags), so it is read
// back with isTopmost().
void settopmost(QWidget* w);
void setnottopmost(QWidget* w);
bool isTopmost(const QWidget* w);
// Keeps a top-level window out of taskbars and pagers (X11: _NET_WM_STATE_SKIP_TASKBAR before each map).
void keepOutOfTaskbar(QWidget* w);
// Centres a window on the primary screen (outer size).
void centreOnScreen(QWidget* w);
