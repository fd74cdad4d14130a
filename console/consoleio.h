#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <variant>

namespace console {

// Writes UTF-8 text to `stream`, and says so to a Windows console, which would otherwise show
// each byte in its own code page ("attivit├á" for "attività"). Pipes and files get the bytes as
// they are, so what a program prints reads the same on every system, line ends aside.
bool writeUtf8(const QByteArray &text, std::FILE *stream);

// The bytes of the file at `path`, or of the standard input for "-", as they are (Windows would
// turn each "\r\n" of the input into "\n"); else the Italian message of what failed.
std::variant<QByteArray, QString> readInput(const QString &path);

} // namespace console
