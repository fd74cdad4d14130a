#include "registersummary.h"

#include "expert.h"
#include "feeitemsummary.h"
#include "money.h"
#include "registertexts.h"
#include "terms.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tolvemar {

namespace {

void setText(QLabel *label, const QString &text) {
    label->setText(text);
    label->setAccessibleName(text);
}

QString percent(int value) {
    return QStringLiteral("%1 %").arg(value);
}

} // namespace

RegisterSummary::RegisterSummary(QWidget *parent)
    : QGroupBox(QStringLiteral("Riepilogo"), parent)
    , deadline(new QLabel(this))
    , tables(new FeeItemSummary(this))
    , decree(new QGridLayout) {
    setAccessibleName(QStringLiteral("Riepilogo"));
    auto *grid = new QGridLayout(this);
    for (int line = 0; line < Count; ++line) {
        captions[line] = new QLabel(this);
        values[line] = new QLabel(this);
        values[line]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        values[line]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(captions[line], line, 0);
        grid->addWidget(values[line], line, 1);
    }
    for (Line bold : {Total, Balance}) {
        QFont font = values[bold]->font();
        font.setBold(true);
        values[bold]->setFont(font);
        captions[bold]->setFont(font);
    }
    deadline->setWordWrap(true);
    grid->addWidget(deadline, Count, 0, 1, 2);
    // Beside the vacazioni the fees by value, then the decree: as many lines as there are
    // parties, close together so that the window keeps its height.
    auto *side = new QVBoxLayout;
    side->addWidget(tables);
    side->addLayout(decree);
    side->addStretch();
    decree->setContentsMargins(0, 0, 0, 0);
    decree->setColumnStretch(0, 1);
    for (QGridLayout *lines : {grid, decree, qobject_cast<QGridLayout *>(tables->layout())})
        lines->setVerticalSpacing(1);
    side->setSpacing(1);
    grid->addLayout(side, 0, 2, Count + 1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 2);
    clear();
}

void RegisterSummary::set(Line line, const QString &caption, const QString &value) {
    setText(captions[line], caption);
    setText(values[line], value);
}

void RegisterSummary::clear() {
    static const char *const names[Count] = {
        "Vacazioni", "Compenso", "Aumento per urgenza", "Maggiorazione", "Collegio",
        "Totale",    "Spese",    "Acconti ricevuti",    "Saldo"};
    for (int line = 0; line < Count; ++line)
        set(Line(line), QString::fromUtf8(names[line]), QString());
    setText(deadline, QString());
    tables->clear();
    showSettlement({});
}

// The labels stay, the lines beyond those shown hidden, so that a screen reader keeps its place.
void RegisterSummary::showSettlement(const QList<settlementtext::Line> &lines) {
    while (decreeLines.size() < lines.size()) {
        const int row = int(decreeLines.size());
        auto *caption = new QLabel(this);
        auto *value = new QLabel(this);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        decree->addWidget(caption, row, 0);
        decree->addWidget(value, row, 1);
        decreeLines.append(std::pair(caption, value));
    }
    for (qsizetype i = 0; i < decreeLines.size(); ++i) {
        const auto &[caption, value] = decreeLines[i];
        const bool shown = i < lines.size();
        setText(caption, shown ? lines[i].caption : QString());
        setText(value, shown ? lines[i].value : QString());
        caption->setVisible(shown);
        value->setVisible(shown);
    }
}

QList<settlementtext::Line> RegisterSummary::settlement() const {
    QList<settlementtext::Line> lines;
    for (const auto &[caption, value] : decreeLines)
        if (!caption->text().isEmpty())
            lines.append({caption->text(), value->text()});
    return lines;
}

void RegisterSummary::showAssignment(const assignments::Assignment &assignment,
                                     const fee::LogTotals &totals,
                                     const QList<fee::Session> &sessions, fee::Tariff tariff,
                                     QDate today) {
    std::optional<fee::Cents> expenses = 0;
    for (const assignments::Expense &expense : assignment.expenses)
        expenses = expenses ? fee::addCents(*expenses, expense.amount) : std::nullopt;
    const fee::Claim claim{tariff,           assignment.urgencyPercent, assignment.increasePercent,
                           assignment.panel, expenses.value_or(0),      assignment.advances};
    set(Vacazioni, QStringLiteral("Vacazioni"),
        QStringLiteral("%1 (%2 in udienza)")
            .arg(registertext::vacazioni(totals.halves),
                 registertext::vacazioni(totals.udienzaHalves)));
    auto settled = fee::settle(totals.halves, claim);
    if (!expenses)
        settled = QStringLiteral("Le spese superano quanto il programma sa sommare.");
    // The fees by value beside the vacazioni, with their own increases, a third less for a late
    // report (art. 52, paragraph 2, DPR 115/2002); the total both.
    const bool late =
        fee::filedLate(assignment.reportFiled,
                       fee::lastDeadline(assignment.period.deadline, assignment.period.extensions));
    const auto byValue = tables->showAssignment(assignment, late);
    std::variant<fee::AssignmentSettlement, QString> both = QString();
    if (const QString *error = std::get_if<QString>(&byValue))
        both = *error;
    else if (const auto *s = std::get_if<fee::Settlement>(&settled))
        both = fee::combine(*s, std::get<fee::TableSettlement>(byValue));
    else
        both = std::get<QString>(settled);
    if (const QString *error = std::get_if<QString>(&both)) {
        for (int line = Fee; line < Count; ++line)
            setText(values[line], QString());
        setText(values[Balance], *error);
    } else {
        const fee::Settlement &s = std::get<fee::Settlement>(settled);
        const fee::AssignmentSettlement &all = std::get<fee::AssignmentSettlement>(both);
        set(Fee,
            tariff == fee::Tariff::Ruling2025
                ? QStringLiteral("Compenso (tariffa dopo la sentenza n. 16/2025)")
                : QStringLiteral("Compenso (tariffa DM 30 maggio 2002)"),
            fee::euroText(s.fee));
        set(Urgency, QStringLiteral("Aumento per urgenza (%1)").arg(percent(claim.urgencyPercent)),
            fee::euroText(s.urgency));
        set(Increase, QStringLiteral("Maggiorazione (%1)").arg(percent(claim.increasePercent)),
            fee::euroText(s.increase));
        set(Panel,
            claim.panel == 1 ? QStringLiteral("Collegio (un solo componente)")
                             : QStringLiteral("Collegio (%1 componenti)").arg(claim.panel),
            fee::euroText(s.panel));
        set(Total, QStringLiteral("Totale compenso"), fee::euroText(all.total));
        set(Expenses, QStringLiteral("Spese"), fee::euroText(s.expenses));
        set(Advances, QStringLiteral("Acconti ricevuti"), fee::euroText(s.advances));
        set(Balance, QStringLiteral("Saldo"), fee::euroText(all.balance));
    }
    showSettlement(settlementtext::settlementLines(
        assignment, assignments::fiscalDetails(assignments::readExpert())));
    const QDate due = fee::requestDeadline(fee::completionDate(assignment.reportFiled, sessions));
    const QString basis = QString::fromUtf8(fee::kRequestDeadlineBasis);
    setText(deadline,
            !due.isValid()
                ? QStringLiteral("Istanza di liquidazione: il termine decorre dal deposito della "
                                 "relazione (%1)")
                      .arg(basis)
            : due < today ? QStringLiteral("Termine per l'istanza scaduto il %1")
                                .arg(registertext::fixedDate(due))
                          : QStringLiteral("Istanza di liquidazione entro il %1 (%2)")
                                .arg(registertext::fixedDate(due), basis));
}

QString RegisterSummary::value(Line line) const {
    return values[line]->text();
}

QString RegisterSummary::deadlineText() const {
    return deadline->text();
}

} // namespace tolvemar
