// The register's move from the data folder of the organisation, where the program kept it
// before it set its own application name, to the application's folder.
#include "files.h"
#include "registerprivate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace assignments {

namespace {

using files::exists;
using files::moveWithoutReplacing;
using files::sameFile;

// SQLite's own files beside the register: the log holds commits not yet in the file, so it
// travels with it.
constexpr const char *kCompanions[] = {"-wal", "-shm"};

QString quoted(const QString &path) {
    return QStringLiteral("«%1»").arg(QDir::toNativeSeparators(path));
}

// Said the first time both places are found holding a register, then remembered in the
// application's folder.
QString noticeOnce(const QString &old, const QString &current) {
    QFile marker(
        QFileInfo(current).dir().filePath(QStringLiteral(".registro-precedente-segnalato")));
    if (marker.exists() || !marker.open(QIODevice::WriteOnly))
        return {};
    marker.write(QFile::encodeName(old) + '\n');
    return QStringLiteral("Il registro degli incarichi è %1. Nella cartella usata dalle versioni "
                          "precedenti c'è un altro registro, %2: è stato lasciato com'era e non "
                          "viene aperto.")
        .arg(quoted(current), quoted(old));
}

} // namespace

QString Register::oldDefaultPath() {
    const QFileInfo folder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    return folder.absolutePath() + QStringLiteral("/incarichi.sqlite");
}

// The log and its index go first and the file last, each by one rename: whatever moment a kill
// comes at, the file is still at the old place until the very last step, and the next start
// moves what is left to join the rest. Nothing at the new place is ever replaced.
QString relocate(Register::Private &d) {
    const QString old = Register::oldDefaultPath();
    if (exists(d.path)) {
        if (sameFile(old, d.path))
            moveWithoutReplacing(old, d.path);
        else if (exists(old) && !d.readOnly)
            d.notice = noticeOnce(old, d.path);
        return {};
    }
    if (!exists(old))
        return {};
    if (!files::makeFolder(QFileInfo(d.path).absolutePath()))
        return QStringLiteral("Non è possibile creare la cartella del registro %1.")
            .arg(quoted(QFileInfo(d.path).absolutePath()));
    for (const char *suffix : kCompanions) {
        if (exists(old + QLatin1String(suffix)))
            moveWithoutReplacing(old + QLatin1String(suffix), d.path + QLatin1String(suffix));
    }
    moveWithoutReplacing(old, d.path);
    // Another process may have moved some of it meanwhile: what counts is where the files are.
    bool left = exists(old) || !exists(d.path);
    for (const char *suffix : kCompanions)
        left = left || exists(old + QLatin1String(suffix));
    if (left)
        return QStringLiteral("Il registro %1 non può essere spostato in %2, dove il programma ora "
                              "lo tiene: è stato lasciato dov'era e non è stato aperto.")
            .arg(quoted(old), quoted(d.path));
    return {};
}

} // namespace assignments
