#pragma once

#include "consoleio.h"

#include <QByteArray>
#include <QCommandLineParser>
#include <QString>

#include <variant>

// The status of a bad option or input; the message goes to standard error, nothing to output.
inline constexpr int kBadInput = 2;

// Whether `args` ask for the help, anywhere among them.
inline bool asksForHelp(const QStringList &args) {
    return args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"));
}

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

// Prints the help of `parser` for `program`; the status to end with.
inline int printHelp(const QCommandLineParser &parser, const QString &startedAs,
                     const QString &program) {
    return console::writeUtf8(helpText(parser, startedAs, program).toUtf8(), stdout) ? 0 : 1;
}

// Ends a run: its message on standard error with kBadInput, or its output on standard output,
// with 1 when that cannot be written.
inline int finish(const std::variant<QByteArray, QString> &result) {
    if (const QString *fault = std::get_if<QString>(&result)) {
        console::writeUtf8((*fault + u'\n').toUtf8(), stderr);
        return kBadInput;
    }
    return console::writeUtf8(std::get<QByteArray>(result), stdout) ? 0 : 1;
}
