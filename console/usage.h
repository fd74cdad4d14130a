#pragma once

#include <QCommandLineParser>
#include <QString>

// The parser's help, its first line naming the program as installed: Qt names it by the path
// it was started from (`startedAs`).
inline QString helpText(const QCommandLineParser &parser, const QString &startedAs,
                        const QString &program) {
    QString text = parser.helpText();
    if (const QString usage = QStringLiteral("Usage: ") + startedAs; text.startsWith(usage))
        text.replace(0, usage.size(), QStringLiteral("Usage: ") + program);
    return text;
}
