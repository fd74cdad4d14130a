#include "reminder.h"

#include "registertexts.h"

namespace tolvemar {

QString reminderText(const QList<assignments::ListRow> &rows, QDate today) {
    QList<const assignments::ListRow *> due;
    for (const assignments::ListRow &row : rows) {
        const QDate deadline = row.requestDeadline;
        if (deadline.isValid() && deadline >= today.addDays(-30) && deadline <= today.addDays(15))
            due.append(&row);
    }
    if (due.isEmpty())
        return {};
    if (due.size() == 1)
        return QStringLiteral("Istanza di liquidazione da depositare entro il %1: %2")
            .arg(registertext::fixedDate(due.front()->requestDeadline), due.front()->caseNumber);
    return QStringLiteral("%1 istanze di liquidazione da depositare entro 15 giorni")
        .arg(due.size());
}

Reminder::~Reminder() {
    if (reader)
        reader->wait();
}

void Reminder::start(const QString &path, QDate today) {
    if (reader)
        return;
    // The thread opens its own connection and delivers only a text; the destructor waits for
    // it, so `this` outlives the call that posts the text. A thread Qt starts itself: one it
    // only adopted crashed on Windows as it ended, with the SQL connection it had used.
    reader.reset(QThread::create([this, path, today] {
        QString text;
        auto opened = assignments::Register::open(path, assignments::Register::Mode::ReadOnly);
        if (auto *store = std::get_if<std::unique_ptr<assignments::Register>>(&opened)) {
            const auto rows = (*store)->list(fee::Tariff::Decree2002);
            if (const auto *list = std::get_if<QList<assignments::ListRow>>(&rows))
                text = reminderText(*list, today);
        }
        opened = QString();
        QMetaObject::invokeMethod(
            this, [this, text] { emit found(text); }, Qt::QueuedConnection);
    }));
    reader->start();
}

} // namespace tolvemar
