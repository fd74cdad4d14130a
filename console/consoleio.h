#pragma once

#include <QByteArray>

#include <cstdio>

namespace console {

// Writes UTF-8 text to `stream`, and says so to a Windows console, which would otherwise show
// each byte in its own code page ("attivit├á" for "attività"). Pipes and files get the bytes as
// they are, so what a program prints reads the same on every system, line ends aside.
bool writeUtf8(const QByteArray &text, std::FILE *stream);

} // namespace console
