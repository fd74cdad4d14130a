#include "hostpath.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

QString hostPath(const QString &path) {
#ifdef Q_OS_WIN
    // Wine's own call, absent from Windows, where the path is left as it is.
    using UnixName = char *(CDECL *)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        return path;
    const QString native = QDir::toNativeSeparators(path);
    char *name = unixName(reinterpret_cast<LPCWSTR>(native.utf16()));
    if (!name)
        return path;
    const QString result = QFile::decodeName(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
#else
    return path;
#endif
}

bool hostReadsBack() {
#ifdef Q_OS_WIN
    return false;
#else
    return true;
#endif
}

bool homeFromEnvironment() {
#ifdef Q_OS_WIN
    return false;
#else
    return true;
#endif
}
