#include "termfields.h"

#include "datepicker.h"
#include "deadlines.h"
#include "fieldmark.h"
#include "registertexts.h"
#include "settlementtexts.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace tolvemar {

using assignments::Assignment;

namespace {

// A label for what a date means, hidden while it means nothing of note.
QLabel *noteLabel(const QString &name, QWidget *parent) {
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->hide();
    return label;
}

void showNote(QLabel *label, const QString &text) {
    label->setText(text);
    label->setAccessibleName(text);
    label->setVisible(!text.isEmpty());
}

} // namespace

TermFields::TermFields(QWidget *parent)
    : QWidget(parent)
    , draftNote(noteLabel(fee::deadlineKey(fee::DeadlineKind::Draft), this))
    , observationsNote(noteLabel(fee::deadlineKey(fee::DeadlineKind::Observations), this))
    , filingNote(noteLabel(fee::deadlineKey(fee::DeadlineKind::Filing), this))
    , late(noteLabel(QStringLiteral("ritardo"), this)) {
    late->setStyleSheet(QStringLiteral("color: #b00000;"));
    auto *form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    const auto date = [](QDate &(*at)(Assignment &), bool ordered = true) {
        return Place{at, {}, ordered};
    };
    const auto dates = [](QList<QDate> &(*at)(Assignment &)) { return Place{{}, at}; };
    addRow(form, QStringLiteral("Con&ferimento"),
           date([](Assignment &a) -> QDate & { return a.period.appointment; }, false));
    addRow(form, QStringLiteral("Invio della bozza alle pa&rti"),
           date([](Assignment &a) -> QDate & { return a.draftToParties.date; }));
    addRow(form, QStringLiteral("Proroghe dell'invio della bozza"),
           dates([](Assignment &a) -> QList<QDate> & { return a.draftToParties.extensions; }),
           draftNote);
    addRow(form, QStringLiteral("Osservazioni de&lle parti"),
           date([](Assignment &a) -> QDate & { return a.partiesObservations.date; }));
    addRow(form, QStringLiteral("Proroghe delle osservazioni"),
           dates([](Assignment &a) -> QList<QDate> & { return a.partiesObservations.extensions; }),
           observationsNote);
    addRow(form, QStringLiteral("Termine per il deposi&to"),
           date([](Assignment &a) -> QDate & { return a.period.deadline; }));
    addRow(form, QStringLiteral("Prorog&he"),
           dates([](Assignment &a) -> QList<QDate> & { return a.period.extensions; }), filingNote);
    addRow(form, QStringLiteral("Deposito della relazion&e"),
           date([](Assignment &a) -> QDate & { return a.reportFiled; }, false), late);
}

void TermFields::addRow(QFormLayout *form, const QString &caption, Place place, QLabel *note) {
    auto *edit = new QLineEdit(this);
    auto *label = new QLabel(caption, this);
    label->setBuddy(edit);
    edit->setAccessibleName(QString(caption).remove(u'&'));
    auto *box = new QWidget(this);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    auto *line = new QHBoxLayout;
    line->addWidget(edit);
    if (place.date) {
        edit->setPlaceholderText(QStringLiteral("ad esempio ") +
                                 registertext::date(QDate(2025, 3, 31)));
        pickers.append(datePicker(edit, this, [this, edit] { emit edited(edit); }));
        line->addWidget(pickers.last());
    } else {
        edit->setPlaceholderText(QStringLiteral("date separate da «; »"));
    }
    column->addLayout(line);
    auto *error = fieldmark::errorLabel(this);
    column->addWidget(error);
    if (note)
        column->addWidget(note);
    form->addRow(label, box);
    fields.append({edit, error, std::move(place)});
    connect(edit, &QLineEdit::editingFinished, this, [this, edit] { emit edited(edit); });
}

QList<QLineEdit *> TermFields::edits() const {
    QList<QLineEdit *> list;
    for (const Field &field : fields)
        list.append(field.edit);
    return list;
}

QLabel *TermFields::errorOf(const QWidget *edit) const {
    for (const Field &field : fields)
        if (field.edit == edit)
            return field.error;
    return nullptr;
}

void TermFields::setAssignment(const Assignment &a, bool enabled) {
    Assignment shown = a;
    for (const Field &field : std::as_const(fields)) {
        fieldmark::mark(field.edit, field.error, {});
        field.edit->setEnabled(enabled);
        field.edit->setText(field.place.date ? registertext::date(field.place.date(shown))
                                             : registertext::dates(field.place.dates(shown)));
    }
    for (QToolButton *picker : std::as_const(pickers))
        picker->setEnabled(enabled);
    showNotes(a);
}

void TermFields::showNotes(const Assignment &a) {
    for (QLabel *label : {draftNote, observationsNote, filingNote, late})
        showNote(label, {});
    const std::pair<fee::DeadlineKind, QLabel *> notes[] = {
        {fee::DeadlineKind::Draft, draftNote},
        {fee::DeadlineKind::Observations, observationsNote},
        {fee::DeadlineKind::Filing, filingNote}};
    for (const fee::Deadline &deadline : fee::deadlinesOf(assignments::termDates(a, {}))) {
        for (const auto &[kind, label] : notes)
            if (deadline.kind == kind)
                showNote(label, settlementtext::termNote(deadline));
        if (deadline.late)
            showNote(late, QLatin1String(fee::kLateNote));
    }
}

QString TermFields::read(const QLineEdit *edit, Assignment &changed) const {
    for (const Field &field : fields) {
        if (field.edit != edit)
            continue;
        if (field.place.date) {
            const auto date = registertext::parseDate(edit->text());
            if (const QString *message = std::get_if<QString>(&date))
                return *message;
            field.place.date(changed) = std::get<QDate>(date);
        } else {
            const auto dates = registertext::parseDates(edit->text());
            if (const QString *message = std::get_if<QString>(&dates))
                return *message;
            field.place.dates(changed) = std::get<QList<QDate>>(dates);
        }
        if (!field.place.ordered)
            return {};
    }
    // The filing as it stands: the last of the deadline and its extensions.
    fee::TermDates dates = assignments::termDates(changed, {});
    dates.deadline = dates.lastDeadline();
    const auto error = fee::orderError(dates);
    return error ? error->message : QString();
}

} // namespace tolvemar
