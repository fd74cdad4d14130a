#include "registerwindow.h"

#include "assignmentlist.h"
#include "registersummary.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>

#include <functional>

// The register window's two panels on top: the list of assignments with its buttons, and the
// summary with the buttons of the request for payment.
namespace tolvemar {

QWidget *RegisterWindow::createListPanel() {
    auto *panel = new QWidget(body);
    sorted->setSourceModel(assignments);
    sorted->setSortRole(AssignmentList::kSortRole);
    sorted->setSortCaseSensitivity(Qt::CaseInsensitive);
    list->setModel(sorted);
    list->setAccessibleName(QStringLiteral("Incarichi"));
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setWordWrap(false);
    list->verticalHeader()->hide();
    list->setSortingEnabled(true);
    // The register's own order, nearest date first, until a column is chosen.
    list->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    list->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->horizontalHeader()->setSectionResizeMode(AssignmentList::Court, QHeaderView::Stretch);
    auto *title = new QLabel(QStringLiteral("Incari&chi"), panel);
    title->setBuddy(list);

    auto *add = new QPushButton(QStringLiteral("Nuovo incarico"), panel);
    add->setShortcut(QKeySequence::New);
    add->setToolTip(QStringLiteral("Nuovo incarico (%1)")
                        .arg(QKeySequence(QKeySequence::New).toString(QKeySequence::NativeText)));
    auto *remove = new QPushButton(QStringLiteral("Elimina incarico…"), panel);
    needSelection.append(remove);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title);
    layout->addWidget(list, 1);
    layout->addLayout(buttons);

    connect(add, &QPushButton::clicked, this, &RegisterWindow::newAssignment);
    connect(remove, &QPushButton::clicked, this, &RegisterWindow::deleteAssignment);
    connect(list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &RegisterWindow::currentChanged);
    return panel;
}

QWidget *RegisterWindow::createSummaryPanel() {
    auto *panel = new QWidget(body);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(summary);
    auto *documents = new QHBoxLayout;
    const std::tuple<QString, QString, std::function<void()>> actions[] = {
        {QStringLiteral("&Copia"), QStringLiteral("Copia l'istanza di liquidazione"),
         [this] { showDone(registerdocument::copy(requestSource(), this)); }},
        {QStringLiteral("Stampa…"), QStringLiteral("Stampa l'istanza di liquidazione"),
         [this] { registerdocument::print(requestSource(), this); }},
        {QStringLiteral("Esporta in PDF…"),
         QStringLiteral("Esporta l'istanza di liquidazione in PDF"),
         [this] { showDone(registerdocument::exportPdf(requestSource(), this)); }}};
    for (const auto &[text, name, slot] : actions) {
        auto *button = new QPushButton(text, panel);
        button->setAccessibleName(name);
        connect(button, &QPushButton::clicked, this, slot);
        needSelection.append(button);
        documents->addWidget(button);
    }
    documents->addStretch();
    layout->addLayout(documents);
    return panel;
}

} // namespace tolvemar
