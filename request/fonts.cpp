#include "fonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>

namespace request {

QStringList documentFamilies() {
    return {QStringLiteral("Liberation Serif"), QStringLiteral("Liberation Sans")};
}

QStringList loadDocumentFonts(const QString &folder) {
    QStringList missing;
    for (const QString &family : documentFamilies()) {
        if (QFontDatabase::families().contains(family))
            continue;
        // The files are named by the family without its space: LiberationSerif-Bold.ttf.
        const QString stem = QString(family).remove(u' ');
        const QDir dir(folder);
        for (const QString &file : dir.entryList({stem + QStringLiteral("-*.ttf")}, QDir::Files))
            QFontDatabase::addApplicationFont(dir.filePath(file));
        if (!QFontDatabase::families().contains(family))
            missing.append(family);
    }
    return missing;
}

QString shippedFontsFolder() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/fonts");
}

} // namespace request
