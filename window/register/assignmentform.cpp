#include "assignmentform.h"

#include "fieldmark.h"
#include "money.h"
#include "registertexts.h"
#include "termfields.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>

namespace tolvemar {

namespace {

// The note is saved when it loses the focus.
class FocusOut : public QObject {
public:
    FocusOut(std::function<void()> left, QObject *parent)
        : QObject(parent)
        , left(std::move(left)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::FocusOut)
            left();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> left;
};

} // namespace

AssignmentForm::AssignmentForm(Save saver, QWidget *parent)
    : QWidget(parent)
    , save(std::move(saver))
    , court(new QLineEdit(this))
    , caseNumber(new QLineEdit(this))
    , judge(new QLineEdit(this))
    , subject(new QLineEdit(this))
    , panel(new QSpinBox(this))
    , note(new QPlainTextEdit(this))
    , terms(new TermFields(this))
    , urgency(new QSpinBox(this))
    , urgencyWhy(new QLabel(this))
    , increase(new QSpinBox(this))
    , advances(new QLineEdit(this)) {
    court->setPlaceholderText(QStringLiteral("ad esempio Tribunale di Firenze"));
    advances->setPlaceholderText(QStringLiteral("0,00"));
    panel->setRange(1, 100);
    increase->setRange(0, 100);
    for (QSpinBox *spin : {panel, urgency, increase}) {
        spin->setKeyboardTracking(false);
        connect(spin, &QSpinBox::valueChanged, this, [this, spin](int value) {
            assignments::Assignment changed = shown;
            (spin == panel     ? changed.panel
             : spin == urgency ? changed.urgencyPercent
                               : changed.increasePercent) = value;
            commit(changed, spin, errorOf(spin));
        });
    }
    urgencyWhy->setWordWrap(true);
    note->setTabChangesFocus(true);
    note->setFixedHeight(3 * note->fontMetrics().lineSpacing() + 12);
    note->installEventFilter(new FocusOut(
        [this] {
            if (enabled && note->toPlainText() != shown.note) {
                assignments::Assignment changed = shown;
                changed.note = note->toPlainText();
                commit(changed, note, errorOf(note));
            }
        },
        this));

    auto *left = new QFormLayout;
    auto *middle = new QFormLayout;
    auto *right = new QFormLayout;
    const auto row = [this](QFormLayout *form, const QString &caption, QWidget *edit) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(edit);
        edit->setAccessibleName(QString(caption).remove(u'&'));
        auto *error = fieldmark::errorLabel(this);
        form->addRow(label, addField(edit, error));
    };
    row(left, QStringLiteral("&Ufficio giudiziario"), court);
    row(left, QStringLiteral("Proce&dimento n."), caseNumber);
    row(left, QStringLiteral("&Giudice"), judge);
    row(left, QStringLiteral("&Oggetto"), subject);
    // The window has more fields than letters: this one, seldom changed, goes without.
    row(left, QStringLiteral("Componenti del collegio"), panel);
    row(left, QStringLiteral("&Note"), note);
    // The terms in the middle; the appointment and the filing, where the assignment begins and
    // ends, on the right above the money.
    terms->layOut(middle, right);
    row(right, QStringLiteral("Aumento per urgen&za (%)"), urgency);
    right->addRow(QString(), urgencyWhy);
    row(right, QStringLiteral("&Maggiorazione (%)"), increase);
    row(right, QStringLiteral("&Acconti ricevuti"), advances);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // The terms take two fields a row.
    layout->addLayout(left, 2);
    layout->addLayout(middle, 3);
    layout->addLayout(right, 2);

    for (QLineEdit *edit : {court, caseNumber, judge, subject, advances})
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] { lineEdited(edit); });
    connect(terms, &TermFields::edited, this, &AssignmentForm::lineEdited);
    setAssignment(std::nullopt);
}

QWidget *AssignmentForm::addField(QWidget *edit, QLabel *error) {
    auto *box = new QWidget(this);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(edit);
    column->addWidget(error);
    errors.append({edit, error});
    return box;
}

QLabel *AssignmentForm::errorOf(QWidget *edit) const {
    for (const auto &[field, label] : errors)
        if (field == edit)
            return label;
    return terms->errorOf(edit);
}

void AssignmentForm::setAssignment(const std::optional<assignments::Assignment> &assignment) {
    enabled = assignment.has_value();
    shown = assignment.value_or(assignments::Assignment{});
    for (const auto &[field, label] : std::as_const(errors)) {
        fieldmark::mark(field, label, {});
        field->setEnabled(enabled);
    }
    terms->setAssignment(shown, enabled);
    court->setText(shown.court);
    caseNumber->setText(shown.caseNumber);
    judge->setText(shown.judge);
    subject->setText(shown.subject);
    advances->setText(enabled ? registertext::amount(shown.advances) : QString());
    note->setPlainText(shown.note);
    const QSignalBlocker quietPanel(panel), quietIncrease(increase);
    panel->setValue(shown.panel);
    increase->setValue(shown.increasePercent);
    showUrgencyBound();
}

// Art. 4, paragraph 3, of law 319/1980: the increase depends on the time the judge allowed.
void AssignmentForm::showUrgencyBound() {
    const int bound = fee::urgencyBound(shown.period);
    const QSignalBlocker quiet(urgency);
    urgency->setRange(0, bound);
    urgency->setValue(shown.urgencyPercent);
    urgency->setEnabled(enabled && bound > 0);
    QString why;
    if (!shown.period.appointment.isValid() || !shown.period.deadline.isValid())
        why = QStringLiteral("Nessun aumento per urgenza senza conferimento e termine.");
    else if (bound == 0)
        why = QStringLiteral("Nessun aumento per urgenza: tra conferimento e termine più di 15 "
                             "giorni.");
    else
        why = QStringLiteral("Fino al %1 %: tra conferimento e termine non più di %2 giorni.")
                  .arg(bound)
                  .arg(bound == 100 ? 5 : 15);
    urgencyWhy->setText(why);
    urgencyWhy->setAccessibleName(why);
    urgency->setToolTip(why);
    urgency->setAccessibleDescription(why);
}

void AssignmentForm::lineEdited(QLineEdit *edit) {
    if (!enabled)
        return;
    assignments::Assignment changed = shown;
    QString error;
    const QString text = edit->text();
    if (terms->edits().contains(edit))
        error = terms->read(edit, changed);
    else if (edit == court)
        changed.court = text;
    else if (edit == caseNumber)
        changed.caseNumber = text;
    else if (edit == judge)
        changed.judge = text;
    else if (edit == subject)
        changed.subject = text;
    else if (edit == advances) {
        const auto amount =
            fee::parseAmount(text.trimmed().isEmpty() ? QStringLiteral("0") : text, QLocale());
        if (const QString *message = std::get_if<QString>(&amount))
            error = *message;
        else
            changed.advances = std::get<fee::Cents>(amount);
    }
    if (!error.isEmpty()) {
        fieldmark::mark(edit, errorOf(edit), error);
        return;
    }
    changed.urgencyPercent = std::min(changed.urgencyPercent, fee::urgencyBound(changed.period));
    commit(changed, edit, errorOf(edit));
}

void AssignmentForm::commit(const assignments::Assignment &changed, QWidget *edit, QLabel *error) {
    if (changed == shown) {
        fieldmark::mark(edit, error, {});
        return;
    }
    const QString refused = save(changed);
    fieldmark::mark(edit, error, refused);
    if (!refused.isEmpty())
        return;
    shown = changed;
    showUrgencyBound();
    terms->showNotes(shown);
    emit saved(shown);
}

void AssignmentForm::savePending() {
    for (QLineEdit *edit :
         QList<QLineEdit *>{court, caseNumber, judge, subject, advances} + terms->edits())
        lineEdited(edit);
    if (enabled && note->toPlainText() != shown.note) {
        assignments::Assignment changed = shown;
        changed.note = note->toPlainText();
        commit(changed, note, errorOf(note));
    }
}

void AssignmentForm::focusFirstField() {
    court->setFocus();
}

} // namespace tolvemar
