#pragma once

#include <QIcon>

// The program icon: a yellow note sheet with a folded corner. Drawn on its own pixel grid at 16, 22 and
// 32 pixels (and twice those for 200% screens), so that it stays crisp in trays and title bars.
QIcon programIcon();
