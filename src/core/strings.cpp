#include "strings.h"

#include <QHash>

namespace {
const QHash<int, QString>& table() {
    static const QHash<int, QString> t{
        {10, QStringLiteral("über Zovuzor...")},
        {11, QStringLiteral("von")},
        {12, QStringLiteral("about Zovuzor...")},
        {13, QStringLiteral("by")},
        {30, QStringLiteral("keine Zovuzor")},
        {31, QStringLiteral("neu")},
        {32, QStringLiteral("alle verstecken")},
        {33, QStringLiteral("Einstellungen...")},
        {34, QStringLiteral("alles speichern")},
        {35, QStringLiteral("&Beenden")},
        {36, QStringLiteral("immer im Vordergrund")},
        {37, QStringLiteral("nicht im Vordergrund")},
        {38, QStringLiteral("Alarm...")},
        {39, QStringLiteral("unbenannt")},
        {40, QStringLiteral("no Zovuzor")},
        {41, QStringLiteral("new")},
        {42, QStringLiteral("hide all")},
        {43, QStringLiteral("settings...")},
        {44, QStringLiteral("save all")},
        {45, QStringLiteral("E&xit")},
        {46, QStringLiteral("set on top")},
        {47, QStringLiteral("not on top")},
        {48, QStringLiteral("alarm...")},
        {49, QStringLiteral("untitled")},
        {60, QStringLiteral("Datum:")},
        {61, QStringLiteral("Zeit:")},
        {62, QStringLiteral("Minuten früher")},
        {63, QStringLiteral("Löschen")},
        {64, QStringLiteral("Abbruch")},
        {65, QStringLiteral("maximaler Wert ist 59 !")},
        {66, QStringLiteral("maximum value is 59 !")},
        {70, QStringLiteral("momentan: ")},
        {71, QStringLiteral("current: ")},
        {80, QStringLiteral("Einstellungen")},
        {81, QStringLiteral("Farben && Fonts")},
        {82, QStringLiteral("Verschiedenes")},
        {83, QStringLiteral("Hintergrund")},
        {84, QStringLiteral("Vordergrund")},
        {85, QStringLiteral("Sprache")},
        {86, QStringLiteral("löschen bestätigen")},
        {87, QStringLiteral("Abbruch")},
        {88, QStringLiteral(" kursiv")},
        {89, QStringLiteral(" fett")},
        {90, QStringLiteral("Settings")},
        {91, QStringLiteral("Colors && Fonts")},
        {92, QStringLiteral("Misc")},
        {93, QStringLiteral("Background")},
        {94, QStringLiteral("Foreground")},
        {95, QStringLiteral("Language")},
        {96, QStringLiteral("confirm delete")},
        {97, QStringLiteral("Cancel")},
        {100, QStringLiteral(" italic")},
        {101, QStringLiteral(" bold")},
        {102, QStringLiteral("Wave wiederholen")},
        {103, QStringLiteral("repeat wave")},
        {140, QStringLiteral("Date:")},
        {141, QStringLiteral("Time:")},
        {142, QStringLiteral("minutes earlier")},
        {143, QStringLiteral("Clear")},
        {144, QStringLiteral("Cancel")},
        {150, QStringLiteral("Größe als Standard setzen")},
        {151, QStringLiteral("set size as default")},
        {154, QStringLiteral("aktiver Paplet")},
        {155, QStringLiteral("active Paplet")},
        {156, QStringLiteral("über Zovuzor...")},
        {157, QStringLiteral("about Zovuzor...")},
        {160, QStringLiteral("Fontauswahl")},
        {161, QStringLiteral("Größe")},
        {162, QStringLiteral("fett")},
        {163, QStringLiteral("kursiv")},
        {164, QStringLiteral("Abbruch")},
        {200, QStringLiteral("Löschen ")},
        {201, QStringLiteral("Delete ")},
        {210, QStringLiteral("alle anzeigen")},
        {220, QStringLiteral("show all")},
        {230, QStringLiteral("Wave-Datei auswählen")},
        {231, QStringLiteral("Dateien:")},
        {232, QStringLiteral("Verzeichnisse:")},
        {233, QStringLiteral("Laufwerke:")},
        {234, QStringLiteral("Abbruch")},
    };
    return t;
}
} // namespace

QString getresstring(int id) {
    return table().value(id);
}

bool hasresstring(int id) {
    return table().contains(id);
}
