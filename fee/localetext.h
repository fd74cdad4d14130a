#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// Helpers shared by the number and date texts: the locale's own digits, which may lie outside
// the Basic Multilingual Plane, the invisible direction marks that some locales put into their
// signs and separators, and the tables each derives from a locale.
namespace fee::localetext {

// ASCII digits in `ascii` become the locale's digits; everything else is kept.
QString localizeDigits(const QString &ascii, const QLocale &locale);

// The locale's digits become ASCII ones; left-to-right, right-to-left and Arabic letter marks
// are dropped. Other characters are kept as they are.
QString normalize(const QString &text, const QLocale &locale);

// The last locale's derived tables, rebuilt only when another locale comes along: a press of
// "Calcola" converts half a dozen texts under the same locale.
template <typename Table> const Table &forLocale(const QLocale &locale) {
    thread_local QLocale cachedLocale;
    thread_local std::optional<Table> cached;
    if (!cached || !(cachedLocale == locale)) {
        cached.emplace(locale);
        cachedLocale = locale;
    }
    return *cached;
}

} // namespace fee::localetext
