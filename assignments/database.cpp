#include "files.h"
#include "registerprivate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace assignments {

namespace {

// SQLite's primary result codes, as the driver reports them in the native error code.
constexpr int kSqliteBusy = 5;
constexpr int kSqliteFull = 13;

int primaryCode(const QSqlError &error) {
    return error.nativeErrorCode().toInt() & 0xff;
}

QString quoted(const QString &path) {
    return QStringLiteral("«%1»").arg(QDir::toNativeSeparators(path));
}

} // namespace

Register::Private::~Private() {
    statements.clear();
    if (db.isValid())
        db.close();
    db = QSqlDatabase();
    if (!connection.isEmpty())
        QSqlDatabase::removeDatabase(connection);
}

QSqlQuery &Register::Private::prepared(const QString &sql) {
    auto found = statements.find(sql);
    if (found == statements.end()) {
        QSqlQuery query(db);
        query.prepare(sql);
        found = statements.emplace(sql, std::move(query)).first;
    }
    return found->second;
}

bool Register::Private::run(const QString &sql, QSqlError *error) {
    QSqlQuery &query = prepared(sql);
    const bool done = query.exec();
    if (!done && error)
        *error = query.lastError();
    query.finish();
    return done;
}

QString writeFailure(const QSqlError &error) {
    switch (primaryCode(error)) {
    case kSqliteFull:
        return QStringLiteral("Il disco è pieno: la modifica non è stata salvata.");
    case kSqliteBusy:
        return QStringLiteral("Il registro è in uso da un altro programma: la modifica non è "
                              "stata salvata. Riprovare tra poco.");
    default:
        return QStringLiteral("La modifica non è stata salvata: %1").arg(error.text());
    }
}

QString readFailure(const QSqlError &error) {
    if (primaryCode(error) == kSqliteBusy)
        return QStringLiteral("Il registro è in uso da un altro programma. Riprovare tra poco.");
    return QStringLiteral("Il registro non può essere letto: %1").arg(error.text());
}

Transaction::Transaction(Register::Private &d, Kind kind)
    : d(d)
    , m_kind(kind) {
    if (kind == Kind::Change && d.readOnly) {
        m_error = QString::fromUtf8(kReadOnlyMessage);
        return;
    }
    QSqlError error;
    m_open = d.run(
        kind == Kind::Change ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"), &error);
    if (!m_open)
        m_error = kind == Kind::Change ? writeFailure(error) : readFailure(error);
}

Transaction::~Transaction() {
    if (m_open)
        d.run(QStringLiteral("ROLLBACK"));
}

QString Transaction::commit() {
    QSqlError error;
    if (d.run(QStringLiteral("COMMIT"), &error)) {
        m_open = false;
        return {};
    }
    // A failed COMMIT may leave the transaction open; the destructor rolls it back.
    return m_kind == Kind::Change ? writeFailure(error) : readFailure(error);
}

QString Transaction::fail(const QSqlQuery &query) const {
    return m_kind == Kind::Change ? writeFailure(query.lastError())
                                  : readFailure(query.lastError());
}

QString prepareFile(const QString &path) {
    const QFileInfo info(path);
    if (!files::makeFolder(info.absolutePath()))
        return QStringLiteral("Non è possibile creare la cartella del registro %1.")
            .arg(quoted(info.absolutePath()));
    switch (files::preparePrivateFile(path)) {
    case files::Prepared::Ready:
        return {};
    case files::Prepared::NotCreated:
        return QStringLiteral("Non è possibile creare il registro %1.").arg(quoted(path));
    case files::Prepared::NotPrivate:
        return QStringLiteral("Non è possibile rendere privato il registro %1.").arg(quoted(path));
    }
    return {};
}

bool limitPages(Register &r, int pages) {
    return r.d->run(QStringLiteral("PRAGMA max_page_count = %1").arg(pages));
}

QVariant textValue(const QString &text) {
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

QVariant dateValue(QDate date) {
    return date.isValid() ? QVariant(date.toString(Qt::ISODate))
                          : QVariant(QMetaType::fromType<QString>());
}

QDate valueDate(const QVariant &value) {
    return value.isNull() ? QDate() : QDate::fromString(value.toString(), Qt::ISODate);
}

} // namespace assignments
