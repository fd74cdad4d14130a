#include "files.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace assignments::files {

namespace {

bool makeOneFolder(const QString &path) {
#ifdef Q_OS_WIN
    return CreateDirectoryW(reinterpret_cast<LPCWSTR>(path.utf16()), nullptr) != 0 ||
           GetLastError() == ERROR_ALREADY_EXISTS;
#else
    return ::mkdir(QFile::encodeName(path).constData(), 0700) == 0 || errno == EEXIST;
#endif
}

#ifdef Q_OS_WIN
// The volume and index that identify a file on NTFS, as the inode does on Linux.
bool identity(const QString &path, BY_HANDLE_FILE_INFORMATION &info) {
    const HANDLE file = CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    return known;
}

LPCWSTR wide(const QString &path) {
    return reinterpret_cast<LPCWSTR>(path.utf16());
}
#endif

} // namespace

bool makeFolder(const QString &folder) {
    const QFileInfo info(folder);
    if (info.isDir())
        return true;
    if (info.exists())
        return false;
    const QString parent = info.absolutePath();
    if (parent != info.absoluteFilePath() && !makeFolder(parent))
        return false;
    return makeOneFolder(info.absoluteFilePath()) && QFileInfo(folder).isDir();
}

Prepared preparePrivateFile(const QString &path) {
    const QString name = QFileInfo(path).absoluteFilePath();
#ifdef Q_OS_WIN
    QFile file(name);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return Prepared::Ready;
    return QFileInfo(name).isFile() ? Prepared::Ready : Prepared::NotCreated;
#else
    const QByteArray encoded = QFile::encodeName(name);
    const int fd = ::open(encoded.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return Prepared::Ready;
    }
    struct stat status;
    if (errno != EEXIST || ::stat(encoded.constData(), &status) != 0 || !S_ISREG(status.st_mode))
        return Prepared::NotCreated;
    // The register holds other people's affairs: only its owner reads it.
    if ((status.st_mode & 077) != 0 && ::chmod(encoded.constData(), 0600) != 0)
        return Prepared::NotPrivate;
    return Prepared::Ready;
#endif
}

bool exists(const QString &path) {
#ifdef Q_OS_WIN
    return GetFileAttributesW(wide(path)) != INVALID_FILE_ATTRIBUTES;
#else
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
#endif
}

bool sameFile(const QString &a, const QString &b) {
#ifdef Q_OS_WIN
    BY_HANDLE_FILE_INFORMATION first, second;
    return identity(a, first) && identity(b, second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
#else
    struct stat first, second;
    return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
#endif
}

// On Linux, where the file system cannot refuse to replace, a link and an unlink: a kill
// between them leaves one file under two names, which the next start recognises. Windows's
// MoveFileEx refuses to replace unless asked to.
void moveWithoutReplacing(const QString &from, const QString &to) {
#ifdef Q_OS_WIN
    if (sameFile(from, to)) {
        DeleteFileW(wide(from));
        return;
    }
    MoveFileExW(wide(from), wide(to), MOVEFILE_WRITE_THROUGH);
#else
    const QByteArray source = QFile::encodeName(from), target = QFile::encodeName(to);
    if (sameFile(from, to)) {
        ::unlink(source.constData());
        return;
    }
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
            0 ||
        errno != EINVAL)
        return;
    if (::link(source.constData(), target.constData()) == 0)
        ::unlink(source.constData());
#endif
}

bool replace(const QString &from, const QString &to) {
#ifdef Q_OS_WIN
    return MoveFileExW(wide(from), wide(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
           0;
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

bool syncToDisk(QFileDevice &file) {
    if (!file.flush())
        return false;
#ifdef Q_OS_WIN
    return ::_commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

} // namespace assignments::files
