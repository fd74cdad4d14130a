#include "consoleio.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

namespace console {

bool writeUtf8(const QByteArray &text, std::FILE *stream) {
#ifdef Q_OS_WIN
    // The bytes as they are, "\n" included: a file or a pipe gets what Linux writes.
    ::_setmode(::_fileno(stream), _O_BINARY);
    if (::_isatty(::_fileno(stream)))
        SetConsoleOutputCP(CP_UTF8);
#endif
    return std::fwrite(text.constData(), 1, size_t(text.size()), stream) == size_t(text.size()) &&
           std::fflush(stream) == 0;
}

namespace {

// Windows ends its reasons with a full stop of their own; the messages add theirs.
QString reason(const QString &text) {
    return text.endsWith(u'.') ? text.chopped(1) : text;
}

} // namespace

std::variant<QByteArray, QString> readInput(const QString &path) {
    if (path != u"-") {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("Non riesco ad aprire %1: %2.")
                .arg(path, reason(file.errorString()));
        QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return QStringLiteral("Non riesco a leggere %1: %2.")
                .arg(path, reason(file.errorString()));
        return bytes;
    }
#ifdef Q_OS_WIN
    ::_setmode(::_fileno(stdin), _O_BINARY);
#endif
    QByteArray bytes;
    char buffer[1 << 16];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
        bytes.append(buffer, qsizetype(n));
    if (std::ferror(stdin))
        return QStringLiteral("Non riesco a leggere lo standard input: %1.")
            .arg(reason(QString::fromLocal8Bit(std::strerror(errno))));
    return bytes;
}

} // namespace console
