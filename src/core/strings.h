#pragma once

#include <QString>

// The program's string table: every text that depends on the language, keyed by identifier.
// Identifiers that do not exist give an empty text.
QString getresstring(int id);
bool hasresstring(int id);
