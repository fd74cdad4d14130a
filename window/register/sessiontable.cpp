#include "sessiontable.h"

#include "documentoutput.h"
#include "sessionmodel.h"
#include "worklogcsv.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>

namespace tolvemar {

namespace {

const QString kCsvFilter = QStringLiteral("Registro delle operazioni (*.csv)");

} // namespace

SessionTable::SessionTable(QWidget *parent)
    : QWidget(parent)
    , sessions(new SessionModel(this))
    , table(new QTableView(this)) {
    table->setModel(sessions);
    table->setAccessibleName(QStringLiteral("Operazioni"));
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    table->setSelectionBehavior(QAbstractItemView::SelectItems);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(true);
    table->verticalHeader()->hide();
    QHeaderView *header = table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(SessionModel::Description, QHeaderView::Stretch);
    header->setMinimumSectionSize(70);

    auto *title = new QLabel(QStringLiteral("O&perazioni"), this);
    title->setBuddy(table);
    const auto button = [this](const QString &text, auto slot) {
        auto *pushButton = new QPushButton(text, this);
        connect(pushButton, &QPushButton::clicked, this, slot);
        buttons.append(pushButton);
        return pushButton;
    };
    auto *row = new QHBoxLayout;
    row->addWidget(button(QStringLiteral("Agg&iungi operazione"), &SessionTable::addRow));
    row->addWidget(button(QStringLiteral("Rimuo&vi operazione"), &SessionTable::removeRow));
    row->addStretch();
    row->addWidget(button(QStringLiteral("Importa operazioni…"), &SessionTable::importLog));
    row->addWidget(button(QStringLiteral("Esporta operazioni…"), &SessionTable::exportLog));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title);
    layout->addWidget(table, 1);
    layout->addLayout(row);

    connect(sessions, &SessionModel::refused, this, &SessionTable::message);
    connect(sessions, &SessionModel::saved, this, &SessionTable::saved);
    connect(sessions, &SessionModel::saved, this, [this] { emit message({}); });
}

void SessionTable::load(assignments::Register *source, qint64 id, const fee::Period &dates,
                        const QString &number) {
    store = source;
    period = dates;
    assignment = id;
    caseNumber = number;
    const QString error = sessions->load(source, id, period);
    for (QPushButton *pushButton : std::as_const(buttons))
        pushButton->setEnabled(store);
    if (!error.isEmpty())
        emit message(error);
}

void SessionTable::setPeriod(const fee::Period &dates) {
    period = dates;
    sessions->setPeriod(dates);
}

void SessionTable::addRow() {
    const QModelIndex draft = sessions->addDraft();
    if (!draft.isValid())
        return;
    table->setFocus();
    table->setCurrentIndex(draft);
    table->edit(draft);
}

void SessionTable::removeRow() {
    const QModelIndex current = table->currentIndex();
    if (!current.isValid())
        return;
    const QString error = sessions->removeRow(current.row());
    if (!error.isEmpty())
        emit message(error);
}

// The whole file or nothing: the reader's message for a fault in it, the overlap's for a session
// that meets one already there, and one transaction for the rest.
void SessionTable::importLog() {
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Importa operazioni"), documentsFolder(),
                                     kCsvFilter + QStringLiteral(";;Tutti i file (*)"));
    if (path.isEmpty())
        return;
    const auto fail = [this](const QString &text) {
        QMessageBox::critical(this, QGuiApplication::applicationDisplayName(), text);
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Impossibile leggere %1: %2")
                        .arg(QDir::toNativeSeparators(path), file.errorString()));
    const auto read = fee::readLogCsv(file.readAll());
    if (const QString *error = std::get_if<QString>(&read))
        return fail(*error);
    QList<fee::Session> added;
    const QList<fee::Session> present = sessions->sessions();
    for (const fee::LogLine &line : std::get<0>(read)) {
        for (const fee::Session &there : present)
            if (fee::overlaps(there, line.session))
                return fail(QStringLiteral("Riga %1: %2")
                                .arg(line.line)
                                .arg(fee::overlapMessage(there, line.session)));
        added.append(line.session);
    }
    const QString error = store->addSessions(assignment, added);
    if (!error.isEmpty())
        return fail(error);
    load(store, assignment, period, caseNumber);
    emit saved();
    emit message(QStringLiteral("Operazioni importate: %1.").arg(added.size()));
}

void SessionTable::exportLog() {
    QString name = QStringLiteral("Operazioni_%1.csv").arg(caseNumber);
    name.replace(u'/', u'-').replace(u' ', u'-');
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Esporta operazioni"),
                                     QDir(documentsFolder()).filePath(name), kCsvFilter);
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(fee::writeLogCsv(sessions->sessions())) < 0 || !file.commit()) {
        QMessageBox::critical(this, QGuiApplication::applicationDisplayName(),
                              QStringLiteral("Impossibile salvare %1: %2")
                                  .arg(QDir::toNativeSeparators(path), file.errorString()));
        return;
    }
    emit message(QStringLiteral("Operazioni esportate in %1.").arg(QDir::toNativeSeparators(path)));
}

} // namespace tolvemar
