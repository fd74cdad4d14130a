#include "paymentmodel.h"

#include "money.h"
#include "registertexts.h"
#include "validation.h"

namespace tolvemar {

PaymentModel::PaymentModel(Save save, QObject *parent)
    : CheckedRows(std::move(save), ColumnCount, parent) {}

PaymentModel::Problem PaymentModel::check() const {
    for (int row = 0; row < shown.size(); ++row) {
        if (!wasEdited(row))
            continue;
        if (QString error = assignments::paymentError(shown[row]); !error.isEmpty())
            return {QStringLiteral("Pagamento alla riga %1: %2").arg(row + 1).arg(error), row};
    }
    return {};
}

QVariant PaymentModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= shown.size())
        return {};
    const assignments::Payment &payment = shown[index.row()];
    if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::AccessibleTextRole) {
        switch (index.column()) {
        case Date:
            return registertext::date(payment.date);
        case Payer:
            return payment.payer;
        case Amount:
            return role == Qt::EditRole ? registertext::amount(payment.amount)
                                        : fee::euroText(payment.amount);
        case Note:
            return payment.note;
        }
        return {};
    }
    if (role == Qt::TextAlignmentRole && index.column() == Amount)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return mark(index, role);
}

bool PaymentModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.row() >= shown.size())
        return false;
    assignments::Payment &payment = shown[index.row()];
    const assignments::Payment before = payment;
    const QString text = value.toString();
    QString error;
    if (index.column() == Date) {
        const auto date = registertext::parseDate(text);
        if (const QString *message = std::get_if<QString>(&date))
            error = *message;
        else
            payment.date = std::get<QDate>(date);
    } else if (index.column() == Amount) {
        const auto amount = fee::parseAmount(text, QLocale());
        if (const QString *message = std::get_if<QString>(&amount))
            error = *message;
        else
            payment.amount = std::get<fee::Cents>(amount);
    } else {
        (index.column() == Payer ? payment.payer : payment.note) = text.trimmed();
    }
    if (!error.isEmpty()) {
        emit refused(QStringLiteral("Pagamento alla riga %1: %2").arg(index.row() + 1).arg(error));
        return false;
    }
    edit(index.row(), before);
    return true;
}

Qt::ItemFlags PaymentModel::flags(const QModelIndex &index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QVariant PaymentModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const titles[ColumnCount] = {"Data", "Pagato da", "Importo (€)", "Nota"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}

} // namespace tolvemar
