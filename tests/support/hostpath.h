#pragma once

#include <QString>

// The name under which a program of the build machine finds `path`. The Windows suite runs
// under Wine, where Debian's pdftotext and python3 read the files the tests write: they need
// the Linux name of a Windows path. Elsewhere the path itself.
QString hostPath(const QString &path);

// Whether what a program of the build machine prints reaches the test: not under Wine, which
// starts Linux programs but passes no pipe from them back.
bool hostReadsBack();

// Whether Qt finds the user's home and Documents folders by HOME, which a test may move: not on
// Windows, which has a call of its own.
bool homeFromEnvironment();
