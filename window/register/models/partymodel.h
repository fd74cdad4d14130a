#pragma once

#include "checkedrows.h"
#include "register.h"

namespace tolvemar {

// "Parti a carico": name, share in per cent ("33,33"), "in solido", the fiscal details the
// invoice to a party needs and "Sostituto d'imposta"; checked by assignments::partiesError.
class PartyModel : public CheckedRows<assignments::Party> {
    Q_OBJECT

public:
    enum Column {
        Name,
        Share,
        Jointly,
        TaxId,
        Street,
        Postcode,
        Town,
        Province,
        Recipient,
        Withholding,
        ColumnCount
    };

    explicit PartyModel(Save save, QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    Problem check() const override;
};

} // namespace tolvemar
