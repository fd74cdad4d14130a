#pragma once

#include "register.h"

#include <QWidget>

#include <functional>

class QFormLayout;
class QLabel;
class QLineEdit;
class QToolButton;

namespace tolvemar {

// The dates of an assignment: the appointment, the three terms of art. 195, paragraph 3, c.p.c.
// (the draft sent to the parties, their observations, the filing), each with its extensions, and
// the filing of the report. Under each term, what its last date means (the August suspension,
// the day it really ends); beside the filing, whether it came late. The form saves what these
// fields read.
class TermFields : public QWidget {
    Q_OBJECT

public:
    explicit TermFields(QWidget *parent = nullptr);

    // Shows the dates of `a` and their notes, every mark cleared.
    void setAssignment(const assignments::Assignment &a, bool enabled);
    // The notes of `a` as saved; the fields keep what is typed.
    void showNotes(const assignments::Assignment &a);

    QList<QLineEdit *> edits() const;
    QLabel *errorOf(const QWidget *edit) const;
    // Reads `edit`, one of edits(), into `changed`: an Italian message when its text is no date
    // or puts the draft, the observations and the filing out of order.
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
        QLineEdit *edit;
        QLabel *error;
        Place place;
    };

    // The field under `caption`, with its error label and `note` under it.
    void addRow(QFormLayout *form, const QString &caption, Place place, QLabel *note = nullptr);

    QList<Field> fields;
    QList<QToolButton *> pickers;
    QLabel *draftNote;
    QLabel *observationsNote;
    QLabel *filingNote;
    QLabel *late;
};

} // namespace tolvemar
