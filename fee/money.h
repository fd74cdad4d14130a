#pragma once

#include <QLocale>
#include <QString>

#include <optional>
#include <variant>

// Amounts of money in whole cents: rounding happens once, where an amount enters, and every sum
// after that is exact.
namespace fee {

using Cents = qint64;

// A euro amount as the window shows it, to 15 significant digits, rounded to the cent half away
// from zero: 10.605 is 10,61 €. Nothing when it is not finite or beyond 64-bit cents.
std::optional<Cents> centsOf(double euros);

// `percent` per cent of an amount, rounded to the cent half away from zero; nothing on overflow.
std::optional<Cents> percentOfCents(Cents amount, qint64 percent);

std::optional<Cents> addCents(Cents a, Cents b);

// An amount typed by the user, in the locale's digits and separators, with at most two
// decimals and an optional "€": the cents, or an Italian message saying what is wrong.
std::variant<Cents, QString> parseAmount(const QString &text, const QLocale &locale);

// A whole number of per cent from 0 to 100 (empty is 0), or an Italian message.
std::variant<int, QString> parsePercent(const QString &text, const QLocale &locale);

// "1.234,56 €", whatever the user's regional settings.
QString euroText(Cents cents);

} // namespace fee
