#include "sessionmodel.h"

#include "registertexts.h"

#include <algorithm>

namespace tolvemar {

namespace {

std::variant<int, QString> parseTime(const QString &text) {
    if (const auto minutes = fee::textToMinutes(text.trimmed()))
        return *minutes;
    return QStringLiteral("«%1» non è un orario: scrivere ad esempio 09:30.").arg(text.trimmed());
}

} // namespace

SessionModel::SessionModel(QObject *parent)
    : QAbstractTableModel(parent) {}

QString SessionModel::load(assignments::Register *source, qint64 id, const fee::Period &dates) {
    beginResetModel();
    store = source;
    assignment = id;
    period = dates;
    rows.clear();
    QString error;
    if (store) {
        const auto stored = store->sessions(id);
        if (const QString *message = std::get_if<QString>(&stored))
            error = *message;
        else
            for (const assignments::StoredSession &s : std::get<0>(stored))
                rows.append(Row{s.id, s.session, true, true});
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) {
        return a.session.date != b.session.date ? a.session.date < b.session.date
                                                : a.session.from < b.session.from;
    });
    recount();
    endResetModel();
    return error;
}

void SessionModel::setPeriod(const fee::Period &dates) {
    period = dates;
    recount();
    if (!rows.isEmpty())
        emit dataChanged(index(0, Vacazioni), index(int(rows.size()) - 1, Vacazioni));
}

QList<fee::Session> SessionModel::sessions() const {
    QList<fee::Session> saved;
    for (const Row &row : rows)
        if (row.id)
            saved.append(row.session);
    return saved;
}

void SessionModel::recount() {
    counted = fee::logTotals(sessions(), period);
}

QModelIndex SessionModel::addDraft() {
    if (!store)
        return {};
    if (rows.isEmpty() || rows.last().id) {
        const int row = int(rows.size());
        beginInsertRows({}, row, row);
        rows.append(Row{});
        endInsertRows();
    }
    return index(int(rows.size()) - 1, Date);
}

QString SessionModel::removeRow(int row) {
    if (row < 0 || row >= rows.size())
        return {};
    if (rows[row].id) {
        const QString error = store->removeSession(rows[row].id);
        if (!error.isEmpty())
            return error;
    }
    beginRemoveRows({}, row, row);
    rows.removeAt(row);
    endRemoveRows();
    recount();
    if (!rows.isEmpty())
        emit dataChanged(index(0, Vacazioni), index(int(rows.size()) - 1, Vacazioni));
    emit saved();
    return {};
}

int SessionModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(rows.size());
}

int SessionModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString SessionModel::text(const Row &row, int column) const {
    switch (column) {
    case Date:
        return registertext::date(row.session.date);
    case From:
        return row.hasFrom ? fee::minutesToText(row.session.from) : QString();
    case To:
        return row.hasTo ? fee::minutesToText(row.session.to) : QString();
    case Description:
        return row.session.description;
    case Udienza:
        return row.session.udienza ? QStringLiteral("sì") : QStringLiteral("no");
    }
    return {};
}

QString SessionModel::vacazioniText(int row) const {
    if (!rows[row].id)
        return QStringLiteral("da completare: data e orari");
    const fee::Exclusion exclusion = counted.exclusions.value(row);
    if (exclusion != fee::Exclusion::None)
        return QStringLiteral("0, ") + fee::exclusionReason(exclusion);
    const QDate day = rows[row].session.date;
    // The day's vacazioni go on its first counted row, the others point to it.
    for (int earlier = 0; earlier < row; ++earlier)
        if (rows[earlier].session.date == day &&
            counted.exclusions.value(earlier) == fee::Exclusion::None)
            return QStringLiteral("(nel totale del giorno)");
    for (const fee::DayTotal &total : counted.days)
        if (total.date == day)
            return registertext::vacazioni(total.halves()) +
                   (total.capped ? QStringLiteral(", limite di 4 vacazioni al giorno") : QString());
    return {};
}

QVariant SessionModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rows.size())
        return {};
    const Row &row = rows[index.row()];
    const int column = index.column();
    if (column == Udienza) {
        if (role == Qt::CheckStateRole)
            return row.session.udienza ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole)
            return text(row, column);
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::AccessibleTextRole)
        return column == Vacazioni ? vacazioniText(index.row()) : text(row, column);
    if (role == Qt::ToolTipRole && column == Vacazioni)
        return vacazioniText(index.row());
    return {};
}

bool SessionModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!index.isValid() || index.row() >= rows.size())
        return false;
    Row changed = rows[index.row()];
    const QString typed = value.toString();
    switch (index.column()) {
    case Date: {
        const auto date = registertext::parseDate(typed);
        if (const QString *error = std::get_if<QString>(&date)) {
            emit refused(*error);
            return false;
        }
        changed.session.date = std::get<QDate>(date);
        break;
    }
    case From:
    case To: {
        const auto minutes = parseTime(typed);
        if (const QString *error = std::get_if<QString>(&minutes)) {
            emit refused(*error);
            return false;
        }
        (index.column() == From ? changed.session.from : changed.session.to) =
            std::get<int>(minutes);
        (index.column() == From ? changed.hasFrom : changed.hasTo) = true;
        break;
    }
    case Description:
        changed.session.description = typed;
        break;
    case Udienza:
        if (role != Qt::CheckStateRole)
            return false;
        changed.session.udienza = value.value<Qt::CheckState>() == Qt::Checked;
        break;
    default:
        return false;
    }
    const QString error = save(index.row(), changed);
    if (!error.isEmpty()) {
        emit refused(error);
        return false;
    }
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    emit dataChanged(this->index(0, Vacazioni), this->index(int(rows.size()) - 1, Vacazioni));
    return true;
}

QString SessionModel::save(int row, const Row &changed) {
    if (!store)
        return QStringLiteral("Nessun incarico scelto.");
    const bool whole = changed.session.date.isValid() && changed.hasFrom && changed.hasTo;
    if (changed.id) {
        if (!whole)
            return QStringLiteral("Un'operazione registrata ha sempre data e orari.");
        const QString error = store->updateSession(changed.id, changed.session);
        if (!error.isEmpty())
            return error;
    } else if (whole) {
        const auto added = store->addSession(assignment, changed.session);
        if (const QString *error = std::get_if<QString>(&added))
            return *error;
        rows[row] = changed;
        rows[row].id = std::get<qint64>(added);
        recount();
        emit saved();
        return {};
    }
    rows[row] = changed;
    if (changed.id) {
        recount();
        emit saved();
    }
    return {};
}

Qt::ItemFlags SessionModel::flags(const QModelIndex &index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags base = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == Udienza)
        return base | Qt::ItemIsUserCheckable;
    return index.column() == Vacazioni ? base : base | Qt::ItemIsEditable;
}

QVariant SessionModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const titles[ColumnCount] = {"Data",        "Dalle",      "Alle",
                                                    "Descrizione", "In udienza", "Vacazioni"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}

} // namespace tolvemar
