#include "consoleio.h"

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#endif

namespace console {

bool writeUtf8(const QByteArray &text, std::FILE *stream) {
#ifdef Q_OS_WIN
    if (::_isatty(::_fileno(stream)))
        SetConsoleOutputCP(CP_UTF8);
#endif
    return std::fwrite(text.constData(), 1, size_t(text.size()), stream) == size_t(text.size()) &&
           std::fflush(stream) == 0;
}

} // namespace console
