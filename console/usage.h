#pragma once

#include <QCommandLineParser>
#include <QString>

// Parses `args`; the Italian message of what is wrong with them, empty when nothing is.
inline QString parseError(QCommandLineParser &parser, const QStringList &args) {
    if (parser.parse(args))
        return {};
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty())
        return QStringLiteral("Opzione sconosciuta: %1%2.")
            .arg(unknown.first().size() == 1 ? u"-" : u"--", unknown.first());
    // A value missing after an option, or given to a switch.
    return QStringLiteral("Opzione incompleta o con un valore di troppo (%1).")
        .arg(parser.errorText());
}

// The parser's help, its first line naming the program as installed: Qt names it by the path
// it was started from (`startedAs`).
inline QString helpText(const QCommandLineParser &parser, const QString &startedAs,
                        const QString &program) {
    QString text = parser.helpText();
    if (const QString usage = QStringLiteral("Usage: ") + startedAs; text.startsWith(usage))
        text.replace(0, usage.size(), QStringLiteral("Usage: ") + program);
    return text;
}
