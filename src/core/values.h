#pragma once

#include <QString>
#include <optional>

// Conversions of stored texts, following the store's rules: flags read "True"/"False" in any letter case
// or a number (non-zero = true); numbers are plain decimal, written without a decimal point when whole.
namespace values {
std::optional<bool> flag(const QString& text);
std::optional<double> number(const QString& text);
std::optional<qint16> int16(const QString& text); // rounds like the store's integer conversion
QString flagText(bool on);                        // "True" / "False"
QString numberText(double value);                 // "1290", "-15", "2010.5"
} // namespace values
