#pragma once

#include <QColor>
#include <QString>

// The fixed 16-colour palette that every colour index refers to.
namespace palette {
inline constexpr int count = 16;
// The colour of index (0..15); an index outside the palette gives the nearest valid entry.
QColor color(int index);
// The index held as text ("14"); a text that is not a whole number gives `fallback`.
int indexFromText(const QString& text, int fallback);
int clampIndex(int index);
} // namespace palette
