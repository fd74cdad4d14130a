#pragma once

#include "parts.h"

#include <QDialog>

namespace tolvemar {

// "Crediti da incassare": the assignments with a decree and something still due, the oldest
// decree first, with the days since the decree and the total due. A snapshot: read-only.
class CreditsDialog : public QDialog {
    Q_OBJECT

public:
    // With `withCharges`, the amounts are fee::kChargesIncluded.
    CreditsDialog(const QList<assignments::Credit> &credits, bool withCharges,
                  QWidget *parent = nullptr);
};

} // namespace tolvemar
