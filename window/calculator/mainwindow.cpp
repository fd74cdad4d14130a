#include "mainwindow.h"

#include "abouttext.h"
#include "documentoutput.h"
#include "guide.h"
#include "output.h"
#include "patrondialog.h"
#include "requestdialog.h"
#include "settings.h"
#include "tablefeedialog.h"

#include <QActionGroup>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

namespace tolvemar {

namespace {

// "Tariffa DM 30 maggio 2002 · festività non escluse", and the like.
QString statusText(const fee::CalcolaOptions &options) {
    QString text = options.tariff == fee::Tariff::Ruling2025
                       ? QStringLiteral("Tariffa dopo la sentenza n. 16/2025")
                       : QStringLiteral("Tariffa DM 30 maggio 2002");
    if (!options.excludeHolidays)
        return text + QStringLiteral(" · festività non escluse");
    text += QStringLiteral(" · festività nazionali escluse");
    if (options.patron)
        text += QStringLiteral(", patrono il ") + fee::patronDayText(*options.patron);
    return text;
}

} // namespace

MainWindow::MainWindow(Form1::Clock clock, QWidget *parent)
    : QMainWindow(parent)
    , form(new Form1(std::move(clock), this))
    , status(new QLabel(this)) {
    setWindowTitle(form->windowTitle());
    setCentralWidget(form);
    // No menu title takes C or E: Alt+C and Alt+E stay with "Calcola" and "Esci".
    createFileMenu();
    createOptionsMenu();
    createToolsMenu();
    createHelpMenu();
    offerGuide(this, QStringLiteral("calcolatore.html"));
    // Named by what it shows, as any label is, so that a screen reader reads the options; the
    // description says what the line is.
    status->setAccessibleDescription(QStringLiteral("Opzioni di calcolo"));
    statusBar()->addPermanentWidget(status, 1);
    // The line fills the bar, where the bar would draw a message: the message after a copy or
    // an export takes the line's place while it lasts, to be seen and read out.
    connect(statusBar(), &QStatusBar::messageChanged, this, &MainWindow::showStatus);
    statusBar()->setSizeGripEnabled(false);
    // Form1 keeps its size; the window is that and the two bars.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setOptions(settings::options());
    connect(form, &Form1::computed, this,
            [this](const fee::CalcolaInput &input, const fee::CalcolaOptions &options,
                   const fee::CalcolaResult &result) {
                shown = request::Computation::of(input, options, result);
                for (QAction *action : std::as_const(requestActions))
                    action->setEnabled(true);
            });
}

MainWindow::~MainWindow() = default;

void MainWindow::load() {
    form->load();
}

void MainWindow::createFileMenu() {
    QMenu *menu = menuBar()->addMenu(QStringLiteral("&File"));
    requestActions = {
        menu->addAction(QStringLiteral("Copia il calcolo"),
                        QKeySequence(QStringLiteral("Ctrl+Shift+C")), this,
                        &MainWindow::copyComputation),
        menu->addAction(QStringLiteral("Stampa…"), QKeySequence::Print, this,
                        &MainWindow::printRequest),
        menu->addAction(QStringLiteral("Esporta in PDF…"),
                        QKeySequence(QStringLiteral("Ctrl+Shift+E")), this, &MainWindow::exportPdf),
    };
    for (QAction *action : std::as_const(requestActions))
        action->setEnabled(false);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Esci"), QKeySequence(QStringLiteral("Ctrl+Q")), this,
                    &QWidget::close);
}

void MainWindow::createOptionsMenu() {
    QMenu *menu = menuBar()->addMenu(QStringLiteral("&Opzioni"));
    auto *tariffs = new QActionGroup(this);
    decree2002 = tariffs->addAction(QStringLiteral("Tariffa del DM 30 maggio 2002: ") +
                                    fee::tariffRates(fee::Tariff::Decree2002));
    ruling2025 = tariffs->addAction(
        QStringLiteral("Tariffa dopo la sentenza n. 16/2025 della Corte costituzionale: ") +
        fee::tariffRates(fee::Tariff::Ruling2025));
    for (QAction *tariff : {decree2002, ruling2025}) {
        tariff->setCheckable(true);
        menu->addAction(tariff);
        connect(tariff, &QAction::triggered, this, [this, tariff] {
            fee::CalcolaOptions changed = current;
            changed.tariff =
                tariff == ruling2025 ? fee::Tariff::Ruling2025 : fee::Tariff::Decree2002;
            setOptions(changed);
        });
    }
    menu->addSeparator();
    excludeHolidays = menu->addAction(QStringLiteral("Escludi anche le festività nazionali"));
    excludeHolidays->setCheckable(true);
    connect(excludeHolidays, &QAction::triggered, this, [this](bool checked) {
        fee::CalcolaOptions changed = current;
        changed.excludeHolidays = checked;
        setOptions(changed);
    });
    menu->addAction(QStringLiteral("Santo patrono…"), this, &MainWindow::choosePatron);
}

void MainWindow::createToolsMenu() {
    QMenu *menu = toolsMenu = menuBar()->addMenu(QStringLiteral("&Strumenti"));
    menu->addAction(QStringLiteral("Onorari fissi e variabili…"), this, [this] {
        TableFeeDialog dialog(QDate::currentDate(), this);
        dialog.exec();
    });
}

void MainWindow::createHelpMenu() {
    QMenu *menu = menuBar()->addMenu(QStringLiteral("&?"));
    addGuideItems(menu, this);
    menu->addSeparator();
    menu->addAction(QStringLiteral("Informazioni su Calcolo Tolvemar CT"), this,
                    &MainWindow::about);
    menu->addAction(QStringLiteral("Informazioni su Qt"), this,
                    [this] { QMessageBox::aboutQt(this, QStringLiteral("Informazioni su Qt")); });
}

void MainWindow::setOptions(const fee::CalcolaOptions &options) {
    const bool changed = options != current;
    current = options;
    decree2002->setChecked(options.tariff == fee::Tariff::Decree2002);
    ruling2025->setChecked(options.tariff == fee::Tariff::Ruling2025);
    excludeHolidays->setChecked(options.excludeHolidays);
    showStatus();
    form->setOptions(options);
    if (changed)
        settings::setOptions(options);
    emit optionsChanged(options);
}

void MainWindow::addMenu(QMenu *menu) {
    menuBar()->insertMenu(toolsMenu->menuAction(), menu);
}

void MainWindow::showStatus() {
    const QString message = statusBar()->currentMessage();
    status->setText(message.isEmpty() ? statusText(current) : message);
}

void MainWindow::choosePatron() {
    PatronDialog dialog(current.patron, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    fee::CalcolaOptions changed = current;
    changed.patron = dialog.patron();
    setOptions(changed);
}

std::optional<request::Document> MainWindow::requestDocument(bool ask) {
    request::Request fees{*shown, {}};
    if (ask) {
        RequestDialog dialog(*shown, this);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        fees.details = dialog.details();
    }
    const auto totals = request::totals(fees);
    if (const QString *error = std::get_if<QString>(&totals)) {
        QMessageBox::critical(this, QGuiApplication::applicationDisplayName(), *error);
        return std::nullopt;
    }
    return request::describe(fees, std::get<request::Totals>(totals), QDateTime::currentDateTime());
}

void MainWindow::copyComputation() {
    if (const auto document = requestDocument(false)) {
        QGuiApplication::clipboard()->setMimeData(request::toMimeData(*document));
        statusBar()->showMessage(QStringLiteral("Calcolo copiato negli appunti."), 5000);
    }
}

void MainWindow::printRequest() {
    if (const auto document = requestDocument(true))
        printDocument(*document, this);
}

void MainWindow::exportPdf() {
    const auto document = requestDocument(true);
    if (!document)
        return;
    const QString name = QStringLiteral("Compenso_vacazioni_%1_%2.pdf")
                             .arg(fee::dateFromSerial(shown->start)->toString(Qt::ISODate),
                                  fee::dateFromSerial(shown->end)->toString(Qt::ISODate));
    const QString path = exportDocument(*document, name, this);
    if (!path.isEmpty())
        statusBar()->showMessage(
            QStringLiteral("PDF salvato in %1").arg(QDir::toNativeSeparators(path)), 5000);
}

void MainWindow::about() {
    QMessageBox::about(this, QStringLiteral("Informazioni su Calcolo Tolvemar CT"), aboutText());
}

} // namespace tolvemar
