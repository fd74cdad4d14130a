#pragma once

#include "register.h"

#include <QObject>
#include <QThread>

#include <memory>

namespace tolvemar {

// The reminder of the requests for payment that are due: a deadline passed in the last 30 days
// or coming in the next 15. "Istanza di liquidazione da depositare entro il dd/MM/yyyy: <case>"
// for one, "N istanze di liquidazione da depositare entro 15 giorni" for several; empty for none.
QString reminderText(const QList<assignments::ListRow> &rows, QDate today);

// Reads the register in the background, read-only, so that the program starts without waiting
// for it: a register that does not exist is not made, and one that cannot be read says nothing
// here (the register window tells why when it is asked for).
class Reminder : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    ~Reminder() override;

    // Reads once; `found` follows on this object's thread.
    void start(const QString &path, QDate today);

signals:
    void found(const QString &text);

private:
    std::unique_ptr<QThread> reader;
};

} // namespace tolvemar
