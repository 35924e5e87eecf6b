#include "palette.h"

#include "values.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace palette {

QColor color(int index) {
    static constexpr std::array<std::array<int, 3>, count> rgb{{{0, 0, 0},
                                                                {0, 0, 128},
                                                                {0, 128, 0},
                                                                {0, 128, 128},
                                                                {128, 0, 0},
                                                                {128, 0, 128},
                                                                {128, 128, 0},
                                                                {192, 192, 192},
                                                                {128, 128, 128},
                                                                {0, 0, 255},
                                                                {0, 255, 0},
                                                                {0, 255, 255},
                                                                {255, 0, 0},
                                                                {255, 0, 255},
                                                                {255, 255, 0},
                                                                {255, 255, 255}}};
    const auto& c = rgb[static_cast<std::size_t>(clampIndex(index))];
    return QColor(c[0], c[1], c[2]);
}

int indexFromText(const QString& text, int fallback) {
    const auto n = values::number(text);
    if (!n || std::trunc(*n) != *n)
        return fallback;
    return clampIndex(static_cast<int>(std::clamp(*n, -1.0e6, 1.0e6)));
}

int clampIndex(int index) {
    return std::clamp(index, 0, count - 1);
}

} // namespace palette
