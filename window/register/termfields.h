#pragma once

#include "register.h"

#include <QObject>

#include <functional>

class QFormLayout;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

namespace tolvemar {

// The dates of an assignment: the appointment, the three terms of art. 195, paragraph 3, c.p.c.
// (the draft sent to the parties, their observations, the filing), each with its extensions, and
// the filing of the report. Under each term, what its last date means (the August suspension,
// the day it really ends); under the filing, whether it came late. The fields are the form's
// children, in the order of time; the form saves what they read.
class TermFields : public QObject {
    Q_OBJECT

public:
    explicit TermFields(QWidget *form);

    // The three terms into `terms`, the appointment and the filing into `dates`.
    void layOut(QFormLayout *terms, QFormLayout *dates) const;

    // Shows the dates of `a` and their notes, every mark cleared.
    void setAssignment(const assignments::Assignment &a, bool enabled);
    // The notes of `a` as saved; the fields keep what is typed.
    void showNotes(const assignments::Assignment &a);

    QList<QLineEdit *> edits() const;
    QLabel *errorOf(const QWidget *edit) const;
    // Reads `edit`, one of edits(), into `changed`, the assignment as saved: an Italian message
    // when its text is no date or puts the draft, the observations and the filing out of order
    // (assignments::termsError).
    QString read(const QLineEdit *edit, assignments::Assignment &changed) const;

signals:
    // Left, or Return pressed in it, or a date picked.
    void edited(QLineEdit *edit);

private:
    // Where a field's date (`date`), or its list of dates (`dates`), is kept in an assignment;
    // `ordered` for the dates of the three terms.
    struct Place {
        std::function<QDate &(assignments::Assignment &)> date;
        std::function<QList<QDate> &(assignments::Assignment &)> dates;
        bool ordered = true;
    };
    struct Field {
        QLabel *caption;
        QWidget *box; // the edit, its picker, its error label and its note
        QLineEdit *edit;
        QLabel *error;
        QLabel *note; // what the last date of its term means, or whether the filing was late
        Place place;
    };

    // The field under `caption`, named `name` when not as its caption, with its error label
    // under it, and `note`, laid out by layOut.
    void addField(const QString &caption, Place place, QLabel *note = nullptr,
                  const QString &name = {});

    QWidget *form;
    QList<Field> fields;
    QList<QToolButton *> pickers;
    QLabel *draftNote;
    QLabel *observationsNote;
    QLabel *filingNote;
    QLabel *late;
};

} // namespace tolvemar
