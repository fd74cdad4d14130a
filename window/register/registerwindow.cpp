#include "registerwindow.h"

#include "assignmentform.h"
#include "assignmentlist.h"
#include "expensetable.h"
#include "expert.h"
#include "feeitemtable.h"
#include "guide.h"
#include "invoicepanel.h"
#include "liquidationpanel.h"
#include "registersummary.h"
#include "sessionmodel.h"
#include "sessiontable.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScrollArea>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

#include <functional>

namespace tolvemar {

RegisterWindow::RegisterWindow(std::unique_ptr<assignments::Register> file, fee::Tariff fees,
                               QWidget *parent)
    : QMainWindow(parent)
    , store(std::move(file))
    , tariff(fees)
    , body(new QWidget(this))
    , assignments(new AssignmentList(this))
    , sorted(new QSortFilterProxyModel(this))
    , list(new QTableView(body))
    , form(new AssignmentForm(
          [this](const assignments::Assignment &changed) { return store->update(changed); }, body))
    , sessions(new SessionTable(body))
    , expenses(new ExpenseTable(
          [this](const QList<assignments::Expense> &changed) {
              return saveLists([&](assignments::Assignment &a) { a.expenses = changed; });
          },
          body))
    , feeItems(new FeeItemTable(
          [this](const QList<assignments::FeeItem> &changed, int urgency) {
              return saveLists([&](assignments::Assignment &a) {
                  a.feeItems = changed;
                  a.tableUrgencyPercent = urgency;
              });
          },
          body))
    , liquidation(new LiquidationPanel(
          [this](const LiquidationPanel::Change &change) { return saveLists(change); }, body))
    , invoicing(new InvoicePanel(
          *store,
          [this]() -> std::optional<assignments::Assignment> {
              savePending();
              if (!current)
                  return std::nullopt;
              return form->assignment();
          },
          [this] { return liquidation->selectedParty(); }, body))
    , summary(new RegisterSummary(body))
    , status(new QLabel(body)) {
    setWindowTitle(QStringLiteral("Registro degli incarichi — Calcolo Tolvemar CT"));
    setAttribute(Qt::WA_DeleteOnClose);
    offerGuide(this, QStringLiteral("registro.html"));
    addGuideItems(menuBar()->addMenu(QStringLiteral("&?")), this);
    // A bad value is framed in red; its message stands beside it.
    setStyleSheet(QStringLiteral("QLineEdit[invalid=\"true\"], QPlainTextEdit[invalid=\"true\"], "
                                 "QSpinBox[invalid=\"true\"], QTableView[invalid=\"true\"] "
                                 "{ border: 1px solid #b00000; }"
                                 "QLabel#error, QLabel#status { color: #b00000; }"));
    status->setObjectName(QStringLiteral("status"));
    status->setWordWrap(true);
    status->setAccessibleName(QStringLiteral("Messaggi"));

    // The list beside what the selected assignment is worth, its fields, then on one page its
    // sessions beside its fees by value and expenses, on the other its liquidation.
    auto *top = new QHBoxLayout;
    top->addWidget(createListPanel(), 1);
    top->addWidget(createSummaryPanel());
    auto *work = new QWidget(body);
    auto *bottom = new QHBoxLayout(work);
    bottom->setContentsMargins(0, 0, 0, 0);
    auto *side = new QVBoxLayout;
    side->addWidget(feeItems, 3);
    side->addWidget(expenses, 2);
    bottom->addWidget(sessions, 4);
    bottom->addLayout(side, 3);
    auto *pages = new QTabWidget(body);
    pages->setDocumentMode(true);
    // A tab clicked takes the focus, so that F1 then opens the guide on that tab.
    pages->tabBar()->setFocusPolicy(Qt::StrongFocus);
    pages->addTab(work, QStringLiteral("Sedute, onorari e spese"));
    offerGuide(work, QStringLiteral("sedute.html"));
    auto *settlement = new QWidget(body);
    auto *settled = new QVBoxLayout(settlement);
    settled->setContentsMargins(0, 0, 0, 0);
    settled->addWidget(liquidation, 3);
    settled->addWidget(invoicing, 2);
    pages->addTab(settlement, QStringLiteral("Liquidazione e pagamenti"));
    offerGuide(settlement, QStringLiteral("liquidazione.html"));
    needSelection.append({form, sessions, expenses, feeItems});
    // On a screen smaller than the window's least size the window still fits, and scrolls.
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(body);
    setCentralWidget(scroll);
    auto *layout = new QVBoxLayout(body);
    // A window's own margins, which a central widget's layout would not have.
    const int margin = style()->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addLayout(top, 3);
    layout->addWidget(form);
    layout->addWidget(pages, 4);
    layout->addWidget(status);

    connect(form, &AssignmentForm::saved, this, [this](const assignments::Assignment &changed) {
        sessions->setPeriod(changed.period);
        feeItems->setAppointment(changed.period.appointment);
        invoicing->setAssignment(changed);
        refreshList();
        showSummary();
    });
    connect(sessions, &SessionTable::saved, this, [this] {
        refreshList();
        showSummary();
    });
    connect(sessions, &SessionTable::message, this, &RegisterWindow::showMessage);
    connect(expenses, &ExpenseTable::message, this, &RegisterWindow::showMessage);
    connect(feeItems, &FeeItemTable::message, this, &RegisterWindow::showMessage);
    connect(invoicing, &InvoicePanel::message, this, &RegisterWindow::showMessage);
    refreshList();
    if (assignments->rowCount() > 0)
        list->setCurrentIndex(sorted->index(0, 0));
    else
        select(0);
    resize(1240, 760);
}

// Destroyed with the main window, it was never closed: what is typed is saved now. The widgets
// go before the register, since an editor still open commits into it as it closes, and without
// telling this window, which is half gone.
RegisterWindow::~RegisterWindow() {
    savePending();
    for (QObject *part : {static_cast<QObject *>(form), static_cast<QObject *>(sessions),
                          static_cast<QObject *>(expenses), static_cast<QObject *>(feeItems),
                          static_cast<QObject *>(liquidation), static_cast<QObject *>(invoicing)})
        part->disconnect(this);
    qDeleteAll(findChildren<QWidget *>(Qt::FindDirectChildrenOnly));
}

void RegisterWindow::setTariff(fee::Tariff fees) {
    tariff = fees;
    refreshList();
    showSummary();
}

void RegisterWindow::refresh() {
    refreshList();
    showSummary();
}

void RegisterWindow::refreshList() {
    const auto details = assignments::fiscalDetails(assignments::readExpert());
    const auto rows = store->list(tariff, details);
    if (const QString *error = std::get_if<QString>(&rows)) {
        showMessage(*error);
        return;
    }
    refreshing = true;
    assignments->setRows(std::get<QList<assignments::ListRow>>(rows), QDate::currentDate(),
                         details.has_value());
    const int row = assignments->rowOf(current);
    if (row >= 0)
        list->setCurrentIndex(sorted->mapFromSource(assignments->index(row, 0)));
    refreshing = false;
    emit listed(assignments->rows());
}

void RegisterWindow::currentChanged() {
    if (refreshing)
        return;
    const QModelIndex index = list->currentIndex();
    select(index.isValid() ? index.data(AssignmentList::kIdRole).toLongLong() : 0);
}

void RegisterWindow::select(qint64 id) {
    if (id && id == current)
        return;
    savePending();
    current = 0;
    std::optional<assignments::Assignment> chosen;
    if (id) {
        const auto read = store->assignment(id);
        if (const QString *error = std::get_if<QString>(&read))
            showMessage(*error);
        else
            chosen = std::get<assignments::Assignment>(read);
    }
    if (chosen)
        current = id;
    form->setAssignment(chosen);
    sessions->load(chosen ? store.get() : nullptr, current, chosen ? chosen->period : fee::Period(),
                   chosen ? chosen->caseNumber : QString());
    expenses->setExpenses(chosen ? chosen->expenses : QList<assignments::Expense>());
    feeItems->setAssignment(chosen);
    liquidation->setAssignment(chosen);
    invoicing->setAssignment(chosen);
    for (QWidget *widget : std::as_const(needSelection))
        widget->setEnabled(chosen.has_value());
    showSummary();
}

void RegisterWindow::showSummary() {
    if (!current)
        return summary->clear();
    summary->showAssignment(form->assignment(), sessions->model().totals(),
                            sessions->model().sessions(), tariff, QDate::currentDate());
}

void RegisterWindow::savePending() {
    form->savePending();
    liquidation->savePending();
}

void RegisterWindow::showMessage(const QString &text) {
    status->setText(text);
    status->setAccessibleName(text.isEmpty() ? QStringLiteral("Messaggi") : text);
}

QString RegisterWindow::saveLists(const std::function<void(assignments::Assignment &)> &change) {
    assignments::Assignment changed = form->assignment();
    change(changed);
    const QString error = store->update(changed);
    if (!error.isEmpty())
        return error;
    form->setSavedLists(changed);
    refreshList();
    showSummary();
    return {};
}

void RegisterWindow::newAssignment() {
    savePending();
    const auto created = store->create({});
    if (const QString *error = std::get_if<QString>(&created))
        return showMessage(*error);
    current = 0;
    select(std::get<qint64>(created));
    refreshList();
    form->focusFirstField();
}

void RegisterWindow::deleteAssignment() {
    if (!current)
        return;
    const assignments::Assignment &chosen = form->assignment();
    const QString name = chosen.caseNumber.isEmpty()
                             ? QStringLiteral("senza numero")
                             : QStringLiteral("n. %1").arg(chosen.caseNumber);
    const QString court =
        chosen.court.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(chosen.court);
    const auto answer = QMessageBox::question(
        this, QGuiApplication::applicationDisplayName(),
        QStringLiteral("Eliminare dal registro l'incarico %1%2 con tutte le sue operazioni? "
                       "L'eliminazione non si può annullare.")
            .arg(name, court),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    const QString error = store->remove(current);
    if (!error.isEmpty())
        return showMessage(error);
    form->setAssignment(std::nullopt);
    current = 0;
    refreshList();
    if (sorted->rowCount() > 0)
        list->setCurrentIndex(sorted->index(0, 0));
    else
        select(0);
    showMessage(QStringLiteral("Incarico %1 eliminato.").arg(name));
}

registerdocument::Source RegisterWindow::requestSource() {
    savePending();
    return {form->assignment(), sessions->model().sessions(), tariff};
}

void RegisterWindow::showDone(const QString &text) {
    if (!text.isEmpty())
        showMessage(text);
}

void RegisterWindow::closeEvent(QCloseEvent *event) {
    savePending();
    event->accept();
}

} // namespace tolvemar
