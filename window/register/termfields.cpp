#include "termfields.h"

#include "datepicker.h"
#include "deadlines.h"
#include "fieldmark.h"
#include "registertexts.h"
#include "settlementtexts.h"
#include "validation.h"

#include <QBoxLayout>
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

TermFields::TermFields(QWidget *form)
    : QObject(form)
    , form(form)
    , draftNote(noteLabel(fee::deadlineKey(fee::DeadlineKind::Draft), form))
    , observationsNote(noteLabel(fee::deadlineKey(fee::DeadlineKind::Observations), form))
    , filingNote(noteLabel(fee::deadlineKey(fee::DeadlineKind::Filing), form))
    , late(noteLabel(QStringLiteral("ritardo"), form)) {
    late->setStyleSheet(QStringLiteral("color: #b00000;"));
    const auto date = [](QDate &(*at)(Assignment &), bool ordered = true) {
        return Place{at, {}, ordered};
    };
    const auto dates = [](QList<QDate> &(*at)(Assignment &)) { return Place{{}, at}; };
    addField(QStringLiteral("Con&ferimento"),
             date([](Assignment &a) -> QDate & { return a.period.appointment; }, false));
    addField(QStringLiteral("Invio della bozza alle pa&rti"),
             date([](Assignment &a) -> QDate & { return a.draftToParties.date; }));
    addField(QStringLiteral("Proroghe"),
             dates([](Assignment &a) -> QList<QDate> & { return a.draftToParties.extensions; }),
             draftNote, QStringLiteral("Proroghe dell'invio della bozza"));
    addField(QStringLiteral("Osservazioni de&lle parti"),
             date([](Assignment &a) -> QDate & { return a.partiesObservations.date; }));
    addField(QStringLiteral("Proroghe"), dates([](Assignment &a) -> QList<QDate> & {
                 return a.partiesObservations.extensions;
             }),
             observationsNote, QStringLiteral("Proroghe delle osservazioni"));
    addField(QStringLiteral("Termine per il deposi&to"),
             date([](Assignment &a) -> QDate & { return a.period.deadline; }));
    addField(QStringLiteral("Prorog&he"),
             dates([](Assignment &a) -> QList<QDate> & { return a.period.extensions; }),
             filingNote);
    addField(QStringLiteral("Deposito della relazion&e"),
             date([](Assignment &a) -> QDate & { return a.reportFiled; }, false), late);
}

void TermFields::addField(const QString &caption, Place place, QLabel *note, const QString &name) {
    auto *edit = new QLineEdit(form);
    auto *label = new QLabel(caption, form);
    label->setBuddy(edit);
    edit->setAccessibleName(name.isEmpty() ? QString(caption).remove(u'&') : name);
    // As high as the edit, so that beside it the caption stands on its line.
    label->setMinimumHeight(edit->sizeHint().height());
    auto *box = new QWidget(form);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    auto *line = new QHBoxLayout;
    line->addWidget(edit);
    if (place.date) {
        edit->setPlaceholderText(QStringLiteral("ad esempio ") +
                                 registertext::date(QDate(2025, 3, 31)));
        pickers.append(datePicker(edit, form, [this, edit] { emit edited(edit); }));
        line->addWidget(pickers.last());
    } else {
        edit->setPlaceholderText(QStringLiteral("date separate da «; »"));
    }
    column->addLayout(line);
    auto *error = fieldmark::errorLabel(form);
    column->addWidget(error);
    if (note && !place.ordered)
        column->addWidget(note);
    fields.append({label, box, edit, error, note, std::move(place)});
    connect(edit, &QLineEdit::editingFinished, this, [this, edit] { emit edited(edit); });
}

void TermFields::layOut(QFormLayout *terms, QFormLayout *dates) const {
    // The appointment and the filing are the two not ordered. Each term's date and extensions
    // share a row, its note under them; the caption stays by the date as the row grows.
    terms->setLabelAlignment(Qt::AlignLeft | Qt::AlignTop);
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (!fields[i].place.ordered) {
            dates->addRow(fields[i].caption, fields[i].box);
            continue;
        }
        const Field &extensions = fields[++i];
        auto *line = new QHBoxLayout;
        line->addWidget(fields[i - 1].box, 3, Qt::AlignTop);
        line->addWidget(extensions.caption, 0, Qt::AlignTop);
        line->addWidget(extensions.box, 2, Qt::AlignTop);
        auto *term = new QVBoxLayout;
        term->setSpacing(2);
        term->addLayout(line);
        term->addWidget(extensions.note);
        terms->addRow(fields[i - 1].caption, term);
    }
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
    const Assignment saved = changed;
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
    return assignments::termsError(changed, saved);
}

} // namespace tolvemar
