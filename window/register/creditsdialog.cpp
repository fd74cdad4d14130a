#include "creditsdialog.h"

#include "creditlist.h"
#include "money.h"
#include "partyshare.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tolvemar {

CreditsDialog::CreditsDialog(const QList<assignments::Credit> &credits, bool withCharges,
                             QWidget *parent)
    : QDialog(parent) {
    const QString title = QStringLiteral("Crediti da incassare");
    setWindowTitle(title);
    auto *model = new CreditList(this);
    model->setCredits(credits);

    auto *table = new QTableView(this);
    table->setAccessibleName(title);
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->resizeColumnsToContents();
    table->setVisible(!credits.isEmpty());

    QString text = QStringLiteral("Nessun credito da incassare.");
    if (!credits.isEmpty()) {
        const std::optional<fee::Cents> total = model->total();
        text =
            total ? QStringLiteral("Totale da incassare%1: %2")
                        .arg(withCharges
                                 ? QStringLiteral(" (%1)").arg(QLatin1String(fee::kChargesIncluded))
                                 : QString(),
                             fee::euroText(*total))
                  : QStringLiteral("Il totale supera quanto il programma sa sommare.");
    }
    auto *summary = new QLabel(text, this);
    summary->setObjectName(QStringLiteral("total"));
    summary->setAccessibleName(text);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Chiudi"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addWidget(summary);
    layout->addWidget(buttons);
    // As tall as its rows, up to what the toolkit allows, and wide enough for every column.
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table->setMinimumWidth(table->horizontalHeader()->length() + 2 * table->frameWidth());
}

} // namespace tolvemar
