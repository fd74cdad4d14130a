#pragma once

#include <QLocale>
#include <QString>

// Helpers shared by the number and date texts: the locale's own digits, which may lie outside
// the Basic Multilingual Plane, and the invisible direction marks that some locales put into
// their signs and separators.
namespace fee::localetext {

// ASCII digits in `ascii` become the locale's digits; everything else is kept.
QString localizeDigits(const QString &ascii, const QLocale &locale);

// The locale's digits become ASCII ones; left-to-right, right-to-left and Arabic letter marks
// are dropped. Other characters are kept as they are.
QString normalize(const QString &text, const QLocale &locale);

} // namespace fee::localetext
