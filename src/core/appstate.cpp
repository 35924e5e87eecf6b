#include "appstate.h"

#include "palette.h"
#include "strings.h"
#include "values.h"

#include <cmath>

QString AppState::text(int germanId, int englishId) const {
    return getresstring(german() ? germanId : englishId);
}

Paplet* AppState::note(int n) const {
    return n > 0 && n < int(notes.size()) ? notes[std::size_t(n)] : nullptr;
}

int AppState::backcolorIndex() const {
    return palette::indexFromText(backcolor, 14);
}

int AppState::forecolorIndex() const {
    return palette::indexFromText(forecolor, 0);
}

QColor AppState::backColor() const {
    return palette::color(backcolorIndex());
}

QColor AppState::foreColor() const {
    return palette::color(forecolorIndex());
}

bool AppState::fontboldOn() const {
    return values::flag(fontbold).value_or(false);
}

bool AppState::confirmdeleteOn() const {
    // A text that reads as neither: asking once too often is better than deleting without asking.
    return values::flag(confirmdelete).value_or(true);
}

double AppState::defwidthTwips() const {
    return values::number(defwidth).value_or(0);
}

QFont AppState::noteFont(const QFont& current) const {
    // The largest size the font picker offers; anything above it is a damaged value, not a wish.
    constexpr double maxPointSize = 1638;
    QFont f = current;
    if (!font.trimmed().isEmpty())
        f.setFamily(font);
    if (auto size = values::number(fontsize); size && *size > 0 && *size <= maxPointSize)
        f.setPointSizeF(*size);
    f.setBold(fontboldOn());
    f.setItalic(fontitalic != 0);
    return f;
}
